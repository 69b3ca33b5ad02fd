#pragma once
// The working files an output is written under before it gets its name: short hidden names
// beside the target, ".mvp-<pid>-<n>.part", whatever the target's length, so every name a
// file system takes for the target can be written. A process that dies mid-run leaves its
// working files; the next run writing into that folder removes those whose process no
// longer runs (and the longer ".<name>.part-<pid>-<n><ext>" names of earlier versions).
#include <string>

// A working name beside `target`, new for each call in this process. Any thread.
std::string WorkingFileName(const std::string& target);

// Removes the working files of processes that no longer run from `folder`; returns how
// many went. Files of running processes and every other file stay. Any thread.
int SweepDeadWorkingFiles(const std::string& folder);
