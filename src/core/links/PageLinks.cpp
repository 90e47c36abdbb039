#include "core/links/PageLinks.h"

#include "core/links/RelativePath.h"
#include "core/tags/CharRefs.h"
#include "core/tags/HtmlScanner.h"

#include <QSet>

namespace {

// Calls visit(token) for every start tag of the text that has its ">".
template <typename Visit>
void ForEachStartTag(const QString& text, Visit visit)
{
    HtmlScanner scanner(text);
    HtmlToken token;
    while (scanner.Next(token))
        if (token.kind == HtmlToken::Kind::StartTag && token.closed)
            visit(token);
}

// The tag's first attribute of that name; the first one counts, as in
// browsers.
const HtmlAttrRange* FirstAttr(QStringView text, const HtmlToken& tag, QStringView name)
{
    for (const HtmlAttrRange& a : tag.attrs)
        if (text.mid(a.start, a.nameEnd - a.start).compare(name, Qt::CaseInsensitive) == 0)
            return &a;
    return nullptr;
}

QString AttrText(QStringView text, const HtmlAttrRange& attr)
{
    return DecodeAttrCharRefs(text.mid(attr.valueStart, attr.valueEnd - attr.valueStart));
}

struct LinkAttr {
    const char16_t* tag;
    const char16_t* attr;
};

constexpr LinkAttr kLinkAttrs[] = {
    {u"A", u"HREF"},           {u"AREA", u"HREF"},     {u"LINK", u"HREF"},
    {u"IMG", u"SRC"},          {u"SCRIPT", u"SRC"},    {u"FRAME", u"SRC"},
    {u"IFRAME", u"SRC"},       {u"EMBED", u"SRC"},     {u"INPUT", u"SRC"},
    {u"SOURCE", u"SRC"},       {u"AUDIO", u"SRC"},     {u"VIDEO", u"SRC"},
    {u"TRACK", u"SRC"},        {u"VIDEO", u"POSTER"},  {u"BODY", u"BACKGROUND"},
    {u"TABLE", u"BACKGROUND"}, {u"TD", u"BACKGROUND"}, {u"TH", u"BACKGROUND"},
};

constexpr const char16_t* kSrcsetTags[] = {u"IMG", u"SOURCE"};

// The URLs of a srcset value: candidates are separated by commas, each a
// URL and descriptors ("1x", "300w") after blanks; a URL may itself hold
// commas, only trailing ones end it.
QStringList SrcsetUrls(const QString& value)
{
    QStringList urls;
    const qsizetype n = value.size();
    qsizetype i = 0;
    while (i < n) {
        while (i < n && (HtmlScanner::IsBlank(value[i]) || value[i] == u','))
            ++i;
        const qsizetype start = i;
        while (i < n && !HtmlScanner::IsBlank(value[i]))
            ++i;
        QString url = value.mid(start, i - start);
        const bool endsCandidate = url.endsWith(u',');
        while (url.endsWith(u','))
            url.chop(1);
        if (!url.isEmpty())
            urls.append(url);
        if (endsCandidate)
            continue;
        // Descriptors run to the next comma outside parentheses.
        int depth = 0;
        for (; i < n; ++i) {
            const QChar c = value[i];
            if (c == u'(')
                ++depth;
            else if (c == u')' && depth > 0)
                --depth;
            else if (c == u',' && depth == 0)
                break;
        }
    }
    return urls;
}

void AppendDistinct(QStringList& list, QSet<QString>& seen, const QString& value)
{
    if (value.isEmpty() || seen.contains(value))
        return;
    seen.insert(value);
    list.append(value);
}

} // namespace

void CollectAttrValues(const QString& text, const QString& tagName, const QString& attrName,
                       QStringList& list)
{
    QSet<QString> seen(list.begin(), list.end());
    ForEachStartTag(text, [&](const HtmlToken& tag) {
        if (tag.Name(text).compare(tagName, Qt::CaseInsensitive) == 0)
            AppendDistinct(list, seen, TagAttrValue(text, tag, attrName).value_or(QString()));
    });
}

std::vector<PlacedLink> PlacedPageLinks(const QString& text)
{
    std::vector<PlacedLink> links;
    auto add = [&links](QString link, qsizetype offset) {
        if (!link.isEmpty())
            links.push_back({std::move(link), offset});
    };
    ForEachStartTag(text, [&](const HtmlToken& tag) {
        const QStringView name = tag.Name(text);
        for (const LinkAttr& link : kLinkAttrs) {
            if (name.compare(QStringView(link.tag), Qt::CaseInsensitive) != 0)
                continue;
            const HtmlAttrRange* attr = FirstAttr(text, tag, link.attr);
            if (attr && attr->HasValue())
                add(CleanLinkText(AttrText(text, *attr)), attr->valueStart);
        }
        for (const char16_t* srcsetTag : kSrcsetTags) {
            if (name.compare(QStringView(srcsetTag), Qt::CaseInsensitive) != 0)
                continue;
            const HtmlAttrRange* attr = FirstAttr(text, tag, u"SRCSET");
            if (attr && attr->HasValue())
                for (QString& url : SrcsetUrls(AttrText(text, *attr)))
                    add(std::move(url), attr->valueStart);
        }
    });
    return links;
}

QStringList PageLinks(const QString& text)
{
    QStringList links;
    QSet<QString> seen;
    for (const PlacedLink& placed : PlacedPageLinks(text))
        AppendDistinct(links, seen, placed.link);
    return links;
}

std::optional<QString> TagAttrValue(QStringView text, const HtmlToken& tag, QStringView name)
{
    const HtmlAttrRange* attr = FirstAttr(text, tag, name);
    if (!attr)
        return std::nullopt;
    return attr->HasValue() ? AttrText(text, *attr) : QString();
}

QString PageBase(const QString& text)
{
    QString base;
    HtmlScanner scanner(text);
    HtmlToken token;
    while (scanner.Next(token)) {
        if (token.kind != HtmlToken::Kind::StartTag || !token.closed
            || token.Name(text).compare(u"BASE", Qt::CaseInsensitive) != 0)
            continue;
        if (const std::optional<QString> href = TagAttrValue(text, token, u"HREF"))
            return CleanLinkText(*href);
    }
    return base;
}

PageLinkCheck CheckPageLinks(const QString& text, const QString& documentPath,
                             const QString& siteRoot)
{
    PageLinkCheck check;
    const QString base = PageBase(text);
    for (const QString& link : PageLinks(text)) {
        const LinkTarget target = ResolveLink(documentPath, link, siteRoot, base);
        switch (target.kind) {
        case LinkTarget::Kind::External:
            break;
        case LinkTarget::Kind::NoSiteRoot:
            ++check.skipped;
            break;
        case LinkTarget::Kind::AboveRoot:
        case LinkTarget::Kind::File:
            if (IsMissingTarget(target))
                check.missing.append(link);
            break;
        }
    }
    return check;
}

QString MakeAnchorLinkList(const QString& text)
{
    static const QString kEndTag = QStringLiteral("</A>");
    QString result;
    qsizetype pos = 0;
    HtmlScanner scanner(text);
    HtmlToken token;
    while (scanner.Next(token)) {
        if (token.start < pos || token.kind != HtmlToken::Kind::StartTag || !token.closed
            || token.Name(text).compare(u"A", Qt::CaseInsensitive) != 0)
            continue;
        const QString name = TagAttrValue(text, token, u"NAME").value_or(QString());
        if (name.isEmpty())
            continue;
        const qsizetype end = text.indexOf(kEndTag, token.end, Qt::CaseInsensitive);
        if (end < 0)
            break;
        result += QStringLiteral("<A HREF=") + QuoteAttrValue(u'#' + name) + u'>';
        result += QStringView(text).mid(token.end, end - token.end);
        result += QStringLiteral("</A><BR>\r\n");
        pos = end + kEndTag.size();
    }
    return result;
}
