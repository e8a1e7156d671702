#include "platform/win32/settings_ui/setting_layout.h"

#include <algorithm>
#include <utility>

#include "platform/texts.h"
#include "platform/win32/base/dpi.h"
#include "platform/win32/base/gdi.h"
#include "platform/win32/base/win32_error.h"

namespace win32 {
namespace {

using platform::SettingControl;
// Between the height's caption and its box.
constexpr int kLabelGapTwips = 45;

// Picture1 has no border and shows nothing: it only groups the size controls inside Frame1,
// so it is a place for its contents here, not a window of its own.
constexpr std::array<ControlDesign, kSettingControlCount> kDesign = {{
    {SettingControl::Check2, ControlKind::CheckBox, {}, 120, 120, 2175, 255},
    {SettingControl::Label1, ControlKind::Label, {}, 120, 600, 2685, 180},
    {SettingControl::Text1, ControlKind::TextBox, {}, 240, 840, 5175, 270},
    {SettingControl::Command3, ControlKind::Button, {}, 5400, 840, 255, 255},
    {SettingControl::Label5, ControlKind::Label, {}, 120, 1560, 1905, 180},
    {SettingControl::Text4, ControlKind::TextBox, {}, 240, 1800, 1095, 270},
    {SettingControl::Label6, ControlKind::Label, {}, 1440, 1890, 180, 180},
    {SettingControl::Frame1, ControlKind::Frame, {}, 2280, 1320, 3375, 1095},
    {SettingControl::Command1, ControlKind::DefaultButton, {}, 3360, 2520, 1095, 375},
    {SettingControl::Command2, ControlKind::Button, {}, 4560, 2520, 1095, 375},
    {SettingControl::Picture1, ControlKind::Group, SettingControl::Frame1, 240, 240, 2775, 735},
    {SettingControl::Text2, ControlKind::TextBox, SettingControl::Picture1, 600, 360, 495, 270},
    {SettingControl::Text3, ControlKind::TextBox, SettingControl::Picture1, 1680, 360, 495, 270},
    {SettingControl::Check1, ControlKind::CheckBox, SettingControl::Picture1, 0, 0, 2655, 255},
    {SettingControl::Label3, ControlKind::Label, SettingControl::Picture1, 240, 390, 180, 180},
    {SettingControl::Label4, ControlKind::Label, SettingControl::Picture1, 1320, 390, 315, 180},
    // The moments: the list on the left, the selected moment's page beside it, each page's
    // file row at the top and its sound row below.
    {SettingControl::Frame2, ControlKind::Frame, {}, 120, 3000, 5535, 1800},
    {SettingControl::List1, ControlKind::List, SettingControl::Frame2, 120, 240, 1500, 1440},
    {SettingControl::Label12, ControlKind::Label, SettingControl::Frame2, 1740, 240, 1800, 180, 1},
    {SettingControl::Label13, ControlKind::Label, SettingControl::Frame2, 1740, 1140, 1800, 180, 1},
    {SettingControl::Text9, ControlKind::TextBox, SettingControl::Frame2, 1860, 1380, 3300, 270, 1},
    {SettingControl::Command8, ControlKind::Button, SettingControl::Frame2, 5160, 1380, 255, 255,
     1},
    {SettingControl::Label7, ControlKind::Label, SettingControl::Frame2, 1740, 240, 3300, 180, 2},
    {SettingControl::Text5, ControlKind::TextBox, SettingControl::Frame2, 1860, 480, 3300, 270, 2},
    {SettingControl::Command4, ControlKind::Button, SettingControl::Frame2, 5160, 480, 255, 255, 2},
    {SettingControl::Label14, ControlKind::Label, SettingControl::Frame2, 1740, 1140, 1800, 180, 2},
    {SettingControl::Text10, ControlKind::TextBox, SettingControl::Frame2, 1860, 1380, 3300, 270,
     2},
    {SettingControl::Command9, ControlKind::Button, SettingControl::Frame2, 5160, 1380, 255, 255,
     2},
    {SettingControl::Label8, ControlKind::Label, SettingControl::Frame2, 1740, 240, 3600, 180, 3},
    {SettingControl::Text6, ControlKind::TextBox, SettingControl::Frame2, 1860, 480, 3300, 270, 3},
    {SettingControl::Command5, ControlKind::Button, SettingControl::Frame2, 5160, 480, 255, 255, 3},
    {SettingControl::Label9, ControlKind::Label, SettingControl::Frame2, 1860, 840, 1800, 180, 3},
    {SettingControl::Label15, ControlKind::Label, SettingControl::Frame2, 1740, 1140, 1800, 180, 3},
    {SettingControl::Text11, ControlKind::TextBox, SettingControl::Frame2, 1860, 1380, 3300, 270,
     3},
    {SettingControl::Command10, ControlKind::Button, SettingControl::Frame2, 5160, 1380, 255, 255,
     3},
    {SettingControl::Label10, ControlKind::Label, SettingControl::Frame2, 1740, 240, 3300, 180, 4},
    {SettingControl::Text7, ControlKind::TextBox, SettingControl::Frame2, 1860, 480, 3300, 270, 4},
    {SettingControl::Command6, ControlKind::Button, SettingControl::Frame2, 5160, 480, 255, 255, 4},
    {SettingControl::Label11, ControlKind::Label, SettingControl::Frame2, 1740, 240, 3600, 180, 5},
    {SettingControl::Text8, ControlKind::TextBox, SettingControl::Frame2, 1860, 480, 3300, 270, 5},
    {SettingControl::Command7, ControlKind::Button, SettingControl::Frame2, 5160, 480, 255, 255, 5},
    {SettingControl::Label16, ControlKind::Label, SettingControl::Frame2, 1740, 1140, 1800, 180, 5},
    {SettingControl::Text12, ControlKind::TextBox, SettingControl::Frame2, 1860, 1380, 3300, 270,
     5},
    {SettingControl::Command11, ControlKind::Button, SettingControl::Frame2, 5160, 1380, 255, 255,
     5},
    {SettingControl::Check3, ControlKind::CheckBox, {}, 120, 4905, 3600, 255},
    {SettingControl::Check4, ControlKind::CheckBox, {}, 120, 5265, 3600, 255},
    {SettingControl::Command12, ControlKind::Button, {}, 4560, 5205, 1095, 375},
}};

// Each file box and the "..." button at its right.
constexpr std::pair<SettingControl, SettingControl> kBoxButtons[] = {
    {SettingControl::Text1, SettingControl::Command3},
    {SettingControl::Text5, SettingControl::Command4},
    {SettingControl::Text6, SettingControl::Command5},
    {SettingControl::Text7, SettingControl::Command6},
    {SettingControl::Text8, SettingControl::Command7},
    {SettingControl::Text9, SettingControl::Command8},
    {SettingControl::Text10, SettingControl::Command9},
    {SettingControl::Text11, SettingControl::Command10},
    {SettingControl::Text12, SettingControl::Command11},
};

const ControlDesign& DesignOf(SettingControl control) {
    return *std::find_if(kDesign.begin(), kDesign.end(),
                         [control](const ControlDesign& d) { return d.control == control; });
}

// The control's top-left corner in the client area, in twips.
POINT WindowOrigin(const ControlDesign& design) {
    POINT origin{design.left, design.top};
    for (auto container = design.container; container;) {
        const auto& outer = DesignOf(*container);
        origin.x += outer.left;
        origin.y += outer.top;
        container = outer.container;
    }
    return origin;
}

SIZE CaptionSize(HDC fontDc, const std::wstring& caption) {
    // Measured as a static control draws it: "&" marks the access key and takes no room.
    RECT bounds{};
    DrawTextW(fontDc, caption.c_str(), -1, &bounds, DT_CALCRECT | DT_SINGLELINE | DT_LEFT);
    return {bounds.right - bounds.left, bounds.bottom - bounds.top};
}

RECT PlaceControl(const ControlDesign& design, HDC fontDc, int dpi) {
    const POINT origin = WindowOrigin(design);
    const int left = PixelsFromTwips(origin.x, dpi);
    const int top = PixelsFromTwips(origin.y, dpi);
    LONG width = PixelsFromTwips(design.width, dpi);
    LONG height = PixelsFromTwips(design.height, dpi);
    TEXTMETRICW metrics{};
    GetTextMetricsW(fontDc, &metrics);
    switch (design.kind) {
        case ControlKind::Label: {
            const SIZE caption =
                CaptionSize(fontDc, std::wstring(platform::CaptionOf(design.control)));
            width = caption.cx;
            height = caption.cy;
            break;
        }
        case ControlKind::CheckBox: {
            const SIZE caption =
                CaptionSize(fontDc, std::wstring(platform::CaptionOf(design.control)));
            // The box, a gap of half a line, then the caption.
            width =
                std::max(width, SystemMetric(SM_CXMENUCHECK, dpi) + caption.cy / 2 + caption.cx);
            height = std::max(height, caption.cy);
            break;
        }
        case ControlKind::Button:
        case ControlKind::DefaultButton: {
            // Wider to the left, so that the buttons stay aligned on their right edges.
            const SIZE caption =
                CaptionSize(fontDc, std::wstring(platform::CaptionOf(design.control)));
            const LONG needed = caption.cx + caption.cy / 2;
            if (needed > width) {
                return {left + width - needed, top, left + width, top + height};
            }
            break;
        }
        case ControlKind::TextBox:
            height = std::max(height, metrics.tmHeight + 2 * SystemMetric(SM_CYEDGE, dpi));
            break;
        case ControlKind::List:
            for (const wchar_t* name : platform::CurrentTexts().momentNames) {
                // The name, a margin of a quarter line each side, and the list's edges.
                width = std::max(width, CaptionSize(fontDc, name).cx + metrics.tmHeight / 2 +
                                            2 * SystemMetric(SM_CXEDGE, dpi));
            }
            break;
        default:
            break;
    }
    return {left, top, left + width, top + height};
}

// The frame that holds the control, if any.
std::optional<SettingControl> FrameOf(const ControlDesign& design) {
    for (auto container = design.container; container;) {
        const auto& outer = DesignOf(*container);
        if (outer.kind == ControlKind::Frame) {
            return container;
        }
        container = outer.container;
    }
    return std::nullopt;
}

bool Within(const RECT& inner, const RECT& outer) {
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

}  // namespace

const std::array<ControlDesign, kSettingControlCount>& SettingDesign() { return kDesign; }

Places LayOut(HDC fontDc, int dpi) {
    Places places{};
    for (const auto& design : kDesign) {
        places.at(static_cast<std::size_t>(design.control)) = PlaceControl(design, fontDc, dpi);
    }
    const auto place = [&](SettingControl control) -> RECT& {
        return places.at(static_cast<std::size_t>(control));
    };
    // The design has the media-file box reach under the "..." button, and each button may have
    // grown to the left: a file box ends where its button starts.
    for (const auto& [box, button] : kBoxButtons) {
        place(box).right = std::min(place(box).right, place(button).left);
    }
    // A size box's label that has grown with its caption moves left, keeping the design's
    // narrowest gap before its box.
    const int gap = PixelsFromTwips(kLabelGapTwips, dpi);
    for (const auto& [label, box] : {std::pair{SettingControl::Label3, SettingControl::Text2},
                                     std::pair{SettingControl::Label4, SettingControl::Text3}}) {
        const LONG excess = place(label).right + gap - place(box).left;
        if (excess > 0) {
            OffsetRect(&place(label), -excess, 0);
        }
    }
    return places;
}

bool Fits(const Places& places, SIZE client, int captionHeight) {
    const RECT area{0, 0, client.cx, client.cy};
    // A frame's caption sits on its top line; its contents start below it.
    const auto inside = [&](SettingControl frameControl) {
        const RECT& frame = places.at(static_cast<std::size_t>(frameControl));
        return RECT{frame.left + 1, frame.top + captionHeight, frame.right - 1, frame.bottom - 1};
    };
    for (const auto& a : kDesign) {
        if (a.kind == ControlKind::Group) {
            continue;
        }
        const RECT& placeA = places.at(static_cast<std::size_t>(a.control));
        const auto frameA = FrameOf(a);
        if (!Within(placeA, frameA ? inside(*frameA) : area)) {
            return false;
        }
        for (const auto& b : kDesign) {
            RECT common{};
            const bool apart = b.kind == ControlKind::Group || &b == &a || frameA == b.control ||
                               FrameOf(b) == a.control ||
                               (a.page != 0 && b.page != 0 && a.page != b.page);
            if (!apart &&
                IntersectRect(&common, &placeA, &places.at(static_cast<std::size_t>(b.control)))) {
                return false;
            }
        }
    }
    return true;
}

SIZE ClientSize(int dpi) {
    return {PixelsFromTwips(kClientWidthTwips, dpi), PixelsFromTwips(kClientHeightTwips, dpi)};
}

FittedLayout FitLayout(LOGFONTW font, int dpi) {
    // The window keeps its designed size: a font whose glyphs run wider than the design's
    // (another face, rounding at some resolutions) is made smaller, a pixel at a time.
    // Half the given size is the least.
    const ScreenDc screen;
    const LONG sign = font.lfHeight < 0 ? -1 : 1;
    const LONG fullHeight = font.lfHeight * sign;
    for (LONG height = fullHeight;; --height) {
        font.lfHeight = height * sign;
        FittedLayout layout{Font(CreateFontIndirectW(&font)), {}};
        Succeeded(static_cast<bool>(layout.font));
        const Selection selected(screen.Get(), layout.font.Get());
        layout.places = LayOut(screen.Get(), dpi);
        TEXTMETRICW metrics{};
        GetTextMetricsW(screen.Get(), &metrics);
        if (Fits(layout.places, ClientSize(dpi), metrics.tmHeight) || height * 2 <= fullHeight) {
            return layout;
        }
    }
}

}  // namespace win32
