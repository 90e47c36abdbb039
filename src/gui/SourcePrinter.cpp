#include "gui/SourcePrinter.h"

#include "core/app/UiText.h"
#include "core/doc/DocumentFile.h"
#include "gui/DialogRoom.h"
#include "gui/FileChooser.h"
#include "gui/QtUi.h"
#include "platform/FileAccess.h"
#include "platform/FolderListing.h"

#include <QAbstractButton>
#include <QAction>
#include <QAbstractTextDocumentLayout>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QBoxLayout>
#include <QLabel>
#include <QDir>
#include <QLineEdit>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTimer>
#include <QTextBlock>
#include <QTextLayout>
#include <QTextDocument>

#include <algorithm>
#include <limits>
#include <set>
#include <utility>
#include <vector>

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

// A path shows whole where the screen has room.
constexpr int kRoomyScreenWidth = 640;
constexpr int kNarrowScreenWidth = 480;
constexpr int kTinyScreenWidth = 300;
constexpr int kLowScreenHeight = 480;
constexpr int kPathCharacters = 40;

// Puts each row's label above its field, and a field's button beside it,
// or on the smallest screens below it.
void StackRows(QGridLayout& grid, bool buttonsBelow)
{
    struct Cell {
        QLayoutItem* item;
        int row;
        int column;
    };
    std::vector<Cell> cells;
    std::set<int> rowsWithButtons;
    while (grid.count() > 0) {
        int row = 0, column = 0, rows = 0, columns = 0;
        grid.getItemPosition(0, &row, &column, &rows, &columns);
        cells.push_back({grid.takeAt(0), row, column});
        if (column == 2 && !buttonsBelow)
            rowsWithButtons.insert(row);
    }
    for (const Cell& c : cells) {
        if (c.column == 0 || (c.column == 1 && !rowsWithButtons.count(c.row)))
            grid.addItem(c.item, 3 * c.row + c.column, 0, 1, 2, c.column == 2 ? Qt::AlignRight : Qt::Alignment());
        else if (c.column == 2 && buttonsBelow)
            grid.addItem(c.item, 3 * c.row + 2, 0, 1, 2, Qt::AlignRight);
        else
            grid.addItem(c.item, 3 * c.row + 1, c.column - 1);
    }
    for (int column = 0; column < grid.columnCount(); ++column)
        grid.setColumnStretch(column, column == 0 ? 1 : 0);
}

// Qt's print dialog is laid out for a desktop: its printer rows and its
// buttons side by side take about 390 pixels, and its rows about 200. On a
// narrow screen labels go above their fields, the printer list gives up its
// width and the buttons stand under one another; on a low one the
// printer's part scrolls above the buttons. The dialog fills in its texts
// as it is shown, so the scrolled part gets the width its rows need then.
class PrintDialogFit : public QObject {
public:
    explicit PrintDialogFit(QDialog& dialog) : m_dialog(dialog)
    {
        const QSize room = DialogRoom(dialog);
        auto* file = dialog.findChild<QLineEdit*>(QStringLiteral("filename"));
        if (file && room.width() >= kRoomyScreenWidth)
            file->setMinimumWidth(file->fontMetrics().averageCharWidth() * kPathCharacters);
        if (room.width() < kNarrowScreenWidth) {
            if (auto* group = dialog.findChild<QGroupBox*>(QStringLiteral("printerGroup")))
                if (auto* grid = qobject_cast<QGridLayout*>(group->layout()))
                    StackRows(*grid, room.width() < kTinyScreenWidth);
            for (QComboBox* list : dialog.findChildren<QComboBox*>()) {
                list->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
                list->setMinimumContentsLength(6);
            }
            if (auto* buttons = dialog.findChild<QDialogButtonBox*>())
                buttons->setOrientation(Qt::Vertical);
        }
        auto* layout = qobject_cast<QBoxLayout*>(dialog.layout());
        m_printer = dialog.findChild<QWidget*>(QStringLiteral("QPrintWidget"));
        if (room.height() < kLowScreenHeight && layout && m_printer && layout->indexOf(m_printer) >= 0) {
            const int at = layout->indexOf(m_printer);
            m_area = new QScrollArea(&dialog);
            m_area->setFrameShape(QFrame::NoFrame);
            m_area->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
            m_area->setWidgetResizable(true);
            layout->removeWidget(m_printer);
            m_area->setWidget(m_printer);
            layout->insertWidget(at, m_area, 1);
        }
        QtUi::FitToScreen(dialog);
        dialog.installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched != &m_dialog || event->type() != QEvent::Show)
            return false;
        if (m_area) {
            m_area->setMinimumWidth(m_printer->minimumSizeHint().width()
                                    + m_area->verticalScrollBar()->sizeHint().width());
            QtUi::FitToScreen(m_dialog);
        }
        return false;
    }

private:
    QDialog& m_dialog;
    QWidget* m_printer = nullptr;
    QScrollArea* m_area = nullptr;
};

// Printing to a file the way a document is saved. Qt's dialog opens the
// file it is given itself, by Qt's own reading of the name, so a folder
// whose name is not UTF-8 (CP932 names from a Windows archive) could not
// be chosen, and a print that failed half-way would leave a broken file in
// place of the old one. So the field keeps the chosen path's bytes, its
// browse button opens the program's own chooser, OK checks the path as a
// save does, and Qt prints into a temporary file whose bytes are then
// saved at the chosen path. The dialog's own choice of folder is the one
// the program was started in; the page's own folder is proposed instead.
class PrintFileTarget : public QObject {
public:
    PrintFileTarget(QDialog& dialog, const Ui::PrintJob& job, Ui& ui) : m_dialog(dialog), m_ui(ui)
    {
        m_field = dialog.findChild<QLineEdit*>(QStringLiteral("filename"));
        m_printers = dialog.findChild<QComboBox*>(QStringLiteral("printers"));
        auto* browse = dialog.findChild<QAbstractButton*>(QStringLiteral("fileBrowser"));
        auto* buttons = dialog.findChild<QDialogButtonBox*>();
        if (!m_field || !m_printers || !browse || !buttons || !m_temporary.isValid())
            return;  // not the dialog known here, or no temporary folder: Qt writes the file itself
        if (!job.folder.isEmpty() && platform::IsFolder(job.folder)) {
            QString base = job.name;
            const qsizetype dot = base.lastIndexOf(u'.');
            if (dot > 0)
                base.truncate(dot);
            m_path = job.folder + u'/' + base + QStringLiteral(".pdf");
        }
        QObject::disconnect(browse, &QAbstractButton::clicked, nullptr, nullptr);
        QObject::connect(browse, &QAbstractButton::clicked, this, [this] { Browse(); });
        QObject::disconnect(buttons, &QDialogButtonBox::accepted, &dialog, nullptr);
        QObject::connect(buttons, &QDialogButtonBox::accepted, this, [this] { Confirm(); });
        dialog.installEventFilter(this);
    }

    // Saves the printed file at the chosen path; false (after saying why)
    // when it could not be. Nothing to do when a printer was chosen.
    bool Save() const
    {
        if (m_target.isEmpty())
            return true;
        const platform::FileRead printed = platform::ReadRegularFile(Printed(), std::numeric_limits<qint64>::max());
        platform::FileError error = printed.error;
        if (error == platform::FileError::None)
            error = platform::WriteFileSafely(m_target, printed.bytes);
        if (error != platform::FileError::None)
            m_ui.Message(SaveFailureMessage(error, m_target), Ui::Icon::Warning);
        return error == platform::FileError::None;
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        // The dialog fills in its own proposal as it is shown.
        if (watched == &m_dialog && event->type() == QEvent::Show && !m_path.isEmpty())
            m_field->setText(platform::DisplayPath(m_path));
        return false;
    }

private:
    QString Printed() const { return m_temporary.filePath(QStringLiteral("print.pdf")); }

    // The path in the field: the chosen one with its bytes while the field
    // shows it, else what was typed (a relative name is in the home folder,
    // as Qt takes it).
    QString FieldPath() const
    {
        const QString text = m_field->text();
        if (!m_path.isEmpty() && text == platform::DisplayPath(m_path))
            return m_path;
        return platform::AbsolutePath(QDir::isRelativePath(text) ? QDir::homePath() + u'/' + text : text);
    }

    void Browse()
    {
        const QString path = FieldPath();
        Ui::FileDialog d;
        d.save = true;
        d.title = UiText(QStringLiteral("PDFファイルに出力"));
        d.defaultExtension = QStringLiteral("pdf");
        d.initialFolder = platform::FolderOfPath(path);
        d.initialName = platform::NameOfPath(path);
        d.filter = QStringLiteral("PDFﾌｧｲﾙ(*.pdf) |*.pdf| 全てのﾌｧｲﾙ(*.*) |*.*||");
        const std::optional<QString> chosen = m_ui.ChooseFile(d);
        if (!chosen)
            return;
        m_path = *chosen;
        m_field->setText(platform::DisplayPath(m_path));
        m_printers->setCurrentIndex(m_printers->count() - 1);  // the file "printer"
    }

    void Confirm()
    {
        if (m_field->isEnabled()) {
            const QString path = FieldPath();
            if (platform::IsFolder(path) || !platform::IsWritable(path)) {
                m_ui.Message(SaveFailureMessage(platform::IsFolder(path) ? platform::FileError::Folder
                                                                         : platform::FileError::CannotCreate,
                                                path),
                             Ui::Icon::Warning);
                return;
            }
            if (platform::PathExists(path) && m_ui.Ask(FileChooser::OverwriteQuestion(path)) != Ui::Answer::Yes)
                return;
            m_target = path;
            m_field->setText(Printed());
        }
        // Qt's own checks (the file, and options that exclude each other),
        // then its acceptance.
        if (!QMetaObject::invokeMethod(&m_dialog, "_q_checkFields"))
            m_dialog.accept();
        if (m_dialog.isVisible() && !m_target.isEmpty()) {
            m_path = std::exchange(m_target, QString());
            m_field->setText(platform::DisplayPath(m_path));
        }
    }

    QDialog& m_dialog;
    Ui& m_ui;
    QLineEdit* m_field = nullptr;
    QComboBox* m_printers = nullptr;
    // The path chosen or proposed, its bytes kept.
    QString m_path;
    // Where the printed file goes, once the dialog is accepted for a file.
    QString m_target;
    QTemporaryDir m_temporary;
};

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

void SourcePrinter::PrintWithDialog(QWidget* parent, Ui& ui) const
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(m_job.name);
    QPrintDialog dialog(&printer, parent);
    dialog.setWindowTitle(UiText(QStringLiteral("印刷")));
    const PrintDialogFit fit(dialog);
    const PrintFileTarget file(dialog, m_job, ui);
    if (dialog.exec() != QDialog::Accepted)
        return;
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    const bool printed = Print(printer) > 0;
    QGuiApplication::restoreOverrideCursor();
    if (!printed)
        ui.Message(UiText(QStringLiteral("印刷できませんでした - ")) + m_job.name, Ui::Icon::Warning);
    else
        file.Save();
}

void SourcePrinter::Preview(QWidget* parent) const
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(m_job.name);
    QPrintPreviewDialog dialog(&printer, parent);
    dialog.setWindowTitle(UiText(QStringLiteral("印刷プレビュー - ")) + m_job.name);
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog,
                     [this](QPrinter* p) { Print(*p); });
    // A page is read here, so the preview takes most of the screen, and on
    // a phone all of it.
    const QSize room = DialogRoom(dialog);
    dialog.setMaximumSize(room);
    if (const QScreen* screen = parent ? parent->screen() : QGuiApplication::primaryScreen())
        dialog.resize((screen->availableGeometry().size() * 0.9).boundedTo(room));
    // On a tall screen a whole page is too small to read: its width fills
    // the screen. The dialog fits the whole page as it is first shown, so
    // this is done once it shows, through its own button (which then shows
    // the mode chosen).
    if (room.width() < room.height())
        if (auto* fitWidth = dialog.findChild<QAction*>(QStringLiteral("fitWidthAction")))
            QTimer::singleShot(0, fitWidth, &QAction::trigger);
    dialog.exec();
}
