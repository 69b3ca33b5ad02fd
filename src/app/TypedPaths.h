#pragma once
// What a typed output folder or file would do, told on its own page while the user types,
// before anything is written. Main thread.
#include <string>

struct FolderVerdict {
    bool exists = false;     // a folder is there
    bool creatable = false;  // missing, but its nearest existing parent is a folder
    std::string reason;      // why Next waits or what it will offer; "" for an existing folder
};

// The folder as typed (already expanded): there, to be made, or impossible, with the words
// for the line under the field.
FolderVerdict CheckOutputFolder(const std::string& folder);

// Why a file cannot be written at `path` as far as its folder goes ("There is no folder
// ..."), or "" when its folder is there (what lies at the path itself is the encoding's
// own check).
std::string OutputFileProblem(const std::string& path);

// Makes the folder and its missing parents; raises with the folder and the reason when it
// cannot.
void CreateOutputFolder(const std::string& folder);
