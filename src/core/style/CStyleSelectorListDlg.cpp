#include "core/style/CStyleSelectorListDlg.h"

#include "core/app/UiText.h"

#include "core/app/FormModel.h"
#include "core/app/Ui.h"
#include "core/style/CStyleSelectorDlg.h"

#include <utility>

namespace {

const QString kList = QStringLiteral("list");

} // namespace

CStyleSelectorListDlg::CStyleSelectorListDlg(CKelvoApp* app, const QString& documentPath,
                                             Mode mode)
    : m_app(app), m_documentPath(documentPath), m_mode(mode)
{
}

int CStyleSelectorListDlg::Count() const
{
    return static_cast<int>(Entries().size());
}

QStringList CStyleSelectorListDlg::Entries() const
{
    QStringList entries;
    if (m_mode == Multiple) {
        for (const CStyleSelector& s : rule.Selectors())
            entries.append(s.ToText().trimmed());
    } else if (selectorIndex < static_cast<int>(rule.Selectors().size())) {
        for (const CStyleSimpleSelector& s : rule.Selectors()[selectorIndex].parts)
            entries.append(s.ToText());
    }
    return entries;
}

void CStyleSelectorListDlg::Refresh(FormModel& form, int selected) const
{
    FormField& list = form[kList];
    list.choices = Entries();
    list.index = list.choices.isEmpty() ? -1 : std::clamp<int>(selected, 0, list.choices.size() - 1);
    list.text = list.SelectedChoice();
}

void CStyleSelectorListDlg::Add(FormModel& form, Ui& ui, bool descendant)
{
    CStyleSelector added;
    if (descendant) {
        CStyleSelectorListDlg d(m_app, m_documentPath, Descendant);
        d.rule.Selectors().emplace_back();
        d.mayHandOn = false;
        if (!d.DoModal(ui))
            return;
        added = d.rule.Selectors()[0];
    } else {
        CStyleSelectorDlg d(m_app, m_documentPath);
        d.simpleOnly = true;
        if (!d.DoModal(ui))
            return;
        added.parts.push_back(d.simple);
    }
    if (m_mode == Multiple) {
        rule.Selectors().push_back(added);
    } else {
        auto& parts = rule.Selectors()[selectorIndex].parts;
        parts.insert(parts.end(), added.parts.begin(), added.parts.end());
    }
    Refresh(form, Count() - 1);
}

void CStyleSelectorListDlg::Edit(FormModel& form, Ui& ui, bool descendant)
{
    const int i = form[kList].index;
    if (i < 0 || i >= Count())
        return;
    if (m_mode == Multiple && descendant) {
        CStyleSelectorListDlg d(m_app, m_documentPath, Descendant);
        d.rule.Selectors().push_back(rule.Selectors()[i]);
        d.mayHandOn = false;
        if (d.DoModal(ui))
            rule.Selectors()[i] = d.rule.Selectors()[0];
    } else {
        if (m_mode == Multiple && rule.Selectors()[i].parts.empty())
            rule.Selectors()[i].parts.emplace_back();
        CStyleSimpleSelector& target = m_mode == Multiple
                                           ? rule.Selectors()[i].parts.front()
                                           : rule.Selectors()[selectorIndex].parts[i];
        CStyleSelectorDlg d(m_app, m_documentPath);
        d.simpleOnly = true;
        d.simple = target;
        if (d.DoModal(ui))
            target = d.simple;
    }
    Refresh(form, i);
}

void CStyleSelectorListDlg::Delete(FormModel& form, Ui& ui)
{
    const int i = form[kList].index;
    if (i < 0 || i >= Count())
        return;
    const QString text = Entries()[i];
    if (ui.Ask(UiText(QStringLiteral("%1を削除しますか？")).arg(text), Ui::Buttons::OkCancel)
        != Ui::Answer::Ok)
        return;
    if (m_mode == Multiple)
        rule.Selectors().erase(rule.Selectors().begin() + i);
    else
        rule.Selectors()[selectorIndex].parts.erase(rule.Selectors()[selectorIndex].parts.begin() + i);
    Refresh(form, i);
}

void CStyleSelectorListDlg::Move(FormModel& form, int by)
{
    const int i = form[kList].index;
    const int j = i + by;
    if (i < 0 || j < 0 || j >= Count())
        return;
    if (m_mode == Multiple)
        std::swap(rule.Selectors()[i], rule.Selectors()[j]);
    else
        std::swap(rule.Selectors()[selectorIndex].parts[i], rule.Selectors()[selectorIndex].parts[j]);
    Refresh(form, j);
}

bool CStyleSelectorListDlg::DoModal(Ui& ui)
{
    if (m_mode == Descendant) {
        while (static_cast<int>(rule.Selectors().size()) <= selectorIndex)
            rule.Selectors().emplace_back();
        // A multi-line selector list would show an empty entry for the
        // blank after each comma; those blanks are no simple selectors.
        auto& parts = rule.Selectors()[selectorIndex].parts;
        std::erase_if(parts, [](const CStyleSimpleSelector& s) { return s.IsEmpty(); });
    }
    FormModel form;
    form.title = m_mode == Multiple ? QStringLiteral("複数セレクタ") : QStringLiteral("子孫セレクタ");
    FormField& list = form.Add(FieldKind::List, QStringLiteral("セレクタ(&S):"), kList);
    list.activate = [this, &ui](FormModel& m) {
        Edit(m, ui, false);
        return false;
    };
    auto button = [&form](const QString& label, const QString& name,
                          std::function<void(FormModel&)> action) {
        form.Add(FieldKind::Button, label, name).action = std::move(action);
    };
    button(QStringLiteral("追加(&A)..."), QStringLiteral("add"),
           [this, &ui](FormModel& m) { Add(m, ui, false); });
    if (m_mode == Multiple)
        button(QStringLiteral("子孫追加(&L)..."), QStringLiteral("add-descendant"),
               [this, &ui](FormModel& m) { Add(m, ui, true); });
    button(QStringLiteral("編集(&E)..."), QStringLiteral("edit"),
           [this, &ui](FormModel& m) { Edit(m, ui, false); });
    if (m_mode == Multiple)
        button(QStringLiteral("子孫編集(&C)..."), QStringLiteral("edit-descendant"),
               [this, &ui](FormModel& m) { Edit(m, ui, true); });
    button(QStringLiteral("削除(&D)..."), QStringLiteral("delete"),
           [this, &ui](FormModel& m) { Delete(m, ui); });
    button(QStringLiteral("上へ(&U)..."), QStringLiteral("up"),
           [this](FormModel& m) { Move(m, -1); });
    button(QStringLiteral("下へ(&W)..."), QStringLiteral("down"),
           [this](FormModel& m) { Move(m, 1); });
    if (m_mode == Descendant && mayHandOn) {
        button(QStringLiteral("→複数セレクタ設定(&M)..."), QStringLiteral("multiple"),
               [this, &ui](FormModel& m) {
                   CStyleSelectorListDlg d(m_app, m_documentPath, Multiple);
                   d.rule = rule;
                   if (d.DoModal(ui)) {
                       rule = d.rule;
                       m.acceptNow = true;
                   }
               });
    }
    Refresh(form, 0);
    return ui.RunForm(form) == Ui::Answer::Ok;
}
