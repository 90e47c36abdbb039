#pragma once

#include "core/app/Ui.h"

#include <QPointer>

#include <memory>
#include <QWidget>

// The Ui of the desktop program: every question, message and chooser as a
// real dialog over the main window.
class QtUi : public Ui {
public:
    QtUi() = default;

    // The window the dialogs belong to and whose title the document sets.
    // The title may be set before the window exists; it is applied here.
    void SetMainWindow(QWidget* window);
    QWidget* MainWindow() const { return m_window; }

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
    QString InstalledFontFamily(const QString& face) const override;
    void ShowAbout() override;
    void SetWindowTitle(const QString& title) override;
    void CloseMainWindow() override;
    void OpenExternal(const QString& pathOrUrl) override;
    void BeginBusy() override;
    void EndBusy() override;
    std::unique_ptr<TaskRunner> MakeTaskRunner() override;
    void RunFtpWindow(CFtpWnd& window) override;
    void PrintText(const PrintJob& job, bool preview) override;

    QString WindowTitle() const { return m_title; }

    // A caption without its mnemonic ("(&T)" or "&"), for Qt's labels that
    // would show it as written.
    static QString WithoutMnemonic(const QString& label);
    // Keeps a dialog inside its screen: no larger than the screen's free
    // area, less the window frame.
    static void FitToScreen(QWidget& dialog);
    // The one-line input box over a window; nullopt on cancel.
    static std::optional<QString> AskText(QWidget* parent, const QString& title,
                                          const QString& prompt,
                                          const QString& initial = QString());
    // The texts of the version box.
    static QString AboutTitle();
    static QString AboutText();
    // A URL for a path or a URL.
    static QUrl ExternalUrl(const QString& pathOrUrl);

    // A box that waits for the user shows the ordinary pointer, even while
    // long work around it keeps the busy cursor (an FTP upload's messages,
    // the progress window's Cancel).
    class ArrowWhileAsking {
    public:
        ArrowWhileAsking();
        ~ArrowWhileAsking();
        ArrowWhileAsking(const ArrowWhileAsking&) = delete;
        ArrowWhileAsking& operator=(const ArrowWhileAsking&) = delete;

    private:
        bool m_pushed;
    };

private:
    QPointer<QWidget> m_window;
    // Lets work that ends later (the desktop's opener) see whether this Ui
    // still exists.
    std::shared_ptr<int> m_alive = std::make_shared<int>(0);
    QString m_title;
};
