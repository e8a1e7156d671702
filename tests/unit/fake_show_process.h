#pragma once

#include "fake_platform.h"
#include "platform/error.h"
#include "platform/show_process.h"

namespace fake {

// A show process as a script: it ends after a number of waits (or never), answers or not,
// and may be asked to close. Each wait passes on the process's clock.
class ShowProcess final : public platform::ShowProcess {
  public:
    ShowProcess(Log& log, Process& process) : log_(log), process_(process) {}

    bool startFails = false;
    // Waits until it ends by itself; negative: never.
    int endsAfterWaits = 0;
    bool answers = true;
    // Waits until another program asks the command to close; negative: never.
    int closeAfterWaits = -1;
    int waits = 0;

    void Start(const std::wstring& /*argument*/) override {
        log_.emplace_back("StartShow");
        if (startFails) {
            throw platform::Error(L"指定されたファイルが見つかりません。");
        }
    }
    bool WaitForEnd(unsigned milliseconds) override {
        process_.Sleep(milliseconds);
        ++waits;
        return endsAfterWaits >= 0 && waits >= endsAfterWaits;
    }
    bool Answers() override { return answers; }
    void End() override { log_.emplace_back("EndShow"); }
    bool CloseRequested() const override {
        return closeAfterWaits >= 0 && waits >= closeAfterWaits;
    }

  private:
    Log& log_;
    Process& process_;
};

}  // namespace fake
