#include "platform/win32/session/show_process.h"

#include <optional>
#include <utility>
#include <vector>

#include "platform/text.h"
#include "platform/win32/base/buffer.h"
#include "platform/win32/base/win32_error.h"
#include "platform/win32/base/window_proc.h"
#include "platform/win32/show/bye_window.h"

namespace win32 {
namespace {

constexpr wchar_t kClassName[] = L"KestroSessionCommand";
// Long enough for a window that works, short enough to ask again in the next turn.
constexpr UINT kAnswerMilliseconds = 100;
// A terminated process is gone at once; its window goes with it a moment later.
constexpr DWORD kEndMilliseconds = 2000;

// The top-level show windows, with the processes that own them.
std::vector<std::pair<HWND, DWORD>> ShowWindows() {
    std::vector<std::pair<HWND, DWORD>> found;
    for (HWND window = FindWindowExW(nullptr, nullptr, kByeWindowClass, nullptr); window != nullptr;
         window = FindWindowExW(nullptr, window, kByeWindowClass, nullptr)) {
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        found.emplace_back(window, owner);
    }
    return found;
}

std::wstring ImagePath(HANDLE process) {
    return GrowUntilFits<wchar_t>([&](wchar_t* buffer, DWORD size) -> std::optional<DWORD> {
        DWORD length = size;
        if (QueryFullProcessImageNameW(process, 0, buffer, &length)) {
            return length;
        }
        // Any other failure: no path, which matches no executable.
        return GetLastError() == ERROR_INSUFFICIENT_BUFFER ? std::nullopt : std::optional<DWORD>(0);
    });
}

}  // namespace

HWND ShowWindowOf(DWORD processId) {
    for (const auto& [window, owner] : ShowWindows()) {
        if (owner == processId) {
            return window;
        }
    }
    return nullptr;
}

void ShowProcess::Start(const std::wstring& argument) {
    RegisterWindowClass(kClassName, &OwnerWindowProc<ShowProcess>, nullptr);
    window_.Reset(CreateWindowExW(WS_EX_TOOLWINDOW, kClassName, L"Kestro", WS_POPUP, 0, 0, 0, 0,
                                  nullptr, nullptr, GetModuleHandleW(nullptr), this));
    Succeeded(window_.Get() != nullptr);
    Launch(argument);
}

void ShowProcess::Launch(const std::wstring& argument) {
    // CreateProcessW may write into the command line it is given.
    std::wstring commandLine = L"\"" + process_.ExePath() + L"\" " + argument;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    Succeeded(CreateProcessW(process_.ExePath().c_str(), commandLine.data(), nullptr, nullptr,
                             FALSE, 0, nullptr, nullptr, &startup, &started));
    // The show may take the foreground from the command that the user started, so that its
    // keys reach it.
    AllowSetForegroundWindow(started.dwProcessId);
    CloseHandle(started.hThread);
    show_.Reset(started.hProcess);
    showId_ = started.dwProcessId;
}

bool ShowProcess::WaitForEnd(unsigned milliseconds) {
    const HANDLE show = show_.Get();
    const DWORD woken = MsgWaitForMultipleObjectsEx(1, &show, milliseconds, QS_ALLINPUT, 0);
    process_.PumpEvents();
    // A process that cannot be waited on any more counts as gone.
    return woken == WAIT_OBJECT_0 || woken == WAIT_FAILED ||
           WaitForSingleObject(show, 0) != WAIT_TIMEOUT;
}

bool ShowProcess::Answers() {
    // The show's own window: another window of that process (a decoder's, a driver's) may hang
    // while the show goes on, or answer while the show hangs.
    const HWND window = ShowWindowOf(showId_);
    DWORD_PTR result = 0;
    return window != nullptr && SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG,
                                                    kAnswerMilliseconds, &result) != 0;
}

void ShowProcess::End() {
    Succeeded(TerminateProcess(show_.Get(), 1));
    WaitForSingleObject(show_.Get(), kEndMilliseconds);
}

void ShowProcess::EndOtherShows() {
    const std::wstring exePath = platform::LowerCase(process_.ExePath());
    for (const auto& [window, owner] : ShowWindows()) {
        if (owner == GetCurrentProcessId() || !ShowBegun(window)) {
            continue;
        }
        const Handle other(OpenProcess(
            SYNCHRONIZE | PROCESS_TERMINATE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, owner));
        if (!other || platform::LowerCase(ImagePath(other.Get())) != exePath) {
            continue;
        }
        // As another program closes it: the show ends its process at once, without a show.
        PostMessageW(window, WM_CLOSE, 0, 0);
        if (WaitForSingleObject(other.Get(), kEndMilliseconds) == WAIT_TIMEOUT) {
            TerminateProcess(other.Get(), 1);
            WaitForSingleObject(other.Get(), kEndMilliseconds);
        }
    }
}

LRESULT ShowProcess::OnMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CLOSE) {
        closeRequested_ = true;
        return 0;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

}  // namespace win32
