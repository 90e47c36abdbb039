#include "core/ftp/CFtpControl.h"

#include "core/app/UiText.h"
#include "core/ftp/DownloadTarget.h"
#include "platform/FileAccess.h"
#include "platform/Cp932.h"
#include "platform/Writeback.h"

#include <QBuffer>
#include <QDeadlineTimer>
#include <QFile>

#include <cerrno>
#include <cstring>
#include <QHostAddress>
#include <QRegularExpression>
#include <QCryptographicHash>
#include <QSslConfiguration>
#include <QSslSocket>
#include <QTcpServer>

#include <algorithm>

namespace {

// Waits are cut into slices so that the cancel flag is seen within one.
constexpr int kSliceMs = 100;
// After a cancel, the server gets this long to answer ABOR and the NOOP that
// follows before the control connection is given up.
constexpr int kCancelSyncMs = 1500;
// A server that does not answer QUIT is left after this long: the session
// is over either way.
constexpr int kQuitWaitMs = 2000;
// What a server may send as one reply or one listing. Beyond it the server is
// broken or hostile, and reading on would only fill the memory.
constexpr qsizetype kMaxReplyBytes = 256 * 1024;
constexpr int kMaxReplyLines = 2000;
constexpr qint64 kMaxListingBytes = 64LL * 1024 * 1024;
constexpr qint64 kMaxListingLines = 500000;

const QByteArray kCrLf = QByteArrayLiteral("\r\n");

int ReplyCodeOf(const QByteArray& firstLine)
{
    int code = 0;
    for (int i = 0; i < 3 && i < firstLine.size(); ++i) {
        const char c = firstLine[i];
        if (c < '0' || c > '9')
            break;
        code = code * 10 + (c - '0');
    }
    return code;
}

bool HasCode(const QByteArray& line)
{
    return line.size() >= 3 && std::all_of(line.begin(), line.begin() + 3,
                                           [](char c) { return c >= '0' && c <= '9'; });
}

// The size a 150 reply announces, "(1234 bytes)", or -1.
qint64 AnnouncedSize(const QString& reply)
{
    static const QRegularExpression size(QStringLiteral("\\((\\d+) bytes\\)"),
                                         QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = size.match(reply.section(QStringLiteral("\r\n"), 0, 0));
    bool ok = false;
    const qint64 value = match.hasMatch() ? match.captured(1).toLongLong(&ok) : -1;
    return ok ? value : -1;
}

// Incoming data connections of active mode as TLS-capable sockets: with
// FTPS the client encrypts them as it does passive ones.
class SslServer : public QTcpServer {
protected:
    void incomingConnection(qintptr descriptor) override
    {
        auto* socket = new QSslSocket(this);
        if (socket->setSocketDescriptor(descriptor))
            addPendingConnection(socket);
        else
            delete socket;
    }
};

// Why a certificate did not verify, in the user's words.
QString ReasonOf(const QSslError& error)
{
    switch (error.error()) {
    case QSslError::SelfSignedCertificate:
    case QSslError::SelfSignedCertificateInChain:
        return UiText(QStringLiteral("自己署名の証明書です"));
    case QSslError::HostNameMismatch:
        return UiText(QStringLiteral("証明書の名前が接続先のサーバ名と一致しません"));
    case QSslError::CertificateExpired:
        return UiText(QStringLiteral("証明書の有効期限が切れています"));
    case QSslError::CertificateNotYetValid:
        return UiText(QStringLiteral("証明書の有効期間がまだ始まっていません"));
    case QSslError::CertificateRevoked:
        return UiText(QStringLiteral("証明書は失効しています"));
    case QSslError::UnableToGetLocalIssuerCertificate:
    case QSslError::UnableToGetIssuerCertificate:
    case QSslError::UnableToVerifyFirstCertificate:
    case QSslError::CertificateUntrusted:
        return UiText(QStringLiteral("信頼された認証局が発行した証明書ではありません"));
    default:
        return error.errorString();
    }
}

// What a socket still holds to send: with TLS, the plain bytes not yet
// encrypted and the encrypted ones not yet sent.
qint64 Unsent(QTcpSocket& socket)
{
    auto* ssl = qobject_cast<QSslSocket*>(&socket);
    return socket.bytesToWrite() + (ssl ? ssl->encryptedBytesToWrite() : 0);
}

QString Names(const QStringList& parts)
{
    return parts.isEmpty() ? QStringLiteral("（なし）") : parts.join(QStringLiteral(", "));
}

} // namespace

// Network ASCII ends lines in CR LF; a file on this system ends them in LF.
// A CR at the end of one block waits for the first byte of the next.
class CFtpControl::LineEndWriter {
public:
    bool Write(QIODevice& sink, const char* data, qint64 size)
    {
        QByteArray out;
        out.reserve(size + 1);
        for (qint64 i = 0; i < size; ++i) {
            if (m_cr && data[i] != '\n')
                out += '\r';
            m_cr = data[i] == '\r';
            if (!m_cr)
                out += data[i];
        }
        return sink.write(out) == out.size();
    }
    bool Finish(QIODevice& sink)
    {
        const bool ok = !m_cr || sink.write("\r", 1) == 1;
        m_cr = false;
        return ok;
    }

private:
    bool m_cr = false;
};

CFtpControl::CFtpControl() = default;

CFtpControl::~CFtpControl()
{
    CloseData();
    if (m_control)
        m_control->abort();
}

void CFtpControl::SetTimeout(int milliseconds)
{
    m_timeoutMs = std::max(milliseconds, kSliceMs);
}

bool CFtpControl::Cancelled() const
{
    return m_cancel && m_cancel->load();
}

bool CFtpControl::Open(const QString& host, int port, bool passive)
{
    m_passive = passive;
    m_connected = false;
    m_pending.clear();
    m_tls = false;
    m_identity = RemotePeerIdentity();
    m_control = std::make_unique<QSslSocket>();
    m_control->setSocketOption(QAbstractSocket::LowDelayOption, 1);
    m_control->connectToHost(host, quint16(port));
    m_localError.clear();
    QDeadlineTimer deadline(m_timeoutMs);
    while (m_control->state() != QAbstractSocket::ConnectedState) {
        if (Cancelled() || deadline.hasExpired()
            || m_control->state() == QAbstractSocket::UnconnectedState) {
            // Refused, no such host, no route: the system says which.
            m_localError = UiText(QStringLiteral("サーバに接続できませんでした: %1"))
                               .arg(m_control->state() == QAbstractSocket::UnconnectedState
                                        ? m_control->errorString()
                                        : UiText(QStringLiteral("応答がありません")));
            Drop();
            return false;
        }
        m_control->waitForConnected(kSliceMs);
    }
    m_connected = true;
    ReadReply();
    if (m_replyCode != 220) {
        Drop();
        return false;
    }
    return true;
}

void CFtpControl::Drop()
{
    CloseData();
    if (m_control)
        m_control->abort();
    m_connected = false;
    m_pending.clear();
}

bool CFtpControl::SendBytes(QTcpSocket& socket, const QByteArray& bytes)
{
    if (socket.write(bytes) != bytes.size())
        return false;
    QDeadlineTimer deadline(m_timeoutMs);
    while (Unsent(socket) > 0) {
        if (socket.state() != QAbstractSocket::ConnectedState || deadline.hasExpired())
            return false;
        if (socket.waitForBytesWritten(kSliceMs))
            deadline.setRemainingTime(m_timeoutMs);
    }
    return true;
}

QByteArray CFtpControl::Encode(const QString& text) const
{
    return m_utf8 ? text.toUtf8() : platform::UnicodeToCp932(text);
}

QString CFtpControl::Decode(QByteArrayView bytes) const
{
    return m_utf8 ? QString::fromUtf8(bytes) : platform::Cp932ToUnicode(bytes);
}

bool CFtpControl::CanSend(const QString& text) const
{
    return Decode(Encode(text)) == text;
}

bool CFtpControl::SendCommand(const QString& line)
{
    m_unsendable = false;
    m_localError.clear();
    if (!m_control || !m_connected)
        return false;
    QString text = line;
    if (text.endsWith(QStringLiteral("\r\n")))
        text.chop(2);
    if (text.isEmpty())
        return false;
    // A CR or LF would end the command line here and let the rest of the
    // argument reach the server as a command of its own.
    if (text.contains(u'\r') || text.contains(u'\n'))
        return false;
    // A name the code cannot hold would reach the server with "?" in its
    // place and act on another file.
    m_unsendable = !CanSend(text);
    if (m_unsendable)
        return false;
    const QByteArray bytes = Encode(text);
    if (!SendBytes(*m_control, bytes + kCrLf)) {
        Drop();
        return false;
    }
    return true;
}

bool CFtpControl::ReadLine(QByteArray& line, const QDeadlineTimer& deadline)
{
    for (;;) {
        const qsizetype end = m_pending.indexOf('\n');
        if (end >= 0) {
            line = m_pending.left(end + 1);
            m_pending.remove(0, end + 1);
            return true;
        }
        if (m_pending.size() > kMaxReplyBytes)
            return false;
        if (m_control->bytesAvailable() > 0) {
            m_pending += m_control->read(kMaxReplyBytes);
            continue;
        }
        if (m_control->state() != QAbstractSocket::ConnectedState || deadline.hasExpired()
            || Cancelled())
            return false;
        m_control->waitForReadyRead(kSliceMs);
    }
}

QString CFtpControl::ReadReply()
{
    if (!m_control || !m_connected)
        return QString();
    QByteArray reply;
    QByteArray first;
    bool multiLine = false;
    // The whole reply has one time-out: a server that sends line after line
    // of a reply that never ends is not waited for forever.
    const QDeadlineTimer deadline(m_timeoutMs);
    for (int lines = 0;; ++lines) {
        QByteArray line;
        if (lines == kMaxReplyLines || reply.size() > kMaxReplyBytes || !ReadLine(line, deadline)) {
            // Nothing can be trusted on this connection any more: a late
            // reply would be taken as the answer to the next command.
            m_replyCode = kNoReply;
            Drop();
            return QString();
        }
        reply += line;
        if (first.isEmpty()) {
            first = line;
            // "123-" opens a multi-line reply that only "123 " closes; lines
            // between may look like anything, even like a reply of their own.
            multiLine = HasCode(line) && line.size() > 3 && line[3] == '-';
            if (!multiLine && line.size() > 3 && line[3] == ' ')
                break;
            if (!multiLine && HasCode(line) && line.trimmed().size() == 3)
                break;
            continue;
        }
        if (multiLine) {
            if (line.startsWith(first.left(3)) && line.size() > 3 && line[3] == ' ')
                break;
        } else if (line.size() > 3 && line[3] == ' ') {
            break;
        }
    }
    m_replyCode = ReplyCodeOf(first);
    m_replyText = Decode(reply);
    if (m_replyCode == 421)  // the server is closing the connection
        Drop();
    return m_replyText;
}

bool CFtpControl::Command(const QString& line, int accepted)
{
    if (!SendCommand(line))
        return false;
    ReadReply();
    return m_replyCode == accepted;
}

bool CFtpControl::Simple(const QString& verb, const QString& argument, int accepted)
{
    if (argument.isEmpty())
        return false;
    return Command(verb + u' ' + argument, accepted);
}

bool CFtpControl::Login(const QString& user, const QString& password)
{
    if (!SendCommand(QStringLiteral("USER ") + user))
        return false;
    ReadReply();
    if (m_replyCode == 230)  // no password needed; none is sent
        return true;
    if (m_replyCode != 331)
        return false;
    if (!SendCommand(QStringLiteral("PASS ") + password))
        return false;
    ReadReply();
    return m_replyCode == 230 || m_replyCode == 202;
}

bool CFtpControl::Quit()
{
    if (!m_control)
        return false;
    if (!m_connected)
        return true;
    if (!SendCommand(QStringLiteral("QUIT")))
        return false;
    const int savedTimeout = m_timeoutMs;
    m_timeoutMs = std::min(m_timeoutMs, kQuitWaitMs);
    ReadReply();
    m_timeoutMs = savedTimeout;
    if (m_replyCode != 221)
        return false;
    Drop();
    return true;
}

QString CFtpControl::Pwd()
{
    if (!Command(QStringLiteral("PWD"), 257))
        return QString();
    const QString line = m_replyText.section(QStringLiteral("\r\n"), 0, 0);
    const qsizetype open = line.indexOf(u'"');
    if (open < 0)
        return QString();
    // A quote inside the name is written twice.
    QString folder;
    for (qsizetype i = open + 1; i < line.size(); ++i) {
        if (line[i] == u'"') {
            if (i + 1 < line.size() && line[i + 1] == u'"') {
                folder += u'"';
                ++i;
                continue;
            }
            return folder;
        }
        folder += line[i];
    }
    return QString();
}

bool CFtpControl::Cwd(const QString& folder)
{
    return Simple(QStringLiteral("CWD"), folder, 250);
}

bool CFtpControl::Mkd(const QString& folder)
{
    return Simple(QStringLiteral("MKD"), folder, 257);
}

bool CFtpControl::Rmd(const QString& folder)
{
    return Simple(QStringLiteral("RMD"), folder, 250);
}

bool CFtpControl::Dele(const QString& file)
{
    return Simple(QStringLiteral("DELE"), file, 250);
}

bool CFtpControl::Rename(const QString& oldName, const QString& newName)
{
    if (oldName.isEmpty() || newName.isEmpty())
        return false;
    // Both names are checked before RNFR so that a refused RNTO never
    // leaves the server waiting for one.
    if (newName.contains(u'\r') || newName.contains(u'\n'))
        return false;
    if (!Simple(QStringLiteral("RNFR"), oldName, 350))
        return false;
    if (!SendCommand(QStringLiteral("RNTO ") + newName))
        return false;
    ReadReply();
    return m_replyCode == 250;
}

bool CFtpControl::SiteChmod(const QString& file, const QString& mode)
{
    if (file.isEmpty() || mode.isEmpty())
        return false;
    if (!SendCommand(QStringLiteral("SITE CHMOD ") + mode + u' ' + file))
        return false;
    ReadReply();
    return m_connected;
}

bool CFtpControl::ParsePassiveReply()
{
    // "227 Entering Passive Mode (h1,h2,h3,h4,p1,p2)"; some servers leave
    // out the parentheses.
    static const QRegularExpression numbers(
        QStringLiteral("(\\d{1,3}),(\\d{1,3}),(\\d{1,3}),(\\d{1,3}),(\\d{1,3}),(\\d{1,3})"));
    const QRegularExpressionMatch match = numbers.match(m_replyText.mid(3));
    if (!match.hasMatch())
        return false;
    int value[6];
    for (int i = 0; i < 6; ++i) {
        value[i] = match.captured(i + 1).toInt();
        if (value[i] > 255)
            return false;
    }
    m_passiveHost = QStringLiteral("%1.%2.%3.%4").arg(value[0]).arg(value[1]).arg(value[2]).arg(value[3]);
    m_passivePort = value[4] * 256 + value[5];
    return m_passivePort > 0;
}

bool CFtpControl::ParseExtendedPassiveReply()
{
    // "229 Entering Extended Passive Mode (|||6446|)": the delimiter is the
    // first character inside the parentheses.
    static const QRegularExpression port(QStringLiteral("\\((.)\\1\\1(\\d{1,5})\\1\\)"));
    const QRegularExpressionMatch match = port.match(m_replyText);
    if (!match.hasMatch())
        return false;
    m_passivePort = match.captured(2).toInt();
    m_passiveHost = m_control->peerAddress().toString();
    return m_passivePort > 0 && m_passivePort < 65536;
}

bool CFtpControl::PrepareData()
{
    if (!m_control || !m_connected)
        return false;
    const bool v6 = m_control->peerAddress().protocol() == QAbstractSocket::IPv6Protocol
        && !m_control->peerAddress().toIPv4Address();
    const bool extended = m_extended || v6;
    if (!SendCommand(QStringLiteral("TYPE ") + m_type))
        return false;
    ReadReply();
    if (!m_connected)
        return false;
    if (m_passive) {
        if (extended) {
            if (Command(QStringLiteral("EPSV"), 229))
                return ParseExtendedPassiveReply();
            // Firewalls and NAT devices refuse what they do not know; PASV
            // still works through them, from now on in this session.
            if (v6 || (m_replyCode != 500 && m_replyCode != 502))
                return false;
            m_extended = false;
        }
        return Command(QStringLiteral("PASV"), 227) && ParsePassiveReply();
    }
    QHostAddress local = m_control->localAddress();
    bool isV4 = false;
    const quint32 v4 = local.toIPv4Address(&isV4);
    if (isV4)
        local = QHostAddress(v4);
    else if (!extended)
        return false;
    // Listening only where the server reaches us, not on every interface.
    m_listen = std::make_unique<SslServer>();
    if (!m_listen->listen(local, 0)) {
        m_listen.reset();
        return false;
    }
    const int port = m_listen->serverPort();
    bool ok = false;
    if (extended) {
        ok = Command(QStringLiteral("EPRT |%1|%2|%3|").arg(isV4 ? 1 : 2).arg(local.toString()).arg(port), 200);
    } else {
        QString address = local.toString();
        address.replace(u'.', u',');
        ok = Command(QStringLiteral("PORT %1,%2,%3").arg(address).arg(port / 256).arg(port % 256), 200);
    }
    if (!ok)
        m_listen.reset();
    return ok;
}

bool CFtpControl::ConnectData()
{
    if (!m_passive)
        return true;
    // The announced host is not used: a server behind NAT announces an
    // address nobody can reach, and a hostile one could point the data
    // connection at a third machine.
    m_data = std::make_unique<QSslSocket>();
    m_data->connectToHost(m_control->peerAddress(), quint16(m_passivePort));
    QDeadlineTimer deadline(m_timeoutMs);
    while (m_data->state() != QAbstractSocket::ConnectedState) {
        if (Cancelled() || deadline.hasExpired()
            || m_data->state() == QAbstractSocket::UnconnectedState)
            return false;
        m_data->waitForConnected(kSliceMs);
    }
    return true;
}

void CFtpControl::CloseData()
{
    if (m_data) {
        m_data->abort();
        m_data.reset();
    }
    if (m_listen) {
        m_listen->close();
        m_listen.reset();
    }
}

void CFtpControl::AbortTransfer()
{
    const bool cancelled = Cancelled();
    if (!m_connected) {
        CloseData();
        return;
    }
    // The server may still owe the transfer's reply, ABOR's, or both; a NOOP
    // answered with 200 shows that every earlier reply has been read.
    const int savedTimeout = m_timeoutMs;
    const FtpCancelFlag* savedCancel = m_cancel;
    m_cancel = nullptr;
    if (cancelled)
        m_timeoutMs = kCancelSyncMs;
    const int code = m_replyCode;
    const QString text = m_replyText;
    // ABOR goes first, so that a server receiving an upload takes the closed
    // data connection for an abort and not for the end of the file.
    bool inStep = SendCommand(QStringLiteral("ABOR"));
    CloseData();
    inStep = inStep && SendCommand(QStringLiteral("NOOP"));
    QDeadlineTimer deadline(m_timeoutMs);
    while (inStep) {
        ReadReply();
        if (!m_connected || deadline.hasExpired()) {
            inStep = false;
            break;
        }
        if (m_replyCode == 200)
            break;
    }
    if (!inStep)
        Drop();
    m_timeoutMs = savedTimeout;
    m_cancel = savedCancel;
    // The caller reports the reply that failed the transfer, not NOOP's.
    m_replyCode = code;
    m_replyText = text;
}

bool CFtpControl::StartTransfer(const QString& command, qint64 offset)
{
    m_cancelled = false;
    m_announced = -1;
    if (!PrepareData()) {
        CloseData();
        return false;
    }
    if (offset > 0 && !Command(QStringLiteral("REST %1").arg(offset), 350)) {
        CloseData();
        return false;
    }
    if (!SendCommand(command)) {
        CloseData();
        return false;
    }
    if (!ConnectData()) {
        m_cancelled = Cancelled();
        AbortTransfer();
        return false;
    }
    ReadReply();
    // 125: the data connection was already open; real servers send either.
    if (m_replyCode != 150 && m_replyCode != 125) {
        CloseData();
        return false;
    }
    m_announced = AnnouncedSize(m_replyText);
    if (m_passive) {
        if (SecureData())
            return true;
        m_cancelled = Cancelled();
        AbortTransfer();
        return false;
    }
    QDeadlineTimer deadline(m_timeoutMs);
    while (!m_data) {
        if (Cancelled() || deadline.hasExpired()) {
            m_cancelled = Cancelled();
            AbortTransfer();
            return false;
        }
        // Several may have come at once: each waiting one is looked at
        // before the next is waited for.
        if (!m_listen->hasPendingConnections() && !m_listen->waitForNewConnection(kSliceMs))
            continue;
        QTcpSocket* incoming = m_listen->nextPendingConnection();
        if (!incoming)
            continue;
        incoming->setParent(nullptr);
        std::unique_ptr<QTcpSocket> socket(incoming);
        // Only the server may connect; anyone else could feed us a file.
        if (socket->peerAddress().isEqual(m_control->peerAddress(),
                                          QHostAddress::TolerantConversion))
            m_data = std::move(socket);
    }
    m_listen->close();
    if (SecureData())
        return true;
    m_cancelled = Cancelled();
    AbortTransfer();
    return false;
}

QString CFtpControl::Fingerprint(const QSslCertificate& certificate)
{
    return QStringLiteral("SHA256:")
        + QString::fromLatin1(certificate.digest(QCryptographicHash::Sha256)
                                  .toBase64(QByteArray::OmitTrailingEquals));
}

bool CFtpControl::StartTls(const QString& peerName, const QString& trustedFingerprint)
{
    if (!Command(QStringLiteral("AUTH TLS"), 234))
        return false;
    auto* ssl = static_cast<QSslSocket*>(m_control.get());
    QSslConfiguration config = QSslConfiguration::defaultConfiguration();
    config.setPeerVerifyMode(QSslSocket::VerifyPeer);
    // The data connections resume this session.
    config.setSslOption(QSsl::SslOptionDisableSessionPersistence, false);
    // TLS 1.2: in 1.3 the server sends session tickets after the handshake,
    // which an upload's data connection never reads; closing it with them
    // unread resets it, and the server discards the upload.
    config.setProtocol(QSsl::TlsV1_2);
    ssl->setSslConfiguration(config);
    ssl->setPeerVerifyName(peerName);
    m_identity = RemotePeerIdentity();
    bool judged = false;
    const QMetaObject::Connection judge = QObject::connect(
        ssl, &QSslSocket::sslErrors, ssl, [&](const QList<QSslError>& errors) {
            judged = true;
            const QSslCertificate peer = ssl->peerCertificate();
            m_identity.fingerprint = Fingerprint(peer);
            QStringList why;
            for (const QSslError& e : errors) {
                if (!why.contains(ReasonOf(e)))
                    why.append(ReasonOf(e));
            }
            m_identity.details = UiText(QStringLiteral("発行先：%1\n発行者：%2\n指紋：%3\n理由：%4"))
                                     .arg(Names(peer.subjectInfo(QSslCertificate::CommonName)),
                                          Names(peer.issuerInfo(QSslCertificate::CommonName)),
                                          m_identity.fingerprint, why.join(QStringLiteral("。")));
            if (trustedFingerprint.isEmpty()) {
                m_identity.verdict = RemotePeerIdentity::Verdict::Unknown;
            } else if (trustedFingerprint == m_identity.fingerprint) {
                m_identity.verdict = RemotePeerIdentity::Verdict::Trusted;
                ssl->ignoreSslErrors(errors);
            } else {
                m_identity.verdict = RemotePeerIdentity::Verdict::Changed;
            }
        });
    ssl->startClientEncryption();
    QDeadlineTimer deadline(m_timeoutMs);
    while (!ssl->isEncrypted()) {
        if (Cancelled() || deadline.hasExpired() || ssl->state() != QAbstractSocket::ConnectedState) {
            QObject::disconnect(judge);
            Drop();
            return false;
        }
        ssl->waitForEncrypted(kSliceMs);
    }
    QObject::disconnect(judge);
    if (!judged) {
        m_identity.verdict = RemotePeerIdentity::Verdict::Verified;
        m_identity.fingerprint = Fingerprint(ssl->peerCertificate());
    }
    m_tls = true;
    return true;
}

bool CFtpControl::ProtectData()
{
    return Command(QStringLiteral("PBSZ 0"), 200) && Command(QStringLiteral("PROT P"), 200);
}

bool CFtpControl::SecureData()
{
    m_spill.clear();
    m_peerClosed = false;
    if (!m_tls)
        return true;
    auto* control = static_cast<QSslSocket*>(m_control.get());
    auto* data = static_cast<QSslSocket*>(m_data.get());
    QSslConfiguration config = control->sslConfiguration();
    config.setSessionTicket(control->sslConfiguration().sessionTicket());
    // The certificate was judged on the control connection; the data one
    // must show the very same.
    config.setPeerVerifyMode(QSslSocket::VerifyNone);
    data->setSslConfiguration(config);
    data->setPeerVerifyName(control->peerVerifyName());
    // A server may send its last bytes and its close_notify together and
    // then wait for ours (vsftpd does). The socket reports the closure as
    // an error and drops what it had not handed out: take every byte as
    // it is decrypted, and the close_notify as the end of the data.
    QObject::connect(data, &QSslSocket::readyRead, data, [this, data] { m_spill += data->readAll(); });
    QObject::connect(data, &QSslSocket::errorOccurred, data, [this](QAbstractSocket::SocketError e) {
        if (e == QAbstractSocket::RemoteHostClosedError)
            m_peerClosed = true;
    });
    data->startClientEncryption();
    QDeadlineTimer deadline(m_timeoutMs);
    while (!data->isEncrypted()) {
        if (Cancelled() || deadline.hasExpired() || data->state() != QAbstractSocket::ConnectedState)
            return false;
        data->waitForEncrypted(kSliceMs);
    }
    return data->peerCertificate() == control->peerCertificate();
}

bool CFtpControl::ReceiveInto(QIODevice& sink, qint64& moved, const ReceiveLimits& limits)
{
    QByteArray block(kFtpBlockSize, Qt::Uninitialized);
    QDeadlineTimer idle(m_timeoutMs);
    qint64 lines = 0;
    platform::WritebackPacer writeback(sink);
    for (;;) {
        if (Cancelled()) {
            m_cancelled = true;
            return false;
        }
        if (!m_spill.isEmpty() || m_data->bytesAvailable() > 0) {
            qint64 got = 0;
            if (!m_spill.isEmpty()) {
                got = std::min<qint64>(m_spill.size(), block.size());
                memcpy(block.data(), m_spill.constData(), size_t(got));
                m_spill.remove(0, got);
            } else {
                got = m_data->read(block.data(), block.size());
            }
            if (got < 0)
                return false;
            const bool written = limits.lineEnds ? limits.lineEnds->Write(sink, block.constData(), got)
                                                 : sink.write(block.constData(), got) == got;
            if (!written)
                return false;
            writeback.Wrote(got);
            moved += got;
            if (limits.maxLines >= 0)
                lines += std::count(block.constData(), block.constData() + got, '\n');
            if ((limits.maxBytes >= 0 && moved > limits.maxBytes)
                || (limits.maxLines >= 0 && lines > limits.maxLines))
                return false;
            if (m_progress)
                m_progress(moved, -1);
            idle.setRemainingTime(m_timeoutMs);
            continue;
        }
        // The server closed: all was sent.
        if (m_peerClosed || m_data->state() != QAbstractSocket::ConnectedState)
            return !limits.lineEnds || limits.lineEnds->Finish(sink);
        if (idle.hasExpired())
            return false;
        m_data->waitForReadyRead(kSliceMs);
    }
}

bool CFtpControl::SendFrom(QIODevice& source, qint64 total, qint64& moved)
{
    QByteArray block(kFtpBlockSize, Qt::Uninitialized);
    QDeadlineTimer idle(m_timeoutMs);
    qint64 handed = 0;
    bool atEnd = false;
    for (;;) {
        if (Cancelled()) {
            m_cancelled = true;
            return false;
        }
        if (m_data->state() != QAbstractSocket::ConnectedState)
            return false;
        // One block stays queued in the socket while the next is read.
        if (!atEnd && m_data->bytesToWrite() < kFtpBlockSize) {
            const qint64 got = source.read(block.data(), block.size());
            if (got < 0)
                return false;
            if (got == 0) {
                atEnd = true;
            } else {
                if (m_data->write(block.constData(), got) != got)
                    return false;
                handed += got;
            }
            continue;
        }
        if (atEnd && Unsent(*m_data) == 0)
            break;
        const qint64 before = Unsent(*m_data);
        // Hand the kernel all it takes at once; wait only when it takes
        // nothing.
        if (!m_data->flush())
            m_data->waitForBytesWritten(kSliceMs);
        if (Unsent(*m_data) < before) {
            idle.setRemainingTime(m_timeoutMs);
            moved = handed - m_data->bytesToWrite();
            if (m_progress)
                m_progress(moved, total);
        } else if (idle.hasExpired()) {
            return false;
        }
    }
    moved = handed;
    if (m_progress)
        m_progress(moved, total);
    m_data->disconnectFromHost();
    QDeadlineTimer closing(m_timeoutMs);
    while (m_data->state() != QAbstractSocket::UnconnectedState && !closing.hasExpired())
        m_data->waitForDisconnected(kSliceMs);
    return true;
}

bool CFtpControl::FinishTransfer(bool moved)
{
    if (!moved) {
        AbortTransfer();
        return false;
    }
    CloseData();
    ReadReply();
    return m_replyCode == 226 || m_replyCode == 250;
}

bool CFtpControl::List(QString& listing, const QString& command)
{
    m_listing.clear();
    listing.clear();
    if (!StartTransfer(command))
        return false;
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    qint64 moved = 0;
    const bool ok = FinishTransfer(ReceiveInto(buffer, moved, {kMaxListingBytes, kMaxListingLines}));
    if (!ok)
        bytes.clear();
    m_listing = Decode(bytes);
    listing = m_listing;
    return ok;
}

bool CFtpControl::Retrieve(const QString& remotePath, const QString& localPath, qint64 offset)
{
    m_cancelled = false;
    m_localError.clear();
    if (!m_control || !m_connected || remotePath.isEmpty())
        return false;
    const bool ascii = m_type == u"A";
    // Text mode changes the bytes on the way: no piece of it can be gone on
    // from.
    DownloadTarget target(localPath);
    if (offset > 0 && ascii)
        return false;
    if (!target.Open(offset)) {
        m_localError = target.ErrorText();
        return false;
    }
    if (!StartTransfer(QStringLiteral("RETR ") + remotePath, offset)) {
        target.Abandon(offset > 0);
        return false;
    }
    qint64 moved = 0;
    LineEndWriter lineEnds;
    ReceiveLimits limits;
    if (ascii)
        limits.lineEnds = &lineEnds;
    const qint64 announced = m_announced;
    const bool received = ReceiveInto(target.File(), moved, limits);
    const bool finished = FinishTransfer(received);
    // A connection that ends early looks like the end of the file; the size
    // the server announced tells them apart (ASCII only adds CRs on the way).
    // A resumed download is measured by its caller, who knows the whole.
    if (!finished || (offset == 0 && announced >= 0 && moved < announced)) {
        // What arrived of a binary file is kept for the next download to go
        // on from; a cancel of a new one wants nothing left.
        target.Abandon(!ascii && (offset > 0 || !m_cancelled));
        return false;
    }
    if (target.Commit())
        return true;
    m_localError = target.ErrorText();
    return false;
}

bool CFtpControl::Store(const QString& localPath, const QString& remotePath, qint64 offset)
{
    m_cancelled = false;
    if (!m_control || !m_connected || remotePath.isEmpty())
        return false;
    m_localError.clear();
    QFile file;
    if (!platform::OpenFile(file, localPath, QIODevice::ReadOnly)) {
        m_localError = UiText(QStringLiteral("ファイルを読めませんでした: %1 (%2)"))
                           .arg(platform::DisplayPath(localPath), QString::fromLocal8Bit(std::strerror(errno)));
        return false;
    }
    if (offset < 0 || offset > file.size() || !file.seek(offset))
        return false;
    if (!StartTransfer(QStringLiteral("STOR ") + remotePath, offset))
        return false;
    qint64 moved = 0;
    return FinishTransfer(SendFrom(file, file.size() - offset, moved));
}
