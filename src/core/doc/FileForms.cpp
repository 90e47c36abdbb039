#include "core/doc/FileForms.h"

#include <QHash>

void FileForms::NoteForm(char16_t ch, uint32_t code)
{
    std::vector<Run>& runs = m_runs[ch];
    if (!runs.empty() && runs.back().code == code)
        ++runs.back().count;
    else
        runs.push_back({code, 1});
}

void FileForms::DropCanonical(const std::vector<uint32_t>& canonical)
{
    for (auto it = m_runs.begin(); it != m_runs.end();) {
        const bool onlyCanonical =
            it->second.size() == 1 && it->second.front().code == canonical[it->first];
        it = onlyCanonical ? m_runs.erase(it) : std::next(it);
    }
}

uint32_t FileForms::Cursor::Next(char16_t ch)
{
    if (!m_forms)
        return 0;
    const auto found = m_forms->m_runs.find(ch);
    if (found == m_forms->m_runs.end())
        return 0;
    const std::vector<Run>& runs = found->second;
    // Occurrences past the ones the file had (text added since) take the
    // form the file used last.
    Position& at = m_at[ch];
    if (at.run >= runs.size())
        return runs.back().code;
    const uint32_t code = runs[at.run].code;
    if (++at.used == runs[at.run].count) {
        ++at.run;
        at.used = 0;
    }
    return code;
}

bool FileForms::Unchanged(QStringView text, LineEndKind lineEnd) const
{
    return !original.isNull() && lineEnd == originalLineEnd && text.size() == textLength
           && qHash(text) == textDigest;
}

void FileForms::KeepOriginal(QByteArray bytes, LineEndKind lineEnd, QStringView text)
{
    original = std::move(bytes);
    originalLineEnd = lineEnd;
    textDigest = qHash(text);
    textLength = text.size();
}
