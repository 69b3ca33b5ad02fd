// The wave-in recorder over a test double of the device table: properties, the format
// check, recording into a wave file in both handling modes, the byte limit, stop and
// close, device errors and a device that vanishes.
#include "platform/os/MessageTarget.h"
#include "stream/MMWRec.h"
#include "support/FakeWaveInDevices.h"
#include "support/Raised.h"
#include "support/RunEvents.h"
#include "support/ScriptedDialogs.h"
#include "support/TempDir.h"
#include "support/WaveFixtures.h"

#include <atomic>
#include <chrono>
#include <cstring>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <thread>
#include <unistd.h>

namespace {
constexpr int kBuffer = 2048;

std::string errorOf(const std::function<void()>& f)
{
    return RaisedText<EMMWaveInError>(f);
}

// A recorder as the hidden window sets it up, over the fake device, recording into the
// test's folder, with its events counted.
struct RecorderRig {
    explicit RecorderRig(TMMCBMode mode = cmWindow) : rec(&device, "Rec")
    {
        rec.SetMode(mStereo);
        rec.SetBitLength(b16Bit);
        rec.SetSampleRate(44100);
        rec.SetBufferSize(kBuffer);
        rec.SetNumBuffers(10);
        rec.SetCallBackMode(mode);
        rec.Wave()->SetFileName(file);
        rec.OnStart = [this](TMMDSPComponent*) { ++starts; };
        rec.OnStop = [this](TMMDSPComponent*) { ++stops; };
        rec.OnData = [this](TMMDSPComponent* sender, TMMWaveHdr* h) {
            EXPECT_EQ(sender, &rec);
            dataBytes += h->dwBytesRecorded;
            dataOnMain = dataOnMain && IsMainThread();
            handlerNice = ::getpriority(PRIO_PROCESS, static_cast<id_t>(::gettid()));
        };
    }
    // Hands `bytes` to the device buffer by buffer, letting the recorder re-queue them.
    void Feed(const Bytes& bytes)
    {
        std::size_t at = 0;
        while (at < bytes.size()) {
            const std::size_t n = device.Deliver(bytes.data() + at, std::min<std::size_t>(kBuffer, bytes.size() - at));
            if (n == 0)
                ProcessMessages();
            at += n;
        }
        ProcessMessages();
    }

    TempDir dir;
    std::string file = dir.File("take.wav");
    FakeWaveInDevices device{2};
    TMMWaveRecorder rec;
    int starts = 0;
    int stops = 0;
    std::atomic<std::int64_t> dataBytes{0};
    std::atomic<bool> dataOnMain{true};
    std::atomic<int> handlerNice{0};  // the nice value of the thread that handled the last buffer
};

Bytes dataChunkOf(const std::string& path)
{
    return RiffChunk(ReadBytes(path), "data");
}
}  // namespace

TEST(WaveIn, PropertiesAreClampedAndABadDeviceIsRefused)
{
    ScriptedDialogsScope dialogs;
    FakeWaveInDevices device(2);
    TMMWaveIn in(&device, "In");
    EXPECT_EQ(in.ProductName(), "Fake recorder");
    in.SetNumBuffers(1);
    EXPECT_EQ(in.NumBuffers(), 10);
    in.SetNumBuffers(501);
    EXPECT_EQ(in.NumBuffers(), 500);
    in.SetSampleRate(5000);
    EXPECT_EQ(in.SampleRate(), 8000);
    in.SetSampleRate(200000);
    EXPECT_EQ(in.SampleRate(), 100000);

    in.SetCallBackMode(cmThread);
    in.SetCallBackMode(cmCallback);
    EXPECT_EQ(in.CallBackMode(), cmThread);
    ASSERT_EQ(dialogs->boxes.size(), 1u);
    EXPECT_EQ(dialogs->boxes[0].caption, "TMMWaveIn");
    EXPECT_EQ(dialogs->boxes[0].text,
              "\"CallBacks\" are called at interrupt time !\n\rThis is currently only supported under Windows 95");

    in.SetDeviceID(5);
    EXPECT_EQ(in.DeviceID(), badDeviceId);
    EXPECT_EQ(in.ProductName(), "No wave audio recording device found");
    EXPECT_EQ(errorOf([&] { in.Open(); }), "Invalid DeviceID");

    FakeWaveInDevices none(0);
    TMMWaveIn nothing(&none, "None");
    EXPECT_EQ(errorOf([&] { nothing.Open(); }), "No wave audio recording device found");
}

TEST(WaveIn, RefusesFormatsTheDeviceCannotRecordAndPropertyChangesWhileOpen)
{
    RecorderRig rig;
    rig.device.formats = WAVE_FORMAT_4M16;  // 44.1 kHz mono 16-bit only
    int errors = 0;
    rig.rec.WaveIn().OnError = [&](TMMDSPComponent*) { ++errors; };
    EXPECT_EQ(errorOf([&] { rig.rec.StartRecording(); }), "WaveInOpen:\n\rThe actual device can't record this format");
    EXPECT_GT(errors, 0);
    EXPECT_FALSE(rig.rec.IsOpened());

    rig.device.formats = 0xFFF;
    rig.rec.WaveIn().Open();
    EXPECT_EQ(errorOf([&] { rig.rec.SetSampleRate(22050); }), "Change to property while device was open");
    rig.rec.StopRecording();
    EXPECT_FALSE(rig.device.Opened());
}

TEST(WaveIn, StartWithoutAFileNameDoesNothing)
{
    RecorderRig rig;
    rig.rec.Wave()->SetFileName("");
    rig.rec.StartRecording();
    EXPECT_FALSE(rig.rec.IsStarted());
    EXPECT_EQ(rig.starts, 0);
    EXPECT_TRUE(rig.device.Calls().empty());
}

TEST(WaveIn, RecordsEveryBufferIntoAFinishedWaveFileOnTheMainThread)
{
    RecorderRig rig;
    const Bytes audio = PatternBytes(kBuffer * 37);
    rig.rec.StartRecording();
    EXPECT_EQ(rig.starts, 1);
    EXPECT_EQ(rig.device.Queued(), 10u);
    rig.Feed(audio);
    rig.rec.StopRecording();
    EXPECT_EQ(rig.stops, 1);
    EXPECT_FALSE(rig.device.Opened());
    EXPECT_TRUE(rig.dataOnMain);
    EXPECT_EQ(rig.dataBytes, static_cast<std::int64_t>(audio.size()));
    EXPECT_EQ(dataChunkOf(rig.file), audio);
    const SndInfo info = SndOpenInfo(rig.file);
    ASSERT_TRUE(info.ok);
    EXPECT_EQ(info.channels, 2);
    EXPECT_EQ(info.rate, 44100);
    EXPECT_EQ(info.frames, static_cast<std::int64_t>(audio.size() / 4));
}

TEST(WaveIn, ThreadModeHandlesBuffersOnItsWorker)
{
    RecorderRig rig(cmThread);
    const Bytes audio = PatternBytes(kBuffer * 200, 7);
    rig.rec.StartRecording();
    std::thread card([&] {
        std::size_t at = 0;
        while (at < audio.size()) {
            const std::size_t n = rig.device.Deliver(audio.data() + at, kBuffer);
            if (n == 0)
                std::this_thread::yield();
            at += n;
        }
    });
    card.join();
    ASSERT_TRUE(RunEventsUntil([&] { return rig.dataBytes == static_cast<std::int64_t>(audio.size()); }));
    rig.rec.StopRecording();
    // The worker may still be finishing the last buffer; the stop then follows its end.
    EXPECT_TRUE(RunEventsUntil([&] { return rig.stops == 1; }));
    EXPECT_EQ(rig.stops, 1);
    EXPECT_FALSE(rig.dataOnMain);
    EXPECT_EQ(dataChunkOf(rig.file), audio);
    // The worker runs above normal priority where the system allows it (here: as root).
    if (::geteuid() == 0) {
        EXPECT_EQ(rig.handlerNice, -5);
    }
}

TEST(WaveIn, ByteLimitCutsTheCrossingBufferAndStops)
{
    for (TMMCBMode mode : {cmWindow, cmThread}) {
        RecorderRig rig(mode);
        rig.rec.SetTimeFormat(tfMillisecond);
        rig.rec.SetMaxRecordTime(1000);
        rig.rec.StartRecording();
        EXPECT_EQ(rig.rec.WaveIn().ByteLimit(), 176400);
        const Bytes audio = PatternBytes(kBuffer * 100, 3);
        std::size_t at = 0;
        while (rig.rec.IsStarted() && at < audio.size()) {
            const std::size_t n = rig.device.Deliver(audio.data() + at, kBuffer);
            at += n;
            ProcessMessages();
        }
        ASSERT_TRUE(RunEventsUntil([&] { return !rig.rec.IsOpened(); }));
        EXPECT_EQ(rig.stops, 1);
        EXPECT_EQ(dataChunkOf(rig.file), Bytes(audio.begin(), audio.begin() + 176400));
    }
}

TEST(WaveIn, BuffersHandedBackByStopAreNotWrittenAndARecordingStartsItsFileAnew)
{
    RecorderRig rig;
    rig.rec.StartRecording();
    rig.Feed(PatternBytes(kBuffer * 30, 1));
    rig.rec.StopRecording();
    EXPECT_EQ(dataChunkOf(rig.file).size(), static_cast<std::size_t>(kBuffer * 30));

    const Bytes second = PatternBytes(kBuffer * 5, 9);
    rig.rec.StartRecording();
    rig.Feed(second);
    // Three buffers filled, then a stop: the reset hands the other queued ones back empty.
    rig.rec.StopRecording();
    EXPECT_EQ(rig.stops, 2);
    EXPECT_EQ(dataChunkOf(rig.file), second);
}

TEST(WaveIn, DeviceFailuresCloseTheComponentAndCarryTheDeviceText)
{
    RecorderRig rig;
    rig.device.failures["Start"] = 3;
    EXPECT_EQ(errorOf([&] { rig.rec.StartRecording(); }), "WaveInStart:\n\rfake device error 3");
    EXPECT_FALSE(rig.rec.IsOpened());
    EXPECT_FALSE(rig.device.Opened());
    EXPECT_EQ(rig.device.Queued(), 0u);

    rig.device.failures = {{"Open", 200}};
    EXPECT_EQ(errorOf([&] { rig.rec.StartRecording(); }),
              "WaveInOpen:\n\rSpecified error number is out of range (unknown error)");

    // A failing close is reported through OnError only; the file is still finished.
    rig.device.failures = {{"Close", 4}};
    int errors = 0;
    rig.rec.WaveIn().OnError = [&](TMMDSPComponent*) { ++errors; };
    rig.rec.StartRecording();
    rig.Feed(PatternBytes(kBuffer * 2));
    EXPECT_NO_THROW(rig.rec.StopRecording());
    EXPECT_GT(errors, 0);
    EXPECT_EQ(dataChunkOf(rig.file).size(), static_cast<std::size_t>(kBuffer * 2));
}

TEST(WaveIn, AVanishingDeviceEndsWithAFinishedFileAndAMessage)
{
    for (TMMCBMode mode : {cmWindow, cmThread}) {
        ScriptedDialogsScope dialogs;
        RecorderRig rig(mode);
        rig.rec.StartRecording();
        const Bytes audio = PatternBytes(kBuffer * 4, 5);
        for (std::size_t at = 0; at < audio.size(); at += kBuffer)
            ASSERT_EQ(rig.device.Deliver(audio.data() + at, kBuffer), static_cast<std::size_t>(kBuffer));
        rig.device.LoseDevice();
        ASSERT_TRUE(RunEventsUntil([&] { return !dialogs->messages.empty(); }));
        EXPECT_EQ(dialogs->messages[0], kRecordingDeviceLostMessage);
        EXPECT_FALSE(rig.rec.IsOpened());
        EXPECT_EQ(rig.stops, 1);
        EXPECT_EQ(dataChunkOf(rig.file), audio);
        EXPECT_EQ(SndOpenInfo(rig.file).frames, static_cast<std::int64_t>(audio.size() / 4));
        // The recorder can record again.
        rig.rec.StartRecording();
        EXPECT_TRUE(rig.rec.IsStarted());
        rig.rec.StopRecording();
    }
}

TEST(WaveIn, TheFormatRecordRoundTripsAndABrokenRecordChangesNothing)
{
    RecorderRig rig;
    const Bytes stored = rig.rec.WriteWaveFormatEx();
    ASSERT_EQ(stored.size(), 18u);
    const TWaveFormatEx cd = pcmWaveFormat(16, 2, 44100);
    EXPECT_EQ(std::memcmp(stored.data(), &cd, sizeof cd), 0);

    const TWaveFormatEx mono = pcmWaveFormat(8, 1, 22050);
    const auto* monoBytes = reinterpret_cast<const std::uint8_t*>(&mono);
    rig.rec.ReadWaveFormatEx({monoBytes, sizeof mono});
    EXPECT_EQ(rig.rec.WriteWaveFormatEx(), Bytes(monoBytes, monoBytes + sizeof mono));

    // Too short for a record, and a record whose extra bytes are missing.
    rig.rec.ReadWaveFormatEx(stored);
    rig.rec.ReadWaveFormatEx({stored.data(), 17});
    TWaveFormatEx extended = pcmWaveFormat(16, 2, 48000);
    extended.wFormatTag = 0xFFFE;
    extended.cbSize = 22;
    rig.rec.ReadWaveFormatEx({reinterpret_cast<const std::uint8_t*>(&extended), sizeof extended});
    EXPECT_EQ(rig.rec.WriteWaveFormatEx(), stored);
}
