#pragma once
// A source line read from an ALSA capture device (the microphone, line and aux inputs).
// An overrun (the card thread came late and the device's buffer filled up) is recovered
// and counted; the frames lost in it are simply missing, the recording goes on. A device
// that is gone (unplugged: -ENODEV, or a recovery that fails), or that delivers nothing
// for 3 s (stalled), makes the line Lost.
//
// ALSA calls can block for good (a device behind a pipe that nobody writes blocks its open
// and its reads), so the line never makes them on the card's or the main thread: the
// device is opened on a thread of its own (a device not open after 2 s is left out) and
// read by a reader thread of the line, which the card thread waits for at most 3 s at a
// time. A reader stuck in a read is left behind when the line goes.
//
//   std::unique_ptr<SoundLine> mic = OpenCaptureLine("default");   // null: cannot open
//
// Threads: OpenCaptureLine on the main thread; the line's Start, Read and Stop on the
// card thread (see SoundLine.h); the device itself on the line's reader thread. SetCaptureReadFault from any
// thread.
#include "platform/card/SoundLine.h"

#include <memory>
#include <string>

// The line that tells the user which capture device was lost and why: `error` is ALSA's
// negative error code, or 0 for a device that stopped delivering (stalled). A server
// source reached through ALSA's pulse device is named by its source name.
std::string CaptureLossReason(const std::string& device, int error);

// Null when the device cannot be opened; `why` then holds ALSA's reason.
std::unique_ptr<SoundLine> OpenCaptureLine(const std::string& device, std::string* why = nullptr);

// A stand-in for the device consulted before each read of a capture line on `device`:
// 0 lets the line read, a negative errno (-EPIPE for an overrun, -ENODEV for a removed
// device) fails that read instead, so the line's real fault handling runs on its real
// handle. Runs on the line's reader thread. The program sets none; the card's test library
// (card/testing/CaptureFaults.h) does, for tests, which have no hardware to overrun or unplug.
using CaptureReadFault = int (*)(const std::string& device);
void SetCaptureReadFault(CaptureReadFault fault);
