#pragma once

#include "core/ftp/RemoteSession.h"

#include <memory>

struct ssh_session_struct;
struct sftp_session_struct;
struct sftp_file_struct;

// A server reached over SSH (libssh) and its SFTP subsystem.
//
// The host key is checked against known_hosts in the SSH folder; a key found
// there for another key of the host is refused even when trusted. Logging in
// tries, in this order: the endpoint's key file, the agent and the keys of
// the SSH folder, the password, keyboard-interactive answered with the
// password. The password also unlocks an encrypted key file.
//
// libssh's SFTP calls wait for an answer for ever, whatever its time-out: a
// watch thread shuts the connection down when a call has seen nothing from
// the server for the time-out, and the call then fails.
//
// SFTP has no text mode: files move as they are, whatever `ascii` says, and
// names are UTF-8 (bytes that are not keep their value through the
// U+DC00 + byte form of platform::DecodePath).
class SftpSession final : public RemoteSession {
public:
    // sshFolder: known_hosts and the user's keys; empty for ~/.ssh.
    explicit SftpSession(const QString& sshFolder = QString());
    ~SftpSession() override;
    SftpSession(const SftpSession&) = delete;
    SftpSession& operator=(const SftpSession&) = delete;

    void SetTimeout(int milliseconds) override;
    void SetProgress(FtpProgress progress) override { m_progress = std::move(progress); }
    void SetCancelFlag(const FtpCancelFlag* cancel) override { m_cancel = cancel; }

    bool Open(const RemoteEndpoint& endpoint) override;
    void Close() override;
    bool IsConnected() const override;
    RemotePeerIdentity PeerIdentity() const override { return m_identity; }

    QString CurrentFolder() override { return m_folder; }
    bool ChangeFolder(const QString& folder) override;
    bool List(std::vector<CFtpEntry>& entries) override;
    bool MakeFolder(const QString& path) override;
    bool RemoveFolder(const QString& path) override;
    bool RemoveFile(const QString& path) override;
    bool Rename(const QString& from, const QString& to) override;
    bool ChangeMode(const QString& path, int mode) override;
    qint64 RemoteSize(const QString& path) override;
    bool Retrieve(const QString& remotePath, const QString& localPath, bool ascii,
                  qint64 offset) override;
    bool Store(const QString& localPath, const QString& remotePath, bool ascii,
               qint64 offset) override;
    bool SetRemoteTime(const QString& path, const QDateTime& time) override;
    QDateTime RemoteTime(const QString& path) override;
    bool WasCancelled() const override { return m_cancelled; }
    QString ErrorText() const override { return m_error; }
    // The host key was not trusted, or the key file could not be read.
    bool Refused() const override { return m_refused; }

    static QString DefaultSshFolder();

private:
    class Watch;
    class Busy;

    bool CheckHostKey(const RemoteEndpoint& endpoint);
    bool Authenticate(const RemoteEndpoint& endpoint);
    bool Start();
    QByteArray Path(const QString& path) const;
    bool Fail(const QString& text);
    bool Refuse(const QString& text);
    void ClearError();
    bool FailSftp();
    bool Cancelled();
    bool ReceiveInto(sftp_file_struct* file, class QIODevice& sink, qint64 offset, qint64 total);
    bool SendFrom(class QIODevice& source, sftp_file_struct* file, qint64 offset, qint64 total);

    QString m_sshFolder;
    std::unique_ptr<Watch> m_watch;
    ssh_session_struct* m_ssh = nullptr;
    sftp_session_struct* m_sftp = nullptr;
    QString m_folder;
    RemotePeerIdentity m_identity;
    QString m_error;
    int m_timeoutMs = kFtpDefaultTimeoutSeconds * 1000;
    FtpProgress m_progress;
    const FtpCancelFlag* m_cancel = nullptr;
    bool m_cancelled = false;
    bool m_refused = false;
};
