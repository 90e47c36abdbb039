#pragma once

#include "core/check/PageChecker.h"

// The HTML problems HTML Tidy (libtidy) finds, as `tidy -e` reports them:
// the page is parsed, repaired in Tidy's own copy and diagnosed; the
// editor's text is never touched and nothing is printed. Reports are keyed
// by Tidy's report key ("MISSING_ENDTAG_FOR"); a key we have a text for is
// shown in the interface's language, any other with Tidy's English message.
// Tidy's information and summary lines are left out.
class TidyChecker : public PageChecker {
public:
    std::vector<PageProblem> Check(const CheckedPage& page, const EditorLines& lines) const override;
};

// Tidy's positions in a text: lines end at CR LF, a lone CR or a lone LF,
// columns count characters (a surrogate pair is one) from 1. Gives the text
// offset of such a position, kept inside its line; 0 for line 0, as Tidy
// gives reports about the whole page.
class TidyPositions {
public:
    explicit TidyPositions(QStringView text);
    qsizetype Offset(int line, int column) const;

private:
    QStringView m_text;
    std::vector<qsizetype> m_starts;  // line starts, then the text's end
    std::vector<qsizetype> m_ends;    // where each line's text ends
};
