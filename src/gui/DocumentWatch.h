#pragma once

#include <QFileSystemWatcher>
#include <QObject>
#include <QString>
#include <QTimer>

class CKelvoDoc;
class QPlainTextEdit;
class QWidget;

// Keeps an eye on the document for the main window: another program's
// change of its file is noticed when the file watcher reports it and when
// the window comes back to the front, and the document decides what to say
// (CKelvoDoc::CheckDiskChange); a few seconds after an edit the document
// journals its text (CKelvoDoc::WriteJournal).
class DocumentWatch : public QObject {
public:
    DocumentWatch(QWidget& window, QPlainTextEdit& edit);

    // From the first edit to the journal.
    static constexpr int kJournalDelayMs = 3000;
    // How long the file must stay as it is after a reported change before
    // it is looked at: a save in several steps (emptied, then written, or
    // removed and made again) is seen when it is done, and asked about once.
    static constexpr int kSettleMs = 300;
    // How often a file the watcher cannot follow (a name that is not
    // UTF-8) is looked at.
    static constexpr int kPollMs = 2000;

    void Attach(CKelvoDoc& doc);
    // Watches the document's file as it is now (after an open, a save under
    // another name, or a file that came back).
    void Follow();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Checks once the events that caused it are done.
    void CheckSoon();

    QWidget& m_window;
    CKelvoDoc* m_doc = nullptr;
    QFileSystemWatcher m_watcher;
    QString m_path;
    bool m_checkQueued = false;
    QTimer m_settle;
    QTimer m_poll;
    QTimer m_journalTimer;
};
