#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/files.h"
#include "platform/win32/base/handle.h"

namespace win32 {

class FileSystem final : public platform::FileSystem {
  public:
    bool FileExists(const std::wstring& path) const override;
    std::vector<std::uint8_t> ReadBytes(const std::wstring& path, std::uint64_t offset,
                                        std::size_t count) const override;
    std::wstring CurrentDirectory() const override;
    void CopyOver(const std::wstring& from, const std::wstring& to) override;
    void RemoveFile(const std::wstring& path) override;
    std::wstring CreateTempFile() override;
};

// Opens an existing file for reading, leaving others free to read and write it too;
// throws platform::Error when it cannot.
Handle OpenForReading(const std::wstring& path);

// The whole file; throws platform::Error when it cannot be read or holds more than maxBytes.
std::vector<std::uint8_t> ReadWholeFile(const std::wstring& path, std::uint64_t maxBytes);

// Replaces the whole file with the bytes, creating it when needed; throws platform::Error
// when it cannot, and then leaves the file as it was.
void WriteWholeFile(const std::wstring& path, const std::vector<std::uint8_t>& bytes);

}  // namespace win32
