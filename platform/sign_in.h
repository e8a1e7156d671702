#pragma once

#include <string>

namespace platform {

// The account this process runs as.
struct UserAccount {
    // Its security identifier as text ("S-1-5-21-...").
    std::wstring sid;
    // "DOMAIN\user", as the Task Scheduler names a user.
    std::wstring name;
};

// What the start at sign-in needs of Windows besides the Startup folder: the Task Scheduler's
// tasks in its root folder, and whether the user's desktop is there to be seen.
class SignIn {
  public:
    virtual ~SignIn() = default;

    // Throws platform::Error with the platform's description when the account cannot be read.
    virtual UserAccount CurrentUser() = 0;
    // Creates the task of that name from its XML definition, replacing one of the same name,
    // to run with the interactive token of the user it names; throws platform::Error when the
    // Task Scheduler cannot be reached or refuses it (a policy, an old Windows).
    virtual void RegisterTask(const std::wstring& name, const std::wstring& definition) = 0;
    // Deletes the task of that name; a task that is not there is no error.
    virtual void DeleteTask(const std::wstring& name) = 0;
    // The shell has put up the user's desktop: its taskbar is there.
    virtual bool DesktopReady() const = 0;
};

}  // namespace platform
