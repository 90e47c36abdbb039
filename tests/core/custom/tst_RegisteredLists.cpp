#include "TestFiles.h"
#include "TestRegistry.h"

#include "core/app/ShellCommandIds.h"
#include "core/custom/CListEditDlg.h"
#include "core/custom/CRegListDlg.h"
#include "core/custom/CRegToolList.h"
#include "core/custom/RegListCsv.h"
#include "core/doc/TextFileReader.h"
#include "platform/Cp932.h"
#include "platform/FileAccess.h"

#include <QDir>
#include <QFileInfo>
#include <QScopeGuard>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTest>

#include <unistd.h>

namespace {

// Where each list keeps its entries: the section, the count's key and the
// key prefix of each field.
struct ListKeys {
    const char* section;
    const char* count;
    QStringList fields;
};
// A field's key: its prefix and the entry's number as two digits.
QString EntryKey(const QString& prefix, int i)
{
    return prefix + QStringLiteral("%1").arg(i, 2, 10, QChar(u'0'));
}

ListKeys KeysOf(bool tags)
{
    return tags ? ListKeys{"TagMenu", "TagNo", {"Name", "Tag1", "Tag2"}}
                : ListKeys{"Tool", "Count", {"Name", "File"}};
}

void WriteList(TestEditor& t, bool tags, const QList<QStringList>& list)
{
    const ListKeys k = KeysOf(tags);
    t.Settings().WriteInt(k.section, k.count, static_cast<int>(list.size()));
    for (int i = 0; i < list.size(); ++i)
        for (int f = 0; f < k.fields.size(); ++f)
            t.Settings().WriteString(k.section, EntryKey(k.fields[f], i), list[i][f]);
}

QList<QStringList> ReadList(TestEditor& t, bool tags)
{
    const ListKeys k = KeysOf(tags);
    QList<QStringList> out(t.Settings().ReadInt(k.section, k.count, 0));
    for (int i = 0; i < out.size(); ++i)
        for (const QString& field : k.fields)
            out[i].append(t.Settings().ReadString(k.section, EntryKey(field, i), QString()));
    return out;
}

// The list dialog with the files chosen and the buttons pressed, in order.
void RunListDialog(TestEditor& t, bool tags, const QStringList& files, const QStringList& buttons)
{
    for (const QString& file : files)
        t.Ui().QueueInput(file);
    for (const QString& button : buttons)
        t.Ui().QueueField(button, QString());
    QVERIFY(t.Run(tags ? cmd::RegisteredTagEdit : cmd::RegisteredToolEdit));
}

const QList<QStringList> kTags = {
    {"太字", "<B>", "</B>"}, {"", "<TABLE>\r\n<TR>", "</TR>\r\n</TABLE>"}, {"引用, 短い", "<Q>", "</Q>"}};
const QList<QStringList> kTools = {{"ビューア", "/usr/bin/viewer %"}, {"端末", "/usr/bin/term"}};

} // namespace

class TestRegisteredLists : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void registeredTag_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("selStart");
        QTest::addColumn<int>("selEnd");
        QTest::addColumn<QString>("result");
        QTest::newRow("around the selection") << "x abc y" << 2 << 5 << "x <B>abc</B> y";
        QTest::newRow("no selection: the pair at the caret") << "xy" << 1 << 1 << "x<B></B>y";
    }
    void registeredTag()
    {
        QFETCH(QString, text);
        QFETCH(int, selStart);
        QFETCH(int, selEnd);
        QFETCH(QString, result);
        TestEditor t;
        WriteList(t, true, kTags);
        t.SetText(text, selStart, selEnd);
        QVERIFY(t.Run(cmd::RegisteredTagFirst));
        QCOMPARE(t.Text(), result);
        QCOMPARE(t.View().LastStartTag(), QStringLiteral("<B>"));
        // An entry beyond the list does nothing.
        QVERIFY(t.Run(cmd::RegisteredTagFirst + 3));
        QCOMPARE(t.Text(), result);
    }

    void menus()
    {
        TestEditor t;
        WriteList(t, true, kTags);
        QList<QStringList> tools;
        for (int i = 0; i < 12; ++i)
            tools.append({QStringLiteral("tool%1").arg(i), QStringLiteral("/bin/t%1").arg(i)});
        WriteList(t, false, tools);
        const std::vector<MenuItem> tagMenu = t.App().RegisteredTagMenu();
        QCOMPARE(tagMenu.size(), size_t(3));
        QCOMPARE(tagMenu[1].caption, QStringLiteral("&1: <TABLE> <TR></TR> </TABLE>"));
        QCOMPARE(tagMenu[1].id, cmd::RegisteredTagFirst + 1);
        QCOMPARE(t.App().RegisteredToolMenu().size(), size_t(10));
    }

    // The command line split as a shell would, never read by one: quotes
    // keep blanks, each "%" outside quotes is the document's path as one
    // argument whatever it holds, and an existing path with blanks and no
    // quotes stays one program. DIR is the test's folder, DOC the document.
    void registeredTool_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("document");
        QTest::addColumn<QString>("program");
        QTest::addColumn<QStringList>("arguments");
        QTest::newRow("% takes the document's path") << "/usr/bin/viewer %" << "a.htm"
                                                     << "/usr/bin/viewer" << QStringList{"DOC"};
        QTest::newRow("options around %") << "xdg-open --new-window % -x" << "a.htm" << "xdg-open"
                                          << QStringList{"--new-window", "DOC", "-x"};
        QTest::newRow("without % no argument") << "/usr/bin/term" << "a.htm" << "/usr/bin/term"
                                               << QStringList{};
        QTest::newRow("a path with blanks, quotes and a semicolon is one argument")
            << "/usr/bin/viewer %" << "my \"docs\"; rm -rf a b.htm" << "/usr/bin/viewer"
            << QStringList{"DOC"};
        QTest::newRow("quoted program, % inside a word, quoted and escaped %")
            << "\"DIR/My Tool/run\" --out=% '%' 100\\% \"a \\\"b\\\"\" c\\ d" << "a.htm" << "DIR/My Tool/run"
            << QStringList{"--out=DOC", "%", "100%", "a \"b\"", "c d"};
        QTest::newRow("an existing program with a blank, unquoted")
            << "DIR/My Tool/run --flag %" << "a.htm" << "DIR/My Tool/run" << QStringList{"--flag", "DOC"};
        QTest::newRow("a missing one splits at the blank")
            << "DIR/My Tool/ru --flag %" << "a.htm" << "DIR/My" << QStringList{"Tool/ru", "--flag", "DOC"};
    }
    void registeredTool()
    {
        QFETCH(QString, file);
        QFETCH(QString, document);
        QFETCH(QString, program);
        QFETCH(QStringList, arguments);
        TestEditor t;
        const QString dir = QFileInfo(t.Path("x")).absolutePath();
        QVERIFY(QDir().mkpath(t.Path("My Tool")));
        t.MakeFile("My Tool/run", "");
        WriteList(t, false, {{"tool", file.replace("DIR", dir)}});
        const QString path = t.MakeFile(document, "<P>");
        QVERIFY(t.App().OpenDocumentFile(path));
        QVERIFY(t.Run(cmd::RegisteredToolFirst));
        QCOMPARE(t.Ui().Processes().size(), size_t(1));
        const ScriptedUi::Process& p = t.Ui().Processes()[0];
        QCOMPARE(p.program, program.replace("DIR", dir));
        QCOMPARE(p.arguments, arguments.replaceInStrings("DOC", path));
        QCOMPARE(p.workingFolder, QStringLiteral("/"));
    }

    // Nothing can start: the user is told why, with the tool's line.
    void toolThatCannotStart_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("message");
        QTest::newRow("quote left open") << "\"/usr/bin/v %" << "（引用符が閉じていません）";
        QTest::newRow("the document as the program") << "% -x" << "（プログラムが指定されていません）";
        QTest::newRow("no such program") << "/nonexistent/tool %" << "ツールを起動できません\n/nonexistent/tool";
    }
    void toolThatCannotStart()
    {
        QFETCH(QString, file);
        QFETCH(QString, message);
        TestEditor t;
        t.Ui().startProcesses = true;
        WriteList(t, false, {{"tool", file}});
        QVERIFY(t.Run(cmd::RegisteredToolFirst));
        QVERIFY2(t.Ui().Texts("message").value(0).contains(message), qPrintable(t.Ui().Texts("message").join('|')));
    }

    // A real process gets each argument as it was meant, and an untitled
    // document leaves out the words that would name it.
    void toolStartsForReal()
    {
        TestEditor t;
        t.Ui().startProcesses = true;
        const QString out = t.Path("args");
        QVERIFY(QDir().mkpath(t.Path("My Tool")));
        const QString tool = t.MakeFile("My Tool/rec", "#!/bin/sh\nprintf '%s\\n' \"$@\" > \"$0.tmp\" && mv \"$0.tmp\" \""
                                                       + out.toUtf8() + "\"\n");
        QVERIFY(QFile::setPermissions(tool, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
        WriteList(t, false, {{"tool", tool + " -a % 'b c' --in=%"}});
        // A name from a Windows archive (CP932 bytes) with a shell's signs.
        const QByteArray name = platform::EncodePath(t.Path("p a;$(x)")) + "\x95\x5c\x8e\xa6.htm";
        const QString page = platform::DecodePath(name);
        // QTemporaryDir cannot remove a name that is no UTF-8.
        const auto remove = qScopeGuard([&] { ::unlink(name.constData()); });
        QCOMPARE(platform::WriteFileSafely(page, "<P>"), platform::FileError::None);
        QVERIFY(t.App().OpenDocumentFile(page));
        QVERIFY(t.Run(cmd::RegisteredToolFirst));
        QTRY_COMPARE_WITH_TIMEOUT(ReadBytes(out), "-a\n" + name + "\nb c\n--in=" + name + "\n", 60000);
        QVERIFY(QFile::remove(out));
        QVERIFY(t.App().NewDocument());
        QVERIFY(t.Run(cmd::RegisteredToolFirst));
        QTRY_COMPARE_WITH_TIMEOUT(ReadBytes(out), QByteArray("-a\nb c\n"), 60000);
        QVERIFY(t.Ui().Texts("message").isEmpty());
    }

    // Add, change, move and remove in the dialog; only OK writes. Removing
    // asks by the entry's name and leaves the new last entry selected.
    void listDialog_data()
    {
        QTest::addColumn<bool>("tags");
        QTest::addColumn<QStringList>("script");  // field=value, or "answer:cancel"
        QTest::addColumn<QList<QStringList>>("result");
        QTest::addColumn<QStringList>("questions");
        const QStringList removeLast{"引用, 短いを削除しますか？"};
        QTest::newRow("tag added from the captured pair")
            << true << QStringList{"追加="} << (kTags + QList<QStringList>{{"<I></I>", "<I>", "</I>"}}) << QStringList{};
        QTest::newRow("tag changed")
            << true << QStringList{"list=1", "修正=", "タグの名前=表"}
            << QList<QStringList>{kTags[0], {"表", kTags[1][1], kTags[1][2]}, kTags[2]} << QStringList{};
        QTest::newRow("moved down, then up at the top does nothing")
            << true << QStringList{"list=0", "▼=", "list=0", "▲="}
            << QList<QStringList>{kTags[1], kTags[0], kTags[2]} << QStringList{};
        QTest::newRow("last removed") << true << QStringList{"list=2", "削除="}
                                      << QList<QStringList>{kTags[0], kTags[1]} << removeLast;
        QTest::newRow("last removed, then the new last moved up")
            << true << QStringList{"list=2", "削除=", "▲="} << QList<QStringList>{kTags[1], kTags[0]}
            << removeLast;
        QTest::newRow("cancel writes nothing") << true << QStringList{"list=2", "削除=", "answer:cancel"}
                                               << kTags << removeLast;
        QTest::newRow("tool added") << false << QStringList{"追加=", "表示名=編集", "ﾌｧｲﾙ名=/bin/ed %"}
                                    << (kTools + QList<QStringList>{{"編集", "/bin/ed %"}}) << QStringList{};
    }
    void listDialog()
    {
        QFETCH(bool, tags);
        QFETCH(QStringList, script);
        QFETCH(QList<QStringList>, result);
        QFETCH(QStringList, questions);
        TestEditor t;
        WriteList(t, tags, tags ? kTags : kTools);
        t.View().SetLastTags(QStringLiteral("<I>"), QStringLiteral("</I>"));
        for (const QString& s : script) {
            if (s.startsWith("answer:")) {
                t.Ui().QueueAnswer(Ui::Answer::Ok);  // the question
                t.Ui().QueueAnswer(Ui::Answer::Cancel);  // the dialog
                continue;
            }
            const qsizetype eq = s.indexOf(u'=');
            t.Ui().QueueField(s.left(eq), s.mid(eq + 1));
            if (s.startsWith("削除") && !script.contains("answer:cancel"))
                t.Ui().QueueAnswer(Ui::Answer::Ok);
        }
        QVERIFY(t.Run(tags ? cmd::RegisteredTagEdit : cmd::RegisteredToolEdit));
        QVERIFY(t.Ui().PendingFields().empty());
        QCOMPARE(ReadList(t, tags), result);
        QCOMPARE(t.Ui().Texts("question"), questions);
    }

    void toolBrowseNamesTheTool()
    {
        TestEditor t;
        CRegListDlg dlg(t.App(), CRegListDlg::Mode::Tool);
        FormModel entry;
        entry.AddText("表示名(&N):", QString(), "name");
        entry.Add(FieldKind::File, "ﾌｧｲﾙ名(&F):", "file");
        t.Ui().QueueInput("/opt/my tools/tidy.v2.exe");
        dlg.BrowseTool(entry);
        QCOMPARE(entry["name"].text, QStringLiteral("tidy.v2"));
        QCOMPARE(entry["file"].text, QStringLiteral("'/opt/my tools/tidy.v2.exe'"));
        QCOMPARE(t.Ui().LastFileDialog().title, QStringLiteral("ﾂｰﾙﾌｧｲﾙ名の入力"));
        QCOMPARE(t.Ui().LastFileDialog().initialFolder, QStringLiteral("/usr/bin"));
        // Programs here have no extension to filter by.
        QVERIFY(!t.Ui().LastFileDialog().filter.contains("EXE", Qt::CaseInsensitive));
        // A plain path stays bare; a quoted one reads back whatever it holds.
        QCOMPARE(QuotedToolWord("/usr/bin/gedit"), QStringLiteral("/usr/bin/gedit"));
        const QString odd = "/opt/it's 100%";
        QCOMPARE(ToolInvocationFor(QuotedToolWord(odd) + " %", "d").program, odd);
    }

    // Export and import again: the same entries are appended, with or
    // without the header line ("System"/"Item").
    void csvRoundTrip_data()
    {
        QTest::addColumn<bool>("tags");
        QTest::addColumn<int>("item");
        QTest::addColumn<QByteArray>("firstLine");
        QTest::newRow("tags with header") << true << 0
                                          << QByteArray("\"タグの名前\",\"前方のタグ\",\"後方のタグ\"");
        QTest::newRow("tags without header") << true << 1 << QByteArray("\"太字\",\"<B>\",\"</B>\"");
        QTest::newRow("tools with header") << false << 0 << QByteArray("\"表示名\",\"ファイル名\"");
        QTest::newRow("tools without header") << false << 1
                                              << QByteArray("\"ビューア\",\"/usr/bin/viewer %\"");
    }
    void csvRoundTrip()
    {
        QFETCH(bool, tags);
        QFETCH(int, item);
        QFETCH(QByteArray, firstLine);
        TestEditor t;
        const QList<QStringList> list = tags ? kTags : kTools;
        WriteList(t, tags, list);
        t.Settings().WriteInt("System", "Item", item);
        const QString csv = t.Path("out.csv");
        RunListDialog(t, tags, {csv, csv}, {"ｴｸｽﾎﾟｰﾄ", "ｲﾝﾎﾟｰﾄ"});
        const QByteArray bytes = ReadBytes(csv);
        QCOMPARE(platform::Cp932ToUnicode(bytes.left(bytes.indexOf("\r\n"))).toUtf8(), firstLine);
        if (tags)
            QVERIFY(bytes.contains("\"<TABLE>\x01\x02<TR>\""));
        QCOMPARE(ReadList(t, tags), list + list);
        QCOMPARE(t.Ui().Texts("message"), QStringList());
    }

    void csvImport_data()
    {
        QTest::addColumn<bool>("tags");
        QTest::addColumn<int>("item");
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QList<QStringList>>("appended");
        QTest::addColumn<QStringList>("messages");
        const QString formatError = "エラー：ファイルフォーマットが違います";
        QTest::newRow("tag export read in tool mode: format error")
            << false << 0 << QByteArray("\"a\",\"b\",\"c\"\r\n\"n\",\"<B>\",\"</B>\"\r\n")
            << QList<QStringList>{} << QStringList{formatError};
        QTest::newRow("header only: nothing appended")
            << true << 0 << QByteArray("\"a\",\"b\",\"c\"\r\n") << QList<QStringList>{} << QStringList{};
        QTest::newRow("missing fields are added empty, extra ones dropped")
            << true << 0 << QByteArray("h1,h2,h3\nx\n\"y\",\"1\",\"2\",\"3\"\n")
            << QList<QStringList>{{"x", "", ""}, {"y", "1", "2"}} << QStringList{};
        QTest::newRow("without header the first line sets the count")
            << false << 1 << QByteArray("a,b,c\r\nd,e\r\n") << QList<QStringList>{} << QStringList{formatError};
        QTest::newRow("Ctrl-Z ends the file") << false << 1 << QByteArray("a,b\r\n\x1a" "c,d\r\n")
                                              << QList<QStringList>{{"a", "b"}} << QStringList{};
        QTest::newRow("UTF-8 file") << false << 1 << QByteArray("\"𠮷\",\"/bin/é\"\n")
                                    << QList<QStringList>{{"𠮷", "/bin/é"}} << QStringList{};
    }
    void csvImport()
    {
        QFETCH(bool, tags);
        QFETCH(int, item);
        QFETCH(QByteArray, file);
        QFETCH(QList<QStringList>, appended);
        QFETCH(QStringList, messages);
        TestEditor t;
        t.Settings().WriteInt("System", "Item", item);
        RunListDialog(t, tags, {t.MakeFile("in.csv", file)}, {"ｲﾝﾎﾟｰﾄ"});
        QCOMPARE(ReadList(t, tags), appended);
        QCOMPARE(t.Ui().Texts("message"), messages);
    }

    // The manual's example file imports as the manual says it does.
    void manualsExampleImports()
    {
        const QString manual = QString::fromUtf8(ReadBytes(KELVO_TEST_DATA_DIR "/../../data/help/index.html"));
        static const QRegularExpression example(QStringLiteral("<pre>(\"[^<]*\",\"[^<]*\r?\n[^\n]*)</pre>"));
        QString csv = example.match(manual).captured(1);
        QVERIFY(!csv.isEmpty());
        csv.replace("&lt;", "<").replace("&gt;", ">").replace("&quot;", "\"").replace("&amp;", "&");
        TestEditor t;
        RunListDialog(t, true, {t.MakeFile("example.csv", csv.toUtf8())}, {"ｲﾝﾎﾟｰﾄ"});
        QCOMPARE(ReadList(t, true), (QList<QStringList>{{"注意書き", "<P CLASS=\"note\">", "</P>"}}));
    }

    // The lists have room for 30: adding or importing beyond stops there
    // and says so.
    void thirtyEntries()
    {
        TestEditor t;
        QList<QStringList> tools;
        for (int i = 0; i < 28; ++i)
            tools.append({QStringLiteral("t%1").arg(i), "/bin/x"});
        WriteList(t, false, tools);
        QByteArray csv;
        for (int i = 0; i < 5; ++i)
            csv += QStringLiteral("\"n%1\",\"/bin/y\"\r\n").arg(i).toUtf8();
        t.Settings().WriteInt("System", "Item", 1);
        RunListDialog(t, false, {t.MakeFile("five.csv", csv)}, {"ｲﾝﾎﾟｰﾄ", "追加"});
        const QList<QStringList> saved = ReadList(t, false);
        QCOMPARE(saved.size(), 30);
        QCOMPARE(saved.last(), (QStringList{"n1", "/bin/y"}));
        QCOMPARE(t.Ui().Texts("message"), (QStringList{CListEditDlg::kFullMessage, CListEditDlg::kFullMessage}));
        QVERIFY(!t.Ui().Texts("form").contains("ﾂｰﾙの入力"));
    }

    void exportFailure()
    {
        TestEditor t;
        WriteList(t, true, kTags);
        RunListDialog(t, true, {t.Path("no/such/folder/x.csv")}, {"ｴｸｽﾎﾟｰﾄ"});
        QCOMPARE(t.Ui().Texts("message"), QStringList{"書き込みできません"});
    }

    void splitLine_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QStringList>("fields");
        QTest::newRow("quoted with a comma inside") << "\"a,b\",c" << QStringList{"a,b", "c"};
        QTest::newRow("a quote not before a comma stays")
            << "\"say \"hi\" now\",x" << QStringList{"say \"hi\" now", "x"};
        QTest::newRow("unterminated quote runs to the end") << "\"abc,d" << QStringList{"abc,d"};
        QTest::newRow("empty line: one empty field") << "" << QStringList{""};
        QTest::newRow("trailing comma: an empty last field") << "a," << QStringList{"a", ""};
        QTest::newRow("quoted empty fields") << "\"\",\"\"" << QStringList{"", ""};
        QTest::newRow("escaped line break") << "\"a\x01\x02z\"" << QStringList{"a\r\nz"};
        QTest::newRow("lone escape characters stay") << "\x02\x01" << QStringList{"\x02\x01"};
    }
    void splitLine()
    {
        QFETCH(QString, line);
        QFETCH(QStringList, fields);
        QCOMPARE(SplitCsvLine(line), fields);
    }

    // Random rows survive export and import; random lines never break the
    // reader and always give the required field count or an error.
    void csvFuzz()
    {
        QRandomGenerator random(1208);
        const QString alphabet = QStringLiteral("ab,\" \x01\x02\r\nあ𠮷<>");
        auto randomText = [&](bool forExport) {
            QString s;
            const int n = random.bounded(8);
            for (int i = 0; i < n; ++i) {
                QString c = alphabet.mid(random.bounded(alphabet.size()), 1);
                if (forExport && (c == "\"" || c == "\x01" || c == "\x02" || c == "\r" || c == "\n"))
                    c = "\r\n";
                if (c.at(0).isSurrogate())
                    c = QStringLiteral("𠮷");
                s += c;
            }
            return s;
        };
        QTemporaryDir dir;
        for (int round = 0; round < 200; ++round) {
            std::vector<QStringList> rows;
            const int n = random.bounded(5);
            for (int i = 0; i < n; ++i)
                rows.push_back({randomText(true), randomText(true), randomText(true)});
            const QByteArray bytes = CsvFileBytes(rows, {"h", "i", "j"});
            const QString path = dir.filePath("f.csv");
            WriteBytes(path, bytes);
            TextFileReader reader(path, "rt");
            QStringList lines;
            QString line;
            while (reader.ReadLine(line))
                lines.append(line);
            const CsvImport read = ParseCsvLines(lines, true, 3);
            QVERIFY(!read.formatError);
            QVERIFY(read.rows == rows);

            QStringList garbage;
            for (int i = random.bounded(4); i >= 0; --i)
                garbage.append(randomText(false));
            const CsvImport any = ParseCsvLines(garbage, random.bounded(2) == 0, 2);
            for (const QStringList& r : any.rows)
                QCOMPARE(r.size(), 2);
        }
    }
};
KELVO_TEST(TestRegisteredLists, "RegisteredLists");
#include "tst_RegisteredLists.moc"
