#pragma once
// A software line of the card that a player renders: the synthesiser line, the CD line.
// The card pulls it; the player fills the frames (silence while no play runs) and says
// where a play began or ended among them, which the card carries on to wave-in.
//
//   class MyLine : public PlayerLine {
//       PlayMarks Render(std::int16_t* out, std::size_t frames) override { return player_->Render(out, frames); }
//   };
//
// Threads: as every line (SoundLine.h): Read, Marks and Render on the card's thread.
#include "platform/card/SoundLine.h"

#include <cstddef>
#include <cstdint>

class PlayerLine : public SoundLine {
public:
    static constexpr std::size_t Channels = 2;

    bool IsSoftware() const override { return true; }
    LineStatus Read(std::span<std::int16_t> frames) override  // card thread
    {
        marks_ = Render(frames.data(), frames.size() / Channels);
        return LineStatus::Ok;
    }
    PlayMarks Marks() const override { return marks_; }  // card thread

protected:
    // Card thread: fills `frames` interleaved stereo frames.
    virtual PlayMarks Render(std::int16_t* out, std::size_t frames) = 0;

private:
    PlayMarks marks_;  // of the last Read; card thread only
};
