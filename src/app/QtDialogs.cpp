#include "app/QtDialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QGridLayout>
#include <QInputDialog>
#include <QMessageBox>
#include <QStringList>

namespace {
QWidget* dialogParent()
{
    return QApplication::activeWindow();
}

// A box as wide as its title needs: a short text ("File not found") would otherwise make a
// box whose window manager cuts its caption to "...". Room for the title bar's buttons too.
void fitTitle(QMessageBox& box)
{
    QFont titleFont = box.font();
    titleFont.setBold(true);
    const int width = QFontMetrics(titleFont).horizontalAdvance(box.windowTitle()) + 160;
    if (auto* grid = qobject_cast<QGridLayout*>(box.layout()))
        grid->addItem(new QSpacerItem(width, 0, QSizePolicy::Minimum, QSizePolicy::Minimum), grid->rowCount(), 0, 1,
                      grid->columnCount());
}

std::optional<std::string> chosen(const QString& name, const FileDialogOptions& options)
{
    if (name.isEmpty())
        return std::nullopt;
    return ChosenFileName(name.toStdString(), options.defaultExt);
}
}  // namespace

QString QtNameFilters(const std::string& filter)
{
    const QStringList parts = QString::fromStdString(filter).split('|');
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString patterns = parts[i + 1];
        patterns.replace(';', ' ');
        patterns.replace("*.*", "*");  // every file, also names without a dot
        filters << parts[i] + " (" + patterns + ")";
    }
    return filters.join(";;");
}

void QtDialogs::ShowMessage(const std::string& text)
{
    QMessageBox box(QMessageBox::NoIcon, QApplication::applicationName(), QString::fromStdString(text),
                    QMessageBox::Ok, dialogParent());
    fitTitle(box);
    box.exec();
}

void QtDialogs::ShowMessageBox(const std::string& text, const std::string& caption, MessageBoxKind kind)
{
    const QMessageBox::Icon icon = kind == MessageBoxKind::Error ? QMessageBox::Critical : QMessageBox::NoIcon;
    QMessageBox box(icon, QString::fromStdString(caption), QString::fromStdString(text), QMessageBox::Ok,
                    dialogParent());
    fitTitle(box);
    box.exec();
}

bool QtDialogs::AskYesNo(const std::string& text)
{
    QMessageBox box(QMessageBox::Question, QApplication::applicationName(), QString::fromStdString(text),
                    QMessageBox::Yes | QMessageBox::No, dialogParent());
    box.setDefaultButton(QMessageBox::No);
    fitTitle(box);
    return box.exec() == QMessageBox::Yes;
}

std::optional<std::size_t> QtDialogs::ChooseOne(const std::string& text, const std::vector<std::string>& choices,
                                                const std::string& none)
{
    QStringList items;
    for (const std::string& c : choices)
        items << QString::fromStdString(c);
    items << QString::fromStdString(none);
    bool ok = false;
    const QString chosen = QInputDialog::getItem(dialogParent(), QApplication::applicationName(),
                                                 QString::fromStdString(text), items, 0, false, &ok);
    const qsizetype index = items.indexOf(chosen);
    if (!ok || index < 0 || std::size_t(index) >= choices.size())
        return std::nullopt;
    return std::size_t(index);
}

std::optional<std::string> QtDialogs::OpenFile(const FileDialogOptions& options)
{
    const QString name = QFileDialog::getOpenFileName(dialogParent(), QString::fromStdString(options.title),
                                                      QString::fromStdString(options.initialName).remove('*'),
                                                      QtNameFilters(options.filter));
    return chosen(name, options);
}

std::optional<std::string> QtDialogs::SaveFile(const FileDialogOptions& options)
{
    const QString name = QFileDialog::getSaveFileName(dialogParent(), QString::fromStdString(options.title),
                                                      QString::fromStdString(options.initialName).remove('*'),
                                                      QtNameFilters(options.filter), nullptr,
                                                      QFileDialog::DontConfirmOverwrite);
    return chosen(name, options);
}

std::optional<std::string> QtDialogs::SelectFolder(const std::string& title, const std::string& initial)
{
    const QString folder = QFileDialog::getExistingDirectory(dialogParent(), QString::fromStdString(title),
                                                             QString::fromStdString(initial));
    if (folder.isEmpty())
        return std::nullopt;
    return folder.toStdString();
}
