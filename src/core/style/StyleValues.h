#pragma once

#include <QString>
#include <QStringList>

#include <array>
#include <functional>
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

// A token of a shorthand value with its place in the value: blanks (and
// line breaks) outside quotation marks and brackets separate tokens, and a
// comma outside them is a token of its own ("a, b" is three tokens). An
// edit then replaces one token and leaves the rest of the text as it was.
struct StyleToken {
    qsizetype start = 0;
    qsizetype end = 0;
    QStringView Text(const QString& value) const
    {
        return QStringView(value).mid(start, end - start);
    }
};
std::vector<StyleToken> StyleValueTokens(const QString& value);
// The value with the first token that `matches` replaced by `replacement`
// (removed, with the blank after or before it, for an empty one), or with
// `replacement` added at the end when no token matches (unless `add` is
// false). `found` tells
// whether one matched.
QString EditStyleToken(const QString& value,
                       const std::function<bool(QStringView)>& matches,
                       const QString& replacement,
                       bool* found = nullptr,
                       bool add = true);

// A plain number: digits with an optional sign and point ("-.5", "12").
bool IsStyleNumber(QStringView text);

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
// A value that is no number with a known unit ("auto", "calc(...)",
// "var(--x)", "3PX") reads as that text without a unit, so that a field
// shows it and, left alone, writes it back.
//
// The number followed by the unit code; no code for an empty number, -1 or
// a number field holding text.
QString StyleNumberText(const QString& number, int unit);

// The same for a length: a plain number without a unit is in pixels
// (browsers ignore a length without one). Not for line-height, where a
// plain number is a factor.
QString StyleLengthText(const QString& number, int unit);

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
// A token of a shorthand that begins with "url(", read the same way.
QString ReadShorthandUrl(const QString& token);
// url(path): in quotation marks when `quoted` or when the path needs them
// (blanks, brackets, quotation marks, backslashes), with the marks inside
// escaped, so that "img/my photo.png" stays one image. "none" and a
// function ("linear-gradient(...)", "url(...)") are written as they are.
QString StyleUrlText(const QString& path, bool quoted);

// Names with a blank get single quotation marks unless they have them.
QString StyleFontFamilyList(const QString& family);

// The position of the value in the list, without regard to case; -1 when
// it is not there.
int StyleListIndex(const QStringList& list, const QString& value);
