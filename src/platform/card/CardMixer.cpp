#include "platform/card/CardMixer.h"

#include "platform/os/MessageTarget.h"
#include "platform/card/SoundLine.h"

#include <algorithm>

namespace {
constexpr std::uint32_t kSpeakers = 0;
constexpr std::uint32_t kWaveIn = 1;

std::uint32_t destinationLineId(std::uint32_t destination)
{
    return 0xFFFF0000u | destination;
}

std::uint32_t sourceLineId(std::uint32_t destination, std::uint32_t source)
{
    return (destination << 16) | source;
}
}  // namespace

CardMixer::CardMixer(std::vector<std::uint32_t> lineTypes, std::function<void()> changed)
    : changed_(std::move(changed)), lineTypes_(std::move(lineTypes))
{
    levels_.lines.resize(lineTypes_.size());
    const std::size_t n = lineTypes_.size();

    Line speakers{destinationLineId(kSpeakers), kSpeakers, -1, MIXERLINE_COMPONENTTYPE_DST_SPEAKERS, {}};
    AddControl(speakers, MIXERCONTROL_CONTROLTYPE_VOLUME, 0, 0, "Master Volume", kUnityVolume, Target::SpeakerMaster, 0);
    AddControl(speakers, MIXERCONTROL_CONTROLTYPE_MUTE, MIXERCONTROL_CONTROLF_UNIFORM, 0, "Master Mute", 1,
               Target::SpeakerMasterMute, 0);
    lines_.push_back(std::move(speakers));
    for (std::size_t i = 0; i < n; ++i) {
        Line line{sourceLineId(kSpeakers, std::uint32_t(i)), kSpeakers, int(i), lineTypes_[i], {}};
        AddControl(line, MIXERCONTROL_CONTROLTYPE_VOLUME, 0, 0, "Volume", kUnityVolume, Target::LineSpeaker, i);
        AddControl(line, MIXERCONTROL_CONTROLTYPE_MUTE, MIXERCONTROL_CONTROLF_UNIFORM, 0, "Mute", 1, Target::LineMute, i);
        lines_.push_back(std::move(line));
    }

    Line waveIn{destinationLineId(kWaveIn), kWaveIn, -1, MIXERLINE_COMPONENTTYPE_DST_WAVEIN, {}};
    AddControl(waveIn, MIXERCONTROL_CONTROLTYPE_VOLUME, 0, 0, "Recording Volume", kUnityVolume, Target::WaveInMaster, 0);
    if (n > 0)
        AddControl(waveIn, MIXERCONTROL_CONTROLTYPE_MIXER, MIXERCONTROL_CONTROLF_UNIFORM | MIXERCONTROL_CONTROLF_MULTIPLE,
                   std::uint32_t(n), "Recording Source", 1, Target::Selection, 0);
    lines_.push_back(std::move(waveIn));
    for (std::size_t i = 0; i < n; ++i) {
        Line line{sourceLineId(kWaveIn, std::uint32_t(i)), kWaveIn, int(i), lineTypes_[i], {}};
        AddControl(line, MIXERCONTROL_CONTROLTYPE_VOLUME, 0, 0, "Volume", kUnityVolume, Target::LineWaveIn, i);
        lines_.push_back(std::move(line));
    }
}

void CardMixer::AddSourceLines(std::size_t i)
{
    Line speaker{sourceLineId(kSpeakers, std::uint32_t(i)), kSpeakers, int(i), lineTypes_[i], {}};
    AddControl(speaker, MIXERCONTROL_CONTROLTYPE_VOLUME, 0, 0, "Volume", kUnityVolume, Target::LineSpeaker, i);
    AddControl(speaker, MIXERCONTROL_CONTROLTYPE_MUTE, MIXERCONTROL_CONTROLF_UNIFORM, 0, "Mute", 1, Target::LineMute, i);
    lines_.push_back(std::move(speaker));
    Line waveIn{sourceLineId(kWaveIn, std::uint32_t(i)), kWaveIn, int(i), lineTypes_[i], {}};
    AddControl(waveIn, MIXERCONTROL_CONTROLTYPE_VOLUME, 0, 0, "Volume", kUnityVolume, Target::LineWaveIn, i);
    lines_.push_back(std::move(waveIn));
}

void CardMixer::AddLine(std::uint32_t componentType)
{
    {
        std::lock_guard lock(lock_);
        lineTypes_.push_back(componentType);
        levels_.lines.emplace_back();
        const std::size_t n = lineTypes_.size();
        // The wave-in destination's selection list grows by one entry (or begins).
        Line& waveIn = *std::find_if(lines_.begin(), lines_.end(),
                                     [](const Line& l) { return l.destination == kWaveIn && l.source < 0; });
        const auto selection = std::find_if(waveIn.controls.begin(), waveIn.controls.end(), [&](std::size_t c) {
            return controls_[c].target == Target::Selection;
        });
        if (selection == waveIn.controls.end())
            AddControl(waveIn, MIXERCONTROL_CONTROLTYPE_MIXER, MIXERCONTROL_CONTROLF_UNIFORM | MIXERCONTROL_CONTROLF_MULTIPLE,
                       std::uint32_t(n), "Recording Source", 1, Target::Selection, 0);
        else
            controls_[*selection].info.cMultipleItems = std::uint32_t(n);
        AddSourceLines(n - 1);
        Notify(MM_MIXM_LINE_CHANGE, destinationLineId(kSpeakers));
        Notify(MM_MIXM_LINE_CHANGE, destinationLineId(kWaveIn));
    }
    if (changed_)
        changed_();
}

void CardMixer::AddControl(Line& line, std::uint32_t type, std::uint32_t flags, std::uint32_t items, const char* name,
                           std::uint32_t maximum, Target target, std::size_t lineIndex)
{
    Control c{};
    c.info.dwControlID = std::uint32_t(controls_.size() + 1);
    c.info.dwControlType = type;
    c.info.fdwControl = flags;
    c.info.cMultipleItems = items;
    c.info.szName = name;
    c.info.dwMinimum = 0;
    c.info.dwMaximum = maximum;
    c.target = target;
    c.line = lineIndex;
    line.controls.push_back(controls_.size());
    controls_.push_back(std::move(c));
}

unsigned CardMixer::GetNumDevs()
{
    return 1;
}

MMResult CardMixer::GetDevCaps(unsigned deviceId, MixerCaps& caps)
{
    if (deviceId != 0)
        return MMSYSERR_BADDEVICEID;
    caps = MixerCaps{};
    caps.wMid = 1;
    caps.wPid = 1;
    caps.vDriverVersion = 0x0200;
    caps.szPname = "Mervane Sound Card";
    caps.cDestinations = 2;
    return MMSYSERR_NOERROR;
}

MMResult CardMixer::Open(MixerHandle& handle, unsigned deviceId, MessageTarget* notify)
{
    if (deviceId != 0)
        return MMSYSERR_BADDEVICEID;
    std::lock_guard lock(lock_);
    handle = nextHandle_++;
    handles_[handle] = notify;
    return MMSYSERR_NOERROR;
}

MMResult CardMixer::Close(MixerHandle handle)
{
    std::lock_guard lock(lock_);
    return handles_.erase(handle) ? MMSYSERR_NOERROR : MMSYSERR_INVALHANDLE;
}

bool CardMixer::ValidHandle(MixerHandle handle) const
{
    return handles_.count(handle) != 0;
}

const CardMixer::Line* CardMixer::FindLine(std::uint32_t destination, int source) const
{
    for (const Line& line : lines_)
        if (line.destination == destination && line.source == source)
            return &line;
    return nullptr;
}

const CardMixer::Control* CardMixer::FindControl(std::uint32_t controlId) const
{
    if (controlId == 0 || controlId > controls_.size())
        return nullptr;
    return &controls_[controlId - 1];
}

void CardMixer::FillLine(const Line& line, MixerLine& record) const
{
    record.dwDestination = line.destination;
    record.dwSource = line.source < 0 ? 0 : std::uint32_t(line.source);
    record.dwLineID = line.lineId;
    record.dwComponentType = line.componentType;
    record.cChannels = 2;
    record.cConnections = line.source < 0 ? std::uint32_t(lineTypes_.size()) : 0;
    record.cControls = std::uint32_t(line.controls.size());
    if (line.source < 0) {
        record.fdwLine = MIXERLINE_LINEF_ACTIVE;
        record.szName = line.destination == kSpeakers ? "Speakers" : "Recording Control";
        record.szShortName = line.destination == kSpeakers ? "Speakers" : "Recording";
    } else {
        const bool lost = levels_.lines[std::size_t(line.source)].lost;
        record.fdwLine = MIXERLINE_LINEF_SOURCE | (lost ? MIXERLINE_LINEF_DISCONNECTED : MIXERLINE_LINEF_ACTIVE);
        record.szName = SoundLineName(line.componentType);
        record.szShortName = SoundLineShortName(line.componentType);
    }
}

MMResult CardMixer::GetLineInfo(MixerHandle handle, MixerLine& line, std::uint32_t flags)
{
    std::lock_guard lock(lock_);
    if (!ValidHandle(handle))
        return MMSYSERR_INVALHANDLE;
    if (flags != MIXER_GETLINEINFOF_DESTINATION && flags != MIXER_GETLINEINFOF_SOURCE)
        return MMSYSERR_INVALFLAG;
    if (line.dwDestination > kWaveIn)
        return MMSYSERR_INVALPARAM;
    const int source = flags == MIXER_GETLINEINFOF_SOURCE ? int(line.dwSource) : -1;
    if (flags == MIXER_GETLINEINFOF_SOURCE && line.dwSource >= lineTypes_.size())
        return MMSYSERR_INVALPARAM;
    const Line* found = FindLine(line.dwDestination, source);
    if (!found)
        return MIXERR_INVALLINE;
    FillLine(*found, line);
    return MMSYSERR_NOERROR;
}

MMResult CardMixer::GetLineControls(MixerHandle handle, std::uint32_t lineId, std::uint32_t count,
                                    std::vector<MixerControl>& controls)
{
    std::lock_guard lock(lock_);
    if (!ValidHandle(handle))
        return MMSYSERR_INVALHANDLE;
    const auto it = std::find_if(lines_.begin(), lines_.end(), [lineId](const Line& l) { return l.lineId == lineId; });
    if (it == lines_.end())
        return MIXERR_INVALLINE;
    if (count != it->controls.size())
        return MMSYSERR_INVALPARAM;
    controls.clear();
    for (std::size_t index : it->controls)
        controls.push_back(controls_[index].info);
    return MMSYSERR_NOERROR;
}

MMResult CardMixer::CheckDetailsRequest(MixerHandle handle, std::uint32_t controlId, std::uint32_t channels,
                                        std::uint32_t multipleItems, std::size_t valueCount,
                                        const Control*& control) const
{
    if (!ValidHandle(handle))
        return MMSYSERR_INVALHANDLE;
    control = FindControl(controlId);
    if (!control)
        return MIXERR_INVALCONTROL;
    if (channels < 1 || channels > 2 || multipleItems != control->info.cMultipleItems ||
        valueCount < std::size_t(channels) * std::max<std::uint32_t>(1, multipleItems))
        return MMSYSERR_INVALPARAM;
    return MMSYSERR_NOERROR;
}

MMResult CardMixer::GetControlDetails(MixerHandle handle, std::uint32_t controlId, std::uint32_t channels,
                                      std::uint32_t multipleItems, std::span<std::uint32_t> values)
{
    std::lock_guard lock(lock_);
    const Control* c = nullptr;
    if (const MMResult refused = CheckDetailsRequest(handle, controlId, channels, multipleItems, values.size(), c))
        return refused;

    auto stereo = [&](const std::array<std::uint32_t, 2>& v) {
        for (std::uint32_t ch = 0; ch < channels; ++ch)
            values[ch] = v[ch];
    };
    auto flag = [&](bool on) {
        for (std::uint32_t ch = 0; ch < channels; ++ch)
            values[ch] = on ? 1 : 0;
    };
    switch (c->target) {
    case Target::SpeakerMaster: stereo(levels_.speakerMaster); break;
    case Target::SpeakerMasterMute: flag(levels_.speakerMute); break;
    case Target::WaveInMaster: stereo(levels_.waveInMaster); break;
    case Target::LineSpeaker: stereo(levels_.lines[c->line].speakerVolume); break;
    case Target::LineMute: flag(levels_.lines[c->line].speakerMute); break;
    case Target::LineWaveIn: stereo(levels_.lines[c->line].waveInVolume); break;
    case Target::Selection:
        for (std::uint32_t item = 0; item < multipleItems; ++item)
            for (std::uint32_t ch = 0; ch < channels; ++ch)
                values[item * channels + ch] = levels_.lines[item].selected ? 1 : 0;
        break;
    }
    return MMSYSERR_NOERROR;
}

MMResult CardMixer::SetControlDetails(MixerHandle handle, std::uint32_t controlId, std::uint32_t channels,
                                      std::uint32_t multipleItems, std::span<const std::uint32_t> values)
{
    bool changed = false;
    {
        std::lock_guard lock(lock_);
        const Control* c = nullptr;
        if (const MMResult refused = CheckDetailsRequest(handle, controlId, channels, multipleItems, values.size(), c))
            return refused;
        for (std::size_t i = 0; i < std::size_t(channels) * std::max<std::uint32_t>(1, multipleItems); ++i)
            if (c->target != Target::Selection && c->info.dwControlType == MIXERCONTROL_CONTROLTYPE_VOLUME &&
                values[i] > kUnityVolume)
                return MIXERR_INVALVALUE;

        // One channel given for a stereo control sets both.
        auto stereo = [&](std::array<std::uint32_t, 2>& v) {
            const std::array<std::uint32_t, 2> next{values[0], channels > 1 ? values[1] : values[0]};
            changed = changed || next != v;
            v = next;
        };
        auto flag = [&](bool& on) {
            const bool next = values[0] != 0;
            changed = changed || next != on;
            on = next;
        };
        switch (c->target) {
        case Target::SpeakerMaster: stereo(levels_.speakerMaster); break;
        case Target::SpeakerMasterMute: flag(levels_.speakerMute); break;
        case Target::WaveInMaster: stereo(levels_.waveInMaster); break;
        case Target::LineSpeaker: stereo(levels_.lines[c->line].speakerVolume); break;
        case Target::LineMute: flag(levels_.lines[c->line].speakerMute); break;
        case Target::LineWaveIn: stereo(levels_.lines[c->line].waveInVolume); break;
        case Target::Selection:
            for (std::uint32_t item = 0; item < multipleItems; ++item) {
                const bool next = values[item * channels] != 0;
                changed = changed || next != levels_.lines[item].selected;
                levels_.lines[item].selected = next;
            }
            break;
        }
        if (changed)
            Notify(MM_MIXM_CONTROL_CHANGE, controlId);
    }
    if (changed && changed_)
        changed_();
    return MMSYSERR_NOERROR;
}

void CardMixer::Notify(unsigned message, std::uint32_t id)
{
    for (const auto& [handle, target] : handles_)
        if (target)
            target->Post(message, std::intptr_t(handle), std::intptr_t(id));
}

CardLevels CardMixer::Levels() const
{
    std::lock_guard lock(lock_);
    return levels_;
}

void CardMixer::MarkLineLost(std::size_t line)
{
    {
        std::lock_guard lock(lock_);
        if (line >= levels_.lines.size() || levels_.lines[line].lost)
            return;
        levels_.lines[line].lost = true;
        Notify(MM_MIXM_LINE_CHANGE, sourceLineId(kSpeakers, std::uint32_t(line)));
        Notify(MM_MIXM_LINE_CHANGE, sourceLineId(kWaveIn, std::uint32_t(line)));
    }
    if (changed_)
        changed_();
}

void CardMixer::MarkLineFound(std::size_t line)
{
    {
        std::lock_guard lock(lock_);
        if (line >= levels_.lines.size() || !levels_.lines[line].lost)
            return;
        levels_.lines[line].lost = false;
        Notify(MM_MIXM_LINE_CHANGE, sourceLineId(kSpeakers, std::uint32_t(line)));
        Notify(MM_MIXM_LINE_CHANGE, sourceLineId(kWaveIn, std::uint32_t(line)));
    }
    if (changed_)
        changed_();
}
