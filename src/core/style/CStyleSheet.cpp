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
        rule.ReadLater(reader, item, previous);
        rules.push_back(std::move(rule));
        previous = item.end;
    }
    trailing = text.mid(previous);
    m_trailingBreak.clear();
    if (!rules.empty() && (trailing.startsWith(u'\r') || trailing.startsWith(u'\n'))) {
        m_trailingBreak = LineEndAt(trailing, 0);
        trailing.remove(0, m_trailingBreak.size());
    }
}

// The line end a rule written anew takes: its own, else the one after it in
// the sheet, else the one before it, else CR LF. A sheet whose first line
// ends in CR LF and the rest in LF gets no CR LF inside.
std::vector<QString> CStyleSheet::LineEnds(const std::vector<bool>& needed) const
{
    std::vector<QString> ends(rules.size());
    QString after = !m_trailingBreak.isEmpty() ? m_trailingBreak : FirstLineEnd(trailing);
    for (size_t i = rules.size(); i-- > 0;) {
        const QString own = rules[i].OwnLineEnd();
        ends[i] = !own.isEmpty() ? own : after;
        if (!own.isEmpty())
            after = own;
        if (const QString comment = FirstLineEnd(rules[i].Comment()); !comment.isEmpty())
            after = comment;
    }
    QString before = QStringLiteral("\r\n");
    for (size_t i = 0; i < rules.size(); ++i) {
        if (const QString comment = LastLineEnd(rules[i].Comment()); !comment.isEmpty())
            before = comment;
        if (ends[i].isEmpty() && needed[i])
            ends[i] = before;
        if (const QString own = rules[i].OwnLineEnd(); !own.isEmpty())
            before = own;
    }
    return ends;
}

QString CStyleSheet::ToText() const
{
    std::vector<bool> changed(rules.size());
    bool any = false;
    for (size_t i = 0; i < rules.size(); ++i) {
        changed[i] = rules[i].Changed();
        any = any || changed[i];
    }
    const std::vector<QString> ends = any ? LineEnds(changed) : std::vector<QString>();
    QString out;
    for (size_t i = 0; i < rules.size(); ++i) {
        const CStyleRule& rule = rules[i];
        // A new rule starts a line of its own.
        if (rule.IsNew() && !out.isEmpty() && !out.endsWith(u'\n'))
            out += ends[i];
        out += rule.Comment();
        if (changed[i])
            out += rule.WriteBack(false, ends[i]);
        else
            out += rule.Source();
    }
    out += m_trailingBreak;
    out += trailing;
    return out;
}

QString CStyleSheet::ToBlockText() const
{
    const std::vector<QString> ends = LineEnds(std::vector<bool>(rules.size(), true));
    QString out;
    for (size_t i = 0; i < rules.size(); ++i) {
        const CStyleRule& rule = rules[i];
        const QStringView comment = rule.Comment();
        qsizetype blank = 0;
        while (blank < comment.size() && comment[blank].isSpace())
            ++blank;
        out += comment.mid(blank);
        // A copy reads the rule's parts, the sheet keeps only its text.
        out += CStyleRule(rule).ToText(false, true, ends[i]);
        out += ends[i];
    }
    out += trailing;
    return out;
}
