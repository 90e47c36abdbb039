#include "TestFiles.h"
#include "TestRegistry.h"
#include "ToolRunner.h"

#include "core/tags/TagCommandIds.h"

#include <QTemporaryDir>
#include <QTest>

// The batch tool reaches the tag commands exactly as the menu does.
class TestTagTool : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void exec_data()
    {
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<QByteArray>("output");

        QTest::newRow("bold around a selection")
            << QStringList{"--select", "4:7", "--command", QString::number(cmd::tag::Bold)}
            << QByteArray("abc def ghi\n") << QByteArray("abc <B>def</B> ghi\n");
        QTest::newRow("lower case from a setting")
            << QStringList{"--setting", "System/TagLower=1", "--select", "0:3", "--command",
                           QString::number(cmd::tag::Bold)}
            << QByteArray("abc\r\n") << QByteArray("<b>abc</b>\r\n");
        QTest::newRow("list from lines keeps LF line ends")
            << QStringList{"--select", "0:3", "--command",
                           QString::number(cmd::tag::UnorderedList)}
            << QByteArray("a\nb\n") << QByteArray("<UL>\n<LI>a\n<LI>b\n</UL>\n");
        QTest::newRow("selection inside a surrogate pair")
            << QStringList{"--select", "1:3", "--command", QString::number(cmd::tag::Bold)}
            << QByteArray("𠮷野家") << QByteArray("<B>𠮷野</B>家");
        QTest::newRow("prompted command")
            << QStringList{"--input", "date", "--command", QString::number(cmd::tag::SsiExec)}
            << QByteArray("x") << QByteArray("<!--#exec cmd=\"date\"-->x");
        QTest::newRow("double-click edits the tag by labels and attribute names")
            << QStringList{"--field", "横の配置=中央寄せ", "--field", "BGCOLOR=#ff0000",
                           "--dblclick", "2"}
            << QByteArray("<TD>x</TD>\n")
            << QByteArray("<TD ALIGN=\"center\" BGCOLOR=\"#FF0000\">x</TD>\n");
        QTest::newRow("a refused dialog is cancelled, not retried")
            << QStringList{"--select", "0:1", "--command", "32817"} << QByteArray("x")
            << QByteArray("x");
    }
    void exec()
    {
        QFETCH(QStringList, options);
        QFETCH(QByteArray, input);
        QFETCH(QByteArray, output);
        const ExecResult r = ExecOn(input, options);
        QCOMPARE(r.err, QString());
        QCOMPARE(r.status, 0);
        QCOMPARE(r.saved, output);
    }
};
KELVO_TEST(TestTagTool, "TagTool");
#include "tst_TagTool.moc"
