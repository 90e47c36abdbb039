#include "core/tags/CTagObj.h"

#include "core/edit/EditBuffer.h"

#include <algorithm>

namespace {

bool SameName(const QString& a, const QString& b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

QString TrimChar(const QString& text, QChar c)
{
    qsizetype first = 0;
    qsizetype last = text.size();
    while (first < last && text.at(first) == c)
        ++first;
    while (last > first && text.at(last - 1) == c)
        --last;
    return text.mid(first, last - first);
}

} // namespace

QString TrimAttrQuotes(const QString& value, bool apostrophes)
{
    const QString v = apostrophes ? TrimChar(value, u'\'') : value;
    return TrimChar(v, u'"');
}

QString CTagAttr::GetText() const
{
    if (value.isEmpty())
        return name;
    return name + QStringLiteral("=\"") + value + u'"';
}

void CTagObj::Parse(const QString& text)
{
    m_name.clear();
    m_attrs.clear();
    m_selfClosing = false;

    const qsizetype open = text.indexOf(u'<');
    if (open < 0)
        return;
    const qsizetype close = text.indexOf(u'>', open + 1);
    if (close < 0)
        return;
    QString body = text.mid(open + 1, close - open - 1);
    if (body.isEmpty())
        return;
    if (body.endsWith(u'/')) {
        m_selfClosing = true;
        body.chop(1);
    }
    // Server-side code ("<% name %>") has a name and nothing else.
    if (body.size() > 2 && body.startsWith(u'%') && body.endsWith(u'%')) {
        m_name = body.mid(1, body.size() - 2).trimmed();
        return;
    }
    const qsizetype blank = body.indexOf(u' ');
    if (blank < 0) {
        m_name = body;
        return;
    }
    m_name = body.left(blank);
    qsizetype first = blank + 1;
    while (first < body.size() && body.at(first).isSpace())
        ++first;
    ParseAttributes(body.mid(first));
}

void CTagObj::StoreParsed(const QString& name, const QString& value)
{
    if (name.isEmpty() && value.isEmpty())
        return;
    m_attrs.push_back(CTagAttr{name, value});
}

// A four-state scanner. It is deliberately forgiving: every input, however
// broken (unterminated quotes, names without values, values without names),
// yields attributes, and whatever is still pending at the end of the text is
// stored, so the last attribute is never dropped.
void CTagObj::ParseAttributes(const QString& text)
{
    enum class State { Name, AfterName, Value, AfterValue };
    State state = State::Name;
    const qsizetype n = text.size();
    qsizetype tokenStart = 0;
    bool seenEquals = false;
    bool doubleQuoted = false;
    bool singleQuoted = false;
    // The name waiting for its value (AfterName), and whether the Name state
    // still holds an unstored name starting at tokenStart.
    QString pendingName;
    bool hasPending = false;
    bool nameOpen = true;

    auto storeValue = [&](qsizetype end) {
        const QString value = TrimAttrQuotes(text.mid(tokenStart, end - tokenStart), true);
        StoreParsed(pendingName, value);
        hasPending = false;
        seenEquals = false;
        doubleQuoted = false;
        singleQuoted = false;
    };

    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text.at(i);
        switch (state) {
        case State::Name:
            if (c == u' ' || c == u'=' || c == u'>' || (c == u'/' && i >= 2)) {
                const QString name = text.mid(tokenStart, i - tokenStart);
                nameOpen = false;
                if (c == u'>' || c == u'/') {
                    StoreParsed(name, QString());
                    hasPending = false;
                } else {
                    pendingName = name;
                    hasPending = true;
                }
                if (c == u'=')
                    seenEquals = true;
                state = State::AfterName;
                if (c == u'>')
                    return;
            } else if (i == n - 1) {
                StoreParsed(text.mid(tokenStart, i - tokenStart + 1), QString());
                nameOpen = false;
            }
            break;
        case State::AfterName:
            if (c == u' ')
                break;
            if (c == u'=') {
                seenEquals = true;
                break;
            }
            if (c == u'>') {
                if (hasPending)
                    StoreParsed(pendingName, QString());
                return;
            }
            if (seenEquals) {
                doubleQuoted = c == u'"';
                singleQuoted = c == u'\'';
                tokenStart = i;
                state = State::Value;
            } else {
                if (hasPending)
                    StoreParsed(pendingName, QString());
                hasPending = false;
                tokenStart = i;
                nameOpen = true;
                state = State::Name;
            }
            break;
        case State::Value: {
            bool closingQuote = false;
            bool ends = false;
            if (c == u'>')
                ends = true;
            else if (doubleQuoted)
                ends = closingQuote = c == u'"';
            else if (singleQuoted)
                ends = closingQuote = c == u'\'';
            else
                ends = c == u' ';
            if (ends) {
                storeValue(closingQuote ? i + 1 : i);
                state = State::AfterValue;
                if (c == u'>')
                    return;
            }
            break;
        }
        case State::AfterValue:
            if (c == u' ' || c == u'\t')
                break;
            if (c == u'>')
                return;
            tokenStart = i;
            nameOpen = true;
            state = State::Name;
            break;
        }
    }

    switch (state) {
    case State::Name:
        if (nameOpen && tokenStart < n)
            StoreParsed(text.mid(tokenStart), QString());
        break;
    case State::AfterName:
        if (hasPending)
            StoreParsed(pendingName, QString());
        break;
    case State::Value:
        storeValue(n);
        break;
    case State::AfterValue:
        break;
    }
}

QString CTagObj::GetStartTag() const
{
    QString out = u'<' + m_name;
    for (const CTagAttr& a : m_attrs) {
        out += u' ';
        out += a.GetText();
    }
    out += m_selfClosing ? QStringLiteral(" />") : QStringLiteral(">");
    return out;
}

QString CTagObj::GetEndTag() const
{
    return QStringLiteral("</") + m_name + u'>';
}

QString CTagObj::GetElement(bool lineBreaks) const
{
    QString out = GetStartTag();
    if (lineBreaks)
        out += kCrLf;
    out += m_innerText;
    if (lineBreaks && (m_innerText.size() < 2 || !m_innerText.endsWith(kCrLf)))
        out += kCrLf;
    out += GetEndTag();
    return out;
}

CTagAttr* CTagObj::FindAttr(const QString& name)
{
    for (CTagAttr& a : m_attrs)
        if (SameName(a.name, name))
            return &a;
    return nullptr;
}

const CTagAttr* CTagObj::FindAttr(const QString& name) const
{
    for (const CTagAttr& a : m_attrs)
        if (SameName(a.name, name))
            return &a;
    return nullptr;
}

QString CTagObj::GetAttr(const QString& name) const
{
    const CTagAttr* a = FindAttr(name);
    return a ? a->value : QString();
}

bool CTagObj::HasAttr(const QString& name) const
{
    return FindAttr(name) != nullptr;
}

void CTagObj::RemoveAttr(const QString& name)
{
    std::erase_if(m_attrs, [&](const CTagAttr& a) { return SameName(a.name, name); });
}

void CTagObj::SetAttr(const QString& name, const QString& value)
{
    CTagAttr* existing = FindAttr(name);
    // Emptiness is judged after the quotes are gone, so that no command can
    // turn an attribute with a value into a valueless one by accident.
    const QString trimmed = TrimAttrQuotes(value, existing != nullptr);
    if (trimmed.isEmpty()) {
        RemoveAttr(name);
        return;
    }
    if (existing)
        existing->value = trimmed;
    else
        m_attrs.push_back(CTagAttr{name, trimmed});
}

void CTagObj::SetFlagAttr(const QString& name, bool on)
{
    if (!on)
        RemoveAttr(name);
    else if (!HasAttr(name))
        m_attrs.push_back(CTagAttr{name, QString()});
}

void CTagObj::SetIntAttr(const QString& name, int number, bool keepZero)
{
    if (number == 0 && !keepZero)
        RemoveAttr(name);
    else
        SetAttr(name, QString::number(number));
}

QString CTagObj::GetColorAttr(const QString& name) const
{
    // Only U+0020 is a blank in tag text; a tab stays part of the value.
    const QString v = TrimChar(GetAttr(name), u' ');
    if (v.size() == 7 && v.startsWith(u'#'))
        return v.mid(1);
    return QString();
}

void CTagObj::SetColorAttr(const QString& name, const QString& color)
{
    QString v = TrimChar(color, u' ');
    if (v.size() == 6)
        v.prepend(u'#');
    SetAttr(name, v);
}

int CTagObj::GetChoiceAttr(const QString& name, const QStringList& choices) const
{
    const QString v = GetAttr(name);
    if (v.isEmpty())
        return 0;
    for (qsizetype i = 0; i < choices.size(); ++i)
        if (SameName(choices.at(i), v))
            return static_cast<int>(i);
    return 0;
}

bool CTagObj::IsPercentAttr(const QString& name) const
{
    const CTagAttr* a = FindAttr(name);
    return a && a->value.endsWith(u'%');
}

void CTagObj::SetPercentAttr(const QString& name, bool on)
{
    CTagAttr* a = FindAttr(name);
    if (!a || a->value.isEmpty())
        return;
    if (on) {
        if (!a->value.endsWith(u'%'))
            a->value += u'%';
    } else if (a->value.endsWith(u'%')) {
        a->value.chop(1);
        // A lone "%" must not leave a valueless attribute behind.
        if (a->value.isEmpty())
            RemoveAttr(name);
    }
}
