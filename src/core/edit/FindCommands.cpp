#include "core/edit/FindCommands.h"

#include "core/app/UiText.h"

#include "core/app/CKelvoApp.h"
#include "core/app/CommandIds.h"
#include "core/app/FormModel.h"
#include "core/app/ShellCommandIds.h"
#include "core/app/Ui.h"
#include "core/edit/CKelvoView.h"
#include "core/edit/EditBuffer.h"
#include "core/edit/TextReplace.h"

#include <algorithm>
#include <climits>

namespace {

const QString kSearchPrefix = QStringLiteral("str");
const QString kReplacePrefix = QStringLiteral("replace");
const QString kMatchCaseKey = QStringLiteral("StrUL");

const QString kSearchLabel = QStringLiteral("検索語(&W):");
const QString kReplaceLabel = QStringLiteral("置換語(&R):");
const QString kMatchCaseLabel = QStringLiteral("大文字と小文字の区別をする");
const QString kLineLabel = QStringLiteral("移動する行番号:");

const QString kNotFound = QStringLiteral("見つかりません");
const QString kNoSearchHit = QStringLiteral("検索語が見つかりません");
const QString kNoSuchLine = QStringLiteral("行番号がありません");

QString HistoryKey(const QString& prefix, int index)
{
    return prefix + QStringLiteral("%1").arg(index, 2, 10, QChar(u'0'));
}

// Letter case is compared through the per-character case mapping, which
// keeps every character's length, so offsets found in the mapped text are
// offsets in the buffer.
Qt::CaseSensitivity Sensitivity(bool matchCase)
{
    return matchCase ? Qt::CaseSensitive : Qt::CaseInsensitive;
}

// Names of the dialogs' fields.
const QString kSearchField = QStringLiteral("Search");
const QString kReplaceField = QStringLiteral("Replace");
const QString kMatchCaseField = QStringLiteral("MatchCase");
const QString kLineField = QStringLiteral("Line");

const FormField& Field(const FormModel& form, const QString& name)
{
    const FormField* f = form.Find(name);
    Q_ASSERT_X(f, "FindCommands", qPrintable(name));
    return *f;
}

} // namespace

FindCommands::FindCommands(CKelvoView& view) : m_view(view) {}

CKelvoApp& FindCommands::App()
{
    return m_view.App();
}

QStringList FindCommands::LoadHistory(const CKelvoApp& app, const QString& prefix)
{
    QStringList list;
    for (int i = 0; i < kHistorySize; ++i) {
        const QString s = app.GetProfileString(settings::Find, HistoryKey(prefix, i), QString());
        if (s.isEmpty())
            break;
        list.append(s);
    }
    return list;
}

void FindCommands::SaveHistory(CKelvoApp& app, const QString& prefix, const QStringList& shown,
                               const QString& entered)
{
    if (entered.isEmpty())
        return;
    QStringList list{entered};
    for (const QString& s : shown)
        if (s != entered && !s.isEmpty() && list.size() < kHistorySize)
            list.append(s);
    // Keys past the list are removed, so no stale entry shows up behind a
    // shorter list.
    for (int i = 0; i < kHistorySize; ++i) {
        if (i < list.size())
            app.WriteProfileString(settings::Find, HistoryKey(prefix, i), list[i]);
        else
            app.DeleteProfileValue(settings::Find, HistoryKey(prefix, i));
    }
}

FormModel FindCommands::FindForm() const
{
    const CKelvoApp& app = m_view.App();
    FormModel form;
    form.title = QStringLiteral("検索");
    const QStringList history = LoadHistory(app, kSearchPrefix);
    form.AddCombo(kSearchLabel, history, history.value(0), kSearchField);
    form.AddFlag(kMatchCaseLabel, app.GetProfileInt(settings::Find, kMatchCaseKey, 0) != 0,
                 kMatchCaseField);
    return form;
}

FormModel FindCommands::ReplaceForm() const
{
    const CKelvoApp& app = m_view.App();
    FormModel form;
    form.title = QStringLiteral("置換");
    const QStringList search = LoadHistory(app, kSearchPrefix);
    const QStringList replace = LoadHistory(app, kReplacePrefix);
    form.AddCombo(kSearchLabel, search, search.value(0), kSearchField);
    form.AddCombo(kReplaceLabel, replace, replace.value(0), kReplaceField);
    form.AddFlag(kMatchCaseLabel, app.GetProfileInt(settings::Find, kMatchCaseKey, 0) != 0,
                 kMatchCaseField);
    return form;
}

FormModel FindCommands::GoToLineForm() const
{
    EditBuffer& buffer = m_view.Buffer();
    FormModel form;
    form.title = QStringLiteral("指定行へ移動");
    FormField& line = form.AddNumber(kLineLabel, buffer.LineFromChar(-1) + 1, 0, INT_MAX, kLineField);
    line.suffix = QStringLiteral("行");
    return form;
}

void FindCommands::TakeSearchFrom(const FormModel& form)
{
    const FormField& search = Field(form, kSearchField);
    const bool matchCase = Field(form, kMatchCaseField).checked;
    SaveHistory(App(), kSearchPrefix, search.choices, search.text);
    App().WriteProfileInt(settings::Find, kMatchCaseKey, matchCase ? 1 : 0);
    m_view.SetSearchText(search.text);
    m_view.SetMatchCase(matchCase);
}

bool FindCommands::FindNext()
{
    const QString what = m_view.SearchText();
    if (what.isEmpty())
        return false;
    EditBuffer& buffer = m_view.Buffer();
    int start = 0, end = 0;
    buffer.GetSel(start, end);
    const int from = start != end ? start + 1 : start;
    const QString text = buffer.GetText();
    const qsizetype hit = text.indexOf(what, from, Sensitivity(m_view.MatchCase()));
    if (hit < 0)
        return false;
    buffer.SetSel(static_cast<int>(hit), static_cast<int>(hit + what.size()));
    buffer.ScrollCaret();
    return true;
}

bool FindCommands::FindPrevious()
{
    const QString what = m_view.SearchText();
    if (what.isEmpty())
        return false;
    EditBuffer& buffer = m_view.Buffer();
    int start = 0, end = 0;
    buffer.GetSel(start, end);
    const int limit = std::max(0, start != end ? start - 1 : start);
    const QString before = buffer.GetText().left(limit);
    if (before.size() < what.size())
        return false;
    const qsizetype hit =
        before.lastIndexOf(what, before.size() - what.size(), Sensitivity(m_view.MatchCase()));
    if (hit < 0)
        return false;
    buffer.SetSel(static_cast<int>(hit), static_cast<int>(hit + what.size()));
    buffer.ScrollCaret();
    return true;
}

int FindCommands::ReplaceAll(const QString& replacement)
{
    const QString what = m_view.SearchText();
    EditBuffer& buffer = m_view.Buffer();
    int start = 0, end = 0;
    buffer.GetSel(start, end);
    if (what.isEmpty())
        return 0;
    QString result = buffer.GetText();
    const int count = ReplaceAllText(result, what, replacement, Sensitivity(m_view.MatchCase()));
    if (count == 0)
        return 0;
    buffer.SetText(result, true);
    // The caret moves by every replacement's length difference, wherever it
    // was; it stays inside the text.
    const qint64 caret = start + qint64(count) * (replacement.size() - what.size());
    const int at = static_cast<int>(std::clamp<qint64>(caret, 0, result.size()));
    buffer.SetSel(at, at);
    buffer.ScrollCaret();
    return count;
}

bool FindCommands::GoToLine(int number)
{
    EditBuffer& buffer = m_view.Buffer();
    const int offset = buffer.LineIndex(number - 1);
    if (offset < 0)
        return false;
    buffer.SetSel(offset, offset);
    buffer.ScrollCaret();
    return true;
}

void FindCommands::OnEditFind()
{
    FormModel form = FindForm();
    if (App().GetUi().RunForm(form) != Ui::Answer::Ok)
        return;
    TakeSearchFrom(form);
    if (!FindNext())
        App().GetUi().Message(kNotFound);
}

void FindCommands::OnEditRepeat()
{
    if (!FindNext())
        App().GetUi().Message(kNotFound);
}

void FindCommands::OnFindPrevious()
{
    if (!FindPrevious())
        App().GetUi().Message(kNotFound);
}

void FindCommands::OnEditReplace()
{
    Ui& ui = App().GetUi();
    FormModel form = ReplaceForm();
    if (ui.RunForm(form) != Ui::Answer::Ok)
        return;
    TakeSearchFrom(form);
    const FormField& replaceField = Field(form, kReplaceField);
    SaveHistory(App(), kReplacePrefix, replaceField.choices, replaceField.text);
    const QString replacement = replaceField.text;

    Ui::Question question;
    question.text = QStringLiteral("置換しますか？");
    question.title = question.text;
    question.icon = Ui::Icon::Question;
    question.buttons = {{Ui::Answer::Yes, QStringLiteral("はい")},
                        {Ui::Answer::No, QStringLiteral("いいえ")},
                        {Ui::Answer::All, QStringLiteral("全て")},
                        {Ui::Answer::Cancel, QStringLiteral("キャンセル")}};
    question.escape = Ui::Answer::Cancel;
    question.placement = Ui::Placement::TopOfMainWindow;

    EditBuffer& buffer = m_view.Buffer();
    for (bool first = true;; first = false) {
        if (!FindNext()) {
            if (first)
                ui.Message(kNoSearchHit);
            return;
        }
        switch (ui.Ask(question)) {
        case Ui::Answer::Yes:
            buffer.ReplaceSel(replacement);
            break;
        case Ui::Answer::No:
            break;
        case Ui::Answer::All:
            ui.Message(UiText(QStringLiteral("%1個 置換しました")).arg(ReplaceAll(replacement)));
            return;
        default:
            return;
        }
    }
}

void FindCommands::OnGoToLine()
{
    FormModel form = GoToLineForm();
    if (App().GetUi().RunForm(form) != Ui::Answer::Ok)
        return;
    int number = 0;
    if (!Field(form, kLineField).NumberValue(number))
        return;
    if (!GoToLine(number))
        App().GetUi().Message(kNoSuchLine);
}

void RegisterFindCommands(CKelvoApp& app)
{
    CKelvoView& view = app.View();
    CommandTable& commands = app.Commands();
    commands.Register(cmd::EditFind, [&view] { FindCommands(view).OnEditFind(); });
    commands.Register(
        cmd::EditRepeat, [&view] { FindCommands(view).OnEditRepeat(); },
        [&view] { return !view.SearchText().isEmpty(); });
    commands.Register(cmd::FindPrevious, [&view] { FindCommands(view).OnFindPrevious(); });
    commands.Register(cmd::EditReplace, [&view] { FindCommands(view).OnEditReplace(); });
    commands.Register(cmd::GoToLine, [&view] { FindCommands(view).OnGoToLine(); });
}
