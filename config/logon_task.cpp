#include "config/logon_task.h"

#include <algorithm>
#include <iterator>
#include <utility>

#include "config/startup.h"
#include "platform/error.h"
#include "platform/text.h"
#include "platform/texts.h"

namespace config {
namespace {

std::wstring Escaped(const std::wstring& text) {
    static constexpr std::pair<wchar_t, const wchar_t*> kEntities[] = {
        {L'&', L"&amp;"}, {L'<', L"&lt;"}, {L'>', L"&gt;"}, {L'"', L"&quot;"}, {L'\'', L"&apos;"}};
    std::wstring escaped;
    for (const wchar_t c : text) {
        const auto* entity = std::find_if(std::begin(kEntities), std::end(kEntities),
                                          [c](const auto& e) { return e.first == c; });
        if (entity != std::end(kEntities)) {
            escaped += entity->second;
        } else {
            escaped += c;
        }
    }
    return escaped;
}

}  // namespace

std::wstring LogonTaskName(const std::wstring& sid) { return kLogonTaskPrefix + sid; }

std::wstring LogonTaskXml(const std::wstring& user, const std::wstring& exePath,
                          const std::wstring& directory) {
    const std::wstring who = Escaped(user);
    // Priority 5 is normal; the Task Scheduler's own default, 7, is below normal, and would
    // make a sign-in show slow beside everything else that starts then. A second start while
    // the first runs is left to the program, which ends a second "/start" itself.
    return LR"(<?xml version="1.0" encoding="UTF-16"?>
<Task version="1.2" xmlns="http://schemas.microsoft.com/windows/2004/02/mit/task">
  <RegistrationInfo>
    <Description>)" +
           Escaped(platform::CurrentTexts().logonTaskDescription) +
           LR"(</Description>
  </RegistrationInfo>
  <Triggers>
    <LogonTrigger>
      <Enabled>true</Enabled>
      <UserId>)" +
           who +
           LR"(</UserId>
    </LogonTrigger>
  </Triggers>
  <Principals>
    <Principal id="Author">
      <UserId>)" +
           who +
           LR"(</UserId>
      <LogonType>InteractiveToken</LogonType>
      <RunLevel>LeastPrivilege</RunLevel>
    </Principal>
  </Principals>
  <Settings>
    <MultipleInstancesPolicy>Parallel</MultipleInstancesPolicy>
    <DisallowStartIfOnBatteries>false</DisallowStartIfOnBatteries>
    <StopIfGoingOnBatteries>false</StopIfGoingOnBatteries>
    <ExecutionTimeLimit>PT0S</ExecutionTimeLimit>
    <Priority>5</Priority>
    <Enabled>true</Enabled>
  </Settings>
  <Actions Context="Author">
    <Exec>
      <Command>)" +
           Escaped(exePath) +
           LR"(</Command>
      <Arguments>)" +
           Escaped(kStartArgument) +
           LR"(</Arguments>
      <WorkingDirectory>)" +
           Escaped(directory) +
           LR"(</WorkingDirectory>
    </Exec>
  </Actions>
</Task>
)";
}

void RegisterLogonTask(platform::SignIn& signIn, const platform::Process& process) {
    platform::IgnoreErrors([&] {
        const platform::UserAccount user = signIn.CurrentUser();
        const std::wstring directory = platform::AddBackslash(process.AppPath());
        signIn.RegisterTask(
            LogonTaskName(user.sid),
            LogonTaskXml(user.name, directory + process.ExeName() + L".exe", process.AppPath()));
    });
}

void UnregisterLogonTask(platform::SignIn& signIn) {
    platform::IgnoreErrors([&] { signIn.DeleteTask(LogonTaskName(signIn.CurrentUser().sid)); });
}

}  // namespace config
