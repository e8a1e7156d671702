#include "platform/win32/session/session.h"

#include <reason.h>

#include "platform/win32/base/win32_error.h"
#include "platform/win32/session/process.h"

namespace win32 {
namespace {

// The first of the applications' levels (0x300-0x3FF): asked before every other program.
constexpr DWORD kFirstApplicationLevel = 0x3FF;

HWND WindowOf(std::intptr_t window) {
    return reinterpret_cast<HWND>(window);  // NOLINT(performance-no-int-to-ptr)
}

// Windows' fast start-up: the shut-down hibernates the kernel session when it is on.
bool FastStartUpEnabled() {
    DWORD enabled = 0;
    DWORD size = sizeof enabled;
    const LSTATUS status = RegGetValueW(
        HKEY_LOCAL_MACHINE, L"SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Power",
        L"HiberbootEnabled", RRF_RT_REG_DWORD, nullptr, &enabled, &size);
    return status == ERROR_SUCCESS && enabled == 1;
}

// Shutting down or restarting needs the privilege to be enabled in the process's token.
void EnableShutdownPrivilege() {
    HANDLE token = nullptr;
    Succeeded(OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &token));
    const Handle owned(token);
    TOKEN_PRIVILEGES privileges{};
    privileges.PrivilegeCount = 1;
    privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
    Succeeded(LookupPrivilegeValueW(nullptr, SE_SHUTDOWN_NAME, &privileges.Privileges[0].Luid));
    // It succeeds without the privilege too, and says so only in the last error.
    SetLastError(ERROR_SUCCESS);
    Succeeded(AdjustTokenPrivileges(owned.Get(), FALSE, &privileges, 0, nullptr, nullptr));
    if (GetLastError() == ERROR_NOT_ALL_ASSIGNED) {
        throw ErrorFromCode(ERROR_NOT_ALL_ASSIGNED);
    }
}

// The ExitWindowsEx flags for an end of the session; a shut-down powers off, and keeps fast
// start-up when it is turned on, as the Start menu's shut-down does.
UINT ExitFlags(platform::SessionEnd how, bool fastStartUp) {
    switch (how) {
        case platform::SessionEnd::ShutDown:
            return EWX_SHUTDOWN | EWX_POWEROFF | (fastStartUp ? EWX_HYBRID_SHUTDOWN : 0U);
        case platform::SessionEnd::Restart:
            return EWX_REBOOT;
        case platform::SessionEnd::LogOff:
            return EWX_LOGOFF;
    }
    return EWX_LOGOFF;
}

}  // namespace

Session::Session(const std::wstring& exePath) : namePrefix_(InstanceMutexName(exePath)) {}

void Session::AskFirstAtSessionEnd() {
    // Without SHUTDOWN_NORETRY: Windows may not end the show on its own.
    Succeeded(SetProcessShutdownParameters(kFirstApplicationLevel, 0));
}

void Session::SetBlockReason(std::intptr_t window, const std::wstring& reason) {
    Succeeded(ShutdownBlockReasonCreate(WindowOf(window), reason.c_str()));
}

void Session::ClearBlockReason(std::intptr_t window) {
    Succeeded(ShutdownBlockReasonDestroy(WindowOf(window)));
}

bool Session::ClaimCommand() {
    // Only a mutex that already existed sets the error; a stale value must not count.
    SetLastError(ERROR_SUCCESS);
    commandMutex_.Reset(CreateMutexW(nullptr, FALSE, CommandMutexName().c_str()));
    Succeeded(commandMutex_.Get() != nullptr);
    return GetLastError() != ERROR_ALREADY_EXISTS;
}

bool Session::CommandClaimed() const {
    return static_cast<bool>(Handle(OpenMutexW(SYNCHRONIZE, FALSE, CommandMutexName().c_str())));
}

Handle& Session::Announcement() {
    if (!announcement_) {
        // Manual reset: once set, it stays set for every later look.
        announcement_.Reset(CreateEventW(nullptr, TRUE, FALSE, (namePrefix_ + L"-ending").c_str()));
        Succeeded(announcement_.Get() != nullptr);
    }
    return announcement_;
}

void Session::ListenForCommand() { Announcement(); }

bool Session::CommandAnnounced() const {
    return announcement_ && WaitForSingleObject(announcement_.Get(), 0) == WAIT_OBJECT_0;
}

void Session::AnnounceCommand() { Succeeded(SetEvent(Announcement().Get())); }

void Session::WithdrawCommand() {
    commandMutex_.Reset();
    Succeeded(ResetEvent(Announcement().Get()));
}

void Session::OfferShow() {
    // Auto-reset: the first look takes the offer, every later one finds it taken. Made once: a
    // second CreateEventW would open it as it is, taken, whatever its initial state says.
    if (!showOffer_) {
        showOffer_.Reset(CreateEventW(nullptr, FALSE, FALSE, ShowOfferName().c_str()));
        Succeeded(showOffer_.Get() != nullptr);
    }
    Succeeded(SetEvent(showOffer_.Get()));
}

bool Session::TakeShowOffer() {
    const Handle offer(OpenEventW(SYNCHRONIZE, FALSE, ShowOfferName().c_str()));
    return offer && WaitForSingleObject(offer.Get(), 0) == WAIT_OBJECT_0;
}

void Session::EndSession(platform::SessionEnd how) {
    if (how != platform::SessionEnd::LogOff) {
        EnableShutdownPrivilege();
    }
    Succeeded(ExitWindowsEx(ExitFlags(how, FastStartUpEnabled()), SHTDN_REASON_MAJOR_OTHER |
                                                                      SHTDN_REASON_MINOR_OTHER |
                                                                      SHTDN_REASON_FLAG_PLANNED));
}

}  // namespace win32
