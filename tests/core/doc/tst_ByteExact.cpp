#include "ByteCorpus.h"
#include "TestFiles.h"
#include "TestRegistry.h"

#include "core/app/CommandIds.h"
#include "core/doc/DocumentCodec.h"

#include <QFile>
#include <QTest>

#include <sys/stat.h>
#include <unistd.h>

Q_DECLARE_METATYPE(CodeKind)
Q_DECLARE_METATYPE(LineEndKind)
Q_DECLARE_METATYPE(Ui::Answer)

namespace {

QString Escaped(std::initializer_list<int> bytes)
{
    QString out;
    for (int b : bytes)
        out += QChar(0xDC00 + b);
    return out;
}

} // namespace

class TestByteExact : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void corpusRoundTrip_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<CodeKind>("code");
        QTest::addColumn<LineEndKind>("lineEnd");
        for (const CorpusFile& f : ByteCorpus())
            QTest::newRow(qPrintable(f.name)) << f.bytes << f.code << f.lineEnd;
    }
    // Loaded and saved unchanged, every file gives its bytes back; an edit
    // that is undone changes nothing either.
    void corpusRoundTrip()
    {
        QFETCH(QByteArray, file);
        QFETCH(CodeKind, code);
        QFETCH(LineEndKind, lineEnd);
        TestEditor t;
        QVERIFY(t.App().OpenDocumentFile(t.MakeFile("in.html", file)));
        QCOMPARE(t.Doc().GetCodeKind(), code);
        QCOMPARE(t.Doc().GetLineEndKind(), lineEnd);
        // Written afresh (no file bytes to keep), every character reads back,
        // a kept 7-bit byte but ESC as the character it is.
        FileForms style = t.Doc().GetForms();
        style.original.clear();
        QString text = t.Text();
        const QByteArray afresh = EncodeDocument(text, code, lineEnd, &style);
        for (QChar& c : text)
            if (c.unicode() >= 0xDC00 && c.unicode() < 0xDC80 && c.unicode() != 0xDC1B)
                c = QChar(c.unicode() - 0xDC00);
        QVERIFY(DecodeDocumentAs(afresh, code, true).text == text);
        t.Buffer().SetSel(3, 9);
        t.Buffer().ReplaceSel(QStringLiteral("<B>"));
        t.Buffer().Undo();
        QVERIFY(t.Doc().OnSaveDocument(t.Path("out.html")));
        const QByteArray out = ReadBytes(t.Path("out.html"));
        if (out != file) {
            qsizetype i = 0;
            while (i < out.size() && i < file.size() && out[i] == file[i])
                ++i;
            QFAIL(qPrintable(QStringLiteral("differs at byte %1: %2 against %3")
                                 .arg(i)
                                 .arg(QString::fromLatin1(out.mid(i, 12).toHex(' ')),
                                      QString::fromLatin1(file.mid(i, 12).toHex(' ')))));
        }
    }

    // What the text holds for the bytes: the character, or the byte kept
    // as U+DC00 + byte.
    void decodedText_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<CodeKind>("code");
        QTest::addColumn<QString>("text");
        QTest::newRow("sjis bytes without a character") << QByteArray("\x88\x9f\x80\xa0\xfd<")
                                                        << CodeKind::ShiftJis
                                                        << u"亜"_qs + Escaped({0x80, 0xA0, 0xFD}) + u'<';
        QTest::newRow("sjis lead before a tag keeps the tag")
            << QByteArray("\x88\x9f\x88<P>") << CodeKind::ShiftJis << u"亜"_qs + Escaped({0x88}) + u"<P>"_qs;
        QTest::newRow("sjis ibm, nec row 13 and user-defined")
            << QByteArray("\xfb\xfc\xfa\xb1\x87\x90\xf0\x40\xf9\xfc") << CodeKind::ShiftJis
            << QStringLiteral("髙﨑≒\uE000\uE757");
        QTest::newRow("euc jis x 0212 and nec-selected row 89")
            << QByteArray("\xb4\xc1\x8f\xb0\xa1\xf9\xa1") << CodeKind::Euc << QStringLiteral("漢丂纊");
        QTest::newRow("euc stray byte keeps the tag")
            << QByteArray("\xb4\xc1\xa1<P>") << CodeKind::Euc << u"漢"_qs + Escaped({0xA1}) + u"<P>"_qs;
        QTest::newRow("jis ESC ( I kana") << QByteArray("\x1b$B4A\x1b(I1\x1b(B") << CodeKind::Jis
                                          << QStringLiteral("漢ｱ");
        QTest::newRow("utf-8 overlong and surrogate kept as bytes")
            << QByteArray("\xe6\x97\xa5\xc0\x80\xed\xa0\x80") << CodeKind::Utf8
            << u"日"_qs + Escaped({0xC0, 0x80, 0xED, 0xA0, 0x80});
        // The ends of each length, the last one at the very end of the file.
        QTest::newRow("utf-8 U+0080, U+07FF") << QByteArray("\xc2\x80\xdf\xbf") << CodeKind::Utf8
                                              << QStringLiteral("\u0080\u07FF");
        QTest::newRow("utf-8 U+0800, U+FFFF") << QByteArray("\xe0\xa0\x80\xef\xbf\xbf") << CodeKind::Utf8
                                              << QStringLiteral("\u0800\uFFFF");
        QTest::newRow("utf-8 U+D7FF, U+E000") << QByteArray("\xed\x9f\xbf\xee\x80\x80") << CodeKind::Utf8
                                              << QStringLiteral("\uD7FF\uE000");
        QTest::newRow("utf-8 U+10000, U+10FFFF") << QByteArray("\xf0\x90\x80\x80\xf4\x8f\xbf\xbf")
                                                 << CodeKind::Utf8 << QString::fromUcs4(U"\U00010000\U0010FFFF");
        QTest::newRow("utf-8 overlong by one") << QByteArray("\xc1\xbf\xe0\x9f\xbf\xf0\x8f\xbf\xbf")
                                               << CodeKind::Utf8
                                               << Escaped({0xC1, 0xBF, 0xE0, 0x9F, 0xBF, 0xF0, 0x8F, 0xBF, 0xBF});
        QTest::newRow("utf-8 cut by the end") << QByteArray("\xe3\x81") << CodeKind::Utf8 << Escaped({0xE3, 0x81});
        QTest::newRow("sjis pair at the end") << QByteArray("a\x88\x9f") << CodeKind::ShiftJis << u"a亜"_qs;
        QTest::newRow("sjis unassigned lead before a letter")
            << QByteArray("\x85\x41") << CodeKind::ShiftJis << Escaped({0x85}) + u'A';
        QTest::newRow("sjis unassigned pair") << QByteArray("\x85\xa1") << CodeKind::ShiftJis
                                              << Escaped({0x85, 0xA1});
        QTest::newRow("euc 8E before a pair") << QByteArray("\x8e\xe0\xa1") << CodeKind::Euc
                                              << Escaped({0x8E}) + u"燹"_qs;
        QTest::newRow("euc pair at the end") << QByteArray("a\xb0\xa1") << CodeKind::Euc << u"a亜"_qs;
        QTest::newRow("euc kana at the end") << QByteArray("a\x8e\xb1") << CodeKind::Euc << u"aｱ"_qs;
        QTest::newRow("euc jis x 0212 at the end") << QByteArray("a\x8f\xb0\xa1") << CodeKind::Euc << u"a丂"_qs;
        QTest::newRow("euc jis x 0212 cut by the end")
            << QByteArray("a\x8f\xb0") << CodeKind::Euc << u"a"_qs + Escaped({0x8F, 0xB0});
    }
    void decodedText()
    {
        QFETCH(QByteArray, file);
        QFETCH(CodeKind, code);
        QFETCH(QString, text);
        const DecodedDocument doc = DecodeDocumentAs(file, code, true);
        QCOMPARE(doc.text, text);
        QCOMPARE(EncodeDocument(doc.text, code, doc.lineEnd, &doc.forms), file);
    }

    // An occurrence added to the text takes the form the file used last.
    void duplicateFormsFollowTheFile()
    {
        TestEditor t;
        QVERIFY(t.App().OpenDocumentFile(t.MakeFile("d.html", "\x81\xe0\x87\x90\xed\x40\xfa\x5c")));
        QCOMPARE(t.Text(), QStringLiteral("≒≒纊纊"));
        t.Buffer().SetSel(-1, -1);
        t.Buffer().SetSel(t.Buffer().GetTextLength(), -1);
        t.Buffer().ReplaceSel(QStringLiteral("≒纊"));
        QVERIFY(t.Doc().OnSaveDocument(t.Path("out.html")));
        QCOMPARE(ReadBytes(t.Path("out.html")),
                 QByteArray("\x81\xe0\x87\x90\xed\x40\xfa\x5c\x87\x90\xfa\x5c"));
    }

    // What input methods type for 〜 and − is written where JIS X 0208 has
    // them (as iconv and nkf write them); read back, they are CP932's forms.
    void jisFormsOfCp932Characters_data()
    {
        QTest::addColumn<CodeKind>("code");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("jis") << CodeKind::Jis << QByteArray("\x1b$B!A!]\x1b(B");
        QTest::newRow("euc") << CodeKind::Euc << QByteArray("\xa1\xc1\xa1\xdd");
        QTest::newRow("shift-jis") << CodeKind::ShiftJis << QByteArray("\x81\x60\x81\x7c");
    }
    void jisFormsOfCp932Characters()
    {
        QFETCH(CodeKind, code);
        QFETCH(QByteArray, bytes);
        const QString typed = QStringLiteral("\u301C\u2212");
        QVERIFY(FindUnencodable(typed, code).empty());
        QCOMPARE(EncodeDocument(typed, code, LineEndKind::CrLf), bytes);
        QCOMPARE(DecodeDocumentAs(bytes, code, true).text, QStringLiteral("\uFF5E\uFF0D"));
        QCOMPARE(EncodeDocument(QStringLiteral("\uFF5E\uFF0D"), code, LineEndKind::CrLf), bytes);
    }

    void openReportsUndecodableBytesOnce()
    {
        TestEditor t;
        QVERIFY(t.App().OpenDocumentFile(t.MakeFile("u.html", "<P>\r\n\x88\x9f\x80\x80</P>")));
        QCOMPARE(t.Doc().UndecodableCount(), 2);
        QCOMPARE(t.Ui().Texts("message"),
                 QStringList{QStringLiteral("文字として読めないバイトが 2 個あります（最初は 2 行 2 桁目）。\n"
                                            "保存するときは、元のバイトのまま書き戻します。")});
        QVERIFY(t.Doc().OnSaveDocument(t.Path("out.html")));
        QCOMPARE(t.Ui().Texts("message").size(), 1);
    }

    // Saving text that the code cannot hold: the question lists the
    // characters, and the answer decides what is written.
    void unencodable_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<CodeKind>("code");
        QTest::addColumn<Ui::Answer>("answer");
        QTest::addColumn<QByteArray>("written");  // empty: nothing written
        QTest::addColumn<CodeKind>("codeAfter");
        QTest::newRow("references in shift-jis")
            << u"<P>\r\n🍺𠮷亜</P>"_qs << CodeKind::ShiftJis << Ui::Answer::Yes
            << QByteArray("<P>\r\n&#x1F37A;&#x20BB7;\x88\x9f</P>") << CodeKind::ShiftJis;
        QTest::newRow("references in jis leave kanji mode")
            << u"亜🍺亜"_qs << CodeKind::Jis << Ui::Answer::Yes
            << QByteArray("\x1b$B0!\x1b(B&#x1F37A;\x1b$B0!\x1b(B") << CodeKind::Jis;
        QTest::newRow("utf-8 instead") << u"🍺"_qs << CodeKind::Euc << Ui::Answer::No
                                       << QByteArray("\xf0\x9f\x8d\xba") << CodeKind::Utf8;
        QTest::newRow("cancel writes nothing") << u"é"_qs << CodeKind::ShiftJis << Ui::Answer::Cancel
                                               << QByteArray() << CodeKind::ShiftJis;
    }
    void unencodable()
    {
        QFETCH(QString, text);
        QFETCH(CodeKind, code);
        QFETCH(Ui::Answer, answer);
        QFETCH(QByteArray, written);
        QFETCH(CodeKind, codeAfter);
        TestEditor t;
        t.SetText(text);
        t.Doc().SetCodeKind(code);
        t.Ui().QueueAnswer(answer);
        const QString path = t.Path("out.html");
        QCOMPARE(t.Doc().OnSaveDocument(path), !written.isEmpty());
        QCOMPARE(ReadBytes(path), written);
        QVERIFY(QFile::exists(path) == !written.isEmpty());
        QCOMPARE(t.Doc().GetCodeKind(), codeAfter);
        QCOMPARE(t.Ui().Texts("question").size(), 1);
    }

    void unencodableListing()
    {
        const QString text = u"a\r\nb🍺\r\n"_qs + QString(7, QChar(0xE9));
        QCOMPARE(CKelvoDoc::UnencodableText(text, CodeKind::ShiftJis),
                 QStringLiteral("シフトJIS では書けない文字が 8 個あります。\n"
                                "  2 行 2 桁目: 🍺 (U+1F37A)\n"
                                "  3 行 1 桁目: é (U+00E9)\n"
                                "  3 行 2 桁目: é (U+00E9)\n"
                                "  3 行 3 桁目: é (U+00E9)\n"
                                "  3 行 4 桁目: é (U+00E9)\n"
                                "  ほか 3 個\n"
                                "\n数値文字参照（&#x1F37A; の形）で書くか、UTF-8 で保存できます。"));
        QVERIFY(CKelvoDoc::UnencodableText(text, CodeKind::Utf8).isEmpty());
    }

    // The character-code dialog asks the same question; a choice of
    // references is not asked again at the save.
    void charCodeDialogGuard_data()
    {
        QTest::addColumn<Ui::Answer>("answer");
        QTest::addColumn<CodeKind>("codeAfter");
        QTest::addColumn<int>("questionsAfterSave");
        QTest::newRow("references") << Ui::Answer::Yes << CodeKind::ShiftJis << 1;
        QTest::newRow("utf-8 instead") << Ui::Answer::No << CodeKind::Utf8 << 1;
        QTest::newRow("cancel keeps the code") << Ui::Answer::Cancel << CodeKind::Utf8 << 1;
    }
    void charCodeDialogGuard()
    {
        QFETCH(Ui::Answer, answer);
        QFETCH(CodeKind, codeAfter);
        QFETCH(int, questionsAfterSave);
        TestEditor t;
        QVERIFY(t.App().OpenDocumentFile(t.MakeFile("b.html", "<P>\xf0\x9f\x8d\xba</P>")));
        t.Ui().QueueField(QStringLiteral("日本語コード"), QStringLiteral("シフトJIS"));
        t.Ui().QueueAnswer(Ui::Answer::Ok);  // the form
        t.Ui().QueueAnswer(answer);
        QVERIFY(t.Run(cmd::CharCode));
        QCOMPARE(t.Doc().GetCodeKind(), codeAfter);
        QVERIFY(t.Run(cmd::FileSave));
        QCOMPARE(t.Ui().Texts("question").size(), questionsAfterSave);
    }

    void declaredCode_data()
    {
        QTest::addColumn<QByteArray>("head");
        QTest::addColumn<int>("declared");  // -1: none
        QTest::newRow("meta charset") << QByteArray("<meta charset=\"EUC-JP\">") << int(CodeKind::Euc);
        QTest::newRow("http-equiv") << QByteArray("<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=Shift_JIS\">")
                                    << int(CodeKind::ShiftJis);
        QTest::newRow("xml declaration") << QByteArray("<?xml version=\"1.0\" encoding='iso-2022-jp'?>")
                                         << int(CodeKind::Jis);
        QTest::newRow("other charset") << QByteArray("<meta charset=\"koi8-r\">") << -1;
        QTest::newRow("in the first 4096 bytes")
            << QByteArray(4075, ' ') + "<meta charset=\"euc-jp\">" << int(CodeKind::Euc);
        QTest::newRow("past them") << QByteArray(4076, ' ') + "<meta charset=\"euc-jp\">" << -1;
        QTest::newRow("charset after the meta") << QByteArray("<meta name=\"a\"><p>charset=euc-jp") << -1;
        QTest::newRow("encoding after the xml declaration")
            << QByteArray("<?xml version=\"1.0\"?><p>encoding=euc-jp") << -1;
        QTest::newRow("none") << QByteArray("<p>charset=utf-8</p>") << -1;
    }
    void declaredCode()
    {
        QFETCH(QByteArray, head);
        QFETCH(int, declared);
        const std::optional<CodeKind> code = DeclaredCode(head);
        QCOMPARE(code ? int(*code) : -1, declared);
    }

    void reopenInDeclaredCode()
    {
        TestEditor t;
        // An EUC kana that, as bytes, is a likelier Shift-JIS kanji.
        const QByteArray page("<meta charset=\"euc-jp\">\r\n\x8e\xb1");
        QVERIFY(t.App().OpenDocumentFile(t.MakeFile("e.html", page)));
        QCOMPARE(t.Doc().GetCodeKind(), CodeKind::ShiftJis);
        QCOMPARE(t.Doc().DisagreeingDeclaredCode(), std::optional<CodeKind>(CodeKind::Euc));
        QVERIFY(t.Run(cmd::ReopenDeclaredCode));
        QCOMPARE(t.Doc().GetCodeKind(), CodeKind::Euc);
        QCOMPARE(t.Text(), QStringLiteral("<meta charset=\"euc-jp\">\r\nｱ"));
        QVERIFY(!t.Doc().DisagreeingDeclaredCode());
        QVERIFY(!t.App().Commands().IsEnabled(cmd::ReopenDeclaredCode));
    }

    void saveKeepsLinksAndPermissions()
    {
        TestEditor t;
        const QString target = t.MakeFile("target.html", "old and longer");
        QVERIFY(QFile::link(target, t.Path("link.html")));
        QVERIFY(::link(QFile::encodeName(target).constData(),
                       QFile::encodeName(t.Path("hard.html")).constData()) == 0);
        QVERIFY(::chmod(QFile::encodeName(target).constData(), 0640) == 0);
        QVERIFY(t.App().OpenDocumentFile(t.Path("link.html")));
        t.SetText(QStringLiteral("new"));
        QVERIFY(t.Doc().OnSaveDocument(t.Path("link.html")));
        QVERIFY(QFileInfo(t.Path("link.html")).isSymLink());
        QCOMPARE(ReadBytes(target), QByteArray("new"));
        QCOMPARE(ReadBytes(t.Path("hard.html")), QByteArray("new"));
        struct stat st {};
        QVERIFY(::stat(QFile::encodeName(target).constData(), &st) == 0);
        QCOMPARE(int(st.st_mode & 0777), 0640);
        // A file of a single link, owned by the saver, keeps its mode too.
        const QString single = t.MakeFile("single.html", "old");
        QVERIFY(::chmod(QFile::encodeName(single).constData(), 0604) == 0);
        QVERIFY(t.Doc().OnSaveDocument(single));
        QVERIFY(::stat(QFile::encodeName(single).constData(), &st) == 0);
        QCOMPARE(int(st.st_mode & 0777), 0604);
    }

    void saveKeepsAnotherUsersOwnership()
    {
        if (geteuid() != 0)
            QSKIP("only root can give a file to another user");
        TestEditor t;
        const QString path = t.MakeFile("theirs.html", "old");
        QVERIFY(::chown(QFile::encodeName(path).constData(), 12345, 12345) == 0);
        t.SetText(QStringLiteral("new"));
        QVERIFY(t.Doc().OnSaveDocument(path));
        struct stat st {};
        QVERIFY(::stat(QFile::encodeName(path).constData(), &st) == 0);
        QCOMPARE(int(st.st_uid), 12345);
        QCOMPARE(int(st.st_gid), 12345);
        QCOMPARE(ReadBytes(path), QByteArray("new"));
    }
};

KELVO_TEST(TestByteExact, "ByteExact");
#include "tst_ByteExact.moc"
