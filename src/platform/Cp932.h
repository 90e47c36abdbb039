#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

#include <array>
#include <cstdint>
#include <vector>

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

// Lossless tables of a multi-byte code for documents. Every mapping in them
// goes both ways: a character is encodable only when its bytes decode back
// to it (a one-way "best fit" mapping is no mapping), except for the few
// JIS X 0208 characters that CP932 reads as other code points (WAVE DASH,
// MINUS SIGN and the like): they are written where JIS X 0208 has them. Where a code holds a
// character twice, `encode` gives the form the code's converter writes and
// `alternative` marks the character, so that a document can remember which
// form its file used.
struct MultiByteTables {
    static constexpr char16_t kNone = 0xFFFF;
    // Decoding. single: one-byte characters (kNone for a lead byte and for a
    // byte with no character). pair: (first << 8 | second) to a character.
    // triple: EUC's three-byte characters after 0x8F, (second << 8 | third).
    std::array<char16_t, 256> single{};
    std::vector<char16_t> pair = std::vector<char16_t>(65536, kNone);
    std::vector<char16_t> triple;
    // Encoding: a BMP character to its bytes, big-endian in the low one to
    // three bytes (0x8Fxxxx for EUC's three-byte form); 0 when the code
    // cannot hold it. 7-bit characters are their own bytes in both codes.
    std::vector<uint32_t> encode = std::vector<uint32_t>(65536, 0);
    std::vector<uint8_t> alternative = std::vector<uint8_t>(65536, 0);
    // The same for the encoders' fast path: the bytes in file order from
    // the lowest byte up and their count in the highest byte; 0 also for
    // characters with an alternative form and for surrogates, which take
    // the slow path.
    std::vector<uint32_t> packed = std::vector<uint32_t>(65536, 0);
};

// CP932 as glibc defines it, user-defined area (F040..F9FC, U+E000..U+E757)
// included.
const MultiByteTables& Cp932Tables();
// EUC-JP: glibc's EUC-JP-MS (JIS X 0208, NEC row 13, JIS X 0212 and the IBM
// extensions after 0x8F, user-defined rows), except that rows 89..92
// (first byte F9..FC) hold the NEC-selected IBM extensions where CP932 has
// them, as the JIS arithmetic from Shift-JIS ED/EE gives them.
const MultiByteTables& EucJpTables();

} // namespace platform
