#pragma once

#include <QString>

// One named FTP site setting.
struct CFtpSet {
    QString name;
    QString host;      // name or address, optionally "HOST:PORT"
    QString user;
    QString password;  // plain in memory, scrambled in the settings
    bool ascii = true;
    QString localFolder;   // documents under it belong to this site
    QString remoteFolder;  // the FTP window changes to it after login
    QString uploadFolder;  // the document upload goes to it

    bool operator==(const CFtpSet&) const = default;
};
