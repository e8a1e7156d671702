#include "platform/win32/session/process.h"

#include <windows.h>

#include <cstdint>
#include <numeric>
#include <optional>

#include "platform/text.h"
#include "platform/texts.h"
#include "platform/win32/base/buffer.h"
#include "platform/win32/base/message_pump.h"
#include "platform/win32/session/version_info.h"

namespace win32 {
namespace {

std::wstring ModulePath() {
    return GrowUntilFits<wchar_t>([](wchar_t* buffer, DWORD size) -> std::optional<DWORD> {
        const DWORD length = GetModuleFileNameW(nullptr, buffer, size);
        // A path that did not fit comes back cut at the buffer's size.
        return length < size ? std::optional(length) : std::nullopt;
    });
}

std::size_t NameStart(const std::wstring& path) {
    const auto slash = path.find_last_of(L'\\');
    return slash == std::wstring::npos ? 0 : slash + 1;
}

Handle OpenInstanceMutex(const std::wstring& exePath, bool& existed) {
    // Only a mutex that already existed sets the error; a stale value must not count.
    SetLastError(ERROR_SUCCESS);
    Handle mutex(CreateMutexW(nullptr, FALSE, InstanceMutexName(exePath).c_str()));
    existed = GetLastError() == ERROR_ALREADY_EXISTS;
    return mutex;
}

}  // namespace

std::wstring InstanceMutexName(const std::wstring& exePath) {
    // Object names may not hold backslashes, and a path may be long: it goes in as an FNV-1a
    // hash, lower-cased because Windows paths ignore case.
    const std::wstring lower = platform::LowerCase(exePath);
    const std::uint64_t hash = std::accumulate(
        lower.begin(), lower.end(), 14695981039346656037ULL, [](std::uint64_t sum, wchar_t ch) {
            return (sum ^ static_cast<std::uint16_t>(ch)) * 1099511628211ULL;
        });
    std::wstring name = L"Local\\Kestro-";
    for (int shift = 60; shift >= 0; shift -= 4) {
        name += L"0123456789abcdef"[(hash >> shift) & 0xFU];
    }
    return name;
}

Process::Process(std::wstring commandLine)
    : commandLine_(std::move(commandLine)),
      exePath_(ModulePath()),
      instanceMutex_(OpenInstanceMutex(exePath_, previousInstance_)) {
    const auto info = ReadVersionInfo(exePath_);
    title_ = info.fileDescription.empty() ? ExeName() : info.fileDescription;
    versionMajor_ = info.major;
    versionMinor_ = info.minor;
}

std::wstring Process::AppPath() const {
    std::wstring folder = exePath_.substr(0, NameStart(exePath_));
    // The backslash goes, except at a drive root ("C:\").
    if (folder.size() > 3 && folder.back() == L'\\') {
        folder.pop_back();
    }
    return folder;
}

std::wstring Process::ExeName() const {
    const std::wstring name = exePath_.substr(NameStart(exePath_));
    return name.substr(0, name.find_last_of(L'.'));
}

static_assert(platform::kJapanesePrimaryLanguage == LANG_JAPANESE);

std::uint16_t Process::UserLanguage() const { return GetUserDefaultUILanguage(); }

std::intptr_t Process::InstanceHandle() const {
    return reinterpret_cast<std::intptr_t>(GetModuleHandleW(nullptr));
}

float Process::TimeOfDay() const {
    SYSTEMTIME now{};
    GetLocalTime(&now);
    const int seconds = now.wHour * 3600 + now.wMinute * 60 + now.wSecond;
    return static_cast<float>(seconds) + static_cast<float>(now.wMilliseconds) / 1000.0F;
}

void Process::PumpEvents() {
    MSG message{};
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            // The process's own message loop must still see it and end.
            PostQuitMessage(static_cast<int>(message.wParam));
            quitPending_ = true;
            return;
        }
        DispatchOne(message);
    }
}

void Process::Sleep(unsigned milliseconds) { ::Sleep(milliseconds); }

void Process::WaitForEvent(unsigned milliseconds) {
    // The quit message put back counts as a new event each time: waiting on it would never
    // wait at all.
    if (quitPending_) {
        ::Sleep(milliseconds);
        return;
    }
    // Only events that came since the last look wake it: PumpEvents has taken the rest.
    MsgWaitForMultipleObjectsEx(0, nullptr, milliseconds, QS_ALLINPUT, 0);
}

void Process::EndProgram() {
    // At once and unconditionally: no DLL detach or static destructor, nothing that could
    // wait on a lock, may run while Windows is shutting down.
    TerminateProcess(GetCurrentProcess(), 0);
    // Not reached; it tells the compiler so.
    ExitProcess(0);
}

}  // namespace win32
