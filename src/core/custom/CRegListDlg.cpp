#include "core/custom/CRegListDlg.h"

#include "core/app/UiText.h"

#include "core/app/CKelvoApp.h"
#include "core/app/Ui.h"
#include "core/custom/CRegTagList.h"
#include "core/custom/CRegToolList.h"
#include "core/custom/RegListCsv.h"
#include "core/doc/TextFileReader.h"
#include "core/edit/CKelvoView.h"
#include "platform/FileAccess.h"
#include "platform/Folders.h"


namespace {

const QString kName = QStringLiteral("name");
const QString kFront = QStringLiteral("front");
const QString kBack = QStringLiteral("back");
const QString kFile = QStringLiteral("file");

} // namespace

CRegListDlg::CRegListDlg(CKelvoApp& app, Mode mode)
    : CListEditDlg(app, mode == Mode::Tag ? QStringLiteral("タグの編集")
                                          : QStringLiteral("ツールの登録")),
      m_mode(mode)
{
    if (m_mode == Mode::Tag) {
        CRegTagList list;
        list.Load(app);
        for (const RegisteredTag& t : list.entries)
            m_rows.push_back({t.name, t.startText, t.endText});
    } else {
        CRegToolList list;
        list.Load(app);
        for (const RegisteredTool& t : list.entries)
            m_rows.push_back({t.name, t.file});
    }
    m_form.okCaption = QStringLiteral("&OK");
    m_form.cancelCaption = QStringLiteral("ｷｬﾝｾﾙ(&C)");
    m_form[kListName].activate = [this](FormModel&) {
        Modify();
        return false;
    };
    AddButton(QStringLiteral("追加(&A)..."), [this] { Add(); });
    AddButton(QStringLiteral("削除(&D)..."), [this] { Remove(); });
    AddButton(QStringLiteral("修正(&E)..."), [this] { Modify(); });
    AddButton(QStringLiteral("▲"), [this] { Move(-1); });
    AddButton(QStringLiteral("▼"), [this] { Move(1); });
    AddButton(QStringLiteral("ｴｸｽﾎﾟｰﾄ..."), [this] { Export(); });
    AddButton(QStringLiteral("ｲﾝﾎﾟｰﾄ..."), [this] { Import(); });
    ShowRows(0);
}

bool CRegListDlg::Run()
{
    if (m_app.GetUi().RunForm(m_form) != Ui::Answer::Ok)
        return false;
    SaveList();
    return true;
}

void CRegListDlg::SaveList()
{
    if (m_mode == Mode::Tag) {
        CRegTagList list;
        for (const QStringList& r : m_rows)
            list.entries.push_back({r.value(0), r.value(1), r.value(2)});
        list.Save(m_app);
    } else {
        CRegToolList list;
        for (const QStringList& r : m_rows)
            list.entries.push_back({r.value(0), r.value(1)});
        list.Save(m_app);
    }
}

QString CRegListDlg::DisplayText(const QStringList& row) const
{
    if (m_mode == Mode::Tag)
        return RegisteredTag{row.value(0), row.value(1), row.value(2)}.Caption();
    return row.value(0);
}

QStringList CRegListDlg::NewRow() const
{
    if (m_mode == Mode::Tool)
        return {QString(), QString()};
    // The pair the last capture took is the likely next tag.
    const QString front = m_app.View().LastStartTag();
    const QString back = m_app.View().LastEndTag();
    return {front + back, front, back};
}

std::optional<QStringList> CRegListDlg::EditRow(const QStringList& row)
{
    FormModel entry;
    if (m_mode == Mode::Tag) {
        entry.title = QStringLiteral("タグの入力");
        entry.AddText(QStringLiteral("タグの名前(&N):"), row.value(0), kName);
        entry.Add(FieldKind::MultiLine, QStringLiteral("前方のタグ(&F):"), kFront).text = row.value(1);
        entry.Add(FieldKind::MultiLine, QStringLiteral("後方のタグ(&B):"), kBack).text = row.value(2);
    } else {
        entry.title = QStringLiteral("ﾂｰﾙの入力");
        entry.AddText(QStringLiteral("表示名(&N):"), row.value(0), kName);
        FormField& file = entry.Add(FieldKind::File, QStringLiteral("ﾌｧｲﾙ名(&F):"), kFile);
        file.text = row.value(1);
        file.browse = [this](FormModel& f) { BrowseTool(f); };
    }
    if (m_app.GetUi().RunForm(entry) != Ui::Answer::Ok)
        return std::nullopt;
    if (m_mode == Mode::Tag)
        return QStringList{entry[kName].text, entry[kFront].text, entry[kBack].text};
    return QStringList{entry[kName].text, entry[kFile].text};
}

void CRegListDlg::BrowseTool(FormModel& entry)
{
    Ui::FileDialog d;
    d.title = QStringLiteral("ﾂｰﾙﾌｧｲﾙ名の入力");
    d.filter = QStringLiteral("実行可能ﾌｧｲﾙ(*.EXE) |*.EXE|全てのﾌｧｲﾙ(*.*) |*.*||");
    d.defaultExtension = QStringLiteral("EXE");
    d.initialName = QStringLiteral("*.EXE");
    d.initialFolder = platform::Folders::Program();
    d.fileMustExist = true;
    const std::optional<QString> path = m_app.GetUi().ChooseFile(d);
    if (!path)
        return;
    entry[kFile].text = *path;
    const QString name = platform::NameOfPath(*path);
    const qsizetype dot = name.lastIndexOf(u'.');
    entry[kName].text = dot >= 0 ? name.left(dot) : name;
}

QString CRegListDlg::DeleteQuestion(const QStringList& row) const
{
    return UiText(QStringLiteral("%1を削除しますか？")).arg(DisplayText(row));
}

bool CRegListDlg::WithHeader() const
{
    return m_app.GetProfileInt(QStringLiteral("System"), QStringLiteral("Item"), 0) == 0;
}

QStringList CRegListDlg::Header() const
{
    if (m_mode == Mode::Tag)
        return {QStringLiteral("タグの名前"), QStringLiteral("前方のタグ"), QStringLiteral("後方のタグ")};
    return {QStringLiteral("表示名"), QStringLiteral("ファイル名")};
}

void CRegListDlg::Export()
{
    Ui::FileDialog d;
    d.save = true;
    d.title = QStringLiteral("Export");
    d.filter = QStringLiteral("csvﾌｧｲﾙ(*.csv) |*.csv||");
    d.defaultExtension = QStringLiteral("csv");
    d.initialName = QStringLiteral("*.csv");
    d.overwritePrompt = true;
    const std::optional<QString> path = m_app.GetUi().ChooseFile(d);
    if (!path)
        return;
    const QByteArray bytes = CsvFileBytes(m_rows, WithHeader() ? Header() : QStringList());
    if (platform::WriteFileSafely(*path, bytes) != platform::FileError::None)
        m_app.GetUi().Message(QStringLiteral("書き込みできません"));
}

void CRegListDlg::Import()
{
    Ui::FileDialog d;
    d.title = QStringLiteral("Import");
    d.filter = QStringLiteral("CSVﾌｧｲﾙ(*.csv) |*.csv| 全てのﾌｧｲﾙ(*.*) |*.*||");
    d.defaultExtension = QStringLiteral("csv");
    d.initialName = QStringLiteral("*.csv");
    d.fileMustExist = true;
    const std::optional<QString> path = m_app.GetUi().ChooseFile(d);
    if (!path)
        return;
    TextFileReader reader;
    if (!reader.Open(*path, QStringLiteral("rt"))) {
        m_app.GetUi().Message(QStringLiteral("ファイルが開けません"));
        return;
    }
    QStringList lines;
    QString line;
    while (lines.size() < kCsvMaxLines && reader.ReadLine(line))
        lines.append(line);
    const CsvImport read = ParseCsvLines(lines, WithHeader(), FieldCount());
    const bool fitted = AppendRows(read.rows);
    if (fitted && read.formatError)
        m_app.GetUi().Message(QStringLiteral("エラー：ファイルフォーマットが違います"));
    ShowRows(0);
}
