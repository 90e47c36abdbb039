#include "core/style/StyleRuleSelect.h"

#include "core/edit/CKelvoView.h"
#include "core/edit/EditBuffer.h"
#include "core/style/CStyleRule.h"
#include "core/style/CssReader.h"

namespace {

bool IsCssPath(const QString& documentPath)
{
    const qsizetype dot = documentPath.lastIndexOf(u'.');
    return dot >= 0 && documentPath.mid(dot + 1).compare(u"css", Qt::CaseInsensitive) == 0;
}

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

bool InStyleSheet(CKelvoView& view, const QString& documentPath)
{
    if (IsCssPath(documentPath))
        return true;
    EditBuffer& buffer = view.Buffer();
    int position = 0, selEnd = 0;
    buffer.GetSel(position, selEnd);
    const QString text = buffer.GetText();
    // Documents write their tags in either case; "<style>" is as much a
    // style element as "<STYLE>".
    const qsizetype open =
        position > 0 ? text.lastIndexOf(QStringLiteral("<STYLE"), position - 1, Qt::CaseInsensitive)
                     : -1;
    if (open < 0)
        return false;
    const qsizetype openEnd = text.indexOf(u'>', open);
    if (openEnd < 0 || openEnd >= position)
        return false;
    const qsizetype close = text.indexOf(QStringLiteral("</STYLE"), openEnd, Qt::CaseInsensitive);
    return close >= position;
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
    int start = 0, end = 0;
    const bool found = IsCssPath(documentPath) ? FindStyleRuleInSheet(text, position, start, end)
                                               : FindStyleRule(text, position, start, end);
    if (!found)
        return false;
    buffer.SetSel(start, end);
    buffer.ScrollCaret();
    return true;
}
