#pragma once

#include <QStringList>
#include <QTextStream>

// The batch tool: detect, convert and exec. Gives the process exit status:
// 0 done, 1 a file could not be read or written, 2 bad arguments.
int RunKelvoTool(const QStringList& args, QTextStream& out, QTextStream& err);
