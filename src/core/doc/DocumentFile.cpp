#include "core/doc/DocumentFile.h"

using platform::FileError;

QString ReadFailureMessage(FileError error, const QString& path)
{
    const QString shown = platform::DisplayPath(path);
    switch (error) {
    case FileError::None:
        return QString();
    case FileError::Missing:
        return QStringLiteral("ファイルが見つかりません");
    case FileError::Folder:
        return QStringLiteral("フォルダーは開けません - ") + shown;
    case FileError::NotRegular:
    case FileError::NoReader:
        return QStringLiteral("通常のファイルではないので開けません - ") + shown;
    case FileError::TooLarge:
        return QStringLiteral("ファイルが大きすぎて開けません - ") + shown;
    default:
        return QStringLiteral("ファイルを読み込めません - ") + shown;
    }
}

QString SaveFailureMessage(FileError error, const QString& path)
{
    const QString shown = platform::DisplayPath(path);
    switch (error) {
    case FileError::None:
        return QString();
    case FileError::Folder:
        return QStringLiteral("フォルダーには保存できません - ") + shown;
    case FileError::NotRegular:
        return QStringLiteral("通常のファイルではないので保存できません - ") + shown;
    case FileError::NoReader:
        return QStringLiteral("読み出す相手のいないパイプには書き込めません - ") + shown;
    case FileError::WriteFailed:
        return QStringLiteral("保存できませんでした（元のファイルはそのままです） - ") + shown;
    default:
        return QStringLiteral("保存ファイルが開けません - ") + shown;
    }
}
