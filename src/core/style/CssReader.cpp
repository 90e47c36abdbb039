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
    return KindAt(token) == K::BadString
           || (KindAt(token) == K::Delim && m_text[Start(token)] == u'\\');
}

CssReader::CssReader(const QString& text) : m_text(text), m_tokens(TokenizeCssStarts(text)) {}

int CssReader::StartOf(int token) const
{
    return token < TokenCount() ? Start(token) : static_cast<int>(m_text.size());
}

// The end of the last token in [first, last) that is no blank or comment
// (with the line break after it when it needs one).
int CssReader::EndOf(int first, int last) const
{
    for (int k = last - 1; k >= first; --k) {
        if (IsBlank(KindAt(k)))
            continue;
        if (NeedsBreakAfter(k) && k + 1 < last)
            return End(k + 1);
        return End(k);
    }
    return StartOf(first);
}

int CssReader::SkipBlock(int open, int last) const
{
    // Brackets of another kind inside are plain tokens, as in a browser:
    // "(}" does not end the block around it.
    K closer = K::CloseParen;
    m_stack.clear();
    Opens(KindAt(open), closer);
    m_stack.push_back(closer);
    for (int k = open + 1; k < last; ++k) {
        const K kind = KindAt(k);
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
    const bool at = KindAt(first) == K::AtKeyword;
    item = CssItem();
    item.kind = at ? CssItem::Kind::AtRule : CssItem::Kind::QualifiedRule;
    item.start = Start(first);
    item.firstToken = first;
    for (int j = at ? first + 1 : first; j < last; ++j) {
        const K kind = KindAt(j);
        if (kind == K::OpenCurly) {
            item.preludeLast = j;
            item.preludeEnd = Start(j);
            item.bodyStart = End(j);
            item.bodyFirst = j + 1;
            const int close = SkipBlock(j, last);
            item.bodyLast = close;
            item.closed = close < last;
            item.bodyEnd = StartOf(close);
            item.end = item.closed ? End(close) : StartOf(last);
            next = item.closed ? close + 1 : last;
            return true;
        }
        if (kind == K::Semicolon && (at || nested)) {
            item.preludeLast = j;
            item.preludeEnd = Start(j);
            item.end = End(j);
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
    while (colon < last && IsBlank(KindAt(colon)))
        ++colon;
    if (colon >= last || KindAt(colon) != K::Colon)
        return false;
    int k = colon + 1;
    int block = -1;
    for (; k < last && KindAt(k) != K::Semicolon; ++k) {
        K closer = K::CloseParen;
        if (Opens(KindAt(k), closer)) {
            if (KindAt(k) == K::OpenCurly && block < 0)
                block = k;
            k = SkipBlock(k, last);
            if (k >= last)
                break;
        }
    }
    const int valueLast = std::min(k, last);
    int a = colon + 1;
    while (a < valueLast && KindAt(a) == K::Whitespace)
        ++a;
    int b = valueLast;
    while (b > a && KindAt(b - 1) == K::Whitespace)
        --b;
    if (b > a && b < valueLast && NeedsBreakAfter(b - 1))
        ++b;
    // "!" and "important" at the end, blanks and comments allowed between.
    bool important = false;
    int importantEnd = -1;
    {
        int t = b - 1;
        while (t >= a && IsBlank(KindAt(t)))
            --t;
        if (t >= a && KindAt(t) == K::Ident
            && Slice(Start(t), End(t)).compare(u"important", Qt::CaseInsensitive)
                   == 0) {
            int bang = t - 1;
            while (bang >= a && IsBlank(KindAt(bang)))
                --bang;
            if (bang >= a && KindAt(bang) == K::Delim
                && m_text[Start(bang)] == u'!') {
                important = true;
                importantEnd = End(t);
                b = bang;
                while (b > a && KindAt(b - 1) == K::Whitespace)
                    --b;
            }
        }
    }
    const bool custom = Slice(Start(first), End(first)).startsWith(u"--");
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
    item.start = Start(first);
    item.nameEnd = End(first);
    item.valueStart = a < b ? Start(a) : End(colon);
    item.valueEnd = a < b ? End(b - 1) : item.valueStart;
    item.important = important;
    item.importantEnd = important ? importantEnd : item.valueEnd;
    item.end = k < last ? End(k) : EndOf(first, last);
    next = k < last ? k + 1 : last;
    return true;
}

std::vector<CssItem> CssReader::ReadSheet() const
{
    std::vector<CssItem> items;
    const int n = TokenCount();
    for (int i = 0; i < n;) {
        const K kind = KindAt(i);
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
        const K kind = KindAt(i);
        if (kind == K::Whitespace || kind == K::Semicolon) {
            ++i;
            continue;
        }
        CssItem item;
        int next = i + 1;
        if (kind == K::Comment) {
            item.kind = CssItem::Kind::Comment;
            item.firstToken = i;
            item.start = Start(i);
            item.end = End(i);
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
    while (a < b && KindAt(a) == K::Whitespace)
        ++a;
    while (b > a && KindAt(b - 1) == K::Whitespace)
        --b;
    if (b > a && b < rule.preludeLast && NeedsBreakAfter(b - 1))
        ++b;
    QString out;
    for (int k = a; k < b; ++k) {
        const QStringView piece = Slice(Start(k), End(k));
        if (KindAt(k) != K::Whitespace || NeedsBreakAfter(k - 1)) {
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
        } else if (KindAt(k - 1) != K::Comma && KindAt(k + 1) != K::Comma) {
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
