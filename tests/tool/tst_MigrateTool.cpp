#include "FtpServers.h"
#include "TestFiles.h"
#include "TestRegistry.h"
#include "ToolRunner.h"

#include "platform/FileAccess.h"

#include <QDateTime>
#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <map>

#include <unistd.h>

namespace {

struct Entry {
    QByteArray bytes;
    QDateTime time;
};
using Tree = std::map<QString, Entry>;

Tree ReadTree(const QString& root)
{
    Tree tree;
    QDirIterator it(root, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        tree[QDir(root).relativeFilePath(path)] = {ReadBytes(path), QFileInfo(path).lastModified()};
    }
    return tree;
}

// The first file whose bytes or time differ, or that only one tree has.
QString Difference(const Tree& a, const Tree& b)
{
    for (const auto& [name, entry] : a) {
        const auto other = b.find(name);
        if (other == b.end() || other->second.bytes != entry.bytes || other->second.time != entry.time)
            return name;
    }
    return a.size() == b.size() ? QString() : QStringLiteral("(another file)");
}

void WriteTree(const QString& root, const Tree& tree)
{
    for (const auto& [name, entry] : tree) {
        QDir().mkpath(QFileInfo(root + u'/' + name).path());
        WriteBytes(root + u'/' + name, entry.bytes);
    }
}

} // namespace

// kelvo-tool migrate on a real site nobody here wrote: Debian's developers
// reference, converted by iconv into Shift-JIS and EUC-JP with declarations
// to match, plus a mislabelled, a damaged and a binary file. The result is
// iconv's conversion back but for the declared code.
class TestMigrateTool : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void debianSite()
    {
        const QString source = QFileInfo(QStringLiteral("/usr/share/doc/developers-reference-ja/docs")).canonicalFilePath();
        if (source.isEmpty()) {
            if (InCi())
                QFAIL("developers-reference-ja is not installed");
            QSKIP("developers-reference-ja is not installed here");
        }
        QTemporaryDir dir;
        const QString site = dir.filePath("site");
        const QString backup = dir.filePath("backup");
        Tree original = ReadTree(source);
        // The code each text file is kept in, and its declared name.
        std::map<QString, std::pair<const char*, const char*>> codes;
        int n = 0;
        for (auto& [name, entry] : original) {
            if (!QRegularExpression("\\.(html|css|js|txt)$").match(name).hasMatch())
                continue;
            const auto code = n++ % 2 ? std::pair{"EUC-JP-MS", "EUC-JP"} : std::pair{"CP932", "Shift_JIS"};
            QByteArray utf8 = entry.bytes;
            utf8.replace("charset=\"utf-8\"", QByteArray("charset=\"") + code.second + '"');
            if (name == u"l10n.html")
                utf8.replace("\n", "\r\n");
            const QByteArray converted = Iconv("UTF-8", code.first, utf8);
            // What the code cannot hold stays UTF-8, declaring it.
            if (!converted.isEmpty()) {
                entry.bytes = converted;
                codes[name] = code;
            }
        }
        original["mislabelled.html"].bytes = Iconv("UTF-8", "CP932", "<meta charset=\"EUC-JP\">\n<p>日本語</p>\n");
        original["damaged.html"].bytes = Iconv("UTF-8", "CP932", "<meta charset=\"Shift_JIS\">\n<p>日本語") + "\xFD</p>";
        original["binary.txt"].bytes = QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16);
        QVERIFY(codes.size() > 20);
        WriteTree(site, original);
        original = ReadTree(site);
        const ToolResult linksBefore = RunTool({"links", site});

        const ToolResult dry = RunTool({"migrate", "--dry-run", site});
        QCOMPARE(dry.status, 0);
        QCOMPARE(Difference(ReadTree(site), original), QString());
        const ToolResult run = RunTool({"migrate", "--backup", backup, site});
        QCOMPARE(run.status, 0);
        QCOMPARE(run.out, dry.out);
        const QStringList skips = run.Lines().filter(QRegularExpression("^skip "));
        QCOMPARE(skips, (QStringList{"skip binary.txt: バイナリファイルです",
                                     "skip damaged.html: ShiftJis として読めないバイトが 1 個あります（最初は 2 行目）",
                                     "skip mislabelled.html: 1 行目で EUC-JP と宣言していますが、ShiftJis と判定しました"}));
        // Plain ASCII files need no conversion.
        const auto converted = std::count_if(codes.begin(), codes.end(), [&](const auto& c) {
            return std::any_of(original[c.first].bytes.begin(), original[c.first].bytes.end(),
                               [](char b) { return b & 0x80; });
        });
        QVERIFY(converted > 10);
        QCOMPARE(run.Lines().filter(QRegularExpression("^convert ")).size(), qsizetype(converted));

        const Tree after = ReadTree(site);
        QCOMPARE(after.size(), original.size());
        for (const auto& [name, entry] : original) {
            const Entry& now = after.at(name);
            const auto code = codes.find(name);
            if (code == codes.end()) {
                QVERIFY2(now.bytes == entry.bytes && now.time == entry.time, qPrintable(name));
                continue;
            }
            QByteArray expected = Iconv(code->second.first, "UTF-8", entry.bytes);
            expected.replace(QByteArray("charset=\"") + code->second.second + '"', "charset=\"UTF-8\"");
            QVERIFY2(now.bytes == expected, qPrintable(name));
        }
        // Nothing is left to do; the links are the same; the backup, copied
        // over the site, gives the site back.
        const ToolResult again = RunTool({"migrate", site});
        QCOMPARE(again.status, 0);
        QCOMPARE(again.Lines(), skips);
        QCOMPARE(Difference(ReadTree(site), after), QString());
        const ToolResult linksAfter = RunTool({"links", site});
        QCOMPARE(linksAfter.out, linksBefore.out);
        QCOMPARE(linksAfter.status, linksBefore.status);
        Tree restored = ReadTree(site);
        for (const auto& [name, entry] : ReadTree(backup))
            restored[name] = entry;
        for (const auto& [name, entry] : original)
            QVERIFY2(restored.at(name).bytes == entry.bytes, qPrintable(name));
    }

    // "." in a folder whose name is CP932 bytes (ソフト), as a user runs it,
    // a file in CP932 folder 表 named as the plan shows it.
    void relativeSiteInACp932Folder()
    {
        QTemporaryDir dir;
        const QString folder = dir.path() + QString::fromUtf16(u"/\xDC83\\\xDC83t\xDC83g");
        const QString file = folder + QString::fromUtf16(u"/\xDC95\\/a.html");
        QVERIFY(platform::MakeFolders(platform::FolderOfPath(file)));
        QVERIFY(platform::WriteFileSafely(file, Iconv("UTF-8", "CP932", "<meta charset=EUC-JP>表"))
                == platform::FileError::None);
        const QString back = QDir::currentPath();
        QVERIFY(::chdir(platform::EncodePath(folder).constData()) == 0);
        const ToolResult r = RunTool({"migrate", "--code", "表/a.html=ShiftJis", "."});
        QVERIFY(QDir::setCurrent(back));
        QCOMPARE(r.err, QString());
        QCOMPARE(platform::ReadRegularFile(file, 100).bytes, QByteArray("<meta charset=UTF-8>表"));
    }

    void usage_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("error");
        QTest::newRow("another target") << QStringList{"--to", "sjis", "."} << "only --to utf8 is supported";
        QTest::newRow("a code for no file")
            << QStringList{"--code", "none.html=ShiftJis", "."} << "--code names no file of the site: none.html";
    }
    void usage()
    {
        QFETCH(QStringList, args);
        QFETCH(QString, error);
        const ToolResult r = RunTool(QStringList{"migrate"} + args);
        QCOMPARE(r.status, 2);
        QCOMPARE(r.err, "kelvo-tool: migrate: " + error + '\n');
    }
};

KELVO_TEST(TestMigrateTool, "MigrateTool");
#include "tst_MigrateTool.moc"
