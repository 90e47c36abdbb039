#include "FtpServers.h"
#include "SshServer.h"
#include "TestFiles.h"
#include "TestRegistry.h"

#include "core/app/ScriptedUi.h"
#include "core/ftp/CFtpControl.h"
#include "core/ftp/CFtpSetList.h"
#include "core/ftp/SftpSession.h"
#include "core/ftp/SiteMirror.h"
#include "core/ftp/SitePublish.h"
#include "platform/SettingsStore.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QSslCertificate>
#include <QTemporaryDir>
#include <QTest>

#include <map>
#include <memory>

// Publishing a folder to a real server on 127.0.0.1: the plan shown first,
// the run, and a second run that finds nothing to do.
namespace {

bool InCi()
{
    return qEnvironmentVariable("CI") == u"true";
}

bool WriteFile(const QString& path, const QByteArray& bytes, int ageDays = 0)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size() || !f.flush())
        return false;
    return ageDays == 0
        || f.setFileTime(QDateTime::currentDateTime().addDays(-ageDays), QFileDevice::FileModificationTime);
}

// Every file under the folder with its bytes, folders as "name/".
std::map<QString, QByteArray> Tree(const QString& root)
{
    std::map<QString, QByteArray> tree;
    QDirIterator it(root, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QFileInfo info(it.next());
        const QString relative = QDir(root).relativeFilePath(info.filePath());
        if (info.isDir()) {
            tree[relative + u'/'] = QByteArray();
        } else {
            QFile f(info.filePath());
            f.open(QIODevice::ReadOnly);
            tree[relative] = f.readAll();
        }
    }
    return tree;
}

QStringList Lines(const MirrorPlan& plan)
{
    QStringList lines;
    for (const MirrorAction& a : plan.actions)
        lines.append(a.Line());
    return lines;
}

} // namespace

class TestSiteMirror : public QObject {
    Q_OBJECT

    std::unique_ptr<SshTestServer> m_sshd;
    std::unique_ptr<FtpTestServer> m_ftpd;
    QTemporaryDir m_home;
    QByteArray m_savedHome;

    // The server's folder on this machine, or empty when it is not running.
    QString ServerRoot(bool sftp) const
    {
        if (sftp)
            return m_sshd ? m_sshd->Root() : QString();
        return m_ftpd ? m_ftpd->Root() : QString();
    }

    std::unique_ptr<RemoteSession> Connect(bool sftp)
    {
        if (!sftp) {
            auto session = MakeRemoteSession(RemoteProtocol::Ftp);
            session->SetTimeout(20000);
            RemoteEndpoint e;
            e.host = QStringLiteral("127.0.0.1");
            e.port = m_ftpd->Port();
            e.user = m_ftpd->User();
            e.password = m_ftpd->Password();
            if (!session->Open(e))
                qWarning("%s", qPrintable(session->ErrorText()));
            return session;
        }
        const QString ssh = m_home.filePath(QStringLiteral(".ssh"));
        QDir().mkpath(ssh);
        auto session = std::make_unique<SftpSession>(ssh);
        session->SetTimeout(20000);
        RemoteEndpoint e;
        e.protocol = RemoteProtocol::Sftp;
        e.host = m_sshd->Host();
        e.port = m_sshd->Port();
        e.user = m_sshd->User();
        e.keyFile = m_sshd->ClientKey();
        e.trustedFingerprint = m_sshd->Fingerprint();
        if (!session->Open(e))
            qWarning("%s", qPrintable(session->ErrorText()));
        return session;
    }

private Q_SLOTS:
    void initTestCase()
    {
        // The host key is looked up in the home's .ssh: one of our own,
        // where the server's key is unknown.
        m_savedHome = qgetenv("HOME");
        QDir().mkpath(m_home.filePath(QStringLiteral(".ssh")));
        qputenv("HOME", QFile::encodeName(m_home.path()));
        qunsetenv("SSH_AUTH_SOCK");
        if (SshTestServer::Missing() && !InCi())
            return;
        auto server = std::make_unique<SshTestServer>();
        const QString problem = server->Start();
        if (problem.isEmpty())
            m_sshd = std::move(server);
        else
            qWarning("sshd: %s", qPrintable(problem));
        if (FtpTestServer::Missing(FtpTestServer::Kind::Pyftpdlib) && !InCi())
            return;
        auto ftpd = std::make_unique<FtpTestServer>(FtpTestServer::Kind::Pyftpdlib);
        const QString ftpProblem = ftpd->Start();
        if (ftpProblem.isEmpty())
            m_ftpd = std::move(ftpd);
        else
            qWarning("pyftpdlib: %s", qPrintable(ftpProblem));
    }

    void cleanupTestCase() { qputenv("HOME", m_savedHome); }

    void publish_data()
    {
        QTest::addColumn<bool>("sftp");
        QTest::addColumn<bool>("removeGone");
        QTest::addColumn<QStringList>("expected");
        const QStringList sends = {
            "put .htaccess", "put index.htm", "mkdir 画像", "put 画像/空.gif", "put 画像/表紙.png",
        };
        const QStringList removals = {"rm 古い/中.htm", "rm 古い/奥/下.htm", "rm 古い/奥/", "rm 古い/", "rm 古い.htm"};
        for (const bool sftp : {true, false}) {
            const char* server = sftp ? "sftp" : "ftp";
            QTest::addRow("%s, keeping server files", server) << sftp << false << sends;
            QTest::addRow("%s, removing server files", server) << sftp << true << sends + removals;
        }
    }
    void publish()
    {
        QFETCH(bool, sftp);
        QFETCH(bool, removeGone);
        QFETCH(QStringList, expected);
        if (ServerRoot(sftp).isEmpty()) {
            if (InCi())
                QFAIL("the server could not be started");
            QSKIP("the server is not installed here");
        }
        QTemporaryDir local;
        const QString site = ServerRoot(sftp) + QStringLiteral("/site");
        QDir(site).removeRecursively();
        // The server has an older page of the same size, the same style
        // sheet, and what the site no longer has.
        QVERIFY(WriteFile(local.filePath("index.htm"), "<p>new</p>"));
        QVERIFY(WriteFile(site + "/index.htm", "<p>old</p>", 3));
        QVERIFY(WriteFile(local.filePath("style.css"), "p{}", 3));
        QVERIFY(WriteFile(site + "/style.css", "p{}"));
        QVERIFY(WriteFile(local.filePath(".htaccess"), "Options -Indexes\n"));
        QVERIFY(WriteFile(local.filePath("画像/表紙.png"), QByteArray(300000, '\x89')));
        QVERIFY(WriteFile(local.filePath("画像/空.gif"), QByteArray()));
        QVERIFY(WriteFile(site + "/古い.htm", "gone"));
        QVERIFY(WriteFile(site + "/古い/中.htm", "gone"));
        QVERIFY(WriteFile(site + "/古い/奥/下.htm", "gone"));

        std::unique_ptr<RemoteSession> session = Connect(sftp);
        QVERIFY(session->IsConnected());
        SiteMirror mirror(*session);
        MirrorPlan plan;
        QVERIFY2(mirror.Plan(local.path(), QStringLiteral("site"), removeGone, plan), qPrintable(mirror.ErrorText()));
        QCOMPARE(Lines(plan), expected);
        QCOMPARE(plan.TotalBytes(), 10 + 17 + 300000);

        qint64 last = 0;
        mirror.SetProgress([&](const MirrorAction&, qint64 done, qint64) { last = done; });
        QVERIFY2(mirror.Apply(plan), qPrintable(mirror.ErrorText()));
        QCOMPARE(last, plan.TotalBytes());
        std::map<QString, QByteArray> want = Tree(local.path());
        if (!removeGone) {
            for (const char* kept : {"古い/", "古い.htm", "古い/中.htm", "古い/奥/", "古い/奥/下.htm"})
                want[QString::fromUtf8(kept)] = QByteArray(QByteArray(kept).endsWith('/') ? "" : "gone");
        }
        QCOMPARE(Tree(site), want);

        MirrorPlan again;
        QVERIFY(mirror.Plan(local.path(), QStringLiteral("site"), removeGone, again));
        QCOMPARE(Lines(again), QStringList());
    }

    // A first publication makes the server folder; a run stopped by the
    // user is finished by the next one.
    void firstPublicationAndCancel()
    {
        if (!m_sshd)
            QSKIP("sshd is not running");
        QTemporaryDir local;
        for (int i = 0; i < 5; ++i)
            QVERIFY(WriteFile(local.filePath(QStringLiteral("p%1.htm").arg(i)), QByteArray(1000, 'a' + i)));
        std::unique_ptr<RemoteSession> session = Connect(true);
        SiteMirror mirror(*session);
        const QString target = m_sshd->Root() + QStringLiteral("/新規/site");
        QDir().mkpath(m_sshd->Root() + QStringLiteral("/新規"));
        MirrorPlan plan;
        QVERIFY(mirror.Plan(local.path(), target, false, plan));
        QCOMPARE(Lines(plan).first(), QStringLiteral("mkdir ."));
        FtpCancelFlag cancel{false};
        mirror.SetCancelFlag(&cancel);
        mirror.SetProgress([&](const MirrorAction& a, qint64, qint64) {
            if (a.path == u"p2.htm")
                cancel = true;
        });
        QVERIFY(!mirror.Apply(plan));
        QVERIFY(mirror.WasCancelled());
        QVERIFY(mirror.ErrorText().isEmpty());
        QCOMPARE(mirror.Done(), 3);  // the folder, p0, p1
        cancel = false;
        mirror.SetProgress({});
        QVERIFY(mirror.Plan(local.path(), target, false, plan));
        QCOMPARE(Lines(plan), (QStringList{"put p2.htm", "put p3.htm", "put p4.htm"}));
        QVERIFY2(mirror.Apply(plan), qPrintable(mirror.ErrorText()));
        QCOMPARE(Tree(target), Tree(local.path()));
    }

    // A run stopped during a file: the next one continues that file where
    // the server's copy ends, but only while the local file and the
    // server's copy are the ones the stopped run left.
    void resumeStoppedFile_data()
    {
        QTest::addColumn<bool>("sftp");
        QTest::addColumn<QString>("change");  // between the two runs
        QTest::addColumn<bool>("resumes");
        for (const bool sftp : {true, false}) {
            const char* server = sftp ? "sftp" : "ftp";
            QTest::addRow("%s, nothing", server) << sftp << "" << true;
            QTest::addRow("%s, local file rewritten", server) << sftp << "local" << false;
            QTest::addRow("%s, server copy replaced", server) << sftp << "server" << false;
            QTest::addRow("%s, another server's record", server) << sftp << "record" << false;
        }
    }
    void resumeStoppedFile()
    {
        QFETCH(bool, sftp);
        QFETCH(QString, change);
        QFETCH(bool, resumes);
        if (ServerRoot(sftp).isEmpty())
            QSKIP("the server is not running");
        QTemporaryDir local;
        const QString file = local.filePath(QStringLiteral("動画.bin"));
        QByteArray bytes(8 << 20, Qt::Uninitialized);
        for (qsizetype i = 0; i < bytes.size(); ++i)
            bytes[i] = char((i * 7 + i / 4093) & 0xff);
        QVERIFY(WriteFile(file, bytes));
        const QString site = ServerRoot(sftp) + QStringLiteral("/resume");
        QDir(site).removeRecursively();
        QDir().mkpath(site);
        const QString copy = site + QStringLiteral("/動画.bin");

        std::unique_ptr<RemoteSession> session = Connect(sftp);
        SiteMirror mirror(*session);
        MirrorPlan plan;
        QVERIFY(mirror.Plan(local.path(), QStringLiteral("resume"), false, plan));
        FtpCancelFlag cancel{false};
        mirror.SetCancelFlag(&cancel);
        // Stopped once the server has written some of it: what is still in
        // the sockets is lost on the way, as when a line drops.
        mirror.SetProgress([&](const MirrorAction&, qint64, qint64) {
            if (QFileInfo(copy).size() > 0)
                cancel = true;
        });
        QVERIFY(!mirror.Apply(plan));
        QVERIFY(mirror.WasCancelled());
        session.reset();  // the server closes the file
        QVERIFY(mirror.Interruption().has_value());
        QTRY_VERIFY(QFileInfo(copy).size() > 0);
        const qint64 left = QFileInfo(copy).size();
        QVERIFY(left < bytes.size());
        QCOMPARE(ReadBytes(copy), bytes.left(left));

        // The record goes through the settings, as between two runs.
        QTemporaryDir dir;
        platform::SettingsStore settings(dir.filePath(QStringLiteral("kelvo.ini")));
        CFtpSet server;
        server.host = QStringLiteral("127.0.0.1");
        server.user = QStringLiteral("web");
        server.protocol = sftp ? RemoteProtocol::Sftp : RemoteProtocol::Ftp;
        CFtpSet other = server;
        other.user = QStringLiteral("other");
        SaveMirrorInterruption(settings, change == u"record" ? other : server, mirror.Interruption());
        if (change == u"local") {
            bytes[0] = 'X';
            QVERIFY(WriteFile(file, bytes));
        } else if (change == u"server") {
            QVERIFY(WriteFile(copy, QByteArray(bytes.size() - 1, 'S')));
        }

        session = Connect(sftp);
        SiteMirror again(*session);
        again.SetInterruption(LoadMirrorInterruption(settings, server));
        QVERIFY(again.Plan(local.path(), QStringLiteral("resume"), false, plan));
        QCOMPARE(Lines(plan), QStringList{"put 動画.bin"});
        QCOMPARE(plan.actions[0].offset, resumes ? left : 0);
        QVERIFY2(again.Apply(plan), qPrintable(again.ErrorText()));
        session.reset();
        QCOMPARE(ReadBytes(copy), bytes);
        SaveMirrorInterruption(settings, server, again.Interruption());
        QVERIFY(!LoadMirrorInterruption(settings, server).has_value());
    }

    // The command on the site of the document: the plan is shown, and only
    // a confirmed plan runs.
    void publishCommand_data()
    {
        QTest::addColumn<bool>("confirm");
        QTest::addColumn<QStringList>("messages");
        QTest::newRow("confirmed") << true << QStringList{"公開しました (4 件)", "サーバはすでにローカルフォルダと同じです"};
        QTest::newRow("not confirmed") << false << QStringList{};
    }
    void publishCommand()
    {
        if (!m_ftpd)
            QSKIP("pyftpdlib is not running");
        QFETCH(bool, confirm);
        QFETCH(QStringList, messages);
        TestEditor t;
        const QString local = t.Path(QStringLiteral("www"));
        const QString page = local + QStringLiteral("/下/ページ.htm");
        QVERIFY(WriteFile(local + QStringLiteral("/index.htm"), "<P>top</P>"));
        QVERIFY(WriteFile(page, "<P>下</P>"));
        CFtpSetList sites;
        sites.Load(t.Settings());
        CFtpSet& site = sites.At(0);
        site.host = m_ftpd->Host();
        site.user = m_ftpd->User();
        site.password = m_ftpd->Password();
        site.localFolder = local;
        site.remoteFolder = QStringLiteral("pub");
        sites.Save(t.Settings());
        QVERIFY(t.App().OpenDocumentFile(page));
        const QString server = m_ftpd->Root() + QStringLiteral("/pub");
        QDir(server).removeRecursively();

        if (!confirm) {
            t.Ui().QueueAnswer(Ui::Answer::Ok);  // the folders
            t.Ui().QueueAnswer(Ui::Answer::Cancel);  // the plan
        }
        QVERIFY(t.Run(cmd::SitePublish));
        const FormModel* shown = t.Ui().LastForm();
        QVERIFY2(shown && shown->Find(QStringLiteral("Actions")), qPrintable(t.Ui().Texts("message").join(u'\n')));
        QCOMPARE(shown->Find(QStringLiteral("Actions"))->choices,
                 (QStringList{"mkdir .", "put index.htm", "mkdir 下", "put 下/ページ.htm"}));
        if (confirm)
            QVERIFY(t.Run(cmd::SitePublish));
        QCOMPARE(t.Ui().Texts("message"), messages);
        QCOMPARE(Tree(server), confirm ? Tree(local) : (std::map<QString, QByteArray>{}));
    }

    // A first publication to a server whose host key or certificate does
    // not verify: the user sees it and trusts it once, always, or not.
    void publishToUnknownServer_data()
    {
        QTest::addColumn<bool>("sftp");
        QTest::addColumn<int>("answer");
        QTest::newRow("sftp, refused") << true << int(Ui::Answer::Cancel);
        QTest::newRow("sftp, Enter refuses") << true << -1;
        QTest::newRow("sftp, once") << true << int(Ui::Answer::Yes);
        QTest::newRow("sftp, always") << true << int(Ui::Answer::All);
        QTest::newRow("ftps, always") << false << int(Ui::Answer::All);
    }
    void publishToUnknownServer()
    {
        QFETCH(bool, sftp);
        QFETCH(int, answer);
        const bool enter = answer < 0;
        if (enter)
            answer = int(Ui::Answer::Cancel);
        TestEditor t;
        CFtpSetList sites;
        sites.Load(t.Settings());
        CFtpSet& site = sites.At(0);
        std::unique_ptr<FtpTestServer> ftps;
        QString fingerprint;
        QString server;
        if (sftp) {
            if (!m_sshd)
                QSKIP("sshd is not running");
            site.protocol = RemoteProtocol::Sftp;
            site.host = QStringLiteral("%1:%2").arg(m_sshd->Host()).arg(m_sshd->Port());
            site.user = m_sshd->User();
            site.keyFile = m_sshd->ClientKey();
            site.remoteFolder = m_sshd->Root() + QStringLiteral("/unknown");
            fingerprint = m_sshd->Fingerprint();
            server = site.remoteFolder;
        } else {
            if (!m_ftpd)
                QSKIP("pyftpdlib is not running");
            const QString certificate = MakeTestCertificate(t.Path(QString()), QStringLiteral("own"));
            ftps = std::make_unique<FtpTestServer>(FtpTestServer::Kind::Pyftpdlib);
            ftps->SetCertificate(certificate);
            QCOMPARE(ftps->Start(), QString());
            site.protocol = RemoteProtocol::Ftps;
            site.host = ftps->Host();
            site.user = ftps->User();
            site.password = ftps->Password();
            site.remoteFolder = QStringLiteral("unknown");
            fingerprint = CFtpControl::Fingerprint(QSslCertificate::fromPath(certificate).value(0));
            server = ftps->Root() + QStringLiteral("/unknown");
        }
        QDir(server).removeRecursively();
        const QString local = t.Path(QStringLiteral("www"));
        QVERIFY(WriteFile(local + QStringLiteral("/index.htm"), "<P>top</P>"));
        site.localFolder = local;
        sites.Save(t.Settings());
        QVERIFY(t.App().OpenDocumentFile(local + QStringLiteral("/index.htm")));

        t.Ui().QueueAnswer(Ui::Answer::Ok);  // the folders
        if (enter)
            t.Ui().QueueEnter();
        else
            t.Ui().QueueAnswer(Ui::Answer(answer));
        QVERIFY(t.Run(cmd::SitePublish));
        const QStringList questions = t.Ui().Texts("question");
        QCOMPARE(questions.size(), 1);
        QVERIFY2(questions[0].contains(fingerprint), qPrintable(questions[0]));
        QVERIFY(questions[0].startsWith(sftp ? u"サーバのホスト鍵を確認できません" : u"サーバの証明書を確認できません"));
        const bool trusted = Ui::Answer(answer) != Ui::Answer::Cancel;
        QCOMPARE(t.Ui().Texts("message"), trusted ? QStringList{"公開しました (2 件)"} : QStringList{});
        QCOMPARE(Tree(server), trusted ? Tree(local) : (std::map<QString, QByteArray>{}));
        sites.Load(t.Settings());
        QCOMPARE(sites.At(0).trustedFingerprint, Ui::Answer(answer) == Ui::Answer::All ? fingerprint : QString());

        // Trusted always: the next run asks nothing.
        if (Ui::Answer(answer) == Ui::Answer::All) {
            t.Ui().ClearRecords();
            QVERIFY(t.Run(cmd::SitePublish));
            QCOMPARE(t.Ui().Texts("question"), QStringList{});
            QCOMPARE(t.Ui().Texts("message"), QStringList{"サーバはすでにローカルフォルダと同じです"});
        }
    }
};

KELVO_TEST(TestSiteMirror, "SiteMirror");
#include "tst_SiteMirror.moc"
