#pragma once
// The label of the file system a file lies on, as udev lists it under /dev/disk/by-label.
#include <string>

// Empty when the file system has no label or is not a block device (tmpfs, overlay, ...).
// Cut to 20 bytes.
std::string VolumeLabelOf(const std::string& path);
