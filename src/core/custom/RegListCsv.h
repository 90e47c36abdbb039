#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <vector>

// The CSV files the registered tag and tool lists are exported to and
// imported from. Every field is written between double quotation marks
// (marks inside a field are not escaped, as the format has always been),
// fields are separated by commas, lines end in CR LF, and a CR LF inside a
// field is written as U+0001 U+0002.

// The file's bytes: the header line when one is given, then one line per
// row. In the device code page when every character fits it, else in
// UTF-8 (which the reader recognises), so nothing is lost.
QByteArray CsvFileBytes(const std::vector<QStringList>& rows, const QStringList& header);

// The fields of one line: a field that begins with a quotation mark runs to
// the next mark followed by a comma or the line end, without the marks; any
// other field runs to the next comma. U+0001 U+0002 turns back into CR LF.
QStringList SplitCsvLine(const QString& line);

struct CsvImport {
    std::vector<QStringList> rows;
    // A line had another number of fields than required; rows holds the
    // lines before it.
    bool formatError = false;
};
// The rows of a file's lines. With a header the first line is not imported
// and its field count sets every line's count (missing fields added empty,
// extra ones dropped); without one the first line sets it. Each row must
// then have requiredFields fields. A file that holds no line after its
// header gives no row.
CsvImport ParseCsvLines(const QStringList& lines, bool withHeader, int requiredFields);

// At most this many lines of a file are read.
inline constexpr int kCsvMaxLines = 2000;
