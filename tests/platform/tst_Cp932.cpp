#include "TestRegistry.h"

#include "platform/Cp932.h"

#include <QTest>

using platform::Cp932ToUnicode;
using platform::UnicodeToCp932;

class TestCp932 : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void decode_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("text");
        QTest::newRow("ascii") << QByteArray("<P>a\r\n") << QStringLiteral("<P>a\r\n");
        QTest::newRow("kanji") << QByteArray("\x88\x9f\x8a\xbf") << QStringLiteral("亜漢");
        QTest::newRow("half-width kana") << QByteArray("\xb1\xdf") << QStringLiteral("ｱﾟ");
        QTest::newRow("wave dash is the full-width tilde") << QByteArray("\x81\x60")
                                                           << QStringLiteral("～");
        QTest::newRow("nec special") << QByteArray("\x87\x40") << QStringLiteral("①");
        QTest::newRow("ibm extension") << QByteArray("\xfa\x40") << QStringLiteral("ⅰ");
        // Invalid input is replaced and decoding goes on.
        QTest::newRow("lead at end") << QByteArray("ab\x88") << QStringLiteral("ab\uFFFD");
        QTest::newRow("lead before a blank keeps the blank")
            << QByteArray("\x88 \x88\x9f") << QStringLiteral("\uFFFD 亜");
        QTest::newRow("unassigned pair with an ascii trail keeps the letter")
            << QByteArray("\x85" "A<") << QStringLiteral("\uFFFDA<");
        QTest::newRow("lead before line end keeps it")
            << QByteArray("\x88\r\nx") << QStringLiteral("\uFFFD\r\nx");
        QTest::newRow("unassigned pair") << QByteArray("\x85\x80z") << QStringLiteral("\uFFFDz");
        QTest::newRow("nul byte") << QByteArray("a\0b", 3) << QString(QStringLiteral("a")) + QChar(0) + u'b';
    }
    void decode()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, text);
        QCOMPARE(Cp932ToUnicode(bytes), text);
    }

    void encode_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("kanji") << QStringLiteral("亜a") << QByteArray("\x88\x9f" "a");
        QTest::newRow("kana") << QStringLiteral("ｱ") << QByteArray("\xb1");
        QTest::newRow("outside the code page") << QStringLiteral("é") << QByteArray("?");
        QTest::newRow("emoji is one character") << QStringLiteral("x😀y") << QByteArray("x?y");
        QTest::newRow("lone surrogate") << QString(QChar(0xD800)) + u'a' << QByteArray("?a");
        QTest::newRow("empty") << QString() << QByteArray();
    }
    void encode()
    {
        QFETCH(QString, text);
        QFETCH(QByteArray, bytes);
        QCOMPARE(UnicodeToCp932(text), bytes);
    }

    // Every valid double-byte code that decodes to a character encodes back
    // to itself, except for the few code points CP932 has twice.
    void doubleByteRoundTrip()
    {
        int checked = 0;
        int duplicates = 0;
        for (int lead = 0x81; lead <= 0xFC; ++lead) {
            if (lead > 0x9F && lead < 0xE0)
                continue;
            for (int trail = 0x40; trail <= 0xFC; ++trail) {
                if (trail == 0x7F)
                    continue;
                QByteArray b(2, '\0');
                b[0] = char(lead);
                b[1] = char(trail);
                const QString u = Cp932ToUnicode(b);
                if (u[0] == QChar(0xFFFD)) {
                    // Nothing is lost: a 7-bit trail byte is kept as itself.
                    QCOMPARE(u.size(), trail < 0x80 ? 2 : 1);
                    continue;
                }
                QCOMPARE(u.size(), 1);
                ++checked;
                const QByteArray back = UnicodeToCp932(u);
                if (back != b) {
                    ++duplicates;
                    QVERIFY2(Cp932ToUnicode(back) == u, b.toHex().constData());
                } else {
                    QVERIFY(platform::Cp932RoundTrips(u[0].unicode()));
                }
            }
        }
        QVERIFY(checked > 7000);
        // NEC-selected IBM extensions and a handful of NEC row 13 symbols.
        QVERIFY(duplicates < 500);
    }
};

KELVO_TEST(TestCp932, "Cp932");
#include "tst_Cp932.moc"
