#pragma once

#include "core/ftp/CFtpEntry.h"

#include <QDateTime>
#include <QString>
#include <QStringList>

#include <vector>

// The server listing ("LIST -L") turned into entries. A text whose first
// character is a digit is read in DOS style (date, 12-hour time, "<DIR>" or
// size, name), any other in UNIX style (eight columns, then the name). In
// both the name is the rest of the line, blanks and all. Lines that do not
// fit, and lines whose date or time is impossible, are skipped.

// Splits at runs of the delimiters: a run at the start gives one empty first
// field, a run at the end gives no empty last field.
QStringList SplitFtpFields(const QString& text, const QString& delimiters);

// `now` dates UNIX lines that show a time instead of a year.
std::vector<CFtpEntry> ParseFtpListing(const QString& text, const QDateTime& now);
// The same at the current local time.
std::vector<CFtpEntry> ParseFtpListing(const QString& text);

// A machine listing (MLSD, RFC 3659): "fact=value;...; name" a line. Types,
// sizes and times (UTC, to the second) are exact; "cdir" and "pdir" lines
// and lines without a type are left out. UNIX.mode gives the mode text.
std::vector<CFtpEntry> ParseMlsdListing(const QString& text);
// The time of a "modify" fact or an MDTM reply, "YYYYMMDDHHMMSS[.sss]" UTC;
// invalid when the text is no such time.
QDateTime ParseFtpTimeValue(const QString& text);
