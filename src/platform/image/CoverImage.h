#pragma once
// Cover pictures made fit for a tag: players show a baseline JPEG of modest size
// everywhere, while some show nothing for a progressive JPEG or choke on a huge picture.
// Decoding and encoding are Qt's image I/O (QtGui, no display needed). Any thread.
#include "platform/Picture.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

// The longest side a stored picture keeps; a larger one is scaled down.
constexpr int kCoverMaxSide = 1200;
// A PNG up to this size (and kCoverMaxSide) is kept as it is; a larger one becomes a JPEG.
constexpr std::size_t kCoverMaxPngBytes = 1u << 20;
// Files larger than this are no cover (a lying server, a photo straight off a camera).
constexpr std::size_t kCoverMaxInputBytes = 16u << 20;

struct CoverResult {
    std::optional<Picture> picture;
    std::string problem;  // why there is none, one line ("not a picture", ...)
};

// The picture to store for the bytes of an image file: a baseline JPEG of at most
// kCoverMaxSide pixels on the long side kept as it is, a small PNG kept as it is, anything
// else Qt can read decoded, scaled down to kCoverMaxSide and written as a baseline JPEG.
// Never throws; a broken or hostile file gives a problem.
CoverResult NormaliseCover(std::span<const std::uint8_t> bytes);

// The same for a file on disk; the problem names the file.
CoverResult LoadCoverFile(const std::string& path);

// The JPEG's frame kind: true for baseline or extended sequential (SOF0/SOF1), false for
// progressive, lossless or arithmetic-coded frames and for anything that is no JPEG.
bool IsSequentialJpeg(std::span<const std::uint8_t> bytes);
