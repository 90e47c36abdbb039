#include "FtpServers.h"
#include "TestFiles.h"
#include "TestRegistry.h"
#include "ToolRunner.h"

#include "platform/FileAccess.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

class TestLinkTool : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Every file gets its line, in order, and a failure makes the status 1
    // only after all were tried.
    void imageSize()
    {
        QTemporaryDir dir;
        const QString gif = dir.filePath("a.gif");
        const QString misnamed = dir.filePath("b.jpg");
        const QString text = dir.filePath("c.png");
        const QString none = dir.filePath("none.gif");
        WriteBytes(gif, QByteArray("GIF89a") + QByteArray::fromHex("20014000"));
        WriteBytes(misnamed, QByteArray("GIF87a") + QByteArray::fromHex("01000200"));
        WriteBytes(text, "<html>");
        const ToolResult r = RunTool({"image-size", gif, text, none, misnamed});
        QCOMPARE(r.status, 1);
        QCOMPARE(r.Lines(),
                 (QStringList{gif + ": 288 64",
                              text + ": ファイルが.GIF,.JPGファイルではありませんので、サイズ挿入されません",
                              none + ": ファイルが見つかりません", misnamed + ": 1 2"}));
        QCOMPARE(RunTool({"image-size", gif}).status, 0);
        QCOMPARE(RunTool({"image-size"}).status, 2);
    }

    void links_data()
    {
        QTest::addColumn<QByteArray>("page");
        QTest::addColumn<int>("status");
        QTest::addColumn<QStringList>("lines");

        QTest::newRow("all there") << QByteArray("<A HREF=\"b.htm#x\"><IMG SRC=img/a.gif>"
                                                 "<A HREF=\"http://example.com/none\">")
                                   << 0 << QStringList();
        QTest::newRow("missing, as written in the page")
            << QByteArray("<a href='none.htm'>\n<IMG\nSRC=\"img/%E3%81%82.gif\"><A HREF=b.htm>")
            << 1 << QStringList{"missing: none.htm", "missing: img/%E3%81%82.gif"};
    }
    void links()
    {
        QFETCH(QByteArray, page);
        QFETCH(int, status);
        QFETCH(QStringList, lines);
        QTemporaryDir dir;
        QDir(dir.path()).mkpath("img");
        WriteBytes(dir.filePath("b.htm"), "b");
        WriteBytes(dir.filePath("img/a.gif"), "GIF89a");
        const QString file = dir.filePath("index.html");
        WriteBytes(file, page);
        // A relative path is taken from the working folder.
        const ToolResult r = RunTool({"links", QDir::current().relativeFilePath(file)});
        QCOMPARE(r.status, status);
        QCOMPARE(r.Lines(), lines);
    }

    // Several pages: one line per missing target, named by its page; a
    // folder is walked for pages; root-relative links need a root.
    void linksOfManyPages_data()
    {
        QTest::addColumn<QStringList>("args");  // "@" stands for the site folder
        QTest::addColumn<int>("status");
        QTest::addColumn<QStringList>("lines");

        QTest::newRow("two files, root-relative links skipped")
            << QStringList{"@/a.html", "@/sub/b.htm"} << 1
            << QStringList{"@/sub/b.htm: missing: none.gif", "skipped=2"};
        QTest::newRow("folder walked, links from the root")
            << QStringList{"--root", "@", "@"} << 1
            << QStringList{"@/a.html: missing: /none.css", "@/sub/b.htm: missing: none.gif"};
        QTest::newRow("one file keeps the short form, skipped counted")
            << QStringList{"@/a.html"} << 0 << QStringList{"skipped=2"};
        QTest::newRow("site folder from the FTP site set of the settings")
            << QStringList{"--config", "@/cfg", "@/a.html"} << 1
            << QStringList{"missing: /none.css"};
    }
    void linksOfManyPages()
    {
        QFETCH(QStringList, args);
        QFETCH(int, status);
        QFETCH(QStringList, lines);
        QTemporaryDir dir;
        const QString site = dir.path();
        QDir(site).mkpath("sub");
        QDir(site).mkpath("cfg");
        WriteBytes(site + "/a.html", "<link href=\"/site.css\"><link href='/none.css'>");
        WriteBytes(site + "/site.css", "p {}");
        WriteBytes(site + "/sub/b.htm", "<img src=none.gif><a href=../a.html>");
        WriteBytes(site + "/sub/notes.txt", "<img src=skipped.gif>");
        WriteBytes(site + "/cfg/kelvo.ini", ("[System]\nRootDir=" + site + "\n").toUtf8());
        for (QString& a : args)
            a.replace(u'@', site);
        for (QString& l : lines)
            l.replace(u'@', site);
        const ToolResult r = RunTool(QStringList{"links"} + args);
        QCOMPARE(r.Lines(), lines);
        QCOMPARE(r.status, status);
    }

    // An independent HTML5 parser (html5lib) reads the pages of a site; the
    // missing targets it finds are the ones the tool reports: a realistic
    // site made for the test, and whole real ones nobody here wrote
    // (Debian's references in Japanese, which scripts/kelvo.sh installs).
    void linksAgreeWithHtml5lib_data()
    {
        QTest::addColumn<QString>("site");
        QTest::addColumn<QString>("page");  // one the site's package installs
        QTest::addColumn<int>("missing");   // at least
        QTest::newRow("made for the test")
            << QStringLiteral(KELVO_TEST_DATA_DIR "/linksite") << "index.html" << 10;
        QTest::newRow("debian-reference-ja") << "/usr/share/debian-reference" << "index.ja.html" << 3;
        QTest::newRow("developers-reference-ja") << "/usr/share/developers-reference/ja"
                                                 << "index.html" << 0;
    }
    void linksAgreeWithHtml5lib()
    {
        QFETCH(QString, site);
        QFETCH(QString, page);
        QFETCH(int, missing);
        if (!QFileInfo::exists(site + u'/' + page)) {
            if (InCi())
                QFAIL(qPrintable(site + u" is missing: scripts/kelvo.sh installs it"_qs));
            QSKIP("the site's package is not installed");
        }
        QProcess oracle;
        oracle.start(QStringLiteral("/usr/bin/python3"),
                     {QStringLiteral(KELVO_TEST_SUPPORT_DIR "/link_oracle.py"), site});
        QVERIFY(oracle.waitForFinished(300000));
        QCOMPARE(oracle.exitCode(), 0);
        QStringList expected = QString::fromUtf8(oracle.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);
        QVERIFY2(expected.size() >= missing, qPrintable(oracle.readAllStandardError()));
        const ToolResult r = RunTool({"links", "--root", site, site});
        QStringList actual = r.Lines();
        expected.sort();
        actual.sort();
        QCOMPARE(actual, expected);
        QCOMPARE(r.status, expected.isEmpty() ? 0 : 1);
    }

    // Folders and pages named in CP932 bytes (from a Windows archive) are
    // walked, links to such names written as escaped bytes are found, and
    // the names print as text.
    void linksOfPagesNamedInCp932()
    {
        QTemporaryDir dir;
        const QByteArray site = QFile::encodeName(dir.path()) + "/\x83\x54\x83\x43\x83\x67";
        QCOMPARE(::mkdir(site.constData(), 0755), 0);
        auto write = [](const QByteArray& native, const QByteArray& bytes) {
            return platform::WriteFileSafely(platform::DecodePath(native), bytes)
                   == platform::FileError::None;
        };
        QVERIFY(write(site + "/\x89\xe6\x91\x9c.gif", "GIF89a"));
        QVERIFY(write(site + "/\x83\x79\x81\x5b\x83\x57.HTML",
                      "<IMG SRC=\"%89%E6%91%9C.gif\"><IMG SRC=\"none.gif\">"));
        const ToolResult r = RunTool({"links", dir.path()});
        QCOMPARE(r.Lines(), QStringList{dir.path() + u"/サイト/ページ.HTML: missing: none.gif"_qs});
        QCOMPARE(r.status, 1);
    }

    // The result lists of the link check and the size information print
    // their rows.
    void execPrintsResultRows()
    {
        const ExecResult check =
            ExecOn("<A HREF=none.htm><IMG SRC=\"a\r\n.gif\">", {"--command", "32967"});
        QCOMPARE(check.Lines(), (QStringList{"row: none.htm", "row: a.gif"}));
        const ExecResult size = ExecOn("<IMG SRC=http://example.com/a.gif>", {"--command", "32990"});
        QCOMPARE(size.Lines(), (QStringList{"row: \t個数\tバイト", "row: HTML本文\t\t34",
                                            "row: 内部画像\t0\t0", "row: 外部画像\t1",
                                            "row: 合計\t1\t34"}));
    }

    void linksFailures()
    {
        QCOMPARE(RunTool({"links", "/nonexistent/a.html"}).status, 1);
        QCOMPARE(RunTool({"links"}).status, 2);
    }
};

KELVO_TEST(TestLinkTool, "LinkTool");
#include "tst_LinkTool.moc"
