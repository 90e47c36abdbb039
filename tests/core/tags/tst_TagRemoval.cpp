#include "TestFiles.h"
#include "TestRegistry.h"

#include "core/edit/TextReplace.h"
#include "core/tags/TagConvertCommandIds.h"
#include "core/tags/TagRemoval.h"

#include <QTest>

namespace {

const QString kNoValidTag = QStringLiteral("有効なタグがありません");

} // namespace

class TestTagRemoval : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void outermost_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("name");     // empty: none found
        QTest::addColumn<QString>("content");
        QTest::newRow("nested, attributes") << "<B CLASS=x>bold <I>it</I></B>" << "B" << "bold <I>it</I>";
        QTest::newRow("end tag in another case") << "<b>x<B>y</B></B>" << "b" << "x<B>y</B>";
        QTest::newRow("text around the element") << "pre<P>x</P>post" << "P" << "x";
        QTest::newRow("the closing end tag wins") << "<B>a</B>b</B>" << "B" << "a";
        QTest::newRow("no tag") << "plain" << "" << "";
        QTest::newRow("close before open") << "a>b<c" << "" << "";
        QTest::newRow("empty name") << "<>x</>" << "" << "";
        QTest::newRow("blank right after <") << "< B>x</ B>" << "" << "";
        QTest::newRow("only a start tag") << "<B>x" << "" << "";
        QTest::newRow("empty content") << "<B></B>" << "B" << "";
        QTest::newRow("self-closed one inside is not open") << "<X>a<X/>b</X>" << "X" << "a<X/>b";
        QTest::newRow("end tag text inside the start tag's quotes")
            << "<A TITLE=\"</A>\">x</A>" << "A" << "x";
        QTest::newRow("nested elements of the same name")
            << "<DIV>a<DIV>b</DIV>c</DIV>" << "DIV" << "a<DIV>b</DIV>c";
        QTest::newRow("end tag inside a comment or script")
            << "<DIV><!-- </DIV> --><SCRIPT>'</DIV>'</SCRIPT></DIV>" << "DIV"
            << "<!-- </DIV> --><SCRIPT>'</DIV>'</SCRIPT>";
    }
    void outermost()
    {
        QFETCH(QString, text);
        QFETCH(QString, name);
        QFETCH(QString, content);
        const std::optional<OutermostElement> e = FindOutermostElement(text);
        QCOMPARE(e.has_value(), !name.isEmpty());
        if (e) {
            QCOMPARE(e->name, name);
            QCOMPARE(text.mid(e->contentStart, e->contentEnd - e->contentStart), content);
        }
    }

    void removeOutermost_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("answer");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<QString>("question");
        QTest::addColumn<QString>("message");
        QTest::newRow("confirmed") << "[<B CLASS=x>bold <I>it</I></B>]" << int(Ui::Answer::Ok)
                                   << "[bold <I>it</I>]" << "タグ  B を削除します。よろしいですか？" << "";
        QTest::newRow("text around the element kept")
            << "[前文<B>太字</B>後文]" << int(Ui::Answer::Ok) << "[前文太字後文]"
            << "タグ  B を削除します。よろしいですか？" << "";
        QTest::newRow("later elements kept") << "[<TD>a</TD><TD>b</TD>]" << int(Ui::Answer::Ok)
                                             << "[a<TD>b</TD>]"
                                             << "タグ  TD を削除します。よろしいですか？" << "";
        QTest::newRow("cancelled") << "[<B>x</B>]" << int(Ui::Answer::Cancel) << "[<B>x</B>]"
                                   << "タグ  B を削除します。よろしいですか？" << "";
        QTest::newRow("end tag in another case") << "[<B>bold</b>]" << int(Ui::Answer::Ok)
                                                 << "[bold]" << "タグ  B を削除します。よろしいですか？" << "";
        QTest::newRow("no matching end tag") << "[<b>x</i>]" << int(Ui::Answer::Ok) << "[<b>x</i>]"
                                             << "" << kNoValidTag;
        QTest::newRow("empty selection") << "[]" << int(Ui::Answer::Ok) << "[]" << "" << kNoValidTag;
    }
    void removeOutermost()
    {
        QFETCH(QString, text);
        QFETCH(int, answer);
        QFETCH(QString, expected);
        QFETCH(QString, question);
        QFETCH(QString, message);
        TestEditor t;
        t.SetText(text, 1, int(text.size()) - 1);
        t.Ui().QueueAnswer(Ui::Answer(answer));
        QVERIFY(t.Run(cmd::TagRemoveOutermost));
        QCOMPARE(t.Text(), expected);
        QCOMPARE(t.Ui().Texts(QStringLiteral("question")),
                 question.isEmpty() ? QStringList{} : QStringList{question});
        QCOMPARE(t.Ui().Texts(QStringLiteral("message")),
                 message.isEmpty() ? QStringList{} : QStringList{message});
        QCOMPARE(t.Doc().IsModified(), expected != text);
        if (expected != text) {
            t.Buffer().Undo();
            QCOMPARE(t.Text(), text);
        }
    }

    void strip_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");
        QTest::newRow("tags inside text") << "a<B>b</B>c" << "abc";
        QTest::newRow("lone <") << "a < b" << "a < b";
        QTest::newRow("no tags") << "plain text" << "plain text";
        QTest::newRow("lone >") << "a > b" << "a > b";
        QTest::newRow("unclosed tag after a tag") << "x<a>y<b" << "xy<b";
        QTest::newRow("< inside a tag") << "<a<b>c" << "c";
        QTest::newRow("comment") << "a<!-- x -->b" << "ab";
        QTest::newRow("> inside quotes") << "a<A TITLE=\"x > y\">b</A>" << "ab";
        QTest::newRow("script text and server code kept")
            << "<SCRIPT>if (a<b) c()</SCRIPT><?php x() ?>" << "if (a<b) c()<?php x() ?>";
        QTest::newRow("line breaks kept") << "<P>\r\nx\r\n</P>" << "\r\nx\r\n";
        QTest::newRow("server code inside a tag goes with it")
            << "<img src=\"<?php echo \"a.gif\"; ?>\">t<td <% if (w) %> align=x>u" << "tu";
    }
    void strip()
    {
        QFETCH(QString, text);
        QFETCH(QString, expected);
        QCOMPARE(StripTags(text), expected);
    }

    void stripSelectionSelectsTheResult()
    {
        TestEditor t;
        t.SetText(QStringLiteral("<P>a<B>b</B>c</P>"), 3, 13);
        QVERIFY(t.Run(cmd::TagStripSelection));
        QCOMPARE(t.Text(), QStringLiteral("<P>abc</P>"));
        QCOMPARE(t.Selection(), QStringLiteral("abc"));
        QVERIFY(t.Doc().IsModified());
    }

    void stripAllIsOneUndoStep()
    {
        TestEditor t;
        const QString text = QStringLiteral("<HTML>\r\n<B>x</B> y\r\n</HTML>");
        t.SetText(text);
        QVERIFY(t.Run(cmd::TagStripAll));
        QCOMPARE(t.Text(), QStringLiteral("\r\nx y\r\n"));
        QVERIFY(t.Doc().IsModified());
        QVERIFY(t.Ui().Records().empty());
        t.Buffer().Undo();
        QCOMPARE(t.Text(), text);
    }

    void capture_data()
    {
        QTest::addColumn<QString>("selection");
        QTest::addColumn<QString>("start");
        QTest::addColumn<QString>("end");
        QTest::newRow("two levels") << "<B><I>hello</I></B>" << "<B><I>" << "</I></B>";
        QTest::newRow("table cell") << "<TD><B>x</B></TD>" << "<TD><B>" << "</B></TD>";
        QTest::newRow("one empty tag") << "<BR>" << "<BR>" << "";
        QTest::newRow("no tags") << "plain" << "" << "";
        QTest::newRow("text before the tags") << "x<B>y</B>" << "" << "<B></B>";
        QTest::newRow("attributes kept") << "<A HREF=\"x\">t</A>" << "<A HREF=\"x\">" << "</A>";
        QTest::newRow("empty") << "" << "" << "";
    }
    void capture()
    {
        QFETCH(QString, selection);
        QFETCH(QString, start);
        QFETCH(QString, end);
        TestEditor t;
        t.View().SetLastTags(QStringLiteral("<OLD>"), QStringLiteral("</OLD>"));
        t.SetText(selection, 0, int(selection.size()));
        QVERIFY(t.Run(cmd::TagCapture));
        QCOMPARE(t.View().LastStartTag(), start);
        QCOMPARE(t.View().LastEndTag(), end);
        QCOMPARE(t.Text(), selection);
    }

    void captureThenReinsert()
    {
        TestEditor t;
        t.Settings().WriteInt(QStringLiteral("System"), QStringLiteral("TagLower"), 1);
        t.SetText(QStringLiteral("<TD><B>x</B></TD>\r\ny"), 0, 17);
        QVERIFY(t.Run(cmd::TagCapture));
        t.Buffer().SetSel(19, 20);
        QVERIFY(t.Run(cmd::TagReinsert));
        // Repeated exactly as captured, whatever the tag case setting.
        QCOMPARE(t.Text(), QStringLiteral("<TD><B>x</B></TD>\r\n<TD><B>y</B></TD>"));
        QCOMPARE(t.View().LastStartTag(), QStringLiteral("<TD><B>"));
        t.Buffer().Undo();
        QCOMPARE(t.Text(), QStringLiteral("<TD><B>x</B></TD>\r\ny"));
    }

    void reinsertAtCaret()
    {
        TestEditor t;
        t.View().SetLastTags(QStringLiteral("<I>"), QStringLiteral("</I>"));
        t.SetText(QStringLiteral("ab"), 1, 1);
        QVERIFY(t.Run(cmd::TagReinsert));
        QCOMPARE(t.Text(), QStringLiteral("a<I></I>b"));
    }

    void allTagsCase_data()
    {
        QTest::addColumn<int>("command");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<QString>("question");
        QTest::addColumn<int>("tagLower");
        QTest::newRow("upper") << cmd::TagsToUpperCase << "<a href=\"x.htm\">x</a>"
                               << "<A HREF=\"x.htm\">x</A>" << "全タグを大文字にします" << 0;
        QTest::newRow("lower") << cmd::TagsToLowerCase << "<A HREF=\"X.HTM\" BORDER=A>X<!-- Y --></A>"
                               << "<a href=\"X.HTM\" border=A>X<!-- Y --></a>" << "全タグを小文字にします"
                               << 1;
    }
    void allTagsCase()
    {
        QFETCH(int, command);
        QFETCH(QString, text);
        QFETCH(QString, expected);
        QFETCH(QString, question);
        QFETCH(int, tagLower);
        TestEditor t;
        t.Settings().WriteInt(QStringLiteral("System"), QStringLiteral("TagLower"), 1 - tagLower);
        t.SetText(text, 1, 3);
        t.Ui().QueueAnswer(Ui::Answer::Ok);
        QVERIFY(t.Run(command));
        QCOMPARE(t.Ui().Texts(QStringLiteral("question")), QStringList{question});
        QCOMPARE(t.Text(), expected);
        QCOMPARE(t.Selection(), expected.mid(1, 2));
        QCOMPARE(t.App().TagLower(), tagLower == 1);
        QCOMPARE(t.Settings().ReadInt(QStringLiteral("System"), QStringLiteral("TagLower"), -1), tagLower);
        QVERIFY(t.Doc().IsModified());
        // Later insertions follow the new case.
        t.SetText(QStringLiteral("a\r\nb"), 0, 4);
        QVERIFY(t.Run(cmd::BreaksToLineBreaks));
        QCOMPARE(t.Text(), tagLower ? QStringLiteral("a<br>\r\nb") : QStringLiteral("a<BR>\r\nb"));
    }

    void allTagsCaseCancelled()
    {
        TestEditor t;
        t.SetText(QStringLiteral("<B>x</B>"));
        t.Ui().QueueAnswer(Ui::Answer::Cancel);
        QVERIFY(t.Run(cmd::TagsToLowerCase));
        QCOMPARE(t.Text(), QStringLiteral("<B>x</B>"));
        QVERIFY(!t.App().TagLower());
        QVERIFY(!t.Settings().HasKey(QStringLiteral("System"), QStringLiteral("TagLower")));
        QVERIFY(!t.Doc().IsModified());
    }

    void allTagsCaseUndo()
    {
        TestEditor t;
        t.SetText(QStringLiteral("<b>x</b>"));
        t.Ui().QueueAnswer(Ui::Answer::Ok);
        QVERIFY(t.Run(cmd::TagsToUpperCase));
        t.Buffer().Undo();
        QCOMPARE(t.Text(), QStringLiteral("<b>x</b>"));
    }

    void replaceAll_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<QString>("replacement");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<int>("count");
        QTest::newRow("replacement not searched again") << "aaa" << "a" << "aa" << "aaaaaa" << 3;
        QTest::newRow("any case") << "<p>x<P>" << "<P>" << "[P]" << "[P]x[P]" << 2;
        QTest::newRow("overlapping hits from the left") << "aaa" << "aa" << "b" << "ba" << 1;
        QTest::newRow("none") << "abc" << "x" << "y" << "abc" << 0;
        QTest::newRow("empty pattern") << "abc" << "" << "y" << "abc" << 0;
    }
    void replaceAll()
    {
        QFETCH(QString, text);
        QFETCH(QString, pattern);
        QFETCH(QString, replacement);
        QFETCH(QString, expected);
        QFETCH(int, count);
        QCOMPARE(ReplaceAllText(text, pattern, replacement, Qt::CaseInsensitive), count);
        QCOMPARE(text, expected);
    }

    void conversions_data()
    {
        QTest::addColumn<int>("command");
        QTest::addColumn<QString>("selection");
        QTest::addColumn<QString>("expected");
        QTest::newRow("breaks to P") << cmd::BreaksToParagraphs << "a\r\nb\r\n" << "a<P>\r\nb<P>\r\n";
        QTest::newRow("breaks to BR") << cmd::BreaksToLineBreaks << "a\r\nb" << "a<BR>\r\nb";
        QTest::newRow("blank lines to P, others to BR")
            << cmd::BreaksToParagraphsAndLineBreaks << "a\r\nb\r\n\r\nc" << "a<BR>\r\nb<P>\r\n\r\nc";
        QTest::newRow("existing P gets its blank line")
            << cmd::BreaksToParagraphsAndLineBreaks << "a<p>b" << "a<P>\r\n\r\nb";
        QTest::newRow("two blank lines")
            << cmd::BreaksToParagraphsAndLineBreaks << "a\r\n\r\n\r\nb" << "a<P>\r\n\r\n<BR>\r\nb";
        QTest::newRow("lone CR and LF are no line breaks")
            << cmd::BreaksToLineBreaks << "a\rb\nc" << "a\rb\nc";
        QTest::newRow("brackets to entities") << cmd::BracketsToEntities << "<a & b>" << "&lt;a & b&gt;";
        QTest::newRow("entities are not touched")
            << cmd::BracketsToEntities << "&lt;<>" << "&lt;&lt;&gt;";
    }
    void conversions()
    {
        QFETCH(int, command);
        QFETCH(QString, selection);
        QFETCH(QString, expected);
        TestEditor t;
        t.View().SetLastTags(QStringLiteral("<OLD>"), QString());
        const QString text = "[" + selection + "]";
        t.SetText(text, 1, 1 + int(selection.size()));
        QVERIFY(t.Run(command));
        QCOMPARE(t.Text(), "[" + expected + "]");
        QCOMPARE(t.View().LastStartTag(), QStringLiteral("<OLD>"));
        t.Buffer().Undo();
        QCOMPARE(t.Text(), text);
    }

    void emptySelectionChangesNothing_data()
    {
        QTest::addColumn<int>("command");
        for (int c : {cmd::TagStripSelection, cmd::BreaksToParagraphs, cmd::BreaksToLineBreaks,
                      cmd::BreaksToParagraphsAndLineBreaks, cmd::BracketsToEntities})
            QTest::newRow(qPrintable(QString::number(c))) << c;
    }
    void emptySelectionChangesNothing()
    {
        QFETCH(int, command);
        TestEditor t;
        t.SetText(QStringLiteral("a\r\n<b>"), 2, 2);
        QVERIFY(t.Run(command));
        QCOMPARE(t.Text(), QStringLiteral("a\r\n<b>"));
        QVERIFY(!t.Doc().IsModified());
    }

    void hostileInput_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("brackets only") << QStringLiteral("<<<>>><><><<>>");
        QTest::newRow("NUL, lone CR, surrogate halves")
            << QString::fromUtf16(u"<\0b\r>\xD800</\0b\r>\n\xDC00") + QString(QChar(0));
        QTest::newRow("unterminated") << QStringLiteral("<B CLASS=\"x>y</B") + QString(3000, u'<');
        QTest::newRow("deep nesting") << QStringLiteral("<I>").repeated(3000) + QStringLiteral("</I>").repeated(3000);
        QTest::newRow("many line breaks") << QStringLiteral("\r\n").repeated(5000);
    }
    void hostileInput()
    {
        QFETCH(QString, text);
        const int commands[] = {cmd::TagRemoveOutermost, cmd::TagStripSelection, cmd::TagStripAll,
                                cmd::TagCapture, cmd::TagReinsert, cmd::TagsToLowerCase,
                                cmd::TagsToUpperCase, cmd::BreaksToParagraphs,
                                cmd::BreaksToLineBreaks, cmd::BreaksToParagraphsAndLineBreaks,
                                cmd::BracketsToEntities};
        for (int command : commands) {
            TestEditor t;
            t.SetText(text, 0, int(text.size()));
            t.Ui().QueueAnswer(Ui::Answer::Ok);
            QVERIFY(t.Run(command));
            while (t.Buffer().CanUndo())
                t.Buffer().Undo();
            QCOMPARE(t.Text(), text);
        }
    }
};
KELVO_TEST(TestTagRemoval, "TagRemoval");
#include "tst_TagRemoval.moc"
