#include "core/check/PageChecker.h"

#include <algorithm>

EditorLines::EditorLines(QStringView text) : m_size(text.size())
{
    m_starts.push_back(0);
    for (qsizetype i = 0; i + 1 < text.size(); ++i)
        if (text[i] == u'\r' && text[i + 1] == u'\n')
            m_starts.push_back(++i + 1);
}

void EditorLines::Position(qsizetype offset, int& line, int& column) const
{
    offset = std::clamp<qsizetype>(offset, 0, m_size);
    const auto next = std::upper_bound(m_starts.begin(), m_starts.end(), offset);
    const qsizetype index = next - m_starts.begin() - 1;
    line = int(index + 1);
    column = int(offset - m_starts[size_t(index)] + 1);
}
