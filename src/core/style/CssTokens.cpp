#include "core/style/CssTokens.h"

namespace {

bool IsNewline(char16_t c)
{
    return c == u'\n' || c == u'\r' || c == u'\f';
}

bool IsWhitespace(char16_t c)
{
    return c == u' ' || c == u'\t' || IsNewline(c);
}

bool IsDigit(char16_t c)
{
    return c >= u'0' && c <= u'9';
}

bool IsHex(char16_t c)
{
    return IsDigit(c) || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F');
}

// Letters, "_" and everything beyond ASCII (surrogates included).
bool IsNameStart(char16_t c)
{
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || c == u'_' || c >= 0x80 || c == 0;
}

bool IsNameChar(char16_t c)
{
    return IsNameStart(c) || IsDigit(c) || c == u'-';
}

bool IsNonPrintable(char16_t c)
{
    return c <= 0x08 || c == 0x0B || (c >= 0x0E && c <= 0x1F) || c == 0x7F;
}

class Tokenizer {
public:
    explicit Tokenizer(QStringView text) : m_text(text), m_n(static_cast<int>(text.size())) {}

    // Reserved for about one token in three characters (what sheets hold),
    // so that a large sheet's tokens are not copied as they grow.
    template <typename Token, typename Make>
    std::vector<Token> Run(Make make)
    {
        std::vector<Token> tokens;
        tokens.reserve(static_cast<size_t>(m_n / 3) + 4);
        while (m_i < m_n) {
            const int start = m_i;
            const CssTokenKind kind = Next();
            tokens.push_back(make(kind, start, m_i));
        }
        return tokens;
    }

private:
    char16_t At(int i) const { return i < m_n ? m_text[i].unicode() : char16_t(0xFFFF); }
    bool InText(int i) const { return i < m_n; }

    // A backslash at the very end escapes too: it stands for U+FFFD.
    bool ValidEscape(int i) const
    {
        return InText(i) && At(i) == u'\\' && !IsNewline(At(i + 1));
    }

    bool StartsIdent(int i) const
    {
        if (!InText(i))
            return false;
        const char16_t c = At(i);
        if (c == u'-') {
            return InText(i + 1)
                   && (IsNameStart(At(i + 1)) || At(i + 1) == u'-' || ValidEscape(i + 1));
        }
        if (IsNameStart(c))
            return true;
        return ValidEscape(i);
    }

    bool StartsNumber(int i) const
    {
        char16_t c = At(i);
        if (c == u'+' || c == u'-') {
            ++i;
            c = At(i);
        }
        if (IsDigit(c) && InText(i))
            return true;
        return c == u'.' && InText(i) && IsDigit(At(i + 1)) && InText(i + 1);
    }

    // After the backslash.
    void ConsumeEscape()
    {
        if (!InText(m_i))
            return;
        if (IsHex(At(m_i))) {
            int k = 0;
            while (k < 6 && InText(m_i) && IsHex(At(m_i))) {
                ++m_i;
                ++k;
            }
            if (InText(m_i) && IsWhitespace(At(m_i))) {
                if (At(m_i) == u'\r' && At(m_i + 1) == u'\n' && InText(m_i + 1))
                    ++m_i;
                ++m_i;
            }
            return;
        }
        ++m_i;
    }

    void ConsumeName()
    {
        while (InText(m_i)) {
            if (IsNameChar(At(m_i))) {
                ++m_i;
            } else if (ValidEscape(m_i)) {
                ++m_i;
                ConsumeEscape();
            } else {
                break;
            }
        }
    }

    void ConsumeDigits()
    {
        while (InText(m_i) && IsDigit(At(m_i)))
            ++m_i;
    }

    CssTokenKind ConsumeNumeric()
    {
        if (At(m_i) == u'+' || At(m_i) == u'-')
            ++m_i;
        ConsumeDigits();
        if (At(m_i) == u'.' && InText(m_i + 1) && IsDigit(At(m_i + 1))) {
            ++m_i;
            ConsumeDigits();
        }
        if ((At(m_i) == u'e' || At(m_i) == u'E') && InText(m_i + 1)) {
            int j = m_i + 1;
            if ((At(j) == u'+' || At(j) == u'-') && InText(j + 1))
                ++j;
            if (InText(j) && IsDigit(At(j))) {
                m_i = j;
                ConsumeDigits();
            }
        }
        if (StartsIdent(m_i)) {
            ConsumeName();
            return CssTokenKind::Dimension;
        }
        if (At(m_i) == u'%' && InText(m_i)) {
            ++m_i;
            return CssTokenKind::Percentage;
        }
        return CssTokenKind::Number;
    }

    void ConsumeBadUrlRemnants()
    {
        while (InText(m_i)) {
            if (At(m_i) == u')') {
                ++m_i;
                return;
            }
            if (ValidEscape(m_i)) {
                ++m_i;
                ConsumeEscape();
            } else {
                ++m_i;
            }
        }
    }

    // After "url(" and the blanks that follow it.
    CssTokenKind ConsumeUrl()
    {
        while (InText(m_i)) {
            const char16_t c = At(m_i);
            if (c == u')') {
                ++m_i;
                return CssTokenKind::Url;
            }
            if (IsWhitespace(c)) {
                while (InText(m_i) && IsWhitespace(At(m_i)))
                    ++m_i;
                if (!InText(m_i))
                    return CssTokenKind::Url;
                if (At(m_i) == u')') {
                    ++m_i;
                    return CssTokenKind::Url;
                }
                ConsumeBadUrlRemnants();
                return CssTokenKind::BadUrl;
            }
            if (c == u'"' || c == u'\'' || c == u'(' || IsNonPrintable(c)) {
                ConsumeBadUrlRemnants();
                return CssTokenKind::BadUrl;
            }
            if (c == u'\\') {
                if (ValidEscape(m_i)) {
                    ++m_i;
                    ConsumeEscape();
                    continue;
                }
                ConsumeBadUrlRemnants();
                return CssTokenKind::BadUrl;
            }
            ++m_i;
        }
        return CssTokenKind::Url;
    }

    CssTokenKind ConsumeIdentLike()
    {
        const int start = m_i;
        ConsumeName();
        if (At(m_i) != u'(' || !InText(m_i))
            return CssTokenKind::Ident;
        const bool url =
            m_i - start == 3
            && QStringView(m_text).mid(start, 3).compare(u"url", Qt::CaseInsensitive) == 0;
        ++m_i;
        if (!url)
            return CssTokenKind::Function;
        int j = m_i;
        while (InText(j) && IsWhitespace(At(j)))
            ++j;
        // url("...") is a function with a string argument; only the
        // unquoted form is one token.
        if (InText(j) && (At(j) == u'"' || At(j) == u'\''))
            return CssTokenKind::Function;
        m_i = j;
        return ConsumeUrl();
    }

    CssTokenKind ConsumeString(char16_t quote)
    {
        ++m_i;
        while (InText(m_i)) {
            const char16_t c = At(m_i);
            if (c == quote) {
                ++m_i;
                return CssTokenKind::String;
            }
            if (IsNewline(c))
                return CssTokenKind::BadString;
            if (c == u'\\') {
                ++m_i;
                if (!InText(m_i))
                    break;
                if (At(m_i) == u'\r' && At(m_i + 1) == u'\n' && InText(m_i + 1))
                    m_i += 2;
                else if (IsNewline(At(m_i)))
                    ++m_i;
                else
                    ConsumeEscape();
                continue;
            }
            ++m_i;
        }
        return CssTokenKind::String;
    }

    CssTokenKind Next()
    {
        const char16_t c = At(m_i);
        if (c == u'/' && At(m_i + 1) == u'*' && InText(m_i + 1)) {
            m_i += 2;
            while (InText(m_i) && !(At(m_i) == u'*' && At(m_i + 1) == u'/' && InText(m_i + 1)))
                ++m_i;
            m_i = std::min(m_n, m_i + 2);
            return CssTokenKind::Comment;
        }
        if (IsWhitespace(c)) {
            while (InText(m_i) && IsWhitespace(At(m_i)))
                ++m_i;
            return CssTokenKind::Whitespace;
        }
        switch (c) {
            case u'"':
            case u'\'':
                return ConsumeString(c);
            case u'#':
                ++m_i;
                if (InText(m_i) && (IsNameChar(At(m_i)) || ValidEscape(m_i))) {
                    ConsumeName();
                    return CssTokenKind::Hash;
                }
                return CssTokenKind::Delim;
            case u'(':
                ++m_i;
                return CssTokenKind::OpenParen;
            case u')':
                ++m_i;
                return CssTokenKind::CloseParen;
            case u'[':
                ++m_i;
                return CssTokenKind::OpenSquare;
            case u']':
                ++m_i;
                return CssTokenKind::CloseSquare;
            case u'{':
                ++m_i;
                return CssTokenKind::OpenCurly;
            case u'}':
                ++m_i;
                return CssTokenKind::CloseCurly;
            case u',':
                ++m_i;
                return CssTokenKind::Comma;
            case u':':
                ++m_i;
                return CssTokenKind::Colon;
            case u';':
                ++m_i;
                return CssTokenKind::Semicolon;
            case u'+':
            case u'.':
                if (StartsNumber(m_i))
                    return ConsumeNumeric();
                ++m_i;
                return CssTokenKind::Delim;
            case u'-':
                if (StartsNumber(m_i))
                    return ConsumeNumeric();
                if (At(m_i + 1) == u'-' && At(m_i + 2) == u'>' && InText(m_i + 2)) {
                    m_i += 3;
                    return CssTokenKind::Cdc;
                }
                if (StartsIdent(m_i))
                    return ConsumeIdentLike();
                ++m_i;
                return CssTokenKind::Delim;
            case u'<':
                if (QStringView(m_text).mid(m_i, 4) == u"<!--") {
                    m_i += 4;
                    return CssTokenKind::Cdo;
                }
                ++m_i;
                return CssTokenKind::Delim;
            case u'@':
                if (StartsIdent(m_i + 1)) {
                    ++m_i;
                    ConsumeName();
                    return CssTokenKind::AtKeyword;
                }
                ++m_i;
                return CssTokenKind::Delim;
            case u'\\':
                if (ValidEscape(m_i))
                    return ConsumeIdentLike();
                ++m_i;
                return CssTokenKind::Delim;
            default:
                break;
        }
        if (IsDigit(c))
            return ConsumeNumeric();
        if (IsNameStart(c))
            return ConsumeIdentLike();
        ++m_i;
        return CssTokenKind::Delim;
    }

    QStringView m_text;
    int m_n;
    int m_i = 0;
};

} // namespace

std::vector<CssToken> TokenizeCss(QStringView text)
{
    return Tokenizer(text).Run<CssToken>(
        [](CssTokenKind kind, int start, int end) { return CssToken{kind, start, end}; });
}

std::vector<CssTokenStart> TokenizeCssStarts(QStringView text)
{
    return Tokenizer(text).Run<CssTokenStart>(
        [](CssTokenKind kind, int start, int) { return CssTokenStart{start, kind}; });
}
