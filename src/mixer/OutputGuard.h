#pragma once
// The checks an MP3 output must pass before anything is written for it. The encoder
// replaces its output file before it reads a byte of the input, so an output that is the
// user's own input would destroy it; and whatever stands at the output's path is removed,
// so a folder, pipe or device there must not be touched.
//
//   RefuseUnsafeOutput(state.inputFileName, state.outputFileName);  // before conversion
//
// Threads: main thread (it only looks at the file system).
#include <string>

// Raises EMP3EncoderError when the output names the same file as the input (the same path
// once made canonical, or the same device and inode through another name or a link), or
// when something other than a regular file stands at the output's path.
void RefuseUnsafeOutput(const std::string& input, const std::string& output);
