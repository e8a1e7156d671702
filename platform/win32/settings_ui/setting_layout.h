#pragma once

#include <windows.h>

#include <array>
#include <optional>

#include "platform/win32/base/handle.h"
#include "platform/window_system.h"

namespace win32 {

enum class ControlKind { CheckBox, Label, TextBox, Button, DefaultButton, Frame, Group, List };

// One control of the settings window as designed: its place in twips (15 to a pixel at 96
// dots per inch) relative to its container, the window's client area when it has none. Its
// caption is that of the language in use.
struct ControlDesign {
    platform::SettingControl control;
    ControlKind kind;
    std::optional<platform::SettingControl> container;
    int left;
    int top;
    int width;
    int height;
    // The moment's page (1 to 5) that the control belongs to; 0 for a control seen with every
    // page. Pages share their place, only one being seen at a time.
    int page = 0;
};

inline constexpr int kSettingControlCount = 47;
// The client area's design size in twips.
inline constexpr int kClientWidthTwips = 5835;
inline constexpr int kClientHeightTwips = 5700;

// The controls in tab order, which is also the order in which they are created.
const std::array<ControlDesign, kSettingControlCount>& SettingDesign();

using Places = std::array<RECT, kSettingControlCount>;

// Each control's place in the client area, in pixels at the DPI, by control. Labels take the
// size of their caption in the font selected into fontDc; check boxes, buttons and text boxes
// grow to fit theirs, the moments' list to fit the moments' names.
Places LayOut(HDC fontDc, int dpi);

// Every control lies in the client area, those of a frame inside the frame below its caption
// (captionHeight high), and no two that are seen together overlap.
bool Fits(const Places& places, SIZE client, int captionHeight);

struct FittedLayout {
    Font font;
    Places places;
};

// The layout in the font, or in a smaller size of it when its captions run wider than the
// design has room for, so that no caption is cut and nothing overlaps. Throws
// platform::Error when no font can be made.
FittedLayout FitLayout(LOGFONTW font, int dpi);

// The design's client area in pixels at the DPI.
SIZE ClientSize(int dpi);

}  // namespace win32
