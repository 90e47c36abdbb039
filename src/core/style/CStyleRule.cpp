#include "core/style/CStyleRule.h"

#include "core/style/CssReader.h"

#include <QStringList>

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
    selectors.clear();
    m_selectorText.clear();
    m_selectorParts.clear();
    const CssReader reader(text);
    const std::vector<CssItem> items =
        reader.ReadContents(0, static_cast<int>(reader.Tokens().size()));
    declarations.Assign(reader, items);
    m_statement = false;
    Remember(text);
    m_preludeEnd = m_bodyStart = 0;
    m_bodyEnd = static_cast<int>(text.size());
    RememberSpans(reader, items, 0);
}

void CStyleRule::Read(const CssReader& reader, const CssItem& item)
{
    ParseSelectors(reader.PreludeText(item));
    m_statement = item.bodyStart < 0;
    const std::vector<CssItem> body = reader.ReadBody(item);
    declarations.Assign(reader, body);
    Remember(reader.Slice(item.start, item.end).toString());
    int prelude = item.preludeEnd;
    while (prelude > item.start && reader.Text()[prelude - 1].isSpace())
        --prelude;
    m_preludeEnd = prelude - item.start;
    m_bodyStart = m_statement ? item.end - item.start : item.bodyStart - item.start;
    m_bodyEnd = m_statement ? m_bodyStart : item.bodyEnd - item.start;
    RememberSpans(reader, body, item.start);
}

void CStyleRule::RememberSpans(const CssReader&, const std::vector<CssItem>& items, int offset)
{
    m_spans.clear();
    m_spans.reserve(items.size());
    for (const CssItem& i : items) {
        if (i.kind == CssItem::Kind::Declaration)
            m_spans.push_back({i.start - offset, i.end - offset, i.nameEnd - offset,
                               i.valueStart - offset, i.valueEnd - offset,
                               i.importantEnd - offset});
        else
            m_spans.push_back({i.start - offset, i.end - offset, 0, 0, 0, 0});
    }
}

void CStyleRule::Remember(const QString& source)
{
    m_read = true;
    m_source = source;
    m_readSelectors = SelectorsText();
    m_readDeclarations = declarations;
}

void CStyleRule::ParseSelectors(const QString& text)
{
    selectors.clear();
    m_selectorText = text;
    if (!text.startsWith(u'@')) {
        QStringList pieces = text.split(u',');
        if (pieces.size() > 1 && pieces.last().isEmpty())
            pieces.removeLast();
        for (const QString& piece : pieces) {
            CStyleSelector s;
            s.Parse(piece);
            selectors.push_back(std::move(s));
        }
    }
    m_selectorParts = selectors;
}

QString CStyleRule::SelectorsText() const
{
    if (selectors == m_selectorParts)
        return m_selectorText;
    QString out;
    for (size_t i = 0; i < selectors.size(); ++i) {
        if (i > 0)
            out += u',';
        out += selectors[i].ToText();
    }
    return out;
}

QString CStyleRule::ToText(bool inlineStyle, bool multiLine, const QString& lineEnd) const
{
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
    return !m_read || declarations != m_readDeclarations || SelectorsText() != m_readSelectors;
}

QString CStyleRule::WriteBack(bool inlineStyle, const QString& lineEnd) const
{
    if (!Changed())
        return m_source;
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

// The line end at i ("\r\n", "\n" or "\r").
QString BreakAt(QStringView text, qsizetype i)
{
    if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
        return QStringLiteral("\r\n");
    return QString(text[i]);
}

qsizetype FirstBreak(QStringView text, qsizetype from, qsizetype to)
{
    for (qsizetype i = from; i < to; ++i)
        if (IsBreak(text[i]))
            return i;
    return -1;
}

} // namespace

QString LineEndAround(QStringView text, qsizetype start, qsizetype end)
{
    const qsizetype after = FirstBreak(text, end, text.size());
    if (after >= 0)
        return BreakAt(text, after);
    for (qsizetype i = start; i > 0; --i) {
        if (!IsBreak(text[i - 1]))
            continue;
        // The "\r" of a "\r\n" that ends just before it.
        return i >= 2 && text[i - 1] == u'\n' && text[i - 2] == u'\r' ? QStringLiteral("\r\n")
                                                                 : QString(text[i - 1]);
    }
    return QStringLiteral("\r\n");
}

QString CStyleRule::OwnLineEnd() const
{
    const qsizetype at = FirstBreak(m_source, 0, m_source.size());
    return at >= 0 ? BreakAt(m_source, at) : QString();
}

bool CStyleRule::EditInPlace(bool inlineStyle, const QString& lineEnd, QString& out) const
{
    const std::vector<CStyleDecl>& now = declarations.Items();
    const std::vector<CStyleDecl>& read = m_readDeclarations.Items();
    // An empty STYLE attribute has no layout to follow.
    if (inlineStyle && read.empty() && QStringView(m_source).trimmed().isEmpty())
        return false;
    // Entries that changed their order are written anew.
    int last = -1;
    for (const CStyleDecl& d : now) {
        if (d.origin < 0)
            continue;
        if (d.origin <= last || d.origin >= static_cast<int>(m_spans.size()))
            return false;
        last = d.origin;
    }
    const QStringView src(m_source);
    auto slice = [&src](int a, int b) { return src.mid(a, b - a); };
    QString own = OwnLineEnd();
    const QString br = own.isEmpty() ? lineEnd : own;
    const bool multiLine = FirstBreak(src, m_bodyStart, m_bodyEnd) >= 0;

    // The rule's layout, from the entries that were read: the colon with
    // its blanks, what stands between two entries on a line, and the
    // indentation of an entry at the start of its line.
    QString colon = QStringLiteral(": ");
    QString gap = QStringLiteral(" ");
    QString indent = QStringLiteral("\t");
    bool colonFound = false, gapFound = false, indentFound = false;
    for (size_t i = 0; i < m_spans.size(); ++i) {
        const Span& s = m_spans[i];
        if (!colonFound && !read[i].IsKept()) {
            const QStringView c = slice(s.nameEnd, s.valueStart);
            if (c.trimmed() == u":" && FirstBreak(c, 0, c.size()) < 0) {
                colon = c.toString();
                colonFound = true;
            }
        }
        if (!gapFound && i + 1 < m_spans.size()) {
            const QStringView g = slice(s.end, m_spans[i + 1].start);
            if (g.trimmed().isEmpty() && FirstBreak(g, 0, g.size()) < 0) {
                gap = g.toString();
                gapFound = true;
            }
        }
        if (!indentFound) {
            int a = s.start;
            while (a > m_bodyStart && IsBlankChar(src[a - 1]))
                --a;
            if (a > m_bodyStart && IsBreak(src[a - 1])) {
                indent = slice(a, s.start).toString();
                indentFound = true;
            }
        }
    }

    out.clear();
    out.reserve(m_source.size() + 64);
    int pos = 0;
    if (!inlineStyle && SelectorsText() != m_readSelectors) {
        out += SelectorsText();
        pos = m_preludeEnd;
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
        const Span& s = m_spans[i];
        int a = s.start, b = s.end;
        int lineStart = a, lineEnd = b;
        while (lineStart > m_bodyStart && IsBlankChar(src[lineStart - 1]))
            --lineStart;
        while (lineEnd < m_bodyEnd && IsBlankChar(src[lineEnd]))
            ++lineEnd;
        if (lineStart > m_bodyStart && IsBreak(src[lineStart - 1]) && lineEnd < m_bodyEnd
            && IsBreak(src[lineEnd])) {
            // Alone on its line: the line goes.
            a = lineStart;
            b = lineEnd + static_cast<int>(BreakAt(src, lineEnd).size());
        } else if (lineEnd < m_bodyEnd) {
            b = lineEnd;
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
            while (a < m_bodyEnd && IsBlankChar(src[a]))
                ++a;
            copyTo(a);
            out += text;
            // In an empty block, the blanks on both sides ("{ x: 1; }").
            out += m_spans.empty() ? slice(blanks, a) : QStringView(gap);
        } else {
            out += gap + text;
        }
        open = wasOpen && isOpen(text);
    };

    copyTo(m_bodyStart);
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
        const Span& s = m_spans[d.origin];
        const CStyleDecl& was = read[d.origin];
        copyTo(s.start);
        const qsizetype entry = out.size();
        if (d == was) {
            out += slice(s.start, s.end);
        } else if (d.IsKept() || was.IsKept()) {
            AppendStyleEntry(out, d, colon);
        } else {
            out += d.name == was.name ? slice(s.start, s.nameEnd) : QStringView(d.name);
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
    for (; next < static_cast<int>(m_spans.size()); ++next)
        remove(next);
    copyTo(static_cast<int>(m_source.size()));
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
