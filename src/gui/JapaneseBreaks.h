#pragma once

#include <QString>

class QFontMetrics;

// Text for a label that may wrap. Qt breaks Japanese between any two
// characters ("区別をす|る"); a reader expects breaks between phrases. A
// phrase here ends where kana give way to a word of kanji, katakana or
// Latin letters ("大文字と|小文字の|区別をする"), and after punctuation;
// elsewhere in Japanese text a WORD JOINER (U+2060) keeps the characters
// together. A phrase wider than the line is still broken by Qt.
QString WithJapaneseBreaks(const QString& text);

// Text for a label that may wrap, where a run of Latin characters without a
// blank is wider than the line (a fingerprint, a path, an address): Qt
// breaks it at whatever character meets the line's end ("7D:A2:C|7"), which
// makes a fingerprint hard to compare. Such a run breaks after its
// separators (":", "/", "." and the like), and only where a piece is still
// too wide, inside it. Narrower runs and Japanese text are left as they are.
QString WithBreaksInLongWords(const QString& text, const QFontMetrics& metrics, int width);
