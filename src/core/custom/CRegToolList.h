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

// How a tool's file starts: the program is the text before the first "%"
// and its one argument the document's path (nothing after the "%" counts);
// a file without "%" is the program alone. An untitled document gives no
// argument.
struct ToolInvocation {
    QString program;
    QStringList arguments;
};
ToolInvocation ToolInvocationFor(const QString& file, const QString& documentPath);
