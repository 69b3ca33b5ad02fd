#include "platform/AlsaPcm.h"

#include <mutex>

namespace {
void quietAlsa(const char*, int, const char*, int, const char*, ...) {}
}  // namespace

AlsaPcm OpenCardPcm(const std::string& device, snd_pcm_stream_t stream)
{
    static std::once_flag silenced;
    std::call_once(silenced, [] { snd_lib_error_set_handler(quietAlsa); });

    snd_pcm_t* raw = nullptr;
    if (snd_pcm_open(&raw, device.c_str(), stream, SND_PCM_NONBLOCK) < 0)
        return nullptr;
    AlsaPcm pcm(raw);
    // 100 ms of device buffer: enough to ride out a late period of the card thread.
    if (snd_pcm_set_params(pcm.get(), SND_PCM_FORMAT_S16_LE, SND_PCM_ACCESS_RW_INTERLEAVED, kCardChannels,
                           kCardRate, 1, 100000) < 0)
        return nullptr;
    return pcm;
}
