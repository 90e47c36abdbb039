#pragma once

#include "gui/LineEndTextEdit.h"
#include "gui/PlainTextEditBuffer.h"

#include <QPlainTextEdit>
#include <QStringList>

#include <functional>
#include <vector>

class SyntaxHighlighter;
class QTimer;

// The editor widget: a QPlainTextEdit with its edit buffer. Keys go to a
// handler first (the view's key assignments), the clipboard and drops carry
// the editor's text exactly, and files dropped on it are handed on instead
// of being inserted as text. It shows what the buffer's display asks for:
// colours, line numbers in the left margin, the caret's line, the tag that
// belongs to the tag at the caret and the visible matches of the last
// search.
class EditWidget : public LineEndTextEdit {
    Q_OBJECT
public:
    explicit EditWidget(QWidget* parent = nullptr);

    PlainTextEditBuffer& Buffer() { return m_buffer; }

    // Gets every key press first; returns true when it consumed the key.
    using KeyHandler = std::function<bool(QKeyEvent&)>;
    void SetKeyHandler(KeyHandler handler) { m_keyHandler = std::move(handler); }

    // Before a key becomes a shortcut: whether a shortcut (an accelerator)
    // gets it, the widget takes it (a key the view has an assignment for),
    // or the widget decides as it always does.
    enum class ShortcutChoice { Default, LetShortcutRun, TakeKey };
    using ShortcutHandler = std::function<ShortcutChoice(QKeyEvent&)>;
    void SetShortcutHandler(ShortcutHandler handler) { m_shortcutHandler = std::move(handler); }

    // Gets a double-click first, with the caret where the click put it;
    // returns true when it took the click (the widget then selects no word).
    using DoubleClickHandler = std::function<bool()>;
    void SetDoubleClickHandler(DoubleClickHandler handler)
    {
        m_doubleClickHandler = std::move(handler);
    }

    // Local files carried by drag-and-drop data; empty when there are none.
    static QStringList LocalFiles(const QMimeData* data);

    SyntaxHighlighter& Highlighter() { return *m_highlighter; }
    QWidget* LineNumberArea() const { return m_lineNumbers; }
    int LineNumberWidth() const;
    // The marks on the text: the caret's line, the tag pair, search matches.
    QList<QTextEdit::ExtraSelection> TagMarks() const { return m_tagMarks; }
    QList<QTextEdit::ExtraSelection> SearchMarks() const { return m_searchMarks; }
    // Brings the tag and search marks up to date now instead of after the
    // pause that follows typing and scrolling.
    void UpdateMarksNow();
    void PaintLineNumbers(QPaintEvent* event);

Q_SIGNALS:
    void FilesDropped(const QStringList& paths);
    // After the widget's own double-click handling (which selects a word),
    // when the double-click handler did not take the click.
    void DoubleClicked();
    // Ctrl and the wheel: one step larger (1) or smaller (-1).
    void ZoomRequested(int steps);

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    QMimeData* createMimeDataFromSelection() const override;
    bool canInsertFromMimeData(const QMimeData* source) const override;
    void insertFromMimeData(const QMimeData* source) override;
    void resizeEvent(QResizeEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void ApplyDisplay(const EditDisplay& display);
    void UpdateMargins();
    void UpdateCurrentLine();
    void UpdateTagMarks();
    void UpdateSearchMarks();
    void ShowMarks();
    // Text of the document between two positions, block breaks as "\n"
    // and soft breaks left out; `soft` gets the indices in it where soft
    // breaks were, for PositionIn.
    QString TextBetween(int from, int to, std::vector<int>& soft) const;
    // The document position of an index in such a text.
    static int PositionIn(int from, const std::vector<int>& soft, qsizetype index);
    // Enter, and keys next to a soft break: true when the key was handled
    // here (Enter); other keys find the caret stepped over the break.
    bool StepsOverSoftBreak(QKeyEvent& event, bool backspace);

    PlainTextEditBuffer m_buffer;
    KeyHandler m_keyHandler;
    ShortcutHandler m_shortcutHandler;
    DoubleClickHandler m_doubleClickHandler;
    SyntaxHighlighter* m_highlighter = nullptr;
    QWidget* m_lineNumbers = nullptr;
    int m_textMargin = 0;
    EditDisplay m_display;
    QTimer* m_marksTimer = nullptr;
    QList<QTextEdit::ExtraSelection> m_lineMark;
    QList<QTextEdit::ExtraSelection> m_tagMarks;
    QList<QTextEdit::ExtraSelection> m_searchMarks;
};
