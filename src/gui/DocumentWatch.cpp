#include "gui/DocumentWatch.h"

#include "core/doc/CKelvoDoc.h"
#include "platform/FileAccess.h"

#include <QEvent>
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
    // A file replaced by a rename (how most programs save) leaves the
    // watcher; Follow takes it up again.
    connect(&m_watcher, &QFileSystemWatcher::fileChanged, this, [this] { CheckSoon(); });
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
    const bool watching = !m_path.isEmpty() && m_watcher.files().contains(m_path);
    if (path == m_path && (watching || path.isEmpty() || !platform::PathExists(path)))
        return;
    if (!m_watcher.files().isEmpty())
        m_watcher.removePaths(m_watcher.files());
    m_path = path;
    if (!m_path.isEmpty() && platform::PathExists(m_path))
        m_watcher.addPath(m_path);
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
