#include "TestRegistry.h"

#include "platform/IniText.h"
#include "platform/SettingsStore.h"

#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

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
        QTest::newRow("doubled at sign") << QByteArray("[Find]\nstr01=@@x\n") << "Find" << "str01"
                                         << "@x";
        QTest::newRow("escaped section") << QByteArray("[%U65E5%U672C%20x]\nh=1\n") << "日本 x"
                                         << "h" << "1";
        QTest::newRow("section with a slash") << QByteArray("[my%252Fsite%255Cx]\nHost=h\n")
                                              << "my/site\\x" << "Host" << "h";
        QTest::newRow("section General") << QByteArray("[%General]\nk=v\n") << "General" << "k"
                                         << "v";
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
