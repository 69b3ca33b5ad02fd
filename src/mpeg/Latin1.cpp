#include "mpeg/Latin1.h"

#include <QList>
#include <algorithm>
#include <utility>

namespace {
// Letters whose look-alike Latin-1 letter Unicode does not give by decomposition.
constexpr std::pair<char32_t, char> kLookAlikes[] = {
    {U'Đ', 'D'}, {U'đ', 'd'}, {U'Ħ', 'H'}, {U'ħ', 'h'}, {U'ı', 'i'}, {U'Ł', 'L'}, {U'ł', 'l'},
    {U'Ŧ', 'T'}, {U'ŧ', 't'}, {U'ƀ', 'b'}, {U'Ɨ', 'I'}, {U'ƶ', 'z'}, {U'Ƶ', 'Z'}, {U'ǥ', 'g'},
    {U'Ǥ', 'G'}, {U'ȼ', 'c'}, {U'Ȼ', 'C'}, {U'ɨ', 'i'},
    {U'\u2010', '-'}, {U'\u2011', '-'}, {U'\u2012', '-'}, {U'\u2013', '-'}, {U'\u2014', '-'},
    {U'\u2015', '-'}, {U'\u2212', '-'}, {U'\u2018', '\''}, {U'\u2019', '\''}, {U'\u201A', '\''},
    {U'\u2032', '\''}, {U'\u201C', '"'}, {U'\u201D', '"'}, {U'\u201E', '"'}, {U'\u2033', '"'},
};

// The Latin-1 byte that stands in for a character above U+00FF.
char Transliterate(uint c)
{
    for (const auto& [from, to] : kLookAlikes)
        if (from == c)
            return to;
    const char32_t one = c;
    const QString parts = QString::fromUcs4(&one, 1).normalized(QString::NormalizationForm_KD);
    QString base;
    for (const QChar part : parts) {
        const QChar::Category category = part.category();
        if (category != QChar::Mark_NonSpacing && category != QChar::Mark_SpacingCombining &&
            category != QChar::Mark_Enclosing)
            base += part;
    }
    base = base.normalized(QString::NormalizationForm_C);
    if (base.size() == 1 && base[0].unicode() != 0 && base[0].unicode() <= 0xFF && base[0].isPrint())
        return static_cast<char>(static_cast<unsigned char>(base[0].unicode()));
    return kLatin1Replacement;
}
}  // namespace

std::string ToLatin1(const UnicodeText& text, std::size_t maxBytes)
{
    const QList<uint> codePoints = text.Text().normalized(QString::NormalizationForm_C).toUcs4();
    std::string out;
    out.reserve(std::min<std::size_t>(maxBytes, static_cast<std::size_t>(codePoints.size())));
    for (const uint c : codePoints) {
        if (out.size() >= maxBytes)
            break;
        if (c != 0 && c <= 0xFF)
            out.push_back(static_cast<char>(static_cast<unsigned char>(c)));
        else
            out.push_back(c > 0xFF && c != 0xFFFD ? Transliterate(c) : kLatin1Replacement);
    }
    return out;
}

std::string Latin1ToUtf8(std::string_view latin1)
{
    return QString::fromLatin1(latin1.data(), static_cast<qsizetype>(latin1.size())).toStdString();
}
