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
            << "<IMG SRC=\"a.gif\" ALT=\"x y\" BORDER>";
        QTest::newRow("self-closing") << "<br />" << "br|/" << "<br />";
        QTest::newRow("self-closing without blank") << "<BR/>" << "BR|/" << "<BR />";
        QTest::newRow("server code") << "<% x %>" << "x" << "<x>";
        QTest::newRow("tab does not end the name") << "<IMG\tSRC=a>" << "IMG\tSRC=a"
                                                   << "<IMG\tSRC=a>";
        QTest::newRow("text around the tag") << "ab <B>cd</B>" << "B" << "<B>";
        QTest::newRow("end tag") << "</B>" << "/B" << "</B>";
        QTest::newRow("blanks around equals") << "<A HREF = \"x.htm\" >"
                                              << "A|HREF=[x.htm]" << "<A HREF=\"x.htm\">";
        QTest::newRow("leading white space of the attributes") << "<A  \t HREF=x>"
                                                               << "A|HREF=[x]" << "<A HREF=\"x\">";
        QTest::newRow("case kept") << "<td Align=Center>" << "td|Align=[Center]"
                                   << "<td Align=\"Center\">";
        QTest::newRow("apostrophe inside double quotes")
            << "<A TITLE=\"it's\">" << "A|TITLE=[it's]" << "<A TITLE=\"it's\">";
        QTest::newRow("double quotes inside apostrophes")
            << "<A TITLE='say \"hi\"'>" << "A|TITLE=[say \"hi]" << "<A TITLE=\"say \"hi\">";
        QTest::newRow("tab after a value") << "<A X=1\tY=2>" << "A|X=[1\tY=2]"
                                           << "<A X=\"1\tY=2\">";
        QTest::newRow("tab after a quoted value") << "<A X=\"1\"\tY=2>" << "A|X=[1]|Y=[2]"
                                                  << "<A X=\"1\" Y=\"2\">";
        QTest::newRow("valueless then valued") << "<INPUT CHECKED NAME=a>"
                                               << "INPUT|CHECKED=[]|NAME=[a]"
                                               << "<INPUT CHECKED NAME=\"a\">";
        QTest::newRow("slash inside a name") << "<X AB/CD>" << "X|AB=[]|CD=[]" << "<X AB CD>";
        QTest::newRow("slash in a value") << "<A HREF=a/b/c.htm>" << "A|HREF=[a/b/c.htm]"
                                          << "<A HREF=\"a/b/c.htm\">";
        QTest::newRow("empty quoted value") << "<A B=\"\" C=''>" << "A|B=[]|C=[]" << "<A B C>";
        QTest::newRow("first > ends the tag") << "<A ALT=\"a>b\">" << "A|ALT=[a]"
                                              << "<A ALT=\"a\">";
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
        QTest::newRow("only a slash") << "</>" << "|/";
        QTest::newRow("two percent signs") << "<%%>" << "%%";
        QTest::newRow("unterminated double quote") << "<A B=\"xyz C=1>" << "A|B=[xyz C=1]";
        QTest::newRow("unterminated apostrophe") << "<A B='xyz>" << "A|B=[xyz]";
        QTest::newRow("lone equals") << "<A =>" << "A";
        QTest::newRow("lone double quote") << "<A \">" << "A|\"=[]";
        QTest::newRow("lone apostrophe") << "<A '>" << "A|'=[]";
        QTest::newRow("equals and value without name") << "<a =b>" << "a|=[b]";
        QTest::newRow("equals at the end") << "<A B=>" << "A|B=[]";
        QTest::newRow("equals then blanks") << "<A B=  >" << "A|B=[]";
        QTest::newRow("value is one quote") << "<A B=\">" << "A|B=[]";
        QTest::newRow("quote straight after a value") << "<A B=\"x\"C>" << "A|B=[x]|C=[]";
        QTest::newRow("one-letter name after a value") << "<A B=1 C>" << "A|B=[1]|C=[]";
        QTest::newRow("one-letter name after a flag") << "<A B C>" << "A|B=[]|C=[]";
        QTest::newRow("one-letter value at the end") << "<A B=x>" << "A|B=[x]";
        QTest::newRow("doubled equals") << "<A B==x>" << "A|B=[x]";
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
        QTest::newRow("unterminated long value")
            << "<A B=\"" + QString(n, u'v') + ">" << "B" << QString(n, u'v') << 1;
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

    void parseKeepsInnerText()
    {
        CTagObj tag(QStringLiteral("B"));
        tag.SetInnerText(QStringLiteral("inner"));
        tag.Parse(QStringLiteral("<I X=1>"));
        QCOMPARE(tag.InnerText(), QStringLiteral("inner"));
        QCOMPARE(tag.GetElement(false), QStringLiteral("<I X=\"1\">inner</I>"));
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
            << "<IMG WIDTH=10 SRC=a>" << QStringList{"set WIDTH "} << "<IMG SRC=\"a\">";
        QTest::newRow("two quotes remove") << "<IMG WIDTH=10>" << QStringList{"set width \"\""}
                                           << "<IMG>";
        QTest::newRow("replacing keeps place and name case")
            << "<IMG width=10 SRC=a>" << QStringList{"set WIDTH 20"}
            << "<IMG width=\"20\" SRC=\"a\">";
        QTest::newRow("replacing trims apostrophes and quotes")
            << "<A X=1>" << QStringList{"set X '\"v\"'"} << "<A X=\"v\">";
        QTest::newRow("appending trims only double quotes")
            << "<A>" << QStringList{"set X '\"v\"'"} << "<A X=\"'\"v\"'\">";
        QTest::newRow("appending trims double quotes")
            << "<A>" << QStringList{"set X \"v\""} << "<A X=\"v\">";
        QTest::newRow("replacing with nothing but quotes removes")
            << "<A X=1 Y=2>" << QStringList{"set X '\"'"} << "<A Y=\"2\">";
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
                                               << "<HR NOSHADE=\"x\">";
        QTest::newRow("flag off") << "<HR NOSHADE SIZE=2>" << QStringList{"flag noshade 0"}
                                  << "<HR SIZE=\"2\">";
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
                                          << "<HR WIDTH=\"80%\">";
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
        QCOMPARE(a.GetElement(false), QStringLiteral("<A HREF=\"x\">t</A>"));
        QCOMPARE(b.GetElement(false), QStringLiteral("<A HREF=\"y\">u</A>"));
    }
};
KELVO_TEST(TestTagObj, "TagObj");
#include "tst_TagObj.moc"
