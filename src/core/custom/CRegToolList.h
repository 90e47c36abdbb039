#pragma once

#include "core/custom/RegisteredLists.h"

#include <QStringList>

#include <vector>

class CKelvoApp;

// The registered tools as the list dialog edits them: up to kMaxEntries
// (name, file), kept in the settings section "Tool".
class CRegToolList {
public:
    static constexpr int kMaxEntries = 30;

    void Load(const CKelvoApp& app);
    // The count first, then every entry.
    void Save(CKelvoApp& app) const;

    std::vector<RegisteredTool> entries;
};

// How a tool's file starts. The file is a command line split into words
// as a shell would split it, without a shell ever reading it: blanks part
// words; '...' keeps its text as it is, "..." keeps blanks and takes a
// backslash before " \ $ or ` as that character; outside quotes a
// backslash keeps the next character. The first word is the program, the
// others its arguments, and every "%" outside quotes stands for the
// document's path, so "viewer --new %" passes the path as one argument
// whatever it holds. A line whose words begin with an existing file's
// path written with blanks and no quotes ("/opt/My Tool/run %") takes that
// path as the program, as lines written before quoting did. An untitled
// document has no path: the words that would hold it are left out.
struct ToolInvocation {
    QString program;
    QStringList arguments;
    // Why nothing can be started (a quote left open, no program); empty
    // when the line is sound.
    QString error;
};
ToolInvocation ToolInvocationFor(const QString& file, const QString& documentPath);

// The path as one word of a tool's command line: quoted when it holds
// blanks, quotes, backslashes or "%".
QString QuotedToolWord(const QString& path);
