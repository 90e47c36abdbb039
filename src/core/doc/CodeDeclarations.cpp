#include "core/doc/CodeDeclarations.h"

#include "core/style/CssReader.h"
#include "core/tags/HtmlScanner.h"

#include <algorithm>
#include <tuple>

namespace {

using Kind = CodeDeclaration::Kind;

bool IsNameChar(QChar c)
{
    const char16_t u = c.unicode();
    return (u >= u'a' && u <= u'z') || (u >= u'A' && u <= u'Z') || (u >= u'0' && u <= u'9')
           || u == u'-' || u == u'_' || u == u'.' || u == u':';
}

qsizetype SkipBlanks(QStringView s, qsizetype i, qsizetype end)
{
    while (i < end && HtmlScanner::IsBlank(s[i]))
        ++i;
    return i;
}

// The value after the first "charset" (or another key) in [from, end) that
// "=" follows, as browsers read a meta element's content: quoted up to its
// quote, else a run of the characters a code's name has. Gives the value's
// range, or false when there is none.
bool FindKeyedValue(QStringView s, qsizetype from, qsizetype end, QStringView key, qsizetype& valueStart,
                    qsizetype& valueEnd, bool escapedQuotes = false)
{
    const QStringView range = s.first(end);
    for (qsizetype at = range.indexOf(key, from, Qt::CaseInsensitive); at >= 0;
         at = range.indexOf(key, at + 1, Qt::CaseInsensitive)) {
        qsizetype i = SkipBlanks(s, at + key.size(), end);
        if (i >= end || s[i] != u'=')
            continue;
        i = SkipBlanks(s, i + 1, end);
        // In a string of server code: charset=\"Shift_JIS\".
        const bool escaped = escapedQuotes && i + 1 < end && s[i] == u'\\' && (s[i + 1] == u'"' || s[i + 1] == u'\'');
        if (escaped)
            ++i;
        if (i < end && (s[i] == u'"' || s[i] == u'\'')) {
            const qsizetype close = range.indexOf(s[i], i + 1);
            if (close < 0)
                return false;
            valueStart = i + 1;
            valueEnd = escaped && close > valueStart && s[close - 1] == u'\\' ? close - 1 : close;
        } else {
            valueStart = i;
            while (i < end && IsNameChar(s[i]))
                ++i;
            valueEnd = i;
            if (valueEnd == valueStart)
                continue;
        }
        while (valueStart < valueEnd && HtmlScanner::IsBlank(s[valueStart]))
            ++valueStart;
        while (valueEnd > valueStart && HtmlScanner::IsBlank(s[valueEnd - 1]))
            --valueEnd;
        return true;
    }
    return false;
}

// The names of our codes, and those server code (PHP's mbstring) gives
// them besides.
bool IsServerCodeName(QStringView name)
{
    static const char16_t* const kServerNames[] = {u"sjis-win", u"sjis-open", u"eucjp-win", u"eucjp-open",
                                                   u"cp51932", u"jis",       u"iso-2022-jp-ms"};
    return CodeFromCharsetName(name)
           || std::any_of(std::begin(kServerNames), std::end(kServerNames),
                          [&](const char16_t* n) { return name.compare(QStringView(n), Qt::CaseInsensitive) == 0; });
}

class Finder {
public:
    Finder(QStringView text) : m_text(text) {}

    void Add(Kind kind, qsizetype start, qsizetype end, qsizetype markupStart, qsizetype markupEnd,
             QString target = QString())
    {
        for (; m_counted < start; ++m_counted)
            if (m_text[m_counted] == u'\n')
                ++m_line;
        CodeDeclaration d;
        d.kind = kind;
        d.start = start;
        d.end = end;
        d.markupStart = markupStart;
        d.markupEnd = markupEnd;
        d.line = m_line;
        d.value = m_text.mid(start, end - start).toString();
        d.code = CodeFromCharsetName(d.value);
        d.target = std::move(target);
        m_found.push_back(std::move(d));
    }

    // An attribute's value without the blanks around it.
    void AddAttr(Kind kind, const HtmlAttrRange& a, const HtmlToken& t, QString target = QString())
    {
        qsizetype start = a.valueStart, end = a.valueEnd;
        while (start < end && HtmlScanner::IsBlank(m_text[start]))
            ++start;
        while (end > start && HtmlScanner::IsBlank(m_text[end - 1]))
            --end;
        Add(kind, start, end, t.start, t.end, std::move(target));
    }

    const HtmlAttrRange* Attr(const HtmlToken& t, QStringView name) const
    {
        for (const HtmlAttrRange& a : t.attrs)
            if (m_text.mid(a.start, a.nameEnd - a.start).compare(name, Qt::CaseInsensitive) == 0)
                return &a;
        return nullptr;
    }
    QString AttrText(const HtmlToken& t, QStringView name) const
    {
        const HtmlAttrRange* a = Attr(t, name);
        return a && a->HasValue() ? m_text.mid(a->valueStart, a->valueEnd - a->valueStart).toString()
                                  : QString();
    }

    void ReadHtml(DeclarationScope scope);
    void ReadCss(DeclarationScope scope);
    void ReadServerConfig();

    std::vector<CodeDeclaration> m_found;

private:
    void ReadTag(const HtmlToken& t);
    void ReadServerCode(const HtmlToken& t, bool first);

    QStringView m_text;
    qsizetype m_counted = 0;
    int m_line = 1;
};

void Finder::ReadHtml(DeclarationScope scope)
{
    HtmlScanner scanner(m_text);
    HtmlToken t;
    bool first = true;
    while (scanner.Next(t)) {
        const bool atStart = first && SkipBlanks(m_text, 0, t.start) == t.start;
        first = false;
        if (t.kind == HtmlToken::Kind::ServerCode) {
            ReadServerCode(t, atStart);
        } else if (t.kind == HtmlToken::Kind::StartTag) {
            if (scope == DeclarationScope::Head && t.Name(m_text).compare(u"body", Qt::CaseInsensitive) == 0)
                return;
            ReadTag(t);
        } else if (t.kind == HtmlToken::Kind::EndTag && scope == DeclarationScope::Head
                   && t.Name(m_text).compare(u"head", Qt::CaseInsensitive) == 0) {
            return;
        }
    }
}

void Finder::ReadTag(const HtmlToken& t)
{
    const QStringView name = t.Name(m_text);
    const bool meta = name.compare(u"meta", Qt::CaseInsensitive) == 0;
    const bool script = name.compare(u"script", Qt::CaseInsensitive) == 0;
    const bool link = name.compare(u"link", Qt::CaseInsensitive) == 0;
    if (!meta && !script && !link)
        return;
    const HtmlAttrRange* charset = Attr(t, u"charset");
    if (meta) {
        // Both may stand in one element; browsers take the attribute, but
        // each says a code, so each is a declaration.
        if (charset && charset->HasValue())
            AddAttr(Kind::MetaCharset, *charset, t);
        const HtmlAttrRange* content = Attr(t, u"content");
        if (AttrText(t, u"http-equiv").trimmed().compare(u"content-type", Qt::CaseInsensitive) != 0 || !content
            || !content->HasValue())
            return;
        qsizetype start = 0, end = 0;
        if (FindKeyedValue(m_text, content->valueStart, content->valueEnd, u"charset", start, end))
            Add(Kind::MetaContentType, start, end, t.start, t.end);
        return;
    }
    if (charset && charset->HasValue())
        AddAttr(script ? Kind::ScriptCharset : Kind::LinkCharset, *charset, t,
                AttrText(t, script ? u"src" : u"href"));
}

void Finder::ReadServerCode(const HtmlToken& t, bool atStart)
{
    const QStringView body = m_text.mid(t.start, t.end - t.start);
    qsizetype start = 0, end = 0;
    const bool xml = body.startsWith(u"<?xml") && body.size() > 5 && HtmlScanner::IsBlank(body[5]);
    if (atStart && xml) {
        if (FindKeyedValue(m_text, t.start + 5, t.end, u"encoding", start, end))
            Add(Kind::XmlEncoding, start, end, t.start, t.end);
        return;
    }
    std::vector<std::tuple<qsizetype, qsizetype, Kind>> found;
    for (qsizetype from = t.start; FindKeyedValue(m_text, from, t.end, u"charset", start, end, true); from = end)
        found.emplace_back(start, end, Kind::ServerCode);
    // A string that is a code's name: mb_internal_encoding("SJIS"),
    // ini_set("default_charset", "EUC-JP") and the like.
    for (qsizetype q = xml ? t.end : t.start; q < t.end; ++q) {
        if (m_text[q] != u'"' && m_text[q] != u'\'')
            continue;
        qsizetype e = q + 1;
        while (e < t.end && IsNameChar(m_text[e]))
            ++e;
        const bool closed = e < t.end
                            && (m_text[e] == m_text[q]
                                || (m_text[e] == u'\\' && e + 1 < t.end && m_text[e + 1] == m_text[q]));
        if (closed && e > q + 1 && IsServerCodeName(m_text.mid(q + 1, e - q - 1))
            && std::none_of(found.begin(), found.end(), [&](const auto& f) { return std::get<0>(f) == q + 1; }))
            found.emplace_back(q + 1, e, Kind::ServerName);
    }
    std::sort(found.begin(), found.end());
    for (const auto& [s, e, kind] : found)
        Add(kind, s, e, t.start, t.end);
}

void Finder::ReadCss(DeclarationScope scope)
{
    const CssReader reader(m_text.toString());
    for (const CssItem& item : reader.ReadSheet()) {
        if (item.kind == CssItem::Kind::AtRule
            && reader.Slice(reader.Start(item.firstToken), reader.End(item.firstToken))
                       .compare(u"@charset", Qt::CaseInsensitive) == 0) {
            for (int k = item.firstToken + 1; k < item.preludeLast; ++k) {
                if (reader.KindAt(k) != CssTokenKind::String)
                    continue;
                const int start = reader.Start(k), end = reader.End(k);
                const bool closed = end - start >= 2 && m_text[end - 1] == m_text[start];
                Add(Kind::CssCharset, start + 1, closed ? end - 1 : end, item.start, item.end);
                break;
            }
        }
        if (scope == DeclarationScope::Head)
            return;
    }
}

void Finder::ReadServerConfig()
{
    for (qsizetype lineStart = 0; lineStart < m_text.size();) {
        qsizetype lineEnd = m_text.indexOf(u'\n', lineStart);
        const qsizetype next = lineEnd < 0 ? m_text.size() : lineEnd + 1;
        if (lineEnd < 0)
            lineEnd = m_text.size();
        const QStringView line = m_text.mid(lineStart, lineEnd - lineStart);
        const auto word = [&](qsizetype from, qsizetype& start) {
            start = SkipBlanks(m_text, from, lineEnd);
            qsizetype i = start;
            if (i < lineEnd && m_text[i] == u'"') {
                const qsizetype close = line.indexOf(u'"', i - lineStart + 1);
                return close < 0 ? lineEnd : lineStart + close + 1;
            }
            while (i < lineEnd && !HtmlScanner::IsBlank(m_text[i]))
                ++i;
            return i;
        };
        qsizetype directive = 0;
        const qsizetype directiveEnd = word(lineStart, directive);
        const QStringView name = m_text.mid(directive, directiveEnd - directive);
        qsizetype arg = 0;
        const qsizetype argEnd = word(directiveEnd, arg);
        qsizetype rest = SkipBlanks(m_text, argEnd, lineEnd);
        qsizetype restEnd = lineEnd;
        while (restEnd > rest && HtmlScanner::IsBlank(m_text[restEnd - 1]))
            --restEnd;
        const QString extensions = m_text.mid(rest, restEnd - rest).toString();
        qsizetype start = 0, end = 0;
        if (name.compare(u"AddDefaultCharset", Qt::CaseInsensitive) == 0 && argEnd > arg
            && m_text.mid(arg, argEnd - arg).compare(u"off", Qt::CaseInsensitive) != 0) {
            Add(Kind::ServerDefault, arg, argEnd, lineStart, lineEnd);
        } else if (name.compare(u"AddCharset", Qt::CaseInsensitive) == 0 && argEnd > arg) {
            Add(Kind::ServerType, arg, argEnd, lineStart, lineEnd, extensions);
        } else if (name.compare(u"AddType", Qt::CaseInsensitive) == 0
                   && FindKeyedValue(m_text, arg, argEnd, u"charset", start, end)) {
            Add(Kind::ServerType, start, end, lineStart, lineEnd, extensions);
        }
        lineStart = next;
    }
}

} // namespace

DeclarationSyntax DeclarationSyntaxFor(QStringView path)
{
    const QStringView name = path.mid(path.lastIndexOf(u'/') + 1);
    if (name.compare(u".htaccess", Qt::CaseInsensitive) == 0)
        return DeclarationSyntax::Server;
    if (name.endsWith(u".css", Qt::CaseInsensitive))
        return DeclarationSyntax::Css;
    for (const char16_t* plain : {u".js", u".mjs", u".txt", u".json"})
        if (name.endsWith(QStringView(plain), Qt::CaseInsensitive))
            return DeclarationSyntax::None;
    return DeclarationSyntax::Html;
}

std::vector<CodeDeclaration> FindCodeDeclarations(QStringView text, DeclarationSyntax syntax,
                                                  DeclarationScope scope)
{
    Finder finder(text);
    switch (syntax) {
    case DeclarationSyntax::Html:
        finder.ReadHtml(scope);
        break;
    case DeclarationSyntax::Css:
        finder.ReadCss(scope);
        break;
    case DeclarationSyntax::Server:
        finder.ReadServerConfig();
        break;
    case DeclarationSyntax::None:
        break;
    }
    return std::move(finder.m_found);
}

std::optional<CodeKind> CodeFromCharsetName(QStringView name)
{
    static const std::pair<const char16_t*, CodeKind> kNames[] = {
        {u"shift_jis", CodeKind::ShiftJis}, {u"shift-jis", CodeKind::ShiftJis},
        {u"sjis", CodeKind::ShiftJis},      {u"x-sjis", CodeKind::ShiftJis},
        {u"windows-31j", CodeKind::ShiftJis}, {u"cp932", CodeKind::ShiftJis},
        {u"ms932", CodeKind::ShiftJis},     {u"ms_kanji", CodeKind::ShiftJis},
        {u"csshiftjis", CodeKind::ShiftJis}, {u"euc-jp", CodeKind::Euc},
        {u"x-euc-jp", CodeKind::Euc},       {u"eucjp", CodeKind::Euc},
        {u"eucjp-ms", CodeKind::Euc},       {u"cseucpkdfmtjapanese", CodeKind::Euc},
        {u"iso-2022-jp", CodeKind::Jis},    {u"csiso2022jp", CodeKind::Jis},
        {u"utf-8", CodeKind::Utf8},         {u"utf8", CodeKind::Utf8},
        {u"unicode-1-1-utf-8", CodeKind::Utf8},
    };
    const QStringView n = name.trimmed();
    for (const auto& [text, kind] : kNames)
        if (n.compare(QStringView(text), Qt::CaseInsensitive) == 0)
            return kind;
    return std::nullopt;
}

QString CharsetName(CodeKind code)
{
    switch (code) {
    case CodeKind::ShiftJis: return QStringLiteral("Shift_JIS");
    case CodeKind::Jis: return QStringLiteral("ISO-2022-JP");
    case CodeKind::Euc: return QStringLiteral("EUC-JP");
    case CodeKind::Utf8: return QStringLiteral("UTF-8");
    case CodeKind::Ascii:
    case CodeKind::Unknown: break;
    }
    return QString();
}

QString DeclaredValueFor(const CodeDeclaration& declaration, CodeKind code)
{
    const QString name = CharsetName(code);
    const QString& old = declaration.value;
    const bool lower = old != old.toUpper() && old == old.toLower();
    return lower ? name.toLower() : name;
}

QString RewriteDeclarations(QStringView text, const std::vector<CodeDeclaration>& declarations,
                            CodeKind code)
{
    QString out;
    out.reserve(text.size() + 16 * qsizetype(declarations.size()));
    qsizetype at = 0;
    for (const CodeDeclaration& d : declarations) {
        Q_ASSERT(d.start >= at && d.end <= text.size());
        out += text.mid(at, d.start - at);
        out += DeclaredValueFor(d, code);
        at = d.end;
    }
    out += text.mid(at);
    return out;
}
