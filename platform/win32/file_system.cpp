#include "platform/win32/file_system.h"

#include <windows.h>

#include "platform/win32/handle.h"
#include "platform/win32/win32_error.h"

namespace win32 {

bool FileSystem::FileExists(const std::wstring& path) const {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

std::vector<std::uint8_t> FileSystem::ReadBytes(const std::wstring& path, std::uint64_t offset,
                                                std::size_t count) const {
    const Handle file(CreateFileW(path.c_str(), GENERIC_READ,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.Valid()) {
        throw LastError();
    }
    LARGE_INTEGER position{};
    position.QuadPart = static_cast<LONGLONG>(offset);
    if (!SetFilePointerEx(file.Get(), position, nullptr, FILE_BEGIN)) {
        throw LastError();
    }
    std::vector<std::uint8_t> bytes(count);
    DWORD read = 0;
    if (!ReadFile(file.Get(), bytes.data(), static_cast<DWORD>(count), &read, nullptr)) {
        throw LastError();
    }
    bytes.resize(read);
    return bytes;
}

}  // namespace win32
