#pragma once

#include "core/app/FormModel.h"

#include <QString>
#include <QStringList>

#include <deque>
#include <functional>
#include <tuple>
#include <vector>

class CTagObj;
class Ui;

// The attribute fields of a tag dialog, declared once in the order the
// attributes are written: the set adds them to the form, moves the tag's
// attributes into them and back. Each kind follows one rule:
//
// - Text: the value as it is; an empty field removes the attribute.
// - Number: a decimal integer; 0 (or empty) removes the attribute unless
//   keepZero; below minWritten it is not written either (a span of 1).
// - Flag: a valueless attribute (NOSHADE) on or off; with flagValue set the
//   box writes that value instead (BGPROPERTIES="FIXED").
// - Choice: entry 0 is "not set" and removes the attribute; the values are
//   matched without regard to case.
// - Color: RRGGBB in the field; "#RRGGBB", "RRGGBB" and the sixteen HTML
//   colour names are understood, and "#RRGGBB" is written.
// - File: a link text; the browse button picks a file (starting in the
//   document's folder) and makes it relative to the document.
// - Target: a frame name, or one of the four keywords shown in Japanese.
// - Percent: a Number with a "%" check box beside it.
// - CheckedNumber: a Number that a check box switches on (BORDER="0" is
//   written when checked, nothing when not).
// - Custom: a member's own field with its own three steps.
//
// A field the user left as it was loaded writes nothing: its attribute
// stays in the page exactly as it was written. A value a field cannot show
// as its kind wants it (a colour name in a
// colour field, "auto" in a number field, a choice the list does not have)
// is shown as it is written and written back unchanged when the user leaves
// the field alone, so that opening and confirming a dialog never loses an
// attribute.
class TagFieldSet {
public:
    enum class Kind { Text, Number, Flag, Choice, Color, File, Target, Percent, CheckedNumber, Custom };

    struct FileSpec {
        QString title;
        QString defaultExtension;
        QString pattern;  // the chooser's initial name, "*.GIF"
        QString filter;
    };

    struct Field {
        Kind kind = Kind::Text;
        QString label;
        QString attr;
        QStringList shown;   // Choice: entries as shown
        QStringList values;  // Choice: the values written, entry 0 empty
        int minWritten = 1;
        bool keepZero = false;
        QString flagValue;
        QString secondLabel;  // Percent, CheckedNumber: the check box
        FileSpec file;
        // File: runs after a file was picked, with the picked file's path.
        std::function<void(FormModel&, const QString&)> afterBrowse;
        // Custom.
        std::function<void(FormModel&)> build;
        std::function<void(FormModel&, const CTagObj&)> load;
        std::function<void(const FormModel&, CTagObj&)> store;

        // Where the field is in the form, and what was loaded into it.
        int index = -1;
        int checkIndex = -1;
        QString loaded;
        bool loadedRaw = false;
        bool loadedChecked = false;  // the field's own box
        bool loadedCheck = false;    // the check box beside it
        int loadedIndex = -1;
        // Custom: the form fields its build added, and their text, box
        // and entry as loaded.
        int firstIndex = -1;
        int endIndex = -1;
        std::vector<std::tuple<QString, bool, int>> loadedStates;
    };

    Field& Text(const QString& label, const QString& attr);
    Field& Number(const QString& label, const QString& attr, int minWritten = 1);
    Field& Flag(const QString& label, const QString& attr, const QString& flagValue = QString());
    // The first entry of shown stands for "not set"; values holds the other
    // entries' values (shown itself when empty).
    Field& Choice(const QString& label, const QString& attr, const QStringList& shown,
                  const QStringList& values = QStringList());
    Field& Color(const QString& label, const QString& attr);
    Field& File(const QString& label, const QString& attr, const FileSpec& spec);
    Field& Target(const QString& label, const QString& attr);
    Field& Percent(const QString& label, const QString& attr, const QString& percentLabel);
    Field& CheckedNumber(const QString& checkLabel, const QString& label, const QString& attr);
    Field& Custom(std::function<void(FormModel&)> build,
                  std::function<void(FormModel&, const CTagObj&)> load,
                  std::function<void(const FormModel&, CTagObj&)> store);

    // Adds the fields to the form. The browse buttons ask the Ui; file
    // names are made relative to the document's path, with a warning for
    // a file outside the site (siteRoot, empty when none is known).
    void Build(FormModel& form, Ui& ui, const QString& documentPath,
               const QString& siteRoot = QString());
    void Load(FormModel& form, const CTagObj& tag);
    void Store(const FormModel& form, CTagObj& tag) const;
    // Shows a loaded attribute another way than its kind would (a bare
    // BORDER as "1"); the field still counts as unchanged while it shows
    // that text.
    void LoadShown(FormModel& form, const QString& attr, const QString& text);
    // The first field the user has filled with what its kind cannot take;
    // empty when every field may be written.
    QString Validate(const FormModel& form) const;

    static const QStringList& TargetEntries();
    static const QStringList& TargetKeywords();
    // A frame name or keyword as the target combo shows it, and back.
    static QString TargetShown(const QString& value);
    static QString TargetValue(const QString& shown);

    // RRGGBB for "#RRGGBB", "RRGGBB" (any case) or an HTML colour name;
    // empty for anything else.
    static QString ColorHex(const QString& text);
    // The attribute text a number attribute starts with, as atoi reads it.
    static int LeadingInt(const QString& text);
    static bool IsInteger(const QString& text);

private:
    Field& Add(Kind kind, const QString& label, const QString& attr);

    std::deque<Field> m_fields;
};

inline const char16_t* const kColorMessage =
    u"色は 6 桁の 16 進数 (RRGGBB) か色の名前で入力してください";
