#include "TestFiles.h"
#include "TestRegistry.h"
#include "ToolRunner.h"

#include "core/tables/TableCommandIds.h"
#include "platform/SettingsStore.h"

#include <QTemporaryDir>
#include <QTest>

// The batch tool runs the table commands with their dialogs answered from
// the command line, and saves in the file's own line ends.
class TestTableTool : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void exec_data()
    {
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<QByteArray>("output");
        QTest::newRow("tab-separated lines after the options dialog")
            << QStringList{"--field", "Enable=0", "--field", "Item=1", "--command",
                           QString::number(cmd::TableOptionsDialog), "--select", "0:10",
                           "--command", QString::number(cmd::TabToTable)}
            << QByteArray("a\tb\nc\td\n")
            << QByteArray("<TABLE BORDER=\"1\">\n<TR><TH>a</TH><TH>b</TH></TR>\n"
                          "<TR><TD>c</TD><TD>d</TD></TR>\n</TABLE>\n");
        QTest::newRow("wizard cells from fields")
            << QStringList{"--setting", "Table/Enable=0", "--field", "Columns=2", "--field",
                           "R1C1=x", "--field", "R1C2=y", "--command",
                           QString::number(cmd::TableWizard)}
            << QByteArray("\r\n")
            << QByteArray("<TABLE BORDER>\r\n<TR><TD>x</TD><TD>y</TD></TR>\r\n</TABLE>\r\n\r\n");
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

    void optionsAreStored()
    {
        QTemporaryDir dir;
        const QString in = dir.filePath(QStringLiteral("in.txt"));
        const QString config = dir.filePath(QStringLiteral("config"));
        QVERIFY(WriteBytes(in, "x"));
        const ToolResult r = RunTool({QStringLiteral("exec"), QStringLiteral("--config"), config,
                                      QStringLiteral("--field"), QStringLiteral("Split=0"),
                                      QStringLiteral("--command"),
                                      QString::number(cmd::TableOptionsDialog), in});
        QCOMPARE(r.status, 0);
        platform::SettingsStore store(config + QStringLiteral("/kelvo.ini"));
        QCOMPARE(store.ReadInt(QStringLiteral("Table"), QStringLiteral("Split"), -1), 0);
        QCOMPARE(store.ReadInt(QStringLiteral("Table"), QStringLiteral("Enable"), -1), 1);
    }
};
KELVO_TEST(TestTableTool, "TableTool");
#include "tst_TableTool.moc"
