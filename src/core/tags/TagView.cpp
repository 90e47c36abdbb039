#include "core/tags/TagView.h"

#include "core/app/CKelvoApp.h"
#include "core/edit/CKelvoView.h"
#include "core/edit/EditBuffer.h"
#include "core/tags/CTagDlg.h"
#include "core/tags/CTagObj.h"

#include <algorithm>

TagView::TagView(CKelvoView& view) : m_view(view), m_buffer(view.Buffer()) {}

QString TagView::GetSelectionText() const
{
    int start = 0, end = 0;
    m_buffer.GetSel(start, end);
    if (end <= start)
        return QString();
    return m_buffer.GetText().mid(start, end - start);
}

bool TagView::IsSelectedStartTag(const QString& selection, const QString& name)
{
    const qsizetype n = name.size();
    // "<", the name and at least the ">" after it.
    if (selection.size() < n + 2)
        return false;
    if (!selection.startsWith(u'<') || !selection.endsWith(u'>'))
        return false;
    if (QStringView(selection).mid(1, n).compare(name, Qt::CaseInsensitive) != 0)
        return false;
    const QChar after = selection.at(n + 1);
    if (after != u' ' && after != u'>')
        return false;
    return selection.indexOf(u'>') == selection.size() - 1;
}

bool TagView::SelectTagAtCaret()
{
    int caret = 0, selEnd = 0;
    m_buffer.GetSel(caret, selEnd);
    const QString text = m_buffer.GetText();
    const qsizetype n = text.size();
    if (caret < 0 || caret >= n)
        return false;

    // The character at the caret belongs to both scans, so a caret right
    // before "<" or right before ">" still counts as inside the tag.
    qsizetype open = -1;
    for (qsizetype i = caret; i >= 0; --i) {
        const QChar c = text.at(i);
        if (c == u'<') {
            open = i;
            break;
        }
        if (c == u'>' && i != caret)
            return false;
    }
    if (open < 0)
        return false;
    qsizetype close = -1;
    for (qsizetype i = caret; i < n; ++i) {
        const QChar c = text.at(i);
        if (c == u'>') {
            close = i;
            break;
        }
        if (c == u'<' && i != caret)
            return false;
    }
    if (close < 0)
        return false;
    m_buffer.SetSel(static_cast<int>(open), static_cast<int>(close + 1));
    m_buffer.ScrollCaret();
    return true;
}

bool TagView::FindTagInText(const QString& name, int& start, int& end) const
{
    const QString text = m_buffer.GetText();
    const qsizetype open = text.indexOf(u'<' + name);
    if (open < 0)
        return false;
    const qsizetype close = text.indexOf(u'>', open);
    if (close < 0)
        return false;
    start = static_cast<int>(open);
    end = static_cast<int>(close + 1);
    return true;
}

int TagView::FindTextFrom(int position, const QString& text) const
{
    const int length = m_buffer.GetTextLength();
    position = std::clamp(position, 0, length);
    const int firstLine = m_buffer.LineFromChar(position);
    const int lineCount = m_buffer.GetLineCount();
    for (int line = std::max(firstLine, 0); line < lineCount; ++line) {
        const int lineStart = m_buffer.LineIndex(line);
        if (lineStart < 0)
            break;
        const QString lineText = m_buffer.GetLine(line);
        const int from = line == firstLine ? position - lineStart : 0;
        if (from > lineText.size())
            continue;
        // A case-blind search keeps offsets exact; upper-casing the line
        // first could change its length (a sharp s becomes "SS").
        const qsizetype hit = lineText.indexOf(text, from, Qt::CaseInsensitive);
        if (hit >= 0)
            return lineStart + static_cast<int>(hit);
    }
    return -1;
}

int TagView::FindNoCase(const QString& text, const QString& pattern)
{
    return static_cast<int>(text.indexOf(pattern, 0, Qt::CaseInsensitive));
}

QString TagView::GetTagName(const QString& tagText)
{
    const qsizetype open = tagText.indexOf(u'<');
    if (open < 0)
        return QString();
    const qsizetype close = tagText.indexOf(u'>', open + 1);
    if (close < 0)
        return QString();
    const QString inner = tagText.mid(open + 1, close - open - 1);
    const qsizetype blank = inner.indexOf(u' ');
    return blank < 0 ? inner : inner.left(blank);
}

QString TagView::ProbeAttr(const QString& tagText, const QString& attrName)
{
    const qsizetype match = tagText.indexOf(u' ' + attrName, 0, Qt::CaseInsensitive);
    if (match < 0)
        return QString();
    const qsizetype n = tagText.size();
    qsizetype pos = match + 1 + attrName.size();
    while (pos < n && (tagText.at(pos) == u' ' || tagText.at(pos) == u'='))
        ++pos;
    if (pos < n && tagText.at(pos) == u'"')
        ++pos;
    const QString rest = tagText.mid(pos);
    qsizetype end = rest.indexOf(u'"');
    if (end < 0)
        end = rest.indexOf(u' ');
    if (end < 0)
        end = rest.indexOf(u'>');
    QString value = end < 0 ? rest : rest.left(end);
    if (value.startsWith(u'"'))
        value = value.size() >= 2 ? value.mid(1, value.size() - 2) : QString();
    return value;
}

void TagView::CollectStyleClasses(const QString& tagName, QStringList& classes) const
{
    classes.clear();
    int styleStart = 0, styleEnd = 0, closeStart = 0, closeEnd = 0;
    if (!FindTagInText(QStringLiteral("STYLE"), styleStart, styleEnd)
        || !FindTagInText(QStringLiteral("/STYLE"), closeStart, closeEnd))
        return;
    if (closeStart < styleEnd)
        return;
    // Every line between the two tags counts, the first and the last
    // included, whether or not the rules are wrapped in "<!--" and "-->".
    const QString block = m_buffer.GetText().mid(styleEnd, closeStart - styleEnd);
    const QStringList lines = block.split(kCrLf);
    for (const QString& line : lines) {
        const qsizetype brace = line.indexOf(u'{');
        if (brace < 0)
            continue;
        const QString selector = line.left(brace).trimmed();
        const qsizetype dot = selector.indexOf(u'.');
        if (dot < 0)
            continue;
        const QString element = selector.left(dot);
        if (element.isEmpty() || element.compare(tagName, Qt::CaseInsensitive) == 0)
            classes.append(selector.mid(dot + 1));
    }
}

void TagView::WrapSelection(const QString& name, bool lineBreaks, bool trailingBreak)
{
    CTagObj tag(name);
    tag.SetInnerText(GetSelectionText());
    QString text = tag.GetElement(lineBreaks);
    if (trailingBreak)
        text += kCrLf;
    m_view.InsertTagText(text, true);
}

void TagView::InsertSimpleTag(const QString& name, bool trailingBreak)
{
    QString text = CTagObj(name).GetStartTag();
    if (trailingBreak)
        text += kCrLf;
    m_view.InsertTagText(text, true);
}

bool TagView::RunTagDialog(CTagDlg& dialog, const QString& name, bool wrap, bool lineBreaks,
                           bool withClasses)
{
    if (withClasses)
        CollectStyleClasses(name, dialog.ClassList());
    const QString selection = GetSelectionText();
    const bool existing = IsSelectedStartTag(selection, name);
    if (existing) {
        dialog.Tag().Parse(selection);
    } else {
        dialog.Tag().SetName(name);
        if (wrap)
            dialog.Tag().SetInnerText(selection);
    }
    const CTagObj before = dialog.Tag();
    if (!dialog.DoModal(m_view.App()))
        return false;

    const CTagObj& tag = dialog.Tag();
    if (existing || !wrap) {
        m_view.InsertTagText(tag.GetStartTag(), true);
        if (tag.Name() != before.Name()) {
            int start = 0, end = 0;
            m_buffer.GetSel(start, end);
            const QString oldEnd = before.GetEndTag();
            const int found = FindTextFrom(end, oldEnd);
            if (found >= 0) {
                m_buffer.SetSel(found, found + static_cast<int>(oldEnd.size()));
                // The end tag is not a new tag to repeat: the re-insert
                // command keeps the start tag just written.
                m_view.InsertTagText(tag.GetEndTag(), false);
                m_buffer.SetSel(start, end);
            }
        }
    } else {
        m_view.InsertTagText(tag.GetElement(lineBreaks), true);
    }
    return true;
}
