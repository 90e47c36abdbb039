#include "gui/PlainTextEditBuffer.h"

#include "gui/EditTextMapping.h"
#include "gui/FontFamilies.h"

#include <QClipboard>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QTextCursor>
#include <QTextDocument>
#include <QTimer>

#include <algorithm>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <optional>
#include <system_error>
#include <thread>

namespace {

// The program's own clipboard format: the editor text as UTF-16, exactly.
const QString kMimeType = QStringLiteral("application/x-kelvopad-text");

// Editor characters in the first `rel` positions of a block's raw text. A
// position between an escape and the character it escapes counts as the
// pair's start.
int PrefixLength(QStringView raw, int rel)
{
    int length = 0;
    int i = 0;
    while (i < rel) {
        if (raw[i] == QChar(edittext::kEscape) && i + 1 < raw.size()
            && edittext::NeedsEscape(raw[i + 1].unicode())) {
            if (i + 1 >= rel)
                break;
            i += 2;
        } else {
            ++i;
        }
        ++length;
    }
    return length;
}

// The raw position inside a block of the editor character at `rel` (rel may
// be the block's length).
int RawIndex(QStringView raw, int rel)
{
    int i = 0;
    for (int n = 0; n < rel && i < raw.size(); ++n) {
        if (raw[i] == QChar(edittext::kEscape) && i + 1 < raw.size()
            && edittext::NeedsEscape(raw[i + 1].unicode()))
            i += 2;
        else
            ++i;
    }
    return i;
}

// Runs a piece source on a thread of its own and hands the pieces over in
// their order.
class PieceMaker {
public:
    explicit PieceMaker(const EditBuffer::PieceSource& next)
        : m_thread([this, &next] { Make(next); })
    {
    }
    ~PieceMaker() { m_thread.join(); }

    // The next piece, waiting for it to be made; empty after the last.
    std::optional<QString> Take()
    {
        std::unique_lock lock(m_mutex);
        m_ready.wait(lock, [this] { return !m_pieces.empty() || m_done; });
        if (m_pieces.empty())
            return std::nullopt;
        QString piece = std::move(m_pieces.front());
        m_pieces.pop_front();
        return piece;
    }

private:
    void Make(const EditBuffer::PieceSource& next)
    {
        for (;;) {
            std::optional<QString> piece = next();
            const std::lock_guard lock(m_mutex);
            if (piece)
                m_pieces.push_back(std::move(*piece));
            else
                m_done = true;
            m_ready.notify_one();
            if (!piece)
                return;
        }
    }

    std::mutex m_mutex;
    std::condition_variable m_ready;
    std::deque<QString> m_pieces;
    bool m_done = false;
    std::thread m_thread;  // last: it starts once the rest is there
};

} // namespace

PlainTextEditBuffer::PlainTextEditBuffer(QPlainTextEdit& edit) : m_edit(edit)
{
    QObject::connect(&Doc(), &QTextDocument::contentsChange, &m_context,
                     [this](int position, int removed, int added) {
                         if (!m_ownEdit)
                             NoteWidgetEdit(position, added);
                     });
}

// ---- line ends split by widget edits ----------------------------------------

bool PlainTextEditBuffer::SplitLineEndAt(int position) const
{
    return position > 0 && position < Doc().characterCount() - 1
           && CharBefore(position) == u'\r' && CharAt(position) == u'\n';
}

void PlainTextEditBuffer::NoteWidgetEdit(int position, int added)
{
    bool found = false;
    for (int p : {position, position + added}) {
        if (SplitLineEndAt(p)) {
            m_splitCandidates.push_back(p);
            found = true;
        }
    }
    // The document is in the middle of telling its widget about the edit;
    // it is changed again only once that is done.
    if (found && !m_joinScheduled) {
        m_joinScheduled = true;
        QTimer::singleShot(0, &m_context, [this] { JoinSplitLineEnds(); });
    }
}

void PlainTextEditBuffer::JoinSplitLineEnds()
{
    m_joinScheduled = false;
    std::vector<int> candidates;
    candidates.swap(m_splitCandidates);
    std::sort(candidates.begin(), candidates.end(), std::greater<int>());
    candidates.erase(std::unique(candidates.begin(), candidates.end()), candidates.end());
    m_ownEdit = true;
    for (int p : candidates) {
        if (!SplitLineEndAt(p))
            continue;
        // Part of the edit that split it: one undo takes back both.
        QTextCursor c(&Doc());
        c.setPosition(p - 1);
        c.setPosition(p + 1, QTextCursor::KeepAnchor);
        c.joinPreviousEditBlock();
        c.insertText(QStringLiteral("\n"));
        c.endEditBlock();
    }
    m_ownEdit = false;
}

QTextDocument& PlainTextEditBuffer::Doc() const
{
    return *m_edit.document();
}

// ---- offset conversions ----------------------------------------------------

int PlainTextEditBuffer::BlockOffset(const QTextBlock& block) const
{
    if (!m_mayHoldEscapes)
        return block.position() + block.blockNumber();
    int offset = 0;
    for (QTextBlock b = Doc().begin(); b.isValid() && b != block; b = b.next())
        offset += BlockLength(b) + 2;
    return offset;
}

int PlainTextEditBuffer::BlockLength(const QTextBlock& block) const
{
    if (!m_mayHoldEscapes)
        return block.length() - 1;
    return edittext::EditorLength(block.text());
}

int PlainTextEditBuffer::GetTextLength() const
{
    if (!m_mayHoldEscapes)
        return Doc().characterCount() - 1 + Doc().blockCount() - 1;
    return edittext::EditorLength(Doc().toRawText());
}

QTextBlock PlainTextEditBuffer::BlockOfOffset(int offset) const
{
    if (!m_mayHoldEscapes) {
        // The last block whose first offset is at or before the offset.
        int lo = 0;
        int hi = Doc().blockCount() - 1;
        while (lo < hi) {
            const int mid = lo + (hi - lo + 1) / 2;
            if (Doc().findBlockByNumber(mid).position() + mid <= offset)
                lo = mid;
            else
                hi = mid - 1;
        }
        return Doc().findBlockByNumber(lo);
    }
    int start = 0;
    QTextBlock b = Doc().begin();
    for (;;) {
        const int next = start + BlockLength(b) + 2;
        if (!b.next().isValid() || next > offset)
            return b;
        start = next;
        b = b.next();
    }
}

int PlainTextEditBuffer::ToOffset(int position) const
{
    const QTextBlock block = Doc().findBlock(position);
    if (!block.isValid())
        return GetTextLength();
    if (!m_mayHoldEscapes)
        return position + block.blockNumber();
    return BlockOffset(block) + PrefixLength(block.text(), position - block.position());
}

int PlainTextEditBuffer::ToPosition(int offset) const
{
    offset = std::max(offset, 0);
    const QTextBlock block = BlockOfOffset(offset);
    // Offsets past the block's text (inside its CR LF, or past the end of
    // the text) go to the block's end.
    const int rel = std::min(offset - BlockOffset(block), BlockLength(block));
    if (!m_mayHoldEscapes)
        return block.position() + rel;
    return block.position() + RawIndex(block.text(), rel);
}

int PlainTextEditBuffer::CaretPosition(int offset) const
{
    int p = ToPosition(std::clamp(offset, 0, GetTextLength()));
    if (p > 0 && SplitsCharacter(CharBefore(p), CharAt(p)))
        --p;
    return p;
}

int PlainTextEditBuffer::CaretOffset() const
{
    return ToOffset(m_edit.textCursor().position());
}

char16_t PlainTextEditBuffer::CharBefore(int position) const
{
    if (position <= 0)
        return 0;
    const QTextBlock block = Doc().findBlock(position);
    if (position == block.position())
        return u'\n';
    if (!m_mayHoldEscapes)
        return edittext::FromStandIn(Doc().characterAt(position - 1).unicode());
    const QString raw = block.text();
    const int rel = PrefixLength(raw, position - block.position());
    const QString text = edittext::FromDocument(raw);
    return rel > 0 ? text[rel - 1].unicode() : char16_t(0);
}

char16_t PlainTextEditBuffer::CharAt(int position) const
{
    const QTextBlock block = Doc().findBlock(position);
    if (!block.isValid())
        return 0;
    if (position == block.position() + block.length() - 1)
        return block.next().isValid() ? u'\r' : char16_t(0);
    if (!m_mayHoldEscapes)
        return edittext::FromStandIn(Doc().characterAt(position).unicode());
    const QString raw = block.text();
    const int rel = PrefixLength(raw, position - block.position());
    const QString text = edittext::FromDocument(raw);
    return rel < text.size() ? text[rel].unicode() : char16_t(0);
}

// ---- selection and editing -------------------------------------------------

void PlainTextEditBuffer::GetSel(int& start, int& end) const
{
    const QTextCursor c = m_edit.textCursor();
    start = ToOffset(c.selectionStart());
    end = ToOffset(c.selectionEnd());
}

void PlainTextEditBuffer::SetSel(int start, int end)
{
    QTextCursor c = m_edit.textCursor();
    if (start == -1) {
        c.clearSelection();
        m_edit.setTextCursor(c);
        return;
    }
    if (end < 0)
        end = GetTextLength();
    c.setPosition(CaretPosition(start));
    c.setPosition(CaretPosition(end), QTextCursor::KeepAnchor);
    m_edit.setTextCursor(c);
}

void PlainTextEditBuffer::ReplaceSel(const QString& text)
{
    int start = 0, end = 0;
    GetSel(start, end);
    int from = ToPosition(start);
    int to = ToPosition(end);

    // A lone CR before the selection and an LF after the new text (or a CR
    // at the end of the new text and a lone LF after the selection) become a
    // line end, as they are one in the editor's text. Taking the neighbour
    // into the replaced range turns the two stand-ins into one block break.
    QString insert = text;
    const bool crBefore = CharBefore(from) == u'\r';
    const bool lfAfter = CharAt(to) == u'\n';
    const bool joinBefore =
        crBefore && (insert.startsWith(u'\n') || (insert.isEmpty() && lfAfter));
    const bool joinAfter = lfAfter && (insert.endsWith(u'\r') || (insert.isEmpty() && crBefore));
    if (joinBefore) {
        insert.prepend(u'\r');
        --from;
    }
    if (joinAfter) {
        insert.append(u'\n');
        ++to;
    }

    bool escaped = false;
    const QString docText = edittext::ToDocument(insert, &escaped);
    m_mayHoldEscapes = m_mayHoldEscapes || escaped;

    m_ownEdit = true;
    QTextCursor c(&Doc());
    c.setPosition(from);
    c.setPosition(to, QTextCursor::KeepAnchor);
    c.beginEditBlock();
    c.insertText(docText);
    c.endEditBlock();
    m_ownEdit = false;
    Doc().setModified(true);

    QTextCursor caret = m_edit.textCursor();
    caret.setPosition(CaretPosition(start + static_cast<int>(text.size())));
    m_edit.setTextCursor(caret);
}

void PlainTextEditBuffer::ReplaceSelPieces(const PieceSource& next)
{
    int start = 0, end = 0;
    GetSel(start, end);
    const int from = ToPosition(start);
    const int to = ToPosition(end);
    // A lone CR before the selection or a lone LF after it may join the
    // text's first or last character into a line end, which ReplaceSel
    // decides on the whole text.
    if (CharBefore(from) == u'\r' || CharAt(to) == u'\n') {
        EditBuffer::ReplaceSelPieces(next);
        return;
    }

    std::optional<PieceMaker> maker;
    try {
        maker.emplace(next);
    } catch (const std::system_error&) {
        // No thread to be had: the pieces are made here.
        EditBuffer::ReplaceSelPieces(next);
        return;
    }
    m_ownEdit = true;
    QTextCursor c(&Doc());
    c.setPosition(from);
    c.setPosition(to, QTextCursor::KeepAnchor);
    c.beginEditBlock();
    c.removeSelectedText();
    qsizetype inserted = 0;
    // A CR at the end of a piece waits for the next one: with an LF at its
    // start the two are one line end.
    bool heldCr = false;
    while (std::optional<QString> piece = maker->Take()) {
        QString text = heldCr ? u'\r' + *piece : std::move(*piece);
        heldCr = text.endsWith(u'\r');
        if (heldCr)
            text.chop(1);
        bool escaped = false;
        c.insertText(edittext::ToDocument(text, &escaped));
        m_mayHoldEscapes = m_mayHoldEscapes || escaped;
        inserted += text.size();
    }
    if (heldCr) {
        // A lone CR at the very end.
        c.insertText(edittext::ToDocument(QStringLiteral("\r")));
        ++inserted;
    }
    c.endEditBlock();
    m_ownEdit = false;
    Doc().setModified(true);

    QTextCursor caret = m_edit.textCursor();
    caret.setPosition(CaretPosition(start + static_cast<int>(inserted)));
    m_edit.setTextCursor(caret);
}

bool PlainTextEditBuffer::DeleteEscapedPair(bool forward)
{
    if (!m_mayHoldEscapes || m_edit.textCursor().hasSelection())
        return false;
    const int position = m_edit.textCursor().position();
    const QTextBlock block = Doc().findBlock(position);
    const QString raw = block.text();
    const int rel = position - block.position();
    // Pairs are found from the block's start: an escaped escape followed by
    // a stand-in is a pair and a lone stand-in.
    for (int i = 0; i < rel + 1 && i < raw.size();) {
        const bool pair = raw[i] == QChar(edittext::kEscape) && i + 1 < raw.size()
                          && edittext::NeedsEscape(raw[i + 1].unicode());
        if (!pair) {
            ++i;
            continue;
        }
        // The caret inside the pair, or on the side of it the key deletes.
        if (rel == i + 1 || rel == (forward ? i : i + 2)) {
            const int offset = ToOffset(block.position() + i);
            SetSel(offset, offset + 1);
            ReplaceSel(QString());
            return true;
        }
        i += 2;
    }
    return false;
}

void PlainTextEditBuffer::ScrollCaret()
{
    m_edit.ensureCursorVisible();
}

// ---- lines -----------------------------------------------------------------

int PlainTextEditBuffer::GetLineCount() const
{
    return Doc().blockCount();
}

int PlainTextEditBuffer::LineIndex(int line) const
{
    if (line == -1)
        line = LineFromChar(-1);
    if (line < 0)
        return -1;
    const QTextBlock block = Doc().findBlockByNumber(line);
    return block.isValid() ? BlockOffset(block) : -1;
}

int PlainTextEditBuffer::LineFromChar(int offset) const
{
    if (offset == -1) {
        int end = 0;
        GetSel(offset, end);
    }
    return BlockOfOffset(std::max(offset, 0)).blockNumber();
}

int PlainTextEditBuffer::LineLength(int offset) const
{
    if (offset != -1)
        return BlockLength(BlockOfOffset(std::max(offset, 0)));
    int start = 0, end = 0;
    GetSel(start, end);
    const QTextBlock first = BlockOfOffset(start);
    const QTextBlock last = BlockOfOffset(end);
    const int before = start - BlockOffset(first);
    const int after = BlockOffset(last) + BlockLength(last) - end;
    return before + std::max(after, 0);
}

QString PlainTextEditBuffer::GetLine(int line) const
{
    if (line == -1)
        line = LineFromChar(-1);
    if (line < 0)
        return QString();
    const QTextBlock block = Doc().findBlockByNumber(line);
    return block.isValid() ? edittext::FromDocument(block.text()) : QString();
}

// ---- whole text ------------------------------------------------------------

QString PlainTextEditBuffer::GetText() const
{
    return edittext::FromDocument(Doc().toRawText());
}

QString PlainTextEditBuffer::SelectedText() const
{
    return edittext::FromDocument(m_edit.textCursor().selectedText());
}

void PlainTextEditBuffer::SetText(const QString& text, bool undoable)
{
    bool escaped = false;
    const QString docText = edittext::ToDocument(text, &escaped);
    m_ownEdit = true;
    if (undoable) {
        m_mayHoldEscapes = m_mayHoldEscapes || escaped;
        QTextCursor c(&Doc());
        c.movePosition(QTextCursor::End, QTextCursor::KeepAnchor);
        c.beginEditBlock();
        c.insertText(docText);
        c.endEditBlock();
        Doc().setModified(true);
    } else {
        const bool modified = Doc().isModified();
        m_mayHoldEscapes = escaped;
        // setPlainText clears the undo history and keeps no undo record of
        // the old text, which is what makes loading a large file fast.
        m_edit.setPlainText(docText);
        Doc().setModified(modified);
    }
    m_ownEdit = false;
    QTextCursor caret = m_edit.textCursor();
    caret.setPosition(0);
    m_edit.setTextCursor(caret);
}

bool PlainTextEditBuffer::CanUndo() const
{
    return Doc().isUndoAvailable();
}

void PlainTextEditBuffer::Undo()
{
    m_edit.undo();
}

bool PlainTextEditBuffer::CanRedo() const
{
    return Doc().isRedoAvailable();
}

void PlainTextEditBuffer::Redo()
{
    m_edit.redo();
}

bool PlainTextEditBuffer::IsModified() const
{
    return Doc().isModified();
}

void PlainTextEditBuffer::SetModified(bool modified)
{
    Doc().setModified(modified);
}

// ---- clipboard -------------------------------------------------------------

QMimeData* PlainTextEditBuffer::MimeDataFor(const QString& text)
{
    auto* data = new QMimeData;
    data->setData(kMimeType, QByteArray(reinterpret_cast<const char*>(text.utf16()),
                                        text.size() * qsizetype(sizeof(char16_t))));
    data->setText(edittext::ToForeignText(text));
    return data;
}

QString PlainTextEditBuffer::TextFromMimeData(const QMimeData& data)
{
    if (data.hasFormat(kMimeType)) {
        const QByteArray bytes = data.data(kMimeType);
        return QString(reinterpret_cast<const QChar*>(bytes.constData()),
                       bytes.size() / qsizetype(sizeof(char16_t)));
    }
    if (data.hasText())
        return edittext::FromForeignText(data.text());
    return QString();
}

void PlainTextEditBuffer::Copy()
{
    if (!m_edit.textCursor().hasSelection())
        return;
    QGuiApplication::clipboard()->setMimeData(MimeDataFor(SelectedText()));
}

void PlainTextEditBuffer::Cut()
{
    if (!m_edit.textCursor().hasSelection())
        return;
    Copy();
    ReplaceSel(QString());
}

void PlainTextEditBuffer::Paste()
{
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    if (!data)
        return;
    const QString text = TextFromMimeData(*data);
    if (!text.isEmpty())
        ReplaceSel(text);
}

// ---- presentation ----------------------------------------------------------

void PlainTextEditBuffer::SetTabWidth(int characters)
{
    m_tabWidth = std::max(characters, 1);
    // A tab counts half-width characters. averageCharWidth() cannot say how
    // wide one is: a Japanese font reports its full-width characters there.
    static const QString kLetters =
        QStringLiteral("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ");
    const qreal halfWidth =
        QFontMetricsF(m_edit.font()).horizontalAdvance(kLetters) / kLetters.size();
    m_edit.setTabStopDistance(halfWidth * m_tabWidth);
}

void PlainTextEditBuffer::SetWordWrap(bool wrap)
{
    m_edit.setLineWrapMode(wrap ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
    m_edit.ensureCursorVisible();
}

void PlainTextEditBuffer::SetMargins(int pixels)
{
    m_margins = std::max(pixels, 0);
    if (m_setMargins)
        m_setMargins(m_margins);
}

void PlainTextEditBuffer::SetEditFont(const EditFont& font)
{
    m_font = font;
    ApplyFont();
}

void PlainTextEditBuffer::ApplyFont()
{
    // The smallest size a zoom leaves readable.
    constexpr int kMinZoomedPoints = 4;
    const int points = m_font.pointSize > 0 ? m_font.pointSize : 10;
    QFont f(InstalledFontFamily(m_font.face));
    f.setPointSize(std::max(points + m_display.zoom, std::min(points, kMinZoomedPoints)));
    f.setWeight(static_cast<QFont::Weight>(std::clamp(m_font.weight, 1, 1000)));
    f.setItalic(m_font.italic);
    f.setUnderline(m_font.underline);
    m_edit.setFont(f);
    SetTabWidth(m_tabWidth);
}

void PlainTextEditBuffer::SetDisplay(const EditDisplay& display)
{
    const bool zoomChanged = display.zoom != m_display.zoom;
    m_display = display;
    if (zoomChanged)
        ApplyFont();
    if (m_setDisplay)
        m_setDisplay(m_display);
}

void PlainTextEditBuffer::BeginBulkEdit()
{
    if (m_bulkDepth++ == 0)
        m_edit.setUpdatesEnabled(false);
}

void PlainTextEditBuffer::EndBulkEdit()
{
    if (m_bulkDepth == 0)
        return;
    if (--m_bulkDepth == 0)
        m_edit.setUpdatesEnabled(true);
}
