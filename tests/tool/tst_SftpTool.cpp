#include "SshServer.h"
#include "TestFiles.h"
#include "TestRegistry.h"
#include "ToolRunner.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

// kelvo-tool ftp --protocol sftp against a real sshd, seen from a script:
// the operations, the host key checks and publishing a folder.
namespace {

bool WriteFile(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    return WriteBytes(path, bytes);
}

} // namespace

class TestSftpTool : public QObject {
    Q_OBJECT
    std::unique_ptr<SshTestServer> m_server;
    QTemporaryDir m_home;  // the tool's home, with .ssh/known_hosts
    QTemporaryDir m_local;
    QByteArray m_savedHome;

    QStringList Login(const QString& trust) const
    {
        QStringList args{"ftp", "--protocol", "sftp", "--host",
                         QStringLiteral("127.0.0.1:%1").arg(m_server->Port()), "--user", m_server->User(),
                         "--key", m_server->ClientKey(), "--timeout", "20"};
        if (!trust.isEmpty())
            args << "--trust" << trust;
        return args;
    }

    QStringList Trusted() const { return Login(m_server->Fingerprint()); }

private Q_SLOTS:
    void initTestCase()
    {
        if (SshTestServer::Missing())
            QSKIP("sshd is not installed here");
        m_server = std::make_unique<SshTestServer>();
        const QString problem = m_server->Start();
        QVERIFY2(problem.isEmpty(), qPrintable(problem));
        // The tool reads known_hosts and keys from the home's .ssh.
        m_savedHome = qgetenv("HOME");
        QDir().mkpath(m_home.filePath(QStringLiteral(".ssh")));
        qputenv("HOME", QFile::encodeName(m_home.path()));
        qunsetenv("SSH_AUTH_SOCK");
    }

    void cleanupTestCase() { qputenv("HOME", m_savedHome); }

    void operations_data()
    {
        QTest::addColumn<QStringList>("args");  // after the login options
        QTest::addColumn<QString>("output");    // the whole output
        QTest::newRow("put") << QStringList{"put", "LOCAL"} << "";
        QTest::newRow("mv") << QStringList{"mv", "ページ.htm", "表紙.htm"} << "";
        QTest::newRow("chmod") << QStringList{"chmod", "表紙.htm", "640"} << "";
        QTest::newRow("ls") << QStringList{"ls"} << "- 14 DATE -rw-r----- 表紙.htm\n";
        QTest::newRow("get") << QStringList{"get", "表紙.htm", "BACK"} << "";
        QTest::newRow("mkdir") << QStringList{"mkdir", "資料"} << "";
        QTest::newRow("rmdir") << QStringList{"rmdir", "資料"} << "";
        QTest::newRow("rm") << QStringList{"rm", "表紙.htm"} << "";
        QTest::newRow("rm of what is gone")
            << QStringList{"rm", "表紙.htm"} << "message: エラーが発生しました\nmessage: ファイルまたはフォルダが見つかりません\n";
    }
    void operations()
    {
        QFETCH(QStringList, args);
        QFETCH(QString, output);
        const QString local = m_local.filePath(QStringLiteral("ページ.htm"));
        const QString back = m_local.filePath(QStringLiteral("back"));
        QVERIFY(WriteFile(local, "<P>日本</P>\n"));
        QDir().mkpath(back);
        args.replaceInStrings(QStringLiteral("LOCAL"), local);
        args.replaceInStrings(QStringLiteral("BACK"), back);
        const ToolResult r = RunTool(Trusted() << args);
        QString out = r.out;
        out.replace(QRegularExpression(QStringLiteral("\\d{4}/\\d\\d/\\d\\d \\d\\d:\\d\\d")), QStringLiteral("DATE"));
        QCOMPARE(out, output);
        QCOMPARE(r.status, output.startsWith(u"message:") ? 1 : 0);
        if (args[0] == u"get")
            QCOMPARE(ReadBytes(back + QStringLiteral("/表紙.htm")), QByteArray("<P>日本</P>\n"));
    }

    // An unknown host key stops the tool with its fingerprint; a wrong
    // one, or a recorded key that changed, stops it too.
    void hostKeys_data()
    {
        QTest::addColumn<QString>("knownHosts");  // "own", "other" or none
        QTest::addColumn<QString>("trust");       // "own", "other" or none
        QTest::addColumn<QString>("output");
        QTest::newRow("unknown") << "" << "" << "message: FP\n";
        QTest::newRow("trusted") << "" << "own" << "/\n";
        QTest::newRow("another trusted") << "" << "other" << "message: サーバのホスト鍵が変わっています。接続を中止しました\n";
        QTest::newRow("recorded") << "own" << "" << "/\n";
        QTest::newRow("changed") << "other" << "own" << "message: サーバのホスト鍵が変わっています。接続を中止しました\n";
    }
    void hostKeys()
    {
        QFETCH(QString, knownHosts);
        QFETCH(QString, trust);
        QFETCH(QString, output);
        QFile f(m_home.filePath(QStringLiteral(".ssh/known_hosts")));
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write((knownHosts == u"own"     ? m_server->KnownHostsLine()
                 : knownHosts == u"other" ? m_server->WrongKnownHostsLine()
                                          : QString())
                    .toUtf8());
        f.close();
        const QString fingerprint = trust == u"own" ? m_server->Fingerprint()
            : trust == u"other"                     ? QStringLiteral("SHA256:AAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAA")
                                                    : QString();
        const ToolResult r = RunTool(Login(fingerprint) << "--root" << "/" << "pwd");
        output.replace(QStringLiteral("FP"), m_server->Fingerprint());
        QCOMPARE(r.out, output);
        QCOMPARE(r.status, output.startsWith(u"message:") ? 1 : 0);
        f.remove();
    }

    // The plan, the run, and a second run with nothing to do.
    void mirror_data()
    {
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<QString>("output");
        QTest::newRow("dry run") << QStringList{"--dry-run"} << "put index.htm\nmkdir 画像\nput 画像/表紙.png\n";
        QTest::newRow("dry run, removing")
            << QStringList{"--delete", "--dry-run"} << "put index.htm\nmkdir 画像\nput 画像/表紙.png\nrm 古い.htm\n";
        QTest::newRow("run") << QStringList{"--delete"} << "put index.htm\nmkdir 画像\nput 画像/表紙.png\nrm 古い.htm\n";
        QTest::newRow("nothing left to do") << QStringList{"--delete"} << "";
    }
    void mirror()
    {
        QFETCH(QStringList, options);
        QFETCH(QString, output);
        const QString site = m_local.filePath(QStringLiteral("site"));
        const QString server = m_server->Root() + QStringLiteral("/www");
        if (QTest::currentDataTag() == QByteArray("dry run")) {
            QVERIFY(WriteFile(site + QStringLiteral("/index.htm"), "<P>top</P>"));
            QVERIFY(WriteFile(site + QStringLiteral("/画像/表紙.png"), QByteArray(70000, '\x89')));
            QVERIFY(WriteFile(server + QStringLiteral("/古い.htm"), "old"));
        }
        const ToolResult r = RunTool(Trusted() << "--root" << server << "mirror" << site << options);
        QCOMPARE(r.out, output);
        QCOMPARE(r.status, 0);
        const bool ran = !options.contains(QStringLiteral("--dry-run"));
        QCOMPARE(QFile::exists(server + QStringLiteral("/画像/表紙.png")), ran);
        QCOMPARE(QFile::exists(server + QStringLiteral("/古い.htm")), !ran);
    }
};

KELVO_TEST(TestSftpTool, "SftpTool");
#include "tst_SftpTool.moc"
