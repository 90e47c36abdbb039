#pragma once

#include "core/app/FormModel.h"
#include "core/app/Ui.h"

#include <QString>

#include <deque>
#include <functional>
#include <utility>
#include <vector>

// A Ui that answers from queues and records everything it was shown. Serves
// the tests and the batch tool.
//
// Questions and forms take the next answer of the answer queue. When it is
// empty a question gets its escape answer (so nothing goes on unasked) and a
// form is confirmed. Enter in the queue presses the question's preferred
// button (the first when it names none) and confirms a form. Input boxes and file and folder choosers take the next
// text of the input queue; when it is empty they are cancelled. Before a form
// is shown, every pending field value whose name the form knows is applied,
// in the order given.
class ScriptedUi : public Ui {
public:
    struct Record {
        QString kind;  // "message", "question", "input", "file", "folder",
                       // "color", "form", "title", "open", "about",
                       // "exit", "error", "status", "ftpwindow",
                       // "print", "printpreview"
        QString text;
    };

    void QueueAnswer(Answer a) { m_answers.push_back(a); }
    void QueueEnter() { m_answers.push_back(std::nullopt); }
    void QueueInput(const QString& text) { m_inputs.push_back(text); }
    void QueueField(const QString& name, const QString& value)
    {
        m_fields.emplace_back(name, value);
    }

    // Runs while the next message or question is shown, as events do
    // while a real box waits for the user; then it is cleared.
    std::function<void()> whileShown;

    const std::vector<Record>& Records() const { return m_records; }
    // The texts of the records of one kind, in order.
    QStringList Texts(const QString& kind) const;
    void ClearRecords() { m_records.clear(); }
    QString WindowTitle() const { return m_title; }
    // Field values that no form has taken yet.
    const std::deque<std::pair<QString, QString>>& PendingFields() const { return m_fields; }
    // The last form shown, as it was when it closed.
    const FormModel* LastForm() const;

    void Message(const QString& text, Icon icon = Icon::Warning) override;
    using Ui::Ask;
    Answer Ask(const Question& question) override;
    std::optional<QString> Input(const QString& title, const QString& prompt,
                                 const QString& initial = QString()) override;
    std::optional<QString> ChooseFile(const FileDialog& dialog) override;
    std::optional<QString> ChooseFolder(const QString& initial) override;
    std::optional<QString> ChooseColor(const QString& initial) override;
    Answer RunForm(FormModel& form) override;
    QStringList FontFamilies() const override;
    void ShowAbout() override;
    void SetWindowTitle(const QString& title) override;
    // Records "exit".
    void CloseMainWindow() override;
    void OpenExternal(const QString& pathOrUrl) override;
    // Records "process" with the program; started only when startProcesses
    // is set.
    bool StartProcess(const QString& program, const QStringList& arguments,
                      const QString& workingFolder) override;
    bool startProcesses = false;

    struct Process {
        QString program;
        QStringList arguments;
        QString workingFolder;
    };
    // The processes asked for, in order.
    const std::vector<Process>& Processes() const { return m_processes; }
    // Runs work at once; its status lines are recorded as "status" with
    // "line1 | line2", and cancelAfterBytes (when not negative) presses
    // Cancel once a transfer has moved that many bytes.
    std::unique_ptr<TaskRunner> MakeTaskRunner() override;
    qint64 cancelAfterBytes = -1;
    // Records "ftpwindow" and runs ftpWindowScript on the window, if set.
    void RunFtpWindow(CFtpWnd& window) override;
    std::function<void(CFtpWnd&)> ftpWindowScript;
    // Records "print" or "printpreview" with the job's name; the last job
    // is kept whole.
    void PrintText(const PrintJob& job, bool preview) override;
    const PrintJob& LastPrintJob() const { return m_lastPrintJob; }

    // The last file dialog asked for (tests check its title and filter).
    const FileDialog& LastFileDialog() const { return m_lastFileDialog; }

private:
    std::optional<QString> NextInput();

    std::deque<std::optional<Answer>> m_answers;  // nullopt: Enter
    std::deque<QString> m_inputs;
    std::deque<std::pair<QString, QString>> m_fields;
    std::vector<Record> m_records;
    std::vector<FormModel> m_forms;
    std::vector<Process> m_processes;
    QString m_title;
    FileDialog m_lastFileDialog;
    PrintJob m_lastPrintJob;
};
