#pragma once

#include "core/style/CStyleDeclList.h"
#include "core/style/CStyleSelector.h"

#include <QString>

#include <vector>

// One CSS rule: selectors, declarations, and the comment that stood in front
// of it (with the blanks and line breaks up to the rule), which is written
// back in front of it. The STYLE attribute of a tag is a rule without
// selectors.
class CStyleRule {
public:
    std::vector<CStyleSelector> selectors;
    CStyleDeclList declarations;
    QString comment;

    // Line breaks are dropped first. Without "{" nothing is parsed; without
    // "}" after it only the selectors are. Gives false in both cases.
    bool ParseRule(const QString& text);
    // Splits at every "," (a trailing one gives no extra selector) and each
    // piece at every blank.
    void ParseSelectors(const QString& text);
    QString SelectorsText() const;
    // inline: the declarations only ("a: b;c: d;"); otherwise the block, on
    // one line or with one TAB-indented declaration per line.
    QString ToText(bool inlineStyle, bool multiLine) const;

    friend bool operator==(const CStyleRule&, const CStyleRule&) = default;
};
