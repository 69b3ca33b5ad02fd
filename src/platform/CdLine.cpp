#include "platform/CdLine.h"

#include "platform/CdPlayback.h"
#include "platform/MixerService.h"

CdLine::CdLine() : playback_(std::make_shared<CdPlayback>())
{
    CdPlayback::MakeCurrent(playback_);
}

// A CD player still open keeps the playback; it then plays on unheard.
CdLine::~CdLine() = default;

void CdLine::Start()
{
    playback_->SetPulled(true);
}

void CdLine::Stop()
{
    playback_->SetPulled(false);
}

LineStatus CdLine::Read(std::span<std::int16_t> frames)
{
    playback_->Render(frames.data(), frames.size() / CdPlayback::Channels);
    return LineStatus::Ok;
}

SoundLineRegistration RegisterCdLine()
{
    return RegisterSoundLine(MIXERLINE_COMPONENTTYPE_SRC_COMPACTDISC,
                             [](const SoundCardSettings&) -> std::unique_ptr<SoundLine> {
                                 return std::make_unique<CdLine>();
                             });
}
