#include "TestRegistry.h"

#include "core/ftp/CNorvaneFtp.h"
#include "core/ftp/FtpListParser.h"

#include <QRandomGenerator>
#include <QTest>

#include <ctime>

namespace {

// Noon on 8 December 2026 in a zone that puts its clocks forward (at 02:00
// on 29 March 2026).
const char* const kZone = "Europe/Berlin";
QDateTime Now()
{
    return QDateTime(QDate(2026, 12, 8), QTime(12, 0), Qt::LocalTime);
}

// One entry as "d|l|- SIZE yyyy/MM/dd HH:mm MODE NAME", MODE "-" when empty.
QString Describe(const CFtpEntry& e)
{
    return u"%1 %2 %3 %4 %5"_qs
        .arg(e.isLink ? QChar(u'l') : e.isFolder ? QChar(u'd') : QChar(u'-'))
        .arg(e.size)
        .arg(CNorvaneFtp::GetDateText(e), e.mode.isEmpty() ? u"-"_qs : e.mode, e.name);
}

QStringList DescribeAll(const QString& listing)
{
    QStringList lines;
    for (const CFtpEntry& e : ParseFtpListing(listing, Now()))
        lines.append(Describe(e));
    return lines;
}

} // namespace

class TestFtpListParser : public QObject {
    Q_OBJECT
    QByteArray m_zone;

private Q_SLOTS:
    void initTestCase()
    {
        m_zone = qgetenv("TZ");
        qputenv("TZ", kZone);
        tzset();
    }
    void cleanupTestCase()
    {
        if (m_zone.isNull())
            qunsetenv("TZ");
        else
            qputenv("TZ", m_zone);
        tzset();
    }

    void split_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("fields");
        QTest::newRow("runs count once") << "a  b   c" << QStringList{"a", "b", "c"};
        QTest::newRow("leading run gives one empty field") << "   a b" << QStringList{"", "a", "b"};
        QTest::newRow("trailing run gives none") << "a b   " << QStringList{"a", "b"};
        QTest::newRow("tab is no delimiter") << "a\tb c" << QStringList{"a\tb", "c"};
        QTest::newRow("empty") << "" << QStringList{};
    }
    void split()
    {
        QFETCH(QString, text);
        QFETCH(QStringList, fields);
        QCOMPARE(SplitFtpFields(text, u" "_qs), fields);
    }

    void listing_data()
    {
        QTest::addColumn<QString>("listing");
        QTest::addColumn<QStringList>("entries");
        QTest::newRow("UNIX folder with a time: this year")
            << "drwxr-xr-x   2 web  web      4096 Mar  5 14:07 images\r\n"
            << QStringList{"d 4096 2026/03/05 14:07 drwxr-xr-x images"};
        QTest::newRow("UNIX file with a year: midnight")
            << "-rw-r--r--   1 web  web     1234 Dec 31  2006 index.html\r\n"
            << QStringList{"- 1234 2006/12/31 00:00 -rw-r--r-- index.html"};
        QTest::newRow("type from the mode, not the link count")
            << "drwxr-xr-x 1 a b 0 Jan 1 2001 d1\r\n-rw-r--r-- 2 a b 9 Jan 1 2001 f2\r\n"
            << QStringList{"d 0 2001/01/01 00:00 drwxr-xr-x d1", "- 9 2001/01/01 00:00 -rw-r--r-- f2"};
        QTest::newRow("month in lower case skipped")
            << "-rw-r--r-- 1 a b 9 jan 1 2001 f\r\n" << QStringList{};
        QTest::newRow("name is the rest after the one blank behind the date")
            << "-rw-r--r-- 1 a b 9 Jan  1  2001 my  page.htm \r\n-rw-r--r-- 1 a b 9 Mar  5 14:07  lead\r\n"
            << QStringList{"- 9 2001/01/01 00:00 -rw-r--r-- my  page.htm ",
                           "- 9 2026/03/05 14:07 -rw-r--r--  lead"};
        QTest::newRow("total line and . skipped; .. kept; a link under its own name")
            << "total 12\nlrwxrwxrwx 1 a b 4 Jan 1 2001 my link -> x -> y\n"
               "drwxr-xr-x 3 a b 0 Jan 1 2001 .\ndrwxr-xr-x 3 a b 0 Jan 1 2001 ..\n"
            << QStringList{"l 4 2001/01/01 00:00 lrwxrwxrwx my link", "d 0 2001/01/01 00:00 drwxr-xr-x .."};
        QTest::newRow("line beginning with a blank read as any other")
            << "x\n -rw-r--r-- 1 a b 9 Jan 1 2001 f\n" << QStringList{"- 9 2001/01/01 00:00 -rw-r--r-- f"};
        QTest::newRow("time in the skipped hour moved forward")
            << "-rw-r--r-- 1 a b 1 Mar 29 02:30 gap\n-rw-r--r-- 1 a b 1 Mar 29 01:59 before\n"
            << QStringList{"- 1 2026/03/29 03:30 -rw-r--r-- gap", "- 1 2026/03/29 01:59 -rw-r--r-- before"};
        QTest::newRow("time of day more than a day ahead is last year's")
            << "-rw-r--r-- 1 a b 1 Dec 9 11:59 a\n-rw-r--r-- 1 a b 1 Dec 9 12:01 b\n"
               "-rw-r--r-- 1 a b 1 Feb 29 10:00 c\n"
            << QStringList{"- 1 2026/12/09 11:59 -rw-r--r-- a", "- 1 2025/12/09 12:01 -rw-r--r-- b"};
        QTest::newRow("size beyond 32 bits kept")
            << "-rw-r--r-- 1 a b 3221225472 Jan 1 2001 big.iso\n"
            << QStringList{"- 3221225472 2001/01/01 00:00 -rw-r--r-- big.iso"};
        QTest::newRow("time with no minute: minute 0")
            << "-rw-r--r-- 1 a b 1 Feb 2 12: f\n" << QStringList{"- 1 2026/02/02 12:00 -rw-r--r-- f"};
        QTest::newRow("impossible hour, day or time skipped")
            << "-rw-r--r-- 1 a b 1 Feb 2 24:00 f\n-rw-r--r-- 1 a b 1 Feb 30 2001 g\n"
               "-rw-r--r-- 1 a b 1 Feb 2 10:60 h\n-rw-r--r-- 1 a b 1 Feb 2 10:05 ok\n"
            << QStringList{"- 1 2026/02/02 10:05 -rw-r--r-- ok"};
        QTest::newRow("DOS folder in the afternoon")
            << "03-05-07  02:07PM       <DIR>          images\r\n"
            << QStringList{"d 0 2007/03/05 14:07 - images"};
        QTest::newRow("DOS 12:30PM stays 12, 12:15AM is 0, 11PM is 23; years 69 and 70")
            << "03-05-69 12:30PM 512 a.htm\r\n03-05-70 12:15AM 10 b.htm\r\n03-05-07 11:59PM 1 c\r\n"
            << QStringList{"- 512 2069/03/05 12:30 - a.htm", "- 10 1970/03/05 00:15 - b.htm",
                           "- 1 2007/03/05 23:59 - c"};
        QTest::newRow("DOS one hour digit accepted, 24-hour time skipped")
            << "03-05-07 2:07PM 1 a\r\n03-05-07 14:07 1 b\r\n"
            << QStringList{"- 1 2007/03/05 14:07 - a"};
        QTest::newRow("DOS four-digit year kept")
            << "03-05-2007 02:07PM 1 a\r\n" << QStringList{"- 1 2007/03/05 14:07 - a"};
        QTest::newRow("DOS impossible month or day skipped")
            << "20-05-07 02:07PM 1 a\r\n03-32-07 01:07PM 1 b\r\n03-05-07 02:07AM 7 c\r\n"
            << QStringList{"- 7 2007/03/05 02:07 - c"};
        QTest::newRow("DOS name is the rest after the blanks behind the size")
            << "03-05-07 02:07PM     1 my  page.htm \r\n03-05-07 02:07PM <DIR>   新しい フォルダ\r\n"
            << QStringList{"- 1 2007/03/05 14:07 - my  page.htm ", "d 0 2007/03/05 14:07 - 新しい フォルダ"};
        QTest::newRow("first character decides the style for the whole text")
            << " \r\n03-05-07 02:07PM 1 a\r\n-rw-r--r-- 1 a b 9 Jan 1 2001 f\r\n"
            << QStringList{"- 9 2001/01/01 00:00 -rw-r--r-- f"};
        QTest::newRow("empty listing") << "" << QStringList{};
    }
    void listing()
    {
        QFETCH(QString, listing);
        QFETCH(QStringList, entries);
        QCOMPARE(DescribeAll(listing), entries);
    }

    // Random and mutated listings: the parser must never crash, and whatever
    // it accepts has a valid time.
    void arbitraryText()
    {
        const QString seeds[] = {
            u"drwxr-xr-x   2 web  web      4096 Mar  5 14:07 images\r\n"_qs,
            u"03-05-07  02:07PM       <DIR>          images\r\n"_qs,
            u"-rw-r--r-- 1 a b 99999999999999999999999 Dec 31 2006 x\n"_qs,
        };
        const QString alphabet = u"0123456789 :-<>\r\nAPMDIRJanFebrwx-日本"_qs;
        QRandomGenerator random(20261208);
        int accepted = 0;
        for (int round = 0; round < 4000; ++round) {
            QString text = seeds[round % 3];
            if (round % 4 == 3)
                text.clear();
            const int edits = random.bounded(1, 12);
            for (int e = 0; e < edits; ++e) {
                const int at = text.isEmpty() ? 0 : random.bounded(int(text.size()) + 1);
                const QChar c = alphabet[random.bounded(int(alphabet.size()))];
                switch (random.bounded(3)) {
                case 0: text.insert(at, c); break;
                case 1: if (at < text.size()) text[at] = c; break;
                default: if (at < text.size()) text.remove(at, 1); break;
                }
            }
            for (const CFtpEntry& entry : ParseFtpListing(text, Now())) {
                QVERIFY(entry.time.isValid());
                QVERIFY(!entry.name.isEmpty());
                ++accepted;
            }
        }
        QVERIFY(accepted > 0);
    }
    // Machine listings: exact sizes and UTC times; the name is all after
    // the first space; lines that are no entry are left out.
    void machineListing_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("entry");  // as Describe gives it (local time, UTC+1); empty: left out
        QTest::newRow("file with mode")
            << "type=file;size=3221225472;modify=20261208235959;UNIX.mode=0644; 大きい.iso"
            << "- 3221225472 2026/12/09 00:59 -rw-r--r-- 大きい.iso";
        QTest::newRow("name with blanks and semicolons, Python's octal, fractions of a second")
            << "modify=20070305140700.123;unix.mode=0o755;type=dir;size=4096; a b;c"
            << "d 0 2007/03/05 15:07 drwxr-xr-x a b;c";
        QTest::newRow("no mode") << "Type=File;Size=5; x.htm" << "- 5  - x.htm";
        QTest::newRow("link, RFC 3659's way") << "type=OS.unix=slink:/srv;unix.mode=0777; up" << "l 0  lrwxrwxrwx up";
        QTest::newRow("link, written out") << "type=OS.unix=symlink; up" << "l 0  - up";
        QTest::newRow("current folder") << "type=cdir;modify=20070305140700; ." << "";
        QTest::newRow("parent folder") << "type=pdir;modify=20070305140700; .." << "";
        QTest::newRow("no type") << "size=5; x.htm" << "";
        QTest::newRow("no name") << "type=file;size=5;" << "";
    }
    void machineListing()
    {
        QFETCH(QString, line);
        QFETCH(QString, entry);
        QStringList got;
        for (const CFtpEntry& e : ParseMlsdListing(line + u"\r\n"_qs))
            got.append(Describe(e));
        QCOMPARE(got, entry.isEmpty() ? QStringList() : QStringList{entry});
    }
};

KELVO_TEST(TestFtpListParser, "FtpListParser");
#include "tst_FtpListParser.moc"
