#pragma once

#include "core/edit/EditBuffer.h"

#include <QObject>
#include <QString>
#include <QTextBlock>

#include <algorithm>
#include <functional>
#include <vector>

class QMimeData;
class QPlainTextEdit;
class QTextCursor;
class QTextDocument;

// The edit buffer over a QPlainTextEdit.
//
// The editor counts every line end as CR LF, two characters; the document
// holds a block break, one position. With no escapes in the document (see
// EditTextMapping.h) document position p therefore is editor offset
// p + (block number of p), and every conversion costs a block look-up in the
// document's tree, never a scan of the text. Once an escape has entered the
// document the conversions count them block by block; only a program can
// put such a character into the text, so that slow path is never taken for
// text a user loads, types or pastes.
//
// A line longer than the soft break limit is held as several blocks: Qt lays
// out and shapes a whole block on every edit and every caret move, which in
// a minified page of megabytes costs a second a key. The separator of such
// a "soft" break carries a property in its character format; the break
// counts as no editor character, so the text, the line numbers and every
// offset read back are the editor's own. The property travels with the
// separator through Qt's undo and redo. The document positions of the soft
// breaks are kept sorted in m_soft, brought up to date on every change of
// the document, so that an offset conversion stays a block look-up and a
// binary search.
class PlainTextEditBuffer : public EditBuffer {
public:
    explicit PlainTextEditBuffer(QPlainTextEdit& edit);

    void GetSel(int& start, int& end) const override;
    void SetSel(int start, int end) override;
    void ReplaceSel(const QString& text) override;
    // The pieces are made on a thread of their own while the widget inserts
    // the ones made, so a long text costs little more than Qt's insertion.
    void ReplaceSelPieces(const PieceSource& next) override;
    void ScrollCaret() override;

    int GetLineCount() const override;
    int LineIndex(int line) const override;
    int LineFromChar(int offset) const override;
    int LineLength(int offset) const override;
    QString GetLine(int line) const override;

    QString GetText() const override;
    void SetText(const QString& text, bool undoable = false) override;
    int GetTextLength() const override;

    bool CanUndo() const override;
    void Undo() override;
    bool CanRedo() const override;
    void Redo() override;

    bool IsModified() const override;
    void SetModified(bool modified) override;

    // The desktop clipboard. Copies carry the exact text for this program
    // and LF line ends for others; text from other programs has its CR LF,
    // CR and LF all taken as line ends.
    void Cut() override;
    void Copy() override;
    void Paste() override;

    void SetTabWidth(int characters) override;
    void SetMargins(int pixels) override;
    void SetWordWrap(bool wrap) override;
    void SetEditFont(const EditFont& font) override;
    // The zoom is applied here, to the font; the rest goes to the display
    // setter.
    void SetDisplay(const EditDisplay& display) override;
    const EditDisplay& Display() const { return m_display; }
    using DisplaySetter = std::function<void(const EditDisplay&)>;
    void SetDisplaySetter(DisplaySetter setter) { m_setDisplay = std::move(setter); }
    int TabWidth() const { return m_tabWidth; }
    int Margins() const { return m_margins; }
    // How the widget puts a margin left and right of the text. The
    // document's own margin cannot serve: changing it is an undoable edit
    // that marks the text as changed.
    using MarginSetter = std::function<void(int)>;
    void SetMarginSetter(MarginSetter setter) { m_setMargins = std::move(setter); }

    void BeginBulkEdit() override;
    void EndBulkEdit() override;

    // Clipboard data for editor text, and editor text from clipboard data.
    static QMimeData* MimeDataFor(const QString& text);
    static QString TextFromMimeData(const QMimeData& data);
    // The selected text as the editor counts it.
    QString SelectedText() const;

    // Delete (forward) or Backspace at the caret, when it would take only
    // half of an escaped stand-in: deletes the whole pair, the one editor
    // character it is, and returns true. False (nothing done) for every
    // other case, which the widget handles itself.
    bool DeleteEscapedPair(bool forward);

    // The longest block a line is held in; the default, or smaller in tests
    // so that short texts are split. Applies to text loaded or edited later.
    static constexpr int kDefaultSoftBreakLimit = 4000;
    void SetSoftBreakLimit(int characters) { m_softLimit = std::max(characters, 2); }
    // True when the block continues the line of the block before it.
    static bool IsContinuation(const QTextBlock& block);
    // The editor line a block belongs to.
    int LineOfBlock(const QTextBlock& block) const;
    // Document positions of the soft breaks in [from, to).
    std::vector<int> SoftBreaksIn(int from, int to) const;
    // Before a key moves the caret or deletes next to it: a caret on a soft
    // break steps over it in the key's direction, so that the key acts on
    // an editor character.
    void StepOverSoftBreak(bool forward, bool keepAnchor);
    // True while the document holds soft breaks.
    bool HasSoftBreaks() const { return !m_soft.empty(); }
    // Whether a key the widget handles may leave a block past the limit or
    // a soft break that no longer serves (deleting: a key that deletes a
    // character; wordDeleting: one that deletes a word).
    bool KeyMayReshape(bool deleting, bool wordDeleting) const;
    // Runs such a key's edit and puts the blocks around the caret in order,
    // as one undo step: a cut made afterwards would be a step of its own
    // that changes nothing the user sees.
    void WidgetEdit(const std::function<void()>& edit);

    // Offset conversions (public for the window's status line).
    int ToOffset(int position) const;
    int ToPosition(int offset) const;
    // ToPosition of an offset clamped into the text, moved before a
    // surrogate pair it would split (a block break is one position, so a
    // CR LF cannot be split here).
    int CaretPosition(int offset) const;

private:
    QTextDocument& Doc() const;
    // The editor character before a document position, 0 at the start.
    char16_t CharBefore(int position) const;
    // The editor character at a document position, 0 at the end.
    char16_t CharAt(int position) const;
    // Editor offset of a block's first character.
    int BlockOffset(const QTextBlock& block) const;
    // Editor characters in a block, without its line end.
    int BlockLength(const QTextBlock& block) const;
    // The block holding an editor offset (clamped to the text).
    QTextBlock BlockOfOffset(int offset) const;
    int CaretOffset() const;
    // A lone CR just before the position and a lone LF at it: one line end
    // in the editor's text, two stand-ins in the document.
    bool SplitLineEndAt(int position) const;
    // After an edit made in the widget (typing, deleting, undo): a lone CR
    // and a lone LF brought together become a block break, so that the
    // document's blocks stay the editor's lines.
    void NoteWidgetEdit(int position, int added);
    void JoinSplitLineEnds();

    // Soft breaks before a document position.
    int SoftBefore(int position) const;
    // The same place in the text on the near or far side of soft breaks.
    int LeftOfSoft(int position) const;
    int RightOfSoft(int position) const;
    // The first block of an editor line.
    QTextBlock LineStartBlock(int line) const;
    // The document text of [from, to) without its soft breaks, as editor text.
    QString EditorTextBetween(int from, int to) const;
    // Brings m_soft up to date after a change of the document.
    void UpdateSoftBreaks(int position, int removed, int added);
    // Removes the soft breaks that no longer serve around [from, to] and
    // splits the blocks there that grew past the limit, inside the caller's
    // edit block.
    void NormaliseBlocks(QTextCursor& c, int from, int to);
    // Inserts document text at the cursor, its block breaks line ends.
    static void InsertDocumentText(QTextCursor& c, const QString& text);
    // Where a line's text is cut, as indices into it.
    std::vector<qsizetype> SoftCuts(QStringView line) const;
    // Document text with its long lines cut; the positions of the cuts
    // (block breaks in the result) go to `soft`.
    QString WithSoftBreaks(const QString& docText, std::vector<int>& soft) const;
    // Editor offset of the end of a line's text.
    int LineEndOffset(int line) const;

    QPlainTextEdit& m_edit;
    // Receives the document's signals; goes with the buffer.
    QObject m_context;
    // Positions where a widget edit may have left a split line end.
    std::vector<int> m_splitCandidates;
    bool m_joinScheduled = false;
    // The buffer's own edits keep the line ends whole themselves.
    bool m_ownEdit = false;
    // Set once an escape has entered the document; cleared only when the
    // whole text is replaced without one.
    bool m_mayHoldEscapes = false;
    int m_tabWidth = 8;
    int m_margins = 0;
    MarginSetter m_setMargins;
    EditFont m_font;
    EditDisplay m_display;
    DisplaySetter m_setDisplay;
    void ApplyFont();
    int m_bulkDepth = 0;
    int m_softLimit = kDefaultSoftBreakLimit;
    // Document positions of the soft break characters, ascending.
    std::vector<int> m_soft;
    // Set once a soft break has entered the document: only then can an
    // undo bring one back.
    bool m_mayHoldSoft = false;
    // While a load sets m_soft itself.
    bool m_skipSoftUpdate = false;
};
