#pragma once

#include <memory>
#include <string>

#include "platform/shell.h"

namespace win32 {

class Shell final : public platform::Shell {
  public:
    std::wstring SpecialFolderPath(int csidl) override;
    std::unique_ptr<platform::ShellLink> CreateShellLink() override;
};

}  // namespace win32
