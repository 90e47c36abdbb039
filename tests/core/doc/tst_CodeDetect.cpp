#include "TestRegistry.h"

#include "core/doc/CodeDetect.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QStringEncoder>
#include <QTest>

Q_DECLARE_METATYPE(CodeKind)
Q_DECLARE_METATYPE(LineEndKind)

namespace {

QByteArray Utf8(const char8_t* s)
{
    return QByteArray(reinterpret_cast<const char*>(s));
}

} // namespace

class TestCodeDetect : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // The byte rules alone.
    void byteRules_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<CodeKind>("kind");
        QTest::newRow("empty") << QByteArray() << CodeKind::Ascii;
        QTest::newRow("7-bit text") << QByteArray("<HTML>\r\nabc\r\n") << CodeKind::Ascii;
        QTest::newRow("ESC $ B makes JIS") << QByteArray("ab\x1b$B0!\x1b(B") << CodeKind::Jis;
        QTest::newRow("ESC $ @ makes JIS") << QByteArray("\x1b$@") << CodeKind::Jis;
        QTest::newRow("ESC ( I alone makes JIS") << QByteArray("\x1b(I1\x1b(B") << CodeKind::Jis;
        QTest::newRow("ESC $ ( D makes JIS") << QByteArray("\x1b$(D0!") << CodeKind::Jis;
        QTest::newRow("ESC ( B alone does not") << QByteArray("\x1b(Ba") << CodeKind::Ascii;
        QTest::newRow("ESC $ A is consumed") << QByteArray("\x1b$A") << CodeKind::Ascii;
        // The three bytes of ESC $ A are consumed: the 0xA1 0xA1 after them
        // is seen as a pair of its own.
        QTest::newRow("ESC $ A then pair") << QByteArray("\x1b$A\xa1\xa1") << CodeKind::Unknown;
        QTest::newRow("ESC $ consumes the byte after it")
            << QByteArray("\x1b$\xb1" "a") << CodeKind::Ascii;
        QTest::newRow("ESC at end") << QByteArray("a\x1b") << CodeKind::Ascii;
        QTest::newRow("JIS after a deciding byte does not count")
            << QByteArray("\x88\x9f\x1b$B") << CodeKind::ShiftJis;
        QTest::newRow("sjis lead 81") << QByteArray("\x81\x40") << CodeKind::ShiftJis;
        QTest::newRow("sjis lead 8D") << QByteArray("\x8d\xa1\xe0\x40") << CodeKind::ShiftJis;
        QTest::newRow("sjis lead 90") << QByteArray("\x90\xa2\xe0\x40") << CodeKind::ShiftJis;
        QTest::newRow("sjis lead 9F") << QByteArray("\x9f\xfc") << CodeKind::ShiftJis;
        QTest::newRow("A1 first, E0 next is euc") << QByteArray("\xa1\xe0") << CodeKind::Euc;
        QTest::newRow("DF first, EF next is euc") << QByteArray("\xdf\xef") << CodeKind::Euc;
        QTest::newRow("B1 FE is euc") << QByteArray("\xb1\xfe") << CodeKind::Euc;
        QTest::newRow("B1 A1 is unknown") << QByteArray("\xb1\xa1") << CodeKind::Unknown;
        QTest::newRow("B1 DF is unknown") << QByteArray("\xb1\xdf") << CodeKind::Unknown;
        QTest::newRow("B1 9F is sjis") << QByteArray("\xb1\x9f") << CodeKind::ShiftJis;
        QTest::newRow("EF 7E is sjis") << QByteArray("\xef\x7e") << CodeKind::ShiftJis;
        QTest::newRow("EF 80 is sjis") << QByteArray("\xef\x80") << CodeKind::ShiftJis;
        QTest::newRow("EF FC is unknown") << QByteArray("\xef\xfc") << CodeKind::Unknown;
        QTest::newRow("F4 A1 is euc") << QByteArray("\xf4\xa1") << CodeKind::Euc;
        QTest::newRow("F5 A1 is sjis") << QByteArray("\xf5\xa1") << CodeKind::ShiftJis;
        QTest::newRow("FC 40 is sjis") << QByteArray("\xfc\x40") << CodeKind::ShiftJis;
        QTest::newRow("FD is euc") << QByteArray("\xfd") << CodeKind::Euc;
        QTest::newRow("8E then 40 is sjis") << QByteArray("\x8e\x40") << CodeKind::ShiftJis;
        QTest::newRow("8E then A0 is sjis") << QByteArray("\x8e\xa0") << CodeKind::ShiftJis;
        QTest::newRow("8E then E0 is sjis") << QByteArray("\x8e\xe0") << CodeKind::ShiftJis;
        QTest::newRow("8E then B1 is unknown") << QByteArray("\x8e\xb1") << CodeKind::Unknown;
        QTest::newRow("8E then FF changes nothing") << QByteArray("\x8e\xff") << CodeKind::Ascii;
        QTest::newRow("kana-like pairs only") << QByteArray("\xb1\xb2\xc0\xdf") << CodeKind::Unknown;
        QTest::newRow("A1-DF last byte is sjis") << QByteArray("abc\xb1") << CodeKind::ShiftJis;
        QTest::newRow("B1 E0 is euc") << QByteArray("\xb1\xe0") << CodeKind::Euc;
        QTest::newRow("B1 F0 is euc") << QByteArray("\xb1\xf0") << CodeKind::Euc;
        QTest::newRow("B1 then ascii is sjis") << QByteArray("\xb1" "a") << CodeKind::ShiftJis;
        QTest::newRow("B1 A0 changes nothing") << QByteArray("\xb1\xa0") << CodeKind::Ascii;
        QTest::newRow("B1 FF changes nothing") << QByteArray("\xb1\xff") << CodeKind::Ascii;
        QTest::newRow("F0 is euc") << QByteArray("\xf0\xa1") << CodeKind::Euc;
        QTest::newRow("FE is euc") << QByteArray("\xfe") << CodeKind::Euc;
        QTest::newRow("E0 40 is sjis") << QByteArray("\xe0\x40") << CodeKind::ShiftJis;
        QTest::newRow("E0 A0 is sjis") << QByteArray("\xe0\xa0") << CodeKind::ShiftJis;
        QTest::newRow("E0 FD is euc") << QByteArray("\xe0\xfd") << CodeKind::Euc;
        QTest::newRow("E0 A1 is unknown") << QByteArray("\xe0\xa1") << CodeKind::Unknown;
        QTest::newRow("E0 at end changes nothing") << QByteArray("\xe0") << CodeKind::Ascii;
        QTest::newRow("E0 7F changes nothing") << QByteArray("\xe0\x7f") << CodeKind::Ascii;
        QTest::newRow("unknown replaced by a later decision")
            << QByteArray("\xb1\xb1\x88\x9f") << CodeKind::ShiftJis;
        QTest::newRow("80 A0 FF change nothing") << QByteArray("\x80\xa0\xff") << CodeKind::Ascii;
        QTest::newRow("utf-8 japanese starts as sjis") << Utf8(u8"日本") << CodeKind::ShiftJis;
        QTest::newRow("utf-8 accented latin") << Utf8(u8"café") << CodeKind::Unknown;
    }
    void byteRules()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(CodeKind, kind);
        ByteReader reader(bytes);
        QCOMPARE(DetectCodeKind(reader), kind);
    }

    void utf8Test_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("utf8");
        QTest::newRow("empty") << QByteArray() << true;
        QTest::newRow("ascii") << QByteArray("abc") << true;
        QTest::newRow("japanese") << Utf8(u8"日本語のページ") << true;
        QTest::newRow("four-byte sequence") << Utf8(u8"a😀b") << true;
        QTest::newRow("overlong two-byte lead C0 passes") << QByteArray("\xc0\x80") << true;
        QTest::newRow("bom then anything") << QByteArray("\xef\xbb\xbf\xff") << true;
        QTest::newRow("lone continuation") << QByteArray("a\x80") << false;
        QTest::newRow("truncated at end") << QByteArray("a\xe6\x97") << false;
        QTest::newRow("lead F5") << QByteArray("\xf5\x80\x80\x80") << false;
        QTest::newRow("sjis") << QByteArray("\x88\x9f") << false;
        QTest::newRow("long ascii then bad byte")
            << QByteArray(1000, 'a') + QByteArray("\xff") << false;
    }
    void utf8Test()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, utf8);
        ByteReader reader(bytes);
        reader.Next();
        QCOMPARE(IsUtf8File(reader), utf8);
    }

    // What the editor loads a file as: the byte rules with the UTF-8
    // corrections.
    void documentCode_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<CodeKind>("kind");
        QTest::newRow("utf-8 japanese") << Utf8(u8"<p>日本語</p>") << CodeKind::Utf8;
        // 漢 is E6 BC A2: the byte rules see E6 BC and say Unknown, then
        // A2 then next byte decide EUC or stay; either way it is UTF-8.
        QTest::newRow("utf-8 starting with kanji taken for euc") << Utf8(u8"漢字のページ")
                                                                 << CodeKind::Utf8;
        QTest::newRow("utf-8 with emoji") << Utf8(u8"<p>猫😀</p>") << CodeKind::Utf8;
        QTest::newRow("only emoji") << Utf8(u8"😀") << CodeKind::Utf8;
        QTest::newRow("bom and valid") << QByteArray("\xef\xbb\xbf<p>a</p>") << CodeKind::Utf8;
        QTest::newRow("accented latin") << Utf8(u8"café crème") << CodeKind::Utf8;
        QTest::newRow("copyright sign alone") << Utf8(u8"<p>© 2024</p>") << CodeKind::Utf8;
        QTest::newRow("real euc") << QByteArray("<p>\xb4\xc1\xbb\xfa\xa4\xce</p>") << CodeKind::Euc;
        QTest::newRow("real sjis") << QByteArray("<p>\x8a\xbf\x8e\x9a</p>") << CodeKind::ShiftJis;
        QTest::newRow("jis") << QByteArray("\x1b$B4A;z\x1b(B") << CodeKind::Jis;
        QTest::newRow("ascii") << QByteArray("<p>a</p>") << CodeKind::Ascii;
        // Bytes that fit both EUC and Shift-JIS: the likelier text wins.
        QTest::newRow("euc one kanji") << QByteArray("<P>\xb0\xa1</P>") << CodeKind::Euc;
        QTest::newRow("euc short hiragana") << QByteArray("<P>\xa4\xa2\xa4\xa4</P>") << CodeKind::Euc;
        QTest::newRow("sjis kana, odd count") << QByteArray("\xb1\xb2\xb3") << CodeKind::ShiftJis;
        QTest::newRow("sjis kanji 8E over euc kana") << QByteArray("\x8e\xb1") << CodeKind::ShiftJis;
        // EUC level 2 from D0, Shift-JIS vendor rows from ED: 8 against 8.
        QTest::newRow("as likely either way, at the weights' bounds")
            << QByteArray("\xd0\xa1\xed\xa1\x8e\xb1\x8e\xb1\x8e\xb1") << CodeKind::Unknown;
        QTest::newRow("euc half-width kana alone") << QByteArray("<P>\x8e\xb6\x8e\xc0</P>") << CodeKind::Euc;
        QTest::newRow("as likely either way")
            << QByteArray("\x8e\xb1\x8e\xb1\xe0\xa1\xb1\xb2") << CodeKind::Unknown;
        QTest::newRow("sjis 世漾です") << QByteArray("<P>\x90\xa2\xe0\x40\x82\xc5\x82\xb7\x81\x42</P>")
                                     << CodeKind::ShiftJis;
        // Pages that open with a character the plain byte rules misread.
        QTest::newRow("sjis opening with ibm 髙") << QByteArray("<p>\xfb\xfc<p>\x8a\xbf") << CodeKind::ShiftJis;
        QTest::newRow("sjis opening with ibm 﨑") << QByteArray("\xfa\xb1\x8e\x9a") << CodeKind::ShiftJis;
        QTest::newRow("sjis opening with ibm ⅰ") << QByteArray("\xfa\x40") << CodeKind::ShiftJis;
        QTest::newRow("sjis opening with user-defined") << QByteArray("\xf0\x40\xf9\xfc") << CodeKind::ShiftJis;
        QTest::newRow("euc opening with jis x 0212") << QByteArray("<p>\x8f\xb0\xa1\xb4\xc1") << CodeKind::Euc;
        QTest::newRow("euc row 80 kanji") << QByteArray("\xf0\xa1") << CodeKind::Euc;
        QTest::newRow("sjis 8F kanji") << QByteArray("\x8f\x88\x97\x9d") << CodeKind::ShiftJis;
        QTest::newRow("utf-8 with one stray latin-1 byte")
            << Utf8(u8"<p>日本語のページです。") + QByteArray("\xa9") + Utf8(u8"著作権").repeated(4)
            << CodeKind::Utf8;
        QTest::newRow("utf-8, a stray byte to 16 characters")
            << Utf8(u8"あ").repeated(kStrayShare) + QByteArray("\xa9") << CodeKind::Utf8;
        QTest::newRow("utf-8, a stray byte to 15 characters")
            << Utf8(u8"あ").repeated(kStrayShare - 1) + QByteArray("\xa9") << CodeKind::ShiftJis;
        QTest::newRow("many stray bytes are no utf-8")
            << Utf8(u8"日本語") + QByteArray("\x8a\xbf\x8e\x9a") << CodeKind::ShiftJis;
        QTest::newRow("bom decides over a stray byte")
            << QByteArray("\xef\xbb\xbf<p>\xe6\x97\xa5</p>\xa9") << CodeKind::Utf8;
        QTest::newRow("overlong form is no utf-8") << QByteArray("\xc0\xa1") << CodeKind::Euc;
    }
    void documentCode()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(CodeKind, kind);
        QCOMPARE(DetectDocumentCode(bytes), kind);
    }

    // Pages filed under the code they are in (tests/data/detect/CODE/):
    // real pages and short or odd ones that fool simpler detectors.
    void corpus_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<CodeKind>("kind");
        const QDir root(QStringLiteral(KELVO_TEST_DATA_DIR "/detect"));
        for (const QString& code : root.entryList(QDir::Dirs | QDir::NoDotAndDotDot))
            for (const QString& page : QDir(root.filePath(code)).entryList(QDir::Files))
                QTest::newRow(qPrintable(code + u'/' + page))
                    << root.filePath(code + u'/' + page) << *CodeKindFromName(code);
        QVERIFY(root.exists());
    }
    void corpus()
    {
        QFETCH(QString, path);
        QFETCH(CodeKind, kind);
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        // Half-width katakana alone read as well as two kanji of the other
        // code; nkf and uchardet miss this page too.
        QEXPECT_FAIL("ShiftJis/halfwidth-only.html", "Shift-JIS kana are likelier EUC kanji", Continue);
        QCOMPARE(DetectDocumentCode(file.readAll()), kind);
    }

    // UTF-16 is told by its byte-order mark or, without one, by the NULs
    // of its 7-bit characters; a file of another code with a NUL in it, or
    // binary data, is not taken for it.
    void utf16_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("utf16");
        const QString page = u"<HTML>\r\n<P>日本語のページ</P>\r\n"_qs;
        const auto le = [](const QString& s) {
            return QByteArray(reinterpret_cast<const char*>(s.utf16()), s.size() * 2);
        };
        QTest::newRow("le") << le(page) << true;
        QTest::newRow("be") << QByteArray(QStringEncoder(QStringEncoder::Utf16BE).encode(page)) << true;
        QTest::newRow("le with 一 and U+3000 (NUL in the low byte)") << le(u"<P>一\u3000一</P>"_qs) << true;
        QTest::newRow("le with a pair") << le(u"<P>🃏</P>"_qs) << true;
        QTest::newRow("odd length") << le(page) + 'a' << false;
        QTest::newRow("one 7-bit character") << le(u"日本語a"_qs) << false;
        QTest::newRow("two 7-bit characters") << le(u"日本語ab"_qs) << true;
        const QString stretch(kUtf16Stretch, u'語');
        QTest::newRow("stretch without NUL at the limit") << le(u'<' + stretch + u'>') << true;
        QTest::newRow("stretch without NUL past it") << le(u'<' + stretch + u"語>"_qs) << false;
        QTest::newRow("control character") << le(u"<P>\x01</P>"_qs) << false;
        QTest::newRow("lone surrogate") << le(u"<P>"_qs + QChar(0xD83C) + u"</P>"_qs) << false;
        QTest::newRow("shift-jis ending in NUL") << QByteArray("<P>\x93\xfa\x96\x7b</P>\0", 12) << false;
        QFile program(QCoreApplication::applicationFilePath());
        QVERIFY(program.open(QIODevice::ReadOnly));
        QTest::newRow("binary") << program.read(1 << 16) << false;
    }
    void utf16()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, utf16);
        QCOMPARE(IsUtf16File(bytes), utf16);
    }

    void lineEnds_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<LineEndKind>("kind");
        QTest::newRow("none") << QByteArray("abc") << LineEndKind::None;
        QTest::newRow("empty") << QByteArray() << LineEndKind::None;
        QTest::newRow("crlf") << QByteArray("a\r\nb") << LineEndKind::CrLf;
        QTest::newRow("lf") << QByteArray("a\nb\r\n") << LineEndKind::Lf;
        QTest::newRow("cr") << QByteArray("a\rb") << LineEndKind::Cr;
        QTest::newRow("cr at end") << QByteArray("a\r") << LineEndKind::Cr;
        QTest::newRow("first counts") << QByteArray("a\r\nb\nc\n") << LineEndKind::CrLf;
        QTest::newRow("cr cr lf") << QByteArray("a\r\r\n") << LineEndKind::Cr;
    }
    void lineEnds()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(LineEndKind, kind);
        ByteReader reader(bytes);
        QCOMPARE(DetectLineEnd(reader), kind);
    }
};

KELVO_TEST(TestCodeDetect, "CodeDetect");
#include "tst_CodeDetect.moc"
