#include "platform/win32/safe_start.h"

#include <windows.h>

#include <array>

namespace win32 {
namespace {

// The DLLs the program uses that are not on Windows' list of known DLLs, for which Windows
// would look beside kestro.exe first, where anybody may have put one of that name (a Downloads
// folder). Like every system DLL but KERNEL32 they are delay-loaded (see CMakeLists.txt); they
// are loaded here from System32, and the delay-load helper then finds them in the process.
constexpr std::array<const wchar_t*, 2> kSystemDlls = {L"winmm.dll", L"version.dll"};

constexpr DWORD kHeapCorruption = 0xC0000374;

// The process ends as the end of the show ends it.
[[noreturn]] void EndNow() {
    TerminateProcess(GetCurrentProcess(), 0);
    ExitProcess(0);
}

LONG WINAPI EndOnUnhandled(EXCEPTION_POINTERS* /*exception*/) { EndNow(); }

bool IsFault(DWORD code) {
    switch (code) {
        case EXCEPTION_ACCESS_VIOLATION:
        case EXCEPTION_IN_PAGE_ERROR:
        case EXCEPTION_ILLEGAL_INSTRUCTION:
        case EXCEPTION_PRIV_INSTRUCTION:
        case EXCEPTION_INT_DIVIDE_BY_ZERO:
        case EXCEPTION_INT_OVERFLOW:
        case EXCEPTION_STACK_OVERFLOW:
        case EXCEPTION_ARRAY_BOUNDS_EXCEEDED:
        case EXCEPTION_DATATYPE_MISALIGNMENT:
        case kHeapCorruption:
            return true;
        default:
            return false;
    }
}

// Sees every exception before any handler does; the program's own (C++ exceptions, which
// its handlers catch) pass on.
LONG WINAPI EndOnFault(EXCEPTION_POINTERS* exception) {
    if (IsFault(exception->ExceptionRecord->ExceptionCode)) {
        EndNow();
    }
    return EXCEPTION_CONTINUE_SEARCH;
}

}  // namespace

void GuardProcess() {
    // Every DLL loaded from here on, and every DLL it depends on, comes from System32.
    SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
    for (const auto* dll : kSystemDlls) {
        // Kept for the life of the process, as an import would be.
        LoadLibraryExW(dll, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    }
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX);
    SetUnhandledExceptionFilter(&EndOnUnhandled);
}

void EndOnAnyFault() {
    static const PVOID handler = AddVectoredExceptionHandler(1, &EndOnFault);
    static_cast<void>(handler);
}

}  // namespace win32
