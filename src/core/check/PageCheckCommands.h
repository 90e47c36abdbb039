#pragma once

#include "core/check/PageChecker.h"

class CKelvoApp;
class FormModel;

// 文書のチェック: the problems of the page in the editor, saved or not, as a
// list of line, column, level and message; the row chosen puts the caret
// there. Run again after a fix, the list starts at the first problem at or
// after the caret.
class PageCheckCommands {
public:
    explicit PageCheckCommands(CKelvoApp& app) : m_app(app) {}

    void OnPageCheck();

    // The list with the row of `selected` chosen.
    static FormModel ProblemForm(const std::vector<PageProblem>& problems, int selected);
    // Puts the caret at the problem's line and column, kept inside the line.
    void GoTo(const PageProblem& problem);

private:
    CKelvoApp& m_app;
};

void RegisterPageCheckCommands(CKelvoApp& app);
