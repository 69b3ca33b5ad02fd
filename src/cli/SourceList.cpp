#include "cli/SourceList.h"

#include "platform/card/CaptureSources.h"
#include "platform/card/SoundCard.h"

#include <QCoreApplication>
#include <algorithm>

std::string SourceListText()
{
    const CaptureSourceList list = ListCaptureSources();
    std::string text =
        (list.fromServer
             ? QCoreApplication::translate("mervane-cli", "Sources of the audio server (--device NAME; kept as MicDevice=pulse:NAME):")
             : QCoreApplication::translate("mervane-cli",
                                           "No audio server answers (%1); ALSA capture devices (--device NAME; kept as MicDevice=NAME):")
                   .arg(QString::fromStdString(list.why)))
            .toStdString() +
        "\n";
    std::size_t width = 0;
    for (const CaptureSource& s : list.sources)
        width = std::max(width, ServerSourceName(s.device).value_or(s.device).size());
    for (const CaptureSource& s : list.sources) {
        const std::string name = ServerSourceName(s.device).value_or(s.device);
        text += "  " + name + std::string(width - name.size() + 2, ' ') + s.description +
                (s.monitor ? "  " + QCoreApplication::translate("mervane-cli", "(monitor)").toStdString() : "") + "\n";
    }
    if (list.sources.empty())
        text += "  " + QCoreApplication::translate("mervane-cli", "(none)").toStdString() + "\n";
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
