#include "core/tags/TagRemoval.h"

#include "core/edit/EditBuffer.h"
#include "core/edit/TextReplace.h"
#include "core/tags/HtmlScanner.h"

#include <algorithm>

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
        // without their case, as browsers pair "<B>" and "</b>".
        if (token.Name(text).compare(start->Name(text), Qt::CaseInsensitive) != 0)
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

std::vector<MarkupPiece> MarkupPieces(QStringView text, qsizetype from, qsizetype to)
{
    std::vector<MarkupPiece> pieces;
    HtmlScanner scanner(text);
    HtmlToken token;
    while (scanner.Next(token) && token.start <= to) {
        if (token.end >= from)
            pieces.push_back({token.start, token.end});
        if (token.textEnd >= from && token.end <= to)
            pieces.push_back({token.end, token.textEnd});
    }
    return pieces;
}

bool LineInMarkup(const std::vector<MarkupPiece>& pieces, qsizetype lineStart)
{
    const auto after = std::upper_bound(pieces.begin(), pieces.end(), lineStart,
                                        [](qsizetype p, const MarkupPiece& m) { return p <= m.start; });
    return after != pieces.begin() && lineStart <= std::prev(after)->end;
}

QString ConvertOutsideMarkup(QStringView text, qsizetype from, qsizetype to,
                             const std::function<QString(const QString&)>& convert)
{
    QString out;
    qsizetype pos = from;
    for (const MarkupPiece& m : MarkupPieces(text, from, to)) {
        const qsizetype start = std::max(m.start, from);
        const qsizetype end = std::min(m.end, to);
        if (start >= end || text.mid(m.start, m.end - m.start).compare(u"<P>", Qt::CaseInsensitive) == 0)
            continue;
        out += convert(text.mid(pos, start - pos).toString());
        out += text.mid(start, end - start);
        pos = end;
    }
    out += convert(text.mid(pos, to - pos).toString());
    return out;
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

namespace {

// Puts text that holds no whole comment into comments.
void AppendHidden(QString& out, QStringView text)
{
    qsizetype i = 0;
    for (;;) {
        // "<!-->" and "<!--->" would be whole comments already.
        out += text.mid(i).startsWith(u'>') || text.mid(i).startsWith(u"->")
                   ? QStringLiteral("<!-- ")
                   : QStringLiteral("<!--");
        qsizetype close = text.indexOf(u"-->", i);
        const qsizetype bang = text.indexOf(u"--!>", i);
        if (bang >= 0 && (close < 0 || bang < close))
            close = bang + 1;
        if (close < 0)
            break;
        out += text.mid(i, close + 3 - i);
        i = close + 3;
        if (i == text.size())
            return;
    }
    out += text.mid(i);
    out += QStringLiteral("-->");
}

} // namespace

QString HideInComments(const QString& text)
{
    QString out;
    qsizetype pos = 0;
    HtmlScanner scanner(text);
    HtmlToken token;
    while (scanner.Next(token)) {
        if (token.kind != HtmlToken::Kind::Comment || !token.closed)
            continue;
        if (token.start > pos)
            AppendHidden(out, QStringView(text).mid(pos, token.start - pos));
        out += QStringView(text).mid(token.start, token.end - token.start);
        pos = token.end;
    }
    if (pos < text.size() || text.isEmpty())
        AppendHidden(out, QStringView(text).mid(pos));
    return out;
}

QString EscapeAngleBrackets(const QString& text)
{
    QString out = text;
    ReplaceAllText(out, QStringLiteral("<"), QStringLiteral("&lt;"), Qt::CaseInsensitive);
    ReplaceAllText(out, QStringLiteral(">"), QStringLiteral("&gt;"), Qt::CaseInsensitive);
    return out;
}
