#include "platform/card/CaptureSources.h"

#include "platform/card/alsa/AlsaDeviceList.h"
#include "platform/card/pulse/ServerSources.h"

#include <string_view>

namespace {
constexpr std::string_view kServerPrefix = "pulse:";
}

CaptureSourceList ListCaptureSources(std::chrono::milliseconds limit)
{
    CaptureSourceList list;
    if (auto sources = ListServerSources(limit, &list.why)) {
        list.fromServer = true;
        for (ServerSource& s : *sources)
            list.sources.push_back({std::string(kServerPrefix) + s.name, std::move(s.description), s.monitor});
        return list;
    }
    for (AlsaDeviceHint& d : ListAlsaCaptureDevices())
        list.sources.push_back({std::move(d.name), std::move(d.description), false});
    return list;
}

std::optional<std::string> ServerSourceName(const std::string& device)
{
    // "pulse" alone, or with ALSA's own arguments (pulse:DEVICE=...), is an ALSA device name.
    if (device.size() <= kServerPrefix.size() || device.compare(0, kServerPrefix.size(), kServerPrefix) != 0 ||
        device.find('=') != std::string::npos)
        return std::nullopt;
    return device.substr(kServerPrefix.size());
}

std::string CaptureAlsaDevice(const std::string& device)
{
    const auto name = ServerSourceName(device);
    if (!name)
        return device;
    // ALSA reads the argument as a quoted string: quotes and backslashes are escaped.
    std::string quoted;
    for (char c : *name) {
        if (c == '"' || c == '\\')
            quoted += '\\';
        quoted += c;
    }
    return "pulse:DEVICE=\"" + quoted + "\"";
}

std::string CaptureDeviceSetting(const std::string& name, const CaptureSourceList& list)
{
    if (list.fromServer && !ServerSourceName(name)) {
        for (const CaptureSource& s : list.sources)
            if (ServerSourceName(s.device) == name)
                return s.device;
    }
    return name;
}
