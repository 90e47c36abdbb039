#include "TestFiles.h"
#include "TestRegistry.h"

#include "core/app/CommandIds.h"
#include "core/doc/CKelvoDoc.h"
#include "core/doc/DocumentCodec.h"
#include "core/edit/EditBuffer.h"
#include "core/search/FolderSearch.h"

#include <QDir>
#include <QFile>
#include <QTest>

#include <sys/stat.h>

namespace {

// The page every code row holds, and the same after "見出し" → "表題".
const QString kPage = QStringLiteral(
    "<h1>見出し</h1>\n<p>本文の見出しと ｶﾅ</p>\n<p>Other</p>\n");
const QString kJisPage = QStringLiteral("<h1>見出し</h1>\n<p>本文の見出し</p>\n");

// The text in an iconv code with the line end, as another program would
// have written it.
QByteArray Encoded(const QString& text, const char* code, const QByteArray& lineEnd)
{
    QString withEnds = text;
    withEnds.replace(u'\n', QString::fromLatin1(lineEnd));
    return Iconv("UTF-8", code, withEnds.toUtf8());
}

QString Replaced(QString text)
{
    return text.replace(QStringLiteral("見出し"), QStringLiteral("表題"));
}

const FileOutcome* OutcomeFor(const FolderSearchResult& result, const QString& path)
{
    for (const FileOutcome& f : result.files)
        if (f.path == path)
            return &f;
    return nullptr;
}

} // namespace

class TestFolderSearch : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // One folder of files in every code; a replacement runs over all of
    // them. A changed file holds what another program would have written
    // for the new text in its code and line ends; every other file keeps
    // its bytes, and a file that cannot be changed safely is listed with a
    // reason.
    void replacesEachFileInItsCode_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QByteArray>("expected");  // empty: unchanged
        QTest::addColumn<QString>("skipped");      // part of the reason

        QTest::newRow("Shift-JIS, CR LF") << u"sjis.html"_qs << Encoded(kPage, "CP932", "\r\n")
                                          << Encoded(Replaced(kPage), "CP932", "\r\n") << QString();
        QTest::newRow("EUC-JP, LF") << u"euc.htm"_qs << Encoded(kPage, "EUC-JP", "\n")
                                    << Encoded(Replaced(kPage), "EUC-JP", "\n") << QString();
        QTest::newRow("UTF-8, LF, in a subfolder")
            << u"sub/deep/utf8.css"_qs << Encoded(kPage, "UTF-8", "\n")
            << Encoded(Replaced(kPage), "UTF-8", "\n") << QString();
        QTest::newRow("UTF-8 with byte-order mark, CR LF")
            << u"bom.txt"_qs << "\xef\xbb\xbf" + Encoded(kPage, "UTF-8", "\r\n")
            << "\xef\xbb\xbf" + Encoded(Replaced(kPage), "UTF-8", "\r\n") << QString();
        QTest::newRow("JIS, LF") << u"jis.html"_qs << Encoded(kJisPage, "ISO-2022-JP", "\n")
                                 << Encoded(Replaced(kJisPage), "ISO-2022-JP", "\n") << QString();
        QTest::newRow("all ASCII but for the replacement, declared UTF-8")
            << u"ascii.html"_qs << QByteArray("<meta charset=\"utf-8\"><title>Top</title>\n")
            << QByteArray("<meta charset=\"utf-8\"><title>\xe8\xa1\xa8\xe9\xa1\x8c</title>\n")
            << QString();
        // Spaces up to the last byte the search reads.
        const QByteArray filler((qint64(32) << 20) - Encoded(kPage, "UTF-8", "\n").size(), ' ');
        QTest::newRow("at the size limit") << u"large.html"_qs << Encoded(kPage, "UTF-8", "\n") + filler
                                           << Encoded(Replaced(kPage), "UTF-8", "\n") + filler << QString();
        QTest::newRow("no hit") << u"other.html"_qs << Encoded(u"<p>別の文</p>\n"_qs, "CP932", "\r\n")
                                << QByteArray() << QString();
        QTest::newRow("name outside the patterns") << u"page.htm.bak"_qs
                                                   << Encoded(kPage, "UTF-8", "\n") << QByteArray()
                                                   << QString();
        QTest::newRow("hidden folder") << u".git/page.html"_qs << Encoded(kPage, "UTF-8", "\n")
                                       << QByteArray() << QString();
        QTest::newRow("byte that is no character")
            << u"broken.html"_qs << Encoded(kPage, "CP932", "\r\n") + "\xfd"
            << QByteArray() << u"読めないバイト"_qs;
        // An untouched line keeps its redundant escape.
        QTest::newRow("JIS with a redundant escape on another line")
            << u"jis-odd.html"_qs << QByteArray("<h1>\x1b$B8+=P$7\x1b(B</h1>\n\x1b$B\x1b$BK\\J8\x1b(B\n")
            << Encoded(u"<h1>表題</h1>\n"_qs, "ISO-2022-JP", "\n") + "\x1b$B\x1b$BK\\J8\x1b(B\n" << QString();
    }
    void replacesEachFileInItsCode()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, bytes);
        QFETCH(QByteArray, expected);
        QFETCH(QString, skipped);
        QVERIFY(!bytes.isEmpty());
        QTemporaryDir dir;
        const QString path = dir.filePath(name);
        QDir().mkpath(QFileInfo(path).absolutePath());
        QVERIFY(WriteBytes(path, bytes));

        FolderSearchOptions options;
        options.folder = dir.path();
        options.patterns = ParseFilePatterns(u"*.html; *.htm,*.css *.txt"_qs);
        options.find = u"見出し"_qs;
        options.replacement = u"表題"_qs;
        if (name == u"ascii.html")
            options.find = u"Top"_qs;
        const FolderSearchResult plan = SearchFolder(options, {}, true);
        const FileOutcome* outcome = OutcomeFor(plan, path);
        if (!skipped.isEmpty()) {
            QVERIFY(outcome);
            QVERIFY2(outcome->skipped.contains(skipped), qPrintable(outcome->skipped));
        } else if (expected.isEmpty() && outcome) {
            QVERIFY2(outcome->hitCount == 0, "a file with no hit is planned");
        }
        const ReplaceApplied applied = ApplyReplacements(options, plan.files, {});
        QCOMPARE(ReadBytes(path), expected.isEmpty() ? bytes : expected);
        QCOMPARE(applied.filesChanged, expected.isEmpty() ? 0 : 1);
        if (!expected.isEmpty())
            QCOMPARE(DecodeDocument(ReadBytes(path), true).text.count(u"表題"_qs),
                     plan.HitCount());
    }

    // What one line gives: the hits and the line after the replacement.
    void matchesOneLine_data()
    {
        QTest::addColumn<QString>("find");
        QTest::addColumn<QString>("replacement");
        QTest::addColumn<bool>("regex");
        QTest::addColumn<bool>("matchCase");
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("replaced");

        QTest::newRow("case folded") << u"div"_qs << u"section"_qs << false << false
                                     << u"<DIV><div></Div>"_qs << u"<section><section></section>"_qs;
        QTest::newRow("case kept") << u"div"_qs << u"p"_qs << false << true << u"<DIV><div>"_qs
                                   << u"<DIV><p>"_qs;
        QTest::newRow("plain text is no expression") << u"a.b"_qs << u"x"_qs << false << false
                                                     << u"a.b axb"_qs << u"x axb"_qs;
        QTest::newRow("hits never overlap") << u"aa"_qs << u"b"_qs << false << true << u"aaa"_qs
                                            << u"ba"_qs;
        QTest::newRow("groups") << u"<h(\\d)>"_qs << u"<h\\1 class=\"t\">\\\\"_qs << true << false
                                << u"<h2>x<H3>"_qs << u"<h2 class=\"t\">\\x<h3 class=\"t\">\\"_qs;
        QTest::newRow("whole match, other escapes kept") << u"[0-9]+"_qs << u"(\\0)\\n"_qs << true
                                                         << true << u"a12b3"_qs
                                                         << u"a(12)\\nb(3)\\n"_qs;
        QTest::newRow("empty matches are no hits") << u"x*"_qs << u"-"_qs << true << true
                                                   << u"abxxc"_qs << u"ab-c"_qs;
        QTest::newRow("kanji and surrogate pairs") << u"𠮷野"_qs << u"吉野"_qs << false << true
                                                   << u"𠮷野家と𠮷野"_qs << u"吉野家と吉野"_qs;
    }
    void matchesOneLine()
    {
        QFETCH(QString, find);
        QFETCH(QString, replacement);
        QFETCH(bool, regex);
        QFETCH(bool, matchCase);
        QFETCH(QString, line);
        QFETCH(QString, replaced);
        FolderSearchOptions options;
        options.find = find;
        options.replacement = replacement;
        options.regex = regex;
        options.matchCase = matchCase;
        const LineMatcher matcher(options);
        QCOMPARE(matcher.Error(), QString());
        const QByteArray bytes = line.toUtf8() + "\n";
        const FileOutcome out = SearchFileBytes(u"x.txt"_qs, bytes, matcher, true);
        QCOMPARE(out.lines.size(), size_t(1));
        QCOMPARE(out.lines[0].replaced, replaced);
    }

    // Between the preview and the writing, files may change: a file changed
    // by another program, the open document's own unsaved changes and a
    // FIFO in place of a file are all left alone and listed.
    void applyLeavesWhatChangedAlone()
    {
        QTemporaryDir dir;
        const QString changed = dir.filePath(u"changed.html"_qs);
        const QString kept = dir.filePath(u"open.html"_qs);
        const QString fine = dir.filePath(u"fine.html"_qs);
        const QString fifo = dir.filePath(u"pipe.html"_qs);
        for (const QString& p : {changed, kept, fine})
            QVERIFY(WriteBytes(p, "<p>old</p>\n"));
        QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0644), 0);
        // Not walked: it would list the same files again and again.
        QVERIFY(QFile::link(dir.path(), dir.filePath(u"again"_qs)));
        FolderSearchOptions options;
        options.folder = dir.path();
        options.patterns = {u"*.html"_qs};
        options.find = u"old"_qs;
        options.replacement = u"new"_qs;
        const FolderSearchResult plan = SearchFolder(options, {}, true);
        QCOMPARE(plan.HitCount(), 3);
        QVERIFY(OutcomeFor(plan, fifo) && !OutcomeFor(plan, fifo)->skipped.isEmpty());

        QVERIFY(WriteBytes(changed, "<p>old old</p>\n"));
        const ReplaceApplied applied =
            ApplyReplacements(options, plan.files, {}, {kept}, u"unsaved"_qs);
        QCOMPARE(applied.changedPaths, QStringList{fine});
        QCOMPARE(ReadBytes(fine), QByteArray("<p>new</p>\n"));
        QCOMPARE(ReadBytes(changed), QByteArray("<p>old old</p>\n"));
        QCOMPARE(ReadBytes(kept), QByteArray("<p>old</p>\n"));
        QCOMPARE(applied.skipped.size(), size_t(2));
    }

    // The commands as a user runs them: the folder defaults to the open
    // document's; a result opens its file at the hit; a replacement reads
    // the open document again when it changed its file.
    void commandsOpenAndReload()
    {
        TestEditor t;
        const QString first = t.MakeFile(u"a.html"_qs, Encoded(kPage, "CP932", "\r\n"));
        const QString second = t.MakeFile(u"b.html"_qs, Encoded(kPage, "EUC-JP", "\n"));
        QVERIFY(t.App().OpenDocumentFile(first));

        t.Ui().QueueField(u"Search"_qs, u"見出し"_qs);
        t.Ui().QueueField(u"Results"_qs, u"3"_qs);  // b.html, line 2
        QVERIFY(t.Run(cmd::FindInFiles));
        QCOMPARE(QFileInfo(t.Doc().GetPathName()).canonicalFilePath(),
                 QFileInfo(second).canonicalFilePath());
        QCOMPARE(t.Selection(), u"見出し"_qs);
        int start = 0, end = 0;
        t.Buffer().GetSel(start, end);
        QCOMPARE(t.Buffer().LineFromChar(start), 1);

        t.Ui().QueueField(u"Search"_qs, u"見出し"_qs);
        t.Ui().QueueField(u"Replace"_qs, u"表題"_qs);
        QVERIFY(t.Run(cmd::ReplaceInFiles));
        QCOMPARE(ReadBytes(first), Encoded(Replaced(kPage), "CP932", "\r\n"));
        QCOMPARE(ReadBytes(second), Encoded(Replaced(kPage), "EUC-JP", "\n"));
        QCOMPARE(t.Text(), Replaced(kPage).replace(u'\n', u"\r\n"_qs));
        QVERIFY(!t.Doc().IsModified());
        QCOMPARE(t.Ui().Texts(u"message"_qs).last(), u"2 個のファイルの 4 箇所を置換しました。"_qs);
    }

    // The last results stay for the session: the list comes back on the row
    // opened last, and the next and previous lines open without it, round
    // the ends and past a skipped file. A search without hits leaves
    // nothing to step through.
    void resultsStayForTheSession_data()
    {
        // Steps: "find TEXT" (its list opens the first row), "next", "prev",
        // "list" (closed unused), "pick N" (row N of the list). Expected
        // after each: file:line of the open document, the row the list
        // showed, or "-" when the command was disabled. Rows: a.html 1 and
        // 2, b.html 2, then the skipped pipe.html.
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QStringList>("expected");
        const QString a1 = u"a.html:1"_qs, a2 = u"a.html:2"_qs, b2 = u"b.html:2"_qs;
        QTest::newRow("forward round the end")
            << QStringList{u"find x"_qs, u"next"_qs, u"next"_qs, u"next"_qs}
            << QStringList{a1, a2, b2, a1};
        QTest::newRow("back round the start, past the skipped file")
            << QStringList{u"find x"_qs, u"prev"_qs, u"prev"_qs} << QStringList{a1, b2, a2};
        QTest::newRow("list on the row opened last")
            << QStringList{u"find x"_qs, u"next"_qs, u"next"_qs, u"list"_qs, u"next"_qs}
            << QStringList{a1, a2, b2, u"2"_qs, a1};
        QTest::newRow("stepping on from a picked row")
            << QStringList{u"find x"_qs, u"pick 2"_qs, u"prev"_qs} << QStringList{a1, b2, a2};
        QTest::newRow("picking a skipped file keeps the place")
            << QStringList{u"find x"_qs, u"next"_qs, u"pick 3"_qs, u"next"_qs, u"list"_qs}
            << QStringList{a1, a2, a2, b2, u"2"_qs};
        // The skipped file is all the new search lists.
        QTest::newRow("a search without hits ends the last results")
            << QStringList{u"find x"_qs, u"find zzz"_qs, u"next"_qs, u"prev"_qs, u"list"_qs}
            << QStringList{a1, a1, u"-"_qs, u"-"_qs, u"0"_qs};
        QTest::newRow("before any search")
            << QStringList{u"next"_qs, u"prev"_qs, u"list"_qs} << QStringList{u"-"_qs, u"-"_qs, u"-"_qs};
    }
    void resultsStayForTheSession()
    {
        QFETCH(QStringList, steps);
        QFETCH(QStringList, expected);
        TestEditor t;
        t.MakeFile(u"a.html"_qs, "<p>x</p>\n<p>x</p>\n");
        t.MakeFile(u"b.html"_qs, "<p>y</p>\n<p>x</p>\n");
        QCOMPARE(::mkfifo(QFile::encodeName(t.Path(u"pipe.html"_qs)).constData(), 0644), 0);
        const auto where = [&t] {
            int start = 0, end = 0;
            t.Buffer().GetSel(start, end);
            return QFileInfo(t.Doc().GetPathName()).fileName() + u':'
                   + QString::number(t.Buffer().LineFromChar(start) + 1);
        };
        QStringList got;
        for (const QString& step : steps) {
            const QString argument = step.section(u' ', 1);
            bool ran = false;
            if (step.startsWith(u"find")) {
                t.Ui().QueueField(u"Search"_qs, argument);
                t.Ui().QueueField(u"Folder"_qs, t.Path(u"."_qs));
                ran = t.Run(cmd::FindInFiles);
            } else if (step == u"list") {
                t.Ui().QueueAnswer(Ui::Answer::Cancel);
                ran = t.Run(cmd::FindInFilesResults);
                if (ran) {
                    got << QString::number(t.Ui().LastForm()->Find(u"Results"_qs)->index);
                    continue;
                }
            } else if (step.startsWith(u"pick")) {
                t.Ui().QueueField(u"Results"_qs, argument);
                ran = t.Run(cmd::FindInFilesResults);
            } else {
                ran = t.Run(step == u"next" ? cmd::NextFindResult : cmd::PreviousFindResult);
            }
            got << (ran ? where() : u"-"_qs);
        }
        QCOMPARE(got, expected);
    }
};

KELVO_TEST(TestFolderSearch, "FolderSearch");
#include "tst_FolderSearch.moc"
