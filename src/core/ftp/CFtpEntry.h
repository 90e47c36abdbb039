#pragma once

#include <QDateTime>
#include <QString>

// One file or folder of a server listing.
struct CFtpEntry {
    QString name;
    // Local time built from the listing's calendar fields (minute precision),
    // or UTC to the second from a machine listing (MLSD).
    QDateTime time;
    // 64-bit so that files beyond 2 GiB keep their size; 0 for DOS folders.
    qint64 size = 0;
    bool isFolder = false;
    // The UNIX permission column ("drwxr-xr-x"); empty for DOS listings.
    QString mode;

    bool operator==(const CFtpEntry&) const = default;
};
