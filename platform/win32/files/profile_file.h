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
    std::vector<std::uint8_t> Contents(const std::wstring& file) override;
    void Replace(const std::wstring& file, const std::vector<std::uint8_t>& bytes) override;
    bool FitsCodePage(const std::wstring& text) const override;
    std::wstring FromCodePage(const std::vector<std::uint8_t>& bytes) const override;
};

}  // namespace win32
