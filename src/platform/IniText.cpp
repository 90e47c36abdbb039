#include "platform/IniText.h"

#include <QList>
#include <QStringList>

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

IniEntries ParseIniText(const QByteArray& text)
{
    IniEntries entries;
    QString all = QString::fromUtf8(text);
    if (all.startsWith(QChar(0xFEFF)))
        all.remove(0, 1);
    QString section;
    bool inSection = false;
    for (QStringView line : QStringView(all).split(u'\n')) {
        const QStringView t = TrimBlanks(line);
        if (t.isEmpty() || t.front() == u';' || t.front() == u'#')
            continue;
        if (t.front() == u'[') {
            const qsizetype close = t.lastIndexOf(u']');
            section = SectionName(TrimBlanks(t.mid(1, close > 0 ? close - 1 : t.size() - 1)));
            inSection = !section.isEmpty();
            continue;
        }
        const qsizetype eq = t.indexOf(u'=');
        if (!inSection || eq <= 0)
            continue;
        const QString key = IniName(TrimBlanks(t.left(eq)));
        if (key.isEmpty())
            continue;
        entries.insert(section + u'/' + key, IniValue(t.mid(eq + 1)));
    }
    return entries;
}

QByteArray IniText(const IniEntries& entries)
{
    // Keys sharing a section prefix are neighbours in the sorted map, but a
    // list per section does not depend on that.
    QStringList order;
    QMap<QString, QList<std::pair<QString, QString>>> sections;
    for (auto it = entries.begin(); it != entries.end(); ++it) {
        const qsizetype slash = it.key().indexOf(u'/');
        // Every key of the store lies in a section.
        if (slash <= 0)
            continue;
        const QString section = it.key().left(slash);
        if (!sections.contains(section))
            order.append(section);
        sections[section].append({it.key().mid(slash + 1), it.value().toString()});
    }
    QString out;
    for (const QString& section : std::as_const(order)) {
        if (!out.isEmpty())
            out += u'\n';
        out += u'[' + SectionText(section) + QStringLiteral("]\n");
        for (const auto& [key, value] : sections.value(section))
            out += IniNameText(key) + u'=' + IniValueText(value) + u'\n';
    }
    return out.toUtf8();
}

} // namespace platform
