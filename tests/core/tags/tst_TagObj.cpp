#include "TestRegistry.h"

#include "core/tags/CTagObj.h"

#include <QTest>

namespace {

// The parsed tag in one line: "NAME|ATTR=[value]|...", with "|/" at the end
// for a self-closing tag, so each table row states the whole result.
QString Dump(const CTagObj& tag)
{
    QString out = tag.Name();
    for (const CTagAttr& a : tag.Attrs())
        out += QStringLiteral("|%1=[%2]").arg(a.name, a.value);
    if (tag.IsSelfClosing())
        out += QStringLiteral("|/");
    return out;
}

CTagObj Parsed(const QString& text)
{
    CTagObj tag;
    tag.Parse(text);
    return tag;
}

// Applies one step written as "op NAME VALUE": set, flag (1/0), int
// (number, "keep" for keep-zero), color, percent (1/0), remove.
void Apply(CTagObj& tag, const QString& step)
{
    const QStringList parts = step.split(u' ');
    const QString op = parts.value(0);
    const QString name = parts.value(1);
    const QString value = parts.mid(2).join(u' ');
    if (op == u"set")
        tag.SetAttr(name, value);
    else if (op == u"flag")
        tag.SetFlagAttr(name, value == u"1");
    else if (op == u"int")
        tag.SetIntAttr(name, parts.value(2).toInt(), parts.value(3) == u"keep");
    else if (op == u"color")
        tag.SetColorAttr(name, value);
    else if (op == u"percent")
        tag.SetPercentAttr(name, value == u"1");
    else if (op == u"remove")
        tag.RemoveAttr(name);
    else
        QFAIL(qPrintable(QStringLiteral("unknown step ") + step));
}

} // namespace

class TestTagObj : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void parse_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("parsed");
        QTest::addColumn<QString>("startTag");

        QTest::newRow("mixed quoting and a flag")
            << "<IMG SRC=a.gif ALT='x y' BORDER>" << "IMG|SRC=[a.gif]|ALT=[x y]|BORDER=[]"
            << "<IMG SRC=a.gif ALT='x y' BORDER>";
        QTest::newRow("self-closing") << "<br />" << "br|/" << "<br />";
        QTest::newRow("server code") << "<% x %>" << "x" << "<x>";
        QTest::newRow("tab ends the name") << "<IMG\tSRC=a>" << "IMG|SRC=[a]" << "<IMG\tSRC=a>";
        QTest::newRow("text around the tag") << "ab <B>cd</B>" << "B" << "<B>";
        QTest::newRow("comment before the tag") << "<!-- <I> --><B X=1>" << "B|X=[1]" << "<B X=1>";
        QTest::newRow("end tag") << "</B>" << "/B" << "</B>";
        QTest::newRow("tab after a value") << "<A X=1\tY=2>" << "A|X=[1]|Y=[2]"
                                           << "<A X=1\tY=2>";
        QTest::newRow("slash inside a name") << "<X AB/CD>" << "X|AB=[]|CD=[]" << "<X AB/CD>";
        QTest::newRow("slash in a value") << "<A HREF=a/b/c.htm>" << "A|HREF=[a/b/c.htm]"
                                          << "<A HREF=a/b/c.htm>";
        QTest::newRow("empty quoted value") << "<A B=\"\" C=''>" << "A|B=[]|C=[]"
                                            << "<A B=\"\" C=''>";
        QTest::newRow("> inside quotes") << "<A ALT=\"a>b\">" << "A|ALT=[a>b]"
                                         << "<A ALT=\"a>b\">";
        QTest::newRow("< starting no tag before the tag") << "a < b <B>" << "B" << "<B>";
    }
    void parse()
    {
        QFETCH(QString, text);
        QFETCH(QString, parsed);
        QFETCH(QString, startTag);
        const CTagObj tag = Parsed(text);
        QCOMPARE(Dump(tag), parsed);
        QCOMPARE(tag.GetStartTag(), startTag);
    }

    // Broken text of every kind parses without reading past the end and
    // keeps whatever it could recognise, the last attribute included.
    void parseHostile_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("parsed");

        QTest::newRow("empty text") << "" << "";
        QTest::newRow("no tag") << "plain text" << "";
        QTest::newRow("< without >") << "<IMG SRC=a" << "";
        QTest::newRow("> before <") << "a>b<c" << "";
        QTest::newRow("empty tag") << "<>" << "";
        QTest::newRow("only a slash") << "</>" << "";
        QTest::newRow("two percent signs") << "<%%>" << "";
        // A quote never closed runs to the end of the text, so the tag never
        // ends: browsers drop it.
        QTest::newRow("unterminated double quote") << "<A B=\"xyz C=1>" << "";
        QTest::newRow("unterminated apostrophe") << "<A B='xyz>" << "";
        QTest::newRow("lone equals") << "<A =>" << "A|==[]";
        QTest::newRow("lone double quote") << "<A \">" << "A|\"=[]";
        QTest::newRow("lone apostrophe") << "<A '>" << "A|'=[]";
        QTest::newRow("equals and value without name") << "<a =b>" << "a|=b=[]";
        QTest::newRow("equals at the end") << "<A B=>" << "A|B=[]";
        QTest::newRow("equals then blanks") << "<A B=  >" << "A|B=[]";
        QTest::newRow("value is one quote") << "<A B=\">" << "";
        QTest::newRow("quote straight after a value") << "<A B=\"x\"C>" << "A|B=[x]|C=[]";
        QTest::newRow("one-letter name after a value") << "<A B=1 C>" << "A|B=[1]|C=[]";
        QTest::newRow("one-letter name after a flag") << "<A B C>" << "A|B=[]|C=[]";
        QTest::newRow("one-letter value at the end") << "<A B=x>" << "A|B=[x]";
        QTest::newRow("doubled equals") << "<A B==x>" << "A|B=[=x]";
        QTest::newRow("many blanks") << "<A      >" << "A";
        QTest::newRow("only white space after the name") << "<A \t\r\n>" << "A";
    }
    void parseHostile()
    {
        QFETCH(QString, text);
        QFETCH(QString, parsed);
        QCOMPARE(Dump(Parsed(text)), parsed);
    }

    void parseHuge_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("lastName");
        QTest::addColumn<QString>("lastValue");
        QTest::addColumn<int>("count");

        const int n = 100000;
        QTest::newRow("one long value")
            << "<IMG ALT=\"" + QString(n, u'x') + "\" Z>" << "Z" << "" << 2;
        QTest::newRow("one long name") << "<A " + QString(n, u'n') + ">" << QString(n, u'n') << ""
                                       << 1;
        QTest::newRow("long value with > inside")
            << "<A B=\"" + QString(n, u'>') + "\">" << "B" << QString(n, u'>') << 1;
        QString many = QStringLiteral("<A");
        for (int i = 0; i < 10000; ++i)
            many += QStringLiteral(" N%1=%1").arg(i);
        many += QStringLiteral(" L>");
        QTest::newRow("ten thousand attributes") << many << "L" << "" << 10001;
        QTest::newRow("long tag without >") << "<A " + QString(n, u'=') << "" << "" << 0;
    }
    void parseHuge()
    {
        QFETCH(QString, text);
        QFETCH(QString, lastName);
        QFETCH(QString, lastValue);
        QFETCH(int, count);
        const CTagObj tag = Parsed(text);
        QCOMPARE(static_cast<int>(tag.Attrs().size()), count);
        if (count > 0) {
            QCOMPARE(tag.Attrs().back().name, lastName);
            QCOMPARE(tag.Attrs().back().value, lastValue);
        }
    }

    // Tags as real pages write them: parsed as a browser reads them, given
    // back byte for byte while unchanged, and after one change every other
    // attribute still as it was written.
    void writeBack_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("parsed");
        QTest::addColumn<QString>("step");
        QTest::addColumn<QString>("changed");

        QTest::newRow("double quotes holding > and an apostrophe")
            << "<A TITLE=\"a > b's\" HREF=x.htm>" << "A|TITLE=[a > b's]|HREF=[x.htm]"
            << "set HREF y.htm" << "<A TITLE=\"a > b's\" HREF=\"y.htm\">";
        QTest::newRow("apostrophes holding double quotes")
            << "<IMG ALT='say \"hi\"' SRC=a.gif>" << "IMG|ALT=[say \"hi\"]|SRC=[a.gif]"
            << "set ALT say \"bye\"" << "<IMG ALT='say \"bye\"' SRC=a.gif>";
        QTest::newRow("both quotes in a changed value")
            << "<A ONCLICK='alert(\"x\")' HREF=\"#\">" << "A|ONCLICK=[alert(\"x\")]|HREF=[#]"
            << "set ONCLICK alert(\"it's\")" << "<A ONCLICK=\"alert(&quot;it's&quot;)\" HREF=\"#\">";
        QTest::newRow("over lines, indented with tabs")
            << "<IMG\r\n\tSRC=\"a.gif\"\r\n\tALT=\"x\"\r\n\tWIDTH=10\r\n>"
            << "IMG|SRC=[a.gif]|ALT=[x]|WIDTH=[10]" << "set WIDTH 20"
            << "<IMG\r\n\tSRC=\"a.gif\"\r\n\tALT=\"x\"\r\n\tWIDTH=\"20\"\r\n>";
        QTest::newRow("form feed and blanks around equals")
            << "<A\fHREF = \"x.htm\" >" << "A|HREF=[x.htm]" << "set TARGET _top"
            << "<A\fHREF = \"x.htm\" TARGET=\"_top\" >";
        QTest::newRow("references decoded, kept as written")
            << "<A HREF=\"Q&amp;A.html\" TITLE=\"caf&eacute; &#233;&#xE9 &#159;&#65a\">"
            << "A|HREF=[Q&A.html]|TITLE=[café éé ŸAa]" << "set TITLE a&b &amp;"
            << "<A HREF=\"Q&amp;A.html\" TITLE=\"a&b &amp;amp;\">";
        QTest::newRow("a query is no reference")
            << "<A HREF=\"?a=1&copy=2&copyx&lt\">" << "A|HREF=[?a=1&copy=2&copyx<]" << "set HREF ?a=1&copy=3"
            << "<A HREF=\"?a=1&copy=3\">";
        QTest::newRow("empty alternative text kept")
            << "<IMG SRC=a.gif ALT=\"\">" << "IMG|SRC=[a.gif]|ALT=[]" << "set ALT "
            << "<IMG SRC=a.gif ALT=\"\">";
        QTest::newRow("leading apostrophe kept")
            << "<IMG ALT=\"'90s poster\">" << "IMG|ALT=['90s poster]" << "set ALT '80s poster"
            << "<IMG ALT=\"'80s poster\">";
        QTest::newRow("self-closing without blank")
            << "<BR/>" << "BR|/" << "set CLASS x" << "<BR CLASS=\"x\"/>";
        QTest::newRow("self-closing switched off")
            << "<HR SIZE=2 />" << "HR|SIZE=[2]|/" << "" << "<HR SIZE=2>";
        QTest::newRow("attribute straight after a quote")
            << "<A B=\"x\"C>" << "A|B=[x]|C=[]" << "set D 1" << "<A B=\"x\"C D=\"1\">";
        QTest::newRow("first of two equal names counts")
            << "<A X=1 x=2>" << "A|X=[1]|x=[2]" << "set X 3" << "<A X=\"3\" x=2>";
        QTest::newRow("server code in a value kept beside a change")
            << "<img src=\"<?php echo \"img/A.gif\"; ?>\">" << "img|src=[<?php echo \"img/A.gif\"; ?>]"
            << "set WIDTH 5" << "<img src=\"<?php echo \"img/A.gif\"; ?>\" WIDTH=\"5\">";
        QTest::newRow("server code in place of an attribute")
            << "<td <?php if ($W) ?> align=Left>" << "td|<?php if ($W) ?>=[]|align=[Left]"
            << "set ALIGN right" << "<td <?php if ($W) ?> align=\"right\">";
        QTest::newRow("server code in a changed value written as it is")
            << "<A TITLE=\"<?= \"&amp;'\" ?>&amp;\">" << "A|TITLE=[<?= \"&amp;'\" ?>&]"
            << "set TITLE <?= \"&amp;'\" ?>'" << "<A TITLE=\"<?= \"&amp;'\" ?>'\">";
        QTest::newRow("case of unquoted value kept")
            << "<td Align=Center>" << "td|Align=[Center]" << "set VALIGN top"
            << "<td Align=Center VALIGN=\"top\">";
    }
    void writeBack()
    {
        QFETCH(QString, text);
        QFETCH(QString, parsed);
        QFETCH(QString, step);
        QFETCH(QString, changed);
        CTagObj tag = Parsed(text);
        QCOMPARE(Dump(tag), parsed);
        QCOMPARE(tag.GetStartTag(), text);
        if (step.isEmpty())
            tag.SetSelfClosing(false);
        else
            Apply(tag, step);
        QCOMPARE(tag.GetStartTag(), changed);
    }

    void parseKeepsInnerText()
    {
        CTagObj tag(QStringLiteral("B"));
        tag.SetInnerText(QStringLiteral("inner"));
        tag.Parse(QStringLiteral("<I X=1>"));
        QCOMPARE(tag.InnerText(), QStringLiteral("inner"));
        QCOMPARE(tag.GetElement(false), QStringLiteral("<I X=1>inner</I>"));
    }

    void element_data()
    {
        QTest::addColumn<QString>("inner");
        QTest::addColumn<bool>("lineBreaks");
        QTest::addColumn<QString>("element");

        QTest::newRow("inline") << "abc" << false << "<UL>abc</UL>";
        QTest::newRow("inline empty") << "" << false << "<UL></UL>";
        QTest::newRow("block") << "abc" << true << "<UL>\r\nabc\r\n</UL>";
        QTest::newRow("block empty") << "" << true << "<UL>\r\n\r\n</UL>";
        QTest::newRow("block ending in CR LF") << "abc\r\n" << true << "<UL>\r\nabc\r\n</UL>";
        QTest::newRow("block that is one CR LF") << "\r\n" << true << "<UL>\r\n\r\n</UL>";
        QTest::newRow("block of one character") << "a" << true << "<UL>\r\na\r\n</UL>";
        QTest::newRow("block ending in LF only") << "a\n" << true << "<UL>\r\na\n\r\n</UL>";
    }
    void element()
    {
        QFETCH(QString, inner);
        QFETCH(bool, lineBreaks);
        QFETCH(QString, element);
        CTagObj tag(QStringLiteral("UL"));
        tag.SetInnerText(inner);
        QCOMPARE(tag.GetElement(lineBreaks), element);
    }

    void setters_data()
    {
        QTest::addColumn<QString>("tag");
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QString>("startTag");

        QTest::newRow("empty value removes")
            << "<IMG WIDTH=10 SRC=a>" << QStringList{"set WIDTH "} << "<IMG SRC=a>";
        QTest::newRow("two quotes remove") << "<IMG WIDTH=10>" << QStringList{"set width \"\""}
                                           << "<IMG>";
        QTest::newRow("replacing keeps place and name case")
            << "<IMG width=10 SRC=a>" << QStringList{"set WIDTH 20"}
            << "<IMG width=\"20\" SRC=a>";
        QTest::newRow("replacing keeps quotes of the value")
            << "<A X=1>" << QStringList{"set X '\"v\"'"} << "<A X=\"'&quot;v&quot;'\">";
        QTest::newRow("appending keeps both kinds of quotes")
            << "<A>" << QStringList{"set X '\"v\"'"} << "<A X=\"'&quot;v&quot;'\">";
        QTest::newRow("appending keeps double quotes, in apostrophes")
            << "<A>" << QStringList{"set X \"v\""} << "<A X='\"v\"'>";
        QTest::newRow("replacing with a bare pair of quotes removes")
            << "<A X=1 Y=2>" << QStringList{"set X ''"} << "<A Y=2>";
        QTest::newRow("new attributes are appended in order")
            << "<TABLE>" << QStringList{"set BORDER 1", "set WIDTH 80%", "set ALIGN center"}
            << "<TABLE BORDER=\"1\" WIDTH=\"80%\" ALIGN=\"center\">";
        QTest::newRow("removal takes duplicates too")
            << "<A X=1 X=2>" << QStringList{"set x "} << "<A>";
        QTest::newRow("flag on") << "<HR>" << QStringList{"flag NOSHADE 1"} << "<HR NOSHADE>";
        QTest::newRow("flag on twice") << "<HR noshade>" << QStringList{"flag NOSHADE 1"}
                                       << "<HR noshade>";
        QTest::newRow("flag on keeps a value") << "<HR NOSHADE=x>"
                                               << QStringList{"flag NOSHADE 1"}
                                               << "<HR NOSHADE=x>";
        QTest::newRow("flag off") << "<HR NOSHADE SIZE=2>" << QStringList{"flag noshade 0"}
                                  << "<HR SIZE=2>";
        QTest::newRow("int zero kept") << "<IMG>" << QStringList{"int BORDER 0 keep"}
                                       << "<IMG BORDER=\"0\">";
        QTest::newRow("int zero removes") << "<IMG HSPACE=4>" << QStringList{"int HSPACE 0"}
                                          << "<IMG>";
        QTest::newRow("int negative") << "<IMG>" << QStringList{"int VSPACE -3"}
                                      << "<IMG VSPACE=\"-3\">";
        QTest::newRow("colour gets #") << "<BODY>" << QStringList{"color BGCOLOR FF0000"}
                                       << "<BODY BGCOLOR=\"#FF0000\">";
        QTest::newRow("colour trimmed") << "<BODY>" << QStringList{"color BGCOLOR  00ff00 "}
                                        << "<BODY BGCOLOR=\"#00ff00\">";
        QTest::newRow("colour name kept") << "<BODY>" << QStringList{"color TEXT red"}
                                          << "<BODY TEXT=\"red\">";
        QTest::newRow("empty colour removes") << "<BODY TEXT=red>" << QStringList{"color TEXT "}
                                              << "<BODY>";
        QTest::newRow("percent on") << "<HR WIDTH=80>" << QStringList{"percent WIDTH 1"}
                                    << "<HR WIDTH=\"80%\">";
        QTest::newRow("percent on twice") << "<HR WIDTH=80%>" << QStringList{"percent WIDTH 1"}
                                          << "<HR WIDTH=80%>";
        QTest::newRow("percent off") << "<HR WIDTH=80%>" << QStringList{"percent width 0"}
                                     << "<HR WIDTH=\"80\">";
        QTest::newRow("percent off removes one") << "<HR WIDTH=80%%>"
                                                 << QStringList{"percent WIDTH 0"}
                                                 << "<HR WIDTH=\"80%\">";
        QTest::newRow("percent of a missing attribute") << "<HR>" << QStringList{"percent WIDTH 1"}
                                                        << "<HR>";
        QTest::newRow("percent of a flag") << "<HR WIDTH>" << QStringList{"percent WIDTH 1"}
                                           << "<HR WIDTH>";
        QTest::newRow("percent off of a lone %") << "<HR WIDTH=%>"
                                                 << QStringList{"percent WIDTH 0"} << "<HR>";
    }
    void setters()
    {
        QFETCH(QString, tag);
        QFETCH(QStringList, steps);
        QFETCH(QString, startTag);
        CTagObj t = Parsed(tag);
        for (const QString& step : steps)
            Apply(t, step);
        QCOMPARE(t.GetStartTag(), startTag);
    }

    void getters_data()
    {
        QTest::addColumn<QString>("tag");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("attr");
        QTest::addColumn<bool>("has");
        QTest::addColumn<QString>("color");
        QTest::addColumn<bool>("percent");

        QTest::newRow("hex colour") << "<BODY BGCOLOR=\"#ff0000\">" << "bgcolor" << "#ff0000"
                                    << true << "ff0000" << false;
        QTest::newRow("colour name") << "<BODY BGCOLOR=red>" << "BGCOLOR" << "red" << true << ""
                                     << false;
        QTest::newRow("colour with blanks") << "<BODY BGCOLOR=\" #00FF00 \">" << "BGCOLOR"
                                            << " #00FF00 " << true << "00FF00" << false;
        QTest::newRow("short hex") << "<BODY BGCOLOR=#fff>" << "BGCOLOR" << "#fff" << true << ""
                                   << false;
        QTest::newRow("missing") << "<BODY>" << "BGCOLOR" << "" << false << "" << false;
        QTest::newRow("flag") << "<TD NOWRAP>" << "nowrap" << "" << true << "" << false;
        QTest::newRow("percent") << "<TD WIDTH=50%>" << "WIDTH" << "50%" << true << "" << true;
        QTest::newRow("first of two") << "<TD WIDTH=1 WIDTH=2%>" << "WIDTH" << "1" << true << ""
                                      << false;
    }
    void getters()
    {
        QFETCH(QString, tag);
        QFETCH(QString, name);
        QFETCH(QString, attr);
        QFETCH(bool, has);
        QFETCH(QString, color);
        QFETCH(bool, percent);
        const CTagObj t = Parsed(tag);
        QCOMPARE(t.GetAttr(name), attr);
        QCOMPARE(t.HasAttr(name), has);
        QCOMPARE(t.GetColorAttr(name), color);
        QCOMPARE(t.IsPercentAttr(name), percent);
    }

    void choice_data()
    {
        QTest::addColumn<QString>("tag");
        QTest::addColumn<int>("index");

        QTest::newRow("match ignores case") << "<TD ALIGN=CENTER>" << 2;
        QTest::newRow("first entry") << "<TD ALIGN=left>" << 1;
        QTest::newRow("unknown") << "<TD ALIGN=justify>" << 0;
        QTest::newRow("missing") << "<TD>" << 0;
        QTest::newRow("valueless") << "<TD ALIGN>" << 0;
        QTest::newRow("placeholder text is not a value") << "<TD ALIGN=指定なし>" << 0;
    }
    void choice()
    {
        QFETCH(QString, tag);
        QFETCH(int, index);
        const QStringList choices{QStringLiteral("指定なし"), QStringLiteral("left"),
                                  QStringLiteral("center"), QStringLiteral("right")};
        QCOMPARE(Parsed(tag).GetChoiceAttr(QStringLiteral("align"), choices), index);
    }

    void copiesAreIndependent()
    {
        CTagObj a = Parsed(QStringLiteral("<A HREF=x>"));
        a.SetInnerText(QStringLiteral("t"));
        CTagObj b = a;
        b.SetAttr(QStringLiteral("HREF"), QStringLiteral("y"));
        b.SetInnerText(QStringLiteral("u"));
        QCOMPARE(a.GetElement(false), QStringLiteral("<A HREF=x>t</A>"));
        QCOMPARE(b.GetElement(false), QStringLiteral("<A HREF=\"y\">u</A>"));
    }
};
KELVO_TEST(TestTagObj, "TagObj");
#include "tst_TagObj.moc"
