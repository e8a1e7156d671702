// Looks at and works the windows of another program, for the end-to-end tests: Python on the
// Linux side cannot reach Windows controls, so it asks this program, run under the same Wine.
//
//   window_probe list CAPTION          the window and its controls, one line each
//   window_probe settext CAPTION ID TEXT   puts TEXT into the control (as typing over it)
//   window_probe press CAPTION ID      clicks the window's button with that id
//   window_probe select CAPTION ID INDEX  selects the item of the window's list box with that
//                                      id, and tells the window as a user's choice does
//   window_probe endsession CAPTION FLAGS  asks the window, as Windows would, whether the
//                                      session may end, with FLAGS (hex) as the lParam
//   window_probe readlink LNK          prints the shortcut's target, working directory,
//                                      arguments and icon ("path,index"), one line each
//   window_probe startlink LNK         prints the same, then starts what the shortcut names,
//                                      as the shell does at log-on
//   window_probe sessionchange CODE    posts WM_WTSSESSION_CHANGE, CODE (hex), to the waiting
//                                      show window, as Windows does at a lock; Wine sends none
//
// Output is UTF-8. Exit status 2 when no top-level window has that caption.
#include <windows.h>
// After windows.h, whose types they use.
#include <objidl.h>
#include <shlobj.h>

#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

#include "platform/win32/base/dpi.h"
#include "platform/win32/settings_ui/control_text.h"
#include "platform/win32/show/bye_window.h"

namespace {

constexpr DWORD kTimeoutMs = 5000;

std::string Utf8(const std::wstring& text) {
    if (text.empty()) {
        return {};
    }
    const int length = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                           nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), utf8.data(), length,
                        nullptr, nullptr);
    return utf8;
}

std::wstring ClassOf(HWND window) {
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    return name;
}

// The width the control's text takes in the window's full message font at the DPI, a check
// box's box included: no less than the program's layout, which may make the font smaller but
// never larger. (The control's own font is a handle of the other process.)
LONG NeededWidth(HWND control, const std::wstring& text, int dpi) {
    LOGFONTW logFont = win32::MessageFont(dpi);
    HFONT font = CreateFontIndirectW(&logFont);
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, font);
    RECT bounds{};
    DrawTextW(dc, text.c_str(), -1, &bounds, DT_CALCRECT | DT_SINGLELINE);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    DeleteObject(font);
    const auto style = GetWindowLongPtrW(control, GWL_STYLE) & BS_TYPEMASK;
    const bool checkBox = lstrcmpiW(ClassOf(control).c_str(), L"Button") == 0 &&
                          (style == BS_AUTOCHECKBOX || style == BS_CHECKBOX);
    return bounds.right - bounds.left + (checkBox ? win32::SystemMetric(SM_CXMENUCHECK, dpi) : 0);
}

BOOL CALLBACK AddChild(HWND child, LPARAM list) {
    // The enumeration hands its caller's pointer over as an integer.
    reinterpret_cast<std::vector<HWND>*>(list)->push_back(  // NOLINT(performance-no-int-to-ptr)
        child);
    return TRUE;
}

int List(HWND window) {
    GUITHREADINFO thread{};
    thread.cbSize = sizeof thread;
    GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &thread);
    RECT client{};
    GetClientRect(window, &client);
    POINT origin{0, 0};
    ClientToScreen(window, &origin);
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
    ReleaseDC(nullptr, screen);
    std::printf("window\t%d\t%d\t%ld\t%ld\t%d\t%d\t%s\n", static_cast<int>(origin.x),
                static_cast<int>(origin.y), client.right, client.bottom, dpi,
                thread.hwndActive == window ? 1 : 0, Utf8(ClassOf(window)).c_str());
    std::vector<HWND> children;
    EnumChildWindows(window, &AddChild, reinterpret_cast<LPARAM>(&children));
    for (HWND child : children) {
        RECT place{};
        GetWindowRect(child, &place);
        MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&place), 2);
        const std::wstring text = win32::ControlText(child);
        DWORD_PTR check = 0;
        const std::wstring kind = ClassOf(child);
        const bool button = lstrcmpiW(kind.c_str(), L"Button") == 0;
        if (button) {
            SendMessageTimeoutW(child, BM_GETCHECK, 0, 0, SMTO_ABORTIFHUNG, kTimeoutMs, &check);
        }
        std::printf("control\t%d\t%s\t%d\t%d\t%d\t%d\t%ld\t%ld\t%ld\t%ld\t%ld\t%s\n",
                    GetDlgCtrlID(child), Utf8(kind).c_str(), IsWindowEnabled(child) ? 1 : 0,
                    IsWindowVisible(child) ? 1 : 0, static_cast<int>(check),
                    thread.hwndFocus == child ? 1 : 0, place.left, place.top, place.right,
                    place.bottom, NeededWidth(child, text, dpi), Utf8(text).c_str());
    }
    return 0;
}

struct Link {
    wchar_t target[MAX_PATH] = {};
    wchar_t directory[MAX_PATH] = {};
    wchar_t arguments[MAX_PATH] = {};
    wchar_t icon[MAX_PATH] = {};
    int iconIndex = 0;
};

// Wine's own shell reads a link's target from the link's location block, which Wine writes
// in the ANSI code page only; Windows resolves it by the link's item list, as this does.
// Prints the target, the working directory, the arguments and the icon, one line each.
bool ReadLink(const wchar_t* file, Link& read) {
    CoInitialize(nullptr);
    IShellLinkW* link = nullptr;
    IPersistFile* persist = nullptr;
    PIDLIST_ABSOLUTE items = nullptr;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                reinterpret_cast<void**>(&link))) ||
        FAILED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&persist))) ||
        FAILED(persist->Load(file, STGM_READ)) || FAILED(link->GetIDList(&items)) ||
        !SHGetPathFromIDListW(items, read.target) ||
        FAILED(link->GetWorkingDirectory(read.directory, MAX_PATH)) ||
        FAILED(link->GetArguments(read.arguments, MAX_PATH)) ||
        FAILED(link->GetIconLocation(read.icon, MAX_PATH, &read.iconIndex))) {
        std::fprintf(stderr, "cannot read the shortcut\n");
        return false;
    }
    std::printf("%s\n%s\n%s\n%s,%d\n", Utf8(read.target).c_str(), Utf8(read.directory).c_str(),
                Utf8(read.arguments).c_str(), Utf8(read.icon).c_str(), read.iconIndex);
    std::fflush(stdout);
    return true;
}

int StartLink(const wchar_t* file) {
    Link link;
    if (!ReadLink(file, link)) {
        return 5;
    }
    std::wstring commandLine = L"\"" + std::wstring(link.target) + L"\" " + link.arguments;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(link.target, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        link.directory[0] != 0 ? link.directory : nullptr, &startup, &process)) {
        std::fprintf(stderr, "cannot start the target\n");
        return 6;
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return 0;
}

int PostSessionChange(WPARAM code) {
    for (HWND window = FindWindowExW(nullptr, nullptr, win32::kByeWindowClass, nullptr);
         window != nullptr;
         window = FindWindowExW(nullptr, window, win32::kByeWindowClass, nullptr)) {
        if (!win32::ShowBegun(window)) {
            return PostMessageW(window, WM_WTSSESSION_CHANGE, code, 0) ? 0 : 2;
        }
    }
    return 2;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: window_probe list|settext|press CAPTION [ID [TEXT]]\n");
        return 1;
    }
    // Places in the screen's own pixels, as the program lays its windows out at any DPI.
    SetProcessDpiAwarenessContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2);
    const std::wstring command = argv[1];
    if (command == L"startlink") {
        return StartLink(argv[2]);
    }
    if (command == L"sessionchange") {
        return PostSessionChange(std::wcstoul(argv[2], nullptr, 16));
    }
    if (command == L"readlink") {
        Link link;
        return ReadLink(argv[2], link) ? 0 : 5;
    }
    HWND window = FindWindowW(nullptr, argv[2]);
    if (window == nullptr) {
        return 2;
    }
    if (command == L"list") {
        return List(window);
    }
    if (command == L"endsession" && argc == 4) {
        // The window's program may end while it answers: that ends the wait too.
        DWORD_PTR answer = 0;
        SendMessageTimeoutW(window, WM_QUERYENDSESSION, 0,
                            static_cast<LPARAM>(std::wcstoul(argv[3], nullptr, 16)), SMTO_NORMAL,
                            kTimeoutMs, &answer);
        return 0;
    }
    if (argc < 4) {
        return 1;
    }
    HWND control = GetDlgItem(window, _wtoi(argv[3]));
    if (control == nullptr) {
        std::fprintf(stderr, "no control with that id\n");
        return 3;
    }
    if (command == L"settext" && argc == 5) {
        DWORD_PTR result = 0;
        SendMessageTimeoutW(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(argv[4]),
                            SMTO_ABORTIFHUNG, kTimeoutMs, &result);
        return result != 0 ? 0 : 4;
    }
    if (command == L"press") {
        PostMessageW(control, BM_CLICK, 0, 0);
        return 0;
    }
    if (command == L"select" && argc == 5) {
        DWORD_PTR result = 0;
        SendMessageTimeoutW(control, LB_SETCURSEL, static_cast<WPARAM>(_wtoi(argv[4])), 0,
                            SMTO_ABORTIFHUNG, kTimeoutMs, &result);
        SendMessageTimeoutW(window, WM_COMMAND, MAKEWPARAM(_wtoi(argv[3]), LBN_SELCHANGE),
                            reinterpret_cast<LPARAM>(control), SMTO_ABORTIFHUNG, kTimeoutMs,
                            &result);
        return 0;
    }
    return 1;
}
