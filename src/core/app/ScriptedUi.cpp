#include "core/app/ScriptedUi.h"

#include "core/app/TaskRunner.h"

#include "core/app/FormModel.h"

#include <algorithm>
#include <utility>

QStringList ScriptedUi::Texts(const QString& kind) const
{
    QStringList out;
    for (const Record& r : m_records)
        if (r.kind == kind)
            out.append(r.text);
    return out;
}

const FormModel* ScriptedUi::LastForm() const
{
    return m_forms.empty() ? nullptr : &m_forms.back();
}

namespace {

void RunOnce(std::function<void()>& work)
{
    if (work)
        std::exchange(work, nullptr)();
}

} // namespace

void ScriptedUi::Message(const QString& text, Icon)
{
    m_records.push_back({QStringLiteral("message"), text});
    RunOnce(whileShown);
}

Ui::Answer ScriptedUi::Ask(const Question& question)
{
    m_records.push_back({QStringLiteral("question"),
                         question.text.isEmpty() ? question.title : question.text});
    RunOnce(whileShown);
    if (m_answers.empty())
        return question.escape;
    const std::optional<Answer> queued = m_answers.front();
    m_answers.pop_front();
    if (!queued && question.buttons.empty())
        return question.escape;
    const Answer a = queued.value_or(question.preferred.value_or(question.buttons.front().answer));
    for (const Button& b : question.buttons)
        if (b.answer == a)
            return a;
    // An answer the box does not offer counts as closing it.
    return question.escape;
}

std::optional<QString> ScriptedUi::NextInput()
{
    if (m_inputs.empty())
        return std::nullopt;
    QString s = m_inputs.front();
    m_inputs.pop_front();
    return s;
}

std::optional<QString> ScriptedUi::Input(const QString& title, const QString& prompt,
                                         const QString&)
{
    m_records.push_back({QStringLiteral("input"), prompt.isEmpty() ? title : prompt});
    return NextInput();
}

std::optional<QString> ScriptedUi::ChooseFile(const FileDialog& dialog)
{
    m_lastFileDialog = dialog;
    m_records.push_back({QStringLiteral("file"), dialog.title});
    return NextInput();
}

std::optional<QString> ScriptedUi::ChooseFolder(const QString& initial)
{
    m_records.push_back({QStringLiteral("folder"), initial});
    return NextInput();
}

std::optional<QString> ScriptedUi::ChooseColor(const QString& initial)
{
    m_records.push_back({QStringLiteral("color"), initial});
    return NextInput();
}

Ui::Answer ScriptedUi::RunForm(FormModel& form)
{
    m_records.push_back({QStringLiteral("form"), form.title});
    // A form that only informs is read, not filled in: what it shows is
    // recorded.
    if (!form.hasCancel || form.reportsRows)
        for (const QString& row : form.Rows())
            m_records.push_back({QStringLiteral("row"), row});
    // A dialog shows its first page at once.
    if (form.pageShown && !form.fields.empty())
        form.pageShown(form, form.fields.front().page);
    // One field at a time, taken off the queue before it is applied: a
    // button may open a dialog of its own that takes later fields.
    for (;;) {
        auto it = std::find_if(m_fields.begin(), m_fields.end(),
                               [&form](const auto& f) { return form.Find(f.first) != nullptr; });
        if (it == m_fields.end())
            break;
        const auto [name, value] = *it;
        m_fields.erase(it);
        if (!form.SetFromText(name, value))
            m_records.push_back(
                {QStringLiteral("error"), QStringLiteral("%1: invalid value %2").arg(name, value)});
        if (form.acceptNow)
            break;
    }
    if (form.acceptNow) {
        m_forms.push_back(form);
        return Answer::Ok;
    }
    Answer result = Answer::Ok;
    for (;;) {
        if (!m_answers.empty()) {
            result = m_answers.front().value_or(Answer::Ok);
            m_answers.pop_front();
        } else {
            result = Answer::Ok;
        }
        if (result == Answer::Yes)
            result = Answer::Ok;
        if (result != Answer::Ok)
            break;
        const QString problem = form.Validate();
        if (problem.isEmpty())
            break;
        // The dialog stays open after its message; without a further answer
        // the user gives up.
        Message(problem);
        if (m_answers.empty()) {
            result = Answer::Cancel;
            break;
        }
    }
    if (result == Answer::No || result == Answer::All)
        result = Answer::Cancel;
    if (result == Answer::Back && !form.hasBack)
        result = Answer::Cancel;
    m_forms.push_back(form);
    return result;
}

void ScriptedUi::SetWindowTitle(const QString& title)
{
    m_title = title;
    m_records.push_back({QStringLiteral("title"), title});
}

void ScriptedUi::OpenExternal(const QString& pathOrUrl)
{
    m_records.push_back({QStringLiteral("open"), pathOrUrl});
}

QStringList ScriptedUi::FontFamilies() const
{
    // A fixed list, so that font forms come out the same on every machine.
    return {QStringLiteral("DejaVu Sans"), QStringLiteral("DejaVu Sans Mono"),
            QStringLiteral("Noto Sans CJK JP"), QStringLiteral("ＭＳ Ｐゴシック")};
}

void ScriptedUi::PrintText(const PrintJob& job, bool preview)
{
    m_records.push_back({preview ? QStringLiteral("printpreview") : QStringLiteral("print"), job.name});
    m_lastPrintJob = job;
}

void ScriptedUi::ShowAbout()
{
    m_records.push_back({QStringLiteral("about"), QString()});
}

void ScriptedUi::CloseMainWindow()
{
    m_records.push_back({QStringLiteral("exit"), QString()});
}

bool ScriptedUi::StartProcess(const QString& program, const QStringList& arguments,
                              const QString& workingFolder)
{
    m_records.push_back({QStringLiteral("process"), program});
    m_processes.push_back({program, arguments, workingFolder});
    return !startProcesses || Ui::StartProcess(program, arguments, workingFolder);
}

void ScriptedUi::RunFtpWindow(CFtpWnd& window)
{
    m_records.push_back({QStringLiteral("ftpwindow"), QString()});
    if (ftpWindowScript)
        ftpWindowScript(window);
}

std::unique_ptr<TaskRunner> ScriptedUi::MakeTaskRunner()
{
    auto runner = std::make_unique<InlineTaskRunner>();
    runner->onText = [this](const QString& line1, const QString& line2) {
        m_records.push_back({QStringLiteral("status"), line1 + QStringLiteral(" | ") + line2});
    };
    runner->onProgress = [this](TaskContext& context, qint64 done, qint64) {
        if (cancelAfterBytes >= 0 && done >= cancelAfterBytes)
            context.Cancel();
    };
    return runner;
}
