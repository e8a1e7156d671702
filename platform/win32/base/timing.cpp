#ifdef KESTRO_TIMING

#include "platform/timing.h"

#include <windows.h>

#include <cstdio>

namespace platform {

void TimeStamp(const char* stage) {
    FILETIME now{};
    // The wall clock, which the benchmark's own clock on the Unix side can be set against.
    GetSystemTimePreciseAsFileTime(&now);
    const auto ticks =
        (static_cast<unsigned long long>(now.dwHighDateTime) << 32U) | now.dwLowDateTime;
    constexpr unsigned long long kUnixEpoch = 116444736000000000ULL;
    wchar_t path[MAX_PATH];
    const DWORD length = GetEnvironmentVariableW(L"KESTRO_TIMING_FILE", path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) {
        return;
    }
    HANDLE file = CreateFileW(path, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return;
    }
    char line[128];
    const int size = std::snprintf(line, sizeof line, "%s %.6f\n", stage,
                                   static_cast<double>(ticks - kUnixEpoch) / 1e7);
    DWORD written = 0;
    WriteFile(file, line, static_cast<DWORD>(size), &written, nullptr);
    CloseHandle(file);
}

}  // namespace platform

#endif
