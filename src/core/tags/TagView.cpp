#include "core/tags/TagView.h"

#include "core/app/CKelvoApp.h"
#include "core/edit/CKelvoView.h"
#include "core/edit/EditBuffer.h"
#include "core/tags/CTagDlg.h"
#include "core/tags/CTagObj.h"
#include "core/tags/HtmlScanner.h"
#include "core/tags/TagCase.h"

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
    const std::optional<HtmlToken> tag = HtmlScanner::ReadAt(selection, 0);
    return tag && tag->kind == HtmlToken::Kind::StartTag && tag->closed
           && tag->end == selection.size()
           && tag->Name(selection).compare(name, Qt::CaseInsensitive) == 0;
}

bool TagView::SelectTagAtCaret()
{
    int caret = 0, selEnd = 0;
    m_buffer.GetSel(caret, selEnd);
    const std::optional<HtmlToken> tag = HtmlScanner::TagAt(m_buffer.GetText(), caret);
    if (!tag)
        return false;
    m_buffer.SetSel(static_cast<int>(tag->start), static_cast<int>(tag->end));
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
    HtmlScanner scanner(tagText);
    HtmlToken token;
    while (scanner.Next(token)) {
        if (!token.IsTag())
            continue;
        if (!token.closed)
            return QString();
        const QString name = token.Name(tagText).toString();
        return token.kind == HtmlToken::Kind::EndTag ? u'/' + name : name;
    }
    return QString();
}

QString TagView::ProbeAttr(const QString& tagText, const QString& attrName)
{
    CTagObj tag;
    tag.Parse(tagText);
    return tag.GetAttr(attrName);
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
        const QString startTag = tag.GetStartTag();
        // Nothing changed: the page stays as it is, byte for byte.
        if (existing && startTag == selection)
            return true;
        int start = 0, end = 0;
        m_buffer.GetSel(start, end);
        const QString text = m_buffer.GetText();
        const std::optional<HtmlToken> oldStart =
            existing ? HtmlScanner::ReadAt(text, start) : std::nullopt;
        const std::optional<HtmlToken> oldEnd =
            oldStart && tag.Name() != before.Name() ? HtmlScanner::MatchingEndTag(text, *oldStart)
                                                    : std::nullopt;
        if (!oldEnd) {
            m_view.InsertTagText(startTag, true);
            return true;
        }
        // A renamed element takes its own end tag along, nested elements of
        // the same name counted, in one edit (one undo step).
        QString newStart = startTag;
        QString newEnd = tag.GetEndTag();
        if (m_view.App().TagLower()) {
            ConvertTagCase(newStart, true);
            ConvertTagCase(newEnd, true);
        }
        m_buffer.SetSel(start, static_cast<int>(oldEnd->end));
        m_buffer.ReplaceSel(newStart + text.mid(end, oldEnd->start - end) + newEnd);
        m_view.RememberTagsOf(startTag);
        // Where InsertTagText of the start tag alone would leave it.
        const int after = start + static_cast<int>(newStart.size());
        const bool keepSelected = m_view.App().GetProfileInt(
                                      settings::System, QStringLiteral("TagSelectContinue"), 0)
                                  != 0;
        m_buffer.SetSel(keepSelected ? start : after, after);
        m_buffer.ScrollCaret();
    } else {
        m_view.InsertTagText(tag.GetElement(lineBreaks), true);
    }
    return true;
}
