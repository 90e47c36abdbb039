#pragma once

#include "core/ftp/CFtpEntry.h"
#include "core/ftp/FtpTransfer.h"

#include <QString>

#include <memory>
#include <vector>

class CFtpControl;

// One FTP client: the site's fields, the control connection while
// connected, the server's current folder and the parsed listing of it.
// Synchronous like CFtpControl, and bound to the thread that calls Connect.
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
    // Uploads the local file into the current folder under its own name.
    bool PutFile(const QString& localPath, bool ascii);
    // Downloads the file of the current folder into the local folder.
    bool GetFile(const QString& name, const QString& localFolder, bool ascii);
    // SITE CHMOD with the three digits; true when the command was sent.
    bool ChangeMode(const QString& name, int owner, int group, int others);

    // "1,234,567"; empty for a folder.
    static QString GetSizeText(const CFtpEntry& entry);
    // "yyyy/MM/dd HH:mm" in local time.
    static QString GetDateText(const CFtpEntry& entry);
    // The text after the last ".", or "".
    static QString GetExtension(const QString& fileName);
    // 0..7 for class 0 owner, 1 group, 2 others; 0 without a mode text.
    static int GetModeDigit(const CFtpEntry& entry, int cls);

    // "HOST:PORT" split; the port is 21 when none is given or it is invalid.
    static void SplitHostPort(const QString& text, QString& host, int& port);

    const std::vector<CFtpEntry>& Entries() const { return m_entries; }
    QString CurrentFolder() const { return m_currentFolder; }
    QString Host() const { return m_host; }
    QString User() const { return m_user; }
    QString RootFolder() const { return m_rootFolder; }
    bool Passive() const { return m_passive; }
    // The control connection; null before Connect and after Disconnect.
    CFtpControl* Control() { return m_control.get(); }

private:
    QString RemotePath(const QString& name) const;
    void ApplyHooks();

    std::unique_ptr<CFtpControl> m_control;
    std::vector<CFtpEntry> m_entries;
    QString m_currentFolder;
    QString m_host;
    QString m_user;
    QString m_password;
    QString m_rootFolder;
    bool m_passive = true;

    int m_timeoutSeconds = kFtpDefaultTimeoutSeconds;
    FtpProgress m_progress;
    const FtpCancelFlag* m_cancel = nullptr;
};
