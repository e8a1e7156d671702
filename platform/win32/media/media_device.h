#pragma once

#include <windows.h>

#include "platform/media_device.h"
#include "platform/win32/base/handle.h"

namespace win32 {

// The media control interface of winmm, through its command strings.
class MediaDevice final : public platform::MediaDevice {
  public:
    MediaDevice() = default;
    MediaDevice(const MediaDevice&) = delete;
    MediaDevice& operator=(const MediaDevice&) = delete;

    void SendCommand(const std::wstring& command) override;
    void SendNotifyingCommand(const std::wstring& command) override;
    bool EndReported() const override { return endReported_; }
    void SendQuery(const std::wstring& command, std::wstring& reply, unsigned replyLength) override;
    // In device_path.cpp.
    std::wstring DevicePath(const std::wstring& path) override;

    LRESULT OnMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    void OnDestroyed() { listener_.Release(); }

  private:
    // The message-only window that the device posts its report to, made at the first
    // notifying command: a waiting instance never has one.
    HWND Listener();

    Window listener_;
    bool endReported_ = false;
};

}  // namespace win32
