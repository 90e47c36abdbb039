#include "TestRegistry.h"

#include "core/style/CStyleDeclList.h"
#include "core/style/CStyleRule.h"
#include "core/style/CStyleSheet.h"
#include "core/style/CStyleUnits.h"
#include "core/style/CssReader.h"
#include "core/style/StyleValues.h"

#include <QTest>

namespace {

// The tokens of a text as "Kind(text)" one after the other.
QString Tokens(const QString& text)
{
    static const char* const kNames[] = {
        "Ws",     "Comment", "Ident",  "Function", "At",     "Hash",   "String",
        "BadStr", "Url",     "BadUrl", "Num",      "Pct",    "Dim",    "Delim",
        "Cdo",    "Cdc",     ":",      ";",        ",",      "[",      "]",
        "(",      ")",       "{",      "}"};
    QStringList out;
    for (const CssToken& t : TokenizeCss(text))
        out << QString::fromLatin1(kNames[int(t.kind)]) + u'(' + text.mid(t.start, t.end - t.start)
                   + u')';
    return out.join(u' ');
}

QString Inline(const QString& text)
{
    CStyleDeclList d;
    d.Parse(text);
    return d.ToText();
}

} // namespace

class TestStyleModel : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Where each token ends, at the edge of each rule of the tokenizer.
    void tokenBoundaries_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("tokens");
        QTest::newRow("url() quoted either way is a function")
            << "url('x')url( \"y\")" << "Function(url() String('x') )()) Function(url() Ws( ) "
                                         "String(\"y\") )())";
        QTest::newRow("url() unquoted, escaped bracket, blank or quote inside, at the end")
            << "url(a\\)b)URL( a )url(a b)url(a'b)urlx(a)url(c"
            << "Url(url(a\\)b)) Url(URL( a )) BadUrl(url(a b)) BadUrl(url(a'b)) Function(urlx() "
               "Ident(a) )()) Url(url(c)";
        QTest::newRow("comments: /*/ opens only, an open one runs to the end")
            << "/*/ x */y/**//*" << "Comment(/*/ x */) Ident(y) Comment(/**/) Comment(/*)";
        QTest::newRow("numbers: exponents, points, signs")
            << "1E3 1e+3% 1e-3 2e-x 1.5.5 +.5 -1em 7"
            << "Num(1E3) Ws( ) Pct(1e+3%) Ws( ) Num(1e-3) Ws( ) Dim(2e-x) Ws( ) Num(1.5) Num(.5) "
               "Ws( ) Num(+.5) Ws( ) Dim(-1em) Ws( ) Num(7)";
        QTest::newRow("minus, plus, point and HTML comment marks")
            << "-->-x --y - + .a<!--<!-x" << "Cdc(-->) Ident(-x) Ws( ) Ident(--y) Ws( ) Delim(-) "
                                             "Ws( ) Delim(+) Ws( ) Delim(.) Ident(a) Cdo(<!--) "
                                             "Delim(<) Delim(!) Ident(-x)";
        QTest::newRow("hash, at-keyword and their lone marks")
            << "#a1 #- # @m @1" << "Hash(#a1) Ws( ) Hash(#-) Ws( ) Delim(#) Ws( ) At(@m) Ws( ) "
                                   "Delim(@) Num(1)";
        QTest::newRow("strings: escaped quote, cut by a line break, continued, open")
            << "'a\\'b'\"c\n\"d\\\r\ne\"'f"
            << "String('a\\'b') BadStr(\"c) Ws(\n) String(\"d\\\r\ne\") String('f)";
        QTest::newRow("escapes: hex with its blank, before a line break, at the very end")
            << "\\31 x\\31\r\ny \\123456 z \\1234567 a\\\nb\\\fc\\"
            << "Ident(\\31 x\\31\r\ny) Ws( ) Ident(\\123456 z) Ws( ) Ident(\\1234567) Ws( ) Ident(a) "
               "Delim(\\) Ws(\n) Ident(b) Delim(\\) Ws(\f) Ident(c\\)";
        QTest::newRow("every bracket and separator")
            << "a[b](c){d:e;f,g}" << "Ident(a) [([) Ident(b) ](]) ((() Ident(c) )()) {({) Ident(d) "
                                     ":(:) Ident(e) ;(;) Ident(f) ,(,) Ident(g) }(})";
    }
    void tokenBoundaries()
    {
        QFETCH(QString, text);
        QFETCH(QString, tokens);
        QCOMPARE(Tokens(text), tokens);
    }

    void declarations_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("written");  // inline form
        QTest::newRow("empty declarations and blanks around the colon")
            << "color:red;;  font-size : 12px" << "color: red;font-size: 12px;";
        QTest::newRow("value runs to the end without semicolon") << "a:b" << "a: b;";
        QTest::newRow("name and colon at the very end") << "a: b; c:" << "a: b;c: ;";
        QTest::newRow("name with empty value before semicolon") << "a:;b:c" << "a: ;b: c;";
        QTest::newRow("text without colon kept, ended") << "just text" << "just text;";
        QTest::newRow("quoted font list stays one value")
            << "font-family: 'MS Gothic', serif" << "font-family: 'MS Gothic', serif;";
        QTest::newRow("one-character value at the end") << "a:1" << "a: 1;";
        QTest::newRow("tab before the value stays out") << "a:\tb " << "a: b;";
        QTest::newRow("only semicolons") << ";;;" << "";
        QTest::newRow("white space only") << " \r\n " << "";
        QTest::newRow("colon without name kept") << ":x" << ":x;";
        QTest::newRow("semicolons inside strings, url() and brackets")
            << "content: \"a;b}\"; background: url(data:image/png;base64,AA==) ; x: f(a;b)"
            << "content: \"a;b}\";background: url(data:image/png;base64,AA==);x: f(a;b);";
        QTest::newRow("only \"!\" makes a value important")
            << "a: b ?important; c: d !x important" << "a: b ?important;c: d !x important;";
        QTest::newRow("!important apart from the value, comments kept")
            << "color: red!IMPORTANT; /* color: blue; */ margin: 0 /* x */ ! important"
            << "color: red !important;/* color: blue; */margin: 0 /* x */ !important;";
        QTest::newRow("escapes: a quotation mark in a string, ) in url(), ; in a name")
            << "content: \"a\\\";b\"; x: url(a\\)b.png); a\\;b: c"
            << "content: \"a\\\";b\";x: url(a\\)b.png);a\\;b: c;";
        QTest::newRow("a bad url() runs to its bracket, a line break ends a string")
            << "a: url(a b;c.png); d: 'x\ny; e: f"
            << "a: url(a b;c.png);d: 'x\ny;e: f;";
        QTest::newRow("custom property with a block, nested rule")
            << "--x: {a:b}; --y: a {b}; a:hover { color: red } b: c; -w: x {y: z} v: {a:b} c"
            << "--x: {a:b};--y: a {b};a:hover { color: red }b: c;-w: x {y: z}v: {a:b}c;";
        QTest::newRow("a comment left open is closed, /*/ too") << "a: b /*/" << "a: b /*/*/;";
    }
    void declarations()
    {
        QFETCH(QString, text);
        QFETCH(QString, written);
        QCOMPARE(Inline(text), written);
    }

    void setAndRemove_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("written");
        QTest::addColumn<QString>("setter");  // Set, SetUrl or SetNumber (unit 0)
        QTest::newRow("change keeps place") << "a: 1;b: 2" << "A" << " 3 " << "a: 3;b: 2;" << "";
        QTest::newRow("new one appended") << "a: 1" << "c" << "3" << "a: 1;c: 3;" << "";
        QTest::newRow("two quotes remove") << "a: 1;b: 2" << "a" << "\"\"" << "b: 2;" << "";
        QTest::newRow("empty removes") << "a: 1;b: 2" << "b" << "" << "a: 1;" << "";
        QTest::newRow("first match only") << "a: 1;A: 2" << "a" << "" << "A: 2;" << "";
        QTest::newRow("removing what is absent") << "a: 1" << "b" << "" << "a: 1;" << "";
        QTest::newRow("url written quoted")
            << "" << "background-image" << "a.gif" << "background-image: url('a.gif');" << "url";
        QTest::newRow("empty url removes")
            << "background-image: url('a.gif')" << "background-image" << "" << "" << "url";
        QTest::newRow("empty number removes") << "width: 1px" << "width" << "" << "" << "number";
    }
    void setAndRemove()
    {
        QFETCH(QString, text);
        QFETCH(QString, name);
        QFETCH(QString, value);
        QFETCH(QString, written);
        QFETCH(QString, setter);
        CStyleDeclList d;
        d.Parse(text);
        if (setter == u"url")
            d.SetUrl(name, value);
        else if (setter == u"number")
            d.SetNumber(name, value, 0);
        else
            d.Set(name, value);
        QCOMPARE(d.ToText(), written);
        QCOMPARE(d.IsEmpty(), written.isEmpty());
    }

    void rules_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("parsed");
        QTest::addColumn<int>("selectors");
        QTest::addColumn<QString>("written");  // multi-line block
        QTest::newRow("class, pseudo-class, id and descendant")
            << "P.note:hover, DIV#top A {color: red}" << true << 2
            << "P.note:hover, DIV#top A {\r\n\tcolor: red;\r\n}";
        QTest::newRow("line breaks inside the rule")
            << "H1,\r\nH2 {\r\n color: red;\r\n margin: 0 }" << true << 2
            << "H1,H2 {\r\n\tcolor: red;\r\n\tmargin: 0;\r\n}";
        QTest::newRow("trailing comma kept: the rule stays invalid")
            << "P, {a:b}" << true << 1 << "P, {\r\n\ta: b;\r\n}";
        QTest::newRow("empty piece between commas")
            << "P,,B {a:b}" << true << 3 << "P,,B {\r\n\ta: b;\r\n}";
        QTest::newRow("element and pseudo-class only")
            << "A:link {}" << true << 1 << "A:link {\r\n}";
        QTest::newRow("the end of the text closes the block")
            << "P.x {a: b; content: 'x" << true << 1 << "P.x {\r\n\ta: b;\r\n\tcontent: 'x';\r\n}";
        QTest::newRow("media query and a descendant across lines")
            << "@media screen and (max-width: 600px) {:root{a:b}}" << true << 0
            << "@media screen and (max-width: 600px) {\r\n\t:root{a:b}\r\n}";
        QTest::newRow("descendant across a line break") << "A\r\nB{}" << true << 1 << "A B {\r\n}";
        QTest::newRow("a line break before a comma goes") << "A\r\n,B{}" << true << 2 << "A,B {\r\n}";
        QTest::newRow("no brace at all") << "a: b" << false << 0 << " {\r\n}";
    }
    void rules()
    {
        QFETCH(QString, text);
        QFETCH(bool, parsed);
        QFETCH(int, selectors);
        QFETCH(QString, written);
        CStyleRule r;
        QCOMPARE(r.ParseRule(text), parsed);
        QCOMPARE(int(r.Selectors().size()), selectors);
        QCOMPARE(r.ToText(false, true), written);
    }

    void simpleSelectorParts()
    {
        CStyleRule r;
        r.ParseSelectors(u"P.note:hover, DIV#top A"_qs);
        QCOMPARE(r.Selectors().size(), size_t(2));
        const CStyleSimpleSelector& p = r.Selectors()[0].parts[0];
        QCOMPARE(p.element, u"P"_qs);
        QCOMPARE(p.classOrId, u"note"_qs);
        QCOMPARE(p.pseudo, u"hover"_qs);
        QVERIFY(!p.isId);
        const auto& d = r.Selectors()[1].parts;
        QCOMPARE(d.size(), size_t(3));
        QVERIFY(d[0].IsEmpty());
        QCOMPARE(d[1].element, u"DIV"_qs);
        QCOMPARE(d[1].classOrId, u"top"_qs);
        QVERIFY(d[1].isId);
        QCOMPARE(d[2].element, u"A"_qs);
        QCOMPARE(r.ToText(false, false), u"P.note:hover, DIV#top A {}"_qs);
    }

    void sheets_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("rules");
        QTest::addColumn<QString>("trailing");
        QTest::addColumn<QString>("written");  // every rule in the block form
        QTest::newRow("comment, rule and HTML comment")
            << "/* head */\r\nP {color: red}\r\n-->" << 1 << "-->"
            << "/* head */\r\nP {\r\n\tcolor: red;\r\n}\r\n-->";
        QTest::newRow("the end of the text closes a rule") << "P {color: red" << 1 << ""
                                                          << "P {\r\n\tcolor: red;\r\n}\r\n";
        QTest::newRow("consecutive comments belong together")
            << "/*a*/ /*b*/\r\nP{}" << 1 << "" << "/*a*/ /*b*/\r\nP {\r\n}\r\n";
        QTest::newRow("blank lines between rules go")
            << "A{}\r\n\r\nB{x:y}" << 2 << "" << "A {\r\n}\r\nB {\r\n\tx: y;\r\n}\r\n";
        QTest::newRow("a closing brace inside a comment ends nothing")
            << "P {a:b /* } */ c:d}" << 1 << "" << "P {\r\n\ta: b /* } */ c:d;\r\n}\r\n";
        QTest::newRow("comment that never ends") << "/* open\r\nP{a:b}" << 0
                                                << "/* open\r\nP{a:b}" << "/* open\r\nP{a:b}";
        QTest::newRow("stray closing brace is part of the next selectors")
            << "x }\r\nP{a:b}" << 1 << "" << "x } P {\r\n\ta: b;\r\n}\r\n";
        QTest::newRow("stray closing brace at the end kept")
            << "P{a:b}\r\n}" << 1 << "}" << "P {\r\n\ta: b;\r\n}\r\n}";
        QTest::newRow("nested rule kept inside its rule")
            << "A { B { c: d }" << 1 << "" << "A {\r\n\tB { c: d }\r\n}\r\n";
        QTest::newRow("at-rules with and without a block")
            << "@charset \"UTF-8\";\r\n@media print{P{a:b}}@import url(a.css)" << 3 << ""
            << "@charset \"UTF-8\";\r\n@media print {\r\n\tP{a:b}\r\n}\r\n@import url(a.css);\r\n";
        QTest::newRow("a comment left open in the last rule is closed")
            << "P{a:b; /* open" << 1 << "" << "P {\r\n\ta: b;\r\n\t/* open*/\r\n}\r\n";
        QTest::newRow("an attribute selector ends at its ]")
            << "A[x='}'],B[y]{a:b}C{}" << 2 << ""
            << "A[x='}'],B[y] {\r\n\ta: b;\r\n}\r\nC {\r\n}\r\n";
        QTest::newRow("/*/ opens a comment only") << "/*/ A{} */B{}" << 1 << ""
                                                  << "/*/ A{} */B {\r\n}\r\n";
        QTest::newRow("block form in the line end of the next rule, not of the header")
            << "/*h*/\r\nA{}B{\n}" << 2 << "" << "/*h*/\r\nA {\n}\nB {\n}\n";
        QTest::newRow("empty text") << "" << 0 << "" << "";
    }
    void sheets()
    {
        QFETCH(QString, text);
        QFETCH(int, rules);
        QFETCH(QString, trailing);
        QFETCH(QString, written);
        CStyleSheet s;
        s.ParseSheet(text);
        QCOMPARE(int(s.rules.size()), rules);
        QCOMPARE(s.trailing, trailing);
        QCOMPARE(s.ToBlockText(), written);
        // Unchanged, the sheet gives its text back.
        QCOMPARE(s.ToText(), text);
        // Writing is stable: the written sheet reads back to the same text.
        CStyleSheet again;
        again.ParseSheet(written);
        QCOMPARE(again.ToBlockText(), written);
    }

    // Rules the user changed, added, removed or moved: only what changed is
    // written, in the rule's own layout and line end; the other rules and
    // the text between them stay as written.
    void sheetEdits_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("edits");
        QTest::addColumn<QString>("written");
        const QString text = u"/* a */\r\nA { x : y }\r\n@media print {\r\n  B{z:w}\r\n}\r\nC{}\r\n-->"_qs;
        QTest::newRow("a value replaced in place")
            << text << QStringList{"set 0 x 1"}
            << "/* a */\r\nA { x : 1 }\r\n@media print {\r\n  B{z:w}\r\n}\r\nC{}\r\n-->";
        QTest::newRow("rule removed with its comment")
            << text << QStringList{"remove 0"} << "\r\n@media print {\r\n  B{z:w}\r\n}\r\nC{}\r\n-->";
        QTest::newRow("rule added on a line of its own")
            << u"A{}B{}"_qs << QStringList{"add"} << "A{}B{}\r\nN {\r\n\tx: 1;\r\n}";
        QTest::newRow("rules swapped") << u"A{}\r\nB{}"_qs << QStringList{"swap"} << "\r\nB{}A{}";
        QTest::newRow("minified: a value changed, one added as its neighbours are written")
            << u"A{a:1;b:2}"_qs << QStringList{"set 0 b 3", "set 0 c 4"} << "A{a:1;b:3;c:4}";
        QTest::newRow("an added one after the gap next to it")
            << u"A{a:1;b:2; c:3;}"_qs << QStringList{"set 0 d 4"} << "A{a:1;b:2; c:3; d:4;}";
        QTest::newRow("a last declaration without semicolon stays so")
            << u"P {color: red; border: 0}"_qs << QStringList{"set 0 font-family y"}
            << "P {color: red; border: 0; font-family: y}";
        QTest::newRow("lines: one removed with its line, one added with the indentation, LF")
            << u"P {\n  a: 1; /* c */\n  b: 2;\n  d: 5\n}"_qs
            << QStringList{"del 0 b", "set 0 c 3"} << "P {\n  a: 1; /* c */\n  d: 5;\n  c: 3\n}";
        QTest::newRow("a line removed with its CR LF")
            << u"P {\r\n\ta: 1;\r\n\tb: 2;\r\n}"_qs << QStringList{"del 0 a"} << "P {\r\n\tb: 2;\r\n}";
        QTest::newRow("!important lost and gained")
            << u"P { a: 1 !important; b: 2 }"_qs << QStringList{"imp 0 a 0", "imp 0 b 1"}
            << "P { a: 1; b: 2 !important }";
        QTest::newRow("selectors changed, the block kept")
            << u"H1,\r\nH2 { a: 1 }"_qs << QStringList{"sel 0 H3"} << "H3 { a: 1 }";
        QTest::newRow("a CR LF header on an LF sheet: the new rule in LF")
            << u"/* h */\r\nA{}\nB{}"_qs << QStringList{"add"} << "/* h */\r\nA{}\nB{}\nN {\n\tx: 1;\n}";
        QTest::newRow("empty blocks, on lines and on one line")
            << u"A {\r\n}B{}C { }"_qs << QStringList{"set 0 x 1", "set 1 x 1", "set 2 x 1"}
            << "A {\r\n\tx: 1;\r\n}B{x: 1;}C { x: 1; }";
        QTest::newRow("a rule the text left open is closed")
            << u"P{a:1"_qs << QStringList{"set 0 a 2"} << "P{a:2}";
    }
    void sheetEdits()
    {
        QFETCH(QString, text);
        QFETCH(QStringList, edits);
        QFETCH(QString, written);
        CStyleSheet s;
        s.ParseSheet(text);
        for (const QString& edit : edits) {
            const QStringList w = edit.split(u' ');
            CStyleRule* r = w.size() > 1 ? &s.rules[w[1].toInt()] : nullptr;
            if (w[0] == u"set") {
                r->Declarations().Set(w[2], w[3]);
            } else if (w[0] == u"del") {
                r->Declarations().Remove(w[2]);
            } else if (w[0] == u"imp") {
                r->Declarations().At(r->Declarations().Find(w[2])).important = w[3] == u"1";
            } else if (w[0] == u"sel") {
                r->ParseSelectors(w[2]);
            } else if (w[0] == u"remove") {
                s.rules.erase(s.rules.begin() + w[1].toInt());
            } else if (w[0] == u"add") {
                CStyleRule n;
                n.ParseSelectors(u"N"_qs);
                n.Declarations().Set(u"x"_qs, u"1"_qs);
                s.rules.push_back(n);
            } else {
                std::swap(s.rules[0], s.rules[1]);
            }
        }
        QCOMPARE(s.ToText(), written);
    }

    // The line end a rule written anew takes: the first after it, else the
    // last before it ("|" marks the rule).
    void lineEndAround_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("lineEnd");
        QTest::newRow("after wins") << "a\r\nb|c|\nd" << "\n";
        QTest::newRow("a lone CR after") << "|b|\rc\r\n" << "\r";
        QTest::newRow("CR LF before") << "a\r\n|b|" << "\r\n";
        QTest::newRow("LF before") << "a\n|b|" << "\n";
        QTest::newRow("none") << "|b|" << "\r\n";
    }
    void lineEndAround()
    {
        QFETCH(QString, text);
        QFETCH(QString, lineEnd);
        const qsizetype start = text.indexOf(u'|');
        text.remove(start, 1);
        const qsizetype end = text.indexOf(u'|');
        text.remove(end, 1);
        QCOMPARE(LineEndAround(text, start, end), lineEnd);
    }

    void hostileSheetsEnd_data()
    {
        QTest::addColumn<QString>("text");
        const QString longValue(100000, u'x');
        QTest::newRow("100000-character value") << "P {a: " + longValue + "}";
        QTest::newRow("100000 closing braces") << QString(100000, u'}');
        QTest::newRow("100000 opening braces") << QString(100000, u'{') + u'}';
        QTest::newRow("100000 comment openers") << QString(50000, u'/') + QString(50000, u'*');
        QTest::newRow("unterminated quote in value") << "P {font: 'a b c}";
        QTest::newRow("100000 opening brackets") << "P {a: " + QString(100000, u'(') + u'}';
    }
    void hostileSheetsEnd()
    {
        QFETCH(QString, text);
        CStyleSheet s;
        s.ParseSheet(text);
        QCOMPARE(s.ToText(), text);
        const QString written = s.ToBlockText();
        CStyleSheet again;
        again.ParseSheet(written);
        QCOMPARE(again.ToBlockText(), written);
    }

    void numbers_data()
    {
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("number");
        QTest::addColumn<int>("unit");
        QTest::newRow("em") << "12.5em" << "12.5" << 6;
        QTest::newRow("no unit") << "12" << "12" << -1;
        QTest::newRow("percent") << "-50%" << "-50" << 5;
        QTest::newRow("viewport unit") << "3vw" << "3" << 10;
        QTest::newRow("last unit") << "-.5ch" << "-.5" << 14;
        QTest::newRow("unknown unit: the value as text") << "3PX" << "3PX" << -1;
        QTest::newRow("keyword reads as its label") << "thick" << "太い" << -1;
        QTest::newRow("no number: the value as text") << "auto" << "auto" << -1;
        QTest::newRow("calc() as text") << "calc(100% - 2rem)" << "calc(100% - 2rem)" << -1;
        QTest::newRow("two points are no number") << "1.2.3px" << "1.2.3px" << -1;
    }
    void numbers()
    {
        QFETCH(QString, value);
        QFETCH(QString, number);
        QFETCH(int, unit);
        QString n;
        int u = 99;
        ReadStyleNumber(value, {{u"太い"_qs, u"thick"_qs}}, n, u);
        QCOMPARE(n, number);
        QCOMPARE(u, unit);
    }

    void numberWriting()
    {
        QCOMPARE(StyleNumberText(u"3"_qs, CStyleUnits::Find(u"pc"_qs)), u"3pc"_qs);
        QCOMPARE(StyleNumberText(u"3"_qs, -1), u"3"_qs);
        QCOMPARE(StyleNumberText(QString(), 0), QString());
        QCOMPARE(StyleNumberText(u"auto"_qs, 0), u"auto"_qs);
    }

    void valueHelpers_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("in");
        QTest::addColumn<QString>("out");
        QTest::newRow("url read") << "url" << "url( 'a.gif' )" << "a.gif";
        QTest::newRow("url read double quotes") << "url" << "url(\"b c.png\")" << "b c.png";
        QTest::newRow("no url") << "url" << "none" << "none";
        QTest::newRow("colour write hex") << "colorOut" << "ff00AA" << "#ff00AA";
        QTest::newRow("colour write name") << "colorOut" << "red" << "red";
        QTest::newRow("colour write short") << "colorOut" << "#f00" << "#f00";
        QTest::newRow("colour write six non-hex") << "colorOut" << "abcdeg" << "abcdeg";
        QTest::newRow("colour read") << "colorIn" << "#ff00aa" << "ff00aa";
        QTest::newRow("colour read short") << "colorIn" << "#f00" << "#f00";
        QTest::newRow("family quoted") << "family" << "MS Gothic,serif" << "'MS Gothic',serif";
        QTest::newRow("family already quoted") << "family" << "'A B',\"C D\"" << "'A B',\"C D\"";
        QTest::newRow("family blank after comma") << "family" << "Arial, sans-serif"
                                                  << "Arial,sans-serif";
        QTest::newRow("shorthand url") << "shortUrl" << "url(a.gif)" << "a.gif";
    }
    void valueHelpers()
    {
        QFETCH(QString, kind);
        QFETCH(QString, in);
        QFETCH(QString, out);
        if (kind == u"url")
            QCOMPARE(ReadStyleUrl(in), out);
        else if (kind == u"colorOut")
            QCOMPARE(StyleColorText(in), out);
        else if (kind == u"colorIn")
            QCOMPARE(ReadStyleColor(in), out);
        else if (kind == u"family")
            QCOMPARE(StyleFontFamilyList(in), out);
        else
            QCOMPARE(ReadShorthandUrl(in), out);
    }

    void tokens_data()
    {
        QTest::addColumn<QString>("value");
        QTest::addColumn<QStringList>("tokens");
        QTest::newRow("blanks") << "  a  b c " << QStringList{"a", "b", "c"};
        QTest::newRow("quoted with blank")
            << "bold 'MS Gothic' serif" << QStringList{"bold", "'MS Gothic'", "serif"};
        QTest::newRow("character after quote skipped")
            << "'A B',serif" << QStringList{"'A B'", "serif"};
        QTest::newRow("quote never closes") << "a \"b c" << QStringList{"a", "\"b c"};
        QTest::newRow("blanks inside brackets")
            << "rgb(1, 2, 3) url( a b.gif ) (x" << QStringList{"rgb(1, 2, 3)", "url( a b.gif )", "(x"};
        QTest::newRow("empty") << "" << QStringList{};
    }
    void tokens()
    {
        QFETCH(QString, value);
        QFETCH(QStringList, tokens);
        QCOMPARE(StyleTokenize(value), tokens);
    }

    void fourSides_data()
    {
        QTest::addColumn<QStringList>("tokens");
        QTest::addColumn<QStringList>("sides");
        QTest::newRow("one") << QStringList{"1"} << QStringList{"1", "1", "1", "1"};
        QTest::newRow("two") << QStringList{"1", "2"} << QStringList{"1", "2", "1", "2"};
        QTest::newRow("three") << QStringList{"1", "2", "3"} << QStringList{"1", "2", "3", "2"};
        QTest::newRow("four") << QStringList{"1", "2", "3", "4"}
                              << QStringList{"1", "2", "3", "4"};
        QTest::newRow("five leaves sides") << QStringList{"1", "2", "3", "4", "5"}
                                           << QStringList{"x", "x", "x", "x"};
    }
    void fourSides()
    {
        QFETCH(QStringList, tokens);
        QFETCH(QStringList, sides);
        std::array<QString, 4> s{"x", "x", "x", "x"};
        QCOMPARE(StyleFourSides(tokens, s), int(tokens.size()));
        QCOMPARE(QStringList(s.begin(), s.end()), sides);
    }

    void keywordIndex()
    {
        CStyleDeclList d;
        d.Parse(u"cursor: POINTER; float: sideways"_qs);
        const QStringList cursors{"auto", "default", "pointer"};
        QCOMPARE(d.KeywordIndex(u"cursor"_qs, cursors), 2);
        QCOMPARE(d.KeywordIndex(u"float"_qs, cursors), 0);
        QCOMPARE(d.KeywordIndex(u"clear"_qs, cursors), 0);
    }
};
KELVO_TEST(TestStyleModel, "StyleModel");
#include "tst_StyleModel.moc"
