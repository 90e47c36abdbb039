#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

namespace platform {

// The device code page: Windows Shift-JIS (CP932), as glibc's iconv defines
// it. Both directions are table driven; the tables are filled from iconv
// once, on first use, so the mapping is exactly iconv's.
//
// Decoding never stops early: a byte sequence with no character becomes
// U+FFFD. A lead byte is replaced on its own, and the next byte decoded
// afresh, when that byte is no trail byte or is a 7-bit byte of a pair that
// has no character, so a stray lead byte never swallows a "<" or a letter. Encoding writes '?' for a character
// that CP932 cannot hold (a lone surrogate or a character outside the code
// page, one '?' per character).
QString Cp932ToUnicode(QByteArrayView bytes);
QByteArray UnicodeToCp932(QStringView text);

// True when the character can be written in CP932 and read back unchanged.
bool Cp932RoundTrips(char32_t ch);

} // namespace platform
