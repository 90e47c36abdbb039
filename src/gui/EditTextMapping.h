#pragma once

#include <QString>
#include <QStringView>

// The editor's text (every line end a CR LF pair, a CR or LF on its own an
// ordinary character) against the text a QTextDocument holds.
//
// QTextDocument turns CR, LF, CR LF, U+2029 and the frame markers U+FDD0 and
// U+FDD1 into block breaks, so the characters that would be lost travel in
// the document as stand-ins: unpaired low surrogates, which no decoder (UTF-8
// or the device code page) and no clipboard text ever produces. A stand-in
// that really occurs in the editor's text (only a program can put one there)
// is written as kEscape followed by itself, and kEscape itself as kEscape
// twice, so that every QString comes back exactly. A kEscape that is not
// followed by a character needing an escape (an edit split the pair) stands
// for itself. Escapes are the only
// places where the two texts differ in length apart from the line ends.
namespace edittext {

inline constexpr char16_t kLoneCr = 0xDC0D;
inline constexpr char16_t kLoneLf = 0xDC0A;
inline constexpr char16_t kParagraphSeparator = 0xDC29;  // stands for U+2029
inline constexpr char16_t kFrameStart = 0xDCD0;          // stands for U+FDD0
inline constexpr char16_t kFrameEnd = 0xDCD1;            // stands for U+FDD1
inline constexpr char16_t kEscape = 0xDC1B;

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
