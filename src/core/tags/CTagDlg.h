#pragma once

#include "core/app/FormModel.h"
#include "core/tags/CTagObj.h"

#include <QString>
#include <QStringList>

class CKelvoApp;
class CTagTables;
class Ui;

// Base of the tag attribute dialogs. The dialog edits its own CTagObj: the
// command that opens it puts the selected start tag (or a new tag) into
// Tag(), runs DoModal, and on OK writes Tag() back into the text.
//
// A member declares its controls once in BuildForm, moves the tag's
// attributes into them in LoadFields and back into the tag in StoreFields.
// LoadFields may run again on the same form (after the all-attributes
// editor has changed the tag), so it only sets values and never adds
// fields. StoreFields may run while the form is still open (the
// all-attributes editor starts from what the fields show), so it writes
// into Tag() and nowhere else; settings a dialog keeps are written by its
// command after OK.
class CTagDlg {
public:
    explicit CTagDlg(const QString& title) : m_title(title) {}
    virtual ~CTagDlg() = default;
    CTagDlg(const CTagDlg&) = delete;
    CTagDlg& operator=(const CTagDlg&) = delete;

    CTagObj& Tag() { return m_tag; }
    const CTagObj& Tag() const { return m_tag; }
    // The style classes of the document for this tag, offered by dialogs
    // with a CLASS field.
    QStringList& ClassList() { return m_classes; }
    const QStringList& ClassList() const { return m_classes; }

    // Builds the form, loads it from the tag and shows it; on OK the fields
    // are stored into the tag. Gives true on OK; on cancel the tag is as it
    // was. The all-attributes editor offers the names and values of the
    // reference tables when it has them.
    bool DoModal(Ui& ui, const CTagTables* tables = nullptr);
    // The same with the application's Ui and reference tables.
    bool DoModal(CKelvoApp& app);
    // The form as it was last shown.
    const FormModel& Form() const { return m_form; }

protected:
    virtual void BuildForm(FormModel& form) = 0;
    virtual void LoadFields(FormModel& form) = 0;
    virtual void StoreFields(const FormModel& form) = 0;

    // Adds the button "全属性(&E)..." to the form. It opens the
    // all-attributes editor on a copy of the tag as the fields show it; on
    // OK the copy becomes the tag and LoadFields shows it, on cancel nothing
    // changes.
    FormField& AddAllAttributesButton(FormModel& form);
    // What that button runs.
    void EditAllAttributes(FormModel& form);

private:
    QString m_title;
    CTagObj m_tag;
    QStringList m_classes;
    FormModel m_form;
    // While DoModal runs.
    Ui* m_ui = nullptr;
    const CTagTables* m_tables = nullptr;
};
