#include "TestFiles.h"
#include "TestRegistry.h"
#include "ToolRunner.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

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

    // An independent HTML5 parser (html5lib) reads the pages of a realistic
    // site; the missing targets it finds are the ones the tool reports.
    void linksAgreeWithHtml5lib()
    {
        const QString site = QStringLiteral(KELVO_TEST_DATA_DIR "/linksite");
        QProcess oracle;
        oracle.start(QStringLiteral("/usr/bin/python3"),
                     {QStringLiteral(KELVO_TEST_SUPPORT_DIR "/link_oracle.py"), site});
        QVERIFY(oracle.waitForFinished(120000));
        QCOMPARE(oracle.exitCode(), 0);
        QStringList expected = QString::fromUtf8(oracle.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);
        QVERIFY2(expected.size() > 10, qPrintable(oracle.readAllStandardError()));
        const ToolResult r = RunTool({"links", "--root", site, site});
        QStringList actual = r.Lines();
        expected.sort();
        actual.sort();
        QCOMPARE(actual, expected);
        QCOMPARE(r.status, 1);
    }

    void linksFailures()
    {
        QCOMPARE(RunTool({"links", "/nonexistent/a.html"}).status, 1);
        QCOMPARE(RunTool({"links"}).status, 2);
    }
};

KELVO_TEST(TestLinkTool, "LinkTool");
#include "tst_LinkTool.moc"
