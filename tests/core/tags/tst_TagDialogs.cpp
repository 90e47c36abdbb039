#include "TestFiles.h"
#include "TestRegistry.h"

#include "core/app/CKelvoApp.h"
#include "core/doc/CKelvoDoc.h"
#include "core/edit/CKelvoView.h"
#include "core/links/ImageSize.h"
#include "core/tags/CTagObj.h"
#include "core/tags/StyleRuleSelect.h"
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
// "style" puts in a style editor that writes "color: red", "notagedit"
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
        else if (step == u"style")
            t.App().StyleHooks().editInlineStyle = [](QString& text, const QString&) {
                text = QStringLiteral("color: red");
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
        const QStringList none;

        // Tables.
        QTest::newRow("new table wraps with line breaks")
            << Table << none << "[x]" << QStringList{"BORDER=1"}
            << "<TABLE BORDER=\"1\">\r\nx\r\n</TABLE>[]" << none;
        QTest::newRow("bare BORDER shows as 1 and is written with its value")
            << Table << none << "[<TABLE BORDER>]" << none << "<TABLE BORDER=\"1\">[]" << none;
        QTest::newRow("new attributes come in the written order, old ones keep their place")
            << Table << none << "[<TABLE WIDTH=50 ID=t>]"
            << QStringList{"RULES=全て", "背景色=#ffffff", "配置=中央寄せ", "BORDER=2"}
            << "<TABLE WIDTH=\"50\" ID=\"t\" BORDER=\"2\" ALIGN=\"center\" BGCOLOR=\"#FFFFFF\" "
               "RULES=\"all\">[]"
            << none;
        QTest::newRow("cancel leaves text and selection")
            << Table << QStringList{"answer=cancel"} << "a[<TABLE BORDER=3>]b"
            << QStringList{"BORDER=1"} << "a[<TABLE BORDER=3>]b" << none;
        QTest::newRow("choice matched without case, colour name kept when left alone")
            << Cell << none << "[<td align=center bgcolor=red>]" << none
            << "<td align=\"center\" bgcolor=\"red\">[]" << none;
        QTest::newRow("colour name typed is written as hex")
            << Cell << none << "[<TD BGCOLOR=red>]" << QStringList{"BGCOLOR=navy"}
            << "<TD BGCOLOR=\"#000080\">[]" << none;
        QTest::newRow("colour without # is written with it")
            << Row << none << "[x]" << QStringList{"BGCOLOR=00ff00"}
            << "<TR BGCOLOR=\"#00FF00\">x</TR>[]" << none;
        QTest::newRow("colour chooser fills the field")
            << Row << QStringList{"input=FF0000"} << "[x]" << QStringList{"BGCOLOR=..."}
            << "<TR BGCOLOR=\"#FF0000\">x</TR>[]" << none;
        QTest::newRow("colour that is none refuses OK and the script gives up")
            << Row << none << "[x]" << QStringList{"BGCOLOR=reddish"} << "[x]"
            << QStringList{QString::fromUtf16(kColorMessage)};
        QTest::newRow("spans below 2 are not written, percent width")
            << Cell << none << "[x]"
            << QStringList{"ROWSPAN=1", "COLSPAN=2", "WIDTH=50", "％指定=1", "NOWRAP=1"}
            << "<TD COLSPAN=\"2\" NOWRAP WIDTH=\"50%\">x</TD>[]" << none;
        QTest::newRow("percent width kept, unknown align kept")
            << HeaderCell << none << "[<TH WIDTH=80% ALIGN=justify>]" << none
            << "<TH WIDTH=\"80%\" ALIGN=\"justify\">[]" << none;
        QTest::newRow("number that is none refuses OK")
            << Cell << none << "[x]" << QStringList{"ROWSPAN=two"} << "[x]"
            << QStringList{QString::fromUtf16(kInvalidNumberMessage)};
        QTest::newRow("number the dialog cannot read is kept when left alone")
            << Cell << none << "[<TD ROWSPAN=auto>]" << none << "<TD ROWSPAN=\"auto\">[]" << none;
        QTest::newRow("caption") << Caption << none << "[x]" << QStringList{"ALIGN=表の下"}
                                 << "<CAPTION ALIGN=\"bottom\">x</CAPTION>[]" << none;

        // Page.
        QTest::newRow("new rule gets a line end")
            << Rule << none << "a[]b"
            << QStringList{"SIZE=3", "長さ=50", "％指定=1", "NOSHADE=1", "配置=右寄せ"}
            << "a<HR SIZE=\"3\" WIDTH=\"50%\" ALIGN=\"right\" NOSHADE>\r\n[]b" << none;
        QTest::newRow("selected rule edited in place")
            << Rule << none << "[<hr width=\"30%\">]" << QStringList{"％指定=0"}
            << "<hr width=\"30\">[]" << none;
        QTest::newRow("background edits the document's body")
            << Background << none << "<HTML>\r\n<body bgcolor=\"#FFFFFF\">\r\nx[]"
            << QStringList{"TEXT=000000", "背景を固定する=1"}
            << "<HTML>\r\n<body bgcolor=\"#FFFFFF\" BGPROPERTIES=\"FIXED\" TEXT=\"#000000\">[]"
               "\r\nx"
            << none;
        QTest::newRow("background cancelled keeps the selection")
            << Background << QStringList{"answer=cancel"} << "<BODY>\r\n[x]" << none
            << "<BODY>\r\n[x]" << none;
        QTest::newRow("background without tag editing wraps")
            << Background << QStringList{"notagedit"} << "<BODY>\r\n[x]"
            << QStringList{"BGCOLOR=black"}
            << "<BODY>\r\n<BODY BGCOLOR=\"#000000\">\r\nx\r\n</BODY>[]" << none;
        QTest::newRow("refresh new") << Refresh << none << "[]"
                                     << QStringList{"更新までの秒数=5", "URL=next.htm"}
                                     << "<META HTTP-EQUIV=\"REFRESH\" CONTENT=\"5;URL=next.htm\">[]"
                                     << none;
        QTest::newRow("refresh edited keeps its page")
            << Refresh << none << "[<META HTTP-EQUIV=REFRESH CONTENT=\"3; URL='a.htm'\">]"
            << QStringList{"SECONDS=7"} << "<META HTTP-EQUIV=\"REFRESH\" CONTENT=\"7;URL=a.htm\">[]"
            << none;
        QTest::newRow("heading level change takes the end tag along")
            << Heading << none << "x[<H2 ALIGN=left>]t</H2>y</H2>" << QStringList{"LEVEL=H3"}
            << "x<H3 ALIGN=\"left\">[]t</H3>y</H2>" << none;
        QTest::newRow("heading in lower case stays lower case")
            << Heading << none << "[<h4>]t</h4>" << QStringList{"LEVEL=1"} << "<h2>[]t</h2>"
            << none;
        QTest::newRow("new heading wraps and ends the line")
            << Heading << none << "[t]" << QStringList{"LEVEL=H2"} << "<H2>t</H2>\r\n[]" << none;
        QTest::newRow("a selected heading with its text is wrapped, not cut")
            << Heading << none << "[<H2>t</H2>]" << none << "<H1><H2>t</H2></H1>\r\n[]" << none;
        QTest::newRow("font relative to the base font")
            << Font << none << "<BASEFONT SIZE=4>[x]" << QStringList{"SIZE=5"}
            << "<BASEFONT SIZE=4><FONT SIZE=\"+1\">x</FONT>[]" << none;
        QTest::newRow("relative font size made absolute")
            << Font << none << "[<FONT SIZE=+2>]" << QStringList{"RELATIVE=0"}
            << "<FONT SIZE=\"5\">[]" << none;
        QTest::newRow("relative size equal to the base is dropped")
            << Font << none << "[<FONT SIZE=+2 COLOR=#ff0000>]" << QStringList{"SIZE=3"}
            << "<FONT COLOR=\"#FF0000\">[]" << none;
        QTest::newRow("font size the list cannot show is kept")
            << Font << none << "[<FONT SIZE=12 FACE=x>]" << QStringList{"FACE=y"}
            << "<FONT SIZE=\"12\" FACE=\"y\">[]" << none;

        // Forms.
        QTest::newRow("new form from the remembered action")
            << Form << QStringList{"setting=Form/Url=cgi/post.cgi"} << "[x]"
            << QStringList{"METHOD=POST", "TARGET=新規ウィンドウ"}
            << "<FORM METHOD=\"POST\" ACTION=\"cgi/post.cgi\" TARGET=\"_blank\">\r\nx\r\n</FORM>[]"
            << none;
        QTest::newRow("existing form keeps its own action")
            << Form << QStringList{"setting=Form/Url=other.cgi"} << "[<FORM ACTION=a.cgi>]"
            << none << "<FORM ACTION=\"a.cgi\">[]" << none;
        QTest::newRow("password box")
            << TextBox << none << "a[]" << QStringList{"種類=パスワード", "NAME=pw", "SIZE=8"}
            << "a<INPUT TYPE=\"password\" NAME=\"pw\" SIZE=\"8\">[]" << none;
        QTest::newRow("text area without a name refuses OK")
            << TextArea << none << "[x]" << QStringList{"ROWS=3"} << "[x]"
            << QStringList{QStringLiteral("ﾃﾞｰﾀ名が入力されていません")};
        QTest::newRow("text area")
            << TextArea << none << "[x]" << QStringList{"NAME=t", "WRAP=soft"}
            << "<TEXTAREA NAME=\"t\" WRAP=\"soft\">\r\nx\r\n</TEXTAREA>[]" << none;
        QTest::newRow("check box") << CheckBox << none << "[]"
                                   << QStringList{"NAME=c", "VALUE=1", "CHECKED=1"}
                                   << "<INPUT TYPE=\"checkbox\" NAME=\"c\" VALUE=\"1\" CHECKED>[]"
                                   << none;
        QTest::newRow("radio button") << Radio << none << "[]" << QStringList{"NAME=r"}
                                      << "<INPUT TYPE=\"radio\" NAME=\"r\">[]" << none;
        QTest::newRow("list box") << ListBox << none << "[x]" << QStringList{"NAME=s"}
                                  << "<SELECT NAME=\"s\">\r\nx\r\n</SELECT>[]" << none;
        QTest::newRow("option") << Option << none << "[x]" << QStringList{"VALUE=v"}
                                << "<OPTION VALUE=\"v\">x</OPTION>[]" << none;
        QTest::newRow("image button")
            << ImageButton << QStringList{"doc=site/index.htm", "input=@site/img/b.gif"} << "[]"
            << QStringList{"NAME=go", "SRC=..."}
            << "<INPUT TYPE=\"image\" NAME=\"go\" SRC=\"img/b.gif\">[]" << none;
        QTest::newRow("hidden") << Hidden << none << "[]" << QStringList{"NAME=h", "VALUE=1"}
                                << "<INPUT TYPE=\"hidden\" NAME=\"h\" VALUE=\"1\">[]" << none;
        QTest::newRow("submit always sets its type")
            << Submit << none << "[<INPUT TYPE=text VALUE=a>]" << QStringList{"VALUE=送信"}
            << "<INPUT TYPE=\"submit\" VALUE=\"送信\">[]" << none;
        QTest::newRow("reset") << Reset << none << "[]" << QStringList{"VALUE=消去"}
                               << "<INPUT TYPE=\"reset\" VALUE=\"消去\">[]" << none;

        // Links.
        QTest::newRow("image with border 0 and its size read after browsing")
            << Image << QStringList{"doc=index.htm", "gif=pic.gif", "input=@pic.gif"} << "[]"
            << QStringList{"SRC=...", "ALT=x", "外枠指定する=1", "BORDER=0"}
            << "<IMG SRC=\"pic.gif\" ALT=\"x\" BORDER=\"0\" WIDTH=\"16\" HEIGHT=\"32\">[]" << none;
        QTest::newRow("image border unchecked removes it")
            << Image << none << "[<IMG SRC=a.gif BORDER=2>]" << QStringList{"外枠指定する=0"}
            << "<IMG SRC=\"a.gif\">[]" << none;
        QTest::newRow("image size of a file that is no image")
            << Image << QStringList{"doc=index.htm"} << "[<IMG SRC=a.txt>]"
            << QStringList{"サイズ挿入=1"} << "<IMG SRC=\"a.txt\">[]"
            << QStringList{ImageTypeErrorText()};
        QTest::newRow("file picked without a document path gives its name")
            << Link << QStringList{"input=/tmp/some/where/page.htm"} << "[x]"
            << QStringList{"HREF=...", "TARGET=全領域"}
            << "<A HREF=\"page.htm\" TARGET=\"_top\">x</A>[]" << none;
        QTest::newRow("frame name target kept")
            << Link << none << "[<A HREF=a.htm TARGET=main>]" << none
            << "<A HREF=\"a.htm\" TARGET=\"main\">[]" << none;
        QTest::newRow("link to a keyword of the document")
            << AnchorLink << none << "<A NAME=\"top\">t</A>[x]" << QStringList{"HREF=#top"}
            << "<A NAME=\"top\">t</A><A HREF=\"#top\">x</A>[]" << none;
        QTest::newRow("link target window")
            << LinkTarget << none << "[]" << QStringList{"TARGET=同じウィンドウ"}
            << "<BASE TARGET=\"_self\">[]" << none;
        QTest::newRow("keyword") << Keyword << none << "[x]" << QStringList{"NAME=k"}
                                 << "<A NAME=\"k\">x</A>[]" << none;
        QTest::newRow("mail address from the settings")
            << Mail << QStringList{"setting=Link/Mail=me@example.com"} << "[x]" << none
            << "<A HREF=\"mailto:me@example.com\">x</A>[]" << none;

        // Multimedia, frames, objects.
        QTest::newRow("marquee writes the amount under its real name")
            << Marquee << none << "[<MARQUEE SCROLLMOUNT=3 LOOP=-1>]"
            << QStringList{"BEHAVIOR=スライド", "SCROLLAMOUNT=5"}
            << "<MARQUEE SCROLLAMOUNT=\"5\" LOOP=\"-1\" BEHAVIOR=\"SLIDE\">[]" << none;
        QTest::newRow("endless background music")
            << Bgm << none << "[]" << QStringList{"SRC=a.wav", "無限に繰り返す=1"}
            << "<BGSOUND SRC=\"a.wav\" LOOP=\"INFINITE\">[]" << none;
        QTest::newRow("video clip")
            << Video << none << "[]" << QStringList{"DYNSRC=a.avi", "START=FILEOPEN", "CONTROLS=1"}
            << "<IMG DYNSRC=\"a.avi\" START=\"FILEOPEN\" CONTROLS>[]" << none;
        QTest::newRow("frameset sizes, the last one typed but not added")
            << Frameset << none << "[x]"
            << QStringList{"分割幅=30%", "追加=1", "分割幅=*", "分割方向=横方向"}
            << "<FRAMESET ROWS=\"30%,*\">\r\nx\r\n</FRAMESET>[]" << none;
        QTest::newRow("frameset without sizes")
            << Frameset << none << "[x]" << none << "<FRAMESET>\r\nx\r\n</FRAMESET>[]" << none;
        QTest::newRow("frame") << Frame << none << "[]"
                               << QStringList{"SRC=a.htm", "NORESIZE=1", "SCROLLING=表示しない",
                                              "MarginWidth=4"}
                               << "<FRAME SRC=\"a.htm\" NORESIZE SCROLLING=\"no\" "
                                  "MarginWidth=\"4\">[]"
                               << none;
        QTest::newRow("target frame") << TargetFrame << none << "[x]" << QStringList{"TARGET=main"}
                                      << "<BASE TARGET=\"main\">x</BASE>[]" << none;
        QTest::newRow("applet") << Applet << none << "[x]"
                                << QStringList{"CODE=a.class", "WIDTH=100"}
                                << "<APPLET CODE=\"a.class\" WIDTH=\"100\">\r\nx\r\n</APPLET>[]"
                                << none;
        QTest::newRow("param") << Param << none << "[]" << QStringList{"NAME=n", "VALUE=v"}
                               << "<PARAM NAME=\"n\" VALUE=\"v\">[]" << none;
        QTest::newRow("new script hides its text in a comment")
            << Script << none << "[x]" << none
            << "<SCRIPT LANGUAGE=\"JavaScript\">\r\n<!--\r\nx\r\n// -->\r\n</SCRIPT>[]" << none;
        QTest::newRow("script type written with the language")
            << Script << none << "[<SCRIPT>]" << QStringList{"LANGUAGE=VBScript", "TYPE=1"}
            << "<SCRIPT LANGUAGE=\"VBScript\" TYPE=\"text/vbscript\">[]" << none;
        QTest::newRow("script language the list lacks is kept")
            << Script << none << "[<SCRIPT LANGUAGE=JavaScript1.2 SRC=a.js>]" << none
            << "<SCRIPT LANGUAGE=\"JavaScript1.2\" SRC=\"a.js\">[]" << none;
        QTest::newRow("plug-in") << Plugin << none << "[x]" << QStringList{"SRC=a.mid"}
                                 << "<EMBED SRC=\"a.mid\">\r\nx\r\n</EMBED>[]" << none;

        // Class and style.
        QTest::newRow("class offered and style written by the style editor")
            << Table << QStringList{"style"} << "[x]" << QStringList{"CLASS=wide", "STYLE=1"}
            << "<TABLE CLASS=\"wide\" STYLE=\"color: red\">\r\nx\r\n</TABLE>[]" << none;
        QTest::newRow("style button without a style editor does nothing")
            << Table << none << "[<TABLE STYLE=\"margin: 0\">]" << QStringList{"STYLE=1"}
            << "<TABLE STYLE=\"margin: 0\">[]" << none;
        QTest::newRow("edit command on the selected tag")
            << EditTag << none << "[<IMG SRC=a.gif>]" << QStringList{"ALT=x"}
            << "<IMG SRC=\"a.gif\" ALT=\"x\">[]" << none;
        QTest::newRow("edit command with a bare caret takes the tag there")
            << EditTag << none << "<TD WIDTH=1[]0>" << QStringList{"WIDTH=20"} << "<TD WIDTH=\"20\">[]"
            << none;
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
        const QStringList none;
        const QStringList cancel{"answer=cancel"};
        const QString style = QStringLiteral("<STYLE>\r\nH1 { color: red }\r\nP { margin: 0 }\r\n"
                                             "</STYLE>");

        QTest::newRow("image tag opens the image dialog")
            << cancel << "a<IMG SRC=\"a.gif\">b" << 5 << none << "イメージの挿入"
            << QStringList{"SRC=a.gif"} << "a[<IMG SRC=\"a.gif\">]b";
        QTest::newRow("lower-case cell") << cancel << "<td>x</td>" << 1 << none << "ﾃｰﾌﾞﾙのﾃﾞｰﾀ"
                                         << none << "[<td>]x</td>";
        QTest::newRow("end tag selected, nothing opens")
            << none << "<TD>x</TD>" << 7 << none << "" << none << "<TD>x[</TD>]";
        QTest::newRow("word between tags") << none << "<B>bold words</B>" << 5 << none << ""
                                           << none << "<B>[bold] words</B>";
        QTest::newRow("submit button selected, nothing opens")
            << none << "<INPUT TYPE=submit>" << 3 << none << "" << none << "[<INPUT TYPE=submit>]";
        QTest::newRow("input without a type is a text box")
            << cancel << "<INPUT NAME=q>" << 3 << none << "ﾃｷｽﾄの入力" << QStringList{"NAME=q"}
            << "[<INPUT NAME=q>]";
        QTest::newRow("check box by its type")
            << cancel << "<input type=\"CHECKBOX\" checked>" << 3 << none << "選択ボタン"
            << QStringList{"CHECKED=1"} << "[<input type=\"CHECKBOX\" checked>]";
        QTest::newRow("anchor with a name is a keyword")
            << cancel << "<A NAME=\"k\">" << 2 << none << "タグ編集" << QStringList{"NAME=k"}
            << "[<A NAME=\"k\">]";
        QTest::newRow("anchor with a link")
            << cancel << "<A HREF=\"b.htm\" TARGET=_blank>" << 2 << none << "リンク"
            << QStringList{"HREF=b.htm", "TARGET=新規ウィンドウ"}
            << "[<A HREF=\"b.htm\" TARGET=_blank>]";
        QTest::newRow("heading level change")
            << none << "<H2>t</H2>" << 1 << QStringList{"LEVEL=H3"} << "見出し"
            << QStringList{"LEVEL=H3"} << "<H3>[]t</H3>";
        QTest::newRow("body") << cancel << "<BODY TEXT=\"#000000\">" << 2 << none << "背景色の設定"
                              << QStringList{"TEXT=000000"} << "[<BODY TEXT=\"#000000\">]";
        QTest::newRow("emphasis without a style editor does nothing")
            << none << "<EM>x</EM>" << 1 << none << "" << none << "[<EM>]x</EM>";
        QTest::newRow("emphasis with a style editor keeps its other attributes")
            << QStringList{"style"} << "<LI VALUE=3>x" << 1 << QStringList{"STYLE=1"}
            << "タグの修正" << QStringList{"タグ名=LI"} << "<LI VALUE=\"3\" STYLE=\"color: red\">[]x";
        QTest::newRow("block goes to the block style command")
            << none << "<DIV>x</DIV>" << 1 << QStringList{"CLASS=c"} << "属性" << none
            << "<DIV CLASS=\"c\">[]x</DIV>";
        QTest::newRow("style rule goes to the style editor")
            << QStringList{"rule"} << style << 13 << none << "" << none
            << "<STYLE>\r\n[H1 { color: red }]\r\nP { margin: 0 }\r\n</STYLE>";
        QTest::newRow("rule selector") << QStringList{"rule"} << style << 29 << none << "" << none
                                       << "<STYLE>\r\nH1 { color: red }\r\n[P { margin: 0 }]\r\n"
                                          "</STYLE>";
        QTest::newRow("style rule without a style editor selects a word")
            << none << style << 14 << none << "" << none
            << "<STYLE>\r\nH1 { [color]: red }\r\nP { margin: 0 }\r\n</STYLE>";
        QTest::newRow("rule in a css document")
            << QStringList{"rule", "doc=a.CSS"} << "A { x: y }\r\nB { z: w }" << 14 << none << ""
            << none << "A { x: y }\r\n[B { z: w }]";
        QTest::newRow("inside a comment is no rule")
            << QStringList{"rule", "doc=a.css"} << "/* A { x } */" << 3 << none << "" << none
            << "/* [A] { x } */";
        QTest::newRow("unterminated quote")
            << none << "<IMG SRC=\"a.gif ALT=x>" << 4 << QStringList{"ALT=y"} << "イメージの挿入"
            << none << "<IMG SRC=\"a.gif ALT=x\" ALT=\"y\">[]";
        QTest::newRow("tag never closed") << none << "<IMG SRC=a.gif" << 5 << none << "" << none
                                          << "<IMG [SRC]=a.gif";
        QTest::newRow("offset past the end") << none << "ab" << 9 << none << "" << none << "ab[]";
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
        QTest::newRow("a slash starts at the beginning") << "x/y\r\nP { |m: 0 }"
                                                         << "x/y\r\nP { m: 0 }";
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
        QTest::newRow("quotes never closed") << "<TD ALIGN=\"left WIDTH='5>";
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
