#include "core/ftp/CFileList.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>

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

static CFileObj MakeObj(const QFileInfo& info)
{
    CFileObj obj;
    const QString full = info.fileName();
    const int dot = full.lastIndexOf(u'.');
    // A name that is only an extension (".profile") keeps its text as the
    // extension with an empty name, as the last "." rule gives.
    if (dot >= 0) {
        obj.name = full.left(dot);
        obj.extension = full.mid(dot + 1);
    } else {
        obj.name = full;
    }
    obj.isFolder = info.isDir();
    obj.dateText = info.lastModified().toLocalTime().toString(QStringLiteral("yyyy/MM/dd HH:mm"));
    obj.size = obj.isFolder ? 0 : info.size();
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

    QDir dir(folder.isEmpty() ? QStringLiteral("/") : folder);
    const bool readable = dir.exists() && dir.isReadable();
    QDir::Filters base = QDir::NoDotAndDotDot;
    if (m_showHidden)
        base |= QDir::Hidden;
    if (m_showSystem)
        base |= QDir::System;
    // Folders first, then the rest, as two passes over the folder.
    const QFileInfoList folders = dir.entryInfoList(QDir::Dirs | base, QDir::Unsorted);
    const QFileInfoList files = dir.entryInfoList(QDir::Files | base, QDir::Unsorted);
    if (!folder.isEmpty() && folder != u"/")
        m_rows.push_back(up);
    for (const QFileInfo& info : folders)
        m_rows.push_back(MakeObj(info));
    for (const QFileInfo& info : files)
        m_rows.push_back(MakeObj(info));
    Sort();
    m_focused = FindRow(focus);
    return readable;
}

QStringList CFileList::RowTexts(int row) const
{
    const CFileObj& obj = m_rows.at(row);
    const QString full = obj.FullName();
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
