#include "core/ftp/CFileList.h"

#include "platform/FileAccess.h"
#include "platform/FolderListing.h"

#include <QDateTime>

#include <algorithm>

QString CFileObj::FullName() const
{
    return extension.isEmpty() ? name : name + u'.' + extension;
}

void CFileList::SetSort(int column, bool descending)
{
    m_sortColumn = std::clamp(column, 0, 3);
    m_descending = descending;
}

void CFileList::ClickColumn(int column)
{
    const QString focus = m_focused >= 0 && m_focused < int(m_rows.size())
        ? m_rows[m_focused].FullName() : QString();
    if (column == m_sortColumn)
        m_descending = !m_descending;
    else
        SetSort(column, false);
    Sort();
    m_focused = FindRow(focus);
}

// Names keep their bytes (a CP932 name from a Windows archive can be sent
// and opened); they are shown as they read.
static CFileObj MakeObj(const QString& folder, const platform::FolderEntry& entry)
{
    CFileObj obj;
    const QString& full = entry.name;
    const int dot = full.lastIndexOf(u'.');
    // A name that is only an extension (".profile") keeps its text as the
    // extension with an empty name, as the last "." rule gives.
    if (dot >= 0) {
        obj.name = full.left(dot);
        obj.extension = full.mid(dot + 1);
    } else {
        obj.name = full;
    }
    using K = platform::FolderEntry::Kind;
    obj.isFolder = entry.kind == K::Folder || entry.kind == K::FolderLink;
    const platform::FileStamp stamp = platform::StatFile(folder.endsWith(u'/') ? folder + full : folder + u'/' + full);
    if (stamp.Exists())
        obj.dateText = QDateTime::fromMSecsSinceEpoch(stamp.mtimeNs / 1000000).toString(QStringLiteral("yyyy/MM/dd HH:mm"));
    obj.size = obj.isFolder || !stamp.Exists() ? 0 : stamp.size;
    return obj;
}

bool CFileList::Fill(const QString& folder, const QString& focus)
{
    m_folder = folder;
    m_rows.clear();
    m_focused = -1;

    CFileObj up;
    up.name = QStringLiteral("..");
    up.isFolder = true;

    const QString path = folder.isEmpty() ? QStringLiteral("/") : folder;
    bool readable = false;
    const std::vector<platform::FolderEntry> entries = platform::ListFolder(path, &readable);
    if (!folder.isEmpty() && folder != u"/")
        m_rows.push_back(up);
    // Folders first, then the rest.
    using K = platform::FolderEntry::Kind;
    for (const bool folders : {true, false})
        for (const platform::FolderEntry& e : entries) {
            const bool isFolder = e.kind == K::Folder || e.kind == K::FolderLink;
            if (isFolder != folders || (!m_showHidden && e.name.startsWith(u'.'))
                || (!m_showSystem && e.kind == K::Other))
                continue;
            m_rows.push_back(MakeObj(path, e));
        }
    Sort();
    m_focused = FindRow(focus);
    return readable;
}

QStringList CFileList::RowTexts(int row) const
{
    const CFileObj& obj = m_rows.at(row);
    const QString full = platform::DisplayPath(obj.FullName());
    return {obj.isFolder ? u'[' + full + u']' : full, obj.dateText,
            obj.isFolder ? QStringLiteral("        ") : GroupedSize(obj.size), obj.extension};
}

int CFileList::FindRow(const QString& fullName) const
{
    if (fullName.isEmpty())
        return -1;
    for (int i = 0; i < int(m_rows.size()); ++i) {
        if (m_rows[i].FullName() == fullName)
            return i;
    }
    return -1;
}

QString CFileList::PathOf(const QString& fullName) const
{
    if (m_folder.isEmpty() || m_folder == u"/")
        return u'/' + fullName;
    return m_folder.endsWith(u'/') ? m_folder + fullName : m_folder + u'/' + fullName;
}

bool CFileList::OpenRow(int row)
{
    if (row < 0 || row >= int(m_rows.size()) || !m_rows[row].isFolder)
        return false;
    const QString full = m_rows[row].FullName();
    if (full == u"..") {
        QString folder = m_folder;
        while (folder.size() > 1 && folder.endsWith(u'/'))
            folder.chop(1);
        const int slash = folder.lastIndexOf(u'/');
        const QString left = folder.mid(slash + 1);
        const QString parent = slash <= 0 ? QStringLiteral("/") : folder.left(slash);
        Fill(parent, left);
    } else {
        Fill(PathOf(full));
    }
    return true;
}

void CFileList::Up()
{
    QString folder = m_folder;
    while (folder.size() > 1 && folder.endsWith(u'/'))
        folder.chop(1);
    const int slash = folder.lastIndexOf(u'/');
    if (slash < 0)
        return;
    Fill(folder.left(slash), folder.mid(slash + 1));
}

QString CFileList::GroupedSize(qint64 size)
{
    QString digits = QString::number(size);
    for (int i = digits.size() - 3; i > 0 && digits[i - 1] != u'-'; i -= 3)
        digits.insert(i, u',');
    return digits;
}

void CFileList::Sort()
{
    const int column = m_sortColumn;
    const bool descending = m_descending;
    std::stable_sort(m_rows.begin(), m_rows.end(), [&](const CFileObj& a, const CFileObj& b) {
        if (a.isFolder != b.isFolder)
            return a.isFolder;
        int c = 0;
        switch (column) {
        case DateColumn:
            c = a.dateText.compare(b.dateText, Qt::CaseInsensitive);
            break;
        case SizeColumn:
            c = a.size < b.size ? -1 : a.size > b.size ? 1 : 0;
            break;
        case ExtensionColumn:
            c = a.extension.compare(b.extension, Qt::CaseInsensitive);
            if (c == 0)
                c = a.FullName().compare(b.FullName(), Qt::CaseInsensitive);
            break;
        default:
            c = a.FullName().compare(b.FullName(), Qt::CaseInsensitive);
            break;
        }
        return descending ? c > 0 : c < 0;
    });
}
