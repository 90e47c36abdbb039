#include "gui/SourcePrinter.h"

#include "core/app/UiText.h"
#include "gui/QtUi.h"

#include <QAbstractTextDocumentLayout>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QScreen>
#include <QTextBlock>
#include <QTextLayout>
#include <QTextDocument>

#include <algorithm>

namespace {

// Tab stops of the editor: every eight blanks.
constexpr int kTabColumns = 8;

QFont JobFont(const Ui::PrintJob& job)
{
    QFont font(job.fontFamily);
    font.setPointSize(std::max(job.pointSize, 1));
    font.setWeight(QFont::Weight(std::clamp(job.weight, 1, 1000)));
    font.setItalic(job.italic);
    font.setStyleHint(QFont::Monospace);
    return font;
}

// The tab stop distance that puts a stop where eight blanks end. A
// document laid out for a printer scales the distance it is given by the
// printer's resolution against the screen's, so the distance is found by
// laying out one tab.
qreal TabStopDistance(const QFont& font, QPaintDevice& device)
{
    const qreal wanted = QFontMetricsF(font, &device).horizontalAdvance(u' ') * kTabColumns;
    QTextDocument probe;
    probe.documentLayout()->setPaintDevice(&device);
    probe.setDefaultFont(font);
    probe.setDocumentMargin(0);
    QTextOption option;
    option.setTabStopDistance(wanted);
    probe.setDefaultTextOption(option);
    probe.setPlainText(QStringLiteral("\tx"));
    probe.size();  // lays it out
    const QTextLine line = probe.begin().layout()->lineAt(0);
    const qreal at = line.isValid() ? line.cursorToX(1) : 0;
    return at > 0 ? wanted * wanted / at : wanted;
}

} // namespace

int SourcePrinter::Print(QPrinter& printer) const
{
    QPainter painter;
    if (!painter.begin(&printer))
        return 0;
    const QRectF area = printer.pageLayout().paintRectPixels(printer.resolution());
    const qreal width = area.width();

    const QFont font = JobFont(m_job);
    QFont headerFont = font;
    headerFont.setWeight(QFont::Normal);
    headerFont.setItalic(false);
    const QFontMetricsF headerMetrics(headerFont, &printer);
    const qreal headerLine = headerMetrics.lineSpacing();
    // The header line, a rule half a line below it, and half a line free.
    const qreal headerHeight = headerLine * 2;
    const qreal bodyHeight = std::max<qreal>(area.height() - headerHeight, headerLine);

    QTextDocument document;
    document.documentLayout()->setPaintDevice(&printer);
    document.setDefaultFont(font);
    document.setDocumentMargin(0);
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    option.setTabStopDistance(TabStopDistance(font, printer));
    document.setDefaultTextOption(option);
    QString text = m_job.text;
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    // The last line's end starts no line of its own: printed, it would be
    // an empty line, and now and then a page with nothing on it.
    if (text.endsWith(u'\n'))
        text.chop(1);
    document.setPlainText(text);
    // A page height makes the layout move a line that would cross a page's
    // end to the next page.
    document.setPageSize(QSizeF(width, bodyHeight));
    const int count = document.pageCount();

    int first = 1;
    int last = count;
    if (printer.printRange() == QPrinter::PageRange && printer.fromPage() > 0) {
        first = std::min(printer.fromPage(), count);
        last = std::clamp(printer.toPage() > 0 ? printer.toPage() : count, first, count);
    }
    const QString name = headerMetrics.elidedText(m_job.name, Qt::ElideMiddle, width * 0.7);
    for (int page = first; page <= last; ++page) {
        if (page > first)
            printer.newPage();
        painter.save();
        painter.setFont(headerFont);
        const QRectF headerRect(0, 0, width, headerLine);
        painter.drawText(headerRect, Qt::AlignLeft | Qt::AlignVCenter, name);
        painter.drawText(headerRect, Qt::AlignRight | Qt::AlignVCenter,
                         QStringLiteral("%1 / %2").arg(page).arg(count));
        const qreal rule = headerLine * 1.25;
        painter.drawLine(QPointF(0, rule), QPointF(width, rule));
        const QRectF body(0, (page - 1) * bodyHeight, width, bodyHeight);
        painter.translate(0, headerHeight - body.top());
        document.drawContents(&painter, body);
        painter.restore();
    }
    painter.end();
    return last - first + 1;
}

bool SourcePrinter::PrintWithDialog(QWidget* parent) const
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(m_job.name);
    QPrintDialog dialog(&printer, parent);
    dialog.setWindowTitle(UiText(QStringLiteral("印刷")));
    if (dialog.exec() != QDialog::Accepted)
        return true;
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    const bool printed = Print(printer) > 0;
    QGuiApplication::restoreOverrideCursor();
    return printed;
}

void SourcePrinter::Preview(QWidget* parent) const
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(m_job.name);
    QPrintPreviewDialog dialog(&printer, parent);
    dialog.setWindowTitle(UiText(QStringLiteral("印刷プレビュー - ")) + m_job.name);
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog,
                     [this](QPrinter* p) { Print(*p); });
    // A page is read here, so the preview takes most of the screen.
    if (const QScreen* screen = parent ? parent->screen() : QGuiApplication::primaryScreen())
        dialog.resize(screen->availableGeometry().size() * 0.9);
    QtUi::FitToScreen(dialog);
    dialog.exec();
}
