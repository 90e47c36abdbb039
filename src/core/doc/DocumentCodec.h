#pragma once

#include "core/doc/CodeKinds.h"
#include "core/doc/FileForms.h"

#include <QByteArray>
#include <QString>

#include <optional>
#include <vector>

// UTF-8 to text; a leading byte-order mark is dropped. Invalid sequences
// become U+FFFD. (For the program's own files; documents keep every byte.)
QString Utf8ToText(QByteArrayView bytes);
// Text to UTF-8, without a byte-order mark.
QByteArray TextToUtf8(QStringView text);

// Bytes that do not decode travel through the text as lone low surrogates
// U+DC00 + byte, and are written back as that byte in every code. Decoders
// of Shift-JIS, EUC-JP and UTF-8 only make U+DC80..U+DCFF (a 7-bit byte
// always decodes); the JIS decoder also keeps an ESC that starts no escape
// sequence and the 7-bit bytes of a broken kanji pair this way.
inline bool IsEscapedByte(char16_t c)
{
    return c >= 0xDC00 && c <= 0xDCFF;
}

// The text of a file as the editor shows it: CR LF line ends, decoded by its
// code kind.
struct DecodedDocument {
    QString text;
    CodeKind code = CodeKind::ShiftJis;
    LineEndKind lineEnd = LineEndKind::None;
    FileForms forms;
    // Bytes that did not decode, and the text offset of the first.
    qsizetype undecodable = 0;
    qsizetype firstUndecodable = -1;
    // The code a <meta charset> or XML declaration names, when it names one
    // of ours.
    std::optional<CodeKind> declared;
};

// Detects the code and line end of a file's bytes and decodes them. With
// autoConvert off, the bytes are read as Shift-JIS whatever the code.
// The bytes are consumed so that a large file is not held twice.
DecodedDocument DecodeDocument(QByteArray bytes, bool autoConvert);
// The same with a code given (reopening in a declared code).
DecodedDocument DecodeDocumentAs(QByteArray bytes, CodeKind code, bool autoConvert);

// A character of the text that the code cannot hold.
struct Unencodable {
    qsizetype offset = 0;  // in the text
    char32_t ch = 0;
};
// The first `limit` characters the code cannot hold; *total (when given)
// counts all of them.
std::vector<Unencodable> FindUnencodable(QStringView text, CodeKind code, qsizetype limit = 8,
                                         qsizetype* total = nullptr);
// "&#x1F37A;": how a character the code cannot hold is written.
QString NumericReference(char32_t ch);

// The bytes to write for the text (CR LF line ends) in the given code and
// line end. With the forms of the file it was read from, an unchanged text
// gives the file's bytes again. A character the code cannot hold is written
// as a numeric character reference, counted in *references; callers ask
// the user first (or when the count shows there were such characters).
QByteArray EncodeDocument(QStringView text, CodeKind code, LineEndKind lineEnd,
                          const FileForms* forms = nullptr, qsizetype* references = nullptr);

// The code a page declares in its first bytes (<meta charset=...>,
// <meta http-equiv content="...; charset=...">, <?xml ... encoding=...?>),
// when it is one of ours.
std::optional<CodeKind> DeclaredCode(QByteArrayView bytes);

// Line-end rewrites on bytes. CR and LF never occur inside a Shift-JIS,
// EUC-JP, JIS or UTF-8 character, so rewriting bytes is the same as
// rewriting the decoded text. Each load rewrite is undone exactly by its
// save rewrite, whatever other CR and LF bytes the file holds.
QByteArray LfToCrLf(QByteArrayView bytes);      // every LF becomes CR LF
QByteArray CrToCrLf(QByteArrayView bytes);      // every CR becomes CR LF
void CrLfToLf(QByteArray& bytes);               // every CR LF becomes LF
void CrLfToCr(QByteArray& bytes);               // every CR LF becomes CR
