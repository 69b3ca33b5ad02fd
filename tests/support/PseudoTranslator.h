#pragma once
// A made-up language for tests: every text comes back in brackets and about 40 % longer
// ("[&Next >äöü]"), so a text that escapes translation shows without its brackets, and a
// page with no room for a long translation cuts something off.
#include <QTranslator>

class PseudoTranslator : public QTranslator {
public:
    QString translate(const char* context, const char* sourceText, const char* disambiguation = nullptr,
                      int n = -1) const override;
    bool isEmpty() const override { return false; }

    // The pseudo text of a source text.
    static QString Pseudo(const QString& source);
    // Whether a text shown came from a translation (it carries the brackets).
    static bool Translated(const QString& shown);
};
