#pragma once
// Free space for a file about to grow: asked of the file system that holds the file's
// folder. Any thread.
#include <cstdint>
#include <functional>
#include <string>

// The folder part of a file name: up to and including the last '/'; "." when none.
std::string FolderOf(const std::string& fileName);

// Bytes available to this user in the file system holding fileName's folder; -1 when it
// cannot be determined.
std::int64_t FreeDiskSpace(const std::string& fileName);

// Lets a test stand in for the file system (empty restores it). Takes the folder.
void SetFreeDiskSpaceQuery(std::function<std::int64_t(const std::string& folder)> query);
