#include "platform/win32/session/show_process.h"

#include "platform/win32/base/win32_error.h"
#include "platform/win32/base/window_proc.h"

namespace win32 {
namespace {

constexpr wchar_t kClassName[] = L"KestroSessionCommand";
// Long enough for a window that works, short enough to ask again in the next turn.
constexpr UINT kAnswerMilliseconds = 100;
// A terminated process is gone at once; its window goes with it a moment later.
constexpr DWORD kEndMilliseconds = 2000;

struct WindowOfProcess {
    DWORD processId;
    HWND found;
};

BOOL CALLBACK FindWindowOfProcess(HWND window, LPARAM search) {
    auto* wanted = reinterpret_cast<WindowOfProcess*>(search);  // NOLINT(performance-no-int-to-ptr)
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != wanted->processId) {
        return TRUE;
    }
    wanted->found = window;
    return FALSE;
}

}  // namespace

void ShowProcess::Start(const std::wstring& argument) {
    RegisterWindowClass(kClassName, &OwnerWindowProc<ShowProcess>, nullptr);
    window_.Reset(CreateWindowExW(WS_EX_TOOLWINDOW, kClassName, L"Kestro", WS_POPUP, 0, 0, 0, 0,
                                  nullptr, nullptr, GetModuleHandleW(nullptr), this));
    if (!window_) {
        throw LastError();
    }
    Launch(argument);
}

void ShowProcess::Launch(const std::wstring& argument) {
    // CreateProcessW may write into the command line it is given.
    std::wstring commandLine = L"\"" + process_.ExePath() + L"\" " + argument;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    if (!CreateProcessW(process_.ExePath().c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0,
                        nullptr, nullptr, &startup, &started)) {
        throw LastError();
    }
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
    WindowOfProcess search{showId_, nullptr};
    EnumWindows(&FindWindowOfProcess, reinterpret_cast<LPARAM>(&search));
    DWORD_PTR result = 0;
    return search.found != nullptr &&
           SendMessageTimeoutW(search.found, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, kAnswerMilliseconds,
                               &result) != 0;
}

void ShowProcess::End() {
    if (!TerminateProcess(show_.Get(), 1)) {
        throw LastError();
    }
    WaitForSingleObject(show_.Get(), kEndMilliseconds);
}

LRESULT ShowProcess::OnMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CLOSE) {
        closeRequested_ = true;
        return 0;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

}  // namespace win32
