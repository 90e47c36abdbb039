#pragma once

#include "core/style/CStyleSimpleSelector.h"

#include <QString>

#include <vector>

// A descendant selector: simple selectors separated by one blank each
// ("DIV#top A").
struct CStyleSelector {
    std::vector<CStyleSimpleSelector> parts;

    // Splits at every blank; two blanks in a row give an empty part.
    void Parse(const QString& text);
    QString ToText() const;

    friend bool operator==(const CStyleSelector&, const CStyleSelector&) = default;
};
