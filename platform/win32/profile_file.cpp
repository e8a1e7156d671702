#include "platform/win32/profile_file.h"

#include <windows.h>

#include <string>

#include "platform/ansi.h"
#include "platform/win32/win32_error.h"

namespace win32 {

std::wstring ProfileFile::Read(const std::wstring& file, const std::wstring& section,
                               const std::wstring& key,
                               const std::optional<std::wstring>& defaultValue) {
    const std::string ansiFile = platform::ToAnsi(file);
    const std::string ansiSection = platform::ToAnsi(section);
    const std::string ansiKey = platform::ToAnsi(key);
    const std::string ansiDefault = defaultValue ? platform::ToAnsi(*defaultValue) : std::string();
    // A value that does not fit comes back cut, and the answer is then size - 1: the buffer
    // grows until the whole value came back, so that a long media path stays whole.
    for (DWORD size = 256;; size *= 2) {
        std::string buffer(size, '\0');
        const DWORD copied = GetPrivateProfileStringA(ansiSection.c_str(), ansiKey.c_str(),
                                                      defaultValue ? ansiDefault.c_str() : nullptr,
                                                      buffer.data(), size, ansiFile.c_str());
        if (copied < size - 1) {
            buffer.resize(copied);
            return platform::FromAnsi(buffer);
        }
    }
}

void ProfileFile::Write(const std::wstring& file, const std::wstring& section,
                        const std::wstring& key, const std::wstring& value) {
    // The file is in the ANSI code page: a character it cannot hold would be stored as "?",
    // and the value, or the path of the file, would silently be another.
    if (!WritePrivateProfileStringA(
            platform::ToAnsiExactly(section).c_str(), platform::ToAnsiExactly(key).c_str(),
            platform::ToAnsiExactly(value).c_str(), platform::ToAnsiExactly(file).c_str())) {
        throw LastError();
    }
}

}  // namespace win32
