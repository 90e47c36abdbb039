#pragma once

#include "core/edit/EditBuffer.h"

#include <climits>
#include <vector>

// The edit buffer held as one QString with CR LF line ends; serves the
// headless editor, the batch tool and the tests.
class MemoryEditBuffer : public EditBuffer {
public:
    MemoryEditBuffer() = default;
    explicit MemoryEditBuffer(const QString& text);

    void GetSel(int& start, int& end) const override;
    void SetSel(int start, int end) override;
    void ReplaceSel(const QString& text) override;
    void ScrollCaret() override {}

    int GetLineCount() const override;
    int LineIndex(int line) const override;
    int LineFromChar(int offset) const override;
    int LineLength(int offset) const override;
    QString GetLine(int line) const override;

    QString GetText() const override { return m_text; }
    void SetText(const QString& text, bool undoable = false) override;
    int GetTextLength() const override { return static_cast<int>(m_text.size()); }

    bool CanUndo() const override { return !m_undo.empty(); }
    void Undo() override;
    bool CanRedo() const override { return !m_redo.empty(); }
    void Redo() override;

    bool IsModified() const override { return m_modified; }
    void SetModified(bool modified) override { m_modified = modified; }

    // The clipboard of a buffer without a desktop is its own.
    void Cut() override;
    void Copy() override;
    void Paste() override;
    QString Clipboard() const { return m_clipboard; }
    void SetClipboard(const QString& text) { m_clipboard = text; }

    void SetTabWidth(int characters) override { m_tabWidth = characters; }
    void SetMargins(int pixels) override { m_margins = pixels; }
    void SetWordWrap(bool wrap) override { m_wordWrap = wrap; }
    bool WordWrap() const { return m_wordWrap; }
    void SetDisplay(const EditDisplay& display) override { m_display = display; }
    const EditDisplay& Display() const { return m_display; }
    void SetEditFont(const EditFont& font) override { m_font = font; }
    int TabWidth() const { return m_tabWidth; }
    int Margins() const { return m_margins; }
    const EditFont& Font() const { return m_font; }

    void BeginBulkEdit() override { ++m_bulkDepth; }
    void EndBulkEdit() override { --m_bulkDepth; }
    int BulkDepth() const { return m_bulkDepth; }
    // Lets a caller hand over a large text without a copy.
    void TakeText(QString&& text);

private:
    struct UndoStep {
        int start;
        QString removed;
        QString inserted;
        int selStart;
        int selEnd;
    };

    int Clamp(int offset) const;
    void Invalidate(int fromOffset);
    // Scans for line starts until the offset is passed or lineCount lines
    // are known.
    void EnsureLinesUpTo(int offset, int lineCount = INT_MAX) const;
    void EnsureAllLines() const;
    int CaretLine() const;

    QString m_text;
    int m_selStart = 0;
    int m_selEnd = 0;
    int m_caret = 0;  // the end the selection was made towards
    bool m_modified = false;
    int m_bulkDepth = 0;
    QString m_clipboard;
    int m_tabWidth = 8;
    int m_margins = 0;
    bool m_wordWrap = true;
    EditFont m_font;
    std::vector<UndoStep> m_undo;
    std::vector<UndoStep> m_redo;
    EditDisplay m_display;

    // Start offsets of lines, valid for a prefix of the text: m_lineStarts
    // holds every line start up to m_scanned (scanning resumes there).
    mutable std::vector<int> m_lineStarts{0};
    mutable int m_scanned = 0;
};
