#pragma once

#include <cstdint>
#include <string>

namespace platform {

// How one of Kestro's own commands ends the Windows session.
enum class SessionEnd { ShutDown, Restart, LogOff };

// What the program tells Windows about the end of the session, and what it asks of it.
class Session {
  public:
    virtual ~Session() = default;

    // Asks Windows to put this process among the first to be asked at the end of the session.
    virtual void AskFirstAtSessionEnd() = 0;
    // Tells the user, in Windows' list of programs holding up the end of the session, why the
    // window does so; Windows then waits for the show instead of ending it.
    virtual void SetBlockReason(std::intptr_t window, const std::wstring& reason) = 0;
    virtual void ClearBlockReason(std::intptr_t window) = 0;

    // A command instance claims the right to end the session; false when another one of the
    // same executable holds it.
    virtual bool ClaimCommand() = 0;
    // A command instance of the same executable holds the claim now: from its start to its end,
    // its show included.
    virtual bool CommandClaimed() const = 0;
    // A waiting instance begins to listen for a command's announcement.
    virtual void ListenForCommand() = 0;
    // A command has announced that it ends the session and has shown the show itself.
    virtual bool CommandAnnounced() const = 0;
    virtual void AnnounceCommand() = 0;
    // Takes the announcement and the claim back, when ending the session failed: the waiting
    // instance shows at the next end of the session, even while the command says why.
    virtual void WithdrawCommand() = 0;

    // The waiting instance offers a show of its own (sign-in, lock, unlock) before it starts
    // each show process; that process takes the offer, and another one finds none.
    virtual void OfferShow() = 0;
    virtual bool TakeShowOffer() = 0;

    // Asks Windows to end the session; throws platform::Error when it refuses.
    virtual void EndSession(SessionEnd how) = 0;
};

}  // namespace platform
