#include "discinfo/SingleFileTitle.h"

#include "platform/midi/MidiFile.h"

#include <QString>
#include <QStringDecoder>
#include <exception>
#include <filesystem>

namespace {
constexpr std::uint8_t kMetaTrackName = 0x03;

std::string textOf(const std::uint8_t* bytes, std::size_t length)
{
    const QByteArray raw(reinterpret_cast<const char*>(bytes), qsizetype(length));
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString decoded = utf8.decode(raw);
    const QString text = utf8.hasError() ? QString::fromLatin1(raw) : decoded;
    return text.trimmed().toStdString();
}
}  // namespace

std::string TitleFromFileName(const std::string& path)
{
    return std::filesystem::path(path).stem().string();
}

std::string MidiFileTitle(const std::string& path)
{
    try {
        const MidiFile file = MidiFile::Load(path);
        for (const MidiEvent& e : file.Events()) {
            if (e.status != MidiEvent::Meta || e.metaType != kMetaTrackName || e.length == 0)
                continue;
            if (std::size_t(e.offset) + e.length > file.Bytes().size())
                break;
            if (std::string name = textOf(file.Bytes().data() + e.offset, e.length); !name.empty())
                return name;
        }
    } catch (const std::exception&) {
        // The encoding road tells what is wrong with the file; the title falls back.
    }
    return TitleFromFileName(path);
}
