#include "core/edit/MemoryEditBuffer.h"

#include <algorithm>

MemoryEditBuffer::MemoryEditBuffer(const QString& text)
{
    SetText(text);
}

void MemoryEditBuffer::GetSel(int& start, int& end) const
{
    start = m_selStart;
    end = m_selEnd;
}

int MemoryEditBuffer::Clamp(int offset) const
{
    const int len = static_cast<int>(m_text.size());
    offset = std::clamp(offset, 0, len);
    // The caret never sits inside a line end or a surrogate pair.
    if (offset > 0 && offset < len
        && SplitsCharacter(m_text[offset - 1].unicode(), m_text[offset].unicode()))
        --offset;
    return offset;
}

void MemoryEditBuffer::SetSel(int start, int end)
{
    if (start == -1) {
        m_selStart = m_selEnd = m_caret;
        return;
    }
    if (end < 0)
        end = static_cast<int>(m_text.size());
    start = Clamp(start);
    end = Clamp(end);
    m_selStart = std::min(start, end);
    m_selEnd = std::max(start, end);
    m_caret = end;
}

void MemoryEditBuffer::ReplaceSel(const QString& text)
{
    UndoStep step{m_selStart, m_text.mid(m_selStart, m_selEnd - m_selStart), text, m_selStart,
                  m_selEnd};
    m_text.replace(m_selStart, m_selEnd - m_selStart, text);
    Invalidate(m_selStart);
    // An inserted CR may have met an LF after it: the caret never stays
    // inside the line end they now make.
    m_selStart = m_selEnd = m_caret = Clamp(step.start + static_cast<int>(text.size()));
    m_undo.push_back(std::move(step));
    m_redo.clear();
    m_modified = true;
}

void MemoryEditBuffer::SetText(const QString& text, bool undoable)
{
    if (undoable) {
        m_undo.push_back(UndoStep{0, m_text, text, m_selStart, m_selEnd});
        m_modified = true;
    } else {
        m_undo.clear();
    }
    m_redo.clear();
    m_text = text;
    Invalidate(0);
    m_selStart = m_selEnd = m_caret = 0;
}

void MemoryEditBuffer::TakeText(QString&& text)
{
    m_undo.clear();
    m_redo.clear();
    m_text = std::move(text);
    Invalidate(0);
    m_selStart = m_selEnd = m_caret = 0;
}

void MemoryEditBuffer::Undo()
{
    if (m_undo.empty())
        return;
    UndoStep step = std::move(m_undo.back());
    m_undo.pop_back();
    m_text.replace(step.start, step.inserted.size(), step.removed);
    Invalidate(step.start);
    m_selStart = step.selStart;
    m_selEnd = m_caret = step.selEnd;
    m_modified = true;
    m_redo.push_back(std::move(step));
}

void MemoryEditBuffer::Redo()
{
    if (m_redo.empty())
        return;
    UndoStep step = std::move(m_redo.back());
    m_redo.pop_back();
    m_text.replace(step.start, step.removed.size(), step.inserted);
    Invalidate(step.start);
    m_selStart = m_selEnd = m_caret = Clamp(step.start + static_cast<int>(step.inserted.size()));
    m_modified = true;
    m_undo.push_back(std::move(step));
}

void MemoryEditBuffer::Invalidate(int fromOffset)
{
    // Drop every line start after the edited offset; they are found again
    // on demand. A line start right at the offset may move (a CR LF ending
    // just before it could have been changed), so it goes too.
    auto it = std::lower_bound(m_lineStarts.begin() + 1, m_lineStarts.end(), fromOffset);
    m_lineStarts.erase(it, m_lineStarts.end());
    // Resume scanning two characters before the offset so that a CR LF pair
    // split or joined by the edit is seen, but never past text that was not
    // scanned yet.
    m_scanned = std::min(m_scanned, std::max(m_lineStarts.back(), fromOffset - 2));
    m_scanned = std::max(m_scanned, 0);
}

void MemoryEditBuffer::EnsureLinesUpTo(int offset, int lineCount) const
{
    const int len = static_cast<int>(m_text.size());
    const QChar* d = m_text.constData();
    while (m_scanned < len && m_scanned <= offset
           && static_cast<int>(m_lineStarts.size()) < lineCount) {
        const int i = m_scanned;
        if (d[i] == u'\r' && i + 1 < len && d[i + 1] == u'\n') {
            m_lineStarts.push_back(i + 2);
            m_scanned = i + 2;
        } else {
            m_scanned = i + 1;
        }
    }
}

void MemoryEditBuffer::EnsureAllLines() const
{
    EnsureLinesUpTo(static_cast<int>(m_text.size()));
}

int MemoryEditBuffer::GetLineCount() const
{
    EnsureAllLines();
    return static_cast<int>(m_lineStarts.size());
}

int MemoryEditBuffer::CaretLine() const
{
    return LineFromChar(m_selStart);
}

int MemoryEditBuffer::LineIndex(int line) const
{
    if (line == -1)
        line = CaretLine();
    if (line < 0)
        return -1;
    EnsureLinesUpTo(static_cast<int>(m_text.size()), line + 1);
    if (line >= static_cast<int>(m_lineStarts.size()))
        return -1;
    return m_lineStarts[line];
}

int MemoryEditBuffer::LineFromChar(int offset) const
{
    if (offset == -1)
        offset = m_selStart;
    offset = std::clamp(offset, 0, static_cast<int>(m_text.size()));
    EnsureLinesUpTo(offset);
    auto it = std::upper_bound(m_lineStarts.begin(), m_lineStarts.end(), offset);
    return static_cast<int>(it - m_lineStarts.begin()) - 1;
}

int MemoryEditBuffer::LineLength(int offset) const
{
    auto lineLength = [this](int line) {
        const int start = LineIndex(line);
        const int next = LineIndex(line + 1);
        return (next < 0 ? static_cast<int>(m_text.size()) : next - 2) - start;
    };
    if (offset == -1) {
        const int firstLine = LineFromChar(m_selStart);
        const int lastLine = LineFromChar(m_selEnd);
        const int before = m_selStart - LineIndex(firstLine);
        const int after = LineIndex(lastLine) + lineLength(lastLine) - m_selEnd;
        return before + std::max(after, 0);
    }
    return lineLength(LineFromChar(offset));
}

QString MemoryEditBuffer::GetLine(int line) const
{
    const int start = LineIndex(line);
    if (start < 0)
        return QString();
    return m_text.mid(start, LineLength(start));
}

void MemoryEditBuffer::Cut()
{
    if (m_selEnd == m_selStart)
        return;
    Copy();
    ReplaceSel(QString());
}

void MemoryEditBuffer::Copy()
{
    if (m_selEnd > m_selStart)
        m_clipboard = m_text.mid(m_selStart, m_selEnd - m_selStart);
}

void MemoryEditBuffer::Paste()
{
    if (!m_clipboard.isEmpty())
        ReplaceSel(m_clipboard);
}
