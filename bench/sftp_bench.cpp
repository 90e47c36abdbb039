// SFTP upload and download speed of the client next to OpenSSH's sftp,
// against the same local sshd in the same run (the tests' server: its own
// host key and client key). Each figure is the best of several runs; the
// target is 0.8 times sftp's speed.
//
// usage: sftp_bench [--mb N] [--runs N]

#include "SshServer.h"

#include "core/ftp/SftpSession.h"

#include "BenchRuns.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <functional>

namespace {

constexpr double kTarget = 0.8;

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    int mb = 200;
    int runs = 3;
    ReadSizeAndRuns(app.arguments(), mb, runs);
    if (mb <= 0 || runs <= 0 || SshTestServer::Missing() || !QFile::exists(QStringLiteral("/usr/bin/sftp"))) {
        std::fprintf(stderr, "usage: sftp_bench [--mb N] [--runs N] (needs sshd and sftp)\n");
        return 2;
    }
    SshTestServer server;
    const QString problem = server.Start();
    if (!problem.isEmpty()) {
        std::fprintf(stderr, "sftp_bench: %s\n", qPrintable(problem));
        return 1;
    }
    QTemporaryDir dir;
    const QString ssh = dir.filePath(QStringLiteral("ssh"));
    QDir().mkpath(ssh);
    const QString knownHosts = ssh + QStringLiteral("/known_hosts");
    {
        QFile f(knownHosts);
        f.open(QIODevice::WriteOnly);
        f.write(server.KnownHostsLine().toUtf8());
    }
    const QString big = dir.filePath(QStringLiteral("big.bin"));
    {
        QFile f(big);
        if (!f.open(QIODevice::WriteOnly))
            return 1;
        QByteArray block(1 << 20, Qt::Uninitialized);
        for (int i = 0; i < mb; ++i) {
            QRandomGenerator::global()->fillRange(reinterpret_cast<quint32*>(block.data()), block.size() / 4);
            f.write(block);
        }
    }

    RemoteEndpoint endpoint;
    endpoint.protocol = RemoteProtocol::Sftp;
    endpoint.host = server.Host();
    endpoint.port = server.Port();
    endpoint.user = server.User();
    endpoint.keyFile = server.ClientKey();
    auto ours = [&](bool up) {
        SftpSession session(ssh);
        if (!session.Open(endpoint))
            return false;
        return up ? session.Store(big, QStringLiteral("ours.bin"), false, 0)
                  : session.Retrieve(QStringLiteral("ours.bin"), dir.filePath(QStringLiteral("ours-back.bin")), false, 0);
    };
    auto openssh = [&](bool up) {
        const QString batch = dir.filePath(QStringLiteral("batch"));
        QFile f(batch);
        f.open(QIODevice::WriteOnly | QIODevice::Truncate);
        f.write((up ? QStringLiteral("put %1 theirs.bin\n").arg(big)
                    : QStringLiteral("get theirs.bin %1\n").arg(dir.filePath(QStringLiteral("theirs-back.bin"))))
                    .toUtf8());
        f.close();
        QProcess sftp;
        sftp.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        sftp.start(QStringLiteral("/usr/bin/sftp"),
                   {"-q", "-b", batch, "-i", server.ClientKey(), "-o", "UserKnownHostsFile=" + knownHosts,
                    "-o", "StrictHostKeyChecking=yes", "-o", "BatchMode=yes", "-P", QString::number(server.Port()),
                    server.User() + QStringLiteral("@127.0.0.1")});
        if (!sftp.waitForFinished(600000))
            return false;
        sftp.readAllStandardOutput();
        return sftp.exitStatus() == QProcess::NormalExit && sftp.exitCode() == 0;
    };

    struct Row {
        const char* what;
        double ours, theirs;
    };
    const Row rows[] = {
        {"upload", Best(runs, [&] { return ours(true); }), Best(runs, [&] { return openssh(true); })},
        {"download", Best(runs, [&] { return ours(false); }), Best(runs, [&] { return openssh(false); })},
    };
    bool met = true;
    std::printf("%-10s %14s %14s %8s\n", "", "kelvo", "openssh sftp", "ratio");
    for (const Row& r : rows) {
        if (r.ours <= 0 || r.theirs <= 0) {
            std::printf("%-10s failed\n", r.what);
            met = false;
            continue;
        }
        const double ratio = r.theirs / r.ours;
        met = met && ratio >= kTarget;
        std::printf("%-10s %9.1f MB/s %9.1f MB/s %7.2fx\n", r.what, mb / r.ours, mb / r.theirs, ratio);
    }
    QFile original(big), back(dir.filePath(QStringLiteral("ours-back.bin")));
    if (!original.open(QIODevice::ReadOnly) || !back.open(QIODevice::ReadOnly)
        || original.readAll() != back.readAll()) {
        std::printf("the downloaded file differs\n");
        met = false;
    }
    std::printf("target: %.1fx of OpenSSH sftp: %s\n", kTarget, met ? "met" : "MISSED");
    return met ? 0 : 1;
}
