#include "FtpServers.h"
#include "TestFiles.h"
#include "TestRegistry.h"

#include "core/ftp/CNorvaneFtp.h"
#include "platform/Cp932.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <fstream>
#include <memory>

// The client against real servers on 127.0.0.1.
namespace {

using Kind = FtpTestServer::Kind;

bool InCi()
{
    return qEnvironmentVariable("CI") == u"true";
}

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

#define NEED_SERVER(kind)                                                          \
    if (!Server(kind)) {                                                           \
        if (InCi())                                                                \
            QFAIL("the FTP server could not be started");                         \
        QSKIP("the FTP server program is not installed here");                    \
    }

class TestFtpClient : public QObject {
    Q_OBJECT

    std::unique_ptr<FtpTestServer> m_servers[2];
    QTemporaryDir m_local;

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
            if (FtpTestServer::Missing(kind) && !InCi())
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
};

KELVO_TEST(TestFtpClient, "FtpClient");
#include "tst_FtpClient.moc"
