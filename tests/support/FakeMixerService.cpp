#include "support/FakeMixerService.h"

#include "platform/os/MessageTarget.h"

#include <algorithm>

FakeMixerService::Destination& FakeMixerService::AddDestination(std::uint32_t componentType, const std::string& name,
                                                                std::uint32_t channels)
{
    Destination& d = destinations.emplace_back();
    d.line.info.dwDestination = static_cast<std::uint32_t>(destinations.size() - 1);
    d.line.info.dwLineID = nextId_++;
    d.line.info.dwComponentType = componentType;
    d.line.info.cChannels = channels;
    d.line.info.szName = name;
    d.line.info.szShortName = name;
    return d;
}

FakeMixerService::Line& FakeMixerService::AddSource(Destination& destination, std::uint32_t componentType,
                                                    std::uint32_t channels)
{
    Line& line = destination.sources.emplace_back();
    line.info.dwDestination = destination.line.info.dwDestination;
    line.info.dwSource = static_cast<std::uint32_t>(destination.sources.size() - 1);
    line.info.dwLineID = nextId_++;
    line.info.dwComponentType = componentType;
    line.info.cChannels = channels;
    line.info.szName = "Source " + std::to_string(componentType);
    destination.line.info.cConnections = static_cast<std::uint32_t>(destination.sources.size());
    return line;
}

FakeMixerService::Control& FakeMixerService::AddControl(Line& line, std::uint32_t type, std::vector<std::uint32_t> values,
                                                        std::uint32_t flags, std::uint32_t items)
{
    Control& c = line.controls.emplace_back();
    c.info.dwControlID = nextId_++;
    c.info.dwControlType = type;
    c.info.fdwControl = flags;
    c.info.cMultipleItems = items;
    c.info.dwMaximum = type == MIXERCONTROL_CONTROLTYPE_VOLUME ? 65535 : 1;
    c.values = std::move(values);
    line.info.cControls = static_cast<std::uint32_t>(line.controls.size());
    return c;
}

FakeMixerService::Control& FakeMixerService::AddVolume(Line& line, std::vector<std::uint32_t> values,
                                                       std::uint32_t flags)
{
    return AddControl(line, MIXERCONTROL_CONTROLTYPE_VOLUME, std::move(values), flags);
}

FakeMixerService::Control& FakeMixerService::AddMute(Line& line, std::uint32_t value, std::uint32_t flags)
{
    return AddControl(line, MIXERCONTROL_CONTROLTYPE_MUTE, {value}, flags | MIXERCONTROL_CONTROLF_UNIFORM);
}

FakeMixerService::Control& FakeMixerService::AddSelectionList(Destination& destination, std::uint32_t type,
                                                              std::vector<std::uint32_t> entries)
{
    const auto items = static_cast<std::uint32_t>(entries.size());
    return AddControl(destination.line, type, std::move(entries),
                      MIXERCONTROL_CONTROLF_UNIFORM | MIXERCONTROL_CONTROLF_MULTIPLE, items);
}

FakeMixerService::Control* FakeMixerService::Find(Line& line, std::uint32_t type)
{
    for (Control& c : line.controls)
        if (c.info.dwControlType == type)
            return &c;
    return nullptr;
}

void FakeMixerService::Notify(unsigned message, std::uint32_t id)
{
    if (notify_)
        notify_->Post(message, static_cast<std::intptr_t>(handle_), static_cast<std::intptr_t>(id));
}

unsigned FakeMixerService::GetNumDevs()
{
    return hasDevice ? 1 : 0;
}

MMResult FakeMixerService::GetDevCaps(unsigned deviceId, MixerCaps& caps)
{
    if (!hasDevice || deviceId != 0)
        return MMSYSERR_BADDEVICEID;
    caps = MixerCaps{};
    caps.szPname = "Test mixer";
    caps.cDestinations = static_cast<std::uint32_t>(destinations.size());
    return MMSYSERR_NOERROR;
}

MMResult FakeMixerService::Open(MixerHandle& handle, unsigned deviceId, MessageTarget* notify)
{
    if (!hasDevice || deviceId != 0)
        return MMSYSERR_BADDEVICEID;
    ++opens;
    handle_ = handle = nextHandle_++;
    notify_ = notify;
    return MMSYSERR_NOERROR;
}

MMResult FakeMixerService::Close(MixerHandle handle)
{
    if (!IsOpen(handle))
        return MMSYSERR_INVALHANDLE;
    ++closes;
    handle_ = 0;
    notify_ = nullptr;
    return MMSYSERR_NOERROR;
}

MMResult FakeMixerService::GetLineInfo(MixerHandle handle, MixerLine& line, std::uint32_t flags)
{
    if (!IsOpen(handle))
        return MMSYSERR_INVALHANDLE;
    if (line.dwDestination >= destinations.size())
        return MIXERR_INVALLINE;
    Destination& d = destinations[line.dwDestination];
    const Line* found = &d.line;
    if (flags == MIXER_GETLINEINFOF_SOURCE) {
        if (line.dwSource >= d.sources.size())
            return MIXERR_INVALLINE;
        found = &d.sources[line.dwSource];
    } else if (flags != MIXER_GETLINEINFOF_DESTINATION) {
        return MMSYSERR_INVALFLAG;
    }
    if (found->failInfo)
        return MMSYSERR_ERROR;
    line = found->info;
    return MMSYSERR_NOERROR;
}

MMResult FakeMixerService::GetLineControls(MixerHandle handle, std::uint32_t lineId, std::uint32_t count,
                                           std::vector<MixerControl>& controls)
{
    if (!IsOpen(handle))
        return MMSYSERR_INVALHANDLE;
    Line* line = FindLine(lineId);
    if (!line)
        return MIXERR_INVALLINE;
    if (line->failControls)
        return MMSYSERR_ERROR;
    if (count != line->controls.size())
        return MMSYSERR_INVALPARAM;
    controls.clear();
    for (const Control& c : line->controls)
        controls.push_back(c.info);
    return MMSYSERR_NOERROR;
}

MMResult FakeMixerService::CheckDetailsRequest(MixerHandle handle, std::uint32_t controlId, std::uint32_t channels,
                                               std::uint32_t multipleItems, std::size_t valueCount, Control*& control)
{
    if (!IsOpen(handle))
        return MMSYSERR_INVALHANDLE;
    control = FindControl(controlId);
    if (!control)
        return MIXERR_INVALCONTROL;
    const std::uint32_t items = std::max(1u, control->info.cMultipleItems);
    if (channels == 0 || std::max(1u, multipleItems) != items || valueCount < std::size_t{channels} * items)
        return MMSYSERR_INVALPARAM;
    return MMSYSERR_NOERROR;
}

// Values of item i and channel c sit at i x channels + c on both sides; a uniform control
// keeps one value per item and gives it for every channel asked for.
MMResult FakeMixerService::GetControlDetails(MixerHandle handle, std::uint32_t controlId, std::uint32_t channels,
                                             std::uint32_t multipleItems, std::span<std::uint32_t> values)
{
    Control* c = nullptr;
    if (const MMResult refused = CheckDetailsRequest(handle, controlId, channels, multipleItems, values.size(), c))
        return refused;
    const std::uint32_t items = std::max(1u, c->info.cMultipleItems);
    const std::size_t stored = c->values.size() / items;
    for (std::size_t i = 0; i < items; ++i)
        for (std::size_t ch = 0; ch < channels; ++ch)
            values[i * channels + ch] = c->values[i * stored + std::min(ch, stored - 1)];
    return MMSYSERR_NOERROR;
}

MMResult FakeMixerService::SetControlDetails(MixerHandle handle, std::uint32_t controlId, std::uint32_t channels,
                                             std::uint32_t multipleItems, std::span<const std::uint32_t> values)
{
    Control* c = nullptr;
    if (const MMResult refused = CheckDetailsRequest(handle, controlId, channels, multipleItems, values.size(), c))
        return refused;
    const std::uint32_t items = std::max(1u, c->info.cMultipleItems);
    const std::size_t stored = c->values.size() / items;
    for (std::size_t i = 0; i < items; ++i)
        for (std::size_t ch = 0; ch < stored; ++ch)
            c->values[i * stored + ch] = values[i * channels + std::min<std::size_t>(ch, channels - 1)];
    // A copy: a write made from onWrite may move the log.
    const Write w{controlId, channels, multipleItems, std::vector<std::uint32_t>(values.begin(), values.end())};
    writes.push_back(w);
    Notify(MM_MIXM_CONTROL_CHANGE, controlId);
    if (onWrite)
        onWrite(w);
    return MMSYSERR_NOERROR;
}

FakeMixerService::Line* FakeMixerService::FindLine(std::uint32_t lineId)
{
    for (Destination& d : destinations) {
        if (d.line.info.dwLineID == lineId)
            return &d.line;
        for (Line& s : d.sources)
            if (s.info.dwLineID == lineId)
                return &s;
    }
    return nullptr;
}

FakeMixerService::Control* FakeMixerService::FindControl(std::uint32_t controlId)
{
    for (Destination& d : destinations) {
        for (Control& c : d.line.controls)
            if (c.info.dwControlID == controlId)
                return &c;
        for (Line& s : d.sources)
            for (Control& c : s.controls)
                if (c.info.dwControlID == controlId)
                    return &c;
    }
    return nullptr;
}
