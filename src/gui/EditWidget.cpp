#include "gui/EditWidget.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QUrl>

EditWidget::EditWidget(QWidget* parent) : LineEndTextEdit(parent), m_buffer(*this)
{
    // The margins lie outside the viewport; they take the text's
    // background, not the window's.
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Base);
    m_buffer.SetMarginSetter([this](int pixels) { setViewportMargins(pixels, 0, pixels, 0); });
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
    // The keys the widget deletes one character with (Backspace also with
    // Shift, as the widget takes it).
    const bool backspace =
        event->key() == Qt::Key_Backspace && !(event->modifiers() & ~Qt::ShiftModifier);
    if ((backspace || event->matches(QKeySequence::Delete)) && !isReadOnly()
        && m_buffer.DeleteEscapedPair(!backspace)) {
        ensureCursorVisible();
        event->accept();
        return;
    }
    LineEndTextEdit::keyPressEvent(event);
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
