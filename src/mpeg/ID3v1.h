#pragma once
// The 128-byte ID3 version 1.1 tag at the very end of an MP3 file. Text fields are
// ISO-8859-1 bytes (see Latin1.h).
#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

constexpr std::size_t kID3v1Size = 128;
using ID3v1Block = std::array<std::uint8_t, kID3v1Size>;

struct ID3v1Fields {
    std::string title;    // Latin-1, at most 30 bytes
    std::string artist;   // Latin-1, at most 30 bytes
    std::string album;    // Latin-1, at most 30 bytes
    std::string year;     // Latin-1, at most 4 bytes
    std::string comment;  // Latin-1, at most 30 bytes; 28 when a track number is stored
    std::uint8_t track = 0;
    std::uint8_t genre = 255;
};

// The tag: "TAG", then title, artist, album (30 bytes each), year (4), comment and genre,
// every unused byte 0. A track number other than 0 is stored the ID3 1.1 way: byte 125 is
// 0 and byte 126 the track, so the comment keeps at most 28 bytes; readers take byte 126
// as a track only behind that zero. Track 0 leaves all 30 comment bytes to the comment.
ID3v1Block BuildID3v1(const ID3v1Fields& fields);

// True when the block begins with "TAG".
bool IsID3v1(std::span<const std::uint8_t> block);

// The fields of a block that begins with "TAG", otherwise nothing. Texts end at their
// first zero byte and lose trailing spaces and zeros; the year ends at its first zero.
// The track is byte 126 when byte 125 is 0 (ID3 1.1), otherwise 0 and the comment runs
// over all 30 bytes (ID3 1.0).
std::optional<ID3v1Fields> ParseID3v1(std::span<const std::uint8_t, kID3v1Size> block);
