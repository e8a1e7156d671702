#pragma once

#include <cstdint>
#include <string>

namespace platform {

// The running process and its runtime: what it was started with, what it knows about
// itself, its clock and its event loop.
class Process {
  public:
    virtual ~Process() = default;

    // The argument text after the program's own name.
    virtual std::wstring CommandLine() const = 0;
    // Another process of the same executable was already running when this one started.
    virtual bool PreviousInstance() const = 0;

    // The executable's directory, without a trailing backslash (except at a drive root).
    virtual std::wstring AppPath() const = 0;
    // The executable's base name, without extension.
    virtual std::wstring ExeName() const = 0;
    virtual std::wstring Title() const = 0;
    virtual int VersionMajor() const = 0;
    virtual int VersionMinor() const = 0;
    // The Windows language identifier of the user's display language.
    virtual std::uint16_t UserLanguage() const = 0;
    // The module instance handle of the executable, as a number.
    virtual std::intptr_t InstanceHandle() const = 0;

    // Seconds since local midnight, with fraction.
    virtual float TimeOfDay() const = 0;
    // Dispatch every pending window event of the process, then return.
    virtual void PumpEvents() = 0;
    virtual void Sleep(unsigned milliseconds) = 0;
    // Sleeps at most `milliseconds`, and returns as soon as a window event arrives for the
    // process: a long wait that still answers its windows at once. A platform that cannot
    // wake early simply sleeps.
    virtual void WaitForEvent(unsigned milliseconds) { Sleep(milliseconds); }

    // Ends the whole process at once; no further event runs.
    [[noreturn]] virtual void EndProgram() = 0;
};

}  // namespace platform
