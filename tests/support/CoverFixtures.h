#pragma once
// Cover pictures made by the tests with Qt's image writer (no committed blobs), and the
// front covers a file's tag carries as TagLib reads them, as players do.
#include "support/WaveFixtures.h"

#include <string>
#include <vector>

// A w x h picture with smooth colours and detail, as JPEG (progressive or baseline) or PNG;
// `noise` makes it all but incompressible.
Bytes TestJpeg(int w, int h, bool progressive, int quality = 92);
Bytes TestPng(int w, int h, bool noise = false);

// Whether the JPEG holds a progressive frame header (SOF2).
bool HasProgressiveFrame(const Bytes& jpeg);

struct EmbeddedPicture {
    int type = -1;  // the APIC picture type (3: front cover)
    std::string mime;
    Bytes data;
    int width = 0;  // decoded by Qt
    int height = 0;
};

// Every APIC frame of the file's ID3v2 tag: at its front (a plain MP3) or in its "id3 "
// chunk (a RIFF wave file).
std::vector<EmbeddedPicture> EmbeddedPictures(const std::string& path);
