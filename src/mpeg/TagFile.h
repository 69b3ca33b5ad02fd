#pragma once
// Cutting and appending the 128-byte tag at the end of a file. Only regular files are
// written: a pipe or device gives EINVAL, a folder EISDIR.
#include "mpeg/ID3v1.h"

#include <string>

// Cuts the last 128 bytes off when the file is longer than that and they begin with
// "TAG". 0, or the errno of the step that failed.
int CutTrailingTag(const std::string& path);

// Appends the block at the end of the file. 0, or the errno of the step that failed; a
// failed write is cut off again, so the file keeps its old length.
int AppendTagBlock(const std::string& path, const ID3v1Block& block);
