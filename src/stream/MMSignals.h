#pragma once
// A small set of auto-reset events sharing one lock, so a thread can wait for whichever
// of several is signalled first (the pump's worker waits for "data" or "terminate").
// Any thread.
#include <chrono>
#include <condition_variable>
#include <initializer_list>
#include <mutex>
#include <optional>
#include <vector>

class TMMSignals {
public:
    explicit TMMSignals(std::size_t count) : set_(count, false) {}

    void Set(std::size_t index)
    {
        {
            std::lock_guard lock(mutex_);
            set_.at(index) = true;
        }
        cv_.notify_all();
    }

    void ResetAll()
    {
        std::lock_guard lock(mutex_);
        std::fill(set_.begin(), set_.end(), false);
    }

    // Waits until one of `indexes` is set, clears it and returns it (the first in the
    // list wins when several are set); -1 when the time-out passed first.
    int WaitAny(std::initializer_list<std::size_t> indexes,
                std::optional<std::chrono::milliseconds> timeout = std::nullopt)
    {
        std::unique_lock lock(mutex_);
        int found = -1;
        const auto ready = [&] {
            for (std::size_t i : indexes)
                if (set_.at(i)) {
                    found = static_cast<int>(i);
                    return true;
                }
            return false;
        };
        if (timeout) {
            if (!cv_.wait_for(lock, *timeout, ready))
                return -1;
        } else {
            cv_.wait(lock, ready);
        }
        set_[static_cast<std::size_t>(found)] = false;
        return found;
    }

private:
    std::mutex mutex_;
    std::condition_variable cv_;
    std::vector<bool> set_;  // guarded by mutex_
};
