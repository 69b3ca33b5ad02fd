#include "platform/os/Translations.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLibraryInfo>
#include <QTranslator>
#include <memory>

namespace {
// The catalogues are resources of the program: ":/i18n/mervane_<language>.qm".
constexpr const char* kCatalogueFolder = ":/i18n";

// Installed translators, replaced by each call. Touched on the main thread only.
std::unique_ptr<QTranslator> ownCatalogue;
std::unique_ptr<QTranslator> qtCatalogue;

// "de-DE" -> "de"; "pt-BR" -> "pt_BR" and "pt" as the names to try, the precise one first.
QStringList candidateNames(const QString& uiLanguage)
{
    QString name = uiLanguage;
    name.replace('-', '_');
    QStringList names;
    while (!name.isEmpty()) {
        names << name;
        const qsizetype cut = name.lastIndexOf('_');
        name = cut > 0 ? name.left(cut) : QString();
    }
    return names;
}
}  // namespace

std::string TranslatedMessage(const char* text)
{
    return QCoreApplication::translate("Messages", text).toStdString();
}

QStringList ShippedLanguages()
{
    QStringList languages;
    for (const QString& file : QDir(kCatalogueFolder).entryList({"mervane_*.qm"}, QDir::Files, QDir::Name))
        languages << file.mid(8, file.size() - 11);
    return languages;
}

void RemoveTranslations()
{
    for (auto* slot : {&ownCatalogue, &qtCatalogue}) {
        if (*slot)
            QCoreApplication::removeTranslator(slot->get());
        slot->reset();
    }
}

QString InstallTranslations(const QLocale& locale)
{
    RemoveTranslations();
    // The user's languages in their order of preference; the first one the program speaks
    // wins, and English (the source text) speaks for itself.
    for (const QString& uiLanguage : locale.uiLanguages()) {
        for (const QString& name : candidateNames(uiLanguage)) {
            if (name == "en" || name.startsWith("en_") || name == "C")
                return {};
            // Exactly this name: QTranslator::load would itself fall back to shorter names.
            const QString file = QString("%1/mervane_%2.qm").arg(kCatalogueFolder, name);
            auto catalogue = std::make_unique<QTranslator>();
            if (!QFile::exists(file) || !catalogue->load(file))
                continue;
            ownCatalogue = std::move(catalogue);
            QCoreApplication::installTranslator(ownCatalogue.get());
            // Qt's own texts (the buttons of its dialogs), when Qt's catalogue is installed.
            auto qt = std::make_unique<QTranslator>();
            if (qt->load(QString("qtbase_") + name, QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
                qtCatalogue = std::move(qt);
                QCoreApplication::installTranslator(qtCatalogue.get());
            }
            return name;
        }
    }
    return {};
}
