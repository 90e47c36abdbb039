#include "FakeFtpServer.h"

#include <QDeadlineTimer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QThread>

#include <algorithm>
#include <memory>

namespace {

constexpr int kWaitMs = 20000;

std::unique_ptr<QTcpSocket> Accept(QTcpServer& data)
{
    if (!data.isListening() || !data.waitForNewConnection(kWaitMs))
        return nullptr;
    std::unique_ptr<QTcpSocket> socket(data.nextPendingConnection());
    if (socket)
        socket->setParent(nullptr);
    return socket;
}

void SendAll(QTcpSocket& socket, const QByteArray& bytes)
{
    socket.write(bytes);
    QDeadlineTimer deadline(kWaitMs);
    while (socket.bytesToWrite() > 0 && socket.state() == QAbstractSocket::ConnectedState
           && !deadline.hasExpired())
        socket.waitForBytesWritten(50);
}

bool ReadCommand(QTcpSocket& control, QByteArray& pending, QByteArray& line)
{
    QDeadlineTimer deadline(kWaitMs);
    for (;;) {
        const qsizetype end = pending.indexOf("\r\n");
        if (end >= 0) {
            line = pending.left(end);
            pending.remove(0, end + 2);
            return true;
        }
        if (control.state() != QAbstractSocket::ConnectedState || deadline.hasExpired())
            return false;
        if (control.waitForReadyRead(50) || control.bytesAvailable() > 0)
            pending += control.readAll();
    }
}

void WaitClosed(QTcpSocket& socket, QByteArray* into)
{
    QDeadlineTimer deadline(kWaitMs * 3);
    while (socket.state() == QAbstractSocket::ConnectedState && !deadline.hasExpired()) {
        socket.waitForReadyRead(50);
        const QByteArray got = socket.readAll();
        if (into)
            *into += got;
    }
    if (into)
        *into += socket.readAll();
}

} // namespace

QByteArray FakeFtpServer::Pattern(int size)
{
    QByteArray bytes(size, Qt::Uninitialized);
    for (int i = 0; i < size; ++i)
        bytes[i] = char((i * 7 + i / 256) & 0xFF);
    return bytes;
}

FakeFtpServer::FakeFtpServer(const QStringList& script) : m_script(script)
{
    std::promise<int> port;
    std::future<int> chosen = port.get_future();
    m_thread = std::thread([this, &port] { Run(port); });
    m_port = chosen.get();
}

FakeFtpServer::~FakeFtpServer()
{
    if (m_thread.joinable())
        m_thread.join();
}

QStringList FakeFtpServer::Commands() const
{
    QMutexLocker lock(&m_mutex);
    return m_commands;
}

QByteArray FakeFtpServer::Received() const
{
    QMutexLocker lock(&m_mutex);
    return m_received;
}

QString FakeFtpServer::Problem() const
{
    QMutexLocker lock(&m_mutex);
    return m_problem;
}

void FakeFtpServer::Run(std::promise<int>& port)
{
    QTcpServer listener;
    listener.listen(QHostAddress::LocalHost, 0);
    port.set_value(listener.serverPort());
    if (!listener.waitForNewConnection(kWaitMs))
        return;
    std::unique_ptr<QTcpSocket> control(listener.nextPendingConnection());
    control->setParent(nullptr);
    QTcpServer data;
    QByteArray pending;
    int activePort = 0;
    auto problem = [this](const QString& text) {
        QMutexLocker lock(&m_mutex);
        m_problem = text;
    };

    for (const QString& step : m_script) {
        if (step.startsWith(u"<<")) {
            SendAll(*control, step.mid(2).toUtf8());
        } else if (step.startsWith(u'<')) {
            QByteArray reply = step.mid(1).toUtf8();
            reply.replace('|', "\r\n");
            SendAll(*control, reply + "\r\n");
        } else if (step.startsWith(u'>')) {
            QByteArray line;
            if (!ReadCommand(*control, pending, line)) {
                problem(QStringLiteral("no command where %1 was expected").arg(step));
                return;
            }
            {
                QMutexLocker lock(&m_mutex);
                m_commands.append(QString::fromUtf8(line));
            }
            if (!line.startsWith(step.mid(1).toUtf8())) {
                problem(QStringLiteral("got %1 where %2 was expected").arg(QString::fromUtf8(line), step));
                return;
            }
        } else if (step.startsWith(u"PASV ")) {
            QByteArray line;
            if (!ReadCommand(*control, pending, line) || line != "PASV") {
                problem(QStringLiteral("no PASV where %1 was scripted").arg(step));
                return;
            }
            {
                QMutexLocker lock(&m_mutex);
                m_commands.append(QString::fromUtf8(line));
            }
            data.close();
            data.listen(QHostAddress::LocalHost, 0);
            const int p = data.serverPort();
            SendAll(*control, QStringLiteral("227 Entering Passive Mode (%1,%2,%3)\r\n")
                                  .arg(step.mid(5)).arg(p / 256).arg(p % 256).toUtf8());
        } else if (step == u"PORT") {
            QByteArray line;
            if (!ReadCommand(*control, pending, line) || !line.startsWith("PORT ")) {
                problem(QStringLiteral("no PORT where it was scripted"));
                return;
            }
            const QList<QByteArray> parts = line.mid(5).split(',');
            activePort = parts.size() == 6 ? parts[4].toInt() * 256 + parts[5].toInt() : 0;
            SendAll(*control, "200 PORT command successful\r\n");
        } else if (step.startsWith(u"ACTIVE:")) {
            // Whoever connects first is not the server.
            QTcpSocket stranger;
            stranger.bind(QHostAddress(QStringLiteral("127.0.0.2")));
            stranger.connectToHost(QHostAddress::LocalHost, quint16(activePort));
            if (!stranger.waitForConnected(kWaitMs)) {
                problem(QStringLiteral("the stranger could not connect"));
                return;
            }
            SendAll(stranger, "-rw-r--r-- 1 x x 1 Mar 5 14:07 planted1\r\n-rw-r--r-- 1 x x 1 Mar 5 14:07 planted2\r\n");
            QTcpSocket socket;
            socket.connectToHost(QHostAddress::LocalHost, quint16(activePort));
            if (!socket.waitForConnected(kWaitMs)) {
                problem(QStringLiteral("no active data connection"));
                return;
            }
            SendAll(socket, step.mid(7).toUtf8());
            socket.disconnectFromHost();
            if (socket.state() != QAbstractSocket::UnconnectedState)
                socket.waitForDisconnected(kWaitMs);
        } else if (step.startsWith(u"DATA~")) {
            std::unique_ptr<QTcpSocket> socket = Accept(data);
            if (!socket) {
                problem(QStringLiteral("no data connection"));
                return;
            }
            const QByteArray text = step.mid(5).toUtf8();
            QDeadlineTimer deadline(kWaitMs * 3);
            while (socket->state() == QAbstractSocket::ConnectedState && !deadline.hasExpired()) {
                if (socket->bytesToWrite() < (1 << 20))
                    socket->write(text.repeated(std::max<qsizetype>(1, 65536 / text.size())));
                socket->waitForBytesWritten(20);
                socket->readAll();
            }
        } else if (step.startsWith(u"FLOOD:")) {
            const int ms = step.section(u':', 1, 1).toInt();
            QByteArray text = step.section(u':', 2).toUtf8();
            text.replace('|', "\r\n");
            if (ms == 0)
                text = text.repeated(std::max<qsizetype>(1, 65536 / text.size()));
            QDeadlineTimer deadline(kWaitMs * 3);
            while (control->state() == QAbstractSocket::ConnectedState && !deadline.hasExpired()) {
                if (control->bytesToWrite() < (1 << 20))
                    control->write(text);
                QThread::msleep(ms);
                control->waitForBytesWritten(20);
                control->waitForReadyRead(1);
                control->readAll();
            }
        } else if (step == u"ACCEPT") {
            control->abort();
            pending.clear();
            if (!listener.waitForNewConnection(kWaitMs)) {
                problem(QStringLiteral("the client did not connect again"));
                return;
            }
            control.reset(listener.nextPendingConnection());
            control->setParent(nullptr);
        } else if (step.startsWith(u"DATA") || step.startsWith(u"CUT")) {
            std::unique_ptr<QTcpSocket> socket = Accept(data);
            if (!socket) {
                problem(QStringLiteral("no data connection"));
                return;
            }
            const qsizetype star = step.indexOf(u'*');
            const QByteArray bytes = star >= 0 ? Pattern(step.mid(star + 1).toInt())
                                               : step.mid(5).toUtf8();
            SendAll(*socket, bytes);
            if (step.startsWith(u"CUT")) {
                socket->abort();
                control->abort();
                return;
            }
            socket->disconnectFromHost();
            if (socket->state() != QAbstractSocket::UnconnectedState)
                socket->waitForDisconnected(kWaitMs);
        } else if (step == u"RECV") {
            std::unique_ptr<QTcpSocket> socket = Accept(data);
            if (!socket) {
                problem(QStringLiteral("no data connection"));
                return;
            }
            QByteArray got;
            WaitClosed(*socket, &got);
            QMutexLocker lock(&m_mutex);
            m_received = got;
        } else if (step == u"TRICKLE") {
            std::unique_ptr<QTcpSocket> socket = Accept(data);
            if (!socket) {
                problem(QStringLiteral("no data connection"));
                return;
            }
            QDeadlineTimer deadline(kWaitMs * 3);
            while (socket->state() == QAbstractSocket::ConnectedState && !deadline.hasExpired()) {
                socket->write(Pattern(1024));
                socket->waitForBytesWritten(20);
                socket->waitForReadyRead(20);
            }
        } else if (step == u"HANG") {
            WaitClosed(*control, nullptr);
        } else if (step == u"DROP") {
            control->abort();
            return;
        }
    }
    control->disconnectFromHost();
}
