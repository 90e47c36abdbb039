#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>

#include <optional>

namespace platform {

// The desktop's list of recently used files (the freedesktop bookmark
// format, $XDG_DATA_HOME/recently-used.xbel), which file managers, file
// choosers and other editors read and write too.
struct RecentUse {
    QString path;         // absolute
    QString mimeType;
    QString application;  // this program's name in the list
    QString exec;         // how the desktop starts it on a file ("%u")
    QDateTime when;       // UTC
};

QString RecentlyUsedFile();

// The list with the use recorded: the file's bookmark made or brought up to
// date (its modified and visited times, this program's count and time),
// everything else, other programs' bookmarks and entries included, kept as
// it was. An empty list starts a new one; nullopt when the list is no XML
// this can rewrite without losing what others wrote.
std::optional<QByteArray> WithRecentUse(const QByteArray& xbel, const RecentUse& use);

// Records the use in the list on disk: the list is locked as its other
// writers lock it (lockf) while it is read, changed and replaced whole by a
// synced copy. False, with the list untouched, when it cannot be read, is
// locked by another program for longer than a moment, or cannot be written.
bool AddRecentUse(const RecentUse& use, const QString& listFile = RecentlyUsedFile());

} // namespace platform
