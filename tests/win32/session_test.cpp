#include "platform/win32/session/session.h"

#include <gtest/gtest.h>

namespace {

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
    EXPECT_TRUE(waiting.CommandClaimed());
    command.WithdrawCommand();
    EXPECT_FALSE(waiting.CommandAnnounced());
    EXPECT_FALSE(waiting.CommandClaimed());  // it shows again, even while the command ends

    // Each offer of a show by the waiting instance is taken once, and only by the same
    // executable's.
    EXPECT_FALSE(command.TakeShowOffer());
    waiting.OfferShow();
    EXPECT_FALSE(elsewhere.TakeShowOffer());
    EXPECT_TRUE(command.TakeShowOffer());
    EXPECT_FALSE(command.TakeShowOffer());
    // A lock after the sign-in show offers again.
    waiting.OfferShow();
    EXPECT_TRUE(command.TakeShowOffer());
}

}  // namespace
