#include "support/PseudoTranslator.h"

#include <cmath>

QString PseudoTranslator::translate(const char*, const char* sourceText, const char*, int) const
{
    if (!sourceText || !*sourceText)
        return {};
    return Pseudo(QString::fromUtf8(sourceText));
}

QString PseudoTranslator::Pseudo(const QString& source)
{
    // Brackets and padding together make the text 40 % longer, at least the brackets.
    static const QString kPadding = QStringLiteral("äöüßéñ");
    const qsizetype extra = std::max<qsizetype>(0, qsizetype(std::lround(source.size() * 0.4)) - 2);
    QString padding;
    for (qsizetype i = 0; i < extra; ++i)
        padding += kPadding[i % kPadding.size()];
    return '[' + source + padding + ']';
}

bool PseudoTranslator::Translated(const QString& shown)
{
    return shown.contains('[') && shown.contains(']');
}
