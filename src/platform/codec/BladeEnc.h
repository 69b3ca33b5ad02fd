#pragma once
// The BladeEnc encoder interface: the four stream calls the MP3 encoder component drives,
// implemented over the LAME engine. Names, error codes and the packed configuration
// record keep BladeEnc's conventions. Every call may run on any thread; each stream
// serialises its own calls, so misuse from two threads cannot corrupt it.
#include <cstddef>
#include <cstdint>
#include <string>

using BE_ERR = std::uint32_t;
using HBE_STREAM = std::uint32_t;  // 0 is never a valid stream

constexpr BE_ERR BE_ERR_SUCCESSFUL = 0x00000000;
constexpr BE_ERR BE_ERR_INVALID_FORMAT = 0x00000001;             // unknown configuration type
constexpr BE_ERR BE_ERR_INVALID_FORMAT_PARAMETERS = 0x00000002;  // bad rate, bit rate, mode, count or pointer
constexpr BE_ERR BE_ERR_NO_MORE_HANDLES = 0x00000003;            // the engine could not start a stream
constexpr BE_ERR BE_ERR_INVALID_HANDLE = 0x00000004;             // unknown, closed or finished stream
constexpr BE_ERR BE_ERR_BUFFER_TOO_SMALL = 0x00000005;

constexpr std::uint32_t BE_CONFIG_MP3 = 0;

constexpr std::uint8_t BE_MP3_MODE_STEREO = 0;
constexpr std::uint8_t BE_MP3_MODE_JSTEREO = 1;
constexpr std::uint8_t BE_MP3_MODE_DUALCHANNEL = 2;
constexpr std::uint8_t BE_MP3_MODE_MONO = 3;  // one-channel input; every other mode takes two channels

// The configuration record handed to beInitStream: 27 bytes, packed, little-endian.
// Sample rate 48000, 44100 or 32000; bit rate in kbit/s (32..320, the MPEG-1 Layer III
// table); the four flags are 0 or 1 (any non-zero value counts as 1).
#pragma pack(push, 1)
struct BE_CONFIG {
    std::uint32_t dwConfig;      // BE_CONFIG_MP3
    std::uint32_t dwSampleRate;
    std::uint8_t byMode;         // BE_MP3_MODE_*
    std::uint16_t wBitrate;
    std::uint32_t bPrivate;
    std::uint32_t bCRC;
    std::uint32_t bCopyright;
    std::uint32_t bOriginal;
};
#pragma pack(pop)
static_assert(sizeof(BE_CONFIG) == 27);
static_assert(offsetof(BE_CONFIG, dwSampleRate) == 4);
static_assert(offsetof(BE_CONFIG, byMode) == 8);
static_assert(offsetof(BE_CONFIG, wBitrate) == 9);
static_assert(offsetof(BE_CONFIG, bPrivate) == 11);
static_assert(offsetof(BE_CONFIG, bCRC) == 15);
static_assert(offsetof(BE_CONFIG, bCopyright) == 19);
static_assert(offsetof(BE_CONFIG, bOriginal) == 23);

// Opens a stream. On success *samplesPerChunk is the chunk size in 16-bit samples over all
// channels (1152 per channel), *outputBufferSize the most bytes any later beEncodeChunk or
// beDeinitStream call writes, and *stream the new handle.
BE_ERR beInitStream(const BE_CONFIG* config, std::uint32_t* samplesPerChunk,
                    std::uint32_t* outputBufferSize, HBE_STREAM* stream) noexcept;

// LAME's own choices beyond the configuration record. The defaults give what beInitStream
// gives: constant bit rate, no Xing/Info frame.
struct BE_LAME_OPTIONS {
    bool vbr = false;        // variable bit rate; the record's bit rate is then ignored
    int vbrQuality = 2;      // 0 (best) .. 9 (smallest), LAME's -V scale
    bool infoFrame = false;  // the first frame is a Xing/Info frame with the LAME header
};

// beInitStream with LAME's options.
BE_ERR beInitStreamEx(const BE_CONFIG* config, const BE_LAME_OPTIONS& options, std::uint32_t* samplesPerChunk,
                      std::uint32_t* outputBufferSize, HBE_STREAM* stream) noexcept;

// The finished Xing/Info frame of a stream opened with infoFrame, after beDeinitStream:
// its bytes replace the placeholder frame the stream wrote first (same length). Writes at
// most `size` bytes; *frameBytes is 0 when the stream has no such frame.
BE_ERR beGetInfoFrame(HBE_STREAM stream, std::uint8_t* frame, std::uint32_t size, std::uint32_t* frameBytes) noexcept;

// Encodes `samples` interleaved 16-bit samples (at most one chunk; a whole number of
// sample frames). Writes only complete MPEG frames to `output` (possibly none) and their
// byte count to *outputBytes; a frame not yet complete is kept for the next call.
BE_ERR beEncodeChunk(HBE_STREAM stream, std::uint32_t samples, const std::int16_t* pcm,
                     std::uint8_t* output, std::uint32_t* outputBytes) noexcept;

// Ends the stream: writes the last complete frames. The stream then takes no more chunks;
// a second call writes nothing.
BE_ERR beDeinitStream(HBE_STREAM stream, std::uint8_t* output, std::uint32_t* outputBytes) noexcept;

// Releases the stream; its handle is invalid afterwards.
BE_ERR beCloseStream(HBE_STREAM stream) noexcept;

// Versions for the encoder details dialog: this interface's and the LAME engine's.
struct BE_VERSION_STRINGS {
    std::string interfaceVersion;  // "1.0"
    std::string engineVersion;     // LAME's own, e.g. "3.100"
};
BE_VERSION_STRINGS beVersionStrings();
