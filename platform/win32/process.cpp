#include "platform/win32/process.h"

#include <cstdint>
#include <cstdio>
#include <vector>

#include "platform/text.h"

namespace win32 {
namespace {

std::wstring ModulePath() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length =
            GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        path.resize(path.size() * 2);
    }
}

// Kernel object names may not hold backslashes, so the path goes in as a hash.
std::wstring InstanceMutexName(const std::wstring& exePath) {
    std::uint64_t hash = 14695981039346656037ULL;
    for (const wchar_t ch : platform::LowerCase(exePath)) {
        hash = (hash ^ static_cast<std::uint16_t>(ch)) * 1099511628211ULL;
    }
    wchar_t name[64] = {};
    std::swprintf(name, 64, L"Local\\Kestro-%016llx", static_cast<unsigned long long>(hash));
    return name;
}

struct VersionInfo {
    std::wstring title;
    int major = 0;
    int minor = 0;
};

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
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    if (VerQueryValueW(data.data(), L"\\", reinterpret_cast<void**>(&fixed), &length) &&
        fixed != nullptr) {
        info.major = HIWORD(fixed->dwFileVersionMS);
        info.minor = LOWORD(fixed->dwFileVersionMS);
    }
    wchar_t* title = nullptr;
    if (VerQueryValueW(data.data(), L"\\StringFileInfo\\041104b0\\FileDescription",
                       reinterpret_cast<void**>(&title), &length) &&
        title != nullptr) {
        info.title = title;
    }
    return info;
}

}  // namespace

Process::Process(std::wstring commandLine)
    : commandLine_(std::move(commandLine)),
      exePath_(ModulePath()),
      instanceMutex_(CreateMutexW(nullptr, FALSE, InstanceMutexName(exePath_).c_str())) {
    previousInstance_ = GetLastError() == ERROR_ALREADY_EXISTS;
    const auto info = ReadVersionInfo(exePath_);
    title_ = info.title.empty() ? L"Kestro" : info.title;
    versionMajor_ = info.major;
    versionMinor_ = info.minor;
}

std::wstring Process::AppPath() const {
    const auto slash = exePath_.find_last_of(L'\\');
    std::wstring folder = exePath_.substr(0, slash);
    // A drive root keeps its backslash, as "C:\".
    return folder.size() == 2 && folder[1] == L':' ? folder + L'\\' : folder;
}

std::wstring Process::ExeName() const {
    std::wstring name = exePath_.substr(exePath_.find_last_of(L'\\') + 1);
    const auto dot = name.find_last_of(L'.');
    return dot == std::wstring::npos ? name : name.substr(0, dot);
}

float Process::TimeOfDay() const {
    SYSTEMTIME now{};
    GetLocalTime(&now);
    return static_cast<float>(now.wHour * 3600 + now.wMinute * 60 + now.wSecond) +
           static_cast<float>(now.wMilliseconds) / 1000.0F;
}

void Process::PumpEvents() {
    MSG message{};
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(message.wParam));
            return;
        }
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

void Process::Sleep(unsigned milliseconds) { ::Sleep(milliseconds); }

void Process::EndProgram() {
    // At once and unconditionally: nothing that could wait on a lock may run while Windows
    // is shutting down.
    TerminateProcess(GetCurrentProcess(), 0);
    ExitProcess(0);
}

}  // namespace win32
