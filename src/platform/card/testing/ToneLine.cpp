#include "platform/card/testing/ToneLine.h"

#include "platform/card/alsa/AlsaPcm.h"


#include <cmath>
#include <numbers>
#include <vector>

namespace {
class ToneLine : public SoundLine {
public:
    ToneLine(unsigned frequency, std::int16_t amplitude) : second_(kCardRate)
    {
        for (unsigned i = 0; i < kCardRate; ++i)
            second_[i] = ToneSample(frequency, amplitude, i);
    }

    bool IsSoftware() const override { return true; }

    // Card thread.
    LineStatus Read(std::span<std::int16_t> samples) override
    {
        for (std::size_t i = 0; i + 1 < samples.size(); i += 2) {
            samples[i] = samples[i + 1] = second_[next_];
            next_ = next_ + 1 == kCardRate ? 0 : next_ + 1;
        }
        return LineStatus::Ok;
    }

private:
    std::vector<std::int16_t> second_;  // one second of the tone, fixed
    unsigned next_ = 0;                 // card thread only
};
}  // namespace

std::int16_t ToneSample(unsigned frequency, std::int16_t amplitude, std::int64_t frame)
{
    const double phase = 2 * std::numbers::pi * double(frequency) * double(frame % kCardRate) / kCardRate;
    return std::int16_t(std::lround(amplitude * std::sin(phase)));
}

SoundLineRegistration RegisterToneLine(std::uint32_t componentType, unsigned frequency, std::int16_t amplitude)
{
    return RegisterSoundLine(componentType, [frequency, amplitude](const SoundCardSettings&) {
        return std::make_unique<ToneLine>(frequency, amplitude);
    });
}

namespace {
// The id of the first control of `type` on wave-in's own line (source < 0) or one of its
// sources; 0 when there is none.
std::uint32_t waveInControl(IMixerService& mixer, MixerHandle h, int source, std::uint32_t type)
{
    MixerLine line{};
    line.dwDestination = 1;  // wave-in
    line.dwSource = source < 0 ? 0 : std::uint32_t(source);
    if (mixer.GetLineInfo(h, line, source < 0 ? MIXER_GETLINEINFOF_DESTINATION : MIXER_GETLINEINFOF_SOURCE))
        return 0;
    std::vector<MixerControl> controls;
    if (mixer.GetLineControls(h, line.dwLineID, line.cControls, controls))
        return 0;
    for (const MixerControl& c : controls)
        if (c.dwControlType == type)
            return c.dwControlID;
    return 0;
}
}  // namespace

bool SelectOnlyForRecording(IMixerService& mixer, std::uint32_t source, std::uint32_t left, std::uint32_t right,
                            bool unityMaster)
{
    MixerHandle h{};
    if (mixer.Open(h, 0, nullptr))
        return false;
    MixerLine waveIn{};
    waveIn.dwDestination = 1;
    bool ok = mixer.GetLineInfo(h, waveIn, MIXER_GETLINEINFOF_DESTINATION) == MMSYSERR_NOERROR &&
              source < waveIn.cConnections;
    const std::uint32_t list = ok ? waveInControl(mixer, h, -1, MIXERCONTROL_CONTROLTYPE_MIXER) : 0;
    const std::uint32_t volume = ok ? waveInControl(mixer, h, int(source), MIXERCONTROL_CONTROLTYPE_VOLUME) : 0;
    const std::uint32_t master = ok && unityMaster ? waveInControl(mixer, h, -1, MIXERCONTROL_CONTROLTYPE_VOLUME) : 0;
    ok = ok && list && volume && (!unityMaster || master);
    if (ok) {
        std::vector<std::uint32_t> selection(waveIn.cConnections, 0);
        selection[source] = 1;
        const std::uint32_t levels[2] = {left, right};
        const std::uint32_t unity[2] = {65535, 65535};
        ok = mixer.SetControlDetails(h, list, 1, waveIn.cConnections, selection) == MMSYSERR_NOERROR &&
             mixer.SetControlDetails(h, volume, 2, 0, levels) == MMSYSERR_NOERROR &&
             (!unityMaster || mixer.SetControlDetails(h, master, 2, 0, unity) == MMSYSERR_NOERROR);
    }
    mixer.Close(h);
    return ok;
}
