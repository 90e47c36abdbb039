#include "gui/JapaneseBreaks.h"

#include <QFontMetrics>

namespace {

constexpr char16_t kWordJoiner = 0x2060;
constexpr char16_t kZeroWidthSpace = 0x200B;

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

// A character of a run that Qt does not break: Latin letters, digits and
// their punctuation. CJK text and blanks break by themselves.
bool InWord(QChar c)
{
    return c.unicode() < 0x2E80 && !c.isSpace();
}

bool IsSeparator(QChar c)
{
    return QStringView(u":/\\,.;-_=&?+|").contains(c);
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

QString WithBreaksInLongWords(const QString& text, const QFontMetrics& metrics, int width)
{
    QString out;
    out.reserve(text.size());
    qsizetype i = 0;
    while (i < text.size()) {
        qsizetype end = i;
        while (end < text.size() && InWord(text[end]))
            ++end;
        if (end == i) {
            out.append(text[i++]);
            continue;
        }
        const QStringView word = QStringView(text).mid(i, end - i);
        if (metrics.horizontalAdvance(word.toString()) <= width) {
            out.append(word);
        } else {
            int piece = 0;  // width since the last break
            for (qsizetype k = 0; k < word.size(); ++k) {
                const QChar c = word[k];
                const int advance = metrics.horizontalAdvance(c);
                if (piece > 0 && piece + advance > width) {
                    out.append(QChar(kZeroWidthSpace));
                    piece = 0;
                }
                out.append(c);
                piece += advance;
                if (IsSeparator(c) && k + 1 < word.size()) {
                    out.append(QChar(kZeroWidthSpace));
                    piece = 0;
                }
            }
        }
        i = end;
    }
    return out;
}
