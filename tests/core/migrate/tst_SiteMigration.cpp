#include "FtpServers.h"
#include "SshServer.h"
#include "TestFiles.h"
#include "TestRegistry.h"

#include "core/app/CommandIds.h"
#include "core/doc/CKelvoDoc.h"
#include "core/ftp/SftpSession.h"
#include "core/ftp/SiteMirror.h"
#include "core/migrate/SiteMigration.h"
#include "platform/FileAccess.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

namespace {

QByteArray Sjis(const char* utf8)
{
    return Iconv("UTF-8", "CP932", QByteArray(utf8));
}
QByteArray Euc(const char* utf8)
{
    return Iconv("UTF-8", "EUC-JP-MS", QByteArray(utf8));
}

// name -> bytes; bytes "-> TARGET" make a symbolic link. Names may hold
// bytes that are not UTF-8, which QFile would not keep.
using Files = QMap<QString, QByteArray>;

void MakeSite(const QString& root, const Files& files)
{
    for (auto it = files.begin(); it != files.end(); ++it) {
        const QString path = root + u'/' + it.key();
        QVERIFY(platform::MakeFolders(platform::FolderOfPath(path)));
        if (it.value().startsWith("-> "))
            QVERIFY(QFile::link(QString::fromUtf8(it.value().mid(3)), path));
        else
            QVERIFY(platform::WriteFileSafely(path, it.value()) == platform::FileError::None);
    }
}

} // namespace

// Plans and runs on small sites, each file at a boundary of what is
// converted, rewritten or left alone.
class TestSiteMigration : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void planAndRun_data()
    {
        QTest::addColumn<Files>("files");
        QTest::addColumn<QStringList>("named");  // FILE=CODE
        QTest::addColumn<bool>("htaccess");
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<Files>("after");  // the files that change
        QTest::newRow("declarations and line ends kept, letter case followed")
            << Files{{"a.html", Sjis("<meta http-equiv=\"Content-Type\" content=\"text/html; charset=shift_jis\">\n日本\n")},
                     {"s/s.css", Euc("@charset \"EUC-JP\";\rb:after{content:\"字\"}\r")}}
            << QStringList{} << false
            << QStringList{"convert a.html: ShiftJis -> Utf8",
                           "declare a.html: 1: <meta http-equiv=\"Content-Type\" content=\"text/html; charset=utf-8\">",
                           "convert s/s.css: Euc -> Utf8", "declare s/s.css: 1: @charset \"UTF-8\";"}
            << Files{{"a.html", "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=utf-8\">\n日本\n"},
                     {"s/s.css", "@charset \"UTF-8\";\rb:after{content:\"字\"}\r"}};
        QTest::newRow("plain ASCII and named pages keep their bytes and BOM, once")
            << Files{{"p.html", "<meta charset=Shift_JIS><p>ascii"},
                     {"b.html", "\xEF\xBB\xBF<meta charset=\"EUC-JP\">日本"},
                     {"u.html", "<meta charset=\"utf-8\">日本"}}
            << QStringList{"b.html=Utf8", "p.html=ShiftJis"} << false
            << QStringList{"declare b.html: 1: <meta charset=\"UTF-8\">", "convert p.html: ShiftJis -> Utf8",
                           "declare p.html: 1: <meta charset=UTF-8>"}
            << Files{{"b.html", "\xEF\xBB\xBF<meta charset=\"UTF-8\">日本"}, {"p.html", "<meta charset=UTF-8><p>ascii"}};
        QTest::newRow("script charset follows its file, converted or left alone")
            << Files{{"i.html", "<script src=\"x.js\" charset=\"Shift_JIS\"></script>"
                                "<script src=\"bad.js\" charset=\"Shift_JIS\"></script>"
                                "<script src=\"http://e.example/a.js\" charset=\"EUC-JP\"></script>"},
                     {"x.js", Sjis("s='日本';")},
                     {"bad.js", Sjis("s='日本';\r\n") + "\x80"}}
            << QStringList{} << false
            << QStringList{"skip bad.js: ShiftJis として読めないバイトが 1 個あります（最初は 2 行目）",
                           "declare i.html: 1: <script src=\"x.js\" charset=\"UTF-8\">", "convert x.js: ShiftJis -> Utf8"}
            << Files{{"i.html", "<script src=\"x.js\" charset=\"UTF-8\"></script>"
                                "<script src=\"bad.js\" charset=\"Shift_JIS\"></script>"
                                "<script src=\"http://e.example/a.js\" charset=\"EUC-JP\"></script>"},
                     {"x.js", "s='日本';"}};
        QTest::newRow("server code and a mislabelled page left alone, unless named")
            << Files{{"h.php", Sjis("<?php header('Content-Type: text/html; charset=Shift_JIS'); ?>日本")},
                     {"m.html", Sjis("<meta charset=\"EUC-JP\">日本")},
                     {"n.html", Sjis("<meta charset=\"EUC-JP\">日本")}}
            << QStringList{"m.html=ShiftJis"} << false
            << QStringList{"skip h.php: 1 行目でサーバ側のコードが charset=Shift_JIS を指定しています",
                           "convert m.html: ShiftJis -> Utf8", "declare m.html: 1: <meta charset=\"UTF-8\">",
                           "skip n.html: 1 行目で EUC-JP と宣言していますが、ShiftJis と判定しました"}
            << Files{{"m.html", "<meta charset=\"UTF-8\">日本"}};
        const Files server{{".htaccess", "AddDefaultCharset Shift_JIS\nAddCharset EUC-JP .euc\n"},
                           {"sub/.htaccess", "AddType \"text/html; charset=EUC-JP\" .html\n"}};
        QTest::newRow(".htaccess listed") << server << QStringList{} << false
                                          << QStringList{"skip .htaccess: 1: AddDefaultCharset Shift_JIS: "
                                                         "サーバの設定は、書き換えを選んだときだけ書き換えます",
                                                         "skip sub/.htaccess: 1: AddType \"text/html; charset=EUC-JP\" .html: "
                                                         "サーバの設定は、書き換えを選んだときだけ書き換えます"}
                                          << Files{};
        QTest::newRow(".htaccess rewritten when asked")
            << server << QStringList{} << true
            << QStringList{"declare .htaccess: 1: AddDefaultCharset UTF-8",
                           "declare sub/.htaccess: 1: AddType \"text/html; charset=UTF-8\" .html"}
            << Files{{".htaccess", "AddDefaultCharset UTF-8\nAddCharset EUC-JP .euc\n"},
                     {"sub/.htaccess", "AddType \"text/html; charset=UTF-8\" .html\n"}};
        QTest::newRow("PHP strings naming a code; a name a UTF-8 one")
            << Files{{"e.php", Sjis("<?php echo \"<meta charset=\\\"Shift_JIS\\\">\"; ?>本文")},
                     {"m.php", Sjis("<?php\nmb_internal_encoding('SJIS-win'); ?>本文")},
                     {"u.php", Sjis("<?php mb_internal_encoding('UTF-8'); $a = 'JISX'; ?>本文")}}
            << QStringList{} << false
            << QStringList{"skip e.php: 1 行目でサーバ側のコードが charset=Shift_JIS を指定しています",
                           "skip m.php: 2 行目でサーバ側のコードが文字コード SJIS-win を使っています",
                           "convert u.php: ShiftJis -> Utf8"}
            << Files{{"u.php", "<?php mb_internal_encoding('UTF-8'); $a = 'JISX'; ?>本文"}};
        QTest::newRow("half-width katakana alone read as EUC too; one kanji more decides")
            << Files{{"k.js", Sjis("s='ﾎｰﾑﾍﾟｰｼﾞ';")}, {"m.js", Sjis("s='ﾎｰﾑﾍﾟｰｼﾞ。';")}} << QStringList{} << false
            << QStringList{"skip k.js: Euc としても ShiftJis としても読めます", "convert m.js: ShiftJis -> Utf8"}
            << Files{{"m.js", "s='ﾎｰﾑﾍﾟｰｼﾞ。';"}};
        // 表 in CP932 ends in the byte of a backslash.
        QTest::newRow("a CP932 file name; one file under two names")
            << Files{{QString::fromUtf16(u"\xDC95\\.html"), Sjis("<meta charset=Shift_JIS>表")},
                     {"alias.html", "-> two.html"},
                     {"two.html", Sjis("<meta charset=Shift_JIS>二")}}
            << QStringList{} << false
            << QStringList{"convert alias.html: ShiftJis -> Utf8", "declare alias.html: 1: <meta charset=UTF-8>",
                           "skip two.html: alias.html と同じファイルです", "convert 表.html: ShiftJis -> Utf8",
                           "declare 表.html: 1: <meta charset=UTF-8>"}
            << Files{{QString::fromUtf16(u"\xDC95\\.html"), "<meta charset=UTF-8>表"}, {"two.html", "<meta charset=UTF-8>二"}};
        QTest::newRow("a link out of the site and a binary file")
            << Files{{"out.html", "-> ../outside.html"}, {"data.txt", QByteArray("ab\0cd", 5)}} << QStringList{} << false
            << QStringList{"skip data.txt: バイナリファイルです", "skip out.html: サイトの外のファイルへのリンクです"}
            << Files{};
    }
    void planAndRun()
    {
        QFETCH(Files, files);
        QFETCH(QStringList, named);
        QFETCH(bool, htaccess);
        QFETCH(QStringList, lines);
        QFETCH(Files, after);
        QTemporaryDir dir;
        const QString root = dir.filePath("site");
        QVERIFY(WriteBytes(dir.filePath("outside.html"), Sjis("<meta charset=Shift_JIS>日本")));
        MakeSite(root, files);
        MigrationOptions options;
        options.root = root;
        options.serverConfig = htaccess;
        for (const QString& n : named)
            options.codes[n.section(u'=', 0, 0)] = *CodeKindFromName(n.section(u'=', 1));
        const MigrationPlan plan = PlanMigration(options);
        QCOMPARE(plan.Lines(), lines);
        const MigrationResult result = ApplyMigration(plan, options);
        QVERIFY(result.failed.empty());
        for (auto it = files.begin(); it != files.end(); ++it)
            if (!it.value().startsWith("-> "))
                QCOMPARE(platform::ReadRegularFile(root + u'/' + it.key(), 1 << 20).bytes,
                         after.value(it.key(), it.value()));
        QCOMPARE(ReadBytes(dir.filePath("outside.html")), Sjis("<meta charset=Shift_JIS>日本"));
        // What the run wrote needs nothing more.
        QCOMPARE(PlanMigration(options).Count(MigrationFile::Action::Convert)
                     + PlanMigration(options).Count(MigrationFile::Action::Declare),
                 0);
    }

    // Stopped after two files, the run is finished by running again; the
    // backup keeps the originals of both runs, and a copy in the backup
    // folder that is no original of ours stops that file.
    void interruptedRunAndBackup()
    {
        QTemporaryDir dir;
        const QString root = dir.filePath("site");
        Files files;
        for (int i = 0; i < 5; ++i)
            files[QStringLiteral("p%1.html").arg(i)] = Sjis("<meta charset=\"Shift_JIS\">日本");
        MakeSite(root, files);
        MigrationOptions options;
        options.root = root;
        options.backup = dir.filePath("backup");
        QVERIFY(QDir().mkpath(options.backup));
        QVERIFY(WriteBytes(dir.filePath("backup/p4.html"), "another site's page"));
        MigrationResult first = ApplyMigration(PlanMigration(options), options,
                                               [](int done, int, const QString&) { return done < 2; });
        QVERIFY(first.cancelled);
        QCOMPARE(first.written, (QStringList{"p0.html", "p1.html"}));
        const MigrationPlan rest = PlanMigration(options);
        QCOMPARE(rest.Count(MigrationFile::Action::Convert), 2);
        QCOMPARE(rest.files.back().reason, QStringLiteral("バックアップ先に同じ名前の別のファイルがあります"));
        const MigrationResult second = ApplyMigration(rest, options);
        QCOMPARE(second.written, (QStringList{"p2.html", "p3.html"}));
        for (int i = 0; i < 4; ++i) {
            const QString name = QStringLiteral("p%1.html").arg(i);
            QCOMPARE(ReadBytes(root + u'/' + name), QByteArray("<meta charset=\"UTF-8\">日本"));
            QCOMPARE(ReadBytes(options.backup + u'/' + name), files[name]);
        }
        QCOMPARE(ReadBytes(root + "/p4.html"), files["p4.html"]);
    }

    // The run writes in the site and the backup folder only, whichever
    // link names them, and never through a link made since the plan.
    void writesOnlyInTheSiteAndItsBackup_data()
    {
        QTest::addColumn<QString>("root");
        QTest::addColumn<QString>("backup");  // none: a.html is made a link out after the plan
        QTest::addColumn<bool>("refused");
        QTest::newRow("backup folder a link to the site") << "site" << "bklink" << true;
        QTest::newRow("backup beside the site") << "site" << "site-backup" << false;
        QTest::newRow("site named by a link, backup in it") << "sitelink" << "site/bak" << false;
        QTest::newRow("a file made a link out of the site") << "site" << "" << false;
    }
    void writesOnlyInTheSiteAndItsBackup()
    {
        QFETCH(QString, root);
        QFETCH(QString, backup);
        QFETCH(bool, refused);
        const bool linkedAway = backup.isEmpty();
        QTemporaryDir dir;
        const QByteArray page = Sjis("<meta charset=Shift_JIS>日本");
        MakeSite(dir.path(),
                 {{"site/a.html", page}, {"outside.html", page}, {"sitelink", "-> site"}, {"bklink", "-> site"}});
        MigrationOptions options;
        options.root = dir.filePath(root);
        options.backup = backup.isEmpty() ? QString() : dir.filePath(backup);
        const MigrationPlan plan = PlanMigration(options);
        QCOMPARE(!plan.error.isEmpty(), refused);
        if (refused)
            return;
        if (linkedAway) {
            QVERIFY(QFile::remove(dir.filePath("site/a.html")));
            QVERIFY(QFile::link(dir.filePath("outside.html"), dir.filePath("site/a.html")));
        }
        QCOMPARE(ApplyMigration(plan, options).written.size(), linkedAway ? 0 : 1);
        QCOMPARE(ReadBytes(dir.filePath("outside.html")), page);
        if (!backup.isEmpty()) {
            QCOMPARE(ReadBytes(options.backup + "/a.html"), page);
            QCOMPARE(PlanMigration(options).Lines(), QStringList());
        }
    }

    // The command on the headless editor: the form, the plan where a file
    // left alone is given its code, the run; the open page is read again.
    void command()
    {
        TestEditor t;
        const QString root = t.Path("site");
        MakeSite(root, {{"index.html", Sjis("<meta charset=\"Shift_JIS\">日本")},
                        {"old.html", Sjis("<meta charset=\"EUC-JP\">日本")}});
        QVERIFY(t.App().OpenDocumentFile(root + "/index.html"));
        t.Ui().QueueField("サイトのフォルダ", root);
        t.Ui().QueueAnswer(Ui::Answer::Ok);
        t.Ui().QueueField(QStringLiteral("Plan"), "skip\told.html\t1 行目で EUC-JP と宣言していますが、ShiftJis と判定しました");
        t.Ui().QueueField("文字コードを指定", "");
        t.Ui().QueueField("文字コード", "シフトJIS");
        t.Ui().QueueAnswer(Ui::Answer::Ok);  // the code
        t.Ui().QueueAnswer(Ui::Answer::Ok);  // the plan
        QVERIFY(t.Run(cmd::SiteMigrate));
        QVERIFY(t.Ui().PendingFields().empty());
        QCOMPARE(ReadBytes(root + "/old.html"), QByteArray("<meta charset=\"UTF-8\">日本"));
        QCOMPARE(ReadBytes(root + "-backup/index.html"), Sjis("<meta charset=\"Shift_JIS\">日本"));
        QCOMPARE(t.Doc().GetCodeKind(), CodeKind::Utf8);
        QCOMPARE(t.Ui().Texts("message").last(),
                 QStringLiteral("2 個のファイルを書き換えました。\n元のファイルは「%1-backup」にあります。").arg(root));
    }

    // Publishing after the run sends exactly the files it wrote.
    void publishingSendsTheWrittenFiles()
    {
        if (SshTestServer::Missing() && !InCi())
            QSKIP("sshd is not installed here");
        QTemporaryDir home;
        const QByteArray savedHome = qgetenv("HOME");
        qputenv("HOME", QFile::encodeName(home.path()));
        SshTestServer sshd;
        QCOMPARE(sshd.Start(), QString());
        QDir().mkpath(home.filePath(".ssh"));
        SftpSession session(home.filePath(".ssh"));
        RemoteEndpoint e;
        e.protocol = RemoteProtocol::Sftp;
        e.host = sshd.Host();
        e.port = sshd.Port();
        e.user = sshd.User();
        e.keyFile = sshd.ClientKey();
        e.trustedFingerprint = sshd.Fingerprint();
        QVERIFY2(session.Open(e), qPrintable(session.ErrorText()));
        QTemporaryDir dir;
        const QString root = dir.filePath("site");
        MakeSite(root, {{"a.html", Sjis("<meta charset=Shift_JIS>日本")},
                        {"b.html", "<meta charset=utf-8>ascii"},
                        {"c.css", "@charset \"Shift_JIS\";"},
                        {"d.png", "\x89PNG"}});
        SiteMirror mirror(session);
        MirrorPlan plan;
        QVERIFY(mirror.Plan(root, sshd.Root() + "/site", false, plan) && mirror.Apply(plan));
        MigrationOptions options;
        options.root = root;
        const MigrationResult result = ApplyMigration(PlanMigration(options), options);
        QCOMPARE(result.written, (QStringList{"a.html", "c.css"}));
        QVERIFY(mirror.Plan(root, sshd.Root() + "/site", false, plan));
        QStringList sent;
        for (const MirrorAction& a : plan.actions)
            sent.append(a.Line());
        QCOMPARE(sent, (QStringList{"put a.html", "put c.css"}));
        qputenv("HOME", savedHome);
    }
};

KELVO_TEST(TestSiteMigration, "SiteMigration");
#include "tst_SiteMigration.moc"
