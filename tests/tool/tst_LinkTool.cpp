#include "TestFiles.h"
#include "TestRegistry.h"
#include "ToolRunner.h"

#include <QDir>
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

    void linksFailures()
    {
        QCOMPARE(RunTool({"links", "/nonexistent/a.html"}).status, 1);
        QCOMPARE(RunTool({"links"}).status, 2);
    }
};

KELVO_TEST(TestLinkTool, "LinkTool");
#include "tst_LinkTool.moc"
