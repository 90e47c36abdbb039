#pragma once

#include <QString>

// Text for a label that may wrap. Qt breaks Japanese between any two
// characters ("区別をす|る"); a reader expects breaks between phrases. A
// phrase here ends where kana give way to a word of kanji, katakana or
// Latin letters ("大文字と|小文字の|区別をする"), and after punctuation;
// elsewhere in Japanese text a WORD JOINER (U+2060) keeps the characters
// together. A phrase wider than the line is still broken by Qt.
QString WithJapaneseBreaks(const QString& text);
