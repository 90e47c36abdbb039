#include "core/tags/TagCase.h"

#include "core/tags/HtmlScanner.h"

#include <algorithm>

namespace {

// The elements of HTML, the obsolete ones old pages still hold included;
// lower case, sorted.
constexpr const char16_t* kElements[] = {
    u"a",        u"abbr",     u"acronym",  u"address",  u"applet",   u"area",     u"article",
    u"aside",    u"audio",    u"b",        u"base",     u"basefont", u"bdi",      u"bdo",
    u"bgsound",  u"big",      u"blink",    u"blockquote", u"body",   u"br",       u"button",
    u"canvas",   u"caption",  u"center",   u"cite",     u"code",     u"col",      u"colgroup",
    u"data",     u"datalist", u"dd",       u"del",      u"details",  u"dfn",      u"dialog",
    u"dir",      u"div",      u"dl",       u"dt",       u"em",       u"embed",    u"fieldset",
    u"figcaption", u"figure", u"font",     u"footer",   u"form",     u"frame",    u"frameset",
    u"h1",       u"h2",       u"h3",       u"h4",       u"h5",       u"h6",       u"head",
    u"header",   u"hgroup",   u"hr",       u"html",     u"i",        u"iframe",   u"ilayer",
    u"img",      u"input",    u"ins",      u"isindex",  u"kbd",      u"keygen",   u"label",
    u"layer",    u"legend",   u"li",       u"link",     u"listing",  u"main",     u"map",
    u"mark",     u"marquee",  u"menu",     u"meta",     u"meter",    u"multicol", u"nav",
    u"nobr",     u"noembed",  u"noframes", u"noscript", u"object",   u"ol",       u"optgroup",
    u"option",   u"output",   u"p",        u"param",    u"picture",  u"plaintext", u"pre",
    u"progress", u"q",        u"rb",       u"rp",       u"rt",       u"rtc",      u"ruby",
    u"s",        u"samp",     u"script",   u"search",   u"section",  u"select",   u"slot",
    u"small",    u"source",   u"spacer",   u"span",     u"strike",   u"strong",   u"style",
    u"sub",      u"summary",  u"sup",      u"table",    u"tbody",    u"td",       u"template",
    u"textarea", u"tfoot",    u"th",       u"thead",    u"time",     u"title",    u"tr",
    u"track",    u"tt",       u"u",        u"ul",       u"var",      u"video",    u"wbr",
    u"xmp"};

bool IsHtmlElement(QStringView name)
{
    if (name.size() > 10)
        return false;
    const QString lower = name.toString().toLower();
    return std::binary_search(std::begin(kElements), std::end(kElements), lower,
                              [](const auto& a, const auto& b) {
                                  return QStringView(a).compare(QStringView(b)) < 0;
                              });
}

void Convert(QChar* d, qsizetype from, qsizetype to, bool lower)
{
    for (qsizetype i = from; i < to; ++i)
        d[i] = lower ? d[i].toLower() : d[i].toUpper();
}

} // namespace

void ConvertTagCase(QString& text, bool lower)
{
    // QChar's case mapping is one unit for one unit, so the scanner's
    // offsets stay valid while the text is written.
    std::vector<HtmlToken> tags;
    HtmlScanner scanner(text);
    HtmlToken token;
    while (scanner.Next(token))
        if (token.IsTag() && token.closed && IsHtmlElement(token.Name(text)))
            tags.push_back(std::move(token));
    QChar* d = text.data();
    for (const HtmlToken& tag : tags) {
        Convert(d, tag.nameStart, tag.nameEnd, lower);
        for (const HtmlAttrRange& a : tag.attrs) {
            // Server code in place of an attribute or inside its name is
            // the page's program: "$Wide" and "$wide" are two variables.
            if (!QStringView(text).mid(a.start, a.nameEnd - a.start).contains(u'<'))
                Convert(d, a.start, a.nameEnd, lower);
        }
    }
}
