#pragma once

#include <QByteArray>
#include <QStringList>

// Runs the real kelvo-tool binary, as a user's script would.
struct ToolResult {
    int status = -1;
    QString out;
    QString err;
    QStringList Lines() const { return out.split(u'\n', Qt::SkipEmptyParts); }
};

ToolResult RunTool(const QStringList& args);

// Runs "kelvo-tool exec OPTIONS IN -o OUT" on a file holding the input, with
// settings in a folder of its own; gives the result and the bytes saved.
struct ExecResult : ToolResult {
    QByteArray saved;
};
ExecResult ExecOn(const QByteArray& input, const QStringList& options);
