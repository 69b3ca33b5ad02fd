#pragma once
// Cutting and appending the 128-byte tag at the end of a file. Only regular files are
// written: a pipe or device gives EINVAL, a folder EISDIR.
#include "mpeg/ID3v1.h"
#include "platform/tag/ID3v2Render.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

// Cuts the last 128 bytes off when the file is longer than that and they begin with
// "TAG". 0, or the errno of the step that failed.
int CutTrailingTag(const std::string& path);

// Appends the block at the end of the file. 0, or the errno of the step that failed; a
// failed write is cut off again, so the file keeps its old length.
int AppendTagBlock(const std::string& path, const ID3v1Block& block);

// The room kept for the ID3v2 tag at the front of a plain MP3 file. Every tag the details
// texts can make fits, so writing the tag (again) never moves the audio; only a cover
// picture makes the room grow, once.
constexpr std::size_t kID3v2Room = 4096;

// Writes the tag over the ID3v2 tag at the front of the file, which must be exactly as long
// (EINVAL otherwise). 0, or the errno of the step that failed.
int ReplaceLeadingID3v2(const std::string& path, std::span<const std::uint8_t> tag);

// Puts the tag into the "id3 " chunk of a RIFF wave file: over the chunk when one of the
// same size is there; in place of the RIFF's last chunk when that is an "id3 " chunk;
// otherwise as a new chunk behind the RIFF's last chunk. The RIFF size is updated and what
// stands behind the RIFF (the ID3v1 tag) stays behind it. EINVAL for a file that is no RIFF
// wave. 0, or an errno.
int PutWaveID3Chunk(const std::string& path, std::span<const std::uint8_t> tag);

// Writes the fields as the file's ID3v2.3 tag: over the room at the front of a plain MP3
// file (grown when the tag needs more, the audio moved back behind it), or into the "id3 " chunk of a wave file (see PutWaveID3Chunk)
// without padding: decoders walking the stream on past the frames resync over it quickly.
// 0, or an errno (EOVERFLOW when the fields do not fit the room).
int SaveID3v2(const std::string& path, bool mp3Container, const ID3v2Fields& fields);
