#include "TestRegistry.h"

#include "platform/SettingsStore.h"

#include <QFile>
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
        QTest::newRow("at sign") << "Find" << "str01" << "@x";
        QTest::newRow("quotes") << "Find" << "str02" << "say \"hi\" = 'x'";
        QTest::newRow("section with slash") << "my/site\\x" << "Host" << "127.0.0.1";
        QTest::newRow("section General") << "General" << "k" << "v";
        QTest::newRow("percent") << "a%2Fb" << "k%" << "100%";
        QTest::newRow("empty value") << "Find" << "str03" << "";
        QTest::newRow("newline") << "Tool" << "Name00" << "a\nb";
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
        if (!key.contains(u'%'))
            QVERIFY2(raw.contains(key.toUtf8()), raw.constData());
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
