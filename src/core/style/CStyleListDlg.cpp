#include "core/style/CStyleListDlg.h"

#include "core/app/UiText.h"

#include "core/app/FormModel.h"
#include "core/app/Ui.h"
#include "core/style/CStyleDlg.h"
#include "core/style/CStyleSelectorDlg.h"

#include <utility>

namespace {

const QString kList = QStringLiteral("list");

} // namespace

CStyleListDlg::CStyleListDlg(CKelvoApp* app, const QString& documentPath)
    : m_app(app), m_documentPath(documentPath)
{
}

void CStyleListDlg::Refresh(FormModel& form, int selected) const
{
    FormField& list = form[kList];
    list.choices.clear();
    for (const CStyleRule& r : sheet.rules)
        list.choices.append(r.SelectorsText());
    list.index =
        list.choices.isEmpty() ? -1 : std::clamp<int>(selected, 0, list.choices.size() - 1);
    list.text = list.SelectedChoice();
}

void CStyleListDlg::Add(FormModel& form, Ui& ui)
{
    CStyleSelectorDlg selector(m_app, m_documentPath);
    if (!selector.DoModal(ui))
        return;
    sheet.rules.push_back(selector.rule);
    const int i = static_cast<int>(sheet.rules.size()) - 1;
    CStyleDlg style(m_app);
    style.rule = selector.rule;
    style.documentPath = m_documentPath;
    if (style.DoModal(ui))
        sheet.rules[i] = style.rule;
    Refresh(form, i);
}

void CStyleListDlg::Edit(FormModel& form, Ui& ui)
{
    const int i = form[kList].index;
    // @media, @import and the like hold rules or nothing the pages show.
    if (i < 0 || i >= static_cast<int>(sheet.rules.size()) || !sheet.rules[i].IsEditable())
        return;
    CStyleDlg style(m_app);
    style.rule = sheet.rules[i];
    style.documentPath = m_documentPath;
    if (style.DoModal(ui))
        sheet.rules[i] = style.rule;
    Refresh(form, i);
}

void CStyleListDlg::Delete(FormModel& form, Ui& ui)
{
    const int i = form[kList].index;
    if (i < 0 || i >= static_cast<int>(sheet.rules.size()))
        return;
    if (ui.Ask(UiText(QStringLiteral("%1 を削除しますか？")).arg(sheet.rules[i].SelectorsText()),
               Ui::Buttons::OkCancel)
        != Ui::Answer::Ok)
        return;
    sheet.rules.erase(sheet.rules.begin() + i);
    Refresh(form, i);
}

void CStyleListDlg::Move(FormModel& form, int by)
{
    const int i = form[kList].index;
    const int j = i + by;
    if (i < 0 || j < 0 || j >= static_cast<int>(sheet.rules.size()))
        return;
    std::swap(sheet.rules[i], sheet.rules[j]);
    Refresh(form, j);
}

bool CStyleListDlg::DoModal(Ui& ui)
{
    FormModel form;
    form.title = QStringLiteral("スタイルリスト");
    FormField& list = form.Add(FieldKind::List, QStringLiteral("スタイル(&S):"), kList);
    list.activate = [this, &ui](FormModel& m) {
        Edit(m, ui);
        return false;
    };
    auto button = [&form](const QString& label, const QString& name,
                          std::function<void(FormModel&)> action) {
        form.Add(FieldKind::Button, label, name).action = std::move(action);
    };
    button(QStringLiteral("追加(&A)..."), QStringLiteral("add"),
           [this, &ui](FormModel& m) { Add(m, ui); });
    button(QStringLiteral("編集(&E)..."), QStringLiteral("edit"),
           [this, &ui](FormModel& m) { Edit(m, ui); });
    button(QStringLiteral("削除(&D)..."), QStringLiteral("delete"),
           [this, &ui](FormModel& m) { Delete(m, ui); });
    button(QStringLiteral("上へ(&U)..."), QStringLiteral("up"),
           [this](FormModel& m) { Move(m, -1); });
    button(QStringLiteral("下へ(&W)..."), QStringLiteral("down"),
           [this](FormModel& m) { Move(m, 1); });
    Refresh(form, 0);
    return ui.RunForm(form) == Ui::Answer::Ok;
}
