#include "core/ftp/CFtpControl.h"

#include "platform/Cp932.h"

#include <QBuffer>
#include <QDeadlineTimer>
#include <QFile>
#include <QHostAddress>
#include <QRegularExpression>
#include <QSaveFile>
#include <QTcpServer>
#include <QTcpSocket>

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
    m_control = std::make_unique<QTcpSocket>();
    m_control->setSocketOption(QAbstractSocket::LowDelayOption, 1);
    m_control->connectToHost(host, quint16(port));
    QDeadlineTimer deadline(m_timeoutMs);
    while (m_control->state() != QAbstractSocket::ConnectedState) {
        if (Cancelled() || deadline.hasExpired()
            || m_control->state() == QAbstractSocket::UnconnectedState) {
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
    while (socket.bytesToWrite() > 0) {
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

bool CFtpControl::PrepareData()
{
    if (!m_control || !m_connected)
        return false;
    if (m_passive) {
        if (!SendCommand(QStringLiteral("TYPE ") + m_type))
            return false;
        ReadReply();
        if (!m_connected)
            return false;
        return Command(QStringLiteral("PASV"), 227) && ParsePassiveReply();
    }
    QHostAddress local = m_control->localAddress();
    bool isV4 = false;
    const quint32 v4 = local.toIPv4Address(&isV4);
    if (!isV4)
        return false;
    local = QHostAddress(v4);
    // Listening only where the server reaches us, not on every interface.
    m_listen = std::make_unique<QTcpServer>();
    if (!m_listen->listen(local, 0)) {
        m_listen.reset();
        return false;
    }
    const int port = m_listen->serverPort();
    if (!SendCommand(QStringLiteral("TYPE ") + m_type)) {
        m_listen.reset();
        return false;
    }
    ReadReply();
    QString address = local.toString();
    address.replace(u'.', u',');
    if (!Command(QStringLiteral("PORT %1,%2,%3").arg(address).arg(port / 256).arg(port % 256), 200)) {
        m_listen.reset();
        return false;
    }
    return true;
}

bool CFtpControl::ConnectData()
{
    if (!m_passive)
        return true;
    // The announced host is not used: a server behind NAT announces an
    // address nobody can reach, and a hostile one could point the data
    // connection at a third machine.
    m_data = std::make_unique<QTcpSocket>();
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

bool CFtpControl::StartTransfer(const QString& command)
{
    m_cancelled = false;
    m_announced = -1;
    if (!PrepareData()) {
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
    if (m_passive)
        return true;
    QDeadlineTimer deadline(m_timeoutMs);
    while (!m_data) {
        if (Cancelled() || deadline.hasExpired()) {
            m_cancelled = Cancelled();
            AbortTransfer();
            return false;
        }
        if (!m_listen->waitForNewConnection(kSliceMs))
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
    return true;
}

bool CFtpControl::ReceiveInto(QIODevice& sink, qint64& moved, const ReceiveLimits& limits)
{
    QByteArray block(kFtpBlockSize, Qt::Uninitialized);
    QDeadlineTimer idle(m_timeoutMs);
    qint64 lines = 0;
    for (;;) {
        if (Cancelled()) {
            m_cancelled = true;
            return false;
        }
        if (m_data->bytesAvailable() > 0) {
            const qint64 got = m_data->read(block.data(), block.size());
            if (got < 0)
                return false;
            const bool written = limits.lineEnds ? limits.lineEnds->Write(sink, block.constData(), got)
                                                 : sink.write(block.constData(), got) == got;
            if (!written)
                return false;
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
        if (m_data->state() != QAbstractSocket::ConnectedState)
            return !limits.lineEnds || limits.lineEnds->Finish(sink);  // the server closed: all sent
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
        if (atEnd && m_data->bytesToWrite() == 0)
            break;
        const qint64 before = m_data->bytesToWrite();
        // Hand the kernel all it takes at once; wait only when it takes
        // nothing.
        if (!m_data->flush())
            m_data->waitForBytesWritten(kSliceMs);
        if (m_data->bytesToWrite() < before) {
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
    if (m_data->state() != QAbstractSocket::UnconnectedState)
        m_data->waitForDisconnected(m_timeoutMs);
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

bool CFtpControl::List(QString& listing)
{
    m_listing.clear();
    listing.clear();
    if (!StartTransfer(QStringLiteral("LIST -L")))
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

bool CFtpControl::Retrieve(const QString& remotePath, const QString& localPath)
{
    m_cancelled = false;
    if (!m_control || !m_connected || remotePath.isEmpty())
        return false;
    // The download lands under its real name only when it is complete: a
    // failure never leaves a piece of it there nor spoils a good copy.
    QSaveFile file(localPath);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    if (!StartTransfer(QStringLiteral("RETR ") + remotePath))
        return false;
    qint64 moved = 0;
    LineEndWriter lineEnds;
    ReceiveLimits limits;
    if (m_type == u"A")
        limits.lineEnds = &lineEnds;
    const qint64 announced = m_announced;
    const bool received = ReceiveInto(file, moved, limits);
    if (!FinishTransfer(received))
        return false;
    // A connection that ends early looks like the end of the file; the size
    // the server announced tells them apart (ASCII only adds CRs on the way).
    if (announced >= 0 && moved < announced)
        return false;
    return file.commit();
}

bool CFtpControl::Store(const QString& localPath, const QString& remotePath)
{
    m_cancelled = false;
    if (!m_control || !m_connected || remotePath.isEmpty())
        return false;
    QFile file(localPath);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    if (!StartTransfer(QStringLiteral("STOR ") + remotePath))
        return false;
    qint64 moved = 0;
    return FinishTransfer(SendFrom(file, file.size(), moved));
}
