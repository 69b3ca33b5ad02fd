#include "ChainProbes.h"
#include "platform/os/DiskSpace.h"
#include "platform/os/ErrorReport.h"
#include "platform/os/MessageTarget.h"
#include "stream/MMPcmFeed.h"
#include "stream/MMTrigg.h"
#include "stream/MMWaveFile.h"
#include "support/Raised.h"
#include "support/RunEvents.h"
#include "support/TempDir.h"
#include "support/WaveFixtures.h"

#include <atomic>
#include <chrono>
#include <thread>
#include <gtest/gtest.h>

namespace {
// What the trigger's events did.
struct Recorder {
    int starts = 0;
    int stops = 0;
    int closes = 0;
    int errors = 0;
    bool stopOnMain = true;
    void Attach(TMMTrigger& t)
    {
        t.OnStart = [this](TMMDSPComponent*) { ++starts; };
        t.OnStop = [this](TMMDSPComponent*) {
            ++stops;
            stopOnMain = stopOnMain && IsMainThread();
        };
        t.OnClose = [this](TMMDSPComponent*) { ++closes; };
        t.OnError = [this](TMMDSPComponent*) { ++errors; };
    }
};

// Source -> Trigger -> Sink with a format on the source.
struct MemoryChain {
    explicit MemoryChain(std::vector<std::uint8_t> data, int bufferSize) : source(std::move(data))
    {
        const TWaveFormatEx f = pcmWaveFormat(16, 2, 44100);
        source.SetWaveFormat(&f);
        source.SetOutput(&trigger);
        trigger.SetOutput(&sink);
        trigger.SetBufferSize(bufferSize);
        trigger.SetInterval(0);
        rec.Attach(trigger);
    }
    MemorySource source;
    TMMTrigger trigger;
    MemorySink sink;
    Recorder rec;
};

std::string errorText(const std::function<void()>& f)
{
    return RaisedText<EMMTriggerError>(f);
}
}  // namespace

TEST(TriggerPump, MovesTensOfMegabytesFromAWaveFileIntoAWaveFileByteForByte)
{
    TempDir dir;
    const std::string in = dir.File("in.wav"), out = dir.File("out.wav");
    const Bytes data = PatternBytes(24 * 1024 * 1024 + 4 * 1234, 5);  // not a whole number of buffers
    WritePcmWave(in, 16, 2, 44100, data);

    TMMWaveFile source("WaveFile"), sink("DstFile");
    TMMTrigger trigger;
    source.Wave()->SetFileName(in);
    sink.Wave()->SetFileMustExist(false);
    sink.Wave()->SetFileName(out);
    source.SetOutput(&trigger);
    trigger.SetOutput(&sink);
    trigger.SetBufferSize(65536);
    trigger.SetInterval(0);
    trigger.SetTimeFormat(tfSample);
    Recorder rec;
    rec.Attach(trigger);
    std::atomic<int> sinkOpens{0}, sinkCloses{0};
    sink.OnOpen = [&](TMMDSPComponent*) { ++sinkOpens; };
    sink.OnClose = [&](TMMDSPComponent*) { ++sinkCloses; };
    std::int64_t positionAtStop = -1;
    trigger.OnStop = [&](TMMDSPComponent*) {
        ++rec.stops;
        rec.stopOnMain = rec.stopOnMain && IsMainThread();
        positionAtStop = source.Wave()->GetPosition();
        trigger.Close();  // the way the program ends a run: close from inside OnStop
    };
    trigger.Start();
    EXPECT_EQ(rec.starts, 1);
    // Progress is read from the main thread while the worker runs.
    std::int64_t lastPosition = 0;
    bool positionsGrow = true;
    ASSERT_TRUE(RunEventsUntil([&] {
        if (rec.stops == 0) {
            const std::int64_t p = source.Wave()->GetPosition();
            positionsGrow = positionsGrow && (p >= lastPosition || p == 0);
            lastPosition = std::max(lastPosition, p);
        }
        return rec.stops > 0;
    }));
    ProcessMessages();
    EXPECT_TRUE(positionsGrow);
    EXPECT_EQ(rec.stops, 1);
    EXPECT_TRUE(rec.stopOnMain);
    EXPECT_EQ(positionAtStop, static_cast<std::int64_t>(data.size() / 4));
    EXPECT_FALSE(trigger.IsOpened());
    EXPECT_EQ(sinkOpens, 1);
    EXPECT_EQ(sinkCloses, 1);

    const Bytes written = ReadBytes(out);
    ASSERT_EQ(written.size(), 46 + data.size() + 12);
    EXPECT_EQ(GetLe32(written, 4), written.size() - 8);
    EXPECT_EQ(GetLe32(written, 16), 18u);
    EXPECT_EQ(GetLe32(written, 42), data.size());
    EXPECT_TRUE(std::equal(data.begin(), data.end(), written.begin() + 46));
    EXPECT_EQ(std::string(written.end() - 12, written.end() - 8), "fact");
    EXPECT_EQ(GetLe32(written, written.size() - 4), data.size() / 4);
    EXPECT_EQ(SndOpenInfo(out).frames, static_cast<std::int64_t>(data.size() / 4));
}

TEST(TriggerPump, ShortExactAndEmptySources)
{
    {  // fewer bytes than one buffer: pushed once
        MemoryChain c(PatternBytes(1000), 4096);
        c.trigger.Start();
        ASSERT_TRUE(RunEventsUntil([&] { return c.rec.stops > 0; }));
        EXPECT_EQ(c.sink.sizes, std::vector<int>{1000});
        EXPECT_EQ(c.sink.received, PatternBytes(1000));
        EXPECT_EQ(c.rec.stops, 1);
        EXPECT_TRUE(c.rec.stopOnMain);
        c.trigger.Close();
    }
    {  // an exact multiple: no empty buffer at the end
        MemoryChain c(PatternBytes(4 * 4096), 4096);
        c.trigger.Start();
        ASSERT_TRUE(RunEventsUntil([&] { return c.rec.stops > 0; }));
        EXPECT_EQ(c.sink.sizes, (std::vector<int>{4096, 4096, 4096, 4096}));
        EXPECT_EQ(c.source.loads, 4) << "the load of the last full buffer ends the run";
        EXPECT_EQ(c.sink.received, PatternBytes(4 * 4096));
        c.trigger.Close();
        EXPECT_EQ(c.rec.closes, 1);
    }
    {  // no data: start fails and leaves the pump closed
        MemoryChain c({}, 4096);
        EXPECT_EQ(errorText([&] { c.trigger.Start(); }), "TriggerStart:\n\rUnable to start device");
        EXPECT_FALSE(c.trigger.IsOpened());
        EXPECT_EQ(c.rec.starts, 0);
        EXPECT_GE(c.rec.errors, 1);
        ProcessMessages();
        EXPECT_EQ(c.rec.stops, 0);
        EXPECT_EQ(c.sink.pushes, 0);
    }
}

TEST(TriggerPump, StopInsideABufferFinishesThatBufferAndLoadsNoMore)
{
    MemoryChain c(PatternBytes(100 * 1024), 1024);
    c.sink.gateAt = 3;
    c.trigger.Start();
    c.sink.WaitInside();
    c.trigger.Stop();  // the worker is inside push 3: the stop waits for it
    EXPECT_EQ(c.rec.stops, 0);
    EXPECT_TRUE(c.trigger.IsStarted());
    c.sink.Release();
    ASSERT_TRUE(RunEventsUntil([&] { return c.rec.stops > 0; }));
    EXPECT_EQ(c.sink.pushes, 3);
    EXPECT_EQ(c.source.loads, 3) << "no load after the pushed buffer";
    EXPECT_EQ(c.sink.received, PatternBytes(3 * 1024));
    c.trigger.Close();
    EXPECT_EQ(c.rec.stops, 1);
    EXPECT_EQ(c.rec.closes, 1);
}

TEST(TriggerPump, StopBetweenRoundsCompletesAtOnceAndDropsTheLoadedBuffer)
{
    MemoryChain c(PatternBytes(100 * 1024), 1024);
    c.sink.gateAt = 2;
    std::atomic<int> filled{0};
    c.trigger.OnBufferFilled = [&](TMMDSPComponent*, TMMWaveHdr*) { ++filled; };
    c.trigger.Start();
    c.sink.WaitInside();
    c.trigger.Pause();  // hold the worker between rounds
    c.sink.Release();
    ASSERT_TRUE(RunEventsUntil([&] { return filled >= 3; }));  // buffer 3 is loaded, not yet pushed
    c.trigger.Stop();
    ASSERT_TRUE(RunEventsUntil([&] { return c.rec.stops > 0; }));
    ProcessMessages();
    EXPECT_EQ(c.sink.pushes, 2);
    EXPECT_EQ(c.source.loads, 3);
    EXPECT_EQ(c.rec.stops, 1);
    c.trigger.Close();
    EXPECT_FALSE(c.trigger.IsOpened());
}

TEST(TriggerPump, PauseAndRestartLoseNothing)
{
    MemoryChain c(PatternBytes(64 * 1024), 1024);
    c.sink.gateAt = 5;
    int pauses = 0, restarts = 0;
    c.trigger.OnPause = [&](TMMDSPComponent*) { ++pauses; };
    c.trigger.OnRestart = [&](TMMDSPComponent*) { ++restarts; };
    c.trigger.Start();
    c.sink.WaitInside();
    c.trigger.Pause();
    EXPECT_TRUE(c.trigger.IsPaused());
    c.sink.Release();
    c.trigger.Restart();
    ASSERT_TRUE(RunEventsUntil([&] { return c.rec.stops > 0; }));
    EXPECT_EQ(c.sink.received, PatternBytes(64 * 1024));
    EXPECT_EQ(pauses, 1);
    EXPECT_EQ(restarts, 1);
    c.trigger.Close();
}

TEST(TriggerPump, PausedBeforeTheStartRunsOnRestart)
{
    MemoryChain c(PatternBytes(8 * 1024), 1024);
    c.trigger.Pause();
    c.trigger.Start();
    EXPECT_EQ(c.rec.starts, 1);
    ProcessMessages();
    EXPECT_EQ(c.rec.stops, 0);
    c.trigger.Restart();
    ASSERT_TRUE(RunEventsUntil([&] { return c.rec.stops > 0; }));
    EXPECT_EQ(c.sink.received, PatternBytes(8 * 1024));
    c.trigger.Close();
}

TEST(TriggerPump, StopAndCloseFromInsideOnStop)
{
    MemoryChain c(PatternBytes(10 * 1024), 1024);
    c.trigger.OnStop = [&](TMMDSPComponent*) {
        ++c.rec.stops;
        c.trigger.Stop();
        c.trigger.Close();
        c.trigger.Close();
    };
    c.trigger.Start();
    ASSERT_TRUE(RunEventsUntil([&] { return c.rec.stops > 0; }));
    ProcessMessages();
    EXPECT_EQ(c.rec.stops, 1);
    EXPECT_EQ(c.rec.closes, 1);
    EXPECT_FALSE(c.trigger.IsOpened());
    EXPECT_EQ(c.sink.received.size(), 10u * 1024);
    // The pump runs again after that.
    MemorySource again(PatternBytes(3000, 9));
    const TWaveFormatEx f = pcmWaveFormat(16, 2, 44100);
    again.SetWaveFormat(&f);
    again.SetOutput(&c.trigger);
    c.trigger.OnStop = [&](TMMDSPComponent*) { ++c.rec.stops; };
    c.trigger.Start();
    ASSERT_TRUE(RunEventsUntil([&] { return c.rec.stops > 1; }));
    c.trigger.Close();
    EXPECT_EQ(c.sink.received.size(), 10u * 1024 + 3000);
}

TEST(TriggerPump, CloseWhileTheWorkerIsInsideABufferCompletesWithTheStop)
{
    MemoryChain c(PatternBytes(100 * 1024), 1024);
    c.sink.gateAt = 2;
    c.trigger.Start();
    c.sink.WaitInside();
    c.trigger.Close();  // deferred until the buffer is done
    EXPECT_TRUE(c.trigger.IsOpened());
    c.sink.Release();
    ASSERT_TRUE(RunEventsUntil([&] { return c.rec.closes > 0; }));
    EXPECT_EQ(c.rec.stops, 1);
    EXPECT_FALSE(c.trigger.IsOpened());
    EXPECT_EQ(c.sink.pushes, 2);
}

TEST(TriggerPump, DestroyedWhileItsCloseWaitsForABufferItStillClosesTheChainOnce)
{
    MemorySource source(PatternBytes(100 * 1024));
    MemorySink sink;
    Recorder rec;
    auto trigger = std::make_unique<TMMTrigger>();
    const TWaveFormatEx f = pcmWaveFormat(16, 2, 44100);
    source.SetWaveFormat(&f);
    source.SetOutput(trigger.get());
    trigger->SetOutput(&sink);
    trigger->SetBufferSize(1024);
    rec.Attach(*trigger);
    sink.gateAt = 2;
    trigger->Start();
    sink.WaitInside();
    trigger->Close();  // deferred: the worker is inside a buffer
    ASSERT_TRUE(trigger->IsOpened());
    std::thread release([&] { sink.Release(); });
    trigger.reset();  // no event loop runs: the destructor itself waits for the buffer
    release.join();
    EXPECT_FALSE(sink.Opened()) << "the sink was left open, its file unfinished";
    EXPECT_FALSE(source.Opened());
    EXPECT_EQ(rec.stops, 1);
    EXPECT_EQ(rec.closes, 1);
}

TEST(TriggerPump, WorkerErrorsReachTheReportAndThePumpStopsOnTheMainThread)
{
    std::vector<std::string> reports;
    const ErrorReporter previous = SetErrorReporter([&](const std::string& t) { reports.push_back(t); });
    MemoryChain c(PatternBytes(100 * 1024), 1024);
    c.sink.throwAt = 4;
    c.trigger.Start();
    ASSERT_TRUE(RunEventsUntil([&] { return c.rec.closes > 0; }));
    ProcessMessages();
    SetErrorReporter(previous);
    ASSERT_EQ(reports, std::vector<std::string>{"sink failed"});
    EXPECT_EQ(c.rec.stops, 1);
    EXPECT_TRUE(c.rec.stopOnMain);
    EXPECT_GE(c.rec.errors, 1);
    EXPECT_FALSE(c.trigger.IsOpened());
    EXPECT_EQ(c.sink.pushes, 3);
}

TEST(TriggerPump, AFeedIsPumpedAsItGrowsAndAStopWhileTheFeedWaitsEndsTheRunCleanly)
{
    TMMPcmFeed feed;
    TMMTrigger trigger;
    MemorySink sink;
    Recorder rec;
    feed.Begin(pcmWaveFormat(16, 2, 44100));
    feed.SetOutput(&trigger);
    trigger.SetOutput(&sink);
    trigger.SetBufferSize(1024);
    rec.Attach(trigger);

    // Pushed in pieces while the worker pumps; the run ends after the last byte.
    const Bytes all = PatternBytes(40000);
    feed.Push(std::span(all).first(5000));
    trigger.Start();
    for (std::size_t at = 5000; at < all.size(); at += 3000) {
        feed.Push(std::span(all).subspan(at, std::min<std::size_t>(3000, all.size() - at)));
        ProcessMessages();
    }
    feed.End();
    ASSERT_TRUE(RunEventsUntil([&] { return rec.stops > 0; }));
    EXPECT_EQ(sink.received, all);
    trigger.Close();

    // The worker waits for bytes that will not come: the stop waits for it, the abort
    // wakes it with nothing, and the run ends without an error.
    sink.pushes = 0;
    std::atomic<int> loads{0};
    trigger.OnBufferLoad = [&](TMMDSPComponent*, TMMWaveHdr*, bool&) { ++loads; };
    feed.Begin(pcmWaveFormat(16, 2, 44100));
    feed.Push(std::span(all).first(1500));
    trigger.Start();
    ASSERT_TRUE(RunEventsUntil([&] { return loads == 2; }));  // the worker's first load
    trigger.Stop();
    EXPECT_EQ(rec.stops, 1) << "the stop did not wait for the buffer in hand";
    feed.Abort();
    ASSERT_TRUE(RunEventsUntil([&] { return rec.stops == 2; }));
    EXPECT_EQ(sink.pushes, 1);
    EXPECT_EQ(rec.errors, 0);
    trigger.Close();
}

TEST(TriggerProperties, BufferSizeIntervalAndOpenWithoutFormat)
{
    TMMTrigger t;
    t.SetBufferSize(10);
    EXPECT_EQ(t.BufferSize(), 32);
    t.SetInterval(5);
    t.SetInterval(0);
    EXPECT_EQ(t.Interval(), 1);
    EXPECT_EQ(errorText([&] { t.Open(); }), "TriggerOpen:\n\rInvalid wave format");
    const TWaveFormatEx f = pcmWaveFormat(16, 2, 44100);
    t.SetWaveFormat(&f);
    t.SetBufferSize(1001);
    t.Open();
    EXPECT_TRUE(t.IsOpened());
    EXPECT_EQ(t.GetBufferSize(), 1000);
    EXPECT_EQ(errorText([&] { t.SetBufferSize(4096); }), "Change to property while device was open");
    t.Close();
    EXPECT_FALSE(t.IsOpened());
}

TEST(WaveFileSink, AFullDiskClosesTheSinkWithAValidFileAndThePumpGoesOn)
{
    TempDir dir;
    const std::string out = dir.File("full.wav");
    MemoryChain c(PatternBytes(50 * 1024), 1024);
    TMMWaveFile sink("DstFile");
    sink.Wave()->SetFileMustExist(false);
    sink.Wave()->SetFileName(out);
    MemorySink after;
    c.trigger.SetOutput(&sink);
    sink.SetOutput(&after);
    std::atomic<int> queries{0};
    // Room for 10 buffers, then the disk is full.
    SetFreeDiskSpaceQuery([&](const std::string& folder) -> std::int64_t {
        EXPECT_EQ(folder, dir.Path() + "/");
        return ++queries <= 10 ? std::int64_t{1} << 30 : 32768 + 1024 + 10240 - 1;
    });
    c.trigger.Start();
    ASSERT_TRUE(RunEventsUntil([&] { return c.rec.stops > 0; }));
    c.trigger.Close();
    SetFreeDiskSpaceQuery(nullptr);
    EXPECT_FALSE(sink.FileOpened());
    EXPECT_EQ(after.received, PatternBytes(50 * 1024)) << "buffers still pass on";
    const Bytes written = ReadBytes(out);
    ASSERT_EQ(written.size(), 46 + 10 * 1024 + 12u);
    EXPECT_EQ(GetLe32(written, 42), 10u * 1024);
    EXPECT_EQ(SndOpenInfo(out).frames, 10 * 256);
    EXPECT_TRUE(std::equal(written.begin() + 46, written.begin() + 46 + 10 * 1024, PatternBytes(10 * 1024).begin()));
}

namespace {
// WaveFile -> Trigger -> DstFile over real files, as the program wires them.
struct FileChain {
    FileChain(const TempDir& dir, const Bytes& data, int bufferSize) : in(dir.File("in.wav")), out(dir.File("out.wav"))
    {
        WritePcmWave(in, 16, 2, 44100, data);
        source.Wave()->SetFileName(in);
        sink.Wave()->SetFileMustExist(false);
        sink.Wave()->SetFileName(out);
        source.SetOutput(&trigger);
        trigger.SetOutput(&sink);
        trigger.SetBufferSize(bufferSize);
        trigger.SetInterval(0);
        rec.Attach(trigger);
        trigger.OnStop = [this](TMMDSPComponent*) {
            ++rec.stops;
            rec.stopOnMain = rec.stopOnMain && IsMainThread();
            trigger.Close();
        };
    }
    // The sample bytes of the finished output file.
    Bytes Written() const
    {
        const Bytes f = ReadBytes(out);
        const std::uint32_t n = GetLe32(f, 42);
        EXPECT_EQ(f.size(), 46 + n + (n & 1) + 12u);
        EXPECT_EQ(GetLe32(f, 4), f.size() - 8);
        return Bytes(f.begin() + 46, f.begin() + 46 + n);
    }
    std::string in, out;
    TMMWaveFile source{"WaveFile"}, sink{"DstFile"};
    TMMTrigger trigger;
    Recorder rec;
};
}  // namespace

TEST(TriggerPumpFiles, ShortExactAndEmptyWaveFiles)
{
    TempDir dir;
    for (const std::size_t size : {std::size_t{1000}, std::size_t{4 * 65536}}) {
        const Bytes data = PatternBytes(size, 11);
        FileChain c(dir, data, 65536);
        c.trigger.Start();
        ASSERT_TRUE(RunEventsUntil([&] { return c.rec.stops > 0; }));
        ProcessMessages();
        EXPECT_EQ(c.rec.stops, 1);
        EXPECT_TRUE(c.rec.stopOnMain);
        EXPECT_EQ(c.Written(), data) << size;
        EXPECT_EQ(SndOpenInfo(c.out).frames, static_cast<std::int64_t>(size / 4));
    }
    FileChain c(dir, {}, 65536);
    EXPECT_EQ(errorText([&] { c.trigger.Start(); }), "TriggerStart:\n\rUnable to start device");
    EXPECT_FALSE(c.trigger.IsOpened());
    EXPECT_FALSE(c.sink.FileOpened());
    ProcessMessages();
    EXPECT_EQ(c.rec.stops, 0);
    EXPECT_EQ(c.Written(), Bytes(4, 0)) << "a sink closed without data holds 4 zero bytes";
}

TEST(TriggerPumpFiles, StopInTheMiddleLeavesAFinishedPrefix)
{
    TempDir dir;
    const Bytes data = PatternBytes(8 * 1024 * 1024, 12);
    FileChain c(dir, data, 65536);
    MemorySink gate;  // after the wave sink: holds the worker inside buffer 3
    c.sink.SetOutput(&gate);
    gate.gateAt = 3;
    c.trigger.Start();
    gate.WaitInside();
    c.trigger.Stop();  // Cancel while the worker is inside a buffer
    gate.Release();
    ASSERT_TRUE(RunEventsUntil([&] { return c.rec.stops > 0; }));
    ProcessMessages();
    EXPECT_EQ(c.rec.stops, 1);
    EXPECT_FALSE(c.trigger.IsOpened());
    EXPECT_EQ(c.Written(), Bytes(data.begin(), data.begin() + 3 * 65536)) << "the buffer in hand is finished, no more";
    EXPECT_EQ(SndOpenInfo(c.out).frames, 3 * 65536 / 4);
}
