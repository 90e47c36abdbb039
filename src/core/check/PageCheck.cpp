#include "core/check/PageCheck.h"

#include "core/app/UiText.h"
#include "core/check/PageFileChecker.h"
#include "core/check/TidyChecker.h"
#include "core/highlight/SyntaxColouring.h"

#include <algorithm>

std::vector<PageProblem> CheckPage(const CheckedPage& page)
{
    const EditorLines lines(page.text);
    std::vector<PageProblem> problems = TidyChecker().Check(page, lines);
    std::vector<PageProblem> own = PageFileChecker().Check(page, lines);
    problems.insert(problems.end(), std::make_move_iterator(own.begin()),
                    std::make_move_iterator(own.end()));
    std::stable_sort(problems.begin(), problems.end(), [](const PageProblem& a, const PageProblem& b) {
        return a.line != b.line ? a.line < b.line : a.column < b.column;
    });
    return problems;
}

bool IsCheckablePage(const QString& path)
{
    return SyntaxForPath(path) == SyntaxLanguage::Html;
}

QString ProblemLevelText(ProblemLevel level)
{
    switch (level) {
    case ProblemLevel::Error:
        return UiText(QStringLiteral("エラー"));
    case ProblemLevel::Warning:
        return UiText(QStringLiteral("警告"));
    case ProblemLevel::Hint:
        break;
    }
    return UiText(QStringLiteral("ヒント"));
}

const char* ProblemLevelKeyword(ProblemLevel level)
{
    switch (level) {
    case ProblemLevel::Error:
        return "error";
    case ProblemLevel::Warning:
        return "warning";
    case ProblemLevel::Hint:
        break;
    }
    return "hint";
}
