#include "TestFiles.h"
#include "TestRegistry.h"

#include "core/app/CommandIds.h"
#include "core/check/PageCheck.h"
#include "core/check/PageFileChecker.h"
#include "core/check/TidyChecker.h"

#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QTest>

namespace {

// "LINE:COLUMN level" of each problem, sorted; Tidy's warnings we show as
// hints count as warnings, as the tidy program prints them.
QStringList Positions(const std::vector<PageProblem>& problems)
{
    QStringList out;
    for (const PageProblem& p : problems)
        out.append(QStringLiteral("%1:%2 %3").arg(p.line).arg(p.column).arg(
            p.level == ProblemLevel::Error ? u"Error" : u"Warning"));
    out.sort();
    return out;
}

QStringList Codes(const std::vector<PageProblem>& problems, ProblemLevel level)
{
    QStringList out;
    for (const PageProblem& p : problems)
        if (p.level == level && !out.contains(p.code))
            out.append(p.code);
    out.sort();
    return out;
}

std::vector<PageProblem> TidyOn(const QString& text)
{
    CheckedPage page;
    page.text = text;
    return TidyChecker().Check(page, EditorLines(page.text));
}

// Every fault a page written by hand is known for, one a line.
const char kFaultyPage[] =
    "<html>\n<head><meta charset=\"utf-8\"></head>\n<body>\n"
    "<center><font color=red>古い\tページ</font></center>\n"
    "<p id=\"a\">A &amp B &foo; C\n"
    "<p id=\"a\"><b><i>入れ子</b></i>\n"
    "<img src=\"x.gif\">\n"
    "<div><span>閉じない</div>\n"
    "<foo>y</foo>\n"
    "</body>\n</html>\n";

} // namespace

class TestPageCheck : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Tidy's reports reach the list at the places and levels the tidy
    // program prints for the same page: a page with the faults people make
    // and real pages nobody here wrote.
    void tidyAsTidyProgram_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QStringList>("warnings");  // our codes, at least these
        QTest::addColumn<QStringList>("hints");  // at least these
        QTest::newRow("faulty page")
            << QString() << QStringList{"ANCHOR_NOT_UNIQUE", "MISSING_ATTRIBUTE", "MISSING_DOCTYPE",
                                        "MISSING_ENDTAG_BEFORE", "MISSING_SEMICOLON",
                                        "MISSING_TITLE_ELEMENT", "NON_MATCHING_ENDTAG", "UNKNOWN_ENTITY"}
            << QStringList{"INSERTING_TAG", "REMOVED_HTML5", "TRIM_EMPTY_ELEMENT"};
        QTest::newRow("debian-reference-ja")
            << "/usr/share/debian-reference/ch01.ja.html" << QStringList{"ESCAPED_ILLEGAL_URI"}
            << QStringList();
        QTest::newRow("developers-reference-ja")
            << "/usr/share/developers-reference/ja/pkgs.html" << QStringList() << QStringList();
    }
    void tidyAsTidyProgram()
    {
        QFETCH(QString, file);
        QFETCH(QStringList, warnings);
        QFETCH(QStringList, hints);
        TestEditor t;
        if (file.isEmpty())
            file = t.MakeFile(QStringLiteral("faulty.html"), kFaultyPage);
        QVERIFY2(QFileInfo::exists(file), qPrintable(file + u" is missing: scripts/kelvo.sh installs it"_qs));
        QProcess tidy;
        tidy.start(QStringLiteral("tidy"), {"-e", "-q", "--tab-size", "1", file});
        QVERIFY(tidy.waitForFinished(60000));
        QStringList expected;
        static const QRegularExpression kLine(QStringLiteral("^line (\\d+) column (\\d+) - (Warning|Error):"));
        for (const QString& line : QString::fromUtf8(tidy.readAllStandardError()).split(u'\n'))
            if (const QRegularExpressionMatch m = kLine.match(line); m.hasMatch())
                expected.append(m.captured(1) + u':' + m.captured(2) + u' ' + m.captured(3));
        expected.sort();
        const std::vector<PageProblem> problems = TidyOn(QString::fromUtf8(ReadBytes(file)).replace(u"\n"_qs, u"\r\n"_qs));
        QCOMPARE(Positions(problems), expected);
        for (const QString& code : warnings)
            QVERIFY2(Codes(problems, ProblemLevel::Warning).contains(code), qPrintable(code));
        for (const QString& code : hints)
            QVERIFY2(Codes(problems, ProblemLevel::Hint).contains(code), qPrintable(code));
        static const QRegularExpression kUnfilled(QStringLiteral("%[1-9]"));
        for (const PageProblem& p : problems)
            QVERIFY2(!p.message.contains(kUnfilled), qPrintable(p.message));
    }

    // Tidy counts a line end of any kind and a character outside the BMP
    // as one column; the editor breaks lines at CR LF only and counts
    // UTF-16 units.
    void positions_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("line");    // Tidy's
        QTest::addColumn<int>("column");
        QTest::addColumn<qsizetype>("offset");
        const QString beer = QString::fromUcs4(U"\U0001F37A");
        QTest::newRow("after a lone LF") << "a\nbc" << 2 << 2 << qsizetype(3);
        QTest::newRow("after a lone CR") << "a\rbc" << 2 << 2 << qsizetype(3);
        QTest::newRow("after CR LF") << "a\r\nbc" << 2 << 2 << qsizetype(4);
        QTest::newRow("past a pair") << beer + "x" << 1 << 2 << qsizetype(2);
        QTest::newRow("past the line's end") << "ab\r\ncd" << 1 << 9 << qsizetype(2);
        QTest::newRow("past the last line") << "ab\r\ncd" << 5 << 1 << qsizetype(4);
        QTest::newRow("line 0: the page") << "ab" << 0 << 0 << qsizetype(0);
    }
    void positions()
    {
        QFETCH(QString, text);
        QFETCH(int, line);
        QFETCH(int, column);
        QFETCH(qsizetype, offset);
        QCOMPARE(TidyPositions(text).Offset(line, column), offset);
    }

    // A picture shown at another size: in its proportions a hint, out of
    // them a warning; a side computed from the other may be a pixel off.
    void imageSize_data()
    {
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("height");
        QTest::addColumn<int>("level");  // -1 for none
        QTest::newRow("as it is") << 100 << 50 << -1;
        QTest::newRow("width alone, as it is") << 100 << 0 << -1;
        QTest::newRow("height alone, other") << 0 << 51 << int(ProblemLevel::Hint);
        QTest::newRow("doubled") << 200 << 100 << int(ProblemLevel::Hint);
        QTest::newRow("a pixel off the proportions") << 202 << 100 << int(ProblemLevel::Hint);
        QTest::newRow("a pixel and a half off") << 203 << 100 << int(ProblemLevel::Warning);
    }
    void imageSize()
    {
        QFETCH(int, width);
        QFETCH(int, height);
        QFETCH(int, level);
        const std::optional<ProblemLevel> found = ImageSizeProblem(QSize(100, 50), width, height);
        QCOMPARE(found ? int(*found) : -1, level);
    }

    // Tidy's time grows with the square of the nesting and its recursion
    // with its depth: a page nested deeper than a browser would show it is
    // not given to Tidy; paragraphs and line breaks that follow each other
    // do not nest.
    void nesting_data()
    {
        QTest::addColumn<QString>("body");
        QTest::addColumn<bool>("refused");
        QTest::newRow("10,000 levels") << QStringLiteral("<div>").repeated(10000) << false;
        QTest::newRow("10,001 levels") << QStringLiteral("<div>").repeated(10001) << true;
        QTest::newRow("20,000 paragraphs and breaks")
            << QStringLiteral("<p>a<br>b<li>c").repeated(20000) << false;
    }
    void nesting()
    {
        QFETCH(QString, body);
        QFETCH(bool, refused);
        const std::vector<PageProblem> problems =
            TidyOn(u"<!DOCTYPE html><title>t</title>"_qs + body);
        QCOMPARE(Codes(problems, ProblemLevel::Warning).contains(u"NESTING_TOO_DEEP"_qs), refused);
        QCOMPARE(problems.size() == 1, refused);
    }

    // The command lists the page in the editor, unsaved, from the first
    // problem at or after the caret, and the chosen row puts the caret at
    // its line and column.
    void commandGoesToProblem()
    {
        TestEditor t;
        QVERIFY(t.App().OpenDocumentFile(t.MakeFile(QStringLiteral("a.html"), "")));
        t.SetText(QStringLiteral("<!DOCTYPE html>\r\n<title>t</title>\r\n<img src=gone.gif alt=x>"
                                 "\r\n<p id=a>x <img src=\"none.gif\" alt=x></p>\r\n"),
                  59);
        t.Ui().QueueAnswer(Ui::Answer::Ok);
        QVERIFY(t.Run(cmd::PageCheck));
        QCOMPARE(t.Ui().Texts(QStringLiteral("row")),
                 (QStringList{"3\t1\tヒント\t<body> が省略されています",
                              "3\t10\tエラー\tリンク先 gone.gif が見つかりません",
                              "4\t21\tエラー\tリンク先 none.gif が見つかりません"}));
        int start = 0, end = 0;
        t.Buffer().GetSel(start, end);
        QCOMPARE(start, 61 + 20);
    }
};

KELVO_TEST(TestPageCheck, "PageCheck");
#include "tst_PageCheck.moc"
