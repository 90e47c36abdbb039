#include "TestFiles.h"
#include "TestRegistry.h"

#include "core/tags/TagCommandIds.h"
#include "core/tags/TagConvertCommandIds.h"

#include <QTest>

namespace {

// In the tables "[" marks the selection start and "]" its end ("[]" is a
// bare caret); results are written the same way.
struct Marked {
    QString text;
    int start = 0;
    int end = 0;
};

Marked Unmark(const QString& marked)
{
    Marked m;
    m.start = static_cast<int>(marked.indexOf(u'['));
    m.text = marked;
    m.text.remove(m.start, 1);
    m.end = static_cast<int>(m.text.indexOf(u']'));
    m.text.remove(m.end, 1);
    return m;
}

QString Mark(TestEditor& t)
{
    int s = 0, e = 0;
    t.Buffer().GetSel(s, e);
    QString text = t.Text();
    text.insert(e, u']');
    text.insert(s, u'[');
    return text;
}

void Row(const char* name, int id, const QString& before, const QString& after,
         const QString& lastStart = QString(), const QString& lastEnd = QString(),
         bool lower = false, bool selectContinue = false)
{
    QTest::newRow(name) << id << before << after << lastStart << lastEnd << lower
                        << selectContinue;
}

} // namespace

class TestTagInsert : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void command_data()
    {
        QTest::addColumn<int>("id");
        QTest::addColumn<QString>("before");  // "[" and "]" mark the selection
        QTest::addColumn<QString>("after");
        QTest::addColumn<QString>("lastStart");  // remembered tags; null: not checked
        QTest::addColumn<QString>("lastEnd");
        QTest::addColumn<bool>("lower");
        QTest::addColumn<bool>("selectContinue");

        using namespace cmd::tag;
        const QString keep;
        // Wrapping.
        Row("bold", Bold, "x[abc]y", "x<B>abc</B>[]y", "<B>", "</B>");
        Row("bold lower case", Bold, "[abc]", "<b>abc</b>[]", "<b>", "</b>", true);
        Row("bold empty", Bold, "a[]b", "a<B></B>[]b", "<B>", "</B>");
        Row("bold keeps selection", Bold, "x[abc]y", "x[<B>abc</B>]y", "<B>", "</B>", false, true);
        Row("bold caret with select-continue", Bold, "[]", "<B></B>[]", keep, keep, false, true);
        Row("title", Title, "[t]", "<TITLE>t</TITLE>[]", "<TITLE>", "</TITLE>");
        Row("italic", Italic, "[t]", "<I>t</I>[]");
        Row("emphasis", Emphasis, "[t]", "<EM>t</EM>[]");
        Row("strong", Strong, "[t]", "<STRONG>t</STRONG>[]");
        Row("superscript", Superscript, "[t]", "<SUP>t</SUP>[]");
        Row("subscript", Subscript, "[t]", "<SUB>t</SUB>[]");
        Row("no break", NoBreak, "[t]", "<NOBR>t</NOBR>[]");
        Row("center", Center, "[t]", "<CENTER>t</CENTER>[]");
        Row("indent block", IndentBlock, "[t]", "<UL>t</UL>[]");
        Row("blink", Blink, "[t]", "<BLINK>t</BLINK>[]");
        Row("pre", Preformatted, "[x]", "<PRE>\r\nx\r\n</PRE>\r\n[]", "<PRE>", "</PRE>\r\n");
        Row("pre ending in CR LF", Preformatted, "[x\r\n]", "<PRE>\r\nx\r\n</PRE>\r\n[]");
        Row("pre empty", Preformatted, "[]", "<PRE>\r\n\r\n</PRE>\r\n[]");
        Row("quote", Quote, "[q]", "<BLOCKQUOTE>\r\nq\r\n</BLOCKQUOTE>\r\n[]");
        Row("definition list", DefinitionList, "[d]", "<DL>\r\nd\r\n</DL>[]", "<DL>", "</DL>");
        Row("no frames", NoFrames, "[n]", "<NOFRAMES>\r\nn\r\n</NOFRAMES>[]");
        Row("paragraph empty", Paragraph, "a[]b", "a<P>\r\n[]b", "<P>", "");
        Row("paragraph around text", Paragraph, "[x]", "<P>\r\nx\r\n</P>\r\n[]", "<P>",
            "</P>\r\n");
        // Simple tags replace the selection.
        Row("rule", Rule, "[sel]", "<HR>\r\n[]", "<HR>", "");
        Row("line break", LineBreak, "a[]", "a<BR>\r\n[]", "<BR>", "");
        Row("line break lower case", LineBreak, "[]", "<br>\r\n[]", "<br>", "", true);
        Row("list item", ListItem, "[x]", "<LI>[]");
        Row("definition term", DefinitionTerm, "[]", "<DT>[]");
        Row("definition data", DefinitionData, "[]", "<DD>[]");
        // Fixed tags written back in the generated form.
        Row("rule without shade", RuleNoShade, "[x]", "<HR NOSHADE>[]", "<HR NOSHADE>", "");
        Row("clear break", ClearBreak, "[]", "<BR CLEAR=\"all\">\r\n[]", "<BR CLEAR=\"all\">", "");
        Row("clear break lower case", ClearBreak, "[]", "<br clear=\"all\">\r\n[]", keep, keep,
            true);
        // Enclosing.
        Row("comment", Comment, "a[b]c", "a<!--b-->[]c");
        Row("comment kept in lower case", Comment, "[B]", "<!--B-->[]", keep, keep, true);
        // A comment ends at the first "-->": the text around one gets its own.
        Row("comment around a comment", Comment, "[<p>a <!-- old --> b</p>]",
            "<!--<p>a --><!-- old --><!-- b</p>-->[]");
        Row("comment around a stray -->", Comment, "[a --> b--!>c-->]",
            "<!--a --><!-- b--!><!--c-->[]");
        Row("comment of text that begins with -> or >", Comment, "[->a<!--b-->>c]",
            "<!-- ->a--><!--b--><!-- >c-->[]");
        Row("comment of only a comment", Comment, "[<!--x-->]", "<!--x-->[]");
        Row("comment empty", Comment, "[]", "<!---->[]");
        Row("head", Head, "[t]", "<HEAD>t</HEAD>[]", "<HEAD>", "</HEAD>");
        Row("head empty", Head, "[]", "<HEAD></HEAD>[]");
        // Fixed texts.
        Row("ampersand", EntityAmp, "[x]", "&amp;[]");
        Row("less than", EntityLt, "[]", "&lt;[]");
        Row("greater than", EntityGt, "[]", "&gt;[]");
        Row("quote entity", EntityQuot, "[]", "&quot;[]");
        Row("last modified", SsiLastModified, "[]", "<!--#echo var=\"LAST_MODIFIED\"-->[]",
            "<!--#echo var=\"LAST_MODIFIED\"-->", "");
        Row("date", SsiDate, "[]", "<!--#echo var=\"DATE_LOCAL\"-->[]");
        Row("echo unchanged in lower case", SsiDate, "[]", "<!--#echo var=\"DATE_LOCAL\"-->[]",
            keep, keep, true);
        // Aligned blocks.
        Row("left", AlignLeft, "[abc]", "<DIV ALIGN=\"left\">\r\nabc\r\n</DIV>\r\n[]",
            "<DIV ALIGN=\"left\">", "</DIV>\r\n");
        Row("left empty", AlignLeft, "[]", "<DIV ALIGN=\"left\">\r\n\r\n</DIV>\r\n[]");
        Row("center block", AlignCenter, "[a]", "<DIV ALIGN=\"center\">\r\na\r\n</DIV>\r\n[]");
        Row("right", AlignRight, "[a\r\n]", "<DIV ALIGN=\"right\">\r\na\r\n</DIV>\r\n[]");
        Row("right lower case", AlignRight, "[a]", "<div align=\"right\">\r\na\r\n</div>\r\n[]",
            keep, keep, true);
        // Lists from lines.
        Row("list skips empty lines", UnorderedList, "[  a\r\n\r\nb]",
            "<UL>\r\n  <LI>a\r\n<LI>b\r\n</UL>[]", "<UL>", "</UL>");
        Row("ordered list", OrderedList, "[a\r\nb]", "<OL>\r\n<LI>a\r\n<LI>b\r\n</OL>[]");
        Row("list indented by tabs", UnorderedList, "[\t a]", "<UL>\r\n\t <LI>a\r\n</UL>[]");
        Row("list of blanks", UnorderedList, "[  ]", "<UL>\r\n  <LI>\r\n</UL>[]");
        Row("list takes whole lines", UnorderedList, "xx [ab\r\ncd] yy\r\nz",
            "<UL>\r\n<LI>xx ab\r\n<LI>cd yy\r\n</UL>[]\r\nz");
        Row("list from a caret", UnorderedList, "a[]b\r\ncd", "<UL>\r\n<LI>ab\r\n</UL>[]\r\ncd");
        Row("list takes the line the end starts", UnorderedList, "[a\r\nb\r\n]c\r\nd",
            "<UL>\r\n<LI>a\r\n<LI>b\r\n<LI>c\r\n</UL>[]\r\nd");
        Row("list of an empty text", UnorderedList, "[]", "<UL>\r\n</UL>[]");
        Row("list keeps a long line whole", UnorderedList, "[" + QString(3000, u'w') + "]",
            "<UL>\r\n<LI>" + QString(3000, u'w') + "\r\n</UL>[]");
        Row("list lower case", UnorderedList, "[A]", "<ul>\r\n<li>A\r\n</ul>[]", keep, keep,
            true);
        Row("definition list from lines", DefinitionListFromLines, "[term\r\nmeaning]",
            "<DL>\r\n<DT>term\r\n<DD>meaning\r\n</DL>[]", "<DL>", "</DL>");
        Row("definition list keeps further lines", DefinitionListFromLines,
            "[term\r\nmeaning\r\nmore]", "<DL>\r\n<DT>term\r\n<DD>meaning\r\n</DL>\r\nmore[]",
            "<DL>", "</DL>");
        Row("definition list lower case remembers its own tags", DefinitionListFromLines,
            "[t\r\nm\r\n<B>x</B>]", "<dl>\r\n<dt>t\r\n<dd>m\r\n</dl>\r\n<b>x</b>[]", "<dl>",
            "</dl>", true);
        Row("list from a caret with select-continue", UnorderedList, "a[]b\r\ncd",
            "<UL>\r\n<LI>ab\r\n</UL>[]\r\ncd", "<UL>", "</UL>", false, true);
        Row("definition list from a caret with select-continue", DefinitionListFromLines,
            "[]t", "<DL>\r\n<DT>t\r\n</DL>[]", keep, keep, false, true);
        Row("list from a selection with select-continue", OrderedList, "x[a\r\nb]",
            "[<OL>\r\n<LI>xa\r\n<LI>b\r\n</OL>]", "<OL>", "</OL>", false, true);
        Row("definition list skips empty lines", DefinitionListFromLines,
            "[ term\r\n\r\n\tmeaning\r\n\r\n]", "<DL>\r\n <DT>term\r\n\t<DD>meaning\r\n</DL>[]");
        Row("definition list of one line", DefinitionListFromLines, "[term]",
            "<DL>\r\n<DT>term\r\n</DL>[]");
        // Markup that runs over lines is taken whole and left as it is.
        Row("list keeps a tag over lines", UnorderedList, "[<a href=x\r\n title=y>t\r\nu]",
            "<UL>\r\n<LI><a href=x\r\n title=y>t\r\n<LI>u\r\n</UL>[]");
        Row("list widened back to the tag's first line", UnorderedList,
            "<a href=x\r\n[ title=y>t]\r\nu", "<UL>\r\n<LI><a href=x\r\n title=y>t\r\n</UL>[]\r\nu");
        Row("list widened on to the tag's last line", UnorderedList,
            "[a\r\n<a href=x]\r\n title=y>t\r\nu",
            "<UL>\r\n<LI>a\r\n<LI><a href=x\r\n title=y>t\r\n</UL>[]\r\nu");
        Row("list keeps script lines, empty ones too", OrderedList,
            "[<script>\r\nx\r\n\r\n</script>]", "<OL>\r\n<LI><script>\r\nx\r\n\r\n</script>\r\n</OL>[]");
        Row("definition keeps its tag's lines", DefinitionListFromLines,
            "[t\r\n<a href=x\r\n title=y>m\r\nmore]",
            "<DL>\r\n<DT>t\r\n<DD><a href=x\r\n title=y>m\r\n</DL>\r\nmore[]");
        Row("breaks kept in a tag", cmd::BreaksToLineBreaks, "[a\r\n<a href=x\r\n title=y>b\r\nc]",
            "a<BR>\r\n<a href=x\r\n title=y>b<BR>\r\nc[]");
        Row("breaks kept from inside a tag", cmd::BreaksToLineBreaks, "<a[\r\nhref=x>b\r\nc]",
            "<a\r\nhref=x>b<BR>\r\nc[]");
        Row("breaks kept up to inside a tag", cmd::BreaksToLineBreaks, "[a\r\n<a\r\n]href=x>b",
            "a<BR>\r\n<a\r\n[]href=x>b");
        Row("breaks kept from inside a script", cmd::BreaksToLineBreaks,
            "<script>\r\n[a\r\n</script>\r\nb]", "<script>\r\na\r\n</script><BR>\r\nb[]");
        Row("breaks kept in script and server code", cmd::BreaksToParagraphs,
            "[<script>\r\nx\r\n</script>\r\n<?php\r\ny\r\n?>\r\nz]",
            "<script>\r\nx\r\n</script><P>\r\n<?php\r\ny\r\n?><P>\r\nz[]");
        Row("blank lines kept in a style", cmd::BreaksToParagraphsAndLineBreaks,
            "[<style>\r\n\r\np{}\r\n</style>\r\n\r\nx]",
            "<style>\r\n\r\np{}\r\n</style><P>\r\n\r\nx[]");
        Row("breaks in lower case leave the page's tags", cmd::BreaksToLineBreaks, "[<B>a\r\nb]",
            "<B>a<br>\r\nb[]", keep, keep, true);
    }
    void command()
    {
        QFETCH(int, id);
        QFETCH(QString, before);
        QFETCH(QString, after);
        QFETCH(QString, lastStart);
        QFETCH(QString, lastEnd);
        QFETCH(bool, lower);
        QFETCH(bool, selectContinue);
        TestEditor t;
        t.Settings().WriteInt(QStringLiteral("System"), QStringLiteral("TagLower"), lower);
        t.Settings().WriteInt(QStringLiteral("System"), QStringLiteral("TagSelectContinue"),
                              selectContinue);
        const Marked m = Unmark(before);
        t.SetText(m.text, m.start, m.end);
        QVERIFY(t.Run(id));
        QCOMPARE(Mark(t), after);
        QVERIFY(t.Buffer().IsModified());
        if (!lastStart.isNull()) {
            QCOMPARE(t.View().LastStartTag(), lastStart);
            QCOMPARE(t.View().LastEndTag(), lastEnd);
        }
        // Each command is one undoable edit.
        t.Buffer().Undo();
        QCOMPARE(t.Text(), m.text);
    }

    // A text without ">" leaves nothing to re-insert.
    void ampersandForgetsTheLastTag()
    {
        TestEditor t;
        t.SetText(QStringLiteral("abc"), 0, 3);
        QVERIFY(t.Run(cmd::tag::Bold));
        QCOMPARE(t.View().LastStartTag(), QStringLiteral("<B>"));
        QVERIFY(t.Run(cmd::tag::EntityAmp));
        QCOMPARE(t.View().LastStartTag(), QString());
        QCOMPARE(t.View().LastEndTag(), QString());
    }

    // The remembered start tag ends at the tag's own ">".
    void rememberedTagWithGreaterThanInQuotes()
    {
        TestEditor t;
        t.View().InsertTagText(QStringLiteral("<A TITLE=\"a > b\">x</A>"), true);
        QCOMPARE(t.View().LastStartTag(), QStringLiteral("<A TITLE=\"a > b\">"));
        QCOMPARE(t.View().LastEndTag(), QStringLiteral("</A>"));
    }

    void ssiExec_data()
    {
        QTest::addColumn<bool>("answer");
        QTest::addColumn<QString>("input");
        QTest::addColumn<QString>("after");

        QTest::newRow("ok") << true << "ls -l" << "a<!--#exec cmd=\"ls -l\"-->[]b";
        QTest::newRow("ok with nothing typed") << true << "" << "a<!--#exec cmd=\"\"-->[]b";
        QTest::newRow("cancel") << false << "" << "a[x]b";
    }
    void ssiExec()
    {
        QFETCH(bool, answer);
        QFETCH(QString, input);
        QFETCH(QString, after);
        TestEditor t;
        t.SetText(QStringLiteral("axb"), 1, 2);
        if (answer)
            t.Ui().QueueInput(input);
        QVERIFY(t.Run(cmd::tag::SsiExec));
        QCOMPARE(t.Ui().Texts(QStringLiteral("input")),
                 QStringList{QStringLiteral("コマンド名を入力してください")});
        QCOMPARE(Mark(t), after);
        QCOMPARE(t.Buffer().IsModified(), answer);
    }
};
KELVO_TEST(TestTagInsert, "TagInsert");
#include "tst_TagInsert.moc"
