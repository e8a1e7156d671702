#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <thread>

#include "platform/win32/settings_ui/control_text.h"

// Plays the user of one modal dialog that the constructing thread is about to open: a second
// thread waits for the dialog to appear among that thread's windows and runs the script on
// it, as a person at the screen would. A dialog that does not appear in time, or that the
// script leaves open, is noted as a failure, and every window still open on the dialog's
// thread is closed, so that a test fails instead of hanging.
class DialogUser {
  public:
    using Script = std::function<void(HWND dialog)>;

    explicit DialogUser(Script script);
    DialogUser(const DialogUser&) = delete;
    DialogUser& operator=(const DialogUser&) = delete;
    ~DialogUser();

    // Waits for the script to end; what went wrong, or an empty text.
    std::string Finish();

  private:
    void Run();

    DWORD dialogThread_;
    Script script_;
    std::string failures_;
    std::thread thread_;
};

// The first window below `parent` (at any depth) of that class and, unless -1, that control
// id; null when there is none.
HWND FindChild(HWND parent, const wchar_t* className, int id = -1);
// Puts the text into an edit box, as typing it over a selected old text would.
void TypeInto(HWND edit, const std::wstring& text);
// Clicks the dialog's button with that id; false when the dialog has none.
bool Press(HWND dialog, int buttonId);
// Another dialog of the same thread, such as a message box the dialog raised; null when none
// appears in time.
HWND WaitForAnotherDialog(HWND dialog, DWORD milliseconds);
// Polls `done` every 50 ms for up to `milliseconds`; its last answer.
bool WaitFor(const std::function<bool()>& done, DWORD milliseconds);
// The window and all below it, one line each: class, id, text. For failure messages.
std::string Describe(HWND window);
// UTF-8, for failure messages.
std::string Utf8(const std::wstring& text);
