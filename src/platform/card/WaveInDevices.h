#pragma once
// The wave-in device table of a sound card: the entry points a recorder component calls to
// open a recording device with a PCM format, hand it buffers, and get them back filled.
// The recorder (TMMCustomWaveIn) holds all the logic; this is the seam at which the device
// is replaced (the program's software sound card, or a test double).
//
//   IWaveInDevices& devices = SoundCard::Current()->WaveIn();
//   WaveInHandle h{};
//   devices.Open(h, 0, format, [](unsigned msg, WaveInHandle, WaveHdr* hdr) { ... }, CALLBACK_FUNCTION);
//   devices.PrepareHeader(h, hdr); devices.AddBuffer(h, hdr);   // for each buffer
//   devices.Start(h);
//   ... MM_WIM_DATA arrives for each filled buffer (WHDR_DONE set, dwBytesRecorded valid)
//   devices.Stop(h); devices.Reset(h);     // Reset returns every queued buffer as done
//   devices.UnprepareHeader(h, hdr); devices.Close(h);
//
// Threads: every call is made on the main thread, except AddBuffer, which a recorder may
// also call from the thread where it handles MM_WIM_DATA (to queue the buffer again at
// once; the card's AddBuffer takes its own lock). The callback runs on the card's own
// thread (MM_WIM_DATA, MM_WIM_DEVICE_LOST) or inside Open / Close (MM_WIM_OPEN,
// MM_WIM_CLOSE); it must only hand the message on (post it) and never call back into the
// device. A buffer belongs to the device from AddBuffer until its MM_WIM_DATA.
#include "platform/card/MixerService.h"

#include <cstdint>
#include <functional>
#include <string>

// The platform part of a buffer header. A recorder's own header starts with exactly these
// fields (same offsets), so the same block goes to the device.
#pragma pack(push, 4)
struct WaveHdr {
    std::uint8_t* lpData;
    std::uint32_t dwBufferLength;
    std::int32_t dwBytesRecorded;
    std::uint32_t dwUser;
    std::uint32_t dwFlags;  // WHDR_DONE (1), WHDR_PREPARED (2), WHDR_INQUEUE (16)
    std::uint32_t dwLoops;
    std::uint32_t lpNext;
    std::uint32_t reserved;
};
#pragma pack(pop)

constexpr std::uint32_t WHDR_INQUEUE = 0x10;
// Not a system flag: this buffer holds the last frame of the play being recorded (see
// WAVE_RECORD_PLAY); the device records nothing after it.
constexpr std::uint32_t WHDR_ENDOFPLAY = 0x1000;

// Notifications handed to the callback.
constexpr unsigned MM_WIM_OPEN = 0x3BE;
constexpr unsigned MM_WIM_CLOSE = 0x3BF;
constexpr unsigned MM_WIM_DATA = 0x3C0;
// Not a system message: the device stopped working during a recording (unplugged). Sent
// once, after every queued buffer came back as MM_WIM_DATA with what it holds; the device
// then records nothing more until it is closed.
constexpr unsigned MM_WIM_DEVICE_LOST = 0x3C1;

// Open flags.
constexpr std::uint32_t WAVE_FORMAT_QUERY = 0x1;
constexpr std::uint32_t CALLBACK_FUNCTION = 0x30000;
// Not a system flag: record one play of a software line (a MIDI song, a CD track) from its
// first frame to its last, as the line marks them in the stream: what comes before the play
// is left out, and the buffer that takes its last frame comes back at once, flagged
// WHDR_ENDOFPLAY. A device without plays refuses the flag (MMSYSERR_INVALFLAG).
constexpr std::uint32_t WAVE_RECORD_PLAY = 0x100000;

// Standard format bits of the capabilities.
constexpr std::uint32_t WAVE_FORMAT_1M08 = 0x1, WAVE_FORMAT_1S08 = 0x2, WAVE_FORMAT_1M16 = 0x4,
                        WAVE_FORMAT_1S16 = 0x8, WAVE_FORMAT_2M08 = 0x10, WAVE_FORMAT_2S08 = 0x20,
                        WAVE_FORMAT_2M16 = 0x40, WAVE_FORMAT_2S16 = 0x80, WAVE_FORMAT_4M08 = 0x100,
                        WAVE_FORMAT_4S08 = 0x200, WAVE_FORMAT_4M16 = 0x400, WAVE_FORMAT_4S16 = 0x800;

using WaveInHandle = std::uintptr_t;

struct WaveInCaps {
    std::uint16_t wMid = 0;
    std::uint16_t wPid = 0;
    std::uint32_t vDriverVersion = 0;
    std::string szPname;  // at most 31 characters
    std::uint32_t dwFormats = 0;
    std::uint16_t wChannels = 0;
};

// A PCM format as a recorder asks for it (format tag 1).
struct PcmFormat {
    std::uint16_t wFormatTag = 1;
    std::uint16_t nChannels = 2;
    std::uint32_t nSamplesPerSec = 44100;
    std::uint32_t nAvgBytesPerSec = 176400;
    std::uint16_t nBlockAlign = 4;
    std::uint16_t wBitsPerSample = 16;
};

// (message, device handle, header or null). See Threads above.
using WaveInCallback = std::function<void(unsigned message, WaveInHandle handle, WaveHdr* header)>;

class IWaveInDevices {
public:
    virtual ~IWaveInDevices() = default;

    virtual unsigned GetNumDevs() = 0;
    virtual MMResult GetDevCaps(unsigned deviceId, WaveInCaps& caps) = 0;
    // The text of an error code; MMSYSERR_BADERRNUM-like failure returns false.
    virtual bool GetErrorText(MMResult code, std::string& text) = 0;
    // flags: CALLBACK_FUNCTION, optionally | WAVE_FORMAT_QUERY (only checks the format;
    // no handle, no callback). MM_WIM_OPEN is sent before a successful Open returns.
    virtual MMResult Open(WaveInHandle& handle, int deviceId, const PcmFormat& format,
                          WaveInCallback callback, std::uint32_t flags) = 0;
    // Fails with WAVERR_STILLPLAYING while buffers are queued. Sends MM_WIM_CLOSE.
    virtual MMResult Close(WaveInHandle handle) = 0;
    virtual MMResult PrepareHeader(WaveInHandle handle, WaveHdr* header) = 0;
    virtual MMResult UnprepareHeader(WaveInHandle handle, WaveHdr* header) = 0;
    virtual MMResult AddBuffer(WaveInHandle handle, WaveHdr* header) = 0;
    virtual MMResult Start(WaveInHandle handle) = 0;
    // Stops recording; the buffer being filled comes back with what it holds.
    virtual MMResult Stop(WaveInHandle handle) = 0;
    // Stops and returns every queued buffer as done (MM_WIM_DATA), before it returns.
    virtual MMResult Reset(WaveInHandle handle) = 0;
    // After MM_WIM_DEVICE_LOST: which device stopped and why, one line for the user (empty
    // when the table cannot tell).
    virtual std::string LossReason(WaveInHandle) { return {}; }
};
