#include "platform/win32/media_device.h"

#include <windows.h>
// After windows.h, whose types it uses.
#include <mmsystem.h>

#include <algorithm>
#include <string>

#include "platform/win32/com_apartment.h"

namespace win32 {

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
