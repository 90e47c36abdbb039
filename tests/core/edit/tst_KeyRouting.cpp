#include "TestFiles.h"
#include "TestRegistry.h"

#include "core/app/CommandIds.h"
#include "core/custom/CKeycustTable.h"
#include "core/custom/VirtualKeys.h"

#include <QTest>

namespace {

// A command that only counts how often it ran.
constexpr int kCounterCommand = 40001;
// A command that is assigned to a key but has no handler yet.
constexpr int kUnbuiltCommand = 40002;

} // namespace

class TestKeyRouting : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void keyDown_data()
    {
        QTest::addColumn<int>("assignedKey");
        QTest::addColumn<bool>("assignedAlt");
        QTest::addColumn<bool>("assignedShift");
        QTest::addColumn<bool>("assignedCtrl");
        QTest::addColumn<int>("key");
        QTest::addColumn<bool>("alt");
        QTest::addColumn<bool>("shift");
        QTest::addColumn<bool>("ctrl");
        QTest::addColumn<bool>("runs");

        const int b = vk::FromLetterOrDigit(u'B');
        QTest::newRow("ctrl+B unassigned goes to the edit control")
            << int(vk::F2) << false << false << false << b << false << false << true << false;
        QTest::newRow("ctrl+B assigned") << b << false << false << true << b << false << false << true << true;
        QTest::newRow("F5 without modifier") << int(vk::F5) << false << false << false << int(vk::F5)
                                             << false << false << false << true;
        QTest::newRow("plain letter never looked up")
            << b << false << false << false << b << false << false << false << false;
        QTest::newRow("plain Delete never looked up")
            << int(vk::Delete) << false << false << false << int(vk::Delete) << false << false << false
            << false;
        QTest::newRow("shift+B assigned") << b << false << true << false << b << false << true << false << true;
        QTest::newRow("modifiers must match") << b << false << true << true << b << false << true << false
                                              << false;
        QTest::newRow("alt bit on key down") << b << true << false << false << b << true << false << false
                                             << true;
        QTest::newRow("F24 is above the function keys")
            << int(vk::F24) << false << false << false << int(vk::F24) << false << false << false << true;
        QTest::newRow("divide key is below them")
            << int(vk::Divide) << false << false << false << int(vk::Divide) << false << false << false
            << false;
    }
    void keyDown()
    {
        QFETCH(int, assignedKey);
        QFETCH(bool, assignedAlt);
        QFETCH(bool, assignedShift);
        QFETCH(bool, assignedCtrl);
        QFETCH(int, key);
        QFETCH(bool, alt);
        QFETCH(bool, shift);
        QFETCH(bool, ctrl);
        QFETCH(bool, runs);
        TestEditor t;
        int count = 0;
        t.App().Commands().Register(kCounterCommand, [&count] { ++count; });
        t.App().KeyTable().Assign({assignedKey, assignedAlt, assignedShift, assignedCtrl}, kCounterCommand);
        // The window asks first, by the same rule.
        QCOMPARE(t.View().TakesKey(key, alt, shift, ctrl), runs);
        QCOMPARE(count, 0);
        QCOMPARE(t.View().OnKeyDown(key, alt, shift, ctrl), runs);
        QCOMPARE(count, runs ? 1 : 0);
        // The character that follows the key is dropped exactly when the key
        // ran a command.
        QCOMPARE(t.View().OnChar(), runs);
        QCOMPARE(t.View().OnChar(), runs);
    }

    void handledFlagLastsUntilTheNextKey()
    {
        TestEditor t;
        t.App().KeyTable().Assign({int(vk::F3), false, false, false}, cmd::EditSelectAll);
        t.SetText(QStringLiteral("abc"));
        QVERIFY(t.View().OnKeyDown(vk::F3, false, false, false));
        QCOMPARE(t.Selection(), QStringLiteral("abc"));
        QVERIFY(t.View().OnChar());
        QVERIFY(!t.View().OnKeyDown(vk::FromLetterOrDigit(u'x'), false, false, false));
        QVERIFY(!t.View().OnChar());
    }

    void systemKeysAreAlwaysLookedUp()
    {
        TestEditor t;
        int count = 0;
        t.App().Commands().Register(kCounterCommand, [&count] { ++count; });
        const int x = vk::FromLetterOrDigit(u'X');
        t.App().KeyTable().Assign({x, true, false, false}, kCounterCommand);
        QVERIFY(t.View().OnSysKeyDown(x, false, false));
        QCOMPARE(count, 1);
        QVERIFY(t.View().OnChar());
        QVERIFY(!t.View().OnSysKeyDown(x, true, false));
        QCOMPARE(count, 1);
        QVERIFY(!t.View().OnChar());
    }

    // A key whose command has no handler (or is disabled) still belongs to
    // that command: it does not type.
    void assignedKeyOfUnavailableCommand()
    {
        TestEditor t;
        t.SetText(QStringLiteral("abc"));
        t.App().KeyTable().Assign({int(vk::F9), false, false, false}, kUnbuiltCommand);
        t.App().KeyTable().Assign({int(vk::F10), false, false, false}, cmd::EditRepeat);
        QVERIFY(t.View().OnKeyDown(vk::F9, false, false, false));
        QVERIFY(t.View().OnChar());
        QVERIFY(t.View().OnKeyDown(vk::F10, false, false, false));
        QCOMPARE(t.Text(), QStringLiteral("abc"));
        QVERIFY(t.Ui().Records().empty());
    }

    void keyTable()
    {
        CKeycustTable table;
        QVERIFY(table.IsEmpty());
        const CKeycustTable::Key ctrlA{vk::KeyA, false, false, true};
        QCOMPARE(table.Assign(ctrlA, 100), 0);
        QCOMPARE(table.Assign(ctrlA, 200), 100);
        QCOMPARE(table.Count(), 1);
        QCOMPARE(table.Lookup(vk::KeyA, false, false, true), 200);
        QCOMPARE(table.Lookup(vk::KeyA, true, false, true), 0);
        QCOMPARE(table.Lookup(vk::KeyA, false, true, true), 0);
        table.Remove(ctrlA);
        QVERIFY(table.IsEmpty());
    }

    void letterAndDigitCodes()
    {
        QCOMPARE(vk::FromLetterOrDigit(u'a'), 65);
        QCOMPARE(vk::FromLetterOrDigit(u'Z'), 90);
        QCOMPARE(vk::FromLetterOrDigit(u'0'), 48);
        QCOMPARE(vk::FromLetterOrDigit(u'9'), 57);
        QCOMPARE(vk::FromLetterOrDigit(u'-'), 0);
        QCOMPARE(vk::FromLetterOrDigit(u'Ａ'), 0);
    }
};
KELVO_TEST(TestKeyRouting, "KeyRouting");
#include "tst_KeyRouting.moc"
