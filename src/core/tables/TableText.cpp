#include "core/tables/TableText.h"

#include "core/edit/EditBuffer.h"

#include <algorithm>
#include <climits>
#include <memory>

namespace {

constexpr char16_t kIdeographicSpace = u'\u3000';

} // namespace

QStringList SplitDelimitedLine(const QString& line, const QString& separators,
                               bool eachSeparator)
{
    QStringList fields;
    const qsizetype n = line.size();
    auto isSeparator = [&](qsizetype i) { return separators.contains(line[i]); };
    if (eachSeparator) {
        qsizetype start = 0;
        for (qsizetype i = 0; i < n; ++i) {
            if (isSeparator(i)) {
                fields.append(line.mid(start, i - start));
                start = i + 1;
            }
        }
        if (start < n)
            fields.append(line.mid(start));
        return fields;
    }
    qsizetype i = 0;
    if (n > 0 && isSeparator(0)) {
        fields.append(QString());
        while (i < n && isSeparator(i))
            ++i;
    }
    while (i < n) {
        const qsizetype start = i;
        while (i < n && !isSeparator(i))
            ++i;
        fields.append(line.mid(start, i - start));
        while (i < n && isSeparator(i))
            ++i;
    }
    return fields;
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
                           bool eachSeparator, const TableStyle& style)
{
    return *DelimitedTablePieces(lines, separators, eachSeparator, style, INT_MAX)();
}

EditBuffer::PieceSource DelimitedTablePieces(const QStringList& lines, const QString& separators,
                                             bool eachSeparator, const TableStyle& style,
                                             int linesPerPiece)
{
    struct State {
        QStringList lines;
        QString separators;
        bool eachSeparator;
        TableStyle style;
        qsizetype perPiece;
        qsizetype next = 0;  // the first line not yet made into a row
        bool started = false;
        bool ended = false;
    };
    auto state = std::make_shared<State>(State{lines, separators, eachSeparator, style,
                                               std::max<qsizetype>(linesPerPiece, 1)});
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
        for (; s.next < stop; ++s.next) {
            const QString& line = s.lines[s.next];
            if (!line.isEmpty())
                out += TableRowText(SplitDelimitedLine(line, s.separators, s.eachSeparator),
                                    static_cast<int>(s.next), s.style);
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
