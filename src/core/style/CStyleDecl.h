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
//
// `origin` is the entry's place in the list as it was read from text (-1
// for one added since), so that a rule can write a changed entry where it
// stood and leave the text around it alone.
struct CStyleDecl {
    QString name;
    QString value;
    bool important = false;
    QString kept;
    int origin = -1;

    bool IsEmpty() const { return name.isEmpty() && value.isEmpty() && kept.isEmpty(); }
    bool IsKept() const { return !kept.isEmpty(); }
    friend bool operator==(const CStyleDecl&, const CStyleDecl&) = default;
};

// Blanks and tabs off both ends; line breaks stay (they are not CSS blanks
// in the places this is used).
QString TrimBlanks(const QString& text);
