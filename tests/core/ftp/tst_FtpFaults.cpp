#include "FakeFtpServer.h"
#include "TestFiles.h"
#include "TestRegistry.h"

#include "core/ftp/CNorvaneFtp.h"
#include "core/ftp/SiteMirror.h"

#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTest>

#include <atomic>
#include <thread>

// Transcripts of a scripted server: each row is the server's side of one
// conversation and what the client must make of it.
namespace {

// A login whose FEAT reply lists these features ("" for a server without
// FEAT).
QStringList LoginListing(const QString& features)
{
    return {"<220 Ready", ">USER u", "<331 Password required", ">PASS p", "<230 Logged in", ">FEAT",
            features.isEmpty() ? u"<502 Not implemented"_qs : u"<211-Features:| "_qs + features + u"|211 End"_qs,
            ">PWD", "<257 \"/www\" is the current directory"};
}
const QStringList kLogin = LoginListing(QString());
// Ends a script where the client must still be in step with the server.
const QStringList kInStep = {">PWD", "<257 \"/after\" is the current directory"};
const QStringList kAborted = {">ABOR", "<226 ABOR successful", ">NOOP", "<200 NOOP ok"};
const QString kListLine = u"-rw-r--r--   1 web  web  5 Mar  5 14:07 a.htm\r\n"_qs;
constexpr int kDataSize = 300000;

} // namespace

class TestFtpFaults : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void transcript_data()
    {
        QTest::addColumn<QStringList>("script");
        QTest::addColumn<QString>("operation");
        QTest::addColumn<bool>("succeeds");
        QTest::addColumn<bool>("inStepAfter");
        QTest::addColumn<QString>("neverSent");

        const QStringList list = {">TYPE A", "<200 Type set", "PASV 127,0,0,1", ">LIST -L"};
        const QStringList get = {">TYPE I", "<200 Type set", "PASV 127,0,0,1", ">RETR /www/f.bin"};
        const QStringList put = {">TYPE I", "<200 Type set", "PASV 127,0,0,1", ">STOR /www/up.bin"};

        QTest::newRow("greeting over several lines, some looking like a reply")
            << (QStringList{"<220-Welcome|331 not the end|The server is busy|220 Ready"} + kLogin.mid(1) + kInStep)
            << "connect" << true << true << "";
        QTest::newRow("greeting dropped in the middle of a line")
            << QStringList{"<<220-Wel", "DROP"} << "connect" << false << false << "USER";
        QTest::newRow("server that never answers: time-out")
            << QStringList{"HANG"} << "connect" << false << false << "USER";
        QTest::newRow("greeting other than 220")
            << QStringList{"<421 Too many users"} << "connect" << false << false << "USER";
        QTest::newRow("USER answered 230: logged in, no password sent")
            << (QStringList{"<220 Ready", ">USER u", "<230 No password needed", ">FEAT", "<502 No", ">PWD",
                            "<257 \"/\""} + kInStep)
            << "connect" << true << true << "PASS";
        QTest::newRow("password refused")
            << QStringList{"<220 Ready", ">USER u", "<331 Password", ">PASS p", "<530 Login incorrect"}
                   + kInStep
            << "connect" << false << true << "";
        QTest::newRow("PWD without quotes: empty folder, uploads go to /")
            << (QStringList{"<220 Ready", ">USER u", "<331 Password", ">PASS p", "<230 ok", ">FEAT", "<502 No",
                            ">PWD", "<257 /home/web is current", ">TYPE I", "<200 ok", "PASV 127,0,0,1",
                            ">STOR /up.bin", "<150 go", "RECV", "<226 done"} + kInStep)
            << "put" << true << true << "";
        QTest::newRow("LIST answered 125 like 150")
            << (kLogin + list + QStringList{"<125 Data connection already open", "DATA:" + kListLine,
                                            "<226 done"} + kInStep)
            << "list" << true << true << "";
        QTest::newRow("227 with a private address: data goes to the server's address")
            << (kLogin + QStringList{">TYPE A", "<200 ok", "PASV 10,0,0,7", ">LIST -L", "<150 go",
                                     "DATA:" + kListLine, "<226 done"} + kInStep)
            << "list" << true << true << "";
        QTest::newRow("227 without a port")
            << (kLogin + QStringList{">TYPE A", "<200 ok", ">PASV", "<227 Entering Passive Mode (127,0,0,1)"}
                + kInStep)
            << "list" << false << true << "LIST";
        QTest::newRow("227 with numbers out of range")
            << (kLogin + QStringList{">TYPE A", "<200 ok", ">PASV", "<227 Entering Passive Mode (127,0,0,1,300,1)"}
                + kInStep)
            << "list" << false << true << "LIST";
        QTest::newRow("LIST with ., .. and names no file has: left out")
            << (kLogin + list + QStringList{"<150 go", u"DATA:drwxr-xr-x 2 a b 0 Mar 5 14:07 .\r\n"
                                                       "drwxr-xr-x 2 a b 0 Mar 5 14:07 ..\r\n"
                                                       "-rw-r--r-- 1 a b 5 Mar 5 14:07 ../escape.txt\r\n"
                                                       "-rw-r--r-- 1 a b 5 Mar 5 14:07 a\\b\r\n"_qs + kListLine,
                                            "<226 done"} + kInStep)
            << "list" << true << true << "";
        for (const char* refusal : {"500 EPSV not understood", "502 Command not implemented"}) {
            QTest::addRow("EPSV refused (%.3s): PASV, and no EPSV again", refusal)
                << (LoginListing(u"EPSV"_qs) + QStringList{">TYPE A", "<200 ok", ">EPSV", u"<"_qs + refusal}
                    + list.mid(2) + QStringList{"<150 go", "DATA:" + kListLine, "<226 done"} + list
                    + QStringList{"<150 go", "DATA:" + kListLine, "<226 done"} + kInStep)
                << "list twice" << true << true << "";
        }
        QTest::newRow("active mode: a stranger's connection is not the data")
            << (kLogin + QStringList{">TYPE A", "<200 ok", "PORT", ">LIST -L", "<150 go", "ACTIVE:" + kListLine,
                                     "<226 done"} + kInStep)
            << "active list" << true << true << "";
        QTest::newRow("LIST refused")
            << (kLogin + list + QStringList{"<450 No files"} + kInStep) << "list" << false << true << "";
        QTest::newRow("download complete, as large as announced")
            << (kLogin + get + QStringList{u"<150 Opening BINARY mode data connection for f.bin (%1 bytes)"_qs.arg(kDataSize),
                                           u"DATA*%1"_qs.arg(kDataSize), "<226 done"} + kInStep)
            << "get" << true << true << "";
        QTest::newRow("download shorter than announced, though the server says done")
            << (kLogin + get + QStringList{u"<150 Opening BINARY mode data connection for f.bin (%1 bytes)"_qs.arg(kDataSize),
                                           u"DATA*%1"_qs.arg(kDataSize - 1), "<226 done"} + kInStep)
            << "get" << false << true << "";
        QTest::newRow("download: connection dropped in mid-transfer")
            << (kLogin + get + QStringList{"<150 go", u"CUT*%1"_qs.arg(kDataSize / 2)})
            << "get" << false << false << "";
        QTest::newRow("download: data complete but the final reply is an error")
            << (kLogin + get + QStringList{"<150 go", u"DATA*%1"_qs.arg(kDataSize),
                                           "<451 Local error"} + kInStep)
            << "get" << false << true << "";
        QTest::newRow("download: RETR answered 125 like 150")
            << (kLogin + get + QStringList{"<125 open", u"DATA*%1"_qs.arg(kDataSize),
                                           "<226 done"} + kInStep)
            << "get" << true << true << "";
        QTest::newRow("upload complete")
            << (kLogin + put + QStringList{"<150 go", "RECV", "<226 done"} + kInStep)
            << "put" << true << true << "";
        QTest::newRow("upload: STOR answered 552")
            << (kLogin + put + QStringList{"<552 Exceeded storage allocation"} + kInStep)
            << "put" << false << true << "";
        QTest::newRow("upload: 552 after the data")
            << (kLogin + put + QStringList{"<150 go", "RECV", "<552 Exceeded storage allocation"} + kInStep)
            << "put" << false << true << "";
        QTest::newRow("RNFR refused: RNTO not sent")
            << (kLogin + QStringList{">RNFR old.htm", "<550 No such file"} + kInStep)
            << "rename" << false << true << "RNTO";
        QTest::newRow("rename accepted")
            << (kLogin + QStringList{">RNFR old.htm", "<350 Ready", ">RNTO new.htm", "<250 Renamed"}
                + kInStep)
            << "rename" << true << true << "";
        QTest::newRow("name holding CR LF: nothing sent")
            << (kLogin + kInStep) << "inject" << false << true << "DELE";
        QTest::newRow("endless reply: cut at its line cap")
            << QStringList{"FLOOD:0:220-Welcome, and more|"} << "connect" << false << false << "USER";
        QTest::newRow("endless line: cut at its size cap")
            << QStringList{"FLOOD:0:220-xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx"} << "connect" << false
            << false << "USER";
        QTest::newRow("reply that trickles: one time-out for the whole of it")
            << QStringList{"FLOOD:100:220-still greeting|"} << "connect" << false << false << "USER";
        QTest::newRow("endless listing: cut at its line cap")
            << (kLogin + list + QStringList{"<150 go", "DATA~" + kListLine} + kAborted + kInStep)
            << "list" << false << true << "";
        QTest::newRow("endless listing line: cut at its size cap")
            << (kLogin + list + QStringList{"<150 go", "DATA~xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx"} + kAborted + kInStep)
            << "list" << false << true << "";
        QTest::newRow("QUIT never answered: not waited for long")
            << (kLogin + QStringList{">QUIT", "HANG"}) << "quit" << true << false << "";
        QTest::newRow("reply 421: the server closes the connection")
            << (kLogin + QStringList{">RNFR old.htm", "<421 Timeout"}) << "rename" << false << false << "RNTO";
    }
    void transcript()
    {
        QFETCH(QStringList, script);
        QFETCH(QString, operation);
        QFETCH(bool, succeeds);
        QFETCH(bool, inStepAfter);
        QFETCH(QString, neverSent);

        QTemporaryDir local;
        const QString existing = local.filePath(u"f.bin"_qs);
        QVERIFY(WriteBytes(existing, "an earlier good copy"));
        const QByteArray upload = FakeFtpServer::Pattern(kDataSize);
        const QString uploadPath = local.filePath(u"up.bin"_qs);
        QVERIFY(WriteBytes(uploadPath, upload));

        FakeFtpServer server(script);
        bool result = false;
        QElapsedTimer clock;
        clock.start();
        {
            CNorvaneFtp ftp;
            ftp.Set(u"127.0.0.1:%1"_qs.arg(server.Port()), u"u"_qs, u"p"_qs, QString(),
                    !operation.startsWith(u"active"));
            // Rows about time-outs get a short one; the others get room for a
            // busy machine.
            const bool waits = operation == u"connect" && (script.contains("HANG") || script[0].startsWith(u"FLOOD"));
            ftp.SetTimeoutSeconds(waits ? 1 : 20);
            result = ftp.Connect();
            if (operation != u"connect") {
                QVERIFY(result);
                if (operation.endsWith(u"list") || operation == u"list twice") {
                    result = ftp.GetList() && (operation != u"list twice" || ftp.GetList());
                    QCOMPARE(ftp.Entries().size(), size_t(result ? 1 : 0));
                } else if (operation == u"get") {
                    result = ftp.GetFile(u"f.bin"_qs, local.path(), false);
                    // A failed download leaves the earlier copy as it was,
                    // and what arrived beside it for the next one.
                    QCOMPARE(ReadBytes(existing), result ? FakeFtpServer::Pattern(kDataSize)
                                                         : QByteArray("an earlier good copy"));
                    const QString piece = existing + u".part"_qs;
                    QCOMPARE(QFileInfo::exists(piece), !result);
                    QVERIFY(FakeFtpServer::Pattern(kDataSize).startsWith(ReadBytes(piece)));
                } else if (operation == u"put") {
                    result = ftp.PutFile(uploadPath, false);
                } else if (operation == u"rename") {
                    result = ftp.Rename(u"old.htm"_qs, u"new.htm"_qs);
                } else if (operation == u"quit") {
                    ftp.Disconnect();
                    result = clock.elapsed() < 10000;
                } else {  // a name holding a second command
                    result = ftp.DeleteFile(u"a.htm\r\nDELE index.htm"_qs);
                }
            }
            QCOMPARE(result, succeeds);
            if (inStepAfter)
                QCOMPARE(ftp.Session()->CurrentFolder(), u"/after"_qs);
            else
                QVERIFY(!ftp.IsConnected());
        }
        // Nothing waits for the 20 s time-out, and nothing runs on with a
        // server that never stops.
        QVERIFY2(clock.elapsed() < 19000, qPrintable(QString::number(clock.elapsed())));
        if (operation == u"put" && succeeds)
            QCOMPARE(server.Received(), upload);
        for (const QString& command : server.Commands())
            QVERIFY2(neverSent.isEmpty() || !command.startsWith(neverSent), qPrintable(command));
        QCOMPARE(server.Problem(), QString());
    }

    // A machine listing naming the parent, paths and separators: publishing
    // with removal plans nothing outside the folder, and tells how many
    // names it left out.
    void madeUpNamesNotActedOn()
    {
        const QString listing = u"type=cdir;modify=20240101000000; /www\r\n"
                                "type=dir;modify=20240101000000; ..\r\n"
                                "type=file;size=5;modify=20240101000000; ../escape.txt\r\n"
                                "type=file;size=5;modify=20240101000000; /etc/evil\r\n"
                                "type=dir;modify=20240101000000; a/b\r\n"
                                "type=file;size=1;modify=20240101000000; a\\b\r\n"
                                "type=file;size=1;modify=20240101000000; nul"_qs
            + QChar(0) + u"\r\ntype=file;size=5;modify=20240101000000; keep.htm\r\n"_qs;
        FakeFtpServer server(LoginListing(u"MLST type*;size*;modify*;"_qs).mid(0, 7)
                             + QStringList{">PWD", "<257 \"/www\"", ">CWD /www", "<250 ok", ">TYPE A", "<200 ok",
                                           "PASV 127,0,0,1", ">MLSD", "<150 go", "DATA:" + listing, "<226 done",
                                           ">TYPE A", "<200 ok", "PASV 127,0,0,1", ">LIST", "<150 go",
                                           "DATA:" + kListLine, "<226 done", ">CWD /www", "<250 ok"});
        auto session = MakeRemoteSession(RemoteProtocol::Ftp);
        RemoteEndpoint endpoint;
        endpoint.host = u"127.0.0.1"_qs;
        endpoint.port = server.Port();
        endpoint.user = u"u"_qs;
        endpoint.password = u"p"_qs;
        QVERIFY(session->Open(endpoint));
        QTemporaryDir empty;
        SiteMirror mirror(*session);
        MirrorPlan plan;
        QVERIFY2(mirror.Plan(empty.path(), QString(), true, plan), qPrintable(mirror.ErrorText()));
        QCOMPARE(plan.actions.size(), size_t(1));
        QCOMPARE(plan.actions[0].Line(), u"rm keep.htm"_qs);
        QCOMPARE(plan.notes, QStringList{u"サーバの /www にあったファイル名として使えない名前 5 件は無視しました"_qs});
        session.reset();
        QCOMPARE(server.Problem(), QString());
    }

    // Cancel from another thread while the server keeps sending: the call
    // returns long before any time-out, the control connection is brought
    // back in step, and no piece of the file is left.
    void cancelDuringDownload()
    {
        FakeFtpServer server(kLogin + QStringList{">TYPE I", "<200 ok", "PASV 127,0,0,1",
                                                  ">RETR /www/f.bin", "<150 go", "TRICKLE", ">ABOR",
                                                  "<426 Transfer aborted", "<226 ABOR successful",
                                                  ">NOOP", "<200 ok"} + kInStep);
        QTemporaryDir local;
        FtpCancelFlag cancel{false};
        qint64 seen = 0;
        CNorvaneFtp ftp;
        ftp.Set(u"127.0.0.1:%1"_qs.arg(server.Port()), u"u"_qs, u"p"_qs, QString(), true);
        ftp.SetTimeoutSeconds(60);
        ftp.SetCancelFlag(&cancel);
        ftp.SetProgress([&seen](qint64 done, qint64 total) {
            seen = done;
            QCOMPARE(total, qint64(-1));
        });
        QVERIFY(ftp.Connect());
        std::thread canceller([&cancel] {
            std::this_thread::sleep_for(std::chrono::milliseconds(300));
            cancel = true;
        });
        QElapsedTimer clock;
        clock.start();
        const bool result = ftp.GetFile(u"f.bin"_qs, local.path(), false);
        const qint64 elapsed = clock.elapsed();
        canceller.join();
        QVERIFY(!result);
        QVERIFY(ftp.Session()->WasCancelled());
        QVERIFY(seen > 0);
        QVERIFY2(elapsed < 30000, "returned on the cancel, not on a time-out");
        QVERIFY(QDir(local.path()).entryList(QDir::Files).isEmpty());
        cancel = false;
        QCOMPARE(ftp.Session()->CurrentFolder(), u"/after"_qs);
    }
};

KELVO_TEST(TestFtpFaults, "FtpFaults");
#include "tst_FtpFaults.moc"
