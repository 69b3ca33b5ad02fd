#pragma once
// The folder of this running instance for its temporary files, so that two instances never
// share mp3tmp.wav: $XDG_CACHE_HOME/mervane/<pid>-<random>/ (default ~/.cache/mervane/).
// It holds a file "lock" that the instance keeps locked (flock) for as long as it lives; a
// folder whose lock can be taken belongs to an instance that died, and the next start
// removes it.
//
//   OpenInstanceFolder();                 // at start: makes the folder, sweeps dead ones
//   std::string f = InstanceFolder();     // ".../mervane/4711-a8Xk2Q/" (made on first use)
//   CloseInstanceFolder();                // at exit: removes the folder and all it holds
//
// Threads: any thread; one lock guards the process-wide folder. A folder still open when
// the process ends normally is removed by the static destruction.
#include <optional>
#include <string>

// The folder that holds this instance's folders: $XDG_CACHE_HOME/mervane/ or
// ~/.cache/mervane/, with its trailing '/'.
std::string InstancesRoot();

// Makes this instance's folder if it has none yet and removes the folders of instances that
// died. Raises EMervaneError when the folder cannot be made.
void OpenInstanceFolder();

// This instance's folder with its trailing '/'; opened first when needed.
std::string InstanceFolder();

// This instance's folder when it has one; never makes it.
std::optional<std::string> OpenedInstanceFolder();

// Removes this instance's folder with everything in it and releases its lock. The next
// InstanceFolder() makes a new one.
void CloseInstanceFolder();
