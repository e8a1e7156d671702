#include "platform/win32/file_system.h"

#include <windows.h>

#include <algorithm>

#include "platform/win32/win32_error.h"

namespace win32 {
namespace {

std::vector<std::uint8_t> ReadFrom(HANDLE file, std::size_t count) {
    std::vector<std::uint8_t> bytes(count);
    std::size_t done = 0;
    while (done < count) {
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(count - done, 1U << 30));
        DWORD read = 0;
        if (!ReadFile(file, bytes.data() + done, chunk, &read, nullptr)) {
            throw LastError();
        }
        if (read == 0) {
            break;
        }
        done += read;
    }
    bytes.resize(done);
    return bytes;
}

}  // namespace

Handle OpenForReading(const std::wstring& path) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        throw LastError();
    }
    return Handle(file);
}

bool FileSystem::FileExists(const std::wstring& path) const {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

std::vector<std::uint8_t> FileSystem::ReadBytes(const std::wstring& path, std::uint64_t offset,
                                                std::size_t count) const {
    const Handle file = OpenForReading(path);
    LARGE_INTEGER position{};
    position.QuadPart = static_cast<LONGLONG>(offset);
    if (!SetFilePointerEx(file.Get(), position, nullptr, FILE_BEGIN)) {
        throw LastError();
    }
    return ReadFrom(file.Get(), count);
}

std::vector<std::uint8_t> ReadWholeFile(const std::wstring& path, std::uint64_t maxBytes) {
    const Handle file = OpenForReading(path);
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.Get(), &size)) {
        throw LastError();
    }
    if (static_cast<std::uint64_t>(size.QuadPart) > maxBytes) {
        throw platform::Error(L"The file is too large.");
    }
    return ReadFrom(file.Get(), static_cast<std::size_t>(size.QuadPart));
}

}  // namespace win32
