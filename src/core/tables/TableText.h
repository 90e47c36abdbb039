#pragma once

#include "core/edit/EditBuffer.h"

#include <QDate>
#include <QString>
#include <QStringList>

// How generated table rows and cells look: the table options of the view
// and the four colours of the "Table" settings (six hex digits RRGGBB).
struct TableStyle {
    bool enable = true;   // BGCOLOR on rows and on first-column cells
    bool classes = false; // CLASS="item<column>" on every cell
    bool space = false;   // an empty cell holds an ideographic space
    bool item = false;    // cells of the first row are TH
    QString color1 = QStringLiteral("FFFFFF");  // first cell of the first row
    QString color2 = QStringLiteral("FFFFFF");  // first row
    QString color4 = QStringLiteral("FFFFFF");  // first cell of the other rows
    QString color5 = QStringLiteral("FFFFFF");  // the other rows
};

// Reads the fields of one row from lines[next] on and moves next past the
// lines it took. With eachSeparator every separator ends a field, so
// consecutive separators give empty fields; the text after the last
// separator is a field only when it is not empty (or quoted). Without it a
// run of separators counts as one; a leading run gives one empty first
// field and a trailing run no field. Fields are not trimmed.
//
// With quotedFields a field that begins with a double quote is read as
// spreadsheets write comma- and tab-separated text: it runs to the quote
// that closes it, over separators and line ends (kept as CR LF), a doubled
// quote stands for one, and text between the closing quote and the next
// separator is added as it is. A quote that nothing closes is text, as is
// every quote that does not begin a field.
QStringList ReadDelimitedRow(const QStringList& lines, qsizetype& next, const QString& separators,
                             bool eachSeparator, bool quotedFields);
// One line read by ReadDelimitedRow without quotes.
QStringList SplitDelimitedLine(const QString& line, const QString& separators,
                               bool eachSeparator);

// One cell ('<TD BGCOLOR="#FFFFFF" CLASS="item1">a</TD>') of row r,
// column c, both counted from 0.
QString TableCellText(const QString& text, int row, int column, const TableStyle& style);
// One row with its cells and a CR LF after "</TR>".
QString TableRowText(const QStringList& cells, int row, const TableStyle& style);

// The table for delimited lines: one row per line (or per quoted record
// with quotedFields, see ReadDelimitedRow); an empty line gives no row but
// still counts, so it can take the place of the first row.
QString DelimitedTableText(const QStringList& lines, const QString& separators,
                           bool eachSeparator, const TableStyle& style,
                           bool quotedFields = false);
// The same table in pieces of the rows of at most linesPerPiece lines, the
// first piece with the table's start tag and the last with its end tag, for
// EditBuffer::ReplaceSelPieces. The source keeps its own copies of
// everything it reads.
EditBuffer::PieceSource DelimitedTablePieces(const QStringList& lines, const QString& separators,
                                             bool eachSeparator, const TableStyle& style,
                                             int linesPerPiece, bool quotedFields = false);

// The wizard's table: cells in row order, every row written even when all
// of its cells are empty.
QString WizardTableText(int rows, int columns, const QStringList& cells,
                        const TableStyle& style);

// A one-cell table with a border around the text; the colour goes into
// BGCOLOR exactly as given.
QString FramedBoxText(int borderWidth, const QString& color, const QString& text);

// A full-width borderless table that puts empty cells of the given widths
// left and right of the text; an empty width leaves its cell out.
QString MarginsTableText(const QString& leftWidth, const QString& rightWidth,
                         const QString& text);

// "2007/3/5": year, month and day without leading zeros.
QString DateText(const QDate& date);

// Exchanges the first and last digit pairs of a six-digit colour, turning
// RRGGBB into BBGGRR and back. Any other text comes back unchanged.
QString SwapColorPairs(const QString& color);
