#pragma once
// The checks an MP3 output must pass before anything is written for it. The encoder
// replaces its output file before it reads a byte of the input, so an output that is the
// user's own input would destroy it; and whatever stands at the output's path is removed,
// so a folder, pipe or device there must not be touched.
//
//   RefuseUnsafeOutput(state.inputFileName, state.outputFileName);  // before conversion
//   RefuseUnsafeOutput(midiFile, state.outputFileName, OutputInput::MidiFile);  // before playing
//
// Threads: main thread (it only looks at the file system).
#include <cstdint>
#include <string>

// Raises EMP3EncoderError when the output names the same file as the input (the same path
// once made canonical, or the same device and inode through another name or a link), or
// when something other than a regular file stands at the output's path. `inputKind` says
// what the input is, for the message ("The MP3 file cannot replace the MIDI file it is made
// from.").
enum class OutputInput { WaveFile, MidiFile, Recording };
void RefuseUnsafeOutput(const std::string& input, const std::string& output,
                        OutputInput inputKind = OutputInput::WaveFile);

// What stood at an output's path at one moment: nothing, or one file in one state.
struct OutputSnapshot {
    bool exists = false;
    std::uint64_t device = 0, inode = 0, size = 0;
    std::int64_t changedSeconds = 0, changedNanoseconds = 0;
    bool operator==(const OutputSnapshot&) const = default;
};
OutputSnapshot SnapshotOutput(const std::string& path);

// Gives the finished MP3, written under the temporary name `staged`, its name `target`.
// What stands at the target is replaced only while it is as `before` found it (the user
// chose that name knowing); a file that appeared or changed there meanwhile (another
// instance wrote the same name) is replaced only when the user says Yes to the question;
// on No the MP3 takes the first free name "<stem> (2).mp3", "<stem> (3).mp3", ...
// Returns the name the MP3 has now. Raises EMP3EncoderError naming the file and the reason
// when the rename fails; the staged file is then removed.
std::string PublishOutput(const std::string& staged, const std::string& target, const OutputSnapshot& before);
