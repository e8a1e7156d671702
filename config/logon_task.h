#pragma once

#include <string>

#include "platform/process.h"
#include "platform/sign_in.h"

// Besides the Startup shortcut, the program starts at sign-in through a task of the Task
// Scheduler, which runs it as soon as the user signs in rather than when Windows gets round to
// the Startup folder. The shortcut stays: where the task cannot be registered it does the job
// alone, and where both run, the later "/start" finds the first one waiting and ends.
namespace config {

// Task names are shared by every user of the machine: each user's task holds the user's SID.
inline constexpr wchar_t kLogonTaskPrefix[] = L"Kestro sign-in ";

std::wstring LogonTaskName(const std::wstring& sid);

// The task's definition in the Task Scheduler's XML: at the sign-in of `user` ("DOMAIN\user"),
// with that user's interactive token and no more rights than the user has, run `exePath` with
// "/start" in `directory`; no time limit, on battery too, at normal priority.
std::wstring LogonTaskXml(const std::wstring& user, const std::wstring& exePath,
                          const std::wstring& directory);

// Registers the current user's task for this executable. A failure is passed over without a
// word: the Startup shortcut starts the program all the same.
void RegisterLogonTask(platform::SignIn& signIn, const platform::Process& process);

// Deletes the current user's task; a missing one, or a failure, is passed over.
void UnregisterLogonTask(platform::SignIn& signIn);

}  // namespace config
