#pragma once

#include "core/ftp/CFtpEntry.h"

#include <QString>
#include <QStringList>

#include <vector>

// The server listing ("LIST -L") turned into entries. A text whose first
// character is a digit is read in DOS style (date, 12-hour time, "<DIR>" or
// size, name), any other in UNIX style (nine columns). Lines that do not fit,
// and lines whose date or time is impossible, are skipped.

// Splits at runs of the delimiters: a run at the start gives one empty first
// field, a run at the end gives no empty last field.
QStringList SplitFtpFields(const QString& text, const QString& delimiters);

// currentYear dates UNIX lines that show a time instead of a year.
std::vector<CFtpEntry> ParseFtpListing(const QString& text, int currentYear);
// The same with the current local year.
std::vector<CFtpEntry> ParseFtpListing(const QString& text);
