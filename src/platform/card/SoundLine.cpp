#include "platform/card/SoundLine.h"

#include "platform/card/alsa/AlsaCaptureLine.h"
#include "platform/card/MixerService.h"
#include "platform/card/SoundCard.h"

#include <algorithm>
#include <array>

namespace {
struct Registered {
    std::uint64_t id;
    std::uint32_t componentType;
    SoundLineFactory factory;
};

SoundLineFactory captureFactory(std::string SoundCardSettings::*device)
{
    return [device](const SoundCardSettings& s) -> std::unique_ptr<SoundLine> {
        const std::string& name = s.*device;
        return name.empty() ? nullptr : OpenCaptureLine(name);
    };
}

// Main thread only. The platform's own capture lines come first, so any later
// registration of the same type is asked before them.
std::vector<Registered>& registry()
{
    static std::vector<Registered> lines{
        {1, MIXERLINE_COMPONENTTYPE_SRC_MICROPHONE, captureFactory(&SoundCardSettings::micDevice)},
        {2, MIXERLINE_COMPONENTTYPE_SRC_LINE, captureFactory(&SoundCardSettings::lineDevice)},
        {3, MIXERLINE_COMPONENTTYPE_SRC_AUXILIARY, captureFactory(&SoundCardSettings::auxDevice)},
    };
    return lines;
}

std::uint64_t nextId = 4;  // main thread only

constexpr std::array<std::uint32_t, 5> kConnectionOrder{
    MIXERLINE_COMPONENTTYPE_SRC_SYNTHESIZER, MIXERLINE_COMPONENTTYPE_SRC_COMPACTDISC,
    MIXERLINE_COMPONENTTYPE_SRC_MICROPHONE, MIXERLINE_COMPONENTTYPE_SRC_LINE,
    MIXERLINE_COMPONENTTYPE_SRC_AUXILIARY};

std::size_t orderOf(std::uint32_t type)
{
    const auto it = std::find(kConnectionOrder.begin(), kConnectionOrder.end(), type);
    return it == kConnectionOrder.end() ? kConnectionOrder.size() : std::size_t(it - kConnectionOrder.begin());
}

void unregister(std::uint64_t id)
{
    auto& lines = registry();
    lines.erase(std::remove_if(lines.begin(), lines.end(), [id](const Registered& r) { return r.id == id; }),
                lines.end());
}
}  // namespace

SoundLineRegistration::~SoundLineRegistration()
{
    if (id_)
        unregister(id_);
}

SoundLineRegistration& SoundLineRegistration::operator=(SoundLineRegistration&& other) noexcept
{
    if (this != &other) {
        if (id_)
            unregister(id_);
        id_ = other.id_;
        other.id_ = 0;
    }
    return *this;
}

SoundLineRegistration RegisterSoundLine(std::uint32_t componentType, SoundLineFactory factory)
{
    const std::uint64_t id = nextId++;
    registry().push_back({id, componentType, std::move(factory)});
    return SoundLineRegistration(id);
}

std::vector<MadeSoundLine> MakeSoundLines(const SoundCardSettings& settings)
{
    std::vector<std::uint32_t> types;
    for (const Registered& r : registry())
        if (std::find(types.begin(), types.end(), r.componentType) == types.end())
            types.push_back(r.componentType);
    std::sort(types.begin(), types.end(), [](std::uint32_t a, std::uint32_t b) {
        return orderOf(a) != orderOf(b) ? orderOf(a) < orderOf(b) : a < b;
    });

    std::vector<MadeSoundLine> made;
    const auto& lines = registry();
    for (std::uint32_t type : types) {
        for (auto it = lines.rbegin(); it != lines.rend(); ++it) {
            if (it->componentType != type)
                continue;
            if (auto line = it->factory(settings)) {
                made.push_back({type, std::move(line)});
                break;
            }
        }
    }
    return made;
}

std::string SoundLineName(std::uint32_t componentType)
{
    switch (componentType) {
    case MIXERLINE_COMPONENTTYPE_SRC_SYNTHESIZER: return "Software Synthesizer";
    case MIXERLINE_COMPONENTTYPE_SRC_COMPACTDISC: return "CD Audio";
    case MIXERLINE_COMPONENTTYPE_SRC_MICROPHONE: return "Microphone";
    case MIXERLINE_COMPONENTTYPE_SRC_LINE: return "Line In";
    case MIXERLINE_COMPONENTTYPE_SRC_AUXILIARY: return "Auxiliary";
    default: return "Source " + std::to_string(componentType);
    }
}

std::string SoundLineShortName(std::uint32_t componentType)
{
    switch (componentType) {
    case MIXERLINE_COMPONENTTYPE_SRC_SYNTHESIZER: return "SW Synth";
    case MIXERLINE_COMPONENTTYPE_SRC_COMPACTDISC: return "CD";
    case MIXERLINE_COMPONENTTYPE_SRC_MICROPHONE: return "Mic";
    case MIXERLINE_COMPONENTTYPE_SRC_LINE: return "Line";
    case MIXERLINE_COMPONENTTYPE_SRC_AUXILIARY: return "Aux";
    default: return std::to_string(componentType);
    }
}
