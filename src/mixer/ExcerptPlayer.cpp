#include "mixer/ExcerptPlayer.h"

#include "platform/Errors.h"
#include "platform/card/SoundCard.h"
#include "platform/os/MessageTarget.h"
#include "wave/PcmStream.h"
#include "wave/SampleLayout.h"
#include "wave/WaveFormat.h"

#include <QCoreApplication>
#include <cstring>
#include <optional>
#include <utility>

namespace {
constexpr unsigned kSpeakersRate = 44100;

// Reader thread: the frames as the card plays them (44100 Hz, 16-bit stereo), converted as a
// wave file is for the encoder: mono on both sides, more channels mixed down, another rate
// resampled.
std::vector<std::int16_t> inCardFormat(const WaveSpanSamples& read)
{
    const TWaveFormatEx format = pcmWaveFormat(16, read.channels, read.rate);
    const std::optional<TSampleLayout> layout = ReadSampleLayout(&format, nullptr);
    if (!layout || read.samples.empty())
        return {};
    TPcmStreamConverter converter(*layout, kSpeakersRate);
    std::vector<std::int16_t> stereo;
    const auto keep = [&stereo](std::span<const std::uint8_t> bytes) {
        if (bytes.size() < 2)
            return;  // the converter may hand back nothing, and memcpy takes no null source
        const std::size_t at = stereo.size();
        stereo.resize(at + bytes.size() / 2);
        std::memcpy(stereo.data() + at, bytes.data(), bytes.size() / 2 * 2);
    };
    keep(converter.Convert(reinterpret_cast<const std::uint8_t*>(read.samples.data()),
                           std::int64_t(read.samples.size() * 2)));
    keep(converter.Finish());
    return stereo;
}
}  // namespace

ExcerptPlayer::ExcerptPlayer(std::function<void()> ended, std::function<void(const std::string&)> failed)
    : ended_(std::move(ended)), failed_(std::move(failed))
{
}

ExcerptPlayer::~ExcerptPlayer()
{
    *alive_ = false;
    Stop();
}

void ExcerptPlayer::Play(const std::string& wave, const TrackSpan& span)
{
    Stop();
    playing_ = true;
    const std::uint64_t play = ++play_;
    stopReading_ = std::make_shared<std::atomic<bool>>(false);
    reader_ = std::thread([this, wave, span, play, stop = stopReading_, alive = std::weak_ptr<bool>(alive_)] {
        // Reader thread: reads and converts, then hands over to the main thread, which
        // drops the news when the play is no longer the current one.
        const auto current = [alive] {
            const auto living = alive.lock();
            return living && *living;
        };
        try {
            auto samples = std::make_shared<std::vector<std::int16_t>>(inCardFormat(ReadWaveSpan(wave, span, *stop)));
            if (*stop)
                return;
            PostToMainThread([this, play, samples, current] {
                if (current())
                    startOnCard(play, samples);
            });
        } catch (const std::exception& e) {
            PostToMainThread([this, play, why = std::string(e.what()), current] {
                if (current() && finish(play))
                    failed_(why);
            });
        }
    });
}

void ExcerptPlayer::startOnCard(std::uint64_t play, std::shared_ptr<std::vector<std::int16_t>> samples)
{
    if (play != play_ || !playing_)
        return;
    if (reader_.joinable())
        reader_.join();  // it has posted this and ends now
    SoundCard* card = SoundCard::Current();
    try {
        if (!card)
            throw EMervaneError(
                QCoreApplication::translate("SoundCard", "No device is chosen for the speakers.").toStdString());
        clip_ = card->PlayOnSpeakers(std::move(*samples), [this, play, alive = std::weak_ptr<bool>(alive_)] {
            // Card thread: the news of the end goes to the main thread.
            PostToMainThread([this, play, alive] {
                const auto living = alive.lock();
                if (living && *living && finish(play))
                    ended_();
            });
        });
    } catch (const std::exception& e) {
        finish(play);
        failed_(e.what());
    }
}

bool ExcerptPlayer::finish(std::uint64_t play)
{
    if (play != play_ || !playing_)
        return false;
    playing_ = false;
    clip_ = 0;
    if (reader_.joinable())
        reader_.join();
    return true;
}

void ExcerptPlayer::Stop()
{
    playing_ = false;
    ++play_;
    if (stopReading_)
        *stopReading_ = true;
    if (reader_.joinable())
        reader_.join();
    if (clip_ != 0) {
        if (SoundCard* card = SoundCard::Current())
            card->StopOnSpeakers(clip_);
        clip_ = 0;
    }
}
