#include "gui/DialogRoom.h"

#include <QScreen>
#include <QWidget>

QSize DialogRoom(const QWidget& dialog)
{
    const QWidget* parent = dialog.parentWidget();
    const QScreen* screen = parent ? parent->screen() : dialog.screen();
    if (!screen)
        return QSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    // A maximized window shows no frame, but the dialog will have one: at
    // least this much is left for it.
    const QSize leastFrame(8, 32);
    QSize frame = leastFrame;
    const QWidget* window = parent ? parent->window() : nullptr;
    if (window && window->isVisible())
        frame = frame.expandedTo(window->frameGeometry().size() - window->geometry().size());
    return (screen->availableGeometry().size() - frame).expandedTo(QSize(1, 1));
}
