#include "core/tags/CTagDlg.h"

#include "core/app/CKelvoApp.h"
#include "core/app/Ui.h"
#include "core/tags/CTagAttrDlg.h"

bool CTagDlg::DoModal(CKelvoApp& app)
{
    return DoModal(app.GetUi(), &app.TagTables());
}

bool CTagDlg::DoModal(Ui& ui, const CTagTables* tables)
{
    const CTagObj before = m_tag;
    m_form = FormModel();
    m_form.title = m_title;
    BuildForm(m_form);
    LoadFields(m_form);
    m_ui = &ui;
    m_tables = tables;
    const Ui::Answer answer = ui.RunForm(m_form);
    m_ui = nullptr;
    m_tables = nullptr;
    if (answer != Ui::Answer::Ok) {
        // The all-attributes editor may have replaced the tag meanwhile.
        m_tag = before;
        return false;
    }
    StoreFields(m_form);
    return true;
}

FormField& CTagDlg::AddAllAttributesButton(FormModel& form)
{
    FormField& button = form.Add(FieldKind::Button, QStringLiteral("全属性(&E)..."));
    button.action = [this](FormModel& shown) { EditAllAttributes(shown); };
    return button;
}

void CTagDlg::EditAllAttributes(FormModel& form)
{
    if (!m_ui)
        return;
    // The editor starts from what the fields show, so values typed before
    // the button was pressed are neither lost nor hidden from it.
    const CTagObj kept = m_tag;
    StoreFields(form);
    CTagAttrDlg editor(m_tag, m_tables, m_classes);
    m_tag = kept;
    if (!editor.DoModal(*m_ui))
        return;
    m_tag = editor.Tag();
    LoadFields(form);
}
