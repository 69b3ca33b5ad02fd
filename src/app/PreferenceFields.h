#pragma once
// The fields of the Preferences window and the settings keys behind them. Each field
// remembers the value it showed when the window opened; OK writes only the keys whose
// field now holds another value, so a key the user left alone stays as it is in the file
// (or absent, keeping its default).
//
//   PreferenceFields fields;
//   QFormLayout* form = ...;
//   auto* box = fields.AddCheck(page, "METADATA", "SafeNames", tr("Sa&fe names"), false);
//   ...
//   ProfileFile::Settings().WriteStrings(fields.Changed());   // one replacement of the file
#include "platform/os/ProfileFile.h"

#include <QString>
#include <functional>
#include <vector>

class QCheckBox;
class QComboBox;
class QFormLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QWidget;

class PreferenceFields {
public:
    // A field whose value `current` gives as the settings file spells it; `shown` is its
    // value as the window opened.
    void Track(const char* section, const char* key, QString shown, std::function<QString()> current);

    // A row of `form`: the label (its mnemonic reaches the field, and it names the field for
    // a screen reader) and the field, or a widget holding the field and its buttons.
    static QLabel* AddRow(QFormLayout* form, const QString& label, QWidget* field, QWidget* row = nullptr);

    // Fields of the common kinds, tracked and added as rows of `form`:
    // a check box written as 1 or 0,
    QCheckBox* AddCheck(QFormLayout* form, const char* section, const char* key, const QString& text, bool shown);
    // a whole number in [min, max],
    QSpinBox* AddNumber(QFormLayout* form, const char* section, const char* key, const QString& label, int min,
                        int max, int shown);
    // a choice among values, each with its text,
    struct Choice {
        QString value;
        QString text;
    };
    QComboBox* AddChoice(QFormLayout* form, const char* section, const char* key, const QString& label,
                         const std::vector<Choice>& choices, const QString& shown);
    // a text (an address, a template), kept as typed but for spaces at its ends.
    QLineEdit* AddText(QFormLayout* form, const char* section, const char* key, const QString& label,
                       const QString& shown);
    // a path, typed or chosen from an open-file dialog by a Browse button beside it, kept as
    // typed but for spaces at its ends.
    struct PathBrowse {
        QString button;  // the Browse button's text
        QString title;   // the open-file dialog's title
        QString filter;  // its filter, as Dialogs.h spells filters
    };
    QLineEdit* AddPath(QFormLayout* form, const char* section, const char* key, const QString& label,
                       const QString& shown, const PathBrowse& browse);
    // The Browse button of a path field AddPath made.
    static QPushButton* Browse(const QLineEdit* path);

    // The keys whose field changed, with their new values.
    std::vector<ProfileFile::Entry> Changed() const;

private:
    struct Field {
        const char* section;
        const char* key;
        QString shown;
        std::function<QString()> current;
    };
    std::vector<Field> fields_;
};
