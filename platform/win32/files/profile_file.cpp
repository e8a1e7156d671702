#include "platform/win32/files/profile_file.h"

#include <windows.h>

#include <optional>
#include <string>

#include "platform/ansi.h"
#include "platform/win32/base/buffer.h"
#include "platform/win32/base/win32_error.h"
#include "platform/win32/files/file_system.h"

namespace win32 {
namespace {

// Far more than any settings file holds: a larger file is not one to rewrite.
constexpr std::uint64_t kMaxFileBytes = 16ULL * 1024 * 1024;

}  // namespace

std::wstring ProfileFile::Read(const std::wstring& file, const std::wstring& section,
                               const std::wstring& key,
                               const std::optional<std::wstring>& defaultValue) {
    // A value that does not fit comes back cut, and the answer is then size - 1: the buffer
    // grows until the whole value came back, so that a long media path stays whole.
    return GrowUntilFits<wchar_t>([&](wchar_t* buffer, DWORD size) -> std::optional<DWORD> {
        const DWORD copied = GetPrivateProfileStringW(
            section.c_str(), key.c_str(), defaultValue ? defaultValue->c_str() : nullptr, buffer,
            size, file.c_str());
        return copied < size - 1 ? std::optional(copied) : std::nullopt;
    });
}

void ProfileFile::Write(const std::wstring& file, const std::wstring& section,
                        const std::wstring& key, const std::wstring& value) {
    // The profile functions keep the file in its form: a file in the ANSI code page stays in
    // it, a UTF-16LE one in Unicode. The caller has chosen the form before.
    Succeeded(
        WritePrivateProfileStringW(section.c_str(), key.c_str(), value.c_str(), file.c_str()));
}

std::vector<std::uint8_t> ProfileFile::Contents(const std::wstring& file) {
    if (GetFileAttributesW(file.c_str()) == INVALID_FILE_ATTRIBUTES) {
        const DWORD error = GetLastError();
        if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) {
            return {};
        }
        throw ErrorFromCode(error);
    }
    return ReadWholeFile(file, kMaxFileBytes);
}

void ProfileFile::Replace(const std::wstring& file, const std::vector<std::uint8_t>& bytes) {
    WriteWholeFile(file, bytes);
}

bool ProfileFile::FitsCodePage(const std::wstring& text) const { return platform::FitsAnsi(text); }

std::wstring ProfileFile::FromCodePage(const std::vector<std::uint8_t>& bytes) const {
    return platform::FromAnsi(std::string(bytes.begin(), bytes.end()));
}

}  // namespace win32
