#include "FtpServers.h"
#include "TestFiles.h"
#include "TestRegistry.h"
#include "ToolRunner.h"

#include "core/ftp/CFtpControl.h"
#include "core/ftp/CFtpSetList.h"
#include "platform/Cp932.h"
#include "platform/SettingsStore.h"

#include <QDir>
#include <QRegularExpression>
#include <QSslCertificate>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

// kelvo-tool ftp and ftp-parse, seen from a script.
class TestFtpTool : public QObject {
    Q_OBJECT
    std::unique_ptr<FtpTestServer> m_server;
    QTemporaryDir m_local;

    QStringList Login() const
    {
        return {"ftp", "--host", m_server->Host(), "--user", m_server->User(), "--password",
                m_server->Password(), "--timeout", "20"};
    }

private Q_SLOTS:
    void initTestCase()
    {
        if (FtpTestServer::Missing(FtpTestServer::Kind::Pyftpdlib))
            QSKIP("pyftpdlib is not installed here");
        m_server = std::make_unique<FtpTestServer>(FtpTestServer::Kind::Pyftpdlib);
        const QString problem = m_server->Start();
        QVERIFY2(problem.isEmpty(), qPrintable(problem));
    }

    void operations_data()
    {
        QTest::addColumn<QStringList>("args");  // after the login options
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("output");  // a line the output must hold; all of it on failure
        QTest::newRow("put") << QStringList{"put", "LOCAL"} << 0 << "";
        QTest::newRow("ls shows the upload")
            << QStringList{"ls"} << 0 << "- 12 DATE -rw-r--r-- ページ.htm";
        QTest::newRow("get") << QStringList{"get", "ページ.htm", "BACK"} << 0 << "";
        QTest::newRow("mkdir") << QStringList{"mkdir", "sub"} << 0 << "";
        QTest::newRow("chmod") << QStringList{"chmod", "ページ.htm", "600"} << 0 << "";
        QTest::newRow("mv") << QStringList{"mv", "ページ.htm", "sub/b.htm"} << 0 << "";
        QTest::newRow("get from a folder") << QStringList{"get", "sub/b.htm", "BACK"} << 0 << "";
        QTest::newRow("get into a folder that is not there")
            << QStringList{"get", "sub/b.htm", "BACK/nowhere"} << 1
            << "message: エラーが発生しました\nmessage: 保存先のフォルダがありません: BACK/nowhere";
        QTest::newRow("rm") << QStringList{"rm", "sub/b.htm"} << 0 << "";
        QTest::newRow("rm of a missing file")
            << QStringList{"rm", "sub/b.htm"} << 1 << "message: エラーが発生しました\nmessage: 550 No such file or directory.";
        QTest::newRow("rmdir") << QStringList{"rmdir", "sub"} << 0 << "";
        QTest::newRow("pwd") << QStringList{"pwd"} << 0 << "/";
        QTest::newRow("wrong password")
            << QStringList{"--password", "wrong", "ls"} << 1 << "message: 接続できませんでした\nmessage: 530 Authentication failed.";
        QTest::newRow("root folder missing")
            << QStringList{"--root", "/nowhere", "pwd"} << 1 << "message: 接続できませんでした\nmessage: 550 No such file or directory.";
        QTest::newRow("unknown operation") << QStringList{"list"} << 2 << "";
        QTest::newRow("chmod needs octal digits") << QStringList{"chmod", "a", "9xx"} << 2 << "";
    }
    void operations()
    {
        QFETCH(QStringList, args);
        QFETCH(int, status);
        QFETCH(QString, output);
        const QString local = m_local.filePath(u"ページ.htm"_qs);
        WriteBytes(local, "<P>a</P>\r\n\r\n");
        const QString back = m_local.filePath(u"back"_qs);
        QDir().mkpath(back);
        args.replaceInStrings(u"LOCAL"_qs, local);
        args.replaceInStrings(u"BACK"_qs, back);
        const ToolResult r = RunTool(Login() + args);
        QCOMPARE(r.status, status);
        if (status != 0 && !output.isEmpty()) {
            QCOMPARE(r.Lines(), output.replace(u"BACK"_qs, back).split(u'\n'));
        } else if (!output.isEmpty()) {
            bool found = false;
            for (QString line : r.Lines()) {
                // The date is the server's local time of the upload.
                line.replace(QRegularExpression(u"\\d{4}/\\d\\d/\\d\\d \\d\\d:\\d\\d"_qs),
                             u"DATE"_qs);
                found = found || line == output;
            }
            QVERIFY2(found, qPrintable(r.out));
        }
        if (args[0] == u"get" && status == 0)
            QCOMPARE(ReadBytes(back + u'/' + args[1].section(u'/', -1)), QByteArray("<P>a</P>\r\n\r\n"));
    }

    // A saved site gives host, user, password and folder; the password
    // comes back from its scrambled form.
    void savedSite()
    {
        QTemporaryDir config;
        {
            platform::SettingsStore store(config.filePath(u"kelvo.ini"_qs));
            CFtpSetList sets;
            sets.Load(store);
            CFtpSet site;
            site.name = u"テスト"_qs;
            site.host = m_server->Host();
            site.user = m_server->User();
            site.password = m_server->Password();
            site.remoteFolder = u"/"_qs;
            sets.Add(site);
            sets.Save(store);
        }
        const ToolResult r = RunTool({"ftp", "--site", "テスト", "--config", config.path(), "pwd"});
        QCOMPARE(r.status, 0);
        QCOMPARE(r.Lines(), QStringList{u"/"_qs});
    }

    void parseSavedListing()
    {
        const QString file = m_local.filePath(u"listing.txt"_qs);
        WriteBytes(file, platform::UnicodeToCp932(
                             QStringLiteral("03-05-07  02:07PM       <DIR>          画像\r\n"
                                            "03-05-07  10:15AM              3221225472 大きい.iso\r\n"
                                            "03-05-07  10:15AM                       5 my page.htm\r\n"
                                            "13-05-07  10:15AM              1 bad-month\r\n")));
        const ToolResult r = RunTool({"ftp-parse", file});
        QCOMPARE(r.status, 0);
        QCOMPARE(r.Lines(), (QStringList{u"d 0 2007/03/05 14:07 - 画像"_qs,
                                         u"- 3221225472 2007/03/05 10:15 - 大きい.iso"_qs,
                                         u"- 5 2007/03/05 10:15 - my page.htm"_qs}));
    }
    // FTPS from a script: an unknown certificate gives its fingerprint, a
    // wrong --trust is refused, the right one lists the folder; UTF-8 names
    // come through --encoding auto.
    void ftps_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("line");  // the first lines of the output, FP the fingerprint
        QTest::newRow("unknown certificate") << QStringList{"ls"} << 1 << "message: FP";
        QTest::newRow("wrong fingerprint")
            << QStringList{"--trust", "SHA256:d3Jvbmc", "ls"} << 1
            << "message: 警告：サーバの証明書が、信頼した証明書から変わっています。なりすましのおそれがあるため接続しません。";
        QTest::newRow("trusted") << QStringList{"--trust", "FP", "ls"} << 0 << "- 1 DATE -rw-r--r-- 한글.txt";
        QTest::newRow("Shift-JIS cannot name it")
            << QStringList{"--trust", "FP", "--encoding", "sjis", "rm", "한글.txt"} << 1
            << "message: 「한글.txt」には、サーバの文字コード（Shift-JIS）で表せない文字があります。名前を変えてください";
        QTest::newRow("unknown protocol") << QStringList{"--protocol", "ftpes", "ls"} << 2 << "";
        QTest::newRow("plain login where TLS is required: the reply says so")
            << QStringList{"--protocol", "ftp", "ls"} << 1
            << "message: 接続できませんでした\nmessage: 550 SSL/TLS required on the control channel.";
    }
    void ftps()
    {
        QFETCH(QStringList, args);
        QFETCH(int, status);
        QFETCH(QString, line);
        QTemporaryDir dir;
        const QString certificate = MakeTestCertificate(dir.path(), u"cert"_qs);
        QVERIFY(!certificate.isEmpty());
        FtpTestServer server(FtpTestServer::Kind::Pyftpdlib);
        server.SetUtf8Names(true);
        server.SetCertificate(certificate);
        QVERIFY2(server.Start().isEmpty(), "pyftpdlib with TLS");
        QVERIFY(WriteBytes(server.Root() + u"/한글.txt"_qs, "x"));
        const QString fingerprint = CFtpControl::Fingerprint(QSslCertificate::fromPath(certificate).value(0));
        args.replaceInStrings(u"FP"_qs, fingerprint);
        const ToolResult r = RunTool(QStringList{"ftp", "--protocol", "ftps", "--host", server.Host(), "--user",
                                                 server.User(), "--password", server.Password(), "--timeout", "20"}
                                     + args);
        QCOMPARE(r.status, status);
        if (line.isEmpty())
            return;
        const QStringList expected = line.replace(u"FP"_qs, fingerprint).split(u'\n');
        QString first = r.Lines().mid(0, expected.size()).join(u'\n');
        first.replace(QRegularExpression(u"\\d{4}/\\d\\d/\\d\\d \\d\\d:\\d\\d"_qs), u"DATE"_qs);
        QCOMPARE(first, expected.join(u'\n'));
    }
};

KELVO_TEST(TestFtpTool, "FtpTool");
#include "tst_FtpTool.moc"
