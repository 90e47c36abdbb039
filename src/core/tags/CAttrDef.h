#pragma once

#include <QString>
#include <QStringList>

// What kind of value an attribute or style property takes. The numbers are
// the codes the reference tables are documented with.
enum class AttrKind : int {
    Text = 0,     // no value part, or free text
    Choice = 1,   // one of the listed words
    Url = 2,      // "#URL": a link target
    Color = 3,    // "#COLOR"
    NoValue = 4,  // "#NONE": written without a value
    Image = 5,    // "#IMAGE": an image file
    File = 6,     // "#FILE"
    Class = 7,    // "#CLASS": a style class name
    Style = 8,    // "#STYLE": a style declaration list
    Font = 9,     // "#FONT": a font name
    Length = 10,  // "#LEN"
};

// One attribute or style property of the reference tables.
struct CAttrDef {
    QString name;
    // The tag the definition is for; empty when it applies to every tag.
    QString ownerTag;
    AttrKind kind = AttrKind::Text;
    // Choice only: the words, in file order. Two blanks in a row give an
    // empty word, which is how a file offers "not set" as the first entry.
    QStringList choices;

    // Whether this definition serves that attribute of that tag: the name
    // matches and the owner is empty or the tag (both without regard to
    // case).
    bool Matches(const QString& attrName, const QString& tagName) const;

    friend bool operator==(const CAttrDef&, const CAttrDef&) = default;
};

// Reads one definition line: "NAME[/OWNER][ VALUE PART]". The value part
// holds a kind marker ("#URL", "#COLOR", ...; the first of them found, in
// the order of AttrKind, wins) or, when it contains a blank, the choices.
CAttrDef ParseAttrDef(const QString& line);

// Blanks of the table files: the space, and the tab a user's text editor may
// put in their place.
inline bool IsTableBlank(QChar c)
{
    return c == u' ' || c == u'\t';
}
