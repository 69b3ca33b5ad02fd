#include "mpeg/FormattedText.h"

#include "mpeg/MPEGAudio.h"

#include <QLocale>
#include <QString>
#include <filesystem>
#include <functional>
#include <vector>

namespace {
const QString kUnclosedItem = QStringLiteral("<<<ERROR!!! No end of item definition!>>>");

using Getter = std::function<QString(const TMPEGAudio&)>;

struct Keyword {
    const char* longName;
    const char* shortName;
    int width;
    bool right;
    Getter value;
};

QString Utf8(const std::string& s) { return QString::fromStdString(s); }
QString YesNo(bool b) { return b ? QStringLiteral("Yes") : QStringLiteral("No"); }
QString Star(bool b) { return b ? QStringLiteral("*") : QStringLiteral(" "); }
QString Number(std::uint64_t n) { return QString::number(n); }

// The number with the locale's thousands separators, no decimals.
QString Grouped(std::uint64_t n)
{
    return QLocale().toString(static_cast<qulonglong>(n));
}

// printf's "%<width>.1f" with the locale's decimal separator.
QString OneDecimal(double value, int width)
{
    return QLocale().toString(value, 'f', 1).rightJustified(width, QLatin1Char(' '));
}

QString FolderOf(const std::string& path)
{
    if (path.empty())
        return {};
    const std::string folder = std::filesystem::path(path).parent_path().string();
    return Utf8(folder.ends_with('/') ? folder : folder + '/');
}

QString DurationForm(std::uint32_t seconds)
{
    // Minutes and seconds of the time of day: whole hours drop out.
    return QStringLiteral("%1:%2")
        .arg((seconds / 60) % 60, 2, 10, QLatin1Char('0'))
        .arg(seconds % 60, 2, 10, QLatin1Char('0'));
}

QString DateTimeText(const TMPEGAudio& a, const char* format)
{
    const QDateTime t = a.FileDateTime();
    return t.isValid() ? t.toString(QString::fromLatin1(format)) : QString();
}

const std::vector<Keyword>& Keywords()
{
    using A = const TMPEGAudio&;
    static const std::vector<Keyword> table = {
        {"NEWLINE", "NL", 2, false, [](A) { return QStringLiteral("\r\n"); }},
        {"SOFTNEWLINE", "#", 0, false, [](A) { return QString(); }},
        {"TAB", "TB", 1, false, [](A) { return QStringLiteral("\t"); }},
        {"FILENAME", "FN", 40, false, [](A a) { return Utf8(std::filesystem::path(a.FileName()).filename().string()); }},
        {"FILEPATH", "FP", 40, false, [](A a) { return FolderOf(a.FileName()); }},
        {"VOLUMELABEL", "VL", 11, false, [](A a) { return Utf8(a.VolumeLabel()); }},
        {"TITLE", "T", 30, false, [](A a) { return Utf8(a.Title()).trimmed(); }},
        {"ARTIST", "A", 30, false, [](A a) { return Utf8(a.Artist()).trimmed(); }},
        {"ALBUM", "ALB", 35, false, [](A a) { return Utf8(a.Album()).trimmed(); }},
        {"YEAR", "Y", 4, false, [](A a) { return Utf8(a.Year()).trimmed(); }},
        {"COMMENT", "CMNT", 30, false, [](A a) { return Utf8(a.Comment()).trimmed(); }},
        {"GENRE", "G", 25, false, [](A a) { return Utf8(a.GenreName()); }},
        {"GENRENR", "GNR", 3, true, [](A a) { return Number(a.Genre()); }},
        {"TRACK", "TR", 3, true, [](A a) { return Number(a.Track()); }},
        {"DURATION", "D", 4, true, [](A a) { return Number(a.Duration()); }},
        {"DURATIONCOMMA", "DC", 5, true, [](A a) { return Grouped(a.Duration()); }},
        {"DURATIONFORM", "DF", 5, true, [](A a) { return DurationForm(a.Duration()); }},
        {"LENGTH", "L", 9, true, [](A a) { return Number(a.FileSize()); }},
        {"FILEDATE", "FD", 10, false, [](A a) { return DateTimeText(a, "dd.MM.yyyy"); }},
        {"FILETIME", "FT", 8, false, [](A a) { return DateTimeText(a, "HH:mm:ss"); }},
        {"LENGTHCOMMA", "LC", 12, true, [](A a) { return Grouped(a.FileSize()); }},
        {"LENGTHKB", "LK", 6, true, [](A a) { return Number(a.FileSize() / 1024); }},
        {"LENGTHKBCOMMA", "LKC", 8, true, [](A a) { return Grouped(a.FileSize() / 1024); }},
        {"LENGTHMB", "LM", 5, true, [](A a) { return OneDecimal(static_cast<double>(a.FileSize()) / 1048576.0, 3); }},
        {"VERSION", "V", 3, false, [](A a) { return Utf8(a.VersionName()); }},
        {"LAYER", "LY", 3, false, [](A a) { return Utf8(a.LayerName()); }},
        {"LAYERNR", "LYN", 1, false, [](A a) { return Number(a.Layer()); }},
        {"SAMPLERATE", "SR", 5, true, [](A a) { return Number(static_cast<std::uint64_t>(a.SampleRate())); }},
        {"SAMPLERATEKB", "SRK", 4, true, [](A a) { return OneDecimal(a.SampleRate() / 1000.0, 4); }},
        {"ERRORPROT", "EP", 3, false, [](A a) { return YesNo(a.Protection() == 0); }},
        {"ERRORPROT*", "EP*", 1, false, [](A a) { return Star(a.Protection() == 0); }},
        {"COPYRIGHT", "C", 3, false, [](A a) { return YesNo(a.Copyright()); }},
        {"COPYRIGHT*", "C*", 1, false, [](A a) { return Star(a.Copyright()); }},
        {"ORIGINAL", "O", 3, false, [](A a) { return YesNo(a.Original()); }},
        {"ORIGINAL*", "O*", 1, false, [](A a) { return Star(a.Original()); }},
        {"MODE", "M", 12, false, [](A a) { return Utf8(a.ModeName()); }},
        {"STEREO", "S", 6, false, [](A a) { return a.Mode() == 3 ? QStringLiteral("Mono") : QStringLiteral("Stereo"); }},
        {"BITRATE", "BR", 3, true, [](A a) { return Number(static_cast<std::uint64_t>(a.BitRate())); }},
        {"FRAMELENGTH", "FL", 4, true, [](A a) { return Number(a.FrameLength()); }},
        {"SELECTEDNR", "SLN", 3, true, [](A a) { return Number(a.SelectedNr()); }},
        {"SELECTED", "SL", 3, false, [](A a) { return YesNo(a.SelectedNr() != 0); }},
        {"SELECTED*", "SL*", 3, false, [](A a) { return Star(a.SelectedNr() != 0); }},
        {"VALID", "VD", 3, false, [](A a) { return YesNo(a.Valid()); }},
        {"VALID*", "VD*", 3, false, [](A a) { return Star(a.Valid()); }},
    };
    return table;
}

bool IsCharacterCode(const QString& keyword)
{
    for (const QChar c : keyword)
        if ((c < QLatin1Char('0') || c > QLatin1Char('9')) && c != QLatin1Char('.'))
            return false;
    return !keyword.isEmpty();
}

QString CharacterOf(const QString& code)
{
    bool ok = false;
    int n = code.toInt(&ok);
    n = ok ? (n & 0xFF) : 1;
    return QString(QChar(n == 0 ? 1 : n));
}

// Takes the text up to the next ',' or ':' out of rest.
QString TakeField(QString& rest)
{
    qsizetype cut = -1;
    for (qsizetype i = 0; i < rest.size() && cut < 0; ++i)
        if (rest[i] == QLatin1Char(',') || rest[i] == QLatin1Char(':'))
            cut = i;
    QString field = cut < 0 ? rest : rest.left(cut);
    rest = cut < 0 ? QString() : rest.mid(cut + 1);
    return field;
}

QChar FirstOrSpace(const QString& s)
{
    return s.isEmpty() ? QLatin1Char(' ') : s.front();
}

QString Aligned(const QString& value, QChar alignment, int width, QChar fill)
{
    const int n = std::min(width, kMaxItemWidth);
    if (n < 0)
        return value;
    switch (alignment.unicode()) {
    case 'L':
        return value.left(n).leftJustified(n, fill);
    case 'R':
        return value.rightJustified(n, fill, true);
    case 'C': {
        const QString cut = value.left(n);
        const qsizetype left = (n - cut.size()) / 2;
        return QString(left, fill) + cut + QString(n - cut.size() - left, fill);
    }
    default:
        return value;
    }
}

QString ExpandItem(const QString& item, const TMPEGAudio& audio)
{
    const qsizetype comma = item.indexOf(QLatin1Char(','));
    const QString keyword = (comma < 0 ? item : item.left(comma)).trimmed().toUpper();
    QString rest = comma < 0 ? QString() : item.mid(comma + 1);
    QChar alignment = FirstOrSpace(TakeField(rest).trimmed().toUpper());
    bool isNumber = false;
    int width = TakeField(rest).trimmed().toInt(&isNumber);
    if (!isNumber)
        width = -1;
    const QChar fill = FirstOrSpace(rest.trimmed());

    QString value;
    int defaultWidth = 0;
    bool defaultRight = false;
    if (keyword.isEmpty()) {
        value = QStringLiteral("%");
        defaultWidth = 1;
    } else if (IsCharacterCode(keyword)) {
        value = CharacterOf(keyword);
        defaultWidth = 1;
    } else {
        const Keyword* found = nullptr;
        for (const Keyword& k : Keywords())
            if (keyword == QLatin1String(k.longName) || keyword == QLatin1String(k.shortName))
                found = &k;
        if (!found)
            return QLatin1Char('%') + item + QLatin1Char('%');
        value = found->value(audio);
        defaultWidth = found->width;
        defaultRight = found->right;
    }

    if (QStringLiteral("CLRT").contains(alignment)) {
        if (width == -1)
            return value;
        return Aligned(value, alignment, width == 0 ? defaultWidth : width, fill);
    }
    return Aligned(value, defaultRight ? QLatin1Char('R') : QLatin1Char('L'), defaultWidth, fill);
}
}  // namespace

std::string ExpandTemplate(const std::string& templ, const TMPEGAudio& audio)
{
    const QString in = QString::fromStdString(templ);
    QString out;
    qsizetype i = 0;
    while (i < in.size()) {
        const qsizetype open = in.indexOf(QLatin1Char('%'), i);
        if (open < 0) {
            out += in.mid(i);
            break;
        }
        out += in.mid(i, open - i);
        const qsizetype close = in.indexOf(QLatin1Char('%'), open + 1);
        if (close < 0) {
            out += kUnclosedItem;
            break;
        }
        out += ExpandItem(in.mid(open + 1, close - open - 1), audio);
        i = close + 1;
    }
    return out.toStdString();
}
