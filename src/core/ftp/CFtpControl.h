#pragma once

#include "core/ftp/FtpTransfer.h"
#include "core/ftp/RemoteSession.h"

#include <QByteArray>
#include <QString>

#include <memory>

class QDeadlineTimer;
class QIODevice;
class QSslCertificate;
class QSslError;
class QTcpServer;
class QTcpSocket;

// One FTP control connection (RFC 959 subset) with its data connections.
//
// Every call blocks until the server answers, the time-out passes or the
// cancel flag is set; no event loop is needed, so the object works on a
// worker thread. Its sockets belong to the thread that called Open: all later
// calls must come from that same thread.
//
// Operations give true on success. A reply that is not the accepted one
// fails the operation and stays readable through GetReplyCode/GetReplyText.
// Commands, replies and listings are in the server's code of names: CP932
// (Shift-JIS) unless SetUtf8Names says UTF-8. A command whose text that code
// cannot hold is refused before anything is sent (NameUnsendable tells), and
// so is an argument holding CR or LF: it would end the command line and let
// a second command be smuggled in.
class CFtpControl {
public:
    // The reply code left when no complete reply could be read (connection
    // dropped, time-out): no command accepts it.
    static constexpr int kNoReply = -1;

    CFtpControl();
    virtual ~CFtpControl();
    CFtpControl(const CFtpControl&) = delete;
    CFtpControl& operator=(const CFtpControl&) = delete;

    void SetTimeout(int milliseconds);
    int Timeout() const { return m_timeoutMs; }
    void SetProgress(FtpProgress progress) { m_progress = std::move(progress); }
    void SetCancelFlag(const FtpCancelFlag* cancel) { m_cancel = cancel; }
    void SetUtf8Names(bool utf8) { m_utf8 = utf8; }
    bool Utf8Names() const { return m_utf8; }
    // True when the text reaches the server unchanged in the code of names.
    bool CanSend(const QString& text) const;
    // True when the last command was refused because its text does not fit
    // the code of names.
    bool NameUnsendable() const { return m_unsendable; }

    // Connects and reads the greeting; true on 220.
    bool Open(const QString& host, int port, bool passive);
    bool IsConnected() const { return m_connected; }
    // AUTH TLS, then the control connection is encrypted and every data
    // connection will be, resuming the control's TLS session (servers
    // require that: it shows the data comes from the same client). The
    // server's certificate is checked against the system's trust store and
    // the name it was reached by; one that does not verify is accepted only
    // when its fingerprint is the trusted one. PeerIdentity tells what was
    // found.
    bool StartTls(const QString& peerName, const QString& trustedFingerprint);
    bool Tls() const { return m_tls; }
    // PBSZ 0 and PROT P: the server encrypts data connections too.
    bool ProtectData();
    RemotePeerIdentity PeerIdentity() const { return m_identity; }
    // "SHA256:<base64 without padding>" of a certificate.
    static QString Fingerprint(const QSslCertificate& certificate);

    // USER, then PASS when the server asks for it (331); a 230 to USER means
    // logged in without a password, which is then not sent.
    bool Login(const QString& user, const QString& password);
    bool Quit();
    // Sends one command line (CR LF is added).
    bool SendCommand(const QString& line);
    // Reads one complete reply (all its lines); an empty text when none came.
    QString ReadReply();

    // The quoted folder of the PWD reply; empty without quotes or on failure.
    QString Pwd();
    bool Cwd(const QString& folder);
    bool Mkd(const QString& folder);
    bool Rmd(const QString& folder);
    bool Dele(const QString& file);
    bool Rename(const QString& oldName, const QString& newName);
    // True when the line was sent; the reply is read but not judged.
    bool SiteChmod(const QString& file, const QString& mode);

    void SetAscii() { m_type = QStringLiteral("A"); }
    void SetBinary() { m_type = QStringLiteral("I"); }
    QString TransferType() const { return m_type; }

    // Extended passive and active commands (RFC 2428), for servers that
    // offer them; an IPv6 connection uses them whatever this says.
    void SetExtended(bool extended) { m_extended = extended; }

    // TYPE, then PORT/EPRT with a listening socket (active) or PASV/EPSV
    // (passive).
    bool PrepareData();
    // Passive: connects the data socket to the server's address with the
    // port of the 227 reply. Active: nothing (the server connects to us).
    bool ConnectData();
    // Encrypts the data connection when the control one is (after the
    // server's 150), and checks that its certificate is the control's.
    bool SecureData();

    // The listing of a command ("LIST -L", "MLSD"), decoded from the code of
    // names. A listing beyond a sane size or line count fails.
    bool List(QString& listing, const QString& command = QStringLiteral("LIST -L"));
    // Downloads into localPath through its piece (DownloadTarget): a failed
    // or cancelled download leaves an existing file as it was, and so does
    // one shorter than the size the server announced. A failed binary one
    // keeps what arrived in the piece, for a later resume. With an offset
    // (REST), the piece of that size is gone on from. In ASCII mode lines
    // end in LF.
    bool Retrieve(const QString& remotePath, const QString& localPath, qint64 offset = 0);
    // With an offset, the server's file of that size is continued (REST)
    // from that byte of the local one.
    bool Store(const QString& localPath, const QString& remotePath, qint64 offset = 0);

    int GetReplyCode() const { return m_replyCode; }
    QString GetReplyText() const { return m_replyText; }
    QString GetListingText() const { return m_listing; }
    // The address announced by the last 227 reply (not used to connect).
    QString PassiveHost() const { return m_passiveHost; }
    int PassivePort() const { return m_passivePort; }
    // True when the last transfer ended because the cancel flag was set.
    bool WasCancelled() const { return m_cancelled; }
    // Why the last transfer or Open failed on this side (a local file or
    // folder, a connection the system refused), for the user; empty when
    // it did not. Cleared by the next command.
    QString LocalError() const { return m_localError; }

private:
    class LineEndWriter;
    struct ReceiveLimits {
        qint64 maxBytes = -1;
        qint64 maxLines = -1;
        LineEndWriter* lineEnds = nullptr;  // CR LF to LF on the way
    };

    bool Simple(const QString& verb, const QString& argument, int accepted);
    bool Command(const QString& line, int accepted);
    bool SendBytes(QTcpSocket& socket, const QByteArray& bytes);
    bool ReadLine(QByteArray& line, const QDeadlineTimer& deadline);
    bool ParsePassiveReply();
    bool StartTransfer(const QString& command, qint64 offset = 0);
    bool ParseExtendedPassiveReply();
    bool FinishTransfer(bool moved);
    bool ReceiveInto(QIODevice& sink, qint64& moved, const ReceiveLimits& limits);
    bool SendFrom(QIODevice& source, qint64 total, qint64& moved);
    void AbortTransfer();
    void CloseData();
    void Drop();
    bool Cancelled() const;
    QByteArray Encode(const QString& text) const;
    QString Decode(QByteArrayView bytes) const;

    QString m_replyText;
    QString m_listing;
    QString m_type = QStringLiteral("A");
    std::unique_ptr<QTcpSocket> m_control;
    bool m_connected = false;
    int m_replyCode = 0;
    std::unique_ptr<QTcpServer> m_listen;
    std::unique_ptr<QTcpSocket> m_data;
    bool m_passive = true;
    bool m_extended = false;
    bool m_tls = false;
    QByteArray m_spill;         // data decrypted but not yet used
    bool m_peerClosed = false;  // the server's close_notify came on the data connection
    RemotePeerIdentity m_identity;
    int m_passivePort = 0;
    QString m_passiveHost;

    QByteArray m_pending;  // control bytes received but not yet used
    int m_timeoutMs = kFtpDefaultTimeoutSeconds * 1000;
    FtpProgress m_progress;
    const FtpCancelFlag* m_cancel = nullptr;
    bool m_cancelled = false;
    QString m_localError;
    bool m_utf8 = false;
    bool m_unsendable = false;
    qint64 m_announced = -1;  // the size the last 150 reply gave, or -1
};
