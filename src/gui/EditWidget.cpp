#include "gui/EditWidget.h"

#include "core/highlight/EditorMarks.h"
#include "gui/EditTextMapping.h"
#include "gui/SyntaxHighlighter.h"

#include <QDragEnterEvent>
#include <QPainter>
#include <QScrollBar>
#include <QTextBlock>
#include <QTimer>
#include <QDropEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QUrl>

#include <algorithm>

namespace {

// How far from the caret the tag marks look for the partner tag, in each
// direction: the work after a caret move stays small in a page of any size.
constexpr int kTagWindow = 65536;
// How many blocks back the tag marks look for one that starts outside any
// markup, so that the reading starts where the page's own reading is.
constexpr int kTagStartSearch = 2000;
// Matches of the search marked at most on one screen.
constexpr size_t kMaxSearchMarks = 2000;
// The pause after typing or scrolling before the marks follow.
constexpr int kMarksDelayMs = 80;

class LineNumberMargin : public QWidget {
public:
    explicit LineNumberMargin(EditWidget& edit) : QWidget(&edit), m_edit(edit)
    {
        setObjectName(QStringLiteral("lineNumbers"));
    }

protected:
    void paintEvent(QPaintEvent* event) override { m_edit.PaintLineNumbers(event); }

private:
    EditWidget& m_edit;
};

QColor Between(const QColor& a, const QColor& b, qreal t)
{
    return QColor::fromRgbF(a.redF() * (1 - t) + b.redF() * t, a.greenF() * (1 - t) + b.greenF() * t,
                            a.blueF() * (1 - t) + b.blueF() * t);
}

} // namespace

EditWidget::EditWidget(QWidget* parent) : LineEndTextEdit(parent), m_buffer(*this)
{
    // The margins lie outside the viewport; they take the text's
    // background, not the window's.
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Base);
    m_highlighter = new SyntaxHighlighter(*this);
    m_lineNumbers = new LineNumberMargin(*this);
    m_marksTimer = new QTimer(this);
    m_marksTimer->setSingleShot(true);
    m_marksTimer->setInterval(kMarksDelayMs);
    connect(m_marksTimer, &QTimer::timeout, this, &EditWidget::UpdateMarksNow);
    m_buffer.SetMarginSetter([this](int pixels) {
        m_textMargin = pixels;
        UpdateMargins();
    });
    m_buffer.SetDisplaySetter([this](const EditDisplay& display) { ApplyDisplay(display); });
    connect(this, &QPlainTextEdit::blockCountChanged, this, &EditWidget::UpdateMargins);
    connect(this, &QPlainTextEdit::updateRequest, this, [this](const QRect& rect, int dy) {
        if (dy)
            m_lineNumbers->scroll(0, dy);
        else
            m_lineNumbers->update(0, rect.y(), m_lineNumbers->width(), rect.height());
    });
    // What is on screen changed.
    for (QScrollBar* bar : {verticalScrollBar(), horizontalScrollBar()})
        connect(bar, &QScrollBar::valueChanged, m_marksTimer, qOverload<>(&QTimer::start));
    connect(this, &QPlainTextEdit::cursorPositionChanged, this, [this] {
        UpdateCurrentLine();
        m_marksTimer->start();
    });
    connect(document(), &QTextDocument::contentsChange, m_marksTimer,
            qOverload<>(&QTimer::start));
    ApplyDisplay(m_buffer.Display());
}

// ---- display ---------------------------------------------------------------

void EditWidget::ApplyDisplay(const EditDisplay& display)
{
    m_display = display;
    m_highlighter->SetLanguage(display.language, display.highlight);
    m_lineNumbers->setVisible(display.lineNumbers);
    UpdateMargins();
    UpdateCurrentLine();
    UpdateMarksNow();
}

int EditWidget::LineNumberWidth() const
{
    if (!m_display.lineNumbers)
        return 0;
    int digits = 1;
    for (int n = std::max(1, m_buffer.GetLineCount()); n >= 10; n /= 10)
        ++digits;
    return fontMetrics().horizontalAdvance(u'9') * std::max(digits, 3) + 12;
}

void EditWidget::UpdateMargins()
{
    const int numbers = LineNumberWidth();
    setViewportMargins(numbers + m_textMargin, 0, m_textMargin, 0);
    const QRect r = contentsRect();
    m_lineNumbers->setGeometry(r.left(), r.top(), numbers, r.height());
}

void EditWidget::resizeEvent(QResizeEvent* event)
{
    LineEndTextEdit::resizeEvent(event);
    UpdateMargins();
    m_marksTimer->start();
}

void EditWidget::changeEvent(QEvent* event)
{
    LineEndTextEdit::changeEvent(event);
    if (!m_highlighter)
        return;  // still being made
    if (event->type() == QEvent::PaletteChange) {
        m_highlighter->UpdateColours();
        UpdateCurrentLine();
        UpdateMarksNow();
    } else if (event->type() == QEvent::FontChange) {
        UpdateMargins();
    }
}

void EditWidget::wheelEvent(QWheelEvent* event)
{
    if (event->modifiers() & Qt::ControlModifier) {
        const int dy = event->angleDelta().y();
        if (dy)
            Q_EMIT ZoomRequested(dy > 0 ? 1 : -1);
        event->accept();
        return;
    }
    LineEndTextEdit::wheelEvent(event);
}

void EditWidget::PaintLineNumbers(QPaintEvent* event)
{
    QPainter painter(m_lineNumbers);
    const QPalette& pal = palette();
    painter.fillRect(event->rect(), Between(pal.color(QPalette::Base), pal.color(QPalette::Text), 0.06));
    const QColor number = Between(pal.color(QPalette::Text), pal.color(QPalette::Base), 0.5);
    const int caretLine = m_buffer.LineOfBlock(textCursor().block());
    painter.setFont(font());
    QTextBlock block = firstVisibleBlock();
    int line = m_buffer.LineOfBlock(block);
    int top = qRound(blockBoundingGeometry(block).translated(contentOffset()).top());
    const int right = m_lineNumbers->width() - 6;
    const int lineHeight = fontMetrics().height();
    while (block.isValid() && top <= event->rect().bottom()) {
        const int bottom = top + qRound(blockBoundingRect(block).height());
        // The blocks that continue a long line get no number of their own.
        if (block.isVisible() && bottom >= event->rect().top()
            && !PlainTextEditBuffer::IsContinuation(block)) {
            painter.setPen(line == caretLine ? pal.color(QPalette::Text) : number);
            painter.drawText(0, top, right, lineHeight, Qt::AlignRight | Qt::AlignVCenter,
                             QString::number(line + 1));
        }
        block = block.next();
        if (block.isValid() && !PlainTextEditBuffer::IsContinuation(block))
            ++line;
        top = bottom;
    }
}

// ---- marks -----------------------------------------------------------------

QString EditWidget::TextBetween(int from, int to, std::vector<int>& soft) const
{
    QTextCursor c(document());
    c.setPosition(from);
    c.setPosition(to, QTextCursor::KeepAnchor);
    QString text = c.selectedText();
    // The soft breaks are no characters of the text: a tag or a match may
    // run across one.
    soft = m_buffer.SoftBreaksIn(from, to);
    if (!soft.empty()) {
        QString joined;
        joined.reserve(text.size());
        qsizetype at = 0;
        for (int& p : soft) {
            const qsizetype i = p - from;
            joined.append(QStringView(text).mid(at, i - at));
            at = i + 1;
            p = int(joined.size());  // now: the index in the text it was before
        }
        joined.append(QStringView(text).mid(at));
        text = std::move(joined);
    }
    text.replace(QChar(edittext::kBlockBreak), u'\n');
    return text;
}

int EditWidget::PositionIn(int from, const std::vector<int>& soft, qsizetype index)
{
    return from + int(index)
           + int(std::upper_bound(soft.begin(), soft.end(), int(index)) - soft.begin());
}

void EditWidget::UpdateCurrentLine()
{
    m_lineMark.clear();
    if (m_display.currentLine && !textCursor().hasSelection()) {
        QTextEdit::ExtraSelection line;
        line.format.setBackground(
            Between(palette().color(QPalette::Base), palette().color(QPalette::Highlight), 0.12));
        line.format.setProperty(QTextFormat::FullWidthSelection, true);
        line.cursor = textCursor();
        m_lineMark.append(line);
    }
    ShowMarks();
}

void EditWidget::UpdateMarksNow()
{
    m_marksTimer->stop();
    UpdateTagMarks();
    UpdateSearchMarks();
    ShowMarks();
}

void EditWidget::UpdateTagMarks()
{
    m_tagMarks.clear();
    if (!m_display.tagMatch || m_display.language != SyntaxLanguage::Html)
        return;
    const int caret = textCursor().position();
    // Start the reading at a block that begins outside any markup when the
    // colouring knows one.
    QTextBlock start = document()->findBlock(std::max(0, caret - kTagWindow));
    for (int i = 0; i < kTagStartSearch && start.previous().isValid()
                    && m_highlighter->StateBefore(start) != kSyntaxStartState;
         ++i)
        start = start.previous();
    const int from = std::max(start.position(), caret - kTagWindow);
    const int to = std::min(document()->characterCount() - 1, caret + kTagWindow);
    std::vector<int> soft;
    const QString text = TextBetween(from, to, soft);
    const int softBeforeCaret = int(m_buffer.SoftBreaksIn(from, caret).size());
    const std::optional<TagPairRanges> pair = MatchingTagAt(text, caret - from - softBeforeCaret);
    if (!pair)
        return;
    QTextCharFormat format;
    format.setBackground(
        Between(palette().color(QPalette::Base), palette().color(QPalette::Highlight), 0.3));
    for (const auto& [a, b] : {std::pair(pair->tagStart, pair->tagEnd),
                               std::pair(pair->partnerStart, pair->partnerEnd)}) {
        QTextEdit::ExtraSelection mark;
        mark.format = format;
        mark.cursor = QTextCursor(document());
        mark.cursor.setPosition(PositionIn(from, soft, a));
        mark.cursor.setPosition(PositionIn(from, soft, b), QTextCursor::KeepAnchor);
        m_tagMarks.append(mark);
    }
}

void EditWidget::UpdateSearchMarks()
{
    m_searchMarks.clear();
    if (!m_display.searchMatches || m_display.searchText.isEmpty())
        return;
    const QString what = edittext::ToDocument(m_display.searchText);
    // What is on screen, and a match's length to each side for the ones
    // cut by the edges.
    const QRect r = viewport()->rect();
    const int from = std::max(0, cursorForPosition(r.topLeft()).position() - int(what.size()));
    const int to = std::min(document()->characterCount() - 1,
                            cursorForPosition(r.bottomRight()).position() + int(what.size()));
    std::vector<int> soft;
    const QString text = TextBetween(from, to, soft);
    QTextCharFormat format;
    // A yellow marker on a light ground, a darker one on a dark ground.
    const bool dark = palette().color(QPalette::Base).lightness() < 128;
    format.setBackground(dark ? QColor(0x80, 0x6a, 0x00) : QColor(0xff, 0xe0, 0x66));
    format.setForeground(palette().color(QPalette::Text));
    for (qsizetype at : FindAllMatches(text, what, m_display.matchCase, kMaxSearchMarks)) {
        QTextEdit::ExtraSelection mark;
        mark.format = format;
        mark.cursor = QTextCursor(document());
        mark.cursor.setPosition(PositionIn(from, soft, at));
        mark.cursor.setPosition(PositionIn(from, soft, at + what.size()), QTextCursor::KeepAnchor);
        m_searchMarks.append(mark);
    }
}

void EditWidget::ShowMarks()
{
    setExtraSelections(m_lineMark + m_searchMarks + m_tagMarks);
}

QStringList EditWidget::LocalFiles(const QMimeData* data)
{
    QStringList paths;
    if (!data || !data->hasUrls())
        return paths;
    for (const QUrl& url : data->urls())
        if (url.isLocalFile())
            paths.append(url.toLocalFile());
    return paths;
}

bool EditWidget::event(QEvent* event)
{
    if (event->type() == QEvent::ShortcutOverride && m_shortcutHandler) {
        auto* key = static_cast<QKeyEvent*>(event);
        switch (m_shortcutHandler(*key)) {
        case ShortcutChoice::LetShortcutRun:
            key->ignore();
            return true;
        case ShortcutChoice::TakeKey:
            key->accept();
            return true;
        case ShortcutChoice::Default:
            break;
        }
    }
    return QPlainTextEdit::event(event);
}

void EditWidget::keyPressEvent(QKeyEvent* event)
{
    if (m_keyHandler && m_keyHandler(*event)) {
        event->accept();
        return;
    }
    // Alt and a letter is a menu's key, or nothing: never a letter typed
    // into the page (AltGr, which types characters, is not Alt here).
    const Qt::KeyboardModifiers mods = event->modifiers();
    if ((mods & Qt::AltModifier) && !(mods & (Qt::ControlModifier | Qt::MetaModifier)) && !event->text().isEmpty()) {
        event->ignore();
        return;
    }
    // The keys the widget deletes one character with (Backspace also with
    // Shift, as the widget takes it).
    const bool backspace =
        event->key() == Qt::Key_Backspace && !(event->modifiers() & ~Qt::ShiftModifier);
    if (StepsOverSoftBreak(*event, backspace))
        return;
    if ((backspace || event->matches(QKeySequence::Delete)) && !isReadOnly()
        && m_buffer.DeleteEscapedPair(!backspace)) {
        ensureCursorVisible();
        event->accept();
        return;
    }
    const bool wordDeleting = event->matches(QKeySequence::DeleteStartOfWord)
                              || event->matches(QKeySequence::DeleteEndOfWord);
    const bool deleting = backspace || event->matches(QKeySequence::Delete);
    const bool edits = !event->text().isEmpty() || deleting || wordDeleting
                       || event->matches(QKeySequence::Cut);
    if (edits && !isReadOnly() && m_buffer.KeyMayReshape(deleting, wordDeleting)) {
        m_buffer.WidgetEdit([this, event] { LineEndTextEdit::keyPressEvent(event); });
        return;
    }
    LineEndTextEdit::keyPressEvent(event);
}

// Japanese arrives from the input method as committed text, not as keys:
// it may grow a cut line past the limit the same way.
void EditWidget::inputMethodEvent(QInputMethodEvent* event)
{
    if (!event->commitString().isEmpty() && !isReadOnly() && m_buffer.KeyMayReshape(false, false)) {
        m_buffer.WidgetEdit([this, event] { LineEndTextEdit::inputMethodEvent(event); });
        return;
    }
    LineEndTextEdit::inputMethodEvent(event);
}

bool EditWidget::StepsOverSoftBreak(QKeyEvent& event, bool backspace)
{
    using K = QKeySequence;
    // The widget would give the new line end the format of the character
    // before it, which may carry the soft break mark.
    if ((event.matches(K::InsertParagraphSeparator) || event.matches(K::InsertLineSeparator))
        && !isReadOnly()) {
        m_buffer.ReplaceSel(QStringLiteral("\r\n"));
        ensureCursorVisible();
        event.accept();
        return true;
    }
    if (!m_buffer.HasSoftBreaks())
        return false;
    static const K::StandardKey kForward[] = {K::MoveToNextChar, K::MoveToNextWord, K::Delete,
                                              K::DeleteEndOfWord};
    static const K::StandardKey kBackward[] = {K::MoveToPreviousChar, K::MoveToPreviousWord,
                                               K::DeleteStartOfWord};
    static const K::StandardKey kSelectForward[] = {K::SelectNextChar, K::SelectNextWord};
    static const K::StandardKey kSelectBackward[] = {K::SelectPreviousChar, K::SelectPreviousWord};
    auto any = [&event](const auto& keys) {
        return std::any_of(std::begin(keys), std::end(keys),
                           [&event](K::StandardKey k) { return event.matches(k); });
    };
    if (any(kForward))
        m_buffer.StepOverSoftBreak(true, false);
    else if (backspace || any(kBackward))
        m_buffer.StepOverSoftBreak(false, false);
    else if (any(kSelectForward))
        m_buffer.StepOverSoftBreak(true, true);
    else if (any(kSelectBackward))
        m_buffer.StepOverSoftBreak(false, true);
    return false;
}

void EditWidget::mouseDoubleClickEvent(QMouseEvent* event)
{
    // The first press of the double-click has put the caret at the click.
    if (event->button() == Qt::LeftButton && m_doubleClickHandler && m_doubleClickHandler()) {
        event->accept();
        return;
    }
    QPlainTextEdit::mouseDoubleClickEvent(event);
    Q_EMIT DoubleClicked();
}

void EditWidget::dragEnterEvent(QDragEnterEvent* event)
{
    if (!LocalFiles(event->mimeData()).isEmpty()) {
        event->acceptProposedAction();
        return;
    }
    QPlainTextEdit::dragEnterEvent(event);
}

void EditWidget::dragMoveEvent(QDragMoveEvent* event)
{
    if (!LocalFiles(event->mimeData()).isEmpty()) {
        event->acceptProposedAction();
        return;
    }
    QPlainTextEdit::dragMoveEvent(event);
}

void EditWidget::dropEvent(QDropEvent* event)
{
    const QStringList files = LocalFiles(event->mimeData());
    if (!files.isEmpty()) {
        event->acceptProposedAction();
        Q_EMIT FilesDropped(files);
        return;
    }
    QPlainTextEdit::dropEvent(event);
}

QMimeData* EditWidget::createMimeDataFromSelection() const
{
    return PlainTextEditBuffer::MimeDataFor(m_buffer.SelectedText());
}

bool EditWidget::canInsertFromMimeData(const QMimeData* source) const
{
    return source && !PlainTextEditBuffer::TextFromMimeData(*source).isEmpty();
}

void EditWidget::insertFromMimeData(const QMimeData* source)
{
    if (!source)
        return;
    const QString text = PlainTextEditBuffer::TextFromMimeData(*source);
    if (text.isEmpty())
        return;
    m_buffer.ReplaceSel(text);
    ensureCursorVisible();
}
