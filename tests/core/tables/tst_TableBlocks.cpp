#include "TestFiles.h"
#include "TestRegistry.h"

#include "core/tables/TableCommandIds.h"
#include "core/tables/TableText.h"
#include "core/tables/TableWizard.h"

#include <QDate>
#include <QTest>

namespace {

const QString kRangeMessage = QStringLiteral("1 から 100 までの整数を入力してください。");

void QueueFields(ScriptedUi& ui, const QStringList& pairs)
{
    for (const QString& p : pairs)
        ui.QueueField(p.section(u'=', 0, 0), p.section(u'=', 1));
}

} // namespace

class TestTableBlocks : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void wizard_data()
    {
        QTest::addColumn<QStringList>("settings");
        QTest::addColumn<QStringList>("fields");
        QTest::addColumn<QString>("expected");
        QTest::newRow("two by two, defaults")
            << QStringList{}
            << QStringList{"行数=2", "列数=2", "R1C1=a", "R1C2=b", "R2C1=c", "R2C2=d"}
            << "<TABLE BORDER>\r\n"
               "<TR BGCOLOR=\"#FFFFFF\"><TD BGCOLOR=\"#FFFFFF\">a</TD><TD>b</TD></TR>\r\n"
               "<TR BGCOLOR=\"#FFFFFF\"><TD BGCOLOR=\"#FFFFFF\">c</TD><TD>d</TD></TR>\r\n"
               "</TABLE>\r\n";
        QTest::newRow("one cell, nothing typed")
            << QStringList{} << QStringList{}
            << "<TABLE BORDER>\r\n<TR BGCOLOR=\"#FFFFFF\"><TD BGCOLOR=\"#FFFFFF\"></TD></TR>\r\n"
               "</TABLE>\r\n";
        QTest::newRow("header row, classes, spaces, no colour")
            << QStringList{"Enable=0", "Item=1", "Class=1", "Space=1"}
            << QStringList{"Rows=2", "Columns=2", "R1C1=h", "R2C2=x"}
            << "<TABLE BORDER>\r\n"
               "<TR><TH CLASS=\"item1\">h</TH><TH CLASS=\"item2\">\u3000</TH></TR>\r\n"
               "<TR><TD CLASS=\"item1\">\u3000</TD><TD CLASS=\"item2\">x</TD></TR>\r\n"
               "</TABLE>\r\n";
        QTest::newRow("stored colours")
            << QStringList{"Color1=111111", "Color2=222222", "Color4=444444", "Color5=555555"}
            << QStringList{"行数=2", "R1C1=a", "R2C1=b"}
            << "<TABLE BORDER>\r\n"
               "<TR BGCOLOR=\"#222222\"><TD BGCOLOR=\"#111111\">a</TD></TR>\r\n"
               "<TR BGCOLOR=\"#555555\"><TD BGCOLOR=\"#444444\">b</TD></TR>\r\n"
               "</TABLE>\r\n";
    }
    void wizard()
    {
        QFETCH(QStringList, settings);
        QFETCH(QStringList, fields);
        QFETCH(QString, expected);
        TestEditor t;
        for (const QString& s : settings)
            t.Settings().WriteString(QStringLiteral("Table"), s.section(u'=', 0, 0), s.section(u'=', 1));
        t.SetText(QStringLiteral("[sel]"), 0, 5);
        QueueFields(t.Ui(), fields);
        QVERIFY(t.Run(cmd::TableWizard));
        QCOMPARE(t.Text(), expected);
        QVERIFY(t.Ui().PendingFields().empty());
        QCOMPARE(t.Ui().Texts(QStringLiteral("form")),
                 (QStringList{"ﾃｰﾌﾞﾙWizard", "ﾃｰﾌﾞﾙWizard"}));
        QCOMPARE(t.View().LastStartTag(), QStringLiteral("<TABLE BORDER>"));
    }

    void wizardRangeCheck_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("value");
        QTest::newRow("0 rows") << "行数" << "0";
        QTest::newRow("101 rows") << "行数" << "101";
        QTest::newRow("0 columns") << "列数" << "0";
        QTest::newRow("101 columns") << "列数" << "101";
        QTest::newRow("no number") << "行数" << "x";
        QTest::newRow("huge") << "列数" << "99999999999999999999";
    }
    void wizardRangeCheck()
    {
        QFETCH(QString, field);
        QFETCH(QString, value);
        TestEditor t;
        t.SetText(QStringLiteral("keep"), 0, 4);
        t.Ui().QueueField(field, value);
        QVERIFY(t.Run(cmd::TableWizard));
        // The page stays open after the message; the script then gives up.
        QCOMPARE(t.Ui().Texts(QStringLiteral("message")), QStringList{kRangeMessage});
        QCOMPARE(t.Ui().Texts(QStringLiteral("form")).size(), 1);
        QCOMPARE(t.Text(), QStringLiteral("keep"));
    }

    void wizardBounds_data()
    {
        QTest::addColumn<int>("rows");
        QTest::addColumn<int>("columns");
        QTest::newRow("1 x 100") << 1 << 100;
        QTest::newRow("100 x 1") << 100 << 1;
        QTest::newRow("100 x 100") << 100 << 100;
    }
    void wizardBounds()
    {
        QFETCH(int, rows);
        QFETCH(int, columns);
        TestEditor t;
        t.Ui().QueueField(QStringLiteral("Rows"), QString::number(rows));
        t.Ui().QueueField(QStringLiteral("Columns"), QString::number(columns));
        QVERIFY(t.Run(cmd::TableWizard));
        QCOMPARE(t.Text().count(QStringLiteral("<TR")), rows);
        QCOMPARE(t.Text().count(QStringLiteral("</TD>")), rows * columns);
    }

    void wizardBackKeepsTypedCells()
    {
        TestEditor t;
        t.Ui().QueueField(QStringLiteral("行数"), QStringLiteral("2"));
        t.Ui().QueueAnswer(Ui::Answer::Ok);
        t.Ui().QueueField(QStringLiteral("R1C1"), QStringLiteral("x"));
        t.Ui().QueueAnswer(Ui::Answer::Back);
        QVERIFY(t.Run(cmd::TableWizard));
        QCOMPARE(t.Ui().Texts(QStringLiteral("form")).size(), 4);
        QCOMPARE(t.Text(),
                 QStringLiteral("<TABLE BORDER>\r\n"
                                "<TR BGCOLOR=\"#FFFFFF\"><TD BGCOLOR=\"#FFFFFF\">x</TD></TR>\r\n"
                                "<TR BGCOLOR=\"#FFFFFF\"><TD BGCOLOR=\"#FFFFFF\"></TD></TR>\r\n"
                                "</TABLE>\r\n"));
    }

    void wizardPagesKeepValuesAcrossBack()
    {
        TableWizard w;
        FormModel size = w.SizePage();
        size.SetFromText(QStringLiteral("行数"), QStringLiteral("2"));
        w.TakeSizePage(size);
        FormModel cells = w.CellPage();
        QCOMPARE(cells.fields.size(), size_t(2));
        QCOMPARE(cells.fields[1].gridRow, 1);
        QCOMPARE(cells.fields[1].gridColumn, 0);
        cells.SetFromText(TableWizard::CellName(2, 1), QStringLiteral("kept"));
        w.TakeCellPage(cells);
        // Back to the size page: it shows what was chosen before.
        FormModel again = w.SizePage();
        QCOMPARE(again[QStringLiteral("Rows")].text, QStringLiteral("2"));
        again.SetFromText(QStringLiteral("列数"), QStringLiteral("2"));
        w.TakeSizePage(again);
        QCOMPARE(w.Cells(), (QStringList{"", "", "kept", ""}));
        QVERIFY(w.CellPage().hasBack);
        QVERIFY(!w.SizePage().hasBack);
    }

    void wizardCancel_data()
    {
        QTest::addColumn<QList<int>>("answers");
        QTest::newRow("cancel on the size page") << QList<int>{int(Ui::Answer::Cancel)};
        QTest::newRow("cancel on the cell page")
            << QList<int>{int(Ui::Answer::Ok), int(Ui::Answer::Cancel)};
        QTest::newRow("back, then cancel")
            << QList<int>{int(Ui::Answer::Ok), int(Ui::Answer::Back), int(Ui::Answer::Cancel)};
    }
    void wizardCancel()
    {
        QFETCH(QList<int>, answers);
        TestEditor t;
        t.SetText(QStringLiteral("keep"), 0, 4);
        for (int a : answers)
            t.Ui().QueueAnswer(Ui::Answer(a));
        QVERIFY(t.Run(cmd::TableWizard));
        QCOMPARE(t.Text(), QStringLiteral("keep"));
        QCOMPARE(t.Ui().Texts(QStringLiteral("form")).size(), answers.size());
    }

    void frameBox_data()
    {
        QTest::addColumn<QStringList>("fields");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<QString>("storedColor");
        QTest::newRow("width 2, yellow")
            << QStringList{"RectColor=FFFF00", "Border=2"}
            << "<TABLE BORDER=\"2\">\r\n<TR><TD BGCOLOR=\"FFFF00\">\r\nx\r\n</TD>\r\n</TR></TABLE>\r\n"
            << "FFFF00";
        QTest::newRow("defaults")
            << QStringList{}
            << "<TABLE BORDER=\"1\">\r\n<TR><TD BGCOLOR=\"FFFFFF\">\r\nx\r\n</TD>\r\n</TR></TABLE>\r\n"
            << "FFFFFF";
        QTest::newRow("colour name kept as typed")
            << QStringList{"色=red", "枠の太さ=0"}
            << "<TABLE BORDER=\"0\">\r\n<TR><TD BGCOLOR=\"red\">\r\nx\r\n</TD>\r\n</TR></TABLE>\r\n"
            << "red";
    }
    void frameBox()
    {
        QFETCH(QStringList, fields);
        QFETCH(QString, expected);
        QFETCH(QString, storedColor);
        TestEditor t;
        t.SetText(QStringLiteral("x"), 0, 1);
        QueueFields(t.Ui(), fields);
        QVERIFY(t.Run(cmd::FrameBox));
        QCOMPARE(t.Text(), expected);
        QCOMPARE(t.Ui().Texts(QStringLiteral("form")), QStringList{"枠で囲む"});
        QCOMPARE(t.Settings().ReadString(QStringLiteral("Tool"), QStringLiteral("RectColor"), QString()),
                 storedColor);
    }

    void frameBoxShowsStoredColourAndCancels()
    {
        TestEditor t;
        t.Settings().WriteString(QStringLiteral("Tool"), QStringLiteral("RectColor"), QStringLiteral("00FF00"));
        t.SetText(QStringLiteral("x"), 0, 1);
        t.Ui().QueueField(QStringLiteral("RectColor"), QStringLiteral("123456"));
        t.Ui().QueueAnswer(Ui::Answer::Cancel);
        QVERIFY(t.Run(cmd::FrameBox));
        QCOMPARE(t.Text(), QStringLiteral("x"));
        QCOMPARE(t.Settings().ReadString(QStringLiteral("Tool"), QStringLiteral("RectColor"), QString()),
                 QStringLiteral("00FF00"));
        QCOMPARE(t.Ui().LastForm()->Find(QStringLiteral("RectColor"))->kind, FieldKind::Color);
    }

    void frameBoxRefusesNegativeWidth()
    {
        TestEditor t;
        t.SetText(QStringLiteral("x"), 0, 1);
        t.Ui().QueueField(QStringLiteral("Border"), QStringLiteral("-1"));
        QVERIFY(t.Run(cmd::FrameBox));
        QCOMPARE(t.Text(), QStringLiteral("x"));
        QCOMPARE(t.Ui().Texts(QStringLiteral("message")).size(), 1);
    }

    void margins_data()
    {
        QTest::addColumn<QStringList>("fields");
        QTest::addColumn<QString>("expected");
        QTest::newRow("defaults")
            << QStringList{}
            << "<TABLE BORDER=\"0\" WIDTH=\"100%\">\r\n<TR><TD WIDTH=\"10%\"></TD>\r\n"
               "<TD>\r\nx\r\n</TD>\r\n<TD WIDTH=\"10%\"></TD>\r\n</TR></TABLE>\r\n";
        QTest::newRow("both empty: one cell")
            << QStringList{"LeftMargin=", "RightMargin="}
            << "<TABLE BORDER=\"0\" WIDTH=\"100%\">\r\n<TR><TD>\r\nx\r\n</TD>\r\n</TR></TABLE>\r\n";
        QTest::newRow("left only")
            << QStringList{"左余白=20", "右余白="}
            << "<TABLE BORDER=\"0\" WIDTH=\"100%\">\r\n<TR><TD WIDTH=\"20\"></TD>\r\n"
               "<TD>\r\nx\r\n</TD>\r\n</TR></TABLE>\r\n";
        QTest::newRow("right only")
            << QStringList{"LeftMargin=", "RightMargin=5%"}
            << "<TABLE BORDER=\"0\" WIDTH=\"100%\">\r\n<TR><TD>\r\nx\r\n</TD>\r\n"
               "<TD WIDTH=\"5%\"></TD>\r\n</TR></TABLE>\r\n";
    }
    void margins()
    {
        QFETCH(QStringList, fields);
        QFETCH(QString, expected);
        TestEditor t;
        t.SetText(QStringLiteral("x"), 0, 1);
        QueueFields(t.Ui(), fields);
        QVERIFY(t.Run(cmd::SideMargins));
        QCOMPARE(t.Text(), expected);
        QCOMPARE(t.Ui().Texts(QStringLiteral("form")), QStringList{"左右余白設定"});
        const FormModel* form = t.Ui().LastForm();
        QCOMPARE(t.Settings().ReadString(QStringLiteral("Tool"), QStringLiteral("LeftMargin"), QStringLiteral("?")),
                 form->Find(QStringLiteral("LeftMargin"))->text);
        QCOMPARE(t.Settings().ReadString(QStringLiteral("Tool"), QStringLiteral("RightMargin"), QStringLiteral("?")),
                 form->Find(QStringLiteral("RightMargin"))->text);
    }

    void dateText_data()
    {
        QTest::addColumn<QDate>("date");
        QTest::addColumn<QString>("text");
        QTest::newRow("no leading zeros") << QDate(2007, 3, 5) << "2007/3/5";
        QTest::newRow("two-digit month and day") << QDate(2024, 12, 31) << "2024/12/31";
    }
    void dateText()
    {
        QFETCH(QDate, date);
        QFETCH(QString, text);
        QCOMPARE(DateText(date), text);
    }

    void insertDateReplacesSelection()
    {
        TestEditor t;
        t.SetText(QStringLiteral("[x]"), 1, 2);
        const QDate before = QDate::currentDate();
        QVERIFY(t.Run(cmd::InsertDate));
        const QDate after = QDate::currentDate();
        const QString text = t.Text();
        QVERIFY2(text == "[" + DateText(before) + "]" || text == "[" + DateText(after) + "]",
                 qPrintable(text));
    }
};
KELVO_TEST(TestTableBlocks, "TableBlocks");
#include "tst_TableBlocks.moc"
