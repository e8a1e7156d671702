#include "platform/win32/settings_ui/setting_window.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/texts.h"
#include "platform/win32/base/dpi.h"
#include "platform/win32/base/gdi.h"
#include "platform/win32/settings_ui/control_text.h"
#include "platform/win32/settings_ui/setting_layout.h"

namespace {

using platform::SettingControl;

class RecordingEvents final : public platform::SettingEvents {
  public:
    std::vector<SettingControl> clicks;
    int unloads = 0;
    void OnClick(SettingControl control) override { clicks.push_back(control); }
    void OnUnload() override { ++unloads; }
};

HWND Hwnd(const win32::SettingWindow& window) {
    return reinterpret_cast<HWND>(window.Handle());  // NOLINT(performance-no-int-to-ptr)
}

// The caption as the control draws it in its font.
SIZE CaptionSize(HDC dc, std::wstring_view caption) {
    const std::wstring text(caption);
    RECT bounds{};
    DrawTextW(dc, text.c_str(), -1, &bounds, DT_CALCRECT | DT_SINGLELINE);
    return {bounds.right - bounds.left, bounds.bottom - bounds.top};
}

// The texts of a language for one scope, Japanese again after it.
class LanguageInUse {
  public:
    explicit LanguageInUse(platform::Language language) { platform::UseLanguage(language); }
    ~LanguageInUse() { platform::UseLanguage(platform::Language::Japanese); }
    LanguageInUse(const LanguageInUse&) = delete;
    LanguageInUse& operator=(const LanguageInUse&) = delete;
};

// Each case in each language.
template <typename Case, std::size_t N>
std::vector<std::pair<platform::Language, Case>> LanguagesAndCases(const Case (&cases)[N]) {
    std::vector<std::pair<platform::Language, Case>> all;
    for (const auto language : {platform::Language::Japanese, platform::Language::English}) {
        for (const auto& c : cases) {
            all.emplace_back(language, c);
        }
    }
    return all;
}

TEST(SettingWindowTest, HasTheDesignedWindowAndControls) {
    RecordingEvents events;
    win32::SettingWindow window(events);
    const HWND hwnd = Hwnd(window);
    const auto style = static_cast<DWORD>(GetWindowLongPtrW(hwnd, GWL_STYLE));
    EXPECT_TRUE((style & WS_SYSMENU) != 0 && (style & WS_CAPTION) == WS_CAPTION);
    EXPECT_EQ(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME), 0U);
    EXPECT_FALSE(IsWindowVisible(hwnd));

    // Laid out at the DPI of its monitor.
    const int dpi = win32::WindowDpi(hwnd);
    EXPECT_EQ(dpi, win32::MonitorDpi(MonitorFromWindow(hwnd, MONITOR_DEFAULTTONEAREST)));
    RECT client{};
    GetClientRect(hwnd, &client);
    EXPECT_EQ(client.right, win32::ClientSize(dpi).cx);
    EXPECT_EQ(client.bottom, win32::ClientSize(dpi).cy);

    // Picture1 only groups; every other control is there with its caption.
    int count = 0;
    for (HWND child = GetWindow(hwnd, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        ++count;
    }
    EXPECT_EQ(count, win32::kSettingControlCount - 1);
    EXPECT_EQ(win32::ControlText(GetDlgItem(hwnd, IDOK)), L"保存");
    EXPECT_EQ(win32::ControlText(GetDlgItem(hwnd, IDCANCEL)), L"終了");
    EXPECT_EQ(GetWindowLongPtrW(GetDlgItem(hwnd, IDOK), GWL_STYLE) & BS_TYPEMASK, BS_DEFPUSHBUTTON);

    // Tab goes through the controls that take the focus in the design's order, round.
    const std::vector<std::wstring> order = {L"Kestroを有効にする(&R)",
                                             L"",
                                             L"...",
                                             L"",
                                             L"動画・サウンドも表示時間で打ち切る(&C)",
                                             L"保存",
                                             L"終了",
                                             L"",
                                             L"",
                                             L"指定したサイズで表示する(&S)",
                                             L"",
                                             L"...",
                                             L"",
                                             L"...",
                                             L"",
                                             L"...",
                                             L"",
                                             L"..."};
    HWND item = GetNextDlgTabItem(hwnd, nullptr, FALSE);
    for (std::size_t i = 0; i <= order.size(); ++i) {
        ASSERT_NE(item, nullptr);
        EXPECT_EQ(win32::ControlText(item), order[i % order.size()]) << "tab stop " << i;
        item = GetNextDlgTabItem(hwnd, item, FALSE);
    }
}

TEST(SettingWindowTest, ControlsReadWriteAndReportClicks) {
    RecordingEvents events;
    win32::SettingWindow window(events);
    window.SetCaption(L"Kestro 2.1の設定");
    EXPECT_EQ(win32::ControlText(Hwnd(window)), L"Kestro 2.1の設定");
    window.SetText(SettingControl::Text1, L"C:\\写真\\さようなら.png");
    EXPECT_EQ(window.Text(SettingControl::Text1), L"C:\\写真\\さようなら.png");
    EXPECT_EQ(window.Text(SettingControl::Text4), L"");
    EXPECT_EQ(window.Text(SettingControl::Picture1), L"");

    window.SetChecked(SettingControl::Check1, true);
    EXPECT_TRUE(window.Checked(SettingControl::Check1));
    EXPECT_TRUE(events.clicks.empty());  // the program's own changes are no clicks
    const HWND check1 = GetDlgItem(Hwnd(window), 113);
    SendMessageW(check1, BM_CLICK, 0, 0);
    EXPECT_FALSE(window.Checked(SettingControl::Check1));
    window.SetEnabled(SettingControl::Text2, false);
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(Hwnd(window), 111)));

    for (const int id : {IDOK, IDCANCEL, 103, 100}) {
        SendMessageW(GetDlgItem(Hwnd(window), id), BM_CLICK, 0, 0);
    }
    EXPECT_EQ(events.clicks,
              (std::vector<SettingControl>{SettingControl::Check1, SettingControl::Command1,
                                           SettingControl::Command2, SettingControl::Command3,
                                           SettingControl::Check2}));

    SendMessageW(Hwnd(window), WM_CLOSE, 0, 0);
    EXPECT_EQ(events.unloads, 1);
    EXPECT_EQ(Hwnd(window), nullptr);
}

TEST(SettingWindowTest, EveryCaptionHasItsRoomAtEachResolution) {
    // The message font of each resolution, and one far too large for the design.
    const struct {
        int dpi;
        LONG height;
    } cases[] = {{96, 0}, {120, 0}, {144, 0}, {168, 0}, {192, 0}, {240, 0}, {96, -20}};
    for (const auto& [language, c] : LanguagesAndCases(cases)) {
        SCOPED_TRACE(testing::Message()
                     << c.dpi << " dpi, font height " << c.height
                     << (language == platform::Language::English ? ", English" : ""));
        const LanguageInUse inUse(language);
        LOGFONTW font = win32::MessageFont(c.dpi);
        // Scaled with the resolution, whatever the user's size of it.
        EXPECT_NEAR(font.lfHeight, MulDiv(win32::MessageFont(96).lfHeight, c.dpi, 96), 1);
        if (c.height != 0) {
            font.lfHeight = c.height;
        }
        const int dpi = c.dpi;
        const win32::FittedLayout layout = win32::FitLayout(font, dpi);
        const win32::ScreenDc screen;
        const win32::Selection selected(screen.Get(), layout.font.Get());
        TEXTMETRICW text{};
        GetTextMetricsW(screen.Get(), &text);
        EXPECT_TRUE(win32::Fits(layout.places, win32::ClientSize(dpi), text.tmHeight));
        for (const auto& design : win32::SettingDesign()) {
            const RECT& place = layout.places.at(static_cast<std::size_t>(design.control));
            const SIZE caption = CaptionSize(screen.Get(), platform::CaptionOf(design.control));
            const LONG room = place.right - place.left;
            switch (design.kind) {
                case win32::ControlKind::Label:
                    EXPECT_EQ(room, caption.cx) << testing::PrintToString(
                        std::wstring(platform::CaptionOf(design.control)));
                    break;
                case win32::ControlKind::CheckBox:
                    EXPECT_GE(room, win32::SystemMetric(SM_CXMENUCHECK, dpi) + caption.cx);
                    break;
                case win32::ControlKind::Button:
                case win32::ControlKind::DefaultButton:
                case win32::ControlKind::Frame:
                    EXPECT_GE(room, caption.cx) << testing::PrintToString(
                        std::wstring(platform::CaptionOf(design.control)));
                    break;
                default:
                    break;
            }
            if (design.kind != win32::ControlKind::Group) {
                EXPECT_GE(place.bottom - place.top, text.tmHeight);
            }
        }
        // The design's own size stays where it has room: the message font is never made
        // smaller.
        if (c.height == 0) {
            LOGFONTW used{};
            GetObjectW(layout.font.Get(), sizeof used, &used);
            EXPECT_GE(std::abs(used.lfHeight), std::abs(font.lfHeight) - 1);
        }
    }
}

TEST(SettingWindowTest, OtherMomentsSitBetweenTheSizesAndTheButtons) {
    for (const int dpi : {96, 192}) {
        SCOPED_TRACE(testing::Message() << dpi << " dpi");
        const win32::FittedLayout layout = win32::FitLayout(win32::MessageFont(dpi), dpi);
        const auto place = [&](SettingControl control) {
            return layout.places.at(static_cast<std::size_t>(control));
        };
        const SIZE client = win32::ClientSize(dpi);
        // The frame below the sizes, as wide as the window's contents; the buttons under it
        // at the bottom right.
        EXPECT_GT(place(SettingControl::Frame2).top, place(SettingControl::Frame1).bottom);
        EXPECT_EQ(place(SettingControl::Frame2).right, place(SettingControl::Frame1).right);
        EXPECT_EQ(place(SettingControl::Frame2).left, place(SettingControl::Label1).left);
        for (const auto button : {SettingControl::Command1, SettingControl::Command2}) {
            EXPECT_GT(place(button).top, place(SettingControl::Frame2).bottom);
            EXPECT_LT(client.cy - place(button).bottom, 16 * dpi / 96);
        }
        EXPECT_EQ(place(SettingControl::Command2).right, place(SettingControl::Frame2).right);
        // Each row: the label, then its box and button on one line; the note under the
        // sign-out row.
        const struct {
            SettingControl label, box, button;
        } rows[] = {{SettingControl::Label7, SettingControl::Text5, SettingControl::Command4},
                    {SettingControl::Label8, SettingControl::Text6, SettingControl::Command5},
                    {SettingControl::Label10, SettingControl::Text7, SettingControl::Command6},
                    {SettingControl::Label11, SettingControl::Text8, SettingControl::Command7}};
        LONG bottom = place(SettingControl::Frame2).top;
        for (const auto& row : rows) {
            if (row.label == SettingControl::Label10) {
                EXPECT_GE(place(SettingControl::Label9).top, bottom);
                bottom = place(SettingControl::Label9).bottom;
            }
            EXPECT_GE(place(row.label).top, bottom);
            EXPECT_LE(place(row.label).bottom, place(row.box).top);
            EXPECT_EQ(place(row.box).top, place(row.button).top);
            EXPECT_LE(place(row.box).right, place(row.button).left);
            EXPECT_GT(place(row.box).right - place(row.box).left, client.cx * 3 / 4);
            bottom = place(row.box).bottom;
        }
        // The check box under the time, above the other moments.
        EXPECT_GT(place(SettingControl::Check3).top, place(SettingControl::Text4).bottom);
        EXPECT_LT(place(SettingControl::Check3).bottom, place(SettingControl::Frame2).top);
    }
}

TEST(SettingWindowTest, MovedToAMonitorOfAnotherDpiItTakesThePlaceAndScales) {
    RecordingEvents events;
    win32::SettingWindow window(events);
    const HWND hwnd = Hwnd(window);
    for (const int dpi : {192, 120, 96}) {
        SCOPED_TRACE(testing::Message() << dpi << " dpi");
        // As Windows sends it: the new DPI, and the window's place on that monitor.
        const SIZE outer =
            win32::OuterSize(win32::ClientSize(dpi), WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU, dpi);
        RECT suggested{dpi, 30, dpi + outer.cx, 30 + outer.cy};
        SendMessageW(hwnd, WM_DPICHANGED, MAKEWPARAM(dpi, dpi),
                     reinterpret_cast<LPARAM>(&suggested));
        RECT bounds{};
        GetWindowRect(hwnd, &bounds);
        EXPECT_TRUE(EqualRect(&bounds, &suggested));

        const win32::FittedLayout expected = win32::FitLayout(win32::MessageFont(dpi), dpi);
        LOGFONTW font{};
        GetObjectW(expected.font.Get(), sizeof font, &font);
        // The controls in the design's order, which is the order of creation; Picture1 has none.
        HWND child = GetWindow(hwnd, GW_CHILD);
        for (const auto& design : win32::SettingDesign()) {
            if (design.kind == win32::ControlKind::Group) {
                continue;
            }
            ASSERT_NE(child, nullptr);
            RECT place{};
            GetWindowRect(child, &place);
            MapWindowPoints(nullptr, hwnd, reinterpret_cast<POINT*>(&place), 2);
            EXPECT_TRUE(
                EqualRect(&place, &expected.places.at(static_cast<std::size_t>(design.control))))
                << testing::PrintToString(std::wstring(platform::CaptionOf(design.control)));
            LOGFONTW used{};
            // The control hands its font over as a number.
            const auto controlFont = reinterpret_cast<HFONT>(  // NOLINT(performance-no-int-to-ptr)
                SendMessageW(child, WM_GETFONT, 0, 0));
            GetObjectW(controlFont, sizeof used, &used);
            EXPECT_EQ(used.lfHeight, font.lfHeight);
            child = GetWindow(child, GW_HWNDNEXT);
        }
    }
}

}  // namespace
