#pragma once
// The ALSA PCM devices that can capture, as ALSA's name hints list them (what `arecord -L`
// shows): the name to open and ALSA's description. Main thread or any one thread at a time.
#include <string>
#include <vector>

struct AlsaDeviceHint {
    std::string name;         // "default", "hw:CARD=PCH,DEV=0"
    std::string description;  // the hint's first line: "HDA Intel PCH, ALC892 Analog"
};

std::vector<AlsaDeviceHint> ListAlsaCaptureDevices();
