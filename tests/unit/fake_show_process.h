#pragma once

#include "fake_platform.h"
#include "platform/error.h"
#include "platform/show_process.h"

namespace fake {

// A show process as a script. Each wait passes a turn on the process's clock.
class ShowProcess final : public platform::ShowProcess {
  public:
    ShowProcess(Log& log, Process& process) : log_(log), process_(process) {}

    bool startFails = false;
    // Waits after which it has ended by itself, or another program asks the command to
    // close; negative: never.
    int endsAfterWaits = 0;
    int closeAfterWaits = -1;
    bool answers = true;
    int waits = 0;

    std::wstring argument;

    void Start(const std::wstring& shown) override {
        log_.emplace_back("StartShow");
        Started(shown);
    }
    void Launch(const std::wstring& shown) override {
        log_.push_back("LaunchShow " + Narrow(shown));
        Started(shown);
    }
    bool WaitForEnd(unsigned milliseconds) override {
        process_.Sleep(milliseconds);
        ++waits;
        return endsAfterWaits >= 0 && waits >= endsAfterWaits;
    }
    bool Answers() override { return answers; }
    void End() override { log_.emplace_back("EndShow"); }
    void EndOtherShows() override { log_.emplace_back("EndOtherShows"); }
    bool CloseRequested() const override {
        return closeAfterWaits >= 0 && waits >= closeAfterWaits;
    }

  private:
    void Started(const std::wstring& shown) {
        if (startFails) {
            throw platform::Error(L"指定されたファイルが見つかりません。");
        }
        argument = shown;
    }

    Log& log_;
    Process& process_;
};

}  // namespace fake
