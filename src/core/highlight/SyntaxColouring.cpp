#include "core/highlight/SyntaxColouring.h"

#include "core/style/CssTokens.h"
#include "core/tags/CharRefs.h"
#include "core/tags/HtmlScanner.h"

#include <QFileInfo>

#include <algorithm>
#include <array>

namespace {

// ---- state ------------------------------------------------------------------
//
// One int carries everything a line leaves open: where in the HTML the line
// ended (bits 0-2), inside a tag which part (bits 3-5), the element a tag
// names when its end matters (bits 6-9), whether the tag is an end tag
// (bit 10), whose value is being read (bits 11-12: STYLE, or a SCRIPT's
// TYPE), whether the line is inside SVG or MathML (bit 13) and whether a
// SCRIPT holds data rather than script (bit 14); bits 15-30 are the CSS or
// script reader's own state. A CSS or script file uses that field only.

enum class Mode { Text, Tag, Comment, Bogus, Cdata, ServerQ, ServerP, Raw };
enum class Part { Between, AfterName, AfterEquals, InDouble, InSingle };
enum class Attr { Other, Style, Type };

struct State {
    Mode mode = Mode::Text;
    Part part = Part::Between;
    int element = 0;  // 1 + index in kElements, 0 for none
    bool endTag = false;
    Attr attr = Attr::Other;
    bool foreign = false;
    bool dataScript = false;
    int inner = 0;

    int Pack() const
    {
        return int(mode) | int(part) << 3 | element << 6 | int(endTag) << 10 | int(attr) << 11
               | int(foreign) << 13 | int(dataScript) << 14 | inner << 15;
    }
    static State Unpack(int v)
    {
        State s;
        s.mode = Mode(v & 7);
        s.part = Part(v >> 3 & 7);
        s.element = v >> 6 & 15;
        s.endTag = v >> 10 & 1;
        s.attr = Attr(v >> 11 & 3);
        s.foreign = v >> 13 & 1;
        s.dataScript = v >> 14 & 1;
        s.inner = v >> 15 & 0xFFFF;
        return s;
    }
};

// The raw-text elements of HtmlScanner::IsRawTextElement, then the roots of
// SVG and MathML, numbered for the state.
constexpr std::array<const char16_t*, 11> kElements = {
    u"script", u"style", u"textarea", u"title", u"xmp", u"iframe", u"noembed", u"noframes",
    u"plaintext", u"svg", u"math"};
constexpr int kScript = 1;
constexpr int kStyle = 2;
constexpr int kTextarea = 3;
constexpr int kTitle = 4;
constexpr int kPlaintext = 9;
constexpr int kSvg = 10;
constexpr int kMath = 11;

int ElementOf(QStringView name)
{
    for (size_t i = 0; i < kElements.size(); ++i)
        if (name.compare(QStringView(kElements[i]), Qt::CaseInsensitive) == 0)
            return int(i) + 1;
    return 0;
}

bool IsLetter(QChar c)
{
    const char16_t u = c.unicode();
    return (u >= u'a' && u <= u'z') || (u >= u'A' && u <= u'Z');
}

bool IsDigit(char16_t c)
{
    return c >= u'0' && c <= u'9';
}

class Output {
public:
    explicit Output(std::vector<SyntaxRange>& out, int shift = 0) : m_out(out), m_shift(shift) {}
    void Add(qsizetype start, qsizetype end, SyntaxKind kind)
    {
        if (end <= start)
            return;
        const int s = int(start) + m_shift;
        // Adjacent runs of one kind become one.
        if (!m_out.empty() && m_out.back().kind == kind
            && m_out.back().start + m_out.back().length == s) {
            m_out.back().length += int(end - start);
            return;
        }
        m_out.push_back({s, int(end - start), kind});
    }

private:
    std::vector<SyntaxRange>& m_out;
    int m_shift;
};

// ---- character references ---------------------------------------------------

// Text with its references coloured, the rest as `kind` (or uncoloured when
// plain, which is text; a coloured run is an attribute value).
void TextWithRefs(QStringView s, qsizetype from, qsizetype to, Output& out, bool coloured,
                  SyntaxKind kind)
{
    qsizetype run = from;
    const QStringView part = s.left(to);
    for (qsizetype i = s.indexOf(u'&', from); i >= 0 && i < to; i = s.indexOf(u'&', i + 1)) {
        const qsizetype len = CharRefLength(part, i, coloured);
        if (!len)
            continue;
        if (coloured)
            out.Add(run, i, kind);
        out.Add(i, i + len, SyntaxKind::CharRef);
        run = i + len;
        i = run - 1;
    }
    if (coloured)
        out.Add(run, to, kind);
}

// ---- CSS --------------------------------------------------------------------
//
// Inner state: bits 0-1 what runs on into the next line (a comment, or a
// string whose line ends in "\"), bits 2-4 the depth of {} (at most 7),
// bit 5 inside a declaration's value, bits 6-7 inside an at-rule's prelude
// (and whether its block holds rules), bits 8-14 for each depth whether its
// block holds rules (@media, @supports, ...) rather than declarations.

enum class CssCarry { None, Comment, Double, Single };
enum class CssPrelude { None, Declarations, Rules };

struct CssState {
    CssCarry carry = CssCarry::None;
    int depth = 0;
    bool inValue = false;
    CssPrelude prelude = CssPrelude::None;
    int ruleBlocks = 0;

    int Pack() const
    {
        return int(carry) | depth << 2 | int(inValue) << 5 | int(prelude) << 6 | ruleBlocks << 8;
    }
    static CssState Unpack(int v)
    {
        return {CssCarry(v & 3), v >> 2 & 7, bool(v >> 5 & 1), CssPrelude(v >> 6 & 3),
                v >> 8 & 0x7F};
    }
    // Whether the innermost block holds rules: the top level, @media and
    // the like. A style rule's block holds declarations and nested rules.
    bool InRules() const { return depth == 0 || (ruleBlocks >> (depth - 1) & 1); }
};

bool AtRuleHoldsRules(QStringView name)
{
    static const char16_t* const kNames[] = {u"media",    u"supports",       u"layer",
                                             u"container", u"document",      u"scope",
                                             u"starting-style", u"keyframes"};
    if (name.startsWith(u'-'))  // -webkit-keyframes
        name = name.mid(std::max<qsizetype>(name.indexOf(u'-', 1) + 1, 1));
    for (const char16_t* n : kNames)
        if (name.compare(QStringView(n), Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

// The end of a string's rest from `from` (after its closing quote), or -1
// when the line ends first; *continued tells whether a "\" at the end
// carries it into the next line.
qsizetype StringEnd(QStringView s, qsizetype from, QChar quote, bool* continued)
{
    *continued = false;
    for (qsizetype i = from; i < s.size(); ++i) {
        if (s[i] == u'\\') {
            if (i + 1 == s.size()) {
                *continued = true;
                return -1;
            }
            ++i;
        } else if (s[i] == quote) {
            return i + 1;
        }
    }
    return -1;
}

int ClassifyCss(QStringView s, qsizetype from, qsizetype to, int inner, Output& out)
{
    CssState st = CssState::Unpack(inner);
    qsizetype i = from;
    if (st.carry == CssCarry::Comment) {
        const qsizetype close = s.mid(0, to).indexOf(u"*/", i);
        const qsizetype end = close < 0 ? to : close + 2;
        out.Add(i, end, SyntaxKind::Comment);
        if (close < 0)
            return st.Pack();
        i = end;
    } else if (st.carry != CssCarry::None) {
        bool continued = false;
        const qsizetype end = StringEnd(s.mid(0, to), i, st.carry == CssCarry::Double ? u'"' : u'\'',
                                        &continued);
        out.Add(i, end < 0 ? to : end, SyntaxKind::String);
        if (end < 0) {
            if (!continued)
                st.carry = CssCarry::None;
            return st.Pack();
        }
        i = end;
    }
    st.carry = CssCarry::None;

    const QStringView text = s.mid(i, to - i);
    const std::vector<CssToken> tokens = TokenizeCss(text);
    auto nextSignificant = [&](size_t k) {
        for (++k; k < tokens.size(); ++k)
            if (tokens[k].kind != CssTokenKind::Whitespace && tokens[k].kind != CssTokenKind::Comment)
                return tokens[k].kind;
        return CssTokenKind::Whitespace;
    };
    // In a block of declarations, "a:hover {" is a nested rule: a "{" comes
    // before the ";" or "}" that would end a declaration.
    auto opensBlock = [&](size_t k) {
        for (++k; k < tokens.size(); ++k) {
            if (tokens[k].kind == CssTokenKind::OpenCurly)
                return true;
            if (tokens[k].kind == CssTokenKind::Semicolon || tokens[k].kind == CssTokenKind::CloseCurly)
                return false;
        }
        return false;
    };
    bool nestedSelector = false;
    for (size_t k = 0; k < tokens.size(); ++k) {
        const CssToken& t = tokens[k];
        const qsizetype a = i + t.start;
        const qsizetype b = i + t.end;
        // Where a selector is read: at the top, in @media and the like, and
        // in a nested rule.
        const bool selector =
            !st.inValue && st.prelude == CssPrelude::None && (st.InRules() || nestedSelector);
        switch (t.kind) {
        case CssTokenKind::Comment:
            out.Add(a, b, SyntaxKind::Comment);
            if (b - a < 4 || !text.mid(t.start, t.end - t.start).endsWith(u"*/"))
                st.carry = CssCarry::Comment;
            break;
        case CssTokenKind::String:
        case CssTokenKind::BadString: {
            out.Add(a, b, SyntaxKind::String);
            bool continued = false;
            if (t.kind == CssTokenKind::String
                && StringEnd(text.mid(0, t.end), t.start + 1, text[t.start], &continued) < 0
                && continued)
                st.carry = text[t.start] == u'"' ? CssCarry::Double : CssCarry::Single;
            break;
        }
        case CssTokenKind::Url:
        case CssTokenKind::BadUrl:
            out.Add(a, b, SyntaxKind::String);
            break;
        case CssTokenKind::AtKeyword:
            out.Add(a, b, SyntaxKind::Keyword);
            if (!st.inValue)
                st.prelude = AtRuleHoldsRules(text.mid(t.start + 1, t.end - t.start - 1))
                                 ? CssPrelude::Rules
                                 : CssPrelude::Declarations;
            break;
        case CssTokenKind::Number:
        case CssTokenKind::Percentage:
        case CssTokenKind::Dimension:
            out.Add(a, b, SyntaxKind::Number);
            break;
        case CssTokenKind::Hash:
            out.Add(a, b, st.inValue ? SyntaxKind::Number : SyntaxKind::Selector);
            break;
        case CssTokenKind::Ident:
            if (st.inValue || st.prelude != CssPrelude::None)
                out.Add(a, b, SyntaxKind::Value);
            else if (selector)
                out.Add(a, b, SyntaxKind::Selector);
            else if (nextSignificant(k) == CssTokenKind::Colon && !opensBlock(k))
                out.Add(a, b, SyntaxKind::Property);
            else {
                nestedSelector = true;
                out.Add(a, b, SyntaxKind::Selector);
            }
            break;
        case CssTokenKind::Function:
            out.Add(a, b, selector ? SyntaxKind::Selector : SyntaxKind::Value);
            break;
        case CssTokenKind::Delim:
            // "!important"
            if (text[t.start] == u'!' && k + 1 < tokens.size()
                && tokens[k + 1].kind == CssTokenKind::Ident) {
                out.Add(a, i + tokens[k + 1].end, SyntaxKind::Keyword);
                ++k;
            } else if (!st.inValue && st.prelude == CssPrelude::None) {
                if (!st.InRules())
                    nestedSelector = true;  // "&:hover", ".b", "> p"
                out.Add(a, b, SyntaxKind::Selector);  // ".", "#", "*", ">", "+"
            }
            break;
        case CssTokenKind::Colon:
            if (selector)
                out.Add(a, b, SyntaxKind::Selector);  // a:hover
            else if (st.prelude == CssPrelude::None && !st.inValue)
                st.inValue = true;
            break;
        case CssTokenKind::Semicolon:
            st.inValue = false;
            st.prelude = CssPrelude::None;
            nestedSelector = false;
            break;
        case CssTokenKind::OpenCurly: {
            // @media inside a style rule holds declarations, as the rule does.
            const bool rules = st.prelude == CssPrelude::Rules && st.InRules();
            if (st.depth < 7) {
                ++st.depth;
                st.ruleBlocks = (st.ruleBlocks & ~(1 << (st.depth - 1))) | int(rules) << (st.depth - 1);
            }
            st.inValue = false;
            st.prelude = CssPrelude::None;
            nestedSelector = false;
            break;
        }
        case CssTokenKind::OpenSquare:
        case CssTokenKind::CloseSquare:
        case CssTokenKind::CloseParen:
            if (selector)
                out.Add(a, b, SyntaxKind::Selector);  // [href], :not(...)
            break;
        case CssTokenKind::CloseCurly:
            st.depth = std::max(st.depth - 1, 0);
            st.inValue = false;
            st.prelude = CssPrelude::None;
            nestedSelector = false;
            break;
        default:
            break;
        }
    }
    return st.Pack();
}

// ---- script -----------------------------------------------------------------
//
// Inner state: bits 0-2 what runs on into the next line, bits 3-4 how many
// "${" of template literals the line is inside (at most 3) and bits 5-10
// the open "{" inside each of them (at most 3 each). Bits 11-12 belong to
// the HTML reader (the escapes of SCRIPT contents).

enum class JsCarry { None, Comment, Template, Double, Single };

constexpr int kMaxTemplateDepth = 3;

struct JsState {
    JsCarry carry = JsCarry::None;
    int depth = 0;
    std::array<int, kMaxTemplateDepth> braces{};

    int Pack() const
    {
        int v = int(carry) | depth << 3;
        for (int k = 0; k < kMaxTemplateDepth; ++k)
            v |= braces[size_t(k)] << (5 + 2 * k);
        return v;
    }
    static JsState Unpack(int v)
    {
        JsState s;
        s.carry = JsCarry(v & 7);
        s.depth = v >> 3 & 3;
        for (int k = 0; k < kMaxTemplateDepth; ++k)
            s.braces[size_t(k)] = v >> (5 + 2 * k) & 3;
        return s;
    }
};

bool IsJsIdentStart(QChar c)
{
    return IsLetter(c) || c == u'_' || c == u'$' || c.unicode() >= 0x80;
}

bool IsJsKeyword(QStringView w)
{
    static const char16_t* const kWords[] = {
        u"async",  u"await",    u"break",    u"case",       u"catch",  u"class",  u"const",
        u"continue", u"debugger", u"default", u"delete",    u"do",     u"else",   u"export",
        u"extends", u"false",   u"finally",  u"for",        u"function", u"if",   u"import",
        u"in",     u"instanceof", u"let",    u"new",        u"null",   u"of",     u"return",
        u"static", u"super",    u"switch",   u"this",       u"throw",  u"true",   u"try",
        u"typeof", u"undefined", u"var",     u"void",       u"while",  u"with",   u"yield"};
    for (const char16_t* k : kWords)
        if (w == QStringView(k))
            return true;
    return false;
}

int ClassifyScript(QStringView s, qsizetype from, qsizetype to, int inner, Output& out)
{
    const QStringView line = s.left(to);
    qsizetype i = from;
    JsState st = JsState::Unpack(inner);
    // Whether a "/" here starts a regular expression: after an operator or
    // a keyword, not after a value.
    bool regexAllowed = true;
    // Whether only blanks and comments came before on the line, where
    // "-->" starts a comment as "//" does.
    bool lineStart = from == 0 || st.carry == JsCarry::Comment;
    // The body of a template literal from i: up to its closing "`" (back in
    // code) or a "${" (code inside it), else on into the next line.
    auto runTemplate = [&](qsizetype start) {
        qsizetype j = i;
        for (; j < to; ++j) {
            if (line[j] == u'\\') {
                ++j;
            } else if (line[j] == u'`') {
                out.Add(start, j + 1, SyntaxKind::String);
                i = j + 1;
                st.carry = JsCarry::None;
                return;
            } else if (line[j] == u'$' && j + 1 < to && line[j + 1] == u'{'
                       && st.depth < kMaxTemplateDepth) {
                out.Add(start, j + 2, SyntaxKind::String);
                i = j + 2;
                st.braces[size_t(st.depth++)] = 0;
                st.carry = JsCarry::None;
                return;
            }
        }
        out.Add(start, to, SyntaxKind::String);
        i = to;
        st.carry = JsCarry::Template;
    };
    auto runString = [&](qsizetype start, qsizetype bodyFrom, QChar quote) {
        bool continued = false;
        const qsizetype end = StringEnd(line, bodyFrom, quote, &continued);
        out.Add(start, end < 0 ? to : end, SyntaxKind::String);
        i = end < 0 ? to : end;
        st.carry = end >= 0 || !continued ? JsCarry::None
                   : quote == u'"'        ? JsCarry::Double
                                          : JsCarry::Single;
    };
    switch (st.carry) {
    case JsCarry::Comment: {
        const qsizetype close = line.indexOf(u"*/", i);
        out.Add(i, close < 0 ? to : close + 2, SyntaxKind::Comment);
        if (close < 0)
            return st.Pack();
        i = close + 2;
        st.carry = JsCarry::None;
        break;
    }
    case JsCarry::Template:
        runTemplate(i);
        regexAllowed = false;
        break;
    case JsCarry::Double:
    case JsCarry::Single:
        runString(i, i, st.carry == JsCarry::Double ? u'"' : u'\'');
        regexAllowed = false;
        break;
    case JsCarry::None:
        break;
    }
    while (i < to && st.carry == JsCarry::None) {
        const QChar c = line[i];
        const QStringView rest = line.mid(i);
        // "<!--" anywhere and "-->" first on a line are line comments, as
        // browsers read old pages that hid their scripts in comments.
        if (rest.startsWith(u"//") || rest.startsWith(u"<!--") || (lineStart && rest.startsWith(u"-->"))) {
            out.Add(i, to, SyntaxKind::Comment);
            return st.Pack();
        }
        if (rest.startsWith(u"/*")) {
            const qsizetype close = line.indexOf(u"*/", i + 2);
            out.Add(i, close < 0 ? to : close + 2, SyntaxKind::Comment);
            if (close < 0) {
                st.carry = JsCarry::Comment;
                return st.Pack();
            }
            i = close + 2;
            continue;
        }
        if (!HtmlScanner::IsBlank(c))
            lineStart = false;
        if (c == u'"' || c == u'\'') {
            runString(i, i + 1, c);
            regexAllowed = false;
            continue;
        }
        if (c == u'`') {
            ++i;
            runTemplate(i - 1);
            regexAllowed = false;
            continue;
        }
        if (st.depth > 0 && (c == u'{' || c == u'}')) {
            int& open = st.braces[size_t(st.depth - 1)];
            if (c == u'{') {
                open = std::min(open + 1, 3);
            } else if (open > 0) {
                --open;
            } else {
                // The "}" of "${": the template goes on.
                --st.depth;
                const qsizetype start = i++;
                runTemplate(start);
                regexAllowed = false;
                continue;
            }
        }
        if (c == u'/' && regexAllowed) {
            // Up to the "/" that is neither escaped nor inside [...]; a line
            // without one holds a division after all.
            bool inClass = false;
            qsizetype j = i + 1;
            for (; j < to; ++j) {
                if (line[j] == u'\\')
                    ++j;
                else if (line[j] == u'[')
                    inClass = true;
                else if (line[j] == u']')
                    inClass = false;
                else if (line[j] == u'/' && !inClass)
                    break;
            }
            if (j < to) {
                ++j;
                while (j < to && IsLetter(line[j]))
                    ++j;
                out.Add(i, j, SyntaxKind::String);
                i = j;
                regexAllowed = false;
                continue;
            }
        }
        if (IsDigit(c.unicode()) || (c == u'.' && i + 1 < to && IsDigit(line[i + 1].unicode()))) {
            qsizetype j = i + 1;
            while (j < to && (line[j].isLetterOrNumber() || line[j] == u'.' || line[j] == u'_'))
                ++j;
            out.Add(i, j, SyntaxKind::Number);
            i = j;
            regexAllowed = false;
            continue;
        }
        if (IsJsIdentStart(c)) {
            qsizetype j = i + 1;
            while (j < to && (IsJsIdentStart(line[j]) || IsDigit(line[j].unicode())))
                ++j;
            const QStringView word = line.mid(i, j - i);
            const bool keyword = IsJsKeyword(word);
            if (keyword)
                out.Add(i, j, SyntaxKind::Keyword);
            // "return /re/" but "x / 2" and "this / 2".
            regexAllowed = keyword && word != u"this" && word != u"true" && word != u"false"
                           && word != u"null" && word != u"undefined" && word != u"super";
            i = j;
            continue;
        }
        if ((c == u'+' || c == u'-') && i + 1 < to && line[i + 1] == c) {
            // "i++ / 2": a value ends in "++"; before a name it is the
            // name that decides.
            regexAllowed = false;
            i += 2;
            continue;
        }
        if (!HtmlScanner::IsBlank(c))
            regexAllowed = !(c == u')' || c == u']' || c == u'}');
        ++i;
    }
    return st.Pack();
}

// ---- HTML -------------------------------------------------------------------

class HtmlLine {
public:
    HtmlLine(QStringView s, State st, Output& out) : m_s(s), m_n(s.size()), m_st(st), m_out(out) {}

    int Run()
    {
        qsizetype i = 0;
        while (i < m_n) {
            switch (m_st.mode) {
            case Mode::Text:
                i = Text(i);
                break;
            case Mode::Tag:
                i = Tag(i);
                break;
            case Mode::Comment:
                i = RunTo(i, SyntaxKind::Comment, {u"-->", u"--!>"});
                break;
            case Mode::Bogus:
                i = RunTo(i, SyntaxKind::Comment, {u">"});
                break;
            case Mode::Cdata:
                i = RunTo(i, SyntaxKind::Declaration, {u"]]>"});
                break;
            case Mode::ServerQ:
                i = RunTo(i, SyntaxKind::Declaration, {u"?>"});
                break;
            case Mode::ServerP:
                i = RunTo(i, SyntaxKind::Declaration, {u"%>"});
                break;
            case Mode::Raw:
                i = Raw(i);
                break;
            }
        }
        return m_st.Pack();
    }

private:
    // A comment, declaration or server code from i to its closing mark.
    qsizetype RunTo(qsizetype i, SyntaxKind kind, std::initializer_list<const char16_t*> marks)
    {
        qsizetype end = -1;
        for (const char16_t* mark : marks) {
            const qsizetype at = m_s.indexOf(QStringView(mark), i);
            if (at >= 0 && (end < 0 || at + qsizetype(std::char_traits<char16_t>::length(mark)) < end))
                end = at + qsizetype(std::char_traits<char16_t>::length(mark));
        }
        m_out.Add(i, end < 0 ? m_n : end, kind);
        if (end < 0)
            return m_n;
        m_st.mode = Mode::Text;
        return end;
    }

    qsizetype Text(qsizetype i)
    {
        const qsizetype open = m_s.indexOf(u'<', i);
        const qsizetype textEnd = open < 0 ? m_n : open;
        TextWithRefs(m_s, i, textEnd, m_out, false, SyntaxKind::Tag);
        if (open < 0)
            return m_n;
        const bool endTag = open + 1 < m_n && m_s[open + 1] == u'/';
        const qsizetype nameStart = open + (endTag ? 2 : 1);
        if (nameStart < m_n && IsLetter(m_s[nameStart])) {
            qsizetype j = nameStart;
            while (j < m_n && !HtmlScanner::IsBlank(m_s[j]) && m_s[j] != u'/' && m_s[j] != u'>')
                ++j;
            m_out.Add(open, j, SyntaxKind::Tag);
            m_st.mode = Mode::Tag;
            m_st.part = Part::Between;
            m_st.endTag = endTag;
            m_st.attr = Attr::Other;
            m_st.dataScript = false;
            m_st.element = ElementOf(m_s.mid(nameStart, j - nameStart));
            return j;
        }
        const std::optional<HtmlToken> token = HtmlScanner::ReadAt(m_s, open);
        if (!token)
            return open + 1;
        const bool comment = token->kind == HtmlToken::Kind::Comment;
        m_out.Add(open, token->end, comment ? SyntaxKind::Comment : SyntaxKind::Declaration);
        if (!token->closed) {
            const QStringView rest = m_s.mid(open);
            if (comment)
                m_st.mode = rest.startsWith(u"<!--") ? Mode::Comment : Mode::Bogus;
            else if (token->kind == HtmlToken::Kind::ServerCode)
                m_st.mode = rest.startsWith(u"<?") ? Mode::ServerQ : Mode::ServerP;
            else
                m_st.mode = rest.startsWith(u"<![CDATA[") ? Mode::Cdata : Mode::Bogus;
        }
        return token->end;
    }

    // Inside a tag, after its name: the attributes as HtmlScanner reads
    // them, and the ">" or "/>" that ends it.
    qsizetype Tag(qsizetype i)
    {
        auto skipBlanks = [&](qsizetype k) {
            while (k < m_n && HtmlScanner::IsBlank(m_s[k]))
                ++k;
            return k;
        };
        switch (m_st.part) {
        case Part::Between: {
            i = skipBlanks(i);
            if (i >= m_n)
                return m_n;
            if (m_s[i] == u'>' || (m_s[i] == u'/' && i + 1 < m_n && m_s[i + 1] == u'>')) {
                const bool selfClosing = m_s[i] == u'/';
                const qsizetype end = i + (selfClosing ? 2 : 1);
                m_out.Add(i, end, SyntaxKind::Tag);
                TagEnded(selfClosing);
                return end;
            }
            if (m_s[i] == u'/')
                return i + 1;
            if (const qsizetype end = ServerCodeEnd(i); end > i) {
                m_out.Add(i, end, SyntaxKind::Declaration);
                return end;
            }
            const qsizetype start = i++;  // an "=" here is the first letter of a name
            while (i < m_n && !HtmlScanner::IsBlank(m_s[i]) && m_s[i] != u'/' && m_s[i] != u'>'
                   && m_s[i] != u'=')
                ++i;
            m_out.Add(start, i, SyntaxKind::AttrName);
            const QStringView name = m_s.mid(start, i - start);
            m_st.attr = name.compare(u"style", Qt::CaseInsensitive) == 0  ? Attr::Style
                        : name.compare(u"type", Qt::CaseInsensitive) == 0 ? Attr::Type
                                                                           : Attr::Other;
            m_st.part = Part::AfterName;
            return i;
        }
        case Part::AfterName: {
            const qsizetype j = skipBlanks(i);
            if (j >= m_n)
                return m_n;
            if (m_s[j] != u'=') {
                m_st.part = Part::Between;
                return j;
            }
            m_st.part = Part::AfterEquals;
            return j + 1;
        }
        case Part::AfterEquals: {
            const qsizetype j = skipBlanks(i);
            if (j >= m_n)
                return m_n;
            const QChar c = m_s[j];
            if (c == u'"' || c == u'\'') {
                m_out.Add(j, j + 1, SyntaxKind::AttrValue);
                m_st.part = c == u'"' ? Part::InDouble : Part::InSingle;
                return j + 1;
            }
            m_st.part = Part::Between;
            if (const qsizetype end = ServerCodeEnd(j); end > j) {
                m_out.Add(j, end, SyntaxKind::Declaration);
                return end;
            }
            qsizetype k = j;
            while (k < m_n && !HtmlScanner::IsBlank(m_s[k]) && m_s[k] != u'>')
                ++k;
            Value(j, k);
            return k;
        }
        case Part::InDouble:
        case Part::InSingle: {
            // Server code in the value may hold the quote: href="<?= "x" ?>".
            const QChar quote = m_st.part == Part::InDouble ? u'"' : u'\'';
            qsizetype close = m_s.indexOf(quote, i);
            for (qsizetype code = i; (code = m_s.indexOf(u'<', code)) >= 0 && (close < 0 || code < close);) {
                const qsizetype end = ServerCodeEnd(code);
                if (end <= code) {
                    ++code;
                    continue;
                }
                Value(i, code);
                m_out.Add(code, end, SyntaxKind::Declaration);
                i = code = end;
                close = m_s.indexOf(quote, i);
            }
            Value(i, close < 0 ? m_n : close);
            if (close < 0)
                return m_n;
            m_out.Add(close, close + 1, SyntaxKind::AttrValue);
            m_st.part = Part::Between;
            return close + 1;
        }
        }
        return m_n;
    }

    // After the ">" or "/>" of a tag: what its contents are read as. In
    // HTML a raw-text element's contents run to its end tag even when the
    // tag ends in "/>"; inside SVG and MathML "/>" closes any element, and
    // only SCRIPT and STYLE hold script and CSS.
    void TagEnded(bool selfClosing)
    {
        const int element = m_st.element;
        const bool dataScript = m_st.dataScript;
        m_st.dataScript = false;
        m_st.mode = Mode::Text;
        m_st.part = Part::Between;
        m_st.element = 0;
        m_st.inner = 0;
        if (element == kSvg || element == kMath) {
            if (m_st.endTag || !selfClosing)
                m_st.foreign = !m_st.endTag;
            return;
        }
        if (m_st.endTag || !element)
            return;
        if (m_st.foreign && (selfClosing || (element != kScript && element != kStyle)))
            return;
        m_st.mode = Mode::Raw;
        m_st.element = element;
        m_st.dataScript = dataScript;
    }

    // The end of "<?...?>" or "<%...%>" at i when it ends on this line (in
    // a tag, where it is read as a whole), else i.
    qsizetype ServerCodeEnd(qsizetype i) const
    {
        if (i + 1 >= m_n || m_s[i] != u'<' || (m_s[i + 1] != u'?' && m_s[i + 1] != u'%'))
            return i;
        const qsizetype close = m_s.indexOf(m_s[i + 1] == u'?' ? u"?>" : u"%>", i + 2);
        return close < 0 ? i : close + 2;
    }

    // Whether a SCRIPT of this TYPE holds script (or JSON, which reads as
    // script) rather than a template or other data.
    static bool HoldsScript(QStringView type)
    {
        type = type.trimmed();
        return type.isEmpty() || type.compare(u"module", Qt::CaseInsensitive) == 0
               || type.contains(u"javascript", Qt::CaseInsensitive)
               || type.contains(u"ecmascript", Qt::CaseInsensitive)
               || type.contains(u"json", Qt::CaseInsensitive)
               || type.compare(u"importmap", Qt::CaseInsensitive) == 0
               || type.compare(u"speculationrules", Qt::CaseInsensitive) == 0;
    }

    void Value(qsizetype from, qsizetype to)
    {
        if (m_st.attr == Attr::Type && m_st.element == kScript && !m_st.endTag)
            m_st.dataScript = !HoldsScript(m_s.mid(from, to - from));
        if (m_st.attr == Attr::Style && !m_st.endTag) {
            // The declarations of one rule.
            ClassifyCss(m_s, from, to, CssState{CssCarry::None, 1, false}.Pack(), m_out);
            return;
        }
        TextWithRefs(m_s, from, to, m_out, true, SyntaxKind::AttrValue);
    }

    // The contents of a raw-text element up to its end tag.
    qsizetype Raw(qsizetype i)
    {
        qsizetype end = m_n;
        int escape = m_st.inner >> 11 & 3;
        if (m_st.element != kPlaintext)
            end = HtmlScanner::RawTextEnd(m_s, i, QStringView(kElements[size_t(m_st.element - 1)]),
                                          escape);
        switch (m_st.element) {
        case kScript:
            // A template's contents stay plain: they are neither script nor
            // markup until a script makes them so.
            m_st.inner = (m_st.dataScript ? 0 : ClassifyScript(m_s, i, end, m_st.inner & 0x7FF, m_out))
                         | escape << 11;
            break;
        case kStyle:
            m_st.inner = ClassifyCss(m_s, i, end, m_st.inner, m_out);
            break;
        case kTextarea:
        case kTitle:
            TextWithRefs(m_s, i, end, m_out, false, SyntaxKind::Tag);
            break;
        default:
            break;
        }
        if (end < m_n) {
            m_st.mode = Mode::Text;
            m_st.element = 0;
            m_st.inner = 0;
            m_st.dataScript = false;
        }
        return end;
    }

    QStringView m_s;
    qsizetype m_n;
    State m_st;
    Output& m_out;
};

} // namespace

SyntaxLanguage SyntaxForPath(const QString& path)
{
    // A new document starts from the HTML template.
    if (path.isEmpty())
        return SyntaxLanguage::Html;
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == u"css")
        return SyntaxLanguage::Css;
    if (suffix == u"js" || suffix == u"mjs" || suffix == u"cjs" || suffix == u"json")
        return SyntaxLanguage::Script;
    if (suffix.isEmpty() || suffix == u"txt")
        return SyntaxLanguage::None;
    return SyntaxLanguage::Html;
}

int ClassifyLine(SyntaxLanguage language, QStringView line, int state,
                 std::vector<SyntaxRange>& out)
{
    if (line.size() > kSyntaxMaxLineChars)
        return kSyntaxStartState;
    Output output(out);
    int end = kSyntaxStartState;
    switch (language) {
    case SyntaxLanguage::None:
        break;
    case SyntaxLanguage::Html:
        end = HtmlLine(line, State::Unpack(state), output).Run();
        break;
    case SyntaxLanguage::Css:
        end = ClassifyCss(line, 0, line.size(), state, output);
        break;
    case SyntaxLanguage::Script:
        end = ClassifyScript(line, 0, line.size(), state, output);
        break;
    }
    return end;
}
