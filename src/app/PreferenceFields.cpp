#include "app/PreferenceFields.h"

#include "platform/os/Dialogs.h"
#include "platform/os/ErrorReport.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QSpinBox>
#include <algorithm>

void PreferenceFields::Track(const char* section, const char* key, QString shown, std::function<QString()> current)
{
    fields_.push_back({section, key, std::move(shown), std::move(current)});
}

QLabel* PreferenceFields::AddRow(QFormLayout* form, const QString& label, QWidget* field, QWidget* row)
{
    auto* caption = new QLabel(label);
    caption->setBuddy(field);
    field->setAccessibleName(QString(label).remove('&').remove(QRegularExpression(":$")));
    form->addRow(caption, row ? row : field);
    return caption;
}

QCheckBox* PreferenceFields::AddCheck(QFormLayout* form, const char* section, const char* key, const QString& text,
                                      bool shown)
{
    auto* box = new QCheckBox(text);
    box->setChecked(shown);
    form->addRow(box);
    Track(section, key, shown ? "1" : "0", [box] { return QString(box->isChecked() ? "1" : "0"); });
    return box;
}

QSpinBox* PreferenceFields::AddNumber(QFormLayout* form, const char* section, const char* key, const QString& label,
                                      int min, int max, int shown)
{
    auto* spin = new QSpinBox;
    spin->setRange(min, max);
    spin->setValue(shown);
    AddRow(form, label, spin);
    Track(section, key, QString::number(spin->value()), [spin] { return QString::number(spin->value()); });
    return spin;
}

QComboBox* PreferenceFields::AddChoice(QFormLayout* form, const char* section, const char* key, const QString& label,
                                       const std::vector<Choice>& choices, const QString& shown)
{
    auto* combo = new QComboBox;
    for (const Choice& c : choices)
        combo->addItem(c.text, c.value);
    combo->setCurrentIndex(std::max(0, combo->findData(shown)));
    AddRow(form, label, combo);
    Track(section, key, combo->currentData().toString(), [combo] { return combo->currentData().toString(); });
    return combo;
}

QLineEdit* PreferenceFields::AddText(QFormLayout* form, const char* section, const char* key, const QString& label,
                                     const QString& shown)
{
    auto* edit = new QLineEdit(shown);
    AddRow(form, label, edit);
    Track(section, key, shown.trimmed(), [edit] { return edit->text().trimmed(); });
    return edit;
}

QLineEdit* PreferenceFields::AddPath(QFormLayout* form, const char* section, const char* key, const QString& label,
                                     const QString& shown, const PathBrowse& browse)
{
    auto* edit = new QLineEdit(shown);
    auto* row = new QWidget;
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* button = new QPushButton(browse.button);
    layout->addWidget(edit, 1);
    layout->addWidget(button);
    QObject::connect(button, &QPushButton::clicked, edit, [edit, browse] {
        Guarded([&] {
            FileDialogOptions options;
            options.title = browse.title.toStdString();
            options.filter = browse.filter.toStdString();
            options.initialName = edit->text().trimmed().toStdString();
            if (const auto chosen = AppDialogs().OpenFile(options))
                edit->setText(QString::fromStdString(*chosen));
        });
    });
    AddRow(form, label, edit, row);
    Track(section, key, shown.trimmed(), [edit] { return edit->text().trimmed(); });
    return edit;
}

QPushButton* PreferenceFields::Browse(const QLineEdit* path)
{
    return path->parentWidget() ? path->parentWidget()->findChild<QPushButton*>() : nullptr;
}

std::vector<ProfileFile::Entry> PreferenceFields::Changed() const
{
    std::vector<ProfileFile::Entry> changed;
    for (const Field& f : fields_)
        if (const QString now = f.current(); now != f.shown)
            changed.push_back({f.section, f.key, now.toStdString()});
    return changed;
}
