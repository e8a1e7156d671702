#pragma once

#include <string>

namespace platform {

// The style that makes the device's video window a child of the window it is opened in.
inline constexpr long long kVideoInsideWindow = 0x40000000;

// The media device, driven by command strings. A command that fails is not an error: the
// device simply does not do it, and a query then answers nothing.
class MediaDevice {
  public:
    virtual ~MediaDevice() = default;

    // Sends a command that answers nothing.
    virtual void SendCommand(const std::wstring& command) = 0;
    // Sends a command that asks the device, with its "notify" word, to report when it is
    // over; EndReported then turns true. The device reports a command that failed or was
    // cut short too.
    virtual void SendNotifyingCommand(const std::wstring& command) = 0;
    // The device has reported the end of the last notifying command. The report comes as a
    // window event: it is seen once the process has pumped its events.
    virtual bool EndReported() const = 0;
    // Sends a command with `reply` as its reply buffer, of which the device may fill the first
    // `replyLength` characters; the rest keeps what it held.
    virtual void SendQuery(const std::wstring& command, std::wstring& reply,
                           unsigned replyLength) = 0;
    // The form of a file's path that the device opens: the same file, named so that the
    // device's own file layer can reach it.
    virtual std::wstring DevicePath(const std::wstring& path) = 0;
};

}  // namespace platform
