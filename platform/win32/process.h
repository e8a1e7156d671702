#pragma once

#include <windows.h>

#include "platform/process.h"
#include "platform/win32/handle.h"

namespace win32 {

class Process final : public platform::Process {
  public:
    explicit Process(std::wstring commandLine);

    std::wstring CommandLine() const override { return commandLine_; }
    bool PreviousInstance() const override { return previousInstance_; }
    std::wstring AppPath() const override;
    std::wstring ExeName() const override;
    std::wstring Title() const override { return title_; }
    int VersionMajor() const override { return versionMajor_; }
    int VersionMinor() const override { return versionMinor_; }
    float TimeOfDay() const override;
    void PumpEvents() override;
    void Sleep(unsigned milliseconds) override;
    [[noreturn]] void EndProgram() override;

  private:
    std::wstring commandLine_;
    std::wstring exePath_;
    // Held for the life of the process: its existence tells later instances of the same
    // executable that this one runs.
    Handle instanceMutex_;
    bool previousInstance_ = false;
    std::wstring title_;
    int versionMajor_ = 0;
    int versionMinor_ = 0;
};

}  // namespace win32
