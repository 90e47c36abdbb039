#include "core/style/CStyleSheet.h"

void CStyleSheet::ParseSheet(const QString& text)
{
    rules.clear();
    trailing.clear();
    enum class State { Before, Comment, After, Rule };
    State state = State::Before;
    qsizetype commentStart = -1;
    qsizetype ruleStart = 0;
    qsizetype lastEnd = 0;
    const qsizetype n = text.size();
    auto opensComment = [&](qsizetype i) {
        return text[i] == u'/' && i + 1 < n && text[i + 1] == u'*';
    };
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text[i];
        switch (state) {
        case State::Before:
        case State::After:
            if (c.isSpace())
                break;
            if (opensComment(i)) {
                // A comment right after another one belongs to the same rule.
                if (state == State::Before)
                    commentStart = i;
                state = State::Comment;
                ++i;
                break;
            }
            ruleStart = i;
            state = State::Rule;
            [[fallthrough]];
        case State::Rule:
            if (c == u'}') {
                CStyleRule rule;
                if (rule.ParseRule(text.mid(ruleStart, i - ruleStart + 1))) {
                    if (commentStart >= 0)
                        rule.comment = text.mid(commentStart, ruleStart - commentStart);
                    rules.push_back(std::move(rule));
                    lastEnd = i + 1;
                    commentStart = -1;
                    state = State::Before;
                } else {
                    if (commentStart < 0)
                        commentStart = ruleStart;
                    state = State::After;
                }
            }
            break;
        case State::Comment:
            if (c == u'*' && i + 1 < n && text[i + 1] == u'/') {
                state = State::After;
                ++i;
            }
            break;
        }
    }
    trailing = text.mid(lastEnd);
    if (trailing.startsWith(QStringLiteral("\r\n")))
        trailing.remove(0, 2);
}

QString CStyleSheet::ToText() const
{
    QString out;
    for (const CStyleRule& rule : rules) {
        out += rule.comment;
        out += rule.ToText(false, true);
        out += QStringLiteral("\r\n");
    }
    out += trailing;
    return out;
}
