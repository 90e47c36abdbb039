#include "core/ftp/DownloadTarget.h"

#include "core/app/UiText.h"

#include <QFileInfo>

#include <cstdio>

DownloadTarget::DownloadTarget(const QString& localPath) : m_path(localPath), m_file(PiecePath(localPath)) {}

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
    const QFileInfo folder(QFileInfo(m_path).path());
    if (!folder.isDir())
        return Fail(UiText(QStringLiteral("保存先のフォルダがありません: %1")).arg(folder.filePath()));
    if (QFileInfo(m_path).isDir())
        return Fail(UiText(QStringLiteral("同じ名前のフォルダがあります: %1")).arg(m_path));
    const QString piece = m_file.fileName();
    if (offset > 0 && QFileInfo(piece).size() != offset) {
        // A shorter copy under the real name goes on as a piece of its own.
        QFile::remove(piece);
        if (QFileInfo(m_path).size() != offset || !QFile::copy(m_path, piece))
            return Fail(UiText(QStringLiteral("途中までのファイルがありません: %1")).arg(piece));
    }
    const QIODevice::OpenMode mode = offset > 0 ? QIODevice::WriteOnly | QIODevice::Append
                                                : QIODevice::WriteOnly | QIODevice::Truncate;
    if (!m_file.open(mode))
        return Fail(UiText(QStringLiteral("ファイルを書き込めませんでした: %1 (%2)")).arg(piece, m_file.errorString()));
    return true;
}

bool DownloadTarget::Commit()
{
    if (!m_file.flush())
        return Fail(UiText(QStringLiteral("ファイルを書き込めませんでした: %1 (%2)")).arg(m_file.fileName(), m_file.errorString()));
    m_file.close();
    if (QFileInfo::exists(m_path))
        m_file.setPermissions(QFile::permissions(m_path));
    // One step, so that the name holds the old file or the new one, never
    // neither.
    if (std::rename(QFile::encodeName(m_file.fileName()).constData(), QFile::encodeName(m_path).constData()) != 0)
        return Fail(UiText(QStringLiteral("ファイルを書き込めませんでした: %1")).arg(m_path));
    return true;
}

void DownloadTarget::Abandon(bool keepPiece)
{
    m_file.close();
    if (!keepPiece || m_file.size() == 0)
        m_file.remove();
}
