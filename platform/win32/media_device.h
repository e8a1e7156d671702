#pragma once

#include "platform/media_device.h"

namespace win32 {

// The media control interface of winmm, through its command strings.
class MediaDevice final : public platform::MediaDevice {
  public:
    void SendCommand(const std::wstring& command) override;
    void SendQuery(const std::wstring& command, std::wstring& reply, unsigned replyLength) override;
    // In device_path.cpp.
    std::wstring DevicePath(const std::wstring& path) override;
};

}  // namespace win32
