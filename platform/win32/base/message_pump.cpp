#include "platform/win32/base/message_pump.h"

#include <algorithm>
#include <vector>

namespace win32 {
namespace {

// Windows belong to the thread that made them, and the program has only the one.
std::vector<HWND>& KeyboardWindows() {
    static std::vector<HWND> windows;
    return windows;
}

}  // namespace

void AddKeyboardWindow(HWND window) { KeyboardWindows().push_back(window); }

void RemoveKeyboardWindow(HWND window) {
    auto& windows = KeyboardWindows();
    windows.erase(std::remove(windows.begin(), windows.end(), window), windows.end());
}

void DispatchOne(MSG& message) {
    const auto& windows = KeyboardWindows();
    const HWND top = message.hwnd != nullptr ? GetAncestor(message.hwnd, GA_ROOT) : nullptr;
    if (top != nullptr && std::find(windows.begin(), windows.end(), top) != windows.end() &&
        IsDialogMessageW(top, &message)) {
        return;
    }
    TranslateMessage(&message);
    DispatchMessageW(&message);
}

}  // namespace win32
