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
// licence is /usr/share/doc/developers-reference-ja/copyright), read where
// the package puts them, with the editor's CR LF line ends.
std::vector<std::pair<QString, QString>> ReadPages()
{
    std::vector<std::pair<QString, QString>> pages;
    const QDir dir(QStringLiteral("/usr/share/developers-reference/ja"));
    for (const QString& name : dir.entryList({QStringLiteral("*.html")}, QDir::Files, QDir::Name))
        pages.emplace_back(name, QString::fromUtf8(ReadBytes(dir.filePath(name)))
                                     .replace(u'\n', QStringLiteral("\r\n")));
    return pages;
}

// About `count` start tags spread over the page; with multiLine only those
// written over several lines.
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
    for (size_t i = 0; i < tags.size(); i += std::max<size_t>(1, tags.size() / count))
        sample.push_back(tags[i]);
    return sample;
}

} // namespace

class TestRealPages : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase()
    {
        // The set-up installs the package: missing, it fails rather than skips.
        QVERIFY2(ReadPages().size() >= 10,
                 "developers-reference-ja is not installed (scripts/kelvo.sh installs it)");
    }

    // A double-click on a tag and OK in its dialog without a change leave
    // every byte of the page as it was.
    void unchangedDoubleClicks()
    {
        int dialogs = 0;
        for (const auto& [name, page] : ReadPages()) {
            TestEditor t;
            t.SetText(page, 0, 0);
            for (const HtmlToken& tag : SampleTags(page, 40, false)) {
                t.Ui().ClearRecords();
                DoubleClickAt(t.App(), int(tag.nameStart));
                dialogs += int(t.Ui().Texts(QStringLiteral("form")).size());
                QVERIFY2(t.Text() == page, qPrintable(name + QStringLiteral(": ")
                                                      + page.mid(tag.start, tag.end - tag.start)));
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
        int tried = 0;
        for (const auto& [name, page] : ReadPages()) {
            TestEditor t;
            t.SetText(page, 0, 0);
            for (const HtmlToken& tag : SampleTags(page, 8, true)) {
                const QString written = page.mid(tag.start, tag.end - tag.start);
                const qsizetype copies = page.count(written);
                // From the line before the tag, or the tag's own, to the line after it.
                const int from = int(page.lastIndexOf(u'\n', std::max<qsizetype>(tag.start - 2, 0)) + 1);
                const int to = int(page.indexOf(u'\r', page.indexOf(u'\n', tag.end) + 1));
                for (int command : {cmd::BreaksToLineBreaks, cmd::BreaksToParagraphs,
                                    cmd::BreaksToParagraphsAndLineBreaks, cmd::tag::UnorderedList,
                                    cmd::tag::DefinitionListFromLines}) {
                    t.Buffer().SetSel(from, to < 0 ? int(page.size()) : to);
                    QVERIFY(t.Run(command));
                    QVERIFY2(t.Text() != page && t.Text().count(written) == copies,
                             qPrintable(name + QStringLiteral(": ") + written));
                    t.Buffer().Undo();
                    QVERIFY(t.Text() == page);
                }
                ++tried;
            }
        }
        QVERIFY2(tried >= 40, qPrintable(QString::number(tried)));
    }
};
KELVO_TEST(TestRealPages, "RealPages");
#include "tst_RealPages.moc"
