#include "cli/Interrupt.h"

#include <atomic>
#include <csignal>

namespace {
// Written by the signal handler, read by the main thread.
std::atomic<int> interrupts{0};
static_assert(std::atomic<int>::is_always_lock_free);

extern "C" void onInterrupt(int)
{
    interrupts.fetch_add(1, std::memory_order_relaxed);
}
}  // namespace

void InstallInterruptHandler()
{
    struct sigaction action {};
    action.sa_handler = onInterrupt;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGHUP, &action, nullptr);
}

int InterruptCount()
{
    return interrupts.load(std::memory_order_relaxed);
}
