#include "TestFiles.h"
#include "TestRegistry.h"
#include "ToolRunner.h"

#include "core/doc/DocumentCodec.h"
#include "core/style/CssReader.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

// Every sheet of the corpus: written here, and real ones (tests/data/css/real).
const char* const kSheets[] = {"framework.css", "handwritten.css", "nesting.css",
                               "bom.css",       "broken.css",      "unclosed.css",
                               "end-escape.css", "real/normalize.css",
                               "real/bootstrap-reboot.css", "real/primer-buttons.css"};

QString CorpusFile(const QString& name)
{
    return QDir(QStringLiteral(KELVO_TEST_DATA_DIR "/css")).filePath(name);
}

// The rules and declarations an independent parser reads in a sheet, one
// line each in order (tests/support/css_oracle.py over tinycss2).
// With `pieces`, the lines of what our reader found, from a JSON file.
QStringList OracleLines(const QString& path, bool pieces = false)
{
    QProcess p;
    QStringList args{QStringLiteral(KELVO_TEST_SUPPORT_DIR "/css_oracle.py")};
    if (pieces)
        args << QStringLiteral("--pieces");
    p.start(QStringLiteral("/usr/bin/python3"), args << path);
    if (!p.waitForFinished(60000) || p.exitCode() != 0)
        return {QStringLiteral("oracle failed: ") + QString::fromUtf8(p.readAllStandardError())};
    return QString::fromUtf8(p.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);
}

// What the reader found, as the oracle's --pieces entries: rules with the
// preludes leading to them, declarations, text that is none.
void ReaderPieces(const CssReader& r, const std::vector<CssItem>& items, const QJsonArray& path,
                  QJsonArray& out)
{
    auto text = [&r](int a, int b) { return r.Slice(a, b).toString(); };
    for (const CssItem& i : items) {
        QJsonObject e{{"path", path}};
        if (i.kind == CssItem::Kind::Comment)
            continue;
        if (i.kind == CssItem::Kind::Declaration) {
            e["name"] = text(i.start, i.nameEnd);
            e["value"] = text(i.valueStart, i.valueEnd);
            e["important"] = i.important;
        } else if (i.kind == CssItem::Kind::Other) {
            e["junk"] = text(i.start, i.end);
        } else if (i.bodyStart < 0) {
            e["statement"] = text(i.start, i.preludeEnd);
        } else {
            QJsonArray inner = path;
            inner.append(text(i.start, i.preludeEnd));
            out.append(QJsonObject{{"path", inner}});
            ReaderPieces(r, r.ReadBody(i), inner, out);
            continue;
        }
        out.append(e);
    }
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
        QTest::addColumn<QStringList>("bytes");  // the one change of the bytes: old, new
        for (const char* file : kSheets) {
            QTest::addRow("%s written by css", file) << file << "css" << QStringList{}
                                                     << QStringList{} << QStringList{}
                                                     << QStringList{};
            QTest::addRow("%s through the style list", file) << file << "list" << QStringList{}
                                                            << QStringList{} << QStringList{}
                                                            << QStringList{};
        }
        QTest::newRow("rule inside @media")
            << "framework.css" << "scroll-behavior" << QStringList{"color=ff0000"} << QStringList{}
            << QStringList{"@media (prefers-reduced-motion: no-preference) > :root | color: #ff0000"}
            << QStringList{};
        QTest::newRow("rule with a commented-out declaration")
            << "handwritten.css" << "font-size: 1.2rem" << QStringList{"text-align=中央"}
            << QStringList{} << QStringList{"p.lead | text-align: center"}
            << QStringList{};
        QTest::newRow("nested rule")
            << "nesting.css" << "box-shadow" << QStringList{"cursor=リンク"} << QStringList{}
            << QStringList{".card > &:hover | cursor: pointer"}
            << QStringList{};
        QTest::newRow("bold into a font shorthand")
            << "handwritten.css" << "color: #333" << QStringList{"bold=1"}
            << QStringList{"body | font: .875em/1.5 Meiryo,\"ヒラギノ角ゴ Pro W3\",sans-serif"}
            << QStringList{"body | font: bold .875em/1.5 Meiryo,\"ヒラギノ角ゴ Pro W3\",sans-serif"}
            << QStringList{};
        QTest::newRow("@font-face")
            << "framework.css" << "font-display" << QStringList{"font-family=Noto Serif JP"}
            << QStringList{"@font-face | font-family: \"Noto Sans JP\""}
            << QStringList{"@font-face | font-family: \"Noto Serif JP\""}
            << QStringList{};
        // Real sheets: the one declaration changed in its place, every
        // other byte kept.
        QTest::newRow("real: a value beside a comment, two-space indents")
            << "real/normalize.css" << "line-height: 1.15" << QStringList{"line-height=2"}
            << QStringList{"html | line-height: 1.15"} << QStringList{"html | line-height: 2"}
            << QStringList{"line-height: 1.15;", "line-height: 2;"};
        QTest::newRow("real: !important kept, selector of brackets")
            << "real/bootstrap-reboot.css" << "[list]:not" << QStringList{"display=ブロック"}
            << QStringList{"[list]:not([type=date]):not([type=datetime-local]):not([type=month])"
                           ":not([type=week]):not([type=time])::-webkit-calendar-picker-indicator"
                           " | display: none !important"}
            << QStringList{"[list]:not([type=date]):not([type=datetime-local]):not([type=month])"
                           ":not([type=week]):not([type=time])::-webkit-calendar-picker-indicator"
                           " | display: block !important"}
            << QStringList{"display: none !important;", "display: block !important;"};
        QTest::newRow("real: minified rule stays on its line")
            << "real/primer-buttons.css" << "text-decoration:none}.btn:disabled"
            << QStringList{"text-decoration=下線"}
            << QStringList{".btn:hover | text-decoration: none"}
            << QStringList{".btn:hover | text-decoration: underline"}
            << QStringList{"text-decoration:none", "text-decoration:underline"};
    }
    void oracle()
    {
        QFETCH(QString, file);
        QFETCH(QString, how);
        QFETCH(QStringList, fields);
        QFETCH(QStringList, removed);
        QFETCH(QStringList, added);
        QFETCH(QStringList, bytes);
        const QString input = CorpusFile(file);
        const QByteArray original = ReadBytes(input);
        QTemporaryDir dir;
        const QString output = dir.filePath(QFileInfo(file).fileName());
        if (how == u"css") {
            QProcess p;
            p.start(QStringLiteral(KELVO_TOOL_PATH), {u"css"_qs, input});
            QVERIFY(p.waitForFinished(60000));
            QCOMPARE(p.exitCode(), 0);
            const QByteArray written = p.readAllStandardOutput();
            QCOMPARE(written.startsWith("\xef\xbb\xbf"), original.startsWith("\xef\xbb\xbf"));
            QVERIFY(WriteBytes(output, written));
        } else {
            QStringList args{u"exec"_qs, u"--config"_qs, dir.filePath(u"config"_qs)};
            if (how == u"list") {
                args << u"--command"_qs << u"33201"_qs;
            } else {
                // Offsets count the buffer's CR LF line ends.
                QString text = QString::fromUtf8(original);
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
            QByteArray expected = ReadBytes(input);
            if (!bytes.isEmpty()) {
                const qsizetype at = expected.indexOf(bytes[0].toUtf8(), expected.indexOf(how.toUtf8()));
                QVERIFY(at >= 0);
                expected.replace(at, bytes[0].toUtf8().size(), bytes[1].toUtf8());
            }
            if (how == u"list" || !bytes.isEmpty())
                QCOMPARE(ReadBytes(output), expected);
        }
        QStringList before = OracleLines(input);
        QStringList after = OracleLines(output);
        for (const QString& line : removed)
            QVERIFY2(before.removeOne(line), qPrintable(line));
        for (const QString& line : added)
            QVERIFY2(after.removeOne(line), qPrintable(line));
        QCOMPARE(after, before);
    }

    // The rules and declarations the reader finds are those an independent
    // parser finds: a reader that misses a rule or cuts a value elsewhere
    // fails here even when what it writes back means the same.
    void structure_data()
    {
        QTest::addColumn<QString>("file");
        for (const char* file : kSheets)
            QTest::newRow(file) << file;
    }
    void structure()
    {
        QFETCH(QString, file);
        const QString path = CorpusFile(file);
        const CssReader reader(DecodeDocument(ReadBytes(path), true).text);
        QJsonArray pieces;
        ReaderPieces(reader, reader.ReadSheet(), {}, pieces);
        QTemporaryDir dir;
        const QString json = dir.filePath(u"pieces.json"_qs);
        QVERIFY(WriteBytes(json, QJsonDocument(pieces).toJson()));
        QStringList expected = OracleLines(path);
        // Parse errors are no rules.
        expected.removeIf([](const QString& l) { return l.startsWith(u"error "); });
        QCOMPARE(OracleLines(json, true), expected);
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
