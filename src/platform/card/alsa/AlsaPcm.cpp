#include "platform/card/alsa/AlsaPcm.h"

#include <mutex>

namespace {
void quietAlsa(const char*, int, const char*, int, const char*, ...) {}
}  // namespace

AlsaPcm OpenCardPcm(const std::string& device, snd_pcm_stream_t stream, std::string* why)
{
    const auto failed = [why](int error) {
        if (why)
            *why = snd_strerror(error);
        return AlsaPcm();
    };
    static std::once_flag silenced;
    std::call_once(silenced, [] { snd_lib_error_set_handler(quietAlsa); });

    snd_pcm_t* raw = nullptr;
    if (const int error = snd_pcm_open(&raw, device.c_str(), stream, SND_PCM_NONBLOCK); error < 0)
        return failed(error);
    AlsaPcm pcm(raw);
    // Playback: 100 ms, enough to ride out a late period of the card thread. Capture: one
    // second, because the card reads at the wall clock's pace and a device whose crystal
    // runs a little fast gets ahead of it by a few milliseconds a minute; the headroom
    // keeps that from overrunning for hours.
    const unsigned latencyUs = stream == SND_PCM_STREAM_CAPTURE ? 1000000 : 100000;
    if (const int error = snd_pcm_set_params(pcm.get(), SND_PCM_FORMAT_S16_LE, SND_PCM_ACCESS_RW_INTERLEAVED,
                                             kCardChannels, kCardRate, 1, latencyUs);
        error < 0)
        return failed(error);
    return pcm;
}
