#pragma once

#include "core/style/CStyleRule.h"

#include <QString>

#include <vector>

// The text of a STYLE area (or of a .css file) as rules, each carrying the
// comment in front of it, and the text after the last rule. Writing gives
// every rule as a multi-line block.
class CStyleSheet {
public:
    std::vector<CStyleRule> rules;
    QString trailing;

    // One pass over the text; never fails. Text that is no rule (a "}"
    // without "{" before it) is kept as comment text of the next rule, or in
    // the trailing text, so that writing the sheet back loses nothing of it.
    void ParseSheet(const QString& text);
    QString ToText() const;

    friend bool operator==(const CStyleSheet&, const CStyleSheet&) = default;
};
