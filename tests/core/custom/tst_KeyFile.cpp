#include "TestFiles.h"
#include "TestRegistry.h"

#include "core/custom/CKeycustTable.h"
#include "core/custom/VirtualKeys.h"

#include <QRandomGenerator>
#include <QTest>

Q_DECLARE_METATYPE(std::vector<CKeycust>)

namespace {

CKeycust Key(int code, bool alt, bool shift, bool ctrl, int command)
{
    using W = std::uint16_t;
    return {.key = W(code), .alt = W(alt), .ctrl = W(ctrl), .shift = W(shift), .command = W(command)};
}

const QByteArray kHeader = QByteArray::fromHex("ffff01000800434b657963757374");

// Ctrl+S to save, F5 alone to the key dialog.
const QByteArray kTwoKeys = QByteArray::fromHex(
    "0200" "ffff" "0100" "0800" "434b6579637573 74"
    "5300" "0000" "0000" "0100" "03e1"
    "0180" "7400" "0000" "0000" "0000" "a880");

std::vector<CKeycust> TwoKeys()
{
    return {Key('S', false, false, true, 57603), Key(vk::F5, false, false, false, 32936)};
}

} // namespace

class TestKeyFile : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void bytes_data()
    {
        QTest::addColumn<std::vector<CKeycust>>("keys");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("empty table: the two bytes of a zero count")
            << std::vector<CKeycust>{} << QByteArray("\0\0", 2);
        QTest::newRow("two assignments: 38 bytes") << TwoKeys() << kTwoKeys;
        QTest::newRow("words in the order key, alt, shift, ctrl, command")
            << std::vector<CKeycust>{Key(vk::Numpad0 + 1, true, false, true, 32776)}
            << QByteArray::fromHex("0100ffff0100080043 4b6579637573 74 6100 0100 0000 0100 0880");
    }
    void bytes()
    {
        QFETCH(std::vector<CKeycust>, keys);
        QFETCH(QByteArray, bytes);
        QCOMPARE(KeyFileBytes(keys).toHex(' '), bytes.toHex(' '));
        const std::optional<std::vector<CKeycust>> read = ParseKeyFile(bytes);
        QVERIFY(read);
        QVERIFY(*read == keys);
    }

    // A file this program wrote reads back as the same table and the same
    // bytes, in the order the keys were given.
    void saveAndLoad()
    {
        QTemporaryDir dir;
        CKeycustTable table;
        table.Assign({'S', false, false, true}, 57603);
        table.Assign({vk::F5, false, false, false}, 32936);
        table.Assign({vk::KeyA, true, false, false}, 32776);
        table.Assign({vk::KeyA, true, false, false}, 0);
        const QString path = dir.filePath(QStringLiteral("my.KEY"));
        QVERIFY(table.Save(path));
        QCOMPARE(ReadBytes(path), kTwoKeys);
        CKeycustTable other;
        QVERIFY(other.Load(path));
        QVERIFY(other.Assignments() == table.Assignments());
        QCOMPARE(other.FileName(), path);
        QVERIFY(other.Save());
        QCOMPARE(ReadBytes(path), kTwoKeys);
    }

    // A count of 65535 or more is written as 65535 and a 32-bit count.
    void bigCount()
    {
        std::vector<CKeycust> keys(70000, Key(vk::F1, false, false, false, 57600));
        const QByteArray bytes = KeyFileBytes(keys);
        QCOMPARE(bytes.left(6).toHex(), QByteArray("ffff70110100"));
        QCOMPARE(bytes.size(), 6 + 14 + 10 + 69999 * 12);
        const auto read = ParseKeyFile(bytes);
        QVERIFY(read);
        QCOMPARE(read->size(), keys.size());
    }

    void damaged_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        const QByteArray one = QByteArray::fromHex("0100") + kHeader + QByteArray(10, '\0');
        QTest::newRow("no bytes") << QByteArray();
        QTest::newRow("one byte") << QByteArray("\x01", 1);
        QTest::newRow("count without assignments") << QByteArray::fromHex("0100");
        QTest::newRow("assignment cut short") << one.left(one.size() - 1);
        QTest::newRow("a third assignment missing") << QByteArray(kTwoKeys).replace(0, 2, QByteArray("\x03\x00", 2));
        QTest::newRow("count far beyond the file")
            << QByteArray::fromHex("ffffffffff7f") + kHeader + QByteArray(10, '\0');
        QTest::newRow("big count cut short") << QByteArray::fromHex("ffff01");
        QTest::newRow("no new-class tag") << QByteArray(one).replace(2, 2, "\x01\x80");
        QTest::newRow("other schema") << QByteArray(one).replace(4, 2, QByteArray("\x02\x00", 2));
        QTest::newRow("other class name length") << QByteArray(one).replace(6, 2, QByteArray("\x07\x00", 2));
        QTest::newRow("other class name") << QByteArray(one).replace(8, 8, "CKeyCust");
        QTest::newRow("reference to another class") << QByteArray(kTwoKeys).replace(26, 2, "\x02\x80");
        QTest::newRow("second new-class tag") << QByteArray(kTwoKeys).replace(26, 2, "\xff\xff");
    }
    // Refused, and the table keeps its assignments and its file name: a
    // later save must not write over what was chosen by mistake.
    void damaged()
    {
        QFETCH(QByteArray, bytes);
        QVERIFY(!ParseKeyFile(bytes));
        TestEditor t;
        CKeycustTable table;
        table.Assign({vk::F2, false, false, false}, 57601);
        table.SetFileName(t.Path(QStringLiteral("kelvo.key")));
        const std::vector<CKeycust> before = table.Assignments();
        const QString path = t.MakeFile(QStringLiteral("bad.key"), bytes);
        QVERIFY(!table.Load(path));
        QVERIFY(table.Assignments() == before);
        QCOMPARE(table.FileName(), t.Path(QStringLiteral("kelvo.key")));
    }

    // Every cut of a valid file is refused although the bytes after the cut
    // would complete it: the reader never looks past the end it was given.
    void everyCutIsRefused()
    {
        const QByteArray whole = KeyFileBytes({Key(1, 0, 0, 0, 2), Key(3, 1, 1, 1, 4), Key(5, 0, 1, 0, 6)});
        for (qsizetype n = 0; n < whole.size(); ++n)
            QVERIFY2(!ParseKeyFile(QByteArrayView(whole).first(n)), qPrintable(QString::number(n)));
    }

    // Random bytes and random changes to a valid file: never a crash or a
    // hang, and whatever is accepted writes back to bytes that read the same.
    void fuzz()
    {
        QRandomGenerator random(20261208);
        const QByteArray valid = kTwoKeys + QByteArray::fromHex("0180") + QByteArray(10, '\x01');
        QByteArray withThree = valid;
        withThree[0] = 3;
        int accepted = 0;
        for (int round = 0; round < 4000; ++round) {
            QByteArray bytes;
            if (round % 2 == 0) {
                bytes.resize(random.bounded(64));
                for (char& c : bytes)
                    c = static_cast<char>(random.bounded(256));
                if (round % 4 == 0 && bytes.size() >= 2)
                    bytes[1] = 0;  // small counts, so some files get far
            } else {
                bytes = withThree;
                const int changes = 1 + random.bounded(3);
                for (int i = 0; i < changes; ++i)
                    bytes[random.bounded(bytes.size())] = static_cast<char>(random.bounded(256));
                if (random.bounded(4) == 0)
                    bytes.truncate(random.bounded(bytes.size()));
            }
            const std::optional<std::vector<CKeycust>> read = ParseKeyFile(bytes);
            if (!read)
                continue;
            ++accepted;
            const std::optional<std::vector<CKeycust>> again = ParseKeyFile(KeyFileBytes(*read));
            QVERIFY(again);
            QVERIFY(*again == *read);
        }
        QVERIFY(accepted > 100);
    }

    void displayNames_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<int>("mods");  // 1 alt, 2 shift, 4 ctrl
        QTest::addColumn<QString>("name");
        QTest::newRow("alt and ctrl with F5") << int(vk::F5) << 5 << "Alt+Ctrl+F5";
        QTest::newRow("all three on the keypad") << vk::Numpad0 + 1 << 7 << "Alt+Shift+Ctrl+NUMPAD1";
        QTest::newRow("at sign") << int('@') << 4 << "Ctrl+@";
        QTest::newRow("digit, not keypad digit") << int('7') << 2 << "Shift+7";
        QTest::newRow("back space") << int(vk::Back) << 0 << "BackSpace";
        QTest::newRow("keypad minus") << int(vk::Subtract) << 4 << "Ctrl+-";
        QTest::newRow("a code without a name") << int(vk::F24) << 4 << "Ctrl+";
    }
    void displayNames()
    {
        QFETCH(int, code);
        QFETCH(int, mods);
        QFETCH(QString, name);
        QCOMPARE(CKeycustTable::DisplayName(CKeycustTable::Key{code, bool(mods & 1), bool(mods & 2),
                                                               bool(mods & 4)}),
                 name);
    }
};
KELVO_TEST(TestKeyFile, "KeyFile");
#include "tst_KeyFile.moc"
