#include "platform/card/SoundLine.h"

#include "platform/card/alsa/AlsaCaptureLine.h"
#include "platform/card/CaptureSources.h"
#include "platform/card/pulse/ServerSources.h"
#include "platform/card/MixerService.h"
#include "platform/card/SoundCard.h"

#include <QCoreApplication>
#include <algorithm>
#include <array>
#include <map>
#include <optional>
#include <set>
#include <utility>

namespace {
struct Registered {
    std::uint64_t id;
    std::uint32_t componentType;
    SoundLineFactory factory;
};

// Main thread only: sources that went, each told once per run (TakeGoneSourceReports).
std::vector<std::string> goneToTell;

// Main thread. Why the audio server's source `name` cannot be recorded (no server, or no
// such source any more), or null when the server offers it.
std::optional<std::string> ServerSourceMissing(const std::string& name)
{
    static std::set<std::string> reported;
    std::string why;
    const auto sources = ListServerSources(kServerAnswerLimit, &why);
    if (sources && std::any_of(sources->begin(), sources->end(), [&](const ServerSource& s) { return s.name == name; }))
        return std::nullopt;
    const QString source = QString::fromStdString(name);
    const std::string text =
        (sources ? QCoreApplication::translate("SoundLine", "The audio server no longer offers the source \"%1\".").arg(source)
                 : QCoreApplication::translate("SoundLine", "The source \"%1\" cannot be recorded: no audio server answers (%2).")
                       .arg(source, QString::fromStdString(why)))
            .toStdString();
    if (reported.insert(name).second)
        goneToTell.push_back(text);
    return text;
}

SoundLineFactory captureFactory(std::string SoundCardSettings::*device, const char* key)
{
    return [device, key](const SoundCardSettings& s) -> std::unique_ptr<SoundLine> {
        const std::string& name = s.*device;
        if (name.empty()) {
            TellWhyNoLine(QCoreApplication::translate("SoundLine", "No capture device is set up for this input.").toStdString(),
                          key);
            return nullptr;
        }
        if (const auto source = ServerSourceName(name)) {
            if (auto why = ServerSourceMissing(*source)) {
                TellWhyNoLine(*why, key);
                return nullptr;
            }
        }
        std::string why;
        auto line = OpenCaptureLine(CaptureAlsaDevice(name), &why);
        if (!line)
            TellWhyNoLine(QCoreApplication::translate("SoundLine", "The capture device \"%1\" cannot be opened: %2.")
                              .arg(QString::fromStdString(name), QString::fromStdString(why))
                              .toStdString(),
                          key);
        return line;
    };
}

// Main thread only: what the factory being asked told, and what the last card's missing
// lines were told.
struct Absence {
    std::string reason;
    std::string key;  // the SOUNDCARD_SETUP key that sets the line up; may be empty
    std::string settingsFile;  // where the card's settings were read from

    bool Empty() const { return reason.empty(); }
    std::string Text() const { return key.empty() ? reason : reason + " " + SetKeyAdvice(key, settingsFile); }
};
Absence toldNow;
std::map<std::uint32_t, Absence> missingWhy;

// Main thread only. The platform's own capture lines come first, so any later
// registration of the same type is asked before them.
std::vector<Registered>& registry()
{
    static std::vector<Registered> lines{
        {1, MIXERLINE_COMPONENTTYPE_SRC_MICROPHONE, captureFactory(&SoundCardSettings::micDevice, "MicDevice")},
        {2, MIXERLINE_COMPONENTTYPE_SRC_LINE, captureFactory(&SoundCardSettings::lineDevice, "LineDevice")},
        {3, MIXERLINE_COMPONENTTYPE_SRC_AUXILIARY, captureFactory(&SoundCardSettings::auxDevice, "AuxDevice")},
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

namespace {
// The line the newest factory of `type` that makes one makes, and, without one, what the
// newest factory that told a reason told. Main thread.
std::unique_ptr<SoundLine> askFactories(std::uint32_t type, const SoundCardSettings& settings, Absence& why)
{
    const auto& lines = registry();
    for (auto it = lines.rbegin(); it != lines.rend(); ++it) {
        if (it->componentType != type)
            continue;
        toldNow = {};
        if (auto line = it->factory(settings)) {
            toldNow = {};
            return line;
        }
        if (why.Empty()) {
            why = toldNow;  // the newest factory's reason is the one the user sees
            why.settingsFile = settings.settingsFile;
        }
    }
    toldNow = {};
    return nullptr;
}
}  // namespace

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
    missingWhy.clear();
    for (std::uint32_t type : types) {
        Absence why;
        if (auto line = askFactories(type, settings, why))
            made.push_back({type, std::move(line)});
        else if (!why.Empty())
            missingWhy[type] = why;
    }
    return made;
}

std::unique_ptr<SoundLine> MakeSoundLine(std::uint32_t componentType, const SoundCardSettings& settings,
                                         std::string* why)
{
    Absence told;
    auto line = askFactories(componentType, settings, told);
    if (!line && why)
        *why = told.Text();
    // A greyed input's tile says why with what was told last.
    if (line)
        missingWhy.erase(componentType);
    else if (!told.Empty())
        missingWhy[componentType] = told;
    return line;
}

std::vector<std::string> TakeGoneSourceReports()
{
    return std::exchange(goneToTell, {});
}

void TellWhyNoLine(std::string reason, std::string key)
{
    toldNow = {std::move(reason), std::move(key), {}};
}

std::string WhyNoLine(std::uint32_t componentType)
{
    const auto it = missingWhy.find(componentType);
    return it == missingWhy.end() ? std::string() : it->second.Text();
}

std::string WhyNoLineReason(std::uint32_t componentType)
{
    const auto it = missingWhy.find(componentType);
    return it == missingWhy.end() ? std::string() : it->second.reason;
}

std::string SetKeyAdvice(const std::string& key, const std::string& settingsFile)
{
    return QCoreApplication::translate("SoundLine", "Set %1 in the section SOUNDCARD_SETUP of %2.")
        .arg(QString::fromStdString(key), QString::fromStdString(settingsFile.empty() ? std::string("the settings file") : settingsFile))
        .toStdString();
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
