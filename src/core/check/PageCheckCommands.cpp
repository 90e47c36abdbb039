#include "core/check/PageCheckCommands.h"

#include "core/app/CKelvoApp.h"
#include "core/app/CommandIds.h"
#include "core/app/CommandTable.h"
#include "core/app/FormModel.h"
#include "core/app/TaskRunner.h"
#include "core/app/Ui.h"
#include "core/app/UiText.h"
#include "core/check/PageCheck.h"
#include "core/doc/CKelvoDoc.h"
#include "core/edit/CKelvoView.h"
#include "core/edit/EditBuffer.h"
#include "core/links/LinkCommands.h"

#include <algorithm>
#include <memory>

namespace {

const QString kListField = QStringLiteral("problems");
// A list of more rows than this is no help; the summary says so.
constexpr int kMaxRows = 20000;

} // namespace

FormModel PageCheckCommands::ProblemForm(const std::vector<PageProblem>& problems, int selected)
{
    FormModel form;
    form.title = QStringLiteral("文書のチェック");
    form.okCaption = QStringLiteral("移動(&G)");
    form.cancelCaption = QStringLiteral("閉じる");
    form.reportsRows = true;
    int counts[3] = {};
    for (const PageProblem& p : problems)
        ++counts[int(p.level)];
    QString summary = UiText(QStringLiteral("エラー %1 個、警告 %2 個、ヒント %3 個"))
                          .arg(counts[0])
                          .arg(counts[1])
                          .arg(counts[2]);
    if (problems.size() > size_t(kMaxRows))
        summary += UiText(QStringLiteral("（最初の %1 個を表示します）")).arg(kMaxRows);
    form.Add(FieldKind::Label, summary, QStringLiteral("Summary"));
    FormField& list = form.Add(FieldKind::List, QString(), kListField);
    list.columns = {QStringLiteral("行番号"), QStringLiteral("桁"), QStringLiteral("種類"),
                    QStringLiteral("問題")};
    list.columnChars = {7, 8, 10};
    for (size_t i = 0; i < problems.size() && i < size_t(kMaxRows); ++i) {
        const PageProblem& p = problems[i];
        list.choices.append(QString::number(p.line) + u'\t' + QString::number(p.column) + u'\t'
                            + ProblemLevelText(p.level) + u'\t' + p.message);
    }
    list.index = list.choices.isEmpty() ? -1 : std::clamp(selected, 0, int(list.choices.size()) - 1);
    list.text = list.choices.value(list.index);
    // A double-click goes to the problem, as the button does.
    list.activate = [](FormModel&) { return true; };
    return form;
}

void PageCheckCommands::GoTo(const PageProblem& problem)
{
    EditBuffer& buffer = m_app.View().Buffer();
    const int lineStart = buffer.LineIndex(std::min(problem.line, buffer.GetLineCount()) - 1);
    if (lineStart < 0)
        return;
    int offset = lineStart + std::clamp(problem.column - 1, 0, buffer.LineLength(lineStart));
    // The text may have a character there no longer; never inside a pair.
    const QString text = buffer.GetText();
    if (offset > 0 && offset < text.size() && SplitsCharacter(text[offset - 1].unicode(), text[offset].unicode()))
        --offset;
    buffer.SetSel(offset, offset);
    buffer.ScrollCaret();
}

void PageCheckCommands::OnPageCheck()
{
    Ui& ui = m_app.GetUi();
    CKelvoDoc& doc = m_app.Doc();
    const QString path = doc.GetPathName();
    if (!IsCheckablePage(path)) {
        ui.Message(UiText(QStringLiteral("HTML の文書ではないため、チェックできません")));
        return;
    }
    EditBuffer& buffer = m_app.View().Buffer();
    CheckedPage page;
    page.text = buffer.GetText();
    page.path = path;
    page.siteRoot = SiteRootFor(m_app.Settings(), path);
    page.saveCode = doc.GetCodeKind();
    std::vector<PageProblem> problems;
    std::unique_ptr<TaskRunner> runner = ui.MakeTaskRunner();
    const bool done = runner->Run(QStringLiteral("文書のチェック"), [&](TaskContext& context) {
        context.SetText(UiText(QStringLiteral("文書をチェックしています...")), QString());
        problems = CheckPage(page);
        return !context.Cancelled();
    });
    if (!done)
        return;
    if (problems.empty()) {
        ui.Message(UiText(QStringLiteral("問題は見つかりませんでした")), Ui::Icon::Information);
        return;
    }
    // The first problem at or after the caret, so that checking again after
    // a fix goes on from there.
    int start = 0, end = 0;
    buffer.GetSel(start, end);
    const int caretLine = buffer.LineFromChar(start);
    const int caretColumn = start - buffer.LineIndex(caretLine);
    const auto next = std::find_if(problems.begin(), problems.end(), [&](const PageProblem& p) {
        return p.line - 1 > caretLine || (p.line - 1 == caretLine && p.column - 1 >= caretColumn);
    });
    FormModel form = ProblemForm(problems, next == problems.end() ? 0 : int(next - problems.begin()));
    if (ui.RunForm(form) != Ui::Answer::Ok)
        return;
    const int row = form[kListField].index;
    if (row >= 0 && row < int(problems.size()))
        GoTo(problems[size_t(row)]);
}

void RegisterPageCheckCommands(CKelvoApp& app)
{
    auto group = std::make_shared<PageCheckCommands>(app);
    app.Commands().Register(cmd::PageCheck, [group] { group->OnPageCheck(); });
}
