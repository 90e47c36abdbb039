#include "core/tags/TagRemoval.h"

#include "core/edit/EditBuffer.h"
#include "core/edit/TextReplace.h"
#include "core/tags/HtmlScanner.h"

std::optional<OutermostElement> FindOutermostElement(const QString& text)
{
    HtmlScanner scanner(text);
    HtmlToken token;
    std::optional<HtmlToken> start;
    int depth = 0;
    while (scanner.Next(token)) {
        if (!token.IsTag() || !token.closed)
            continue;
        if (!start) {
            if (token.kind != HtmlToken::Kind::StartTag)
                return std::nullopt;
            start = token;
            depth = 1;
            continue;
        }
        // Elements of the same name inside it are counted, so the end tag
        // found is the one that closes the first start tag. Names compare
        // with their case, as written.
        if (token.Name(text) != start->Name(text))
            continue;
        if (token.kind == HtmlToken::Kind::StartTag) {
            if (!token.selfClosing)
                ++depth;
        } else if (--depth == 0) {
            return OutermostElement{start->Name(text).toString(), start->start, start->end,
                                    token.start, token.end};
        }
    }
    return std::nullopt;
}

QString StripTags(const QString& text)
{
    QString out;
    out.reserve(text.size());
    qsizetype pos = 0;
    HtmlScanner scanner(text);
    HtmlToken token;
    while (scanner.Next(token)) {
        if (!token.closed)
            break;
        // Server code is the page's program, not markup to strip.
        if (token.kind == HtmlToken::Kind::ServerCode)
            continue;
        out += QStringView(text).mid(pos, token.start - pos);
        pos = token.end;
    }
    out += QStringView(text).mid(pos);
    return out;
}

CapturedTags CaptureTags(const QString& text)
{
    CapturedTags tags;
    bool inEnd = false;
    qsizetype pos = 0;
    HtmlScanner scanner(text);
    HtmlToken token;
    while (scanner.Next(token)) {
        // A tag that does not follow another tag directly comes after the
        // text: from here on the tags close what the start opened.
        if (token.start != pos)
            inEnd = true;
        (inEnd ? tags.end : tags.start) += QStringView(text).mid(token.start, token.end - token.start);
        pos = token.end;
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
