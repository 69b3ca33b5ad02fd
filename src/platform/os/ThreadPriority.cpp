#include "platform/os/ThreadPriority.h"

#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

NativeThreadId CurrentNativeThreadId()
{
    return NativeThreadId(::syscall(SYS_gettid));
}

int NiceValueOfThreadPriority(TThreadPriority priority)
{
    switch (priority) {
    case tpIdle: return 19;
    case tpLowest: return 10;
    case tpLower: return 5;
    case tpNormal: return 0;
    case tpHigher: return -5;
    case tpHighest: return -10;
    case tpTimeCritical: return -20;
    }
    return 0;
}

bool SetNativeThreadPriority(NativeThreadId thread, TThreadPriority priority)
{
    return thread > 0 && ::setpriority(PRIO_PROCESS, id_t(thread), NiceValueOfThreadPriority(priority)) == 0;
}
