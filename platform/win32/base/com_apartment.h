#pragma once

#include <windows.h>
// After windows.h, whose types it uses.
#include <objbase.h>

namespace win32 {

// The calling thread's single-threaded COM apartment, which the picture decoders and the
// windows' COM objects live in, for the life of the scope.
class ComApartment {
  public:
    ComApartment() : initialized_(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;
    ~ComApartment() {
        if (initialized_) {
            CoUninitialize();
        }
    }

  private:
    bool initialized_;
};

// The program's apartment, on its one thread: entered where COM is first needed rather than at
// the start, so that a waiting instance never loads the COM libraries, and kept for the life of
// the process.
inline void EnterApartment() { static const ComApartment apartment; }

}  // namespace win32
