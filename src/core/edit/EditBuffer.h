#pragma once

#include "core/edit/EditDisplay.h"

#include <QString>

#include <functional>
#include <optional>

// The line end of every text a buffer holds and takes, whatever the file had.
inline const QString kCrLf = QStringLiteral("\r\n");

// True when an offset between these two characters would lie inside one
// character: the CR LF of a line end or a surrogate pair. A surrogate
// without its partner (an undecodable byte kept as U+DC80..U+DCFF) is a
// character of its own, with a boundary on either side.
inline bool SplitsCharacter(char16_t before, char16_t after)
{
    return (before == u'\r' && after == u'\n')
           || (QChar::isHighSurrogate(before) && QChar::isLowSurrogate(after));
}

// The editor font as the settings describe it.
struct EditFont {
    QString face;
    int pointSize = 10;
    int weight = 400;  // 400 normal, 700 bold
    bool italic = false;
    bool underline = false;
};

// The edit control as the commands see it. Offsets count UTF-16 characters
// and every line end counts as CR LF (two characters), whatever the widget
// behind it stores. Only a CR LF pair ends a line: a CR or LF on its own is
// an ordinary character and is kept as it is (a file read with LF line ends
// may hold CR CR LF, and must be written back byte for byte). Every editing command works through this interface, so a
// command runs the same on the desktop widget and on MemoryEditBuffer.
class EditBuffer {
public:
    virtual ~EditBuffer() = default;

    // Selection as (start, end) with start <= end; equal for a bare caret.
    virtual void GetSel(int& start, int& end) const = 0;
    // Selects start..end (either order; the caret goes to end). A start of -1
    // removes the selection and leaves the caret where it is. Offsets past
    // the end are clamped; an offset inside a CR LF pair or a surrogate pair
    // moves before it.
    virtual void SetSel(int start, int end) = 0;
    // Replaces the selection by the text (CR LF line ends) as one undoable
    // edit, leaves the caret after it and sets the modified flag.
    virtual void ReplaceSel(const QString& text) = 0;

    // Gives the pieces of a long text in order, and an empty optional after
    // the last. It may be called on another thread than the buffer's, one
    // call at a time, so it must touch nothing but its own data.
    using PieceSource = std::function<std::optional<QString>()>;
    // ReplaceSel with the pieces joined. A buffer behind a slow widget makes
    // later pieces while it inserts earlier ones.
    virtual void ReplaceSelPieces(const PieceSource& next)
    {
        QString text;
        while (std::optional<QString> piece = next())
            text += *piece;
        ReplaceSel(text);
    }
    virtual void ScrollCaret() = 0;

    virtual int GetLineCount() const = 0;
    // Offset of a line's first character; -1 for a line that does not exist;
    // line -1 means the caret's line.
    virtual int LineIndex(int line) const = 0;
    // Line holding the offset; -1 means the caret's line.
    virtual int LineFromChar(int offset) const = 0;
    // Length of the line holding the offset, without its line end; -1 gives
    // the characters of the caret's lines that lie outside the selection.
    virtual int LineLength(int offset) const = 0;
    // The text of a line without its line end; empty for a line that does
    // not exist.
    virtual QString GetLine(int line) const = 0;

    virtual QString GetText() const = 0;
    // Replaces the whole text (CR LF line ends); the caret goes to 0. When
    // undoable is true the replacement is one undo step, otherwise the
    // undo history is cleared (loading a document).
    virtual void SetText(const QString& text, bool undoable = false) = 0;
    virtual int GetTextLength() const = 0;

    virtual bool CanUndo() const = 0;
    // Undoes the last edit (a ReplaceSel or an undoable SetText).
    virtual void Undo() = 0;
    // Makes the last undone edit again; a new edit forgets what was undone.
    virtual bool CanRedo() const = 0;
    virtual void Redo() = 0;

    virtual bool IsModified() const = 0;
    virtual void SetModified(bool modified) = 0;

    // Clipboard editing, as the edit control does it.
    virtual void Cut() = 0;
    virtual void Copy() = 0;
    virtual void Paste() = 0;

    // Presentation; a buffer without a screen only remembers the values.
    virtual void SetTabWidth(int characters) = 0;
    virtual void SetMargins(int pixels) = 0;
    virtual void SetEditFont(const EditFont& font) = 0;
    // Long lines wrap at the window's edge, or scroll sideways.
    virtual void SetWordWrap(bool wrap) = 0;
    virtual void SetDisplay(const EditDisplay& display) = 0;

    // Turns screen updates off while many edits are made in a row; the
    // calls nest.
    virtual void BeginBulkEdit() {}
    virtual void EndBulkEdit() {}
};
