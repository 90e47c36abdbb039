#pragma once

#include <QPlainTextEdit>

// A QPlainTextEdit whose Shift+Enter makes a line end, as Enter does. The
// widget would insert U+2028, a break that is no line end of the editor's
// text and no character of the device code page.
class LineEndTextEdit : public QPlainTextEdit {
public:
    using QPlainTextEdit::QPlainTextEdit;

protected:
    void keyPressEvent(QKeyEvent* event) override;
};
