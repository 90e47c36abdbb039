#include "TestFiles.h"
#include "TestRegistry.h"
#include "ToolRunner.h"

#include <QTemporaryDir>
#include <QTest>

// Find, replace and go to line driven from outside, through the batch
// tool's dialog fields and answers.
class TestFindTool : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void findNextAndClear()
    {
        QTemporaryDir dir;
        const QString in = dir.filePath(QStringLiteral("in.html"));
        const QString out = dir.filePath(QStringLiteral("out.html"));
        WriteBytes(in, "one ABC two abc\r\n");
        const ToolResult r = RunTool({"exec", "--field", "検索語=abc", "--field", "大文字と小文字の区別をする=1",
                                      "--command", "57636", "--command", "57632", "--command", "57640",
                                      in, "-o", out});
        QCOMPARE(r.status, 0);
        QCOMPARE(r.Lines(), QStringList{QStringLiteral("message: 見つかりません")});
        QCOMPARE(ReadBytes(out), QByteArray("one ABC two \r\n"));
        QCOMPARE(ReadBytes(in), QByteArray("one ABC two abc\r\n"));
    }

    void replaceAll()
    {
        QTemporaryDir dir;
        const QString in = dir.filePath(QStringLiteral("in.html"));
        WriteBytes(in, "aXa\r\nA\r\n");
        const ToolResult r = RunTool({"exec", "--field", "検索語=a", "--field", "置換語=bb", "--answer", "ok",
                                      "--answer", "all", "--command", "57641", in});
        QCOMPARE(r.status, 0);
        QCOMPARE(r.Lines(), QStringList({QStringLiteral("question: 置換しますか？"),
                                         QStringLiteral("message: 3個 置換しました")}));
        QCOMPARE(ReadBytes(in), QByteArray("bbXbb\r\nbb\r\n"));
    }

    void goToLineThenReplaceOnce()
    {
        QTemporaryDir dir;
        const QString in = dir.filePath(QStringLiteral("in.html"));
        WriteBytes(in, "x\r\nx\r\nx\r\n");
        const ToolResult r = RunTool({"exec", "--field", "移動する行番号=2", "--command", "33024",
                                      "--field", "検索語=x", "--field", "置換語=y", "--answer", "ok",
                                      "--answer", "yes", "--answer", "cancel", "--command", "57641",
                                      "--field", "移動する行番号=9", "--command", "33024", in});
        QCOMPARE(r.status, 0);
        QCOMPARE(r.Lines(), QStringList({QStringLiteral("question: 置換しますか？"),
                                         QStringLiteral("question: 置換しますか？"),
                                         QStringLiteral("message: 行番号がありません")}));
        QCOMPARE(ReadBytes(in), QByteArray("x\r\ny\r\nx\r\n"));
    }
};
KELVO_TEST(TestFindTool, "FindTool");
#include "tst_FindTool.moc"
