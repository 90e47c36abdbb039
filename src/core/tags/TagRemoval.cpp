#include "core/tags/TagRemoval.h"

#include "core/edit/EditBuffer.h"
#include "core/edit/TextReplace.h"

std::optional<OutermostElement> FindOutermostElement(const QString& text)
{
    const qsizetype open = text.indexOf(u'<');
    const qsizetype close = text.indexOf(u'>');
    if (open < 0 || close < 0 || close < open)
        return std::nullopt;
    QString name = text.mid(open + 1, close - open - 1);
    const qsizetype blank = name.indexOf(u' ');
    if (blank >= 0)
        name.truncate(blank);
    if (name.isEmpty())
        return std::nullopt;
    // Searched after the start tag: an end tag can only close what was
    // opened before it.
    const QString endText = QStringLiteral("</") + name + u'>';
    const qsizetype endTag = text.indexOf(endText, close + 1);
    if (endTag < 0)
        return std::nullopt;
    return OutermostElement{name, open, close + 1, endTag, endTag + endText.size()};
}

QString StripTags(const QString& text)
{
    QString out;
    out.reserve(text.size());
    qsizetype pos = 0;
    for (;;) {
        const qsizetype open = text.indexOf(u'<', pos);
        const qsizetype close = open < 0 ? -1 : text.indexOf(u'>', open + 1);
        if (close < 0) {
            out += QStringView(text).mid(pos);
            return out;
        }
        out += QStringView(text).mid(pos, open - pos);
        pos = close + 1;
    }
}

CapturedTags CaptureTags(const QString& text)
{
    CapturedTags tags;
    bool inEnd = false;
    bool inTag = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == u'<') {
            // A tag that does not follow another tag directly comes after
            // the text: from here on the tags close what the start opened.
            if (i > 0 && text[i - 1] != u'>')
                inEnd = true;
            inTag = true;
        } else if (c == u'>') {
            inTag = false;
        } else if (!inTag) {
            continue;
        }
        (inEnd ? tags.end : tags.start) += c;
    }
    return tags;
}

QString BreaksToParagraphs(const QString& text)
{
    QString out = text;
    ReplaceAllText(out, kCrLf, QStringLiteral("<P>") + kCrLf, Qt::CaseInsensitive);
    return out;
}

QString BreaksToLineBreaks(const QString& text)
{
    QString out = text;
    ReplaceAllText(out, kCrLf, QStringLiteral("<BR>") + kCrLf, Qt::CaseInsensitive);
    return out;
}

QString BreaksToParagraphsAndLineBreaks(const QString& text)
{
    // Blank lines are marked first so the second pass only sees single
    // line breaks; the last pass gives every paragraph mark, also one that
    // was there before, its blank line.
    QString out = text;
    ReplaceAllText(out, kCrLf + kCrLf, QStringLiteral("<P>"), Qt::CaseInsensitive);
    ReplaceAllText(out, kCrLf, QStringLiteral("<BR>") + kCrLf, Qt::CaseInsensitive);
    ReplaceAllText(out, QStringLiteral("<P>"), QStringLiteral("<P>") + kCrLf + kCrLf,
                   Qt::CaseInsensitive);
    return out;
}

QString EscapeAngleBrackets(const QString& text)
{
    QString out = text;
    ReplaceAllText(out, QStringLiteral("<"), QStringLiteral("&lt;"), Qt::CaseInsensitive);
    ReplaceAllText(out, QStringLiteral(">"), QStringLiteral("&gt;"), Qt::CaseInsensitive);
    return out;
}
