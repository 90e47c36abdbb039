#pragma once

#include "core/app/FormModel.h"
#include "core/style/CStyleDeclList.h"

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

    virtual void Read(const CStyleDeclList& decls) = 0;
    virtual void Write(CStyleDeclList& decls) const = 0;
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

protected:
    // The values of the page's fields in the form; a page that keeps
    // values outside the form adds them.
    virtual QStringList FieldValues(const FormModel& form) const;

    FormField& Add(FormModel& form, FieldKind kind, const QString& label, const QString& name);
    FormField& AddChoice(FormModel& form, const QString& label, const QString& name,
                         const QStringList& items, int index);
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
    QStringList m_fieldNames;
    QStringList m_shown;
};

// Items 1.. of a choice list stand for the values; item 0 for none.
// The value of an index; empty for 0 or out of range.
QString StyleChoiceValue(const QStringList& values, int index);
// Index of a value among the values (case ignored) plus 1; 0 when absent.
int StyleChoiceIndex(const QStringList& values, const QString& value);

// The image file chooser's result as the field keeps it: relative to the
// document when there is one, else the bare file name.
QString StyleImageFieldText(const QString& chosenPath, const QString& documentPath);
// Asks for an image file; nullopt on cancel.
std::optional<QString> ChooseStyleImage(Ui& ui, const QString& current,
                                        const QString& documentPath);
