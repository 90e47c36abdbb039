#include "FtpServers.h"
#include "TestFiles.h"
#include "TestRegistry.h"

#include "core/ftp/CFtpControl.h"
#include "core/ftp/CNorvaneFtp.h"
#include "platform/Cp932.h"

#include <QDir>
#include <QFile>
#include <QSslCertificate>
#include <QTemporaryDir>
#include <QTest>

#include <fstream>
#include <functional>
#include <memory>

// The client against real servers on 127.0.0.1.
namespace {

using Kind = FtpTestServer::Kind;

const CFtpEntry* FindEntry(const CNorvaneFtp& ftp, const QString& name)
{
    for (const CFtpEntry& e : ftp.Entries()) {
        if (e.name == name)
            return &e;
    }
    return nullptr;
}

QByteArray AllBytes()
{
    QByteArray bytes;
    for (int round = 0; round < 300; ++round) {
        for (int b = 0; b < 256; ++b)
            bytes.append(char(b));
    }
    return bytes;
}

// Reads a file whose name is given as bytes (Qt's file names are UTF-8).
QByteArray ReadRawName(const QString& folder, const QByteArray& name)
{
    std::ifstream in(QFile::encodeName(folder).toStdString() + '/' + name.toStdString(),
                     std::ios::binary);
    return QByteArray::fromStdString(std::string(std::istreambuf_iterator<char>(in), {}));
}

} // namespace

#define NEED_SERVER(kind) NEED(Server(kind))
#define NEED(server) REQUIRE_SERVER(server, "the FTP server")

class TestFtpClient : public QObject {
    Q_OBJECT

    std::unique_ptr<FtpTestServer> m_servers[2];
    QTemporaryDir m_local;

    // A server of its own for one row; null (after a skip or failure) when
    // it cannot run here.
    std::unique_ptr<FtpTestServer> StartServer(Kind kind, const std::function<void(FtpTestServer&)>& setup)
    {
        if (FtpTestServer::Missing(kind))
            return nullptr;
        auto server = std::make_unique<FtpTestServer>(kind);
        setup(*server);
        const QString problem = server->Start();
        if (!problem.isEmpty()) {
            qWarning("%s", qPrintable(problem));
            return nullptr;
        }
        return server;
    }

    FtpTestServer* Server(Kind kind)
    {
        return m_servers[kind == Kind::Pyftpdlib ? 0 : 1].get();
    }

    // A connected client, or a skip/failure.
    bool Connect(CNorvaneFtp& ftp, Kind kind, bool passive, const QString& root = QString())
    {
        FtpTestServer* server = Server(kind);
        if (!server)
            return false;
        ftp.Set(server->Host(), server->User(), server->Password(),
                root.isEmpty() ? server->WritableFolder() : root, passive);
        ftp.SetTimeoutSeconds(20);
        return ftp.Connect();
    }

    // Each server with the flag on and off.
    void AddServerRows(const char* flag = "passive", const char* on = "passive",
                       const char* off = "active")
    {
        QTest::addColumn<Kind>("kind");
        QTest::addColumn<bool>(flag);
        for (const char* server : {"pyftpdlib", "vsftpd"}) {
            const Kind kind = server[0] == 'p' ? Kind::Pyftpdlib : Kind::Vsftpd;
            QTest::addRow("%s %s", server, on) << kind << true;
            QTest::addRow("%s %s", server, off) << kind << false;
        }
    }

private Q_SLOTS:
    void initTestCase()
    {
        for (Kind kind : {Kind::Pyftpdlib, Kind::Vsftpd}) {
            if (FtpTestServer::Missing(kind))
                continue;
            auto server = std::make_unique<FtpTestServer>(kind);
            const QString problem = server->Start();
            if (!problem.isEmpty()) {
                qWarning("%s: %s", kind == Kind::Pyftpdlib ? "pyftpdlib" : "vsftpd", qPrintable(problem));
                continue;
            }
            m_servers[kind == Kind::Pyftpdlib ? 0 : 1] = std::move(server);
        }
    }

    // Folder and file operations as the FTP window uses them, in one session.
    void folderAndFileOperations_data() { AddServerRows(); }
    void folderAndFileOperations()
    {
        QFETCH(Kind, kind);
        QFETCH(bool, passive);
        NEED_SERVER(kind);
        FtpTestServer& server = *Server(kind);
        CNorvaneFtp ftp;
        QVERIFY(Connect(ftp, kind, passive));
        QCOMPARE(ftp.CurrentFolder(), server.WritableFolder());

        const QString folder = passive ? u"p"_qs : u"a"_qs;
        QVERIFY(ftp.MakeDir(folder));
        QVERIFY(QFileInfo(server.WritableLocal() + u'/' + folder).isDir());
        QVERIFY(ftp.ChangeDir(folder));
        QVERIFY(ftp.CurrentFolder().endsWith(u'/' + folder));

        const QByteArray bytes = AllBytes();
        const QString file = folder + u"-bin.dat"_qs;
        const QString upload = m_local.filePath(file);
        QVERIFY(WriteBytes(upload, bytes));
        QVERIFY(ftp.PutFile(upload, false));
        const QString onServer = server.WritableLocal() + u'/' + folder + u'/' + file;
        QCOMPARE(ReadBytes(onServer), bytes);

        QVERIFY(ftp.GetList());
        const CFtpEntry* entry = FindEntry(ftp, file);
        QVERIFY(entry);
        QCOMPARE(entry->size, qint64(bytes.size()));
        QVERIFY(!entry->isFolder);
        QVERIFY(entry->mode.startsWith(u'-'));

        const QString back = m_local.filePath(u"back-"_qs + folder);
        QDir().mkpath(back);
        QVERIFY(ftp.GetFile(file, back, false));
        QCOMPARE(ReadBytes(back + u'/' + file), bytes);

        if (kind == Kind::Pyftpdlib) {
            QVERIFY(ftp.ChangeMode(file, 6, 0, 0));
            QCOMPARE(QFileInfo(onServer).permissions() & 0x0777, QFile::Permissions(0x0600));
        }

        QVERIFY(ftp.Rename(file, u"renamed.dat"_qs));
        QVERIFY(!QFile::exists(onServer));
        QVERIFY(ftp.DeleteFile(u"renamed.dat"_qs));
        QVERIFY(ftp.GetList());
        QVERIFY(!FindEntry(ftp, u"renamed.dat"_qs));

        QVERIFY(ftp.ChangeDirUp());
        QCOMPARE(ftp.CurrentFolder(), server.WritableFolder());
        QVERIFY(ftp.GetList());
        QVERIFY(FindEntry(ftp, folder) && FindEntry(ftp, folder)->isFolder);
        QVERIFY(ftp.RemoveDir(folder));
        QVERIFY(!QFileInfo::exists(server.WritableLocal() + u'/' + folder));
        QVERIFY(!ftp.RemoveDir(folder));  // gone: the server refuses
        ftp.Disconnect();
        QVERIFY(!ftp.IsConnected());
    }

    // Text in ASCII mode and Japanese names: CP932 on the wire both ways.
    void japaneseNamesAndText_data() { AddServerRows(); }
    void japaneseNamesAndText()
    {
        QFETCH(Kind, kind);
        QFETCH(bool, passive);
        NEED_SERVER(kind);
        FtpTestServer& server = *Server(kind);
        CNorvaneFtp ftp;
        QVERIFY(Connect(ftp, kind, passive));
        const QString name = (passive ? u"受"_qs : u"能"_qs)
                           + u"日本語のページ.htm"_qs;
        const QByteArray text = platform::UnicodeToCp932(
            u"<P>表示ソフト、漢字の確認。</P>\r\n<P>二行目</P>\r\n"_qs);
        const QString upload = m_local.filePath(name);
        QVERIFY(WriteBytes(upload, text));
        QVERIFY(ftp.PutFile(upload, true));

        // vsftpd keeps the name's CP932 bytes as the file name and the text
        // unchanged; pyftpdlib decodes the name (and writes it in the file
        // system's encoding) and stores ASCII text with LF line ends.
        QByteArray onDisk = text;
        QByteArray diskName = platform::UnicodeToCp932(name);
        if (kind == Kind::Pyftpdlib) {
            onDisk.replace("\r\n", "\n");
            diskName = QFile::encodeName(name);
        }
        QCOMPARE(ReadRawName(server.WritableLocal(), diskName), onDisk);

        QVERIFY(ftp.GetList());
        QVERIFY2(FindEntry(ftp, name), "the Japanese name comes back in the listing");

        const QString back = m_local.filePath(u"jp-"_qs + (passive ? u'p' : u'a'));
        QDir().mkpath(back);
        // An ASCII download ends its lines in LF, whatever the server keeps.
        QVERIFY(ftp.GetFile(name, back, true));
        QCOMPARE(ReadBytes(back + u'/' + name), QByteArray(text).replace("\r\n", "\n"));
        QVERIFY(ftp.DeleteFile(name));
    }

    // Cancel at the first block: the transfer fails as cancelled, no piece
    // of a download is left, and the session goes on.
    void cancelTransfer_data() { AddServerRows("upload", "upload", "download"); }
    void cancelTransfer()
    {
        QFETCH(Kind, kind);
        QFETCH(bool, upload);
        NEED_SERVER(kind);
        FtpTestServer& server = *Server(kind);
        const QByteArray big(48 << 20, 'k');
        const QString name = upload ? u"up-big.bin"_qs : u"down-big.bin"_qs;
        const QString source = upload ? m_local.filePath(name) : server.WritableLocal() + u'/' + name;
        QVERIFY(WriteBytes(source, big));
        const QString target = m_local.filePath(u"cancelled"_qs);
        QDir().mkpath(target);

        CNorvaneFtp ftp;
        QVERIFY(Connect(ftp, kind, true));
        FtpCancelFlag cancel{false};
        ftp.SetCancelFlag(&cancel);
        ftp.SetProgress([&cancel](qint64, qint64) { cancel = true; });
        const bool done = upload ? ftp.PutFile(source, false) : ftp.GetFile(name, target, false);
        QVERIFY(!done);
        QVERIFY(ftp.Session()->WasCancelled());
        QVERIFY(QDir(target).entryList(QDir::Files).isEmpty());
        cancel = false;
        QCOMPARE(ftp.Session()->CurrentFolder(), server.WritableFolder());
        QFile::remove(server.WritableLocal() + u'/' + name);
    }

    // Servers of UTF-8 names: names go byte-exact both ways, even those
    // Shift-JIS cannot hold; listings come from MLSD where it is offered,
    // and times are kept both ways. The IPv6 row takes EPSV.
    void utf8Names_data()
    {
        QTest::addColumn<Kind>("kind");
        QTest::addColumn<QString>("address");
        QTest::newRow("pyftpdlib") << Kind::Pyftpdlib << "127.0.0.1";
        QTest::newRow("vsftpd") << Kind::Vsftpd << "127.0.0.1";
        QTest::newRow("pyftpdlib on [::1]") << Kind::Pyftpdlib << "::1";
    }
    void utf8Names()
    {
        QFETCH(Kind, kind);
        QFETCH(QString, address);
        const auto server = StartServer(kind, [&](FtpTestServer& s) {
            s.SetUtf8Names(true);
            if (kind == Kind::Pyftpdlib)
                s.SetAddress(address);
        });
        NEED(server);
        const bool pyftpdlib = kind == Kind::Pyftpdlib;
        CNorvaneFtp ftp;
        ftp.Set(server->Host(), server->User(), server->Password(), server->WritableFolder(), true);
        ftp.SetTimeoutSeconds(20);
        QVERIFY(ftp.Connect());

        const QString name = u"日本語と한글の頁.htm"_qs;
        const QString renamed = u"改名①～.htm"_qs;
        const QByteArray bytes = AllBytes();
        const QString upload = m_local.filePath(name);
        QVERIFY(WriteBytes(upload, bytes));
        const QDateTime stamp(QDate(2021, 2, 3), QTime(4, 5, 6), Qt::UTC);
        {
            QFile f(upload);
            QVERIFY(f.open(QIODevice::ReadWrite) && f.setFileTime(stamp, QFileDevice::FileModificationTime));
        }
        QVERIFY2(ftp.PutFile(upload, false), qPrintable(ftp.FailureText(u"")));
        QCOMPARE(ReadRawName(server->WritableLocal(), name.toUtf8()), bytes);

        QVERIFY(ftp.GetList());
        const CFtpEntry* entry = FindEntry(ftp, name);
        QVERIFY(entry);
        QCOMPARE(entry->size, qint64(bytes.size()));
        if (pyftpdlib) {  // MLSD and MFMT: the server's copy has the local time, to the second
            QCOMPARE(entry->time, stamp);
            QCOMPARE(entry->mode, u"-rw-r--r--"_qs);
        }

        QVERIFY(ftp.Rename(name, renamed));
        QCOMPARE(ReadRawName(server->WritableLocal(), renamed.toUtf8()), bytes);
        const QString back = m_local.filePath(u"utf8-back-"_qs + QTest::currentDataTag());
        QDir().mkpath(back);
        QVERIFY(ftp.GetFile(renamed, back, false));
        QCOMPARE(ReadBytes(back + u'/' + renamed), bytes);
        // MDTM: the copy has the server's time.
        const QDateTime serverTime = QFileInfo(server->WritableLocal() + u'/' + renamed).lastModified();
        QCOMPARE(QFileInfo(back + u'/' + renamed).lastModified().toSecsSinceEpoch(),
                 serverTime.toSecsSinceEpoch());
        QVERIFY(ftp.DeleteFile(renamed));
    }

    // A name the server's code cannot hold is refused before it is sent,
    // with a message that says so; the session goes on.
    void nameOutsideTheServersCode()
    {
        NEED_SERVER(Kind::Pyftpdlib);
        FtpTestServer& server = *Server(Kind::Pyftpdlib);
        CNorvaneFtp ftp;
        QVERIFY(Connect(ftp, Kind::Pyftpdlib, true));
        const QString upload = m_local.filePath(u"한글.htm"_qs);
        QVERIFY(WriteBytes(upload, "x"));
        QVERIFY(!ftp.PutFile(upload, false));
        QVERIFY(!ftp.MakeDir(u"한"_qs));
        const QString message = ftp.FailureText(u"エラーが発生しました");
        QVERIFY2(message.contains(u"한") && message.contains(u"Shift-JIS"), qPrintable(message));
        QVERIFY(QDir(server.WritableLocal()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries).isEmpty());
        QVERIFY(ftp.GetList());
    }

    // The server drops the connection in mid-transfer: a new session goes
    // on from where the piece ends, and the file arrives whole.
    void resumeAfterDrop_data()
    {
        QTest::addColumn<bool>("upload");
        QTest::newRow("download") << false;
        QTest::newRow("upload") << true;
    }
    void resumeAfterDrop()
    {
        QFETCH(bool, upload);
        const auto server = StartServer(Kind::Pyftpdlib, [](FtpTestServer& s) {
            s.SetUtf8Names(true);
            s.SetDropAfter(3 << 20);
        });
        NEED(server);
        QByteArray bytes;
        for (int i = 0; bytes.size() < (12 << 20); ++i)
            bytes += QByteArray::number(i) + ' ';
        const QString name = u"大きい.bin"_qs;
        const QString local = m_local.filePath(upload ? u"up-"_qs + name : name);
        const QString remote = server->WritableLocal() + u'/' + name;
        QVERIFY(WriteBytes(upload ? local : remote, bytes));
        if (upload)
            QFile::copy(local, m_local.filePath(name));  // PutFile takes the name of the local file
        const QString source = upload ? m_local.filePath(name) : QString();

        CNorvaneFtp ftp;
        ftp.Set(server->Host(), server->User(), server->Password(), u"/"_qs, true);
        ftp.SetTimeoutSeconds(20);
        QVERIFY(ftp.Connect());
        const QString folder = m_local.filePath(u"resumed"_qs);
        QDir().mkpath(folder);
        QVERIFY(!(upload ? ftp.PutFile(source, false) : ftp.GetFile(name, folder, false)));
        QVERIFY(!ftp.IsConnected());
        QCOMPARE(ftp.FailureDetail(u"エラーが発生しました"), u"エラーが発生しました\nサーバとの接続が切れました"_qs);

        // A download cut off stands beside the file, never under its name.
        QVERIFY(upload || !QFileInfo::exists(folder + u'/' + name));
        QVERIFY(ftp.Connect());
        const qint64 piece = upload ? ftp.RemoteSize(name) : QFileInfo(folder + u'/' + name + u".part"_qs).size();
        QVERIFY2(piece > 0 && piece < bytes.size(), qPrintable(QString::number(piece)));
        QVERIFY(upload ? ftp.PutFile(source, false, piece) : ftp.GetFile(name, folder, false, piece));
        QCOMPARE(ReadBytes(upload ? remote : folder + u'/' + name), bytes);
    }
    // FTPS with a certificate made for the test: refused while unknown
    // (nothing but AUTH TLS sent), refused when it is not the trusted one,
    // and once trusted, listings and byte-exact transfers on encrypted data
    // connections that resume the control's TLS session, as vsftpd demands.
    void ftps_data() { AddServerRows(); }
    void ftps()
    {
        QFETCH(Kind, kind);
        QFETCH(bool, passive);
        const QString certificate = MakeTestCertificate(m_local.path(), u"cert-"_qs + QTest::currentDataTag());
        QVERIFY(!certificate.isEmpty());
        const auto server = StartServer(kind, [&](FtpTestServer& s) {
            s.SetUtf8Names(true);
            s.SetCertificate(certificate);
        });
        NEED(server);
        const QList<QSslCertificate> pem = QSslCertificate::fromPath(certificate);
        QCOMPARE(pem.size(), 1);
        const QString fingerprint = CFtpControl::Fingerprint(pem.front());

        CFtpSet site;
        site.host = server->Host();
        site.user = server->User();
        site.password = server->Password();
        site.protocol = RemoteProtocol::Ftps;
        using Verdict = RemotePeerIdentity::Verdict;
        for (const auto& [trust, verdict] : {std::pair{QString(), Verdict::Unknown},
                                             std::pair{u"SHA256:d3JvbmcgY2VydGlmaWNhdGU"_qs, Verdict::Changed},
                                             std::pair{fingerprint, Verdict::Trusted}}) {
            CNorvaneFtp ftp;
            site.trustedFingerprint = trust;
            ftp.Set(site, server->WritableFolder(), passive);
            ftp.SetTimeoutSeconds(20);
            const bool connected = ftp.Connect();
            QCOMPARE(ftp.Session()->PeerIdentity().verdict, verdict);
            QCOMPARE(ftp.Session()->PeerIdentity().fingerprint, fingerprint);
            if (verdict != Verdict::Trusted) {
                QVERIFY(!connected);
                QVERIFY(ftp.FailureText(u"").contains(fingerprint));
                continue;
            }
            QVERIFY2(connected, qPrintable(ftp.FailureText(u"")));
            const QByteArray bytes = AllBytes();
            const QString name = u"暗号-"_qs + QTest::currentDataTag() + u".bin"_qs;
            QVERIFY(WriteBytes(m_local.filePath(name), bytes));
            QVERIFY2(ftp.PutFile(m_local.filePath(name), false), qPrintable(ftp.Session()->ErrorText()));
            QCOMPARE(ReadRawName(server->WritableLocal(), name.toUtf8()), bytes);
            QVERIFY2(ftp.GetList(), qPrintable(ftp.Session()->ErrorText()));
            QVERIFY(FindEntry(ftp, name));
            const QString back = m_local.filePath(u"tls-back-"_qs + QTest::currentDataTag());
            QDir().mkpath(back);
            QVERIFY(ftp.GetFile(name, back, false));
            QCOMPARE(ReadBytes(back + u'/' + name), bytes);
        }
    }
};

KELVO_TEST(TestFtpClient, "FtpClient");
#include "tst_FtpClient.moc"
