#pragma once

#include "core/check/PageChecker.h"

// Every problem of the page, from Tidy and from our own checks, in the
// order of their positions (the order of each checker within one place).
std::vector<PageProblem> CheckPage(const CheckedPage& page);

// Whether the page is checked: HTML by its name (a new page is HTML); style
// sheets, scripts and plain text are not.
bool IsCheckablePage(const QString& path);

// "エラー", "警告", "ヒント" in the interface's language.
QString ProblemLevelText(ProblemLevel level);
// "error", "warning", "hint", as compilers write them.
const char* ProblemLevelKeyword(ProblemLevel level);
