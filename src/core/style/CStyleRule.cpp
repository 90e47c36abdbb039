#include "core/style/CStyleRule.h"

#include "core/style/CssReader.h"

#include <QStringList>

bool CStyleRule::ParseRule(const QString& text, int* start, int* end)
{
    const CssReader reader(text);
    for (const CssItem& item : reader.ReadSheet()) {
        if (item.bodyStart < 0)
            continue;
        Read(reader, item);
        if (start)
            *start = item.start;
        if (end)
            *end = item.end;
        return true;
    }
    return false;
}

void CStyleRule::ParseInline(const QString& text)
{
    selectors.clear();
    m_selectorText.clear();
    m_selectorParts.clear();
    declarations.Parse(text);
    m_statement = false;
    Remember(text);
}

void CStyleRule::Read(const CssReader& reader, const CssItem& item)
{
    ParseSelectors(reader.PreludeText(item));
    m_statement = item.bodyStart < 0;
    declarations.Assign(reader, reader.ReadBody(item));
    Remember(reader.Slice(item.start, item.end).toString());
}

void CStyleRule::Remember(const QString& source)
{
    m_read = true;
    m_source = source;
    m_readSelectors = SelectorsText();
    m_readDeclarations = declarations;
}

void CStyleRule::ParseSelectors(const QString& text)
{
    selectors.clear();
    m_selectorText = text;
    if (!text.startsWith(u'@')) {
        QStringList pieces = text.split(u',');
        if (pieces.size() > 1 && pieces.last().isEmpty())
            pieces.removeLast();
        for (const QString& piece : pieces) {
            CStyleSelector s;
            s.Parse(piece);
            selectors.push_back(std::move(s));
        }
    }
    m_selectorParts = selectors;
}

QString CStyleRule::SelectorsText() const
{
    if (selectors == m_selectorParts)
        return m_selectorText;
    QString out;
    for (size_t i = 0; i < selectors.size(); ++i) {
        if (i > 0)
            out += u',';
        out += selectors[i].ToText();
    }
    return out;
}

QString CStyleRule::ToText(bool inlineStyle, bool multiLine) const
{
    if (inlineStyle)
        return declarations.ToText();
    if (m_statement)
        return SelectorsText() + CssClosers(SelectorsText()) + u';';
    if (!multiLine)
        return SelectorsText() + QStringLiteral(" {") + declarations.ToText() + u'}';
    return SelectorsText() + QStringLiteral(" {\r\n")
           + declarations.ToText(QStringLiteral("\t"), QStringLiteral("\r\n")) + u'}';
}

bool CStyleRule::Changed() const
{
    return !m_read || declarations != m_readDeclarations || SelectorsText() != m_readSelectors;
}

QString CStyleRule::WriteBack(bool inlineStyle) const
{
    return Changed() ? ToText(inlineStyle, true) : m_source;
}

bool CStyleRule::IsEditable() const
{
    if (m_statement)
        return false;
    const QString text = SelectorsText();
    if (!text.startsWith(u'@'))
        return true;
    static const QStringList withDeclarations{
        "@font-face",           "@page",     "@counter-style", "@property",
        "@font-palette-values", "@viewport", "@-ms-viewport"};
    qsizetype end = 1;
    while (end < text.size()
           && (text[end].isLetterOrNumber() || text[end] == u'-' || text[end] == u'_'))
        ++end;
    const QString keyword = text.left(end);
    return withDeclarations.contains(keyword, Qt::CaseInsensitive);
}
