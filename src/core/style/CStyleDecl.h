#pragma once

#include <QString>

// One CSS declaration. The value is held without the blanks and tabs around
// it and without "!important", which is a flag of its own so that a page
// changing the value keeps it. A declaration with a name and an empty value
// is kept (it was written that way).
//
// An entry with `kept` text is no declaration: a comment, a nested rule or
// text that browsers drop, carried through as it was written so that
// writing the list back loses nothing. It has no name.
struct CStyleDecl {
    QString name;
    QString value;
    bool important = false;
    QString kept;

    bool IsEmpty() const { return name.isEmpty() && value.isEmpty() && kept.isEmpty(); }
    bool IsKept() const { return !kept.isEmpty(); }
    friend bool operator==(const CStyleDecl&, const CStyleDecl&) = default;
};

// Blanks and tabs off both ends; line breaks stay (they are not CSS blanks
// in the places this is used).
QString TrimBlanks(const QString& text);
