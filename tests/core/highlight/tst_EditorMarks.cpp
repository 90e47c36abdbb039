#include "TestFiles.h"
#include "TestRegistry.h"

#include "core/app/CommandIds.h"
#include "core/app/ShellCommandIds.h"
#include "core/highlight/EditorMarks.h"

#include <QTest>

namespace {

// The text with "|" at the caret; the result as the text with the tag at
// the caret in [] and its partner in {}.
QString Marked(QString text)
{
    const qsizetype caret = text.indexOf(u'|');
    text.remove(caret, 1);
    const std::optional<TagPairRanges> pair = MatchingTagAt(text, caret);
    if (!pair)
        return QStringLiteral("none");
    // From the back, so that the offsets in front stay right.
    std::vector<std::pair<qsizetype, QChar>> marks = {
        {pair->tagStart, u'['}, {pair->tagEnd, u']'}, {pair->partnerStart, u'{'}, {pair->partnerEnd, u'}'}};
    std::sort(marks.begin(), marks.end(), [](auto& a, auto& b) { return a.first > b.first; });
    for (const auto& [at, c] : marks)
        text.insert(at, c);
    return text;
}

} // namespace

class TestEditorMarks : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void matchingTag_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("marked");
        QTest::newRow("start tag finds its end tag past a nested one")
            << QStringLiteral("<d|iv><div></div></DIV>")
            << QStringLiteral("[<div>]<div></div>{</DIV>}");
        QTest::newRow("end tag finds its start tag past a nested pair")
            << QStringLiteral("<ul><li><ul></ul></li></u|l>")
            << QStringLiteral("{<ul>}<li><ul></ul></li>[</ul>]");
        QTest::newRow("caret on the closing >")
            << QStringLiteral("<b>x<|/b>") << QStringLiteral("{<b>}x[</b>]");
        QTest::newRow("tags in a comment and a script do not count")
            << QStringLiteral("<p|><!-- </p> --><script>'</p>'</script></p>")
            << QStringLiteral("[<p>]<!-- </p> --><script>'</p>'</script>{</p>}");
        QTest::newRow("quoted > inside the tag")
            << QStringLiteral("<a title=\"x>|y\">t</a>")
            << QStringLiteral("[<a title=\"x>y\">]t{</a>}");
        QTest::newRow("empty element has no partner") << QStringLiteral("<b|r></br>") << QStringLiteral("none");
        QTest::newRow("self-closing tag") << QStringLiteral("<x|/></x>") << QStringLiteral("none");
        QTest::newRow("end tag passes a self-closed one")
            << QStringLiteral("<x><x/></|x>") << QStringLiteral("{<x>}<x/>[</x>]");
        QTest::newRow("unclosed element") << QStringLiteral("<d|iv>text") << QStringLiteral("none");
        QTest::newRow("end tag without a start") << QStringLiteral("text</d|iv>") << QStringLiteral("none");
        QTest::newRow("caret in text") << QStringLiteral("<b>|t</b>") << QStringLiteral("none");
    }

    void matchingTag()
    {
        QFETCH(QString, text);
        QFETCH(QString, marked);
        QCOMPARE(Marked(text), marked);
    }

    void allMatches_data()
    {
        QTest::addColumn<QString>("what");
        QTest::addColumn<bool>("matchCase");
        QTest::addColumn<QList<qsizetype>>("starts");
        QTest::newRow("letter case ignored") << QStringLiteral("ab") << false << QList<qsizetype>{0, 3, 9};
        QTest::newRow("letter case kept") << QStringLiteral("ab") << true << QList<qsizetype>{0, 9};
        QTest::newRow("overlapping counted once") << QStringLiteral("aa") << false << QList<qsizetype>{5};
        QTest::newRow("limit") << QStringLiteral("a") << false << QList<qsizetype>{0, 3, 5};
        QTest::newRow("nothing to find") << QString() << false << QList<qsizetype>{};
    }

    void allMatches()
    {
        QFETCH(QString, what);
        QFETCH(bool, matchCase);
        QFETCH(QList<qsizetype>, starts);
        const std::vector<qsizetype> found =
            FindAllMatches(u"abxABaaa ab", what, matchCase, 3);
        QCOMPARE(QList<qsizetype>(found.begin(), found.end()), starts);
    }

    // The display's toggles and zoom run by identifier, are remembered for
    // the next start, and reach the buffer; redo takes back an undo.
    void displayCommandsAndRedo()
    {
        TestEditor t;
        t.SetText(QStringLiteral("<p>"), 3);
        QVERIFY(t.Run(cmd::ToggleHighlight));
        QVERIFY(t.Run(cmd::ToggleLineNumbers));
        QVERIFY(t.Run(cmd::ToggleLineNumbers));
        for (int i = 0; i < 60; ++i)
            t.Run(cmd::ZoomIn);
        QVERIFY(!t.App().Commands().IsEnabled(cmd::ZoomIn));
        QCOMPARE(t.Buffer().Display().zoom, EditDisplay::kZoomMax);
        QCOMPARE(t.App().Commands().IsOn(cmd::ToggleHighlight), std::optional<bool>(false));
        QCOMPARE(t.App().Commands().IsOn(cmd::ZoomIn), std::nullopt);
        QVERIFY(!t.Buffer().Display().highlight);
        QVERIFY(t.Buffer().Display().lineNumbers);
        QCOMPARE(t.Settings().ReadInt(QStringLiteral("View"), QStringLiteral("Highlight"), 1), 0);
        QCOMPARE(t.Settings().ReadInt(QStringLiteral("View"), QStringLiteral("Zoom"), 0),
                 EditDisplay::kZoomMax);

        TestEditor next;
        next.Settings().WriteInt(QStringLiteral("View"), QStringLiteral("Highlight"), 0);
        next.Settings().WriteInt(QStringLiteral("View"), QStringLiteral("Zoom"), 999);
        QVERIFY(!next.Buffer().Display().highlight);
        QCOMPARE(next.Buffer().Display().zoom, EditDisplay::kZoomMax);
        QVERIFY(next.Run(cmd::ZoomReset));
        QCOMPARE(next.Buffer().Display().zoom, 0);

        t.View().SetSearchText(QStringLiteral("x"));
        QCOMPARE(t.Buffer().Display().searchText, QStringLiteral("x"));
        t.Buffer().ReplaceSel(QStringLiteral("a"));
        t.Buffer().ReplaceSel(QStringLiteral("b"));
        QVERIFY(!t.App().Commands().IsEnabled(cmd::EditRedo));
        QVERIFY(t.Run(cmd::EditUndo));
        QVERIFY(t.Run(cmd::EditUndo));
        QVERIFY(t.Run(cmd::EditRedo));
        QCOMPARE(t.Text(), QStringLiteral("<p>a"));
        t.Buffer().ReplaceSel(QStringLiteral("c"));
        QVERIFY(!t.App().Commands().IsEnabled(cmd::EditRedo));
        QCOMPARE(t.Text(), QStringLiteral("<p>ac"));
    }
};
KELVO_TEST(TestEditorMarks, "EditorMarks");
#include "tst_EditorMarks.moc"
