#include "core/tags/CharRefs.h"

#include "core/tags/HtmlScanner.h"

#include <algorithm>
#include <optional>

namespace {

struct NamedRef {
    const char16_t* name;
    char32_t code;
    bool withoutSemicolon;  // also read without its ";"
};

// Sorted by name (plain character order) for the binary search.
constexpr NamedRef kNamedRefs[] = {
    {u"AElig", 0xC6, true}, {u"AMP", 0x26, true}, {u"Aacute", 0xC1, true},
    {u"Acirc", 0xC2, true}, {u"Agrave", 0xC0, true}, {u"Alpha", 0x391, false},
    {u"Aring", 0xC5, true}, {u"Atilde", 0xC3, true}, {u"Auml", 0xC4, true},
    {u"Beta", 0x392, false}, {u"COPY", 0xA9, true}, {u"Ccedil", 0xC7, true},
    {u"Chi", 0x3A7, false}, {u"Dagger", 0x2021, false}, {u"Delta", 0x394, false},
    {u"ETH", 0xD0, true}, {u"Eacute", 0xC9, true}, {u"Ecirc", 0xCA, true},
    {u"Egrave", 0xC8, true}, {u"Epsilon", 0x395, false}, {u"Eta", 0x397, false},
    {u"Euml", 0xCB, true}, {u"GT", 0x3E, true}, {u"Gamma", 0x393, false},
    {u"Iacute", 0xCD, true}, {u"Icirc", 0xCE, true}, {u"Igrave", 0xCC, true},
    {u"Iota", 0x399, false}, {u"Iuml", 0xCF, true}, {u"Kappa", 0x39A, false},
    {u"LT", 0x3C, true}, {u"Lambda", 0x39B, false}, {u"Mu", 0x39C, false},
    {u"Ntilde", 0xD1, true}, {u"Nu", 0x39D, false}, {u"OElig", 0x152, false},
    {u"Oacute", 0xD3, true}, {u"Ocirc", 0xD4, true}, {u"Ograve", 0xD2, true},
    {u"Omega", 0x3A9, false}, {u"Omicron", 0x39F, false}, {u"Oslash", 0xD8, true},
    {u"Otilde", 0xD5, true}, {u"Ouml", 0xD6, true}, {u"Phi", 0x3A6, false},
    {u"Pi", 0x3A0, false}, {u"Prime", 0x2033, false}, {u"Psi", 0x3A8, false},
    {u"QUOT", 0x22, true}, {u"REG", 0xAE, true}, {u"Rho", 0x3A1, false},
    {u"Scaron", 0x160, false}, {u"Sigma", 0x3A3, false}, {u"THORN", 0xDE, true},
    {u"Tau", 0x3A4, false}, {u"Theta", 0x398, false}, {u"Uacute", 0xDA, true},
    {u"Ucirc", 0xDB, true}, {u"Ugrave", 0xD9, true}, {u"Upsilon", 0x3A5, false},
    {u"Uuml", 0xDC, true}, {u"Xi", 0x39E, false}, {u"Yacute", 0xDD, true},
    {u"Yuml", 0x178, false}, {u"Zeta", 0x396, false}, {u"aacute", 0xE1, true},
    {u"acirc", 0xE2, true}, {u"acute", 0xB4, true}, {u"aelig", 0xE6, true},
    {u"agrave", 0xE0, true}, {u"alefsym", 0x2135, false}, {u"alpha", 0x3B1, false},
    {u"amp", 0x26, true}, {u"and", 0x2227, false}, {u"ang", 0x2220, false},
    {u"apos", 0x27, false}, {u"aring", 0xE5, true}, {u"asymp", 0x2248, false},
    {u"atilde", 0xE3, true}, {u"auml", 0xE4, true}, {u"bdquo", 0x201E, false},
    {u"beta", 0x3B2, false}, {u"brvbar", 0xA6, true}, {u"bull", 0x2022, false},
    {u"cap", 0x2229, false}, {u"ccedil", 0xE7, true}, {u"cedil", 0xB8, true},
    {u"cent", 0xA2, true}, {u"chi", 0x3C7, false}, {u"circ", 0x2C6, false},
    {u"clubs", 0x2663, false}, {u"cong", 0x2245, false}, {u"copy", 0xA9, true},
    {u"crarr", 0x21B5, false}, {u"cup", 0x222A, false}, {u"curren", 0xA4, true},
    {u"dArr", 0x21D3, false}, {u"dagger", 0x2020, false}, {u"darr", 0x2193, false},
    {u"deg", 0xB0, true}, {u"delta", 0x3B4, false}, {u"diams", 0x2666, false},
    {u"divide", 0xF7, true}, {u"eacute", 0xE9, true}, {u"ecirc", 0xEA, true},
    {u"egrave", 0xE8, true}, {u"empty", 0x2205, false}, {u"emsp", 0x2003, false},
    {u"ensp", 0x2002, false}, {u"epsilon", 0x3B5, false}, {u"equiv", 0x2261, false},
    {u"eta", 0x3B7, false}, {u"eth", 0xF0, true}, {u"euml", 0xEB, true},
    {u"euro", 0x20AC, false}, {u"exist", 0x2203, false}, {u"fnof", 0x192, false},
    {u"forall", 0x2200, false}, {u"frac12", 0xBD, true}, {u"frac14", 0xBC, true},
    {u"frac34", 0xBE, true}, {u"frasl", 0x2044, false}, {u"gamma", 0x3B3, false},
    {u"ge", 0x2265, false}, {u"gt", 0x3E, true}, {u"hArr", 0x21D4, false},
    {u"harr", 0x2194, false}, {u"hearts", 0x2665, false}, {u"hellip", 0x2026, false},
    {u"iacute", 0xED, true}, {u"icirc", 0xEE, true}, {u"iexcl", 0xA1, true},
    {u"igrave", 0xEC, true}, {u"image", 0x2111, false}, {u"infin", 0x221E, false},
    {u"int", 0x222B, false}, {u"iota", 0x3B9, false}, {u"iquest", 0xBF, true},
    {u"isin", 0x2208, false}, {u"iuml", 0xEF, true}, {u"kappa", 0x3BA, false},
    {u"lArr", 0x21D0, false}, {u"lambda", 0x3BB, false}, {u"lang", 0x2329, false},
    {u"laquo", 0xAB, true}, {u"larr", 0x2190, false}, {u"lceil", 0x2308, false},
    {u"ldquo", 0x201C, false}, {u"le", 0x2264, false}, {u"lfloor", 0x230A, false},
    {u"lowast", 0x2217, false}, {u"loz", 0x25CA, false}, {u"lrm", 0x200E, false},
    {u"lsaquo", 0x2039, false}, {u"lsquo", 0x2018, false}, {u"lt", 0x3C, true},
    {u"macr", 0xAF, true}, {u"mdash", 0x2014, false}, {u"micro", 0xB5, true},
    {u"middot", 0xB7, true}, {u"minus", 0x2212, false}, {u"mu", 0x3BC, false},
    {u"nabla", 0x2207, false}, {u"nbsp", 0xA0, true}, {u"ndash", 0x2013, false},
    {u"ne", 0x2260, false}, {u"ni", 0x220B, false}, {u"not", 0xAC, true},
    {u"notin", 0x2209, false}, {u"nsub", 0x2284, false}, {u"ntilde", 0xF1, true},
    {u"nu", 0x3BD, false}, {u"oacute", 0xF3, true}, {u"ocirc", 0xF4, true},
    {u"oelig", 0x153, false}, {u"ograve", 0xF2, true}, {u"oline", 0x203E, false},
    {u"omega", 0x3C9, false}, {u"omicron", 0x3BF, false}, {u"oplus", 0x2295, false},
    {u"or", 0x2228, false}, {u"ordf", 0xAA, true}, {u"ordm", 0xBA, true},
    {u"oslash", 0xF8, true}, {u"otilde", 0xF5, true}, {u"otimes", 0x2297, false},
    {u"ouml", 0xF6, true}, {u"para", 0xB6, true}, {u"part", 0x2202, false},
    {u"permil", 0x2030, false}, {u"perp", 0x22A5, false}, {u"phi", 0x3C6, false},
    {u"pi", 0x3C0, false}, {u"piv", 0x3D6, false}, {u"plusmn", 0xB1, true},
    {u"pound", 0xA3, true}, {u"prime", 0x2032, false}, {u"prod", 0x220F, false},
    {u"prop", 0x221D, false}, {u"psi", 0x3C8, false}, {u"quot", 0x22, true},
    {u"rArr", 0x21D2, false}, {u"radic", 0x221A, false}, {u"rang", 0x232A, false},
    {u"raquo", 0xBB, true}, {u"rarr", 0x2192, false}, {u"rceil", 0x2309, false},
    {u"rdquo", 0x201D, false}, {u"real", 0x211C, false}, {u"reg", 0xAE, true},
    {u"rfloor", 0x230B, false}, {u"rho", 0x3C1, false}, {u"rlm", 0x200F, false},
    {u"rsaquo", 0x203A, false}, {u"rsquo", 0x2019, false}, {u"sbquo", 0x201A, false},
    {u"scaron", 0x161, false}, {u"sdot", 0x22C5, false}, {u"sect", 0xA7, true},
    {u"shy", 0xAD, true}, {u"sigma", 0x3C3, false}, {u"sigmaf", 0x3C2, false},
    {u"sim", 0x223C, false}, {u"spades", 0x2660, false}, {u"sub", 0x2282, false},
    {u"sube", 0x2286, false}, {u"sum", 0x2211, false}, {u"sup", 0x2283, false},
    {u"sup1", 0xB9, true}, {u"sup2", 0xB2, true}, {u"sup3", 0xB3, true},
    {u"supe", 0x2287, false}, {u"szlig", 0xDF, true}, {u"tau", 0x3C4, false},
    {u"there4", 0x2234, false}, {u"theta", 0x3B8, false}, {u"thetasym", 0x3D1, false},
    {u"thinsp", 0x2009, false}, {u"thorn", 0xFE, true}, {u"tilde", 0x2DC, false},
    {u"times", 0xD7, true}, {u"trade", 0x2122, false}, {u"uArr", 0x21D1, false},
    {u"uacute", 0xFA, true}, {u"uarr", 0x2191, false}, {u"ucirc", 0xFB, true},
    {u"ugrave", 0xF9, true}, {u"uml", 0xA8, true}, {u"upsih", 0x3D2, false},
    {u"upsilon", 0x3C5, false}, {u"uuml", 0xFC, true}, {u"weierp", 0x2118, false},
    {u"xi", 0x3BE, false}, {u"yacute", 0xFD, true}, {u"yen", 0xA5, true},
    {u"yuml", 0xFF, true}, {u"zeta", 0x3B6, false}, {u"zwj", 0x200D, false},
    {u"zwnj", 0x200C, false},
};

// What a reference to 0x80..0x9F means: browsers take those numbers as
// Windows-1252 codes, the way old pages meant them.
constexpr char16_t kWindows1252High[32] = {
    0x20AC, 0x81,   0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x8D,   0x017D, 0x8F,   0x90,   0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x9D,   0x017E, 0x0178};

bool IsAsciiAlnum(QChar c)
{
    const char16_t u = c.unicode();
    return (u >= u'a' && u <= u'z') || (u >= u'A' && u <= u'Z') || (u >= u'0' && u <= u'9');
}

int DigitValue(QChar c, int base)
{
    const char16_t u = c.unicode();
    int v = -1;
    if (u >= u'0' && u <= u'9')
        v = u - u'0';
    else if (u >= u'a' && u <= u'f')
        v = u - u'a' + 10;
    else if (u >= u'A' && u <= u'F')
        v = u - u'A' + 10;
    return v < base ? v : -1;
}

const NamedRef* FindNamed(QStringView name)
{
    const auto end = std::end(kNamedRefs);
    const auto it = std::lower_bound(std::begin(kNamedRefs), end, name,
                                     [](const NamedRef& r, QStringView n) {
                                         return QStringView(r.name).compare(n) < 0;
                                     });
    return it != end && QStringView(it->name) == name ? it : nullptr;
}

QString FromCode(char32_t code)
{
    if (code == 0 || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
        code = 0xFFFD;
    else if (code >= 0x80 && code <= 0x9F)
        code = kWindows1252High[code - 0x80];
    return QString::fromUcs4(&code, 1);
}

struct Reference {
    qsizetype length = 0;  // from the "&" on
    QString text;
};

// The reference that starts at the "&" at pos, as it reads in an
// attribute value.
std::optional<Reference> ReferenceAt(QStringView s, qsizetype pos)
{
    const qsizetype n = s.size();
    qsizetype i = pos + 1;
    if (i < n && s[i] == u'#') {
        ++i;
        int base = 10;
        if (i < n && (s[i] == u'x' || s[i] == u'X')) {
            base = 16;
            ++i;
        }
        const qsizetype digits = i;
        char32_t code = 0;
        for (; i < n && DigitValue(s[i], base) >= 0; ++i)
            code = std::min<char32_t>(code * base + DigitValue(s[i], base), 0x110000);
        if (i == digits)
            return std::nullopt;
        if (i < n && s[i] == u';')
            ++i;
        return Reference{i - pos, FromCode(code)};
    }
    while (i < n && IsAsciiAlnum(s[i]) && i - pos <= 32)
        ++i;
    const QStringView name = s.mid(pos + 1, i - pos - 1);
    if (name.isEmpty())
        return std::nullopt;
    const NamedRef* ref = FindNamed(name);
    if (!ref)
        return std::nullopt;
    if (i < n && s[i] == u';')
        return Reference{i + 1 - pos, FromCode(ref->code)};
    if (!ref->withoutSemicolon || (i < n && (s[i] == u'=' || IsAsciiAlnum(s[i]))))
        return std::nullopt;
    return Reference{i - pos, FromCode(ref->code)};
}

} // namespace

QString DecodeAttrCharRefs(QStringView raw)
{
    if (!raw.contains(u'&'))
        return raw.toString();
    QString out;
    out.reserve(raw.size());
    for (qsizetype i = 0; i < raw.size();) {
        if (const qsizetype code = HtmlScanner::ServerCodeEnd(raw, i); code >= 0) {
            out += raw.mid(i, code - i);
            i = code;
            continue;
        }
        if (raw[i] == u'&') {
            if (const std::optional<Reference> ref = ReferenceAt(raw, i)) {
                out += ref->text;
                i += ref->length;
                continue;
            }
        }
        out += raw[i++];
    }
    return out;
}

qsizetype CharRefLength(QStringView s, qsizetype pos, bool inAttribute)
{
    const qsizetype n = s.size();
    if (pos + 1 >= n || s[pos] != u'&')
        return 0;
    if (s[pos + 1] == u'#' || inAttribute) {
        if (const std::optional<Reference> ref = ReferenceAt(s, pos))
            return ref->length;
        if (s[pos + 1] == u'#')
            return 0;
    }
    const QChar first = s[pos + 1];
    if (!IsAsciiAlnum(first) || (first.unicode() >= u'0' && first.unicode() <= u'9'))
        return 0;
    qsizetype i = pos + 1;
    while (i < n && IsAsciiAlnum(s[i]))
        ++i;
    if (i < n && s[i] == u';')
        return i + 1 - pos;
    if (inAttribute)
        return 0;
    for (qsizetype end = std::min(i, pos + 9); end > pos + 1; --end)
        if (const NamedRef* ref = FindNamed(s.mid(pos + 1, end - pos - 1)); ref && ref->withoutSemicolon)
            return end - pos;
    return 0;
}

QString QuoteAttrValue(const QString& value)
{
    // Server code goes in as it is: the server replaces it before any
    // browser reads the quotes around it.
    QString outside;
    for (qsizetype i = 0; i < value.size();) {
        const qsizetype code = HtmlScanner::ServerCodeEnd(value, i);
        if (code >= 0)
            i = code;
        else
            outside += value.at(i++);
    }
    const bool hasDouble = outside.contains(u'"');
    const QChar quote = hasDouble && !outside.contains(u'\'') ? u'\'' : u'"';
    QString out;
    out.reserve(value.size() + 2);
    out += quote;
    for (qsizetype i = 0; i < value.size(); ++i) {
        const QChar c = value.at(i);
        if (const qsizetype code = HtmlScanner::ServerCodeEnd(value, i); code >= 0) {
            out += QStringView(value).mid(i, code - i);
            i = code - 1;
        } else if (c == u'&' && ReferenceAt(value, i)) {
            out += QStringLiteral("&amp;");
        } else if (c == u'"' && quote == u'"') {
            out += QStringLiteral("&quot;");
        } else {
            out += c;
        }
    }
    out += quote;
    return out;
}
