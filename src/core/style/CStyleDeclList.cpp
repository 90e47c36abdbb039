#include "core/style/CStyleDeclList.h"

#include "core/style/CssReader.h"

QString TrimBlanks(const QString& text)
{
    qsizetype start = 0;
    qsizetype end = text.size();
    while (start < end && (text[start] == u' ' || text[start] == u'\t'))
        ++start;
    while (end > start && (text[end - 1] == u' ' || text[end - 1] == u'\t'))
        --end;
    return start == 0 && end == text.size() ? text : text.mid(start, end - start);
}

int CStyleDeclList::Find(const QString& name) const
{
    for (int i = 0; i < Count(); ++i)
        if (!m_decls[i].IsKept() && m_decls[i].name.compare(name, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

int CStyleDeclList::Effective(const QStringList& names) const
{
    int found = -1;
    for (int i = 0; i < Count(); ++i) {
        const CStyleDecl& d = m_decls[i];
        if (d.IsKept() || StyleListIndex(names, d.name) < 0)
            continue;
        if (found < 0 || d.important || !m_decls[found].important)
            found = i;
    }
    return found;
}

QString CStyleDeclList::Value(const QString& name) const
{
    const int i = Effective({name});
    return i >= 0 ? m_decls[i].value : QString();
}

void CStyleDeclList::SetEffective(const QString& name, const QString& text)
{
    const QString value = TrimBlanks(text);
    if (value.isEmpty() || value == u"\"\"") {
        while (Find(name) >= 0)
            Remove(name);
        return;
    }
    const int i = Effective({name});
    if (i >= 0)
        m_decls[i].value = value;
    else
        m_decls.push_back({name, value, false, {}});
}

void CStyleDeclList::Override(const QString& name, const QString& text, int over)
{
    const bool important = over >= 0 && m_decls[over].important;
    while (Find(name) >= 0)
        Remove(name);
    m_decls.push_back({name, TrimBlanks(text), important, {}});
}

bool CStyleDeclList::HasGroup(const QString& prefix) const
{
    for (const CStyleDecl& d : m_decls)
        if (!d.IsKept() && d.name.startsWith(prefix, Qt::CaseInsensitive)
            && (d.name.size() == prefix.size() || d.name[prefix.size()] == u'-'))
            return true;
    return false;
}

bool CStyleDeclList::IsImportant(const QString& name) const
{
    const int i = Find(name);
    return i >= 0 && m_decls[i].important;
}

QString CStyleDeclList::Get(const QString& name) const
{
    const int i = Find(name);
    return i >= 0 ? m_decls[i].value : QString();
}

void CStyleDeclList::Set(const QString& name, const QString& text)
{
    const int i = Find(name);
    if (text.isEmpty() || text == u"\"\"") {
        if (i >= 0)
            m_decls.erase(m_decls.begin() + i);
        return;
    }
    if (i >= 0)
        m_decls[i].value = TrimBlanks(text);
    else
        m_decls.push_back({name, TrimBlanks(text), false, {}});
}

void CStyleDeclList::GetNumber(const QString& name, const StyleKeywords& keywords,
                               QString& number, int& unit) const
{
    ReadStyleNumber(Get(name), keywords, number, unit);
}

void CStyleDeclList::SetNumber(const QString& name, const QString& number, int unit)
{
    Set(name, StyleLengthText(number, unit));
}

void CStyleDeclList::SetUrl(const QString& name, const QString& path)
{
    Set(name, path.isEmpty() ? QString() : StyleUrlText(path, true));
}

int CStyleDeclList::KeywordIndex(const QString& name, const QStringList& list) const
{
    const QString value = Get(name);
    if (value.isEmpty())
        return 0;
    const int i = StyleListIndex(list, value);
    return i < 0 ? 0 : i;
}

void CStyleDeclList::Parse(const QString& text)
{
    const CssReader reader(text);
    Assign(reader, reader.ReadContents(0, reader.TokenCount()));
}

void CStyleDeclList::Assign(const CssReader& reader, const std::vector<CssItem>& items)
{
    m_decls.clear();
    m_decls.reserve(items.size());
    for (const CssItem& item : items) {
        CStyleDecl d;
        d.origin = static_cast<int>(m_decls.size());
        if (item.kind == CssItem::Kind::Declaration) {
            d.name = reader.Slice(item.start, item.nameEnd).toString();
            d.value = reader.Slice(item.valueStart, item.valueEnd).toString();
            d.important = item.important;
        } else {
            d.kept = reader.Slice(item.start, item.end).toString();
        }
        m_decls.push_back(std::move(d));
    }
}

QString CStyleDeclList::ToText(const QString& prefix, const QString& suffix) const
{
    QString out;
    for (const CStyleDecl& d : m_decls) {
        out += prefix;
        AppendStyleEntry(out, d, QStringLiteral(": "));
        out += suffix;
    }
    return out;
}

void AppendStyleEntry(QString& out, const CStyleDecl& d, QStringView colon, bool end)
{
    if (d.IsKept()) {
        const QString text = d.kept + CssClosers(d.kept);
        out += text;
        // Text that is no declaration ends where a ";" or its block ended
        // it; without one it would take in what follows.
        if (!text.startsWith(u"/*") && !text.endsWith(u';') && !text.endsWith(u'}'))
            out += u';';
        return;
    }
    out += d.name;
    out += colon;
    out += d.value;
    out += CssClosers(d.value);
    if (d.important)
        out += QStringLiteral(" !important");
    if (end)
        out += u';';
}
