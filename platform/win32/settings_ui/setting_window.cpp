#include "platform/win32/settings_ui/setting_window.h"

// After windows.h, whose types it uses.
#include <commctrl.h>

#include <utility>

#include "platform/texts.h"
#include "platform/win32/base/dpi.h"
#include "platform/win32/base/message_pump.h"
#include "platform/win32/base/win32_error.h"
#include "platform/win32/base/window_lifetime.h"
#include "platform/win32/base/window_proc.h"
#include "platform/win32/settings_ui/control_text.h"

namespace win32 {
namespace {

using platform::SettingControl;

constexpr wchar_t kClassName[] = L"KestroSetting";
constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;
// Command ids of the controls: Enter sends IDOK and Esc IDCANCEL, so the default and the
// cancel button carry those; the others follow their tab index.
constexpr int kFirstControlId = 100;

int ControlId(SettingControl control) {
    switch (control) {
        case SettingControl::Command1:
            return IDOK;
        case SettingControl::Command2:
            return IDCANCEL;
        default:
            return kFirstControlId + static_cast<int>(control);
    }
}

struct WindowKind {
    const wchar_t* className;
    DWORD style;
    DWORD extendedStyle;
};

WindowKind KindOf(ControlKind kind) {
    constexpr DWORD kChild = WS_CHILD | WS_VISIBLE;
    constexpr DWORD kFocusable = kChild | WS_TABSTOP | WS_GROUP;
    switch (kind) {
        case ControlKind::CheckBox:
            return {L"BUTTON", kFocusable | BS_AUTOCHECKBOX, 0};
        case ControlKind::Label:
            return {L"STATIC", kChild | SS_LEFT, 0};
        case ControlKind::TextBox:
            return {L"EDIT", kFocusable | ES_AUTOHSCROLL | ES_LEFT, WS_EX_CLIENTEDGE};
        case ControlKind::Button:
            return {L"BUTTON", kFocusable | BS_PUSHBUTTON, 0};
        case ControlKind::DefaultButton:
            return {L"BUTTON", kFocusable | BS_DEFPUSHBUTTON, 0};
        case ControlKind::Frame:
            return {L"BUTTON", kChild | BS_GROUPBOX, 0};
        case ControlKind::List:
            // Sized by the design, not to whole items; a scroll bar only where they do not fit.
            return {L"LISTBOX", kFocusable | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL,
                    WS_EX_CLIENTEDGE};
        case ControlKind::Group:
            break;
    }
    return {nullptr, 0, 0};
}

}  // namespace

SettingWindow::SettingWindow(platform::SettingEvents& events) : events_(events) {
    // Only this window has common controls: loaded here, they cost the waiting instance
    // nothing.
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    // A dialog box's own handling of the keyboard and of the focus, for a window that is laid
    // out by the program.
    RegisterWindowClass(kClassName, &OwnerWindowProc<SettingWindow>,
                        GetSysColorBrush(COLOR_BTNFACE), DLGWINDOWEXTRA);
    // Centred on the primary monitor, at its DPI.
    const int dpi = MonitorDpi(MonitorFromPoint({0, 0}, MONITOR_DEFAULTTOPRIMARY));
    const SIZE size = OuterSize(ClientSize(dpi), kStyle, dpi);
    hwnd_.Reset(CreateWindowExW(0, kClassName, L"", kStyle,
                                (GetSystemMetrics(SM_CXSCREEN) - size.cx) / 2,
                                (GetSystemMetrics(SM_CYSCREEN) - size.cy) / 2, size.cx, size.cy,
                                nullptr, nullptr, GetModuleHandleW(nullptr), this));
    Succeeded(static_cast<bool>(hwnd_));
    WindowLoaded();
    AddKeyboardWindow(hwnd_.Get());
    CreateControls();
}

SettingWindow::~SettingWindow() { hwnd_.Reset(); }

void SettingWindow::CreateControls() {
    for (const auto& design : SettingDesign()) {
        const WindowKind kind = KindOf(design.kind);
        if (kind.className == nullptr) {
            continue;
        }
        const std::wstring caption(platform::CaptionOf(design.control));
        const HWND control =
            CreateWindowExW(kind.extendedStyle, kind.className, caption.c_str(), kind.style, 0, 0,
                            0, 0, hwnd_.Get(),
                            // Child windows take their id where a top-level window takes its menu.
                            reinterpret_cast<HMENU>(  // NOLINT(performance-no-int-to-ptr)
                                static_cast<INT_PTR>(ControlId(design.control))),
                            GetModuleHandleW(nullptr), nullptr);
        Succeeded(control != nullptr);
        controls_.at(static_cast<std::size_t>(design.control)) = control;
    }
    Arrange(WindowDpi(hwnd_.Get()));
}

void SettingWindow::Arrange(int dpi) {
    FittedLayout layout = FitLayout(MessageFont(dpi), dpi);
    for (const auto& design : SettingDesign()) {
        const HWND control = Control(design.control);
        if (control == nullptr) {
            continue;
        }
        const RECT& place = layout.places.at(static_cast<std::size_t>(design.control));
        MoveWindow(control, place.left, place.top, place.right - place.left,
                   place.bottom - place.top, TRUE);
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(layout.font.Get()), TRUE);
    }
    // Only now that no control draws with it any more.
    font_ = std::move(layout.font);
}

HWND SettingWindow::Control(SettingControl control) const {
    return controls_.at(static_cast<std::size_t>(control));
}

void SettingWindow::SetCaption(const std::wstring& caption) {
    Succeeded(SetWindowTextW(hwnd_.Get(), caption.c_str()));
}

std::wstring SettingWindow::Text(SettingControl control) const {
    const HWND window = Control(control);
    return window != nullptr ? ControlText(window) : std::wstring();
}

void SettingWindow::SetText(SettingControl control, const std::wstring& text) {
    const HWND window = Control(control);
    if (window != nullptr) {
        Succeeded(SetWindowTextW(window, text.c_str()));
    }
}

bool SettingWindow::Checked(SettingControl control) const {
    const HWND window = Control(control);
    return window != nullptr && SendMessageW(window, BM_GETCHECK, 0, 0) != BST_UNCHECKED;
}

void SettingWindow::SetChecked(SettingControl control, bool checked) {
    if (const HWND window = Control(control)) {
        SendMessageW(window, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
    }
}

void SettingWindow::SetEnabled(SettingControl control, bool enabled) {
    if (const HWND window = Control(control)) {
        EnableWindow(window, enabled ? TRUE : FALSE);
    }
}

void SettingWindow::SetVisible(SettingControl control, bool visible) {
    if (const HWND window = Control(control)) {
        ShowWindow(window, visible ? SW_SHOW : SW_HIDE);
    }
}

void SettingWindow::SetItems(SettingControl control, const std::vector<std::wstring>& items) {
    const HWND window = Control(control);
    if (window == nullptr) {
        return;
    }
    SendMessageW(window, LB_RESETCONTENT, 0, 0);
    for (const auto& item : items) {
        SendMessageW(window, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
    }
    SendMessageW(window, LB_SETCURSEL, 0, 0);
}

int SettingWindow::Selected(SettingControl control) const {
    const HWND window = Control(control);
    return window != nullptr ? static_cast<int>(SendMessageW(window, LB_GETCURSEL, 0, 0)) : -1;
}

std::intptr_t SettingWindow::Handle() const { return reinterpret_cast<std::intptr_t>(hwnd_.Get()); }

void SettingWindow::Show() {
    ShowWindow(hwnd_.Get(), SW_SHOW);
    SetForegroundWindow(hwnd_.Get());
}

void SettingWindow::OnDestroyed() {
    hwnd_.Release();
    controls_ = {};
    WindowUnloaded();
}

LRESULT SettingWindow::OnMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:
            for (const auto& design : SettingDesign()) {
                // A list tells of a new selection; a button of a click.
                const WORD reported = design.kind == ControlKind::List ? LBN_SELCHANGE : BN_CLICKED;
                if (ControlId(design.control) == LOWORD(wParam) && HIWORD(wParam) == reported &&
                    Control(design.control)) {
                    events_.OnClick(design.control);
                    return 0;
                }
            }
            return 0;
        case WM_DPICHANGED: {
            // The window moved to a monitor of another DPI: controls and font follow it, and
            // the window takes the place that Windows worked out for it there.
            Arrange(LOWORD(wParam));
            const auto* suggested =
                reinterpret_cast<const RECT*>(lParam);  // NOLINT(performance-no-int-to-ptr)
            SetWindowPos(hwnd, nullptr, suggested->left, suggested->top,
                         suggested->right - suggested->left, suggested->bottom - suggested->top,
                         SWP_NOZORDER | SWP_NOACTIVATE);
            return 0;
        }
        case WM_DESTROY:
            // By handle: the owning member has already let go of it when the window goes.
            RemoveKeyboardWindow(hwnd);
            return 0;
        case WM_CLOSE:
            hwnd_.Reset();
            events_.OnUnload();
            return 0;
        default:
            return DefDlgProcW(hwnd, message, wParam, lParam);
    }
}

}  // namespace win32
