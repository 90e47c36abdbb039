#include "TestFiles.h"
#include "TestRegistry.h"

#include "core/tables/TableCommandIds.h"
#include "core/tables/TableText.h"

#include <QTest>

namespace {

// "Key=Value;Key=Value" into the "Table" settings, before the editor starts.
void ApplyTableSettings(TestEditor& t, const QString& list)
{
    for (const QString& pair : list.split(u';', Qt::SkipEmptyParts)) {
        const qsizetype eq = pair.indexOf(u'=');
        t.Settings().WriteString(QStringLiteral("Table"), pair.left(eq), pair.mid(eq + 1));
    }
}

const QString kTableStart = QStringLiteral("<TABLE BORDER=\"1\">\r\n");
const QString kTableEnd = QStringLiteral("</TABLE>\r\n");

} // namespace

class TestTableConvert : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void split_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("separators");
        QTest::addColumn<bool>("each");
        QTest::addColumn<QStringList>("fields");
        QTest::newRow("empty middle field") << "a,,b" << "," << true << QStringList{"a", "", "b"};
        QTest::newRow("run counts as one") << "a,,b" << "," << false << QStringList{"a", "b"};
        QTest::newRow("leading separator") << ",a" << "," << true << QStringList{"", "a"};
        QTest::newRow("leading run gives one empty field")
            << ",,,a" << "," << false << QStringList{"", "a"};
        QTest::newRow("trailing separator gives no field") << "a," << "," << true << QStringList{"a"};
        QTest::newRow("trailing pair gives one empty field")
            << "a,," << "," << true << QStringList{"a", ""};
        QTest::newRow("trailing run") << "a,,," << "," << false << QStringList{"a"};
        QTest::newRow("only a separator") << "," << "," << true << QStringList{""};
        QTest::newRow("only separators, runs") << ",,," << "," << false << QStringList{""};
        QTest::newRow("quotes mean nothing")
            << "\"x,y\",z" << "," << true << QStringList{"\"x", "y\"", "z"};
        QTest::newRow("fields are not trimmed") << " a , b " << "," << true << QStringList{" a ", " b "};
        QTest::newRow("blank or tab, each")
            << "a b\tc  d" << " \t" << true << QStringList{"a", "b", "c", "", "d"};
        QTest::newRow("blank or tab, runs")
            << "a b\tc \t d" << " \t" << false << QStringList{"a", "b", "c", "d"};
        QTest::newRow("no separator") << "abc" << "\t" << true << QStringList{"abc"};
    }
    void split()
    {
        QFETCH(QString, line);
        QFETCH(QString, separators);
        QFETCH(bool, each);
        QFETCH(QStringList, fields);
        QCOMPARE(SplitDelimitedLine(line, separators, each), fields);
    }

    // Rows as "field|field", read with quotes from lines joined by CR LF.
    void quotedRows_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("separators");
        QTest::addColumn<bool>("each");
        QTest::addColumn<QStringList>("rows");
        QTest::newRow("quoted separator") << "\"Anytown, WW\",x" << "," << true
                                          << QStringList{"Anytown, WW|x"};
        QTest::newRow("doubled quotes") << "\"ha \"\"ha\"\" ha\",\"\"\"\"" << "," << true
                                        << QStringList{"ha \"ha\" ha|\""};
        QTest::newRow("quoted line breaks, a blank line too")
            << "\"a\r\n\r\nb\",c\r\nd" << "," << true << QStringList{"a\r\n\r\nb|c", "d"};
        QTest::newRow("closing quote that ends a line")
            << "\"a\r\n\"\r\nb" << "\t" << true << QStringList{"a\r\n", "b"};
        QTest::newRow("quoted empty last field counts") << "a,\"\"" << "," << true
                                                        << QStringList{"a|"};
        QTest::newRow("text after the closing quote") << "\"a\"b,c" << "," << true
                                                      << QStringList{"ab|c"};
        QTest::newRow("quote inside a field is text") << "a\"b,\"c" << "," << true
                                                      << QStringList{"a\"b|\"c"};
        QTest::newRow("quote never closed is text") << "\"a,b\r\nc" << "," << true
                                                    << QStringList{"\"a|b", "c"};
        QTest::newRow("runs as one around quotes") << ",\"a,,b\",,\"c\"" << "," << false
                                                   << QStringList{"|a,,b|c"};
        QTest::newRow("tab-separated") << "\"a\tb\"\tc" << "\t" << true << QStringList{"a\tb|c"};
    }
    void quotedRows()
    {
        QFETCH(QString, text);
        QFETCH(QString, separators);
        QFETCH(bool, each);
        QFETCH(QStringList, rows);
        const QStringList lines = text.split(QStringLiteral("\r\n"));
        QStringList got;
        for (qsizetype next = 0; next < lines.size();)
            got.append(ReadDelimitedRow(lines, next, separators, each, true).join(u'|'));
        QCOMPARE(got, rows);
    }

    void convert_data()
    {
        QTest::addColumn<int>("command");
        QTest::addColumn<QString>("settings");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("selStart");
        QTest::addColumn<int>("selEnd");
        QTest::addColumn<QString>("expected");

        QTest::newRow("two lines, defaults")
            << cmd::TabToTable << "" << "a\tb\r\nc\td" << 0 << 8
            << "<TABLE BORDER=\"1\">\r\n"
               "<TR BGCOLOR=\"#FFFFFF\"><TD BGCOLOR=\"#FFFFFF\">a</TD><TD>b</TD></TR>\r\n"
               "<TR BGCOLOR=\"#FFFFFF\"><TD BGCOLOR=\"#FFFFFF\">c</TD><TD>d</TD></TR>\r\n"
               "</TABLE>\r\n";
        QTest::newRow("no colour, header row")
            << cmd::TabToTable << "Enable=0;Item=1" << "a\tb\r\nc\td" << 0 << 8
            << kTableStart + "<TR><TH>a</TH><TH>b</TH></TR>\r\n<TR><TD>c</TD><TD>d</TD></TR>\r\n"
                   + kTableEnd;
        QTest::newRow("each colour in its place")
            << cmd::TabToTable << "Color1=111111;Color2=222222;Color4=444444;Color5=555555"
            << "a\tb\r\nc\td" << 0 << 8
            << kTableStart
                   + "<TR BGCOLOR=\"#222222\"><TD BGCOLOR=\"#111111\">a</TD><TD>b</TD></TR>\r\n"
                     "<TR BGCOLOR=\"#555555\"><TD BGCOLOR=\"#444444\">c</TD><TD>d</TD></TR>\r\n"
                   + kTableEnd;
        QTest::newRow("empty first line: no first row")
            << cmd::TabToTable << "Item=1;Color1=111111;Color2=222222;Color4=444444;Color5=555555"
            << "\r\na\tb" << 0 << 5
            << kTableStart
                   + "<TR BGCOLOR=\"#555555\"><TD BGCOLOR=\"#444444\">a</TD><TD>b</TD></TR>\r\n"
                   + kTableEnd;
        QTest::newRow("empty middle cell")
            << cmd::CommaToTable << "Enable=0" << "a,,b" << 0 << 4
            << kTableStart + "<TR><TD>a</TD><TD></TD><TD>b</TD></TR>\r\n" + kTableEnd;
        QTest::newRow("empty cell gets a full-width space")
            << cmd::CommaToTable << "Enable=0;Space=1" << "a,,b" << 0 << 4
            << kTableStart + "<TR><TD>a</TD><TD>\u3000</TD><TD>b</TD></TR>\r\n" + kTableEnd;
        QTest::newRow("consecutive commas as one")
            << cmd::CommaToTable << "Enable=0;Split=0" << "a,,b" << 0 << 4
            << kTableStart + "<TR><TD>a</TD><TD>b</TD></TR>\r\n" + kTableEnd;
        QTest::newRow("quotes group as spreadsheets write them")
            << cmd::CommaToTable << "Enable=0;Item=1" << "\"x,\r\n\"\"y\"\"\",z\r\na" << 0 << 16
            << kTableStart + "<TR><TH>x,\r\n\"y\"</TH><TH>z</TH></TR>\r\n<TR><TD>a</TD></TR>\r\n"
                   + kTableEnd;
        QTest::newRow("quotes group tab-separated text")
            << cmd::TabToTable << "Enable=0" << "\"a\tb\"\tc" << 0 << 7
            << kTableStart + "<TR><TD>a\tb</TD><TD>c</TD></TR>\r\n" + kTableEnd;
        QTest::newRow("quotes do not group blank-separated text")
            << cmd::BlankTabToTable << "Enable=0" << "\"x y\" z" << 0 << 7
            << kTableStart + "<TR><TD>\"x</TD><TD>y\"</TD><TD>z</TD></TR>\r\n" + kTableEnd;
        QTest::newRow("classes by column")
            << cmd::TabToTable << "Class=1" << "a\tb" << 0 << 3
            << kTableStart
                   + "<TR BGCOLOR=\"#FFFFFF\"><TD BGCOLOR=\"#FFFFFF\" CLASS=\"item1\">a</TD>"
                     "<TD CLASS=\"item2\">b</TD></TR>\r\n"
                   + kTableEnd;
        QTest::newRow("blank or tab splits at each")
            << cmd::BlankTabToTable << "Enable=0" << "a b\tc" << 0 << 5
            << kTableStart + "<TR><TD>a</TD><TD>b</TD><TD>c</TD></TR>\r\n" + kTableEnd;
        QTest::newRow("blank and tab run as one")
            << cmd::BlankTabToTable << "Enable=0;Split=0" << "a \t b" << 0 << 5
            << kTableStart + "<TR><TD>a</TD><TD>b</TD></TR>\r\n" + kTableEnd;
        QTest::newRow("tab command leaves commas")
            << cmd::TabToTable << "Enable=0" << "a,b" << 0 << 3
            << kTableStart + "<TR><TD>a,b</TD></TR>\r\n" + kTableEnd;
        QTest::newRow("selection from mid line to mid line keeps the rest")
            << cmd::TabToTable << "Enable=0" << "xa\tb\r\nc\tdy" << 1 << 9
            << "x" + kTableStart + "<TR><TD>a</TD><TD>b</TD></TR>\r\n<TR><TD>c</TD><TD>d</TD></TR>\r\n"
                   + kTableEnd + "y";
        QTest::newRow("selection inside one line takes it to the line end once")
            << cmd::TabToTable << "Enable=0" << "p\r\na\tb\tc\r\nq" << 3 << 6
            << "p\r\n" + kTableStart + "<TR><TD>a</TD><TD>b</TD><TD>c</TD></TR>\r\n" + kTableEnd
                   + "\r\nq";
        QTest::newRow("caret converts from the caret to the line end")
            << cmd::TabToTable << "Enable=0" << "a\tb" << 0 << 0
            << kTableStart + "<TR><TD>a</TD><TD>b</TD></TR>\r\n" + kTableEnd;
        QTest::newRow("whole lines with the last line end")
            << cmd::TabToTable << "Enable=0" << "a\tb\r\nc\r\nrest" << 0 << 8
            << kTableStart + "<TR><TD>a</TD><TD>b</TD></TR>\r\n<TR><TD>c</TD></TR>\r\n" + kTableEnd
                   + "rest";
        QTest::newRow("empty lines in the middle make no row")
            << cmd::TabToTable << "Enable=0;Item=1" << "a\r\n\r\nb" << 0 << 7
            << kTableStart + "<TR><TH>a</TH></TR>\r\n<TR><TD>b</TD></TR>\r\n" + kTableEnd;
        QTest::newRow("caret on an empty line gives an empty table")
            << cmd::TabToTable << "" << "" << 0 << 0 << kTableStart + kTableEnd;
        QTest::newRow("lines: a cell a line, first-row rule and colours")
            << cmd::LinesToTable << "Item=1;Color1=111111;Color2=222222;Color4=444444;Color5=555555"
            << "a\tb, c\r\n\r\nd" << 0 << 11
            << kTableStart
                   + "<TR BGCOLOR=\"#222222\"><TH BGCOLOR=\"#111111\">a\tb, c</TH></TR>\r\n"
                     "<TR BGCOLOR=\"#555555\"><TD BGCOLOR=\"#444444\">d</TD></TR>\r\n"
                   + kTableEnd;
        QTest::newRow("lines: a caret takes its whole line")
            << cmd::LinesToTable << "Enable=0;Class=1;Space=1" << "p\r\nab cd\r\nq" << 6 << 6
            << "p\r\n" + kTableStart + "<TR><TD CLASS=\"item1\">ab cd</TD></TR>\r\n" + kTableEnd
                   + "\r\nq";
        QTest::newRow("lines: from mid line as the other conversions")
            << cmd::LinesToTable << "Enable=0" << "xa\r\nb,c" << 1 << 7
            << "x" + kTableStart + "<TR><TD>a</TD></TR>\r\n<TR><TD>b,c</TD></TR>\r\n" + kTableEnd;
        QTest::newRow("lower-case tags when asked")
            << cmd::TabToTable << "Item=1" << "A\tB" << 0 << 3
            << "<table border=\"1\">\r\n"
               "<tr bgcolor=\"#FFFFFF\"><th bgcolor=\"#FFFFFF\">A</th><th>B</th></tr>\r\n"
               "</table>\r\n";
    }
    void convert()
    {
        QFETCH(int, command);
        QFETCH(QString, settings);
        QFETCH(QString, text);
        QFETCH(int, selStart);
        QFETCH(int, selEnd);
        QFETCH(QString, expected);
        TestEditor t;
        ApplyTableSettings(t, settings);
        if (QTest::currentDataTag() == QByteArray("lower-case tags when asked"))
            t.Settings().WriteInt(QStringLiteral("System"), QStringLiteral("TagLower"), 1);
        t.SetText(text, selStart, selEnd);
        QVERIFY(t.Run(command));
        QCOMPARE(t.Text(), expected);
        QVERIFY(t.Doc().IsModified());
    }

    // The rows in pieces of any size join to the whole table; the pieces
    // come in the lines' order and the source ends after the table's end.
    void piecesJoinToTheTable_data()
    {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<int>("perPiece");
        QTest::addColumn<int>("pieces");
        // The quoted field runs over two lines, past a piece's last line.
        const QStringList lines{"a\tb", "", "\"c", "d\"\te", "f"};
        QTest::newRow("a line a piece") << lines << 1 << 4;
        QTest::newRow("two lines a piece") << lines << 2 << 3;
        QTest::newRow("all lines in one piece") << lines << 5 << 1;
        QTest::newRow("more room than lines") << lines << 1000 << 1;
        QTest::newRow("no room is room for one line") << lines << 0 << 4;
        QTest::newRow("no lines") << QStringList{} << 3 << 1;
    }
    void piecesJoinToTheTable()
    {
        QFETCH(QStringList, lines);
        QFETCH(int, perPiece);
        QFETCH(int, pieces);
        TableStyle style;
        style.item = true;
        const EditBuffer::PieceSource next =
            DelimitedTablePieces(lines, QStringLiteral("\t"), true, style, perPiece, true);
        QStringList got;
        while (std::optional<QString> piece = next())
            got.append(*piece);
        QCOMPARE(got.size(), pieces);
        QVERIFY(!next());
        QVERIFY(got.first().startsWith(kTableStart));
        QVERIFY(got.last().endsWith(kTableEnd));
        QCOMPARE(got.join(QString()),
                 DelimitedTableText(lines, QStringLiteral("\t"), true, style, true));
    }

    void longLinesAreConvertedWhole()
    {
        TestEditor t;
        ApplyTableSettings(t, QStringLiteral("Enable=0"));
        const QString big(10000, u'x');
        t.SetText(big + "\t" + big, 0, 20001);
        QVERIFY(t.Run(cmd::TabToTable));
        QCOMPARE(t.Text(), kTableStart + "<TR><TD>" + big + "</TD><TD>" + big + "</TD></TR>\r\n"
                               + kTableEnd);
    }

    void undoBringsTheLinesBack()
    {
        TestEditor t;
        const QString original = QStringLiteral("before\r\na\tb\r\n\r\nc\td\r\nafter");
        t.SetText(original, 8, 22);
        t.Buffer().SetModified(false);
        QVERIFY(t.Run(cmd::TabToTable));
        QVERIFY(t.Text() != original);
        QCOMPARE(t.Buffer().BulkDepth(), 0);
        t.Buffer().Undo();
        QCOMPARE(t.Text(), original);
        QVERIFY2(!t.Buffer().CanUndo(), "the conversion must be one undo step");
        t.Buffer().SetSel(8, 22);
        QVERIFY(t.Run(cmd::LinesToTable));
        t.Buffer().Undo();
        QCOMPARE(t.Text(), original);
        QVERIFY2(!t.Buffer().CanUndo(), "lines to table must be one undo step");
    }

    void caretGoesAfterTheTable()
    {
        TestEditor t;
        t.Settings().WriteInt(QStringLiteral("System"), QStringLiteral("TagSelectContinue"), 1);
        t.SetText(QStringLiteral("a\tb\r\nz"), 0, 3);
        QVERIFY(t.Run(cmd::TabToTable));
        int s = 0, e = 0;
        t.Buffer().GetSel(s, e);
        QCOMPARE(s, e);
        QCOMPARE(t.Text().mid(s), QStringLiteral("\r\nz"));
    }

    void conversionRemembersNoTags()
    {
        TestEditor t;
        t.View().SetLastTags(QStringLiteral("<B>"), QStringLiteral("</B>"));
        t.SetText(QStringLiteral("a"), 0, 1);
        QVERIFY(t.Run(cmd::TabToTable));
        QCOMPARE(t.View().LastStartTag(), QStringLiteral("<B>"));
    }

    void hostileInput_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("only separators") << QString(5000, u'\t') + QString(5000, u',');
        QTest::newRow("lone CR and LF") << QStringLiteral("a\rb\nc\r\r\n\n\t\r");
        QTest::newRow("NUL and surrogate halves")
            << QString::fromUtf16(u"\0a\t\xD800\tb\xDC00,\0") + QString(QChar(0));
        QTest::newRow("markup in cells") << QStringLiteral("<TD>\t</TABLE>\"\r\n<!--\t-->");
        QTest::newRow("many short lines") << QStringLiteral("a\tb\r\n").repeated(2000);
    }
    void hostileInput()
    {
        QFETCH(QString, text);
        for (int command : {cmd::TabToTable, cmd::CommaToTable, cmd::BlankTabToTable}) {
            for (const char* split : {"1", "0"}) {
                TestEditor t;
                ApplyTableSettings(t, QStringLiteral("Space=1;Class=1;Item=1;Split=") + split);
                t.SetText(text, 0, 1 << 30);
                QVERIFY(t.Run(command));
                QVERIFY(t.Text().startsWith(kTableStart));
                QVERIFY(t.Text().endsWith(kTableEnd));
                t.Buffer().Undo();
                QCOMPARE(t.Text(), text);
            }
        }
    }

    void optionsDialog_data()
    {
        QTest::addColumn<QStringList>("fields");
        QTest::addColumn<bool>("confirm");
        QTest::addColumn<QString>("stored");  // Enable Item Class Space Split
        QTest::addColumn<QString>("firstRow");
        QTest::newRow("defaults confirmed") << QStringList{} << true << "1 0 0 0 1"
                                            << "<TR BGCOLOR=\"#FFFFFF\"><TD BGCOLOR=\"#FFFFFF\">a</TD><TD></TD><TD>b</TD></TR>";
        QTest::newRow("all changed")
            << QStringList{"Enable=0", "クラスを付加=1", "Space=1", "Item=1", "Split=0"} << true
            << "0 1 1 1 0" << "<TR><TH CLASS=\"item1\">a</TH><TH CLASS=\"item2\">b</TH></TR>";
        QTest::newRow("cancel changes nothing")
            << QStringList{"Enable=0", "Item=1"} << false << "- - - - -"
            << "<TR BGCOLOR=\"#FFFFFF\"><TD BGCOLOR=\"#FFFFFF\">a</TD><TD></TD><TD>b</TD></TR>";
    }
    void optionsDialog()
    {
        QFETCH(QStringList, fields);
        QFETCH(bool, confirm);
        QFETCH(QString, stored);
        QFETCH(QString, firstRow);
        TestEditor t;
        for (const QString& f : fields)
            t.Ui().QueueField(f.section(u'=', 0, 0), f.section(u'=', 1));
        t.Ui().QueueAnswer(confirm ? Ui::Answer::Ok : Ui::Answer::Cancel);
        QVERIFY(t.Run(cmd::TableOptionsDialog));
        QCOMPARE(t.Ui().Texts(QStringLiteral("form")), QStringList{"テーブル化時の設定"});
        QStringList values;
        for (const char* key : {"Enable", "Item", "Class", "Space", "Split"}) {
            const int v = t.Settings().ReadInt(QStringLiteral("Table"), QString::fromLatin1(key), -1);
            values.append(v < 0 ? QStringLiteral("-") : QString::number(v));
        }
        QCOMPARE(values.join(u' '), stored);
        t.SetText(QStringLiteral("a,,b"), 0, 4);
        QVERIFY(t.Run(cmd::CommaToTable));
        const QString cellText = t.Text().section(QStringLiteral("\r\n"), 1, 1);
        QCOMPARE(cellText, firstRow);
    }

    void optionsShowStoredValues()
    {
        TestEditor t;
        ApplyTableSettings(t, QStringLiteral("Enable=0;Class=1;Space=1;Item=1;Split=0"));
        t.Ui().QueueAnswer(Ui::Answer::Cancel);
        QVERIFY(t.Run(cmd::TableOptionsDialog));
        const FormModel* form = t.Ui().LastForm();
        QVERIFY(form);
        for (const char* name : {"Enable", "Class", "Space", "Item", "Split"})
            QCOMPARE(form->Find(QString::fromLatin1(name))->checked,
                     QByteArray(name) != "Enable" && QByteArray(name) != "Split");
    }

    void colorsShowBlueFirst()
    {
        TestEditor t;
        ApplyTableSettings(t, QStringLiteral("Color1=112233;Color2=445566;Color4=778899;Color5=AABBCC"));
        t.Ui().QueueField(QStringLiteral("左上"), QStringLiteral("030201"));
        t.Ui().QueueAnswer(Ui::Answer::Ok);
        QVERIFY(t.Run(cmd::TableColorsDialog));
        const FormModel* form = t.Ui().LastForm();
        QVERIFY(form);
        QCOMPARE(form->title, QStringLiteral("テーブル色の設定"));
        QCOMPARE(form->Find(QStringLiteral("左"))->text, QStringLiteral("998877"));
        QCOMPARE(form->Find(QStringLiteral("上"))->text, QStringLiteral("665544"));
        QCOMPARE(form->Find(QStringLiteral("その他"))->text, QStringLiteral("CCBBAA"));
        auto stored = [&t](const char* key) {
            return t.Settings().ReadString(QStringLiteral("Table"), QString::fromLatin1(key), QString());
        };
        QCOMPARE(stored("Color1"), QStringLiteral("010203"));
        QCOMPARE(stored("Color4"), QStringLiteral("778899"));
        QCOMPARE(stored("Color2"), QStringLiteral("445566"));
        QCOMPARE(stored("Color5"), QStringLiteral("AABBCC"));
    }

    void colorChooserWorksRedFirst()
    {
        TestEditor t;
        ApplyTableSettings(t, QStringLiteral("Color4=123456"));
        t.Ui().QueueInput(QStringLiteral("ABCDEF"));
        t.Ui().QueueField(QStringLiteral("Color4Ref"), QString());
        QVERIFY(t.Run(cmd::TableColorsDialog));
        QCOMPARE(t.Ui().Texts(QStringLiteral("color")), QStringList{"123456"});
        QCOMPARE(t.Ui().LastForm()->Find(QStringLiteral("Color4"))->text, QStringLiteral("EFCDAB"));
        QCOMPARE(t.Settings().ReadString(QStringLiteral("Table"), QStringLiteral("Color4"), QString()),
                 QStringLiteral("ABCDEF"));
    }

    void colorsCancelled()
    {
        TestEditor t;
        t.Ui().QueueField(QStringLiteral("左上"), QStringLiteral("000000"));
        t.Ui().QueueAnswer(Ui::Answer::Cancel);
        QVERIFY(t.Run(cmd::TableColorsDialog));
        QVERIFY(!t.Settings().HasKey(QStringLiteral("Table"), QStringLiteral("Color1")));
    }

    void enableIsWrittenWhenTheEditorCloses()
    {
        QTemporaryDir dir;
        platform::SettingsStore store(dir.filePath(QStringLiteral("kelvo.ini")));
        {
            ScriptedUi ui;
            HeadlessEditor editor(store, ui);
            QVERIFY(!store.HasKey(QStringLiteral("Table"), QStringLiteral("Enable")));
        }
        QCOMPARE(store.ReadInt(QStringLiteral("Table"), QStringLiteral("Enable"), -1), 1);
    }
};
KELVO_TEST(TestTableConvert, "TableConvert");
#include "tst_TableConvert.moc"
