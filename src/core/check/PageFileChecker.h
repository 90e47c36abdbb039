#pragma once

#include "core/check/PageChecker.h"

#include <QSize>

#include <optional>

// What Tidy cannot know, read with the editor's own readers: the local
// links and pictures of the page that are missing (as the link check finds
// them), pictures shown at another size than their file's, and the code
// the page declares against the code it is saved in (a page of ASCII alone
// reads the same in each).
class PageFileChecker : public PageChecker {
public:
    std::vector<PageProblem> Check(const CheckedPage& page, const EditorLines& lines) const override;
};

// How a picture of that size is shown with the WIDTH and HEIGHT the tag
// gives (0 for a side it leaves out): as it is (nullopt), scaled in its
// proportions (a hint) or out of them (a warning). A side computed from
// the other is allowed a pixel of rounding either way.
std::optional<ProblemLevel> ImageSizeProblem(QSize actual, int width, int height);
