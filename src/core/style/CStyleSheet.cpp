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
        if (const qsizetype at = FirstLineBreak(rules[i].comment); at >= 0)
            after = LineBreakAt(rules[i].comment, at);
    }
    QString before = QStringLiteral("\r\n");
    for (size_t i = 0; i < rules.size(); ++i) {
        const QString& c = rules[i].comment;
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
        if (rule.comment.isEmpty() && !out.isEmpty() && !out.endsWith(u'\n') && rule.IsNew())
            out += ends[i];
        out += rule.comment;
        out += changed[i] ? rule.WriteBack(false, ends[i]) : rule.WriteBack();
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
        qsizetype blank = 0;
        while (blank < rule.comment.size() && rule.comment[blank].isSpace())
            ++blank;
        out += QStringView(rule.comment).mid(blank);
        out += rule.ToText(false, true, ends[i]);
        out += ends[i];
    }
    out += trailing;
    return out;
}
