#pragma once
// The names of a CD run's files from a template (the settings' METADATA FileNames):
//   %n track number  %N two-digit track number  %t title  %a artist  %A album  %y year
//   %% a percent sign; any other character stands for itself.
// "/" and NUL, which no file system takes, become "-"; with safe names also the characters
// Windows and FAT refuse (\ : * ? " < > | and control characters) and trailing dots and
// spaces. Leading dots are dropped, so no name makes a hidden file. A name is cut to
// 200 bytes at a UTF-8 character boundary.
#include <string>
#include <vector>

constexpr const char* kDefaultFileNameTemplate = "Track%n";
constexpr std::size_t kMaxFileNameBytes = 200;
// The name of the files of a whole disc (track 0: the rip log, the cue sheet) when the
// template gives nothing.
constexpr const char* kWholeDiscFileName = "Rip";

struct FileNameFields {
    int track = 0;
    std::string title;
    std::string artist;
    std::string album;
    int year = 0;
};

// The file name without its extension; never empty (a template giving nothing gives the
// default's name, or kWholeDiscFileName for track 0).
std::string FileNameFromTemplate(const std::string& pattern, const FileNameFields& fields, bool safeNames);

// Cuts a UTF-8 text to at most `bytes` bytes without splitting a character.
std::string CutUtf8(const std::string& text, std::size_t bytes);

// Makes the names distinct, in order: a name met before gets " (2)", " (3)", ...
void MakeNamesDistinct(std::vector<std::string>& names);
