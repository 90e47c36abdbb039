#include "core/style/CStyleSheet.h"

#include "core/style/CssReader.h"

void CStyleSheet::ParseSheet(const QString& text)
{
    rules.clear();
    const CssReader reader(text);
    const std::vector<CssItem> items = reader.ReadSheet();
    rules.reserve(items.size());
    int previous = 0;
    for (const CssItem& item : items) {
        CStyleRule rule;
        rule.comment = text.mid(previous, item.start - previous);
        rule.Read(reader, item);
        rules.push_back(std::move(rule));
        previous = item.end;
    }
    trailing = text.mid(previous);
    m_trailingBreak = !rules.empty() && trailing.startsWith(QStringLiteral("\r\n"));
    if (m_trailingBreak)
        trailing.remove(0, 2);
}

QString CStyleSheet::ToText() const
{
    QString out;
    for (const CStyleRule& rule : rules) {
        // A new rule starts a line of its own.
        if (rule.comment.isEmpty() && !out.isEmpty() && !out.endsWith(u'\n') && rule.Changed())
            out += QStringLiteral("\r\n");
        out += rule.comment;
        out += rule.WriteBack();
    }
    if (m_trailingBreak)
        out += QStringLiteral("\r\n");
    out += trailing;
    return out;
}

QString CStyleSheet::ToBlockText() const
{
    QString out;
    for (const CStyleRule& rule : rules) {
        qsizetype blank = 0;
        while (blank < rule.comment.size() && rule.comment[blank].isSpace())
            ++blank;
        out += QStringView(rule.comment).mid(blank);
        out += rule.ToText(false, true);
        out += QStringLiteral("\r\n");
    }
    out += trailing;
    return out;
}
