#include "platform/os/ProcessPriority.h"

#include <QElapsedTimer>
#include <atomic>
#include <cerrno>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <thread>

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
