#include "TestFiles.h"
#include "TestRegistry.h"
#include "ToolRunner.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

QString CorpusFile(const QString& name)
{
    return QDir(QStringLiteral(KELVO_TEST_DATA_DIR "/css")).filePath(name);
}

// The rules and declarations an independent parser reads in a sheet, one
// line each in order (tests/support/css_oracle.py over tinycss2).
QStringList OracleLines(const QString& path)
{
    QProcess p;
    p.start(QStringLiteral("/usr/bin/python3"),
            {QStringLiteral(KELVO_TEST_DATA_DIR "/../support/css_oracle.py"), path});
    if (!p.waitForFinished(60000) || p.exitCode() != 0)
        return {QStringLiteral("oracle failed: ") + QString::fromUtf8(p.readAllStandardError())};
    return QString::fromUtf8(p.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);
}

} // namespace

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
        QTest::newRow("UTF-8 byte-order mark kept")
            << QByteArray("\xef\xbb\xbfP{a:b}") << QByteArray("\xef\xbb\xbfP {\r\n\ta: b;\r\n}\r\n");
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

    // Sheets of every construct read by an independent parser before and
    // after: `kelvo-tool css` (every rule rewritten), the style list's OK
    // without a change (byte for byte), and one rule edited through a
    // double-click (only that rule's lines differ).
    void oracle_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("how");  // "css", "list" or the text double-clicked
        QTest::addColumn<QStringList>("fields");
        QTest::addColumn<QStringList>("removed");
        QTest::addColumn<QStringList>("added");
        for (const char* file : {"framework.css", "handwritten.css", "nesting.css", "bom.css",
                                 "broken.css", "unclosed.css"}) {
            QTest::addRow("%s written by css", file) << file << "css" << QStringList{}
                                                     << QStringList{} << QStringList{};
            QTest::addRow("%s through the style list", file)
                << file << "list" << QStringList{} << QStringList{} << QStringList{};
        }
        QTest::newRow("rule inside @media")
            << "framework.css" << "scroll-behavior" << QStringList{"color=ff0000"} << QStringList{}
            << QStringList{"@media (prefers-reduced-motion: no-preference) > :root | color: #ff0000"};
        QTest::newRow("rule with a commented-out declaration")
            << "handwritten.css" << "font-size: 1.2rem" << QStringList{"text-align=中央"}
            << QStringList{} << QStringList{"p.lead | text-align: center"};
        QTest::newRow("nested rule")
            << "nesting.css" << "box-shadow" << QStringList{"cursor=リンク"} << QStringList{}
            << QStringList{".card > &:hover | cursor: pointer"};
        QTest::newRow("bold into a font shorthand")
            << "handwritten.css" << "color: #333" << QStringList{"bold=1"}
            << QStringList{"body | font: .875em/1.5 Meiryo,\"ヒラギノ角ゴ Pro W3\",sans-serif"}
            << QStringList{"body | font: bold .875em/1.5 Meiryo,\"ヒラギノ角ゴ Pro W3\",sans-serif"};
        QTest::newRow("@font-face")
            << "framework.css" << "font-display" << QStringList{"font-family=Noto Serif JP"}
            << QStringList{"@font-face | font-family: \"Noto Sans JP\""}
            << QStringList{"@font-face | font-family: \"Noto Serif JP\""};
    }
    void oracle()
    {
        QFETCH(QString, file);
        QFETCH(QString, how);
        QFETCH(QStringList, fields);
        QFETCH(QStringList, removed);
        QFETCH(QStringList, added);
        const QString input = CorpusFile(file);
        const QByteArray bytes = ReadBytes(input);
        QTemporaryDir dir;
        const QString output = dir.filePath(file);
        if (how == u"css") {
            QProcess p;
            p.start(QStringLiteral(KELVO_TOOL_PATH), {u"css"_qs, input});
            QVERIFY(p.waitForFinished(60000));
            QCOMPARE(p.exitCode(), 0);
            const QByteArray written = p.readAllStandardOutput();
            QCOMPARE(written.startsWith("\xef\xbb\xbf"), bytes.startsWith("\xef\xbb\xbf"));
            QVERIFY(WriteBytes(output, written));
        } else {
            QStringList args{u"exec"_qs, u"--config"_qs, dir.filePath(u"config"_qs)};
            if (how == u"list") {
                args << u"--command"_qs << u"33201"_qs;
            } else {
                // Offsets count the buffer's CR LF line ends.
                QString text = QString::fromUtf8(bytes);
                if (text.startsWith(QChar(0xFEFF)))
                    text.remove(0, 1);
                text.replace(u"\n"_qs, u"\r\n"_qs);
                for (const QString& f : fields)
                    args << u"--field"_qs << f;
                args << u"--answer"_qs << u"ok"_qs << u"--answer"_qs << u"yes"_qs << u"--dblclick"_qs
                     << QString::number(text.indexOf(how));
            }
            const ToolResult r = RunTool(args + QStringList{input, u"-o"_qs, output});
            QCOMPARE(r.status, 0);
            QCOMPARE(r.err, QString());
            if (how == u"list")
                QCOMPARE(ReadBytes(output), bytes);
        }
        QStringList before = OracleLines(input);
        QStringList after = OracleLines(output);
        for (const QString& line : removed)
            QVERIFY2(before.removeOne(line), qPrintable(line));
        for (const QString& line : added)
            QVERIFY2(after.removeOne(line), qPrintable(line));
        QCOMPARE(after, before);
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
