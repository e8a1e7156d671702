#include <windows.h>

#include <string>

#include "platform/ansi.h"
#include "platform/text.h"
#include "platform/win32/media/media_device.h"

namespace win32 {

std::wstring MediaDevice::DevicePath(const std::wstring& path) {
    // Some devices (the wave device among them) open their file through the multimedia file
    // layer, which on some systems takes narrow names only: there a name the ANSI code page
    // cannot hold names no file. The short form of the same file is plain ASCII. It is used
    // only where it keeps the ending, by which the device is chosen.
    if (platform::FitsAnsi(path)) {
        return path;
    }
    const DWORD size = GetShortPathNameW(path.c_str(), nullptr, 0);
    if (size == 0) {
        return path;
    }
    std::wstring shortPath(size, L'\0');
    const DWORD length = GetShortPathNameW(path.c_str(), shortPath.data(), size);
    if (length == 0 || length >= size) {
        return path;
    }
    shortPath.resize(length);
    const auto ending = [](const std::wstring& name) {
        return platform::LowerCase(name.substr(name.find_last_of(L"\\.") + 1));
    };
    return ending(shortPath) == ending(path) ? shortPath : path;
}

}  // namespace win32
