#pragma once
// A PulseAudio server of the test's own: its own runtime and home folders (the environment
// points XDG_RUNTIME_DIR, HOME and PULSE_SERVER at it while it lives, so the test and the
// programs it starts talk to it alone), the native protocol and one null sink `t`, whose
// monitor `t.monitor` records what is played into `t`. Stopped and removed at the end.
#include "support/TempDir.h"

#include <QProcess>
#include <memory>
#include <string>

class PrivatePulse {
public:
    PrivatePulse();
    ~PrivatePulse();
    PrivatePulse(const PrivatePulse&) = delete;
    PrivatePulse& operator=(const PrivatePulse&) = delete;

    // True once the server answers; otherwise why not is in Failure().
    bool Running() const { return running_; }
    const std::string& Failure() const { return failure_; }
    // Plays a 16-bit stereo wave file into the sink `t` with paplay, in the background until
    // it ends or the server goes.
    void PlayIntoSink(const std::string& wave);
    // The server dies at once (SIGKILL), as a crashed or stopped desktop server does; its
    // clients find the connection gone.
    void Kill();

private:
    TempDir dir_;
    std::unique_ptr<QProcess> server_;
    std::unique_ptr<QProcess> player_;
    bool running_ = false;
    std::string failure_;
    struct Saved {
        const char* name;
        bool had = false;
        std::string value;
    };
    Saved saved_[3] = {{"XDG_RUNTIME_DIR", false, {}}, {"HOME", false, {}}, {"PULSE_SERVER", false, {}}};
};
