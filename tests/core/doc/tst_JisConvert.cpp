#include "TestFiles.h"
#include "TestRegistry.h"

#include "core/doc/JisConvert.h"

#include <QTest>


namespace {

QByteArray Jis(QByteArrayView line)
{
    JisMode mode = JisMode::Ascii;
    return JisLineToSjis(line, mode);
}

QByteArray ToJis(QByteArrayView line)
{
    JisMode mode = JisMode::Ascii;
    return SjisLineToJis(line, mode);
}

} // namespace

class TestJisConvert : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void codeMapping_data()
    {
        QTest::addColumn<uint>("jis");
        QTest::addColumn<uint>("sjis");
        QTest::newRow("first kanji") << 0x3021u << 0x889Fu;
        QTest::newRow("ideographic space") << 0x2121u << 0x8140u;
        QTest::newRow("odd row high cell") << 0x2160u << 0x8180u;
        QTest::newRow("odd row cell 5F") << 0x215Fu << 0x817Eu;
        QTest::newRow("even row") << 0x2221u << 0x819Fu;
        QTest::newRow("last of first lead range") << 0x5E7Eu << 0x9FFCu;
        QTest::newRow("second lead range") << 0x5F21u << 0xE040u;
        QTest::newRow("last code") << 0x7E7Eu << 0xEFFCu;
    }
    void codeMapping()
    {
        QFETCH(uint, jis);
        QFETCH(uint, sjis);
        QCOMPARE(JisToSjis(jis), sjis);
        QCOMPARE(SjisToJis(sjis), jis);
    }

    void undefinedCodes_data()
    {
        QTest::addColumn<uint>("code");
        QTest::addColumn<bool>("toSjis");
        QTest::newRow("jis low byte 20") << 0x3020u << true;
        QTest::newRow("jis high byte 7F") << 0x7F21u << true;
        QTest::newRow("jis low byte 7F") << 0x217Fu << true;
        QTest::newRow("sjis ibm extension F040") << 0xF040u << false;
        QTest::newRow("sjis FA40") << 0xFA40u << false;
        QTest::newRow("sjis bad trail 7F") << 0x887Fu << false;
        QTest::newRow("sjis bad lead A0") << 0xA040u << false;
        QTest::newRow("sjis single byte") << 0x0041u << false;
    }
    void undefinedCodes()
    {
        QFETCH(uint, code);
        QFETCH(bool, toSjis);
        QCOMPARE(toSjis ? JisToSjis(code) : SjisToJis(code), 0u);
    }

    // The arithmetic agrees with iconv for every JIS X 0208 code.
    void mappingAgreesWithIconv()
    {
        int compared = 0;
        for (uint h = 0x21; h <= 0x7E; ++h)
            for (uint l = 0x21; l <= 0x7E; ++l) {
                QByteArray euc(2, '\0');
                euc[0] = char(h | 0x80);
                euc[1] = char(l | 0x80);
                const QByteArray sjis = Iconv("EUC-JP-MS", "CP932", euc);
                if (sjis.size() != 2)
                    continue;
                const uint expected = (uchar(sjis[0]) << 8) | uchar(sjis[1]);
                // Only JIS X 0208 itself: rows 9-15 (NEC symbols, which CP932
                // maps to duplicates) and rows past 84 are vendor additions.
                if ((h >= 0x29 && h <= 0x2F) || h > 0x74)
                    continue;
                QCOMPARE(JisToSjis((h << 8) | l), expected);
                ++compared;
            }
        QVERIFY(compared > 6800);
    }

    void jisToSjis_data()
    {
        QTest::addColumn<QByteArray>("jis");
        QTest::addColumn<QByteArray>("sjis");
        QTest::newRow("kanji") << QByteArray("\x1b$B0!\x1b(B") << QByteArray("\x88\x9f");
        QTest::newRow("ESC $ @") << QByteArray("\x1b$@0!") << QByteArray("\x88\x9f");
        QTest::newRow("ESC & @") << QByteArray("\x1b&@0!") << QByteArray("\x88\x9f");
        QTest::newRow("ESC $ ( D") << QByteArray("\x1b$(D0!") << QByteArray("\x88\x9f");
        QTest::newRow("ESC ( J") << QByteArray("\x1b$B0!\x1b(Jab") << QByteArray("\x88\x9f" "ab");
        QTest::newRow("ESC ( H") << QByteArray("\x1b$B0!\x1b(Hab") << QByteArray("\x88\x9f" "ab");
        QTest::newRow("ESC ( I kana") << QByteArray("\x1b(I1\x1b(Ba") << QByteArray("\xb1" "a");
        QTest::newRow("SO SI kana") << QByteArray("\x0e" "1_\x0f" "a") << QByteArray("\xb1\xdf" "a");
        QTest::newRow("kanji mode odd byte copied")
            << QByteArray("\x1b$B0") << QByteArray("0");
        QTest::newRow("kanji mode invalid pair copied one by one")
            << QByteArray("\x1b$B\x20\x21") << QByteArray("\x20\x21");
        QTest::newRow("short escape at end kept") << QByteArray("a\x1b$") << QByteArray("a\x1b$");
        QTest::newRow("unknown escape kept") << QByteArray("\x1b(Z") << QByteArray("\x1b(Z");
        QTest::newRow("empty") << QByteArray() << QByteArray();
    }
    void jisToSjis()
    {
        QFETCH(QByteArray, jis);
        QFETCH(QByteArray, sjis);
        QCOMPARE(Jis(jis), sjis);
    }

    void sjisToJis_data()
    {
        QTest::addColumn<QByteArray>("sjis");
        QTest::addColumn<QByteArray>("jis");
        QTest::newRow("kanji") << QByteArray("\x88\x9f") << QByteArray("\x1b$B0!\x1b(B");
        QTest::newRow("kanji then ascii") << QByteArray("\x88\x9f" "a")
                                          << QByteArray("\x1b$B0!\x1b(Ba");
        QTest::newRow("kana after kanji: SO, no ESC ( B, SI at end")
            << QByteArray("\x88\x9f\xb1") << QByteArray("\x1b$B0!\x0e" "1\x0f");
        QTest::newRow("kanji after kana") << QByteArray("\xb1\x88\x9f")
                                          << QByteArray("\x0e" "1\x0f\x1b$B0!\x1b(B");
        QTest::newRow("no jis code: leave kanji mode and copy")
            << QByteArray("\x88\x9f\xfa\x40") << QByteArray("\x1b$B0!\x1b(B\xfa\x40");
        QTest::newRow("ascii only") << QByteArray("abc") << QByteArray("abc");
        QTest::newRow("lead at end copied") << QByteArray("a\x88") << QByteArray("a\x88");
    }
    void sjisToJis()
    {
        QFETCH(QByteArray, sjis);
        QFETCH(QByteArray, jis);
        QCOMPARE(ToJis(sjis), jis);
    }

    void eucToSjis_data()
    {
        QTest::addColumn<QByteArray>("euc");
        QTest::addColumn<QByteArray>("sjis");
        QTest::newRow("kanji") << QByteArray("\xb0\xa1") << QByteArray("\x88\x9f");
        QTest::newRow("kana") << QByteArray("\x8e\xb1") << QByteArray("\xb1");
        QTest::newRow("SS2 at end dropped") << QByteArray("a\x8e") << QByteArray("a");
        QTest::newRow("SS3 dropped, pair taken as ordinary")
            << QByteArray("\x8f\xb0\xa1") << QByteArray("\x88\x9f");
        QTest::newRow("lone high byte at end copied") << QByteArray("a\xb0") << QByteArray("a\xb0");
        QTest::newRow("ascii") << QByteArray("<p>") << QByteArray("<p>");
    }
    void eucToSjis()
    {
        QFETCH(QByteArray, euc);
        QFETCH(QByteArray, sjis);
        QCOMPARE(EucLineToSjis(euc), sjis);
    }

    void sjisToEuc_data()
    {
        QTest::addColumn<QByteArray>("sjis");
        QTest::addColumn<QByteArray>("euc");
        QTest::newRow("kanji") << QByteArray("\x88\x9f") << QByteArray("\xb0\xa1");
        QTest::newRow("kana") << QByteArray("\xb1") << QByteArray("\x8e\xb1");
        QTest::newRow("no jis code") << QByteArray("\xfa\x40") << QByteArray("\x80\x80");
        QTest::newRow("ascii") << QByteArray("a b") << QByteArray("a b");
    }
    void sjisToEuc()
    {
        QFETCH(QByteArray, sjis);
        QFETCH(QByteArray, euc);
        QCOMPARE(SjisLineToEuc(sjis), euc);
    }

    void byLines_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QByteArray>("separator");
        QTest::addColumn<bool>("jisToSjis");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("lf lines get crlf") << QByteArray("\x1b$B0!\x1b(B\na\n") << QByteArray("\n")
                                           << true << QByteArray("\x88\x9f\r\na\r\n");
        QTest::newRow("last line without line end keeps none")
            << QByteArray("a\n\x1b$B0!\x1b(B") << QByteArray("\n") << true
            << QByteArray("a\r\n\x88\x9f");
        QTest::newRow("kanji mode carried to the next line")
            << QByteArray("\x1b$B0!\n0!\x1b(B") << QByteArray("\n") << true
            << QByteArray("\x88\x9f\r\n\x88\x9f");
        QTest::newRow("no separator: one line") << QByteArray("a\nb") << QByteArray() << true
                                                << QByteArray("a\nb");
        QTest::newRow("empty lines") << QByteArray("\r\n\r\n") << QByteArray("\r\n") << true
                                     << QByteArray("\r\n\r\n");
        QTest::newRow("cr separator") << QByteArray("a\rb\r") << QByteArray("\r") << true
                                      << QByteArray("a\r\nb\r\n");
        QTest::newRow("every saved line ends in ascii mode")
            << QByteArray("\x88\x9f\r\n\x88\x9f") << QByteArray("\r\n") << false
            << QByteArray("\x1b$B0!\x1b(B\r\n\x1b$B0!\x1b(B");
    }
    void byLines()
    {
        QFETCH(QByteArray, text);
        QFETCH(QByteArray, separator);
        QFETCH(bool, jisToSjis);
        QFETCH(QByteArray, expected);
        const LineConverter convert = jisToSjis ? LineConverter(JisLineToSjis)
                                                : LineConverter(SjisLineToJis);
        QCOMPARE(ConvertByLines(text, separator, convert), expected);
    }

    // A line far longer than the old 65,535-byte working buffer is
    // converted whole in both directions.
    void longLine()
    {
        QByteArray sjis;
        for (int i = 0; i < 70000; ++i)
            sjis += (i % 3 == 0) ? QByteArray("a") : (i % 3 == 1 ? QByteArray("\x88\x9f") : QByteArray("\xb1"));
        const QByteArray jis = ConvertByLines(sjis, "\r\n", LineConverter(SjisLineToJis));
        QVERIFY(jis.size() > 200000);
        QCOMPARE(ConvertByLines(jis, "\r\n", LineConverter(JisLineToSjis)), sjis);
        const QByteArray euc = ConvertByLines(sjis, "\r\n", LineConverter(SjisLineToEuc));
        QCOMPARE(ConvertByLines(euc, "\r\n", LineConverter(EucLineToSjis)), sjis);
    }
};

KELVO_TEST(TestJisConvert, "JisConvert");
#include "tst_JisConvert.moc"
