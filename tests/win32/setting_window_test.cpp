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
    // Each page's file box and sound box follow the moments' list, with their buttons.
    std::vector<std::wstring> order = {
        L"Kestroを有効にする(&R)",       L"", L"...", L"", L"保存", L"終了", L"", L"",
        L"指定したサイズで表示する(&S)", L""};
    for (int box = 0; box < 8; ++box) {
        order.insert(order.end(), {L"", L"..."});
    }
    order.insert(order.end(), {L"動画・サウンドも表示時間で打ち切る(&C)", L"画面全体を黒で覆う(&B)",
                               L"テスト(&T)"});
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

    // The moments' list: its items, the selection the user makes, and pages hidden.
    window.SetItems(SettingControl::List1, {L"終了時", L"サインイン時", L"サインアウト時"});
    EXPECT_EQ(window.Selected(SettingControl::List1), 0);
    const HWND list = GetDlgItem(Hwnd(window), 131);
    SendMessageW(list, LB_SETCURSEL, 2, 0);
    SendMessageW(Hwnd(window), WM_COMMAND, MAKEWPARAM(131, LBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(list));
    EXPECT_EQ(events.clicks.back(), SettingControl::List1);
    EXPECT_EQ(window.Selected(SettingControl::List1), 2);
    window.SetVisible(SettingControl::Text5, false);
    EXPECT_FALSE(IsWindowVisible(GetDlgItem(Hwnd(window), 118)));

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

TEST(SettingWindowTest, TheMomentsSitBelowTheSeedsControlsAndShareOnePlace) {
    using C = SettingControl;
    for (const int dpi : {96, 192}) {
        SCOPED_TRACE(testing::Message() << dpi << " dpi");
        const win32::FittedLayout layout = win32::FitLayout(win32::MessageFont(dpi), dpi);
        const auto place = [&](C control) -> const RECT& {
            return layout.places.at(static_cast<std::size_t>(control));
        };
        const SIZE client = win32::ClientSize(dpi);
        EXPECT_LE(client.cx, MulDiv(389, dpi, 96));
        EXPECT_LE(client.cy, MulDiv(480, dpi, 96));
        // Save and Close where they always were; the moments under them, as wide as the
        // window's contents; the check boxes and the test below.
        EXPECT_EQ(place(C::Command1).top, win32::PixelsFromTwips(2520, dpi));
        EXPECT_GT(place(C::Frame2).top, place(C::Command2).bottom);
        EXPECT_EQ(place(C::Frame2).right, place(C::Frame1).right);
        EXPECT_EQ(place(C::Frame2).left, place(C::Label1).left);
        EXPECT_GT(place(C::Check3).top, place(C::Frame2).bottom);
        EXPECT_EQ(place(C::Command12).right, place(C::Command2).right);
        // Each page beside the list: its file row, then its sound row, in the same places.
        const struct {
            C label, box, button;
        } rows[] = {{C::Label7, C::Text5, C::Command4},    {C::Label8, C::Text6, C::Command5},
                    {C::Label10, C::Text7, C::Command6},   {C::Label11, C::Text8, C::Command7},
                    {C::Label13, C::Text9, C::Command8},   {C::Label14, C::Text10, C::Command9},
                    {C::Label15, C::Text11, C::Command10}, {C::Label16, C::Text12, C::Command11}};
        for (const auto& row : rows) {
            const bool sound = row.label >= C::Label13;
            const auto& same = sound ? rows[4] : rows[0];
            EXPECT_GT(place(row.label).left, place(C::List1).right);
            EXPECT_LE(place(row.label).bottom, place(row.box).top);
            EXPECT_EQ(place(row.box).top, place(row.button).top);
            EXPECT_TRUE(EqualRect(&place(row.box), &place(same.box)));
            EXPECT_EQ(place(row.label).top, place(same.label).top);
            EXPECT_GT(place(row.box).right - place(row.box).left, client.cx / 2);
        }
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
