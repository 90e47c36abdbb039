#include "core/search/FindInFilesCommands.h"

#include "core/app/CKelvoApp.h"
#include "core/app/CommandIds.h"
#include "core/app/CommandTable.h"
#include "core/app/FormModel.h"
#include "core/app/TaskRunner.h"
#include "core/app/Ui.h"
#include "core/app/UiText.h"
#include "core/doc/CKelvoDoc.h"
#include "core/edit/CKelvoView.h"
#include "core/edit/EditBuffer.h"
#include "core/edit/FindCommands.h"
#include "core/links/LinkCommands.h"
#include "platform/FileAccess.h"
#include "platform/FolderListing.h"
#include "platform/Folders.h"


#include <algorithm>
#include <memory>

namespace {

const QString kSearchField = QStringLiteral("Search");
const QString kReplaceField = QStringLiteral("Replace");
const QString kPatternField = QStringLiteral("Patterns");
const QString kFolderField = QStringLiteral("Folder");
const QString kSubfolderField = QStringLiteral("Subfolders");
const QString kMatchCaseField = QStringLiteral("MatchCase");
const QString kRegexField = QStringLiteral("RegExp");
const QString kListField = QStringLiteral("Results");

// Settings of section "Find"; the histories and the case flag are the find
// dialog's own.
const QString kSearchPrefix = QStringLiteral("str");
const QString kReplacePrefix = QStringLiteral("replace");
const QString kMatchCaseKey = QStringLiteral("StrUL");
const QString kPatternKey = QStringLiteral("FilePattern");
const QString kSubfolderKey = QStringLiteral("SubFolder");
const QString kRegexKey = QStringLiteral("RegExp");
const QString kFolderKey = QStringLiteral("FindFolder");

const QString kDefaultPatterns =
    QStringLiteral("*.html;*.htm;*.shtml;*.css;*.js;*.php;*.txt;*.xml;*.svg");

// The before and after columns of the preview show this much of a line.
constexpr int kExcerptChars = 36;

// More rows make a list nobody reads, and a slow one.
constexpr int kMaxRows = 20000;

const FormField& Field(const FormModel& form, const QString& name)
{
    const FormField* f = form.Find(name);
    Q_ASSERT_X(f, "FindInFilesCommands", qPrintable(name));
    return *f;
}

struct Row {
    const FileOutcome* file;
    const LineHits* line;  // nullptr for a skipped file
};

// Lines with hits in file order, then the skipped files.
std::vector<Row> Rows(const FolderSearchResult& result)
{
    std::vector<Row> rows;
    for (const FileOutcome& f : result.files)
        if (f.skipped.isEmpty())
            for (const LineHits& l : f.lines)
                rows.push_back({&f, &l});
    for (const FileOutcome& f : result.files)
        if (!f.skipped.isEmpty())
            rows.push_back({&f, nullptr});
    return rows;
}

QString ShownPath(const QString& folder, const QString& path)
{
    const QString prefix = folder.endsWith(u'/') ? folder : folder + u'/';
    return platform::DisplayPath(path.startsWith(prefix) ? path.mid(prefix.size()) : path);
}

QString SkippedCell(const FileOutcome& f)
{
    return UiText(QStringLiteral("（対象外: %1）")).arg(UiText(f.skipped));
}

bool SameFile(const QString& a, const QString& b)
{
    if (a.isEmpty() || b.isEmpty())
        return false;
    const QString ca = platform::RealPath(a);
    return !ca.isEmpty() && ca == platform::RealPath(b);
}

QString SkippedList(const std::vector<FileOutcome>& skipped, const QString& folder)
{
    constexpr int kShown = 10;
    QString text;
    for (size_t i = 0; i < skipped.size() && i < kShown; ++i)
        text += QStringLiteral("\n%1: %2").arg(ShownPath(folder, skipped[i].path), UiText(skipped[i].skipped));
    if (skipped.size() > kShown)
        text += UiText(QStringLiteral("\nほか %1 個")).arg(skipped.size() - kShown);
    return text;
}

} // namespace

FindInFilesCommands::FindInFilesCommands(CKelvoApp& app) : m_app(app) {}

QString FindInFilesCommands::DefaultFolder() const
{
    const QString document = m_app.Doc().GetPathName();
    if (!document.isEmpty()) {
        const QString site = SiteRootFor(m_app.Settings(), document);
        return site.isEmpty() ? platform::FolderOfPath(document) : site;
    }
    const QString last = m_app.GetProfileString(settings::Find, kFolderKey, QString());
    return last.isEmpty() ? platform::Folders::Documents() : last;
}

FormModel FindInFilesCommands::SearchForm(bool replacing) const
{
    const CKelvoApp& app = m_app;
    FormModel form;
    form.title = replacing ? QStringLiteral("ファイル内の置換") : QStringLiteral("ファイル内の検索");
    form.okCaption = QStringLiteral("検索");
    const QStringList search = FindCommands::LoadHistory(app, kSearchPrefix);
    form.AddCombo(QStringLiteral("検索語(&W):"), search, search.value(0), kSearchField);
    if (replacing) {
        const QStringList replace = FindCommands::LoadHistory(app, kReplacePrefix);
        form.AddCombo(QStringLiteral("置換語(&R):"), replace, replace.value(0), kReplaceField);
    }
    form.AddText(QStringLiteral("ファイル名(&N):"),
                 app.GetProfileString(settings::Find, kPatternKey, kDefaultPatterns), kPatternField);
    FormField& folder = form.Add(FieldKind::File, QStringLiteral("フォルダー(&D):"), kFolderField);
    folder.text = DefaultFolder();
    Ui& ui = m_app.GetUi();
    folder.browse = [&ui](FormModel& f) {
        FormField& field = f[kFolderField];
        if (const std::optional<QString> chosen = ui.ChooseFolder(field.text))
            field.text = *chosen;
    };
    form.AddFlag(QStringLiteral("サブフォルダーも検索する(&S)"),
                 app.GetProfileInt(settings::Find, kSubfolderKey, 1) != 0, kSubfolderField);
    form.AddFlag(QStringLiteral("大文字と小文字の区別をする(&C)"),
                 app.GetProfileInt(settings::Find, kMatchCaseKey, 0) != 0, kMatchCaseField);
    form.AddFlag(QStringLiteral("正規表現を使う(&E)"),
                 app.GetProfileInt(settings::Find, kRegexKey, 0) != 0, kRegexField);
    form.validate = [replacing](const FormModel& f) {
        FolderSearchOptions o;
        o.find = Field(f, kSearchField).text;
        o.regex = Field(f, kRegexField).checked;
        if (replacing)
            o.replacement = Field(f, kReplaceField).text;
        const QString problem = LineMatcher(o).Error();
        if (!problem.isEmpty())
            return problem;
        if (!platform::IsFolder(Field(f, kFolderField).text))
            return UiText(QStringLiteral("フォルダーが見つかりません - ")) + Field(f, kFolderField).text;
        return QString();
    };
    return form;
}

FolderSearchOptions FindInFilesCommands::TakeOptions(const FormModel& form)
{
    FolderSearchOptions o;
    const FormField& search = Field(form, kSearchField);
    o.find = search.text;
    FindCommands::SaveHistory(m_app, kSearchPrefix, search.choices, search.text);
    if (const FormField* replace = form.Find(kReplaceField)) {
        o.replacement = replace->text;
        // An empty replacement (deleting the hits) is kept out of the
        // history, as the replace dialog keeps it.
        FindCommands::SaveHistory(m_app, kReplacePrefix, replace->choices, replace->text);
    }
    o.folder = platform::AbsolutePath(Field(form, kFolderField).text);
    o.patterns = ParseFilePatterns(Field(form, kPatternField).text);
    o.subfolders = Field(form, kSubfolderField).checked;
    o.matchCase = Field(form, kMatchCaseField).checked;
    o.regex = Field(form, kRegexField).checked;
    m_app.WriteProfileString(settings::Find, kPatternKey, Field(form, kPatternField).text);
    m_app.WriteProfileString(settings::Find, kFolderKey, o.folder);
    m_app.WriteProfileInt(settings::Find, kSubfolderKey, o.subfolders ? 1 : 0);
    m_app.WriteProfileInt(settings::Find, kMatchCaseKey, o.matchCase ? 1 : 0);
    m_app.WriteProfileInt(settings::Find, kRegexKey, o.regex ? 1 : 0);
    return o;
}

FormModel FindInFilesCommands::ResultForm(const FolderSearchOptions& options,
                                          const FolderSearchResult& result) const
{
    FormModel form;
    form.title = QStringLiteral("ファイル内の検索結果");
    form.okCaption = QStringLiteral("開く");
    form.cancelCaption = QStringLiteral("閉じる");
    const std::vector<Row> rows = Rows(result);
    QString summary = UiText(QStringLiteral("%1 個のファイルを検索し、%2 箇所見つかりました。"))
                          .arg(result.filesSearched)
                          .arg(result.HitCount());
    if (result.SkippedCount() > 0)
        summary += UiText(QStringLiteral("対象外のファイルが %1 個あります。")).arg(result.SkippedCount());
    if (result.cancelled)
        summary += UiText(QStringLiteral("検索は途中で中止しました。"));
    if (rows.size() > size_t(kMaxRows))
        summary += UiText(QStringLiteral("最初の %1 行だけを表示します。")).arg(kMaxRows);
    form.Add(FieldKind::Label, summary, QStringLiteral("Summary"));
    FormField& list = form.Add(FieldKind::List, QString(), kListField);
    list.columns = {QStringLiteral("ファイル"), QStringLiteral("行"), QStringLiteral("内容")};
    list.columnChars = {24, 6};
    for (size_t i = 0; i < rows.size() && i < size_t(kMaxRows); ++i) {
        const Row& r = rows[i];
        const QString file = ShownPath(options.folder, r.file->path);
        if (!r.line) {
            list.choices.append(file + u'\t' + u'\t' + SkippedCell(*r.file));
            continue;
        }
        const LineMatcher::Hit& first = r.line->hits.front();
        list.choices.append(file + u'\t' + QString::number(r.line->line + 1) + u'\t'
                            + LineExcerpt(r.line->text, first.start, first.length));
    }
    list.index = list.choices.isEmpty() ? -1 : 0;
    list.text = list.choices.value(0);
    list.activate = [](FormModel&) { return true; };
    return form;
}

FormModel FindInFilesCommands::PreviewForm(const FolderSearchOptions& options,
                                           const FolderSearchResult& plan) const
{
    FormModel form;
    form.title = QStringLiteral("置換の確認");
    form.okCaption = QStringLiteral("置換する");
    const std::vector<Row> rows = Rows(plan);
    int files = 0;
    for (const FileOutcome& f : plan.files)
        files += f.skipped.isEmpty() && f.hitCount > 0;
    QString summary = UiText(QStringLiteral("%1 個のファイルの %2 箇所を次のように置換します。"))
                          .arg(files)
                          .arg(plan.HitCount());
    if (plan.SkippedCount() > 0)
        summary += UiText(QStringLiteral("対象外のファイル %1 個は変更しません。")).arg(plan.SkippedCount());
    if (plan.cancelled)
        summary += UiText(QStringLiteral("検索を中止したので、それまでに見つかった分だけを置換します。"));
    if (rows.size() > size_t(kMaxRows))
        summary += UiText(QStringLiteral("一覧には最初の %1 行だけを表示します。")).arg(kMaxRows);
    form.Add(FieldKind::Label, summary, QStringLiteral("Summary"));
    FormField& list = form.Add(FieldKind::List, QString(), kListField);
    list.columns = {QStringLiteral("ファイル"), QStringLiteral("行"), QStringLiteral("置換前"),
                    QStringLiteral("置換後")};
    list.columnChars = {20, 6, kExcerptChars};
    for (size_t i = 0; i < rows.size() && i < size_t(kMaxRows); ++i) {
        const Row& r = rows[i];
        const QString file = ShownPath(options.folder, r.file->path);
        if (!r.line) {
            list.choices.append(file + u'\t' + u'\t' + SkippedCell(*r.file) + u'\t');
            continue;
        }
        const LineMatcher::Hit& first = r.line->hits.front();
        list.choices.append(file + u'\t' + QString::number(r.line->line + 1) + u'\t'
                            + LineExcerpt(r.line->text, first.start, first.length, kExcerptChars)
                            + u'\t'
                            + LineExcerpt(r.line->replaced, first.start, first.replacement.size(),
                                          kExcerptChars));
    }
    list.index = list.choices.isEmpty() ? -1 : 0;
    list.text = list.choices.value(0);
    return form;
}

FolderSearchResult FindInFilesCommands::RunSearch(const FolderSearchOptions& options, bool replacing)
{
    FolderSearchResult result;
    std::unique_ptr<TaskRunner> runner = m_app.GetUi().MakeTaskRunner();
    const QString folder = options.folder;
    runner->Run(QStringLiteral("ファイル内の検索"), [&](TaskContext& context) {
        result = SearchFolder(
            options,
            [&](int done, int total, const QString& path) {
                context.SetText(UiText(QStringLiteral("検索しています... (%1 / %2)")).arg(done + 1).arg(total),
                                ShownPath(folder, path));
                context.SetProgress(done, total);
                return !context.Cancelled();
            },
            replacing);
        return !result.cancelled;
    });
    return result;
}

ReplaceApplied FindInFilesCommands::RunApply(const FolderSearchOptions& options,
                                             const FolderSearchResult& plan)
{
    ReplaceApplied applied;
    QStringList keep;
    const QString open = OpenDocumentIn(plan);
    if (!open.isEmpty() && m_app.Doc().IsModified())
        keep.append(open);
    std::unique_ptr<TaskRunner> runner = m_app.GetUi().MakeTaskRunner();
    runner->Run(QStringLiteral("ファイル内の置換"), [&](TaskContext& context) {
        applied = ApplyReplacements(
            options, plan.files,
            [&](int done, int total, const QString& path) {
                context.SetText(UiText(QStringLiteral("置換しています... (%1 / %2)")).arg(done + 1).arg(total),
                                ShownPath(options.folder, path));
                context.SetProgress(done, total);
                return !context.Cancelled();
            },
            keep, QStringLiteral("編集中の文書に保存していない変更があります"));
        return !applied.cancelled;
    });
    return applied;
}

QString FindInFilesCommands::OpenDocumentIn(const FolderSearchResult& plan) const
{
    const QString document = m_app.Doc().GetPathName();
    for (const FileOutcome& f : plan.files)
        if (f.skipped.isEmpty() && SameFile(f.path, document))
            return f.path;
    return QString();
}

bool FindInFilesCommands::OpenAt(const FileOutcome& file, const LineHits& line)
{
    if (!SameFile(file.path, m_app.Doc().GetPathName()) && !m_app.OpenDocumentFile(file.path))
        return false;
    EditBuffer& buffer = m_app.View().Buffer();
    const int lineStart = buffer.LineIndex(line.line);
    if (lineStart < 0)
        return false;
    // The file may have changed since it was searched: stay inside the line.
    const LineMatcher::Hit& hit = line.hits.front();
    const int length = buffer.LineLength(lineStart);
    const int start = lineStart + int(std::min<qsizetype>(hit.start, length));
    const int end = lineStart + int(std::min<qsizetype>(hit.start + hit.length, length));
    buffer.SetSel(start, end);
    buffer.ScrollCaret();
    return true;
}

void FindInFilesCommands::OnFindInFiles()
{
    Ui& ui = m_app.GetUi();
    FormModel form = SearchForm(false);
    if (ui.RunForm(form) != Ui::Answer::Ok)
        return;
    const FolderSearchOptions options = TakeOptions(form);
    // A new search replaces the last results, also when it finds nothing:
    // stepping on through an older search's hits would mislead.
    m_lastOptions = options;
    m_last = RunSearch(options, false);
    m_lastRow = -1;
    if (m_last.files.empty()) {
        ui.Message(m_last.cancelled ? UiText(QStringLiteral("検索を中止しました"))
                                    : UiText(QStringLiteral("見つかりません")),
                   Ui::Icon::Information);
        return;
    }
    ShowResults(0);
}

void FindInFilesCommands::ShowResults(int row)
{
    FormModel list = ResultForm(m_lastOptions, m_last);
    FormField& rows = list[kListField];
    if (row >= 0 && row < rows.choices.size()) {
        rows.index = row;
        rows.text = rows.choices.value(row);
    }
    if (m_app.GetUi().RunForm(list) != Ui::Answer::Ok)
        return;
    const int index = rows.index;
    const std::vector<Row> all = Rows(m_last);
    if (index < 0 || index >= int(all.size()))
        return;
    const Row& picked = all[size_t(index)];
    if (!picked.line) {
        m_app.GetUi().Message(UiText(QStringLiteral("このファイルは検索の対象外です（%1） - %2"))
                                  .arg(UiText(picked.file->skipped), platform::DisplayPath(picked.file->path)));
        return;
    }
    OpenRow(index);
}

bool FindInFilesCommands::OpenRow(int row)
{
    const std::vector<Row> all = Rows(m_last);
    if (row < 0 || row >= int(all.size()) || !all[size_t(row)].line)
        return false;
    if (!OpenAt(*all[size_t(row)].file, *all[size_t(row)].line))
        return false;
    m_lastRow = row;
    return true;
}

void FindInFilesCommands::OnShowResults()
{
    if (HasResults())
        ShowResults(std::max(m_lastRow, 0));
}

void FindInFilesCommands::Step(int direction)
{
    // Skipped files come after every line with hits.
    const std::vector<Row> all = Rows(m_last);
    const int lines = int(std::count_if(all.begin(), all.end(), [](const Row& r) { return r.line; }));
    if (lines == 0)
        return;
    const int from = m_lastRow < 0 || m_lastRow >= lines ? (direction > 0 ? -1 : lines) : m_lastRow;
    OpenRow((from + direction + lines) % lines);
}

void FindInFilesCommands::OnNextResult()
{
    Step(1);
}

void FindInFilesCommands::OnPreviousResult()
{
    Step(-1);
}

void FindInFilesCommands::OnReplaceInFiles()
{
    Ui& ui = m_app.GetUi();
    FormModel form = SearchForm(true);
    if (ui.RunForm(form) != Ui::Answer::Ok)
        return;
    const FolderSearchOptions options = TakeOptions(form);
    const FolderSearchResult plan = RunSearch(options, true);
    if (plan.HitCount() == 0) {
        QString text = plan.cancelled ? UiText(QStringLiteral("検索を中止しました"))
                                      : UiText(QStringLiteral("見つかりません"));
        std::vector<FileOutcome> skipped;
        for (const FileOutcome& f : plan.files)
            if (!f.skipped.isEmpty())
                skipped.push_back(f);
        if (!skipped.empty())
            text += UiText(QStringLiteral("\n対象外のファイル:")) + SkippedList(skipped, options.folder);
        ui.Message(text, Ui::Icon::Information);
        return;
    }
    FormModel preview = PreviewForm(options, plan);
    if (ui.RunForm(preview) != Ui::Answer::Ok)
        return;

    const ReplaceApplied applied = RunApply(options, plan);
    // The open document shows the file as it was; it is read again when it
    // had no changes of its own, at the line the caret was on.
    const QString open = OpenDocumentIn(plan);
    if (!open.isEmpty() && applied.changedPaths.contains(open)) {
        EditBuffer& buffer = m_app.View().Buffer();
        int start = 0, end = 0;
        buffer.GetSel(start, end);
        const int line = buffer.LineFromChar(start);
        if (m_app.Doc().OnOpenDocument(m_app.Doc().GetPathName())) {
            const int at = buffer.LineIndex(std::min(line, buffer.GetLineCount() - 1));
            buffer.SetSel(std::max(at, 0), std::max(at, 0));
            buffer.ScrollCaret();
        }
    }
    QString text = UiText(QStringLiteral("%1 個のファイルの %2 箇所を置換しました。"))
                       .arg(applied.filesChanged)
                       .arg(applied.hitsReplaced);
    if (applied.cancelled)
        text += UiText(QStringLiteral("\n途中で中止したので、残りのファイルは変更していません。"));
    if (!applied.skipped.empty())
        text += UiText(QStringLiteral("\n置換しなかったファイル:")) + SkippedList(applied.skipped, options.folder);
    ui.Message(text, applied.skipped.empty() ? Ui::Icon::Information : Ui::Icon::Warning);
}

void RegisterFindInFilesCommands(CKelvoApp& app)
{
    auto group = std::make_shared<FindInFilesCommands>(app);
    CommandTable& commands = app.Commands();
    commands.Register(cmd::FindInFiles, [group] { group->OnFindInFiles(); });
    commands.Register(cmd::ReplaceInFiles, [group] { group->OnReplaceInFiles(); });
    commands.Register(cmd::FindInFilesResults, [group] { group->OnShowResults(); },
                      [group] { return group->HasResults(); });
    commands.Register(cmd::NextFindResult, [group] { group->OnNextResult(); },
                      [group] { return group->HasHits(); });
    commands.Register(cmd::PreviousFindResult, [group] { group->OnPreviousResult(); },
                      [group] { return group->HasHits(); });
}
