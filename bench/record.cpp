// Recording throughput: 10 minutes of a software test line (a 1 kHz tone on the
// synthesiser line) through the sound card at Clock=fast, the wave-in recorder and the
// wave file, against sox copying the same raw audio into a wave file in the same run, the
// runs paired (ours, sox, sox, ours, ...) and reported as medians with min-max. Also the
// resident memory after the first minute and at the end (it must stay flat), and the main
// thread's longest stall during each take (a 5 ms timer's longest gap).
//
//   bench_record [--runs N]        default: 5 pairs
#include "platform/os/MessageTarget.h"
#include "platform/card/SoundCard.h"
#include "platform/card/testing/ToneLine.h"
#include "stream/MMWRec.h"
#include "support/PairedRuns.h"
#include "support/ResidentMemory.h"
#include "support/RunsOption.h"
#include "support/StallProbe.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <unistd.h>
#include <string>
#include <vector>

namespace {
constexpr unsigned kFrequency = 1000;
constexpr std::int16_t kAmplitude = 16384;
constexpr std::int64_t kSeconds = 600;
constexpr std::int64_t kBytesPerSecond = 176400;
constexpr int kRounds = 5;  // pairs, the order alternating

// Selects the first wave-in source (the tone line, the only one) at unity volume.
void selectToneLine(SoundCard& card)
{
    if (!SelectOnlyForRecording(card.Mixer(), 0, 65535, 65535, true)) {
        std::fprintf(stderr, "bench_record: the tone line could not be selected\n");
        std::exit(1);
    }
}

double seconds(std::chrono::steady_clock::time_point since)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}
}  // namespace

int main(int argc, char** argv)
{
    const int rounds = TakeRunsOption(argc, argv, kRounds);
    QCoreApplication app(argc, argv);
    const std::filesystem::path dir = std::filesystem::temp_directory_path() / ("bench_record_" + std::to_string(getpid()));
    std::filesystem::create_directories(dir);

    // The recorder through the card.
    SoundLineRegistration tone = RegisterToneLine(MIXERLINE_COMPONENTTYPE_SRC_SYNTHESIZER, kFrequency, kAmplitude);
    SoundCardSettings settings;
    settings.micDevice.clear();
    settings.monitorDevice.clear();
    settings.fastClock = true;
    PairedRuns ours, theirs;
    long rssFirstMinute = 0, rssEnd = 0;
    std::int64_t recorded = 0;
    std::vector<double> stalls;  // the main thread's longest stall in each take
    const auto record = [&] {
        SoundCard card(settings);
        selectToneLine(card);
        TMMWaveRecorder rec("Recorder");
        rec.SetMode(mStereo);
        rec.SetBitLength(b16Bit);
        rec.SetSampleRate(44100);
        rec.SetBufferSize(2048);
        rec.SetNumBuffers(10);
        rec.SetTimeFormat(tfMillisecond);
        rec.SetMaxRecordTime(kSeconds * 1000);
        rec.Wave()->SetFileName((dir / "recorded.wav").string());
        // The program's own way: the event loop runs until the recorder stops at its limit.
        QEventLoop loop;
        rec.OnStop = [&](TMMDSPComponent*) { loop.quit(); };
        long rssMinute = 0;
        rec.OnData = [&](TMMDSPComponent*, TMMWaveHdr*) {
            if (!rssMinute && rec.WaveIn().RecordedBytes() >= 60 * kBytesPerSecond)
                rssMinute = ResidentKiB();
        };
        const auto t0 = std::chrono::steady_clock::now();
        StallProbe probe;
        rec.StartRecording();
        if (rec.IsStarted())
            loop.exec();
        ours.Add(seconds(t0));
        stalls.push_back(probe.LongestMs());
        rssFirstMinute = rssMinute;
        rssEnd = ResidentKiB();
        recorded = rec.WaveIn().RecordedBytes();
    };

    // sox over the same audio, written out first as raw samples.
    const std::filesystem::path raw = dir / "tone.raw";
    {
        std::ofstream out(raw, std::ios::binary);
        std::vector<std::int16_t> second(44100 * 2);
        for (std::int64_t f = 0; f < 44100; ++f)
            second[static_cast<std::size_t>(2 * f)] = second[static_cast<std::size_t>(2 * f + 1)] =
                ToneSample(kFrequency, kAmplitude, f);
        for (std::int64_t s = 0; s < kSeconds; ++s)  // the tone repeats every second exactly
            out.write(reinterpret_cast<const char*>(second.data()), static_cast<std::streamsize>(second.size() * 2));
    }
    const std::string command = "sox -t raw -r 44100 -e signed-integer -b 16 -c 2 '" + raw.string() + "' '" +
                                (dir / "sox.wav").string() + "'";
    int soxResult = 0;
    const auto sox = [&] {
        const auto t1 = std::chrono::steady_clock::now();
        soxResult = std::system(command.c_str());
        theirs.Add(seconds(t1));
    };
    for (int round = 0; round < rounds && soxResult == 0; ++round) {
        if (round % 2 == 0) {
            record();
            sox();
        } else {
            sox();
            record();
        }
    }

    std::printf("%lld s of 44100 Hz 16-bit stereo (%lld bytes recorded), %d paired runs; seconds as median (min-max)\n",
                static_cast<long long>(kSeconds), static_cast<long long>(recorded), rounds);
    std::printf("card + recorder + wave file: %s\n", ours.Text().c_str());
    if (soxResult == 0)
        std::printf("sox raw -> wave:             %s   recorder takes %.2fx sox's time (goal: at most 3x)\n",
                    theirs.Text().c_str(), ours.Median() / theirs.Median());
    else
        std::printf("sox failed (%d)\n", soxResult);
    PairedRuns stallMs;
    stallMs.seconds = stalls;
    std::printf("longest main-thread stall, ms: %s (goal: at most 50)\n", stallMs.Text().c_str());
    std::printf("resident memory: %ld KiB after the first minute, %ld KiB at the end (%+ld KiB)\n", rssFirstMinute,
                rssEnd, rssEnd - rssFirstMinute);
    std::filesystem::remove_all(dir);
    return recorded == kSeconds * kBytesPerSecond && soxResult == 0 ? 0 : 1;
}
