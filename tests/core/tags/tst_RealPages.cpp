#include "TestFiles.h"
#include "TestRegistry.h"

#include "core/tags/HtmlScanner.h"
#include "core/tags/TagCommandIds.h"
#include "core/tags/TagConvertCommandIds.h"
#include "core/tags/TagDialogCommands.h"

#include <QDir>
#include <QTest>

namespace {

// Pages nobody here wrote: the Japanese Developer's Reference of Debian
// (package developers-reference-ja, which scripts/kelvo.sh installs; its
// licence is /usr/share/doc/developers-reference-ja/copyright). They are
// read where the package puts them.
const QString kPages = QStringLiteral("/usr/share/developers-reference/ja");
// Tags tried on each page, spread over the whole page.
constexpr size_t kTagsPerPage = 40;
constexpr size_t kMultiLineTagsPerPage = 8;

struct Page {
    QString name;
    QString text;  // CR LF, as the editor holds it
};

std::vector<Page> ReadPages()
{
    std::vector<Page> pages;
    const QDir dir(kPages);
    for (const QString& name : dir.entryList({QStringLiteral("*.html")}, QDir::Files, QDir::Name)) {
        QString text = QString::fromUtf8(ReadBytes(dir.filePath(name)));
        text.replace(u'\n', QStringLiteral("\r\n"));
        pages.push_back({name, text});
    }
    return pages;
}

// The start tags of a page, `count` of them spread evenly; with multiLine
// only those written over several lines.
std::vector<HtmlToken> SampleTags(const QString& text, size_t count, bool multiLine)
{
    std::vector<HtmlToken> tags;
    HtmlScanner scanner(text);
    HtmlToken token;
    while (scanner.Next(token))
        if (token.kind == HtmlToken::Kind::StartTag && token.closed
            && (!multiLine || QStringView(text).mid(token.start, token.end - token.start).contains(u'\n')))
            tags.push_back(token);
    std::vector<HtmlToken> sample;
    const size_t step = std::max<size_t>(1, tags.size() / count);
    for (size_t i = 0; i < tags.size(); i += step)
        sample.push_back(tags[i]);
    return sample;
}

} // namespace

class TestRealPages : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase()
    {
        // The set-up installs the package, so a missing one is a failure,
        // not a reason to skip.
        QVERIFY2(ReadPages().size() >= 10,
                 "developers-reference-ja is not installed (scripts/kelvo.sh installs it)");
    }

    // A double-click on a tag and OK in its dialog without a change leave
    // every byte of the page as it was.
    void unchangedDoubleClicks()
    {
        int dialogs = 0;
        for (const Page& page : ReadPages()) {
            TestEditor t;
            t.SetText(page.text, 0, 0);
            for (const HtmlToken& tag : SampleTags(page.text, kTagsPerPage, false)) {
                t.Ui().ClearRecords();
                DoubleClickAt(t.App(), int(tag.nameStart));
                dialogs += int(t.Ui().Texts(QStringLiteral("form")).size());
                QVERIFY2(t.Text() == page.text,
                         qPrintable(page.name + QStringLiteral(": ") + page.text.mid(tag.start, tag.end - tag.start)));
            }
            QVERIFY(!t.Buffer().IsModified());
        }
        // The sample reaches the dialogs, not only tags that open none.
        QVERIFY2(dialogs >= 200, qPrintable(QString::number(dialogs)));
    }

    // The line commands over the lines around a tag written over several
    // lines write their tags beside it, never into it.
    void lineCommandsLeaveTagsOverLinesWhole()
    {
        const int commands[] = {cmd::BreaksToLineBreaks, cmd::BreaksToParagraphs,
                                cmd::BreaksToParagraphsAndLineBreaks, cmd::tag::UnorderedList,
                                cmd::tag::DefinitionListFromLines};
        int tried = 0;
        for (const Page& page : ReadPages()) {
            TestEditor t;
            t.SetText(page.text, 0, 0);
            for (const HtmlToken& tag : SampleTags(page.text, kMultiLineTagsPerPage, true)) {
                const QString written = page.text.mid(tag.start, tag.end - tag.start);
                const qsizetype before = page.text.count(written);
                // From the line before the tag to the line after it.
                const qsizetype from = page.text.lastIndexOf(u'\n', std::max<qsizetype>(tag.start - 2, 0)) + 1;
                const qsizetype to = page.text.indexOf(u'\r', page.text.indexOf(u'\n', tag.end) + 1);
                for (int command : commands) {
                    t.Buffer().SetSel(int(from), int(to < 0 ? page.text.size() : to));
                    QVERIFY(t.Run(command));
                    QVERIFY2(t.Text() != page.text && t.Text().count(written) == before,
                             qPrintable(page.name + QStringLiteral(": ") + written));
                    t.Buffer().Undo();
                    QVERIFY(t.Text() == page.text);
                }
                ++tried;
            }
        }
        QVERIFY2(tried >= 40, qPrintable(QString::number(tried)));
    }
};
KELVO_TEST(TestRealPages, "RealPages");
#include "tst_RealPages.moc"
