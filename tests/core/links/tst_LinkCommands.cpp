#include "TestFiles.h"
#include "TestRegistry.h"

#include "core/links/LinkCommandIds.h"
#include "core/links/PageLinks.h"

#include <QDir>
#include <QTest>

namespace {

// A saved page index.htm in a folder with a few files around it.
void MakeSite(TestEditor& t)
{
    QDir dir(t.Path(QString()));
    dir.mkpath(u"pages"_qs);
    dir.mkpath(u"img"_qs);
    dir.mkpath(u"sub"_qs);
    t.MakeFile(u"index.htm"_qs, "<P>x</P>");
    t.MakeFile(u"b.htm"_qs, "<P>b</P>");
    t.MakeFile(u"pages/c.htm"_qs, "<P>c</P>");
    t.MakeFile(u"my page.htm"_qs, "<P>m</P>");
    t.MakeFile(u"img/a.gif"_qs, QByteArray(1000, 'g'));
    t.MakeFile(u"doc.pdf"_qs, "%PDF");
    t.Doc().SetPathName(t.Path(u"index.htm"_qs), false);
}

QString Records(const ScriptedUi& ui)
{
    QStringList out;
    for (const ScriptedUi::Record& r : ui.Records())
        if (r.kind == u"message" || r.kind == u"question" || r.kind == u"open")
            out << r.kind + u':' + r.text;
    return out.join(u'|');
}

} // namespace

class TestLinkCommands : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void pageLinks_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("links");

        QTest::newRow("written exactly") << "<A HREF=\"a.htm\">a</A>" << "a.htm";
        QTest::newRow("two blanks, apostrophes, lower case")
            << "<a  href='a.htm'>a</a>" << "a.htm";
        QTest::newRow("unquoted") << "<A HREF=a.htm>" << "a.htm";
        QTest::newRow("line break and tab between attributes")
            << "<A\r\nTARGET=\"_top\"\tHREF=\"a.htm\">" << "a.htm";
        QTest::newRow("every element that links")
            << "<LINK HREF=s.css><BODY BACKGROUND=bg.gif><TABLE BACKGROUND=t.gif>"
               "<TR><TH BACKGROUND=th.gif><TD BACKGROUND=td.gif><IMG SRC=i.gif>"
               "<SCRIPT SRC=s.js></SCRIPT><FRAME SRC=f.htm><IFRAME SRC=if.htm></IFRAME>"
               "<EMBED SRC=e.swf><INPUT TYPE=image SRC=in.gif><AREA HREF=ar.htm>"
               "<AUDIO SRC=a.ogg></AUDIO><VIDEO SRC=v.webm POSTER=p.jpg><SOURCE SRC=so.webm>"
               "<TRACK SRC=t.vtt></VIDEO>"
            << "s.css|bg.gif|t.gif|th.gif|td.gif|i.gif|s.js|f.htm|if.htm|e.swf|in.gif|ar.htm|a.ogg|"
               "v.webm|p.jpg|so.webm|t.vtt";
        QTest::newRow("a link wrapped over lines is one link")
            << "<A HREF=\"long/\r\n\tpage.htm\">" << "long/page.htm";
        QTest::newRow("other elements and attributes do not link")
            << "<DIV HREF=d.htm><A NAME=top><IMG ALT=x.gif><P BACKGROUND=p.gif>" << "";
        QTest::newRow("every candidate of SRCSET")
            << "<IMG SRCSET=\"big.gif 2x,huge.gif   3x , a,b.gif 100w\" SRC=\"a.gif\">"
               "<SOURCE SRCSET='w.webp, x.webp 2x'>"
            << "a.gif|big.gif|huge.gif|a,b.gif|w.webp|x.webp";
        QTest::newRow("references decoded, quotes holding >")
            << "<A TITLE=\"a > b\" HREF=\"Q&amp;A.html\"><A HREF='x&#46;htm'>" << "Q&A.html|x.htm";
        QTest::newRow("a link attribute on the line after another")
            << "<IMG ALT=\"x\"\r\n     SRC=\"a.gif\"\r\n     WIDTH=10>" << "a.gif";
        QTest::newRow("script, style, textarea and server code hold no links")
            << "<SCRIPT>d.write('<A HREF=s.htm>')</SCRIPT><STYLE>/* <A HREF=c.htm> */</STYLE>"
               "<TEXTAREA><A HREF=t.htm></TEXTAREA><?php echo '<A HREF=p.htm>' ?><A HREF=real.htm>"
            << "real.htm";
        QTest::newRow("each link once, in order") << "<A HREF=b><A HREF=a><IMG SRC=b>" << "b|a";
        QTest::newRow("commented out") << "<!-- <A HREF=old.htm> --><A HREF=new.htm>" << "new.htm";
        QTest::newRow("unclosed comment ends the page") << "<A HREF=a><!-- <A HREF=b>" << "a";
        QTest::newRow("tag without >") << "<A HREF=a.htm" << "";
        QTest::newRow("ABBR is not A") << "<ABBR HREF=x>" << "";
    }
    void pageLinks()
    {
        QFETCH(QString, text);
        QFETCH(QString, links);
        QCOMPARE(PageLinks(text).join(u'|'), links);
    }

    void linkCheck_data()
    {
        QTest::addColumn<bool>("saved");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("messages");
        QTest::addColumn<QString>("missing");  // the list of the error form

        const QString ok = u"message:内部リンクは全てＯＫです"_qs;
        QTest::newRow("all there")
            << true << "<A HREF=\"b.htm\"><IMG SRC=\"img/a.gif\"><A HREF=\"sub/\">" << ok << "";
        QTest::newRow("fragment and query are no part of the file")
            << true << "<A HREF=\"pages/c.htm#top\"><A HREF=\"b.htm?x=1\"><A HREF=\"#here\">" << ok << "";
        QTest::newRow("escaped blank") << true << "<A HREF=\"my%20page.htm\">" << ok << "";
        QTest::newRow("scheme links are skipped")
            << true << "<A HREF=\"http://example.com/x\"><A HREF=mailto:a@b><A HREF=\"javascript:x()\">"
               "<IMG SRC=\"data:image/gif;base64,R0\">"
            << ok << "";
        QTest::newRow("missing page and image, each once")
            << true << "<A HREF=\"none.htm\"><IMG SRC='img/none.gif'><A  HREF=none.htm><A HREF=\"b.htm\">"
            << "" << "none.htm|img/none.gif";
        QTest::newRow("network path, base, backslashes")
            << true << "<BASE HREF=\"pages/\"><A HREF=\"//example.com/none.htm\"><A HREF=\"c.htm\">"
               "<A HREF=\"..\\b.htm\">"
            << ok << "";
        QTest::newRow("root-relative without a site folder is not checked")
            << true << "<A HREF=\"/none.htm\">" << ok << "";
        QTest::newRow("letter case of a file name counts") << true << "<A HREF=\"B.HTM\">" << ""
                                                           << "B.HTM";
        QTest::newRow("above the root is missing")
            << true << "<A HREF=\"../../../../../../../../../../../../../../etc/passwd\">" << ""
            << "../../../../../../../../../../../../../../etc/passwd";
        QTest::newRow("unsaved page") << false << "<A HREF=\"none.htm\">"
            << "message:ファイルを保存後しかリンクチェックは出来ません" << "";
    }
    void linkCheck()
    {
        QFETCH(bool, saved);
        QFETCH(QString, text);
        QFETCH(QString, messages);
        QFETCH(QString, missing);
        TestEditor t;
        MakeSite(t);
        if (!saved)
            t.Doc().SetPathName(QString(), false);
        t.SetText(text);
        QVERIFY(t.Run(cmd::LinkCheck));
        QCOMPARE(Records(t.Ui()), messages);
        const FormModel* form = t.Ui().LastForm();
        QCOMPARE(form ? form->Find(u"missing"_qs)->choices.join(u'|') : QString(), missing);
    }

    // The local folder of the page's FTP site set is where root-relative
    // links start.
    void linkCheckFromTheSiteFolder()
    {
        TestEditor t;
        MakeSite(t);
        t.App().WriteProfileString(u"System"_qs, u"RootDir"_qs, t.Path(QString()));
        // On the server, ".." stops at the root: the site's own folder name
        // is no folder there.
        const QString above = u"../"_qs + QDir(t.Path(QString())).dirName() + u"/b.htm"_qs;
        t.SetText(u"<A HREF=\"/b.htm\"><A HREF=\"/pages/none.htm\"><IMG SRC=/img/a.gif>"
                  "<A HREF=\"../b.htm\"><A HREF=\""_qs + above + u"\">"_qs);
        QVERIFY(t.Run(cmd::LinkCheck));
        QVERIFY(t.Ui().LastForm());
        QCOMPARE(t.Ui().LastForm()->Find(u"missing"_qs)->choices,
                 (QStringList{u"/pages/none.htm"_qs, above}));
    }

    void openLinks_data()
    {
        QTest::addColumn<bool>("saved");
        QTest::addColumn<int>("command");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("selStart");
        QTest::addColumn<int>("selEnd");
        QTest::addColumn<QString>("choice");   // link browser entry
        QTest::addColumn<QString>("opened");   // document now open, relative to the site
        QTest::addColumn<QString>("records");  // "open:" paths relative to the site

        const int browser = cmd::LinkBrowser;
        const int target = cmd::OpenLinkTarget;
        const QString links = u"<A HREF=\"pages/c.htm#top\"><A HREF=\"b.htm\">"_qs;
        QTest::newRow("browser opens the chosen page") << true << browser << links << 0 << 0
                                                       << "pages/c.htm#top" << "pages/c.htm" << "";
        QTest::newRow("browser, unsaved page") << false << browser << links << 0 << 0 << "b.htm"
                                               << "" << "message:ファイルを保存してください";
        QTest::newRow("browser, web address goes to the desktop")
            << false << browser << "<A HREF=\"http://example.com/\">" << 0 << 0
            << "http://example.com/" << "" << "open:http://example.com/";
        QTest::newRow("browser, other files go to the desktop")
            << true << browser << "<A HREF=\"doc.pdf\">" << 0 << 0 << "doc.pdf" << ""
            << "open:doc.pdf";
        QTest::newRow("browser, a missing page is reported by the opening")
            << true << browser << "<A HREF=\"none.htm\">" << 0 << 0 << "none.htm" << ""
            << "message:ファイルが見つかりません";
        QTest::newRow("selected link text") << true << target << "see b.htm now" << 4 << 9 << ""
                                            << "b.htm" << "";
        QTest::newRow("selection with its quotes") << true << target << "HREF=\"b.htm\"" << 5
                                                   << 12 << "" << "b.htm" << "";
        QTest::newRow("caret in a link tag") << true << target << "<A HREF=\"b.htm\">x</A>" << 3
                                             << 3 << "" << "b.htm" << "";
        QTest::newRow("caret in an image tag") << true << target << "<IMG\r\nSRC=doc.pdf>" << 2
                                               << 2 << "" << "" << "open:doc.pdf";
        QTest::newRow("caret in a link under the page's BASE")
            << true << target << "<BASE HREF=\"pages/\"><A HREF=\"c.htm\">x</A>" << 23 << 23 << ""
            << "pages/c.htm" << "";
        QTest::newRow("caret outside any tag") << true << target << "<A HREF=b.htm>xyz</A>" << 16
                                               << 16 << "" << "" << "";
        QTest::newRow("selection, unsaved page") << false << target << "b.htm" << 0 << 5 << ""
                                                 << "" << "message:ファイルを保存してください";
        QTest::newRow("selection above the root") << true << target
                                                  << "../../../../../../../../../../../../../a.htm"
                                                  << 0 << 44 << "" << ""
                                                  << "message:相対パスが誤っています";
    }
    void openLinks()
    {
        QFETCH(bool, saved);
        QFETCH(int, command);
        QFETCH(QString, text);
        QFETCH(int, selStart);
        QFETCH(int, selEnd);
        QFETCH(QString, choice);
        QFETCH(QString, opened);
        QFETCH(QString, records);

        TestEditor t;
        MakeSite(t);
        if (!saved)
            t.Doc().SetPathName(QString(), false);
        t.SetText(text, selStart, selEnd);
        if (!choice.isEmpty())
            t.Ui().QueueField(u"links"_qs, choice);
        QVERIFY(t.Run(command));
        const QString site = t.Path(QString()) + u'/';
        const QString path = t.Doc().GetPathName();
        QCOMPARE(path == t.Path(u"index.htm"_qs) || path.isEmpty() ? QString()
                                                                               : path.mid(site.size()),
                 opened);
        QCOMPARE(Records(t.Ui()).replace(site, QString()), records);
    }

    void linkBrowserList()
    {
        TestEditor t;
        t.SetText(QStringLiteral("<A HREF=\"b.htm\"><a href=\"C.htm\"><A HREF=\"a.htm\"><A HREF=\"b.htm\">"
                                 "<A NAME=x>"));
        t.Ui().QueueAnswer(Ui::Answer::Cancel);
        QVERIFY(t.Run(cmd::LinkBrowser));
        const FormField* list = t.Ui().LastForm()->Find(u"links"_qs);
        QCOMPARE(list->choices.join(u'|'), u"a.htm|b.htm|C.htm"_qs);
        QCOMPARE(list->index, 0);
    }

    void linkList_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("inserted");  // at the caret, position 0
        QTest::addColumn<QString>("message");

        QTest::newRow("two anchors give two lines")
            << "<A NAME=\"one\">First</A> <a name=\"two\">Second</a>"
            << "<A HREF=\"#one\">First</A><BR>\r\n<A HREF=\"#two\">Second</A><BR>\r\n" << "";
        QTest::newRow("an anchor without its end tag ends the list")
            << "<A NAME=\"one\">First</A><A NAME=\"two\">Second"
            << "<A HREF=\"#one\">First</A><BR>\r\n" << "";
        QTest::newRow("only the name goes into the link")
            << "<A ID=\"one\" NAME='one' CLASS=x>First</A>" << "<A HREF=\"#one\">First</A><BR>\r\n"
            << "";
        QTest::newRow("no anchors") << "<A HREF=\"x\">y</A>" << "" << "<A NAME= >が一つもありません";
        QTest::newRow("only an unfinished anchor") << "<A NAME=\"one\">First" << ""
                                                   << "<A NAME= >が一つもありません";
    }
    void linkList()
    {
        QFETCH(QString, text);
        QFETCH(QString, inserted);
        QFETCH(QString, message);
        TestEditor t;
        // A selection the user made stays when there is nothing to insert.
        t.SetText(u"SEL"_qs + text, 0, 3);
        QVERIFY(t.Run(cmd::LinkList));
        QCOMPARE(t.Text(), (inserted.isEmpty() ? u"SEL"_qs : inserted) + text);
        QCOMPARE(t.Ui().Texts(u"message"_qs).join(u'|'), message);
    }

    void sizeInfo()
    {
        TestEditor t;
        MakeSite(t);
        t.Doc().SetCodeKind(CodeKind::ShiftJis);
        // Two characters of two bytes each in Shift-JIS, and CR LF.
        const QString text = QStringLiteral(
            "<IMG SRC=\"img/a.gif\"><IMG SRC='img/a.gif'><IMG SRC=\"img/none.gif\">"
            "<IMG SRC=\"http://example.com/x.gif\"><IMG SRC=\"HTTPS://example.com/y.gif\">"
            "<IMG SRC=\"./img/a.gif\"><IMG SRC=\"//example.com/z.gif\">\r\n日本");
        t.SetText(text);
        QVERIFY(t.Run(cmd::SizeInfo));
        const FormModel* form = t.Ui().LastForm();
        QVERIFY(form);
        auto value = [form](const char* name) { return form->Find(QString::fromLatin1(name))->text; };
        const int body = int(text.size()) + 2;
        QCOMPARE(value("bodySize"), QString::number(body));
        QCOMPARE(value("internalCount"), u"2"_qs);
        QCOMPARE(value("internalSize"), u"1,000"_qs);
        QCOMPARE(value("externalCount"), u"3"_qs);
        QCOMPARE(value("totalCount"), u"5"_qs);
        QCOMPARE(value("totalSize"), QLocale(QLocale::Japanese).toString(body + 1000));

    }

    void insertFile_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("inserted");

        QTest::newRow("Shift-JIS with CR LF") << Iconv("UTF-8", "CP932", "日本\r\n語")
                                               << "日本\r\n語";
        QTest::newRow("UTF-8 with LF") << QByteArray("日本\nabc") << "日本\r\nabc";
        QTest::newRow("text ends at zero bytes that end the file") << QByteArray("ab\0\0", 4)
                                                                   << "ab";
        QTest::newRow("^Z that ends an old file") << QByteArray("ab\x1a\0", 4) << "ab";
        QTest::newRow("JIS with its escapes and shifts")
            << QByteArray("\x1b$B$\"\x1b(B \x0e\x31\x0f\t\f ") << "あ ｱ\t\f ";
        QTest::newRow("empty file") << QByteArray() << "";
        // A picture, or text with a zero byte or a control character inside,
        // is no text to insert ("!").
        QTest::newRow("png") << QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR\0\0\0\x20", 20) << "!";
        QTest::newRow("gif, ASCII up to its first zero") << QByteArray("GIF89a \0 \0\xf7\0\0", 11)
                                                         << "!";
        QTest::newRow("text after a zero byte") << QByteArray("ab\0cd", 5) << "!";
        QTest::newRow("^Z inside") << QByteArray("ab\x1a\ncd") << "!";
        QTest::newRow("the last control character") << QByteArray("a\x1f") << "!";
    }
    void insertFile()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, inserted);
        TestEditor t;
        t.SetText(u"[old]"_qs, 1, 4);
        t.Ui().QueueInput(t.MakeFile(u"part.htm"_qs, bytes));
        QVERIFY(t.Run(cmd::InsertFile));
        if (inserted == u"!") {
            QCOMPARE(t.Ui().Texts(u"message"_qs), QStringList{u"テキストファイルではないため、挿入しません"_qs});
            QCOMPARE(t.Text(), u"[old]"_qs);
            return;
        }
        QCOMPARE(t.Text(), u'[' + inserted + u']');
        QVERIFY(t.Doc().IsModified() || inserted.isEmpty());
        t.Buffer().Undo();
        QCOMPARE(t.Text(), u"[old]"_qs);
    }

    void insertFileFailures()
    {
        TestEditor t;
        t.SetText(u"keep"_qs, 0, 4);
        t.Ui().QueueInput(t.Path(u"none.htm"_qs));
        QVERIFY(t.Run(cmd::InsertFile));  // chooser answered with a file gone since
        QVERIFY(t.Run(cmd::InsertFile));  // chooser cancelled
        // Bytes no code reads are never copied raw into the page.
        t.Ui().QueueInput(t.MakeFile(u"broken.htm"_qs, QByteArray("\x82\xA0\xFF\xFF\x80\x80")));
        QVERIFY(t.Run(cmd::InsertFile));
        t.Ui().QueueInput(t.MakeFile(u"wide.htm"_qs, QByteArray("<\0P\0>\0", 6)));
        QVERIFY(t.Run(cmd::InsertFile));
        QCOMPARE(t.Ui().Texts(u"message"_qs).join(u'|'),
                 u"ファイルが開けません|文字として読めないバイトが 4 個あるため、挿入しません"
                 u"|UTF-16 のファイルは挿入できません"_qs);
        QCOMPARE(t.Text(), u"keep"_qs);
    }
};

KELVO_TEST(TestLinkCommands, "LinkCommands");
#include "tst_LinkCommands.moc"
