#include "core/style/CStyleRule.h"

#include <QStringList>

bool CStyleRule::ParseRule(const QString& source)
{
    QString text = source;
    text.remove(u'\r');
    text.remove(u'\n');
    const qsizetype open = text.indexOf(u'{');
    if (open < 0)
        return false;
    ParseSelectors(text.left(open).trimmed());
    const qsizetype close = text.indexOf(u'}', open + 1);
    if (close < 0)
        return false;
    declarations.Parse(text.mid(open + 1, close - open - 1));
    return true;
}

void CStyleRule::ParseSelectors(const QString& text)
{
    selectors.clear();
    QStringList pieces = text.split(u',');
    if (pieces.size() > 1 && pieces.last().isEmpty())
        pieces.removeLast();
    for (const QString& piece : pieces) {
        CStyleSelector s;
        s.Parse(piece);
        selectors.push_back(std::move(s));
    }
}

QString CStyleRule::SelectorsText() const
{
    QString out;
    for (size_t i = 0; i < selectors.size(); ++i) {
        if (i > 0)
            out += u',';
        out += selectors[i].ToText();
    }
    return out;
}

QString CStyleRule::ToText(bool inlineStyle, bool multiLine) const
{
    if (inlineStyle)
        return declarations.ToText();
    if (!multiLine)
        return SelectorsText() + QStringLiteral(" {") + declarations.ToText() + u'}';
    return SelectorsText() + QStringLiteral(" {\r\n")
           + declarations.ToText(QStringLiteral("\t"), QStringLiteral("\r\n")) + u'}';
}
