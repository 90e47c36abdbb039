#pragma once

#include "core/doc/CodeKinds.h"

#include <QByteArrayView>

// A file's bytes read one at a time from a position, as the detectors read
// an open file.
class ByteReader {
public:
    explicit ByteReader(QByteArrayView data) : m_data(data) {}
    // The next byte, or -1 at the end.
    int Next()
    {
        return m_pos < m_data.size() ? static_cast<unsigned char>(m_data[m_pos++]) : -1;
    }
    void Rewind() { m_pos = 0; }
    qsizetype Position() const { return m_pos; }
    QByteArrayView Data() const { return m_data; }

private:
    QByteArrayView m_data;
    qsizetype m_pos = 0;
};

// Classifies the bytes from the reader's position by the first deciding
// byte: ShiftJis, Jis, Euc, Ascii or Unknown (never Utf8).
CodeKind DetectCodeKind(ByteReader& file);

// The UTF-8 test. Rewinds first; a file starting with the byte-order mark
// is UTF-8 at once, otherwise every byte sequence must be well formed
// (sequences of up to four bytes; leads C0 and C1 are let through).
bool IsUtf8File(ByteReader& file);

struct Utf8Scan {
    bool valid = true;         // every sequence well formed
    bool hasBom = false;       // starts with EF BB BF
    bool hasLongSequence = false;  // holds a sequence of three or four bytes
};
Utf8Scan ScanUtf8(QByteArrayView bytes);

// Strict UTF-8 (no overlong forms, no surrogates): well-formed sequences of
// two to four bytes, and bytes that belong to no well-formed sequence.
struct Utf8Count {
    qsizetype sequences = 0;
    qsizetype invalid = 0;
};
Utf8Count CountUtf8(QByteArrayView bytes);
// A page is UTF-8 with stray bytes when it has at least this many
// well-formed multi-byte sequences for each stray byte.
inline constexpr qsizetype kStrayShare = 16;

// The kind of the first line end from the reader's position.
LineEndKind DetectLineEnd(ByteReader& file);

// The code kind the editor loads a file with: the byte rules above, then
//  - a UTF-8 byte-order mark decides, whatever follows it;
//  - well-formed UTF-8 with a multi-byte sequence is Utf8, and so is
//    well-formed UTF-8 but for a few stray bytes (kStrayShare);
//  - bytes that fit both EUC and Shift-JIS are read as the code in which
//    they are the likelier text (fewer half-width katakana, level-2 kanji
//    and vendor characters, as nkf weighs them), Unknown when that ties.
CodeKind DetectDocumentCode(QByteArrayView bytes);

// UTF-16, which the editor does not read: bytes that start with FF FE or
// FE FF, or text whose 7-bit characters show as NUL in every other byte
// (the high byte of each unit). Its units must all be characters of text
// (no U+0000, no control but tab, line ends and form feed, surrogates in
// pairs), at least two of them below U+0100 and never more than
// kUtf16Stretch in a row without one: a Shift-JIS or EUC file holds a NUL
// only by accident, and binary data holds U+0000 or controls.
bool IsUtf16File(QByteArrayView bytes);
inline constexpr qsizetype kUtf16Stretch = 2048;
