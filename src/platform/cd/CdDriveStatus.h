#pragma once
// What a CD drive says about its tray and disc right now, without reading the disc: the
// CD player's mode check on a real drive (a disc image always holds its disc).
//
//   if (QueryCdDrive("/dev/sr0") == CdDriveState::TrayOpen) ... mode "open" ...
//
// Threads: any thread.
#include <string>

enum class CdDriveState { Unknown, NoDisc, TrayOpen, NotReady, DiscReady };

// Unknown when the name is no CD drive or the drive cannot be asked.
CdDriveState QueryCdDrive(const std::string& device);
