#include "mixer/AMixer.h"

#include "platform/os/MessageTarget.h"
#include "platform/card/SoundCard.h"

#include <algorithm>

namespace {
bool IsVolume(const MixerControl& c)
{
    return c.dwControlType == MIXERCONTROL_CONTROLTYPE_VOLUME;
}

bool IsMute(const MixerControl& c)
{
    return c.dwControlType == MIXERCONTROL_CONTROLTYPE_MUTE;
}

bool IsSelectionList(const MixerControl& c)
{
    return (c.dwControlType & MIXERCONTROL_CONTROLTYPE_MIXER) == MIXERCONTROL_CONTROLTYPE_MIXER;
}

bool HasFlag(const MixerControl& c, std::uint32_t flag)
{
    return (c.fdwControl & flag) != 0;
}

// Values read per item: one for a uniform control, else one per channel of the line (at
// least one, so value 0 always exists).
std::uint32_t ChannelsOf(const MixerControl& c, const MixerLine& line)
{
    return HasFlag(c, MIXERCONTROL_CONTROLF_UNIFORM) ? 1u : std::max(1u, line.cChannels);
}

// Controls that GetVolume and SetVolume look at: single-item volume and mute controls.
bool IsLevelOrSwitch(const MixerControl& c)
{
    return (IsVolume(c) || IsMute(c)) && !HasFlag(c, MIXERCONTROL_CONTROLF_MULTIPLE);
}
}  // namespace

IMixerService* CurrentMixerService()
{
    SoundCard* card = SoundCard::Current();
    return card ? &card->Mixer() : nullptr;
}

TMixerControls::TMixerControls(IMixerService& service, MixerHandle handle, const MixerLine& line)
{
    if (line.cControls == 0)
        return;
    if (service.GetLineControls(handle, line.dwLineID, line.cControls, block_) != MMSYSERR_NOERROR) {
        block_.clear();
        return;
    }
    for (MixerControl& control : block_)
        list_.Add(&control);
}

TMixerConnection::TMixerConnection(TAudioMixer* mixer, const MixerLine& line)
    : mixer_(mixer), line_(line), controls_(*mixer->service_, mixer->handle_, line_) {}

TMixerConnections::TMixerConnections(TAudioMixer* mixer, const MixerLine& destination) : mixer_(mixer)
{
    for (std::uint32_t source = 0; source < destination.cConnections; ++source) {
        MixerLine line;
        line.dwDestination = destination.dwDestination;
        line.dwSource = source;
        if (mixer_->service_->GetLineInfo(mixer_->handle_, line, MIXER_GETLINEINFOF_SOURCE) == MMSYSERR_NOERROR)
            list_.Add(std::make_unique<TMixerConnection>(mixer_, line));
    }
}

TMixerDestination::TMixerDestination(TAudioMixer* mixer, const MixerLine& line)
    : mixer_(mixer), line_(line), controls_(*mixer->service_, mixer->handle_, line_), connections_(mixer, line_) {}

TMixerDestinations::TMixerDestinations(TAudioMixer* mixer)
{
    for (std::uint32_t index = 0; index < mixer->caps_.cDestinations; ++index) {
        MixerLine line;
        line.dwDestination = index;
        if (mixer->service_->GetLineInfo(mixer->handle_, line, MIXER_GETLINEINFOF_DESTINATION) == MMSYSERR_NOERROR)
            list_.Add(std::make_unique<TMixerDestination>(mixer, line));
    }
}

TAudioMixer::TAudioMixer() : TAudioMixer(CurrentMixerService()) {}

TAudioMixer::TAudioMixer(IMixerService* service)
    : notify_(std::make_unique<MessageTarget>(
          [this](unsigned message, std::intptr_t wParam, std::intptr_t lParam) { Notified(message, wParam, lParam); })),
      service_(service)
{
    numDevs_ = service_ ? service_->GetNumDevs() : 0;
    if (numDevs_ > 0)
        SetMixerID(0);
}

TAudioMixer::~TAudioMixer()
{
    SetMixerID(-1);
}

void TAudioMixer::SetMixerID(int id)
{
    if (id >= 0 && static_cast<unsigned>(id) >= numDevs_)
        return;
    if (mixerId_ >= 0) {
        service_->Close(handle_);
        mixerId_ = -1;
        handle_ = 0;
    }
    destinations_.reset();
    caps_ = MixerCaps{};
    if (id < 0)
        return;
    MixerHandle handle = 0;
    if (service_->Open(handle, static_cast<unsigned>(id), notify_.get()) != MMSYSERR_NOERROR)
        return;
    handle_ = handle;
    mixerId_ = id;
    if (service_->GetDevCaps(static_cast<unsigned>(id), caps_) != MMSYSERR_NOERROR)
        caps_ = MixerCaps{};
    destinations_ = std::make_unique<TMixerDestinations>(this);
}

std::optional<TAudioMixer::LineRef> TAudioMixer::Resolve(int destIndex, int connIndex) const
{
    const TMixerDestination* destination = Destination(destIndex);
    if (!destination)
        return std::nullopt;
    if (connIndex == -1)
        return LineRef{destination, &destination->Line(), &destination->Controls()};
    const TMixerConnection* connection = destination->Connections().Item(connIndex);
    if (!connection)
        return std::nullopt;
    return LineRef{destination, &connection->Line(), &connection->Controls()};
}

bool TAudioMixer::ReadValues(std::uint32_t controlId, std::uint32_t channels, std::uint32_t items,
                             std::vector<std::uint32_t>& values)
{
    const std::uint64_t count = std::uint64_t{channels} * std::max(1u, items);
    if (count > MaxValues)
        return false;
    values.assign(static_cast<std::size_t>(count), 0);
    return service_->GetControlDetails(handle_, controlId, channels, items, values) == MMSYSERR_NOERROR;
}

bool TAudioMixer::WriteValues(std::uint32_t controlId, std::uint32_t channels, std::uint32_t items,
                              const std::vector<std::uint32_t>& values)
{
    if (values.size() > MaxValues)
        return false;
    return service_->SetControlDetails(handle_, controlId, channels, items, values) == MMSYSERR_NOERROR;
}

const MixerControl* TAudioMixer::SelectionList(const TMixerDestination& destination) const
{
    const TMixerControls& controls = destination.Controls();
    for (int i = 0; i < controls.Count(); ++i)
        if (IsSelectionList(*controls.Item(i)))
            return controls.Item(i);
    return nullptr;
}

bool TAudioMixer::GetVolume(int destIndex, int connIndex, TMixerVolume& volume)
{
    const auto line = Resolve(destIndex, connIndex);
    if (!line)
        return false;
    volume.Left = volume.Right = volume.Mute = -1;
    std::vector<std::uint32_t> values;
    const TMixerControls& controls = *line->controls;
    for (int i = 0; i < controls.Count() && (volume.Left == -1 || volume.Mute == -1); ++i) {
        const MixerControl& c = *controls.Item(i);
        if (!IsLevelOrSwitch(c))
            continue;
        const bool wanted = IsVolume(c) ? volume.Left == -1 : volume.Mute == -1;
        const std::uint32_t channels = ChannelsOf(c, *line->line);
        if (!wanted || !ReadValues(c.dwControlID, channels, 0, values))
            continue;
        const bool disabled = HasFlag(c, MIXERCONTROL_CONTROLF_DISABLED);
        if (IsVolume(c)) {
            volume.VolDisabled = disabled;
            if (disabled)
                continue;
            volume.Left = static_cast<int>(values[0]);
            if (channels > 1)
                volume.Right = static_cast<int>(values[1]);
        } else {
            volume.MuteDisabled = disabled;
            if (!disabled)
                volume.Mute = values[0] != 0 ? 1 : 0;
        }
    }
    if (volume.Mute == -1 && connIndex != -1) {
        // No switch of its own: the source's entry in the destination's selection list.
        const MixerControl* list = SelectionList(*line->destination);
        if (list) {
            const std::uint32_t channels = ChannelsOf(*list, line->destination->Line());
            const std::uint32_t items = HasFlag(*list, MIXERCONTROL_CONTROLF_MULTIPLE) ? list->cMultipleItems : 0;
            if (ReadValues(list->dwControlID, channels, items, values) &&
                static_cast<std::size_t>(connIndex) < values.size())
                volume.Mute = static_cast<int>(values[static_cast<std::size_t>(connIndex)]);
        }
    }
    if (volume.Left == -1)
        volume.VolDisabled = true;
    if (volume.Mute == -1)
        volume.MuteDisabled = true;
    return true;
}

bool TAudioMixer::SetVolume(int destIndex, int connIndex, int left, int right, int mute)
{
    const auto line = Resolve(destIndex, connIndex);
    if (!line)
        return false;
    bool volumeDone = left == -1;
    bool muteDone = mute == -1;
    const std::uint32_t rightValue = static_cast<std::uint32_t>(right == -1 ? left : right);
    const TMixerControls& controls = *line->controls;
    for (int i = 0; i < controls.Count() && !(volumeDone && muteDone); ++i) {
        const MixerControl& c = *controls.Item(i);
        if (!IsLevelOrSwitch(c) || (IsVolume(c) ? volumeDone : muteDone))
            continue;
        const std::uint32_t channels = ChannelsOf(c, *line->line);
        std::vector<std::uint32_t> values(channels);
        if (IsVolume(c)) {
            // First channel the left value, every other channel the right one.
            std::fill(values.begin(), values.end(), rightValue);
            values[0] = static_cast<std::uint32_t>(left);
            volumeDone = true;
        } else {
            std::fill(values.begin(), values.end(), static_cast<std::uint32_t>(mute));
            muteDone = true;
        }
        WriteValues(c.dwControlID, channels, 0, values);
    }
    if (!muteDone && connIndex != -1) {
        const MixerControl* list = SelectionList(*line->destination);
        if (list) {
            const std::uint32_t channels = ChannelsOf(*list, line->destination->Line());
            const std::uint32_t items = HasFlag(*list, MIXERCONTROL_CONTROLF_MULTIPLE) ? list->cMultipleItems : 0;
            std::vector<std::uint32_t> values;
            if (ReadValues(list->dwControlID, channels, items, values) &&
                static_cast<std::size_t>(connIndex) < values.size()) {
                values[static_cast<std::size_t>(connIndex)] = static_cast<std::uint32_t>(mute);
                WriteValues(list->dwControlID, channels, items, values);
            }
        }
    }
    return true;
}

void TAudioMixer::Notified(unsigned message, std::intptr_t wParam, std::intptr_t lParam)
{
    if (message == MM_MIXM_LINE_CHANGE && OnLineChange)
        OnLineChange(this, wParam, lParam);
    else if (message == MM_MIXM_CONTROL_CHANGE && OnControlChange)
        OnControlChange(this, wParam, lParam);
}
