#pragma once

#include <QString>
#include <QStringList>

namespace platform {

// Starts a program that lives on by itself (neither waited for nor ended
// with this one), with each argument passed as its bytes: a path that is
// no UTF-8 reaches the program as the file system names it, which
// QProcess's own encoding would not. A program without a "/" is looked up
// on PATH. False when it could not be started (no such program, not
// executable, no such working folder).
bool StartDetached(const QString& program, const QStringList& arguments,
                   const QString& workingFolder = QString());

} // namespace platform
