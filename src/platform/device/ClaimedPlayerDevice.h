#pragma once
// The part every media device shares that plays through one player it claims while open
// (the sequencer through the synthesiser, the CD player through the CD playback): one
// notification per play (a new play supersedes the running one, Stop aborts it), waiting
// for a play's end, and a close that stops, gives the claim back and leaves the device
// answering "not open" to everything.
//
//   class MyDevice : public ClaimedPlayerDevice<MyPlayer> { ... };
//   // in Play: if (!IsOpen()) fail; ... BeginPlay(notify, player().Play(...));
//
// Player has: bool Stop() (true when a play was running), bool WaitIdle(slice) (true once
// no play runs) and the claim of a ClaimablePlayer (below).
//
// Threads: main thread. The notify functions a device keeps may also be called by the
// player on its own thread when a play ends (see the devices' headers).
#include "platform/device/MediaDevice.h"

#include <chrono>
#include <utility>

// The claim a player gives to one device at a time: the device takes it when it opens
// and gives it back when it closes. Main thread.
class ClaimablePlayer {
public:
    // False when another device holds the claim.
    bool TryClaim()
    {
        if (claimed_)
            return false;
        claimed_ = true;
        return true;
    }
    void Release() { claimed_ = false; }
    bool Claimed() const { return claimed_; }

private:
    bool claimed_ = false;  // main thread only
};

template <class Player>
class ClaimedPlayerDevice : public IMediaDevice {
public:
    ClaimedPlayerDevice(const ClaimedPlayerDevice&) = delete;
    ClaimedPlayerDevice& operator=(const ClaimedPlayerDevice&) = delete;

    MediaResult Stop() override
    {
        if (!player_)
            return MediaResult::Fail(mci::ErrInvalidDeviceId);
        if (player_->Stop() && pending_)
            pending_(MediaNotify::Aborted);
        pending_ = nullptr;
        return {};
    }

    bool WaitPlayEnd(std::chrono::milliseconds slice) override { return !player_ || player_->WaitIdle(slice); }

    MediaResult Close() override
    {
        if (!player_)
            return {};
        Stop();
        player_->Release();
        player_ = nullptr;
        Closed();
        return {};
    }

protected:
    // The player must already be claimed; the device gives the claim back on Close.
    explicit ClaimedPlayerDevice(Player& player) : player_(&player) {}
    // Derived destructors call Close, so that Closed runs while the device is whole.
    ~ClaimedPlayerDevice() override = default;

    bool IsOpen() const { return player_ != nullptr; }
    // Only while open.
    Player& player() const { return *player_; }

    // A play has started with `notify`; `replacedRunning` says whether it ended a play
    // that was running, whose notification then says it was superseded.
    void BeginPlay(Notify notify, bool replacedRunning)
    {
        if (replacedRunning && pending_)
            pending_(MediaNotify::Superseded);
        pending_ = std::move(notify);
    }

    // What the device holds besides the player goes here; called once, by Close.
    virtual void Closed() {}

private:
    Player* player_;  // null once closed
    Notify pending_;  // the notify function of the last play started
};
