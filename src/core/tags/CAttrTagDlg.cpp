#include "core/tags/CAttrTagDlg.h"

#include "core/app/CKelvoApp.h"
#include "core/doc/CKelvoDoc.h"
#include "core/links/LinkCommands.h"

CAttrTagDlg::CAttrTagDlg(CKelvoApp& app, const QString& title) : CTagDlg(title), m_app(app) {}

QString CAttrTagDlg::DocumentPath() const
{
    return m_app.Doc().GetPathName();
}

void CAttrTagDlg::BuildForm(FormModel& form)
{
    m_fields.Build(form, m_app.GetUi(), DocumentPath(),
                   SiteRootFor(m_app.Settings(), DocumentPath()));
    if (m_allAttributes)
        AddAllAttributesButton(form);
    form.validate = [this](const FormModel& shown) {
        const QString problem = m_fields.Validate(shown);
        return problem.isEmpty() ? CheckFields(shown) : problem;
    };
}

void CAttrTagDlg::LoadFields(FormModel& form)
{
    m_fields.Load(form, Tag());
}

void CAttrTagDlg::StoreFields(const FormModel& form)
{
    m_fields.Store(form, Tag());
}
