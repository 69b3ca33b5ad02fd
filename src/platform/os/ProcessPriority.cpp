#include "platform/os/ProcessPriority.h"

#include <cerrno>
#include <filesystem>
#include <string>
#include <sys/resource.h>
#include <sys/types.h>
#include <utility>
#include <vector>

int NiceValueOf(PriorityClass priority)
{
    switch (priority) {
    case PriorityClass::Idle: return 19;
    case PriorityClass::Normal: return 0;
    case PriorityClass::High: return -10;
    case PriorityClass::Realtime: return -20;
    }
    return 0;
}

int SetProcessPriorityClass(PriorityClass priority)
{
    const int nice = NiceValueOf(priority);
    std::vector<std::pair<id_t, int>> changed;  // thread id, nice value before
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator("/proc/self/task", ec)) {
        id_t tid = 0;
        try {
            tid = static_cast<id_t>(std::stoul(entry.path().filename().string()));
        } catch (...) {
            continue;
        }
        errno = 0;
        const int before = getpriority(PRIO_PROCESS, tid);
        if (before == -1 && errno != 0)
            continue;  // the thread has just ended
        if (setpriority(PRIO_PROCESS, tid, nice) != 0) {
            const int error = errno;
            if (error == ESRCH)
                continue;
            for (const auto& [t, old] : changed)
                setpriority(PRIO_PROCESS, t, old);
            return error;
        }
        changed.emplace_back(tid, before);
    }
    if (ec)
        return setpriority(PRIO_PROCESS, 0, nice) == 0 ? 0 : errno;
    return 0;
}
