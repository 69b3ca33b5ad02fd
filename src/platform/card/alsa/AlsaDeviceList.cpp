#include "platform/card/alsa/AlsaDeviceList.h"

#include <alsa/asoundlib.h>

#include <cstdlib>
#include <memory>

namespace {
struct HintText {
    void operator()(char* text) const { std::free(text); }
};
using OwnedText = std::unique_ptr<char, HintText>;

std::string firstLine(const char* text)
{
    std::string s = text ? text : "";
    if (const auto end = s.find('\n'); end != std::string::npos)
        s.erase(end);
    return s;
}
}  // namespace

std::vector<AlsaDeviceHint> ListAlsaCaptureDevices()
{
    std::vector<AlsaDeviceHint> devices;
    void** hints = nullptr;
    if (snd_device_name_hint(-1, "pcm", &hints) < 0 || !hints)
        return devices;
    for (void** hint = hints; *hint; ++hint) {
        const OwnedText name(snd_device_name_get_hint(*hint, "NAME"));
        const OwnedText description(snd_device_name_get_hint(*hint, "DESC"));
        const OwnedText direction(snd_device_name_get_hint(*hint, "IOID"));  // null: both ways
        if (!name || (direction && std::string(direction.get()) != "Input"))
            continue;
        devices.push_back({name.get(), firstLine(description.get())});
    }
    snd_device_name_free_hint(hints);
    return devices;
}
