#pragma once
// The audio server's sources (PulseAudio, or PipeWire's pulse server), listed with libpulse:
// each source's name, the description the desktop shows for it, and whether it is the
// monitor of a sink (what that sink plays).
//
//   std::string why;
//   if (auto sources = ListServerSources(std::chrono::seconds(2), &why)) ...  // else: no server
//
// The server is only asked, never started (no autospawn). A server that does not answer
// within `limit` counts as none. Any thread; each call has its own connection.
#include <chrono>
#include <optional>
#include <string>
#include <vector>

struct ServerSource {
    std::string name;         // what the server is asked for: "alsa_input.pci-...", "t.monitor"
    std::string description;  // "Built-in Audio Analog Stereo", "Monitor of Null Output"
    bool monitor = false;     // the monitor of a sink
};

// Null when no server answers within `limit`; `why` then says what went wrong.
std::optional<std::vector<ServerSource>> ListServerSources(std::chrono::milliseconds limit,
                                                           std::string* why = nullptr);
