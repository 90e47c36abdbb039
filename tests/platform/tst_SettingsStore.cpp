#include "TestFiles.h"
#include "TestRegistry.h"

#include "platform/IniText.h"
#include "platform/SettingsStore.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <optional>

#include <sys/stat.h>
#include <unistd.h>

using platform::SettingsStore;

class TestSettingsStore : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void freshStoreGivesDefaults()
    {
        QTemporaryDir dir;
        SettingsStore s(dir.filePath("kelvo.ini"));
        QCOMPARE(s.ReadInt("System", "IniMode", 0), 0);
        QCOMPARE(s.ReadInt("View", "TabNo", 8), 8);
        QCOMPARE(s.ReadString("Font", "FaceName", "ＭＳ Ｐゴシック"), QStringLiteral("ＭＳ Ｐゴシック"));
        QCOMPARE(s.ReadString("System", "IniFile", QString()), QString());
    }

    void valuesRoundTrip_data()
    {
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("value");
        QTest::newRow("plain") << "System" << "InitDir" << "/home/u/Documents";
        QTest::newRow("japanese") << "Font" << "FaceName" << "ＭＳ Ｐゴシック";
        QTest::newRow("comma") << "Table" << "Class" << "a,b, c";
        QTest::newRow("leading blank") << "Find" << "str00" << "  x ";
        QTest::newRow("trailing blank only") << "Find" << "str06" << "x ";
        QTest::newRow("at sign") << "Find" << "str01" << "@x";
        QTest::newRow("quotes") << "Find" << "str02" << "say \"hi\" = 'x'";
        QTest::newRow("section with slash") << "my/site\\x" << "Host" << "127.0.0.1";
        QTest::newRow("section General") << "General" << "k" << "v";
        QTest::newRow("percent") << "a%2Fb" << "k%" << "100%";
        QTest::newRow("empty value") << "Find" << "str03" << "";
        QTest::newRow("newline") << "Tool" << "Name00" << "a\nb";
        QTest::newRow("backslash and semicolon") << "System" << "InitDir" << "C:\\a;b\\";
        QTest::newRow("quoted text") << "Find" << "str04" << "\"x\"";
        QTest::newRow("doubled at sign") << "Find" << "str05" << "@@x";
        QTest::newRow("tab and CR LF") << "Tool" << "Name01" << "\ta\r\nb\t";
        QTest::newRow("key with blank and Japanese") << "日本 語" << "キー 1" << "v";
        QTest::newRow("file name bytes that are not UTF-8")
            << "Recent File List" << "File1" << (QStringLiteral("/d/") + QChar(0xDC95) + QStringLiteral("\\.html"));
    }
    void valuesRoundTrip()
    {
        QFETCH(QString, section);
        QFETCH(QString, key);
        QFETCH(QString, value);
        QTemporaryDir dir;
        {
            SettingsStore s(dir.filePath("kelvo.ini"));
            QVERIFY(s.WriteString(section, key, value));
            QCOMPARE(s.ReadString(section, key, "default"), value);
        }
        // The value is in the file already (a crash now would keep it).
        QFile file(dir.filePath("kelvo.ini"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray raw = file.readAll();
        // The file may hold passwords: it is the owner's alone.
        QCOMPARE(file.permissions() & ~(QFile::ReadUser | QFile::WriteUser | QFile::ReadOwner | QFile::WriteOwner),
                 QFile::Permissions());
        if (QRegularExpression(QStringLiteral("^[A-Za-z0-9]+$")).match(key).hasMatch())
            QVERIFY2(raw.contains(key.toUtf8()), raw.constData());
        SettingsStore again(dir.filePath("kelvo.ini"));
        QCOMPARE(again.ReadString(section, key, "default"), value);
        // The store above may answer from the cache QSettings keeps: the
        // text written is read back here.
        QCOMPARE(platform::IniValue(platform::IniValueText(value)), value);
    }

    // Files written by hand, or by earlier versions, read as a user reads
    // them.
    void readsTheFileAsWritten_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("value");
        QTest::newRow("blank after a comma")
            << QByteArray("[System]\nInitDir=/srv/www/My Pages, old\n") << "System" << "InitDir"
            << "/srv/www/My Pages, old";
        QTest::newRow("semicolon") << QByteArray("[Find]\nstr00=a;b ; c\n") << "Find" << "str00"
                                   << "a;b ; c";
        QTest::newRow("backslashes") << QByteArray("[System]\nInitDir=C:\\new\\table\\\n")
                                     << "System" << "InitDir" << "C:\\new\\table\\";
        QTest::newRow("blanks around the equals sign")
            << QByteArray("[View]\n  TabNo  =  4 \t\n") << "View" << "TabNo" << "4";
        QTest::newRow("equals sign and quotes inside")
            << QByteArray("[Tag]\nTag100=<A HREF=\"x\">\n") << "Tag" << "Tag100"
            << "<A HREF=\"x\">";
        QTest::newRow("quote only at the start")
            << QByteArray("[Find]\nstr00=\"abc\n") << "Find" << "str00" << "\"abc";
        QTest::newRow("ideographic space kept")
            << QByteArray("[Find]\nstr00=\xE3\x80\x80x\xE3\x80\x80\n") << "Find" << "str00"
            << "\u3000x\u3000";
        QTest::newRow("byte-order mark, CR LF, comments")
            << QByteArray("\xEF\xBB\xBF; mine\r\n# too\r\n[Font]\r\nFaceName=Noto Sans\r\n")
            << "Font" << "FaceName" << "Noto Sans";
        QTest::newRow("later line wins") << QByteArray("[A]\nk=1\nk=2\n") << "A" << "k" << "2";
        // As earlier versions wrote them.
        QTest::newRow("quoted with blanks") << QByteArray("[Find]\nstr00=\"  x, y \"\n")
                                            << "Find" << "str00" << "  x, y ";
        QTest::newRow("quoted with escapes")
            << QByteArray("[Tool]\nName00=\"a\\r\\nb\\\\c\\\"\\x1\"\n") << "Tool" << "Name00"
            << "a\r\nb\\c\"\x01";
        QTest::newRow("octal escape of three digits, a digit after it")
            << QByteArray("[Tool]\nName00=\"\\1011\"\n") << "Tool" << "Name00" << "A1";
        QTest::newRow("doubled at sign") << QByteArray("[Find]\nstr01=@@x\n") << "Find" << "str01"
                                         << "@x";
        QTest::newRow("escaped section") << QByteArray("[%U65E5%U672C%20x]\nh=1\n") << "日本 x"
                                         << "h" << "1";
        QTest::newRow("section with a slash") << QByteArray("[my%252Fsite%255Cx]\nHost=h\n")
                                              << "my/site\\x" << "Host" << "h";
        QTest::newRow("section General") << QByteArray("[%General]\nk=v\n") << "General" << "k"
                                         << "v";
        // Hand-edited on Windows, or from an older install.
        QTest::newRow("Shift-JIS value") << QByteArray("[Font]\nFaceName=\x82\x6c\x82\x72 \x83\x53\x83\x56\n")
                                         << "Font" << "FaceName" << "ＭＳ ゴシ";
    }
    void readsTheFileAsWritten()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, section);
        QFETCH(QString, key);
        QFETCH(QString, value);
        QTemporaryDir dir;
        QFile f(dir.filePath("kelvo.ini"));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(file);
        f.close();
        SettingsStore s(dir.filePath("kelvo.ini"));
        QCOMPARE(s.ReadString(section, key, "default"), value);
        // Writing another value keeps this one as it reads.
        QVERIFY(s.WriteString(QStringLiteral("Other"), QStringLiteral("k"), QStringLiteral("v")));
        SettingsStore again(dir.filePath("kelvo.ini"));
        QCOMPARE(again.ReadString(section, key, "default"), value);
    }

    void integers_data()
    {
        QTest::addColumn<int>("value");
        QTest::newRow("zero") << 0;
        QTest::newRow("one") << 1;
        QTest::newRow("negative") << -5;
        QTest::newRow("colour") << 16777215;
        QTest::newRow("max") << INT_MAX;
        QTest::newRow("min") << INT_MIN;
    }
    void integers()
    {
        QFETCH(int, value);
        QTemporaryDir dir;
        SettingsStore s(dir.filePath("kelvo.ini"));
        QVERIFY(s.WriteInt("View", "TabNo", value));
        SettingsStore again(dir.filePath("kelvo.ini"));
        QCOMPARE(again.ReadInt("View", "TabNo", 8), value);
    }

    void unusableIntegerGivesDefault()
    {
        QTemporaryDir dir;
        SettingsStore s(dir.filePath("kelvo.ini"));
        s.WriteString("View", "TabNo", "eight");
        QCOMPARE(s.ReadInt("View", "TabNo", 8), 8);
        s.WriteString("View", "TabNo", " 4 ");
        QCOMPARE(s.ReadInt("View", "TabNo", 8), 4);
        s.WriteString("View", "TabNo", "99999999999");
        QCOMPARE(s.ReadInt("View", "TabNo", 8), 8);
        // Colours written unsigned by earlier versions: 32 bits still.
        s.WriteString("View", "TabNo", "4294967295");
        QCOMPARE(s.ReadInt("View", "TabNo", 8), -1);
        s.WriteString("View", "TabNo", "4294967296");
        QCOMPARE(s.ReadInt("View", "TabNo", 8), 8);
    }

    void missingValueDeletesKey()
    {
        QTemporaryDir dir;
        SettingsStore s(dir.filePath("kelvo.ini"));
        s.WriteString("System", "IniFile", "/a.html");
        s.WriteString("System", "InitDir", "/d");
        QVERIFY(s.RemoveKey("System", "IniFile"));
        QVERIFY(!s.HasKey("System", "IniFile"));
        QCOMPARE(s.ReadString("System", "IniFile", "dflt"), QStringLiteral("dflt"));
        QCOMPARE(s.ReadString("System", "InitDir", QString()), QStringLiteral("/d"));
        // An empty or null string is a value, not a deletion.
        s.WriteString("System", "InitDir", QStringLiteral(""));
        QVERIFY(s.HasKey("System", "InitDir"));
        s.WriteString("System", "InitDir", QString());
        QVERIFY(s.HasKey("System", "InitDir"));
        // An empty key never stands for the whole section.
        QVERIFY(!s.RemoveKey("System", QString()));
        QVERIFY(!s.WriteString("System", QString(), "x"));
        QVERIFY(s.HasKey("System", "InitDir"));
    }

    void missingKeyDeletesSection()
    {
        QTemporaryDir dir;
        SettingsStore s(dir.filePath("kelvo.ini"));
        s.WriteString("Recent File List", "File1", "/a");
        s.WriteString("Recent File List", "File2", "/b");
        s.WriteString("System", "IniFile", "/a");
        QVERIFY(s.RemoveSection("Recent File List"));
        QVERIFY(!s.HasKey("Recent File List", "File1"));
        QVERIFY(!s.HasKey("Recent File List", "File2"));
        QVERIFY(s.HasKey("System", "IniFile"));
    }

    void unwritableFileReportsFailure()
    {
        QTemporaryDir dir;
        // A folder where the file should be: the write cannot succeed.
        QDir(dir.path()).mkpath("kelvo.ini");
        SettingsStore s(dir.filePath("kelvo.ini"));
        QVERIFY(!s.WriteInt("View", "TabNo", 4));
    }

    // The settings file where users point it: a link to a device node (the
    // way to make a program forget), a FIFO, a link to a file kept
    // elsewhere. A node or link stays what it is, nothing waits on a FIFO,
    // and a file that cannot be written keeps the settings in memory with
    // one report, however many writes fail.
    void fileWhereUsersPointIt_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<bool>("written");
        QTest::newRow("link to a device node") << "device" << true;
        QTest::newRow("fifo nobody reads") << "fifo" << false;
        QTest::newRow("link to a file elsewhere") << "link" << true;
        QTest::newRow("relative link to a file elsewhere") << "relative link" << true;
        QTest::newRow("file the user cannot read") << "unreadable" << false;
    }
    void fileWhereUsersPointIt()
    {
        QFETCH(QString, kind);
        QFETCH(bool, written);
        QTemporaryDir dir;
        const QString ini = dir.filePath("kelvo.ini");
        const QString target = dir.filePath(kind.endsWith(u"link") ? "elsewhere/kept.ini" : "node");
        const QByteArray secret("[ftp]\nPass=x\n");
        if (kind == u"device")
            QVERIFY(MakeNullDevice(target));
        if (kind.endsWith(u"link")) {
            QVERIFY(QDir(dir.path()).mkpath("elsewhere"));
            QVERIFY(WriteBytes(target, "; mine\n"));
        }
        if (kind == u"fifo")
            QCOMPARE(::mkfifo(QFile::encodeName(ini).constData(), 0600), 0);
        else if (kind == u"unreadable")
            QVERIFY(WriteBytes(ini, secret) && QFile::setPermissions(ini, QFile::WriteOwner));
        else
            QCOMPARE(::symlink(kind == u"relative link" ? "elsewhere/kept.ini" : QFile::encodeName(target).constData(),
                               QFile::encodeName(ini).constData()),
                     0);
        struct stat before {};
        QCOMPARE(::lstat(QFile::encodeName(ini).constData(), &before), 0);

        // The user's own file, which only its mode keeps from being read.
        std::optional<AsOrdinaryUser> user;
        if (kind == u"unreadable") {
            QVERIFY(GiveToOrdinaryUser({dir.path(), ini}));
            user.emplace();
        }
        SettingsStore s(ini);
        int told = 0;
        s.SetWriteFailureHandler([&](platform::FileError) { ++told; });
        QCOMPARE(s.WriteInt("View", "TabNo", 4), written);
        QCOMPARE(s.WriteInt("View", "TabNo", 5), written);
        QCOMPARE(told, written ? 0 : 1);
        QCOMPARE(s.ReadInt("View", "TabNo", 8), 5);

        struct stat after {};
        QCOMPARE(::lstat(QFile::encodeName(ini).constData(), &after), 0);
        QCOMPARE(after.st_mode, before.st_mode);
        QCOMPARE(after.st_ino, before.st_ino);
        if (kind.endsWith(u"link")) {
            QCOMPARE(ReadBytes(target), QByteArray("; mine\n\n[View]\nTabNo=5\n"));
            struct stat st {};
            QCOMPARE(::stat(QFile::encodeName(target).constData(), &st), 0);
            QCOMPARE(st.st_mode & 0777, 0600u);
        }
        if (kind == u"unreadable") {
            user.reset();
            QCOMPARE(ReadBytes(ini), secret);
        }
    }

    // What a user wrote by hand keeps its bytes through the program's
    // writes: comments, order, line ends, a line the reader cannot use, a
    // Shift-JIS value nobody changed. A changed Shift-JIS value stays in
    // Shift-JIS where it can.
    void handWrittenFileKeepsItsForm_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("value");  // null: the key is removed
        QTest::addColumn<QByteArray>("written");
        const QByteArray msGothic("FaceName=\x82\x6c\x82\x72 \x83\x53\x83\x56\x83\x62\x83\x4e");
        QTest::newRow("comments and order, a new key after its section's last")
            << QByteArray("; mine\n[B]\nz=1\n# why\na=2\n\n[A]\nk=v\n") << "B" << "new" << "3"
            << QByteArray("; mine\n[B]\nz=1\n# why\na=2\nnew=3\n\n[A]\nk=v\n");
        QTest::newRow("a changed value keeps its key's spelling")
            << QByteArray("[A]\n  K = old ; x\n") << "A" << "K" << "new"
            << QByteArray("[A]\n  K = new\n");
        QTest::newRow("CR LF and no line end at the end")
            << QByteArray("[A]\r\nk=v") << "C" << "n" << "1"
            << QByteArray("[A]\r\nk=v\r\n\r\n[C]\r\nn=1\r\n");
        QTest::newRow("an unreadable line stays")
            << QByteArray("[A]\n\0\0\0\nk=v\n", 12) << "A" << "k" << "w"
            << QByteArray("[A]\n\0\0\0\nk=w\n", 12);
        QTest::newRow("Shift-JIS value untouched") << QByteArray("[Font]\n" + msGothic + "\n")
                                                   << "Font" << "Point" << "9"
                                                   << QByteArray("[Font]\n" + msGothic + "\nPoint=9\n");
        QTest::newRow("Shift-JIS value changed, in Shift-JIS")
            << QByteArray("[Font]\n" + msGothic + "\n") << "Font" << "FaceName" << "ＭＳ 明朝"
            << QByteArray("[Font]\nFaceName=\x82\x6c\x82\x72 \x96\xbe\x92\xa9\n");
        QTest::newRow("Shift-JIS value changed, beyond Shift-JIS")
            << QByteArray("[Font]\n" + msGothic + "\n") << "Font" << "FaceName" << "Noto 한"
            << QByteArray("[Font]\nFaceName=Noto \xED\x95\x9C\n");
        QTest::newRow("removed key, comments stay")
            << QByteArray("[A]\n; about k\nk=1\nk=2\nj=3\n") << "A" << "k" << QString()
            << QByteArray("[A]\n; about k\nj=3\n");
    }
    void handWrittenFileKeepsItsForm()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, section);
        QFETCH(QString, key);
        QFETCH(QString, value);
        QFETCH(QByteArray, written);
        QTemporaryDir dir;
        const QString ini = dir.filePath("kelvo.ini");
        QVERIFY(WriteBytes(ini, file));
        SettingsStore s(ini);
        QVERIFY(value.isNull() ? s.RemoveKey(section, key) : s.WriteString(section, key, value));
        QCOMPARE(ReadBytes(ini), written);
        QCOMPARE(SettingsStore(ini).ReadString(section, key, "gone"), value.isNull() ? "gone" : value);
    }

    // Two programs at once: each write keeps what the other wrote since.
    void anotherProgramsChangesStay()
    {
        QTemporaryDir dir;
        const QString ini = dir.filePath("kelvo.ini");
        SettingsStore first(ini);
        SettingsStore second(ini);
        QVERIFY(first.WriteString("A", "one", "1"));
        QVERIFY(second.WriteString("A", "two", "2"));
        QVERIFY(first.WriteString("A", "three", "3"));
        SettingsStore after(ini);
        QCOMPARE(after.ReadString("A", "one", ""), "1");
        QCOMPARE(after.ReadString("A", "two", ""), "2");
        QCOMPARE(after.ReadString("A", "three", ""), "3");
    }

    void environmentMovesTheStore()
    {
        QTemporaryDir dir;
        const QByteArray old = qgetenv("KELVO_CONFIG_DIR");
        qputenv("KELVO_CONFIG_DIR", dir.path().toLocal8Bit());
        QCOMPARE(SettingsStore::DefaultPath(), dir.filePath("kelvo.ini"));
        {
            SettingsStore s;
            s.WriteInt("System", "IniMode", 1);
        }
        QVERIFY(QFile::exists(dir.filePath("kelvo.ini")));
        qunsetenv("KELVO_CONFIG_DIR");
        const QByteArray oldXdg = qgetenv("XDG_CONFIG_HOME");
        qputenv("XDG_CONFIG_HOME", "/tmp/xdg-test");
        QCOMPARE(SettingsStore::DefaultPath(), QStringLiteral("/tmp/xdg-test/Norvane/kelvo.ini"));
        qputenv("XDG_CONFIG_HOME", oldXdg);
        if (!old.isEmpty())
            qputenv("KELVO_CONFIG_DIR", old);
    }
};

KELVO_TEST(TestSettingsStore, "SettingsStore");
#include "tst_SettingsStore.moc"
