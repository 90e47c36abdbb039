#pragma once

#include <QDateTime>
#include <QString>

// One file or folder of a server listing.
struct CFtpEntry {
    QString name;
    // Local time built from the listing's calendar fields (minute precision),
    // or UTC to the second from a machine listing (MLSD) or SFTP.
    QDateTime time;
    // The time is the file's own, to the second (MLSD, SFTP). A text listing
    // gives the server's calendar fields in a zone nobody states.
    bool exactTime = false;
    // 64-bit so that files beyond 2 GiB keep their size; 0 for DOS folders.
    qint64 size = 0;
    bool isFolder = false;
    // A symbolic link (isFolder tells what it leads to, where the server
    // says): removed as a link, never entered nor written through.
    bool isLink = false;
    // The UNIX permission column ("drwxr-xr-x"); empty for DOS listings.
    QString mode;

    bool operator==(const CFtpEntry&) const = default;
};
