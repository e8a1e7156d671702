#include "dialog_user.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace {

constexpr DWORD kAppearTimeout = 30000;
constexpr DWORD kCloseTimeout = 15000;
constexpr UINT kSendTimeout = 5000;

std::wstring ClassOf(HWND window) {
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    return name;
}

// The dialog windows the thread shows: common dialogs and message boxes alike.
std::vector<HWND> DialogsOf(DWORD thread) {
    std::vector<HWND> windows;
    EnumThreadWindows(
        thread,
        [](HWND window, LPARAM found) {
            if (IsWindowVisible(window) && ClassOf(window) == L"#32770") {
                // NOLINTNEXTLINE(performance-no-int-to-ptr): the list comes as a number.
                reinterpret_cast<std::vector<HWND>*>(found)->push_back(window);
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&windows));
    return windows;
}

HWND DialogOf(DWORD thread) {
    const std::vector<HWND> dialogs = DialogsOf(thread);
    return dialogs.empty() ? nullptr : dialogs.front();
}

void Describe(HWND window, int depth, std::string& out) {
    out += std::string(static_cast<std::size_t>(depth) * 2, ' ') + Utf8(ClassOf(window)) +
           " id=" + std::to_string(GetDlgCtrlID(window)) +
           (IsWindowVisible(window) ? "" : " hidden") + " \"" + Utf8(win32::ControlText(window)) +
           "\"\n";
    for (HWND child = GetWindow(window, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        Describe(child, depth + 1, out);
    }
}

}  // namespace

DialogUser::DialogUser(Script script)
    : dialogThread_(GetCurrentThreadId()), script_(std::move(script)), thread_([this] { Run(); }) {}

DialogUser::~DialogUser() {
    if (thread_.joinable()) {
        thread_.join();
    }
}

std::string DialogUser::Finish() {
    if (thread_.joinable()) {
        thread_.join();
    }
    return failures_;
}

void DialogUser::Run() {
    HWND dialog = nullptr;
    if (!WaitFor([&] { return (dialog = DialogOf(dialogThread_)) != nullptr; }, kAppearTimeout)) {
        failures_ += "no dialog appeared\n";
        return;
    }
    script_(dialog);
    if (WaitFor([&] { return DialogsOf(dialogThread_).empty(); }, kCloseTimeout)) {
        return;
    }
    failures_ += "left open:\n";
    for (HWND window : DialogsOf(dialogThread_)) {
        failures_ += Describe(window);
        PostMessageW(window, WM_CLOSE, 0, 0);
    }
    // A dialog closes on WM_CLOSE as on its Cancel button; what still stays gets Cancel too.
    if (!WaitFor([&] { return DialogsOf(dialogThread_).empty(); }, kCloseTimeout)) {
        for (HWND window : DialogsOf(dialogThread_)) {
            PostMessageW(window, WM_COMMAND, IDCANCEL, 0);
        }
    }
}

HWND FindChild(HWND parent, const wchar_t* className, int id) {
    for (HWND child = GetWindow(parent, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        if (ClassOf(child) == className && (id == -1 || GetDlgCtrlID(child) == id)) {
            return child;
        }
        if (HWND below = FindChild(child, className, id); below != nullptr) {
            return below;
        }
    }
    return nullptr;
}

void TypeInto(HWND edit, const std::wstring& text) {
    DWORD_PTR result = 0;
    SendMessageTimeoutW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()),
                        SMTO_ABORTIFHUNG, kSendTimeout, &result);
}

bool Press(HWND dialog, int buttonId) {
    HWND button = GetDlgItem(dialog, buttonId);
    if (button == nullptr) {
        return false;
    }
    PostMessageW(button, BM_CLICK, 0, 0);
    return true;
}

bool WaitFor(const std::function<bool()>& done, DWORD milliseconds) {
    const ULONGLONG deadline = GetTickCount64() + milliseconds;
    for (;;) {
        if (done()) {
            return true;
        }
        if (GetTickCount64() >= deadline) {
            return false;
        }
        Sleep(50);
    }
}

std::string Describe(HWND window) {
    std::string out;
    Describe(window, 0, out);
    return out;
}

std::string Utf8(const std::wstring& text) {
    if (text.empty()) {
        return {};
    }
    const int size = static_cast<int>(text.size());
    const int length =
        WideCharToMultiByte(CP_UTF8, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), size, utf8.data(), length, nullptr, nullptr);
    return utf8;
}

HWND WaitForAnotherDialog(HWND dialog, DWORD milliseconds) {
    const DWORD thread = GetWindowThreadProcessId(dialog, nullptr);
    HWND other = nullptr;
    WaitFor(
        [&] {
            const std::vector<HWND> dialogs = DialogsOf(thread);
            const auto found = std::find_if(dialogs.begin(), dialogs.end(),
                                            [&](HWND window) { return window != dialog; });
            other = found == dialogs.end() ? nullptr : *found;
            return other != nullptr;
        },
        milliseconds);
    return other;
}
