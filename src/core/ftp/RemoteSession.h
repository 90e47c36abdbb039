#pragma once

#include "core/ftp/CFtpEntry.h"
#include "core/ftp/FtpTransfer.h"

#include <QDateTime>
#include <QString>

#include <memory>
#include <vector>

// The ways a site can be reached.
enum class RemoteProtocol { Ftp, Ftps, Sftp };

// The code of file names on an FTP control connection. Auto asks the server
// (FEAT, OPTS UTF8 ON) and falls back to Shift-JIS.
enum class RemoteNameCode { Auto, Utf8, ShiftJis };

// Everything a session needs to reach a server and log in.
struct RemoteEndpoint {
    RemoteProtocol protocol = RemoteProtocol::Ftp;
    QString host;  // a name or an address; IPv6 without brackets
    int port = 0;  // 0: the protocol's own (21, 22)
    QString user;
    QString password;
    bool passive = true;                              // FTP and FTPS
    RemoteNameCode nameCode = RemoteNameCode::Auto;  // FTP and FTPS
    QString keyFile;  // SFTP: a private key; empty tries the agent and ~/.ssh
    // "SHA256:<base64>" of a certificate or host key the user chose to trust
    // although it does not verify; empty accepts only what verifies.
    QString trustedFingerprint;
};

// The server's certificate or host key, as the last Open found it.
struct RemotePeerIdentity {
    enum class Verdict {
        Verified,  // checked against the trust store or known_hosts
        Trusted,   // did not verify, but matches trustedFingerprint
        Unknown,   // does not verify and was not trusted: Open failed
        Changed,   // differs from the trusted or known one: Open failed
    };
    Verdict verdict = Verdict::Verified;
    QString fingerprint;  // "SHA256:<base64>"
    QString details;      // subject, issuer and why it failed, for the user
};

// One logged-in connection to a server: FTP, FTPS or SFTP behind the same
// calls, so the FTP window, the one-step upload and the batch tool do not
// know which.
//
// Every call blocks until the server answers, the time-out passes or the
// cancel flag is set; the session belongs to the thread that called Open.
// Paths are the server's, absolute or relative to the current folder.
// A failed call leaves a message for the user in ErrorText.
class RemoteSession {
public:
    virtual ~RemoteSession() = default;

    virtual void SetTimeout(int milliseconds) = 0;
    virtual void SetProgress(FtpProgress progress) = 0;
    virtual void SetCancelFlag(const FtpCancelFlag* cancel) = 0;

    // Connects, checks the peer's identity, logs in.
    virtual bool Open(const RemoteEndpoint& endpoint) = 0;
    // Says goodbye briefly and closes; harmless when not connected.
    virtual void Close() = 0;
    virtual bool IsConnected() const = 0;
    virtual RemotePeerIdentity PeerIdentity() const = 0;

    virtual QString CurrentFolder() = 0;
    virtual bool ChangeFolder(const QString& folder) = 0;
    // The entries of the current folder, without "." and "..", and without
    // names no entry of a folder can have (DroppedNames counts those).
    virtual bool List(std::vector<CFtpEntry>& entries) = 0;
    // How many names the last List left out because they hold "/", "\" or
    // NUL: a server that makes such names up would have a deletion or a
    // download reach beyond the folder.
    int DroppedNames() const { return m_droppedNames; }
    // Marks the links among the entries the last List gave, where that
    // listing shows a link as what it leads to (pyftpdlib's MLSD does).
    // False when the server could not say.
    virtual bool FindLinks(std::vector<CFtpEntry>& entries) { return true; }
    virtual bool MakeFolder(const QString& path) = 0;
    virtual bool RemoveFolder(const QString& path) = 0;
    virtual bool RemoveFile(const QString& path) = 0;
    virtual bool Rename(const QString& from, const QString& to) = 0;
    // mode: octal permission bits (0644).
    virtual bool ChangeMode(const QString& path, int mode) = 0;

    // The size of a remote file, or -1 when unknown or not a file.
    virtual qint64 RemoteSize(const QString& path) = 0;
    // Transfers continue at offset (0: the whole file; resume otherwise).
    // A download goes through a temporary file so that a failed one leaves
    // an existing local file as it was; a resumed one appends. A finished
    // download takes the server's modification time when it can be read.
    virtual bool Retrieve(const QString& remotePath, const QString& localPath, bool ascii,
                          qint64 offset) = 0;
    virtual bool Store(const QString& localPath, const QString& remotePath, bool ascii,
                       qint64 offset) = 0;
    // The modification time (UTC); false when the server cannot set it.
    virtual bool SetRemoteTime(const QString& path, const QDateTime& time) = 0;
    // A file's modification time as the server keeps it, to the second;
    // invalid when the server does not say.
    virtual QDateTime RemoteTime(const QString& path) = 0;
    // True when the last call ended because the cancel flag was set.
    virtual bool WasCancelled() const = 0;

    // Why the last call failed, for the user; the server's own reply text
    // when it gave one.
    virtual QString ErrorText() const = 0;
    // True when the last call failed because this side refused it before
    // the server could act (a name the server's code cannot hold, a peer
    // identity not trusted): its ErrorText says what the user must change,
    // and callers show it instead of their general message.
    virtual bool Refused() const { return false; }

protected:
    // Leaves out ".", ".." and the names DroppedNames counts.
    void KeepFolderEntries(std::vector<CFtpEntry>& entries);

    int m_droppedNames = 0;
};

// True for a name an entry of a folder can have: not ".", "..", nor empty,
// and without "/", "\" or NUL.
bool IsEntryName(const QString& name);

std::unique_ptr<RemoteSession> MakeRemoteSession(RemoteProtocol protocol);

// The names of protocols and name codes in settings and on the command line:
// "ftp", "ftps", "sftp" and "auto", "utf8", "sjis". Parsing is strict (a
// wrong name is an error, not the default); case does not matter.
QString RemoteProtocolName(RemoteProtocol protocol);
bool ParseRemoteProtocol(const QString& text, RemoteProtocol& protocol);
QString RemoteNameCodeName(RemoteNameCode code);
bool ParseRemoteNameCode(const QString& text, RemoteNameCode& code);
// The protocol's own port: 21 for FTP and FTPS, 22 for SFTP.
int DefaultRemotePort(RemoteProtocol protocol);
