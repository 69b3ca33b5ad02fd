#include "cli/SourceList.h"

#include "platform/card/CaptureSources.h"
#include "platform/card/SoundCard.h"

#include <algorithm>

std::string SourceListText()
{
    const CaptureSourceList list = ListCaptureSources();
    std::string text = list.fromServer
                           ? "Sources of the audio server (--device NAME; kept as MicDevice=pulse:NAME):\n"
                           : "No audio server answers (" + list.why +
                                 "); ALSA capture devices (--device NAME; kept as MicDevice=NAME):\n";
    std::size_t width = 0;
    for (const CaptureSource& s : list.sources)
        width = std::max(width, ServerSourceName(s.device).value_or(s.device).size());
    for (const CaptureSource& s : list.sources) {
        const std::string name = ServerSourceName(s.device).value_or(s.device);
        text += "  " + name + std::string(width - name.size() + 2, ' ') + s.description +
                (s.monitor ? "  (monitor)" : "") + "\n";
    }
    if (list.sources.empty())
        text += "  (none)\n";
    return text;
}

void ApplyRecordDevice(const CliOptions& options, SoundCardSettings& settings)
{
    if (options.command != "record" || options.device.empty())
        return;
    std::string setting = options.device;
    if (!ServerSourceName(setting))
        setting = CaptureDeviceSetting(options.device, ListCaptureSources());
    (options.source == "line" ? settings.lineDevice : options.source == "aux" ? settings.auxDevice : settings.micDevice) =
        setting;
}
