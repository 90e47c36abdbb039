#pragma once

#include "core/doc/CodeKinds.h"

#include <QString>
#include <QStringView>

#include <vector>

// How much a problem of a page matters: an error breaks the page (a missing
// picture, an element no browser knows), a warning is likely a mistake, a
// hint is legal or harmless but worth a look (markup of older pages).
enum class ProblemLevel { Error, Warning, Hint };

// One problem of a page at an editor position: line and column from 1, the
// column counted in UTF-16 units as the editor's caret moves. `code` names
// the kind of problem (Tidy's report key, or one of our own) and stays the
// same in every language; `message` is in the interface's language.
struct PageProblem {
    int line = 1;
    int column = 1;
    ProblemLevel level = ProblemLevel::Warning;
    QString code;
    QString message;
};

// The page to check: its text as the editor holds it (CR LF line ends), the
// file it is or will be saved as (empty for a new page), where root-relative
// links start (empty when no site is known) and the code it is saved in.
struct CheckedPage {
    QString text;
    QString path;
    QString siteRoot;
    CodeKind saveCode = CodeKind::ShiftJis;
};

// Editor positions of text offsets: lines end at CR LF only, as in the
// editor (a lone CR or LF is an ordinary character).
class EditorLines {
public:
    explicit EditorLines(QStringView text);
    // Line and column from 1 of an offset (clamped to the text).
    void Position(qsizetype offset, int& line, int& column) const;

private:
    std::vector<qsizetype> m_starts;
    qsizetype m_size = 0;
};

// A source of problems. Checkers never change the page and never fail: what
// they cannot check they leave out.
class PageChecker {
public:
    virtual ~PageChecker() = default;
    virtual std::vector<PageProblem> Check(const CheckedPage& page, const EditorLines& lines) const = 0;
};
