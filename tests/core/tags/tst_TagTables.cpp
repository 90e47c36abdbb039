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

void TagLine(const char* name, const QStringList& elements, const QString& line,
             const QString& tag, bool plain, const QStringList& attrs, int added)
{
    QTest::newRow(name) << elements << line << tag << plain << attrs << added;
}

// The three files' bytes ("-" for a missing file) and what the tables hold.
void Load(const char* name, const char* elements, const char* tags, const char* styles, int read,
          const QStringList& tagNames, int attrCount, const QStringList& styleNames = {})
{
    QTest::newRow(name) << QByteArray(elements) << QByteArray(tags) << QByteArray(styles) << read
                        << tagNames << attrCount << styleNames;
}

// A tag's attribute ("" for a style property), its kind and one of its
// choices, if it has any.
void Lookup(const char* name, const char* tag, const char* attr, AttrKind kind,
            const char* choice = "")
{
    QTest::newRow(name) << QString::fromUtf8(tag) << QString::fromUtf8(attr) << int(kind)
                        << QString::fromUtf8(choice);
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
        TagLine("owned definition first", els, "IMG SRC ALT ALIGN", "IMG", true,
            {"SRC/:2:", "ALT/:0:", "ALIGN/IMG:1:top|middle|bottom"}, 1);
        TagLine("other tags skip the owned one", els, "P ALIGN", "P", true, {"ALIGN/:1:left|center|right"},
            0);
        TagLine("general definition before the owned one wins",
            {"ALIGN left center right", "ALIGN/IMG top middle bottom"}, "IMG ALIGN", "IMG", true,
            {"ALIGN/:1:left|center|right"}, 0);
        TagLine("matching ignores case", els, "img src align", "img", true,
            {"SRC/:2:", "ALIGN/IMG:1:top|middle|bottom"}, 0);
        TagLine("leading slash", {}, "/BR CLEAR", "BR", false, {"CLEAR/:0:"}, 1);
        TagLine("token with owner makes an owned definition", {}, "A X/A", "A", true, {"X/A:0:"}, 1);
        TagLine("repeated unknown token is made once", {}, "A X X", "A", true, {"X/:0:", "X/:0:"}, 1);
        TagLine("blank runs give no empty attribute", els, "IMG  SRC \t ALIGN ", "IMG", true,
            {"SRC/:2:", "ALIGN/IMG:1:top|middle|bottom"}, 0);
        TagLine("name alone", els, "HEAD", "HEAD", true, {}, 0);
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
        Load("all three", "HREF #URL\r\n", "A HREF\r\nP\r\n", "color #COLOR\r\n", 3, {"A", "P"}, 1,
            {"color"});
        Load("empty lines skipped", "\r\nHREF #URL\r\n\r\n", "\nA\n\n\nP", "\r\n\r\n", 3, {"A", "P"}, 1);
        Load("byte-order mark does not stick to the first name", "\xef\xbb\xbfHREF #URL\r\n",
            "\xef\xbb\xbf" "A HREF\r\n", "\xef\xbb\xbf" "color #COLOR\r\n", 3, {"A"}, 1, {"color"});
        Load("lines without a name give nothing", " #URL\r\n/x y\r\nHREF #URL\r\n", " A HREF\r\n/\r\n  \r\n",
            " x y\r\n", 3, {"A"}, 1);
        Load("shift-jis file", "TITLE \x8c\xa9\x8fo\x82\xb5 x\r\n", "H1 TITLE\r\n", "-", 2, {"H1"}, 1);
        Load("missing element file: nothing else is read", "-", "A\r\n", "c\r\n", 0, {}, 0);
        Load("missing tag file: styles are not read", "HREF #URL\r\n", "-", "c\r\n", 1, {}, 1);
        Load("missing style file", "HREF #URL\r\n", "A\r\n", "-", 2, {"A"}, 1);
        Load("end-of-file mark", "HREF #URL\r\n\x1aSRC #URL\r\n", "A\r\n", "c\r\n", 3, {"A"}, 1, {"c"});
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
    // on the way is a typo), names are unique, and the void elements are
    // marked so.
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
        QStringList voids;
        for (const auto& tag : tables.Tags()) {
            QVERIFY2(!tag->attrs.empty(), qPrintable(tag->name));
            if (!tag->plainName)
                voids.append(tag->name);
        }
        for (const char* name : {"BR", "IMG", "HR", "INPUT", "META", "LINK", "SOURCE", "WBR"})
            QVERIFY2(voids.contains(QString::fromLatin1(name)), name);
        QVERIFY(!voids.contains(u"P"_qs));
    }

    void shippedLookups_data()
    {
        QTest::addColumn<QString>("tag");  // empty: a style property
        QTest::addColumn<QString>("attr");
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("choice");  // one of the choices, if any
        Lookup("link", "A", "href", AttrKind::Url);
        Lookup("image source", "IMG", "SRC", AttrKind::Image);
        Lookup("image alignment", "IMG", "ALIGN", AttrKind::Choice, "middle");
        Lookup("cell alignment", "TD", "ALIGN", AttrKind::Choice, "justify");
        Lookup("table colour", "TABLE", "BORDERCOLOR", AttrKind::Color);
        Lookup("input types of HTML5", "INPUT", "TYPE", AttrKind::Choice, "email");
        Lookup("list types", "OL", "TYPE", AttrKind::Choice, "i");
        Lookup("flag", "VIDEO", "CONTROLS", AttrKind::NoValue);
        Lookup("class", "DIV", "CLASS", AttrKind::Class);
        Lookup("style", "SPAN", "STYLE", AttrKind::Style);
        Lookup("font face", "FONT", "FACE", AttrKind::Font);
        Lookup("lazy images", "IMG", "LOADING", AttrKind::Choice, "lazy");
        Lookup("css colour", "", "color", AttrKind::Color);
        Lookup("css display", "", "DISPLAY", AttrKind::Choice, "flex");
        Lookup("css width", "", "width", AttrKind::Length);
        Lookup("css font", "", "font-family", AttrKind::Font);
        Lookup("css grid", "", "grid-auto-flow", AttrKind::Choice, "dense");
        Lookup("css 2.1 aural", "", "speak-header", AttrKind::Choice, "always");
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
};

KELVO_TEST(TestTagTables, "TagTables");
#include "tst_TagTables.moc"
