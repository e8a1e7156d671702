#pragma once

#include <string>

#include "platform/file_lookup.h"

namespace win32 {

class FileLookup final : public platform::FileLookup {
  public:
    bool NormalFileExists(const std::wstring& path) const override;
};

}  // namespace win32
