#pragma once
// Platform-internal: opening a CD drive or disc image with libcdio. Only the CD readers of
// this folder include this header; it brings libcdio's types with it, so nothing above
// src/platform/ may include it.
//
//   std::string error;
//   CdioPtr cd = OpenCdio(ResolveCdDevice(CdDeviceForRun(setting)), error);
//   if (!cd) ... show error ...
//
// Threads: any thread; one handle is used by one thread at a time.
#include <cdio/cdio.h>

#include <memory>
#include <string>

struct CdioDeleter {
    void operator()(CdIo_t* p) const { cdio_destroy(p); }
};
using CdioPtr = std::unique_ptr<CdIo_t, CdioDeleter>;

// The drive or image set for this run (SetCdDeviceForRun), else `setting` (what
// SOUNDCARD_SETUP / CdDevice says, as the caller read it); empty when neither names one.
std::string CdDeviceForRun(const std::string& setting);

// The configured name, or the first drive libcdio finds when none is configured; empty
// when there is no drive at all.
std::string ResolveCdDevice(const std::string& configured);

// True when the name is a disc image (.cue, .bin, .toc, .nrg) rather than a device node.
bool IsCdImageName(const std::string& name);

// Opens the drive or image read-only, choosing libcdio's driver by the name: .cue / .bin
// BIN/CUE, .toc cdrdao, .nrg Nero, anything else a device node. An image is checked
// (OpenCdImage) before libcdio reads it. On failure returns null and puts a sentence for
// the user into error.
CdioPtr OpenCdio(const std::string& device, std::string& error);

// libcdio's warnings go nowhere and its errors are kept for the sentence of a failed open;
// an assertion stops the program as libcdio's own handler does (never run on past it).
void QuietCdioLog();
