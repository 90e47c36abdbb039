#include "FakeFtpServer.h"
#include "FtpServers.h"
#include "FtpWindowFixture.h"
#include "TestFiles.h"
#include "TestRegistry.h"

#include "core/app/FormModel.h"
#include "core/app/TaskRunner.h"
#include "core/ftp/CFileList.h"
#include "core/ftp/CFtpControl.h"
#include "core/ftp/CFtpSetList.h"
#include "core/ftp/CFtpWnd.h"
#include "core/ftp/CNorvaneFtp.h"
#include "core/ftp/FtpWindowCommands.h"
#include "core/doc/CKelvoDoc.h"
#include "platform/FileAccess.h"

#include <QDir>
#include <QFile>
#include <QSslCertificate>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

#include <sys/stat.h>

namespace {

void Touch(const QString& path, const QByteArray& bytes = "x")
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

QStringList Names(const CFileList& list)
{
    QStringList names;
    for (const CFileObj& o : list.Rows())
        names << (o.isFolder ? u'[' + o.FullName() + u']' : o.FullName());
    return names;
}

QStringList ServerNames(const CFtpWnd& wnd)
{
    QStringList names;
    for (int r = 0; r < int(wnd.ServerRows().size()); ++r)
        names << wnd.ServerRowTexts(r).first();
    return names;
}

} // namespace

class FtpWindowTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void localListSortsFoldersFirst_data();
    void localListSortsFoldersFirst();
    void localListClimbs();
    void namesThatAreNotUtf8();
    void modeFormKeepsDigitsAndBoxesInStep();
    void copies_data();
    void copies();
    void serverFolders();
    void enterKeepsFiles_data();
    void enterKeepsFiles();
    void attributes();
    void uploadDocument_data();
    void uploadDocument();
    void cancelUpload();
    void uploadOverTls();
    void cancelledCopyKeepsTheSession();
    void lostConnectionOffersReconnect();
    void openWindow();
};

void FtpWindowTest::localListSortsFoldersFirst_data()
{
    QTest::addColumn<int>("column");
    QTest::addColumn<bool>("descending");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("name") << 0 << false << QStringList{"[..]", "[b]", "[Z]", "a.TXT", "B.htm", "c.gif"};
    QTest::newRow("name descending keeps folders first")
        << 0 << true << QStringList{"[Z]", "[b]", "[..]", "c.gif", "B.htm", "a.TXT"};
    QTest::newRow("size") << 2 << false << QStringList{"[..]", "[b]", "[Z]", "B.htm", "c.gif", "a.TXT"};
    QTest::newRow("extension, then name")
        << 3 << false << QStringList{"[..]", "[b]", "[Z]", "c.gif", "B.htm", "a.TXT"};
}

void FtpWindowTest::localListSortsFoldersFirst()
{
    QFETCH(int, column);
    QFETCH(bool, descending);
    QFETCH(QStringList, expected);
    QTemporaryDir dir;
    Touch(dir.filePath("a.TXT"), QByteArray(3000, 'a'));
    Touch(dir.filePath("B.htm"), "b");
    Touch(dir.filePath("c.gif"), "cc");
    QDir(dir.path()).mkdir("Z");
    QDir(dir.path()).mkdir("b");
    // Neither a hidden file nor a pipe is listed.
    Touch(dir.filePath(".hidden"));
    QCOMPARE(mkfifo(QFile::encodeName(dir.filePath("pipe")).constData(), 0600), 0);
    CFileList list;
    list.SetSort(column, descending);
    QVERIFY(list.Fill(dir.path(), QStringLiteral("B.htm")));
    QCOMPARE(Names(list), expected);
    QCOMPARE(list.Rows()[list.FocusedRow()].FullName(), QStringLiteral("B.htm"));
    const int a = list.FindRow(QStringLiteral("a.TXT"));
    QCOMPARE(list.RowTexts(a).at(2), QStringLiteral("3,000"));
    QCOMPARE(list.RowTexts(list.FindRow("Z")).at(2), QStringLiteral("        "));
    QVERIFY(QRegularExpression("^\\d{4}/\\d\\d/\\d\\d \\d\\d:\\d\\d$").match(list.RowTexts(a).at(1)).hasMatch());
}

void FtpWindowTest::localListClimbs()
{
    QTemporaryDir dir;
    QDir(dir.path()).mkpath("site/img");
    CFileList list;
    list.Fill(dir.filePath("site/img"));
    QVERIFY(list.OpenRow(list.FindRow("..")));
    QCOMPARE(list.Folder(), dir.filePath("site"));
    QCOMPARE(list.Rows()[list.FocusedRow()].FullName(), QStringLiteral("img"));
    QVERIFY(list.OpenRow(list.FindRow("img")));
    QCOMPARE(list.Folder(), dir.filePath("site/img"));

    // A folder directly under the root: ".." lists the root, 上へ gives the
    // empty folder text, which lists the root as well.
    list.Fill(QStringLiteral("/tmp"));
    list.OpenRow(list.FindRow(".."));
    QCOMPARE(list.Folder(), QStringLiteral("/"));
    QCOMPARE(list.Rows()[list.FocusedRow()].FullName(), QStringLiteral("tmp"));
    list.Fill(QStringLiteral("/tmp"));
    list.Up();
    QCOMPARE(list.Folder(), QString());
    QVERIFY(list.FindRow("tmp") >= 0);
    list.Up();  // no "/" left: nothing happens
    QCOMPARE(list.Folder(), QString());
}

// A local folder and page with CP932 names from a Windows archive: shown as
// they read, entered, the page sent under that name, and a download kept
// in the folder itself.
void FtpWindowTest::namesThatAreNotUtf8()
{
    FtpWindowFixture fx;
    START_FTP_WINDOW(fx, std::make_unique<InlineTaskRunner>());
    const QString folder = platform::DecodePath(platform::EncodePath(fx.LocalPath("x")).chopped(1) + "\x95\x5c");
    const QString page = platform::DecodePath("\x93\xfa\x96\x7b.htm");
    QVERIFY(platform::MakeFolders(folder));
    QVERIFY(platform::WriteFileSafely(folder + u'/' + page, "<P>") == platform::FileError::None);
    Touch(fx.ServerPath("s1.txt"), "one");
    CFileList& local = fx.wnd->Local();
    local.Refill();
    QVERIFY(fx.wnd->RefillServer());
    const int row = local.FindRow(platform::NameOfPath(folder));
    QVERIFY(row >= 0);
    QCOMPARE(local.RowTexts(row).first(), QStringLiteral("[表]"));
    QVERIFY(local.OpenRow(row));
    QCOMPARE(local.RowTexts(local.FindRow(page)).first(), QStringLiteral("日本.htm"));
    fx.wnd->Upload({local.FindRow(page)});
    fx.wnd->Download({fx.wnd->FindServerRow(QStringLiteral("s1.txt"))});
    QCOMPARE(fx.ui.Texts("message"), QStringList{});
    QCOMPARE(ReadBytes(fx.ServerPath(QStringLiteral("日本.htm"))), QByteArray("<P>"));
    QCOMPARE(platform::ReadRegularFile(folder + QStringLiteral("/s1.txt"), 100).bytes, QByteArray("one"));
}

void FtpWindowTest::modeFormKeepsDigitsAndBoxesInStep()
{
    FormModel form;
    CFtpWnd::BuildModeForm(form, 6, 4, 0);
    QCOMPARE(CFtpWnd::ModeDigitsText(form), QStringLiteral("640"));
    QVERIFY(form.SetFromText("mode22", "1"));  // others: execute
    QCOMPARE(CFtpWnd::ModeDigitsText(form), QStringLiteral("641"));
    QVERIFY(form.SetFromText("mode01", "0"));  // owner: no write
    QCOMPARE(CFtpWnd::ModeDigitsText(form), QStringLiteral("441"));
    QVERIFY(form.SetFromText("グループ", "7"));
    QVERIFY(form["mode10"].checked && form["mode11"].checked && form["mode12"].checked);
    QVERIFY(form.SetFromText("グループ", "8"));
    QVERIFY(!form.Validate().isEmpty());
}

// Copies in both directions: which files arrive, which messages show.
void FtpWindowTest::copies_data()
{
    QTest::addColumn<bool>("upload");
    QTest::addColumn<QStringList>("chosen");
    QTest::addColumn<QString>("vanish");  // removed from its side after the lists were read
    QTest::addColumn<QStringList>("answers");
    QTest::addColumn<QStringList>("arrived");
    QTest::addColumn<QStringList>("messages");
    QTest::newRow("three files up") << true << QStringList{"a.htm", "b.htm", "c.htm"} << QString()
                                    << QStringList{} << QStringList{"a.htm", "b.htm", "c.htm"} << QStringList{};
    QTest::newRow("the second upload fails: the third is not tried")
        << true << QStringList{"a.htm", "b.htm", "c.htm"} << "b.htm" << QStringList{}
        << QStringList{"a.htm"} << QStringList{"エラーが発生しました\nファイルを読めませんでした: LOCAL/b.htm (No such file or directory)"};
    QTest::newRow("a folder among the files is skipped once")
        << true << QStringList{"a.htm", "sub", "c.htm"} << QString() << QStringList{}
        << QStringList{"a.htm", "c.htm"} << QStringList{"ディレクトリはコピーできません"};
    QTest::newRow("newer file on the server: skipped")
        << true << QStringList{"new.htm", "a.htm"} << QString() << QStringList{"スキップ"}
        << QStringList{"a.htm"} << QStringList{};
    QTest::newRow("newer file on the server: cancel copies nothing")
        << true << QStringList{"a.htm", "new.htm"} << QString() << QStringList{"cancel"}
        << QStringList{} << QStringList{};
    QTest::newRow("newer file on the server: overwritten")
        << true << QStringList{"new.htm"} << QString() << QStringList{"上書き"}
        << QStringList{"new.htm"} << QStringList{};
    QTest::newRow("shorter file on the server: continued")
        << true << QStringList{"part.bin"} << QString() << QStringList{"続きから"}
        << QStringList{"part.bin"} << QStringList{};
    QTest::newRow("shorter local files: continued, the answer kept for the rest")
        << false << QStringList{"part.bin", "s3.bin"} << QString() << QStringList{"続きから+"}
        << QStringList{"part.bin", "s3.bin"} << QStringList{};
    QTest::newRow("two files down") << false << QStringList{"s1.txt", "s2.txt"} << QString()
                                    << QStringList{} << QStringList{"s1.txt", "s2.txt"} << QStringList{};
    QTest::newRow("a server folder is not downloaded")
        << false << QStringList{"pub", "s1.txt"} << QString() << QStringList{}
        << QStringList{"s1.txt"} << QStringList{"ディレクトリは転送できません"};
    QTest::newRow("a failed download stops the rest")
        << false << QStringList{"s1.txt", "s2.txt"} << "s1.txt" << QStringList{}
        << QStringList{} << QStringList{"エラーが発生しました\n550 No such file or directory."};
}

void FtpWindowTest::copies()
{
    QFETCH(bool, upload);
    QFETCH(QStringList, chosen);
    QFETCH(QString, vanish);
    QFETCH(QStringList, answers);
    QFETCH(QStringList, arrived);
    QFETCH(QStringList, messages);

    FtpWindowFixture fx;
    START_FTP_WINDOW(fx, std::make_unique<InlineTaskRunner>());
    for (const char* name : {"a.htm", "b.htm", "c.htm"})
        Touch(fx.LocalPath(name), QByteArray("<P>") + name);
    QDir().mkpath(fx.LocalPath("sub"));
    Touch(fx.LocalPath("new.htm"), "local");
    Touch(fx.ServerPath("new.htm"), "server");
    // The server's copy is a day newer.
    {
        QFile f(fx.ServerPath("new.htm"));
        f.open(QIODevice::ReadWrite);
        f.setFileTime(QDateTime::currentDateTime().addDays(1), QFileDevice::FileModificationTime);
    }
    Touch(fx.ServerPath("s1.txt"), "one");
    Touch(fx.ServerPath("s2.txt"), "two");
    QDir().mkpath(fx.ServerPath("pub"));
    // Shorter copies of part.bin and s3.bin on the other side, as an
    // interrupted transfer leaves them.
    Touch(upload ? fx.LocalPath("part.bin") : fx.ServerPath("part.bin"), "0123456789");
    Touch(upload ? fx.ServerPath("part.bin") : fx.LocalPath("part.bin"), "0123");
    Touch(fx.ServerPath("s3.bin"), "abcdefgh");
    Touch(fx.LocalPath("s3.bin"), "abc");
    fx.wnd->Local().Refill();
    QVERIFY(fx.wnd->RefillServer());

    std::vector<int> rows;
    for (const QString& name : chosen)
        rows.push_back(upload ? fx.wnd->Local().FindRow(name) : fx.wnd->FindServerRow(name));
    for (QString a : answers) {
        if (a == u"cancel") {
            fx.ui.QueueAnswer(Ui::Answer::Cancel);
            continue;
        }
        if (a.endsWith(u'+')) {
            a.chop(1);
            fx.ui.QueueField(QStringLiteral("ForRest"), QStringLiteral("1"));
        }
        fx.ui.QueueField(QStringLiteral("処理"), a);
    }
    if (!vanish.isEmpty())
        QFile::remove(upload ? fx.LocalPath(vanish) : fx.ServerPath(vanish));
    const QStringList before = QDir(upload ? fx.server.WritableLocal() : fx.LocalPath(QString())).entryList(QDir::Files);

    if (upload)
        fx.wnd->Upload(rows);
    else
        fx.wnd->Download(rows);

    QCOMPARE(fx.ui.Texts("message"), messages.replaceInStrings(u"LOCAL/"_qs, fx.LocalPath(QString())));
    QCOMPARE(fx.ui.Texts("form").size(), answers.size());
    for (const QString& name : chosen) {
        const QString from = upload ? fx.LocalPath(name) : fx.ServerPath(name);
        const QString to = upload ? fx.ServerPath(name) : fx.LocalPath(name);
        if (arrived.contains(name))
            QCOMPARE(ReadBytes(to), ReadBytes(from));
        else if (!before.contains(name))
            QVERIFY2(!QFileInfo::exists(to), qPrintable(name));
    }
    if (!upload && !vanish.isEmpty())
        QVERIFY(!QFileInfo::exists(fx.LocalPath("s2.txt")));
}

void FtpWindowTest::serverFolders()
{
    FtpWindowFixture fx;
    START_FTP_WINDOW(fx, std::make_unique<InlineTaskRunner>());
    fx.ui.QueueInput(QStringLiteral("docs"));
    fx.wnd->SetActiveSide(CFtpWnd::Side::Server);
    fx.wnd->Create();
    QVERIFY(QFileInfo(fx.ServerPath("docs")).isDir());
    QCOMPARE(fx.wnd->ServerRows()[fx.wnd->ServerFocusedRow()].name, QStringLiteral("docs"));

    fx.wnd->OpenServerRow(fx.wnd->FindServerRow("docs"));
    QVERIFY(fx.wnd->ServerFolderText().endsWith(u"/docs"));
    QCOMPARE(ServerNames(*fx.wnd), QStringList{"[..]"});
    fx.wnd->OpenServerRow(fx.wnd->FindServerRow(".."));
    QVERIFY(!fx.wnd->ServerFolderText().endsWith(u"/docs"));
    QCOMPARE(fx.wnd->ServerRows()[fx.wnd->ServerFocusedRow()].name, QStringLiteral("docs"));

    fx.wnd->SetServerFocusedRow(fx.wnd->FindServerRow("docs"));
    fx.ui.QueueInput(QStringLiteral("資料"));
    fx.wnd->Rename();
    QCOMPARE(fx.wnd->ServerRows()[fx.wnd->ServerFocusedRow()].name, QStringLiteral("資料"));

    fx.ui.QueueAnswer(Ui::Answer::Cancel);
    fx.wnd->Delete({fx.wnd->FindServerRow("資料")});
    QVERIFY(fx.wnd->FindServerRow("資料") >= 0);
    fx.ui.QueueAnswer(Ui::Answer::Ok);
    fx.wnd->Delete({fx.wnd->FindServerRow("資料")});
    QCOMPARE(fx.wnd->FindServerRow("資料"), -1);
    QCOMPARE(fx.ui.Texts("question"),
             (QStringList{"サーバのファイルを削除しますか？", "サーバのファイルを削除しますか？"}));

    // The local side answers the same buttons with its own prompts.
    fx.wnd->SetActiveSide(CFtpWnd::Side::Local);
    fx.ui.QueueInput(QStringLiteral("img"));
    fx.wnd->Create();
    QVERIFY(QFileInfo(fx.LocalPath("img")).isDir());
    QCOMPARE(fx.ui.Texts("input").last(), QStringLiteral("ローカルに作成するディレクトリ名："));
}

// Enter pressed by reflex on a question before something that cannot be
// undone keeps every file as it was.
void FtpWindowTest::enterKeepsFiles_data()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<bool>("serverNewer");  // else the local copy is
    QTest::newRow("deleting a server file") << "delete server" << false;
    QTest::newRow("deleting a local file") << "delete local" << false;
    QTest::newRow("uploading over a newer server file") << "upload" << true;
    QTest::newRow("downloading over a newer local file") << "download" << false;
}

void FtpWindowTest::enterKeepsFiles()
{
    QFETCH(QString, action);
    QFETCH(bool, serverNewer);
    FtpWindowFixture fx;
    START_FTP_WINDOW(fx, std::make_unique<InlineTaskRunner>());
    // Of one size: a shorter copy would be continued, not replaced.
    Touch(fx.LocalPath("page.htm"), "local!");
    Touch(fx.ServerPath("page.htm"), "server");
    {
        QFile f(serverNewer ? fx.ServerPath("page.htm") : fx.LocalPath("page.htm"));
        QVERIFY(f.open(QIODevice::ReadWrite));
        f.setFileTime(QDateTime::currentDateTime().addDays(1), QFileDevice::FileModificationTime);
    }
    fx.wnd->Local().Refill();
    QVERIFY(fx.wnd->RefillServer());
    const int local = fx.wnd->Local().FindRow("page.htm");
    const int server = fx.wnd->FindServerRow("page.htm");
    fx.ui.QueueEnter();
    if (action == u"upload") {
        fx.wnd->Upload({local});
    } else if (action == u"download") {
        fx.wnd->Download({server});
    } else {
        const bool onServer = action.endsWith(u"server");
        fx.wnd->SetActiveSide(onServer ? CFtpWnd::Side::Server : CFtpWnd::Side::Local);
        fx.wnd->Delete({onServer ? server : local});
    }
    QCOMPARE(int(fx.ui.Texts("question").size() + fx.ui.Texts("form").size()), 1);
    QCOMPARE(ReadBytes(fx.LocalPath("page.htm")), QByteArray("local!"));
    QCOMPARE(ReadBytes(fx.ServerPath("page.htm")), QByteArray("server"));
}

void FtpWindowTest::attributes()
{
    FtpWindowFixture fx;
    START_FTP_WINDOW(fx, std::make_unique<InlineTaskRunner>());
    Touch(fx.ServerPath("page.htm"));
    QFile::setPermissions(fx.ServerPath("page.htm"), QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    QVERIFY(fx.wnd->RefillServer(QStringLiteral("page.htm")));
    fx.ui.QueueField(QStringLiteral("グループ"), QStringLiteral("4"));
    fx.ui.QueueField(QStringLiteral("mode20"), QStringLiteral("1"));
    fx.wnd->Attributes();
    QCOMPARE(fx.ui.LastForm()->title, QStringLiteral("属性の変更"));
    const int row = fx.wnd->ServerFocusedRow();
    QCOMPARE(fx.wnd->ServerRows()[row].name, QStringLiteral("page.htm"));
    QCOMPARE(fx.wnd->ServerRows()[row].mode, QStringLiteral("-rw-r--r--"));
    fx.wnd->SetActiveSide(CFtpWnd::Side::Local);
    QVERIFY(!fx.wnd->AttributesEnabled());

    // A DOS-style listing has no mode texts: 属性 is refused.
    FakeFtpServer dos({"<220 Ready", ">USER u", "<331 Password required", ">PASS p", "<230 Logged in",
                       ">FEAT", "<502 No", ">PWD", "<257 \"/www\" is the current directory", ">TYPE A", "<200 Type set",
                       "PASV 127,0,0,1", ">LIST -L", "<150 ok",
                       "DATA:03-05-07  02:07PM                 5 a.htm\r\n", "<226 done"});
    CNorvaneFtp client;
    client.Set(QStringLiteral("127.0.0.1:%1").arg(dos.Port()), "u", "p", QString(), true);
    QVERIFY(client.Connect());
    ScriptedUi ui;
    CFtpWnd wnd(ui, fx.settings, fx.Runner(), client);
    QVERIFY(wnd.RefillServer(QStringLiteral("a.htm")));
    wnd.Attributes();
    QCOMPARE(ui.Texts("message"), QStringList{"このサーバでは属性変更が出来ません"});
    QVERIFY(ui.Texts("form").isEmpty());
}

// The one-step upload of the document, through the command.
void FtpWindowTest::uploadDocument_data()
{
    QTest::addColumn<QString>("folder");      // upload folder typed in the dialog
    QTest::addColumn<bool>("close");          // 閉じる instead of 転送開始
    QTest::addColumn<QString>("arrivesIn");   // server folder the page lands in, "-" for none
    QTest::addColumn<QString>("shownFolder"); // status line 2 after the host
    QTest::addColumn<QStringList>("messages");
    QTest::newRow("empty folder: the login folder") << "" << false << "" << "/"
                                                    << QStringList{"ftpを終了しました"};
    QTest::newRow("folder without slashes") << "www" << false << "www" << "/www/"
                                            << QStringList{"ftpを終了しました"};
    QTest::newRow("absolute folder") << "/www/" << false << "www" << "/www/"
                                     << QStringList{"ftpを終了しました"};
    QTest::newRow("a refused folder uploads nothing")
        << "missing" << false << "-" << "" << QStringList{"エラー：ftp接続に失敗しました\n550 No such file or directory."};
    QTest::newRow("閉じる still leaves the document saved") << "www" << true << "-" << ""
                                                           << QStringList{};
}

void FtpWindowTest::uploadDocument()
{
    QFETCH(QString, folder);
    QFETCH(bool, close);
    QFETCH(QString, arrivesIn);
    QFETCH(QString, shownFolder);
    QFETCH(QStringList, messages);
    FtpTestServer server(FtpTestServer::Kind::Pyftpdlib);
    if (FtpWindowFixture::ServerMissing())
        QSKIP("pyftpdlib is not installed here");
    QCOMPARE(server.Start(), QString());
    QDir().mkpath(server.WritableLocal() + QStringLiteral("/www"));

    TestEditor t;
    const QString path = t.MakeFile(QStringLiteral("page.htm"), "<P>old</P>\r\n");
    QVERIFY(t.App().OpenDocumentFile(path));
    t.SetText(QStringLiteral("<P>新しい</P>\r\n"));
    t.Buffer().SetModified(true);
    t.Ui().QueueField(QStringLiteral("サーバ"), server.Host());
    t.Ui().QueueField(QStringLiteral("ユーザ"), server.User());
    t.Ui().QueueField(QStringLiteral("パスワード"), server.Password());
    t.Ui().QueueField(QStringLiteral("ディレクトリ"), folder);
    // Binary, so the page arrives byte for byte (ASCII makes CR LF into the
    // server's LF).
    t.Ui().QueueField(QStringLiteral("ASCIIモード"), QStringLiteral("0"));
    if (close)
        t.Ui().QueueAnswer(Ui::Answer::Cancel);
    QVERIFY(t.Run(cmd::FtpUpload));

    QCOMPARE(t.Ui().Texts("message"), messages);
    QVERIFY(!t.Doc().IsModified());
    const QByteArray saved = ReadBytes(path);
    QVERIFY(saved.contains("<P>"));
    const QString target = server.WritableLocal() + (arrivesIn.isEmpty() ? QString() : u'/' + arrivesIn)
        + QStringLiteral("/page.htm");
    if (arrivesIn == u"-") {
        QVERIFY(!QFileInfo::exists(server.WritableLocal() + QStringLiteral("/page.htm")));
        QVERIFY(!QFileInfo::exists(server.WritableLocal() + QStringLiteral("/www/page.htm")));
    } else {
        QCOMPARE(ReadBytes(target), saved);
        // Before it writes, the status names the file as it will stand on
        // the server.
        const QStringList status = t.Ui().Texts("status");
        QCOMPARE(status.last(), path + QStringLiteral(" | ") + server.Host() + shownFolder + QStringLiteral("page.htm"));
        QCOMPARE(status.first(), QStringLiteral("接続中 | ") + server.Host());
    }
}

// Cancel during the one-step upload: no error, no half page on the server.
void FtpWindowTest::cancelUpload()
{
    FtpTestServer server(FtpTestServer::Kind::Pyftpdlib);
    if (FtpWindowFixture::ServerMissing())
        QSKIP("pyftpdlib is not installed here");
    QCOMPARE(server.Start(), QString());
    TestEditor t;
    const QString path = t.MakeFile(QStringLiteral("big.htm"), "<P>old</P>\r\n");
    QVERIFY(t.App().OpenDocumentFile(path));
    t.SetText(QStringLiteral("<P>長い段落です。</P>\r\n").repeated(200000));
    t.Ui().QueueField(QStringLiteral("サーバ"), server.Host());
    t.Ui().QueueField(QStringLiteral("ユーザ"), server.User());
    t.Ui().QueueField(QStringLiteral("パスワード"), server.Password());
    t.Ui().cancelAfterBytes = 256 * 1024;
    QVERIFY(t.Run(cmd::FtpUpload));
    QCOMPARE(t.Ui().Texts("message"), QStringList{"ftpを終了しました"});
    QVERIFY(ReadBytes(path).size() > 4 * 1024 * 1024);
    QTRY_VERIFY(!QFileInfo::exists(server.WritableLocal() + QStringLiteral("/big.htm")));
}

// The one-step upload to an FTPS site whose certificate does not verify:
// the user sees it and trusts it once or always; a site that later shows
// another certificate is refused with a warning.
void FtpWindowTest::uploadOverTls()
{
    if (FtpWindowFixture::ServerMissing())
        QSKIP("pyftpdlib is not installed here");
    QTemporaryDir dir;
    TestEditor t;
    const QString path = t.MakeFile(QStringLiteral("page.htm"), "<P>暗号</P>\r\n");
    QVERIFY(t.App().OpenDocumentFile(path));
    const QString site = CFtpSetList::kDefaultName;
    struct Step {
        const char* certificate;
        Ui::Answer answer;  // to the question about the certificate; Ok: none is asked
        bool arrives;
        bool saved;  // the site keeps the fingerprint
    };
    const Step steps[] = {
        {"first", Ui::Answer::Cancel, false, false},
        {"first", Ui::Answer::Yes, true, false},
        {"first", Ui::Answer::All, true, true},
        {"first", Ui::Answer::Ok, true, true},
        {"second", Ui::Answer::Ok, false, true},
    };
    for (const Step& step : steps) {
        const QString certificate = QFile::exists(dir.filePath(step.certificate + u".pem"_qs))
            ? dir.filePath(step.certificate + u".pem"_qs)
            : MakeTestCertificate(dir.path(), QString::fromLatin1(step.certificate));
        FtpTestServer server(FtpTestServer::Kind::Pyftpdlib);
        server.SetCertificate(certificate);
        QCOMPARE(server.Start(), QString());
        t.Ui().QueueField(QStringLiteral("サーバ"), server.Host());
        t.Ui().QueueField(QStringLiteral("ユーザ"), server.User());
        t.Ui().QueueField(QStringLiteral("パスワード"), server.Password());
        t.Ui().QueueField(QStringLiteral("プロトコル"), QStringLiteral("FTPS"));
        t.Ui().QueueField(QStringLiteral("ASCIIモード"), QStringLiteral("0"));
        t.Ui().QueueAnswer(Ui::Answer::Ok);  // the upload dialog
        if (step.answer != Ui::Answer::Ok)
            t.Ui().QueueAnswer(step.answer);
        const qsizetype before = t.Ui().Texts("question").size();
        QVERIFY(t.Run(cmd::FtpUpload));
        const QString fingerprint = CFtpControl::Fingerprint(QSslCertificate::fromPath(certificate).value(0));
        const QStringList questions = t.Ui().Texts("question").mid(before);
        QCOMPARE(questions.size(), step.answer == Ui::Answer::Ok ? 0 : 1);
        if (!questions.isEmpty())
            QVERIFY2(questions.front().contains(fingerprint), qPrintable(questions.front()));
        QCOMPARE(QFileInfo::exists(server.WritableLocal() + QStringLiteral("/page.htm")), step.arrives);
        CFtpSetList sets;
        sets.Load(t.Settings());
        QCOMPARE(sets.At(sets.IndexOf(site)).trustedFingerprint.isEmpty(), !step.saved);
        if (QLatin1String(step.certificate) == "second")
            QVERIFY(t.Ui().Texts("message").last().startsWith(u"警告：サーバの証明書が"));
    }
}

// Cancel during a copy in the window: the half file is removed and the
// same session answers the next button.
void FtpWindowTest::cancelledCopyKeepsTheSession()
{
    auto runner = std::make_unique<InlineTaskRunner>();
    bool cancelled = false;
    runner->onProgress = [&cancelled](TaskContext& context, qint64 done, qint64) {
        if (done > 0 && !cancelled) {
            cancelled = true;
            context.Cancel();
        }
    };
    FtpWindowFixture fx;
    START_FTP_WINDOW(fx, std::move(runner));
    Touch(fx.LocalPath("big.bin"), QByteArray(32 << 20, 'b'));
    fx.wnd->Local().Refill();
    fx.wnd->Upload({fx.wnd->Local().FindRow("big.bin")});
    QVERIFY(cancelled);
    QVERIFY(fx.wnd->Connected());
    QVERIFY(!QFileInfo::exists(fx.ServerPath("big.bin")));
    fx.ui.QueueInput(QStringLiteral("after"));
    fx.wnd->SetActiveSide(CFtpWnd::Side::Server);
    fx.wnd->Create();
    QVERIFY(QFileInfo(fx.ServerPath("after")).isDir());
    QVERIFY(fx.wnd->FindServerRow("after") >= 0);
    QCOMPARE(fx.ui.Texts("message"), QStringList{});
    QCOMPARE(fx.ui.Texts("question"), QStringList{});
}

// The server drops the connection between two buttons: the window says so,
// logs in again on the user's yes and returns to the folder it showed.
void FtpWindowTest::lostConnectionOffersReconnect()
{
    const QStringList login = {"<220 Ready", ">USER u", "<331 Password required", ">PASS p", "<230 Logged in",
                               ">FEAT", "<502 No"};
    auto list = [](const QString& name) {
        return QStringList{">TYPE A", "<200 ok", "PASV 127,0,0,1", ">LIST -L", "<150 go",
                           "DATA:-rw-r--r-- 1 web web 5 Mar  5 14:07 " + name + "\r\n", "<226 done"};
    };
    FakeFtpServer server(login + QStringList{">PWD", "<257 \"/www\""} + list("a.htm") + QStringList{"ACCEPT"}
                         + login
                         + QStringList{">PWD", "<257 \"/\"", ">CWD /www", "<250 ok", ">PWD", "<257 \"/www\""}
                         + list("b.htm"));
    QTemporaryDir dir;
    platform::SettingsStore settings(dir.filePath("kelvo.ini"));
    InlineTaskRunner runner;
    ScriptedUi ui;
    CNorvaneFtp client;
    client.Set(QStringLiteral("127.0.0.1:%1").arg(server.Port()), "u", "p", QString(), true);
    QVERIFY(client.Connect());
    CFtpWnd wnd(ui, settings, runner, client);
    QVERIFY(wnd.RefillServer());
    QVERIFY(wnd.FindServerRow("a.htm") >= 0);

    ui.QueueInput(QStringLiteral("docs"));
    ui.QueueAnswer(Ui::Answer::Yes);
    wnd.SetActiveSide(CFtpWnd::Side::Server);
    wnd.Create();
    QCOMPARE(ui.Texts("question"), QStringList{"サーバとの接続が切れました。再接続しますか？"});
    QCOMPARE(ui.Texts("message"), QStringList{});
    QVERIFY(wnd.Connected());
    QCOMPARE(wnd.ServerFolderText(), QStringLiteral("/www"));
    QVERIFY(wnd.FindServerRow("b.htm") >= 0);
    QCOMPARE(server.Problem(), QString());
}

void FtpWindowTest::openWindow()
{
    TestEditor t;
    // Nobody listens: the connection fails with the window's message.
    t.Ui().QueueField(QStringLiteral("サーバ"), QStringLiteral("127.0.0.1:%1").arg(FreeTcpPort()));
    QVERIFY(t.Run(cmd::FtpWindow));
    QCOMPARE(t.Ui().Texts("message"), QStringList{"接続できませんでした\nサーバに接続できませんでした: Connection refused"});
    QVERIFY(t.Ui().Texts("ftpwindow").isEmpty());

    FtpTestServer server(FtpTestServer::Kind::Pyftpdlib);
    if (FtpWindowFixture::ServerMissing())
        QSKIP("pyftpdlib is not installed here");
    QCOMPARE(server.Start(), QString());
    Touch(server.WritableLocal() + QStringLiteral("/index.html"));
    t.Ui().ClearRecords();
    // The local side starts in the page's own folder.
    QVERIFY(QDir().mkpath(t.Path(QStringLiteral("site"))));
    QVERIFY(t.App().OpenDocumentFile(t.MakeFile(QStringLiteral("site/page.htm"), "<P>")));
    t.SetText(QStringLiteral("changed"));
    t.Buffer().SetModified(true);
    t.Ui().QueueAnswer(Ui::Answer::No);  // do not save
    t.Ui().QueueField(QStringLiteral("サーバ"), server.Host());
    t.Ui().QueueField(QStringLiteral("ユーザ"), server.User());
    t.Ui().QueueField(QStringLiteral("パスワード"), server.Password());
    QStringList listed;
    QString localFolder;
    t.Ui().ftpWindowScript = [&](CFtpWnd& wnd) {
        for (int r = 0; r < int(wnd.ServerRows().size()); ++r)
            listed << wnd.ServerRows()[r].name;
        localFolder = wnd.LocalFolderText();
    };
    QVERIFY(t.Run(cmd::FtpWindow));
    QCOMPARE(t.Ui().Texts("question"), QStringList{"ファイルを保存しますか？"});
    QCOMPARE(listed, QStringList{"index.html"});
    QCOMPARE(localFolder, t.Path(QStringLiteral("site")));
    QCOMPARE(t.Ui().Texts("message"), QStringList{});
}

KELVO_TEST(FtpWindowTest, "FtpWindow");
#include "tst_FtpWindow.moc"
