#include "TestFiles.h"
#include "TestRegistry.h"

#include "core/app/FormModel.h"
#include "core/ftp/CFtpSetForm.h"
#include "core/ftp/CFtpSetList.h"
#include "core/ftp/CNorvaneFtp.h"

#include <QFileInfo>
#include <QTest>

namespace {

const QString kFtp = QStringLiteral("ftp");

CFtpSet Site(const QString& name, const QString& local)
{
    CFtpSet set;
    set.name = name;
    set.host = name + QStringLiteral(".example");
    set.localFolder = local;
    return set;
}

} // namespace

class TestFtpSets : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void emptySectionGivesTheDefaultSet()
    {
        TestEditor t;
        t.Settings().WriteString(QStringLiteral("System"), QStringLiteral("RootDir"), QStringLiteral("/home/me/www"));
        t.Settings().WriteString(kFtp, QStringLiteral("Host"), QStringLiteral("old.example"));
        CFtpSetList list;
        list.Load(t.Settings());
        QCOMPARE(list.Count(), 1);
        QCOMPARE(list.At(0).name, QStringLiteral("標準の設定"));
        QCOMPARE(list.At(0).localFolder, QStringLiteral("/home/me/www"));
        QCOMPARE(list.At(0).host, QStringLiteral("old.example"));
        QVERIFY(list.At(0).ascii);
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
        CFtpSetList list;
        list.Load(t.Settings());
        list.At(0).password = password;
        list.Save(t.Settings());
        const QString stored = t.Settings().ReadString(kFtp, QStringLiteral("Pass0"), QString());
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
        CFtpSetList again;
        again.Load(t.Settings());
        QCOMPARE(again.At(0).password, password);
        // The file that holds it is its owner's alone.
        QCOMPARE(QFileInfo(t.Settings().FilePath()).permissions() & 0x0777,
                 QFile::Permissions(QFile::ReadUser | QFile::WriteUser));
    }

    void saveAndLoadKeepEverySet()
    {
        TestEditor t;
        CFtpSetList list;
        list.Load(t.Settings());
        CFtpSet site = Site(QStringLiteral("site"), QStringLiteral("/srv/site"));
        site.user = QStringLiteral("web");
        site.ascii = false;
        site.remoteFolder = QStringLiteral("/www");
        site.uploadFolder = QStringLiteral("htdocs");
        list.Add(site);
        list.SetSelected(1);
        list.Save(t.Settings());
        QCOMPARE(t.Settings().ReadString(kFtp, QStringLiteral("BeforeDir1"), QString()), QStringLiteral("htdocs"));
        QCOMPARE(t.Settings().ReadInt(kFtp, QStringLiteral("Text1"), -1), 0);
        CFtpSetList again;
        again.Load(t.Settings());
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
        CFtpSetList list;
        list.Load(t.Settings());
        list.At(0) = Site(QStringLiteral("one"), QStringLiteral("/home/me/docs/site1"));
        list.Add(Site(QStringLiteral("two"), QStringLiteral("/home/me/docs")));
        list.Add(Site(QStringLiteral("three"), QStringLiteral("/var/www")));
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
        QTest::addColumn<QStringList>("messages");
        const int ok = int(Ui::Answer::Ok), cancel = int(Ui::Answer::Cancel);
        QTest::newRow("new set kept even on Cancel")
            << QStringList{"NewSet=", "サーバ=new.example", "cancel"} << QStringList{"added"}
            << QList<int>{} << QStringList{"a", "b", "c", "added"} << 1 << QStringList{};
        QTest::newRow("new set cancelled at its name")
            << QStringList{"NewSet=", "ok"} << QStringList{} << QList<int>{}
            << QStringList{"a", "b", "c"} << 1 << QStringList{};
        QTest::newRow("delete the last of three shows index 1")
            << QStringList{"設定=c", "DeleteSet=", "ok"} << QStringList{} << QList<int>{ok}
            << QStringList{"a", "b"} << 1 << QStringList{};
        QTest::newRow("delete declined")
            << QStringList{"DeleteSet=", "ok"} << QStringList{} << QList<int>{cancel}
            << QStringList{"a", "b", "c"} << 1 << QStringList{};
        QTest::newRow("rename keeps the edited fields")
            << QStringList{"サーバ=edited", "RenameSet=", "ok"} << QStringList{"renamed"} << QList<int>{}
            << QStringList{"a", "renamed", "c"} << 1 << QStringList{};
        QTest::newRow("switching sets stores the fields; OK selects the shown set")
            << QStringList{"ユーザ=bob", "設定=a", "ok"} << QStringList{} << QList<int>{}
            << QStringList{"a", "b", "c"} << 0 << QStringList{};
        QTest::newRow("Cancel leaves the selected index")
            << QStringList{"設定=c", "cancel"} << QStringList{} << QList<int>{}
            << QStringList{"a", "b", "c"} << 1 << QStringList{};
    }
    void setForm()
    {
        QFETCH(QStringList, steps);
        QFETCH(QStringList, inputs);
        QFETCH(QList<int>, answers);
        QFETCH(QStringList, names);
        QFETCH(int, selected);
        QFETCH(QStringList, messages);
        TestEditor t;
        {
            CFtpSetList list;
            list.Load(t.Settings());
            list.At(0) = Site(QStringLiteral("a"), QString());
            list.Add(Site(QStringLiteral("b"), QString()));
            list.Add(Site(QStringLiteral("c"), QString()));
            list.SetSelected(1);
            list.Save(t.Settings());
        }
        for (const QString& in : inputs)
            t.Ui().QueueInput(in);
        for (int a : answers)
            t.Ui().QueueAnswer(Ui::Answer(a));
        CFtpSetForm form(CFtpSetForm::Kind::Upload, t.Ui(), t.Settings());
        form.Open();
        FormModel model;
        form.AddTo(model);
        QCOMPARE(model["設定"].index, 1);
        QCOMPARE(model["サーバ"].text, QStringLiteral("b.example"));
        for (const QString& step : steps) {
            if (step == u"ok")
                form.Ok(model);
            else if (step == u"cancel")
                form.Cancel(model);
            else
                QVERIFY(model.SetFromText(step.section(u'=', 0, 0), step.section(u'=', 1)));
        }
        CFtpSetList saved;
        saved.Load(t.Settings());
        QStringList savedNames;
        for (int i = 0; i < saved.Count(); ++i)
            savedNames.append(saved.At(i).name);
        QCOMPARE(savedNames, names);
        QCOMPARE(saved.Selected(), selected);
        QCOMPARE(t.Ui().Texts(QStringLiteral("message")), messages);
        if (steps.contains(QStringLiteral("ユーザ=bob")))
            QCOMPARE(saved.At(1).user, QStringLiteral("bob"));
        if (steps.contains(QStringLiteral("サーバ=edited")))
            QCOMPARE(saved.At(1).host, QStringLiteral("edited"));
    }

    void lastSetIsNotDeleted()
    {
        TestEditor t;
        CFtpSetForm form(CFtpSetForm::Kind::Connect, t.Ui(), t.Settings());
        form.Open();
        FormModel model;
        form.AddTo(model);
        QVERIFY(model.SetFromText(QStringLiteral("DeleteSet"), QString()));
        QCOMPARE(t.Ui().Texts(QStringLiteral("message")),
                 QStringList{QStringLiteral("設定が一つしかありませんので削除できません。この設定を修正してください")});
        QCOMPARE(model["設定"].choices, QStringList{QStringLiteral("標準の設定")});
        QVERIFY(!model.Find(QStringLiteral("ディレクトリ")));  // the connect form has no folder
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
        QCOMPARE(QStringLiteral("%1%2%3").arg(CNorvaneFtp::GetModeDigit(entry, 0))
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
