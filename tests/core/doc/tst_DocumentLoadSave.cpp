#include "ByteCorpus.h"
#include "TestFiles.h"
#include "TestRegistry.h"

#include "core/app/CommandIds.h"
#include "core/doc/DocumentCodec.h"
#include "core/doc/JisConvert.h"
#include "platform/Cp932.h"

#include <QDir>
#include <QTest>

#include <csignal>
#include <sys/resource.h>
#include <unistd.h>

Q_DECLARE_METATYPE(CodeKind)
Q_DECLARE_METATYPE(LineEndKind)

namespace {

// Every assigned JIS X 0208 character (in the device code page) and every
// half-width katakana, in lines of HTML, CR LF line ends.
QByteArray SjisCorpus()
{
    QByteArray out("<HTML>\r\n<BODY>\r\n");
    int onLine = 0;
    auto breakLine = [&] {
        out += "<BR>\r\n";
        onLine = 0;
    };
    for (uint h = 0x21; h <= 0x74; ++h) {
        if (h >= 0x29 && h <= 0x2F)
            continue;  // rows 9-15 are not part of JIS X 0208
        for (uint l = 0x21; l <= 0x7E; ++l) {
            QByteArray euc(2, '\0');
            euc[0] = char(h | 0x80);
            euc[1] = char(l | 0x80);
            const QByteArray sjis = Iconv("EUC-JP-MS", "CP932", euc);
            if (sjis.size() != 2)
                continue;
            out += sjis;
            if (++onLine == 40)
                breakLine();
        }
    }
    breakLine();
    for (int k = 0xA1; k <= 0xDF; ++k)
        out += char(k);
    out += "\r\n<P>ASCII &amp; text</P>\r\n</BODY>\r\n</HTML>";  // last line without line end
    return out;
}

} // namespace

class TestDocumentLoadSave : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void edgeCases_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("text");
        QTest::addColumn<CodeKind>("code");
        QTest::addColumn<LineEndKind>("lineEnd");
        QTest::newRow("empty file") << QByteArray() << QString() << CodeKind::Ascii
                                    << LineEndKind::None;
        QTest::newRow("sjis with lf") << QByteArray("\x88\x9f\na\n") << QStringLiteral("亜\r\na\r\n")
                                      << CodeKind::ShiftJis << LineEndKind::Lf;
        QTest::newRow("mixed: first line end counts, crlf becomes cr cr lf")
            << QByteArray("a\nb\r\nc") << QStringLiteral("a\r\nb\r\r\nc") << CodeKind::Ascii
            << LineEndKind::Lf;
        QTest::newRow("cr file") << QByteArray("a\rb\r") << QStringLiteral("a\r\nb\r\n")
                                 << CodeKind::Ascii << LineEndKind::Cr;
        QTest::newRow("jis with lf, last line without line end")
            << QByteArray("\x1b$B0!\x1b(B\nx\n\x1b$B0!\x1b(B")
            << QStringLiteral("亜\r\nx\r\n亜") << CodeKind::Jis << LineEndKind::Lf;
        QTest::newRow("euc with crlf") << QByteArray("\xbb\xfa\x8e\xb1\r\n")
                                       << QStringLiteral("字ｱ\r\n") << CodeKind::Euc
                                       << LineEndKind::CrLf;
        QTest::newRow("utf-8") << QByteArray("\xe4\xba\x9c\r\n") << QStringLiteral("亜\r\n")
                               << CodeKind::Utf8 << LineEndKind::CrLf;
        QTest::newRow("utf-8 outside the device code page")
            << QByteArray("\xf0\x9f\x98\x80 \xc3\xa9 \xf0\xa0\xae\xb7 \xe4\xba\x9c\n")
            << QStringLiteral("😀 é 𠮷 亜\r\n") << CodeKind::Utf8 << LineEndKind::Lf;
        QTest::newRow("as likely euc as sjis: unknown, read as device code page")
            << QByteArray("\x8e\xb1\x8e\xb1\xe0\xa1\xb1\xb2")
            << platform::Cp932ToUnicode("\x8e\xb1\x8e\xb1\xe0\xa1\xb1\xb2")
            << CodeKind::Unknown << LineEndKind::None;
    }
    // Loading gives the text and kinds; saving gives the same bytes back.
    void edgeCases()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, text);
        QFETCH(CodeKind, code);
        QFETCH(LineEndKind, lineEnd);
        TestEditor t;
        const QString path = t.MakeFile("doc.html", file);
        QVERIFY(t.App().OpenDocumentFile(path));
        QCOMPARE(t.Text(), text);
        QCOMPARE(t.Doc().GetCodeKind(), code);
        QCOMPARE(t.Doc().GetLineEndKind(), lineEnd);
        QVERIFY(!t.Doc().IsModified());
        QVERIFY(t.Doc().OnSaveDocument(t.Path("out.html")));
        QCOMPARE(ReadBytes(t.Path("out.html")), file);
    }

    // UTF-16, with a byte-order mark or without, is refused and the
    // document shown stays.
    void utf16Refused()
    {
        TestEditor t;
        QVERIFY(t.App().OpenDocumentFile(t.MakeFile("keep.html", "keep")));
        for (const QByteArray& file : {QByteArray("<\0P\0>\0\xe5\x65\r\0\n\0", 12), QByteArray("\xff\xfe<\0", 4)}) {
            const QString path = t.MakeFile("wide.html", file);
            QVERIFY(!t.App().OpenDocumentFile(path));
            QCOMPARE(t.Ui().Texts("message").last(), "UTF-16 のファイルは読み込めません - " + path);
            QCOMPARE(t.Text(), QStringLiteral("keep"));
        }
    }

    void loadWritesIniFile()
    {
        TestEditor t;
        const QString path = t.MakeFile("a.html", "<P>");
        QVERIFY(t.App().OpenDocumentFile(path));
        QCOMPARE(t.Settings().ReadString("System", "IniFile", QString()), path);
        QCOMPARE(t.Doc().GetPathName(), path);
        QCOMPARE(t.Doc().GetTitle(), QStringLiteral("a.html"));
        QCOMPARE(t.Ui().WindowTitle(), QStringLiteral("a - Kelvopad"));
        QVERIFY(t.App().RecentFiles().Files().contains(path));
    }

    void missingFileIsReported()
    {
        TestEditor t;
        QVERIFY(t.App().OpenDocumentFile(t.MakeFile("keep.html", "keep")));
        QVERIFY(!t.App().OpenDocumentFile(t.Path("nothing.html")));
        QCOMPARE(t.Ui().Texts("message"), QStringList{QStringLiteral("ファイルが見つかりません")});
        // The shown document stays as it was.
        QCOMPARE(t.Text(), QStringLiteral("keep"));
        QCOMPARE(t.Doc().GetPathName(), t.Path("keep.html"));
        QVERIFY(!t.App().OpenDocumentFile(t.Path("")));
    }

    void autoCodeOffShowsEscapesAndStillSavesJis()
    {
        TestEditor t;
        t.Settings().WriteInt("System", "AutoCode", 0);
        const QByteArray jis("\x1b$B0!\x1b(B\r\n");
        QVERIFY(t.App().OpenDocumentFile(t.MakeFile("j.html", jis)));
        QCOMPARE(t.Doc().GetCodeKind(), CodeKind::Jis);
        QCOMPARE(t.Text(), QStringLiteral("\x1b$B0!\x1b(B\r\n"));
        // The text is taken as device code page text and converted to JIS
        // again: 7-bit text passes unchanged.
        t.Buffer().SetSel(0, 0);
        t.Buffer().ReplaceSel(QStringLiteral("亜"));
        QVERIFY(t.Doc().OnSaveDocument(t.Path("out.html")));
        QCOMPARE(ReadBytes(t.Path("out.html")), QByteArray("\x1b$B0!\x1b(B\x1b$B0!\x1b(B\r\n"));
    }

    // Read without conversion, EUC and UTF-8 pages are device code page
    // text, and an edit leaves their other bytes as they were.
    void autoCodeOffKeepsTheBytes_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<CodeKind>("code");
        QTest::newRow("utf-8") << QByteArray("<P>\xe6\x97\xa5\xe6\x9c\xac\xc2\xa9</P>\n") << CodeKind::Utf8;
        QTest::newRow("utf-8 with bom") << QByteArray("\xef\xbb\xbf<P>\xe6\x97\xa5</P>\n") << CodeKind::Utf8;
        QTest::newRow("euc") << QByteArray("<P>\xc6\xfc\xcb\xdc\x8e\xb1</P>\n") << CodeKind::Euc;
    }
    void autoCodeOffKeepsTheBytes()
    {
        QFETCH(QByteArray, file);
        QFETCH(CodeKind, code);
        TestEditor t;
        t.Settings().WriteInt("System", "AutoCode", 0);
        const QString path = t.MakeFile("p.html", file);
        QVERIFY(t.App().OpenDocumentFile(path));
        QCOMPARE(t.Doc().GetCodeKind(), code);
        QVERIFY(t.Doc().OnSaveDocument(path));
        QCOMPARE(ReadBytes(path), file);
        t.Buffer().SetSel(0, 0);
        t.Buffer().ReplaceSel(QStringLiteral("x"));
        QVERIFY(t.Doc().OnSaveDocument(path));
        QCOMPARE(ReadBytes(path), "x" + file);
    }

    // The mark is not part of the text, and the file keeps it.
    void bomIsKeptOutOfTheText()
    {
        TestEditor t;
        QVERIFY(t.App().OpenDocumentFile(t.MakeFile("b.html", "\xef\xbb\xbf<P>\xe4\xba\x9c</P>\r\n")));
        QCOMPARE(t.Doc().GetCodeKind(), CodeKind::Utf8);
        QCOMPARE(t.Text(), QStringLiteral("<P>亜</P>\r\n"));
        QVERIFY(t.Doc().OnSaveDocument(t.Path("out.html")));
        QCOMPARE(ReadBytes(t.Path("out.html")), QByteArray("\xef\xbb\xbf<P>\xe4\xba\x9c</P>\r\n"));
    }

    void charCodeDialogChangesTheSavedCode()
    {
        TestEditor t;
        QVERIFY(t.App().OpenDocumentFile(t.MakeFile("s.html", "\x88\x9f\r\n")));
        t.Ui().QueueField(QStringLiteral("日本語コード"), QStringLiteral("EUC"));
        t.Ui().QueueField(QStringLiteral("改行コード"), QStringLiteral("LF"));
        QVERIFY(t.Run(cmd::CharCode));
        const FormModel* form = t.Ui().LastForm();
        QVERIFY(form);
        QCOMPARE(form->title, QStringLiteral("文字コード"));
        QCOMPARE(form->fields[0].choices,
                 (QStringList{"シフトJIS", "JIS", "EUC", "UTF-8", "ASCII", "不明"}));
        QCOMPARE(form->fields[1].choices, (QStringList{"CR+LF", "LF", "CR", "不明"}));
        QCOMPARE(t.Doc().GetCodeKind(), CodeKind::Euc);
        QCOMPARE(t.Doc().GetLineEndKind(), LineEndKind::Lf);
        // Nothing converted yet, nothing modified.
        QVERIFY(!t.Doc().IsModified());
        QVERIFY(t.Run(cmd::FileSave));
        QCOMPARE(ReadBytes(t.Path("s.html")), QByteArray("\xb0\xa1\n"));
    }

    void charCodeDialogPresets()
    {
        TestEditor t;
        QVERIFY(t.App().OpenDocumentFile(t.MakeFile("n.html", "abc")));
        t.Ui().QueueAnswer(Ui::Answer::Cancel);
        t.Ui().QueueField(QStringLiteral("日本語コード"), QStringLiteral("UTF-8"));
        QVERIFY(t.Run(cmd::CharCode));
        const FormModel* form = t.Ui().LastForm();
        QCOMPARE(t.Doc().GetCodeKind(), CodeKind::Ascii);  // cancelled
        // Line end None shows no selection.
        QCOMPARE(form->fields[1].index, -1);
    }

    void corpusRoundTrip_data()
    {
        QTest::addColumn<CodeKind>("code");
        QTest::addColumn<LineEndKind>("lineEnd");
        for (CodeKind c : {CodeKind::ShiftJis, CodeKind::Jis, CodeKind::Euc, CodeKind::Utf8,
                           CodeKind::Ascii, CodeKind::Unknown})
            for (LineEndKind e : {LineEndKind::CrLf, LineEndKind::Lf, LineEndKind::Cr})
                QTest::newRow(qPrintable(CodeKindName(c) + u' ' + LineEndKindName(e))) << c << e;
    }
    // Load, save, compare: byte for byte, for every code and line end.
    void corpusRoundTrip()
    {
        QFETCH(CodeKind, code);
        QFETCH(LineEndKind, lineEnd);
        static const QByteArray sjis = SjisCorpus();
        static const QString text = platform::Cp932ToUnicode(sjis);
        QByteArray crlf;
        QString expected = text;
        switch (code) {
        case CodeKind::ShiftJis:
            crlf = sjis;
            break;
        case CodeKind::Jis:
            crlf = ConvertByLines(sjis, "\r\n", LineConverter(SjisLineToJis));
            break;
        case CodeKind::Euc:
            crlf = Iconv("CP932", "EUC-JP-MS", sjis);
            break;
        case CodeKind::Utf8:
            crlf = text.toUtf8();
            break;
        case CodeKind::Ascii:
            crlf = "<HTML>\r\n<P>plain text\r\n\r\n</HTML>";
            expected = QString::fromLatin1(crlf);
            break;
        default:
            // Only pairs of half-width-katakana-like bytes: no byte decides.
            crlf = "<P>\x8e\xb1\x8e\xb1\xe0\xa1\xb1\xb2\r\n\x8e\xb1\x8e\xb1\xe0\xa1\xb1\xb2</P>";
            expected = platform::Cp932ToUnicode(crlf);
            break;
        }
        QVERIFY(!crlf.isEmpty());
        const QByteArray file = WithLineEnd(crlf, lineEnd);
        TestEditor t;
        QVERIFY(t.App().OpenDocumentFile(t.MakeFile("corpus.html", file)));
        QCOMPARE(t.Doc().GetCodeKind(), code);
        QCOMPARE(t.Doc().GetLineEndKind(), lineEnd);
        QVERIFY(t.Text() == expected);
        QVERIFY(t.Doc().OnSaveDocument(t.Path("out.html")));
        const QByteArray saved = ReadBytes(t.Path("out.html"));
        QCOMPARE(saved.size(), file.size());
        QVERIFY(saved == file);
    }

    // A save that fails half way leaves the old file as it was, on each way
    // a file is written: replaced, in place (a second name), or new.
    void failedSaveKeepsTheOriginal_data()
    {
        QTest::addColumn<QString>("setup");
        QTest::newRow("replaced") << "single";
        QTest::newRow("in place, hard link") << "hard";
        QTest::newRow("new file") << "new";
    }
    void failedSaveKeepsTheOriginal()
    {
        QFETCH(QString, setup);
        TestEditor t;
        const QByteArray original("old contents\r\n");
        const QString path = setup == u"new" ? t.Path("keep.html") : t.MakeFile("keep.html", original);
        if (setup == u"hard")
            QVERIFY(::link(QFile::encodeName(path).constData(),
                           QFile::encodeName(t.Path("keep.html.link")).constData()) == 0);
        t.Buffer().SetText(QString(200000, u'x'), true);
        QVERIFY(t.Doc().IsModified());
        const QStringList before = QDir(t.Path("")).entryList(QDir::Files | QDir::Hidden);

        // Writes beyond 64 KiB fail as on a full disk.
        struct rlimit old {};
        getrlimit(RLIMIT_FSIZE, &old);
        struct rlimit small = old;
        small.rlim_cur = 65536;
        auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        QCOMPARE(setrlimit(RLIMIT_FSIZE, &small), 0);
        const bool saved = t.Doc().OnSaveDocument(path);
        setrlimit(RLIMIT_FSIZE, &old);
        std::signal(SIGXFSZ, oldHandler);

        QVERIFY(!saved);
        QCOMPARE(ReadBytes(path), setup == u"new" ? QByteArray() : original);
        QCOMPARE(t.Ui().Texts("message").last(),
                 QStringLiteral("保存できませんでした（元のファイルはそのままです） - ") + path);
        QVERIFY(t.Doc().IsModified());
        // No temporary file is left behind.
        QCOMPARE(QDir(t.Path("")).entryList(QDir::Files | QDir::Hidden), before);
    }

    void saveToMissingFolderIsReported()
    {
        TestEditor t;
        t.Buffer().SetText(QStringLiteral("x"), true);
        const QString path = t.Path("no/such/folder/a.html");
        QVERIFY(!t.Doc().OnSaveDocument(path));
        QCOMPARE(t.Ui().Texts("message"), QStringList{QStringLiteral("保存ファイルが開けません - ") + path});
        QVERIFY(t.Doc().IsModified());
    }

    void saveModified_data()
    {
        QTest::addColumn<bool>("hasPath");
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("result");
        QTest::addColumn<bool>("written");
        QTest::newRow("cancel") << true << int(Ui::Answer::Cancel) << false << false;
        QTest::newRow("no drops the changes") << true << int(Ui::Answer::No) << true << false;
        QTest::newRow("yes saves to the path") << true << int(Ui::Answer::Yes) << true << true;
        QTest::newRow("yes without path runs save as") << false << int(Ui::Answer::Yes) << true
                                                       << true;
    }
    void saveModified()
    {
        QFETCH(bool, hasPath);
        QFETCH(int, answer);
        QFETCH(bool, result);
        QFETCH(bool, written);
        TestEditor t;
        const QString path = t.Path("doc.html");
        if (hasPath)
            QVERIFY(t.App().OpenDocumentFile(t.MakeFile("doc.html", "old")));
        else
            t.App().NewDocument();
        t.Buffer().SetSel(0, 0);
        t.Buffer().ReplaceSel(QStringLiteral("new "));
        t.Ui().QueueAnswer(static_cast<Ui::Answer>(answer));
        if (!hasPath)
            t.Ui().QueueInput(path);
        QCOMPARE(t.Doc().SaveModified(), result);
        QCOMPARE(t.Ui().Texts("question").first(), QStringLiteral("ファイルを閉じます。保存しますか？"));
        QCOMPARE(ReadBytes(path).startsWith("new "), written);
    }

    void unmodifiedDocumentIsNotAsked()
    {
        TestEditor t;
        QVERIFY(t.App().OpenDocumentFile(t.MakeFile("doc.html", "old")));
        QVERIFY(t.Doc().SaveModified());
        QVERIFY(t.Ui().Texts("question").isEmpty());
    }

    void failedSaveCancelsTheClose()
    {
        TestEditor t;
        t.App().NewDocument();
        t.Buffer().ReplaceSel(QStringLiteral("x"));
        t.Ui().QueueAnswer(Ui::Answer::Yes);
        t.Ui().QueueInput(t.Path("missing/dir/a.html"));
        QVERIFY(!t.Doc().SaveModified());
    }

    void saveAsDialog()
    {
        TestEditor t;
        t.Settings().WriteString("System", "InitDir", t.Path(""));
        QVERIFY(t.App().OpenDocumentFile(t.MakeFile("page.htm", "<P>")));
        t.Ui().QueueInput(t.Path("copy.html"));
        QVERIFY(t.Run(cmd::FileSaveAs));
        const Ui::FileDialog& d = t.Ui().LastFileDialog();
        QVERIFY(d.save);
        QCOMPARE(d.title, QStringLiteral("名前を付けて保存"));
        QCOMPARE(d.defaultExtension, QStringLiteral("html"));
        QCOMPARE(d.initialName, QStringLiteral("page.htm"));
        QCOMPARE(d.initialFolder, t.Path(""));
        QVERIFY(d.overwritePrompt && d.hideReadOnly && d.noChangeDir && d.pathMustExist);
        QCOMPARE(d.filter,
                 QStringLiteral("HTMLﾌｧｲﾙ(*.html) |*.html|HTMﾌｧｲﾙ(*.htm) |*.htm|SHTMLﾌｧｲﾙ(*.shtml) "
                                "|*.shtml|Perlﾌｧｲﾙ(*.pl) |*.pl|CGIﾌｧｲﾙ(*.cgi) |*.cgi|Textﾌｧｲﾙ(*.txt) "
                                "|*.txt|ｽﾀｲﾙｼｰﾄ(*.css) |*.css|全てのﾌｧｲﾙ(*.*) |*.*||"));
        QCOMPARE(Ui::ParseFilter(d.filter).size(), size_t(8));
        QCOMPARE(ReadBytes(t.Path("copy.html")), QByteArray("<P>"));
        QCOMPARE(t.Doc().GetPathName(), t.Path("copy.html"));
        QCOMPARE(t.Ui().WindowTitle(), QStringLiteral("copy - Kelvopad"));
        QVERIFY(t.App().RecentFiles().Files().startsWith(t.Path("copy.html")));
    }

    void saveAsCancelled()
    {
        TestEditor t;
        QVERIFY(t.App().OpenDocumentFile(t.MakeFile("page.htm", "<P>")));
        QVERIFY(t.Run(cmd::FileSaveAs));  // the input queue is empty: cancel
        QCOMPARE(t.Doc().GetPathName(), t.Path("page.htm"));
    }

    void saveOfNewDocumentAsksForAPath()
    {
        TestEditor t;
        t.App().NewDocument();
        t.Ui().QueueInput(t.Path("new.html"));
        QVERIFY(t.Run(cmd::FileSave));
        QCOMPARE(t.Ui().LastFileDialog().title, QStringLiteral("名前を付けて保存"));
        QVERIFY(QFile::exists(t.Path("new.html")));
        QCOMPARE(t.Doc().GetPathName(), t.Path("new.html"));
    }

    void newDocumentFromTemplate_data()
    {
        QTest::addColumn<QByteArray>("templateFile");
        QTest::addColumn<bool>("tagLower");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("caret");
        QTest::newRow("template: caret on the first empty line")
            << QByteArray("<HTML>\r\n<HEAD></HEAD>\r\n\r\n<BODY>") << false
            << QStringLiteral("<HTML>\r\n<HEAD></HEAD>\r\n\r\n<BODY>") << 23;
        QTest::newRow("template without empty line") << QByteArray("<P>") << false
                                                     << QStringLiteral("<P>") << 0;
        QTest::newRow("missing template: fallback") << QByteArray() << false
                                                    << QStringLiteral("<HTML>\r\n\r\n</HTML>\r\n") << 8;
        QTest::newRow("fallback in lower case") << QByteArray() << true
                                                << QStringLiteral("<html>\r\n\r\n</html>\r\n") << 8;
    }
    void newDocumentFromTemplate()
    {
        QFETCH(QByteArray, templateFile);
        QFETCH(bool, tagLower);
        QFETCH(QString, text);
        QFETCH(int, caret);
        TestEditor t;
        const QString tmpl = templateFile.isEmpty() ? t.Path("missing.htm")
                                                    : t.MakeFile("t.htm", templateFile);
        t.Settings().WriteString("System", "InitTemp", tmpl);
        t.Settings().WriteInt("System", "TagLower", tagLower ? 1 : 0);
        t.App().LoadSettings(10);
        QVERIFY(t.App().OpenDocumentFile(t.MakeFile("e.html", "\xb0\xa1")));  // euc
        QVERIFY(t.App().NewDocument());
        QCOMPARE(t.Text(), text);
        int s = -1, e = -1;
        t.Buffer().GetSel(s, e);
        QCOMPARE(s, caret);
        QCOMPARE(e, caret);
        QCOMPARE(t.Doc().GetCodeKind(), CodeKind::ShiftJis);
        QCOMPARE(t.Doc().GetLineEndKind(), LineEndKind::CrLf);
        QVERIFY(!t.Doc().IsModified());
        QVERIFY(t.Doc().GetPathName().isEmpty());
        QCOMPARE(t.Ui().WindowTitle(), QStringLiteral("無題 - Kelvopad"));
    }
};

KELVO_TEST(TestDocumentLoadSave, "DocumentLoadSave");
#include "tst_DocumentLoadSave.moc"
