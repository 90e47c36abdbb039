#include "core/custom/RegisteredLists.h"

#include "core/app/CKelvoApp.h"

QString ListKey(const QString& prefix, int i)
{
    return prefix + QStringLiteral("%1").arg(i, 2, 10, QChar(u'0'));
}

QString RegisteredTag::Caption() const
{
    QString text = name.isEmpty() ? startText + endText : name;
    text.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
    for (QChar& c : text)
        if (c == u'\t' || c == u'\r' || c == u'\n')
            c = u' ';
    return text;
}

std::vector<RegisteredTool> LoadRegisteredTools(const CKelvoApp& app, int limit)
{
    const QString section = QStringLiteral("Tool");
    const int count = app.GetProfileInt(section, QStringLiteral("Count"), 0);
    std::vector<RegisteredTool> tools;
    for (int i = 0; i < count && i < limit; ++i)
        tools.push_back({app.GetProfileString(section, ListKey(QStringLiteral("Name"), i)),
                         app.GetProfileString(section, ListKey(QStringLiteral("File"), i))});
    return tools;
}

std::vector<RegisteredTag> LoadRegisteredTags(const CKelvoApp& app, int limit)
{
    const QString section = QStringLiteral("TagMenu");
    const int count = app.GetProfileInt(section, QStringLiteral("TagNo"), 0);
    std::vector<RegisteredTag> tags;
    for (int i = 0; i < count && i < limit; ++i)
        tags.push_back({app.GetProfileString(section, ListKey(QStringLiteral("Name"), i)),
                        app.GetProfileString(section, ListKey(QStringLiteral("Tag1"), i)),
                        app.GetProfileString(section, ListKey(QStringLiteral("Tag2"), i))});
    return tags;
}
