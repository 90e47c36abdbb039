#pragma once

#include <QString>
#include <QStringList>

#include <array>
#include <vector>

// Value helpers shared by every style page: the token list of a shorthand,
// the four-sides rule, numbers with units, colours, url(...) values and the
// font-family list. Pure functions of their arguments.

// A keyword a number field also accepts ("thick"), shown by its label.
struct StyleKeyword {
    QString label;
    QString value;
};
using StyleKeywords = std::vector<StyleKeyword>;

// Splits a value at blanks. A token that begins with a quotation mark runs
// to the matching closing mark and keeps both marks; the character after
// the closing mark is skipped (it is the separator); a token whose mark
// never closes runs to the end. Blanks inside brackets do not split, so
// "rgb(0, 0, 255)" and "url(a b.gif)" stay one token each. Empty tokens are
// dropped.
QStringList StyleTokenize(const QString& value);

// Top, right, bottom, left from one to four tokens (the CSS shorthand
// rule). Gives the token count; with none or more than four the sides are
// left as they were.
int StyleFourSides(const QStringList& tokens, std::array<QString, 4>& sides);

// A number with its unit. A value equal to a keyword's value reads as that
// keyword's label without a unit. Otherwise the number is the leading run of
// digits, signs and points, and the rest is the unit code (-1 when empty or
// unknown).
void ReadStyleNumber(const QString& value, const StyleKeywords& keywords, QString& number,
                     int& unit);
// The number followed by the unit code; no code for an empty number or -1.
QString StyleNumberText(const QString& number, int unit);

// "#rrggbb" reads as the six digits; anything else as it is.
QString ReadStyleColor(const QString& value);
// Six hexadecimal digits get "#" in front; names and other forms stay.
QString StyleColorText(const QString& text);
// Whether a token of a shorthand is a colour: "#..." in any length, a
// colour function (rgb(), rgba(), hsl(), hsla()) or a colour keyword
// (named, system, "transparent", "currentColor"), case ignored.
bool IsStyleColorToken(const QString& token);

// The path inside url(...), without blanks, brackets and quotation marks; a
// value that does not begin with "url" as it is.
QString ReadStyleUrl(const QString& value);
// A token of a shorthand that begins with "url(": the rest with every ")"
// removed.
QString ReadShorthandUrl(const QString& token);

// Names with a blank get single quotation marks unless they have them.
QString StyleFontFamilyList(const QString& family);

// The position of the value in the list, without regard to case; -1 when
// it is not there.
int StyleListIndex(const QStringList& list, const QString& value);
