#include "core/tags/HtmlScanner.h"

#include <limits>

namespace {

bool IsAsciiLetter(QChar c)
{
    const char16_t u = c.unicode();
    return (u >= u'a' && u <= u'z') || (u >= u'A' && u <= u'Z');
}

// The end of a token that runs to a closing mark: after the mark, or the
// end of the text (unclosed) when there is none.
void RunTo(QStringView text, HtmlToken& token, qsizetype from, QStringView mark)
{
    const qsizetype at = text.indexOf(mark, from);
    token.closed = at >= 0;
    token.end = at >= 0 ? at + mark.size() : text.size();
}

qsizetype SkipBlanks(QStringView s, qsizetype i)
{
    while (i < s.size() && HtmlScanner::IsBlank(s[i]))
        ++i;
    return i;
}

// Server code inside a tag. A closing mark once found missing is not
// searched for again, so a tag full of "<%" is still read in one pass.
class InTagCode {
public:
    explicit InTagCode(QStringView s) : m_s(s) {}

    // After the server code that starts at i; i itself when none does.
    qsizetype Past(qsizetype i)
    {
        if (m_s[i] != u'<' || i + 1 >= m_s.size())
            return i;
        const QChar c = m_s[i + 1];
        if (c != u'?' && c != u'%')
            return i;
        qsizetype& missingFrom = c == u'?' ? m_noQuestionMark : m_noPercent;
        if (i >= missingFrom)
            return i;
        const qsizetype end = HtmlScanner::ServerCodeEnd(m_s, i);
        if (end < 0) {
            missingFrom = i;
            return i;
        }
        return end;
    }

    // The first of the characters at or after i, outside server code, for
    // which stop is true; the end of the text when there is none.
    template <class Stop>
    qsizetype Find(qsizetype i, Stop stop)
    {
        while (i < m_s.size()) {
            const qsizetype past = Past(i);
            if (past != i)
                i = past;
            else if (stop(m_s[i]))
                return i;
            else
                ++i;
        }
        return i;
    }

private:
    QStringView m_s;
    qsizetype m_noQuestionMark = std::numeric_limits<qsizetype>::max();
    qsizetype m_noPercent = std::numeric_limits<qsizetype>::max();
};

// The attributes and the end of the tag whose name ends at i. A quoted
// value runs to its own quote whatever it holds; a tag the text ends in
// stays unclosed (browsers drop it). Server code is passed over whole
// wherever it stands.
void ReadAttributes(QStringView s, HtmlToken& token, qsizetype i, InTagCode& code)
{
    const qsizetype n = s.size();
    token.end = n;
    for (;;) {
        i = SkipBlanks(s, i);
        if (i >= n)
            return;
        if (s[i] == u'>') {
            token.end = i + 1;
            token.closed = true;
            return;
        }
        if (s[i] == u'/') {
            if (i + 1 < n && s[i + 1] == u'>') {
                token.selfClosing = true;
                token.end = i + 2;
                token.closed = true;
                return;
            }
            ++i;
            continue;
        }
        HtmlAttrRange a;
        a.start = i;
        if (const qsizetype past = code.Past(i); past != i) {
            a.nameEnd = a.end = i = past;
            a.serverCode = true;
            token.attrs.push_back(a);
            continue;
        }
        // An "=" here is the first letter of a name.
        i = code.Find(i + 1, [](QChar c) {
            return HtmlScanner::IsBlank(c) || c == u'/' || c == u'>' || c == u'=';
        });
        a.nameEnd = a.end = i;
        qsizetype j = SkipBlanks(s, i);
        if (j < n && s[j] == u'=') {
            j = SkipBlanks(s, j + 1);
            if (j >= n)
                return;
            const QChar c = s[j];
            if (c == u'"' || c == u'\'') {
                const qsizetype close = code.Find(j + 1, [c](QChar d) { return d == c; });
                if (close >= n)
                    return;
                a.quote = c.unicode();
                a.valueStart = j + 1;
                a.valueEnd = close;
                a.end = i = close + 1;
            } else {
                a.valueStart = j;
                j = code.Find(j, [](QChar d) { return HtmlScanner::IsBlank(d) || d == u'>'; });
                a.valueEnd = a.end = i = j;
            }
        }
        token.attrs.push_back(a);
    }
}

} // namespace

namespace {

// Whether `name` is at `at`, followed by what ends a tag name.
bool TagNameAt(QStringView s, qsizetype at, QStringView name)
{
    const qsizetype after = at + name.size();
    return after <= s.size() && s.mid(at, name.size()).compare(name, Qt::CaseInsensitive) == 0
           && (after == s.size() || HtmlScanner::IsBlank(s[after]) || s[after] == u'/'
               || s[after] == u'>');
}

} // namespace

qsizetype HtmlScanner::ServerCodeEnd(QStringView s, qsizetype at)
{
    if (at < 0 || at + 1 >= s.size() || s[at] != u'<' || (s[at + 1] != u'?' && s[at + 1] != u'%'))
        return -1;
    const qsizetype close = s.indexOf(s[at + 1] == u'?' ? u"?>" : u"%>", at + 2);
    return close < 0 ? -1 : close + 2;
}

qsizetype HtmlScanner::RawTextEnd(QStringView s, qsizetype i, QStringView name, int& escape)
{
    const qsizetype n = s.size();
    if (name.compare(u"script", Qt::CaseInsensitive) != 0) {
        for (qsizetype at = s.indexOf(u"</", i); at >= 0; at = s.indexOf(u"</", at + 2))
            if (TagNameAt(s, at + 2, name))
                return at;
        return n;
    }
    enum { Plain, Escaped, DoubleEscaped };
    for (; i < n; ++i) {
        if (s[i] == u'-' && escape != Plain && s.mid(i).startsWith(u"-->")) {
            escape = Plain;
            i += 2;
        } else if (s[i] != u'<') {
            continue;
        } else if (escape == Plain && s.mid(i).startsWith(u"<!--")) {
            escape = Escaped;
            ++i;  // its "--" may be the start of "-->"
        } else if (i + 1 < n && s[i + 1] == u'/' && TagNameAt(s, i + 2, name)) {
            if (escape != DoubleEscaped)
                return i;
            escape = Escaped;
        } else if (escape == Escaped && TagNameAt(s, i + 1, name)) {
            escape = DoubleEscaped;
        }
    }
    return n;
}

bool HtmlScanner::IsRawTextElement(QStringView name)
{
    static const char16_t* const kNames[] = {u"script", u"style",   u"textarea", u"title",
                                             u"xmp",    u"iframe",  u"noembed",  u"noframes",
                                             u"plaintext"};
    for (const char16_t* raw : kNames)
        if (name.compare(QStringView(raw), Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

std::optional<HtmlToken> HtmlScanner::ReadAt(QStringView s, qsizetype pos)
{
    const qsizetype n = s.size();
    if (pos < 0 || pos + 1 >= n || s[pos] != u'<')
        return std::nullopt;
    HtmlToken token;
    token.start = pos;
    const QStringView rest = s.mid(pos);
    const QChar c = s[pos + 1];
    if (rest.startsWith(u"<!--")) {
        token.kind = HtmlToken::Kind::Comment;
        // "<!-->" and "<!--->" are whole comments.
        if (rest.startsWith(u"<!-->") || rest.startsWith(u"<!--->")) {
            token.closed = true;
            token.end = pos + (rest.at(4) == u'>' ? 5 : 6);
            return token;
        }
        const qsizetype close = s.indexOf(u"--", pos + 4);
        for (qsizetype at = close; at >= 0; at = s.indexOf(u"--", at + 1)) {
            const QStringView tail = s.mid(at + 2);
            if (tail.startsWith(u'>') || tail.startsWith(u"!>")) {
                token.closed = true;
                token.end = at + (tail.startsWith(u'>') ? 3 : 4);
                return token;
            }
        }
        token.end = n;
        return token;
    }
    if (rest.startsWith(u"<![CDATA[")) {
        token.kind = HtmlToken::Kind::Declaration;
        RunTo(s, token, pos + 9, u"]]>");
        return token;
    }
    if (c == u'!') {
        token.kind = HtmlToken::Kind::Declaration;
        RunTo(s, token, pos + 2, u">");
        return token;
    }
    if (c == u'?' || c == u'%') {
        token.kind = HtmlToken::Kind::ServerCode;
        RunTo(s, token, pos + 2, c == u'?' ? QStringView(u"?>") : QStringView(u"%>"));
        return token;
    }
    const bool endTag = c == u'/';
    const qsizetype nameStart = endTag ? pos + 2 : pos + 1;
    if (nameStart >= n)
        return std::nullopt;
    if (!IsAsciiLetter(s[nameStart])) {
        if (!endTag)
            return std::nullopt;
        // "</>" vanishes and "</3" runs to ">" as a comment, as browsers
        // read them.
        token.kind = HtmlToken::Kind::Comment;
        RunTo(s, token, nameStart, u">");
        return token;
    }
    token.kind = endTag ? HtmlToken::Kind::EndTag : HtmlToken::Kind::StartTag;
    InTagCode code(s);
    qsizetype i = nameStart;
    while (i < n && !IsBlank(s[i]) && s[i] != u'/' && s[i] != u'>' && code.Past(i) == i)
        ++i;
    token.nameStart = nameStart;
    token.nameEnd = i;
    ReadAttributes(s, token, i, code);
    if (endTag)
        token.attrs.clear();
    return token;
}

bool HtmlScanner::Next(HtmlToken& token)
{
    const qsizetype n = m_text.size();
    while (m_pos < n) {
        const qsizetype open = m_text.indexOf(u'<', m_pos);
        if (open < 0)
            break;
        std::optional<HtmlToken> read = ReadAt(m_text, open);
        if (!read) {
            m_pos = open + 1;
            continue;
        }
        token = std::move(*read);
        m_pos = token.end;
        if (!token.IsTag())
            return true;
        const QStringView name = token.Name(m_text);
        if (name.compare(u"svg", Qt::CaseInsensitive) == 0
            || name.compare(u"math", Qt::CaseInsensitive) == 0) {
            if (token.kind == HtmlToken::Kind::EndTag)
                m_foreign = false;
            else if (!token.selfClosing)
                m_foreign = true;
            return true;
        }
        if (token.kind == HtmlToken::Kind::StartTag && token.closed) {
            const bool raw = m_foreign ? !token.selfClosing
                                             && (name.compare(u"script", Qt::CaseInsensitive) == 0
                                                 || name.compare(u"style", Qt::CaseInsensitive) == 0)
                                       : IsRawTextElement(name);
            if (raw) {
                int escape = 0;
                m_pos = name.compare(u"plaintext", Qt::CaseInsensitive) == 0
                            ? n
                            : RawTextEnd(m_text, m_pos, name, escape);
                token.textEnd = m_pos;
            }
        }
        return true;
    }
    m_pos = n;
    return false;
}

std::optional<HtmlToken> HtmlScanner::TagAt(QStringView text, qsizetype offset)
{
    HtmlScanner scanner(text);
    HtmlToken token;
    while (scanner.Next(token)) {
        if (token.start > offset)
            break;
        if (offset < token.end)
            return token.IsTag() && token.closed ? std::optional(token) : std::nullopt;
    }
    return std::nullopt;
}

std::optional<HtmlToken> HtmlScanner::MatchingEndTag(QStringView text, const HtmlToken& startTag)
{
    const QStringView name = startTag.Name(text);
    HtmlScanner scanner(text, startTag.start);
    HtmlToken token;
    int depth = 0;
    while (scanner.Next(token)) {
        if (!token.IsTag() || !token.closed
            || token.Name(text).compare(name, Qt::CaseInsensitive) != 0)
            continue;
        if (token.kind == HtmlToken::Kind::StartTag) {
            if (!token.selfClosing)
                ++depth;
        } else if (--depth == 0) {
            return token;
        }
    }
    return std::nullopt;
}

std::optional<HtmlToken> HtmlScanner::FindStartTag(QStringView text, QStringView name)
{
    HtmlScanner scanner(text);
    HtmlToken token;
    while (scanner.Next(token))
        if (token.kind == HtmlToken::Kind::StartTag && token.closed
            && token.Name(text).compare(name, Qt::CaseInsensitive) == 0)
            return token;
    return std::nullopt;
}
