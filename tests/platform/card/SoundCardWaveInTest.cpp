// Wave-in device 0 of the card: the device table's rules, and what comes out of it when
// lines play: capture devices from ALSA's file plugin, the tone line, the two clocks,
// overruns, a device that goes away, and the monitor.
#include "platform/Errors.h"
#include "platform/card/CardClock.h"
#include "platform/card/CardWaveIn.h"
#include "platform/os/MessageTarget.h"
#include "platform/card/SoundCard.h"
#include "platform/card/testing/CaptureFaults.h"
#include "platform/card/testing/ToneLine.h"
#include "support/TestAlsa.h"
#include "support/TestCard.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cmath>
#include <condition_variable>
#include <cstring>
#include <memory>
#include <mutex>
#include <thread>

namespace {
using namespace std::chrono_literals;
using SteadyClock = std::chrono::steady_clock;

// Buffers for the device and a record of every callback, kept the way a recorder would.
class Probe {
public:
    Probe(std::size_t count, std::uint32_t bytes) : data_(count, std::vector<std::uint8_t>(bytes)), headers_(count)
    {
        for (std::size_t i = 0; i < count; ++i)
            headers_[i] = WaveHdr{data_[i].data(), bytes, 0, 0, 0, 0, 0, 0};
    }

    // Card thread (MM_WIM_DATA, MM_WIM_DEVICE_LOST) or the caller's.
    WaveInCallback Callback()
    {
        return [this](unsigned message, WaveInHandle, WaveHdr* header) {
            std::lock_guard lock(lock_);
            messages_.push_back(message);
            if (message == MM_WIM_DATA) {
                ++done_;
                recorded_.insert(recorded_.end(), header->lpData, header->lpData + header->dwBytesRecorded);
            }
            changed_.notify_all();
        };
    }

    void QueueAll(IWaveInDevices& device, WaveInHandle h)
    {
        for (WaveHdr& header : headers_) {
            ASSERT_EQ(device.PrepareHeader(h, &header), MMSYSERR_NOERROR);
            ASSERT_EQ(device.AddBuffer(h, &header), MMSYSERR_NOERROR);
        }
    }
    void UnprepareAll(IWaveInDevices& device, WaveInHandle h)
    {
        for (WaveHdr& header : headers_)
            EXPECT_EQ(device.UnprepareHeader(h, &header), MMSYSERR_NOERROR);
    }

    // Waits (at most 20 s, a hang guard) until `count` buffers came back.
    bool WaitForDone(std::size_t count)
    {
        std::unique_lock lock(lock_);
        return changed_.wait_for(lock, 20s, [&] { return done_ >= count; });
    }
    bool WaitForMessage(unsigned message)
    {
        std::unique_lock lock(lock_);
        return changed_.wait_for(lock, 20s, [&] {
            return std::find(messages_.begin(), messages_.end(), message) != messages_.end();
        });
    }
    std::size_t Done()
    {
        std::lock_guard lock(lock_);
        return done_;
    }
    std::vector<unsigned> Messages()
    {
        std::lock_guard lock(lock_);
        return messages_;
    }
    std::vector<std::int16_t> Samples()
    {
        std::lock_guard lock(lock_);
        std::vector<std::int16_t> s(recorded_.size() / 2);
        std::memcpy(s.data(), recorded_.data(), s.size() * 2);
        return s;
    }
    WaveHdr& Header(std::size_t i) { return headers_[i]; }

private:
    std::vector<std::vector<std::uint8_t>> data_;
    std::vector<WaveHdr> headers_;
    std::mutex lock_;
    std::condition_variable changed_;
    std::vector<unsigned> messages_;        // guarded by lock_
    std::vector<std::uint8_t> recorded_;    // guarded by lock_
    std::size_t done_ = 0;                  // guarded by lock_
};

// Finds a control of a source line of one destination by its type.
std::uint32_t controlOf(IMixerService& mixer, MixerHandle h, std::uint32_t destination, int source, std::uint32_t type)
{
    MixerLine line{};
    line.dwDestination = destination;
    line.dwSource = source < 0 ? 0 : std::uint32_t(source);
    mixer.GetLineInfo(h, line, source < 0 ? MIXER_GETLINEINFOF_DESTINATION : MIXER_GETLINEINFOF_SOURCE);
    std::vector<MixerControl> controls;
    mixer.GetLineControls(h, line.dwLineID, line.cControls, controls);
    for (const MixerControl& c : controls)
        if (c.dwControlType == type)
            return c.dwControlID;
    ADD_FAILURE() << "no control " << type;
    return 0;
}

// Selects source `source` alone for recording at the given wave-in volume.
void selectForRecording(SoundCard& card, int source, std::uint32_t left, std::uint32_t right)
{
    ASSERT_TRUE(SelectOnlyForRecording(card.Mixer(), std::uint32_t(source), left, right, false));
}

PcmFormat format(unsigned rate, unsigned channels, unsigned bits)
{
    PcmFormat f;
    f.nChannels = std::uint16_t(channels);
    f.nSamplesPerSec = rate;
    f.wBitsPerSample = std::uint16_t(bits);
    f.nBlockAlign = std::uint16_t(channels * bits / 8);
    f.nAvgBytesPerSec = rate * f.nBlockAlign;
    return f;
}

// A test converter: 44100 Hz 16-bit stereo into 44100 Hz 16-bit mono (mean of the two).
bool toMono(const PcmFormat& from, const PcmFormat& to, std::span<const std::uint8_t> in, std::vector<std::uint8_t>& out)
{
    if (from.nChannels != 2 || to.nChannels != 1 || to.wBitsPerSample != 16 || to.nSamplesPerSec != 44100)
        return false;
    for (std::size_t i = 0; i + 3 < in.size(); i += 4) {
        std::int16_t l, r;
        std::memcpy(&l, &in[i], 2);
        std::memcpy(&r, &in[i + 2], 2);
        const auto m = std::int16_t((l + r) / 2);
        out.insert(out.end(), reinterpret_cast<const std::uint8_t*>(&m), reinterpret_cast<const std::uint8_t*>(&m) + 2);
    }
    return true;
}

// Interleaved stereo test input: distinct values on the two channels, over the full range.
std::vector<std::int16_t> rampInput(std::size_t frames)
{
    std::vector<std::int16_t> s(frames * 2);
    for (std::size_t i = 0; i < frames; ++i) {
        s[2 * i] = std::int16_t((i * 37) % 65536 - 32768);
        s[2 * i + 1] = std::int16_t(20000 - std::int64_t(i % 40000));
    }
    return s;
}

SoundCardSettings deviceOnlySettings()
{
    return TestCardSettings();
}

class CardWaveInFixture : public ::testing::Test {
protected:
    void TearDown() override { SoundCard::SetPcmConverter(nullptr); }

    // An ALSA capture device of that name delivering `input`. (ALSA keeps a configuration it
    // has read while the file's modification time stays the same: a test installs all its
    // devices before its first card.)
    void InstallCapture(const std::string& device, const std::vector<std::int16_t>& input)
    {
        alsa.AddCapture(device, input);
        alsa.Install();
    }
    // A card whose `line` (micDevice, lineDevice) reads the installed capture device `device`,
    // selected alone for recording at the given wave-in volume.
    std::unique_ptr<SoundCard> CaptureCard(std::string SoundCardSettings::*line, const std::string& device,
                                           bool fast = false, std::uint32_t left = 65535, std::uint32_t right = 65535)
    {
        SoundCardSettings s = deviceOnlySettings();
        s.*line = device;
        s.fastClock = fast;
        auto card = std::make_unique<SoundCard>(s);
        selectForRecording(*card, 0, left, right);
        return card;
    }

    // Opens wave-in device 0 of `card` into `probe`, queues every buffer and starts.
    void StartRecording(SoundCard& card, Probe& probe, const PcmFormat& f = format(44100, 2, 16))
    {
        ASSERT_EQ(card.WaveIn().Open(handle, 0, f, probe.Callback(), CALLBACK_FUNCTION), MMSYSERR_NOERROR);
        probe.QueueAll(card.WaveIn(), handle);
        ASSERT_EQ(card.WaveIn().Start(handle), MMSYSERR_NOERROR);
    }
    // Resets, unprepares every buffer and closes; what Close returned.
    MMResult FinishRecording(SoundCard& card, Probe& probe)
    {
        card.WaveIn().Reset(handle);
        probe.UnprepareAll(card.WaveIn(), handle);
        return card.WaveIn().Close(handle);
    }

    TestAlsa alsa;
    WaveInHandle handle{};
};
}  // namespace

TEST_F(CardWaveInFixture, DeviceTableChecksFormatsHandlesAndBuffers)
{
    SoundCard card(deviceOnlySettings());
    IWaveInDevices& dev = card.WaveIn();
    ASSERT_EQ(dev.GetNumDevs(), 1u);
    WaveInCaps caps;
    ASSERT_EQ(dev.GetDevCaps(0, caps), MMSYSERR_NOERROR);
    EXPECT_EQ(caps.szPname, "Mervane Sound Card");
    EXPECT_EQ(caps.dwFormats, WAVE_FORMAT_4S16) << "without a converter only the card's own format";
    EXPECT_EQ(dev.GetDevCaps(1, caps), MMSYSERR_BADDEVICEID);

    WaveInHandle h{};
    EXPECT_EQ(dev.Open(h, 0, format(44100, 2, 16), nullptr, CALLBACK_FUNCTION | WAVE_FORMAT_QUERY), MMSYSERR_NOERROR);
    EXPECT_EQ(dev.Open(h, 0, format(44100, 1, 16), nullptr, CALLBACK_FUNCTION | WAVE_FORMAT_QUERY), WAVERR_BADFORMAT);
    EXPECT_EQ(dev.Open(h, 1, format(44100, 2, 16), nullptr, CALLBACK_FUNCTION), MMSYSERR_BADDEVICEID);
    SoundCard::SetPcmConverter(toMono);
    EXPECT_EQ(dev.Open(h, 0, format(44100, 1, 16), nullptr, CALLBACK_FUNCTION | WAVE_FORMAT_QUERY), MMSYSERR_NOERROR);
    dev.GetDevCaps(0, caps);
    EXPECT_EQ(caps.dwFormats, WAVE_FORMAT_4S16 | WAVE_FORMAT_4M16);

    Probe probe(3, 64);
    ASSERT_EQ(dev.Open(h, 0, format(44100, 2, 16), probe.Callback(), CALLBACK_FUNCTION), MMSYSERR_NOERROR);
    EXPECT_EQ(probe.Messages(), std::vector<unsigned>{MM_WIM_OPEN});
    WaveInHandle second{};
    EXPECT_EQ(dev.Open(second, 0, format(44100, 2, 16), nullptr, CALLBACK_FUNCTION), MMSYSERR_ALLOCATED);
    EXPECT_EQ(dev.AddBuffer(h, &probe.Header(0)), WAVERR_UNPREPARED);
    probe.QueueAll(dev, h);
    EXPECT_EQ(dev.AddBuffer(h, &probe.Header(0)), WAVERR_STILLPLAYING) << "already queued";
    EXPECT_EQ(dev.UnprepareHeader(h, &probe.Header(1)), WAVERR_STILLPLAYING);
    EXPECT_EQ(dev.Close(h), WAVERR_STILLPLAYING);

    // Reset hands back every queued buffer, in order, before it returns.
    ASSERT_EQ(dev.Reset(h), MMSYSERR_NOERROR);
    EXPECT_EQ(probe.Messages(), (std::vector<unsigned>{MM_WIM_OPEN, MM_WIM_DATA, MM_WIM_DATA, MM_WIM_DATA}));
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_TRUE(probe.Header(i).dwFlags & 1) << "done";
        EXPECT_FALSE(probe.Header(i).dwFlags & WHDR_INQUEUE);
    }
    probe.UnprepareAll(dev, h);
    ASSERT_EQ(dev.Close(h), MMSYSERR_NOERROR);
    EXPECT_EQ(probe.Messages().back(), MM_WIM_CLOSE);
    EXPECT_EQ(dev.Start(h), MMSYSERR_INVALHANDLE) << "a closed handle";

    std::string text;
    EXPECT_TRUE(dev.GetErrorText(WAVERR_BADFORMAT, text));
    EXPECT_FALSE(text.empty());
    EXPECT_FALSE(dev.GetErrorText(12345, text));
}

TEST_F(CardWaveInFixture, CaptureDeviceIsRecordedScaledByTheLineVolume)
{
    const std::vector<std::int16_t> input = rampInput(44100);
    InstallCapture("testmic", input);
    const auto card = CaptureCard(&SoundCardSettings::micDevice, "testmic", false, 32768, 65535);
    Probe probe(8, 4096);
    StartRecording(*card, probe);
    ASSERT_TRUE(probe.WaitForDone(8));
    FinishRecording(*card, probe);

    const std::vector<std::int16_t> got = probe.Samples();
    ASSERT_EQ(got.size(), 8u * 4096 / 2);
    for (std::size_t i = 0; i < got.size(); ++i) {
        const double expected = (i % 2 == 0) ? input[i] * 32768.0 / 65535.0 : input[i];
        ASSERT_LE(std::fabs(got[i] - expected), 1.0) << "sample " << i;
    }
}

TEST_F(CardWaveInFixture, CaptureDevicesThatDoNotPaceThemselvesAreHeldToTheWallClock)
{
    InstallCapture("testmic", rampInput(4410));
    // Clock=fast does not apply: the selected line is a capture device.
    for (bool fast : {false, true}) {
        SCOPED_TRACE(fast ? "Clock=fast" : "real time");
        const auto card = CaptureCard(&SoundCardSettings::micDevice, "testmic", fast);
        constexpr std::uint32_t kBytes = 8192;  // 46 ms each
        Probe probe(40, kBytes);
        const auto started = SteadyClock::now();
        StartRecording(*card, probe);
        ASSERT_TRUE(probe.WaitForDone(6));
        // Read the count after the clock: whatever was delivered by now is counted.
        const double elapsed = std::chrono::duration<double>(SteadyClock::now() - started).count();
        const std::size_t delivered = probe.Done() * kBytes;
        EXPECT_LE(double(delivered), (elapsed + 0.1) * 176400) << "ahead of the wall clock";
        FinishRecording(*card, probe);
    }
}

TEST_F(CardWaveInFixture, FastClockRunsSoftwareLinesAsFastAsBuffersAreQueuedInAnyConvertibleFormat)
{
    SoundLineRegistration tone = RegisterToneLine(MIXERLINE_COMPONENTTYPE_SRC_SYNTHESIZER, 1000, 12000);
    SoundCardSettings s = deviceOnlySettings();
    s.fastClock = true;
    SoundCard card(s);
    SoundCard::SetPcmConverter(toMono);
    selectForRecording(card, 0, 65535, 65535);

    // 20 s of audio; in real time this takes 20 s.
    constexpr std::size_t kBuffers = 100;
    constexpr std::uint32_t kBytes = 8820;  // 0.1 s of 16-bit mono
    Probe probe(kBuffers, kBytes);
    const auto started = SteadyClock::now();
    StartRecording(card, probe, format(44100, 1, 16));
    ASSERT_TRUE(probe.WaitForDone(kBuffers));
    EXPECT_LT(SteadyClock::now() - started, 10s);
    FinishRecording(card, probe);

    const std::vector<std::int16_t> got = probe.Samples();
    ASSERT_EQ(got.size(), kBuffers * kBytes / 2);
    for (std::size_t i = 0; i < got.size(); ++i)
        ASSERT_EQ(got[i], ToneSample(1000, 12000, std::int64_t(i))) << "frame " << i;
}

TEST_F(CardWaveInFixture, StopHandsBackTheBufferBeingFilledWithWhatItHoldsAndKeepsTheEmptyOnes)
{
    SoundLineRegistration tone = RegisterToneLine(MIXERLINE_COMPONENTTYPE_SRC_SYNTHESIZER, 1000, 12000);
    SoundCard card(deviceOnlySettings());
    selectForRecording(card, 0, 65535, 65535);

    // The card mixes 4096 bytes at a time: the second period completes the first buffer
    // and starts the second one in the same step.
    Probe first(1, 6144), rest(2, 441000);
    WaveInHandle h{};
    std::mutex lock;
    std::vector<WaveHdr*> back;
    WaveInCallback forward = first.Callback();
    ASSERT_EQ(card.WaveIn().Open(h, 0, format(44100, 2, 16),
                                 [&](unsigned m, WaveInHandle w, WaveHdr* hdr) {
                                     if (m == MM_WIM_DATA && hdr != &first.Header(0)) {
                                         std::lock_guard guard(lock);
                                         back.push_back(hdr);
                                         return;
                                     }
                                     forward(m, w, hdr);
                                 },
                                 CALLBACK_FUNCTION),
              MMSYSERR_NOERROR);
    first.QueueAll(card.WaveIn(), h);
    rest.QueueAll(card.WaveIn(), h);
    card.WaveIn().Start(h);
    ASSERT_TRUE(first.WaitForDone(1));
    ASSERT_EQ(card.WaveIn().Stop(h), MMSYSERR_NOERROR);
    {
        std::lock_guard guard(lock);
        ASSERT_EQ(back.size(), 1u) << "only the buffer being filled";
        EXPECT_EQ(back[0], &rest.Header(0));
    }
    const WaveHdr& partial = rest.Header(0);
    EXPECT_GE(partial.dwBytesRecorded, 2048);
    EXPECT_LT(std::uint32_t(partial.dwBytesRecorded), partial.dwBufferLength);
    EXPECT_TRUE(partial.dwFlags & 1) << "done";
    EXPECT_TRUE(rest.Header(1).dwFlags & WHDR_INQUEUE) << "the empty one stays queued";
    // What it holds continues the first buffer's tone.
    const auto* samples = reinterpret_cast<const std::int16_t*>(partial.lpData);
    for (int i = 0; i < partial.dwBytesRecorded / 2; i += 2)
        ASSERT_EQ(samples[i], ToneSample(1000, 12000, 1536 + i / 2)) << "frame " << i / 2;

    card.WaveIn().Reset(h);
    EXPECT_EQ(rest.Header(1).dwBytesRecorded, 0);
    first.UnprepareAll(card.WaveIn(), h);
    rest.UnprepareAll(card.WaveIn(), h);
    EXPECT_EQ(card.WaveIn().Close(h), MMSYSERR_NOERROR);
}

TEST(CardWaveInPlay, RecordsAPlayFromItsFirstMarkedFrameToItsLastAndNothingElse)
{
    CardWaveIn waveIn({});
    Probe probe(2, 4096);
    WaveInHandle h{};
    ASSERT_EQ(waveIn.Open(h, 0, format(44100, 2, 16), probe.Callback(), CALLBACK_FUNCTION | WAVE_RECORD_PLAY),
              MMSYSERR_NOERROR);
    probe.QueueAll(waveIn, h);
    waveIn.Start(h);
    // Periods of 1024 frames, each sample its frame's number: before the play, the period
    // it starts in (at frame 1100), and the one it ends in (before frame 2100).
    std::vector<std::int16_t> period(2048);
    auto deliver = [&](int first, const PlayMarks& marks) {
        for (int i = 0; i < 1024; ++i)
            period[std::size_t(2 * i)] = period[std::size_t(2 * i + 1)] = std::int16_t(first + i);
        waveIn.Deliver(period, marks);
    };
    EXPECT_TRUE(waveIn.AwaitsPlay());
    deliver(0, {});
    EXPECT_EQ(probe.Done(), 0u);
    deliver(1024, {76, std::nullopt});
    EXPECT_FALSE(waveIn.AwaitsPlay());
    deliver(2048, {std::nullopt, 52});
    ASSERT_EQ(probe.Done(), 1u) << "the buffer with the play's last frame comes back at once";
    EXPECT_TRUE(probe.Header(0).dwFlags & WHDR_ENDOFPLAY);
    EXPECT_FALSE(waveIn.WantsData());
    deliver(3072, {0, std::nullopt});  // after the end nothing more is recorded
    const std::vector<std::int16_t> samples = probe.Samples();
    ASSERT_EQ(samples.size(), std::size_t(2 * (2100 - 1100)));
    for (std::size_t i = 0; i < samples.size(); i += 2)
        ASSERT_EQ(samples[i], std::int16_t(1100 + i / 2)) << "frame " << i / 2;
    waveIn.Reset(h);
    probe.UnprepareAll(waveIn, h);
    EXPECT_EQ(waveIn.Close(h), MMSYSERR_NOERROR);
}

TEST_F(CardWaveInFixture, AnOverrunIsRecoveredAndCountedAndTheRecordingGoesOn)
{
    InstallCapture("testline", rampInput(44100));
    const auto card = CaptureCard(&SoundCardSettings::lineDevice, "testline");
    Probe probe(12, 4096);
    StartRecording(*card, probe);
    ASSERT_TRUE(probe.WaitForDone(2));
    InjectCaptureFault("testline", -EPIPE);
    ASSERT_TRUE(probe.WaitForDone(12));
    EXPECT_EQ(card->Overruns(), 1u);
    EXPECT_EQ(FinishRecording(*card, probe), MMSYSERR_NOERROR);
    const std::vector<unsigned> messages = probe.Messages();
    EXPECT_EQ(std::count(messages.begin(), messages.end(), MM_WIM_DEVICE_LOST), 0);
}

TEST_F(CardWaveInFixture, ARemovedDeviceHandsBackItsBuffersAndEndsEveryRecordingThatNeedsIt)
{
    InstallCapture("testline", rampInput(44100));
    const auto owned = CaptureCard(&SoundCardSettings::lineDevice, "testline");
    SoundCard& card = *owned;
    std::vector<std::pair<unsigned, std::intptr_t>> mixerNews;
    MessageTarget target([&](unsigned m, std::intptr_t, std::intptr_t l) { mixerNews.push_back({m, l}); });
    MixerHandle mh{};
    card.Mixer().Open(mh, 0, &target);

    Probe probe(6, 4096);
    StartRecording(card, probe);
    ASSERT_TRUE(probe.WaitForDone(1));
    InjectCaptureFault("testline", -ENODEV);
    ASSERT_TRUE(probe.WaitForMessage(MM_WIM_DEVICE_LOST));

    // All six came back before the loss was told, and the loss was told once, last.
    std::vector<unsigned> messages = probe.Messages();
    EXPECT_EQ(std::count(messages.begin(), messages.end(), MM_WIM_DATA), 6);
    EXPECT_EQ(messages.back(), MM_WIM_DEVICE_LOST);
    EXPECT_EQ(std::count(messages.begin(), messages.end(), MM_WIM_DEVICE_LOST), 1);
    EXPECT_EQ(probe.Samples().size() % 2, 0u);

    // A buffer queued after the loss stays until Reset and comes back empty.
    card.WaveIn().AddBuffer(handle, &probe.Header(0));
    ASSERT_EQ(card.WaveIn().Reset(handle), MMSYSERR_NOERROR);
    EXPECT_EQ(probe.Header(0).dwBytesRecorded, 0);
    ASSERT_EQ(FinishRecording(card, probe), MMSYSERR_NOERROR);

    // The mixer shows the line disconnected and told its listeners.
    ProcessMessages();
    MixerLine line{};
    line.dwDestination = 1;
    line.dwSource = 0;
    card.Mixer().GetLineInfo(mh, line, MIXER_GETLINEINFOF_SOURCE);
    EXPECT_TRUE(line.fdwLine & 0x8000) << "disconnected";
    EXPECT_NE(std::find(mixerNews.begin(), mixerNews.end(),
                        std::pair<unsigned, std::intptr_t>{MM_MIXM_LINE_CHANGE, std::intptr_t(line.dwLineID)}),
              mixerNews.end());

    // The next recording that needs the line ends at once the same way.
    Probe again(2, 4096);
    StartRecording(card, again);
    ASSERT_TRUE(again.WaitForMessage(MM_WIM_DEVICE_LOST));
    EXPECT_EQ(again.Done(), 2u);
    FinishRecording(card, again);
    card.Mixer().Close(mh);
}

TEST_F(CardWaveInFixture, MonitorPlaysUnmutedSpeakerLinesScaledByVolumeAndMaster)
{
    const std::vector<std::int16_t> input = rampInput(44100);
    alsa.AddCapture("testmic", input);
    alsa.AddPlayback("testmonitor");
    alsa.Install();
    SoundCardSettings s = deviceOnlySettings();
    s.micDevice = "testmic";
    s.monitorDevice = "testmonitor";
    SoundCard card(s);

    IMixerService& mixer = card.Mixer();
    MixerHandle h{};
    mixer.Open(h, 0, nullptr);
    const std::uint32_t volume[2] = {65535, 32768};
    const std::uint32_t master[2] = {32768, 65535};
    const std::uint32_t off[1] = {0};
    mixer.SetControlDetails(h, controlOf(mixer, h, 0, 0, MIXERCONTROL_CONTROLTYPE_VOLUME), 2, 0, volume);
    mixer.SetControlDetails(h, controlOf(mixer, h, 0, -1, MIXERCONTROL_CONTROLTYPE_VOLUME), 2, 0, master);
    mixer.SetControlDetails(h, controlOf(mixer, h, 0, 0, MIXERCONTROL_CONTROLTYPE_MUTE), 1, 0, off);

    // Wait (hang guard 20 s) until a few periods were played.
    std::vector<std::int16_t> played;
    for (int i = 0; i < 400 && played.size() < 8192; ++i) {
        std::this_thread::sleep_for(50ms);
        played = alsa.Played("testmonitor");
    }
    const std::uint32_t on[1] = {1};
    mixer.SetControlDetails(h, controlOf(mixer, h, 0, 0, MIXERCONTROL_CONTROLTYPE_MUTE), 1, 0, on);
    mixer.Close(h);

    ASSERT_GE(played.size(), 8192u);
    for (std::size_t i = 0; i < 8192; ++i)
        ASSERT_LE(std::fabs(played[i] - input[i] * 32768.0 / 65535.0), 1.0) << "sample " << i;
}

TEST_F(CardWaveInFixture, AnInputTheCardWasMadeWithoutJoinsTheMixerWhenItsDeviceIsChosenAndRecordsIt)
{
    const std::vector<std::int16_t> input = rampInput(44100);
    InstallCapture("testmic", input);
    SoundCard card(deviceOnlySettings());
    ASSERT_FALSE(card.HasLine(MIXERLINE_COMPONENTTYPE_SRC_MICROPHONE));

    SoundCardSettings now = deviceOnlySettings();
    now.micDevice = "testmic";
    now.lineDevice = "no_such_line";
    // The device that cannot be opened is told, once; the one that can joins meanwhile.
    try {
        card.FollowDevices(now);
        ADD_FAILURE() << "the missing line device was not told";
    } catch (const EMervaneError& e) {
        EXPECT_NE(std::string(e.what()).find("\"no_such_line\""), std::string::npos) << e.what();
    }
    EXPECT_NO_THROW(card.FollowDevices(now));
    ASSERT_TRUE(card.HasLine(MIXERLINE_COMPONENTTYPE_SRC_MICROPHONE));
    MixerHandle mh{};
    ASSERT_EQ(card.Mixer().Open(mh, 0, nullptr), MMSYSERR_NOERROR);
    MixerLine waveIn{};
    waveIn.dwDestination = 1;
    card.Mixer().GetLineInfo(mh, waveIn, MIXER_GETLINEINFOF_DESTINATION);
    EXPECT_EQ(waveIn.cConnections, 1u);
    MixerLine mic{};
    mic.dwDestination = 1;
    mic.dwSource = 0;
    ASSERT_EQ(card.Mixer().GetLineInfo(mh, mic, MIXER_GETLINEINFOF_SOURCE), MMSYSERR_NOERROR);
    EXPECT_EQ(mic.dwComponentType, MIXERLINE_COMPONENTTYPE_SRC_MICROPHONE);
    card.Mixer().Close(mh);

    selectForRecording(card, 0, 65535, 65535);
    Probe probe(8, 4096);
    StartRecording(card, probe);
    ASSERT_TRUE(probe.WaitForDone(8));
    FinishRecording(card, probe);
    const std::vector<std::int16_t> got = probe.Samples();
    ASSERT_EQ(got.size(), 8u * 4096 / 2);
    for (std::size_t i = 0; i < got.size(); ++i)
        ASSERT_LE(std::abs(got[i] - input[i]), 1) << "sample " << i;
}

TEST_F(CardWaveInFixture, TheSpeakersMoveToTheMonitorDeviceChosenAndLeaveTheOldOne)
{
    alsa.AddCapture("testmic", rampInput(44100 * 4));
    alsa.AddPlayback("firstmonitor");
    alsa.AddPlayback("secondmonitor");
    alsa.Install();
    SoundCardSettings s = deviceOnlySettings();
    s.micDevice = "testmic";
    s.monitorDevice = "firstmonitor";
    SoundCard card(s);
    IMixerService& mixer = card.Mixer();
    MixerHandle h{};
    mixer.Open(h, 0, nullptr);
    const std::uint32_t off[1] = {0};
    mixer.SetControlDetails(h, controlOf(mixer, h, 0, 0, MIXERCONTROL_CONTROLTYPE_MUTE), 1, 0, off);
    const auto playedOn = [&](const char* device, std::size_t samples) {
        std::vector<std::int16_t> played;
        for (int i = 0; i < 400 && played.size() < samples; ++i) {  // hang guard 20 s
            std::this_thread::sleep_for(50ms);
            played = alsa.Played(device);
        }
        return played;
    };
    ASSERT_GE(playedOn("firstmonitor", 8192).size(), 8192u);

    s.monitorDevice = "secondmonitor";
    card.FollowDevices(s);
    const std::size_t firstAtChange = alsa.Played("firstmonitor").size();
    const std::vector<std::int16_t> second = playedOn("secondmonitor", 8192);
    const std::uint32_t on[1] = {1};
    mixer.SetControlDetails(h, controlOf(mixer, h, 0, 0, MIXERCONTROL_CONTROLTYPE_MUTE), 1, 0, on);
    mixer.Close(h);

    EXPECT_EQ(alsa.Played("firstmonitor").size(), firstAtChange) << "the old device still plays";
    ASSERT_GE(second.size(), 8192u);
    // The microphone's ramp goes on there: its right channel falls by one a frame.
    for (std::size_t i = 3; i < 8192; i += 2)
        ASSERT_TRUE(second[i] == second[i - 2] - 1 || second[i] == 20000) << "frame " << i / 2;
}

TEST(CardClock, NeverHandsOutFramesBeforeTheirTimeAndDoesNotBurstAfterAStall)
{
    CardClock clock(44100);
    const auto t0 = CardClock::Clock::time_point{} + 100s;
    clock.Restart(t0);
    EXPECT_EQ(clock.Deadline(44100), t0 + 1s);
    EXPECT_GE(clock.Deadline(1), t0 + 22us);
    clock.Produced(44100, t0 + 1s);
    EXPECT_EQ(clock.Deadline(22050), t0 + 1500ms);
    // Slightly late: it catches up (deadline stays on the original schedule).
    clock.Produced(1024, t0 + 1100ms);
    EXPECT_LT(clock.Deadline(0), t0 + 1100ms);
    // Far behind: counting starts again at the present.
    const auto late = t0 + 5s;
    clock.Produced(1024, late);
    EXPECT_EQ(clock.Deadline(0), late);
    EXPECT_GT(clock.Deadline(1024), late);
}
