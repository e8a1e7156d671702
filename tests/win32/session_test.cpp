#include "platform/win32/session/session.h"

#include <gtest/gtest.h>

namespace {

using platform::SessionEnd;

TEST(SessionTest, ExitFlagsForEachEnd) {
    EXPECT_EQ(win32::ExitFlags(SessionEnd::ShutDown, false), UINT{EWX_SHUTDOWN | EWX_POWEROFF});
    EXPECT_EQ(win32::ExitFlags(SessionEnd::ShutDown, true),
              UINT{EWX_SHUTDOWN | EWX_POWEROFF | EWX_HYBRID_SHUTDOWN});
    EXPECT_EQ(win32::ExitFlags(SessionEnd::Restart, true), UINT{EWX_REBOOT});
    EXPECT_EQ(win32::ExitFlags(SessionEnd::LogOff, true), UINT{EWX_LOGOFF});
}

// Two instances of one executable, as two processes would hold them.
TEST(SessionTest, InstancesOfOneExecutableHearEachOtherAndNoOtherOnes) {
    win32::Session waiting(L"C:\\Kestro\\kestro.exe");
    win32::Session command(L"c:\\kestro\\KESTRO.EXE");
    win32::Session elsewhere(L"D:\\Other\\kestro.exe");
    waiting.ListenForCommand();
    elsewhere.ListenForCommand();
    EXPECT_FALSE(waiting.CommandAnnounced());

    EXPECT_TRUE(command.ClaimCommand());
    EXPECT_FALSE(win32::Session(L"C:\\Kestro\\kestro.exe").ClaimCommand());
    EXPECT_TRUE(elsewhere.ClaimCommand());

    command.AnnounceCommand();
    EXPECT_TRUE(waiting.CommandAnnounced());
    EXPECT_TRUE(waiting.CommandAnnounced());  // it stays said
    EXPECT_FALSE(elsewhere.CommandAnnounced());
    command.WithdrawCommand();
    EXPECT_FALSE(waiting.CommandAnnounced());

    // The sign-in show's offer is taken once, and only by the same executable's show.
    EXPECT_FALSE(command.TakeSignInShow());
    waiting.OfferSignInShow();
    EXPECT_FALSE(elsewhere.TakeSignInShow());
    EXPECT_TRUE(command.TakeSignInShow());
    EXPECT_FALSE(command.TakeSignInShow());
}

}  // namespace
