#include "core/style/CStyleDeclList.h"

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
        if (m_decls[i].name.compare(name, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
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
        m_decls.push_back({name, TrimBlanks(text)});
}

void CStyleDeclList::GetNumber(const QString& name, const StyleKeywords& keywords,
                               QString& number, int& unit) const
{
    ReadStyleNumber(Get(name), keywords, number, unit);
}

void CStyleDeclList::SetNumber(const QString& name, const QString& number, int unit)
{
    Set(name, StyleNumberText(number, unit));
}

void CStyleDeclList::SetUrl(const QString& name, const QString& path)
{
    Set(name, path.isEmpty() ? QString() : QStringLiteral("url('") + path + QStringLiteral("')"));
}

int CStyleDeclList::KeywordIndex(const QString& name, const QStringList& list) const
{
    const QString value = Get(name);
    if (value.isEmpty())
        return 0;
    const int i = StyleListIndex(list, value);
    return i < 0 ? 0 : i;
}

void CStyleDeclList::Parse(const QString& source)
{
    m_decls.clear();
    const QString text = source.trimmed();
    enum class State { Name, Colon, Value, Gap };
    State state = State::Name;
    qsizetype nameStart = 0;
    qsizetype valueStart = 0;
    QString name;
    const qsizetype n = text.size();
    auto store = [this, &name](const QString& value) {
        CStyleDecl d{name, TrimBlanks(value)};
        if (!d.IsEmpty())
            m_decls.push_back(std::move(d));
    };
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text[i];
        switch (state) {
        case State::Gap:
            if (c == u' ' || c == u';')
                break;
            nameStart = i;
            state = State::Name;
            [[fallthrough]];
        case State::Name:
            if (c == u':') {
                name = TrimBlanks(text.mid(nameStart, i - nameStart));
                state = State::Colon;
            }
            break;
        case State::Colon:
            if (c == u' ')
                break;
            valueStart = i;
            state = State::Value;
            [[fallthrough]];
        case State::Value:
            if (c == u';') {
                store(text.mid(valueStart, i - valueStart));
                state = State::Gap;
            } else if (i == n - 1) {
                store(text.mid(valueStart));
                state = State::Gap;
            }
            break;
        }
    }
    // "name:" at the very end of the text.
    if (state == State::Colon)
        store(QString());
}

QString CStyleDeclList::ToText(const QString& prefix, const QString& suffix) const
{
    QString out;
    for (const CStyleDecl& d : m_decls) {
        out += prefix;
        out += d.name;
        out += u": ";
        out += d.value;
        out += u';';
        out += suffix;
    }
    return out;
}
