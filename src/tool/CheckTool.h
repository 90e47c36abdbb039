#pragma once

#include <QStringList>
#include <QTextStream>

// kelvo-tool check [--root DIR] [--config DIR] FILE|FOLDER...: the editor's
// page check. One line per problem, "FILE:LINE:COLUMN: error|warning|hint:
// MESSAGE", as compilers write them (the column in UTF-16 units, as the
// editor counts). Status 1 when any page has an error or cannot be read,
// 0 otherwise, 2 for bad arguments.
int CheckCommand(const QStringList& args, QTextStream& out, QTextStream& err);
