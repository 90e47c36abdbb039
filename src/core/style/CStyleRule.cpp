#include "core/style/CStyleRule.h"

#include "core/style/CssReader.h"

#include <QStringList>

CStyleRule::CStyleRule() : m_parts(std::make_unique<Parts>()) {}

CStyleRule::CStyleRule(const CStyleRule& other)
    : m_text(other.m_text),
      m_commentStart(other.m_commentStart),
      m_start(other.m_start),
      m_end(other.m_end),
      m_statement(other.m_statement),
      m_read(other.m_read),
      m_parts(other.m_parts ? std::make_unique<Parts>(*other.m_parts) : nullptr)
{
}

CStyleRule& CStyleRule::operator=(const CStyleRule& other)
{
    if (this != &other)
        *this = CStyleRule(other);
    return *this;
}

CStyleRule::~CStyleRule() = default;

std::vector<CStyleSelector>& CStyleRule::Selectors()
{
    Parse();
    return m_parts->selectors;
}

const std::vector<CStyleSelector>& CStyleRule::Selectors() const
{
    Parse();
    return m_parts->selectors;
}

CStyleDeclList& CStyleRule::Declarations()
{
    Parse();
    return m_parts->declarations;
}

const CStyleDeclList& CStyleRule::Declarations() const
{
    Parse();
    return m_parts->declarations;
}

QStringView CStyleRule::Comment() const
{
    return QStringView(m_text).mid(m_commentStart, m_start - m_commentStart);
}

bool CStyleRule::ParseRule(const QString& text, int* start, int* end)
{
    const CssReader reader(text);
    for (const CssItem& item : reader.ReadSheet()) {
        if (item.bodyStart < 0)
            continue;
        Read(reader, item);
        if (start)
            *start = item.start;
        if (end)
            *end = item.end;
        return true;
    }
    return false;
}

void CStyleRule::ParseInline(const QString& text)
{
    const CssReader reader(text);
    // The whole text is the block of a rule without selectors.
    CssItem item;
    item.kind = CssItem::Kind::QualifiedRule;
    item.end = item.bodyEnd = static_cast<int>(text.size());
    item.bodyStart = 0;
    item.bodyLast = reader.TokenCount();
    item.closed = true;
    Read(reader, item);
}

void CStyleRule::ReadLater(const CssReader& reader, const CssItem& item, int commentStart)
{
    m_text = reader.Text();
    m_commentStart = commentStart;
    m_start = item.start;
    m_end = item.end;
    m_statement = item.bodyStart < 0;
    m_read = true;
    m_parts.reset();
}

void CStyleRule::Read(const CssReader& reader, const CssItem& item)
{
    ReadLater(reader, item, item.start);
    m_parts = std::make_unique<Parts>();
    Fill(reader, item);
}

void CStyleRule::Parse() const
{
    if (m_parts)
        return;
    m_parts = std::make_unique<Parts>();
    // The rule's text alone reads as it did in its sheet: it starts and
    // ends where tokens do.
    const CssReader reader(Source().toString());
    const std::vector<CssItem> items = reader.ReadSheet();
    if (!items.empty())
        Fill(reader, items.front());
}

// The parts of the rule `item` of the reader, and where they stand in its
// text (offsets from the item's start).
void CStyleRule::Fill(const CssReader& reader, const CssItem& item) const
{
    Parts& p = *m_parts;
    const int at = item.start;
    SetSelectors(reader.PreludeText(item));
    const std::vector<CssItem> body = reader.ReadBody(item);
    p.declarations.Assign(reader, body);
    p.readSelectors = SelectorsText();
    p.readDeclarations = p.declarations;
    int prelude = item.preludeEnd;
    while (prelude > at && reader.Text()[prelude - 1].isSpace())
        --prelude;
    p.preludeEnd = prelude - at;
    p.bodyStart = m_statement ? item.end - at : item.bodyStart - at;
    p.bodyEnd = m_statement ? p.bodyStart : item.bodyEnd - at;
    p.spans.clear();
    p.spans.reserve(body.size());
    for (const CssItem& i : body)
        p.spans.push_back({i.start - at, i.end - at, i.nameEnd - at, i.valueStart - at,
                           i.valueEnd - at, i.importantEnd - at});
}

void CStyleRule::ParseSelectors(const QString& text)
{
    Parse();
    SetSelectors(text);
}

void CStyleRule::SetSelectors(const QString& text) const
{
    Parts& p = *m_parts;
    p.selectors.clear();
    p.selectorText = text;
    if (!text.startsWith(u'@')) {
        QStringList pieces = text.split(u',');
        if (pieces.size() > 1 && pieces.last().isEmpty())
            pieces.removeLast();
        for (const QString& piece : pieces) {
            CStyleSelector s;
            s.Parse(piece);
            p.selectors.push_back(std::move(s));
        }
    }
    p.selectorParts = p.selectors;
}

QString CStyleRule::SelectorsText() const
{
    if (!m_parts) {
        // Listing a rule reads no more of it than its selectors.
        const CssReader reader(Source().toString());
        const std::vector<CssItem> items = reader.ReadSheet();
        return items.empty() ? QString() : reader.PreludeText(items.front());
    }
    const Parts& p = *m_parts;
    if (p.selectors == p.selectorParts)
        return p.selectorText;
    QString out;
    for (size_t i = 0; i < p.selectors.size(); ++i) {
        if (i > 0)
            out += u',';
        out += p.selectors[i].ToText();
    }
    return out;
}

QString CStyleRule::ToText(bool inlineStyle, bool multiLine, const QString& lineEnd) const
{
    const CStyleDeclList& declarations = Declarations();
    if (inlineStyle)
        return declarations.ToText();
    if (m_statement)
        return SelectorsText() + CssClosers(SelectorsText()) + u';';
    if (!multiLine)
        return SelectorsText() + QStringLiteral(" {") + declarations.ToText() + u'}';
    return SelectorsText() + QStringLiteral(" {") + lineEnd
           + declarations.ToText(QStringLiteral("\t"), lineEnd) + u'}';
}

bool CStyleRule::Changed() const
{
    if (!m_parts)
        return false;
    return !m_read || m_parts->declarations != m_parts->readDeclarations
           || SelectorsText() != m_parts->readSelectors;
}

QString CStyleRule::WriteBack(bool inlineStyle, const QString& lineEnd) const
{
    if (!Changed())
        return Source().toString();
    QString out;
    if (m_read && !m_statement && EditInPlace(inlineStyle, lineEnd, out))
        return out;
    const QString own = OwnLineEnd();
    return ToText(inlineStyle, true, own.isEmpty() ? lineEnd : own);
}

namespace {

bool IsBreak(QChar c)
{
    return c == u'\n' || c == u'\r';
}

bool IsBlankChar(QChar c)
{
    return c == u' ' || c == u'\t';
}

qsizetype FirstBreak(QStringView text, qsizetype from, qsizetype to)
{
    for (qsizetype i = from; i < to; ++i)
        if (IsBreak(text[i]))
            return i;
    return -1;
}

} // namespace

QString LineEndAt(QStringView text, qsizetype i)
{
    if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
        return QStringLiteral("\r\n");
    return QString(text[i]);
}

QString FirstLineEnd(QStringView text)
{
    const qsizetype at = FirstBreak(text, 0, text.size());
    return at >= 0 ? LineEndAt(text, at) : QString();
}

QString LastLineEnd(QStringView text)
{
    for (qsizetype i = text.size(); i > 0; --i) {
        if (!IsBreak(text[i - 1]))
            continue;
        // The "\r" of a "\r\n" that ends there.
        return i >= 2 && text[i - 1] == u'\n' && text[i - 2] == u'\r' ? QStringLiteral("\r\n")
                                                                 : QString(text[i - 1]);
    }
    return QString();
}

QString LineEndAround(QStringView text, qsizetype start, qsizetype end)
{
    QString found = FirstLineEnd(text.mid(end));
    if (found.isEmpty())
        found = LastLineEnd(text.left(start));
    return found.isEmpty() ? QStringLiteral("\r\n") : found;
}

QString CStyleRule::OwnLineEnd() const
{
    return FirstLineEnd(Source());
}

bool CStyleRule::EditInPlace(bool inlineStyle, const QString& lineEnd, QString& out) const
{
    const Parts& p = *m_parts;
    const std::vector<CStyleDecl>& now = p.declarations.Items();
    const std::vector<CStyleDecl>& read = p.readDeclarations.Items();
    // An empty STYLE attribute has no layout to follow.
    if (inlineStyle && read.empty() && Source().trimmed().isEmpty())
        return false;
    // Entries that changed their order are written anew.
    int last = -1;
    for (const CStyleDecl& d : now) {
        if (d.origin < 0)
            continue;
        if (d.origin <= last || d.origin >= static_cast<int>(p.spans.size()))
            return false;
        last = d.origin;
    }
    const QStringView src = Source();
    auto slice = [&src](int a, int b) { return src.mid(a, b - a); };
    QString own = OwnLineEnd();
    const QString br = own.isEmpty() ? lineEnd : own;
    const bool multiLine = FirstBreak(src, p.bodyStart, p.bodyEnd) >= 0;

    // The rule's layout, from the entries that were read: the colon with
    // its blanks, what stands between two entries on a line, and the
    // indentation of an entry at the start of its line.
    QString colon = QStringLiteral(": ");
    QString gap = QStringLiteral(" ");
    QString indent = QStringLiteral("\t");
    bool colonFound = false, indentFound = false;
    for (size_t i = 0; i < p.spans.size(); ++i) {
        const Span& s = p.spans[i];
        if (!colonFound && !read[i].IsKept()) {
            const QStringView c = slice(s.nameEnd, s.valueStart);
            if (c.trimmed() == u":" && FirstBreak(c, 0, c.size()) < 0) {
                colon = c.toString();
                colonFound = true;
            }
        }
        // The last one, next to where entries are added (only one-line
        // blocks use it).
        if (i + 1 < p.spans.size()) {
            const QStringView g = slice(s.end, p.spans[i + 1].start);
            if (g.trimmed().isEmpty())
                gap = g.toString();
        }
        if (!indentFound) {
            int a = s.start;
            while (a > p.bodyStart && IsBlankChar(src[a - 1]))
                --a;
            if (a > p.bodyStart && IsBreak(src[a - 1])) {
                indent = slice(a, s.start).toString();
                indentFound = true;
            }
        }
    }

    out.clear();
    out.reserve(src.size() + 64);
    int pos = 0;
    if (!inlineStyle && SelectorsText() != p.readSelectors) {
        out += SelectorsText();
        pos = p.preludeEnd;
    }
    // Whether the last entry written lacks the ";" that ends it (the last
    // declaration of a rule often does): one written after it adds it.
    bool open = false;
    auto copyTo = [&](int to) {
        if (to > pos)
            out += slice(pos, to);
        pos = std::max(pos, to);
    };
    auto isOpen = [](QStringView text) {
        return !text.startsWith(u"/*") && !text.endsWith(u';') && !text.endsWith(u'}');
    };
    auto remove = [&](int i) {
        const Span& s = p.spans[i];
        int a = s.start, b = s.end;
        int lineStart = a, lineStop = b;
        while (lineStart > p.bodyStart && IsBlankChar(src[lineStart - 1]))
            --lineStart;
        while (lineStop < p.bodyEnd && IsBlankChar(src[lineStop]))
            ++lineStop;
        if (lineStart > p.bodyStart && IsBreak(src[lineStart - 1]) && lineStop < p.bodyEnd
            && IsBreak(src[lineStop])) {
            // Alone on its line: the line goes.
            a = lineStart;
            b = lineStop + static_cast<int>(LineEndAt(src, lineStop).size());
        } else if (lineStop < p.bodyEnd) {
            b = lineStop;
        } else {
            a = std::max(lineStart, pos);
        }
        copyTo(a);
        pos = b;
    };
    auto add = [&](const CStyleDecl& d, bool first) {
        QString text;
        const bool wasOpen = open;
        AppendStyleEntry(text, d, colon, !wasOpen);
        if (wasOpen)
            out += u';';
        if (multiLine) {
            out += br + indent + text;
        } else if (first) {
            // At the front of the block: after the blanks there, before
            // what follows.
            const int blanks = pos;
            int a = pos;
            while (a < p.bodyEnd && IsBlankChar(src[a]))
                ++a;
            copyTo(a);
            out += text;
            // In an empty block, the blanks on both sides ("{ x: 1; }").
            out += p.spans.empty() ? slice(blanks, a) : QStringView(gap);
        } else {
            out += gap + text;
        }
        open = wasOpen && isOpen(text);
    };

    copyTo(p.bodyStart);
    int next = 0;
    bool any = false;
    for (const CStyleDecl& d : now) {
        if (d.origin < 0) {
            add(d, !any);
            any = true;
            continue;
        }
        for (; next < d.origin; ++next)
            remove(next);
        const Span& s = p.spans[d.origin];
        const CStyleDecl& was = read[d.origin];
        copyTo(s.start);
        const qsizetype entry = out.size();
        if (d == was) {
            out += slice(s.start, s.end);
        } else if (d.IsKept() || was.IsKept()) {
            AppendStyleEntry(out, d, colon);
        } else {
            out += d.name;
            out += slice(s.nameEnd, s.valueStart);
            out += d.value;
            out += CssClosers(d.value);
            if (d.important && !was.important)
                out += QStringLiteral(" !important");
            out += slice(d.important || !was.important ? s.valueEnd : s.importantEnd, s.end);
        }
        pos = s.end;
        open = isOpen(QStringView(out).mid(entry));
        next = d.origin + 1;
        any = true;
    }
    for (; next < static_cast<int>(p.spans.size()); ++next)
        remove(next);
    copyTo(static_cast<int>(src.size()));
    out += CssClosers(out);
    return true;
}

bool CStyleRule::IsEditable() const
{
    if (m_statement)
        return false;
    const QString text = SelectorsText();
    if (!text.startsWith(u'@'))
        return true;
    static const QStringList withDeclarations{
        "@font-face",           "@page",     "@counter-style", "@property",
        "@font-palette-values", "@viewport", "@-ms-viewport"};
    qsizetype end = 1;
    while (end < text.size()
           && (text[end].isLetterOrNumber() || text[end] == u'-' || text[end] == u'_'))
        ++end;
    const QString keyword = text.left(end);
    return withDeclarations.contains(keyword, Qt::CaseInsensitive);
}
