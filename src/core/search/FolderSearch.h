#pragma once

#include "core/doc/CodeKinds.h"

#include <QByteArray>
#include <QRegularExpression>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>
#include <vector>

// Search and replace across the files of a folder. Each file is read in the
// code detected for it and, when changed, written back in that code and
// with its line ends; every line the replacement does not touch keeps its
// bytes, which is checked on the encoded result before anything is written.
// Nothing here shows anything: the commands and the tool run it on a worker
// thread and show its results.

// Files larger than this are listed as skipped instead of being read.
inline constexpr qint64 kMaxSearchFileSize = qint64(32) << 20;

struct FolderSearchOptions {
    QString folder;
    QStringList patterns;  // file-name wildcards ("*.html"); empty means every file
    bool subfolders = true;
    bool matchCase = false;
    bool regex = false;
    QString find;
    // Plain: inserted as it is. Regular expression: "\0".."\9" insert the
    // match and its groups, "\\" a backslash.
    QString replacement;
};

// The file-name patterns of a field: separated by ";", "," or blanks.
QStringList ParseFilePatterns(const QString& text);

// The search as it runs on each line; holds the compiled expression.
class LineMatcher {
public:
    explicit LineMatcher(const FolderSearchOptions& options);
    // Empty when the options can be searched with; else what is wrong
    // (no search text, an expression that does not compile).
    QString Error() const { return m_error; }

    struct Hit {
        qsizetype start = 0;
        qsizetype length = 0;
        QString replacement;  // filled by Replace
    };
    // Every hit in the line, left to right, none overlapping; a hit of no
    // length is no hit (an expression like "x*" finds nothing by itself).
    std::vector<Hit> Find(const QString& line, bool withReplacement) const;

private:
    FolderSearchOptions m_options;
    QRegularExpression m_expression;
    QString m_error;
};

// One line of a file that holds hits.
struct LineHits {
    int line = 0;  // from 0
    QString text;  // the line as it was
    std::vector<LineMatcher::Hit> hits;
    QString replaced;  // the line after the replacement (replacing only)
};

// What became of one file.
struct FileOutcome {
    QString path;
    CodeKind code = CodeKind::Ascii;
    LineEndKind lineEnd = LineEndKind::None;
    std::vector<LineHits> lines;
    int hitCount = 0;
    // Not empty when the file was left alone; says why.
    QString skipped;
    // Replacing: the bytes to write (empty when nothing changes or the file
    // is skipped), and a digest of the bytes read, so that a file changed
    // in between is noticed before it is written.
    QByteArray newBytes;
    QByteArray digest;
};

// Reads the bytes of one file and finds (and, when replacing, makes) the
// changes. Skips what does not decode cleanly, what cannot be written back
// byte for byte, and a replacement the file's code cannot hold.
FileOutcome SearchFileBytes(const QString& path, const QByteArray& bytes,
                            const LineMatcher& matcher, bool replacing);

// The files the options name, in name order, folders after the files of
// their parent. Includes entries that are no regular files (they are
// skipped with a reason when read); symbolic links to folders are not
// followed, and hidden folders are left out, as are hidden files that no
// pattern names with their dot (".htaccess").
QStringList ListSearchFiles(const FolderSearchOptions& options);

// Progress of a run over many files: the number done of how many, and the
// file under way. Returns false to stop (the user cancelled).
using SearchProgress = std::function<bool(int done, int total, const QString& path)>;

struct FolderSearchResult {
    std::vector<FileOutcome> files;  // files with hits and skipped files
    int filesSearched = 0;
    bool cancelled = false;
    int HitCount() const;
    int SkippedCount() const;
};

// Searches (or plans the replacement in) every file. Outcomes keep no new
// bytes: the replacement is made again when it is applied.
FolderSearchResult SearchFolder(const FolderSearchOptions& options, const SearchProgress& progress,
                                bool replacing);

struct ReplaceApplied {
    int filesChanged = 0;
    int hitsReplaced = 0;
    std::vector<FileOutcome> skipped;  // with their reasons
    QStringList changedPaths;
    bool cancelled = false;
};

// Writes the planned replacements: each file is read again, and written
// only when its bytes are still those that were planned (by digest) and the
// replacement still gives the same number of hits; each file is replaced
// whole or not at all. Paths in `keep` are skipped with keepReason (the
// open document with unsaved changes).
ReplaceApplied ApplyReplacements(const FolderSearchOptions& options,
                                 const std::vector<FileOutcome>& plan,
                                 const SearchProgress& progress, const QStringList& keep = {},
                                 const QString& keepReason = QString());

// A piece of a long line around a hit, so that a minified page's one line
// does not fill the list: at most about `width` characters, with "…" where
// it was cut. Tabs are shown as blanks.
QString LineExcerpt(const QString& line, qsizetype start, qsizetype length, int width = 100);
