#pragma once
// The sources the microphone, line and aux inputs can record from, under the names the
// settings keep (MicDevice, LineDevice, AuxDevice):
// - "pulse:<source name>", a source of the audio server (PulseAudio or PipeWire's pulse
//   server), listed with its description; monitors of sinks are marked;
// - any other text is an ALSA capture device ("default", "hw:1", ...), listed from ALSA's
//   name hints when no server answers.
//
// A server source is recorded through ALSA's `pulse` device given the source's name
// (pulse:DEVICE=<name>), so the card's capture line, with its open thread, its overrun
// recovery and its lost-device handling, serves both kinds. PULSE_SOURCE would name one
// source for the whole process (and setting the environment while other threads read it is
// not safe), and libpulse's simple API would need a second capture line to keep in step.
#include <chrono>
#include <optional>
#include <string>
#include <vector>

struct CaptureSource {
    std::string device;       // what the settings keep: "pulse:t.monitor", "default"
    std::string description;  // what the user reads: "Monitor of Null Output"
    bool monitor = false;     // what a sink plays, not an input
};

struct CaptureSourceList {
    bool fromServer = false;  // the audio server answered; else ALSA's devices
    std::vector<CaptureSource> sources;
    std::string why;  // with !fromServer: why the server did not answer
};

inline constexpr std::chrono::milliseconds kServerAnswerLimit{2000};

// Asks the audio server (at most `limit`), else lists ALSA's capture devices. Any thread.
CaptureSourceList ListCaptureSources(std::chrono::milliseconds limit = kServerAnswerLimit);

// The server source's name a setting holds ("pulse:<name>"), or null for an ALSA device.
std::optional<std::string> ServerSourceName(const std::string& device);

// The ALSA device name that records `device` as the settings hold it.
std::string CaptureAlsaDevice(const std::string& device);

// The setting for a source given on the command line or chosen from a list: a name the
// server lists becomes "pulse:<name>"; anything else is kept as it is.
std::string CaptureDeviceSetting(const std::string& name, const CaptureSourceList& list);
