#pragma once
// Reads a small file that something outside the program may have put in its place: only
// a regular file is read (a FIFO, a device such as /dev/zero, a folder or a socket is
// refused without blocking, whether named directly or through a link), and only up to a
// size cap. Any thread.
#include <cstddef>
#include <optional>
#include <string>

// The whole file, or nothing when it is missing, unreadable, not a regular file or larger
// than maxBytes; `why` (when given) then says which, in words for a message.
std::optional<std::string> ReadSmallRegularFile(const std::string& path, std::size_t maxBytes,
                                                std::string* why = nullptr);
