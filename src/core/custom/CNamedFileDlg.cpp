#include "core/custom/CNamedFileDlg.h"

#include "core/app/UiText.h"

#include "core/app/CKelvoApp.h"
#include "core/app/Ui.h"

namespace {

const QString kTitle = QStringLiteral("title");
const QString kPath = QStringLiteral("path");

} // namespace

CNamedFileDlg::CNamedFileDlg(CKelvoApp& app, Kind kind)
    : CListEditDlg(app, kind == Kind::Templates ? QStringLiteral("テンプレート")
                                                : QStringLiteral("HTMLコンポーネント")),
      m_list(kind == Kind::Templates ? CNamedFileList::kTemplateSection
                                     : CNamedFileList::kComponentSection)
{
    m_list.Load(app);
    for (const CNamedFileList::Entry& e : m_list.Entries())
        m_rows.push_back({e.title, e.path});
    m_form.okCaption = kind == Kind::Templates ? QStringLiteral("開く(&O)") : QStringLiteral("挿入(&I)");
    m_form.cancelCaption = QStringLiteral("閉じる(&C)");
    m_form[kListName].activate = [](FormModel&) { return true; };
    AddButton(QStringLiteral("保存(&S)"), [this] { SaveList(); });
    AddButton(QStringLiteral("追加(&A)"), [this] { Add(); });
    AddButton(QStringLiteral("削除(&D)"), [this] { Remove(); });
    AddButton(QStringLiteral("修正(&E)"), [this] { Modify(); });
    AddButton(QStringLiteral("一つ上へ"), [this] { Move(-1); });
    AddButton(QStringLiteral("一つ下へ"), [this] { Move(1); });
    ShowRows(0);
}

std::optional<QString> CNamedFileDlg::Run()
{
    const Ui::Answer answer = m_app.GetUi().RunForm(m_form);
    SaveList();
    const int sel = Selection();
    if (answer != Ui::Answer::Ok || sel < 0)
        return std::nullopt;
    return m_rows[sel].value(1);
}

void CNamedFileDlg::SaveList()
{
    CNamedFileList list(m_list.Section());
    for (const QStringList& r : m_rows)
        list.Append({r.value(0), r.value(1)});
    list.Save(m_app);
}

std::optional<QStringList> CNamedFileDlg::EditRow(const QStringList& row)
{
    FormModel entry;
    entry.title = QStringLiteral("入力");
    entry.AddText(QStringLiteral("タイトル(&T)："), row.value(0), kTitle);
    FormField& file = entry.Add(FieldKind::File, QStringLiteral("ファイル名(&F)："), kPath);
    file.text = row.value(1);
    file.browse = [this](FormModel& f) { BrowseFile(f); };
    if (m_app.GetUi().RunForm(entry) != Ui::Answer::Ok)
        return std::nullopt;
    return QStringList{entry[kTitle].text, entry[kPath].text};
}

void CNamedFileDlg::BrowseFile(FormModel& entry)
{
    Ui::FileDialog d;
    d.title = QStringLiteral("外部ﾌﾟﾛｸﾞﾗﾑの参照");
    d.filter = QStringLiteral("HTMLﾌｧｲﾙ(*.HTM) |*.HTM| 全てのﾌｧｲﾙ(*.*) |*.*||");
    d.defaultExtension = QStringLiteral("HTM");
    d.initialName = QStringLiteral("*.HTM");
    d.fileMustExist = true;
    const std::optional<QString> path = m_app.GetUi().ChooseFile(d);
    if (path)
        entry[kPath].text = *path;
}

QString CNamedFileDlg::DeleteQuestion(const QStringList& row) const
{
    return UiText(QStringLiteral("%1を削除しますか？")).arg(row.value(0));
}
