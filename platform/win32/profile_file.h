#pragma once

#include "platform/profile.h"

namespace win32 {

class ProfileFile final : public platform::ProfileFile {
  public:
    std::wstring Read(const std::wstring& file, const std::wstring& section,
                      const std::wstring& key,
                      const std::optional<std::wstring>& defaultValue) override;
    void Write(const std::wstring& file, const std::wstring& section, const std::wstring& key,
               const std::wstring& value) override;
};

}  // namespace win32
