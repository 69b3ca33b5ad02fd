#include "platform/ToneLine.h"

#include "platform/AlsaPcm.h"

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
