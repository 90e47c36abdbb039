#include "core/custom/RegListCsv.h"

#include "platform/Cp932.h"

namespace {

const QString kCrLf = QStringLiteral("\r\n");
const QString kEscapedCrLf = QStringLiteral("\x01\x02");

QString CsvLine(const QStringList& fields)
{
    QStringList quoted;
    for (QString f : fields) {
        f.replace(kCrLf, kEscapedCrLf);
        quoted.append(u'"' + f + u'"');
    }
    return quoted.join(u',') + kCrLf;
}

bool FitsCodePage(const QString& text)
{
    for (char32_t c : text.toUcs4())
        if (!platform::Cp932RoundTrips(c))
            return false;
    return true;
}

} // namespace

QByteArray CsvFileBytes(const std::vector<QStringList>& rows, const QStringList& header)
{
    QString text;
    if (!header.isEmpty())
        text += CsvLine(header);
    for (const QStringList& row : rows)
        text += CsvLine(row);
    return FitsCodePage(text) ? platform::UnicodeToCp932(text) : text.toUtf8();
}

QStringList SplitCsvLine(const QString& line)
{
    QStringList fields;
    const qsizetype n = line.size();
    qsizetype pos = 0;
    for (;;) {
        QString field;
        bool comma = false;
        if (pos < n && line[pos] == u'"') {
            qsizetype close = -1;
            for (qsizetype j = pos + 1; j < n; ++j)
                if (line[j] == u'"' && (j + 1 == n || line[j + 1] == u',')) {
                    close = j;
                    break;
                }
            if (close < 0) {
                field = line.mid(pos + 1);
                pos = n;
            } else {
                field = line.mid(pos + 1, close - pos - 1);
                comma = close + 1 < n;
                pos = close + 2;
            }
        } else {
            const qsizetype next = line.indexOf(u',', pos);
            if (next < 0) {
                field = line.mid(pos);
                pos = n;
            } else {
                field = line.mid(pos, next - pos);
                comma = true;
                pos = next + 1;
            }
        }
        field.replace(kEscapedCrLf, kCrLf);
        fields.append(field);
        if (!comma)
            return fields;
    }
}

CsvImport ParseCsvLines(const QStringList& lines, bool withHeader, int requiredFields)
{
    CsvImport result;
    if (lines.isEmpty())
        return result;
    const int width = static_cast<int>(SplitCsvLine(lines.first()).size());
    for (qsizetype i = withHeader ? 1 : 0; i < lines.size(); ++i) {
        QStringList fields = SplitCsvLine(lines[i]);
        while (fields.size() < width)
            fields.append(QString());
        fields = fields.mid(0, width);
        if (fields.size() != requiredFields) {
            result.formatError = true;
            break;
        }
        result.rows.push_back(fields);
    }
    return result;
}
