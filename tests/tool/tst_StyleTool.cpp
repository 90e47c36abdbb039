#include "TestFiles.h"
#include "TestRegistry.h"
#include "ToolRunner.h"

#include <QTemporaryDir>
#include <QTest>

class TestStyleTool : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void css_data()
    {
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<QByteArray>("output");
        QTest::newRow("rules and comments, CR LF kept")
            << QByteArray("/* a */\r\nP{color:red;;margin : 0}\r\nH1,H2{}\r\n")
            << QByteArray("/* a */\r\nP {\r\n\tcolor: red;\r\n\tmargin: 0;\r\n}\r\nH1,H2 {\r\n}\r\n");
        QTest::newRow("LF file written with LF")
            << QByteArray("A{x:y}\nB{}\n") << QByteArray("A {\n\tx: y;\n}\nB {\n}\n");
        QTest::newRow("no rule: text unchanged") << QByteArray("just text")
                                                << QByteArray("just text");
        QTest::newRow("Shift-JIS comment kept in its code")
            << QByteArray("/* \x8c\xa9\x8f\x6f\x82\xb5 */\r\nP{}\r\n")
            << QByteArray("/* \x8c\xa9\x8f\x6f\x82\xb5 */\r\nP {\r\n}\r\n");
        QTest::newRow("unterminated comment") << QByteArray("/* open\r\nP{a:b}")
                                             << QByteArray("/* open\r\nP{a:b}");
    }
    void css()
    {
        QFETCH(QByteArray, input);
        QFETCH(QByteArray, output);
        QTemporaryDir dir;
        const QString path = dir.filePath(u"s.css"_qs);
        QVERIFY(WriteBytes(path, input));
        const ToolResult r = RunTool({u"css"_qs, path});
        QCOMPARE(r.status, 0);
        // The output is in the file's own code; compared as the runner reads it.
        QCOMPARE(r.out, QString::fromUtf8(output));
    }

    void cssErrors()
    {
        QCOMPARE(RunTool({u"css"_qs}).status, 2);
        QCOMPARE(RunTool({u"css"_qs, u"/nonexistent/x.css"_qs}).status, 1);
    }

    void execStyleDialog()
    {
        const ExecResult r = ExecOn("<P >", {"--select", "3:3", "--field", "color=ff0000",
                                             "--field", "margin-top=1", "--field",
                                             "margin-top-unit=ピクセル", "--answer", "ok",
                                             "--answer", "yes", "--command", "33015"});
        QCOMPARE(r.status, 0);
        QCOMPARE(r.saved, QByteArray("<P STYLE=\"color: #ff0000;margin-top: 1px;\">"));
    }
};
KELVO_TEST(TestStyleTool, "StyleTool");
#include "tst_StyleTool.moc"
