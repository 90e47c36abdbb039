#include "core/custom/MenuKeyNames.h"

void MenuKeyNames::Set(int command, const QString& name)
{
    if (name.isEmpty())
        m_names.erase(command);
    else
        m_names[command] = name;
}

QString MenuKeyNames::Name(int command) const
{
    const auto it = m_names.find(command);
    return it == m_names.end() ? QString() : it->second;
}

QString CaptionWithKeyName(const QString& caption, const QString& name)
{
    const qsizetype tab = caption.indexOf(u'\t');
    QString text = tab < 0 ? caption : caption.left(tab);
    if (!name.isEmpty())
        text += u'\t' + name;
    return text;
}
