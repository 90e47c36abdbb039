#pragma once

#include "core/ftp/RemoteSession.h"

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
    RemoteProtocol protocol = RemoteProtocol::Ftp;
    RemoteNameCode nameCode = RemoteNameCode::Auto;
    // "SHA256:<base64>" of the certificate or host key the user chose to
    // trust always although it does not verify; empty: none.
    QString trustedFingerprint;

    bool operator==(const CFtpSet&) const = default;
};
