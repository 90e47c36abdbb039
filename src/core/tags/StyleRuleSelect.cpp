#include "core/tags/StyleRuleSelect.h"

#include "core/edit/CKelvoView.h"
#include "core/edit/EditBuffer.h"

bool InStyleSheet(CKelvoView& view, const QString& documentPath)
{
    const qsizetype dot = documentPath.lastIndexOf(u'.');
    if (dot >= 0 && documentPath.mid(dot + 1).compare(u"css", Qt::CaseInsensitive) == 0)
        return true;
    EditBuffer& buffer = view.Buffer();
    int position = 0, selEnd = 0;
    buffer.GetSel(position, selEnd);
    const QString text = buffer.GetText();
    // Documents write their tags in either case; "<style>" is as much a
    // style element as "<STYLE>".
    const qsizetype open = text.indexOf(QStringLiteral("<STYLE"), 0, Qt::CaseInsensitive);
    if (open < 0)
        return false;
    const qsizetype openEnd = text.indexOf(u'>', open);
    if (openEnd < 0)
        return false;
    const qsizetype close = text.indexOf(QStringLiteral("</STYLE"), openEnd, Qt::CaseInsensitive);
    if (close < 0)
        return false;
    return position > openEnd && position < close;
}

bool FindStyleRule(const QString& text, int position, int& start, int& end)
{
    const int n = static_cast<int>(text.size());
    if (position < 0 || position > n)
        return false;
    bool brace = false;

    int ruleEnd = position;
    for (int i = position; i < n; ++i) {
        const QChar c = text.at(i);
        const QChar next = i + 1 < n ? text.at(i + 1) : QChar();
        if (c == u'{') {
            brace = true;
        } else if (c == u'}') {
            ruleEnd = i + 1;
            break;
        } else if (c == u'<') {
            ruleEnd = i;
            break;
        } else if (c == u'>' || (c == u'*' && next == u'/') || (c == u'/' && next == u'*')) {
            return false;
        }
    }

    int ruleStart = -1;
    for (int i = position - 1; i >= 0 && ruleStart < 0; --i) {
        const QChar c = text.at(i);
        const QChar before = i > 0 ? text.at(i - 1) : QChar();
        if (c == u'{') {
            brace = true;
        } else if (c == u'}' || c == u'>'
                   || (c == u'-' && i >= 3 && text.mid(i - 3, 4) == u"<!--")) {
            if (!brace)
                return false;
            ruleStart = i + 1;
        } else if (c == u'/') {
            // "*/" ends a comment before the rule; any other slash is taken
            // for a text that is a style sheet from its very start.
            ruleStart = before == u'*' ? i + 1 : 0;
        } else if ((c == u'*' && before == u'/') || c == u'<') {
            return false;
        }
    }
    if (ruleStart < 0) {
        if (!brace)
            return false;
        ruleStart = 0;
    }
    if (ruleEnd - ruleStart > 2)
        while (ruleStart < ruleEnd && (text.at(ruleStart) == u'\r' || text.at(ruleStart) == u'\n'))
            ++ruleStart;
    start = ruleStart;
    end = ruleEnd;
    return true;
}

bool SelectStyleRuleAtCaret(CKelvoView& view, const QString& documentPath)
{
    if (!InStyleSheet(view, documentPath))
        return false;
    EditBuffer& buffer = view.Buffer();
    int position = 0, selEnd = 0;
    buffer.GetSel(position, selEnd);
    int start = 0, end = 0;
    if (!FindStyleRule(buffer.GetText(), position, start, end))
        return false;
    buffer.SetSel(start, end);
    buffer.ScrollCaret();
    return true;
}
