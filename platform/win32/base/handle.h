#pragma once

#include <windows.h>

#include <utility>

namespace win32 {

// Owns one handle of the system and gives it back with the function that belongs to its kind,
// on every path out of the scope that made it.
template <typename H, auto Close>
class Owned {
  public:
    Owned() = default;
    explicit Owned(H handle) : handle_(handle) {}
    Owned(const Owned&) = delete;
    Owned& operator=(const Owned&) = delete;
    Owned(Owned&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
    Owned& operator=(Owned&& other) noexcept {
        if (this != &other) {
            Reset(std::exchange(other.handle_, nullptr));
        }
        return *this;
    }
    ~Owned() { Reset(); }

    H Get() const { return handle_; }
    explicit operator bool() const { return handle_ != nullptr; }
    // Gives up ownership without closing, for a handle that is already gone.
    H Release() { return std::exchange(handle_, nullptr); }
    void Reset(H handle = nullptr) {
        // Let go before closing: closing a window sends messages that may look at this.
        if (H old = std::exchange(handle_, handle); old != nullptr) {
            Close(old);
        }
    }

  private:
    H handle_ = nullptr;
};

using Handle = Owned<HANDLE, &CloseHandle>;
using Bitmap = Owned<HBITMAP, &DeleteObject>;
using Brush = Owned<HBRUSH, &DeleteObject>;
using MemoryDc = Owned<HDC, &DeleteDC>;
using Font = Owned<HFONT, &DeleteObject>;
using Window = Owned<HWND, &DestroyWindow>;

}  // namespace win32
