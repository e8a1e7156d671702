#include "platform/win32/files/file_system.h"

#include <windows.h>

#include <algorithm>
#include <optional>

#include "platform/win32/base/buffer.h"
#include "platform/win32/base/win32_error.h"

namespace win32 {
namespace {

std::vector<std::uint8_t> ReadFrom(HANDLE file, std::size_t count) {
    std::vector<std::uint8_t> bytes(count);
    std::size_t done = 0;
    while (done < count) {
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(count - done, 1U << 30));
        DWORD read = 0;
        Succeeded(ReadFile(file, bytes.data() + done, chunk, &read, nullptr));
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
    Succeeded(SetFilePointerEx(file.Get(), position, nullptr, FILE_BEGIN));
    // The header check asks for megabytes that most pictures do not have: a buffer of the
    // full count would cost the show its time in zeroed pages.
    LARGE_INTEGER size{};
    Succeeded(GetFileSizeEx(file.Get(), &size));
    const auto left = static_cast<std::uint64_t>(std::max<LONGLONG>(size.QuadPart, 0));
    return ReadFrom(file.Get(), left > offset ? std::min<std::uint64_t>(count, left - offset) : 0);
}

std::wstring FileSystem::CurrentDirectory() const {
    return GrowUntilFits<wchar_t>([](wchar_t* buffer, DWORD size) -> std::optional<DWORD> {
        const DWORD length = GetCurrentDirectoryW(size, buffer);
        if (length == 0) {
            throw LastError();
        }
        // Too small a buffer gets the size that it needs instead.
        return length < size ? std::optional(length) : std::nullopt;
    });
}

void FileSystem::CopyOver(const std::wstring& from, const std::wstring& to) {
    Succeeded(CopyFileW(from.c_str(), to.c_str(), FALSE));
}

void FileSystem::RemoveFile(const std::wstring& path) { Succeeded(DeleteFileW(path.c_str())); }

std::wstring FileSystem::CreateTempFile() {
    std::wstring folder(MAX_PATH + 1, L'\0');
    const DWORD length = GetTempPathW(static_cast<DWORD>(folder.size()), folder.data());
    if (length == 0 || length >= folder.size()) {
        throw LastError();
    }
    folder.resize(length);
    // GetTempFileName creates the file, so the name stays ours until we delete it.
    std::wstring path(MAX_PATH, L'\0');
    if (GetTempFileNameW(folder.c_str(), L"kes", 0, path.data()) == 0) {
        throw LastError();
    }
    path.resize(wcslen(path.c_str()));
    return path;
}

std::vector<std::uint8_t> ReadWholeFile(const std::wstring& path, std::uint64_t maxBytes) {
    const Handle file = OpenForReading(path);
    LARGE_INTEGER size{};
    Succeeded(GetFileSizeEx(file.Get(), &size));
    if (static_cast<std::uint64_t>(size.QuadPart) > maxBytes) {
        throw platform::Error(L"The file is too large.");
    }
    return ReadFrom(file.Get(), static_cast<std::size_t>(size.QuadPart));
}

void WriteWholeFile(const std::wstring& path, const std::vector<std::uint8_t>& bytes) {
    // Written beside it first and then moved over it, so that a full disk or a failed write
    // never leaves the file cut.
    const std::wstring fresh = path + L".new";
    HANDLE raw = CreateFileW(fresh.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                             FILE_ATTRIBUTE_NORMAL, nullptr);
    if (raw == INVALID_HANDLE_VALUE) {
        throw LastError();
    }
    Handle file(raw);
    DWORD written = 0;
    DWORD failure = ERROR_SUCCESS;
    if (!WriteFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr)) {
        failure = GetLastError();
    } else if (written != bytes.size()) {
        failure = ERROR_HANDLE_DISK_FULL;
    }
    file.Reset();
    if (failure == ERROR_SUCCESS &&
        !MoveFileExW(fresh.c_str(), path.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        failure = GetLastError();
    }
    if (failure != ERROR_SUCCESS) {
        DeleteFileW(fresh.c_str());
        throw ErrorFromCode(failure);
    }
}

}  // namespace win32
