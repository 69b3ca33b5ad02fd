// The road to the main thread (MessageTarget), the error report and the message table.
#include "platform/os/ErrorReport.h"
#include "platform/os/MessageTable.h"
#include "platform/os/MessageTarget.h"
#include "support/RunEvents.h"

#include <atomic>
#include <gtest/gtest.h>
#include <stdexcept>
#include <string>
#include <thread>
#include <tuple>
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
