#pragma once
// A picture as it goes into a file: the encoded bytes and their type. Made by the image
// service (src/platform/image), written by the tag renderer (src/platform/tag) and kept in
// caches and details above the seam; once made it is shared read-only.
#include <cstdint>
#include <string>
#include <vector>

struct Picture {
    std::string mime;  // "image/jpeg" or "image/png"
    std::vector<std::uint8_t> bytes;
    int width = 0;
    int height = 0;

    // The file name suffix that goes with the type: "jpg" or "png".
    std::string Suffix() const { return mime == "image/png" ? "png" : "jpg"; }
};
