#include "FtpServers.h"
#include "SshServer.h"
#include "TestFiles.h"
#include "TestRegistry.h"

#include "core/ftp/SftpSession.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

// The SFTP session against a real sshd on 127.0.0.1.
namespace {

using Verdict = RemotePeerIdentity::Verdict;

QByteArray Noise(qsizetype size)
{
    QByteArray bytes(size, Qt::Uninitialized);
    QRandomGenerator generator(7);
    for (qsizetype i = 0; i < size; ++i)
        bytes[i] = char(generator.bounded(256));
    return bytes;
}

} // namespace

Q_DECLARE_METATYPE(Verdict)

#define NEED_SERVER() REQUIRE_SERVER(m_server, "sshd")

class TestSftpSession : public QObject {
    Q_OBJECT

    std::unique_ptr<SshTestServer> m_server;
    QTemporaryDir m_home;   // the user's SSH folder
    QTemporaryDir m_local;  // local files

    QString SshFolder() const { return m_home.filePath(QStringLiteral(".ssh")); }

    void SetKnownHosts(const QString& text)
    {
        QFile f(SshFolder() + QStringLiteral("/known_hosts"));
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(text.toUtf8());
    }

    RemoteEndpoint Endpoint() const
    {
        RemoteEndpoint e;
        e.protocol = RemoteProtocol::Sftp;
        e.host = m_server->Host();
        e.port = m_server->Port();
        e.user = m_server->User();
        e.keyFile = m_server->ClientKey();
        e.trustedFingerprint = m_server->Fingerprint();
        return e;
    }

    std::unique_ptr<SftpSession> Connected()
    {
        auto session = std::make_unique<SftpSession>(SshFolder());
        session->SetTimeout(20000);
        if (!session->Open(Endpoint()))
            qWarning("%s", qPrintable(session->ErrorText()));
        return session;
    }

private Q_SLOTS:
    void initTestCase()
    {
        QDir().mkpath(SshFolder());
        if (SshTestServer::Missing())
            return;
        auto server = std::make_unique<SshTestServer>();
        const QString problem = server->Start();
        if (!problem.isEmpty()) {
            qWarning("sshd: %s", qPrintable(problem));
            return;
        }
        m_server = std::move(server);
    }

    void init() { SetKnownHosts(QString()); }

    // What known_hosts and the trusted fingerprint make of the host key;
    // only a key shown and chosen by the user, or recorded, lets Open on.
    void hostKey_data()
    {
        QTest::addColumn<QString>("knownHosts");  // "own", "other" or none
        QTest::addColumn<QString>("trusted");     // "own", "other" or none
        QTest::addColumn<Verdict>("verdict");
        QTest::newRow("recorded") << "own" << "" << Verdict::Verified;
        QTest::newRow("unknown") << "" << "" << Verdict::Unknown;
        QTest::newRow("unknown, trusted") << "" << "own" << Verdict::Trusted;
        QTest::newRow("unknown, another trusted") << "" << "other" << Verdict::Changed;
        QTest::newRow("changed, though trusted") << "other" << "own" << Verdict::Changed;
    }
    void hostKey()
    {
        NEED_SERVER();
        QFETCH(QString, knownHosts);
        QFETCH(QString, trusted);
        QFETCH(Verdict, verdict);
        if (knownHosts == u"own")
            SetKnownHosts(m_server->KnownHostsLine());
        else if (knownHosts == u"other")
            SetKnownHosts(m_server->WrongKnownHostsLine());
        RemoteEndpoint e = Endpoint();
        e.trustedFingerprint = trusted == u"own" ? m_server->Fingerprint()
            : trusted == u"other"                ? QStringLiteral("SHA256:AAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAA")
                                                 : QString();
        SftpSession session(SshFolder());
        const bool opened = session.Open(e);
        QCOMPARE(session.PeerIdentity().verdict, verdict);
        QCOMPARE(session.PeerIdentity().fingerprint, m_server->Fingerprint());
        QCOMPARE(opened, verdict == Verdict::Verified || verdict == Verdict::Trusted);
        QCOMPARE(session.IsConnected(), opened);
        QCOMPARE(session.ErrorText().isEmpty(), opened);
        QCOMPARE(session.Refused(), !opened);  // the user's message, not a general one
    }

    // The key file, else the keys of the SSH folder; a key the server does
    // not know is refused with a message.
    void login_data()
    {
        QTest::addColumn<QString>("keyFile");     // "client", "stranger" or none
        QTest::addColumn<bool>("keyInFolder");   // the client key as id_ed25519
        QTest::addColumn<bool>("loggedIn");
        QTest::newRow("key file") << "client" << false << true;
        QTest::newRow("key of the SSH folder") << "" << true << true;
        QTest::newRow("no key") << "" << false << false;
        QTest::newRow("unknown key file") << "stranger" << true << false;
    }
    void login()
    {
        NEED_SERVER();
        QFETCH(QString, keyFile);
        QFETCH(bool, keyInFolder);
        QFETCH(bool, loggedIn);
        const QString own = SshFolder() + QStringLiteral("/id_ed25519");
        QFile::remove(own);
        if (keyInFolder) {
            QVERIFY(QFile::copy(m_server->ClientKey(), own));
            QFile::setPermissions(own, QFile::ReadOwner | QFile::WriteOwner);
        }
        RemoteEndpoint e = Endpoint();
        e.keyFile = keyFile == u"client" ? m_server->ClientKey()
            : keyFile == u"stranger"     ? m_server->StrangerKey()
                                         : QString();
        // No agent of the person running the tests takes part.
        qunsetenv("SSH_AUTH_SOCK");
        SftpSession session(SshFolder());
        session.SetTimeout(20000);
        QCOMPARE(session.Open(e), loggedIn);
        QCOMPARE(session.ErrorText().isEmpty(), loggedIn);
        QFile::remove(own);
    }

    // Every operation of the FTP window on Japanese names, compared byte by
    // byte in the server's folder; the file is larger than the reads kept
    // in flight and not a multiple of a block.
    void operationsOnJapaneseNames()
    {
        NEED_SERVER();
        std::unique_ptr<SftpSession> s = Connected();
        QVERIFY(s->IsConnected());
        const QString root = m_server->Root();
        QCOMPARE(s->CurrentFolder(), root);
        const QByteArray content = Noise(3 * 1024 * 1024 + 123);
        const QString local = m_local.filePath(QStringLiteral("ページ.htm"));
        QVERIFY(WriteBytes(local, content));

        QVERIFY2(s->MakeFolder(QStringLiteral("資料")), qPrintable(s->ErrorText()));
        QVERIFY(s->ChangeFolder(QStringLiteral("資料")));
        QCOMPARE(s->CurrentFolder(), root + QStringLiteral("/資料"));
        qint64 reported = 0;
        s->SetProgress([&](qint64 done, qint64) { reported = done; });
        QVERIFY2(s->Store(local, QStringLiteral("ページ.htm"), true, 0), qPrintable(s->ErrorText()));
        QCOMPARE(reported, content.size());
        QCOMPARE(ReadBytes(root + QStringLiteral("/資料/ページ.htm")), content);
        QVERIFY(s->Rename(QStringLiteral("ページ.htm"), QStringLiteral("表紙.htm")));
        QVERIFY(s->ChangeMode(QStringLiteral("表紙.htm"), 0604));
        const QDateTime stamp(QDate(2020, 2, 29), QTime(12, 34, 56), Qt::UTC);
        QVERIFY(s->SetRemoteTime(QStringLiteral("表紙.htm"), stamp));

        std::vector<CFtpEntry> entries;
        QVERIFY(s->List(entries));
        QCOMPARE(entries.size(), size_t(1));
        QCOMPARE(entries[0].name, QStringLiteral("表紙.htm"));
        QCOMPARE(entries[0].size, content.size());
        QCOMPARE(entries[0].mode, QStringLiteral("-rw----r--"));
        QCOMPARE(entries[0].time.toUTC(), stamp);
        QCOMPARE(s->RemoteSize(QStringLiteral("表紙.htm")), content.size());

        const QString back = m_local.filePath(QStringLiteral("戻り.htm"));
        QVERIFY(s->Retrieve(QStringLiteral("表紙.htm"), back, true, 0));
        QCOMPARE(ReadBytes(back), content);
        QCOMPARE(QFileInfo(back).lastModified().toUTC(), stamp);

        QVERIFY(s->ChangeFolder(QStringLiteral("..")));
        QVERIFY(!s->RemoveFolder(QStringLiteral("資料")));  // not empty
        QVERIFY(!s->ErrorText().isEmpty());
        QVERIFY(s->RemoveFile(QStringLiteral("資料/表紙.htm")));
        QVERIFY(s->RemoveFolder(QStringLiteral("資料")));
        QVERIFY(!QFile::exists(root + QStringLiteral("/資料")));
        QVERIFY(!s->ChangeFolder(QStringLiteral("資料")));
        QCOMPARE(s->CurrentFolder(), root);
    }

    // An interrupted transfer goes on from where it stopped, either way.
    void resume_data()
    {
        QTest::addColumn<bool>("upload");
        QTest::addColumn<qint64>("offset");
        QTest::newRow("upload") << true << qint64(1000001);
        QTest::newRow("download") << false << qint64(1000001);
        QTest::newRow("download, all there") << false << qint64(2000000);
    }
    void resume()
    {
        NEED_SERVER();
        QFETCH(bool, upload);
        QFETCH(qint64, offset);
        const QByteArray content = Noise(2000000);
        const QString local = m_local.filePath(QStringLiteral("続き.bin"));
        const QString remote = m_server->Root() + QStringLiteral("/続き.bin");
        // The side that received a piece holds only that piece.
        QVERIFY(WriteBytes(upload ? local : remote, content));
        QVERIFY(WriteBytes(upload ? remote : local, content.left(offset)));
        std::unique_ptr<SftpSession> s = Connected();
        QVERIFY(upload ? s->Store(local, QStringLiteral("続き.bin"), false, offset)
                       : s->Retrieve(QStringLiteral("続き.bin"), local, false, offset));
        QCOMPARE(ReadBytes(upload ? remote : local), content);
    }

    // A server that falls silent ends the call at the time-out; nothing
    // waits for ever.
    void silentServerTimesOut()
    {
        NEED_SERVER();
        std::unique_ptr<SftpSession> s = Connected();
        QVERIFY(s->IsConnected());
        s->SetTimeout(1500);
        s->Close();
        QVERIFY(s->Open(Endpoint()));
        m_server->Freeze(true);
        std::vector<CFtpEntry> entries;
        const bool listed = s->List(entries);
        m_server->Freeze(false);
        QVERIFY(!listed);
        QVERIFY(!s->ErrorText().isEmpty());
    }

    // A cancelled download leaves the earlier local copy as it was, and the
    // session goes on working.
    void cancelKeepsLocalFile()
    {
        NEED_SERVER();
        QVERIFY(WriteBytes(m_server->Root() + QStringLiteral("/big.bin"), Noise(8 * 1024 * 1024)));
        const QString local = m_local.filePath(QStringLiteral("big.bin"));
        QVERIFY(WriteBytes(local, "old copy"));
        std::unique_ptr<SftpSession> s = Connected();
        FtpCancelFlag cancel{false};
        s->SetCancelFlag(&cancel);
        s->SetProgress([&](qint64, qint64) { cancel = true; });
        QVERIFY(!s->Retrieve(QStringLiteral("big.bin"), local, false, 0));
        QVERIFY(s->WasCancelled());
        QCOMPARE(ReadBytes(local), QByteArray("old copy"));
        cancel = false;
        std::vector<CFtpEntry> entries;
        QVERIFY2(s->List(entries), qPrintable(s->ErrorText()));
        QVERIFY(!entries.empty());
    }
};

KELVO_TEST(TestSftpSession, "SftpSession");
#include "tst_SftpSession.moc"
