#include "platform/cd/CdLine.h"

#include "platform/cd/CdPlayback.h"
#include "platform/cd/CdioHandle.h"
#include "platform/card/MixerService.h"
#include "platform/card/SoundCard.h"

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

static_assert(CdPlayback::Channels == PlayerLine::Channels);

PlayMarks CdLine::Render(std::int16_t* out, std::size_t frames)
{
    return playback_->Render(out, frames);
}

SoundLineRegistration RegisterCdLine()
{
    return RegisterSoundLine(MIXERLINE_COMPONENTTYPE_SRC_COMPACTDISC,
                             [](const SoundCardSettings& settings) -> std::unique_ptr<SoundLine> {
                                 // A machine without a drive, and with no image named, has no CD
                                 // to play, so the card shows no CD line.
                                 if (ResolveCdDevice(settings.cdDevice).empty())
                                     return nullptr;
                                 return std::make_unique<CdLine>();
                             });
}
