#pragma once

#include <QString>
#include <QStringView>

// Character references in attribute values, read as browsers read them:
// "&#233;", "&#xE9;" and the named references of HTML 4 (with "&apos;"),
// each with its ";". A name browsers also accept without ";" ("&copy")
// counts without it too, unless a letter, digit or "=" follows (so a query
// "?a=1&copy=2" keeps its text). A name outside that set is left as written,
// and so is server code ("<?= $a ?>", "<% x %>") in the value.
QString DecodeAttrCharRefs(QStringView raw);

// The length of the reference that starts at the "&" at s[pos], 0 when the
// "&" is text. A number needs no ";"; so does a name of the set above, in
// text even with letters after it ("&copy2024" is "&copy" and "2024"), in a
// value only as DecodeAttrCharRefs reads it. Any other name counts with its
// ";" (the later standards name far more characters than this table).
qsizetype CharRefLength(QStringView s, qsizetype pos, bool inAttribute);

// The value as it is written into a tag, with its quotes: in double quotes,
// in apostrophes when it holds a double quote, and in double quotes with
// "&quot;" when it holds both. An "&" that would be read as the start of a
// reference is written "&amp;", so DecodeAttrCharRefs of the text between
// the quotes always gives the value back; every other "&" stays as typed.
// Server code in the value is written as it is and does not count for the
// choice of quotes.
QString QuoteAttrValue(const QString& value);
