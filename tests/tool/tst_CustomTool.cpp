#include "TestFiles.h"
#include "TestRegistry.h"
#include "ToolRunner.h"

#include "core/app/ShellCommandIds.h"
#include "core/custom/CKeycustTable.h"
#include "core/custom/CustomCommandIds.h"
#include "core/custom/VirtualKeys.h"

#include <QTemporaryDir>
#include <QTest>

// The batch tool lists key files and reaches the customization commands.
class TestCustomTool : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void keys_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("out");
        QTest::addColumn<QString>("err");
        CKeycustTable table;
        table.Assign({'S', false, false, true}, 57603);
        table.Assign({vk::Numpad0 + 1, true, true, true}, 32776);
        table.Assign({vk::F24, false, false, false}, 57600);
        QTest::newRow("assignments in file order")
            << KeyFileBytes(table.Assignments()) << 0
            << "Ctrl+S 57603\nAlt+Shift+Ctrl+NUMPAD1 32776\n[135] 57600\n" << "";
        QTest::newRow("empty table") << QByteArray("\0\0", 2) << 0 << "" << "";
        QTest::newRow("damaged") << QByteArray("\x01\x00\xff\xff", 4) << 1 << "" << "読み込めません\n";
        QTest::newRow("missing") << QByteArray() << 1 << "" << "読み込めません\n";
    }
    void keys()
    {
        QFETCH(QByteArray, file);
        QFETCH(int, status);
        QFETCH(QString, out);
        QFETCH(QString, err);
        QTemporaryDir dir;
        const QString path = dir.filePath("k.key");
        if (!file.isEmpty())
            WriteBytes(path, file);
        const ToolResult r = RunTool({"keys", path});
        QCOMPARE(r.status, status);
        QCOMPARE(r.out, out);
        QCOMPARE(r.err, err);
    }

    // A registered tool is shown, not started: the program and its one
    // argument, however the document's path is spelt.
    void registeredTool()
    {
        const ExecResult r = ExecOn("<P>", {"--setting", "Tool/Count=1", "--setting", "Tool/File00=/bin/v %",
                                            "--command", QString::number(cmd::RegisteredToolFirst)});
        QCOMPARE(r.status, 0);
        const QStringList lines = r.Lines();
        QCOMPARE(lines.size(), 2);
        QCOMPARE(lines[0], QStringLiteral("process: /bin/v"));
        QVERIFY(lines[1].startsWith("argument: /") && lines[1].endsWith("/in.htm"));
    }

    void registeredTagAndListDialog()
    {
        const ExecResult r = ExecOn(
            "abc", {"--select", "0:3", "--field", "追加=", "--field", "タグの名前=強", "--field",
                    "前方のタグ=<STRONG>", "--field", "後方のタグ=</STRONG>", "--command",
                    QString::number(cmd::RegisteredTagEdit), "--command",
                    QString::number(cmd::RegisteredTagFirst)});
        QCOMPARE(r.status, 0);
        QCOMPARE(r.saved, QByteArray("<STRONG>abc</STRONG>"));
    }

    void keyDialog()
    {
        QTemporaryDir dir;
        const QString keyFile = dir.filePath("k.KEY");
        const ExecResult r = ExecOn("x", {"--input", keyFile, "--field", "キー=F5", "--field",
                                          "メニュー=上書き保存", "--field", "保存=", "--answer", "cancel",
                                          "--command", QString::number(cmd::KeyCustomize)});
        QCOMPARE(r.status, 0);
        const ToolResult keys = RunTool({"keys", keyFile});
        QCOMPARE(keys.out, QStringLiteral("F5 57603\n"));
    }
};
KELVO_TEST(TestCustomTool, "CustomTool");
#include "tst_CustomTool.moc"
