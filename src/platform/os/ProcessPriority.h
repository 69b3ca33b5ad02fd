#pragma once
// Process priority classes mapped onto Linux nice values.

enum class PriorityClass { Idle, Normal, High, Realtime };

// The nice value that stands for a class: idle 19, normal 0, high -10, realtime -20.
int NiceValueOf(PriorityClass priority);

// Sets the nice value of every thread of the process (Linux applies a process nice value
// per thread). Returns 0 on success, otherwise the errno of the first refusal; threads
// changed before the refusal are put back. Any thread.
int SetProcessPriorityClass(PriorityClass priority);
