#pragma once
// Faults injected into the ALSA capture lines, for tests and benchmarks: no machine here
// has hardware to overrun or unplug.
//
//   InjectCaptureFault("testline", -ENODEV);   // the next read on "testline" finds it gone
//
// Threads: any.
#include <string>

// Makes the next read of every capture line on ALSA device `device` fail with `error`
// (a negative errno: -EPIPE for an overrun, -ENODEV for a removed device) instead of
// reading. Faults queue up per device and are taken in order.
void InjectCaptureFault(const std::string& device, int error);
