#pragma once

#include <QString>

// One CSS declaration. The value is held without the blanks and tabs around
// it. A declaration with a name and an empty value is kept (it was written
// that way); only one with neither is empty.
struct CStyleDecl {
    QString name;
    QString value;

    bool IsEmpty() const { return name.isEmpty() && value.isEmpty(); }
    friend bool operator==(const CStyleDecl&, const CStyleDecl&) = default;
};

// Blanks and tabs off both ends; line breaks stay (they are not CSS blanks
// in the places this is used).
QString TrimBlanks(const QString& text);
