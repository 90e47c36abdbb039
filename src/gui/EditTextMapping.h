#pragma once

#include <QString>
#include <QStringView>

// The editor's text (every line end a CR LF pair, a CR or LF on its own an
// ordinary character) against the text a QTextDocument holds.
//
// QTextDocument turns CR, LF, CR LF, U+2029 and the frame markers U+FDD0 and
// U+FDD1 into block breaks, so the characters that would be lost travel in
// the document as stand-ins: unpaired low surrogates U+DC01..U+DC06. The
// document decoders keep undecodable bytes as U+DC00 + byte; they make
// U+DC80..U+DCFF, and U+DC00..U+DC7F only for 7-bit bytes out of place in
// a JIS file, where control bytes 01..06 practically never occur. The
// kept bytes stay plain characters in the document (no escape, no slow
// path), and QTextDocument shows them, like the stand-ins, as the
// replacement glyph. A stand-in
// that really occurs in the editor's text (only a program can put one there)
// is written as kEscape followed by itself, and kEscape itself as kEscape
// twice, so that every QString comes back exactly. A kEscape that is not
// followed by a character needing an escape (an edit split the pair) stands
// for itself. Escapes are the only
// places where the two texts differ in length apart from the line ends.
namespace edittext {

inline constexpr char16_t kLoneCr = 0xDC01;
inline constexpr char16_t kLoneLf = 0xDC02;
inline constexpr char16_t kParagraphSeparator = 0xDC03;  // stands for U+2029
inline constexpr char16_t kFrameStart = 0xDC04;          // stands for U+FDD0
inline constexpr char16_t kFrameEnd = 0xDC05;            // stands for U+FDD1
inline constexpr char16_t kEscape = 0xDC06;

// The document's block separator as QTextDocument::toRawText() gives it.
inline constexpr char16_t kBlockBreak = 0x2029;

// Editor text to the text to insert into a document ("\n" for each line
// end). Sets *escaped when an escape was written.
QString ToDocument(QStringView text, bool* escaped = nullptr);
// Raw document text (U+2029 between blocks, as toRawText() and
// QTextBlock::text() give it) back to editor text.
QString FromDocument(QStringView raw);
// The editor character a stand-in means, or the character itself.
char16_t FromStandIn(char16_t c);
// True for the characters ToDocument() escapes.
bool NeedsEscape(char16_t c);
// The number of editor characters the raw document text stands for, counting
// a block break as two.
int EditorLength(QStringView raw);

// Clipboard text of other programs to editor text: every CR LF, lone CR and
// lone LF becomes a line end.
QString FromForeignText(QStringView text);
// Editor text to the plain text other programs expect: line ends as LF.
QString ToForeignText(QStringView text);

} // namespace edittext
