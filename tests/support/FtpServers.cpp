#include "FtpServers.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QTcpServer>
#include <QTcpSocket>
#include <QThread>

#include <filesystem>

#include <unistd.h>

namespace {

const char* const kPython = "/usr/bin/python3";
const char* const kVsftpd = "/usr/sbin/vsftpd";

// pyftpdlib speaks UTF-8 on the wire; unless asked for UTF-8, overrides make
// it a server of Japanese names in CP932, as many hosting servers are.
const char* const kPyftpdScript = R"(
import sys, os, time, asynchat, logging
from pyftpdlib.authorizers import DummyAuthorizer
from pyftpdlib.filesystems import AbstractedFS
from pyftpdlib.handlers import FTPHandler, TLS_FTPHandler, DTPHandler, ThrottledDTPHandler
from pyftpdlib.servers import FTPServer
logging.basicConfig(level=logging.CRITICAL)
root, port, pasv, rate, gate = sys.argv[1], int(sys.argv[2]), int(sys.argv[3]), int(sys.argv[4]), sys.argv[5]
utf8, cert, address, drop = sys.argv[6] == "1", sys.argv[7], sys.argv[8], int(sys.argv[9])
class Gated(TLS_FTPHandler if cert else FTPHandler):
    def ftp_STOR(self, file, mode="w"):
        # The one client waits meanwhile: the whole server stands still.
        deadline = time.time() + 60
        while gate and not os.path.exists(gate) and time.time() < deadline:
            time.sleep(0.02)
        return super().ftp_STOR(file, mode)
class Cp932FS(AbstractedFS):
    def format_list(self, basedir, listing, ignore_err=True):
        for line in AbstractedFS.format_list(self, basedir, listing, ignore_err):
            yield line.decode("utf8", "replace").encode("cp932", "replace")
class Cp932(Gated):
    abstracted_fs = Cp932FS
    # Nor does it offer UTF-8 names or MLSD, as such servers do not.
    proto_cmds = {k: v for k, v in Gated.proto_cmds.items() if k not in ("MLSD", "MLST")}
    def decode(self, data):
        return data.decode("cp932", "replace")
    def push(self, s):
        s = s.replace(" UTF8\r\n", "")
        asynchat.async_chat.push(self, s.encode("cp932", "replace"))
Handler = Gated if utf8 else Cp932
auth = DummyAuthorizer()
auth.add_user("web", "secret", root, perm="elradfmwMT")
Handler.authorizer = auth
Handler.passive_ports = range(pasv, pasv + 20)
if cert:
    Handler.certfile = cert
    Handler.tls_control_required = True
    Handler.tls_data_required = True
if rate > 0:
    class Throttled(ThrottledDTPHandler):
        read_limit = rate
        write_limit = rate
    Handler.dtp_handler = Throttled
if drop > 0:
    # The first transfer that moves this many bytes ends with the server
    # gone: data and control connections closed without a word.
    moved = [0]
    base = Handler.dtp_handler
    class Dropping(base):
        def count(self, n):
            moved[0] += n
            if moved[0] >= drop > 0:
                moved[0] = -1 << 60
                self.cmd_channel.close()
                self.close()
        def send(self, data):
            n = base.send(self, data)
            self.count(n or 0)
            return n
        def recv(self, size):
            data = base.recv(self, size)
            self.count(len(data))
            return data
    Handler.dtp_handler = Dropping
    Handler.use_sendfile = False
server = FTPServer((address, port), Handler)
server.serve_forever()
)";

bool GreetingArrives(const QString& address, int port)
{
    QTcpSocket probe;
    probe.connectToHost(address, quint16(port));
    if (!probe.waitForConnected(500))
        return false;
    QByteArray got;
    QDeadlineTimer deadline(3000);
    while (!got.contains('\n') && !deadline.hasExpired()) {
        probe.waitForReadyRead(100);
        got += probe.readAll();
    }
    return got.startsWith("220");
}

} // namespace

bool InCi()
{
    return qEnvironmentVariable("CI") == u"true" || qEnvironmentVariableIsSet("KELVO_CI");
}

int FreeTcpPort()
{
    QTcpServer server;
    server.listen(QHostAddress::LocalHost, 0);
    return server.serverPort();
}

FtpTestServer::FtpTestServer(Kind kind) : m_kind(kind) {}

FtpTestServer::~FtpTestServer()
{
    if (m_process.state() != QProcess::NotRunning) {
        m_process.terminate();
        if (!m_process.waitForFinished(3000)) {
            m_process.kill();
            m_process.waitForFinished(3000);
        }
    }
    // Names the servers stored as CP932 bytes are no UTF-8, which QDir
    // cannot remove.
    std::error_code ignored;
    std::filesystem::remove_all(QFile::encodeName(m_dir.path()).toStdString(), ignored);
}

bool FtpTestServer::Missing(Kind kind)
{
    if (InCi())
        return false;
    if (kind == Kind::Vsftpd)
        return !QFile::exists(QString::fromLatin1(kVsftpd)) || geteuid() != 0;
    QProcess check;
    check.start(QString::fromLatin1(kPython), {QStringLiteral("-c"), QStringLiteral("import pyftpdlib")});
    return !check.waitForFinished(20000) || check.exitCode() != 0;
}

QString FtpTestServer::Host() const
{
    return m_address.contains(u':') ? QStringLiteral("[%1]:%2").arg(m_address).arg(m_port)
                                    : QStringLiteral("%1:%2").arg(m_address).arg(m_port);
}

QString MakeTestCertificate(const QString& folder, const QString& name)
{
    const QString cert = folder + u'/' + name + QStringLiteral(".pem");
    QProcess openssl;
    openssl.setProcessChannelMode(QProcess::MergedChannels);
    // One file with the key and the certificate, as both servers take it.
    openssl.start(QStringLiteral("/bin/sh"),
                  {QStringLiteral("-c"),
                   QStringLiteral("openssl req -x509 -newkey rsa:2048 -nodes -days 2 -subj /CN=127.0.0.1 "
                                  "-keyout \"$1\" -out \"$1.crt\" && cat \"$1.crt\" >> \"$1\""),
                   QStringLiteral("sh"), cert});
    if (!openssl.waitForFinished(60000) || openssl.exitCode() != 0)
        return QString();
    return cert;
}

QString FtpTestServer::User() const
{
    return m_kind == Kind::Pyftpdlib ? QStringLiteral("web") : QStringLiteral("anonymous");
}

QString FtpTestServer::Password() const
{
    return m_kind == Kind::Pyftpdlib ? QStringLiteral("secret") : QString();
}

QString FtpTestServer::Root() const
{
    return m_dir.filePath(QStringLiteral("root"));
}

QString FtpTestServer::WritableFolder() const
{
    return m_kind == Kind::Pyftpdlib ? QStringLiteral("/") : QStringLiteral("/pub");
}

QString FtpTestServer::WritableLocal() const
{
    return m_kind == Kind::Pyftpdlib ? Root() : Root() + QStringLiteral("/pub");
}

QString FtpTestServer::Start()
{
    if (!m_dir.isValid())
        return QStringLiteral("no temporary folder");
    QDir().mkpath(Root());
    m_port = FreeTcpPort();
    const int pasv = FreeTcpPort();
    m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    if (m_kind == Kind::Pyftpdlib) {
        const QString script = m_dir.filePath(QStringLiteral("server.py"));
        QFile f(script);
        if (!f.open(QIODevice::WriteOnly) || f.write(kPyftpdScript) < 0)
            return QStringLiteral("cannot write the server script");
        f.close();
        m_process.start(QString::fromLatin1(kPython),
                        {QStringLiteral("-W"), QStringLiteral("ignore"), script, Root(),
                         QString::number(m_port), QString::number(pasv), QString::number(m_rate),
                         m_gate, m_utf8 ? QStringLiteral("1") : QStringLiteral("0"), m_certificate,
                         m_address, QString::number(m_dropAfter)});
    } else {
        // The anonymous root must not be writable by the FTP user; uploads
        // go to "pub".
        QDir().mkpath(Root() + QStringLiteral("/pub"));
        QFile::setPermissions(Root(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner
                                          | QFile::ReadOther | QFile::ExeOther | QFile::ReadGroup
                                          | QFile::ExeGroup);
        QFile::setPermissions(Root() + QStringLiteral("/pub"), QFile::Permissions(0x7777));
        QFile::setPermissions(m_dir.path(), QFile::Permissions(0x7755));
        const QString empty = m_dir.filePath(QStringLiteral("empty"));
        QDir().mkpath(empty);
        const QString config = m_dir.filePath(QStringLiteral("vsftpd.conf"));
        QFile f(config);
        if (!f.open(QIODevice::WriteOnly))
            return QStringLiteral("cannot write the vsftpd configuration");
        QString text = QStringLiteral(
            "listen=YES\nlisten_ipv6=NO\nlisten_address=127.0.0.1\nlisten_port=%1\n"
            "background=NO\nseccomp_sandbox=NO\n"
            "anonymous_enable=YES\nno_anon_password=YES\nlocal_enable=NO\nwrite_enable=YES\n"
            "anon_upload_enable=YES\nanon_mkdir_write_enable=YES\nanon_other_write_enable=YES\n"
            "anon_world_readable_only=NO\nanon_umask=022\nanon_root=%2\n"
            "allow_writeable_chroot=YES\nsecure_chroot_dir=%3\n"
            "pasv_enable=YES\npasv_min_port=%4\npasv_max_port=%5\n"
            "port_enable=YES\nconnect_from_port_20=NO\n"
            "xferlog_enable=NO\ndirmessage_enable=NO\n"
            "ftp_username=ftp\nguest_enable=NO\ncheck_shell=NO\n")
            .arg(m_port).arg(Root(), empty).arg(pasv).arg(pasv + 20);
        if (m_utf8)
            text += QStringLiteral("utf8_filesystem=YES\n");
        // TLS on control and data, the data sessions reusing the control's
        // (vsftpd's default, which clients without reuse fail).
        if (!m_certificate.isEmpty())
            text += QStringLiteral("ssl_enable=YES\nallow_anon_ssl=YES\nforce_anon_logins_ssl=YES\n"
                                   "force_anon_data_ssl=YES\nrequire_ssl_reuse=YES\n"
                                   "rsa_cert_file=%1\nrsa_private_key_file=%1\n")
                        .arg(m_certificate);
        f.write(text.toUtf8());
        f.close();
        m_process.start(QString::fromLatin1(kVsftpd), {config});
    }
    if (!m_process.waitForStarted(10000))
        return QStringLiteral("the server did not start");
    QDeadlineTimer deadline(20000);
    while (!deadline.hasExpired()) {
        if (m_process.state() == QProcess::NotRunning)
            return QStringLiteral("the server ended: %1").arg(QString::fromLocal8Bit(m_process.readAllStandardOutput()));
        if (GreetingArrives(m_address, m_port))
            return QString();
        QThread::msleep(100);
    }
    return QStringLiteral("the server did not answer");
}
