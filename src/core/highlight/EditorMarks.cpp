#include "core/highlight/EditorMarks.h"

#include "core/tags/HtmlScanner.h"

namespace {

// Elements that have no end tag.
bool IsVoidElement(QStringView name)
{
    static const char16_t* const kNames[] = {u"area", u"base",  u"br",    u"col",   u"embed",
                                             u"hr",   u"img",   u"input", u"link",  u"meta",
                                             u"param", u"source", u"track", u"wbr"};
    for (const char16_t* n : kNames)
        if (name.compare(QStringView(n), Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

// The start tag an end tag closes: the innermost start tag of that name
// still open when the end tag comes.
std::optional<HtmlToken> MatchingStartTag(QStringView text, const HtmlToken& endTag)
{
    const QStringView name = endTag.Name(text);
    std::vector<HtmlToken> open;
    HtmlScanner scanner(text);
    HtmlToken token;
    while (scanner.Next(token) && token.start < endTag.start) {
        if (!token.IsTag() || !token.closed
            || token.Name(text).compare(name, Qt::CaseInsensitive) != 0)
            continue;
        if (token.kind == HtmlToken::Kind::StartTag) {
            if (!token.selfClosing)
                open.push_back(token);
        } else if (!open.empty()) {
            open.pop_back();
        }
    }
    if (open.empty())
        return std::nullopt;
    return open.back();
}

} // namespace

std::optional<TagPairRanges> MatchingTagAt(QStringView text, qsizetype offset)
{
    const std::optional<HtmlToken> tag = HtmlScanner::TagAt(text, offset);
    if (!tag)
        return std::nullopt;
    std::optional<HtmlToken> partner;
    if (tag->kind == HtmlToken::Kind::EndTag)
        partner = MatchingStartTag(text, *tag);
    else if (!tag->selfClosing && !IsVoidElement(tag->Name(text)))
        partner = HtmlScanner::MatchingEndTag(text, *tag);
    if (!partner)
        return std::nullopt;
    return TagPairRanges{tag->start, tag->end, partner->start, partner->end};
}

std::vector<qsizetype> FindAllMatches(QStringView text, QStringView what, bool matchCase,
                                      size_t limit)
{
    std::vector<qsizetype> starts;
    if (what.isEmpty())
        return starts;
    const Qt::CaseSensitivity cs = matchCase ? Qt::CaseSensitive : Qt::CaseInsensitive;
    for (qsizetype at = text.indexOf(what, 0, cs); at >= 0 && starts.size() < limit;
         at = text.indexOf(what, at + what.size(), cs))
        starts.push_back(at);
    return starts;
}
