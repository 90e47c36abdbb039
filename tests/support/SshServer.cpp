#include "SshServer.h"

#include "FtpServers.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QTcpSocket>
#include <QThread>

#include <QDirIterator>

#include <pwd.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const char* const kSshd = "/usr/sbin/sshd";
const char* const kKeygen = "/usr/bin/ssh-keygen";

QString ReadPublic(const QString& key)
{
    QFile f(key + QStringLiteral(".pub"));
    if (!f.open(QIODevice::ReadOnly))
        return QString();
    // "type base64 comment": the comment is not part of a known_hosts line.
    const QStringList parts = QString::fromLatin1(f.readAll()).split(u' ');
    return parts.size() >= 2 ? parts[0] + u' ' + parts[1] : QString();
}

bool BannerArrives(int port)
{
    QTcpSocket probe;
    probe.connectToHost(QStringLiteral("127.0.0.1"), quint16(port));
    if (!probe.waitForConnected(500))
        return false;
    probe.waitForReadyRead(3000);
    const bool answered = probe.readAll().startsWith("SSH-2.0");
    // A client that names itself and leaves is not worth a line in the log.
    probe.write("SSH-2.0-probe\r\n");
    probe.waitForBytesWritten(1000);
    return answered;
}

} // namespace

QString MakeSshKey(const QString& path)
{
    QFile::remove(path);
    QFile::remove(path + QStringLiteral(".pub"));
    QProcess keygen;
    keygen.setProcessChannelMode(QProcess::MergedChannels);
    keygen.start(QString::fromLatin1(kKeygen),
                 {QStringLiteral("-q"), QStringLiteral("-t"), QStringLiteral("ed25519"), QStringLiteral("-N"),
                  QString(), QStringLiteral("-C"), QStringLiteral("test"), QStringLiteral("-f"), path});
    if (!keygen.waitForFinished(30000) || keygen.exitCode() != 0)
        return QStringLiteral("ssh-keygen failed: ") + QString::fromLocal8Bit(keygen.readAll());
    return QString();
}

SshTestServer::SshTestServer() = default;

SshTestServer::~SshTestServer()
{
    if (m_process.state() != QProcess::NotRunning) {
        m_process.terminate();
        if (!m_process.waitForFinished(3000)) {
            m_process.kill();
            m_process.waitForFinished(3000);
        }
    }
}

bool SshTestServer::Missing()
{
    if (InCi())
        return false;
    return !QFile::exists(QString::fromLatin1(kSshd)) || !QFile::exists(QString::fromLatin1(kKeygen));
}

QString SshTestServer::User() const
{
    const passwd* pw = getpwuid(geteuid());
    return pw ? QString::fromLocal8Bit(pw->pw_name) : QString();
}

QString SshTestServer::KnownHostsLine() const
{
    return QStringLiteral("[127.0.0.1]:%1 %2\n").arg(m_port).arg(ReadPublic(m_dir.filePath(QStringLiteral("hostkey"))));
}

QString SshTestServer::WrongKnownHostsLine() const
{
    return QStringLiteral("[127.0.0.1]:%1 %2\n").arg(m_port).arg(ReadPublic(StrangerKey()));
}

void SshTestServer::Freeze(bool frozen)
{
    // The listener's descendants, found through their parents in /proc.
    QList<qint64> parents{m_process.processId()};
    for (int depth = 0; depth < 4; ++depth) {
        QList<qint64> found;
        QDirIterator it(QStringLiteral("/proc"), QDir::Dirs | QDir::NoDotAndDotDot);
        while (it.hasNext()) {
            const QString dir = it.next();
            QFile stat(dir + QStringLiteral("/stat"));
            if (!stat.open(QIODevice::ReadOnly))
                continue;
            // "pid (name) state ppid ...": the name may hold blanks.
            const QByteArray text = stat.readAll();
            const QList<QByteArray> rest = text.mid(text.lastIndexOf(')') + 2).split(' ');
            if (rest.size() > 1 && parents.contains(rest[1].toLongLong()))
                found.append(QFileInfo(dir).fileName().toLongLong());
        }
        for (qint64 pid : found)
            kill(pid_t(pid), frozen ? SIGSTOP : SIGCONT);
        parents = found;
    }
}

QString SshTestServer::Start()
{
    if (!m_dir.isValid())
        return QStringLiteral("no temporary folder");
    QDir().mkpath(Root());
    const QString hostKey = m_dir.filePath(QStringLiteral("hostkey"));
    for (const QString& key : {hostKey, ClientKey(), StrangerKey()}) {
        const QString problem = MakeSshKey(key);
        if (!problem.isEmpty())
            return problem;
    }
    QFile::copy(ClientKey() + QStringLiteral(".pub"), m_dir.filePath(QStringLiteral("authorized_keys")));
    QProcess fingerprint;
    fingerprint.start(QString::fromLatin1(kKeygen), {QStringLiteral("-l"), QStringLiteral("-f"), hostKey});
    fingerprint.waitForFinished(30000);
    m_fingerprint = QString::fromLatin1(fingerprint.readAllStandardOutput()).section(u' ', 1, 1);
    // As root, sshd wants its privilege separation folder, which only the
    // installed service makes.
    if (geteuid() == 0 && !QFile::exists(QStringLiteral("/run/sshd")))
        mkdir("/run/sshd", 0755);

    m_port = FreeTcpPort();
    // No PAM (it would want root), no strict modes (temporary folders are
    // shared), keys only; the login of whoever runs the test, root too.
    const QString config = QStringLiteral(
        "ListenAddress 127.0.0.1\nPort %1\nHostKey %2\nAuthorizedKeysFile %3\n"
        "UsePAM no\nStrictModes no\nPubkeyAuthentication yes\nPasswordAuthentication no\n"
        "KbdInteractiveAuthentication no\nPermitRootLogin prohibit-password\nPidFile none\n"
        "Subsystem sftp internal-sftp -d %4\nLogLevel ERROR\n")
        .arg(m_port).arg(hostKey, m_dir.filePath(QStringLiteral("authorized_keys")), Root());
    const QString configFile = m_dir.filePath(QStringLiteral("sshd_config"));
    QFile f(configFile);
    if (!f.open(QIODevice::WriteOnly) || f.write(config.toUtf8()) < 0)
        return QStringLiteral("cannot write the sshd configuration");
    f.close();
    m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_process.start(QString::fromLatin1(kSshd), {QStringLiteral("-D"), QStringLiteral("-e"), QStringLiteral("-f"), configFile});
    if (!m_process.waitForStarted(10000))
        return QStringLiteral("sshd did not start");
    QDeadlineTimer deadline(20000);
    while (!deadline.hasExpired()) {
        if (m_process.state() == QProcess::NotRunning)
            return QStringLiteral("sshd ended");
        if (BannerArrives(m_port))
            return QString();
        QThread::msleep(100);
    }
    return QStringLiteral("sshd did not answer");
}
