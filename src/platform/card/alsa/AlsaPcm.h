#pragma once
// ALSA PCM handles of the sound card, owned: one open device set to the card's own format
// (44100 Hz, signed 16-bit little-endian, stereo, interleaved), closed with its owner.
#include <alsa/asoundlib.h>

#include <memory>
#include <string>

struct AlsaPcmCloser {
    void operator()(snd_pcm_t* pcm) const { snd_pcm_close(pcm); }
};
using AlsaPcm = std::unique_ptr<snd_pcm_t, AlsaPcmCloser>;

constexpr unsigned kCardRate = 44100;
constexpr unsigned kCardChannels = 2;

// Opens `device` for capture or playback in the card's format; null when the device
// cannot be opened or set up. ALSA's own diagnostics are silenced: a missing device is
// an ordinary case for the card (its line is left out), not an error to print.
// Handles are non-blocking: the monitor never holds up the mix, and a capture line waits
// for its frames with a time-out, so a stalled device cannot hang the card.
AlsaPcm OpenCardPcm(const std::string& device, snd_pcm_stream_t stream, std::string* why = nullptr);
