#pragma once

#include "core/custom/CKeycustTable.h"
#include "gui/DesktopProgram.h"
#include "gui/EditWidget.h"
#include "gui/QtUi.h"
#include "platform/SettingsStore.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QDialog>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <functional>
#include <memory>
#include <vector>

// The program as a user runs it under an X server with a window manager
// (tests/support/run-under-x.sh): the real dialogs over the main window,
// keys typed through the X server with xdotool. Settings live in a
// temporary folder.
class DesktopSession {
public:
    DesktopSession() : m_settings(m_dir.filePath(QStringLiteral("kelvo.ini"))) {}
    ~DesktopSession() { m_program.reset(); }

    // Writes settings as an earlier run would have; call before Start().
    platform::SettingsStore& Settings() { return m_settings; }
    QString Path(const QString& name) const { return m_dir.filePath(name); }

    // Starts the program on the primary screen and waits until its window
    // has the keyboard.
    bool Start()
    {
        m_program = std::make_unique<DesktopProgram>(m_settings, m_ui);
        m_ui.SetMainWindow(&Frame());
        StartupOptions options;
        const QSize screen = QGuiApplication::primaryScreen()->size();
        options.screenWidth = screen.width();
        options.screenHeight = screen.height();
        if (!m_program->Start(options))
            return false;
        Frame().RestoreWindowSize();
        Frame().show();
        Frame().activateWindow();
        return QTest::qWaitForWindowActive(&Frame()) && Frame().Edit().hasFocus();
    }

    CMainFrame& Frame() { return m_program->Frame(); }
    CKelvoApp& App() { return m_program->App(); }
    EditBuffer& Buffer() { return Frame().Edit().Buffer(); }

private:
    QTemporaryDir m_dir;
    platform::SettingsStore m_settings;
    QtUi m_ui;
    std::unique_ptr<DesktopProgram> m_program;
};

// Keys through the X server, as a keyboard gives them: the key event goes
// to the window that has the focus. Arguments as xdotool's ("ctrl+f",
// "Return"), typed text as its "type".
inline bool XKeys(const QStringList& keys)
{
    return QProcess::execute(QStringLiteral("xdotool"),
                             QStringList{QStringLiteral("key"), QStringLiteral("--clearmodifiers")}
                                 + keys)
           == 0;
}
inline bool XType(const QString& text)
{
    return QProcess::execute(QStringLiteral("xdotool"),
                             {QStringLiteral("type"), QStringLiteral("--clearmodifiers"), text})
           == 0;
}

// Steps run in order as soon as each one's state is reached, from whatever
// event loop runs: a modal dialog's own loop included, which a test cannot
// step through from outside.
class StepScript : public QObject {
public:
    struct Step {
        QString waitsFor;
        std::function<bool()> ready;
        std::function<void()> act;
    };

    void Add(const QString& waitsFor, std::function<bool()> ready, std::function<void()> act)
    {
        m_steps.push_back({waitsFor, std::move(ready), std::move(act)});
    }

    void Start()
    {
        m_deadline.setRemainingTime(kGiveUpMs);
        connect(&m_timer, &QTimer::timeout, this, [this] { Advance(); });
        m_timer.start(10);
    }
    bool Finished() const { return m_next >= m_steps.size(); }
    // The script stopped waiting: it is finished or has given up.
    bool Ended() const { return !m_timer.isActive(); }
    QString Waiting() const
    {
        return Finished() ? QString() : QStringLiteral("waited in vain for ") + m_steps[m_next].waitsFor;
    }

    // Far beyond what a loaded machine needs; only a fault gets here.
    static constexpr int kGiveUpMs = 60000;

private:
    void Advance()
    {
        while (!Finished() && m_steps[m_next].ready()) {
            const auto act = m_steps[m_next].act;
            ++m_next;
            act();
        }
        if (Finished()) {
            m_timer.stop();
        } else if (m_deadline.hasExpired()) {
            // A dialog left open would hold the test in its loop forever.
            m_timer.stop();
            for (QWidget* w : QApplication::topLevelWidgets())
                if (auto* d = qobject_cast<QDialog*>(w); d && d->isVisible())
                    d->reject();
        }
    }

    std::vector<Step> m_steps;
    size_t m_next = 0;
    QTimer m_timer;
    QDeadlineTimer m_deadline;
};

// The modal dialog titled so, active and with the keyboard focus in it.
inline QWidget* ActiveDialog(const QString& title)
{
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal || modal->windowTitle() != title || !modal->isActiveWindow())
        return nullptr;
    QWidget* focus = QApplication::focusWidget();
    return focus && modal->isAncestorOf(focus) ? modal : nullptr;
}
