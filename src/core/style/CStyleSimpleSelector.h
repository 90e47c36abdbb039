#pragma once

#include <QString>

// One compound selector such as "P.note:hover" or "DIV#top": an element,
// one class or id, one pseudo-class. Any part may be empty; an empty simple
// selector stands for the blank that separated two others and writes as
// nothing, so the blanks of a selector come back where they were.
struct CStyleSimpleSelector {
    QString element;
    QString classOrId;
    bool isId = false;
    QString pseudo;  // without its colon

    bool IsEmpty() const { return element.isEmpty() && classOrId.isEmpty() && pseudo.isEmpty(); }
    void Parse(const QString& text);
    QString ToText() const;

    friend bool operator==(const CStyleSimpleSelector&, const CStyleSimpleSelector&) = default;
};
