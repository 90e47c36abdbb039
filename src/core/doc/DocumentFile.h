#pragma once

#include "platform/FileAccess.h"

#include <QString>

// The largest document the editor reads: its text (two bytes a character,
// offsets in int) stays addressable.
constexpr qint64 kMaxDocumentSize = qint64(1) << 30;

// What the user is told when a file cannot be read or written; empty for
// FileError::None.
QString ReadFailureMessage(platform::FileError error, const QString& path);
QString SaveFailureMessage(platform::FileError error, const QString& path);
