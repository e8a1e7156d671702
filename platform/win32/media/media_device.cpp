#include "platform/win32/media/media_device.h"

#include <windows.h>
// After windows.h, whose types it uses.
#include <mmsystem.h>

#include <algorithm>
#include <string>

#include "platform/win32/base/com_apartment.h"
#include "platform/win32/base/win32_error.h"
#include "platform/win32/base/window_proc.h"

namespace win32 {
namespace {

constexpr wchar_t kListenerClass[] = L"KestroMediaListener";

}  // namespace

// The constant the program passes in its commands, as Windows defines it.
static_assert(platform::kVideoInsideWindow == WS_CHILD);

// The return codes are not looked at: a command the device cannot carry out simply has no
// effect, and a query then answers nothing. The media drivers find the thread in the
// program's apartment, as they always have: the video drivers build their players out of COM
// objects.
void MediaDevice::SendCommand(const std::wstring& command) {
    EnterApartment();
    mciSendStringW(command.c_str(), nullptr, 0, nullptr);
}

void MediaDevice::SendNotifyingCommand(const std::wstring& command) {
    EnterApartment();
    const HWND listener = Listener();
    endReported_ = false;
    // The window handle travels as the callback's integer, as the device takes it.
    mciSendStringW(command.c_str(), nullptr, 0, listener);
}

HWND MediaDevice::Listener() {
    if (!listener_) {
        RegisterWindowClass(kListenerClass, &OwnerWindowProc<MediaDevice>, nullptr);
        listener_.Reset(CreateWindowExW(0, kListenerClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE,
                                        nullptr, GetModuleHandleW(nullptr), this));
        Succeeded(static_cast<bool>(listener_));
    }
    return listener_.Get();
}

LRESULT MediaDevice::OnMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    // Done, failed, aborted or superseded: whichever it says, the command is over.
    if (message == MM_MCINOTIFY) {
        endReported_ = true;
        return 0;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

void MediaDevice::SendQuery(const std::wstring& command, std::wstring& reply,
                            unsigned replyLength) {
    EnterApartment();
    std::wstring buffer(static_cast<std::size_t>(replyLength) + 1, L'\0');
    mciSendStringW(command.c_str(), buffer.data(), replyLength, nullptr);
    const std::wstring written = buffer.substr(0, buffer.find(L'\0'));
    if (written.empty()) {
        return;
    }
    // With its terminating NUL, as the device writes it.
    const std::wstring answer = written + L'\0';
    std::copy_n(answer.begin(), std::min(answer.size(), reply.size()), reply.begin());
}

}  // namespace win32
