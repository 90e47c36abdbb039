#include "TestFiles.h"
#include "TestRegistry.h"

#include "core/app/FormModel.h"
#include "core/ftp/CFtpSetForm.h"
#include "core/ftp/CFtpSetList.h"
#include "core/ftp/CNorvaneFtp.h"
#include "core/links/LinkCommands.h"
#include "platform/SecretStore.h"

#include <QFileInfo>
#include <map>
#include <QTest>

namespace {

const QString kFtp = u"ftp"_qs;

CFtpSet Site(const QString& name, const QString& local)
{
    CFtpSet set;
    set.name = name;
    set.host = name + u".example"_qs;
    set.localFolder = local;
    return set;
}

CFtpSetList Loaded(platform::SettingsStore& settings)
{
    CFtpSetList list;
    list.Load(settings);
    return list;
}

// A secret service in memory that can be switched off.
class MemorySecrets : public platform::SecretStore {
public:
    bool running = true;
    int reads = 0;
    std::map<QString, QString> secrets;
    bool Available() override { return running; }
    std::optional<QString> Read(const QString& key) override
    {
        ++reads;
        if (!running || !secrets.count(key))
            return std::nullopt;
        return secrets[key];
    }
    bool Write(const QString& key, const QString& secret) override
    {
        if (running)
            secrets[key] = secret;
        return running;
    }
};

} // namespace

class TestFtpSets : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void emptySectionGivesTheDefaultSet()
    {
        TestEditor t;
        t.Settings().WriteString(u"System"_qs, u"RootDir"_qs, u"/home/me/www"_qs);
        t.Settings().WriteString(kFtp, u"Host"_qs, u"old.example"_qs);
        const CFtpSetList list = Loaded(t.Settings());
        QCOMPARE(list.Count(), 1);
        QCOMPARE(list.At(0).name, u"標準の設定"_qs);
        QCOMPARE(list.At(0).localFolder, u"/home/me/www"_qs);
        QCOMPARE(list.At(0).host, u"old.example"_qs);
        QVERIFY(list.At(0).ascii);
    }

    // A "Count" that no list of sets can have is bounded.
    void countBounded_data()
    {
        QTest::addColumn<int>("stored");
        QTest::addColumn<int>("loaded");
        QTest::newRow("negative: the default set") << -5 << 1;
        QTest::newRow("as stored") << 3 << 3;
        QTest::newRow("two thousand million: a thousand") << 2000000000 << 1000;
    }
    void countBounded()
    {
        QFETCH(int, stored);
        QFETCH(int, loaded);
        TestEditor t;
        t.Settings().WriteInt(kFtp, u"Count"_qs, stored);
        QCOMPARE(Loaded(t.Settings()).Count(), loaded);
    }

    void passwordsStoredScrambled_data()
    {
        QTest::addColumn<QString>("password");
        QTest::newRow("letters and digits") << "Secret2026zZ9";
        QTest::newRow("other characters unchanged") << "-!@ #日本語_";
        QTest::newRow("longer than eight") << "abcdefghijABCDEFGHIJ0123456789";
        QTest::newRow("empty") << "";
    }
    void passwordsStoredScrambled()
    {
        QFETCH(QString, password);
        TestEditor t;
        CFtpSetList list = Loaded(t.Settings());
        list.At(0).password = password;
        list.Save(t.Settings());
        const QString stored = t.Settings().ReadString(kFtp, u"Pass0"_qs, QString());
        QCOMPARE(stored.size(), password.size());
        int changed = 0;
        for (qsizetype i = 0; i < password.size(); ++i) {
            if (!password[i].isLetterOrNumber() || password[i].unicode() > 0x7F)
                QCOMPARE(stored[i], password[i]);
            else
                changed += stored[i] != password[i];
        }
        if (password.startsWith(u'S'))
            QVERIFY(changed >= password.size() / 2);
        QCOMPARE(Loaded(t.Settings()).At(0).password, password);
        // The file that holds it is its owner's alone.
        QCOMPARE(QFileInfo(t.Settings().FilePath()).permissions() & 0x0777,
                 QFile::Permissions(QFile::ReadUser | QFile::WriteUser));
    }

    // With a secret service the file keeps no password; a password the
    // service cannot give back for a while is not lost by saving meanwhile.
    void passwordsInSecretService_data()
    {
        QTest::addColumn<bool>("atSave");
        QTest::addColumn<bool>("atLoad");
        QTest::addColumn<QString>("inFile");
        QTest::addColumn<QString>("loaded");
        QTest::newRow("service both times") << true << true << "" << "pa55";
        QTest::newRow("service gone at load") << true << false << "" << "";
        QTest::newRow("service only at load") << false << true << CFtpSetList::Scramble("pa55") << "pa55";
    }
    void passwordsInSecretService()
    {
        QFETCH(bool, atSave);
        QFETCH(bool, atLoad);
        QFETCH(QString, inFile);
        QFETCH(QString, loaded);
        TestEditor t;
        MemorySecrets secrets;
        CFtpSetList list;
        list.Load(t.Settings(), secrets);
        list.At(0).user = u"web"_qs;
        list.At(0).host = u"example.jp"_qs;
        list.At(0).password = u"pa55"_qs;
        secrets.running = atSave;
        list.Save(t.Settings(), secrets);
        QCOMPARE(t.Settings().ReadString(kFtp, u"Pass0"_qs, u"?"_qs), inFile);
        secrets.running = atLoad;
        list.Load(t.Settings(), secrets);
        QCOMPARE(list.At(0).password, loaded);
        list.Save(t.Settings(), secrets);
        secrets.running = true;
        list.Load(t.Settings(), secrets);
        QCOMPARE(list.At(0).password, u"pa55"_qs);
    }

    // Finding a page's site leaves the keyring alone: it may ask the user
    // to unlock it.
    void siteRootAsksNoSecret()
    {
        TestEditor t;
        MemorySecrets secrets;
        platform::SetSecrets(&secrets);
        const auto restore = qScopeGuard([] { platform::SetSecrets(nullptr); });
        CFtpSetList list;
        list.Load(t.Settings());
        list.At(0) = Site(u"web"_qs, u"/srv/site"_qs);
        list.At(0).password = u"pa55"_qs;
        list.Save(t.Settings());
        secrets.reads = 0;
        QCOMPARE(SiteRootFor(t.Settings(), u"/srv/site/a.html"_qs), u"/srv/site"_qs);
        QCOMPARE(secrets.reads, 0);
    }

    void saveAndLoadKeepEverySet()
    {
        TestEditor t;
        CFtpSetList list = Loaded(t.Settings());
        CFtpSet site = Site(u"site"_qs, u"/srv/site"_qs);
        site.user = u"web"_qs;
        site.ascii = false;
        site.remoteFolder = u"/www"_qs;
        site.uploadFolder = u"htdocs"_qs;
        site.protocol = RemoteProtocol::Ftps;
        site.nameCode = RemoteNameCode::ShiftJis;
        site.trustedFingerprint = u"SHA256:abc+/="_qs;
        list.Add(site);
        list.SetSelected(1);
        list.Save(t.Settings());
        QCOMPARE(t.Settings().ReadString(kFtp, u"BeforeDir1"_qs, QString()), u"htdocs"_qs);
        QCOMPARE(t.Settings().ReadInt(kFtp, u"Text1"_qs, -1), 0);
        const CFtpSetList again = Loaded(t.Settings());
        QCOMPARE(again.Count(), 2);
        QCOMPARE(again.Selected(), 1);
        QCOMPARE(again.At(1), site);
    }

    void chooseForDocument_data()
    {
        QTest::addColumn<QString>("document");
        QTest::addColumn<int>("selected");
        QTest::addColumn<int>("chosen");
        QTest::newRow("first matching local folder, any case") << "/home/me/Docs/Site1/index.htm" << 2 << 0;
        QTest::newRow("second set matches the parent folder") << "/home/me/docs/other/a.htm" << 2 << 1;
        QTest::newRow("no match: the selected set") << "/tmp/a.htm" << 2 << 2;
        QTest::newRow("whole folder names only") << "/home/me/docs/site10/a.htm" << 2 << 1;
        QTest::newRow("the local folder itself") << "/var/www/a.htm" << 0 << 2;
        QTest::newRow("a name that only begins like it") << "/var/www2/a.htm" << 0 << 0;
        QTest::newRow("no folder in the path") << "a.htm" << 1 << 1;
        QTest::newRow("empty path") << "" << 1 << 1;
        QTest::newRow("selected index out of range becomes 0") << "/tmp/a.htm" << 7 << 0;
    }
    void chooseForDocument()
    {
        QFETCH(QString, document);
        QFETCH(int, selected);
        QFETCH(int, chosen);
        TestEditor t;
        CFtpSetList list = Loaded(t.Settings());
        list.At(0) = Site(u"one"_qs, u"/home/me/docs/site1"_qs);
        list.Add(Site(u"two"_qs, u"/home/me/docs"_qs));
        list.Add(Site(u"three"_qs, u"/var/www"_qs));
        list.SetSelected(selected);
        QCOMPARE(list.ChooseForDocument(document), chosen);
    }

    // The set forms as the user drives them: what each button does and what
    // closing the form keeps.
    void setForm_data()
    {
        QTest::addColumn<QStringList>("steps");  // field=value; "ok" / "cancel" last
        QTest::addColumn<QStringList>("inputs");
        QTest::addColumn<QList<int>>("answers");
        QTest::addColumn<QStringList>("names");  // the saved sets
        QTest::addColumn<int>("selected");
        const int ok = int(Ui::Answer::Ok), cancel = int(Ui::Answer::Cancel);
        QTest::newRow("new set kept even on Cancel")
            << QStringList{"NewSet=", "サーバ=new.example", "cancel"} << QStringList{"added"}
            << QList<int>{} << QStringList{"a", "b", "c", "added"} << 1;
        QTest::newRow("new set cancelled at its name")
            << QStringList{"NewSet=", "ok"} << QStringList{} << QList<int>{}
            << QStringList{"a", "b", "c"} << 1;
        QTest::newRow("delete the last of three shows index 1")
            << QStringList{"設定=c", "DeleteSet=", "ok"} << QStringList{} << QList<int>{ok}
            << QStringList{"a", "b"} << 1;
        QTest::newRow("delete declined")
            << QStringList{"DeleteSet=", "ok"} << QStringList{} << QList<int>{cancel}
            << QStringList{"a", "b", "c"} << 1;
        QTest::newRow("rename keeps the edited fields")
            << QStringList{"サーバ=edited", "RenameSet=", "ok"} << QStringList{"renamed"} << QList<int>{}
            << QStringList{"a", "renamed", "c"} << 1;
        QTest::newRow("switching sets stores the fields; OK selects the shown set")
            << QStringList{"ユーザ=bob", "設定=a", "ok"} << QStringList{} << QList<int>{}
            << QStringList{"a", "b", "c"} << 0;
        QTest::newRow("Cancel leaves the selected index")
            << QStringList{"設定=c", "cancel"} << QStringList{} << QList<int>{}
            << QStringList{"a", "b", "c"} << 1;
    }
    void setForm()
    {
        QFETCH(QStringList, steps);
        QFETCH(QStringList, inputs);
        QFETCH(QList<int>, answers);
        QFETCH(QStringList, names);
        QFETCH(int, selected);
        TestEditor t;
        CFtpSetList three = Loaded(t.Settings());
        three.At(0) = Site(u"a"_qs, QString());
        three.Add(Site(u"b"_qs, QString()));
        three.Add(Site(u"c"_qs, QString()));
        three.SetSelected(1);
        three.Save(t.Settings());
        for (const QString& in : inputs)
            t.Ui().QueueInput(in);
        for (int a : answers)
            t.Ui().QueueAnswer(Ui::Answer(a));
        CFtpSetForm form(CFtpSetForm::Kind::Upload, t.Ui(), t.Settings());
        form.Open();
        FormModel model;
        form.AddTo(model);
        QCOMPARE(model["設定"].index, 1);
        QCOMPARE(model["サーバ"].text, u"b.example"_qs);
        for (const QString& step : steps) {
            if (step == u"ok")
                form.Ok(model);
            else if (step == u"cancel")
                form.Cancel(model);
            else
                QVERIFY(model.SetFromText(step.section(u'=', 0, 0), step.section(u'=', 1)));
        }
        const CFtpSetList saved = Loaded(t.Settings());
        QStringList savedNames;
        for (int i = 0; i < saved.Count(); ++i)
            savedNames.append(saved.At(i).name);
        QCOMPARE(savedNames, names);
        QCOMPARE(saved.Selected(), selected);
        QVERIFY(t.Ui().Texts(u"message"_qs).isEmpty());
        if (steps.contains(u"ユーザ=bob"_qs))
            QCOMPARE(saved.At(1).user, u"bob"_qs);
        if (steps.contains(u"サーバ=edited"_qs))
            QCOMPARE(saved.At(1).host, u"edited"_qs);
    }

    // The settings page edits the set's local folder, where its pages lie
    // (root-relative links start there), with a folder chooser, and how the
    // server is reached.
    void pageEditsTheLocalFolder()
    {
        TestEditor t;
        t.Ui().QueueInput(u"/home/me/site"_qs);
        CFtpPage page(t.Ui(), t.Settings());
        page.Open();
        FormModel model;
        page.AddTo(model);
        QVERIFY(model.SetFromText(u"LocalDir"_qs, u"..."_qs));
        QCOMPARE(model[u"プロトコル"_qs].text, u"FTP"_qs);
        QCOMPARE(model[u"文字コード"_qs].text, u"自動"_qs);
        QVERIFY(model.SetFromText(u"プロトコル"_qs, u"FTPS"_qs));
        QVERIFY(model.SetFromText(u"文字コード"_qs, u"Shift-JIS"_qs));
        page.Ok(model);
        const CFtpSet saved = Loaded(t.Settings()).At(0);
        QCOMPARE(saved.localFolder, u"/home/me/site"_qs);
        QCOMPARE(saved.protocol, RemoteProtocol::Ftps);
        QCOMPARE(saved.nameCode, RemoteNameCode::ShiftJis);
    }

    void lastSetIsNotDeleted()
    {
        TestEditor t;
        CFtpSetForm form(CFtpSetForm::Kind::Connect, t.Ui(), t.Settings());
        form.Open();
        FormModel model;
        form.AddTo(model);
        QVERIFY(model.SetFromText(u"DeleteSet"_qs, QString()));
        QCOMPARE(t.Ui().Texts(u"message"_qs),
                 QStringList{u"設定が一つしかありませんので削除できません。この設定を修正してください"_qs});
        QCOMPARE(model["設定"].choices, QStringList{u"標準の設定"_qs});
        QVERIFY(!model.Find(u"ディレクトリ"_qs));  // the connect form has no folder
        QVERIFY(model["パスワード"].secret);
    }

    void clientTexts_data()
    {
        QTest::addColumn<qlonglong>("size");
        QTest::addColumn<QString>("mode");
        QTest::addColumn<QString>("sizeText");
        QTest::addColumn<QString>("digits");
        QTest::newRow("millions") << 1234567LL << "drwxr-x---" << "1,234,567" << "750";
        QTest::newRow("three digits") << 999LL << "rwxr-xr-x" << "999" << "755";
        QTest::newRow("beyond 32 bits") << 3221225472LL << "-rw-r--r--" << "3,221,225,472" << "644";
        QTest::newRow("no mode text") << 0LL << "" << "0" << "000";
        QTest::newRow("mode of another length") << 1000LL << "rwx" << "1,000" << "000";
    }
    void clientTexts()
    {
        QFETCH(qlonglong, size);
        QFETCH(QString, mode);
        QFETCH(QString, sizeText);
        QFETCH(QString, digits);
        CFtpEntry entry;
        entry.size = size;
        entry.mode = mode;
        QCOMPARE(CNorvaneFtp::GetSizeText(entry), sizeText);
        QCOMPARE(u"%1%2%3"_qs.arg(CNorvaneFtp::GetModeDigit(entry, 0))
                     .arg(CNorvaneFtp::GetModeDigit(entry, 1)).arg(CNorvaneFtp::GetModeDigit(entry, 2)),
                 digits);
        entry.isFolder = true;
        QCOMPARE(CNorvaneFtp::GetSizeText(entry), QString());
    }

    void hostAndPort_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("host");
        QTest::addColumn<int>("port");
        QTest::newRow("plain host keeps 21") << "ftp.example" << "ftp.example" << 21;
        QTest::newRow("host and port") << "127.0.0.1:2121" << "127.0.0.1" << 2121;
        QTest::newRow("invalid port keeps 21") << "ftp.example:99999" << "ftp.example" << 21;
        QTest::newRow("IPv6 address untouched") << "::1" << "::1" << 21;
        QTest::newRow("IPv6 in brackets with a port") << "[::1]:2121" << "::1" << 2121;
        QTest::newRow("IPv6 in brackets without one") << " [fe80::1] " << "fe80::1" << 21;
    }
    void hostAndPort()
    {
        QFETCH(QString, text);
        QFETCH(QString, host);
        QFETCH(int, port);
        QString h;
        int p = 0;
        CNorvaneFtp::SplitHostPort(text, h, p);
        QCOMPARE(h, host);
        QCOMPARE(p, port);
    }
};

KELVO_TEST(TestFtpSets, "FtpSets");
#include "tst_FtpSets.moc"
