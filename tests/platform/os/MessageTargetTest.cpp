#include "platform/os/Dialogs.h"
#include "platform/os/ErrorReport.h"
#include "platform/os/InstanceFolder.h"
#include "platform/os/MessageTable.h"
#include "platform/os/MessageTarget.h"
#include "platform/os/Paths.h"
#include "platform/os/ProcessPriority.h"
#include "support/RunEvents.h"
#include "support/TempDir.h"
#include "support/WaveFixtures.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <atomic>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <string>
#include <thread>
#include <vector>

TEST(MessageTarget, MessagesPostedFromAWorkerRunOnTheMainThreadInOrder)
{
    std::vector<std::tuple<unsigned, std::intptr_t, bool>> seen;
    MessageTarget target([&](unsigned m, std::intptr_t w, std::intptr_t) {
        seen.emplace_back(m, w, IsMainThread());
    });
    std::thread worker([&] {
        EXPECT_FALSE(IsMainThread());
        for (int i = 0; i < 5; ++i)
            target.Post(0x400 + 1, i);
    });
    worker.join();
    EXPECT_TRUE(seen.empty()) << "nothing runs before the loop does";
    ProcessMessages();
    ASSERT_EQ(seen.size(), 5u);
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(std::get<1>(seen[i]), i);
        EXPECT_TRUE(std::get<2>(seen[i]));
    }
}

TEST(ErrorReport, ExceptionsFromHandlersReachTheReportNotQt)
{
    std::vector<std::string> reports;
    auto previous = SetErrorReporter([&](const std::string& t) { reports.push_back(t); });
    MessageTarget target([](unsigned, std::intptr_t, std::intptr_t) { throw std::runtime_error("boom"); });
    target.Post(1);
    ProcessMessages();
    Guarded([] { throw 42; });
    // A report from a worker thread arrives on the main thread.
    std::thread([] { ReportError("from worker"); }).join();
    ProcessMessages();
    SetErrorReporter(previous);
    ASSERT_EQ(reports.size(), 3u);
    EXPECT_EQ(reports[0], "boom");
    EXPECT_EQ(reports[1], "Unknown error");
    EXPECT_EQ(reports[2], "from worker");
}

TEST(MessageTarget, RunOnMainThreadWaitsForTheHandler)
{
    std::atomic<bool> ranOnMain{false};
    std::atomic<bool> returned{false};
    std::thread worker([&] {
        RunOnMainThread([&] { ranOnMain = IsMainThread(); });
        returned = true;
    });
    RunEventsUntil([&] { return returned.load(); });
    worker.join();
    EXPECT_TRUE(returned);
    EXPECT_TRUE(ranOnMain);
}

TEST(MessageTarget, JobsPostedFromAWorkerRunOnTheMainThreadBeforeItsLaterMessages)
{
    // The pump relies on this order: its error report is posted as a job, then the stop
    // message, and the report must be shown first.
    std::vector<std::string> seen;
    MessageTarget target([&](unsigned, std::intptr_t, std::intptr_t) { seen.push_back("message"); });
    std::thread worker([&] {
        for (int i = 0; i < 3; ++i)
            PostToMainThread([&seen, i] { seen.push_back(IsMainThread() ? "job" + std::to_string(i) : "off main"); });
        target.Post(1);
        PostToMainThread([] { throw std::runtime_error("job failed"); });
    });
    worker.join();
    std::vector<std::string> reports;
    auto previous = SetErrorReporter([&](const std::string& t) { reports.push_back(t); });
    ProcessMessages();
    SetErrorReporter(previous);
    EXPECT_EQ(seen, (std::vector<std::string>{"job0", "job1", "job2", "message"}));
    EXPECT_EQ(reports, std::vector<std::string>{"job failed"});
}

TEST(MessageTable, StepMessagesCarryPrefixLineFeedAndCarriageReturn)
{
    EXPECT_EQ(StepMessage("TriggerStart:", msg::StartDevice), "TriggerStart:\n\rUnable to start device");
    EXPECT_EQ(LoadResString(12345), "Specified error number is out of range (unknown error)");
}

TEST(Dialogs, DefaultExtensionIsAddedOnlyToNamesWithoutOne)
{
    EXPECT_EQ(WithDefaultExtension("/a.b/song", "*.mp3"), "/a.b/song.mp3");
    EXPECT_EQ(WithDefaultExtension("/a/song.wav", "*.mp3"), "/a/song.wav");
    EXPECT_EQ(WithDefaultExtension("/a/song", ""), "/a/song");
}

TEST(Paths, TemporaryWaveLiesInTheInstanceFolderOrTheOverride)
{
    TempDir cache;
    const char* old = std::getenv("XDG_CACHE_HOME");
    const std::string previous = old ? old : "";
    ::setenv("XDG_CACHE_HOME", cache.Path().c_str(), 1);
    const std::string wave = TemporaryWavePath();
    const std::string folder = TemporaryFolder();
    EXPECT_EQ(wave, folder + "mp3tmp.wav");
    EXPECT_EQ(folder.rfind(cache.Path() + "/mervane/" + std::to_string(getpid()) + "-", 0), 0u) << folder;
    EXPECT_TRUE(std::filesystem::exists(folder + "lock"));
    WriteBytes(wave, Bytes(10, 1));
    RemoveTemporaryWave();
    EXPECT_FALSE(std::filesystem::exists(wave));
    CloseInstanceFolder();
    EXPECT_FALSE(std::filesystem::exists(folder)) << "the folder goes with the instance";
    EXPECT_FALSE(OpenedInstanceFolder());
    old ? ::setenv("XDG_CACHE_HOME", previous.c_str(), 1) : ::unsetenv("XDG_CACHE_HOME");

    SetTemporaryFolderOverride("/tmp/x");
    EXPECT_EQ(TemporaryWavePath(), "/tmp/x/mp3tmp.wav");
    SetTemporaryFolderOverride("");
    EXPECT_EQ(ProgramFolder().back(), '/');
}

TEST(ProcessPriority, EveryThreadTakesTheClassAndNormalPutsItBack)
{
    std::atomic<bool> stop{false};
    std::atomic<int> workerNice{100};
    std::thread worker([&] {
        while (!stop) {
            errno = 0;
            workerNice = getpriority(PRIO_PROCESS, 0);
            std::this_thread::yield();
        }
    });
    ASSERT_EQ(SetProcessPriorityClass(PriorityClass::Idle), 0);
    EXPECT_EQ(getpriority(PRIO_PROCESS, 0), 19);
    QElapsedTimer clock;
    clock.start();
    while (workerNice != 19 && clock.elapsed() < 2000)
        std::this_thread::yield();
    EXPECT_EQ(workerNice, 19) << "the worker thread kept its old priority";
    const int back = SetProcessPriorityClass(PriorityClass::Normal);
    stop = true;
    worker.join();
    if (back == EACCES || back == EPERM)
        GTEST_SKIP() << "raising the priority again needs privileges here";
    EXPECT_EQ(back, 0);
    EXPECT_EQ(getpriority(PRIO_PROCESS, 0), 0);
}
