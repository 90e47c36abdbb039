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
