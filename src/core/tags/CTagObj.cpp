#include "core/tags/CTagObj.h"

#include "core/edit/EditBuffer.h"
#include "core/tags/CharRefs.h"
#include "core/tags/HtmlScanner.h"

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

// An attribute a command adds: it has no source text of its own.
CTagAttr MadeAttr(const QString& name, const QString& value)
{
    CTagAttr a;
    a.name = name;
    a.value = value;
    return a;
}

} // namespace

QString TrimAttrQuotes(const QString& value, bool apostrophes)
{
    const QString v = apostrophes ? TrimChar(value, u'\'') : value;
    return TrimChar(v, u'"');
}

QString CTagAttr::GetText() const
{
    if (IsUnchangedSource())
        return source;
    if (value.isEmpty())
        return name;
    return name + u'=' + QuoteAttrValue(value);
}

void CTagObj::Parse(const QString& text)
{
    m_name.clear();
    m_attrs.clear();
    m_selfClosing = false;
    m_tail.clear();

    HtmlScanner scanner(text);
    HtmlToken token;
    while (scanner.Next(token)) {
        if (token.kind == HtmlToken::Kind::Comment || token.kind == HtmlToken::Kind::Declaration)
            continue;
        if (!token.closed)
            return;
        if (token.kind == HtmlToken::Kind::ServerCode) {
            // Server code ("<% name %>") has a name and nothing else.
            if (text.at(token.start + 1) == u'%')
                m_name = text.mid(token.start + 2, token.end - token.start - 4).trimmed();
            return;
        }
        if (token.kind == HtmlToken::Kind::EndTag) {
            m_name = u'/' + token.Name(text).toString();
            return;
        }
        m_name = token.Name(text).toString();
        qsizetype previousEnd = token.nameEnd;
        for (const HtmlAttrRange& range : token.attrs) {
            CTagAttr a;
            a.name = text.mid(range.start, range.nameEnd - range.start);
            if (range.HasValue())
                a.value = DecodeAttrCharRefs(
                    QStringView(text).mid(range.valueStart, range.valueEnd - range.valueStart));
            a.lead = text.mid(previousEnd, range.start - previousEnd);
            a.source = text.mid(range.start, range.end - range.start);
            a.sourceName = a.name;
            a.sourceValue = a.value;
            previousEnd = range.end;
            m_attrs.push_back(std::move(a));
        }
        m_selfClosing = token.selfClosing;
        m_tail = text.mid(previousEnd, token.end - previousEnd);
        m_tailSelfClosing = m_selfClosing;
        return;
    }
}

QString CTagObj::GetStartTag() const
{
    QString out = u'<' + m_name;
    for (const CTagAttr& a : m_attrs) {
        // An attribute read straight after a quote ('B="x"C') keeps its
        // empty lead; one a command made gets a blank.
        out += a.source.isEmpty() && a.lead.isEmpty() ? QStringLiteral(" ") : a.lead;
        out += a.GetText();
    }
    if (!m_tail.isEmpty() && m_tailSelfClosing == m_selfClosing)
        out += m_tail;
    else
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
    // A value is kept exactly as given, quotes and all: "'90s poster" is an
    // alternative text, not a quoted one. Only a pair of quotes and nothing
    // else still means "no value".
    const bool empty = value.isEmpty() || value == u"\"\"" || value == u"''";
    if (empty) {
        // An attribute that is there without a value (ALT="", a bare
        // BORDER) is what an empty field shows: leaving the field alone
        // must not remove it.
        if (existing && !existing->value.isEmpty())
            RemoveAttr(name);
        return;
    }
    if (existing)
        existing->value = value;
    else
        m_attrs.push_back(MadeAttr(name, value));
}

void CTagObj::SetFlagAttr(const QString& name, bool on)
{
    if (!on)
        RemoveAttr(name);
    else if (!HasAttr(name))
        m_attrs.push_back(MadeAttr(name, QString()));
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
