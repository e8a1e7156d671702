#pragma once

#include <utility>

#include "fake_platform.h"
#include "platform/error.h"
#include "platform/session.h"

namespace fake {

// The session as Windows would see it: each call is logged; a command's announcement is seen
// by every instance, as a named object of the user's session would be.
class Session final : public platform::Session {
  public:
    explicit Session(Log& log) : log_(log) {}

    bool otherCommandRuns = false;
    bool announced = false;
    bool endFails = false;
    bool showOffered = false;

    void AskFirstAtSessionEnd() override { log_.emplace_back("AskFirstAtSessionEnd"); }
    void SetBlockReason(std::intptr_t window, const std::wstring& reason) override {
        log_.push_back("SetBlockReason " + std::to_string(window) + " " + Narrow(reason));
    }
    void ClearBlockReason(std::intptr_t window) override {
        log_.push_back("ClearBlockReason " + std::to_string(window));
    }
    bool ClaimCommand() override {
        log_.emplace_back("ClaimCommand");
        return !otherCommandRuns;
    }
    bool CommandClaimed() const override { return otherCommandRuns; }
    void ListenForCommand() override { log_.emplace_back("ListenForCommand"); }
    bool CommandAnnounced() const override { return announced; }
    void AnnounceCommand() override {
        log_.emplace_back("AnnounceCommand");
        announced = true;
    }
    void WithdrawCommand() override {
        log_.emplace_back("WithdrawCommand");
        announced = false;
    }
    void OfferShow() override {
        log_.emplace_back("OfferShow");
        showOffered = true;
    }
    bool TakeShowOffer() override { return std::exchange(showOffered, false); }
    void EndSession(platform::SessionEnd how) override {
        static const char* const kNames[] = {"shutdown", "restart", "logoff"};
        log_.push_back(std::string("EndSession ") + kNames[static_cast<int>(how)]);
        if (endFails) {
            throw platform::Error(L"特権が保持されていません。");
        }
    }

  private:
    Log& log_;
};

}  // namespace fake
