#include "gui/DocumentWatch.h"

#include "core/doc/CKelvoDoc.h"
#include "platform/FileAccess.h"

#include <QEvent>
#include <QFileInfo>
#include <QPlainTextEdit>
#include <QWidget>

DocumentWatch::DocumentWatch(QWidget& window, QPlainTextEdit& edit) : QObject(&window), m_window(window)
{
    // Not restarted by each key: typing on and on is journaled too.
    m_journalTimer.setSingleShot(true);
    m_journalTimer.setInterval(kJournalDelayMs);
    connect(&edit, &QPlainTextEdit::textChanged, this, [this] {
        if (!m_journalTimer.isActive())
            m_journalTimer.start();
    });
    connect(&m_journalTimer, &QTimer::timeout, this, [this] {
        if (m_doc)
            m_doc->WriteJournal();
    });
    window.installEventFilter(this);
    // Restarted by each report, so that a burst of writes is one check.
    m_settle.setSingleShot(true);
    m_settle.setInterval(kSettleMs);
    connect(&m_settle, &QTimer::timeout, this, [this] { CheckSoon(); });
    // The folder is watched too: a file replaced by a rename (how most
    // programs save) or removed and made again leaves the file's watch, and
    // Follow takes it up again once the file is back.
    connect(&m_watcher, &QFileSystemWatcher::fileChanged, &m_settle, qOverload<>(&QTimer::start));
    connect(&m_watcher, &QFileSystemWatcher::directoryChanged, &m_settle, qOverload<>(&QTimer::start));
    m_poll.setInterval(kPollMs);
    connect(&m_poll, &QTimer::timeout, this, [this] { CheckSoon(); });
}

void DocumentWatch::Attach(CKelvoDoc& doc)
{
    m_doc = &doc;
    Follow();
}

void DocumentWatch::Follow()
{
    if (!m_doc)
        return;
    const QString path = m_doc->GetPathName();
    // Called after every command: a poll already running is not put off.
    const bool watching = !m_path.isEmpty() && (m_poll.isActive() || m_watcher.files().contains(m_path));
    if (path == m_path && (watching || path.isEmpty() || !platform::PathExists(path)))
        return;
    if (!m_watcher.files().isEmpty())
        m_watcher.removePaths(m_watcher.files());
    if (!m_watcher.directories().isEmpty())
        m_watcher.removePaths(m_watcher.directories());
    m_poll.stop();
    m_path = path;
    if (m_path.isEmpty())
        return;
    // The watcher names files in UTF-8; a name it would mangle is looked
    // at on a timer instead (a stat, and a read only when that differs).
    if (platform::EncodePath(m_path) != m_path.toUtf8()) {
        m_poll.start();
        return;
    }
    if (platform::PathExists(m_path))
        m_watcher.addPath(m_path);
    const QString folder = QFileInfo(m_path).absolutePath();
    if (platform::PathExists(folder))
        m_watcher.addPath(folder);
}

bool DocumentWatch::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == &m_window && event->type() == QEvent::ActivationChange && m_window.isActiveWindow())
        CheckSoon();
    return QObject::eventFilter(watched, event);
}

void DocumentWatch::CheckSoon()
{
    if (m_checkQueued || !m_doc)
        return;
    m_checkQueued = true;
    QTimer::singleShot(0, this, [this] {
        m_checkQueued = false;
        m_doc->CheckDiskChange();
        Follow();
    });
}
