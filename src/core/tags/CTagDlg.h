#pragma once

#include "core/app/FormModel.h"
#include "core/tags/CTagObj.h"

#include <QString>
#include <QStringList>

class Ui;

// Base of the tag attribute dialogs. The dialog edits its own CTagObj: the
// command that opens it puts the selected start tag (or a new tag) into
// Tag(), runs DoModal, and on OK writes Tag() back into the text.
//
// A member declares its controls once in BuildForm, moves the tag's
// attributes into them in LoadFields and back into the tag in StoreFields.
// LoadFields may run again on the same form (after the all-attributes
// editor has changed the tag), so it only sets values and never adds
// fields.
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
    // was.
    bool DoModal(Ui& ui);
    // The form as it was last shown.
    const FormModel& Form() const { return m_form; }

protected:
    virtual void BuildForm(FormModel& form) = 0;
    virtual void LoadFields(FormModel& form) = 0;
    virtual void StoreFields(const FormModel& form) = 0;

private:
    QString m_title;
    CTagObj m_tag;
    QStringList m_classes;
    FormModel m_form;
};
