#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace platform {

// The initialization-file functions of the platform, and the settings file as bytes. The
// profile functions read and write a file in the ANSI code page or in UTF-16LE with a
// byte-order mark, and keep each in its form; a new file is in the code page.
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

    // The file's bytes; none when there is no file. Throws when it is there but cannot be
    // read.
    virtual std::vector<std::uint8_t> Contents(const std::wstring& file) = 0;
    // Replaces the whole file with the bytes, creating it when needed; throws when it cannot,
    // and then leaves the file as it was.
    virtual void Replace(const std::wstring& file, const std::vector<std::uint8_t>& bytes) = 0;
    // Whether the ANSI code page holds the text exactly, with no character replaced by "?"
    // or a look-alike.
    virtual bool FitsCodePage(const std::wstring& text) const = 0;
    // Bytes in the ANSI code page as text.
    virtual std::wstring FromCodePage(const std::vector<std::uint8_t>& bytes) const = 0;
};

}  // namespace platform
