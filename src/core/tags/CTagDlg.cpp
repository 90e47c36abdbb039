#include "core/tags/CTagDlg.h"

#include "core/app/Ui.h"

bool CTagDlg::DoModal(Ui& ui)
{
    m_form = FormModel();
    m_form.title = m_title;
    BuildForm(m_form);
    LoadFields(m_form);
    if (ui.RunForm(m_form) != Ui::Answer::Ok)
        return false;
    StoreFields(m_form);
    return true;
}
