#pragma once

#include <string>

#include "platform/sign_in.h"

namespace win32 {

// The user's account from the process token, the tasks through the Task Scheduler's COM
// interface (its root folder), and the desktop by the shell's taskbar window.
class SignIn final : public platform::SignIn {
  public:
    platform::UserAccount CurrentUser() override;
    void RegisterTask(const std::wstring& name, const std::wstring& definition) override;
    void DeleteTask(const std::wstring& name) override;
    bool DesktopReady() const override;
};

}  // namespace win32
