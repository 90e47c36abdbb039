#include "core/style/StyleRuleSelect.h"

#include "core/edit/CKelvoView.h"
#include "core/edit/EditBuffer.h"
#include "core/style/CStyleRule.h"
#include "core/style/CssReader.h"
#include "core/tags/HtmlScanner.h"

bool IsCssPath(const QString& documentPath)
{
    const qsizetype dot = documentPath.lastIndexOf(u'.');
    return dot >= 0 && documentPath.mid(dot + 1).compare(u"css", Qt::CaseInsensitive) == 0;
}

namespace {

// The STYLE element text around a position: after the ">" of the last
// "<STYLE" start tag before it, up to the next "</STYLE" (or the end).
// Without a start tag before the position: the whole text up to "</STYLE".
void SheetAround(const QString& text, int position, int& from, int& to)
{
    from = 0;
    qsizetype open = position;
    for (;;) {
        open = open > 0 ? text.lastIndexOf(QStringLiteral("<style"), open - 1, Qt::CaseInsensitive)
                        : -1;
        if (open < 0)
            break;
        const qsizetype after = open + 6;
        if (after < text.size() && (text[after] == u'>' || text[after].isSpace())) {
            const qsizetype gt = text.indexOf(u'>', after);
            if (gt >= 0 && gt < position)
                from = static_cast<int>(gt + 1);
            break;
        }
    }
    const qsizetype close = text.indexOf(QStringLiteral("</style"), position, Qt::CaseInsensitive);
    to = close >= 0 ? static_cast<int>(close) : static_cast<int>(text.size());
}

// How deep rules are looked for inside rules: deeper text is hostile, not
// a sheet anybody edits.
constexpr int kMaxDepth = 64;

} // namespace

std::vector<StyleContents> AllStyleContents(QStringView text)
{
    std::vector<StyleContents> all;
    HtmlScanner scanner(text);
    HtmlToken token;
    while (scanner.Next(token)) {
        if (token.kind != HtmlToken::Kind::StartTag || !token.closed
            || token.Name(text).compare(u"style", Qt::CaseInsensitive) != 0)
            continue;
        int escape = 0;
        all.push_back(
            {static_cast<int>(token.end),
             static_cast<int>(HtmlScanner::RawTextEnd(text, token.end, u"style", escape))});
    }
    return all;
}

std::optional<StyleContents> FirstStyleContents(QStringView text)
{
    const std::vector<StyleContents> all = AllStyleContents(text);
    return all.empty() ? std::nullopt : std::optional(all.front());
}

std::optional<StyleContents> StyleContentsAt(QStringView text, int position)
{
    for (const StyleContents& c : AllStyleContents(text))
        if (position >= c.start && position <= c.end)
            return c;
    return std::nullopt;
}

bool InStyleSheet(CKelvoView& view, const QString& documentPath)
{
    if (IsCssPath(documentPath))
        return true;
    int position = 0, selEnd = 0;
    view.Buffer().GetSel(position, selEnd);
    return StyleContentsAt(view.Buffer().GetText(), position).has_value();
}

bool FindStyleRuleInSheet(QStringView sheet, int position, int& start, int& end)
{
    const CssReader reader(sheet.toString());
    std::vector<CssItem> items = reader.ReadSheet();
    bool found = false;
    for (int depth = 0; depth < kMaxDepth; ++depth) {
        const CssItem* holder = nullptr;
        for (const CssItem& item : items) {
            if (item.kind != CssItem::Kind::QualifiedRule && item.kind != CssItem::Kind::AtRule)
                continue;
            // A rule the text ends in holds the end as well.
            if (position >= item.start
                && (position < item.end || (!item.closed && position == item.end))) {
                holder = &item;
                break;
            }
        }
        if (!holder)
            break;
        CStyleRule rule;
        rule.Read(reader, *holder);
        if (rule.IsEditable()) {
            start = holder->start;
            end = holder->end;
            found = true;
        }
        if (holder->bodyStart < 0 || position < holder->bodyStart)
            break;
        items = reader.ReadBody(*holder);
    }
    return found;
}

bool FindStyleRule(const QString& text, int position, int& start, int& end)
{
    if (position < 0 || position > text.size())
        return false;
    int from = 0, to = 0;
    SheetAround(text, position, from, to);
    if (!FindStyleRuleInSheet(QStringView(text).mid(from, to - from), position - from, start, end))
        return false;
    start += from;
    end += from;
    return true;
}

bool SelectStyleRuleAtCaret(CKelvoView& view, const QString& documentPath)
{
    if (!InStyleSheet(view, documentPath))
        return false;
    EditBuffer& buffer = view.Buffer();
    int position = 0, selEnd = 0;
    buffer.GetSel(position, selEnd);
    const QString text = buffer.GetText();
    StyleContents sheet{0, static_cast<int>(text.size())};
    if (!IsCssPath(documentPath))
        sheet = StyleContentsAt(text, position).value_or(sheet);
    int start = 0, end = 0;
    if (!FindStyleRuleInSheet(QStringView(text).mid(sheet.start, sheet.end - sheet.start),
                              position - sheet.start, start, end))
        return false;
    start += sheet.start;
    end += sheet.start;
    buffer.SetSel(start, end);
    buffer.ScrollCaret();
    return true;
}
