#include "core/custom/CListEditDlg.h"

#include "core/app/CKelvoApp.h"
#include "core/app/Ui.h"

#include <algorithm>

const QString CListEditDlg::kListName = QStringLiteral("list");
const QString CListEditDlg::kFullMessage = QStringLiteral("登録できるのは30件までです");

CListEditDlg::CListEditDlg(CKelvoApp& app, const QString& title) : m_app(app)
{
    m_form.title = title;
    m_form.Add(FieldKind::List, QString(), kListName);
}

int CListEditDlg::Selection() const
{
    const FormField* list = m_form.Find(kListName);
    const int index = list ? list->index : -1;
    return index >= 0 && index < static_cast<int>(m_rows.size()) ? index : -1;
}

void CListEditDlg::Select(int index)
{
    ShowRows(index);
}

void CListEditDlg::ShowRows(int selection)
{
    FormField& list = m_form[kListName];
    list.choices.clear();
    for (const QStringList& row : m_rows)
        list.choices.append(DisplayText(row));
    const int count = static_cast<int>(m_rows.size());
    list.index = count == 0 ? -1 : std::clamp(selection, 0, count - 1);
    list.text = list.SelectedChoice();
}

FormField& CListEditDlg::AddButton(const QString& caption, std::function<void()> press)
{
    FormField& button = m_form.Add(FieldKind::Button, caption);
    button.action = [press](FormModel&) { press(); };
    return button;
}

void CListEditDlg::Add()
{
    if (static_cast<int>(m_rows.size()) >= kMaxEntries) {
        m_app.GetUi().Message(kFullMessage);
        return;
    }
    const std::optional<QStringList> row = EditRow(NewRow());
    if (!row)
        return;
    m_rows.push_back(*row);
    ShowRows(static_cast<int>(m_rows.size()) - 1);
}

void CListEditDlg::Modify()
{
    const int sel = Selection();
    if (sel < 0)
        return;
    const std::optional<QStringList> row = EditRow(m_rows[sel]);
    if (!row)
        return;
    m_rows[sel] = *row;
    ShowRows(sel);
}

void CListEditDlg::Remove()
{
    const int sel = Selection();
    if (sel < 0)
        return;
    if (m_app.GetUi().Ask(DeleteQuestion(m_rows[sel]), Ui::Buttons::OkCancel) != Ui::Answer::Ok)
        return;
    m_rows.erase(m_rows.begin() + sel);
    // The entry that moved up into the place, or the new last one.
    ShowRows(sel);
}

void CListEditDlg::Move(int step)
{
    const int sel = Selection();
    const int other = sel + step;
    if (sel < 0 || other < 0 || other >= static_cast<int>(m_rows.size()))
        return;
    std::swap(m_rows[sel], m_rows[other]);
    ShowRows(other);
}

bool CListEditDlg::AppendRows(const std::vector<QStringList>& rows)
{
    bool all = true;
    for (const QStringList& row : rows) {
        if (static_cast<int>(m_rows.size()) >= kMaxEntries) {
            all = false;
            break;
        }
        m_rows.push_back(row);
    }
    if (!all)
        m_app.GetUi().Message(kFullMessage);
    return all;
}
