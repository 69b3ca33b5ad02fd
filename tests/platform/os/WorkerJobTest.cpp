// The base of the jobs that work on a thread of their own: what they post and their end
// arrive on the main thread in order, and a job destroyed mid-work stops it and waits.
#include "platform/os/MessageTarget.h"
#include "platform/os/WorkerJob.h"
#include "support/RunEvents.h"

#include <gtest/gtest.h>
#include <atomic>
#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace {
// Posts "step", then works until cancelled (or at once with `endless` false), then ends.
class StepJob : public WorkerJob {
public:
    StepJob(std::vector<std::string>& seen, bool endless, std::atomic<bool>& ended)
        : seen_(seen), endless_(endless), ended_(ended) {}
    ~StepJob() override { CancelAndWait(); }
    void Start()
    {
        StartWorker(
            [this] {
                PostToOwner([this] { seen_.push_back(IsMainThread() ? "step" : "step off the main thread"); });
                SetProgress(50);
                while (endless_ && !CancelRequested())
                    std::this_thread::yield();
                ended_ = true;
            },
            [this] { seen_.push_back(IsMainThread() ? "finished" : "finished off the main thread"); });
    }
private:
    std::vector<std::string>& seen_;
    const bool endless_;
    std::atomic<bool>& ended_;  // set by the work as it ends; owned by the test
};
}  // namespace

TEST(WorkerJob, PostsAndTheEndArriveOnTheMainThreadInOrder)
{
    std::vector<std::string> seen;
    std::atomic<bool> ended{false};
    StepJob job(seen, false, ended);
    job.Start();
    ASSERT_TRUE(RunEventsUntil([&] { return seen.size() == 2; }));
    EXPECT_EQ(seen, (std::vector<std::string>{"step", "finished"}));
    EXPECT_TRUE(job.Done());
    EXPECT_EQ(job.Progress(), 50);
}

TEST(WorkerJob, AJobDestroyedWhileItWorksIsCancelledWaitedForAndSilent)
{
    std::vector<std::string> seen;
    std::atomic<bool> ended{false};
    auto job = std::make_unique<StepJob>(seen, true, ended);
    job->Start();
    while (job->Progress() != 50)
        std::this_thread::yield();
    EXPECT_TRUE(job->Running());
    job.reset();
    EXPECT_TRUE(ended) << "the work saw the cancel and ended before the job was gone";
    ProcessMessages();
    ProcessMessages();
    EXPECT_TRUE(seen.empty()) << "nothing of a destroyed job is delivered: " << seen.front();
}
