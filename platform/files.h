#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace platform {

class FileSystem {
  public:
    virtual ~FileSystem() = default;

    // A file (not a folder) of that name exists; hidden and system files count.
    virtual bool FileExists(const std::wstring& path) const = 0;
    // Up to `count` bytes from the 0-based `offset`; fewer when the file ends first.
    // Throws when the file cannot be opened.
    virtual std::vector<std::uint8_t> ReadBytes(const std::wstring& path, std::uint64_t offset,
                                                std::size_t count) const = 0;
};

}  // namespace platform
