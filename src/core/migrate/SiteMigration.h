#pragma once

#include "core/doc/CodeDeclarations.h"
#include "core/doc/CodeKinds.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <map>
#include <vector>

// Moving a whole site to UTF-8: each page, style sheet, script and text
// file read in its code and written in UTF-8 with its line ends and
// byte-order mark, and each declaration of the code made to name UTF-8;
// every other byte stays. Where data could be lost (bytes that are no
// character, a code that cannot be told, a declaration that says another
// code than the bytes, binary files) the file is left alone with its reason,
// unless the user names its code. Like publishing, a plan comes first (it
// is what a dry run prints) and the run applies it; a run stopped half-way
// is finished by running again, as the files it wrote are UTF-8 by then.
// Nothing here shows anything.

struct MigrationOptions {
    QString root;  // the site's folder
    // File-name patterns beyond DefaultMigrationPatterns ("*.inc").
    QStringList include;
    // The code the user names for a file (its path relative to the root, as
    // the plan shows it): read in that code whatever it declares.
    std::map<QString, CodeKind> codes;
    // Rewrite the declarations of .htaccess files too.
    bool serverConfig = false;
    // Where the originals of the written files are kept, in the site's
    // tree; empty for none.
    QString backup;
    // Files left alone (absolute paths), with the reason shown for them.
    QStringList keep;
    QString keepReason;
};

// *.htm *.html *.shtml *.php *.css *.js *.txt
QStringList DefaultMigrationPatterns();

// A declaration of a file and how it will read.
struct MigrationChange {
    CodeDeclaration declaration;
    // Its tag, rule or line before and after the change, on one line.
    QString before;
    QString after;
};

// What becomes of one file.
struct MigrationFile {
    enum class Action {
        Convert,  // written in UTF-8, its declarations with it
        Declare,  // UTF-8 or plain ASCII already: only declarations change
        Skip,     // left alone
    };
    Action action = Action::Skip;
    QString path;  // relative to the root, "/"-separated
    CodeKind from = CodeKind::Ascii;  // the code it is read in
    // Convert, Declare: the declarations rewritten, in the order of the
    // text. Skip: those left as they are (.htaccess), each a line of its own.
    std::vector<MigrationChange> changes;
    QString reason;  // Skip
    // The file as planned: the run writes it only while it is unchanged.
    qint64 size = -1;
    quint64 digest = 0;

    // "convert PATH: ShiftJis -> Utf8", "declare PATH: LINE: DECLARATION",
    // "skip PATH: REASON"
    QStringList Lines() const;
};

struct MigrationPlan {
    QString root;  // absolute
    // Files to write and files left alone with a reason, in path order;
    // files that need nothing are not listed.
    std::vector<MigrationFile> files;
    int unchanged = 0;
    // A reason that stops the whole run (a backup folder that would mix
    // with the site); empty when the plan may run.
    QString error;
    int Count(MigrationFile::Action action) const;
    QStringList Lines() const;
};

// The number of files done of how many, and the one under way; returns
// false to stop (the user cancelled).
using MigrationProgress = std::function<bool(int done, int total, const QString& path)>;

MigrationPlan PlanMigration(const MigrationOptions& options, const MigrationProgress& progress = {},
                            bool* cancelled = nullptr);

struct MigrationResult {
    QStringList written;  // relative paths, in the order written
    // Planned files the run left alone, with the reason (changed since the
    // plan, not writable, no backup possible).
    std::vector<MigrationFile> failed;
    bool cancelled = false;
};

// Writes the plan's files: each read again and written, through the
// safe-save layer, only when it still has the planned bytes; with a backup
// folder its original is copied there first (a copy an earlier run made is
// kept: it holds the file as it was before any run).
MigrationResult ApplyMigration(const MigrationPlan& plan, const MigrationOptions& options,
                               const MigrationProgress& progress = {});
