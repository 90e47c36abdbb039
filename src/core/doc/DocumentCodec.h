#pragma once

#include "core/doc/CodeKinds.h"

#include <QByteArray>
#include <QString>

// UTF-8 to text; a leading byte-order mark is dropped. Invalid sequences
// become U+FFFD.
QString Utf8ToText(QByteArrayView bytes);
// Text to UTF-8, without a byte-order mark.
QByteArray TextToUtf8(QStringView text);

// The text of a file as the editor shows it: CR LF line ends, decoded by its
// code kind.
struct DecodedDocument {
    QString text;
    CodeKind code = CodeKind::ShiftJis;
    LineEndKind lineEnd = LineEndKind::None;
};

// Detects the code and line end of a file's bytes and decodes them. With
// autoConvert off, the bytes are read as Shift-JIS whatever the code.
// The bytes are consumed so that a large file is not held twice.
DecodedDocument DecodeDocument(QByteArray bytes, bool autoConvert);

// Decodes bytes whose kinds are known.
QString DecodeText(QByteArray bytes, CodeKind code, LineEndKind lineEnd, bool autoConvert);

// The bytes to write for the text (CR LF line ends) in the given code and
// line end. UTF-8 is encoded straight from the text, so nothing outside
// Shift-JIS is lost; the other kinds go through Shift-JIS.
QByteArray EncodeDocument(QStringView text, CodeKind code, LineEndKind lineEnd);

// Line-end rewrites on bytes. CR and LF never occur inside a Shift-JIS,
// EUC-JP, JIS or UTF-8 character, so rewriting bytes is the same as
// rewriting the decoded text.
QByteArray LfToCrLf(QByteArrayView bytes);      // every LF becomes CR LF
QByteArray CrToCrLf(QByteArrayView bytes);      // CR CR LF becomes CR, then CR becomes CR LF
void CrLfToLf(QByteArray& bytes);               // every CR LF becomes LF
void CrLfToCr(QByteArray& bytes);               // every CR LF becomes CR
