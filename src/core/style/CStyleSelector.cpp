#include "core/style/CStyleSelector.h"

#include <QStringList>

void CStyleSelector::Parse(const QString& text)
{
    parts.clear();
    const QStringList pieces = text.split(u' ');
    for (const QString& piece : pieces) {
        CStyleSimpleSelector s;
        s.Parse(piece);
        parts.push_back(std::move(s));
    }
}

QString CStyleSelector::ToText() const
{
    QString out;
    for (size_t i = 0; i < parts.size(); ++i) {
        if (i > 0)
            out += u' ';
        out += parts[i].ToText();
    }
    return out;
}
