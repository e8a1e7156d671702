#pragma once

#include <windows.h>

#include <string>

#include "platform/session.h"
#include "platform/win32/base/handle.h"

namespace win32 {

// The session over the Win32 API. A command's announcement is a named event of the user's
// session, keyed like the running-instance mutex, so that only Kestros started from the same
// executable hear each other. The offer of the waiting instance's show is such an event too,
// set at each show it starts.
class Session final : public platform::Session {
  public:
    explicit Session(const std::wstring& exePath);

    void AskFirstAtSessionEnd() override;
    void SetBlockReason(std::intptr_t window, const std::wstring& reason) override;
    void ClearBlockReason(std::intptr_t window) override;
    bool ClaimCommand() override;
    bool CommandClaimed() const override;
    void ListenForCommand() override;
    bool CommandAnnounced() const override;
    void AnnounceCommand() override;
    void WithdrawCommand() override;
    void OfferShow() override;
    bool TakeShowOffer() override;
    void EndSession(platform::SessionEnd how) override;

  private:
    std::wstring CommandMutexName() const { return namePrefix_ + L"-command"; }
    // Creates the announcement event, or opens it when another instance has made it.
    Handle& Announcement();

    std::wstring ShowOfferName() const { return namePrefix_ + L"-show-offer"; }

    std::wstring namePrefix_;
    Handle commandMutex_;
    Handle announcement_;
    // Held by the waiting instance, so that the offer lives as long as it waits.
    Handle showOffer_;
};

}  // namespace win32
