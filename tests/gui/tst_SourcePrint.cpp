#include "TestRegistry.h"

#include "gui/SourcePrinter.h"

#include <QFile>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

namespace {

QString Lines(int count)
{
    QString text;
    for (int i = 1; i <= count; ++i)
        text += QStringLiteral("L%1 <p>本文</p>\r\n").arg(i, 5, 10, QChar(u'0'));
    return text;
}

Ui::PrintJob Job(const QString& text)
{
    Ui::PrintJob job;
    job.name = QStringLiteral("見本.html");
    job.text = text;
    job.fontFamily = QStringLiteral("DejaVu Sans Mono");
    job.pointSize = 10;
    return job;
}

// Prints to a PDF file and gives the number of pages the printer reported.
int PrintPdf(const QString& text, const QString& path)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    printer.setPageSize(QPageSize(QPageSize::A4));
    return SourcePrinter(Job(text)).Print(printer);
}

int PdfPages(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    static const QRegularExpression page(QStringLiteral("/Type\\s*/Page(?![a-zA-Z])"));
    return int(QString::fromLatin1(file.readAll()).count(page));
}

// The text of the PDF; with `layout`, each printed line as one line.
QString PdfText(const QString& path, bool layout = false)
{
    QProcess p;
    QStringList arguments{QStringLiteral("-enc"), QStringLiteral("UTF-8"), path, QStringLiteral("-")};
    if (layout)
        arguments.prepend(QStringLiteral("-layout"));
    p.start(QStringLiteral("pdftotext"), arguments);
    p.waitForFinished(60000);
    // The CJK font maps some kanji to their radicals' look-alikes
    // (U+2F92 for 見); NFKC gives the kanji back.
    return QString::fromUtf8(p.readAllStandardOutput()).normalized(QString::NormalizationForm_KC);
}

// The most lines of Lines() that fit on one page.
int LinesPerPage(const QString& pdf)
{
    int low = 1, high = 2;
    while (PrintPdf(Lines(high), pdf) == 1)
        high *= 2;
    while (high - low > 1) {
        const int mid = (low + high) / 2;
        (PrintPdf(Lines(mid), pdf) == 1 ? low : high) = mid;
    }
    return low;
}

} // namespace

class TestSourcePrint : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // The PDF has the pages the text needs; every line is printed once,
    // none is lost or doubled where a page ends, and each page's header
    // names the file and the page.
    void printsEveryLineOnItsPages_data()
    {
        QTest::addColumn<int>("pagesOfLines");  // in pages' worth of lines
        QTest::addColumn<int>("extraLines");
        QTest::addColumn<int>("pages");
        QTest::newRow("empty text") << 0 << 0 << 1;
        QTest::newRow("one line") << 0 << 1 << 1;
        QTest::newRow("two full pages") << 2 << 0 << 2;
        QTest::newRow("one line more") << 2 << 1 << 3;
    }
    void printsEveryLineOnItsPages()
    {
        QFETCH(int, pagesOfLines);
        QFETCH(int, extraLines);
        QFETCH(int, pages);
        QTemporaryDir dir;
        const QString pdf = dir.filePath(QStringLiteral("out.pdf"));
        const int lines = pagesOfLines * (pagesOfLines ? LinesPerPage(pdf) : 0) + extraLines;
        QCOMPARE(PrintPdf(Lines(lines), pdf), pages);
        QCOMPARE(PdfPages(pdf), pages);
        const QString text = PdfText(pdf);
        for (int i = 1; i <= lines; ++i) {
            const QString mark = QStringLiteral("L%1").arg(i, 5, 10, QChar(u'0'));
            QCOMPARE(text.count(mark), 1);
        }
        QCOMPARE(text.count(QStringLiteral("見本.html")), pages);
        QVERIFY(text.contains(QStringLiteral("%1 / %1").arg(pages)));
    }

    // A line longer than the paper is wide is wrapped, not cut off.
    void wrapsALongLine()
    {
        QTemporaryDir dir;
        const QString pdf = dir.filePath(QStringLiteral("long.pdf"));
        QString line;
        for (int i = 0; i < 400; ++i)
            line += QStringLiteral("w%1 ").arg(i, 3, 10, QChar(u'0'));
        QCOMPARE(PrintPdf(line, pdf), 1);
        const QString text = PdfText(pdf);
        QVERIFY2(text.contains(QStringLiteral("w399")), qPrintable(text.right(200)));
    }

    // A tab moves to the next of the editor's stops (every eight columns)
    // on the same line; it breaks no line.
    void tabsKeepTheirLine()
    {
        QTemporaryDir dir;
        const QString pdf = dir.filePath(QStringLiteral("tabs.pdf"));
        QCOMPARE(PrintPdf(QStringLiteral("abcdefgh\tI\r\n\t<td>日本語\tJ\r\n"), pdf), 1);
        const QString text = PdfText(pdf, true);
        static const QRegularExpression sameLines(QStringLiteral("\\nabcdefgh +I\\n +<td>日本語 +J\\n"));
        QVERIFY2(text.contains(sameLines), qPrintable(text));
    }
};

KELVO_TEST(TestSourcePrint, "SourcePrint");
#include "tst_SourcePrint.moc"
