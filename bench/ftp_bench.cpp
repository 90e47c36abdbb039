// FTP transfer and listing speed of the client next to curl, against the
// same local pyftpdlib servers in the same run: a large upload and download
// (binary, passive) over FTP and over FTPS (explicit TLS, curl --ssl-reqd),
// and the listing of a folder of 1,000 files. Each figure is the best of
// several runs; the targets are curl's speed over FTP, 0.8 times it over
// FTPS and 0.9 times it for listings.
//
// usage: ftp_bench [--mb N] [--runs N]   (bench/ftp_bench.sh installs curl)

#include "core/ftp/CFtpControl.h"
#include "core/ftp/CNorvaneFtp.h"

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

namespace {

constexpr double kListTarget = 0.9;
constexpr double kFtpTarget = 1.0;
constexpr double kFtpsTarget = 0.8;

// pyftpdlib with TLS required on control and data connections.
const char* const kTlsServer = R"(
import sys
from pyftpdlib.authorizers import DummyAuthorizer
from pyftpdlib.handlers import TLS_FTPHandler
from pyftpdlib.servers import FTPServer
root, port, cert = sys.argv[1], int(sys.argv[2]), sys.argv[3]
auth = DummyAuthorizer()
auth.add_user("bench", "bench", root, perm="elradfmwMT")
TLS_FTPHandler.authorizer = auth
TLS_FTPHandler.certfile = cert
TLS_FTPHandler.tls_control_required = True
TLS_FTPHandler.tls_data_required = True
FTPServer(("127.0.0.1", port), TLS_FTPHandler).serve_forever()
)";
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

// Best time of the runs, in seconds; negative when a run failed.
double Best(int runs, const std::function<bool()>& step)
{
    double best = 1e9;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer clock;
        clock.start();
        if (!step())
            return -1;
        best = std::min(best, clock.nsecsElapsed() / 1e9);
    }
    return best;
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

struct Row {
    const char* what;
    double ours;  // seconds
    double curl;
    double amount;  // MB or listings
    const char* unit;
    double target;
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
    const QStringList args = app.arguments();
    for (int i = 1; i + 1 < args.size(); ++i) {
        if (args[i] == u"--mb")
            mb = args[i + 1].toInt();
        else if (args[i] == u"--runs")
            runs = args[i + 1].toInt();
    }
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
    // The FTPS server: the same folder, a certificate made for the run.
    const QString cert = dir.filePath(QStringLiteral("cert.pem"));
    const QString script = dir.filePath(QStringLiteral("tls.py"));
    {
        QFile f(script);
        f.open(QIODevice::WriteOnly);
        f.write(kTlsServer);
    }
    if (QProcess::execute(QStringLiteral("/bin/sh"),
                          {"-c", "openssl req -x509 -newkey rsa:2048 -nodes -days 1 -subj /CN=127.0.0.1 "
                                 "-keyout \"$1\" -out \"$1.crt\" 2>/dev/null && cat \"$1.crt\" >> \"$1\"",
                           "sh", cert})
        != 0) {
        std::fprintf(stderr, "ftp_bench: openssl could not make a certificate\n");
        return 1;
    }
    const int tlsPort = FreePort();
    QProcess tlsServer;
    if (!StartServer(tlsServer, QStringLiteral("/usr/bin/python3"),
                     {"-W", "ignore", script, root, QString::number(tlsPort), cert}, tlsPort)) {
        std::fprintf(stderr, "ftp_bench: pyftpdlib with TLS did not start\n");
        return 1;
    }
    const QString fingerprint = CFtpControl::Fingerprint(QSslCertificate::fromPath(cert).value(0));
    const QString host = QStringLiteral("127.0.0.1:%1").arg(port);
    const QString url = QStringLiteral("ftp://127.0.0.1:%1/").arg(port);

    std::vector<Row> rows;
    for (const bool tls : {false, true}) {
        CFtpSet site;
        site.host = tls ? QStringLiteral("127.0.0.1:%1").arg(tlsPort) : host;
        site.user = kUser;
        site.password = kPassword;
        site.protocol = tls ? RemoteProtocol::Ftps : RemoteProtocol::Ftp;
        site.trustedFingerprint = tls ? fingerprint : QString();
        const QString siteUrl = QStringLiteral("ftp://%1/").arg(site.host);
        const QStringList curlTls = tls ? QStringList{"--ssl-reqd", "--insecure"} : QStringList{};
        auto session = [&](const std::function<bool(CNorvaneFtp&)>& work) {
            CNorvaneFtp ftp;
            ftp.Set(site, QString(), true);
            return ftp.Connect() && work(ftp);
        };
        const double target = tls ? kFtpsTarget : kFtpTarget;
        const double upOurs = Best(runs, [&] { return session([&](CNorvaneFtp& f) { return f.PutFile(big, false); }); });
        const double upCurl = Best(runs, [&] { return Curl(curlTls + QStringList{"-T", big, siteUrl + QStringLiteral("curl.bin")}); });
        rows.push_back({tls ? "upload FTPS" : "upload FTP", upOurs, upCurl, double(mb), "MB/s", target});
        const double downOurs = Best(runs, [&] {
            return session([&](CNorvaneFtp& f) { return f.GetFile(QStringLiteral("big.bin"), local + QStringLiteral("/ours"), false); });
        });
        const double downCurl = Best(runs, [&] {
            return Curl(curlTls + QStringList{"-o", local + QStringLiteral("/curl/big.bin"), siteUrl + QStringLiteral("big.bin")});
        });
        rows.push_back({tls ? "download FTPS" : "download FTP", downOurs, downCurl, double(mb), "MB/s", target});
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
        met = met && ratio >= r.target;
        std::printf("%-22s %9.1f %-4s %9.1f %-4s %7.2fx (target %.1fx)\n", r.what, ours, r.unit, theirs,
                    r.unit, ratio, r.target);
    }
    if (listed != 1000) {
        std::printf("listing gave %zu entries, not 1000\n", listed);
        met = false;
    }
    const bool same = QFile(local + QStringLiteral("/ours/big.bin")).size() == QFile(big).size();
    if (!same) {
        std::printf("the downloaded file differs in size\n");
        met = false;
    }
    std::printf("targets: %s\n", met ? "met" : "MISSED");
    return met ? 0 : 1;
}
