#include "TestFiles.h"
#include "TestRegistry.h"

#include "core/custom/CNamedFileDlg.h"
#include "core/custom/CustomCommandIds.h"
#include "core/custom/CustomCommands.h"
#include "core/doc/CodeKinds.h"

#include <QDir>
#include <QTest>

Q_DECLARE_METATYPE(CodeKind)
Q_DECLARE_METATYPE(LineEndKind)

namespace {

void WriteList(TestEditor& t, const QString& section, const QList<QStringList>& entries)
{
    t.Settings().WriteInt(section, "DirNo", static_cast<int>(entries.size()));
    for (int i = 0; i < entries.size(); ++i) {
        const QString n = QStringLiteral("%1").arg(i, 2, 10, QChar(u'0'));
        t.Settings().WriteString(section, "Name" + n, entries[i][0]);
        t.Settings().WriteString(section, "Dir" + n, entries[i][1]);
    }
}

QList<QStringList> ReadList(TestEditor& t, const QString& section)
{
    QList<QStringList> out;
    const int count = t.Settings().ReadInt(section, "DirNo", 0);
    for (int i = 0; i < count; ++i) {
        const QString n = QStringLiteral("%1").arg(i, 2, 10, QChar(u'0'));
        out.append({t.Settings().ReadString(section, "Name" + n, QString()),
                    t.Settings().ReadString(section, "Dir" + n, QString())});
    }
    return out;
}

int Caret(TestEditor& t)
{
    int s = -1, e = -1;
    t.Buffer().GetSel(s, e);
    return s == e ? s : -1;
}

} // namespace

class TestTemplates : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // A new document from a chosen template: its text with CR LF line ends,
    // the caret on the first empty line, and the initial template as it was.
    // It is saved in the template's code and line end (or the code its page
    // declares), so that, unchanged, it gives the template's bytes.
    void newFromTemplate_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("caret");
        QTest::addColumn<CodeKind>("code");
        QTest::addColumn<LineEndKind>("lineEnd");
        QTest::addColumn<QByteArray>("saved");  // empty: the file's bytes
        const auto sjis = CodeKind::ShiftJis;
        const auto crlf = LineEndKind::CrLf;
        QTest::newRow("caret at the start of the blank line")
            << QByteArray("<HTML>\r\n<HEAD></HEAD>\r\n\r\n<BODY>") << "<HTML>\r\n<HEAD></HEAD>\r\n\r\n<BODY>"
            << 23 << sjis << crlf << QByteArray();
        QTest::newRow("LF line ends") << QByteArray("<P>\n\n</P>\n") << "<P>\r\n\r\n</P>\r\n" << 5 << sjis
                                      << LineEndKind::Lf << QByteArray();
        QTest::newRow("mixed line ends all become the first")
            << QByteArray("a\r\nb\nc\rd") << "a\r\nb\r\nc\r\nd" << 0 << sjis << crlf
            << QByteArray("a\r\nb\r\nc\r\nd");
        QTest::newRow("no line end") << QByteArray("<P>") << "<P>" << 0 << sjis << crlf << QByteArray();
        QTest::newRow("Shift-JIS") << QByteArray("\x82\xa0\r\n") << "あ\r\n" << 0 << sjis << crlf << QByteArray();
        QTest::newRow("UTF-8") << QByteArray("\xe3\x81\x82\r\n\r\n") << "あ\r\n\r\n" << 3 << CodeKind::Utf8
                               << crlf << QByteArray();
        QTest::newRow("EUC-JP") << QByteArray("\xb4\xc1\xbb\xfa\n") << "漢字\r\n" << 0 << CodeKind::Euc
                                << LineEndKind::Lf << QByteArray();
        QTest::newRow("JIS in ESC $ @, ESC ( J") << QByteArray("\x1b$@4A;z\x1b(J\r\n") << "漢字\r\n" << 0
                                                 << CodeKind::Jis << crlf << QByteArray();
        QTest::newRow("UTF-8 that says so")
            << QByteArray("<meta charset=\"UTF-8\">\n\n\xe3\x81\x82") << "<meta charset=\"UTF-8\">\r\n\r\nあ"
            << 24 << CodeKind::Utf8 << LineEndKind::Lf << QByteArray();
        QTest::newRow("7-bit EUC-JP page that says so")
            << QByteArray("<meta charset=\"EUC-JP\">") << "<meta charset=\"EUC-JP\">" << 0 << CodeKind::Euc
            << crlf << QByteArray();
        QTest::newRow("missing file: the fallback") << QByteArray() << "<HTML>\r\n\r\n</HTML>\r\n" << 8 << sjis
                                                    << crlf << QByteArray("<HTML>\r\n\r\n</HTML>\r\n");
    }
    void newFromTemplate()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, text);
        QFETCH(int, caret);
        QFETCH(CodeKind, code);
        QFETCH(LineEndKind, lineEnd);
        QFETCH(QByteArray, saved);
        TestEditor t;
        const QString path = file.isEmpty() ? t.Path("gone.htm") : t.MakeFile("t.htm", file);
        WriteList(t, "Template", {{"一", t.Path("other.htm")}, {"二", path}});
        const QString initial = t.App().InitialTemplatePath();
        t.Ui().QueueField("list", "二");
        QVERIFY(t.Run(cmd::HtmlTemplate));
        QCOMPARE(t.Text(), text);
        QCOMPARE(Caret(t), caret);
        QCOMPARE(t.Doc().GetCodeKind(), code);
        QCOMPARE(t.Doc().GetLineEndKind(), lineEnd);
        QVERIFY(!t.Doc().IsModified());
        QCOMPARE(t.App().InitialTemplatePath(), initial);
        QVERIFY(t.Doc().OnSaveDocument(t.Path("new.htm")));
        QCOMPARE(ReadBytes(t.Path("new.htm")), saved.isEmpty() ? file : saved);
    }

    // Read without conversion ("AutoCode" 0), a template's bytes are the
    // text, and a new page from it is saved as those bytes in its code.
    void templateReadWithoutConversion()
    {
        TestEditor t;
        const QByteArray file("<P>\xe6\x97\xa5\xe6\x9c\xac</P>\n");
        t.Settings().WriteString("System", "InitTemp", t.MakeFile("t.htm", file));
        t.Settings().WriteInt("System", "AutoCode", 0);
        QVERIFY(t.App().NewDocument());
        QCOMPARE(t.Doc().GetCodeKind(), CodeKind::Utf8);
        QVERIFY(t.Doc().OnSaveDocument(t.Path("new.htm")));
        QCOMPARE(ReadBytes(t.Path("new.htm")), file);
    }

    void templateDialogClosed()
    {
        TestEditor t;
        WriteList(t, "Template", {{"一", t.MakeFile("a.htm", "A")}});
        t.SetText("keep");
        t.Ui().QueueAnswer(Ui::Answer::Cancel);
        QVERIFY(t.Run(cmd::HtmlTemplate));
        QCOMPARE(t.Text(), QStringLiteral("keep"));
    }

    void component_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<bool>("tagLower");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("messages");
        QTest::newRow("inserted over the selection") << QByteArray("<HR>\n") << false
                                                     << "a<HR>\r\nc" << QStringList{};
        QTest::newRow("through the tag case") << QByteArray("<HR>") << true << "a<hr>c" << QStringList{};
        QTest::newRow("EUC-JP") << QByteArray("\xb4\xc1\xbb\xfa") << false << "a漢字c" << QStringList{};
        QTest::newRow("JIS") << QByteArray("\x1b$B4A;z\x1b(B") << false << "a漢字c" << QStringList{};
        QTest::newRow("missing file") << QByteArray() << false << "abc"
                                      << QStringList{"ファイルが見つかりません"};
    }
    void component()
    {
        QFETCH(QByteArray, file);
        QFETCH(bool, tagLower);
        QFETCH(QString, text);
        QFETCH(QStringList, messages);
        TestEditor t;
        t.App().SetTagLower(tagLower);
        const QString path = file.isEmpty() ? t.Path("gone.htm") : t.MakeFile("c.htm", file);
        WriteList(t, "DirMenu", {{"部品", path}});
        t.SetText("abc", 1, 2);
        QVERIFY(t.Run(cmd::HtmlComponent));
        QCOMPARE(t.Text(), text);
        QCOMPARE(t.Ui().Texts("message"), messages);
        QCOMPARE(t.Ui().LastForm()->okCaption, QStringLiteral("挿入(&I)"));
    }

    // Every way out of the dialog keeps the list's edits; removing the last
    // entry selects the new last one.
    void listEditing()
    {
        TestEditor t;
        WriteList(t, "DirMenu", {{"a", "/a"}, {"b", "/b"}, {"c", "/c"}});
        CNamedFileDlg dlg(t.App(), CNamedFileDlg::Kind::Components);
        dlg.Select(2);
        t.Ui().QueueAnswer(Ui::Answer::Ok);
        dlg.Remove();
        QCOMPARE(t.Ui().Texts("question"), QStringList{"cを削除しますか？"});
        QCOMPARE(dlg.Selection(), 1);
        dlg.Move(-1);
        QCOMPARE(dlg.Selection(), 0);
        t.Ui().QueueField("タイトル", "d");
        t.Ui().QueueField("ファイル名", "/d");
        dlg.Add();
        QCOMPARE(dlg.Selection(), 2);
        t.Ui().QueueAnswer(Ui::Answer::Cancel);
        QVERIFY(!dlg.Run());
        QCOMPARE(ReadList(t, "DirMenu"), (QList<QStringList>{{"b", "/b"}, {"a", "/a"}, {"d", "/d"}}));
    }

    void registrationLine_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("path");
        QTest::newRow("file, title") << "head.htm,Page head" << "Page head" << "/parts/head.htm";
        QTest::newRow("a second comma stays in the title") << "a.htm,x,y" << "x,y" << "/parts/a.htm";
        QTest::newRow("line ends are cut") << "b.htm,t\r\n" << "t" << "/parts/b.htm";
        QTest::newRow("no comma: skipped") << "head.htm" << QString() << QString();
    }
    void registrationLine()
    {
        QFETCH(QString, line);
        QFETCH(QString, title);
        QFETCH(QString, path);
        const auto entry = RegistrationEntry(line, "/parts/");
        QCOMPARE(entry.has_value(), !path.isEmpty());
        if (entry) {
            QCOMPARE(entry->title, title);
            QCOMPARE(entry->path, path);
        }
    }

    void bulkRegistration_data()
    {
        QTest::addColumn<int>("id");
        QTest::addColumn<QString>("section");
        QTest::newRow("templates") << cmd::RegisterTemplates << "Template";
        QTest::newRow("components") << cmd::RegisterComponents << "DirMenu";
    }
    void bulkRegistration()
    {
        QFETCH(int, id);
        QFETCH(QString, section);
        TestEditor t;
        WriteList(t, section, {{"old", "/old.htm"}});
        QDir(t.Path(QString())).mkpath("parts");
        t.Ui().QueueInput(t.MakeFile("parts/reg.txt", "head.htm,Page head\r\nskip\r\nfoot.htm,足\r\n"));
        t.Buffer().SetModified(false);
        QVERIFY(t.Run(id));
        QCOMPARE(ReadList(t, section), (QList<QStringList>{{"old", "/old.htm"},
                                                            {"Page head", t.Path("parts/head.htm")},
                                                            {"足", t.Path("parts/foot.htm")}}));
        QCOMPARE(t.Doc().IsModified(), section == "DirMenu");

        t.Ui().QueueInput(t.Path("parts/missing.txt"));
        QVERIFY(t.Run(id));
        QCOMPARE(t.Ui().Texts("message"), QStringList{"ファイルが開けません"});
        QCOMPARE(ReadList(t, section).size(), 3);

        // The list has room for 30: registration stops there and says so once.
        QByteArray many;
        for (int i = 0; i < 35; ++i)
            many += QByteArray::number(i) + ".htm,t" + QByteArray::number(i) + "\n";
        t.Ui().QueueInput(t.MakeFile("many.txt", many));
        QVERIFY(t.Run(id));
        QCOMPARE(ReadList(t, section).size(), 30);
        QCOMPARE(t.Ui().Texts("message"), (QStringList{"ファイルが開けません", CListEditDlg::kFullMessage}));
    }

    void initialTemplateCommand()
    {
        TestEditor t;
        const QString path = t.MakeFile("mine.htm", "<HTML>\r\n\r\n</HTML>");
        t.Ui().QueueInput(path);
        QVERIFY(t.Run(cmd::InitialTemplate));
        QCOMPARE(t.Settings().ReadString("System", "InitTemp", QString()), path);
        QCOMPARE(t.App().InitialTemplatePath(), path);
        QCOMPARE(t.Ui().LastFileDialog().filter,
                 QStringLiteral("HTMLﾌｧｲﾙ(*.htm*) |*.htm*| 全てのﾌｧｲﾙ(*.*) |*.*||"));
    }

    // The shipped registration files name the shipped files.
    void shippedTemplates()
    {
        for (const char* reg : {"templates/templates.txt", "components/components.txt"}) {
            TestEditor t;
            const QString path = QStringLiteral(KELVO_BUILD_DIR "/src/") + reg;
            t.Ui().QueueInput(path);
            QVERIFY(t.Run(cmd::RegisterTemplates));
            const QList<QStringList> list = ReadList(t, "Template");
            QCOMPARE(list.size(), 3);
            for (const QStringList& e : list)
                QVERIFY2(QFile::exists(e[1]), qPrintable(e[1]));
        }
    }
};
KELVO_TEST(TestTemplates, "Templates");
#include "tst_Templates.moc"
