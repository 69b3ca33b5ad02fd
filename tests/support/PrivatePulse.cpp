#include "support/PrivatePulse.h"

#include <QProcess>
#include <cstdlib>
#include <filesystem>

PrivatePulse::PrivatePulse()
{
    for (Saved& s : saved_)
        if (const char* old = std::getenv(s.name)) {
            s.had = true;
            s.value = old;
        }
    const std::string run = dir_.File("run");
    std::filesystem::create_directories(run);
    std::filesystem::create_directories(dir_.File("home"));
    std::filesystem::permissions(run, std::filesystem::perms::owner_all);
    ::setenv("XDG_RUNTIME_DIR", run.c_str(), 1);
    ::setenv("HOME", dir_.File("home").c_str(), 1);
    ::setenv("PULSE_SERVER", ("unix:" + run + "/pulse/native").c_str(), 1);

    server_ = std::make_unique<QProcess>();
    server_->setProcessChannelMode(QProcess::MergedChannels);
    // Running as root the server warns and goes on (no --system): a private session server.
    server_->start("pulseaudio", {"-n", "--daemonize=no", "--exit-idle-time=-1", "--use-pid-file=no",
                                  "-L", "module-native-protocol-unix", "-L", "module-null-sink sink_name=t"});
    if (!server_->waitForStarted()) {
        failure_ = "pulseaudio did not start: " + server_->errorString().toStdString();
        return;
    }
    // Ready when pactl finds the sink; the server exiting first is a failure.
    for (int attempt = 0; attempt < 100 && server_->state() == QProcess::Running; ++attempt) {
        QProcess probe;
        probe.start("pactl", {"list", "short", "sinks"});
        if (probe.waitForFinished(5000) && probe.exitCode() == 0 && probe.readAllStandardOutput().contains("\tt\t")) {
            running_ = true;
            return;
        }
        server_->waitForFinished(100);
    }
    failure_ = "pulseaudio did not answer: " + server_->readAll().toStdString();
}

PrivatePulse::~PrivatePulse()
{
    if (player_) {
        player_->kill();
        player_->waitForFinished();
    }
    if (server_ && server_->state() != QProcess::NotRunning) {
        server_->terminate();
        if (!server_->waitForFinished(10000)) {
            server_->kill();
            server_->waitForFinished();
        }
    }
    for (const Saved& s : saved_) {
        if (s.had)
            ::setenv(s.name, s.value.c_str(), 1);
        else
            ::unsetenv(s.name);
    }
}

void PrivatePulse::Kill()
{
    if (server_ && server_->state() != QProcess::NotRunning) {
        server_->kill();
        server_->waitForFinished();
    }
    running_ = false;
}

void PrivatePulse::PlayIntoSink(const std::string& wave)
{
    player_ = std::make_unique<QProcess>();
    player_->start("paplay", {"-d", "t", QString::fromStdString(wave)});
    if (!player_->waitForStarted())
        return;
    // Playing once the server lists the player's stream.
    for (int attempt = 0; attempt < 100 && player_->state() == QProcess::Running; ++attempt) {
        QProcess probe;
        probe.start("pactl", {"list", "short", "sink-inputs"});
        if (probe.waitForFinished(5000) && !probe.readAllStandardOutput().trimmed().isEmpty())
            return;
        player_->waitForFinished(50);
    }
}
