#include "app/PreferenceFields.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
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

std::vector<ProfileFile::Entry> PreferenceFields::Changed() const
{
    std::vector<ProfileFile::Entry> changed;
    for (const Field& f : fields_)
        if (const QString now = f.current(); now != f.shown)
            changed.push_back({f.section, f.key, now.toStdString()});
    return changed;
}
