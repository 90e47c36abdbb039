#pragma once

#include <QString>
#include <QStringList>

#include <climits>
#include <deque>
#include <functional>
#include <vector>

// What a dialog shows and gives back, without any widget: a title and a list
// of fields. The generic form dialog of the GUI renders any form; the
// scripted Ui fills one from "NAME=VALUE" pairs. Commands build a form, run it
// through Ui::RunForm and read the fields back.
enum class FieldKind {
    Text,    // one-line text
    Number,  // integer text, range checked by Validate()
    Flag,    // check box
    Choice,  // fixed drop-down list; index
    Combo,   // editable text with a drop-down list (history, suggestions)
    List,    // list box with one selected entry; index
    Color,   // six hex digits RRGGBB, with a colour chooser button
    File,    // file name, with a browse button
    Class,   // style class: editable text with the document's classes
    Target,  // link target frame: editable text with the usual targets
    Label,   // static text
    Button,  // runs its action on the form
    MultiLine, // text of several lines
};

class FormModel;

struct FormField {
    FieldKind kind = FieldKind::Text;
    QString name;   // attribute or setting name (e.g. "BORDER"); may be empty
    QString label;  // caption as shown, mnemonic included ("検索語(&W):")
    QString text;   // value of text-like kinds; the entry text of Choice/List
    bool checked = false;  // Flag
    int index = -1;        // Choice, List: selected entry, -1 for none
    QStringList choices;   // Choice, Combo, List, Class, Target entries
    // List: captions of the columns of a list of several columns; each entry
    // then holds its cells separated by tabs.
    QStringList columns;
    // List of several columns: the widths of the columns before the last, in
    // characters; a column without one is as wide as a short name.
    QList<int> columnChars;
    int minimum = 0;       // Number range
    int maximum = INT_MAX;
    QString rangeMessage;  // shown when a Number is invalid; a default is used when empty
    QString suffix;        // text after the field ("行")
    QString page;          // page title of a multi-page form; empty = first page
    int gridRow = -1;      // fields with a grid position are laid out in a
    int gridColumn = -1;   // table (cells of the table wizard) instead of a column
    QString fileFilter;    // File: chooser filter in "Text|*.txt|..." form
    bool enabled = true;
    bool visible = true;
    bool besidePrevious = false;  // shown at the end of the previous field's row
    bool secret = false;   // Text: shown as hidden characters (a password)
    std::function<void(FormModel&)> action;  // Button: what a press does;
                                             // other kinds: run after a change
    // Color, File: what the "..." button does instead of the Ui's own
    // chooser (a chooser with its own title, a path made relative, sizes
    // read from the chosen image). Scripts press it with the value "...".
    std::function<void(FormModel&)> browse;
    // List: a double-click on an entry (after it is selected); true closes
    // the form as with OK.
    std::function<bool(FormModel&)> activate;

    // The label without its mnemonic ("(&W)" or "&"), colon and trailing
    // "..."; the name by which scripts address the field.
    QString Key() const;
    // Number: the value, or false when the text is no integer in range.
    bool NumberValue(int& value) const;
    int NumberOr(int fallback) const;
    // Choice, List: the selected entry; empty when none is selected.
    QString SelectedChoice() const;
};

class FormModel {
public:
    QString title;
    // A deque: adding a field never moves the others, so a reference that
    // Add() gave stays good while more fields are added.
    std::deque<FormField> fields;
    // Extra check on OK after the number ranges; gives the message to show,
    // or an empty string when the form may close.
    std::function<QString(const FormModel&)> validate;
    // Captions of the confirm and cancel buttons (defaults "OK" and
    // "キャンセル").
    QString okCaption;
    QString cancelCaption;
    // A wizard page offers a back button as well (caption backCaption, a
    // default when empty); RunForm then may answer Back.
    bool hasBack = false;
    // A form that only informs has its confirm button alone.
    bool hasCancel = true;
    // A result list that also lets the user pick a row: what it shows is
    // recorded by a script as an informing form's rows are.
    bool reportsRows = false;
    QString backCaption;
    // Called with a page's title when the page is first shown, and before a
    // script sets a field of it (a property sheet creates its pages lazily).
    std::function<void(FormModel&, const QString& page)> pageShown;
    // A button's action sets this to close the form as with OK (a dialog
    // that handed its work on to another one that was confirmed).
    bool acceptNow = false;

    FormField& Add(FieldKind kind, const QString& label, const QString& name = QString());
    FormField& AddText(const QString& label, const QString& text, const QString& name = QString());
    FormField& AddNumber(const QString& label, int value, int minimum, int maximum,
                         const QString& name = QString());
    FormField& AddFlag(const QString& label, bool checked, const QString& name = QString());
    FormField& AddChoice(const QString& label, const QStringList& choices, int index,
                         const QString& name = QString());
    FormField& AddCombo(const QString& label, const QStringList& choices, const QString& text,
                        const QString& name = QString());

    // The field addressed by its key (see FormField::Key) or, without regard
    // to case, by its name; nullptr when there is none.
    FormField* Find(const QString& keyOrName);
    const FormField* Find(const QString& keyOrName) const;
    FormField& operator[](const QString& keyOrName);  // the field must exist

    // Sets a field from text as a user would: Flag takes 1/0, Choice and List
    // take an entry's text or its index, a Button runs its action, "..."
    // presses the browse button of a field that has one. Gives
    // false when the field is missing or the value fits no entry.
    bool SetFromText(const QString& keyOrName, const QString& value);

    // The first problem that keeps the form from closing with OK, or an
    // empty string.
    QString Validate() const;

    QStringList Pages() const;

    // What the form shows as rows of data: each entry of its lists, and
    // each row of its grid of labels with the cells separated by tabs (an
    // empty cell stays empty).
    QStringList Rows() const;
};

// The message shown when a number field holds no valid number.
inline const char16_t* const kInvalidNumberMessage = u"正の整数を入力してください。";
