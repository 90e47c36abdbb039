#include "TestFiles.h"
#include "TestRegistry.h"

#include "core/app/CKelvoApp.h"
#include "core/doc/CKelvoDoc.h"
#include "core/edit/CKelvoView.h"
#include "core/links/ImageSize.h"
#include "core/tags/CTagObj.h"
#include "core/style/StyleRuleSelect.h"
#include "core/tags/TagFieldSet.h"
#include "core/tags/TagDialogCommandIds.h"
#include "core/tags/TagDialogCommands.h"

#include <QTest>

using namespace cmd::tagdlg;

namespace {

// Text with the selection marked by "[" and "]" (a bare caret is "[]").
void SetMarked(TestEditor& t, QString text)
{
    const int start = static_cast<int>(text.indexOf(u'['));
    text.remove(start, 1);
    const int end = static_cast<int>(text.indexOf(u']'));
    text.remove(end, 1);
    t.SetText(text, start, end);
}

QString Marked(TestEditor& t)
{
    int start = 0, end = 0;
    t.Buffer().GetSel(start, end);
    QString text = t.Text();
    text.insert(end, u']');
    text.insert(start, u'[');
    return text;
}

// A minimal GIF header: 16 x 32 pixels.
QByteArray Gif()
{
    return QByteArray("GIF89a\x10\x00\x20\x00\x80\x00\x00", 13) + QByteArray(32, '\0');
}

// Steps before the command: "doc=NAME" gives the document a path in the
// test's folder, "gif=NAME" makes an image there, "input=TEXT" queues a
// chooser's answer (a leading "@" stands for the folder), "answer=cancel" or
// "answer=ok" queues a dialog answer, "setting=SECTION/KEY=VALUE",
// "style" puts in a style editor that writes "color: red" ("style=TEXT":
// that text), "notagedit"
// switches tag editing off.
void Prepare(TestEditor& t, const QStringList& setup)
{
    const QString folder = t.Path(QStringLiteral("x")).chopped(1);
    for (const QString& step : setup) {
        QString value = step.section(u'=', 1);
        if (value.startsWith(u'@'))
            value.replace(0, 1, folder);
        if (step.startsWith(u"doc="))
            t.Doc().SetPathName(t.Path(value), false);
        else if (step.startsWith(u"gif="))
            t.MakeFile(value, Gif());
        else if (step.startsWith(u"input="))
            t.Ui().QueueInput(value);
        else if (step == u"answer=cancel")
            t.Ui().QueueAnswer(Ui::Answer::Cancel);
        else if (step == u"answer=ok")
            t.Ui().QueueAnswer(Ui::Answer::Ok);
        else if (step.startsWith(u"setting="))
            t.App().WriteProfileString(value.section(u'/', 0, 0),
                                       value.section(u'/', 1).section(u'=', 0, 0),
                                       value.section(u'=', 1));
        else if (step == u"style" || step.startsWith(u"style="))
            t.App().StyleHooks().editInlineStyle = [value](QString& text, const QString&) {
                text = value.isEmpty() ? QStringLiteral("color: red") : value;
                return true;
            };
        else if (step == u"notagedit")
            t.Run(32978);
        else
            QFAIL(qPrintable(QStringLiteral("unknown step ") + step));
    }
}

void QueueFields(TestEditor& t, const QStringList& fields)
{
    for (const QString& f : fields)
        t.Ui().QueueField(f.section(u'=', 0, 0), f.section(u'=', 1));
}

// A row of the command table; set-up steps and messages only where a row
// has them.
void Cmd(const char* name, int id, const QString& input, const QStringList& fields,
         const QString& expected, const QStringList& setup = {}, const QStringList& messages = {})
{
    QTest::newRow(name) << id << setup << input << fields << expected << messages;
}

// A row of the double-click table: the form that opens ("" for none) and,
// where a row has them, the set-up, the fields filled in and the values the
// form shows.
void Click(const char* name, const QString& text, int offset, const QString& form,
           const QString& expected, const QStringList& setup = {}, const QStringList& fields = {},
           const QStringList& shown = {})
{
    QTest::newRow(name) << setup << text << offset << fields << form << shown << expected;
}

} // namespace

class TestTagDialogs : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Every dialog command by its id: the text and selection before, the
    // fields the user fills in, the text and selection after, and the
    // messages shown.
    void commands_data()
    {
        QTest::addColumn<int>("id");
        QTest::addColumn<QStringList>("setup");
        QTest::addColumn<QString>("input");
        QTest::addColumn<QStringList>("fields");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<QStringList>("messages");

        // Tables.
        Cmd("new table wraps with line breaks", Table, "[x]", {"BORDER=1"},
            "<TABLE BORDER=\"1\">\r\nx\r\n</TABLE>[]");
        Cmd("bare BORDER shows as 1, left alone it stays bare", Table, "[<TABLE BORDER>]", {},
            "[<TABLE BORDER>]");
        Cmd("bare BORDER is written with its value once changed", Table, "[<TABLE BORDER>]",
            {"BORDER=2"}, "<TABLE BORDER=\"2\">[]");
        Cmd("new attributes come in the written order, old ones keep their place", Table,
            "[<TABLE WIDTH=50 ID=t>]", {"RULES=全て", "背景色=#ffffff", "配置=中央寄せ", "BORDER=2"},
            "<TABLE WIDTH=50 ID=t BORDER=\"2\" ALIGN=\"center\" BGCOLOR=\"#FFFFFF\" RULES=\"all\">[]");
        Cmd("cancel leaves text and selection", Table, "a[<TABLE BORDER=3>]b", {"BORDER=1"},
            "a[<TABLE BORDER=3>]b", {"answer=cancel"});
        Cmd("choice matched without case, colour name kept when left alone", Cell,
            "[<td align=center bgcolor=red>]", {}, "[<td align=center bgcolor=red>]");
        Cmd("colour name typed is written as hex", Cell, "[<TD BGCOLOR=red>]", {"BGCOLOR=navy"},
            "<TD BGCOLOR=\"#000080\">[]");
        Cmd("colour without # is written with it", Row, "[x]", {"BGCOLOR=00ff00"},
            "<TR BGCOLOR=\"#00FF00\">x</TR>[]");
        Cmd("colour chooser fills the field", Row, "[x]", {"BGCOLOR=..."}, "<TR BGCOLOR=\"#FF0000\">x</TR>[]",
            {"input=FF0000"});
        Cmd("colour that is none refuses OK and the script gives up", Row, "[x]", {"BGCOLOR=reddish"}, "[x]",
            {}, {QString::fromUtf16(kColorMessage)});
        Cmd("spans below 2 are not written, percent width", Cell, "[x]",
            {"ROWSPAN=1", "COLSPAN=2", "WIDTH=50", "％指定=1", "NOWRAP=1"},
            "<TD COLSPAN=\"2\" NOWRAP WIDTH=\"50%\">x</TD>[]");
        Cmd("percent width kept, unknown align kept", HeaderCell, "[<TH WIDTH=80% ALIGN=justify>]", {},
            "[<TH WIDTH=80% ALIGN=justify>]");
        Cmd("a listed choice replaces an unlisted value", Cell, "[<TD ALIGN=\"justify\">]",
            {"ALIGN=左寄せ"}, "<TD ALIGN=\"left\">[]");
        Cmd("number that is none refuses OK", Cell, "[x]", {"ROWSPAN=two"}, "[x]", {},
            {QString::fromUtf16(kInvalidNumberMessage)});
        Cmd("number the dialog cannot read is kept when left alone", Cell, "[<TD ROWSPAN=auto>]", {},
            "[<TD ROWSPAN=auto>]");
        Cmd("caption", Caption, "[x]", {"ALIGN=表の下"}, "<CAPTION ALIGN=\"bottom\">x</CAPTION>[]");

        // Page.
        Cmd("new rule gets a line end", Rule, "a[]b", {"SIZE=3", "長さ=50", "％指定=1", "NOSHADE=1", "配置=右寄せ"},
            "a<HR SIZE=\"3\" WIDTH=\"50%\" ALIGN=\"right\" NOSHADE>\r\n[]b");
        Cmd("selected rule edited in place", Rule, "[<hr width=\"30%\">]", {"％指定=0"}, "<hr width=\"30\">[]");
        Cmd("background edits the document's body", Background, "<HTML>\r\n<body bgcolor=\"#FFFFFF\">\r\nx[]",
            {"TEXT=000000", "背景を固定する=1"},
            "<HTML>\r\n<body bgcolor=\"#FFFFFF\" BGPROPERTIES=\"FIXED\" TEXT=\"#000000\">[]\r\nx");
        Cmd("background cancelled keeps the selection", Background, "<BODY>\r\n[x]", {}, "<BODY>\r\n[x]",
            {"answer=cancel"});
        Cmd("background without tag editing wraps", Background, "<BODY>\r\n[x]", {"BGCOLOR=black"},
            "<BODY>\r\n<BODY BGCOLOR=\"#000000\">\r\nx\r\n</BODY>[]", {"notagedit"});
        Cmd("refresh new", Refresh, "[]", {"更新までの秒数=5", "URL=next.htm"},
            "<META HTTP-EQUIV=\"REFRESH\" CONTENT=\"5;URL=next.htm\">[]");
        Cmd("refresh left alone keeps its content as written", Refresh,
            "[<META HTTP-EQUIV=REFRESH CONTENT=\"3; URL='a.htm'\">]", {},
            "[<META HTTP-EQUIV=REFRESH CONTENT=\"3; URL='a.htm'\">]");
        Cmd("refresh edited keeps its page", Refresh,
            "[<META HTTP-EQUIV=REFRESH CONTENT=\"3; URL='a.htm'\">]", {"SECONDS=7"},
            "<META HTTP-EQUIV=REFRESH CONTENT=\"7;URL=a.htm\">[]");
        Cmd("heading level change takes the end tag along", Heading, "x[<H2 ALIGN=left>]t</H2>y</H2>",
            {"LEVEL=H3"}, "x<H3 ALIGN=left>[]t</H3>y</H2>");
        Cmd("heading in lower case stays lower case", Heading, "[<h4>]t</h4>", {"LEVEL=1"}, "<h2>[]t</h2>");
        Cmd("new heading wraps and ends the line", Heading, "[t]", {"LEVEL=H2"}, "<H2>t</H2>\r\n[]");
        Cmd("a selected heading with its text is wrapped, not cut", Heading, "[<H2>t</H2>]", {},
            "<H1><H2>t</H2></H1>\r\n[]");
        Cmd("font relative to the base font", Font, "<BASEFONT SIZE=4>[x]", {"SIZE=5"},
            "<BASEFONT SIZE=4><FONT SIZE=\"+1\">x</FONT>[]");
        Cmd("font relative to the largest base font", Font, "<BASEFONT SIZE=7>[x]", {"SIZE=5"},
            "<BASEFONT SIZE=7><FONT SIZE=\"-2\">x</FONT>[]");
        Cmd("font relative to the smallest base font", Font, "<BASEFONT SIZE=1>[x]", {"SIZE=2"},
            "<BASEFONT SIZE=1><FONT SIZE=\"+1\">x</FONT>[]");
        Cmd("relative font size made absolute", Font, "[<FONT SIZE=+2>]", {"RELATIVE=0"},
            "<FONT SIZE=\"5\">[]");
        Cmd("relative size equal to the base is dropped", Font, "[<FONT SIZE=+2 COLOR=#ff0000>]", {"SIZE=3"},
            "<FONT COLOR=#ff0000>[]");
        Cmd("font size the list cannot show is kept", Font, "[<FONT SIZE=12 FACE=x>]", {"FACE=y"},
            "<FONT SIZE=12 FACE=\"y\">[]");

        // Forms.
        Cmd("new form from the remembered action", Form, "[x]", {"METHOD=POST", "TARGET=新規ウィンドウ"},
            "<FORM METHOD=\"POST\" ACTION=\"cgi/post.cgi\" TARGET=\"_blank\">\r\nx\r\n</FORM>[]",
            {"setting=Form/Url=cgi/post.cgi"});
        Cmd("existing form keeps its own action", Form, "[<FORM ACTION=a.cgi>]", {},
            "[<FORM ACTION=a.cgi>]", {"setting=Form/Url=other.cgi"});
        Cmd("password box", TextBox, "a[]", {"種類=パスワード", "NAME=pw", "SIZE=8"},
            "a<INPUT TYPE=\"password\" NAME=\"pw\" SIZE=\"8\">[]");
        Cmd("text area without a name refuses OK", TextArea, "[x]", {"ROWS=3"}, "[x]", {},
            {QStringLiteral("ﾃﾞｰﾀ名が入力されていません")});
        Cmd("text area", TextArea, "[x]", {"NAME=t", "WRAP=soft"},
            "<TEXTAREA NAME=\"t\" WRAP=\"soft\">\r\nx\r\n</TEXTAREA>[]");
        Cmd("check box", CheckBox, "[]", {"NAME=c", "VALUE=1", "CHECKED=1"},
            "<INPUT TYPE=\"checkbox\" NAME=\"c\" VALUE=\"1\" CHECKED>[]");
        Cmd("radio button", Radio, "[]", {"NAME=r"}, "<INPUT TYPE=\"radio\" NAME=\"r\">[]");
        Cmd("list box", ListBox, "[x]", {"NAME=s"}, "<SELECT NAME=\"s\">\r\nx\r\n</SELECT>[]");
        Cmd("option", Option, "[x]", {"VALUE=v"}, "<OPTION VALUE=\"v\">x</OPTION>[]");
        Cmd("image button", ImageButton, "[]", {"NAME=go", "SRC=..."},
            "<INPUT TYPE=\"image\" NAME=\"go\" SRC=\"img/b.gif\">[]",
            {"doc=site/index.htm", "input=@site/img/b.gif"});
        Cmd("hidden", Hidden, "[]", {"NAME=h", "VALUE=1"},
            "<INPUT TYPE=\"hidden\" NAME=\"h\" VALUE=\"1\">[]");
        Cmd("submit always sets its type", Submit, "[<INPUT TYPE=text VALUE=a>]", {"VALUE=送信"},
            "<INPUT TYPE=\"submit\" VALUE=\"送信\">[]");
        Cmd("reset", Reset, "[]", {"VALUE=消去"}, "<INPUT TYPE=\"reset\" VALUE=\"消去\">[]");

        // Links.
        Cmd("image with border 0 and its size read after browsing", Image, "[]",
            {"SRC=...", "ALT=x", "外枠指定する=1", "BORDER=0"},
            "<IMG SRC=\"pic.gif\" ALT=\"x\" BORDER=\"0\" WIDTH=\"16\" HEIGHT=\"32\">[]",
            {"doc=index.htm", "gif=pic.gif", "input=@pic.gif"});
        Cmd("image whose name holds # is linked escaped, its size read", Image, "[]", {"SRC=..."},
            "<IMG SRC=\"photo%231.gif\" WIDTH=\"16\" HEIGHT=\"32\">[]",
            {"doc=index.htm", "gif=photo#1.gif", "input=@photo#1.gif"});
        Cmd("image border unchecked removes it", Image, "[<IMG SRC=a.gif BORDER=2>]", {"外枠指定する=0"},
            "<IMG SRC=a.gif>[]");
        Cmd("image size of a file that is no image", Image, "[<IMG SRC=a.txt>]", {"サイズ挿入=1"},
            "[<IMG SRC=a.txt>]", {"doc=index.htm"}, {ImageTypeErrorText()});
        Cmd("file picked without a document path gives its name", Link, "[x]", {"HREF=...", "TARGET=全領域"},
            "<A HREF=\"page.htm\" TARGET=\"_top\">x</A>[]", {"input=/tmp/some/where/page.htm"});
        Cmd("frame name target kept", Link, "[<A HREF=a.htm TARGET=main>]", {},
            "[<A HREF=a.htm TARGET=main>]");
        Cmd("link to a keyword of the document", AnchorLink, "<A NAME=\"top\">t</A>[x]", {"HREF=#top"},
            "<A NAME=\"top\">t</A><A HREF=\"#top\">x</A>[]");
        Cmd("link target window", LinkTarget, "[]", {"TARGET=同じウィンドウ"}, "<BASE TARGET=\"_self\">[]");
        Cmd("keyword", Keyword, "[x]", {"NAME=k"}, "<A NAME=\"k\">x</A>[]");
        Cmd("mail address from the settings", Mail, "[x]", {}, "<A HREF=\"mailto:me@example.com\">x</A>[]",
            {"setting=Link/Mail=me@example.com"});

        // Multimedia, frames, objects.
        Cmd("marquee writes the amount under its real name", Marquee, "[<MARQUEE SCROLLMOUNT=3 LOOP=-1>]",
            {"BEHAVIOR=スライド", "SCROLLAMOUNT=5"},
            "<MARQUEE SCROLLAMOUNT=\"5\" LOOP=-1 BEHAVIOR=\"SLIDE\">[]");
        Cmd("endless background music", Bgm, "[]", {"SRC=a.wav", "無限に繰り返す=1"},
            "<BGSOUND SRC=\"a.wav\" LOOP=\"INFINITE\">[]");
        Cmd("video clip", Video, "[]", {"DYNSRC=a.avi", "START=FILEOPEN", "CONTROLS=1"},
            "<IMG DYNSRC=\"a.avi\" START=\"FILEOPEN\" CONTROLS>[]");
        Cmd("frameset sizes, the last one typed but not added", Frameset, "[x]",
            {"分割幅=30%", "追加=1", "分割幅=*", "分割方向=横方向"}, "<FRAMESET ROWS=\"30%,*\">\r\nx\r\n</FRAMESET>[]");
        Cmd("frameset without sizes", Frameset, "[x]", {}, "<FRAMESET>\r\nx\r\n</FRAMESET>[]");
        Cmd("frame", Frame, "[]", {"SRC=a.htm", "NORESIZE=1", "SCROLLING=表示しない", "MarginWidth=4"},
            "<FRAME SRC=\"a.htm\" NORESIZE SCROLLING=\"no\" MarginWidth=\"4\">[]");
        Cmd("target frame", TargetFrame, "[x]", {"TARGET=main"}, "<BASE TARGET=\"main\">x</BASE>[]");
        Cmd("applet", Applet, "[x]", {"CODE=a.class", "WIDTH=100"},
            "<APPLET CODE=\"a.class\" WIDTH=\"100\">\r\nx\r\n</APPLET>[]");
        Cmd("param", Param, "[]", {"NAME=n", "VALUE=v"}, "<PARAM NAME=\"n\" VALUE=\"v\">[]");
        Cmd("new script hides its text in a comment", Script, "[x]", {},
            "<SCRIPT LANGUAGE=\"JavaScript\">\r\n<!--\r\nx\r\n// -->\r\n</SCRIPT>[]");
        Cmd("script type written with the language", Script, "[<SCRIPT>]", {"LANGUAGE=VBScript", "TYPE=1"},
            "<SCRIPT LANGUAGE=\"VBScript\" TYPE=\"text/vbscript\">[]");
        Cmd("script language the list lacks is kept", Script, "[<SCRIPT LANGUAGE=JavaScript1.2 SRC=a.js>]",
            {}, "[<SCRIPT LANGUAGE=JavaScript1.2 SRC=a.js>]");
        Cmd("plug-in", Plugin, "[x]", {"SRC=a.mid"}, "<EMBED SRC=\"a.mid\">\r\nx\r\n</EMBED>[]");

        // Class and style.
        Cmd("class offered and style written by the style editor", Table, "[x]", {"CLASS=wide", "STYLE=1"},
            "<TABLE CLASS=\"wide\" STYLE=\"color: red\">\r\nx\r\n</TABLE>[]", {"style"});
        Cmd("a style holding double quotes is written in apostrophes", Table, "[<TABLE ID=t>]",
            {"STYLE=1"}, "<TABLE ID=t STYLE='font-family: \"A B\"'>[]", {"style=font-family: \"A B\""});
        Cmd("style button without a style editor does nothing", Table, "[<TABLE STYLE=\"margin: 0\">]",
            {"STYLE=1"}, "[<TABLE STYLE=\"margin: 0\">]");
        Cmd("edit command on the selected tag", EditTag, "[<IMG SRC=a.gif>]", {"ALT=x"},
            "<IMG SRC=a.gif ALT=\"x\">[]");
        Cmd("edit command with a bare caret takes the tag there", EditTag, "<TD WIDTH=1[]0>", {"WIDTH=20"},
            "<TD WIDTH=\"20\">[]");
    }
    void commands()
    {
        QFETCH(int, id);
        QFETCH(QStringList, setup);
        QFETCH(QString, input);
        QFETCH(QStringList, fields);
        QFETCH(QString, expected);
        QFETCH(QStringList, messages);
        TestEditor t;
        Prepare(t, setup);
        SetMarked(t, input);
        QueueFields(t, fields);
        QVERIFY(t.Run(id));
        QCOMPARE(Marked(t), expected);
        QCOMPARE(t.Ui().Texts(QStringLiteral("message")), messages);
        QVERIFY(t.Ui().PendingFields().empty());
        QCOMPARE(t.Ui().Texts(QStringLiteral("error")), QStringList());
    }

    // A double-click at an offset: what it selects, which dialog opens with
    // which values, and the text after the dialog (OK unless "answer=cancel").
    void doubleClick_data()
    {
        QTest::addColumn<QStringList>("setup");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("offset");
        QTest::addColumn<QStringList>("fields");
        QTest::addColumn<QString>("form");
        QTest::addColumn<QStringList>("shown");
        QTest::addColumn<QString>("expected");
        const QStringList cancel{"answer=cancel"};
        const QString style = QStringLiteral("<STYLE>\r\nH1 { color: red }\r\nP { margin: 0 }\r\n"
                                             "</STYLE>");

        Click("image tag opens the image dialog", "a<IMG SRC=\"a.gif\">b", 5, "イメージの挿入",
            "a[<IMG SRC=\"a.gif\">]b", cancel, {}, {"SRC=a.gif"});
        Click("lower-case cell", "<td>x</td>", 1, "ﾃｰﾌﾞﾙのﾃﾞｰﾀ", "[<td>]x</td>", cancel);
        Click("end tag selected, nothing opens", "<TD>x</TD>", 7, "", "<TD>x[</TD>]");
        Click("word between tags", "<B>bold words</B>", 5, "", "<B>[bold] words</B>");
        Click("submit button selected, nothing opens", "<INPUT TYPE=submit>", 3, "", "[<INPUT TYPE=submit>]");
        Click("input without a type is a text box", "<INPUT NAME=q>", 3, "ﾃｷｽﾄの入力", "[<INPUT NAME=q>]",
            cancel, {}, {"NAME=q"});
        Click("check box by its type", "<input type=\"CHECKBOX\" checked>", 3, "選択ボタン",
            "[<input type=\"CHECKBOX\" checked>]", cancel, {}, {"CHECKED=1"});
        Click("anchor with a name is a keyword", "<A NAME=\"k\">", 2, "タグ編集", "[<A NAME=\"k\">]", cancel, {},
            {"NAME=k"});
        Click("anchor with a link", "<A HREF=\"b.htm\" TARGET=_blank>", 2, "リンク",
            "[<A HREF=\"b.htm\" TARGET=_blank>]", cancel, {}, {"HREF=b.htm", "TARGET=新規ウィンドウ"});
        Click("heading level change", "<H2>t</H2>", 1, "見出し", "<H3>[]t</H3>", {}, {"LEVEL=H3"}, {"LEVEL=H3"});
        Click("body", "<BODY TEXT=\"#000000\">", 2, "背景色の設定", "[<BODY TEXT=\"#000000\">]", cancel, {},
            {"TEXT=000000"});
        Click("emphasis without a style editor does nothing", "<EM>x</EM>", 1, "", "[<EM>]x</EM>");
        Click("emphasis with a style editor keeps its other attributes", "<LI VALUE=3>x", 1, "タグの修正",
            "<LI VALUE=3 STYLE=\"color: red\">[]x", {"style"}, {"STYLE=1"}, {"タグ名=LI"});
        Click("block goes to the block style command", "<DIV>x</DIV>", 1, "属性", "<DIV CLASS=\"c\">[]x</DIV>",
            {}, {"CLASS=c"});
        Click("style rule goes to the style editor", style, 13, "",
            "<STYLE>\r\n[H1 { color: red }]\r\nP { margin: 0 }\r\n</STYLE>", {"rule"});
        Click("rule selector", style, 29, "", "<STYLE>\r\nH1 { color: red }\r\n[P { margin: 0 }]\r\n</STYLE>",
            {"rule"});
        Click("style rule without a style editor selects a word", style, 14, "",
            "<STYLE>\r\nH1 { [color]: red }\r\nP { margin: 0 }\r\n</STYLE>");
        Click("rule in a css document", "A { x: y }\r\nB { z: w }", 14, "", "A { x: y }\r\n[B { z: w }]",
            {"rule", "doc=a.CSS"});
        Click("inside a comment is no rule", "/* A { x } */", 3, "", "/* [A] { x } */",
            {"rule", "doc=a.css"});
        Click("a quote never closed makes no tag", "<IMG SRC=\"a.gif ALT=x>", 5, "",
            "<IMG [SRC]=\"a.gif ALT=x>");
        Click("tag never closed", "<IMG SRC=a.gif", 5, "", "<IMG [SRC]=a.gif");
        Click("offset past the end", "ab", 9, "", "ab[]");
    }
    void doubleClick()
    {
        QFETCH(QStringList, setup);
        QFETCH(QString, text);
        QFETCH(int, offset);
        QFETCH(QStringList, fields);
        QFETCH(QString, form);
        QFETCH(QStringList, shown);
        QFETCH(QString, expected);
        TestEditor t;
        // The dispatch on its own: a style editor only where a row names one.
        t.App().StyleHooks() = StyleEditHooks{};
        QStringList steps;
        int ruleEdits = 0;
        for (const QString& s : setup) {
            if (s == u"rule")
                t.App().StyleHooks().editRuleAtCaret = [&] {
                    if (!SelectStyleRuleAtCaret(t.View(), t.Doc().GetPathName()))
                        return false;
                    ++ruleEdits;
                    return true;
                };
            else
                steps.append(s);
        }
        Prepare(t, steps);
        t.SetText(text, 0, 0);
        QueueFields(t, fields);
        DoubleClickAt(t.App(), offset);
        QCOMPARE(t.Ui().Texts(QStringLiteral("form")),
                 form.isEmpty() ? QStringList() : QStringList{form});
        for (const QString& s : shown) {
            const FormField* f = t.Ui().LastForm()->Find(s.section(u'=', 0, 0));
            QVERIFY2(f, qPrintable(s));
            QCOMPARE(f->kind == FieldKind::Flag ? QString::number(f->checked) : f->text,
                     s.section(u'=', 1));
        }
        QCOMPARE(Marked(t), expected);
        const QString selected = expected.section(u'[', 1).section(u']', 0, 0);
        QCOMPARE(ruleEdits, setup.contains(QStringLiteral("rule")) && selected.contains(u'{') ? 1 : 0);
    }

    // OK in the dialog a double-click opens, without a change: the page
    // stays byte for byte as real pages write their tags.
    void unchangedOk_data()
    {
        QTest::addColumn<QString>("page");
        QTest::addColumn<QString>("form");
        QTest::newRow("image over lines, both quotes, empty ALT")
            << "<img\r\n\tsrc=\"img/a.gif\"\r\n\talt=''\r\n\ttitle='say \"hi\" > bye'\r\n\twidth=10>"
            << "イメージの挿入";
        QTest::newRow("link with references and > in a title")
            << "<a href=\"Q&amp;A.html?x=1&amp;y=2\" title='a > b' target=_blank>x</a>" << "リンク";
        QTest::newRow("table with a bare border") << "<TABLE BORDER width=100%>" << "ﾃｰﾌﾞﾙ領域の設定";
        QTest::newRow("cell with names the lists hold in other case")
            << "<td align=center valign=TOP bgcolor=red nowrap>" << "ﾃｰﾌﾞﾙのﾃﾞｰﾀ";
        QTest::newRow("font") << "<font size=+1 color=#ff0000 face='MS P Gothic'>" << "FONT";
        QTest::newRow("body") << "<body bgcolor=\"#FFFFFF\" text=#000000 background=\"img/bg.gif\">"
                              << "背景色の設定";
        QTest::newRow("rule") << "<hr size=2 noshade width=50%>" << "さまざまな線";
        QTest::newRow("heading") << "<h2 class='title' align=center>t</h2>" << "見出し";
        QTest::newRow("text box") << "<INPUT type=text name=q value=\"a &quot;b&quot;\" size=20>"
                                  << "ﾃｷｽﾄの入力";
        QTest::newRow("check box") << "<input type=checkbox name=c value=1 checked>" << "選択ボタン";
        QTest::newRow("form") << "<form action=\"cgi-bin/a.cgi?x=1&amp;y=2\" method=post>"
                              << "Form";
        QTest::newRow("base") << "<base href=\"../\" target=_top>" << "リンク先ウィンドウ";
    }
    void unchangedOk()
    {
        QFETCH(QString, page);
        QFETCH(QString, form);
        TestEditor t;
        t.App().StyleHooks() = StyleEditHooks{};
        t.SetText(page, 0, 0);
        DoubleClickAt(t.App(), 2);
        QCOMPARE(t.Ui().Texts(QStringLiteral("form")), QStringList{form});
        QCOMPARE(t.Text(), page);
        QVERIFY(!t.Buffer().IsModified());
    }

    void headingChangeIsOneUndoStep()
    {
        TestEditor t;
        const QString page = QStringLiteral("<H2 ID=a>x<H2>y</H2>z</H2>w</H2>");
        t.SetText(page, 0, 9);
        t.Ui().QueueField(QStringLiteral("LEVEL"), QStringLiteral("H3"));
        QVERIFY(t.Run(Heading));
        QCOMPARE(t.Text(), QStringLiteral("<H3 ID=a>x<H2>y</H2>z</H3>w</H2>"));
        t.Buffer().Undo();
        QCOMPARE(t.Text(), page);
    }

    // The rule around a position, as the style editor gets it selected:
    // the text with the position marked by "|", and the rule's text (empty
    // for none).
    void styleRule_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("rule");
        QTest::newRow("in the declarations") << "P { co|lor: red }" << "P { color: red }";
        QTest::newRow("after a comment") << "/* c */\r\nP { m|: 0 }" << "P { m: 0 }";
        QTest::newRow("inside a comment") << "/* P { m|: 0 } */" << "";
        QTest::newRow("after an HTML comment opening")
            << "<!--\r\nP { |m: 0 }\r\n-->" << "P { m: 0 }";
        QTest::newRow("no brace before an HTML comment") << "<!-- a|b" << "";
        QTest::newRow("text without braces") << "ab|c" << "";
        QTest::newRow("inside a tag") << "<A HR|EF=x>" << "";
        QTest::newRow("rule cut off by a tag") << "P { m|: 0 </STYLE>" << "P { m: 0 ";
        QTest::newRow("slash before the rule is part of its selectors") << "x/y\r\nP { |m: 0 }"
                                                         << "x/y\r\nP { m: 0 }";
        QTest::newRow("url() path, comment and string before the rule")
            << "A { b: url(a/b.png) } /* c/d */ Q::after { content: \"}/*\" }\r\nP { |m: 0 }"
            << "P { m: 0 }";
        QTest::newRow("string holding a brace inside the rule")
            << "P { content: \"}\"; |m: 0 }" << "P { content: \"}\"; m: 0 }";
        QTest::newRow("rule inside @media") << "@media (max-width: 600px) {\r\n .a { |m: 0 }\r\n}"
                                            << ".a { m: 0 }";
        QTest::newRow("@media prelude is no rule") << "@media (max|-width: 600px) { .a { m: 0 } }" << "";
        QTest::newRow("STYLE element around the position")
            << "<style>A{}</style><P>x</P><style>\r\nB { |m: 0 }\r\n</style>" << "B { m: 0 }";
    }
    void styleRule()
    {
        QFETCH(QString, text);
        QFETCH(QString, rule);
        const int position = static_cast<int>(text.indexOf(u'|'));
        text.remove(position, 1);
        int start = -1, end = -1;
        const bool found = FindStyleRule(text, position, start, end);
        QCOMPARE(found ? text.mid(start, end - start) : QString(), rule);
    }

    // Tags no page should hold: every attribute survives a dialog, and
    // nothing hangs or crashes.
    void hostileTags_data()
    {
        QTest::addColumn<QString>("tag");
        QString many = QStringLiteral("<TD");
        for (int i = 0; i < 10000; ++i)
            many += QStringLiteral(" a%1=\"%1\"").arg(i);
        many += u'>';
        QTest::newRow("10,000 attributes") << many;
        QTest::newRow("quotes holding the other quote and >") << "<TD ALIGN=\"left WIDTH='5>\">";
        QTest::newRow("only equals signs") << "<TD = == ===>";
        QTest::newRow("colour of junk") << "<TD BGCOLOR=\"#GGGGGG\" WIDTH=\"%\">";
    }
    void hostileTags()
    {
        QFETCH(QString, tag);
        TestEditor t;
        t.SetText(tag, 0, 0);
        DoubleClickAt(t.App(), 1);
        QCOMPARE(t.Ui().Texts(QStringLiteral("form")), QStringList{"ﾃｰﾌﾞﾙのﾃﾞｰﾀ"});
        CTagObj before, after;
        before.Parse(tag);
        after.Parse(t.Text());
        QCOMPARE(after.Attrs().size(), before.Attrs().size());
    }
};
KELVO_TEST(TestTagDialogs, "TagDialogs");
#include "tst_TagDialogs.moc"
