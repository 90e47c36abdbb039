#include "core/links/PageLinks.h"

#include "core/links/RelativePath.h"
#include "core/tags/CTagObj.h"

#include <QFileInfo>
#include <QSet>

namespace {

bool IsNameChar(QChar c)
{
    const char16_t u = c.unicode();
    return (u >= u'a' && u <= u'z') || (u >= u'A' && u <= u'Z') || (u >= u'0' && u <= u'9');
}

// Calls visit(name, tag) for every start tag of the text, tag being the
// text from "<" to ">" with every blank, tab and line break made a blank
// (the tag model splits at blanks only).
template <typename Visit>
void ForEachStartTag(const QString& text, Visit visit)
{
    const qsizetype n = text.size();
    qsizetype i = 0;
    while ((i = text.indexOf(u'<', i)) >= 0) {
        if (QStringView(text).mid(i, 4) == u"<!--") {
            const qsizetype end = text.indexOf(QStringLiteral("-->"), i + 4);
            if (end < 0)
                return;
            i = end + 3;
            continue;
        }
        qsizetype p = i + 1;
        while (p < n && IsNameChar(text.at(p)))
            ++p;
        if (p == i + 1 || p == n
            || !(text.at(p).isSpace() || text.at(p) == u'>' || text.at(p) == u'/')) {
            i = p;
            continue;
        }
        const qsizetype close = text.indexOf(u'>', p);
        if (close < 0)
            return;
        QString tag = text.mid(i, close - i + 1);
        for (QChar& c : tag) {
            if (c == u'\t' || c == u'\r' || c == u'\n')
                c = u' ';
        }
        visit(QStringView(text).mid(i + 1, p - i - 1), tag);
        i = close + 1;
    }
}

struct LinkAttr {
    const char16_t* tag;
    const char16_t* attr;
};

constexpr LinkAttr kLinkAttrs[] = {
    {u"A", u"HREF"},          {u"LINK", u"HREF"},      {u"IMG", u"SRC"},
    {u"SCRIPT", u"SRC"},      {u"FRAME", u"SRC"},      {u"IFRAME", u"SRC"},
    {u"EMBED", u"SRC"},       {u"INPUT", u"SRC"},      {u"BODY", u"BACKGROUND"},
    {u"TABLE", u"BACKGROUND"}, {u"TD", u"BACKGROUND"}, {u"TH", u"BACKGROUND"},
};

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
    ForEachStartTag(text, [&](QStringView name, const QString& tagText) {
        if (name.compare(tagName, Qt::CaseInsensitive) != 0)
            return;
        CTagObj tag;
        tag.Parse(tagText);
        AppendDistinct(list, seen, tag.GetAttr(attrName));
    });
}

QStringList PageLinks(const QString& text)
{
    QStringList links;
    QSet<QString> seen;
    ForEachStartTag(text, [&](QStringView name, const QString& tagText) {
        CTagObj tag;
        bool parsed = false;
        for (const LinkAttr& link : kLinkAttrs) {
            if (name.compare(QStringView(link.tag), Qt::CaseInsensitive) != 0)
                continue;
            if (!parsed) {
                tag.Parse(tagText);
                parsed = true;
            }
            AppendDistinct(links, seen, tag.GetAttr(QString::fromUtf16(link.attr)).trimmed());
        }
    });
    return links;
}

QStringList MissingLinkTargets(const QString& text, const QString& documentPath)
{
    QStringList missing;
    for (const QString& link : PageLinks(text)) {
        if (IsSchemeLink(link))
            continue;
        const std::optional<QString> path = LinkTargetPath(documentPath, link);
        // A folder counts as there: a server answers for it with its index
        // page.
        const QFileInfo info(path.value_or(QString()));
        if (!path || !info.exists() || !(info.isDir() || info.isReadable()))
            missing.append(link);
    }
    return missing;
}

QString MakeAnchorLinkList(const QString& text)
{
    static const QString kAnchor = QStringLiteral("<A NAME=\"");
    static const QString kNameEnd = QStringLiteral("\">");
    static const QString kEndTag = QStringLiteral("</A>");
    QString result;
    qsizetype pos = 0;
    for (;;) {
        const qsizetype anchor = text.indexOf(kAnchor, pos, Qt::CaseInsensitive);
        if (anchor < 0)
            break;
        const qsizetype nameStart = anchor + kAnchor.size();
        const qsizetype nameEnd = text.indexOf(kNameEnd, nameStart);
        if (nameEnd < 0)
            break;
        pos = nameEnd + kNameEnd.size();
        const qsizetype end = text.indexOf(kEndTag, pos, Qt::CaseInsensitive);
        if (end < 0)
            break;
        result += QStringLiteral("<A HREF=\"#");
        result += QStringView(text).mid(nameStart, nameEnd - nameStart);
        result += kNameEnd;
        result += QStringView(text).mid(pos, end - pos);
        result += QStringLiteral("</A><BR>\r\n");
        pos = end + kEndTag.size();
    }
    return result;
}
