#pragma once
// Joining MPEG-1 Layer III streams that two encoders made of overlapping parts of one input,
// and rewriting the Xing/Info frame (with its LAME header) for the joined stream.
//
// A Layer III frame's audio data need not sit in the frame itself: `main_data_begin` in its
// side info points back into the bytes of earlier frames (the bit reservoir). Two streams can
// therefore not simply be cut and glued: the first frame taken from the second stream may
// point back at bytes of frames that are dropped. The join picks a frame where the first
// stream left at least as many unused bytes before it as the second stream's frame points
// back, and copies those bytes of the second stream into that unused room. Every frame keeps
// its header and side info unchanged (so CRC-protected frames stay valid) and the decoder
// finds every frame's data where its side info says.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

// One frame of a stream of whole MPEG-1 Layer III frames.
struct Mp3FrameInfo {
    std::size_t offset = 0;         // first byte of the header
    std::size_t length = 0;         // header to the next header
    std::size_t sideEnd = 0;        // bytes of header, CRC and side info
    std::size_t payloadPos = 0;     // where the frame's payload starts among all payload bytes
    std::size_t mainDataBegin = 0;  // bytes before payloadPos where its audio data starts
    std::size_t mainDataBytes = 0;  // its audio data, rounded up to whole bytes
};

// The frames of `bytes`; empty when the bytes do not start with a Layer III frame. Bytes
// after the last whole frame are left out.
std::vector<Mp3FrameInfo> ScanMp3Frames(const std::uint8_t* bytes, std::size_t size);

// Appends the frames of `tail` from frame `tailFirst` on to `head`, which keeps its frames
// before `headCut`: frame headCut of head and frame tailFirst of tail must encode the same
// audio. Returns false (and leaves head alone) when head does not leave room for the data
// that tail's frame tailFirst points back at.
bool JoinMp3Streams(std::vector<std::uint8_t>& head, std::size_t headCut, const std::vector<std::uint8_t>& tail,
                    std::size_t tailFirst);

// The first frame j in [from, to) at which head can take tail's frames: frame j of head
// corresponds to frame j - tailOffset of tail. Empty when there is none.
std::optional<std::size_t> FindJoinFrame(const std::vector<std::uint8_t>& head, const std::vector<std::uint8_t>& tail,
                                         std::size_t tailOffset, std::size_t from, std::size_t to);

// CRC-16 (polynomial 0x8005, reflected, start 0) as the LAME header uses it.
std::uint16_t LameCrc16(const std::uint8_t* bytes, std::size_t size, std::uint16_t crc = 0);

// Rewrites an Info frame (as the encoder made it) so that it describes `music`, the frames
// that follow it: frame and byte counts, the seek table, the end padding for `samples`
// input samples per channel (after the encoder delay the frame already names), the music
// length and CRC, and the header's own CRC. False when `frame` holds no Xing/Info frame
// with a LAME header.
bool RewriteInfoFrame(std::vector<std::uint8_t>& frame, const std::vector<std::uint8_t>& music,
                      std::uint64_t samples);
