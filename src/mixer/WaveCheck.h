#pragma once
// Whether a wave file can go to the encoder as it is.
#include "platform/Errors.h"

#include <string>

// A file the check cannot open or read: the run-time I/O messages ("File not found",
// "Read beyond end of file", "File access denied", ...).
class EInOutError : public EMervaneError {
public:
    EInOutError(int code, const std::string& message) : EMervaneError(message), code_(code) {}
    int Code() const { return code_; }

private:
    int code_;
};

// True only for a wave file that parses as PCM with 2 channels, 16 bits and 44100 Hz:
// exactly what the encoder takes. Any other file, also one that does not parse as a wave
// file, is false and goes through the conversion, which reports what is wrong with it.
// (An extensible header holding the same samples is false too: the conversion copies them
// unchanged into a plain PCM file.)
// A file that cannot be opened, or is shorter than the 26 bytes that reach its sample rate,
// raises EInOutError; so does anything that is not a regular file, which is never opened
// for reading (a named pipe would block). Main thread.
bool CheckWave(const std::string& fileName);

// Raises EMMWaveError for a wave file the encoding road cannot use although it parses: a
// sample rate outside 1000..384000 Hz ("Unsupported wave format: ..."), or no audio at all
// ("The wave file holds no audio."). A file that does not parse is left to the conversion,
// which reports what is wrong with it. Call after CheckWave. Main thread.
void CheckWaveContents(const std::string& fileName);
