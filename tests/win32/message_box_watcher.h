#pragma once

#include <windows.h>

#include <atomic>
#include <chrono>
#include <string>
#include <thread>

#include "platform/win32/settings_ui/control_text.h"

// Watches, from a thread of its own, for a message box of another thread: reads its title
// and text and closes it with its OK button, so that a test of a failure that shows one
// neither hangs nor needs a person.
class MessageBoxWatcher {
  public:
    explicit MessageBoxWatcher(DWORD threadId) : thread_([this, threadId] { Watch(threadId); }) {}
    MessageBoxWatcher(const MessageBoxWatcher&) = delete;
    MessageBoxWatcher& operator=(const MessageBoxWatcher&) = delete;
    ~MessageBoxWatcher() { Stop(); }

    // Waits for the watch to end: the box was closed, or none came in time.
    void Stop() {
        stop_ = true;
        if (thread_.joinable()) {
            thread_.join();
        }
    }

    // Only after Stop.
    int Seen() const { return seen_; }
    const std::wstring& Title() const { return title_; }
    const std::wstring& Text() const { return text_; }

  private:
    static HWND FindBox(DWORD threadId) {
        HWND found = nullptr;
        EnumThreadWindows(
            threadId,
            [](HWND window, LPARAM param) -> BOOL {
                wchar_t className[16] = {};
                GetClassNameW(window, className, 16);
                if (std::wstring(className) == L"#32770" && IsWindowVisible(window)) {
                    *reinterpret_cast<HWND*>(param) = window;
                    return FALSE;
                }
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&found));
        return found;
    }

    // The box's text is the static control that holds any text (the icon's holds none).
    static std::wstring BoxText(HWND box) {
        std::wstring text;
        for (HWND child = GetWindow(box, GW_CHILD); child != nullptr && text.empty();
             child = GetWindow(child, GW_HWNDNEXT)) {
            wchar_t className[16] = {};
            GetClassNameW(child, className, 16);
            if (lstrcmpiW(className, L"Static") == 0) {
                text = win32::ControlText(child);
            }
        }
        return text;
    }

    void Watch(DWORD threadId) {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
        while (std::chrono::steady_clock::now() < deadline) {
            if (HWND box = FindBox(threadId); box != nullptr) {
                ++seen_;
                title_ = win32::ControlText(box);
                text_ = BoxText(box);
                PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                             reinterpret_cast<LPARAM>(GetDlgItem(box, IDOK)));
                // Until it is gone, so that one box counts once.
                while (IsWindow(box) && std::chrono::steady_clock::now() < deadline) {
                    Sleep(10);
                }
            }
            if (stop_) {
                return;
            }
            Sleep(10);
        }
    }

    std::atomic<bool> stop_{false};
    int seen_ = 0;
    std::wstring title_;
    std::wstring text_;
    std::thread thread_;
};
