#pragma once

#include "core/style/CStyleRule.h"

#include <QString>

#include <vector>

// The text of a STYLE area (or of a .css file) as rules, each carrying the
// text in front of it (comments, blanks, "<!--"), and the text after the
// last rule.
class CStyleSheet {
public:
    std::vector<CStyleRule> rules;
    QString trailing;

    // Reads the text as a browser does (rules, at-rules with or without a
    // block); never fails. Text that is no rule stays in front of the next
    // rule or in the trailing text, so writing the sheet back loses
    // nothing of it.
    void ParseSheet(const QString& text);
    // The sheet with every unchanged rule exactly as it was read, changed
    // and new ones in the block form: an unchanged sheet gives its text
    // back.
    QString ToText() const;
    // Every rule in the block form, each after its comment (blanks in
    // front of the comment left out) and followed by a line end (the one
    // of the text around it); then the trailing text.
    QString ToBlockText() const;

private:
    std::vector<QString> LineEnds(const std::vector<bool>& needed) const;

    // The line end that stood right after the last rule; `trailing` begins
    // after it.
    QString m_trailingBreak;
};
