#pragma once
// The encoder's settings in MERVANE2.INI, section ENCODER:
//   Container  = wave (MP3 frames inside a RIFF wave file, the default) | mp3 (plain MPEG)
//   Mode       = cbr (the bit-rate slider, the default) | vbr
//   VbrQuality = 0..9 (LAME's -V scale, default 2)
//   Stereo     = stereo (simple stereo, the default) | joint
//   ReplayGain = 0 (default) | 1
//   Jobs       = 1..64 encoders at once on a long input (default: the number of cores; 1 is
//                one encoder, as before)
// Values that are missing or not understood read as the default.
#include <string>

class ProfileFile;

struct EncoderSettings {
    bool mp3Container = false;
    bool vbr = false;
    int vbrQuality = 2;
    bool jointStereo = false;
    bool replayGain = false;
    int jobs = DefaultJobs();

    // The number of cores, at least 1.
    static int DefaultJobs();

    static EncoderSettings Read(const ProfileFile& profile);
    // Raises EProfileWriteError when the file cannot be written. Jobs is only read: it is
    // set in the file, and a default written there would not follow the machine.
    void Write(ProfileFile& profile) const;

    // For the encoder details dialog: "variable bit rate, quality V2", "constant bit rate,
    // 128 kbit/s"; "joint stereo" or "stereo"; "MP3 file" or "MP3 inside a wave file".
    std::string ModeText(int kbps) const;
    std::string StereoText() const;
    std::string ContainerText() const;

    bool operator==(const EncoderSettings&) const = default;
};

inline constexpr const char* kEncoderSection = "ENCODER";
