#include "gui/SyntaxHighlighter.h"

#include <QElapsedTimer>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>
#include <QTimer>

namespace {

// A slice of the pass while the event loop is idle, and the time an edit
// spends on the blocks after its own before it leaves them to the pass:
// both well inside one frame.
constexpr qint64 kSliceNs = 8'000'000;
constexpr qint64 kEditNs = 2'000'000;

// A block whose end state must not be trusted: an edit joined or split
// blocks, and the state a block keeps may be another block's.
constexpr int kUnknownState = -2;

} // namespace

SyntaxHighlighter::SyntaxHighlighter(QPlainTextEdit& edit)
    : QObject(&edit), m_edit(edit), m_timer(new QTimer(this))
{
    m_timer->setSingleShot(true);
    m_timer->setInterval(0);
    connect(m_timer, &QTimer::timeout, this, [this] {
        if (!Advance(kSliceNs))
            Schedule();
    });
    connect(m_edit.document(), &QTextDocument::contentsChange, this,
            &SyntaxHighlighter::OnContentsChange);
    m_blockCount = m_edit.document()->blockCount();
    UpdateColours();
}

bool SyntaxHighlighter::Active() const
{
    return m_enabled && m_language != SyntaxLanguage::None;
}

void SyntaxHighlighter::SetLanguage(SyntaxLanguage language, bool enabled)
{
    if (language == m_language && enabled == m_enabled)
        return;
    const bool wasActive = Active();
    m_language = language;
    m_enabled = enabled;
    if (wasActive)
        ClearColours();
    if (Active())
        RestartAll();
}

void SyntaxHighlighter::UpdateColours()
{
    const QPalette palette = m_edit.palette();
    const QColor base = palette.color(QPalette::Base);
    const QColor text = palette.color(QPalette::Text);
    // Dark text on a light ground, light text on a dark one; the hues keep
    // their meaning in both.
    const bool dark = base.lightness() < 128;
    const auto hue = [dark](int h, int s) { return QColor::fromHsl(h, s, dark ? 178 : 82); };
    const auto between = [&](qreal t) {
        return QColor::fromRgbF(text.redF() * (1 - t) + base.redF() * t,
                                text.greenF() * (1 - t) + base.greenF() * t,
                                text.blueF() * (1 - t) + base.blueF() * t);
    };
    const QColor colours[] = {
        hue(215, 200),   // Tag
        hue(285, 140),   // AttrName
        hue(135, 180),   // AttrValue
        between(0.45),   // Comment
        hue(15, 200),    // CharRef
        hue(185, 160),   // Declaration
        hue(215, 200),   // Selector
        hue(285, 140),   // Property
        hue(35, 190),    // Value
        hue(330, 170),   // Number
        hue(135, 180),   // String
        hue(250, 190),   // Keyword
    };
    static_assert(std::size(colours) == std::tuple_size_v<decltype(m_formats)>);
    for (size_t i = 0; i < m_formats.size(); ++i)
        m_formats[i].setForeground(colours[i]);
    if (Active())
        RestartAll();
}

bool SyntaxHighlighter::Done() const
{
    return !Active() || m_next >= m_edit.document()->blockCount();
}

int SyntaxHighlighter::StateBefore(const QTextBlock& block) const
{
    if (!Active())
        return -1;
    const int n = block.blockNumber();
    if (n == 0)
        return kSyntaxStartState;
    return n <= m_next ? block.previous().userState() : -1;
}

void SyntaxHighlighter::OnContentsChange(int position, int removed, int added)
{
    Q_UNUSED(removed);
    QTextDocument& doc = *m_edit.document();
    const int count = doc.blockCount();
    const int delta = count - m_blockCount;
    m_blockCount = count;
    if (!Active() || m_ownChange)
        return;
    QTextBlock firstBlock = doc.findBlock(position);
    QTextBlock lastBlock = doc.findBlock(position + added);
    if (!firstBlock.isValid())
        firstBlock = doc.lastBlock();
    if (!lastBlock.isValid())
        lastBlock = doc.lastBlock();
    const int first = firstBlock.blockNumber();
    const int last = lastBlock.blockNumber();
    if (delta != 0 || first != last)
        lastBlock.setUserState(kUnknownState);
    if (first >= m_next) {
        // Not reached yet: the pass colours it, whatever came before.
        m_limit = std::max(m_next, std::min(m_limit, first));
        Schedule();
        return;
    }
    m_limit = std::max(m_limit + delta, last + 1);
    m_mustUntil = std::max(last + 1, m_mustUntil > first ? m_mustUntil + delta : 0);
    m_next = first;
    if (!Advance(kEditNs))
        Schedule();
}

bool SyntaxHighlighter::Advance(qint64 budgetNs)
{
    QTextDocument& doc = *m_edit.document();
    QElapsedTimer timer;
    timer.start();
    QTextBlock block = doc.findBlockByNumber(m_next);
    while (block.isValid()) {
        if (m_next >= m_mustUntil && m_next < m_limit && m_sameEnd) {
            // The blocks up to m_limit start as they did when they were
            // coloured.
            m_next = m_limit;
            block = doc.findBlockByNumber(m_next);
            continue;
        }
        const int before = m_next == 0 ? kSyntaxStartState : block.previous().userState();
        const int old = block.userState();
        m_sameEnd = ColourBlock(block, before) == old;
        ++m_next;
        m_limit = std::max(m_limit, m_next);
        block = block.next();
        if (timer.nsecsElapsed() > budgetNs)
            break;
    }
    return !block.isValid();
}

int SyntaxHighlighter::ColourBlock(QTextBlock& block, int stateBefore)
{
    std::vector<SyntaxRange> ranges;
    const int end = ClassifyLine(m_language, block.text(), std::max(stateBefore, 0), ranges);
    QList<QTextLayout::FormatRange> formats;
    formats.reserve(qsizetype(ranges.size()));
    for (const SyntaxRange& r : ranges)
        formats.append({r.start, r.length, m_formats[size_t(r.kind)]});
    QTextLayout* layout = block.layout();
    if (!(formats.isEmpty() && layout->formats().isEmpty())) {
        // A block never laid out is laid out, with its colours, when it is
        // first shown; only one on screen (or shown before) is laid out
        // again now.
        const bool laidOut = layout->lineCount() > 0;
        layout->setFormats(formats);
        if (laidOut) {
            m_ownChange = true;
            m_edit.document()->markContentsDirty(block.position(), block.length());
            m_ownChange = false;
        }
    }
    block.setUserState(end);
    return end;
}

void SyntaxHighlighter::ClearColours()
{
    m_timer->stop();
    QTextDocument& doc = *m_edit.document();
    int n = 0;
    for (QTextBlock b = doc.begin(); b.isValid() && n < m_limit; b = b.next(), ++n)
        if (!b.layout()->formats().isEmpty())
            b.layout()->clearFormats();
    m_ownChange = true;
    doc.markContentsDirty(0, doc.characterCount());
    m_ownChange = false;
    m_next = m_mustUntil = m_limit = 0;
}

void SyntaxHighlighter::RestartAll()
{
    m_next = 0;
    m_mustUntil = m_limit = m_edit.document()->blockCount();
    if (!Advance(kEditNs))
        Schedule();
}

void SyntaxHighlighter::Schedule()
{
    if (Active() && !m_timer->isActive())
        m_timer->start();
}
