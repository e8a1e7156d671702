#pragma once

#include <string>

namespace win32 {

// What the executable's version resource says about the program.
struct VersionInfo {
    std::wstring fileDescription;
    int major = 0;
    int minor = 0;
};

// Empty values for a file without a version resource.
VersionInfo ReadVersionInfo(const std::wstring& exePath);

}  // namespace win32
