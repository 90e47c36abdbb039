#pragma once

#include <QProcess>
#include <QString>
#include <QTemporaryDir>

// A real OpenSSH server on 127.0.0.1 for one test: its own host key made at
// start, one authorised client key, SFTP starting in a temporary folder, the
// login of the user running the test. Works as root and as anyone else.
class SshTestServer {
public:
    SshTestServer();
    ~SshTestServer();

    // Empty when the server runs; otherwise why it could not be started.
    QString Start();
    // True when sshd or ssh-keygen is missing here and the test may skip.
    static bool Missing();

    int Port() const { return m_port; }
    QString Host() const { return QStringLiteral("127.0.0.1"); }
    QString User() const;
    // The folder SFTP starts in, as the server names it (a local path).
    QString Root() const { return m_dir.filePath(QStringLiteral("root")); }
    // The authorised private key (unencrypted) and a key the server refuses.
    QString ClientKey() const { return m_dir.filePath(QStringLiteral("client")); }
    QString StrangerKey() const { return m_dir.filePath(QStringLiteral("stranger")); }
    // known_hosts lines for this server with its own key and with another.
    QString KnownHostsLine() const;
    QString WrongKnownHostsLine() const;
    // Stops (or lets go on) every process sshd started for a connection:
    // the server falls silent without closing anything.
    void Freeze(bool frozen);
    // "SHA256:..." of the host key as ssh-keygen prints it.
    QString Fingerprint() const { return m_fingerprint; }

private:
    QTemporaryDir m_dir;
    QProcess m_process;
    int m_port = 0;
    QString m_fingerprint;
};

// Makes an ed25519 key pair at path (and path.pub); empty or why not.
QString MakeSshKey(const QString& path);
