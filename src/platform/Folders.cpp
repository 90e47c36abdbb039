#include "platform/Folders.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace platform {

namespace {

QString WithSlash(QString path)
{
    if (!path.endsWith(u'/'))
        path += u'/';
    return path;
}

} // namespace

QString Folders::Documents()
{
    QString d = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (d.isEmpty())
        d = QDir::homePath();
    return d;
}

QString Folders::Program()
{
    QString dir = QCoreApplication::applicationDirPath();
    if (dir.isEmpty())
        dir = QDir::currentPath();
    return WithSlash(dir);
}

QString Folders::UserData()
{
    QString dir = qEnvironmentVariable("KELVO_DATA_DIR");
    if (dir.isEmpty()) {
        QString base = qEnvironmentVariable("XDG_DATA_HOME");
        if (base.isEmpty())
            base = QDir::homePath() + QStringLiteral("/.local/share");
        dir = base + QStringLiteral("/kelvopad");
    }
    return WithSlash(dir);
}

QString Folders::Share()
{
    return WithSlash(QStringLiteral(KELVO_SHARE_DIR));
}

QString Folders::ShareBesideProgram()
{
    return WithSlash(QDir::cleanPath(Program() + QStringLiteral(KELVO_SHARE_FROM_BIN)));
}

QString Folders::FindProgramFile(const QString& name)
{
    for (const QString& dir : {UserData(), Program(), ShareBesideProgram(), Share()}) {
        const QString path = dir + name;
        if (QFileInfo::exists(path))
            return path;
    }
    return UserData() + name;
}

QString Folders::WritableDataFile(const QString& name)
{
    QDir().mkpath(UserData());
    return UserData() + name;
}

} // namespace platform
