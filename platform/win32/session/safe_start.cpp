#include "platform/win32/session/safe_start.h"

#include <windows.h>
// After windows.h, whose types it uses.
#include <delayimp.h>

namespace {

// Every system DLL but KERNEL32 is delay-loaded (see CMakeLists.txt), and comes from System32
// alone, together with the DLLs it depends on: beside kestro.exe (a Downloads folder) anybody
// may have put one of the same name. A DLL is loaded when the program first calls it, so a
// waiting instance never holds the sound's DLLs.
FARPROC WINAPI LoadFromSystem32(unsigned notice, PDelayLoadInfo load) {
    if (notice != dliNotePreLoadLibrary) {
        return nullptr;
    }
    return reinterpret_cast<FARPROC>(
        LoadLibraryExA(load->szDll, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32));
}

}  // namespace

// The delay-load helper's hook, by the name it looks for.
extern "C" {
decltype(__pfnDliNotifyHook2) __pfnDliNotifyHook2 = &LoadFromSystem32;
}

namespace win32 {
namespace {

// Wine's user32 imports version.dll, which is not on Windows' list of known DLLs; loaded from
// System32 before user32, it is found in the process rather than beside the program.
constexpr const wchar_t* kUser32Dependency = L"version.dll";

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
    // Kept for the life of the process, as an import would be.
    LoadLibraryExW(kUser32Dependency, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX);
    SetUnhandledExceptionFilter(&EndOnUnhandled);
}

void EndOnAnyFault() {
    static const PVOID handler = AddVectoredExceptionHandler(1, &EndOnFault);
    static_cast<void>(handler);
}

}  // namespace win32
