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

    // The process's current directory, without a trailing backslash (except at a drive root).
    virtual std::wstring CurrentDirectory() const = 0;
    // Copies `from` to `to`, replacing a file of that name; throws when it cannot.
    virtual void CopyOver(const std::wstring& from, const std::wstring& to) = 0;
    // Throws when the file cannot be deleted, a missing one included.
    virtual void RemoveFile(const std::wstring& path) = 0;
    // Creates an empty file in the user's temporary folder, under a name no other file has
    // there, and returns its full path; throws when it cannot.
    virtual std::wstring CreateTempFile() = 0;
};

}  // namespace platform
