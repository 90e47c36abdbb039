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
    m_trailingBreak = !rules.empty() && trailing.startsWith(QStringLiteral("\r\n"));
    if (m_trailingBreak)
        trailing.remove(0, 2);
}

namespace {

qsizetype FirstLineBreak(QStringView text)
{
    for (qsizetype i = 0; i < text.size(); ++i)
        if (text[i] == u'\n' || text[i] == u'\r')
            return i;
    return -1;
}

QString LineBreakAt(QStringView text, qsizetype i)
{
    return text.mid(i).startsWith(u"\r\n") ? QStringLiteral("\r\n") : QString(text[i]);
}

} // namespace

// The line end a rule written anew takes: its own, else the one after it in
// the sheet, else the one before it, else CR LF. A sheet whose first line
// ends in CR LF and the rest in LF gets no CR LF inside.
std::vector<QString> CStyleSheet::LineEnds(const std::vector<bool>& needed) const
{
    std::vector<QString> ends(rules.size());
    QString after;
    if (m_trailingBreak)
        after = QStringLiteral("\r\n");
    else if (const qsizetype at = FirstLineBreak(trailing); at >= 0)
        after = LineBreakAt(trailing, at);
    for (size_t i = rules.size(); i-- > 0;) {
        const QString own = rules[i].OwnLineEnd();
        ends[i] = !own.isEmpty() ? own : after;
        if (!own.isEmpty())
            after = own;
        if (const qsizetype at = FirstLineBreak(rules[i].Comment()); at >= 0)
            after = LineBreakAt(rules[i].Comment(), at);
    }
    QString before = QStringLiteral("\r\n");
    for (size_t i = 0; i < rules.size(); ++i) {
        const QStringView c = rules[i].Comment();
        for (qsizetype k = c.size(); k-- > 0;) {
            if (c[k] == u'\n' || c[k] == u'\r') {
                before = k > 0 && c[k] == u'\n' && c[k - 1] == u'\r' ? QStringLiteral("\r\n")
                                                                 : QString(c[k]);
                break;
            }
        }
        if (ends[i].isEmpty() && needed[i])
            ends[i] = before;
        const QString own = rules[i].OwnLineEnd();
        if (!own.isEmpty())
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
    if (m_trailingBreak)
        out += QStringLiteral("\r\n");
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
