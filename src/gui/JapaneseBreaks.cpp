#include "gui/JapaneseBreaks.h"

namespace {

constexpr char16_t kWordJoiner = 0x2060;

bool IsHiragana(char16_t c)
{
    return c >= 0x3041 && c <= 0x309F;
}

bool IsKatakana(char16_t c)
{
    return (c >= 0x30A0 && c <= 0x30FF) || (c >= 0xFF66 && c <= 0xFF9F);
}

bool IsKanji(char16_t c)
{
    return (c >= 0x4E00 && c <= 0x9FFF) || (c >= 0x3400 && c <= 0x4DBF) || c == 0x3005;
}

bool IsJapanese(char16_t c)
{
    return IsHiragana(c) || IsKatakana(c) || IsKanji(c);
}

// A break is allowed between the two characters.
bool PhraseEnds(char16_t before, char16_t after)
{
    if (!IsJapanese(before) || !IsJapanese(after))
        return true;  // punctuation, blanks and Latin text: Qt's own rules
    return IsHiragana(before) && !IsHiragana(after);
}

} // namespace

QString WithJapaneseBreaks(const QString& text)
{
    QString out;
    out.reserve(text.size() + text.size() / 2);
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (i > 0 && !PhraseEnds(text[i - 1].unicode(), text[i].unicode()))
            out.append(QChar(kWordJoiner));
        out.append(text[i]);
    }
    return out;
}
