#include "platform/IniText.h"

#include "platform/Cp932.h"

#include <QStringDecoder>

#include <algorithm>

#include <optional>
#include <utility>

namespace platform {

namespace {

const QString kGeneral = QStringLiteral("General");
const QString kEscapedGeneral = QStringLiteral("%General");

bool IsBlank(QChar c)
{
    return c == u' ' || c == u'\t' || c == u'\r' || c == u'\f' || c == u'\v';
}

// Only ASCII blanks: an ideographic space at an end is part of the value.
QStringView TrimBlanks(QStringView s)
{
    qsizetype from = 0;
    qsizetype to = s.size();
    while (from < to && IsBlank(s[from]))
        ++from;
    while (to > from && IsBlank(s[to - 1]))
        --to;
    return s.mid(from, to - from);
}

int HexValue(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9')
        return u - u'0';
    if (u >= u'a' && u <= u'f')
        return u - u'a' + 10;
    if (u >= u'A' && u <= u'F')
        return u - u'A' + 10;
    return -1;
}

// The inside of a value in double quotes with its escapes read; nullopt
// when the text is not one quoted string (no closing quote, or text after
// it), which is then a plain value.
std::optional<QString> Unquote(QStringView s)
{
    if (s.size() < 2 || s.front() != u'"')
        return std::nullopt;
    QString out;
    qsizetype i = 1;
    while (i < s.size()) {
        const QChar c = s[i];
        if (c == u'"')
            return i == s.size() - 1 ? std::optional<QString>(out) : std::nullopt;
        if (c != u'\\' || i + 1 >= s.size()) {
            out += c;
            ++i;
            continue;
        }
        const QChar e = s[i + 1];
        i += 2;
        switch (e.unicode()) {
        case u'a': out += u'\a'; break;
        case u'b': out += u'\b'; break;
        case u'f': out += u'\f'; break;
        case u'n': out += u'\n'; break;
        case u'r': out += u'\r'; break;
        case u't': out += u'\t'; break;
        case u'v': out += u'\v'; break;
        case u'\\': case u'"': case u'\'': case u'?': out += e; break;
        case u'x': {
            int value = 0;
            int digits = 0;
            while (digits < 4 && i < s.size() && HexValue(s[i]) >= 0) {
                value = value * 16 + HexValue(s[i]);
                ++i;
                ++digits;
            }
            if (digits == 0)
                out += QStringLiteral("\\x");
            else
                out += QChar(char16_t(value));
            break;
        }
        default:
            if (e >= u'0' && e <= u'7') {
                int value = e.unicode() - u'0';
                for (int n = 0; n < 2 && i < s.size() && s[i] >= u'0' && s[i] <= u'7'; ++n, ++i)
                    value = value * 8 + (s[i].unicode() - u'0');
                out += QChar(char16_t(value));
            } else {
                // Not an escape: a Windows path in quotes keeps its backslash.
                out += u'\\';
                out += e;
            }
        }
    }
    return std::nullopt;
}

// A surrogate that is no half of a pair: it stands for a byte of a file
// name that is not UTF-8, and UTF-8 cannot hold it as it is.
bool IsLoneSurrogate(const QString& value, qsizetype i)
{
    const QChar c = value[i];
    if (c.isHighSurrogate())
        return i + 1 >= value.size() || !value[i + 1].isLowSurrogate();
    if (c.isLowSurrogate())
        return i == 0 || !value[i - 1].isHighSurrogate();
    return false;
}

bool IsEscaped(const QString& value, qsizetype i)
{
    const char16_t c = value[i].unicode();
    return c < 0x20 || c == 0x7F || IsLoneSurrogate(value, i);
}

bool NeedsQuotes(const QString& value)
{
    if (value.isEmpty())
        return false;
    if (value.front() == u'"' || value.front() == u' ' || value.front() == u'\t'
        || value.back() == u' ' || value.back() == u'\t')
        return true;
    for (qsizetype i = 0; i < value.size(); ++i)
        if (IsEscaped(value, i))
            return true;
    return false;
}

bool IsPlainNameChar(char16_t c)
{
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9')
           || c == u'_' || c == u'-' || c == u'.';
}

QString SectionName(QStringView written)
{
    if (written.compare(kEscapedGeneral, Qt::CaseInsensitive) == 0)
        return written.mid(1).toString();
    return IniName(written);
}

QString SectionText(const QString& section)
{
    if (section.compare(kGeneral, Qt::CaseInsensitive) == 0)
        return u'%' + section;
    return IniNameText(section);
}

} // namespace

QString IniValue(QStringView written)
{
    const QStringView trimmed = TrimBlanks(written);
    QString value;
    if (std::optional<QString> inside = Unquote(trimmed))
        value = std::move(*inside);
    else
        value = trimmed.toString();
    // Files of earlier versions doubled a leading "@".
    if (value.startsWith(QStringLiteral("@@")))
        value.remove(0, 1);
    return value;
}

QString IniValueText(const QString& value)
{
    const QString v = value.startsWith(QStringLiteral("@@")) ? u'@' + value : value;
    if (!NeedsQuotes(v))
        return v;
    QString out = QStringLiteral("\"");
    for (qsizetype i = 0; i < v.size(); ++i) {
        const QChar c = v[i];
        switch (c.unicode()) {
        case u'\\': out += QStringLiteral("\\\\"); break;
        case u'"': out += QStringLiteral("\\\""); break;
        case u'\n': out += QStringLiteral("\\n"); break;
        case u'\r': out += QStringLiteral("\\r"); break;
        case u'\t': out += QStringLiteral("\\t"); break;
        default:
            if (IsEscaped(v, i))
                out += QStringLiteral("\\x%1").arg(c.unicode(), 4, 16, QChar(u'0'));
            else
                out += c;
        }
    }
    out += u'"';
    return out;
}

QString IniName(QStringView written)
{
    QString out;
    out.reserve(written.size());
    qsizetype i = 0;
    while (i < written.size()) {
        const QChar c = written[i];
        if (c == u'\\') {
            out += u'/';
            ++i;
            continue;
        }
        if (c == u'%') {
            const bool wide = i + 1 < written.size() && written[i + 1] == u'U';
            const qsizetype first = i + (wide ? 2 : 1);
            const int digits = wide ? 4 : 2;
            int value = 0;
            bool ok = first + digits <= written.size();
            for (int n = 0; ok && n < digits; ++n) {
                const int h = HexValue(written[first + n]);
                ok = h >= 0;
                value = value * 16 + h;
            }
            if (ok) {
                out += QChar(char16_t(value));
                i = first + digits;
                continue;
            }
        }
        out += c;
        ++i;
    }
    return out;
}

QString IniNameText(const QString& name)
{
    QString out;
    out.reserve(name.size() * 3 / 2);
    for (QChar ch : name) {
        const char16_t c = ch.unicode();
        if (c == u'/')
            out += u'\\';
        else if (IsPlainNameChar(c))
            out += ch;
        else if (c <= 0xFF)
            out += QStringLiteral("%%1").arg(int(c), 2, 16, QChar(u'0')).toUpper();
        else
            out += QStringLiteral("%U%1").arg(int(c), 4, 16, QChar(u'0')).toUpper();
    }
    return out;
}

QString IniDocument::Joined(const QString& section, const QString& key)
{
    return section + QChar(0) + key;
}

IniDocument::Line IniDocument::ReadLine(QByteArray bytes, QString& section, bool& inSection)
{
    Line line;
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8(bytes);
    if (utf8.hasError()) {
        text = Cp932ToUnicode(bytes);
        line.cp932 = true;
    }
    line.bytes = std::move(bytes);
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    const QStringView t = TrimBlanks(text);
    if (t.isEmpty())
        return line;
    if (t.front() == u';' || t.front() == u'#') {
        line.kind = Line::Kind::Comment;
        return line;
    }
    if (t.front() == u'[') {
        const qsizetype close = t.lastIndexOf(u']');
        section = SectionName(TrimBlanks(t.mid(1, close > 0 ? close - 1 : t.size() - 1)));
        inSection = !section.isEmpty();
        line.kind = inSection ? Line::Kind::Section : Line::Kind::Unreadable;
        line.section = section;
        return line;
    }
    const qsizetype eq = t.indexOf(u'=');
    line.kind = Line::Kind::Unreadable;
    if (!inSection || eq <= 0)
        return line;
    line.key = IniName(TrimBlanks(t.left(eq)));
    if (line.key.isEmpty())
        return line;
    line.kind = Line::Kind::Key;
    line.section = section;
    line.value = IniValue(t.mid(eq + 1));
    return line;
}

IniDocument IniDocument::Parse(const QByteArray& bytes)
{
    IniDocument doc;
    QString section;
    bool inSection = false;
    qsizetype from = 0;
    while (from < bytes.size()) {
        qsizetype nl = bytes.indexOf('\n', from);
        const qsizetype next = nl < 0 ? bytes.size() : nl + 1;
        if (nl < 0)
            nl = bytes.size();
        const bool cr = nl > from && bytes[nl - 1] == '\r';
        Line line = ReadLine(bytes.mid(from, nl - from - (cr ? 1 : 0)), section, inSection);
        line.end = bytes.mid(nl - (cr ? 1 : 0), next - nl + (cr ? 1 : 0));
        doc.m_lines.push_back(std::move(line));
        from = next;
    }
    doc.Reindex();
    return doc;
}

QByteArray IniDocument::Bytes() const
{
    QByteArray out;
    for (const Line& line : m_lines)
        out += line.bytes + line.end;
    return out;
}

void IniDocument::Reindex()
{
    m_keys.clear();
    for (size_t i = 0; i < m_lines.size(); ++i)
        if (m_lines[i].kind == Line::Kind::Key)
            m_keys.insert(Joined(m_lines[i].section, m_lines[i].key), i);
}

QByteArray IniDocument::LineEnd() const
{
    for (const Line& line : m_lines)
        if (!line.end.isEmpty())
            return line.end;
    return "\n";
}

std::optional<QString> IniDocument::Value(const QString& section, const QString& key) const
{
    const auto it = m_keys.constFind(Joined(section, key));
    if (it == m_keys.cend())
        return std::nullopt;
    return m_lines[*it].value;
}

bool IniDocument::Set(const QString& section, const QString& key, const QString& value)
{
    const QString valueText = IniValueText(value);
    const auto it = m_keys.constFind(Joined(section, key));
    if (it != m_keys.cend()) {
        Line& old = m_lines[*it];
        if (old.value == value)
            return false;
        // The user's own spelling of the key and the blanks around "=".
        qsizetype cut = old.bytes.indexOf('=') + 1;
        while (cut < old.bytes.size() && (old.bytes[cut] == ' ' || old.bytes[cut] == '\t'))
            ++cut;
        const QByteArray prefix = old.bytes.left(cut);
        const QString prefixText = old.cp932 ? Cp932ToUnicode(prefix) : QString::fromUtf8(prefix);
        const QByteArray candidates[] = {
            prefix + (old.cp932 ? UnicodeToCp932(valueText) : valueText.toUtf8()),
            prefix + valueText.toUtf8(),
            (prefixText + valueText).toUtf8(),
            (IniNameText(key) + u'=' + valueText).toUtf8(),
        };
        // The first form that reads back as this key and value.
        for (const QByteArray& bytes : candidates) {
            QString readSection = section;
            bool inSection = true;
            Line line = ReadLine(bytes, readSection, inSection);
            if (line.kind == Line::Kind::Key && line.key == key && line.value == value) {
                line.end = old.end;
                old = std::move(line);
                return true;
            }
        }
        return false;
    }
    // After the section's last key, or its header; a new section at the end.
    size_t at = m_lines.size();
    bool hasHeader = false;
    for (size_t i = m_lines.size(); i-- > 0;) {
        const Line& line = m_lines[i];
        if (line.kind == Line::Kind::Key && line.section == section) {
            at = i + 1;
            hasHeader = true;
            break;
        }
        if (line.kind == Line::Kind::Section && line.section == section) {
            at = i + 1;
            hasHeader = true;
        }
    }
    const QByteArray end = LineEnd();
    if (at > 0 && m_lines[at - 1].end.isEmpty())
        m_lines[at - 1].end = end;
    std::vector<Line> added;
    if (!hasHeader) {
        if (!m_lines.empty() && m_lines.back().kind != Line::Kind::Blank)
            added.push_back(Line{Line::Kind::Blank, {}, end});
        Line header;
        header.kind = Line::Kind::Section;
        header.bytes = (u'[' + SectionText(section) + u']').toUtf8();
        header.end = end;
        header.section = section;
        added.push_back(std::move(header));
    }
    Line line;
    line.kind = Line::Kind::Key;
    line.bytes = (IniNameText(key) + u'=' + valueText).toUtf8();
    line.end = end;
    line.section = section;
    line.key = key;
    line.value = value;
    added.push_back(std::move(line));
    m_lines.insert(m_lines.begin() + static_cast<std::ptrdiff_t>(at), std::make_move_iterator(added.begin()),
                   std::make_move_iterator(added.end()));
    Reindex();
    return true;
}

bool IniDocument::Remove(const QString& section, const QString& key)
{
    // Every line of the key: an earlier one would otherwise take effect.
    const auto gone = std::remove_if(m_lines.begin(), m_lines.end(), [&](const Line& line) {
        return line.kind == Line::Kind::Key && line.section == section && line.key == key;
    });
    if (gone == m_lines.end())
        return false;
    m_lines.erase(gone, m_lines.end());
    Reindex();
    return true;
}

bool IniDocument::RemoveSection(const QString& section)
{
    const auto gone = std::remove_if(m_lines.begin(), m_lines.end(), [&](const Line& line) {
        return line.kind == Line::Kind::Key && line.section == section;
    });
    if (gone == m_lines.end())
        return false;
    m_lines.erase(gone, m_lines.end());
    Reindex();
    return true;
}

int IniDocument::FirstUnreadableLine() const
{
    for (size_t i = 0; i < m_lines.size(); ++i)
        if (m_lines[i].kind == Line::Kind::Unreadable)
            return static_cast<int>(i + 1);
    return 0;
}

} // namespace platform
