#include "TestRegistry.h"

#include "core/app/ScriptedUi.h"
#include "core/style/CStyleBoxPage.h"
#include "core/style/CStyleDlg.h"
#include "core/style/CStyleFontPage.h"
#include "core/style/CStyleListPage.h"
#include "core/style/CStylePadPage.h"

#include <QTest>

namespace {

// The groups of the dialog's pages, in tab order.
const QStringList kGroups{"font", "color", "text", "position", "border", "spacing", "list"};

CStyleDeclList Parse(const QString& text)
{
    CStyleDeclList d;
    d.Parse(text);
    return d;
}

} // namespace

class TestStyleGroups : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // A group read from declarations and written straight back: what the
    // page makes of every form a property can take.
    void readWrite_data()
    {
        QTest::addColumn<QString>("group");
        QTest::addColumn<QString>("in");
        QTest::addColumn<QString>("out");

        QTest::newRow("font shorthand tokens")
            << "font" << "font: italic bold 12px/1.5em 'MS Gothic'; color: red"
            << "color: red;font: italic bold 12px/1.5em 'MS Gothic';";
        QTest::newRow("font shorthand: the family runs to the end, keyword size")
            << "font" << "font: large Arial serif" << "font: large 'Arial serif';";
        QTest::newRow("font shorthand keeps a list of families")
            << "font" << "font: bold 12px 'MS Gothic', Arial, sans-serif"
            << "font: bold 12px 'MS Gothic',Arial,sans-serif;";
        QTest::newRow("font shorthand line height token alone")
            << "font" << "font: 10pt /2 Arial" << "font: 10pt/2 Arial;";
        QTest::newRow("font shorthand without family falls apart")
            << "font" << "font: bold 12px" << "font-weight: bold;font-size: 12px;";
        QTest::newRow("font longhands, size without unit is points")
            << "font" << "font-size: 12; font-family: MS Gothic,serif; font-weight: 700"
            << "font: bold 12pt 'MS Gothic',serif;";
        QTest::newRow("font weight below 700 is not bold")
            << "font" << "font-weight: 600; font-style: oblique; font-size: small"
            << "font-style: italic;font-size: small;";
        QTest::newRow("line height and decoration")
            << "font" << "text-decoration: LINE-THROUGH; line-height: 1.2em"
            << "text-decoration: line-through;line-height: 1.2em;";
        QTest::newRow("a decoration outside the list is kept")
            << "font" << "text-decoration: blink" << "text-decoration: blink;";

        QTest::newRow("background longhands into shorthand")
            << "color"
            << "background-color: #ff0000; background-image: url('a.gif'); "
               "background-repeat: no-repeat; background-attachment: fixed; "
               "background-position: right bottom; color: #00ff00"
            << "color: #00ff00;background: #ff0000 url(a.gif) no-repeat fixed right bottom;";
        QTest::newRow("background shorthand: first center horizontal")
            << "color" << "background: center center url(x.png) #abcdef repeat-y"
            << "background: #abcdef url(x.png) repeat-y center center;";
        QTest::newRow("colour names in the shorthand are kept")
            << "color" << "background: red; color: 123abc" << "background: red;color: #123abc;";
        QTest::newRow("one position token in both lists")
            << "color" << "background-position: center" << "background: center center;";
        QTest::newRow("background colour name from the longhand stays")
            << "color" << "background-color: red" << "background: red;";

        QTest::newRow("border all sides in one")
            << "border" << "border: solid #ff0000 2px" << "border: solid #ff0000 2px;";
        QTest::newRow("border keyword width")
            << "border" << "border: thin dotted #000000" << "border: dotted #000000 thin;";
        QTest::newRow("border without colour splits")
            << "border" << "border: solid 1px" << "border-style: solid;border-width: 1px;";
        QTest::newRow("border per side full")
            << "border" << "border-top: double #111111 3px; border-left-color: #222222"
            << "border-top: double #111111 3px;border-left-color: #222222;";
        QTest::newRow("border style four values")
            << "border" << "border-style: solid dashed"
            << "border-style: solid dashed solid dashed;";
        QTest::newRow("border width keywords per side")
            << "border" << "border-width: thin thick"
            << "border-width: thin thick thin thick;";
        QTest::newRow("side longhand overrides four values")
            << "border" << "border-color: #111111 #222222; border-right-color: #333333"
            << "border-color: #111111 #333333 #111111 #222222;";
        QTest::newRow("side keyword width from border-SIDE")
            << "border" << "border-bottom: medium" << "border-bottom-width: medium;";
        QTest::newRow("border none and a colour name kept")
            << "border" << "border: none red" << "border-style: none;border-color: red;";

        QTest::newRow("text choices")
            << "text"
            << "text-align: center; vertical-align: text-top; float: inherit; clear: both; "
               "text-indent: 2em"
            << "text-indent: 2em;text-align: center;vertical-align: text-top;float: inherit;"
               "clear: both;";
        QTest::newRow("text choice 0 writes a removal")
            << "text" << "text-align: left; vertical-align: baseline; float: none; clear: none"
            << "";

        QTest::newRow("position static is removed")
            << "position" << "position: static; display: list-item; left: 10px; height: 50%"
            << "display: list-item;left: 10px;height: 50%;";
        QTest::newRow("position absolute")
            << "position" << "position: ABSOLUTE; top: 1in" << "position: absolute;top: 1in;";

        QTest::newRow("margin three values, px for missing units")
            << "spacing" << "margin: 1px 2 3em" << "margin: 1px 2px 3em 2px;";
        QTest::newRow("padding longhands in the order left top right bottom")
            << "spacing" << "padding-top: 1px; padding-bottom: 2px; padding-left: 3px"
            << "padding-left: 3px;padding-top: 1px;padding-bottom: 2px;";
        QTest::newRow("a longhand after the shorthand wins")
            << "spacing" << "margin: 0; margin-top: 5px" << "margin: 5px 0px 0px 0px;";
        QTest::newRow("letter spacing")
            << "spacing" << "letter-spacing: 0.1em" << "letter-spacing: 0.1em;";

        QTest::newRow("list longhands into shorthand")
            << "list" << "list-style-type: square; list-style-position: inside; "
                         "list-style-image: url(\"m.gif\")"
            << "list-style: square inside url(m.gif);";
        QTest::newRow("list shorthand")
            << "list" << "list-style: url(a.png) outside upper-roman"
            << "list-style: upper-roman outside url(a.png);";
        QTest::newRow("cursor auto is removed") << "list" << "cursor: auto" << "";
        QTest::newRow("cursor kept") << "list" << "cursor: se-resize" << "cursor: se-resize;";
    }
    void readWrite()
    {
        QFETCH(QString, group);
        QFETCH(QString, in);
        QFETCH(QString, out);
        CStyleDlg dlg;
        CStylePage& page = dlg.Page(kGroups.indexOf(group));
        CStyleDeclList d = Parse(in);
        page.Read(d);
        page.Write(d);
        QCOMPARE(d.ToText(), out);
    }

    // The dialog over a rule: pages opened ("*" for all), fields set (which
    // opens their page), then confirmed. A page writes its group only when
    // its fields no longer hold what they showed.
    void dialogWrites_data()
    {
        QTest::addColumn<QString>("in");
        QTest::addColumn<QStringList>("opened");
        QTest::addColumn<QStringList>("fields");
        QTest::addColumn<QString>("out");

        QTest::newRow("pages looked at keep what they cannot show")
            << "font: bold 12px; text-decoration: blink; background: red url(a.gif); "
               "color: rgb(0, 0, 255); border: 1px solid navy; border-top: none red; "
               "text-align: justify; display: run-in; margin: auto; list-style: none; "
               "cursor: auto"
            << QStringList{"*"} << QStringList{}
            << "font: bold 12px;text-decoration: blink;background: red url(a.gif);"
               "color: rgb(0, 0, 255);border: 1px solid navy;border-top: none red;"
               "text-align: justify;display: run-in;margin: auto;list-style: none;"
               "cursor: auto;";
        QTest::newRow("a field set back to what it showed")
            << "font: bold 12px" << QStringList{}
            << QStringList{"font-family=Arial", "font-family="} << "font: bold 12px;";
        QTest::newRow("only the changed one of the opened pages writes")
            << "font: bold 12px; background: red url(a.gif)" << QStringList{"*"}
            << QStringList{"text-align=中央"}
            << "font: bold 12px;background: red url(a.gif);text-align: center;";
        QTest::newRow("changed colour page keeps a colour name of the shorthand")
            << "background: red url(a.gif)" << QStringList{}
            << QStringList{"background-repeat=繰り返しなし"}
            << "background: red url(a.gif);background-repeat: no-repeat;";
        QTest::newRow("rgb() with blanks stays one colour")
            << "background: rgb(255, 0, 0) url(a.gif)" << QStringList{}
            << QStringList{"background-attachment=1"}
            << "background: rgb(255, 0, 0) url(a.gif);background-attachment: fixed;";
        QTest::newRow("short hex colour keeps its #")
            << "background: #f00; color: navy" << QStringList{} << QStringList{"color=blue"}
            << "background: #f00;color: blue;";
        QTest::newRow("changed border keeps a colour name")
            << "border: 1px solid navy" << QStringList{}
            << QStringList{"border-width-unit=ポイント"} << "border: 1pt solid navy;";
        QTest::newRow("side colour function kept when all sides change")
            << "border-top: dotted rgb(0, 0, 0) 1px" << QStringList{}
            << QStringList{"border-style=塗りつぶし"}
            << "border-style: solid;border-top: dotted rgb(0, 0, 0) 1px;";
        QTest::newRow("a keyword outside the list stays when another field changes")
            << "text-align: start; float: left" << QStringList{} << QStringList{"clear=左右"}
            << "text-align: start;float: left;clear: both;";
    }
    void dialogWrites()
    {
        QFETCH(QString, in);
        QFETCH(QStringList, opened);
        QFETCH(QStringList, fields);
        QFETCH(QString, out);
        ScriptedUi ui;
        CStyleDlg dlg;
        dlg.inlineStyle = true;
        dlg.rule.declarations = Parse(in);
        dlg.Start();
        FormModel form = dlg.BuildForm(ui);
        for (int i = 0; i < CStyleDlg::kPageCount; ++i)
            if (opened.contains(u"*"_qs) || opened.contains(dlg.Page(i).Caption()))
                dlg.OpenPage(dlg.Page(i).Caption());
        for (const QString& f : fields) {
            const qsizetype eq = f.indexOf(u'=');
            QVERIFY2(form.SetFromText(f.left(eq), f.mid(eq + 1)), qPrintable(f));
        }
        dlg.Apply(form);
        QCOMPARE(dlg.rule.declarations.ToText(), out);
    }

    void marginThreeValues()
    {
        CStylePadPage p;
        p.Read(Parse(u"margin: 1px 2px 3px"_qs));
        QCOMPARE(QStringList(p.margin.numbers.begin(), p.margin.numbers.end()),
                 (QStringList{"1", "2", "3", "2"}));
        QCOMPARE(p.margin.units[3], 0);
    }

    void fontShorthandFields()
    {
        CStyleFontPage f;
        f.Read(Parse(u"font: italic bold 12px/1.5em Arial"_qs));
        QVERIFY(f.italic);
        QVERIFY(f.bold);
        QCOMPARE(f.size, u"12"_qs);
        QCOMPARE(f.sizeUnit, 0);
        QCOMPARE(f.lineHeight, u"1.5"_qs);
        QCOMPARE(f.lineHeightUnit, 6);
        QCOMPARE(f.family, u"Arial"_qs);
    }

    void borderWidthKeywordLabel()
    {
        CStyleBoxPage b;
        b.Read(Parse(u"border-left: thick; border-width: 2pt"_qs));
        QCOMPARE(b.sides[3].width, u"太い"_qs);
        QCOMPARE(b.all.width, u"2"_qs);
        QCOMPARE(b.all.unit, 1);
    }

    void cursorChoiceZeroRemoves()
    {
        CStyleListPage l;
        CStyleDeclList d = Parse(u"cursor: wait; color: red"_qs);
        l.Read(d);
        QCOMPARE(l.cursor, 6);
        l.cursor = 0;
        l.Write(d);
        QCOMPARE(d.ToText(), u"color: red;"_qs);
    }
};
KELVO_TEST(TestStyleGroups, "StyleGroups");
#include "tst_StyleGroups.moc"
