#pragma once

#include <optional>
#include <string>

namespace platform {

// The initialization-file functions of the platform.
class ProfileFile {
  public:
    virtual ~ProfileFile() = default;

    // The whole value of the key, or the default (empty when there is none) when the file,
    // the section or the key is missing. A file that cannot be read counts as missing.
    virtual std::wstring Read(const std::wstring& file, const std::wstring& section,
                              const std::wstring& key,
                              const std::optional<std::wstring>& defaultValue) = 0;
    // Sets the key, creating the file, section or key as needed; throws when the file cannot
    // be written.
    virtual void Write(const std::wstring& file, const std::wstring& section,
                       const std::wstring& key, const std::wstring& value) = 0;
};

}  // namespace platform
