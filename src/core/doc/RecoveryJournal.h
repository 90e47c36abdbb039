#pragma once

#include "core/doc/CodeKinds.h"
#include "platform/FileAccess.h"

#include <QDateTime>
#include <QString>
#include <QStringList>

#include <condition_variable>
#include <mutex>
#include <optional>
#include <thread>

// What the editor has not saved, kept in the user's data folder a few
// seconds after each change, so that after a crash or a kill the next start
// can offer it back.
struct JournalEntry {
    QString path;  // the document's file; empty for a new document
    CodeKind code = CodeKind::ShiftJis;
    LineEndKind lineEnd = LineEndKind::CrLf;
    QDateTime time;
    // The file as it was loaded (size and digest), to tell whether the text
    // still belongs to it; size < 0 when there was none.
    platform::FileStamp original;
    QString text;
};

// The running program's journal. While it holds one, the program holds a
// lock beside it, so that another program's start never takes a journal of
// a program still running; the lock goes with the process, whatever ends it.
//
// The journal is written by a thread of its own: a page of many megabytes
// takes the disk a good part of a second, which typing must not wait for.
class RecoveryJournal {
public:
    RecoveryJournal();
    ~RecoveryJournal();
    RecoveryJournal(const RecoveryJournal&) = delete;
    RecoveryJournal& operator=(const RecoveryJournal&) = delete;

    // Has the entry written safely in place of the journal. An entry not yet
    // begun when a newer one comes is dropped for it. False when no journal
    // can be kept (the data folder cannot be written), known at once for the
    // first, or when the last write failed.
    bool Write(JournalEntry entry);
    // The text was saved or given up: no journal, also none that a write
    // under way would leave.
    void Remove();
    // Waits until what Write was given is on disk.
    void Flush();

    // The journals of programs that ended without removing theirs, oldest
    // first.
    static QStringList Orphans();
    static std::optional<JournalEntry> Read(const QString& file);
    // Removes a journal and its lock.
    static void Discard(const QString& file);
    static QString Folder();

private:
    bool Lock();
    void Run();
    // Waits for the writer to be idle with nothing queued.
    void WaitIdle(std::unique_lock<std::mutex>& lock);

    QString m_file;
    int m_lock = -1;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::optional<JournalEntry> m_queued;
    bool m_writing = false;
    bool m_stop = false;
    bool m_failed = false;
    std::thread m_writer;
};
