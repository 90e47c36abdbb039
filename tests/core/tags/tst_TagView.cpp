#include "TestFiles.h"
#include "TestRegistry.h"

#include "core/tags/CTagDlg.h"
#include "core/tags/TagView.h"

#include <QTest>

namespace {

QString Sel(TestEditor& t)
{
    int s = 0, e = 0;
    t.Buffer().GetSel(s, e);
    return QStringLiteral("%1-%2").arg(s).arg(e);
}

// A dialog with a field per attribute named in its list, plus "name" for
// the tag name, enough to drive RunTagDialog the way the attribute dialogs
// will.
class TestDlg : public CTagDlg {
public:
    explicit TestDlg(QStringList attrs) : CTagDlg(QStringLiteral("テスト")), m_attrs(attrs) {}

protected:
    void BuildForm(FormModel& form) override
    {
        form.AddText(QStringLiteral("名前(&N):"), QString(), QStringLiteral("name"));
        for (const QString& a : m_attrs)
            form.AddText(a + QStringLiteral(":"), QString(), a);
        form.Add(FieldKind::Class, QStringLiteral("クラス(&C):"), QStringLiteral("CLASS"));
    }
    void LoadFields(FormModel& form) override
    {
        form[QStringLiteral("name")].text = Tag().Name();
        for (const QString& a : m_attrs)
            form[a].text = Tag().GetAttr(a);
        form[QStringLiteral("CLASS")].choices = ClassList();
        form[QStringLiteral("CLASS")].text = Tag().GetAttr(QStringLiteral("CLASS"));
    }
    void StoreFields(const FormModel& form) override
    {
        Tag().SetName(form.Find(QStringLiteral("name"))->text);
        for (const QString& a : m_attrs)
            Tag().SetAttr(a, form.Find(a)->text);
        Tag().SetAttr(QStringLiteral("CLASS"), form.Find(QStringLiteral("CLASS"))->text);
    }

private:
    QStringList m_attrs;
};

} // namespace

class TestTagView : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void selectTagAtCaret_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("caret");
        QTest::addColumn<QString>("selected");  // empty: no tag found

        const QString t = QStringLiteral("ab<B X=1>cd</B>ef");
        QTest::newRow("inside the start tag") << t << 5 << "<B X=1>";
        QTest::newRow("just before <") << t << 2 << "<B X=1>";
        QTest::newRow("just before >") << t << 8 << "<B X=1>";
        QTest::newRow("just after >") << t << 9 << "";
        QTest::newRow("plain text between tags") << t << 10 << "";
        QTest::newRow("inside the end tag") << t << 12 << "</B>";
        QTest::newRow("text before any tag") << t << 0 << "";
        QTest::newRow("at the end of the text") << t << int(t.size()) << "";
        QTest::newRow("after the last tag") << t << 16 << "";
        QTest::newRow("empty text") << "" << 0 << "";
        QTest::newRow("no > after <") << "a<B c" << 3 << "";
        QTest::newRow("no < before >") << "a B>c" << 2 << "";
        QTest::newRow("tag over two lines") << "<A\r\nHREF=x>" << 3 << "<A\r\nHREF=x>";
        QTest::newRow("at the very first <") << "<P>" << 0 << "<P>";
        QTest::newRow("on the last >") << "<P>" << 2 << "<P>";
        QTest::newRow("between two tags") << "<A><B>" << 3 << "<B>";
        QTest::newRow("> inside a quoted value")
            << "<A TITLE=\"a > b\" HREF=x>" << 16 << "<A TITLE=\"a > b\" HREF=x>";
        QTest::newRow("tag written in a comment") << "<!-- <B> -->" << 6 << "";
        QTest::newRow("tag written in a script") << "<SCRIPT>s='<B>'</SCRIPT>" << 12 << "";
        QTest::newRow("the script's end tag") << "<SCRIPT>s='<B>'</SCRIPT>" << 17 << "</SCRIPT>";
        QTest::newRow("server code") << "<?php if ($a) ?>" << 3 << "";
        QTest::newRow("< that starts no tag") << "a < b >" << 4 << "";
    }
    void selectTagAtCaret()
    {
        QFETCH(QString, text);
        QFETCH(int, caret);
        QFETCH(QString, selected);
        TestEditor t;
        t.SetText(text, caret, caret);
        const bool found = TagView(t.View()).SelectTagAtCaret();
        QCOMPARE(found, !selected.isEmpty());
        if (found)
            QCOMPARE(t.Selection(), selected);
        else
            QCOMPARE(Sel(t), QStringLiteral("%1-%1").arg(std::min<int>(caret, text.size())));
    }

    void selectTagUsesSelectionStart()
    {
        TestEditor t;
        t.SetText(QStringLiteral("x<B>y<I>z"), 2, 6);
        QVERIFY(TagView(t.View()).SelectTagAtCaret());
        QCOMPARE(t.Selection(), QStringLiteral("<B>"));
    }

    void isSelectedStartTag_data()
    {
        QTest::addColumn<QString>("selection");
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("result");

        QTest::newRow("bare tag") << "<B>" << "B" << true;
        QTest::newRow("other case") << "<table border=1>" << "TABLE" << true;
        QTest::newRow("whole element") << "<B>text</B>" << "B" << false;
        QTest::newRow("longer name") << "<BR>" << "B" << false;
        QTest::newRow("tab after name") << "<B\tX>" << "B" << true;
        QTest::newRow("> inside quotes") << "<B TITLE='>'>" << "B" << true;
        QTest::newRow("end tag") << "</B>" << "B" << false;
        QTest::newRow("no >") << "<B" << "B" << false;
        QTest::newRow("text after tag") << "<B>x" << "B" << false;
        QTest::newRow("text before tag") << "x<B>" << "B" << false;
        QTest::newRow("empty selection") << "" << "B" << false;
        QTest::newRow("name too long for the text") << "<B>" << "BLOCKQUOTE" << false;
        QTest::newRow("self-closing") << "<HR />" << "HR" << true;
    }
    void isSelectedStartTag()
    {
        QFETCH(QString, selection);
        QFETCH(QString, name);
        QFETCH(bool, result);
        QCOMPARE(TagView::IsSelectedStartTag(selection, name), result);
    }

    void getSelectionText()
    {
        TestEditor t;
        t.SetText(QStringLiteral("ab\r\ncd"), 1, 5);
        QCOMPARE(TagView(t.View()).GetSelectionText(), QStringLiteral("b\r\nc"));
        t.Buffer().SetSel(3, 3);
        QCOMPARE(TagView(t.View()).GetSelectionText(), QString());
    }

    void findTextFrom_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("from");
        QTest::addColumn<QString>("find");
        QTest::addColumn<int>("result");

        QTest::newRow("later line, other case") << "<B>x\r\nyy</b>" << 3 << "</B>" << 8;
        QTest::newRow("not across a line break") << "<B>x</\r\nB>" << 3 << "</B>" << -1;
        QTest::newRow("at the position") << "ab</B>" << 2 << "</B>" << 2;
        QTest::newRow("before the position") << "</B>ab" << 1 << "</B>" << -1;
        QTest::newRow("later on the same line") << "</B>ab</B>" << 1 << "</b>" << 6;
        QTest::newRow("third line") << "a\r\nb\r\nc</B>" << 0 << "</B>" << 7;
        QTest::newRow("position past the end") << "ab" << 10 << "b" << -1;
        QTest::newRow("empty text") << "" << 0 << "</B>" << -1;
        QTest::newRow("position at a line end") << "ab\r\n</B>" << 2 << "</B>" << 4;
        QTest::newRow("sharp s keeps offsets") << "ßß\r\nxß</B>" << 0 << "</b>" << 6;
    }
    void findTextFrom()
    {
        QFETCH(QString, text);
        QFETCH(int, from);
        QFETCH(QString, find);
        QFETCH(int, result);
        TestEditor t;
        t.SetText(text);
        QCOMPARE(TagView(t.View()).FindTextFrom(from, find), result);
    }

    void findTagInText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("start");  // -1: not found
        QTest::addColumn<int>("end");

        QTest::newRow("found") << "x<STYLE type=a>y" << "STYLE" << 1 << 15;
        QTest::newRow("exact case") << "x<style>y" << "STYLE" << -1 << -1;
        QTest::newRow("end tag") << "<STYLE></STYLE>" << "/STYLE" << 7 << 15;
        QTest::newRow("no >") << "x<STYLE" << "STYLE" << -1 << -1;
        QTest::newRow("empty text") << "" << "STYLE" << -1 << -1;
    }
    void findTagInText()
    {
        QFETCH(QString, text);
        QFETCH(QString, name);
        QFETCH(int, start);
        QFETCH(int, end);
        TestEditor t;
        t.SetText(text);
        int s = -1, e = -1;
        const bool found = TagView(t.View()).FindTagInText(name, s, e);
        QCOMPARE(found, start >= 0);
        if (found) {
            QCOMPARE(s, start);
            QCOMPARE(e, end);
        }
    }

    void findNoCase()
    {
        QCOMPARE(TagView::FindNoCase(QStringLiteral("abCDe"), QStringLiteral("cd")), 2);
        QCOMPARE(TagView::FindNoCase(QStringLiteral("abc"), QStringLiteral("x")), -1);
        QCOMPARE(TagView::FindNoCase(QString(), QStringLiteral("x")), -1);
    }

    void getTagName_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("name");

        QTest::newRow("start tag") << "<IMG SRC=a>" << "IMG";
        QTest::newRow("end tag") << "</B>" << "/B";
        QTest::newRow("text around") << "x <td>y" << "td";
        QTest::newRow("tab ends the name") << "<A\tB>" << "A";
        QTest::newRow("comment before the tag") << "<!-- <X> --><B>" << "B";
        QTest::newRow("no >") << "<IMG" << "";
        QTest::newRow("no <") << "IMG>" << "";
        QTest::newRow("> before <") << "a>b<c" << "";
        QTest::newRow("empty") << "" << "";
    }
    void getTagName()
    {
        QFETCH(QString, text);
        QFETCH(QString, name);
        QCOMPARE(TagView::GetTagName(text), name);
    }

    void probeAttr_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("attr");
        QTest::addColumn<QString>("value");

        QTest::newRow("quoted") << "<IMG SRC=\"a b.gif\" ALT=x>" << "src" << "a b.gif";
        QTest::newRow("unquoted") << "<IMG SRC=a.gif ALT=x>" << "SRC" << "a.gif";
        QTest::newRow("unquoted last") << "<IMG SRC=a.gif>" << "SRC" << "a.gif";
        QTest::newRow("blanks around =") << "<IMG SRC = a.gif>" << "SRC" << "a.gif";
        QTest::newRow("no tag end") << "<IMG SRC=a.gif" << "SRC" << "";
        QTest::newRow("missing") << "<IMG SRC=a>" << "ALT" << "";
        QTest::newRow("longer name does not match") << "<IMG SRCSET=b>" << "SRC" << "";
        QTest::newRow("reference decoded") << "<A NAME='Q&amp;A'>" << "NAME" << "Q&A";
        QTest::newRow("name at the very end") << "<IMG SRC" << "SRC" << "";
        QTest::newRow("empty text") << "" << "SRC" << "";
        QTest::newRow("original case of the value") << "<a href=Index.HTM>" << "HREF"
                                                    << "Index.HTM";
    }
    void probeAttr()
    {
        QFETCH(QString, text);
        QFETCH(QString, attr);
        QFETCH(QString, value);
        QCOMPARE(TagView::ProbeAttr(text, attr), value);
    }

    void collectStyleClasses_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("tag");
        QTest::addColumn<QStringList>("classes");

        const QString doc = QStringLiteral(
            "<HEAD>\r\n<STYLE type=\"text/css\">\r\n<!--\r\n"
            "P.note { color: red }\r\n.all {\r\nTD.cell{x}\r\np.low {}\r\nH1 { }\r\n"
            "-->\r\n</STYLE>\r\n</HEAD>\r\n");
        QTest::newRow("for P") << doc << "P" << QStringList{"note", "all", "low"};
        QTest::newRow("for td") << doc << "td" << QStringList{"all", "cell"};
        QTest::newRow("no comment markers")
            << "<STYLE>\r\n.a {}\r\nB.b {}\r\n</STYLE>" << "B" << QStringList{"a", "b"};
        QTest::newRow("indented rules")
            << "<STYLE>\r\n  .a {}\r\n\tP.b {}\r\n</STYLE>" << "P" << QStringList{"a", "b"};
        QTest::newRow("no STYLE block") << "<P>x</P>" << "P" << QStringList{};
        QTest::newRow("no end tag") << "<STYLE>\r\n.a {}\r\n" << "P" << QStringList{};
        QTest::newRow("end before start") << "</STYLE><STYLE>\r\n.a {}\r\n" << "P"
                                          << QStringList{};
        QTest::newRow("STYLE tag without >") << "<STYLE\r\n.a {}\r\n</STYLE" << "P"
                                             << QStringList{};
        QTest::newRow("lower-case tags are not found") << "<style>\r\n.a {}\r\n</style>" << "P"
                                                       << QStringList{};
        QTest::newRow("rules on one line") << "<STYLE>.a {} .b {}</STYLE>" << "P"
                                           << QStringList{"a"};
    }
    void collectStyleClasses()
    {
        QFETCH(QString, text);
        QFETCH(QString, tag);
        QFETCH(QStringList, classes);
        TestEditor t;
        t.SetText(text);
        QStringList out{QStringLiteral("stale")};
        TagView(t.View()).CollectStyleClasses(tag, out);
        QCOMPARE(out, classes);
    }

    // RunTagDialog: which text replaces what, for new and existing tags.
    void runTagDialog_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("selStart");
        QTest::addColumn<int>("selEnd");
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("wrap");
        QTest::addColumn<bool>("lineBreaks");
        QTest::addColumn<QStringList>("fields");  // NAME=VALUE given in the dialog
        QTest::addColumn<QString>("result");

        QTest::newRow("new tag wraps the selection")
            << "a x b" << 2 << 3 << "TABLE" << true << true << QStringList{"BORDER=1"}
            << "a <TABLE BORDER=\"1\">\r\nx\r\n</TABLE> b";
        QTest::newRow("new tag inline") << "x" << 0 << 1 << "A" << true << false
                                        << QStringList{"ALT=t"} << "<A ALT=\"t\">x</A>";
        QTest::newRow("new tag without wrap replaces the selection")
            << "x" << 0 << 1 << "IMG" << false << false << QStringList{"ALT=t"}
            << "<IMG ALT=\"t\">";
        QTest::newRow("existing tag is edited in place")
            << "<IMG ALT=old SRC=a>x" << 0 << 19 << "IMG" << true << true
            << QStringList{"ALT=new"} << "<IMG ALT=\"new\" SRC=a>x";
        QTest::newRow("existing tag in other case")
            << "<img alt=old>" << 0 << 13 << "IMG" << true << false << QStringList{"ALT="}
            << "<img>";
        QTest::newRow("whole element selected counts as new")
            << "<B>x</B>" << 0 << 8 << "B" << true << false << QStringList{}
            << "<B><B>x</B></B>";
        QTest::newRow("renamed tag takes its end tag along")
            << "<H1>t</H1>\r\n<H1>u</H1>" << 0 << 4 << "H1" << true << false
            << QStringList{"name=H2"} << "<H2>t</H2>\r\n<H1>u</H1>";
        QTest::newRow("renamed tag finds its end tag on a later line")
            << "<H1>\r\nt\r\n</h1>" << 0 << 4 << "H1" << true << false
            << QStringList{"name=H3"} << "<H3>\r\nt\r\n</H3>";
        QTest::newRow("renamed tag without end tag")
            << "<H1>t" << 0 << 4 << "H1" << true << false << QStringList{"name=H2"} << "<H2>t";
    }
    void runTagDialog()
    {
        QFETCH(QString, text);
        QFETCH(int, selStart);
        QFETCH(int, selEnd);
        QFETCH(QString, name);
        QFETCH(bool, wrap);
        QFETCH(bool, lineBreaks);
        QFETCH(QStringList, fields);
        QFETCH(QString, result);
        TestEditor t;
        t.SetText(text, selStart, selEnd);
        for (const QString& f : fields)
            t.Ui().QueueField(f.section(u'=', 0, 0), f.section(u'=', 1));
        TestDlg dlg({QStringLiteral("BORDER"), QStringLiteral("ALT")});
        QVERIFY(TagView(t.View()).RunTagDialog(dlg, name, wrap, lineBreaks, false));
        QCOMPARE(t.Text(), result);
        QVERIFY(t.Ui().PendingFields().empty());
        QCOMPARE(t.Ui().Texts(QStringLiteral("form")), QStringList{QStringLiteral("テスト")});
    }

    void runTagDialogShowsTheSelectedTag()
    {
        TestEditor t;
        t.SetText(QStringLiteral("<IMG ALT=old>"), 0, 13);
        t.Ui().QueueAnswer(Ui::Answer::Cancel);
        TestDlg dlg({QStringLiteral("ALT")});
        QVERIFY(!TagView(t.View()).RunTagDialog(dlg, QStringLiteral("IMG"), false, false, false));
        QCOMPARE(t.Ui().LastForm()->Find(QStringLiteral("ALT"))->text, QStringLiteral("old"));
    }

    void runTagDialogRenameKeepsSelection()
    {
        TestEditor t;
        t.SetText(QStringLiteral("<H1>t</H1>"), 0, 4);
        t.Ui().QueueField(QStringLiteral("name"), QStringLiteral("H22"));
        TestDlg dlg({});
        QVERIFY(TagView(t.View()).RunTagDialog(dlg, QStringLiteral("H1"), true, false, false));
        QCOMPARE(t.Text(), QStringLiteral("<H22>t</H22>"));
        // The caret stays after the new start tag, not after the end tag.
        QCOMPARE(Sel(t), QStringLiteral("5-5"));
        QCOMPARE(t.View().LastStartTag(), QStringLiteral("<H22>"));
    }

    void runTagDialogCancelChangesNothing()
    {
        TestEditor t;
        t.SetText(QStringLiteral("abc"), 1, 2);
        t.Ui().QueueField(QStringLiteral("ALT"), QStringLiteral("x"));
        t.Ui().QueueAnswer(Ui::Answer::Cancel);
        TestDlg dlg({QStringLiteral("ALT")});
        QVERIFY(!TagView(t.View()).RunTagDialog(dlg, QStringLiteral("B"), true, false, false));
        QCOMPARE(t.Text(), QStringLiteral("abc"));
        QCOMPARE(Sel(t), QStringLiteral("1-2"));
        QVERIFY(!t.Buffer().IsModified());
        QCOMPARE(t.View().LastStartTag(), QString());
    }

    void runTagDialogCollectsClasses()
    {
        TestEditor t;
        const QString text =
            QStringLiteral("<STYLE>\r\nP.a {}\r\nTD.b {}\r\n.c {}\r\n</STYLE>\r\nx");
        t.SetText(text, int(text.size()) - 1, int(text.size()));
        t.Ui().QueueField(QStringLiteral("CLASS"), QStringLiteral("a"));
        TestDlg dlg({});
        QVERIFY(TagView(t.View()).RunTagDialog(dlg, QStringLiteral("P"), true, false, true));
        QCOMPARE(t.Ui().LastForm()->Find(QStringLiteral("CLASS"))->choices,
                 (QStringList{QStringLiteral("a"), QStringLiteral("c")}));
        QVERIFY(t.Text().endsWith(QStringLiteral("<P CLASS=\"a\">x</P>")));
    }

    void runTagDialogLowerCase()
    {
        TestEditor t;
        t.Settings().WriteInt(QStringLiteral("System"), QStringLiteral("TagLower"), 1);
        t.SetText(QStringLiteral("<H1 ALIGN=\"Left\">t</H1>"), 0, 17);
        t.Ui().QueueField(QStringLiteral("name"), QStringLiteral("H2"));
        TestDlg dlg({});
        QVERIFY(TagView(t.View()).RunTagDialog(dlg, QStringLiteral("H1"), true, false, false));
        QCOMPARE(t.Text(), QStringLiteral("<h2 align=\"Left\">t</h2>"));
    }
};
KELVO_TEST(TestTagView, "TagView");
#include "tst_TagView.moc"
