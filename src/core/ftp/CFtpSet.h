#pragma once

#include "core/ftp/RemoteSession.h"

#include <QString>

// One named FTP site setting.
struct CFtpSet {
    QString name;
    QString host;      // name or address, optionally "HOST:PORT"
    QString user;
    QString password;  // plain in memory; in the secret service or scrambled
    bool ascii = true;
    QString localFolder;   // documents under it belong to this site
    QString remoteFolder;  // the FTP window changes to it after login
    QString uploadFolder;  // the document upload goes to it
    RemoteProtocol protocol = RemoteProtocol::Ftp;
    RemoteNameCode nameCode = RemoteNameCode::Auto;
    // "SHA256:<base64>" of the certificate or host key the user chose to
    // trust always although it does not verify; empty: none.
    QString trustedFingerprint;
    QString keyFile;       // SFTP: a private key; empty tries the agent and ~/.ssh
    // The password is kept in the secret service, which could not be read
    // when the list was loaded: saving keeps it there.
    bool passwordKept = false;

    bool operator==(const CFtpSet&) const = default;
};
