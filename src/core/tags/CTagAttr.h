#pragma once

#include <QString>

// One attribute of a start tag. The name keeps the case it was written or
// given in; the value is held as the user reads it: without its quotes,
// with its character references decoded, and empty for an attribute
// written without one (NOSHADE, CHECKED).
//
// An attribute read from a page also keeps how it was written, so that
// while neither name nor value is changed it goes back into the page byte
// for byte (quotes, references, blanks and line breaks before it).
struct CTagAttr {
    QString name;
    QString value;
    // From the page: the text between the previous attribute (or the tag
    // name) and this one, the attribute as written, and the name and value
    // read from it. Empty for an attribute a command made.
    QString lead;
    QString source;
    QString sourceName;
    QString sourceValue;

    bool IsUnchangedSource() const
    {
        return !source.isEmpty() && name == sourceName && value == sourceValue;
    }
    // The attribute as it is written into a start tag: as it was written
    // while unchanged; otherwise the name alone when there is no value, or
    // name="value" with the quotes QuoteAttrValue chooses.
    QString GetText() const;

    friend bool operator==(const CTagAttr&, const CTagAttr&) = default;
};
