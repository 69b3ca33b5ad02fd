#pragma once
// Thread priorities as the components name them, mapped onto per-thread nice values
// (idle 19, lowest 10, lower 5, normal 0, higher -5, highest -10, time-critical -20).
// Raising a priority needs privileges an ordinary user may not have; a refusal leaves the
// thread as it was and is not an error, since the priority is only a hint.

enum TThreadPriority { tpIdle, tpLowest, tpLower, tpNormal, tpHigher, tpHighest, tpTimeCritical };

using NativeThreadId = int;

// The kernel's id of the calling thread. Any thread.
NativeThreadId CurrentNativeThreadId();

int NiceValueOfThreadPriority(TThreadPriority priority);

// Sets the nice value of one thread of this process; false when the system refused.
// Any thread.
bool SetNativeThreadPriority(NativeThreadId thread, TThreadPriority priority);
