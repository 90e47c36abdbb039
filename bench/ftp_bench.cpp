// FTP transfer and listing speed of the client next to curl, against the
// same local servers in the same run: a large upload and download (binary,
// passive) over FTP (pyftpdlib) and over FTPS (vsftpd, explicit TLS, curl
// --ssl-reqd),
// and the listing of a folder of 1,000 files. Each figure is the best of
// several runs; the targets are curl's speed over FTP, 0.8 times it over
// FTPS and 0.9 times it for listings. The client syncs a download before it
// takes the place of the local copy, which curl does not: downloads are
// judged against curl followed by a sync of its file, and the plain ratio
// is printed beside it.
//
// usage: ftp_bench [--mb N] [--runs N]   (bench/ftp_bench.sh installs curl)

#include "core/ftp/CFtpControl.h"
#include "core/ftp/CNorvaneFtp.h"

#include "BenchRuns.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QSslCertificate>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QThread>

#include <algorithm>
#include <cstdio>
#include <functional>

#include <unistd.h>

namespace {

constexpr double kListTarget = 0.9;
constexpr double kFtpTarget = 1.0;
constexpr double kFtpsTarget = 0.8;

// vsftpd with TLS required on control and data connections (and the data
// sessions resuming the control's, its default), anonymous, uploads to pub.
const char* const kVsftpdConfig =
    "listen=YES\nlisten_ipv6=NO\nlisten_address=127.0.0.1\nlisten_port=%1\nbackground=NO\n"
    "seccomp_sandbox=NO\nanonymous_enable=YES\nno_anon_password=YES\nlocal_enable=NO\n"
    "write_enable=YES\nanon_upload_enable=YES\nanon_other_write_enable=YES\nanon_umask=022\n"
    "anon_root=%2\nallow_writeable_chroot=YES\nsecure_chroot_dir=%3\npasv_enable=YES\n"
    "check_shell=NO\nxferlog_enable=NO\nssl_enable=YES\nallow_anon_ssl=YES\n"
    "force_anon_logins_ssl=YES\nforce_anon_data_ssl=YES\nrsa_cert_file=%4\nrsa_private_key_file=%4\n";
const QString kUser = QStringLiteral("bench");
const QString kPassword = QStringLiteral("bench");

int FreePort()
{
    QTcpServer s;
    s.listen(QHostAddress::LocalHost, 0);
    return s.serverPort();
}

bool Greets(int port)
{
    QTcpSocket probe;
    probe.connectToHost(QStringLiteral("127.0.0.1"), quint16(port));
    if (!probe.waitForConnected(500))
        return false;
    probe.waitForReadyRead(2000);
    return probe.readAll().startsWith("220");
}

bool Curl(const QStringList& args)
{
    QProcess curl;
    curl.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    curl.start(QStringLiteral("curl"), QStringList{"--silent", "--show-error", "--fail", "--user",
                                                   kUser + u':' + kPassword} + args);
    curl.closeWriteChannel();
    if (!curl.waitForFinished(600000))
        return false;
    curl.readAllStandardOutput();
    return curl.exitStatus() == QProcess::NormalExit && curl.exitCode() == 0;
}

// Downloads into a file (as the client does), or into memory when out is
// given.
bool CurlGet(const QString& url, const QString& file, QByteArray* out = nullptr)
{
    QProcess curl;
    curl.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    curl.start(QStringLiteral("curl"), {"--silent", "--show-error", "--fail", "--user",
                                        kUser + u':' + kPassword, "-o", out ? QStringLiteral("-") : file, url});
    if (!curl.waitForFinished(600000))
        return false;
    if (out)
        *out = curl.readAllStandardOutput();
    return curl.exitStatus() == QProcess::NormalExit && curl.exitCode() == 0;
}

// Waits until the file is on the disk, as a download that replaces a good
// copy must before it takes its place.
bool SyncFile(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadWrite) && ::fdatasync(f.handle()) == 0;
}

struct Row {
    const char* what;
    double ours;  // seconds
    double curl;
    double amount;  // MB or listings
    const char* unit;
    double target;
    // Downloads: curl followed by a sync of its file, the floor for a
    // client that syncs before it renames; judged against when measured.
    double curlSynced = -1;
};

bool StartServer(QProcess& server, const QString& program, const QStringList& args, int port)
{
    server.setStandardOutputFile(QProcess::nullDevice());
    server.setStandardErrorFile(QProcess::nullDevice());  // its log of every command
    server.start(program, args);
    QDeadlineTimer ready(20000);
    while (!Greets(port)) {
        if (ready.hasExpired() || server.state() == QProcess::NotRunning)
            return false;
        QThread::msleep(100);
    }
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    int mb = 200;
    int runs = 3;
    ReadSizeAndRuns(app.arguments(), mb, runs);
    if (mb <= 0 || runs <= 0) {
        std::fprintf(stderr, "usage: ftp_bench [--mb N] [--runs N]\n");
        return 2;
    }
    if (QProcess::execute(QStringLiteral("curl"), {QStringLiteral("--version")}) != 0) {
        std::fprintf(stderr, "ftp_bench: curl is needed (bench/ftp_bench.sh installs it)\n");
        return 2;
    }

    QTemporaryDir dir;
    const QString root = dir.filePath(QStringLiteral("root"));
    const QString local = dir.filePath(QStringLiteral("local"));
    QDir().mkpath(root + QStringLiteral("/list"));
    QDir().mkpath(local + QStringLiteral("/ours"));
    QDir().mkpath(local + QStringLiteral("/curl"));
    for (int i = 0; i < 1000; ++i) {
        QFile f(root + QStringLiteral("/list/file%1.htm").arg(i, 4, 10, QChar(u'0')));
        f.open(QIODevice::WriteOnly);
        f.write(QByteArray(i % 97, 'x'));
    }
    const QString big = local + QStringLiteral("/big.bin");
    {
        QFile f(big);
        if (!f.open(QIODevice::WriteOnly))
            return 1;
        QByteArray block(1 << 20, Qt::Uninitialized);
        for (int i = 0; i < mb; ++i) {
            QRandomGenerator::global()->fillRange(reinterpret_cast<quint32*>(block.data()),
                                                   block.size() / 4);
            f.write(block);
        }
    }

    const int port = FreePort();
    QProcess server;
    if (!StartServer(server, QStringLiteral("/usr/bin/python3"),
                     {"-W", "ignore", "-m", "pyftpdlib", "-i", "127.0.0.1", "-p", QString::number(port), "-w",
                      "-d", root, "-u", kUser, "-P", kPassword},
                     port)) {
        std::fprintf(stderr, "ftp_bench: pyftpdlib did not start\n");
        return 1;
    }
    // The FTPS server: vsftpd (curl and pyftpdlib's TLS do not get on), a
    // certificate made for the run.
    const QString cert = dir.filePath(QStringLiteral("cert.pem"));
    if (QProcess::execute(QStringLiteral("/bin/sh"),
                          {"-c", "openssl req -x509 -newkey rsa:2048 -nodes -days 1 -subj /CN=127.0.0.1 "
                                 "-keyout \"$1\" -out \"$1.crt\" 2>/dev/null && cat \"$1.crt\" >> \"$1\"",
                           "sh", cert})
        != 0) {
        std::fprintf(stderr, "ftp_bench: openssl could not make a certificate\n");
        return 1;
    }
    const QString vroot = dir.filePath(QStringLiteral("vroot"));
    QDir().mkpath(vroot + QStringLiteral("/pub"));
    QDir().mkpath(dir.filePath(QStringLiteral("empty")));
    QFile::setPermissions(dir.path(), QFile::Permissions(0x7755));
    QFile::setPermissions(vroot, QFile::Permissions(0x7755));
    QFile::setPermissions(vroot + QStringLiteral("/pub"), QFile::Permissions(0x7777));
    // Anonymous uploads cannot replace a file of root's: the download has a
    // name of its own.
    QFile::copy(big, vroot + QStringLiteral("/pub/down.bin"));
    const int tlsPort = FreePort();
    const QString config = dir.filePath(QStringLiteral("vsftpd.conf"));
    {
        QFile f(config);
        f.open(QIODevice::WriteOnly);
        f.write(QString::fromLatin1(kVsftpdConfig)
                    .arg(tlsPort)
                    .arg(vroot, dir.filePath(QStringLiteral("empty")), cert)
                    .toUtf8());
    }
    QProcess tlsServer;
    if (!StartServer(tlsServer, QStringLiteral("/usr/sbin/vsftpd"), {config}, tlsPort)) {
        std::fprintf(stderr, "ftp_bench: vsftpd did not start (it needs root)\n");
        return 1;
    }
    const QString fingerprint = CFtpControl::Fingerprint(QSslCertificate::fromPath(cert).value(0));
    const QString host = QStringLiteral("127.0.0.1:%1").arg(port);
    const QString url = QStringLiteral("ftp://127.0.0.1:%1/").arg(port);

    std::vector<Row> rows;
    for (const bool tls : {false, true}) {
        CFtpSet site;
        site.host = tls ? QStringLiteral("127.0.0.1:%1").arg(tlsPort) : host;
        site.user = tls ? QStringLiteral("anonymous") : kUser;
        site.password = tls ? QString() : kPassword;
        site.protocol = tls ? RemoteProtocol::Ftps : RemoteProtocol::Ftp;
        site.trustedFingerprint = tls ? fingerprint : QString();
        const QString siteUrl = QStringLiteral("ftp://%1/%2").arg(site.host, tls ? QStringLiteral("pub/") : QString());
        const QStringList curlTls =
            tls ? QStringList{"--ssl-reqd", "--insecure", "--user", "anonymous:"} : QStringList{};
        auto session = [&](const std::function<bool(CNorvaneFtp&)>& work) {
            CNorvaneFtp ftp;
            ftp.Set(site, tls ? QStringLiteral("/pub") : QString(), true);
            return ftp.Connect() && work(ftp);
        };
        const double target = tls ? kFtpsTarget : kFtpTarget;
        const QString remoteBig = tls ? QStringLiteral("down.bin") : QStringLiteral("big.bin");
        const double upOurs = Best(runs, [&] { return session([&](CNorvaneFtp& f) { return f.PutFile(big, false); }); });
        const double upCurl = Best(runs, [&] { return Curl(curlTls + QStringList{"-T", big, siteUrl + QStringLiteral("curl.bin")}); });
        rows.push_back({tls ? "upload FTPS" : "upload FTP", upOurs, upCurl, double(mb), "MB/s", target});
        const double downOurs = Best(runs, [&] {
            return session([&](CNorvaneFtp& f) { return f.GetFile(remoteBig, local + QStringLiteral("/ours"), false); });
        });
        const QString curlFile = local + QStringLiteral("/curl/big.bin");
        const double downCurl = Best(runs, [&] { return Curl(curlTls + QStringList{"-o", curlFile, siteUrl + remoteBig}); });
        const double downCurlSynced = Best(runs, [&] {
            return Curl(curlTls + QStringList{"-o", curlFile, siteUrl + remoteBig}) && SyncFile(curlFile);
        });
        rows.push_back({tls ? "download FTPS" : "download FTP", downOurs, downCurl, double(mb), "MB/s", target,
                        downCurlSynced});
    }
    auto session = [&](const std::function<bool(CNorvaneFtp&)>& work) {
        CNorvaneFtp ftp;
        ftp.Set(host, kUser, kPassword, QString(), true);
        return ftp.Connect() && work(ftp);
    };

    constexpr int kListings = 20;
    size_t listed = 0;
    const double listOurs = Best(runs, [&] {
        for (int i = 0; i < kListings; ++i) {
            if (!session([&](CNorvaneFtp& f) {
                    if (!f.ChangeDir(QStringLiteral("list")) || !f.GetList())
                        return false;
                    listed = f.Entries().size();
                    return true;
                }))
                return false;
        }
        return true;
    });
    QByteArray curlListing;
    const double listCurl = Best(runs, [&] {
        for (int i = 0; i < kListings; ++i) {
            if (!CurlGet(url + QStringLiteral("list/"), QString(), &curlListing))
                return false;
        }
        return true;
    });
    rows.push_back({"listing 1,000 files", listOurs, listCurl, double(kListings), "listings/s", kListTarget});

    for (QProcess* p : {&server, &tlsServer}) {
        p->terminate();
        p->waitForFinished(5000);
    }

    bool met = true;
    std::printf("%-22s %14s %14s %8s\n", "", "kelvo", "curl", "ratio");
    for (const Row& r : rows) {
        if (r.ours <= 0 || r.curl <= 0) {
            std::printf("%-22s failed\n", r.what);
            met = false;
            continue;
        }
        const double ours = r.amount / r.ours;
        const double theirs = r.amount / r.curl;
        const double ratio = ours / theirs;
        if (r.curlSynced <= 0) {
            met = met && ratio >= r.target;
            std::printf("%-22s %9.1f %-4s %9.1f %-4s %7.2fx (target %.1fx)\n", r.what, ours, r.unit, theirs,
                        r.unit, ratio, r.target);
            continue;
        }
        const double synced = ours / (r.amount / r.curlSynced);
        met = met && synced >= r.target;
        std::printf("%-22s %9.1f %-4s %9.1f %-4s %7.2fx, %.2fx against curl+sync (target %.1fx)\n", r.what,
                    ours, r.unit, theirs, r.unit, ratio, synced, r.target);
    }
    if (listed != 1000) {
        std::printf("listing gave %zu entries, not 1000\n", listed);
        met = false;
    }
    const bool same = QFile(local + QStringLiteral("/ours/big.bin")).size() == QFile(big).size()
        && QFile(local + QStringLiteral("/ours/down.bin")).size() == QFile(big).size();
    if (!same) {
        std::printf("the downloaded file differs in size\n");
        met = false;
    }
    std::printf("targets: %s\n", met ? "met" : "MISSED");
    return met ? 0 : 1;
}
