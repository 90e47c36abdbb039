#include "core/doc/DocumentFile.h"

#include "core/app/UiText.h"

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
        return UiText(QStringLiteral("フォルダーは開けません - ")) + shown;
    case FileError::NotRegular:
    case FileError::NoReader:
        return UiText(QStringLiteral("通常のファイルではないので開けません - ")) + shown;
    case FileError::TooLarge:
        return UiText(QStringLiteral("ファイルが大きすぎて開けません - ")) + shown;
    default:
        return UiText(QStringLiteral("ファイルを読み込めません - ")) + shown;
    }
}

QString SaveFailureMessage(FileError error, const QString& path)
{
    const QString shown = platform::DisplayPath(path);
    switch (error) {
    case FileError::None:
        return QString();
    case FileError::Folder:
        return UiText(QStringLiteral("フォルダーには保存できません - ")) + shown;
    case FileError::NotRegular:
        return UiText(QStringLiteral("通常のファイルではないので保存できません - ")) + shown;
    case FileError::NoReader:
        return UiText(QStringLiteral("読み出す相手のいないパイプには書き込めません - ")) + shown;
    case FileError::WriteFailed:
        return UiText(QStringLiteral("保存できませんでした（元のファイルはそのままです） - ")) + shown;
    default:
        return UiText(QStringLiteral("保存ファイルが開けません - ")) + shown;
    }
}
