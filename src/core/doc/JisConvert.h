#pragma once

#include "core/doc/CodeKinds.h"

#include <QByteArray>
#include <QByteArrayView>

// Conversions between the device code page (Shift-JIS) and 7-bit JIS or
// EUC-JP, one line at a time. The JIS mode is the only state: it starts as
// Ascii for each whole text and is carried from line to line.
enum class JisMode { Ascii, Kanji, Kana };

// JIS X 0208 code (row + 0x20, cell + 0x20) to Shift-JIS; 0 when either
// byte is outside 0x21..0x7E.
unsigned JisToSjis(unsigned code);
// Shift-JIS double-byte character to its JIS X 0208 code; 0 when the
// character is not a valid double-byte character or has no JIS code (leads
// 0xF0..0xFC among them).
unsigned SjisToJis(unsigned code);

bool IsSjisLeadByte(unsigned char b);
bool IsSjisTrailByte(unsigned char b);
bool IsHalfWidthKana(unsigned char b);

// Each converter appends the converted line (given without its line end)
// to out. A line of any length is converted whole.
using LineConverter = void (*)(QByteArrayView line, JisMode& mode, QByteArray& out);
void JisLineToSjis(QByteArrayView line, JisMode& mode, QByteArray& out);
void EucLineToSjis(QByteArrayView line, JisMode& mode, QByteArray& out);
void SjisLineToJis(QByteArrayView line, JisMode& mode, QByteArray& out);
void SjisLineToEuc(QByteArrayView line, JisMode& mode, QByteArray& out);

// Convenience forms for a single line.
QByteArray JisLineToSjis(QByteArrayView line, JisMode& mode);
QByteArray EucLineToSjis(QByteArrayView line);
QByteArray SjisLineToJis(QByteArrayView line, JisMode& mode);
QByteArray SjisLineToEuc(QByteArrayView line);

// Converts a whole text line by line: each line up to the separator is
// converted (empty lines are not) and followed by CR LF; a last line without
// separator is converted and gets no line end. An empty separator makes the
// whole text one line. The JIS mode starts as Ascii.
QByteArray ConvertByLines(QByteArrayView text, QByteArrayView separator, LineConverter convert);
