#include "ToolRunner.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

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

ExecResult ExecOn(const QByteArray& input, const QStringList& options)
{
    QTemporaryDir dir;
    const QString in = dir.filePath(QStringLiteral("in.htm"));
    const QString out = dir.filePath(QStringLiteral("out.htm"));
    QFile file(in);
    ExecResult r;
    if (!dir.isValid() || !file.open(QIODevice::WriteOnly) || file.write(input) != input.size())
        return r;
    file.close();
    static_cast<ToolResult&>(r) =
        RunTool(QStringList{QStringLiteral("exec"), QStringLiteral("--config"),
                            dir.filePath(QStringLiteral("config"))}
                + options + QStringList{in, QStringLiteral("-o"), out});
    QFile saved(out);
    if (saved.open(QIODevice::ReadOnly))
        r.saved = saved.readAll();
    return r;
}
