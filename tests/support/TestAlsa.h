#pragma once
// ALSA devices for tests without sound hardware: capture devices made from ALSA's `file`
// plugin over `null` (they deliver the raw bytes of an input file the test writes, as
// fast as they are read, then stale data) and playback devices that write what they play
// into a raw file. The configuration includes the system's own, so the usual names stay.
//
//   TestAlsa alsa;
//   alsa.AddCapture("testmic", stereoSamples);          // interleaved 16-bit stereo
//   alsa.AddPlayback("testmonitor");                    // alsa.Played("testmonitor")
//   alsa.Install();                                     // ALSA_CONFIG_PATH -> the config
//
// The environment is restored when the object goes.
#include "support/TempDir.h"

#include <cstdint>
#include <string>
#include <vector>

class TestAlsa {
public:
    TestAlsa() = default;
    ~TestAlsa();
    TestAlsa(const TestAlsa&) = delete;
    TestAlsa& operator=(const TestAlsa&) = delete;

    void AddCapture(const std::string& name, const std::vector<std::int16_t>& stereoSamples);
    // A capture device that reads its input from a named pipe (returned): it delivers what
    // the test writes into the pipe and blocks, as a stalled device does, when nothing comes.
    std::string AddFifoCapture(const std::string& name);
    void AddPlayback(const std::string& name);
    // Writes the configuration and points ALSA at it.
    void Install();
    // What a playback device has played so far (interleaved stereo samples).
    std::vector<std::int16_t> Played(const std::string& name) const;

private:
    TempDir dir_;
    std::string devices_;
    bool installed_ = false;
    bool hadPath_ = false;
    std::string previousPath_;
};
