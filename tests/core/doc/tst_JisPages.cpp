#include "TestFiles.h"
#include "TestRegistry.h"

#include "core/doc/DocumentCodec.h"

#include <QProcess>
#include <QTest>

Q_DECLARE_METATYPE(CodeKind)
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

// A real page nobody here wrote, in a code, without the characters the code
// lacks (iconv -c).
QByteArray RealPage(const char* code)
{
    QProcess iconv;
    iconv.start(QStringLiteral("iconv"), {QStringLiteral("-c"), QStringLiteral("-f"), QStringLiteral("UTF-8"),
                                          QStringLiteral("-t"), QString::fromLatin1(code),
                                          QStringLiteral("/usr/share/debian-reference/pr01.ja.html")});
    iconv.waitForFinished();
    return iconv.readAllStandardOutput();
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
        QTest::newRow("ESC & @ before ESC $ B, ESC ( H after") << QByteArray("\x1b&@\x1b$B0!\x1b(H")
                                                << QStringLiteral("亜");
        QTest::newRow("ESC $ ( D") << QByteArray("\x1b$(D0!\x1b(B") << QStringLiteral("丂");
        QTest::newRow("ESC $ ( D at the very end") << QByteArray("a\x1b$(D") << QStringLiteral("a");
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
        // Unchanged, the page is written back as it was, also in other line ends.
        QCOMPARE(EncodeDocument(doc.text, CodeKind::Jis, doc.lineEnd, &doc.forms), file);
        QCOMPARE(EncodeDocument(doc.text, CodeKind::Jis, LineEndKind::CrLf, &doc.forms),
                 QByteArray(file).replace("\n", "\r\n"));
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
        QTest::newRow("kept ESC before typed &@") << QByteArray("a\x1b") << QStringLiteral("&@")
                                                  << u"a"_qs + QChar(0xDC1B) + u"&@"_qs;
        // A lone byte of a broken pair comes back as the 7-bit character.
        QTest::newRow("broken pair before kanji") << QByteArray("\x1b$B0\n\x1b(B") << QStringLiteral("亜")
                                                  << u"\xDC30\r\n亜"_qs;
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

    // Lines the text still has keep their bytes, where they are and at
    // the ends: the file's ending in kanji mode, a mode that a kept line
    // starts in, the one of two alike lines that is at its place.
    void editKeepsTheOtherLines_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("edited");
        QTest::addColumn<QByteArray>("saved");
        QTest::newRow("ending in kanji mode") << QByteArray("a\r\n\x1b$B0!") << u"b\r\n亜"_qs
                                              << QByteArray("b\r\n\x1b$B0!");
        QTest::newRow("ending in kanji mode after a line end")
            << QByteArray("a\n\x1b$B0!\n") << u"b\r\n亜\r\n"_qs << QByteArray("b\n\x1b$B0!\n");
        QTest::newRow("line starting in kanji mode after a removed one")
            << QByteArray("\x1b$B0!\n0\"\n\x1b(Bz\n") << u"唖\r\nz\r\n"_qs
            << QByteArray("\x1b$B0\"\n\x1b(Bz\n");
        QTest::newRow("alike lines in two styles") << QByteArray("\x1b$@0!\x1b(J\nx\n\x1b$B0!\x1b(B\n")
                                                   << u"亜\r\ny\r\n亜\r\n"_qs
                                                   << QByteArray("\x1b$@0!\x1b(J\ny\n\x1b$B0!\x1b(B\n");
    }
    void editKeepsTheOtherLines()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, edited);
        QFETCH(QByteArray, saved);
        const DecodedDocument doc = DecodeDocumentAs(file, CodeKind::Jis, true);
        QCOMPARE(EncodeDocument(edited, CodeKind::Jis, doc.lineEnd, &doc.forms), saved);
    }

    // An edit on one line of a real page leaves every other line's bytes as
    // they were, in each code and whatever escapes a JIS file chose: those
    // iconv writes, ESC $ @ and ESC ( J on some lines, kanji mode left only
    // after a line end.
    void untouchedLinesKeepTheirBytes_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<CodeKind>("code");
        const QByteArray jis = RealPage("ISO-2022-JP");
        QVERIFY(jis.contains("\x1b$B"));
        QList<QByteArray> lines = jis.split('\n');
        for (qsizetype i = 0; i < lines.size(); i += 3)
            lines[i].replace("\x1b$B", "\x1b$@").replace("\x1b(B", "\x1b(J");
        const QByteArray older = lines.join('\n');
        const QByteArray across = QByteArray(jis).replace("\x1b(B\n", "\n\x1b(B");
        QTest::newRow("jis as iconv writes it") << jis << CodeKind::Jis;
        QTest::newRow("jis, ESC $ @ and ESC ( J on every third line") << older << CodeKind::Jis;
        QTest::newRow("jis, the same with CR LF") << QByteArray(older).replace("\n", "\r\n") << CodeKind::Jis;
        QTest::newRow("jis, kanji mode across line ends") << across << CodeKind::Jis;
        QTest::newRow("shift-jis") << RealPage("CP932") << CodeKind::ShiftJis;
        QTest::newRow("euc-jp") << RealPage("EUC-JP-MS") << CodeKind::Euc;
        QTest::newRow("utf-8") << RealPage("UTF-8") << CodeKind::Utf8;
    }
    void untouchedLinesKeepTheirBytes()
    {
        QFETCH(QByteArray, file);
        QFETCH(CodeKind, code);
        const DecodedDocument doc = DecodeDocumentAs(file, code, true);
        QCOMPARE(doc.undecodable, 0);
        const QStringList text = doc.text.split(u'\n');  // each line but the last ends in CR
        const QList<QByteArray> bytes = file.split('\n');
        QCOMPARE(text.size(), bytes.size());
        for (qsizetype k = 1; k + 1 < text.size(); k += 7) {
            for (const bool newLine : {false, true}) {
                QStringList edited = text;
                if (newLine)
                    edited.insert(k, u"x字\r"_qs);
                else
                    edited[k].insert(edited[k].size() / 2, u"x字"_qs);
                const QString all = edited.join(u'\n');
                const QByteArray saved = EncodeDocument(all, code, doc.lineEnd, &doc.forms);
                QCOMPARE(DecodeDocumentAs(saved, code, true).text, all);
                QList<QByteArray> out = saved.split('\n');
                QCOMPARE(out.size(), edited.size());
                out.removeAt(k);
                QList<QByteArray> expected = bytes;
                if (!newLine)
                    expected.removeAt(k);
                QVERIFY2(out == expected, qPrintable(QStringLiteral("line %1").arg(k + 1)));
            }
        }
    }
};

KELVO_TEST(TestJisPages, "JisPages");
#include "tst_JisPages.moc"
