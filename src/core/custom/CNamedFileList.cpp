#include "core/custom/CNamedFileList.h"

#include "core/app/CKelvoApp.h"
#include "core/custom/RegisteredLists.h"

#include <utility>

const QString CNamedFileList::kTemplateSection = QStringLiteral("Template");
const QString CNamedFileList::kComponentSection = QStringLiteral("DirMenu");

void CNamedFileList::Load(const CKelvoApp& app)
{
    m_entries.clear();
    // The count comes from a file the user can edit; the list holds no more
    // than its room.
    const int count = std::min(app.GetProfileInt(m_section, QStringLiteral("DirNo"), 0), kMaxEntries);
    for (int i = 0; i < count; ++i)
        m_entries.push_back({app.GetProfileString(m_section, ListKey(QStringLiteral("Name"), i)),
                             app.GetProfileString(m_section, ListKey(QStringLiteral("Dir"), i))});
}

void CNamedFileList::Save(CKelvoApp& app) const
{
    app.WriteProfileInt(m_section, QStringLiteral("DirNo"), Count());
    for (int i = 0; i < Count(); ++i) {
        app.WriteProfileString(m_section, ListKey(QStringLiteral("Name"), i), m_entries[i].title);
        app.WriteProfileString(m_section, ListKey(QStringLiteral("Dir"), i), m_entries[i].path);
    }
}

bool CNamedFileList::Append(const Entry& entry)
{
    if (IsFull())
        return false;
    m_entries.push_back(entry);
    return true;
}

void CNamedFileList::RemoveAt(int index)
{
    if (index >= 0 && index < Count())
        m_entries.erase(m_entries.begin() + index);
}

void CNamedFileList::Swap(int a, int b)
{
    if (a >= 0 && b >= 0 && a < Count() && b < Count())
        std::swap(m_entries[a], m_entries[b]);
}
