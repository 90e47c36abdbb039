#include "TestFiles.h"
#include "TestRegistry.h"

#include "core/app/CommandIds.h"

#include "core/style/CStyleDlg.h"
#include "core/links/RelativePath.h"
#include "core/style/CStylePage.h"
#include "core/style/StyleCommandIds.h"
#include "core/style/StyleCommands.h"
#include "core/tags/TagDialogCommandIds.h"

#include <QDir>
#include <QTest>

namespace {

Ui::Answer AnswerOf(const QString& word)
{
    if (word == u"yes")
        return Ui::Answer::Yes;
    if (word == u"no")
        return Ui::Answer::No;
    if (word == u"cancel")
        return Ui::Answer::Cancel;
    return Ui::Answer::Ok;
}

// Answers and "NAME=VALUE" fields in the order the dialogs take them.
void Script(TestEditor& t, const QStringList& answers, const QStringList& fields)
{
    for (const QString& a : answers)
        t.Ui().QueueAnswer(AnswerOf(a));
    for (const QString& f : fields) {
        const qsizetype eq = f.indexOf(u'=');
        t.Ui().QueueField(f.left(eq), f.mid(eq + 1));
    }
}

const QString kHead = u"<HTML><HEAD><TITLE>t</TITLE></HEAD><BODY>x</BODY></HTML>"_qs;

} // namespace

class TestStyleCommands : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void commands_data()
    {
        QTest::addColumn<int>("command");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("selStart");
        QTest::addColumn<int>("selEnd");
        QTest::addColumn<QStringList>("answers");
        QTest::addColumn<QStringList>("fields");
        QTest::addColumn<QString>("expected");

        QTest::newRow("STYLE area around an empty selection")
            << cmd::StyleArea << "" << 0 << 0 << QStringList{} << QStringList{}
            << "<STYLE>\r\n<!--\r\n\r\n-->\r\n</STYLE>\r\n";
        QTest::newRow("STYLE area around rules")
            << cmd::StyleArea << "P{}" << 0 << 3 << QStringList{} << QStringList{}
            << "<STYLE>\r\n<!--\r\nP{}\r\n-->\r\n</STYLE>\r\n";

        QTest::newRow("bare STYLE attribute")
            << cmd::InlineStyleOnly << "<P >" << 3 << 3 << QStringList{"ok", "yes"}
            << QStringList{"color=ff0000", "cursor=十字"}
            << "<P STYLE=\"color: #ff0000;cursor: crosshair;\">";
        QTest::newRow("a quoted url() does not end the STYLE attribute")
            << cmd::InlineStyleOnly << "<P >" << 3 << 3 << QStringList{"ok", "yes"}
            << QStringList{"background-image=img/my photo.png"}
            << "<P STYLE='background: url(\"img/my photo.png\");'>";
        QTest::newRow("No to the question inserts nothing")
            << cmd::InlineStyleOnly << "<P >" << 3 << 3 << QStringList{"ok", "no"}
            << QStringList{"color=ff0000"} << "<P >";
        QTest::newRow("question unanswered is No")
            << cmd::InlineStyleOnly << "<P >" << 3 << 3 << QStringList{}
            << QStringList{"color=ff0000"} << "<P >";

        const QString rule = u"P {color: red; border: solid 1px #000000}"_qs;
        QTest::newRow("only the opened font page writes")
            << cmd::StyleRuleEdit << rule << 0 << int(rule.size()) << QStringList{"ok", "yes"}
            << QStringList{"font-family=MS Gothic"}
            << "P {color: red; border: solid 1px #000000; font-family: 'MS Gothic'}";
        QTest::newRow("opened border page changes its token in place")
            << cmd::StyleRuleEdit << rule << 0 << int(rule.size()) << QStringList{"ok", "yes"}
            << QStringList{"border-width-unit=ポイント"}
            << "P {color: red; border: solid 1pt #000000}";
        const QString looked = QStringLiteral(
            "P {\r\n\tfont: bold 12px;\r\n\tbackground: red url(a.gif);\r\n"
            "\tborder: 1px solid navy;\r\n}");
        QTest::newRow("pages opened and left alone keep the rule as it was")
            << cmd::StyleRuleEdit << looked << 0 << int(looked.size()) << QStringList{"ok", "yes"}
            << QStringList{"background-repeat=指定しない", "border-style=塗りつぶし"} << looked;
        QTest::newRow("No leaves the rule unchanged")
            << cmd::StyleRuleEdit << rule << 0 << int(rule.size()) << QStringList{"ok", "no"}
            << QStringList{"font-family=Arial"} << rule;
        QTest::newRow("cancel leaves the rule unchanged")
            << cmd::StyleRuleEdit << rule << 0 << int(rule.size()) << QStringList{"cancel"}
            << QStringList{} << rule;
        QTest::newRow("target edited becomes the selectors")
            << cmd::StyleRuleEdit << "P{}" << 0 << 3 << QStringList{"ok", "yes"}
            << QStringList{"target=H1, H2"} << "H1, H2{}";
        QTest::newRow("selection without a rule gives an empty rule")
            << cmd::StyleRuleEdit << "text" << 0 << 4 << QStringList{"ok", "yes"}
            << QStringList{"target=P", "float=左"} << "P {\r\n\tfloat: left;\r\n}";
        QTest::newRow("margins of all four sides in the shorthand")
            << cmd::StyleRuleEdit << "P{}" << 0 << 3 << QStringList{"ok", "yes"}
            << QStringList{"margin-top=1", "margin-right=2", "margin-bottom=3",
                           "margin-left=4", "margin-left-unit=文字"}
            << "P{margin: 1px 2px 3px 4em;}";
        QTest::newRow("border side dialog writes the side")
            << cmd::StyleRuleEdit << "P{}" << 0 << 3 << QStringList{"ok", "ok", "yes"}
            << QStringList{"border-top=", "枠線の種類=点線", "色=ff0000", "枠線の太さ=2",
                           "単位=ピクセル"}
            << "P{border-top: dotted #ff0000 2px;}";
        QTest::newRow("side dialog width keyword")
            << cmd::StyleRuleEdit << "P{}" << 0 << 3 << QStringList{"ok", "ok", "yes"}
            << QStringList{"border-left=", "枠線の太さ=太い"}
            << "P{border-left-width: thick;}";
        QTest::newRow("side dialog cancelled")
            << cmd::StyleRuleEdit << "P{}" << 0 << 3 << QStringList{"cancel", "ok", "yes"}
            << QStringList{"border-left=", "枠線の太さ=太い"} << "P{}";

        QTest::newRow("new rule through the selector dialog")
            << cmd::StyleRuleNew << "" << 0 << 0 << QStringList{"ok", "ok", "yes"}
            << QStringList{"element=P", "class=note", "pseudo=最初の一行", "text-align=中央"}
            << "P.note:first-line {\r\n\ttext-align: center;\r\n}";
        QTest::newRow("edit rule on an empty selection asks for the selector")
            << cmd::StyleRuleEdit << "" << 0 << 0 << QStringList{"ok", "ok", "yes"}
            << QStringList{"element=A", "ID指定=1", "class=top", "pseudo=hover"}
            << "A#top:hover {\r\n}";
        QTest::newRow("new rule cancelled in the selector dialog")
            << cmd::StyleRuleNew << "x" << 0 << 0 << QStringList{"cancel"} << QStringList{}
            << "x";
        QTest::newRow("selector dialog hands on to the multiple selectors")
            << cmd::StyleRuleNew << "" << 0 << 0
            << QStringList{"ok", "ok", "ok", "yes"}
            << QStringList{"element=H1", "multiple=", "add=", "element=H2"}
            << "H1,H2 {\r\n}";
        QTest::newRow("descendant selector")
            << cmd::StyleRuleNew << "" << 0 << 0
            << QStringList{"ok", "ok", "ok", "yes"}
            << QStringList{"element=DIV", "descendant=", "add=", "element=A"}
            << "DIV A {\r\n}";
        QTest::newRow("descendant moved up")
            << cmd::StyleRuleNew << "" << 0 << 0
            << QStringList{"ok", "ok", "ok", "yes"}
            << QStringList{"element=DIV", "descendant=", "add=", "element=A", "list=1", "up="}
            << "A DIV {\r\n}";

        QTest::newRow("style list round trip with comment markers")
            << cmd::StyleList << "<STYLE><!-- P {color: red} --></STYLE>" << 0 << 0
            << QStringList{"ok"} << QStringList{} << "<STYLE><!-- P {color: red} --></STYLE>";
        QTest::newRow("style list edit inside the comment markers")
            << cmd::StyleList << "<STYLE><!-- P {color: red} --></STYLE>" << 0 << 0
            << QStringList{"ok", "yes", "ok"} << QStringList{"list=0", "edit=", "color=blue"}
            << "<STYLE><!-- P {color: blue} --></STYLE>";
        QTest::newRow("style list without comment markers")
            << cmd::StyleList << "<style>\r\nP{a:b}\r\n</style>" << 0 << 0 << QStringList{"ok"}
            << QStringList{} << "<style>\r\nP{a:b}\r\n</style>";
        QTest::newRow("style list delete asks and removes")
            << cmd::StyleList << "<STYLE>A{}B{}</STYLE>" << 0 << 0 << QStringList{"ok", "ok"}
            << QStringList{"list=0", "delete="} << "<STYLE>B{}</STYLE>";
        QTest::newRow("style list move down")
            << cmd::StyleList << "<STYLE>A{}B{}</STYLE>" << 0 << 0 << QStringList{"ok"}
            << QStringList{"list=0", "down="} << "<STYLE>B{}A{}</STYLE>";
        QTest::newRow("style list cancelled")
            << cmd::StyleList << "<STYLE>A{}</STYLE>" << 0 << 0 << QStringList{"ok", "cancel"}
            << QStringList{"list=0", "delete="} << "<STYLE>A{}</STYLE>";
        QTest::newRow("style list without STYLE puts one in the HEAD")
            << cmd::StyleList << kHead << 50 << 50 << QStringList{"ok", "ok", "yes", "ok"}
            << QStringList{"add=", "element=P", "color=0000ff"}
            << "<HTML><HEAD><TITLE>t</TITLE><STYLE>\r\n<!--\r\nP {\r\n\tcolor: #0000ff;\r\n}"
               "\r\n-->\r\n</STYLE>\r\n</HEAD><BODY>x</BODY></HTML>";
        QTest::newRow("style list without HEAD inserts at the caret")
            << cmd::StyleList << "abc" << 1 << 2 << QStringList{"ok", "ok", "yes", "ok"}
            << QStringList{"add=", "element=P", "color=red"}
            << "a<STYLE>\r\n<!--\r\nP {\r\n\tcolor: red;\r\n}\r\n-->\r\n</STYLE>\r\nbc";
        QTest::newRow("style list confirmed without a change writes nothing")
            << cmd::StyleList << kHead << 50 << 50 << QStringList{"ok"} << QStringList{} << kHead;
        const QString unclosed = u"<html><style>\r\nP { color: red }\r\n<body>"_qs;
        QTest::newRow("an unclosed STYLE is listed and edited, no second one added")
            << cmd::StyleList << unclosed << 0 << 0 << QStringList{"ok", "yes", "ok"}
            << QStringList{"list=0", "edit=", "color=blue"}
            << QString(unclosed).replace(u"red"_qs, u"blue"_qs);
        const QString hidden =
            u"<TITLE><style></TITLE><!-- <style> --><SCRIPT>s='<style>'</SCRIPT>"
            "<STYLE>P{a:b}</STYLE>"_qs;
        QTest::newRow("the first real STYLE element, not one in a comment, script or TITLE")
            << cmd::StyleList << hidden << 0 << 0 << QStringList{"ok", "ok"}
            << QStringList{"list=0", "delete="} << QString(hidden).replace(u"P{a:b}"_qs, QString());

        QTest::newRow("external style sheet, new LINK")
            << cmd::ExternalStyleSheet << "x" << 0 << 0 << QStringList{"ok"}
            << QStringList{"HREF=a.css"}
            << "<LINK REL=\"stylesheet\" TYPE=\"text/css\" HREF=\"a.css\">x";
        QTest::newRow("external style sheet edits the LINK at the caret")
            << cmd::ExternalStyleSheet << "<link rel=stylesheet href=old.css>" << 5 << 5
            << QStringList{"ok"} << QStringList{"HREF=new.css"}
            << "<link rel=stylesheet href=\"new.css\">";
        QTest::newRow("external style sheet, all attributes start from the typed HREF")
            << cmd::ExternalStyleSheet << "x" << 0 << 0 << QStringList{}
            << QStringList{"HREF=a.css", "全属性=", "追加=", "名前=MEDIA", "内容=screen"}
            << "<LINK REL=\"stylesheet\" TYPE=\"text/css\" HREF=\"a.css\" MEDIA=\"screen\">x";

        QTest::newRow("DIV wraps the selection")
            << cmd::BlockStyle << "abc" << 0 << 3 << QStringList{"ok"}
            << QStringList{"ALIGN=中央寄せ", "CLASS=note"}
            << "<DIV ALIGN=\"center\" CLASS=\"note\">abc</DIV>";
        QTest::newRow("P at the caret is edited in place")
            << cmd::ParagraphStyle << "<p class=old align=left>x</p>" << 4 << 4 << QStringList{"ok"}
            << QStringList{"CLASS=new", "ALIGN=指定なし"} << "<p class=\"new\">x</p>";
        QTest::newRow("a selection inside a P start tag is wrapped, not the tag edited")
            << cmd::ParagraphStyle << "<P>x</P>" << 1 << 2 << QStringList{"ok"} << QStringList{}
            << "<<P>P</P>>x</P>";
        QTest::newRow("SPAN style from the style dialog")
            << cmd::SpanStyle << "ab" << 1 << 1 << QStringList{"ok", "yes", "ok"}
            << QStringList{"STYLE=", "color=ff0000"} << "a<SPAN STYLE=\"color: #ff0000;\"></SPAN>b";
        QTest::newRow("SPAN style dialog answered No keeps the old style")
            << cmd::SpanStyle << "<SPAN STYLE=\"color: red\">" << 2 << 2
            << QStringList{"ok", "no", "ok"} << QStringList{"STYLE=", "color=0000ff", "CLASS=c"}
            << "<SPAN STYLE=\"color: red\" CLASS=\"c\">";
        QTest::newRow("DIV cancelled")
            << cmd::BlockStyle << "<DIV>x</DIV>" << 2 << 2 << QStringList{"cancel"}
            << QStringList{} << "<DIV>x</DIV>";
        QTest::newRow("double-click dispatch of a DIV")
            << cmd::tagdlg::EditTag << "<div>x</div>" << 2 << 2 << QStringList{"ok"}
            << QStringList{"CLASS=c"} << "<div CLASS=\"c\">x</div>";
    }
    void commands()
    {
        QFETCH(int, command);
        QFETCH(QString, text);
        QFETCH(int, selStart);
        QFETCH(int, selEnd);
        QFETCH(QStringList, answers);
        QFETCH(QStringList, fields);
        QFETCH(QString, expected);
        TestEditor t;
        t.SetText(text, selStart, selEnd);
        Script(t, answers, fields);
        QVERIFY(t.Run(command));
        QCOMPARE(t.Text(), expected);
        QVERIFY(t.Ui().PendingFields().empty());
        QVERIFY(t.Ui().Texts(u"error"_qs).isEmpty());
        // However many pages and sub-dialogs were opened, one question at most.
        const QStringList questions = t.Ui().Texts(u"question"_qs);
        QVERIFY(questions.size() <= 1);
        if (command == cmd::StyleRuleEdit && answers.contains(u"yes"_qs))
            QCOMPARE(questions, QStringList{CStyleDlg::ApplyQuestion()});
    }

    // A character Shift-JIS lacks, saved with references: a CSS escape in
    // a style sheet (CSS never decodes "&#x...;"), a reference elsewhere.
    void cssEscapeOnSave_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("saved");
        QTest::newRow("style sheet file") << "s.css" << u"P{content:'\U00020BB7'}"_qs
                                          << QByteArray("P{content:'\\20BB7 '}");
        QTest::newRow("page: the STYLE element only, not one in a comment")
            << "p.htm" << u"<!-- <style> -->\U00020BB7<STYLE>P{content:'\U00020BB7a'}</STYLE>\U00020BB7"_qs
            << QByteArray("<!-- <style> -->&#x20BB7;<STYLE>P{content:'\\20BB7 a'}</STYLE>&#x20BB7;");
    }
    void cssEscapeOnSave()
    {
        QFETCH(QString, file);
        QFETCH(QString, text);
        QFETCH(QByteArray, saved);
        TestEditor t;
        const QString path = t.MakeFile(file, "x");
        QVERIFY(t.App().OpenDocumentFile(path));
        t.SetText(text);
        t.Ui().QueueAnswer(Ui::Answer::Yes);  // write references
        QVERIFY(t.Run(cmd::FileSave));
        QCOMPARE(ReadBytes(path), saved);
    }

    void inlineTargetNotReparsed()
    {
        TestEditor t;
        CStyleDlg dlg(&t.App());
        dlg.inlineStyle = true;
        dlg.rule.Declarations().Parse(u"color: red"_qs);
        Script(t, {"ok", "yes"}, {});
        QVERIFY(dlg.DoModal(t.Ui()));
        QCOMPARE(dlg.target, u"インライン"_qs);
        QVERIFY(dlg.rule.Selectors().empty());
        QCOMPARE(dlg.rule.ToText(true, false), u"color: red;"_qs);
    }

    void styleListInCssDocument()
    {
        TestEditor t;
        const QString path = t.MakeFile(u"site.CSS"_qs, "/* c */\r\nA{x:y}\r\n@media print{B{}}\r\n");
        QVERIFY(t.App().OpenDocumentFile(path));
        t.Buffer().SetSel(5, 5);
        Script(t, {"ok", "yes", "ok"}, {"list=0", "edit=", "text-align=中央"});
        QVERIFY(t.Run(cmd::StyleList));
        QCOMPARE(t.Text(), u"/* c */\r\nA{x:y; text-align:center}\r\n@media print{B{}}\r\n"_qs);
        QCOMPARE(t.Selection(), QString());
        int s = -1, e = -1;
        t.Buffer().GetSel(s, e);
        QCOMPARE(s, 0);
    }

    void externalStyleSheetOpen()
    {
        TestEditor t;
        t.SetText(u"x"_qs);
        Script(t, {}, {"HREF=a.css", "開く="});
        QVERIFY(t.Run(cmd::ExternalStyleSheet));
        QCOMPARE(t.Ui().Texts(u"message"_qs), QStringList{u"ファイルを保存してください"_qs});

        TestEditor saved;
        const QString css = saved.MakeFile(u"a.css"_qs, "B{}\r\n");
        const QString html = saved.MakeFile(u"p.htm"_qs, "x");
        QVERIFY(saved.App().OpenDocumentFile(html));
        Script(saved, {"no"}, {"HREF=a.css", "開く="});  // No: do not save p.htm
        QVERIFY(saved.Run(cmd::ExternalStyleSheet));
        QCOMPARE(saved.Doc().GetPathName(), css);
    }

    // A field's text is relative to the document; a picture outside the
    // site is taken after a message (published, the link leads nowhere).
    void imageChooserRelative_data()
    {
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<QString>("document");
        QTest::addColumn<QString>("root");
        QTest::addColumn<QString>("field");
        QTest::addColumn<bool>("warned");
        QTest::newRow("beside the document") << "/d/img/a.gif" << "/d/img/p.htm" << "" << "a.gif" << false;
        QTest::newRow("below the document") << "/d/img/a.gif" << "/d/p.htm" << "" << "img/a.gif" << false;
        QTest::newRow("above the document") << "/d/a.gif" << "/d/s/p.htm" << "" << "../a.gif" << false;
        QTest::newRow("no document path") << "/d/img/a.gif" << "" << "" << "a.gif" << false;
        QTest::newRow("inside the site") << "/d/s/img/a.gif" << "/d/s/p.htm" << "/d/s" << "img/a.gif" << false;
        QTest::newRow("above the site") << "/d/a.gif" << "/d/s/p.htm" << "/d/s" << "../a.gif" << true;
        QTest::newRow("a folder named like the site")
            << "/d/sx/a.gif" << "/d/s/p.htm" << "/d/s" << "../sx/a.gif" << true;
    }
    void imageChooserRelative()
    {
        QFETCH(QString, chosen);
        QFETCH(QString, document);
        QFETCH(QString, root);
        QFETCH(QString, field);
        QFETCH(bool, warned);
        TestEditor t;
        t.Ui().QueueInput(chosen);
        QCOMPARE(ChooseStyleImage(t.Ui(), QString(), document, root).value_or(QString()), field);
        QCOMPARE(t.Ui().LastFileDialog().title, u"画像ﾌｧｲﾙ名の入力"_qs);
        QCOMPARE(t.Ui().Texts(u"message"_qs),
                 warned ? QStringList{PickedFileOutsideSiteText()} : QStringList());
    }

    // The pickers of the style dialogs know the page's site: a file above
    // it is taken after the message, one inside without a word.
    void pickersWarnOutsideTheSite_data()
    {
        QTest::addColumn<int>("command");
        QTest::addColumn<QString>("press");  // the field whose button picks
        QTest::addColumn<QString>("picked");
        QTest::addColumn<bool>("warned");
        QTest::newRow("background image above the site") << cmd::InlineStyleOnly << "background-image=..." << "a.gif" << true;
        QTest::newRow("background image in the site") << cmd::InlineStyleOnly << "background-image=..." << "s/a.gif" << false;
        QTest::newRow("style sheet above the site") << cmd::ExternalStyleSheet << "browse=" << "a.css" << true;
    }
    void pickersWarnOutsideTheSite()
    {
        QFETCH(int, command);
        QFETCH(QString, press);
        QFETCH(QString, picked);
        QFETCH(bool, warned);
        TestEditor t;
        QVERIFY(QDir(t.Path(QString())).mkpath(u"s"_qs));
        t.Settings().WriteString(u"System"_qs, u"RootDir"_qs, t.Path(u"s"_qs));
        QVERIFY(t.App().OpenDocumentFile(t.MakeFile(u"s/p.htm"_qs, "<P >")));
        t.Buffer().SetSel(3, 3);
        Script(t, {"cancel"}, {press});
        t.Ui().QueueInput(t.MakeFile(picked, "x"));
        t.Run(command);
        QCOMPARE(t.Ui().Texts(u"message"_qs),
                 warned ? QStringList{PickedFileOutsideSiteText()} : QStringList());
    }

    void ruleAtCaretHook_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("caret");
        QTest::addColumn<QStringList>("fields");
        QTest::addColumn<bool>("taken");
        QTest::addColumn<QString>("expected");
        const QString sheet = u"<STYLE>\r\nH1 { color: red }\r\nP{a:b}\r\n</STYLE>"_qs;
        QTest::newRow("rule rewritten")
            << sheet << 12 << QStringList{"text-align=右寄せ"} << true
            << "<STYLE>\r\nH1 { color: red; text-align: right }\r\nP{a:b}\r\n</STYLE>";
        QTest::newRow("outside the STYLE element")
            << sheet + "<P>" << int(sheet.size()) + 1 << QStringList{"text-align=右寄せ"} << false
            << sheet + "<P>";
        const QString slashes =
            u"<style>\r\nA { background: url(img/a.png) } /* b/c */\r\n@media (max-width: 600px) {\r\n"
            " .x::before { content: \"}/\" ; color: red }\r\n}\r\n</style>"_qs;
        QTest::newRow("the caret just before </STYLE> is in the sheet")
            << u"<STYLE>H1 { color: red </STYLE>"_qs << 23 << QStringList{"text-align=右寄せ"}
            << true << "<STYLE>H1 { color: red; text-align: right }</STYLE>";
        QTest::newRow("a <style> in a comment holds no sheet")
            << u"<!-- <style> -->P { color: red }"_qs << 20 << QStringList{} << false
            << "<!-- <style> -->P { color: red }";
        QTest::newRow("OK without a change after slashes leaves the text")
            << slashes << int(slashes.indexOf(u"color")) << QStringList{} << true << slashes;
        QTest::newRow("rule inside @media rewritten alone")
            << slashes << int(slashes.indexOf(u"color")) << QStringList{"text-align=右寄せ"} << true
            << QString(slashes).replace(
                   u".x::before { content: \"}/\" ; color: red }"_qs,
                   u".x::before { content: \"}/\" ; color: red; text-align: right }"_qs);
    }
    void ruleAtCaretHook()
    {
        QFETCH(QString, text);
        QFETCH(int, caret);
        QFETCH(QStringList, fields);
        QFETCH(bool, taken);
        QFETCH(QString, expected);
        TestEditor t;
        t.SetText(text, caret, caret);
        Script(t, {"ok", "yes"}, fields);
        QVERIFY(t.App().StyleHooks().editRuleAtCaret);
        QCOMPARE(t.App().StyleHooks().editRuleAtCaret(), taken);
        QCOMPARE(t.Text(), expected);
    }

    void inlineStyleHook()
    {
        TestEditor t;
        Script(t, {"ok", "yes"}, {"list-style-position=内側"});
        QString text = u"color: red"_qs;
        QVERIFY(t.App().StyleHooks().editInlineStyle(text, QString()));
        QCOMPARE(text, u"color: red; list-style: inside"_qs);
        Script(t, {"cancel"}, {});
        QVERIFY(!t.App().StyleHooks().editInlineStyle(text, QString()));
        QCOMPARE(text, u"color: red; list-style: inside"_qs);
    }

    void externalSheetChooser_data()
    {
        QTest::addColumn<bool>("saved");  // the document is p.htm in the test folder
        QTest::addColumn<QString>("href");
        QTest::addColumn<int>("openDirCurrent");
        QTest::addColumn<QString>("folder");  // relative to the test folder
        QTest::addColumn<QString>("written");
        QTest::newRow("folder of the linked file")
            << true << "css/old.css" << 1 << "css" << "css/new.css";
        QTest::newRow("an address leaves the document folder")
            << true << "http://h/a.css" << 1 << "" << "css/new.css";
        QTest::newRow("a rooted link leaves the settings folder")
            << true << "/a.css" << 0 << "open" << "css/new.css";
        QTest::newRow("no document path: bare file name")
            << false << "a.css" << 1 << "open" << "new.css";
    }
    void externalSheetChooser()
    {
        QFETCH(bool, saved);
        QFETCH(QString, href);
        QFETCH(int, openDirCurrent);
        QFETCH(QString, folder);
        QFETCH(QString, written);
        TestEditor t;
        if (saved)
            QVERIFY(t.App().OpenDocumentFile(t.MakeFile(u"p.htm"_qs, "")));
        t.App().WriteProfileInt(u"System"_qs, u"OpenDirCurrent"_qs, openDirCurrent);
        t.App().WriteProfileString(u"System"_qs, u"OpenDir"_qs, t.Path(u"open"_qs));
        Script(t, {"ok"}, {"HREF=" + href, "参照="});
        t.Ui().QueueInput(t.Path(u"css/new.css"_qs));
        QVERIFY(t.Run(cmd::ExternalStyleSheet));
        QCOMPARE(QDir::cleanPath(t.Ui().LastFileDialog().initialFolder),
                 QDir::cleanPath(t.Path(folder)));
        QVERIFY(t.Text().contains("HREF=\"" + written + u'"'));
    }

    // What the dialogs offer: the selector dialog the tag names of the tag
    // tables and the pseudo-classes of the element typed, the DIV dialog
    // the classes of the page's sheet that fit a DIV.
    void selectorChoices_data()
    {
        QTest::addColumn<int>("command");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("lower");
        QTest::addColumn<QString>("element");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QStringList>("choices");  // empty: only their count is checked
        QTest::addColumn<int>("count");
        QTest::newRow("tag names as the table writes them")
            << cmd::StyleRuleNew << "" << false << "" << "element" << QStringList{"ARTICLE", "BR"} << 2;
        QTest::newRow("tag names in lower case with lower-case tags")
            << cmd::StyleRuleNew << "" << true << "" << "element" << QStringList{"article", "br"} << 2;
        QTest::newRow("pseudo-elements of P")
            << cmd::StyleRuleNew << "" << false << "P" << "pseudo" << QStringList{"最初の一文字", "最初の一行"} << 2;
        QTest::newRow("pseudo-classes of a")
            << cmd::StyleRuleNew << "" << false << "a" << "pseudo" << QStringList{} << 6;
        QTest::newRow("DIV classes of the sheet")
            << cmd::BlockStyle << "<STYLE>\r\nDIV.box {\r\n}\r\n.all {\r\n}\r\nP.para {\r\n}\r\n</STYLE>\r\n"
            << false << "" << "CLASS" << QStringList{"box", "all"} << 2;
    }
    void selectorChoices()
    {
        QFETCH(int, command);
        QFETCH(QString, text);
        QFETCH(bool, lower);
        QFETCH(QString, element);
        QFETCH(QString, field);
        QFETCH(QStringList, choices);
        QFETCH(int, count);
        TestEditor t;
        t.SetText(text);
        t.App().TagTables().AddTagLine(u"ARTICLE ID"_qs);
        t.App().TagTables().AddTagLine(u"/BR CLEAR"_qs);
        t.App().SetTagLower(lower);
        Script(t, {"cancel"}, element.isEmpty() ? QStringList{} : QStringList{"element=" + element});
        QVERIFY(t.Run(command));
        QVERIFY(t.Ui().LastForm());
        const QStringList offered = t.Ui().LastForm()->Find(field)->choices;
        QCOMPARE(offered.size(), count);
        if (!choices.isEmpty())
            QCOMPARE(offered, choices);
    }
};
KELVO_TEST(TestStyleCommands, "StyleCommands");
#include "tst_StyleCommands.moc"
