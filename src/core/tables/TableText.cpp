#include "core/tables/TableText.h"

#include "core/edit/EditBuffer.h"

#include <algorithm>
#include <climits>
#include <memory>

namespace {

constexpr char16_t kIdeographicSpace = u'\u3000';

} // namespace

QStringList ReadDelimitedRow(const QStringList& lines, qsizetype& next, const QString& separators,
                             bool eachSeparator, bool quotedFields)
{
    QString line = lines.at(next++);
    qsizetype i = 0;
    auto isSeparator = [&](qsizetype at) { return separators.contains(line[at]); };
    // The quoted field at i, read up to its closing quote, which may lie on
    // a later line; false (nothing moved) when no quote closes it.
    auto readQuoted = [&](QString& field) {
        qsizetype row = next;
        QString current = line;
        QString value;
        for (qsizetype j = i + 1;; ++j) {
            if (j >= current.size()) {
                if (row >= lines.size())
                    return false;
                value += kCrLf;
                current = lines.at(row++);
                j = -1;
            } else if (current[j] != u'"') {
                value += current[j];
            } else if (j + 1 < current.size() && current[j + 1] == u'"') {
                value += u'"';
                ++j;
            } else {
                line = current;
                next = row;
                i = j + 1;
                field = value;
                return true;
            }
        }
    };
    auto readField = [&](bool& quoted) {
        QString value;
        quoted = quotedFields && i < line.size() && line[i] == u'"' && readQuoted(value);
        const qsizetype start = i;
        while (i < line.size() && !isSeparator(i))
            ++i;
        return value + line.mid(start, i - start);
    };
    QStringList fields;
    bool quoted = false;
    if (eachSeparator) {
        for (;;) {
            QString field = readField(quoted);
            if (i < line.size()) {
                fields.append(field);
                ++i;
            } else {
                if (!field.isEmpty() || quoted)
                    fields.append(field);
                return fields;
            }
        }
    }
    if (!line.isEmpty() && isSeparator(0)) {
        fields.append(QString());
        while (i < line.size() && isSeparator(i))
            ++i;
    }
    while (i < line.size()) {
        fields.append(readField(quoted));
        while (i < line.size() && isSeparator(i))
            ++i;
    }
    return fields;
}

QStringList SplitDelimitedLine(const QString& line, const QString& separators,
                               bool eachSeparator)
{
    qsizetype next = 0;
    return ReadDelimitedRow(QStringList{line}, next, separators, eachSeparator, false);
}

QString TableCellText(const QString& text, int row, int column, const TableStyle& style)
{
    const QString name = row == 0 && style.item ? QStringLiteral("TH") : QStringLiteral("TD");
    QString cell = u'<' + name;
    if (style.enable && column == 0)
        cell += QStringLiteral(" BGCOLOR=\"#%1\"").arg(row == 0 ? style.color1 : style.color4);
    if (style.classes)
        cell += QStringLiteral(" CLASS=\"item%1\"").arg(column + 1);
    cell += u'>';
    if (text.isEmpty() && style.space)
        cell += QChar(kIdeographicSpace);
    else
        cell += text;
    cell += QStringLiteral("</") + name + u'>';
    return cell;
}

QString TableRowText(const QStringList& cells, int row, const TableStyle& style)
{
    QString out = QStringLiteral("<TR");
    if (style.enable)
        out += QStringLiteral(" BGCOLOR=\"#%1\"").arg(row == 0 ? style.color2 : style.color5);
    out += u'>';
    for (int c = 0; c < cells.size(); ++c)
        out += TableCellText(cells[c], row, c, style);
    out += QStringLiteral("</TR>") + kCrLf;
    return out;
}

QString DelimitedTableText(const QStringList& lines, const QString& separators,
                           bool eachSeparator, const TableStyle& style, bool quotedFields)
{
    return *DelimitedTablePieces(lines, separators, eachSeparator, style, INT_MAX, quotedFields)();
}

EditBuffer::PieceSource DelimitedTablePieces(const QStringList& lines, const QString& separators,
                                             bool eachSeparator, const TableStyle& style,
                                             int linesPerPiece, bool quotedFields)
{
    struct State {
        QStringList lines;
        QString separators;
        bool eachSeparator;
        TableStyle style;
        qsizetype perPiece;
        bool quotedFields;
        qsizetype next = 0;  // the first line not yet made into a row
        bool started = false;
        bool ended = false;
    };
    auto state = std::make_shared<State>(State{lines, separators, eachSeparator, style,
                                               std::max<qsizetype>(linesPerPiece, 1),
                                               quotedFields});
    return [state]() -> std::optional<QString> {
        State& s = *state;
        if (s.ended)
            return std::nullopt;
        QString out;
        if (!s.started) {
            out = QStringLiteral("<TABLE BORDER=\"1\">") + kCrLf;
            s.started = true;
        }
        const qsizetype stop = s.lines.size() - s.next <= s.perPiece ? s.lines.size()
                                                                      : s.next + s.perPiece;
        // A row with a quoted line break may take lines past the stop.
        while (s.next < stop) {
            const int row = static_cast<int>(s.next);
            if (s.lines[s.next].isEmpty()) {
                ++s.next;
                continue;
            }
            out += TableRowText(ReadDelimitedRow(s.lines, s.next, s.separators, s.eachSeparator,
                                                 s.quotedFields),
                                row, s.style);
        }
        if (s.next == s.lines.size()) {
            out += QStringLiteral("</TABLE>") + kCrLf;
            s.ended = true;
        }
        return out;
    };
}

QString WizardTableText(int rows, int columns, const QStringList& cells,
                        const TableStyle& style)
{
    QString out = QStringLiteral("<TABLE BORDER>") + kCrLf;
    for (int r = 0; r < rows; ++r) {
        QStringList row;
        for (int c = 0; c < columns; ++c)
            row.append(cells.value(r * columns + c));
        out += TableRowText(row, r, style);
    }
    out += QStringLiteral("</TABLE>") + kCrLf;
    return out;
}

QString FramedBoxText(int borderWidth, const QString& color, const QString& text)
{
    return QStringLiteral("<TABLE BORDER=\"%1\">").arg(borderWidth) + kCrLf
        + QStringLiteral("<TR><TD BGCOLOR=\"") + color + QStringLiteral("\">") + kCrLf
        + text + kCrLf + QStringLiteral("</TD>") + kCrLf
        + QStringLiteral("</TR></TABLE>") + kCrLf;
}

QString MarginsTableText(const QString& leftWidth, const QString& rightWidth,
                         const QString& text)
{
    auto marginCell = [](const QString& width) {
        return QStringLiteral("<TD WIDTH=\"") + width + QStringLiteral("\"></TD>") + kCrLf;
    };
    QString out = QStringLiteral("<TABLE BORDER=\"0\" WIDTH=\"100%\">") + kCrLf
        + QStringLiteral("<TR>");
    if (!leftWidth.isEmpty())
        out += marginCell(leftWidth);
    out += QStringLiteral("<TD>") + kCrLf + text + kCrLf + QStringLiteral("</TD>") + kCrLf;
    if (!rightWidth.isEmpty())
        out += marginCell(rightWidth);
    out += QStringLiteral("</TR></TABLE>") + kCrLf;
    return out;
}

QString DateText(const QDate& date)
{
    return QStringLiteral("%1/%2/%3").arg(date.year()).arg(date.month()).arg(date.day());
}

QString SwapColorPairs(const QString& color)
{
    if (color.size() != 6)
        return color;
    return color.mid(4, 2) + color.mid(2, 2) + color.left(2);
}
