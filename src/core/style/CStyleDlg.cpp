#include "core/style/CStyleDlg.h"

#include "core/app/Ui.h"

CStyleDlg::CStyleDlg(CKelvoApp* app)
    : m_app(app),
      m_tabs{&m_font, &m_color, &m_text, &m_position, &m_box, &m_pad, &m_list},
      m_groups{&m_font, &m_color, &m_position, &m_box, &m_pad, &m_list, &m_text}
{
}

void CStyleDlg::Start()
{
    target = inlineStyle ? QStringLiteral("インライン") : rule.SelectorsText();
    for (CStylePage* page : m_groups) {
        page->initialised = false;
        page->ClearOthers();
        page->Read(rule.Declarations());
    }
}

FormModel CStyleDlg::BuildForm(Ui& ui)
{
    FormModel form;
    form.title = QStringLiteral("スタイル");
    // The target heads the first page; an inline style has no selectors to
    // edit.
    FormField& t = form.Add(inlineStyle ? FieldKind::Label : FieldKind::Text,
                            QStringLiteral("対象(&T):"), QStringLiteral("target"));
    t.text = target;
    t.page = m_tabs[0]->Caption();
    const StylePageContext context{&ui, m_app, documentPath};
    for (CStylePage* page : m_tabs) {
        const qsizetype first = form.fields.size();
        page->AddFields(form, context);
        page->RememberShown(form, first);
    }
    form.pageShown = [this](FormModel&, const QString& page) { OpenPage(page); };
    return form;
}

void CStyleDlg::OpenPage(const QString& caption)
{
    for (CStylePage* page : m_tabs)
        if (page->Caption() == caption)
            page->initialised = true;
}

void CStyleDlg::Apply(const FormModel& form)
{
    for (CStylePage* page : m_groups) {
        if (!page->initialised || !page->Changed(form))
            continue;
        page->StoreFields(form);
        page->Update(rule.Declarations(), page->ChangedFields(form));
    }
    if (!inlineStyle) {
        if (const FormField* t = form.Find(QStringLiteral("target")))
            target = t->text;
        rule.ParseSelectors(target);
    }
}

bool CStyleDlg::DoModal(Ui& ui)
{
    answer = -1;
    Start();
    FormModel form = BuildForm(ui);
    if (ui.RunForm(form) != Ui::Answer::Ok)
        return false;
    if (answer < 0)
        answer = ui.Ask(ApplyQuestion(), Ui::Buttons::YesNo, Ui::Icon::Question) == Ui::Answer::Yes
                     ? 1
                     : 2;
    if (answer != 1)
        return false;
    Apply(form);
    return true;
}
