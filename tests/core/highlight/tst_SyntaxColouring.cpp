#include "TestRegistry.h"

#include "core/highlight/SyntaxColouring.h"
#include "core/tags/HtmlScanner.h"

#include <QTest>

namespace {

char KindLetter(SyntaxKind kind)
{
    return "tavcrdspunqk"[int(kind)];
}

// The lines with every run written as "[letter:text]".
QString Render(SyntaxLanguage language, const QString& text)
{
    QStringList shown;
    int state = kSyntaxStartState;
    for (const QString& line : text.split(u'\n')) {
        std::vector<SyntaxRange> ranges;
        state = ClassifyLine(language, line, state, ranges);
        QString out;
        int at = 0;
        for (const SyntaxRange& r : ranges) {
            out += line.mid(at, r.start - at);
            out += QStringLiteral("[%1:%2]").arg(QChar(KindLetter(r.kind)), line.mid(r.start, r.length));
            at = r.start + r.length;
        }
        shown.append(out + line.mid(at));
    }
    return shown.join(u'\n');
}

} // namespace

class TestSyntaxColouring : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // t tag, a attribute, v value, c comment, r reference, d declaration,
    // s selector, p property, u CSS value, n number, q string, k keyword.
    void lines_data()
    {
        QTest::addColumn<int>("language");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("shown");
        const int html = int(SyntaxLanguage::Html);
        QTest::newRow("tag, attributes, references in text and values")
            << html << QStringLiteral("<P class=note title='a&amp;b'>x &lt; &#38; &#x26 &foo y</P>")
            << QStringLiteral("[t:<P] [a:class]=[v:note] [a:title]=[v:'a][r:&amp;][v:b'][t:>]"
                              "x [r:&lt;] [r:&#38;] [r:&#x26] &foo y[t:</P>]");
        QTest::newRow("a quoted value holds > and runs over lines")
            << html << QStringLiteral("<a href=\"x>y\n z\" \nid\n=\nq>t")
            << QStringLiteral("[t:<a] [a:href]=[v:\"x>y]\n[v: z\"] \n[a:id]\n=\n[v:q][t:>]t");
        QTest::newRow("no tag without a letter after <")
            << html << QStringLiteral("a < b <3 <br/>")
            << QStringLiteral("a < b <3 [t:<br/>]");
        QTest::newRow("comment over lines, <!--> and --!>")
            << html << QStringLiteral("<!-- a <b>\n-- c --!><i><!-->x")
            << QStringLiteral("[c:<!-- a <b>]\n[c:-- c --!>][t:<i>][c:<!-->]x");
        QTest::newRow("doctype, CDATA and server code over lines")
            << html << QStringLiteral("<!DOCTYPE html><![CDATA[ a\n]]><? php\n?>x<% y %>")
            << QStringLiteral("[d:<!DOCTYPE html><![CDATA[ a]\n[d:]]><? php]\n[d:?>]x[d:<% y %>]");
        QTest::newRow("style element: selectors, properties, values, comments")
            << html
            << QStringLiteral("<style>p.a:hover, #b { color: #fff; margin:0 auto !important }\n"
                              "/* x\n*/ @media print { a { b: url(c) } }</style>d")
            << QStringLiteral("[t:<style>][s:p.a:hover], [s:#b] { [p:color]: [n:#fff]; "
                              "[p:margin]:[n:0] [u:auto] [k:!important] }\n"
                              "[c:/* x]\n[c:*/] [k:@media] [u:print] { [s:a] { [p:b]: [q:url(c)] } }"
                              "[t:</style>]d");
        QTest::newRow("script: keywords, strings, numbers, comments, regex; ends at </script")
            << html
            << QStringLiteral("<script>var s = \"</b>\"; if (x / 2) return /a\\/[/]b/g; // c\n"
                              "/* d\n*/ t = `e\n${f}` + 0x1F;</script ><b>")
            << QStringLiteral("[t:<script>][k:var] s = [q:\"</b>\"]; [k:if] (x / [n:2]) "
                              "[k:return] [q:/a\\/[/]b/g]; [c:// c]\n"
                              "[c:/* d]\n[c:*/] t = [q:`e]\n[q:${]f[q:}`] + [n:0x1F];[t:</script] [t:><b>]");
        QTest::newRow("after <!-- a <script> in a script hides the next </script>, up to -->")
            << html
            << QStringLiteral("<script><!--\ndocument.write(\"<script src=a.js></script>\");\n"
                              "//--></script><b><script><!-->s = \"</script>\";<i>")
            << QStringLiteral("[t:<script>][c:<!--]\ndocument.write([q:\"<script src=a.js></script>\"]);\n"
                              "[c://-->][t:</script><b><script>][c:<!-->s = \"][t:</script>]\";[t:<i>]");
        QTest::newRow("references with and without ; in text and in values")
            << html
            << QStringLiteral("&copy2024 &nbsp x&amp;y&#169 <A HREF=?a=1&copy=2&amp;b title=\"&copy-x\">")
            << QStringLiteral("[r:&copy]2024 [r:&nbsp] x[r:&amp;]y[r:&#169] [t:<A] [a:HREF]="
                              "[v:?a=1&copy=2][r:&amp;][v:b] [a:title]=[v:\"][r:&copy][v:-x\"][t:>]");
        QTest::newRow("in SVG /> closes a title or script, and only style and script are raw")
            << html
            << QStringLiteral("<svg><title/><script href=\"x\"/><style>.a{fill:red}</style></svg>"
                              "<title/><b>&amp;</title><b><svg/><title><b></title>")
            << QStringLiteral("[t:<svg><title/><script] [a:href]=[v:\"x\"][t:/><style>][s:.a]{[p:fill]:[u:red]}"
                              "[t:</style></svg><title/>]<b>[r:&amp;][t:</title><b><svg/><title>]<b>[t:</title>]");
        QTest::newRow("css: @media and @supports hold rules, a rule's block declarations and nested rules")
            << int(SyntaxLanguage::Css)
            << QStringLiteral("@media (max-width: 600px) {\n@supports (display: grid) {\n"
                              "a:hover, .b > p { --gap: 4px; content: \"};\" }\n}}\n"
                              ".c { color: red; &:hover { background: url(x.png) } }")
            << QStringLiteral("[k:@media] ([u:max-width]: [n:600px]) {\n[k:@supports] ([u:display]: [u:grid]) {\n"
                              "[s:a:hover], [s:.b] [s:>] [s:p] { [p:--gap]: [n:4px]; [p:content]: [q:\"};\"] }\n}}\n"
                              "[s:.c] { [p:color]: [u:red]; [s:&:hover] { [p:background]: [q:url(x.png)] } }");
        QTest::newRow("script file: code inside ${} of templates, nested and over lines")
            << int(SyntaxLanguage::Script)
            << QStringLiteral("h = `<ul class=\"${cls}\">\n${items.map(i => `<li>${i.n}</li>`).join(\"\")}\n"
                              "</ul>`; x = 1 / 2;")
            << QStringLiteral("h = [q:`<ul class=\"${]cls[q:}\">]\n[q:${]items.map(i => [q:`<li>${]i.n"
                              "[q:}</li>`]).join([q:\"\"])[q:}]\n[q:</ul>`]; x = [n:1] / [n:2];");
        QTest::newRow("server code in a tag and its values; a template script stays plain")
            << html
            << QStringLiteral("<input <?php checked($a > 1); ?> value=\"<?= \"x\" ?>\" title=<% t %>>"
                              "<script type=text/x-template>\n<b class=\"c\">'</b>\n</script>x")
            << QStringLiteral("[t:<input] [d:<?php checked($a > 1); ?>] [a:value]=[v:\"][d:<?= \"x\" ?>]"
                              "[v:\"] [a:title]=[d:<% t %>][t:><script] [a:type]=[v:text/x-template][t:>]\n"
                              "<b class=\"c\">'</b>\n[t:</script>]x");
        QTest::newRow("style attribute as declarations; title keeps references")
            << html << QStringLiteral("<td style=\"width: 50%; x\"><title>&amp;<b></title>")
            << QStringLiteral("[t:<td] [a:style]=[v:\"][p:width]: [n:50%]; [s:x][v:\"][t:><title>]"
                              "[r:&amp;]<b>[t:</title>]");
        QTest::newRow("css file: a string continued by a backslash")
            << int(SyntaxLanguage::Css) << QStringLiteral("a::before { content: \"x\\\ny\" }")
            << QStringLiteral("[s:a::before] { [p:content]: [q:\"x\\]\n[q:y\"] }");
        QTest::newRow("script file: an escaped backquote, \"-->\" after code, \"/*/\" opening a comment")
            << int(SyntaxLanguage::Script) << QStringLiteral("t = `a\\`b`; i-->0 /*/ c */ d")
            << QStringLiteral("t = [q:`a\\`b`]; i-->[n:0] [c:/*/ c */] d");
        QTest::newRow("script file: division after a value, template over lines")
            << int(SyntaxLanguage::Script) << QStringLiteral("a = b / c / d; i++ / 2 / 3; this / 4 / 5; f(`x\ny`) // z")
            << QStringLiteral("a = b / c / d; i++ / [n:2] / [n:3]; [k:this] / [n:4] / [n:5]; f([q:`x]\n[q:y`]) [c:// z]");
    }

    // A "/" after a value divides; after an operator or a keyword it
    // starts a regular expression.
    void scriptSlash_data()
    {
        QTest::addColumn<QString>("before");
        QTest::addColumn<bool>("regex");
        for (const char* value : {"this", "true", "false", "null", "undefined", "super", "x", "f()",
                                  "a[0]", "x++", "x--", "1", "'s'"})
            QTest::newRow(value) << QString::fromLatin1(value) << false;
        for (const char* op : {"return", "typeof", "x =", "(", "x,", "x++ +"})
            QTest::newRow(op) << QString::fromLatin1(op) << true;
    }
    void scriptSlash()
    {
        QFETCH(QString, before);
        QFETCH(bool, regex);
        const QString shown = Render(SyntaxLanguage::Script, before + QStringLiteral(" / 2 / 3"));
        QCOMPARE(shown.contains(QStringLiteral("[q:/ 2 /]")), regex);
    }

    void lines()
    {
        QFETCH(int, language);
        QFETCH(QString, text);
        QFETCH(QString, shown);
        QCOMPARE(Render(SyntaxLanguage(language), text), shown);
    }

    // Line by line with the carried state, every attribute and comment the
    // tag reader finds in the whole page is coloured as such.
    void agreesWithTheTagReader()
    {
        const QString page = QStringLiteral(
            "<!DOCTYPE html>\n<html lang=ja>\n<head>\n<title>見出し &amp; x</title>\n"
            "<style>\nbody { margin: 0 }\n</style>\n<script>\nif (a < b) c = '<p class=x>';\n"
            "</script>\n</head>\n<body class = \"top\"\n  data-x='1\n2' hidden>\n<!-- <p id=no>\n-->"
            "<p id=yes title=\"a>b\">本文&nbsp;</p>\n<textarea><b id=raw></textarea>\n"
            "<?php echo $x > 1 ? \"<b id=php>\" : \"\"; ?>\n<% if (a < b) { %><LI CLASS=item\n"
            "data-n=3 hidden>&copy2024</LI><% } %>\n<script type=\"application/ld+json\">\n"
            "{\"@context\": \"https://schema.org\", \"name\": \"<p id=json>\"}\n</script>\n"
            "<script type=\"text/template\"><div class=\"<%= c %>\"></div></script>\n"
            "<script><!--\ndocument.write('<script src=\"x.js\"></script><p id=written>');\n//--></SCRIPT>\n"
            "<!-- a --!><p id=after-bang>\n<style>\n@media (max-width: 40em) {\n"
            "  a[href$=\".pdf\"]::after { content: \"}<p id=css>\"; }\n}\n</style>\n"
            "<input value=a/b checked><a href=/x/>1 < 2 &</a>\n"
            "<td <?php if ($w) echo '>'; ?> align=\"<?= $a ?>x\">\n"
            "<svg><title/><text id=svg>x</text><style>.a>b{}</style></svg><title><b id=rc></title>\n"
            "</body></html>");
        std::vector<SyntaxRange> all;
        int state = kSyntaxStartState;
        int offset = 0;
        for (const QString& line : page.split(u'\n')) {
            std::vector<SyntaxRange> ranges;
            state = ClassifyLine(SyntaxLanguage::Html, line, state, ranges);
            for (SyntaxRange r : ranges) {
                r.start += offset;
                all.push_back(r);
            }
            offset += int(line.size()) + 1;
        }
        auto kindAt = [&](qsizetype at) -> int {
            for (const SyntaxRange& r : all)
                if (at >= r.start && at < r.start + r.length)
                    return int(r.kind);
            return -1;
        };
        HtmlScanner scanner(page);
        HtmlToken token;
        int tags = 0;
        while (scanner.Next(token)) {
            if (token.kind == HtmlToken::Kind::Comment) {
                QCOMPARE(kindAt(token.start), int(SyntaxKind::Comment));
                QCOMPARE(kindAt(token.end - 1), int(SyntaxKind::Comment));
                continue;
            }
            if (!token.IsTag())
                continue;
            ++tags;
            QCOMPARE(kindAt(token.start), int(SyntaxKind::Tag));
            QCOMPARE(kindAt(token.end - 1), int(SyntaxKind::Tag));
            for (const HtmlAttrRange& a : token.attrs) {
                QCOMPARE(kindAt(a.start), int(a.serverCode ? SyntaxKind::Declaration : SyntaxKind::AttrName));
                if (a.HasValue())
                    QCOMPARE(kindAt(a.valueEnd - 1), int(SyntaxKind::AttrValue));
            }
        }
        QCOMPARE(tags, 40);
        // Text the reader passes over is no markup.
        QCOMPARE(kindAt(page.indexOf(u"id=no")), int(SyntaxKind::Comment));
        for (const char16_t* hidden : {u"id=raw", u"id=written", u"id=json", u"id=css", u"id=rc"})
            QCOMPARE(kindAt(page.indexOf(QStringView(hidden))) == int(SyntaxKind::AttrName), false);
        QCOMPARE(kindAt(page.indexOf(u"id=php")), int(SyntaxKind::Declaration));
        QCOMPARE(kindAt(page.indexOf(u"after-bang")), int(SyntaxKind::AttrValue));
    }

    void longLineIsPlainAndTheNextStartsAfresh()
    {
        const QString line = QStringLiteral("<!--") + QString(kSyntaxMaxLineChars, u'x');
        std::vector<SyntaxRange> ranges;
        QCOMPARE(ClassifyLine(SyntaxLanguage::Html, line, kSyntaxStartState, ranges),
                 kSyntaxStartState);
        QVERIFY(ranges.empty());
        // One character less is coloured, and the comment runs on.
        QVERIFY(ClassifyLine(SyntaxLanguage::Html, line.left(kSyntaxMaxLineChars),
                             kSyntaxStartState, ranges)
                != kSyntaxStartState);
        QCOMPARE(ranges.size(), size_t(1));
    }
};
KELVO_TEST(TestSyntaxColouring, "SyntaxColouring");
#include "tst_SyntaxColouring.moc"
