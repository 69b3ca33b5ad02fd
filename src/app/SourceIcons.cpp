#include "app/SourceIcons.h"

#include <QCoreApplication>
#include <QPainter>
#include <QPixmap>
#include <array>

#include "platform/card/MixerService.h"
#include "platform/card/SoundLine.h"

namespace {
struct IconSpec {
    const char* themeName;
    const char* glyph;
    QColor colour;
};

constexpr int kSize = 40;

QIcon drawnIcon(const IconSpec& spec)
{
    QPixmap pixmap(kSize, kSize);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(spec.colour);
    painter.setPen(QPen(spec.colour.darker(150), 2));
    painter.drawRoundedRect(QRectF(2, 2, kSize - 4, kSize - 4), 8, 8);
    painter.setPen(Qt::white);
    QFont font = painter.font();
    font.setBold(true);
    font.setPixelSize(13);
    painter.setFont(font);
    painter.drawText(QRect(0, 0, kSize, kSize), Qt::AlignCenter, spec.glyph);
    return QIcon(pixmap);
}
}  // namespace

QIcon SourceIcon(int index)
{
    static const std::array<IconSpec, 6> kIcons = {{
        {"audio-x-generic", "WAV", QColor(0x2f, 0x6f, 0xb5)},
        {"audio-midi", "MIDI", QColor(0x7a, 0x3f, 0xa8)},
        {"media-optical-audio", "CD", QColor(0x3a, 0x8f, 0x4a)},
        {"audio-input-microphone", "MIC", QColor(0xb5, 0x4a, 0x2f)},
        {"audio-input-line", "LINE", QColor(0x8f, 0x7a, 0x2a)},
        {"audio-card", "AUX", QColor(0x4a, 0x4a, 0x4a)},
    }};
    const IconSpec& spec = kIcons.at(static_cast<std::size_t>(index));
    return QIcon::fromTheme(spec.themeName, drawnIcon(spec));
}

QString UnavailableSourceTip(int index)
{
    struct Source {
        std::uint32_t componentType;
        const char* advice;
    };
    static constexpr std::array<Source, 5> kSources = {{
        {MIXERLINE_COMPONENTTYPE_SRC_SYNTHESIZER, QT_TRANSLATE_NOOP("SourceTiles", "Choose a sound font in Preferences (Ctrl+,).")},
        {MIXERLINE_COMPONENTTYPE_SRC_COMPACTDISC,
         QT_TRANSLATE_NOOP("SourceTiles", "Choose a CD drive or disc image in Preferences (Ctrl+,).")},
        {MIXERLINE_COMPONENTTYPE_SRC_MICROPHONE, QT_TRANSLATE_NOOP("SourceTiles", "Choose a device in Preferences (Ctrl+,).")},
        {MIXERLINE_COMPONENTTYPE_SRC_LINE, QT_TRANSLATE_NOOP("SourceTiles", "Choose a device in Preferences (Ctrl+,).")},
        {MIXERLINE_COMPONENTTYPE_SRC_AUXILIARY, QT_TRANSLATE_NOOP("SourceTiles", "Choose a device in Preferences (Ctrl+,).")},
    }};
    if (index < 1 || index > static_cast<int>(kSources.size()))
        return {};
    const Source& s = kSources[static_cast<std::size_t>(index - 1)];
    QString why = QString::fromStdString(WhyNoLineReason(s.componentType));
    if (why.isEmpty())
        why = QCoreApplication::translate("SourceTiles", "The sound card has no such source.");
    return why + " " + QCoreApplication::translate("SourceTiles", s.advice);
}
