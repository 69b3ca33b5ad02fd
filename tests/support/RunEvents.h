#pragma once
// Lets the main thread's event loop run until a condition holds, the way every suite waits
// for work handed to the main thread (a pump's OnStop, a finished encoding, a dialog).
//
//   ASSERT_TRUE(RunEventsUntil([&] { return stopped; }));
//
// The limit only keeps a broken run from hanging the suite; no result depends on it.
// Main thread only.
#include <chrono>
#include <functional>

// True once done() holds; false when it still does not after `limit`.
bool RunEventsUntil(const std::function<bool()>& done,
                    std::chrono::milliseconds limit = std::chrono::minutes(5));
