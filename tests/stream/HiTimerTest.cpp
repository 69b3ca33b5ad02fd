// TMMHiTimer's delivery modes, its queue bound and the folding of thread ticks, driven by
// a clock the test moves by hand: counts of ticks are asserted, never times.
#include "platform/os/ErrorReport.h"
#include "platform/os/MessageTarget.h"
#include "stream/MMHTimer.h"
#include "support/ScriptedDialogs.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <gtest/gtest.h>
#include <mutex>
#include <optional>
#include <thread>

using namespace std::chrono_literals;

namespace {
constexpr auto kPatience = 10s;  // a bound against hanging, never a measured time

// Time moves only when the test says so. Advance waits until the timer thread has dealt
// with the new time and sleeps again, so every tick due is delivered when it returns.
class ManualClock final : public TickClock {
public:
    TimePoint Now() override
    {
        std::lock_guard lock(m_);
        return now_;
    }
    void SleepUntil(TimePoint deadline, std::stop_token stop) override
    {
        std::unique_lock lock(m_);
        sleepingUntil_ = deadline;
        cv_.notify_all();
        cv_.wait(lock, stop, [&] { return now_ >= deadline; });
        sleepingUntil_.reset();
        cv_.notify_all();
    }
    void Advance(std::chrono::milliseconds by)
    {
        std::unique_lock lock(m_);
        ASSERT_TRUE(cv_.wait_for(lock, kPatience, [&] { return sleepingUntil_.has_value(); }));
        now_ += by;
        cv_.notify_all();
        ASSERT_TRUE(cv_.wait_for(lock, kPatience, [&] { return sleepingUntil_ && *sleepingUntil_ > now_; }));
    }

private:
    std::mutex m_;
    std::condition_variable_any cv_;
    TimePoint now_{};
    std::optional<TimePoint> sleepingUntil_;
};

// Counts handler runs and where they ran; can hold the handler until released.
struct Handler {
    std::mutex m;
    std::condition_variable cv;
    int runs = 0;
    int onMain = 0;
    bool hold = false;

    TMMHiTimer::TTimerEvent Event()
    {
        return [this](TMMHiTimer*) {
            std::unique_lock lock(m);
            ++runs;
            onMain += IsMainThread();
            cv.notify_all();
            cv.wait(lock, [&] { return !hold; });
        };
    }
    int Runs()
    {
        std::lock_guard lock(m);
        return runs;
    }
    bool WaitForRuns(int n)
    {
        std::unique_lock lock(m);
        return cv.wait_for(lock, kPatience, [&] { return runs >= n; });
    }
    void Release()
    {
        std::lock_guard lock(m);
        hold = false;
        cv.notify_all();
    }
};

class HiTimerTest : public ::testing::Test {
protected:
    void Start(TMMCBMode mode, bool synchronize = false)
    {
        timer_.SetEnabled(false);
        timer_.SetClock(clock_);
        timer_.SetInterval(10);
        timer_.SetCallBackMode(mode);
        timer_.SetSynchronize(synchronize);
        timer_.SetOnTimer(handler_.Event());
        timer_.SetEnabled(true);
        ASSERT_TRUE(timer_.Running());
    }
    void Ticks(int n)
    {
        for (int i = 0; i < n; ++i)
            clock_->Advance(10ms);
    }

    ScriptedDialogsScope dialogs_;
    std::shared_ptr<ManualClock> clock_ = std::make_shared<ManualClock>();
    Handler handler_;
    TMMHiTimer timer_;
};
}  // namespace

TEST_F(HiTimerTest, WindowTicksQueueAtMostTenAndRunOnTheMainThread)
{
    Start(cmWindow);
    Ticks(25);  // the main thread is busy meanwhile: nothing runs
    EXPECT_EQ(handler_.Runs(), 0);
    EXPECT_EQ(timer_.PendingTicks(), TMMHiTimer::MaxPendingTicks);
    ProcessMessages();
    EXPECT_EQ(handler_.Runs(), 10) << "15 ticks were dropped, not queued";
    EXPECT_EQ(handler_.onMain, 10);
    EXPECT_EQ(timer_.PendingTicks(), 0);
    Ticks(1);
    ProcessMessages();
    EXPECT_EQ(handler_.Runs(), 11) << "the timer goes on after the queue was full";
}

TEST_F(HiTimerTest, AMissedDeadlineIsSkippedNotMadeUpInABurst)
{
    Start(cmWindow);
    clock_->Advance(55ms);
    EXPECT_EQ(timer_.PendingTicks(), 1);
    Ticks(1);
    EXPECT_EQ(timer_.PendingTicks(), 2) << "the next deadline stays on the 10 ms grid";
}

TEST_F(HiTimerTest, RebuildingDropsTheQueuedTicks)
{
    Start(cmWindow);
    Ticks(3);
    timer_.SetOnTimer(handler_.Event());  // the same handler again still rebuilds
    EXPECT_EQ(timer_.PendingTicks(), 0);
    ProcessMessages();
    EXPECT_EQ(handler_.Runs(), 0) << "ticks of the torn-down timer never run";

    timer_.SetInterval(0);
    EXPECT_FALSE(timer_.Running());
    timer_.SetInterval(10);
    EXPECT_TRUE(timer_.Running());
    timer_.SetEnabled(false);
    EXPECT_FALSE(timer_.Running());
}

TEST_F(HiTimerTest, ThreadTicksArrivingDuringTheHandlerFoldIntoOne)
{
    handler_.hold = true;
    Start(cmThread);
    Ticks(1);
    ASSERT_TRUE(handler_.WaitForRuns(1));
    Ticks(5);  // all while the handler is held
    handler_.Release();
    ASSERT_TRUE(handler_.WaitForRuns(2));
    timer_.SetWaitForTerminate(true);
    timer_.SetEnabled(false);  // waits for the thread to end, so the count is final
    EXPECT_EQ(handler_.Runs(), 2);
    EXPECT_EQ(handler_.onMain, 0) << "without Synchronize the handler runs on the timer thread";
}

TEST_F(HiTimerTest, SynchronizedThreadTicksRunOnTheMainThreadAndMayDisableTheirTimer)
{
    timer_.SetWaitForTerminate(true);
    Start(cmThread, true);
    timer_.SetOnTimer([&](TMMHiTimer* sender) {
        handler_.Event()(sender);
        sender->SetEnabled(false);  // from inside: no wait for the thread that waits for us
    });
    Ticks(1);
    for (int i = 0; i < 1000 && handler_.Runs() == 0; ++i) {
        ProcessMessages();
        std::this_thread::sleep_for(1ms);
    }
    EXPECT_EQ(handler_.Runs(), 1);
    EXPECT_EQ(handler_.onMain, 1);
    EXPECT_FALSE(timer_.Running());
}

TEST_F(HiTimerTest, HandlerErrorsReachTheReportAndEndOnlyAThreadTimer)
{
    int calls = 0;
    Start(cmWindow);
    timer_.SetOnTimer([&](TMMHiTimer*) {
        ++calls;
        throw EMervaneError("tick failed");
    });
    Ticks(3);
    ProcessMessages();
    EXPECT_EQ(calls, 3) << "a window timer keeps running";
    EXPECT_EQ(dialogs_->messages, std::vector<std::string>(3, "tick failed"));

    std::atomic<int> threadCalls{0};
    timer_.SetCallBackMode(cmThread);
    timer_.SetWaitForTerminate(true);
    timer_.SetOnTimer([&](TMMHiTimer*) {
        ++threadCalls;
        throw EMervaneError("thread tick failed");
    });
    Ticks(1);
    for (int i = 0; i < 1000 && dialogs_->messages.size() < 4; ++i) {
        ProcessMessages();
        std::this_thread::sleep_for(1ms);
    }
    ASSERT_EQ(dialogs_->messages.size(), 4u);
    EXPECT_EQ(dialogs_->messages.back(), "thread tick failed");
    Ticks(3);
    timer_.SetEnabled(false);
    EXPECT_EQ(threadCalls.load(), 1) << "the thread ended with the error";
}

TEST_F(HiTimerTest, CallbackModeIsRefusedWithItsMessageAndTheModeStays)
{
    timer_.SetCallBackMode(cmThread);
    timer_.SetCallBackMode(cmCallback);
    EXPECT_EQ(timer_.CallBackMode(), cmThread);
    ASSERT_EQ(dialogs_->boxes.size(), 1u);
    EXPECT_EQ(dialogs_->boxes[0].caption, "TMMHiTimer");
    EXPECT_EQ(dialogs_->boxes[0].text,
              "\"CallBacks\" are called at interrupt time !\n\rThis is currently only supported under Windows 95");
}

TEST(HiTimer, RealClockThreadTimerTicksAndIsDestroyedWhileRunning)
{
    std::atomic<int> runs{0};
    std::atomic<bool> offMain{true};
    {
        TMMHiTimer timer;
        timer.SetEnabled(false);
        timer.SetCallBackMode(cmThread);
        timer.SetSynchronize(false);
        timer.SetPriority(tpTimeCritical);
        timer.SetInterval(1);
        timer.SetOnTimer([&](TMMHiTimer*) {
            offMain = offMain && !IsMainThread();
            ++runs;
        });
        timer.SetEnabled(true);
        for (int i = 0; i < 10000 && runs < 5; ++i)
            std::this_thread::sleep_for(1ms);
    }
    const int atDestruction = runs.load();
    EXPECT_GE(atDestruction, 5);
    EXPECT_TRUE(offMain);
    std::this_thread::sleep_for(20ms);
    EXPECT_EQ(runs.load(), atDestruction) << "no tick after the timer is gone";
}
