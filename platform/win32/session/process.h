#pragma once

#include <string>

#include "platform/process.h"
#include "platform/win32/base/handle.h"

namespace win32 {

class Process final : public platform::Process {
  public:
    // The argument text exactly as Windows handed it to the entry point.
    explicit Process(std::wstring commandLine);

    std::wstring CommandLine() const override { return commandLine_; }
    const std::wstring& ExePath() const { return exePath_; }
    bool PreviousInstance() const override { return previousInstance_; }
    std::wstring AppPath() const override;
    std::wstring ExeName() const override;
    std::wstring Title() const override { return title_; }
    int VersionMajor() const override { return versionMajor_; }
    int VersionMinor() const override { return versionMinor_; }
    std::uint16_t UserLanguage() const override;
    std::intptr_t InstanceHandle() const override;
    float TimeOfDay() const override;
    void PumpEvents() override;
    void Sleep(unsigned milliseconds) override;
    void WaitForEvent(unsigned milliseconds) override;
    [[noreturn]] void EndProgram() override;

  private:
    std::wstring commandLine_;
    std::wstring exePath_;
    // Before the mutex: opening the mutex sets it.
    bool previousInstance_ = false;
    // Held for the life of the process: while it exists, later starts of the same executable
    // know that this one runs.
    Handle instanceMutex_;
    std::wstring title_;
    int versionMajor_ = 0;
    int versionMinor_ = 0;
    // PumpEvents met the end of the message loop and put it back for the loop to see.
    bool quitPending_ = false;
};

// The name of the mutex that marks a running instance of the executable at that path.
std::wstring InstanceMutexName(const std::wstring& exePath);

}  // namespace win32
