#pragma once

#include "core/tags/CTagDlg.h"
#include "core/tags/TagFieldSet.h"

class CKelvoApp;

// A tag dialog whose fields are declared as a TagFieldSet: the fields are
// built, loaded and stored in the order they were declared, which is the
// order new attributes are written in. Members add their special rules by
// overriding the steps and calling these first.
class CAttrTagDlg : public CTagDlg {
public:
    CAttrTagDlg(CKelvoApp& app, const QString& title);

    CKelvoApp& App() { return m_app; }
    // The document's path; empty while it has none.
    QString DocumentPath() const;

protected:
    TagFieldSet& Fields() { return m_fields; }
    void BuildForm(FormModel& form) override;
    void LoadFields(FormModel& form) override;
    void StoreFields(const FormModel& form) override;
    // A member's own check on OK after the fields' own; the message to show,
    // or empty when the form may close.
    virtual QString CheckFields(const FormModel&) const { return QString(); }
    // The dialog has the button "全属性(&E)..." after its own fields.
    void OfferAllAttributes() { m_allAttributes = true; }

private:
    CKelvoApp& m_app;
    TagFieldSet m_fields;
    bool m_allAttributes = false;
};
