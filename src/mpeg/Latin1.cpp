#include "mpeg/Latin1.h"

#include <QList>
#include <algorithm>

std::string ToLatin1(const UnicodeText& text, std::size_t maxBytes)
{
    const QList<uint> codePoints = text.Text().normalized(QString::NormalizationForm_C).toUcs4();
    std::string out;
    out.reserve(std::min<std::size_t>(maxBytes, static_cast<std::size_t>(codePoints.size())));
    for (const uint c : codePoints) {
        if (out.size() >= maxBytes)
            break;
        const bool fits = c != 0 && c <= 0xFF;
        out.push_back(fits ? static_cast<char>(static_cast<unsigned char>(c)) : kLatin1Replacement);
    }
    return out;
}

std::string Latin1ToUtf8(std::string_view latin1)
{
    return QString::fromLatin1(latin1.data(), static_cast<qsizetype>(latin1.size())).toStdString();
}
