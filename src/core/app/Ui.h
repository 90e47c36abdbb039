#pragma once

#include <QString>
#include <QStringList>

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

class FormModel;
class TaskRunner;
class CFtpWnd;

// Everything the program asks of the user or shows to the user. The desktop
// program implements it with real dialogs (QtUi); the headless editor, the
// batch tool and the tests with ScriptedUi, which answers from queues and
// records every text shown.
class Ui {
public:
    enum class Answer { Ok, Cancel, Yes, No, All, Back };
    enum class Icon { None, Information, Warning, Error, Question };
    enum class Buttons { Ok, OkCancel, YesNo, YesNoCancel };
    // Where a question box appears: centred, or across the top of the main
    // window (so the text being asked about stays visible below it).
    enum class Placement { Centre, TopOfMainWindow };

    struct Button {
        Answer answer;
        QString caption;
    };

    struct Question {
        QString text;
        QString title;
        Icon icon = Icon::Question;
        std::vector<Button> buttons;  // in display order
        Answer escape = Answer::Cancel;  // what closing the box means
        // The button Enter presses; the first when unset. A question whose
        // first answer loses data names the safe one here.
        std::optional<Answer> preferred;
        Placement placement = Placement::Centre;
    };

    struct FileDialog {
        bool save = false;
        QString title;
        QString defaultExtension;  // without the dot
        QString initialName;       // a file name, or patterns like "*.htm;*.html"
        QString initialFolder;
        // "Name |*.a;*.b|Other |*.c||": pairs of description and patterns.
        QString filter;
        bool fileMustExist = false;
        bool pathMustExist = false;
        bool overwritePrompt = false;
        bool hideReadOnly = false;
        bool noChangeDir = false;
    };

    // A source text to print: the name shown in each page's header and the
    // editor's font.
    struct PrintJob {
        QString name;
        QString folder;  // where printing to a file puts the file
        QString text;  // CR LF line ends
        QString fontFamily;
        int pointSize = 10;
        int weight = 400;
        bool italic = false;
    };

    virtual ~Ui() = default;

    // A message box with OK.
    virtual void Message(const QString& text, Icon icon = Icon::Warning) = 0;
    virtual Answer Ask(const Question& question) = 0;
    Answer Ask(const QString& text, Buttons buttons, Icon icon = Icon::Question,
               std::optional<Answer> preferred = std::nullopt);

    // The one-line input box; nullopt on cancel.
    virtual std::optional<QString> Input(const QString& title, const QString& prompt,
                                         const QString& initial = QString()) = 0;
    // Open or save chooser; gives the full path, nullopt on cancel.
    virtual std::optional<QString> ChooseFile(const FileDialog& dialog) = 0;
    virtual std::optional<QString> ChooseFolder(const QString& initial) = 0;
    // Colours as six hexadecimal digits RRGGBB.
    virtual std::optional<QString> ChooseColor(const QString& initial) = 0;
    // Shows the form modally until it is confirmed with valid fields or
    // cancelled. Answers Ok, Cancel or (for a wizard page) Back.
    virtual Answer RunForm(FormModel& form) = 0;

    // The font families of the display, for the font dialog.
    virtual QStringList FontFamilies() const = 0;
    // The family of FontFamilies() that the editor shows for a face name: the
    // face itself, or what stands in for a face that is not installed.
    virtual QString InstalledFontFamily(const QString& face) const { return face; }
    // The version box.
    virtual void ShowAbout() = 0;

    virtual void SetWindowTitle(const QString& title) = 0;
    // Closes the main window as its close button would (the exit command,
    // after it has asked about unsaved changes); the window's close handling
    // then calls CKelvoApp::CanCloseMainWindow and CKelvoApp::ExitInstance.
    virtual void CloseMainWindow() = 0;
    // Opens a file or URL with the desktop's associated program. When no
    // program can show it, the user is told (OpenExternalFailedMessage), at
    // once or when the desktop's opener has given up.
    virtual void OpenExternal(const QString& pathOrUrl) = 0;
    // Starts a program with its arguments, each passed as it is (no shell
    // reads them), in the working folder; does not wait for it. False when
    // it could not be started (no such program, not executable).
    virtual bool StartProcess(const QString& program, const QStringList& arguments,
                              const QString& workingFolder);
    // Busy cursor around long work; calls nest.
    virtual void BeginBusy() {}
    virtual void EndBusy() {}
    // A runner for long work (network transfers) with a progress window and
    // Cancel. The base runs the work at once on the caller's thread.
    virtual std::unique_ptr<TaskRunner> MakeTaskRunner();
    // Shows the FTP window modally until the user closes it. The base shows
    // nothing (a window without a user has nothing to do).
    virtual void RunFtpWindow(CFtpWnd& window) {}
    // Prints the text after the print dialog, or shows its print preview.
    // The base prints nothing.
    virtual void PrintText(const PrintJob& job, bool preview) {}

    // Splits a filter in "Name |*.a;*.b|...||" form into (name, patterns).
    static std::vector<std::pair<QString, QString>> ParseFilter(const QString& filter);
};

// What the user is told when no program could be started to show a file or
// address (no browser installed, no program associated with the file).
QString OpenExternalFailedMessage(const QString& pathOrUrl);

// Keeps the busy cursor for a scope.
class BusyScope {
public:
    explicit BusyScope(Ui& ui) : m_ui(ui) { m_ui.BeginBusy(); }
    ~BusyScope() { m_ui.EndBusy(); }
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;

private:
    Ui& m_ui;
};
