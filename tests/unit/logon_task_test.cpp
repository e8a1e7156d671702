#include "config/logon_task.h"

#include <gtest/gtest.h>

#include <regex>
#include <string>

#include "app/forms.h"
#include "fake_os.h"
#include "show/desktop_wait.h"

namespace {

const std::wstring kTask = L"Kestro sign-in S-1-5-21-7-8-9-1001";

// The text of the last element of `path` ("Triggers/LogonTrigger/UserId"), each step found
// after the one before; "?" when one is missing.
std::wstring ElementText(const std::wstring& xml, std::wstring path) {
    for (auto at = path.find(L'/'); at != std::wstring::npos; at = path.find(L'/', at)) {
        path.replace(at, 1, L"[ >][\\s\\S]*?<");
    }
    std::wsmatch match;
    return std::regex_search(xml, match, std::wregex(L"<" + path + L">([^<]*)<")) ? match[1].str()
                                                                                  : L"?";
}

TEST(LogonTaskTest, TheDefinitionStartsThisExecutableAtTheUsersSignIn) {
    fake::Os os;
    os.process.appPath = L"C:\\Tom & Jerry\\<写真>";
    config::RegisterLogonTask(os.signIn, os.process);
    ASSERT_EQ(os.signIn.tasks.size(), 1U);
    const std::wstring& xml = os.signIn.tasks[kTask];
    const struct {
        const wchar_t* path;
        const wchar_t* text;
    } cases[] = {
        {L"Triggers/LogonTrigger/UserId", L"PC\\ゆうき"},
        {L"Principals/UserId", L"PC\\ゆうき"},
        {L"Principals/LogonType", L"InteractiveToken"},
        {L"Principals/RunLevel", L"LeastPrivilege"},
        {L"Settings/ExecutionTimeLimit", L"PT0S"},
        {L"Settings/DisallowStartIfOnBatteries", L"false"},
        {L"Settings/StopIfGoingOnBatteries", L"false"},
        {L"Settings/Priority", L"5"},
        {L"Settings/Enabled", L"true"},
        {L"Actions/Exec/Command", L"C:\\Tom &amp; Jerry\\&lt;写真&gt;\\kestro.exe"},
        {L"Actions/Exec/Arguments", L"/start"},
        {L"Actions/Exec/WorkingDirectory", L"C:\\Tom &amp; Jerry\\&lt;写真&gt;"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ElementText(xml, c.path), c.text) << testing::PrintToString(c.path);
    }
}

// Where the Task Scheduler refuses, the Startup shortcut does the job alone, without a word.
TEST(LogonTaskTest, AFailureIsPassedOverWithoutAWord) {
    for (const bool userFails : {true, false}) {
        fake::Os os;
        os.signIn.userFails = userFails;
        os.signIn.schedulerFails = !userFails;
        os.signIn.tasks[kTask] = L"old";
        EXPECT_NO_THROW(config::RegisterLogonTask(os.signIn, os.process));
        EXPECT_NO_THROW(config::UnregisterLogonTask(os.signIn));
        EXPECT_EQ(os.signIn.tasks[kTask], L"old");
        EXPECT_TRUE(os.messages.shown.empty());
    }
}

TEST(DesktopWaitTest, ASignInPictureWaitsForTheDesktopWithinItsBound) {
    const struct {
        int readyAtLook;  // 0: never
        double waited;    // seconds, on the process's clock
    } waits[] = {{1, 0.0}, {4, 0.3}, {0, show::kDesktopWaitSeconds}};
    for (const auto& c : waits) {
        fake::Os os;
        os.signIn.readyAtLook = c.readyAtLook;
        const double start = os.process.timeOfDay;
        show::WaitForDesktop(os.process, os.signIn);
        EXPECT_NEAR(os.process.timeOfDay - start, c.waited, 0.11) << c.readyAtLook;
        EXPECT_GE(os.process.pumps, c.waited * 10);
    }
    const struct {
        show::Moment moment;
        const wchar_t* file;
        bool waits;
    } shows[] = {
        {show::Moment::SignIn, L"C:\\hello.png", true},
        {show::Moment::SignIn, L"C:\\hello.wav", false},  // a sound is heard without a desktop
        {show::Moment::Exit, L"C:\\hello.png", false},
    };
    for (const auto& c : shows) {
        fake::Os os;
        os.SetIni(L"MediaFile", c.file);
        os.SetIni(L"LogonFile", c.file);
        EXPECT_THROW(app::TheByeWindow(os.platform).Serve(c.moment), fake::ProgramEnded);
        EXPECT_EQ(os.signIn.looks > 0, c.waits) << fake::Narrow(c.file);
    }
}

}  // namespace
