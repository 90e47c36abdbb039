#include "core/ftp/FtpListParser.h"

#include <QDate>
#include <QTime>

#include <limits>

namespace {

const QString kMonths[12] = {
    QStringLiteral("Jan"), QStringLiteral("Feb"), QStringLiteral("Mar"), QStringLiteral("Apr"),
    QStringLiteral("May"), QStringLiteral("Jun"), QStringLiteral("Jul"), QStringLiteral("Aug"),
    QStringLiteral("Sep"), QStringLiteral("Oct"), QStringLiteral("Nov"), QStringLiteral("Dec"),
};

// The leading integer of a text, as the C library reads one: blanks, a sign,
// then digits; anything else ends it, and no digits read as 0.
qint64 LeadingInt(QStringView text)
{
    qsizetype i = 0;
    while (i < text.size() && (text[i] == u' ' || text[i] == u'\t'))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == u'-' || text[i] == u'+'))
        negative = text[i++] == u'-';
    qint64 value = 0;
    constexpr qint64 limit = std::numeric_limits<qint64>::max() / 10 - 9;
    for (; i < text.size() && text[i] >= u'0' && text[i] <= u'9'; ++i) {
        if (value < limit)
            value = value * 10 + (text[i].unicode() - u'0');
    }
    return negative ? -value : value;
}

int SmallInt(QStringView text)
{
    const qint64 value = LeadingInt(text);
    return value > 100000 || value < -100000 ? -1 : int(value);
}

// An impossible date or time gives no entry: a made-up time would sort and
// show as if the server had sent it.
bool MakeTime(int year, int month, int day, int hour, int minute, QDateTime& time)
{
    const QDate date(year, month, day);
    if (!date.isValid() || hour < 0 || hour > 23 || minute < 0 || minute > 59)
        return false;
    const QTime clock(hour, minute);
    time = QDateTime(date, clock, Qt::LocalTime);
    if (time.isValid())
        return true;
    // A time the local clock skipped when it was put forward: the server's
    // clock (or zone) had it, so it is kept, moved on by the skipped span as
    // the local clock reads it.
    const QDateTime dayBefore(date.addDays(-1), clock, Qt::LocalTime);
    if (!dayBefore.isValid())
        return false;
    const qint64 asUtc = QDateTime(date, clock, Qt::UTC).toSecsSinceEpoch();
    time = QDateTime::fromSecsSinceEpoch(asUtc - dayBefore.offsetFromUtc(), Qt::LocalTime);
    return time.isValid();
}

// The next run of non-blanks from `pos`, which is left on the blank after it.
bool NextColumn(QStringView line, qsizetype& pos, QStringView& column)
{
    while (pos < line.size() && line[pos] == u' ')
        ++pos;
    const qsizetype start = pos;
    while (pos < line.size() && line[pos] != u' ')
        ++pos;
    column = line.mid(start, pos - start);
    return !column.isEmpty();
}

// Mode, links, owner, group, size, month, day, year or time, then the name:
// all after the one blank behind the date, so a name keeps its blanks.
bool ParseUnixLine(QStringView line, const QDateTime& now, CFtpEntry& entry)
{
    QStringView cols[8];
    qsizetype pos = 0;
    for (QStringView& column : cols) {
        if (!NextColumn(line, pos, column))
            return false;
    }
    QString name = line.mid(pos + 1).toString();
    const QChar type = cols[0][0];
    if (type == u'l') {
        const qsizetype arrow = name.indexOf(QStringLiteral(" -> "));
        if (arrow >= 0)
            name.truncate(arrow);
    }
    if (name.isEmpty() || name == u".")
        return false;
    int month = 0;
    for (int m = 0; m < 12; ++m) {
        if (cols[5] == kMonths[m])
            month = m + 1;
    }
    if (month == 0)
        return false;
    const int day = SmallInt(cols[6]);
    const QStringView yearOrTime = cols[7];
    const qsizetype colon = yearOrTime.indexOf(u':');
    if (colon < 0) {
        if (!MakeTime(SmallInt(yearOrTime), month, day, 0, 0, entry.time))
            return false;
    } else {
        const int hour = SmallInt(yearOrTime.left(colon));
        const int minute = SmallInt(yearOrTime.mid(colon + 1));  // "12:" gives 0
        // A listing gives the time instead of the year for the last half
        // year: a date ahead of today (beyond a day of clock and zone
        // difference) is last year's.
        const int year = now.date().year();
        if (!MakeTime(year, month, day, hour, minute, entry.time) || entry.time > now.addDays(1)) {
            if (!MakeTime(year - 1, month, day, hour, minute, entry.time))
                return false;
        }
    }
    entry.name = name;
    entry.mode = cols[0].toString();
    entry.size = LeadingInt(cols[4]);
    entry.isFolder = type == u'd';
    entry.isLink = type == u'l';
    return true;
}

// Date, 12-hour time, "<DIR>" or size, then the name: the rest of the line
// after the blanks that follow the size column.
bool ParseDosLine(QStringView line, CFtpEntry& entry)
{
    QStringView cols[3];
    qsizetype pos = 0;
    for (QStringView& column : cols) {
        if (!NextColumn(line, pos, column))
            return false;
    }
    while (pos < line.size() && line[pos] == u' ')
        ++pos;
    const QString name = line.mid(pos).toString();
    if (name.isEmpty() || name == u".")
        return false;
    const QList<QStringView> date = cols[0].split(u'-');
    if (date.size() != 3)
        return false;
    int year = SmallInt(date[2]);
    // Two digits are the listing's usual form; a four-digit year is kept.
    if (year >= 0 && year < 70 && date[2].trimmed().size() <= 2)
        year += 2000;
    else if (year >= 70 && year < 100)
        year += 1900;
    const QStringView clock = cols[1];
    const qsizetype colon = clock.indexOf(u':');
    if (colon < 0)
        return false;
    const QStringView rest = clock.mid(colon + 1);
    if (rest.size() != 4)
        return false;
    int hour = SmallInt(clock.left(colon));
    const int minute = SmallInt(rest.left(2));
    const bool pm = rest.mid(2) == u"PM";
    if (pm && hour >= 1 && hour <= 11)
        hour += 12;
    else if (!pm && hour == 12)
        hour = 0;
    if (!MakeTime(year, SmallInt(date[0]), SmallInt(date[1]), hour, minute, entry.time))
        return false;
    entry.name = name;
    entry.mode.clear();
    entry.isFolder = cols[2] == u"<DIR>";
    entry.size = entry.isFolder ? 0 : LeadingInt(cols[2]);
    return true;
}

} // namespace

QStringList SplitFtpFields(const QString& text, const QString& delimiters)
{
    QStringList fields;
    qsizetype i = 0;
    const qsizetype n = text.size();
    if (n > 0 && delimiters.contains(text[0])) {
        fields.append(QString());
        while (i < n && delimiters.contains(text[i]))
            ++i;
    }
    while (i < n) {
        const qsizetype start = i;
        while (i < n && !delimiters.contains(text[i]))
            ++i;
        fields.append(text.mid(start, i - start));
        while (i < n && delimiters.contains(text[i]))
            ++i;
    }
    return fields;
}

std::vector<CFtpEntry> ParseFtpListing(const QString& text, const QDateTime& now)
{
    std::vector<CFtpEntry> entries;
    if (text.isEmpty())
        return entries;
    const bool dos = text[0] >= u'0' && text[0] <= u'9';
    for (const QString& line : SplitFtpFields(text, QStringLiteral("\r\n"))) {
        CFtpEntry entry;
        if (dos ? ParseDosLine(line, entry) : ParseUnixLine(line, now, entry))
            entries.push_back(std::move(entry));
    }
    return entries;
}

std::vector<CFtpEntry> ParseFtpListing(const QString& text)
{
    return ParseFtpListing(text, QDateTime::currentDateTime());
}

QDateTime ParseFtpTimeValue(const QString& text)
{
    const QString digits = text.section(u'.', 0, 0).trimmed();
    if (digits.size() != 14)
        return QDateTime();
    const QDate date = QDate::fromString(digits.left(8), QStringLiteral("yyyyMMdd"));
    const QTime time = QTime::fromString(digits.mid(8), QStringLiteral("HHmmss"));
    if (!date.isValid() || !time.isValid())
        return QDateTime();
    return QDateTime(date, time, Qt::UTC);
}

std::vector<CFtpEntry> ParseMlsdListing(const QString& text)
{
    std::vector<CFtpEntry> entries;
    for (QString line : text.split(u'\n')) {
        if (line.endsWith(u'\r'))
            line.chop(1);
        // The facts end at the first space; the name is all that follows,
        // blanks and semicolons included.
        const qsizetype space = line.indexOf(u' ');
        if (space < 0 || space + 1 >= line.size())
            continue;
        CFtpEntry entry;
        entry.name = line.mid(space + 1);
        QString type;
        int unixMode = -1;
        for (const QString& fact : line.left(space).split(u';', Qt::SkipEmptyParts)) {
            const QString key = fact.section(u'=', 0, 0).toLower();
            const QString value = fact.section(u'=', 1);
            if (key == u"type") {
                type = value.toLower();
            } else if (key == u"size") {
                entry.size = value.toLongLong();
            } else if (key == u"modify") {
                entry.time = ParseFtpTimeValue(value);
            } else if (key == u"unix.mode") {
                // Octal, "0644"; some servers write Python's "0o644".
                bool ok = false;
                unixMode = QString(value).remove(QStringLiteral("0o")).toInt(&ok, 8);
                if (!ok)
                    unixMode = -1;
            }
        }
        if (type == u"cdir" || type == u"pdir" || type.isEmpty())
            continue;
        entry.isFolder = type == u"dir";
        // "OS.unix=slink" (RFC 3659's example, with ":target" on some
        // servers) or "OS.unix=symlink".
        entry.isLink = type.startsWith(u"os.unix=slink") || type.startsWith(u"os.unix=symlink");
        entry.exactTime = entry.time.isValid();
        if (entry.isFolder)
            entry.size = 0;
        if (unixMode >= 0) {
            QString mode = QString(entry.isFolder ? u'd' : entry.isLink ? u'l' : u'-');
            const char16_t* letters = u"rwx";
            for (int bit = 8; bit >= 0; --bit)
                mode += (unixMode >> bit) & 1 ? QChar(letters[(8 - bit) % 3]) : QChar(u'-');
            entry.mode = mode;
        }
        entries.push_back(entry);
    }
    return entries;
}
