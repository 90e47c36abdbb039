#include "TestFiles.h"
#include "TestRegistry.h"

#include "core/doc/DocumentCodec.h"

#include <QProcess>
#include <QTest>

Q_DECLARE_METATYPE(LineEndKind)

namespace {

// nkf's reading of JIS bytes as UTF-8 text, half-width katakana kept.
QByteArray Nkf(const QByteArray& jis)
{
    QProcess nkf;
    nkf.start(QStringLiteral("nkf"), {QStringLiteral("-J"), QStringLiteral("-w"), QStringLiteral("-x")});
    nkf.write(jis);
    nkf.closeWriteChannel();
    nkf.waitForFinished();
    return nkf.readAllStandardOutput();
}

} // namespace

class TestJisPages : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Every escape sequence of the code is read, and the mode runs on
    // across line ends: no byte of these valid pages is left undecoded.
    void decodesEveryEscape_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("text");
        QTest::newRow("kanji mode across a line end")
            << QByteArray("\x1b$B0!\n0!\x1b(B\n") << QStringLiteral("亜\r\n亜\r\n");
        QTest::newRow("ESC $ @ and ESC ( J beside ESC $ B and ESC ( B")
            << QByteArray("\x1b$@0!\x1b(Ja\x1b$B0\"\x1b(Bb") << QStringLiteral("亜a唖b");
        QTest::newRow("ESC ( B after SO and SI") << QByteArray("\x0e\x31\x0f\x1b(Ba")
                                                 << QStringLiteral("ｱa");
        QTest::newRow("each kanji escaped again") << QByteArray("\x1b$B0!\x1b$B0\"\x1b(B\x1b(B")
                                                  << QStringLiteral("亜唖");
        QTest::newRow("ESC & @ before ESC $ B") << QByteArray("\x1b&@\x1b$B0!\x1b(B")
                                                << QStringLiteral("亜");
        QTest::newRow("ESC $ ( D") << QByteArray("\x1b$(D0!\x1b(B") << QStringLiteral("丂");
        QTest::newRow("ESC ( I") << QByteArray("\x1b(I1_\x1b(B") << QStringLiteral("ｱﾟ");
        QTest::newRow("blank and tab inside kanji mode")
            << QByteArray("\x1b$B0! \t0!\x1b(B") << QStringLiteral("亜 \t亜");
    }
    void decodesEveryEscape()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, text);
        const DecodedDocument doc = DecodeDocumentAs(file, CodeKind::Jis, true);
        QCOMPARE(doc.text, text);
        QCOMPARE(doc.undecodable, 0);
        // Unchanged, the page is written back as it was.
        QCOMPARE(EncodeDocument(doc.text, CodeKind::Jis, doc.lineEnd, &doc.forms), file);
    }

    // An edit anywhere saves JIS that reads back, in this editor and in
    // nkf, as the edited text.
    void editsSaveValidJis_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<int>("at");
        QTest::addColumn<QString>("typed");
        QTest::newRow("kanji into an ESC $ @ run")
            << QByteArray("<P>\x1b$@0!0\"\x1b(J</P>\r\n") << 4 << QStringLiteral("字");
        QTest::newRow("kanji after a line end in kanji mode")
            << QByteArray("\x1b$B0!\n0!\x1b(B\n") << 3 << QStringLiteral("字");
        QTest::newRow("ascii into a kanji run") << QByteArray("\x1b$B0!0\"\x1b(B") << 1
                                                << QStringLiteral("x");
        QTest::newRow("kana into a kanji run") << QByteArray("\x1b$B0!0\"\x1b(B") << 1
                                               << QStringLiteral("ｱ");
        QTest::newRow("kanji between SO kana") << QByteArray("\x0e\x31\x32\x0f\x1b(B") << 1
                                               << QStringLiteral("字");
        QTest::newRow("kanji into each-escaped kanji")
            << QByteArray("\x1b$B0!\x1b$B0\"\x1b(B\x1b(B") << 1 << QStringLiteral("字");
        QTest::newRow("line end into a kanji run") << QByteArray("\x1b$B0!0\"\x1b(B") << 1
                                                   << QStringLiteral("\r\n");
        QTest::newRow("kanji at the very end of a page ending in kanji mode")
            << QByteArray("a\x1b$B0!") << 2 << QStringLiteral("字");
    }
    void editsSaveValidJis()
    {
        QFETCH(QByteArray, file);
        QFETCH(int, at);
        QFETCH(QString, typed);
        const DecodedDocument doc = DecodeDocumentAs(file, CodeKind::Jis, true);
        QCOMPARE(doc.undecodable, 0);
        const QString edited = doc.text.left(at) + typed + doc.text.mid(at);
        const QByteArray saved = EncodeDocument(edited, CodeKind::Jis, doc.lineEnd, &doc.forms);
        const DecodedDocument back = DecodeDocumentAs(saved, CodeKind::Jis, true);
        QCOMPARE(back.text, edited);
        QCOMPARE(back.undecodable, 0);
        QString expected = edited;
        if (doc.lineEnd == LineEndKind::Lf)
            expected.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        QCOMPARE(QString::fromUtf8(Nkf(saved)), expected);
        if (!expected.contains(QChar(u'ｱ')))
            QCOMPARE(QString::fromUtf8(Iconv("ISO-2022-JP", "UTF-8", saved)), expected);
    }

    // A byte that is no character keeps its place and never pulls what
    // follows out of step, edited or not.
    void keptBytesStayInStep_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("typed");  // put at the end of the text
        QTest::addColumn<QString>("text");   // read back
        QTest::newRow("8-bit byte in kanji mode") << QByteArray("\x1b$B0!\x80\x1b(B") << QStringLiteral("字")
                                                  << u"亜"_qs + QChar(0xDC80) + u"字"_qs;
        // An ESC that starts no escape is kept; "(B" typed after it stays text.
        QTest::newRow("kept ESC before typed (B") << QByteArray("a\x1b") << QStringLiteral("(B")
                                                  << u"a"_qs + QChar(0xDC1B) + u"(B"_qs;
        // A lone byte of a broken pair comes back as the 7-bit character.
        QTest::newRow("broken pair before kanji") << QByteArray("\x1b$B0\n\x1b(B") << QStringLiteral("亜")
                                                  << QStringLiteral("0\r\n亜");
    }
    void keptBytesStayInStep()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, typed);
        QFETCH(QString, text);
        const DecodedDocument doc = DecodeDocumentAs(file, CodeKind::Jis, true);
        QVERIFY(doc.undecodable > 0);
        const QByteArray saved = EncodeDocument(doc.text + typed, CodeKind::Jis, doc.lineEnd, &doc.forms);
        QCOMPARE(DecodeDocumentAs(saved, CodeKind::Jis, true).text, text);
    }
};

KELVO_TEST(TestJisPages, "JisPages");
#include "tst_JisPages.moc"
