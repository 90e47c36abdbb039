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
    time = QDateTime(date, QTime(hour, minute), Qt::LocalTime);
    return time.isValid();
}

bool ParseUnixLine(const QString& line, int currentYear, CFtpEntry& entry)
{
    const QStringList cols = SplitFtpFields(line, QStringLiteral(" "));
    if (cols.size() != 9 || cols[8] == u".")
        return false;
    int month = 0;
    for (int m = 0; m < 12; ++m) {
        if (cols[5] == kMonths[m])
            month = m + 1;
    }
    if (month == 0)
        return false;
    const int day = SmallInt(cols[6]);
    int year = currentYear;
    int hour = 0;
    int minute = 0;
    const QString& yearOrTime = cols[7];
    const qsizetype colon = yearOrTime.indexOf(u':');
    if (colon < 0) {
        year = SmallInt(yearOrTime);
    } else {
        hour = SmallInt(QStringView(yearOrTime).left(colon));
        minute = SmallInt(QStringView(yearOrTime).mid(colon + 1));  // "12:" gives 0
    }
    if (!MakeTime(year, month, day, hour, minute, entry.time))
        return false;
    entry.name = cols[8];
    entry.mode = cols[0];
    entry.size = LeadingInt(cols[4]);
    // The link count decides, as the listing's type letter is not relied on.
    entry.isFolder = LeadingInt(cols[1]) != 1;
    return true;
}

bool ParseDosLine(const QString& line, CFtpEntry& entry)
{
    const QStringList cols = SplitFtpFields(line, QStringLiteral(" "));
    if (cols.size() != 4 || cols[3] == u".")
        return false;
    const QStringList date = cols[0].split(u'-');
    if (date.size() != 3)
        return false;
    int year = SmallInt(date[2]);
    // Two digits are the listing's usual form; a four-digit year is kept.
    if (year >= 0 && year < 70 && date[2].trimmed().size() <= 2)
        year += 2000;
    else if (year >= 70 && year < 100)
        year += 1900;
    const QString& clock = cols[1];
    const qsizetype colon = clock.indexOf(u':');
    if (colon < 0)
        return false;
    const QString rest = clock.mid(colon + 1);
    if (rest.size() != 4)
        return false;
    int hour = SmallInt(QStringView(clock).left(colon));
    const int minute = SmallInt(QStringView(rest).left(2));
    const bool pm = QStringView(rest).mid(2) == u"PM";
    if (pm && hour >= 1 && hour <= 11)
        hour += 12;
    else if (!pm && hour == 12)
        hour = 0;
    if (!MakeTime(year, SmallInt(date[0]), SmallInt(date[1]), hour, minute, entry.time))
        return false;
    entry.name = cols[3];
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

std::vector<CFtpEntry> ParseFtpListing(const QString& text, int currentYear)
{
    std::vector<CFtpEntry> entries;
    if (text.isEmpty())
        return entries;
    const bool dos = text[0] >= u'0' && text[0] <= u'9';
    for (const QString& line : SplitFtpFields(text, QStringLiteral("\r\n"))) {
        CFtpEntry entry;
        if (dos ? ParseDosLine(line, entry) : ParseUnixLine(line, currentYear, entry))
            entries.push_back(std::move(entry));
    }
    return entries;
}

std::vector<CFtpEntry> ParseFtpListing(const QString& text)
{
    return ParseFtpListing(text, QDate::currentDate().year());
}
