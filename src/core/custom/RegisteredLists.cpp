#include "core/custom/RegisteredLists.h"

#include "core/app/CKelvoApp.h"

namespace {

QString Index(int i)
{
    return QStringLiteral("%1").arg(i, 2, 10, QChar(u'0'));
}

} // namespace

std::vector<RegisteredTool> LoadRegisteredTools(const CKelvoApp& app, int limit)
{
    const QString section = QStringLiteral("Tool");
    const int count = app.GetProfileInt(section, QStringLiteral("Count"), 0);
    std::vector<RegisteredTool> tools;
    for (int i = 0; i < count && i < limit; ++i)
        tools.push_back({app.GetProfileString(section, QStringLiteral("Name") + Index(i)),
                         app.GetProfileString(section, QStringLiteral("File") + Index(i))});
    return tools;
}

std::vector<RegisteredTag> LoadRegisteredTags(const CKelvoApp& app, int limit)
{
    const QString section = QStringLiteral("TagMenu");
    const int count = app.GetProfileInt(section, QStringLiteral("TagNo"), 0);
    std::vector<RegisteredTag> tags;
    for (int i = 0; i < count && i < limit; ++i)
        tags.push_back({app.GetProfileString(section, QStringLiteral("Name") + Index(i)),
                        app.GetProfileString(section, QStringLiteral("Tag1") + Index(i)),
                        app.GetProfileString(section, QStringLiteral("Tag2") + Index(i))});
    return tags;
}
