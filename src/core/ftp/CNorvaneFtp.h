#pragma once

#include "core/ftp/CFtpEntry.h"
#include "core/ftp/CFtpSet.h"
#include "core/ftp/FtpTransfer.h"
#include "core/ftp/RemoteSession.h"

#include <QString>

#include <memory>
#include <vector>

// One client of a site: its fields, the session while connected (FTP, FTPS
// or SFTP), the server's current folder and the listing of it. Synchronous
// like RemoteSession, and bound to the thread that calls Connect.
class CNorvaneFtp {
public:
    CNorvaneFtp();
    ~CNorvaneFtp();  // disconnects first
    CNorvaneFtp(const CNorvaneFtp&) = delete;
    CNorvaneFtp& operator=(const CNorvaneFtp&) = delete;

    // Host is a name or address, optionally "HOST:PORT" (21 without a port).
    // Root folder: changed to right after login; empty stays in the login
    // folder.
    void Set(const QString& host, const QString& user, const QString& password,
             const QString& rootFolder, bool passive);
    // The site's server, login, protocol, code of names and trusted identity.
    void Set(const CFtpSet& site, const QString& rootFolder, bool passive);
    // Trusts this identity for the next Connect only ("SHA256:..."), on top
    // of the one the site keeps.
    void TrustOnce(const QString& fingerprint) { m_trustOnce = fingerprint; }
    void SetTimeoutSeconds(int seconds);
    void SetProgress(FtpProgress progress);
    void SetCancelFlag(const FtpCancelFlag* cancel);

    // Connected, logged in, in the root folder, current folder known.
    bool Connect();
    // QUIT, then the control connection and the entries are gone.
    void Disconnect();
    bool IsConnected() const;

    // Lists the current folder (ASCII) into the entries.
    bool GetList();
    // CWD, then the current folder is read again with PWD.
    bool ChangeDir(const QString& name);
    bool ChangeDirUp();
    // The outcome shows in the next listing; the results are given for
    // callers (the batch tool) that report them.
    bool MakeDir(const QString& name);
    bool RemoveDir(const QString& name);
    bool DeleteFile(const QString& name);
    bool Rename(const QString& oldName, const QString& newName);
    // Uploads the local file into the current folder under its own name;
    // with an offset, continues the server's file of that size.
    bool PutFile(const QString& localPath, bool ascii, qint64 offset = 0);
    // The name a local file gets on the server: a CP932 name (kept by its
    // bytes here) as the text it reads as; one that reads as nothing stays,
    // for the session to refuse as a name the server cannot have.
    static QString ServerName(const QString& localName);
    // Downloads the file of the current folder (or a path from it) into the
    // local folder under its own name; with an offset, continues the piece
    // of that size an earlier download left (DownloadTarget).
    bool GetFile(const QString& name, const QString& localFolder, bool ascii, qint64 offset = 0);
    // The size of a file of the current folder, or -1.
    qint64 RemoteSize(const QString& name);
    // The permissions as three digits; true when the server took them.
    bool ChangeMode(const QString& name, int owner, int group, int others);

    // Why the last step failed: the session's message when it refused the
    // step itself, else the caller's general one.
    QString FailureText(const char16_t* general) const;
    // The same, and under the general message the cause the session found
    // (the server's reply, a dropped connection, a local file or folder).
    QString FailureDetail(const char16_t* general) const;
    // The general message (translated) with the cause on a line under it.
    static QString WithCause(const char16_t* general, const QString& cause);

    // "1,234,567"; empty for a folder.
    static QString GetSizeText(const CFtpEntry& entry);
    // "yyyy/MM/dd HH:mm" in local time.
    static QString GetDateText(const CFtpEntry& entry);
    // The text after the last ".", or "".
    static QString GetExtension(const QString& fileName);
    // 0..7 for class 0 owner, 1 group, 2 others; 0 without a mode text.
    static int GetModeDigit(const CFtpEntry& entry, int cls);

    // "HOST:PORT" split; the port is the default when none is given or it is
    // invalid. An IPv6 address with a port is written in brackets,
    // "[::1]:2121"; one without brackets has no port.
    static void SplitHostPort(const QString& text, QString& host, int& port, int defaultPort = 21);

    const std::vector<CFtpEntry>& Entries() const { return m_entries; }
    QString CurrentFolder() const { return m_currentFolder; }
    QString Host() const { return m_host; }
    QString User() const { return m_endpoint.user; }
    RemoteProtocol Protocol() const { return m_endpoint.protocol; }
    QString RootFolder() const { return m_rootFolder; }
    bool Passive() const { return m_endpoint.passive; }
    // The session; null before Connect and after Disconnect.
    RemoteSession* Session() { return m_session.get(); }

private:
    QString RemotePath(const QString& name) const;
    void ApplyHooks();

    std::unique_ptr<RemoteSession> m_session;
    RemoteEndpoint m_endpoint;
    QString m_trustOnce;
    std::vector<CFtpEntry> m_entries;
    QString m_currentFolder;
    QString m_host;  // as the site gives it, "HOST:PORT"
    QString m_rootFolder;

    int m_timeoutSeconds = kFtpDefaultTimeoutSeconds;
    FtpProgress m_progress;
    const FtpCancelFlag* m_cancel = nullptr;
};
