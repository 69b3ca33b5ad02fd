#pragma once
// The program's texts in the user's language. English is the source text: with no catalogue
// for the user's language (or with English first among the user's languages) nothing is
// loaded and the texts stay as written.
#include <QLocale>
#include <QString>
#include <string>

// Loads the program's catalogue (built into the program) and Qt's own (from Qt's
// translations folder) for the first of the locale's languages that the program speaks,
// and installs them in the application. Returns the language loaded ("de", "fr", ...), or an
// empty string when the texts stay English. Call on the main thread after the application
// object exists; calling it again replaces what an earlier call installed.
QString InstallTranslations(const QLocale& locale = QLocale::system());

// Removes what InstallTranslations installed: the texts are English again.
void RemoveTranslations();

// The languages the program ships besides English, as the catalogues' suffixes.
QStringList ShippedLanguages();

// A message of the lower layers, marked with QT_TRANSLATE_NOOP("Messages", ...) where it is
// defined, in the user's language. Any thread: the installed catalogues are only read.
std::string TranslatedMessage(const char* text);
