#include "TestFiles.h"
#include "TestRegistry.h"

#include "platform/FileAccess.h"
#include "platform/RecentlyUsed.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QXmlStreamReader>

#include <sys/stat.h>

namespace {

const QDateTime kThen(QDate(2024, 5, 1), QTime(9, 30), Qt::UTC);

platform::RecentUse Use(const QString& path)
{
    return {path, QStringLiteral("text/html"), QStringLiteral("kelvopad"), QStringLiteral("'kelvopad %f'"), kThen};
}

// A list as the desktop's other programs write it: gedit's use of b.txt,
// and of a.htm with a description of its own.
const QByteArray kDesktopList =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
    "<xbel version=\"1.0\"\n"
    "      xmlns:bookmark=\"http://www.freedesktop.org/standards/desktop-bookmarks\"\n"
    "      xmlns:mime=\"http://www.freedesktop.org/standards/shared-mime-info\"\n"
    ">\n"
    "  <bookmark href=\"file:///home/u/b.txt\" added=\"2023-01-02T03:04:05.000001Z\" modified=\"2023-01-02T03:04:05.000001Z\" visited=\"2023-01-02T03:04:05.000001Z\">\n"
    "    <info>\n"
    "      <metadata owner=\"http://freedesktop.org\">\n"
    "        <mime:mime-type type=\"text/plain\"/>\n"
    "        <bookmark:groups><bookmark:group>gedit</bookmark:group></bookmark:groups>\n"
    "        <bookmark:applications>\n"
    "          <bookmark:application name=\"gedit\" exec=\"&apos;gedit %u&apos;\" modified=\"2023-01-02T03:04:05.000001Z\" count=\"2\"/>\n"
    "        </bookmark:applications>\n"
    "      </metadata>\n"
    "    </info>\n"
    "  </bookmark>\n"
    "  <bookmark href=\"file:///home/u/a.htm\" added=\"2023-01-02T03:04:05.000001Z\" modified=\"2023-01-02T03:04:05.000001Z\" visited=\"2023-01-02T03:04:05.000001Z\">\n"
    "    <desc>mine</desc>\n"
    "    <info>\n"
    "      <metadata owner=\"http://freedesktop.org\">\n"
    "        <mime:mime-type type=\"text/html\"/>\n"
    "        <bookmark:applications>\n"
    "          <bookmark:application name=\"gedit\" exec=\"&apos;gedit %u&apos;\" modified=\"2023-01-02T03:04:05.000001Z\" count=\"1\"/>\n"
    "          APP\n"
    "        </bookmark:applications>\n"
    "      </metadata>\n"
    "    </info>\n"
    "  </bookmark>\n"
    "</xbel>\n";

// Each bookmark as "href added modified [desc] mime app=count,...".
QStringList Bookmarks(const QByteArray& xbel)
{
    QStringList out;
    QXmlStreamReader r(xbel);
    QString line;
    while (!r.atEnd()) {
        if (r.readNext() != QXmlStreamReader::StartElement)
            continue;
        const QXmlStreamAttributes a = r.attributes();
        if (r.name() == u"bookmark" && r.namespaceUri().isEmpty()) {
            if (!line.isEmpty())
                out << line;
            line = QStringList{a.value("href").toString(), a.value("added").left(4).toString(),
                               a.value("modified").left(4).toString()}
                       .join(' ');
        } else if (r.name() == u"desc") {
            line += ' ' + r.readElementText();
        } else if (r.name() == u"mime-type") {
            line += ' ' + a.value("type").toString();
        } else if (r.name() == u"application") {
            line += ' ' + a.value("name").toString() + '=' + a.value("count").toString();
            if (a.value("name") == u"kelvopad")
                line += ' ' + a.value("exec").toString();
        }
    }
    if (r.hasError())
        return {QStringLiteral("unreadable: ") + r.errorString()};
    if (!line.isEmpty())
        out << line;
    return out;
}

} // namespace

class TestRecentlyUsed : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // What other programs wrote stays; the file's bookmark is made once
    // and brought up to date, this program's entry beside theirs.
    void recordsTheUse_data()
    {
        QTest::addColumn<QByteArray>("list");
        QTest::addColumn<QString>("path");
        QTest::addColumn<QStringList>("bookmarks");
        const QString gedit = "file:///home/u/b.txt 2023 2023 text/plain gedit=2";
        QTest::newRow("no list yet") << QByteArray() << "/home/u/a.htm"
                                     << QStringList{"file:///home/u/a.htm 2024 2024 text/html kelvopad=1 'kelvopad %f'"};
        QTest::newRow("a file nobody used")
            << QByteArray(kDesktopList).replace("APP", "") << "/home/u/c d.htm"
            << QStringList{gedit, "file:///home/u/a.htm 2023 2023 mine text/html gedit=1",
                           "file:///home/u/c%20d.htm 2024 2024 text/html kelvopad=1 'kelvopad %f'"};
        QTest::newRow("a file another program used")
            << QByteArray(kDesktopList).replace("APP", "") << "/home/u/a.htm"
            << QStringList{gedit, "file:///home/u/a.htm 2023 2024 mine text/html gedit=1 kelvopad=1 'kelvopad %f'"};
        QTest::newRow("a file this program used before")
            << QByteArray(kDesktopList).replace(
                   "APP", "<bookmark:application name=\"kelvopad\" exec=\"old\" timestamp=\"1\" count=\"4\"/>")
            << "/home/u/a.htm"
            << QStringList{gedit, "file:///home/u/a.htm 2023 2024 mine text/html gedit=1 kelvopad=5 'kelvopad %f'"};
        QTest::newRow("a file with another owner's metadata only")
            << QByteArray("<xbel version=\"1.0\"><bookmark href=\"file:///home/u/a.htm\" added=\"2023-01-02T03:04:05Z\">"
                          "<info><metadata owner=\"http://example.org\"><x/></metadata></info></bookmark></xbel>")
            << "/home/u/a.htm" << QStringList{"file:///home/u/a.htm 2023 2024 text/html kelvopad=1 'kelvopad %f'"};
        QTest::newRow("a name in CP932 keeps its bytes")
            << QByteArray(kDesktopList).replace("APP", "")
            << platform::DecodePath("/home/u/\x95\x5c\x8e\xa6.htm")
            << QStringList{gedit, "file:///home/u/a.htm 2023 2023 mine text/html gedit=1",
                           "file:///home/u/%95%5C%8E%A6.htm 2024 2024 text/html kelvopad=1 'kelvopad %f'"};
    }
    void recordsTheUse()
    {
        QFETCH(QByteArray, list);
        QFETCH(QString, path);
        QFETCH(QStringList, bookmarks);
        const std::optional<QByteArray> updated = platform::WithRecentUse(list, Use(path));
        QVERIFY(updated);
        QCOMPARE(Bookmarks(*updated), bookmarks);
        // What the other programs wrote besides is there as they wrote it.
        if (list.contains("bookmark:groups"))
            QVERIFY(updated->contains("<bookmark:groups><bookmark:group>gedit</bookmark:group></bookmark:groups>"));
    }

    // On disk: a list another writer holds locked is not touched (its
    // change would be lost); once free it is replaced whole, keeping what
    // is in it and its mode. A list that is no XML is left alone.
    void writesTheListSafely()
    {
        QTemporaryDir dir;
        const QString file = dir.filePath("share/recently-used.xbel");
        QVERIFY(platform::AddRecentUse(Use("/home/u/new.htm"), file));
        QCOMPARE(QFileInfo(file).permissions() & (QFile::ReadOther | QFile::ReadGroup), QFile::Permissions());

        QVERIFY(WriteBytes(file, QByteArray(kDesktopList).replace("APP", "")));
        QVERIFY(QFile::setPermissions(file, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup));
        QProcess holder;
        holder.start("python3", {"-c", "import fcntl,sys; f=open(sys.argv[1],'r+'); fcntl.lockf(f, fcntl.LOCK_EX); "
                                       "print('locked', flush=True); sys.stdin.readline()",
                                 file});
        while (!holder.canReadLine())
            QVERIFY(holder.waitForReadyRead(60000));
        QCOMPARE(holder.readLine(), QByteArray("locked\n"));
        QVERIFY(!platform::AddRecentUse(Use("/home/u/a.htm"), file));
        QCOMPARE(ReadBytes(file), QByteArray(kDesktopList).replace("APP", ""));
        holder.write("\n");
        QVERIFY(holder.waitForFinished(60000));

        QVERIFY(platform::AddRecentUse(Use("/home/u/a.htm"), file));
        QCOMPARE(Bookmarks(ReadBytes(file)).value(1),
                 "file:///home/u/a.htm 2023 2024 mine text/html gedit=1 kelvopad=1 'kelvopad %f'");
        QCOMPARE(QFileInfo(file).permissions() & QFile::ReadGroup, QFile::ReadGroup);

        QVERIFY(WriteBytes(file, "<xbel><bookmark"));
        QVERIFY(!platform::AddRecentUse(Use("/home/u/a.htm"), file));
        QCOMPARE(ReadBytes(file), QByteArray("<xbel><bookmark"));
    }
};
KELVO_TEST(TestRecentlyUsed, "RecentlyUsed");
#include "tst_RecentlyUsed.moc"
