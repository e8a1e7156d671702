#pragma once

#include <string>

namespace platform {

// The show of a session command, or the sign-in show, run as a process of its own: the same
// executable started again, so that a decoder or driver that crashes or hangs in it cannot keep the
// session from ending.
class ShowProcess {
  public:
    virtual ~ShowProcess() = default;

    // Starts the executable again with this argument, to be waited for; throws
    // platform::Error when it cannot.
    virtual void Start(const std::wstring& argument) = 0;
    // Starts it again with this argument and leaves it to run on its own until End, without
    // anything of the command's (an installer sees only the show). Throws platform::Error.
    virtual void Launch(const std::wstring& argument) = 0;
    // Waits at most `milliseconds` for the show process to end, dispatching this process's
    // window events meanwhile; true once it has ended, however it ended.
    virtual bool WaitForEnd(unsigned milliseconds) = 0;
    // The show's window answered a message at once, as Windows asks a window that it may list
    // as not responding; false while it has no window.
    virtual bool Answers() = 0;
    // Ends the show process at once.
    virtual void End() = 0;
    // Ends every show that another process of the same executable runs now (a sign-in or test
    // show): its window is asked to close as another program asks, and a show that does not
    // end soon is ended. A waiting instance that shows nothing is left alone.
    virtual void EndOtherShows() = 0;
    // Another program (an installer) asked the command to close while it waits.
    virtual bool CloseRequested() const = 0;
};

}  // namespace platform
