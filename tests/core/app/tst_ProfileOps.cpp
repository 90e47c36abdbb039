#include "TestFiles.h"
#include "TestRegistry.h"

#include <QTest>

class TestProfileOps : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void freshStoreGivesEveryDefault()
    {
        TestEditor t;
        QCOMPARE(t.App().GetProfileInt("System", "IniMode", 0), 0);
        QCOMPARE(t.App().GetProfileInt("System", "Wrap", 1), 1);
        QCOMPARE(t.App().GetProfileString("View", "BackColor", "16777215"), QStringLiteral("16777215"));
    }

    // A field confirmed empty gives a null string; it is stored as empty,
    // never taken as a request to delete the setting.
    void nullStringIsStoredEmpty()
    {
        TestEditor t;
        t.App().WriteProfileString("Tool", "LeftMargin", "10");
        QVERIFY(t.App().WriteProfileString("Tool", "LeftMargin", QString()));
        QCOMPARE(t.App().GetProfileString("Tool", "LeftMargin", "default"), QString(""));
        QVERIFY(!t.App().WriteProfileString("Tool", QString(), "x"));
        QVERIFY(t.Settings().HasKey("Tool", "LeftMargin"));
    }

    void explicitDeletion()
    {
        TestEditor t;
        t.App().WriteProfileString("Find", "str00", "a");
        t.App().WriteProfileString("Find", "str01", "b");
        QVERIFY(t.App().DeleteProfileValue("Find", "str00"));
        QCOMPARE(t.App().GetProfileString("Find", "str00", "gone"), QStringLiteral("gone"));
        QCOMPARE(t.App().GetProfileString("Find", "str01", "gone"), QStringLiteral("b"));
        QVERIFY(!t.App().DeleteProfileValue("Find", QString()));  // never the whole section
        QCOMPARE(t.App().GetProfileString("Find", "str01", "gone"), QStringLiteral("b"));
        QVERIFY(t.App().DeleteProfileSection("Find"));
        QCOMPARE(t.App().GetProfileString("Find", "str01", "gone"), QStringLiteral("gone"));
    }
};

KELVO_TEST(TestProfileOps, "ProfileOps");
#include "tst_ProfileOps.moc"
