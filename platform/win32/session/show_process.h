#pragma once

#include <windows.h>

#include "platform/show_process.h"
#include "platform/win32/base/handle.h"
#include "platform/win32/session/process.h"

namespace win32 {

// The show process of a session command or of the sign-in. While a command's runs, the command
// has a hidden window of its own, which an installer closes before it closes any show.
class ShowProcess final : public platform::ShowProcess {
  public:
    explicit ShowProcess(Process& process) : process_(process) {}

    void Start(const std::wstring& argument) override;
    void Launch(const std::wstring& argument) override;
    bool WaitForEnd(unsigned milliseconds) override;
    bool Answers() override;
    void End() override;
    void EndOtherShows() override;
    bool CloseRequested() const override { return closeRequested_; }

    LRESULT OnMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    void OnDestroyed() { window_.Release(); }

  private:
    Process& process_;
    Handle show_;
    DWORD showId_ = 0;
    Window window_;
    bool closeRequested_ = false;
};

// The show window of that process; null when it has none.
HWND ShowWindowOf(DWORD processId);

}  // namespace win32
