#pragma once

#include <QProcess>
#include <QString>
#include <QTemporaryDir>

#include <memory>

// A real FTP server on 127.0.0.1 for one test, serving a temporary folder.
// pyftpdlib (user "web", password "secret", CP932 names on the wire unless
// UTF-8 is asked for) or vsftpd (anonymous, logged in by USER alone, names
// passed as bytes; UTF8 in its FEAT when asked for).
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
    // Before Start: a server of UTF-8 names (pyftpdlib as it comes, with
    // MLSD; vsftpd with utf8_filesystem).
    void SetUtf8Names(bool utf8) { m_utf8 = utf8; }
    // Before Start: TLS required on control and data connections, with this
    // file of key and certificate (MakeTestCertificate).
    void SetCertificate(const QString& file) { m_certificate = file; }
    // pyftpdlib only, before Start: listens on this address ("::1").
    void SetAddress(const QString& address) { m_address = address; }
    // pyftpdlib only, before Start: the first transfer to move this many
    // bytes ends with the server dropping data and control connections.
    void SetDropAfter(qint64 bytes) { m_dropAfter = bytes; }
    // True when the server program is missing here and the test may skip
    // (never in CI, where the packages are installed).
    static bool Missing(Kind kind);

    Kind ServerKind() const { return m_kind; }
    QString Host() const;  // "127.0.0.1:PORT", "[::1]:PORT"
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
    bool m_utf8 = false;
    QString m_certificate;
    QString m_address = QStringLiteral("127.0.0.1");
    qint64 m_dropAfter = 0;
};

// A self-signed certificate for 127.0.0.1 with its key, in one PEM file
// NAME.pem in the folder; empty when openssl failed.
QString MakeTestCertificate(const QString& folder, const QString& name);

// A port nobody listens on right now.
int FreeTcpPort();

// True where the set-up installed every server (CI): a server that does not
// start there fails its test instead of skipping it.
bool InCi();

// Skips a test whose server is not running because it is not installed
// here; in CI, where it is installed, that fails the test.
#define REQUIRE_SERVER(running, name)                                   \
    if (!(running)) {                                                   \
        if (InCi())                                                     \
            QFAIL(name " did not start");                               \
        QSKIP(name " is not installed here");                           \
    }
