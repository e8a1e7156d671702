#include "platform/win32/session/version_info.h"

#include <windows.h>

#include <cstdint>
#include <vector>

namespace win32 {
namespace {

std::wstring Hex4(unsigned value) {
    static constexpr wchar_t kDigits[] = L"0123456789abcdef";
    std::wstring text(4, L'0');
    for (int i = 3; i >= 0; --i, value >>= 4) {
        text[static_cast<std::size_t>(i)] = kDigits[value & 0xFU];
    }
    return text;
}

// The string table of the resource's first language, as "\StringFileInfo\041104b0\".
std::wstring StringTablePath(const std::vector<std::uint8_t>& data) {
    struct Translation {
        WORD language;
        WORD codePage;
    };
    void* value = nullptr;
    UINT length = 0;
    if (!VerQueryValueW(data.data(), L"\\VarFileInfo\\Translation", &value, &length) ||
        length < sizeof(Translation)) {
        return {};
    }
    const auto* translation = static_cast<const Translation*>(value);
    return L"\\StringFileInfo\\" + Hex4(translation->language) + Hex4(translation->codePage) +
           L"\\";
}

}  // namespace

VersionInfo ReadVersionInfo(const std::wstring& exePath) {
    VersionInfo info;
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(exePath.c_str(), &ignored);
    if (size == 0) {
        return info;
    }
    std::vector<std::uint8_t> data(size);
    if (!GetFileVersionInfoW(exePath.c_str(), 0, size, data.data())) {
        return info;
    }
    void* value = nullptr;
    UINT length = 0;
    if (VerQueryValueW(data.data(), L"\\", &value, &length) && length >= sizeof(VS_FIXEDFILEINFO)) {
        const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(value);
        info.major = HIWORD(fixed->dwFileVersionMS);
        info.minor = LOWORD(fixed->dwFileVersionMS);
    }
    const std::wstring table = StringTablePath(data);
    if (!table.empty() &&
        VerQueryValueW(data.data(), (table + L"FileDescription").c_str(), &value, &length) &&
        length > 0) {
        info.fileDescription = static_cast<const wchar_t*>(value);
    }
    return info;
}

}  // namespace win32
