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

// The property of a soft break, in the character format of the block
// separator. A separator's own format goes with it alone: merged blocks
// would pass a block format on to the wrong one.
constexpr int kContinuesLine = QTextFormat::UserProperty + 0x4b01;

QTextCharFormat SoftBreakFormat()
{
    QTextCharFormat format;
    format.setProperty(kContinuesLine, true);
    return format;
}

// A cut between these two characters would part what is one editor
// character, or one escape, or bring a CR and an LF together.
bool GoodCut(QChar before, QChar after)
{
    if (before == QChar(edittext::kEscape))
        return false;
    if (before.isHighSurrogate() && after.isLowSurrogate())
        return false;
    return !(before == QChar(edittext::kLoneCr) && after == QChar(edittext::kLoneLf));
}

// Removes the characters at the given ascending positions (less `base`).
QString WithoutPositions(QStringView text, const std::vector<int>& positions, int base)
{
    QString out;
    out.reserve(text.size());
    qsizetype at = 0;
    for (int p : positions) {
        const qsizetype i = p - base;
        out.append(text.mid(at, i - at));
        at = i + 1;
    }
    out.append(text.mid(at));
    return out;
}

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
                         UpdateSoftBreaks(position, removed, added);
                         if (!m_ownEdit)
                             NoteWidgetEdit(position, added);
                     });
}

// ---- soft breaks -------------------------------------------------------------

bool PlainTextEditBuffer::IsContinuation(const QTextBlock& block)
{
    // A block's char format is that of the separator before it.
    return block.isValid() && block.position() > 0
           && block.charFormat().boolProperty(kContinuesLine);
}

int PlainTextEditBuffer::SoftBefore(int position) const
{
    return int(std::lower_bound(m_soft.begin(), m_soft.end(), position) - m_soft.begin());
}

std::vector<int> PlainTextEditBuffer::SoftBreaksIn(int from, int to) const
{
    return std::vector<int>(std::lower_bound(m_soft.begin(), m_soft.end(), from),
                            std::lower_bound(m_soft.begin(), m_soft.end(), to));
}

int PlainTextEditBuffer::LeftOfSoft(int position) const
{
    while (position > 0 && std::binary_search(m_soft.begin(), m_soft.end(), position - 1))
        --position;
    return position;
}

int PlainTextEditBuffer::RightOfSoft(int position) const
{
    while (std::binary_search(m_soft.begin(), m_soft.end(), position))
        ++position;
    return position;
}

void PlainTextEditBuffer::UpdateSoftBreaks(int position, int removed, int added)
{
    if (m_skipSoftUpdate)
        return;
    // The breaks in the changed range, and the one just before it (the
    // block after it is where the change starts), are found again below;
    // the rest move with the text.
    const auto lo = std::lower_bound(m_soft.begin(), m_soft.end(), position - 1);
    const auto hi = std::lower_bound(lo, m_soft.end(), position + removed);
    const auto at = m_soft.erase(lo, hi);
    const qsizetype index = at - m_soft.begin();
    for (auto it = at; it != m_soft.end(); ++it)
        *it += added - removed;
    if (!m_mayHoldSoft)
        return;
    std::vector<int> found;
    const int end = std::min(position + added, Doc().characterCount() - 1);
    for (QTextBlock b = Doc().findBlock(std::max(position, 0)); b.isValid() && b.position() <= end;
         b = b.next())
        if (b.position() >= position && IsContinuation(b))
            found.push_back(b.position() - 1);
    m_soft.insert(m_soft.begin() + index, found.begin(), found.end());
}

std::vector<qsizetype> PlainTextEditBuffer::SoftCuts(QStringView line) const
{
    std::vector<qsizetype> cuts;
    qsizetype start = 0;
    while (line.size() - start > m_softLimit) {
        // After a tag or a blank in the last quarter before the limit, so
        // that a tag is rarely cut; else at the limit.
        qsizetype cut = start + m_softLimit;
        const qsizetype low = start + std::max(m_softLimit * 3 / 4, 1);
        for (qsizetype i = cut; i > low; --i) {
            const QChar c = line[i - 1];
            if (c == u'>' || c == u' ' || c == u'\t') {
                cut = i;
                break;
            }
        }
        while (cut > start + 1 && !GoodCut(line[cut - 1], line[cut]))
            --cut;
        if (!GoodCut(line[cut - 1], line[cut]))
            break;  // nowhere to cut: the rest stays one block
        cuts.push_back(cut);
        start = cut;
    }
    return cuts;
}

void PlainTextEditBuffer::NormaliseBlocks(QTextCursor& c, int from, int to)
{
    const int last = Doc().characterCount() - 1;
    from = std::clamp(from, 0, last);
    to = std::clamp(to, from, last);
    // Soft breaks next to an empty block (a stray row), between two blocks
    // short enough to be one, or that would part an editor character.
    if (m_mayHoldSoft) {
        QTextBlock b = Doc().findBlock(from);
        if (b.previous().isValid())
            b = b.previous();
        while (b.isValid()) {
            const QTextBlock n = b.next();
            if (!n.isValid())
                break;
            if (IsContinuation(n)) {
                const int lb = b.length() - 1;
                const int ln = n.length() - 1;
                const bool serves = lb > 0 && ln > 0 && lb + ln > m_softLimit / 2
                                    && GoodCut(Doc().characterAt(n.position() - 2),
                                               Doc().characterAt(n.position()));
                if (!serves) {
                    c.setPosition(n.position() - 1);
                    c.setPosition(n.position(), QTextCursor::KeepAnchor);
                    c.removeSelectedText();
                    --to;
                    continue;  // b now holds n's text
                }
            }
            if (b.position() > to)
                break;
            b = n;
        }
    }
    // Blocks that grew past the limit.
    for (QTextBlock b = Doc().findBlock(from); b.isValid() && b.position() <= to;) {
        if (b.length() - 1 <= m_softLimit) {
            b = b.next();
            continue;
        }
        const int start = b.position();
        const QString raw = b.text();
        const std::vector<qsizetype> cuts = SoftCuts(raw);
        const QTextBlockFormat format = b.blockFormat();
        // From the end, so that the earlier cut positions stay.
        for (auto it = cuts.rbegin(); it != cuts.rend(); ++it) {
            c.setPosition(start + int(*it));
            c.insertBlock(format, SoftBreakFormat());
        }
        if (!cuts.empty())
            m_mayHoldSoft = true;
        to += int(cuts.size());
        b = Doc().findBlock(start + int(raw.size() + cuts.size())).next();
    }
}

bool PlainTextEditBuffer::KeyMayReshape(bool deleting, bool wordDeleting) const
{
    const QTextCursor c = m_edit.textCursor();
    const QTextBlock block = c.block();
    if (block.length() - 1 >= m_softLimit)
        return true;
    if (m_soft.empty())
        return false;
    if (c.hasSelection() || wordDeleting)
        return true;
    return deleting && (block.length() <= 2 || c.atBlockStart() || c.atBlockEnd());
}

void PlainTextEditBuffer::WidgetEdit(const std::function<void()>& edit)
{
    QTextCursor c(&Doc());
    c.beginEditBlock();
    edit();
    const int p = m_edit.textCursor().position();
    m_ownEdit = true;
    NormaliseBlocks(c, p, p);
    m_ownEdit = false;
    c.endEditBlock();
}

void PlainTextEditBuffer::StepOverSoftBreak(bool forward, bool keepAnchor)
{
    QTextCursor c = m_edit.textCursor();
    if (c.hasSelection() && !keepAnchor)
        return;
    const int p = c.position();
    const int q = forward ? RightOfSoft(p) : LeftOfSoft(p);
    if (q == p)
        return;
    c.setPosition(q, keepAnchor ? QTextCursor::KeepAnchor : QTextCursor::MoveAnchor);
    m_edit.setTextCursor(c);
}

int PlainTextEditBuffer::LineOfBlock(const QTextBlock& block) const
{
    return block.blockNumber() - SoftBefore(block.position());
}

QTextBlock PlainTextEditBuffer::LineStartBlock(int line) const
{
    if (m_soft.empty())
        return Doc().findBlockByNumber(line);
    if (line < 0 || line >= GetLineCount())
        return QTextBlock();
    // The first block whose line is the one asked for.
    int lo = line;
    int hi = line + int(m_soft.size());
    while (lo < hi) {
        const int mid = lo + (hi - lo) / 2;
        if (LineOfBlock(Doc().findBlockByNumber(mid)) >= line)
            hi = mid;
        else
            lo = mid + 1;
    }
    return Doc().findBlockByNumber(lo);
}

QString PlainTextEditBuffer::EditorTextBetween(int from, int to) const
{
    QTextCursor c(&Doc());
    c.setPosition(from);
    c.setPosition(to, QTextCursor::KeepAnchor);
    const QString raw = c.selectedText();
    const std::vector<int> soft = SoftBreaksIn(from, to);
    return edittext::FromDocument(soft.empty() ? raw : WithoutPositions(raw, soft, from));
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
        c.setPosition(LeftOfSoft(p) - 1);
        c.setPosition(RightOfSoft(p) + 1, QTextCursor::KeepAnchor);
        c.joinPreviousEditBlock();
        InsertDocumentText(c, QStringLiteral("\n"));
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
        return block.position() + block.blockNumber() - 2 * SoftBefore(block.position());
    int offset = 0;
    for (QTextBlock b = Doc().begin(); b.isValid() && b != block; b = b.next())
        offset += BlockLength(b) + (IsContinuation(b.next()) ? 0 : 2);
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
    const int soft = 2 * int(m_soft.size());
    if (!m_mayHoldEscapes)
        return Doc().characterCount() - 1 + Doc().blockCount() - 1 - soft;
    return edittext::EditorLength(Doc().toRawText()) - soft;
}

QTextBlock PlainTextEditBuffer::BlockOfOffset(int offset) const
{
    if (!m_mayHoldEscapes) {
        // The last block whose first offset is at or before the offset.
        int lo = 0;
        int hi = Doc().blockCount() - 1;
        while (lo < hi) {
            const int mid = lo + (hi - lo + 1) / 2;
            if (BlockOffset(Doc().findBlockByNumber(mid)) <= offset)
                lo = mid;
            else
                hi = mid - 1;
        }
        return Doc().findBlockByNumber(lo);
    }
    int start = 0;
    QTextBlock b = Doc().begin();
    for (;;) {
        const int next = start + BlockLength(b) + (IsContinuation(b.next()) ? 0 : 2);
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
        return position + block.blockNumber() - 2 * SoftBefore(position);
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
    if (position == block.position()) {
        if (std::binary_search(m_soft.begin(), m_soft.end(), position - 1))
            return CharBefore(position - 1);
        return u'\n';
    }
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
    if (position == block.position() + block.length() - 1) {
        if (std::binary_search(m_soft.begin(), m_soft.end(), position))
            return CharAt(position + 1);
        return block.next().isValid() ? u'\r' : char16_t(0);
    }
    if (!m_mayHoldEscapes)
        return edittext::FromStandIn(Doc().characterAt(position).unicode());
    const QString raw = block.text();
    const int rel = PrefixLength(raw, position - block.position());
    const QString text = edittext::FromDocument(raw);
    return rel < text.size() ? text[rel].unicode() : char16_t(0);
}

QString PlainTextEditBuffer::WithSoftBreaks(const QString& docText, std::vector<int>& soft) const
{
    QString out;
    qsizetype copied = 0;
    for (qsizetype start = 0; start <= docText.size();) {
        qsizetype end = docText.indexOf(u'\n', start);
        if (end < 0)
            end = docText.size();
        if (end - start > m_softLimit) {
            for (qsizetype cut : SoftCuts(QStringView(docText).mid(start, end - start))) {
                if (out.isEmpty())
                    out.reserve(docText.size() + docText.size() / m_softLimit + 1);
                out.append(QStringView(docText).mid(copied, start + cut - copied));
                soft.push_back(int(out.size()));
                out.append(u'\n');
                copied = start + cut;
            }
        }
        start = end + 1;
    }
    if (soft.empty())
        return docText;
    out.append(QStringView(docText).mid(copied));
    return out;
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

void PlainTextEditBuffer::InsertDocumentText(QTextCursor& c, const QString& text)
{
    // QTextCursor would give the text, its separators included, the format
    // of the character before it, which may be a soft break.
    c.insertText(text, QTextCharFormat());
}

void PlainTextEditBuffer::ReplaceSel(const QString& text)
{
    int start = 0, end = 0;
    GetSel(start, end);
    // The soft breaks at the ends go with the replaced text: the neighbours
    // below are then the characters in the blocks.
    int from = LeftOfSoft(ToPosition(start));
    int to = RightOfSoft(ToPosition(end));

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
    c.removeSelectedText();
    InsertDocumentText(c, docText);
    NormaliseBlocks(c, from, c.position());
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
    const int from = LeftOfSoft(ToPosition(start));
    const int to = RightOfSoft(ToPosition(end));
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
        InsertDocumentText(c, edittext::ToDocument(text, &escaped));
        m_mayHoldEscapes = m_mayHoldEscapes || escaped;
        inserted += text.size();
    }
    if (heldCr) {
        // A lone CR at the very end.
        InsertDocumentText(c, edittext::ToDocument(QStringLiteral("\r")));
        ++inserted;
    }
    NormaliseBlocks(c, from, c.position());
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
    return Doc().blockCount() - int(m_soft.size());
}

int PlainTextEditBuffer::LineIndex(int line) const
{
    if (line == -1)
        line = LineFromChar(-1);
    if (line < 0)
        return -1;
    const QTextBlock block = LineStartBlock(line);
    return block.isValid() ? BlockOffset(block) : -1;
}

int PlainTextEditBuffer::LineFromChar(int offset) const
{
    if (offset == -1) {
        int end = 0;
        GetSel(offset, end);
    }
    return LineOfBlock(BlockOfOffset(std::max(offset, 0)));
}

int PlainTextEditBuffer::LineEndOffset(int line) const
{
    return line + 1 < GetLineCount() ? LineIndex(line + 1) - 2 : GetTextLength();
}

int PlainTextEditBuffer::LineLength(int offset) const
{
    if (offset != -1) {
        const int line = LineFromChar(offset);
        return LineEndOffset(line) - LineIndex(line);
    }
    int start = 0, end = 0;
    GetSel(start, end);
    const int before = start - LineIndex(LineFromChar(start));
    const int after = LineEndOffset(LineFromChar(end)) - end;
    return before + std::max(after, 0);
}

QString PlainTextEditBuffer::GetLine(int line) const
{
    if (line == -1)
        line = LineFromChar(-1);
    if (line < 0)
        return QString();
    QTextBlock block = LineStartBlock(line);
    if (!block.isValid())
        return QString();
    const int from = block.position();
    while (IsContinuation(block.next()))
        block = block.next();
    if (from == block.position())
        return edittext::FromDocument(block.text());
    return EditorTextBetween(from, block.position() + block.length() - 1);
}

// ---- whole text ------------------------------------------------------------

QString PlainTextEditBuffer::GetText() const
{
    const QString raw = Doc().toRawText();
    return edittext::FromDocument(m_soft.empty() ? raw : WithoutPositions(raw, m_soft, 0));
}

QString PlainTextEditBuffer::SelectedText() const
{
    const QTextCursor c = m_edit.textCursor();
    return EditorTextBetween(c.selectionStart(), c.selectionEnd());
}

void PlainTextEditBuffer::SetText(const QString& text, bool undoable)
{
    bool escaped = false;
    QString docText = edittext::ToDocument(text, &escaped);
    m_ownEdit = true;
    if (undoable) {
        m_mayHoldEscapes = m_mayHoldEscapes || escaped;
        QTextCursor c(&Doc());
        c.movePosition(QTextCursor::End, QTextCursor::KeepAnchor);
        c.beginEditBlock();
        InsertDocumentText(c, docText);
        NormaliseBlocks(c, 0, c.position());
        c.endEditBlock();
        Doc().setModified(true);
    } else {
        const bool modified = Doc().isModified();
        m_mayHoldEscapes = escaped;
        // The long lines are cut before the widget sees them: it would lay
        // a whole line out first.
        std::vector<int> soft;
        docText = WithSoftBreaks(docText, soft);
        m_mayHoldSoft = !soft.empty();
        // setPlainText clears the undo history and keeps no undo record of
        // the old text, which is what makes loading a large file fast.
        // Until the marks are set the new text has no soft breaks; a status
        // line read during the load finds it so.
        m_soft.clear();
        m_skipSoftUpdate = true;
        m_edit.setPlainText(docText);
        if (!soft.empty()) {
            Doc().setUndoRedoEnabled(false);
            QTextCursor c(&Doc());
            c.beginEditBlock();
            for (int p : soft) {
                c.setPosition(p + 1);
                c.setBlockCharFormat(SoftBreakFormat());
            }
            c.endEditBlock();
            Doc().setUndoRedoEnabled(true);
        }
        m_skipSoftUpdate = false;
        m_soft = std::move(soft);
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
