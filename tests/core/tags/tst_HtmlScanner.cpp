#include "TestRegistry.h"

#include "core/tags/HtmlScanner.h"

#include <QTest>

namespace {

// The tokens of a text: "S:name [attr=value] {server code} /" for a start
// tag ("/" when it closes itself), "E:name" for an end tag, the source for
// the rest (C comment, D declaration, P server code); "…" marks a token the
// text ends in.
QString Tokens(const QString& text)
{
    QStringList out;
    HtmlScanner scanner(text);
    HtmlToken t;
    auto at = [&](qsizetype from, qsizetype to) { return text.mid(from, to - from); };
    while (scanner.Next(t)) {
        QString s = QStringLiteral("%1:%2").arg(QChar(u"SECDP"[int(t.kind)]),
                                                t.IsTag() ? t.Name(text).toString() : at(t.start, t.end));
        for (const HtmlAttrRange& a : t.attrs)
            s += a.serverCode ? QStringLiteral(" {%1}").arg(at(a.start, a.end))
                 : a.HasValue() ? QStringLiteral(" [%1=%2]").arg(at(a.start, a.nameEnd), at(a.valueStart, a.valueEnd))
                                : QStringLiteral(" [%1]").arg(at(a.start, a.nameEnd));
        if (t.selfClosing)
            s += QStringLiteral(" /");
        out.append(t.closed ? s : s + QStringLiteral("…"));
    }
    return out.join(QStringLiteral(" | "));
}

} // namespace

class TestHtmlScanner : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void tokens_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("tokens");
        // Where a script ends: a row for each way into and out of the
        // escaped states browsers keep after "<!--".
        QTest::newRow("script ends at its end tag")
            << "<script>a<b></script><i>" << "S:script | E:script | S:i";
        QTest::newRow("after <!-- the end tag still ends it")
            << "<script><!--a</script><i>" << "S:script | E:script | S:i";
        QTest::newRow("<!-- <script> hides the next end tag")
            << "<script><!--<script>a</script>b</script><i>" << "S:script | E:script | S:i";
        QTest::newRow("the hidden end tag goes back to the escape")
            << "<script><!--<script></script><script></script>a</script><i>"
            << "S:script | E:script | S:i";
        QTest::newRow("--> after <script> leaves both escapes")
            << "<script><!--<script>--></script><i>" << "S:script | E:script | S:i";
        QTest::newRow("--> before <script> leaves the escape")
            << "<script><!--a--><script></script><i>" << "S:script | E:script | S:i";
        QTest::newRow("<!--> is over at once")
            << "<script><!--><script></script><i>" << "S:script | E:script | S:i";
        QTest::newRow("<!- is no escape") << "<script><!-<script></script><i>"
                                          << "S:script | E:script | S:i";
        QTest::newRow("a longer name hides nothing")
            << "<script><!--<scripts></script><i>" << "S:script | E:script | S:i";
        QTest::newRow("end tag name must end")
            << "<script>a</scripts>b</script\t><i>" << "S:script | E:script | S:i";
        QTest::newRow("a style knows no escapes; / ends the name")
            << "<style><!--</style/>--><i>" << "S:style | E:style / | S:i";
        QTest::newRow("end tag last in the text") << "<script>a</script>"
                                                  << "S:script | E:script";
        QTest::newRow("end tag alone") << "a</b>" << "E:b";
        QTest::newRow("start tag cut off by the end") << "a<b" << "S:b…";
        QTest::newRow("quote cut off by the end") << "<a b=\"x" << "S:a…";
        QTest::newRow("<!---> is a whole comment, --!> ends one")
            << "<!---><b>--><!-- x --!><i>" << "C:<!---> | S:b | C:<!-- x --!> | S:i";
        QTest::newRow("end tag name up to the end of the text") << "<title>a</title"
                                                                 << "S:title | E:title…";
        // Foreign content.
        QTest::newRow("self-closed svg leaves HTML as it is")
            << "<svg/><title/><b></title>" << "S:svg / | S:title / | E:title";
        QTest::newRow("in svg /> closes any element")
            << "<svg><title/><b></svg><title>x</title>"
            << "S:svg | S:title / | S:b | E:svg | S:title | E:title";
        QTest::newRow("after math HTML again") << "<math><style/></math><title/><b></title>"
                                               << "S:math | S:style / | E:math | S:title / | E:title";
        QTest::newRow("script in svg holds text") << "<svg><script><b></script></svg>"
                                                  << "S:svg | S:script | E:script | E:svg";
        // Server code inside a tag is one piece of it.
        QTest::newRow("code with quotes and > in a quoted value")
            << "<img src=\"<?php echo \"a>b\"; ?>\" alt=x>t"
            << "S:img [src=<?php echo \"a>b\"; ?>] [alt=x]";
        QTest::newRow("code in place of an attribute")
            << "<td <?php if ($W) echo '>'; ?> align=Left>"
            << "S:td {<?php if ($W) echo '>'; ?>} [align=Left]";
        QTest::newRow("code as an unquoted value") << "<input value=<?=$Q?>>"
                                                   << "S:input [value=<?=$Q?>]";
        QTest::newRow("code inside an unquoted value")
            << "<a b=x<% =a %>y c>" << "S:a [b=x<% =a %>y] [c]";
        QTest::newRow("code inside a name") << "<p data-<?=$k?>=1>" << "S:p [data-<?=$k?>=1]";
        QTest::newRow("code right after the name") << "<td<%=a%>>" << "S:td {<%=a%>}";
        QTest::newRow("code never closed is text") << "<a title=\"<?\" href=x>"
                                                   << "S:a [title=<?] [href=x]";
        QTest::newRow("the other mark does not close")
            << "<a b=\"<? %>\" c=<%>%>>" << "S:a [b=<? %>] [c=<%>%>]";
        QTest::newRow("code between tags") << "<% a %><b>" << "P:<% a %> | S:b";
    }
    void tokens()
    {
        QFETCH(QString, text);
        QFETCH(QString, tokens);
        QCOMPARE(Tokens(text), tokens);
    }

    void matchingEndTag_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("end");  // where the partner starts; -1 none
        QTest::newRow("nested element of the same name") << "<b><b></b></b>" << 10;
        QTest::newRow("self-closed one is not open") << "<x><x/></x>" << 7;
        QTest::newRow("letter case ignored") << "<B>x</b>" << 4;
        QTest::newRow("end tag in a comment") << "<b><!--</b>--></b>" << 14;
        QTest::newRow("none") << "<b><b></b>" << -1;
    }
    void matchingEndTag()
    {
        QFETCH(QString, text);
        QFETCH(int, end);
        const std::optional<HtmlToken> start = HtmlScanner::ReadAt(text, 0);
        QVERIFY(start);
        const std::optional<HtmlToken> partner = HtmlScanner::MatchingEndTag(text, *start);
        QCOMPARE(partner ? int(partner->start) : -1, end);
    }
};
KELVO_TEST(TestHtmlScanner, "HtmlScanner");
#include "tst_HtmlScanner.moc"
