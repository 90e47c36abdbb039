#include "ToolRunner.h"

#include <QProcess>

ToolResult RunTool(const QStringList& args)
{
    QProcess p;
    p.start(QStringLiteral(KELVO_TOOL_PATH), args);
    ToolResult r;
    if (!p.waitForFinished(120000)) {
        p.kill();
        p.waitForFinished();
        return r;
    }
    r.status = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.out = QString::fromUtf8(p.readAllStandardOutput());
    r.err = QString::fromUtf8(p.readAllStandardError());
    return r;
}
