#pragma once

#include "core/app/FormModel.h"
#include "core/style/CStyleDeclList.h"

#include <QHash>
#include <QString>
#include <QStringList>

class CKelvoApp;
class Ui;

// What a page needs besides the rule: the Ui for its choosers, the
// application for the font-name chooser (may be null), and the document
// path that chosen image files are made relative to.
struct StylePageContext {
    Ui* ui = nullptr;
    CKelvoApp* app = nullptr;
    QString documentPath;
};

// One page of the style sheet dialog: one property group with its fields.
// Read takes the group from the declarations (longhands and shorthands),
// Write removes the group's declarations and sets the new ones, so an opened
// page's declarations move to the end of the list. AddFields puts the
// page's controls, filled from the fields, on the form page Caption();
// StoreFields takes the user's values back.
class CStylePage {
public:
    explicit CStylePage(const QString& caption) : m_caption(caption) {}
    virtual ~CStylePage() = default;

    const QString& Caption() const { return m_caption; }

    // Read takes the values that take effect (a longhand after its
    // shorthand wins, "!important" wins); a keyword outside a choice list
    // becomes an extra choice showing it.
    virtual void Read(const CStyleDeclList& decls) = 0;
    // The whole group in its canonical form: shorthands where all their
    // parts are given.
    virtual void Write(CStyleDeclList& decls) const = 0;
    // What the user changed (field names, a unit counting as its number):
    // each written where it takes effect, in its place, in its longhand or
    // as its token of the shorthand, with its "!important"; everything else
    // of the rule stays as it was. A shorthand is only created for a group
    // the rule has nothing of (it would reset the others).
    virtual void Update(CStyleDeclList& decls, const QStringList& changed) const = 0;
    virtual void AddFields(FormModel& form, const StylePageContext& context) = 0;
    virtual void StoreFields(const FormModel& form) = 0;

    // Set when the page is first shown; only such a page writes its group.
    bool initialised = false;

    // Notes the values the page's fields were filled with: the fields from
    // `first` on are the page's own. A page whose values are still those
    // when the dialog is confirmed has been looked at, not edited, and
    // writes nothing, so what its fields cannot show stays in the rule.
    void RememberShown(const FormModel& form, qsizetype first);
    bool Changed(const FormModel& form) const;
    // Forgets the values the choice lists did not hold, before a new Read.
    void ClearOthers() { m_others.clear(); }
    // The names of the fields whose values differ from what they showed
    // (a unit field "x-unit" as "x"); values a page keeps outside the form
    // (FieldValues' additions) are named "extra0", "extra1", ...
    QStringList ChangedFields(const FormModel& form) const;

protected:
    // The values of the page's fields in the form; a page that keeps
    // values outside the form adds them.
    virtual QStringList FieldValues(const FormModel& form) const;

    FormField& Add(FormModel& form, FieldKind kind, const QString& label, const QString& name);
    // A value a choice list does not hold is added to its items as it is.
    FormField& AddChoice(FormModel& form, const QString& label, const QString& name,
                         const QStringList& items, int index);
    // Choice fields over keyword lists whose entry 0 stands for "not
    // specified" (KeywordList) or over values after a "not specified" item
    // (ValueList). A value in neither is kept for the field and read as the
    // index after the list; the text of that index is the value again.
    int ReadKeywordList(const QString& field, const QString& value, const QStringList& list);
    QString KeywordListText(const QString& field, const QStringList& list, int index) const;
    int ReadValueList(const QString& field, const QString& value, const QStringList& values);
    QString ValueListText(const QString& field, const QStringList& values, int index) const;

    // A caption, the number field and its unit combo on one row of a grid
    // (unit fields are named name + "-unit").
    void AddNumber(FormModel& form, int row, const QString& label, const QString& name,
                   const QString& number, int unit, FieldKind kind = FieldKind::Text,
                   const QStringList& suggestions = {});
    // A heading; with a grid row, a heading inside the page's grid (a page
    // has one grid, whose rows are numbered through).
    void AddCaption(FormModel& form, const QString& text, int gridRow = -1);
    // The image field with the image chooser behind its "..." button.
    FormField& AddImage(FormModel& form, const QString& label, const QString& name,
                        const QString& path, const StylePageContext& context);

    static QString Text(const FormModel& form, const QString& name);
    static int Index(const FormModel& form, const QString& name);
    static bool Checked(const FormModel& form, const QString& name);
    static int Unit(const FormModel& form, const QString& name);

private:
    QString m_caption;
    QHash<QString, QString> m_others;
    QStringList m_fieldNames;
    QStringList m_shown;
};

// Items 1.. of a choice list stand for the values; item 0 for none.
// The value of an index; empty for 0 or out of range.
QString StyleChoiceValue(const QStringList& values, int index);
// Index of a value among the values (case ignored) plus 1; 0 when absent.
int StyleChoiceIndex(const QStringList& values, const QString& value);

// Asks for an image file; nullopt on cancel. The result is as the field
// keeps it: relative to the document when there is one, else the bare file
// name; a file outside the site (siteRoot, empty when none is known) is
// taken after a message.
std::optional<QString> ChooseStyleImage(Ui& ui, const QString& current, const QString& documentPath,
                                        const QString& siteRoot = QString());

// The value for one part of a group that a longhand and shorthands set,
// written where it takes effect: into the longhand when that wins; as the
// shorthand's token when the shorthand wins and holds one (`isToken`),
// replaced by `token` or removed for an empty one; otherwise as the
// longhand after everything else (it then overrides just that part).
void WriteStylePart(CStyleDeclList& decls,
                    const QString& longhand,
                    const QStringList& shorthands,
                    const std::function<bool(QStringView)>& isToken,
                    const QString& token,
                    const QString& longhandValue);
