#include "core/ftp/DownloadTarget.h"

#include "core/app/UiText.h"
#include "platform/FileAccess.h"
#include "platform/FolderListing.h"

#include <cerrno>
#include <cstring>

// Every step names files by their bytes: a folder with a CP932 name is
// another (missing) folder to QFile.
DownloadTarget::DownloadTarget(const QString& localPath) : m_path(localPath), m_piece(PiecePath(localPath)) {}

QString DownloadTarget::PiecePath(const QString& localPath)
{
    return localPath + QStringLiteral(".part");
}

bool DownloadTarget::Fail(const QString& text)
{
    m_error = text;
    return false;
}

bool DownloadTarget::Open(qint64 offset)
{
    const QString folder = platform::FolderOfPath(m_path);
    if (!platform::IsFolder(folder))
        return Fail(UiText(QStringLiteral("保存先のフォルダがありません: %1")).arg(platform::DisplayPath(folder)));
    if (platform::IsFolder(m_path))
        return Fail(UiText(QStringLiteral("同じ名前のフォルダがあります: %1")).arg(platform::DisplayPath(m_path)));
    if (offset > 0 && platform::StatFile(m_piece).size != offset) {
        // A shorter copy under the real name goes on as a piece of its own.
        platform::RemoveFile(m_piece);
        const platform::FileRead copy = platform::ReadRegularFile(m_path, offset);
        if (copy.error != platform::FileError::None || copy.bytes.size() != offset
            || platform::WriteFileSafely(m_piece, copy.bytes) != platform::FileError::None)
            return Fail(UiText(QStringLiteral("途中までのファイルがありません: %1")).arg(platform::DisplayPath(m_piece)));
    }
    const QIODevice::OpenMode mode = offset > 0 ? QIODevice::WriteOnly | QIODevice::Append
                                                : QIODevice::WriteOnly | QIODevice::Truncate;
    if (!platform::OpenFile(m_file, m_piece, mode))
        return Fail(UiText(QStringLiteral("ファイルを書き込めませんでした: %1 (%2)"))
                        .arg(platform::DisplayPath(m_piece), QString::fromLocal8Bit(std::strerror(errno))));
    return true;
}

bool DownloadTarget::Commit()
{
    if (!m_file.flush())
        return Fail(UiText(QStringLiteral("ファイルを書き込めませんでした: %1 (%2)"))
                        .arg(platform::DisplayPath(m_piece), m_file.errorString()));
    m_file.close();
    if (platform::PathExists(m_path))
        platform::CopyMode(m_path, m_piece);
    // One step, so that the name holds the old file or the new one, never
    // neither.
    if (!platform::RenamePath(m_piece, m_path, true))
        return Fail(UiText(QStringLiteral("ファイルを書き込めませんでした: %1")).arg(platform::DisplayPath(m_path)));
    return true;
}

void DownloadTarget::Abandon(bool keepPiece)
{
    m_file.close();
    if (!keepPiece || platform::StatFile(m_piece).size == 0)
        platform::RemoveFile(m_piece);
}
