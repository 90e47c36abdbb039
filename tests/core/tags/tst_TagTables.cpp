#include "TestFiles.h"
#include "TestRegistry.h"

#include "core/doc/TextFileReader.h"
#include "core/tags/CTagTables.h"

#include <QDir>
#include <QTest>

namespace {

// The files the program ships, in the source tree.
QString ShippedFile(const QString& name)
{
    return QDir::cleanPath(QStringLiteral(KELVO_TEST_DATA_DIR "/../../data/") + name);
}

int NonEmptyLines(const QString& path)
{
    TextFileReader r(path, QStringLiteral("rt"));
    int n = 0;
    QString line;
    while (r.ReadLine(line))
        n += line.isEmpty() ? 0 : 1;
    return n;
}

// An attribute as "NAME/OWNER:KIND:choice|choice".
QString Describe(const CAttrDef& d)
{
    return d.name + u'/' + d.ownerTag + u':' + QString::number(static_cast<int>(d.kind)) + u':'
           + d.choices.join(u'|');
}

} // namespace

class TestTagTables : public QObject {
    Q_OBJECT
    CTagTables m_shipped;

private Q_SLOTS:
    void initTestCase()
    {
        QCOMPARE(m_shipped.Load(ShippedFile(CTagTables::kElementFile),
                                ShippedFile(CTagTables::kTagFile),
                                ShippedFile(CTagTables::kStyleFile)),
                 3);
    }

    void definition_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("def");
        QTest::newRow("choices") << "ALIGN left center right" << "ALIGN/:1:left|center|right";
        QTest::newRow("owner") << "ALIGN/IMG top middle bottom" << "ALIGN/IMG:1:top|middle|bottom";
        QTest::newRow("url") << "HREF #URL" << "HREF/:2:";
        QTest::newRow("name alone") << "BORDER" << "BORDER/:0:";
        QTest::newRow("one word is free text") << "TYPE text/css" << "TYPE/:0:";
        QTest::newRow("marker inside a longer value part") << "BACK a #COLOR b" << "BACK/:3:";
        QTest::newRow("first marker in kind order, not in the line") << "X #LEN #URL" << "X/:2:";
        QTest::newRow("markers are case-sensitive") << "X #url y" << "X/:1:#url|y";
        QTest::newRow("two blanks give an empty choice") << "A  x y" << "A/:1:|x|y";
        QTest::newRow("trailing blank alone is no choice") << "A " << "A/:0:";
        QTest::newRow("tab counts as blank") << "A\tx y" << "A/:1:x|y";
        QTest::newRow("owner after the first slash only") << "A/B/C x y" << "A/B/C:1:x|y";
        QTest::newRow("every marker")
            << "M #NONE #IMAGE #FILE #CLASS #STYLE #FONT" << "M/:4:";
    }
    void definition()
    {
        QFETCH(QString, line);
        QFETCH(QString, def);
        QCOMPARE(Describe(ParseAttrDef(line)), def);
    }

    // Tag lines against an element file: the first definition that fits the
    // tag wins, and unknown tokens become definitions of their own.
    void tagLine_data()
    {
        QTest::addColumn<QStringList>("elements");
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("plain");
        QTest::addColumn<QStringList>("attrs");
        QTest::addColumn<int>("added");  // definitions the tag line added
        const QStringList els{"ALIGN/IMG top middle bottom", "ALIGN left center right",
                              "SRC #URL"};
        QTest::newRow("owned definition first")
            << els << "IMG SRC ALT ALIGN" << "IMG" << true
            << QStringList{"SRC/:2:", "ALT/:0:", "ALIGN/IMG:1:top|middle|bottom"} << 1;
        QTest::newRow("other tags skip the owned one")
            << els << "P ALIGN" << "P" << true << QStringList{"ALIGN/:1:left|center|right"} << 0;
        QTest::newRow("general definition before the owned one wins")
            << QStringList{"ALIGN left center right", "ALIGN/IMG top middle bottom"}
            << "IMG ALIGN" << "IMG" << true << QStringList{"ALIGN/:1:left|center|right"} << 0;
        QTest::newRow("matching ignores case") << els << "img src align" << "img" << true
                                               << QStringList{"SRC/:2:",
                                                              "ALIGN/IMG:1:top|middle|bottom"}
                                               << 0;
        QTest::newRow("leading slash") << QStringList{} << "/BR CLEAR" << "BR" << false
                                       << QStringList{"CLEAR/:0:"} << 1;
        QTest::newRow("token with owner makes an owned definition")
            << QStringList{} << "A X/A" << "A" << true << QStringList{"X/A:0:"} << 1;
        QTest::newRow("repeated unknown token is made once")
            << QStringList{} << "A X X" << "A" << true << QStringList{"X/:0:", "X/:0:"} << 1;
        QTest::newRow("blank runs give no empty attribute")
            << els << "IMG  SRC \t ALIGN " << "IMG" << true
            << QStringList{"SRC/:2:", "ALIGN/IMG:1:top|middle|bottom"} << 0;
        QTest::newRow("name alone") << els << "HEAD" << "HEAD" << true << QStringList{} << 0;
    }
    void tagLine()
    {
        QFETCH(QStringList, elements);
        QFETCH(QString, line);
        QFETCH(QString, name);
        QFETCH(bool, plain);
        QFETCH(QStringList, attrs);
        QFETCH(int, added);
        CTagTables tables;
        for (const QString& e : elements)
            tables.AddAttrLine(e);
        tables.AddTagLine(line);
        QCOMPARE(tables.Tags().size(), size_t(1));
        const CTagDef& tag = *tables.Tags().front();
        QCOMPARE(tag.name, name);
        QCOMPARE(tag.plainName, plain);
        QStringList got;
        for (const CAttrDef* a : tag.attrs)
            got.append(Describe(*a));
        QCOMPARE(got, attrs);
        QCOMPARE(static_cast<int>(tables.Attrs().size()), elements.size() + added);
        // The tag refers into the attribute table; it owns nothing.
        for (const CAttrDef* a : tag.attrs)
            QVERIFY(std::any_of(tables.Attrs().begin(), tables.Attrs().end(),
                                [a](const auto& own) { return own.get() == a; }));
    }

    // Whole files: what reaches each table, and which files are read at all.
    void load_data()
    {
        QTest::addColumn<QByteArray>("elements");  // "-" for a missing file
        QTest::addColumn<QByteArray>("tags");
        QTest::addColumn<QByteArray>("styles");
        QTest::addColumn<int>("read");
        QTest::addColumn<QStringList>("tagNames");
        QTest::addColumn<int>("attrCount");
        QTest::addColumn<QStringList>("styleNames");
        QTest::newRow("all three")
            << QByteArray("HREF #URL\r\n") << QByteArray("A HREF\r\nP\r\n")
            << QByteArray("color #COLOR\r\n") << 3 << QStringList{"A", "P"} << 1
            << QStringList{"color"};
        QTest::newRow("empty lines skipped")
            << QByteArray("\r\nHREF #URL\r\n\r\n") << QByteArray("\nA\n\n\nP")
            << QByteArray("\r\n\r\n") << 3 << QStringList{"A", "P"} << 1 << QStringList{};
        QTest::newRow("byte-order mark does not stick to the first name")
            << QByteArray("\xef\xbb\xbfHREF #URL\r\n") << QByteArray("\xef\xbb\xbf" "A HREF\r\n")
            << QByteArray("\xef\xbb\xbf" "color #COLOR\r\n") << 3 << QStringList{"A"} << 1
            << QStringList{"color"};
        QTest::newRow("lines without a name give nothing")
            << QByteArray(" #URL\r\n/x y\r\nHREF #URL\r\n") << QByteArray(" A HREF\r\n/\r\n  \r\n")
            << QByteArray(" x y\r\n") << 3 << QStringList{"A"} << 1 << QStringList{};
        QTest::newRow("shift-jis file")
            << QByteArray("TITLE \x8c\xa9\x8fo\x82\xb5 x\r\n") << QByteArray("H1 TITLE\r\n")
            << QByteArray("-") << 2 << QStringList{"H1"} << 1 << QStringList{};
        QTest::newRow("missing element file: nothing else is read")
            << QByteArray("-") << QByteArray("A\r\n") << QByteArray("c\r\n") << 0
            << QStringList{} << 0 << QStringList{};
        QTest::newRow("missing tag file: styles are not read")
            << QByteArray("HREF #URL\r\n") << QByteArray("-") << QByteArray("c\r\n") << 1
            << QStringList{} << 1 << QStringList{};
        QTest::newRow("missing style file") << QByteArray("HREF #URL\r\n") << QByteArray("A\r\n")
                                            << QByteArray("-") << 2 << QStringList{"A"} << 1
                                            << QStringList{};
        QTest::newRow("end-of-file mark") << QByteArray("HREF #URL\r\n\x1aSRC #URL\r\n")
                                          << QByteArray("A\r\n") << QByteArray("c\r\n") << 3
                                          << QStringList{"A"} << 1 << QStringList{"c"};
    }
    void load()
    {
        QFETCH(QByteArray, elements);
        QFETCH(QByteArray, tags);
        QFETCH(QByteArray, styles);
        QFETCH(int, read);
        QFETCH(QStringList, tagNames);
        QFETCH(int, attrCount);
        QFETCH(QStringList, styleNames);
        TestEditor t;
        auto file = [&t](const char* name, const QByteArray& bytes) {
            return bytes == "-" ? t.Path(QString::fromLatin1(name))
                                : t.MakeFile(QString::fromLatin1(name), bytes);
        };
        CTagTables tables;
        // A table loaded before is replaced, not added to.
        tables.AddAttrLine(u"OLD"_qs);
        tables.AddTagLine(u"OLD OLD"_qs);
        tables.AddStyleLine(u"old"_qs);
        QCOMPARE(tables.Load(file("e.txt", elements), file("t.txt", tags), file("s.txt", styles)),
                 read);
        QCOMPARE(tables.TagNames(), tagNames);
        QCOMPARE(static_cast<int>(tables.Attrs().size()), attrCount);
        QCOMPARE(tables.StylePropertyNames(), styleNames);
    }

    void listTagNames()
    {
        CTagTables tables;
        tables.AddTagLine(u"TABLE"_qs);
        tables.AddTagLine(u"/Br"_qs);
        QStringList list{u"stale"_qs};
        tables.ListTagNames(list, true);
        QCOMPARE(list, (QStringList{u"table"_qs, u"br"_qs}));
        tables.ListTagNames(list, false);
        QCOMPARE(list, (QStringList{u"TABLE"_qs, u"Br"_qs}));
    }

    // The files the program ships: every line makes a definition, every
    // attribute a tag names is defined in the element file (a token made up
    // on the way is a typo), and names are unique.
    void shippedFiles()
    {
        const CTagTables& tables = m_shipped;
        QCOMPARE(static_cast<int>(tables.Attrs().size()),
                 NonEmptyLines(ShippedFile(CTagTables::kElementFile)));
        QCOMPARE(static_cast<int>(tables.Tags().size()),
                 NonEmptyLines(ShippedFile(CTagTables::kTagFile)));
        QCOMPARE(static_cast<int>(tables.StyleProperties().size()),
                 NonEmptyLines(ShippedFile(CTagTables::kStyleFile)));

        QStringList tagNames = tables.TagNames(true);
        tagNames.removeDuplicates();
        QCOMPARE(tagNames.size(), static_cast<qsizetype>(tables.Tags().size()));
        QStringList styles = tables.StylePropertyNames();
        styles.removeDuplicates();
        QCOMPARE(styles.size(), static_cast<qsizetype>(tables.StyleProperties().size()));
        for (const auto& tag : tables.Tags())
            QVERIFY2(!tag->attrs.empty(), qPrintable(tag->name));
    }

    void shippedLookups_data()
    {
        QTest::addColumn<QString>("tag");  // empty: a style property
        QTest::addColumn<QString>("attr");
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("choice");  // one of the choices, if any
        QTest::newRow("link") << "A" << "href" << int(AttrKind::Url) << "";
        QTest::newRow("image source") << "IMG" << "SRC" << int(AttrKind::Image) << "";
        QTest::newRow("image alignment") << "IMG" << "ALIGN" << int(AttrKind::Choice) << "middle";
        QTest::newRow("cell alignment") << "TD" << "ALIGN" << int(AttrKind::Choice) << "justify";
        QTest::newRow("table colour") << "TABLE" << "BORDERCOLOR" << int(AttrKind::Color) << "";
        QTest::newRow("input types of HTML5") << "INPUT" << "TYPE" << int(AttrKind::Choice)
                                              << "email";
        QTest::newRow("list types") << "OL" << "TYPE" << int(AttrKind::Choice) << "i";
        QTest::newRow("flag") << "VIDEO" << "CONTROLS" << int(AttrKind::NoValue) << "";
        QTest::newRow("class") << "DIV" << "CLASS" << int(AttrKind::Class) << "";
        QTest::newRow("style") << "SPAN" << "STYLE" << int(AttrKind::Style) << "";
        QTest::newRow("font face") << "FONT" << "FACE" << int(AttrKind::Font) << "";
        QTest::newRow("lazy images") << "IMG" << "LOADING" << int(AttrKind::Choice) << "lazy";
        QTest::newRow("css colour") << "" << "color" << int(AttrKind::Color) << "";
        QTest::newRow("css display") << "" << "DISPLAY" << int(AttrKind::Choice) << "flex";
        QTest::newRow("css width") << "" << "width" << int(AttrKind::Length) << "";
        QTest::newRow("css font") << "" << "font-family" << int(AttrKind::Font) << "";
        QTest::newRow("css grid") << "" << "grid-auto-flow" << int(AttrKind::Choice) << "dense";
        QTest::newRow("css 2.1 aural") << "" << "speak-header" << int(AttrKind::Choice)
                                       << "always";
    }
    void shippedLookups()
    {
        QFETCH(QString, tag);
        QFETCH(QString, attr);
        QFETCH(int, kind);
        QFETCH(QString, choice);
        const CTagTables& tables = m_shipped;
        const CAttrDef* def =
            tag.isEmpty() ? tables.FindStyleProperty(attr) : tables.FindAttr(attr, tag);
        QVERIFY(def);
        QCOMPARE(static_cast<int>(def->kind), kind);
        if (!choice.isEmpty())
            QVERIFY2(def->choices.contains(choice), qPrintable(def->choices.join(u' ')));
        if (!tag.isEmpty()) {
            const CTagDef* t = tables.FindTag(tag.toLower());
            QVERIFY(t);
            QVERIFY(std::find(t->attrs.begin(), t->attrs.end(), def) != t->attrs.end());
        }
    }

    void shippedVoidElements()
    {
        const CTagTables& tables = m_shipped;
        QStringList voids;
        for (const auto& t : tables.Tags())
            if (!t->plainName)
                voids.append(t->name);
        for (const char* name : {"BR", "IMG", "HR", "INPUT", "META", "LINK", "SOURCE", "WBR"})
            QVERIFY2(voids.contains(QString::fromLatin1(name)), name);
        QVERIFY(!voids.contains(u"P"_qs));
    }
};

KELVO_TEST(TestTagTables, "TagTables");
#include "tst_TagTables.moc"
