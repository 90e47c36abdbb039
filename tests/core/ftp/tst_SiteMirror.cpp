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
#include "platform/FileAccess.h"
#include "platform/SettingsStore.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QScopeGuard>
#include <QSslCertificate>
#include <QTemporaryDir>
#include <QTest>

#include <map>
#include <memory>

// Publishing a folder to a real server on 127.0.0.1: the plan shown first,
// the run, and a second run that finds nothing to do.
namespace {

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

// vsftpd works on the files as its own user, not as the one who made them.
void OpenToAll(const QString& root)
{
    QDirIterator it(root, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden, QDirIterator::Subdirectories);
    QFile::setPermissions(root, QFile::Permissions(0x7777));
    while (it.hasNext()) {
        const QFileInfo info(it.next());
        if (!info.isSymLink())
            QFile::setPermissions(info.filePath(), QFile::Permissions(info.isDir() ? 0x7777 : 0x6666));
    }
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
    std::unique_ptr<FtpTestServer> m_vsftpd;
    std::unique_ptr<FtpTestServer> m_mlsd;  // pyftpdlib in UTF-8, with MLSD
    QTemporaryDir m_home;
    QByteArray m_savedHome;

    // The server of a row: "ftp" (pyftpdlib in CP932, LIST), "mlsd"
    // (pyftpdlib in UTF-8), "vsftpd"; null for "sftp" or when not running.
    FtpTestServer* Ftpd(const QString& server) const
    {
        return (server == u"vsftpd" ? m_vsftpd : server == u"mlsd" ? m_mlsd : m_ftpd).get();
    }
    // Where a site goes on the server as a local path; empty when the
    // server is not running.
    QString ServerRoot(const QString& server) const
    {
        if (server == u"sftp")
            return m_sshd ? m_sshd->Root() : QString();
        return Ftpd(server) ? Ftpd(server)->WritableLocal() : QString();
    }
    // The same folder as the server names it, relative to the login.
    static QString ServerFolder(const QString& server, const QString& name)
    {
        return server == u"vsftpd" ? QStringLiteral("pub/") + name : name;
    }

    std::unique_ptr<RemoteSession> Connect(const QString& server)
    {
        if (server != u"sftp") {
            const FtpTestServer& ftpd = *Ftpd(server);
            auto session = MakeRemoteSession(RemoteProtocol::Ftp);
            session->SetTimeout(20000);
            RemoteEndpoint e;
            e.host = QStringLiteral("127.0.0.1");
            e.port = ftpd.Port();
            e.user = ftpd.User();
            e.password = ftpd.Password();
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

    static std::unique_ptr<FtpTestServer> StartFtp(FtpTestServer::Kind kind, bool utf8)
    {
        if (FtpTestServer::Missing(kind))
            return nullptr;
        auto ftpd = std::make_unique<FtpTestServer>(kind);
        ftpd->SetUtf8Names(utf8);
        const QString problem = ftpd->Start();
        if (problem.isEmpty())
            return ftpd;
        qWarning("%s", qPrintable(problem));
        return nullptr;
    }

private Q_SLOTS:
    void initTestCase()
    {
        // The run from Japan must be in Japan's zone, or it proves nothing.
        if (qgetenv("TZ") == "Asia/Tokyo")
            QCOMPARE(QDateTime::currentDateTime().offsetFromUtc(), 9 * 3600);
        // The host key is looked up in the home's .ssh: one of our own,
        // where the server's key is unknown.
        m_savedHome = qgetenv("HOME");
        QDir().mkpath(m_home.filePath(QStringLiteral(".ssh")));
        qputenv("HOME", QFile::encodeName(m_home.path()));
        qunsetenv("SSH_AUTH_SOCK");
        if (!SshTestServer::Missing()) {
            auto server = std::make_unique<SshTestServer>();
            const QString problem = server->Start();
            if (problem.isEmpty())
                m_sshd = std::move(server);
            else
                qWarning("sshd: %s", qPrintable(problem));
        }
        m_ftpd = StartFtp(FtpTestServer::Kind::Pyftpdlib, false);
        m_mlsd = StartFtp(FtpTestServer::Kind::Pyftpdlib, true);
        // vsftpd keeps names as the bytes it is sent: UTF-8 ones, so that
        // its folder reads back here.
        m_vsftpd = StartFtp(FtpTestServer::Kind::Vsftpd, true);
    }

    void cleanupTestCase() { qputenv("HOME", m_savedHome); }

    // The server also holds a link to a folder outside the site, which is
    // removed as a link and never entered; and a longer older copy, which
    // the shorter file replaces whole.
    void publish_data()
    {
        QTest::addColumn<QString>("server");
        QTest::addColumn<bool>("removeGone");
        QTest::addColumn<QStringList>("expected");
        const QStringList sends = {
            "put .htaccess", "put index.htm", "mkdir 昔", "put 昔/x.htm", "put 画像/空.gif", "put 画像/表紙.png",
            "put 表/日本.htm",
        };
        const QStringList removals = {"rm ext", "rm 古い/中.htm", "rm 古い/奥/下.htm", "rm 古い/奥/", "rm 古い/", "rm 古い.htm"};
        for (const char* server : {"sftp", "ftp", "mlsd", "vsftpd"}) {
            QTest::addRow("%s, keeping server files", server) << server << false << sends;
            QTest::addRow("%s, removing server files", server) << server << true << sends + removals;
        }
    }
    void publish()
    {
        QFETCH(QString, server);
        QFETCH(bool, removeGone);
        QFETCH(QStringList, expected);
        REQUIRE_SERVER(!ServerRoot(server).isEmpty(), "the server");
        QTemporaryDir local;
        const QString site = ServerRoot(server) + QStringLiteral("/site");
        const QString outside = ServerRoot(server) + QStringLiteral("/outside");
        QDir(site).removeRecursively();
        // The server has an older page of the same size, the same style
        // sheet, an older longer picture, and what the site no longer has.
        QVERIFY(WriteFile(local.filePath("index.htm"), "<p>new</p>"));
        QVERIFY(WriteFile(site + "/index.htm", "<p>old</p>", 3));
        QVERIFY(WriteFile(local.filePath("style.css"), "p{}", 3));
        QVERIFY(WriteFile(site + "/style.css", "p{}"));
        QVERIFY(WriteFile(local.filePath(".htaccess"), "Options -Indexes\n"));
        QVERIFY(WriteFile(local.filePath("画像/表紙.png"), QByteArray(300000, '\x89')));
        QVERIFY(WriteFile(site + "/画像/表紙.png", QByteArray(300100, 'o'), 3));
        QVERIFY(WriteFile(local.filePath("画像/空.gif"), QByteArray()));
        QVERIFY(WriteFile(site + "/古い.htm", "gone"));
        QVERIFY(WriteFile(site + "/古い/中.htm", "gone"));
        QVERIFY(WriteFile(site + "/古い/奥/下.htm", "gone"));
        QVERIFY(WriteFile(outside + "/precious.html", "kept"));
        QVERIFY(QFile::link(QStringLiteral("../outside"), site + QStringLiteral("/ext")));
        QVERIFY(WriteFile(site + "/表/日本.htm", "<p>old</p>", 3));
        OpenToAll(site);
        // A link in the site back to the site: not followed.
        QVERIFY(QFile::link(QStringLiteral(".."), local.filePath("画像/up")));
        // One to a folder beside the site whose name starts like the
        // site's: outside it, so followed.
        const QString beside = local.path() + QStringLiteral("-old");
        const auto removeBeside = qScopeGuard([&] { QDir(beside).removeRecursively(); });
        QVERIFY(WriteFile(beside + "/x.htm", "x"));
        QVERIFY(QFile::link(beside, local.filePath("昔")));
        // A folder and a page with CP932 names from a Windows archive go
        // under the names they read as, never taken for gone (which would
        // remove the server's copy); a name that reads as nothing stays.
        const QByteArray bytes = platform::EncodePath(local.path());
        QVERIFY(platform::MakeFolders(platform::DecodePath(bytes + "/\x95\x5c")));
        QVERIFY(platform::WriteFileSafely(platform::DecodePath(bytes + "/\x95\x5c/\x93\xfa\x96\x7b.htm"), "<p>")
                == platform::FileError::None);
        QVERIFY(platform::WriteFileSafely(platform::DecodePath(bytes + "/\xff.htm"), "?") == platform::FileError::None);

        std::unique_ptr<RemoteSession> session = Connect(server);
        QVERIFY(session->IsConnected());
        SiteMirror mirror(*session);
        MirrorPlan plan;
        const QString folder = ServerFolder(server, QStringLiteral("site"));
        QVERIFY2(mirror.Plan(local.path(), folder, removeGone, plan), qPrintable(mirror.ErrorText()));
        QCOMPARE(Lines(plan), expected);
        QCOMPARE(plan.notes, (QStringList{u"サーバのファイル名にできないので送りませんでした: \\xFF.htm"_qs,
                                          u"リンク 画像/up はたどりませんでした: "_qs + QFileInfo(local.path()).canonicalFilePath()
                                              + u" はすでに公開の対象です"_qs}));
        QCOMPARE(plan.TotalBytes(), 10 + 17 + 300000 + 1 + 3);

        qint64 last = 0;
        mirror.SetProgress([&](const MirrorAction&, qint64 done, qint64) { last = done; });
        QVERIFY2(mirror.Apply(plan), qPrintable(mirror.ErrorText()));
        QCOMPARE(last, plan.TotalBytes());
        std::map<QString, QByteArray> want = Tree(local.path());
        want.erase(QStringLiteral("画像/up/"));
        std::erase_if(want, [](const auto& entry) { return entry.first.contains(QChar(0xFFFD)); });
        want[QStringLiteral("表/")] = QByteArray();
        want[QStringLiteral("表/日本.htm")] = "<p>";
        want[QStringLiteral("昔/")] = QByteArray();
        want[QStringLiteral("昔/x.htm")] = "x";
        if (!removeGone) {
            for (const char* kept : {"古い/", "古い.htm", "古い/中.htm", "古い/奥/", "古い/奥/下.htm", "ext/"})
                want[QString::fromUtf8(kept)] = QByteArray(QByteArray(kept).endsWith('/') ? "" : "gone");
        }
        QCOMPARE(Tree(site), want);
        QCOMPARE(ReadBytes(outside + "/precious.html"), QByteArray("kept"));
        // A sent file has its time on the server too, to the second.
        QCOMPARE(QFileInfo(site + "/画像/空.gif").lastModified().toSecsSinceEpoch(),
                 QFileInfo(local.filePath("画像/空.gif")).lastModified().toSecsSinceEpoch());

        // Whatever the zone here and the server's listing's, the next run
        // finds the server the same.
        MirrorPlan again;
        QVERIFY(mirror.Plan(local.path(), folder, removeGone, again));
        QCOMPARE(Lines(again).join(u'\n'), QString());
    }

    // A first publication makes the server folder; a run stopped by the
    // user is finished by the next one.
    void firstPublicationAndCancel()
    {
        REQUIRE_SERVER(m_sshd, "sshd");
        QTemporaryDir local;
        for (int i = 0; i < 5; ++i)
            QVERIFY(WriteFile(local.filePath(QStringLiteral("p%1.htm").arg(i)), QByteArray(1000, 'a' + i)));
        std::unique_ptr<RemoteSession> session = Connect(QStringLiteral("sftp"));
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
        const QString kind = sftp ? QStringLiteral("sftp") : QStringLiteral("ftp");
        REQUIRE_SERVER(!ServerRoot(kind).isEmpty(), "the server");
        QTemporaryDir local;
        const QString file = local.filePath(QStringLiteral("動画.bin"));
        QByteArray bytes(8 << 20, Qt::Uninitialized);
        for (qsizetype i = 0; i < bytes.size(); ++i)
            bytes[i] = char((i * 7 + i / 4093) & 0xff);
        QVERIFY(WriteFile(file, bytes));
        const QString site = ServerRoot(kind) + QStringLiteral("/resume");
        QDir(site).removeRecursively();
        QDir().mkpath(site);
        const QString copy = site + QStringLiteral("/動画.bin");

        std::unique_ptr<RemoteSession> session = Connect(kind);
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

        session = Connect(kind);
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
        REQUIRE_SERVER(m_ftpd, "pyftpdlib");
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
            REQUIRE_SERVER(m_sshd, "sshd");
            site.protocol = RemoteProtocol::Sftp;
            site.host = QStringLiteral("%1:%2").arg(m_sshd->Host()).arg(m_sshd->Port());
            site.user = m_sshd->User();
            site.keyFile = m_sshd->ClientKey();
            site.remoteFolder = m_sshd->Root() + QStringLiteral("/unknown");
            fingerprint = m_sshd->Fingerprint();
            server = site.remoteFolder;
        } else {
            REQUIRE_SERVER(m_ftpd, "pyftpdlib");
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
