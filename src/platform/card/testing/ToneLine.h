#pragma once
// A software source line playing a steady sine tone on both channels, for tests and
// benchmarks that need a line without a device (a real line of the card in every other
// respect: mixed, scaled, paced, recorded).
//
//   SoundLineRegistration tone = RegisterToneLine(MIXERLINE_COMPONENTTYPE_SRC_SYNTHESIZER, 1000, 16384);
//   SoundCard card(settings);    // has a synthesiser line playing 1 kHz at half scale
//
// Threads: as every line (SoundLine.h); registration on the main thread.
#include "platform/card/MixerService.h"
#include "platform/card/SoundLine.h"

#include <cstdint>

// frequency in whole hertz (the tone repeats every second exactly), amplitude 0..32767.
[[nodiscard]] SoundLineRegistration RegisterToneLine(std::uint32_t componentType, unsigned frequency,
                                                     std::int16_t amplitude);

// Sample `frame` of such a tone, the same on both channels.
std::int16_t ToneSample(unsigned frequency, std::int16_t amplitude, std::int64_t frame);

// Selects wave-in source `source` alone for recording at the volume (left, right), and with
// `unityMaster` the wave-in master at unity too: what a test or benchmark does before it
// records a line. False when a control is missing or a call fails. Main thread.
bool SelectOnlyForRecording(IMixerService& mixer, std::uint32_t source, std::uint32_t left, std::uint32_t right,
                            bool unityMaster);
