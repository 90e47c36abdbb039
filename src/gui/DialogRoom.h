#pragma once

#include <QSize>

class QWidget;

// The room a dialog has on its screen (its parent's screen when it has one):
// the screen's free area less the frame the window system puts around a
// window (the main window's when it has one, and never less than a thin
// border and a title bar).
QSize DialogRoom(const QWidget& dialog);
