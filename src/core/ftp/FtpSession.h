#pragma once

#include "core/ftp/RemoteSession.h"

#include <QStringList>

#include <functional>
#include <memory>

class CFtpControl;

// A session with an FTP or FTPS server over one control connection.
//
// After login it asks the server what it offers (FEAT) and uses the better
// commands where they are offered: UTF-8 names, MLSD listings, MDTM/MFMT
// times, EPSV, REST; the plain RFC 959 commands otherwise.
class FtpSession : public RemoteSession {
public:
    explicit FtpSession(RemoteProtocol protocol);
    ~FtpSession() override;

    void SetTimeout(int milliseconds) override;
    void SetProgress(FtpProgress progress) override;
    void SetCancelFlag(const FtpCancelFlag* cancel) override;

    bool Open(const RemoteEndpoint& endpoint) override;
    void Close() override;
    bool IsConnected() const override;
    RemotePeerIdentity PeerIdentity() const override { return m_identity; }

    QString CurrentFolder() override;
    bool ChangeFolder(const QString& folder) override;
    bool List(std::vector<CFtpEntry>& entries) override;
    // A machine listing may follow links; the text listing shows them.
    bool FindLinks(std::vector<CFtpEntry>& entries) override;
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
    bool WasCancelled() const override;

    QString ErrorText() const override { return m_error; }
    bool Refused() const override { return m_refused; }

    // What the server's FEAT reply listed, upper case, without arguments
    // ("UTF8", "MLST", ...); empty when it knows no FEAT.
    QStringList Features() const { return m_features; }
    bool HasFeature(const QString& name) const { return m_features.contains(name); }

private:
    // Ends a call: records why it failed, from the control connection.
    bool Done(bool ok);
    void ReadFeatures();
    // False, with the message, when the name does not fit the server's code.
    bool CanName(const QString& name);
    // Runs a transfer that starts at offset, its progress counted from 0.
    bool Resumed(qint64 offset, const std::function<bool()>& transfer);

    RemoteProtocol m_protocol;
    std::unique_ptr<CFtpControl> m_control;
    RemotePeerIdentity m_identity;
    QStringList m_features;
    bool m_machineListing = false;  // the last List came from MLSD
    QString m_error;
    bool m_refused = false;

    int m_timeoutMs = kFtpDefaultTimeoutSeconds * 1000;
    FtpProgress m_progress;
    const FtpCancelFlag* m_cancel = nullptr;
};
