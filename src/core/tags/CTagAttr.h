#pragma once

#include <QString>

// One attribute of a start tag. The name keeps the case it was written or
// given in; the value is held without its quotes and is empty for an
// attribute written without one (NOSHADE, CHECKED).
struct CTagAttr {
    QString name;
    QString value;

    // The attribute as it is written into a start tag: the name alone when
    // there is no value, otherwise the value in double quotes.
    QString GetText() const;

    friend bool operator==(const CTagAttr&, const CTagAttr&) = default;
};
