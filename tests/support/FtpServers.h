#pragma once

#include <QProcess>
#include <QString>
#include <QTemporaryDir>

#include <memory>

// A real FTP server on 127.0.0.1 for one test, serving a temporary folder.
// pyftpdlib (user "web", password "secret", CP932 names on the wire) or
// vsftpd (anonymous, logged in by USER alone, names passed as bytes).
class FtpTestServer {
public:
    enum class Kind { Pyftpdlib, Vsftpd };

    explicit FtpTestServer(Kind kind);
    ~FtpTestServer();

    // Empty when the server runs; otherwise why it could not be started.
    QString Start();
    // pyftpdlib only, before Start: data connections move at most this many
    // bytes a second each way, so that a transfer lasts long enough to be
    // watched.
    void SetRateLimit(int bytesPerSecond) { m_rate = bytesPerSecond; }
    // pyftpdlib only, before Start: an upload (STOR) waits until this file
    // exists, so that a test sees the state before it without racing it.
    void SetUploadGate(const QString& path) { m_gate = path; }
    // True when the server program is missing here and the test may skip
    // (never in CI, where the packages are installed).
    static bool Missing(Kind kind);

    Kind ServerKind() const { return m_kind; }
    QString Host() const;  // "127.0.0.1:PORT"
    int Port() const { return m_port; }
    QString User() const;
    QString Password() const;
    // The folder the login lands in (the server's view of "/" or the home).
    QString Root() const;
    // Where uploads may go: the login folder for pyftpdlib, "pub" for vsftpd.
    QString WritableFolder() const;
    QString WritableLocal() const;

private:
    Kind m_kind;
    QTemporaryDir m_dir;
    QProcess m_process;
    int m_port = 0;
    int m_rate = 0;
    QString m_gate;
};

// A port nobody listens on right now.
int FreeTcpPort();
