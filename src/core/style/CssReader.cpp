#include "core/style/CssReader.h"

namespace {

using K = CssTokenKind;

bool IsBlank(K k)
{
    return k == K::Whitespace || k == K::Comment;
}

bool Opens(K k, K& closer)
{
    switch (k) {
        case K::OpenParen:
        case K::Function:
            closer = K::CloseParen;
            return true;
        case K::OpenSquare:
            closer = K::CloseSquare;
            return true;
        case K::OpenCurly:
            closer = K::CloseCurly;
            return true;
        default:
            return false;
    }
}

bool IsLineBreak(QChar c)
{
    return c == u'\n' || c == u'\r' || c == u'\f';
}

} // namespace

// A string a line break cut ends at that break, and a backslash is a
// character of its own only before one: the break after them is part of
// what they mean.
bool CssReader::NeedsBreakAfter(int token) const
{
    const CssToken& t = m_tokens[token];
    return t.kind == K::BadString || (t.kind == K::Delim && m_text[t.start] == u'\\');
}

CssReader::CssReader(const QString& text) : m_text(text), m_tokens(TokenizeCss(text)) {}

int CssReader::StartOf(int token) const
{
    return token < static_cast<int>(m_tokens.size()) ? m_tokens[token].start
                                                     : static_cast<int>(m_text.size());
}

// The end of the last token in [first, last) that is no blank or comment
// (with the line break after it when it needs one).
int CssReader::EndOf(int first, int last) const
{
    for (int k = last - 1; k >= first; --k) {
        if (IsBlank(m_tokens[k].kind))
            continue;
        if (NeedsBreakAfter(k) && k + 1 < last)
            return m_tokens[k + 1].end;
        return m_tokens[k].end;
    }
    return StartOf(first);
}

int CssReader::SkipBlock(int open, int last) const
{
    // Brackets of another kind inside are plain tokens, as in a browser:
    // "(}" does not end the block around it.
    K closer = K::CloseParen;
    m_stack.clear();
    Opens(m_tokens[open].kind, closer);
    m_stack.push_back(closer);
    for (int k = open + 1; k < last; ++k) {
        const K kind = m_tokens[k].kind;
        if (kind == m_stack.back()) {
            m_stack.pop_back();
            if (m_stack.empty())
                return k;
        } else if (Opens(kind, closer)) {
            m_stack.push_back(closer);
        }
    }
    return last;
}

bool CssReader::ReadRule(int first, int last, bool nested, CssItem& item, int& next) const
{
    const bool at = m_tokens[first].kind == K::AtKeyword;
    item = CssItem();
    item.kind = at ? CssItem::Kind::AtRule : CssItem::Kind::QualifiedRule;
    item.start = m_tokens[first].start;
    item.firstToken = first;
    for (int j = at ? first + 1 : first; j < last; ++j) {
        const K kind = m_tokens[j].kind;
        if (kind == K::OpenCurly) {
            item.preludeLast = j;
            item.preludeEnd = m_tokens[j].start;
            item.bodyStart = m_tokens[j].end;
            item.bodyFirst = j + 1;
            const int close = SkipBlock(j, last);
            item.bodyLast = close;
            item.closed = close < last;
            item.bodyEnd = StartOf(close);
            item.end = item.closed ? m_tokens[close].end : StartOf(last);
            next = item.closed ? close + 1 : last;
            return true;
        }
        if (kind == K::Semicolon && (at || nested)) {
            item.preludeLast = j;
            item.preludeEnd = m_tokens[j].start;
            item.end = m_tokens[j].end;
            next = j + 1;
            return at;
        }
        K closer = K::CloseParen;
        if (Opens(kind, closer)) {
            j = SkipBlock(j, last);
            if (j >= last)
                break;
        }
    }
    // The range ended: an at-rule ends there; a qualified rule without its
    // block is no rule.
    item.preludeLast = last;
    item.end = at ? StartOf(last) : EndOf(first, last);
    item.preludeEnd = item.end;
    next = last;
    return at;
}

bool CssReader::ReadDeclaration(int first, int last, CssItem& item, int& next) const
{
    int colon = first + 1;
    while (colon < last && IsBlank(m_tokens[colon].kind))
        ++colon;
    if (colon >= last || m_tokens[colon].kind != K::Colon)
        return false;
    int k = colon + 1;
    int block = -1;
    for (; k < last && m_tokens[k].kind != K::Semicolon; ++k) {
        K closer = K::CloseParen;
        if (Opens(m_tokens[k].kind, closer)) {
            if (m_tokens[k].kind == K::OpenCurly && block < 0)
                block = k;
            k = SkipBlock(k, last);
            if (k >= last)
                break;
        }
    }
    const int valueLast = std::min(k, last);
    int a = colon + 1;
    while (a < valueLast && m_tokens[a].kind == K::Whitespace)
        ++a;
    int b = valueLast;
    while (b > a && m_tokens[b - 1].kind == K::Whitespace)
        --b;
    if (b > a && b < valueLast && NeedsBreakAfter(b - 1))
        ++b;
    // "!" and "important" at the end, blanks and comments allowed between.
    bool important = false;
    int importantEnd = -1;
    {
        int t = b - 1;
        while (t >= a && IsBlank(m_tokens[t].kind))
            --t;
        if (t >= a && m_tokens[t].kind == K::Ident
            && Slice(m_tokens[t].start, m_tokens[t].end).compare(u"important", Qt::CaseInsensitive)
                   == 0) {
            int bang = t - 1;
            while (bang >= a && IsBlank(m_tokens[bang].kind))
                --bang;
            if (bang >= a && m_tokens[bang].kind == K::Delim
                && m_text[m_tokens[bang].start] == u'!') {
                important = true;
                importantEnd = m_tokens[t].end;
                b = bang;
                while (b > a && m_tokens[b - 1].kind == K::Whitespace)
                    --b;
            }
        }
    }
    const bool custom = Slice(m_tokens[first].start, m_tokens[first].end).startsWith(u"--");
    if (block >= 0 && !custom) {
        // A {} block is a value only on its own; among other values the
        // text is a nested rule ("a:hover { ... }").
        const int close = SkipBlock(block, last);
        if (a != block || close + 1 != b)
            return false;
    }
    item = CssItem();
    item.kind = CssItem::Kind::Declaration;
    item.firstToken = first;
    item.start = m_tokens[first].start;
    item.nameEnd = m_tokens[first].end;
    item.valueStart = a < b ? m_tokens[a].start : m_tokens[colon].end;
    item.valueEnd = a < b ? m_tokens[b - 1].end : item.valueStart;
    item.important = important;
    item.importantEnd = important ? importantEnd : item.valueEnd;
    item.end = k < last ? m_tokens[k].end : EndOf(first, last);
    next = k < last ? k + 1 : last;
    return true;
}

std::vector<CssItem> CssReader::ReadSheet() const
{
    std::vector<CssItem> items;
    const int n = static_cast<int>(m_tokens.size());
    for (int i = 0; i < n;) {
        const K kind = m_tokens[i].kind;
        if (IsBlank(kind) || kind == K::Cdo || kind == K::Cdc) {
            ++i;
            continue;
        }
        CssItem item;
        int next = i + 1;
        if (ReadRule(i, n, false, item, next))
            items.push_back(item);
        i = std::max(next, i + 1);
    }
    return items;
}

std::vector<CssItem> CssReader::ReadContents(int first, int last) const
{
    std::vector<CssItem> items;
    for (int i = first; i < last;) {
        const K kind = m_tokens[i].kind;
        if (kind == K::Whitespace || kind == K::Semicolon) {
            ++i;
            continue;
        }
        CssItem item;
        int next = i + 1;
        if (kind == K::Comment) {
            item.kind = CssItem::Kind::Comment;
            item.firstToken = i;
            item.start = m_tokens[i].start;
            item.end = m_tokens[i].end;
        } else if (kind == K::Ident && ReadDeclaration(i, last, item, next)) {
        } else if (!ReadRule(i, last, true, item, next)) {
            item.kind = CssItem::Kind::Other;
        }
        items.push_back(item);
        i = std::max(next, i + 1);
    }
    return items;
}

QString CssReader::PreludeText(const CssItem& rule) const
{
    int a = rule.firstToken;
    int b = rule.preludeLast;
    while (a < b && m_tokens[a].kind == K::Whitespace)
        ++a;
    while (b > a && m_tokens[b - 1].kind == K::Whitespace)
        --b;
    if (b > a && b < rule.preludeLast && NeedsBreakAfter(b - 1))
        ++b;
    QString out;
    for (int k = a; k < b; ++k) {
        const CssToken& t = m_tokens[k];
        const QStringView piece = Slice(t.start, t.end);
        if (t.kind != K::Whitespace || NeedsBreakAfter(k - 1)) {
            out += piece;
            continue;
        }
        bool lineBreak = false, blank = false;
        for (QChar c : piece) {
            if (IsLineBreak(c))
                lineBreak = true;
            else
                blank = true;
        }
        if (!lineBreak) {
            out += piece;
        } else if (blank) {
            for (QChar c : piece)
                if (!IsLineBreak(c))
                    out += c;
        } else if (m_tokens[k - 1].kind != K::Comma && m_tokens[k + 1].kind != K::Comma) {
            out += u' ';
        }
    }
    return out;
}

QString CssClosers(QStringView text)
{
    const std::vector<CssToken> tokens = TokenizeCss(text);
    if (tokens.empty())
        return QString();
    QString out;
    const CssToken& last = tokens.back();
    const QStringView piece = text.mid(last.start, last.end - last.start);
    // A string a line break cut ends only at a line break.
    if (last.kind == K::BadString)
        return QStringLiteral("\n");
    // A backslash at the very end stands for U+FFFD (in a string, for
    // nothing); followed by the ";" it would escape that instead.
    qsizetype backslashes = 0;
    while (backslashes < text.size() && text[text.size() - 1 - backslashes] == u'\\')
        ++backslashes;
    const bool danglingEscape = backslashes % 2 == 1 && last.kind != K::Comment;
    if (last.kind == K::Comment && (piece.size() < 4 || !piece.endsWith(u"*/")))
        out += QStringLiteral("*/");
    if (last.kind == K::String) {
        const QChar quote = piece[0];
        bool closed = false;
        for (qsizetype i = 1; i < piece.size(); ++i) {
            if (piece[i] == u'\\')
                ++i;
            else if (piece[i] == quote)
                closed = true;
        }
        if (!closed)
            out += danglingEscape ? QStringLiteral("\n") + quote : QString(quote);
    } else if (danglingEscape) {
        out += QStringLiteral("FFFD ");
    }
    if ((last.kind == K::Url || last.kind == K::BadUrl) && !piece.endsWith(u')'))
        out += u')';
    std::vector<K> stack;
    for (const CssToken& t : tokens) {
        K closer = K::CloseParen;
        if (!stack.empty() && t.kind == stack.back())
            stack.pop_back();
        else if (Opens(t.kind, closer))
            stack.push_back(closer);
    }
    for (auto k = stack.rbegin(); k != stack.rend(); ++k)
        out += *k == K::CloseParen ? u')' : *k == K::CloseSquare ? u']' : u'}';
    return out;
}
