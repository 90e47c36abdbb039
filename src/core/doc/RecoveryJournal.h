#pragma once

#include "core/doc/CodeKinds.h"
#include "platform/FileAccess.h"

#include <QDateTime>
#include <QString>
#include <QStringList>

#include <optional>

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
class RecoveryJournal {
public:
    RecoveryJournal();
    ~RecoveryJournal();
    RecoveryJournal(const RecoveryJournal&) = delete;
    RecoveryJournal& operator=(const RecoveryJournal&) = delete;

    // Replaces the journal, written safely; false when it cannot be written.
    bool Write(const JournalEntry& entry);
    // The text was saved or given up: no journal.
    void Remove();

    // The journals of programs that ended without removing theirs, oldest
    // first.
    static QStringList Orphans();
    static std::optional<JournalEntry> Read(const QString& file);
    // Removes a journal and its lock.
    static void Discard(const QString& file);
    static QString Folder();

private:
    bool Lock();

    QString m_file;
    int m_lock = -1;
};
