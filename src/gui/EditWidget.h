#pragma once

#include "gui/LineEndTextEdit.h"
#include "gui/PlainTextEditBuffer.h"

#include <QPlainTextEdit>
#include <QStringList>

#include <functional>

// The editor widget: a QPlainTextEdit with its edit buffer. Keys go to a
// handler first (the view's key assignments), the clipboard and drops carry
// the editor's text exactly, and files dropped on it are handed on instead
// of being inserted as text.
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

Q_SIGNALS:
    void FilesDropped(const QStringList& paths);
    // After the widget's own double-click handling (which selects a word),
    // when the double-click handler did not take the click.
    void DoubleClicked();

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

private:
    PlainTextEditBuffer m_buffer;
    KeyHandler m_keyHandler;
    ShortcutHandler m_shortcutHandler;
    DoubleClickHandler m_doubleClickHandler;
};
