#include "gui/LineEndTextEdit.h"

#include <QKeyEvent>

void LineEndTextEdit::keyPressEvent(QKeyEvent* event)
{
    if (!event->matches(QKeySequence::InsertLineSeparator)) {
        QPlainTextEdit::keyPressEvent(event);
        return;
    }
    QKeyEvent enter(event->type(), event->key(), event->modifiers() & Qt::KeypadModifier,
                    event->text(), event->isAutoRepeat(), event->count());
    QPlainTextEdit::keyPressEvent(&enter);
    event->setAccepted(enter.isAccepted());
}
