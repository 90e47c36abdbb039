#include "core/app/RecentFileList.h"

#include "core/app/CKelvoApp.h"
#include "core/app/MenuData.h"

#include "platform/FileAccess.h"


namespace {

const QString kSection = QStringLiteral("Recent File List");

} // namespace

void RecentFileList::SetSize(int size)
{
    m_size = std::max(size, 0);
    while (m_files.size() > m_size)
        m_files.removeLast();
}

void RecentFileList::SetFiles(QStringList files)
{
    while (files.size() > m_size)
        files.removeLast();
    if (files == m_files)
        return;
    m_files = std::move(files);
    if (m_changed)
        m_changed();
}

void RecentFileList::Add(const QString& path)
{
    if (path.isEmpty())
        return;
    const QString abs = platform::AbsolutePath(path);
    QStringList files = m_files;
    files.removeAll(abs);
    files.prepend(abs);
    SetFiles(std::move(files));
}

void RecentFileList::Remove(int index)
{
    if (index < 0 || index >= m_files.size())
        return;
    QStringList files = m_files;
    files.removeAt(index);
    SetFiles(std::move(files));
}

void RecentFileList::RemovePath(const QString& path)
{
    QStringList files = m_files;
    files.removeAll(path);
    SetFiles(std::move(files));
}

void RecentFileList::Load(const CKelvoApp& app)
{
    m_files.clear();
    for (int i = 1; i <= m_size; ++i) {
        const QString f = app.GetProfileString(kSection, QStringLiteral("File%1").arg(i), QString());
        if (!f.isEmpty())
            m_files.append(f);
    }
}

void RecentFileList::Save(CKelvoApp& app) const
{
    app.DeleteProfileSection(kSection);
    for (int i = 0; i < m_files.size(); ++i)
        app.WriteProfileString(kSection, QStringLiteral("File%1").arg(i + 1), m_files[i]);
}

QString RecentFileList::Abbreviate(const QString& path, int maxChars)
{
    if (path.size() <= maxChars)
        return path;
    const QString name = platform::NameOfPath(path);
    if (name.size() + 4 >= maxChars)
        return name.size() <= maxChars ? name : QStringLiteral("...") + name.right(maxChars - 3);
    const int keep = maxChars - static_cast<int>(name.size()) - 4;  // "...", "/"
    return path.left(keep) + QStringLiteral(".../") + name;
}

QString RecentFileList::Caption(int index, int maxChars) const
{
    if (index < 0 || index >= m_files.size())
        return QString();
    return QStringLiteral("&%1 %2").arg(index + 1).arg(
        EscapeMnemonic(Abbreviate(platform::DisplayPath(m_files[index]), maxChars)));
}
