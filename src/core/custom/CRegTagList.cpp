#include "core/custom/CRegTagList.h"

#include "core/app/CKelvoApp.h"

namespace {
const QString kSection = QStringLiteral("TagMenu");
}

void CRegTagList::Load(const CKelvoApp& app)
{
    entries = LoadRegisteredTags(app, kMaxEntries);
}

void CRegTagList::Save(CKelvoApp& app) const
{
    app.WriteProfileInt(kSection, QStringLiteral("TagNo"), static_cast<int>(entries.size()));
    for (int i = 0; i < static_cast<int>(entries.size()); ++i) {
        app.WriteProfileString(kSection, ListKey(QStringLiteral("Tag1"), i), entries[i].startText);
        app.WriteProfileString(kSection, ListKey(QStringLiteral("Tag2"), i), entries[i].endText);
        app.WriteProfileString(kSection, ListKey(QStringLiteral("Name"), i), entries[i].name);
    }
}
