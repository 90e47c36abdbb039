#pragma once

#include "core/highlight/SyntaxColouring.h"

#include <QObject>
#include <QTextCharFormat>

#include <array>

class QPlainTextEdit;
class QTextBlock;
class QTimer;

// Puts the core's colouring on the edit widget's blocks.
//
// Unlike QSyntaxHighlighter, which colours a whole document the moment it
// is loaded (seconds for a page of many megabytes), blocks are coloured in
// slices of a few milliseconds from the top, while the event loop is idle.
// An edit recolours its own blocks at once and the blocks after them only
// while their starting state changes, as QSyntaxHighlighter does. Each
// block's end state is kept as its user state.
//
// Blocks before m_next are coloured and carry the state they end in. Blocks
// from m_next to m_limit were coloured before an edit changed what comes
// before them: each still holds colours for the state it started in then,
// so the pass skips them once a block ends in the state it ended in before
// (m_sameEnd). Blocks before m_mustUntil changed themselves and are coloured
// whatever the state.
class SyntaxHighlighter : public QObject {
public:
    explicit SyntaxHighlighter(QPlainTextEdit& edit);

    // Colours with the language (None: no colours), or takes the colours off.
    void SetLanguage(SyntaxLanguage language, bool enabled);
    // Colours from the palette: after the widget's palette changed.
    void UpdateColours();
    // Whether every block is coloured (for tests and the benchmark).
    bool Done() const;
    // The state before the block, when the pass has coloured up to it;
    // -1 otherwise.
    int StateBefore(const QTextBlock& block) const;

private:
    void OnContentsChange(int position, int removed, int added);
    // Colours blocks from m_next until the time is up; true when all are.
    bool Advance(qint64 budgetNs);
    // Colours the block and gives the state it ends in.
    int ColourBlock(QTextBlock& block, int stateBefore);
    bool Active() const;
    void ClearColours();
    void RestartAll();
    void Schedule();

    QPlainTextEdit& m_edit;
    QTimer* m_timer;
    SyntaxLanguage m_language = SyntaxLanguage::None;
    bool m_enabled = false;
    int m_blockCount = 1;
    int m_next = 0;
    int m_mustUntil = 0;
    int m_limit = 0;
    bool m_sameEnd = false;
    bool m_ownChange = false;
    std::array<QTextCharFormat, 12> m_formats;
};
