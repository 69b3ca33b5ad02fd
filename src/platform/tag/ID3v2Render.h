#pragma once
// The ID3 version 2.3 tag at the front of an MP3 file (or in the "id3 " chunk of a wave
// file): its frames rendered by TagLib, the header and the padding ours, so that the tag
// always takes exactly the room reserved for it and rewriting it never moves the audio.
#include "platform/Picture.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

// The texts of the tag, UTF-8. An empty text writes no frame.
struct ID3v2Fields {
    std::string title;    // TIT2
    std::string artist;   // TPE1
    std::string album;    // TALB
    std::string year;     // TYER
    std::string track;    // TRCK: "n" or "n/total"
    std::string genre;    // TCON: the genre's name
    std::string comment;  // COMM, language "eng", no description
    std::string composer; // TCOM
    std::string isrc;     // TSRC: the recording's code
    // TXXX frames: description and value (REPLAYGAIN_TRACK_GAIN, ...).
    std::vector<std::pair<std::string, std::string>> userTexts;
    // APIC: the front cover (picture type 3, no description); null writes none.
    std::shared_ptr<const Picture> cover;
};

// The ID3v2 header's size.
constexpr std::size_t kID3v2HeaderSize = 10;

// The tag, exactly `size` bytes (header, frames, zero padding); empty when the frames do
// not fit. Size 0: no padding, the tag as long as its frames. A text that Latin-1 can hold is stored as Latin-1, any other as UTF-16 with
// byte-order mark.
std::vector<std::uint8_t> RenderID3v23(const ID3v2Fields& fields, std::size_t size);

// A tag of `size` bytes that holds nothing but padding: the room kept for the real tag.
std::vector<std::uint8_t> BlankID3v23(std::size_t size);
