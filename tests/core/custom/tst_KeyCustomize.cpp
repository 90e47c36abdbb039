#include "TestFiles.h"
#include "TestRegistry.h"

#include "core/app/CommandIds.h"
#include "core/custom/CustomCommandIds.h"
#include "core/custom/VirtualKeys.h"

#include <QFileInfo>
#include <QTest>

#include <sys/stat.h>

namespace {

// The key dialog run by its command with the given field values, in order.
void RunKeyDialog(TestEditor& t, const QList<std::pair<QString, QString>>& fields)
{
    for (const auto& [name, value] : fields)
        t.Ui().QueueField(name, value);
    QVERIFY(t.Run(cmd::KeyCustomize));
    QVERIFY(t.Ui().PendingFields().empty());
    QCOMPARE(t.Ui().Texts(u"error"_qs), QStringList());
}

const FormField* Field(TestEditor& t, const char* name)
{
    return t.Ui().LastForm()->Find(QString::fromUtf8(name));
}

// A file button of the dialog (保存, 読込) on the given file; the dialog is
// then cancelled.
void PressFileButton(TestEditor& t, const char* button, const QString& file)
{
    t.Ui().QueueInput(file);
    t.Ui().QueueAnswer(Ui::Answer::Cancel);
    RunKeyDialog(t, {{QString::fromUtf8(button), QString()}});
}

} // namespace

class TestKeyCustomize : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Ctrl+S given "上書き保存" in the dialog saves the document and types
    // no "s"; OK has written the table to its key file.
    void ctrlSSaves()
    {
        TestEditor t;
        const QString keyFile = t.Path(u"kelvo.key"_qs);
        t.App().KeyTable().SetFileName(keyFile);
        const QString doc = t.MakeFile(u"page.htm"_qs, "<P>old</P>\r\n");
        QVERIFY(t.App().OpenDocumentFile(doc));
        t.SetText(u"<P>new</P>\r\n"_qs, 3, 3);
        t.Buffer().SetModified(true);
        RunKeyDialog(t, {{"Ctrl", "1"}, {"キー", "Ctrl+S"}, {"メニュー", "上書き保存"}});
        QCOMPARE(t.App().KeyTable().Lookup('S', false, false, true), cmd::FileSave);
        QCOMPARE(ReadBytes(keyFile), KeyFileBytes(t.App().KeyTable().Assignments()));

        QVERIFY(t.View().OnKeyDown('S', false, false, true));
        QVERIFY(t.View().OnChar());  // the "s" the key makes is dropped
        QCOMPARE(ReadBytes(doc), QByteArray("<P>new</P>\r\n"));
        QVERIFY(!t.Doc().IsModified());
        QCOMPARE(t.App().MenuKeys().Name(cmd::FileSave), u"Ctrl+S"_qs);
    }

    // Without a modifier only F1..F12 are offered: F5 can be bound alone,
    // a plain letter cannot.
    void keysOfferedWithoutModifier()
    {
        TestEditor t;
        t.App().KeyTable().SetFileName(t.Path(u"k.key"_qs));
        RunKeyDialog(t, {{"キー", "F5"}, {"メニュー", "すべての範囲を選択"}});
        QCOMPARE(Field(t, "キー")->choices.size(), 12);
        QCOMPARE(Field(t, "メニュー")->choices.first(), u"（なし）"_qs);
        t.SetText(u"abc"_qs);
        QVERIFY(t.View().OnKeyDown(vk::F5, false, false, false));
        QCOMPARE(t.Selection(), u"abc"_qs);

        t.Ui().QueueField(u"キー"_qs, u"A"_qs);
        QVERIFY(t.Run(cmd::KeyCustomize));
        QCOMPARE(t.Ui().Texts(u"error"_qs).size(), 1);
        t.Ui().ClearRecords();
        // With Shift the whole key list is there.
        RunKeyDialog(t, {{"Shift", "1"}});
        QCOMPARE(Field(t, "キー")->choices.size(), 72);
        QCOMPARE(Field(t, "キー")->choices.at(12), u"Shift+@"_qs);
    }

    // Opening the dialog or changing a box shows the key's command.
    void dialogShowsTheAssignedCommand()
    {
        TestEditor t;
        t.App().KeyTable().Assign({vk::F3, false, false, false}, cmd::EditFind);
        t.App().KeyTable().Assign({vk::F1, true, false, false}, cmd::FileOpen);
        QVERIFY(t.Run(cmd::KeyCustomize));  // OK with an unnamed file: not saved
        QCOMPARE(Field(t, "メニュー")->text, u"（なし）"_qs);
        RunKeyDialog(t, {{"キー", "F3"}});
        QCOMPARE(Field(t, "メニュー")->text, u"文字列の検索"_qs);
        RunKeyDialog(t, {{"キー", "F3"}, {"Alt", "1"}});
        QCOMPARE(Field(t, "キー")->text, u"Alt+F1"_qs);
        QCOMPARE(Field(t, "メニュー")->text, u"開く"_qs);
    }

    // Replacing or removing a command takes its key name off the menu,
    // unless another key still runs it.
    void menuNames_data()
    {
        QTest::addColumn<QStringList>("steps");     // "KEY=COMMAND" chosen with Ctrl
        QTest::addColumn<QStringList>("expected");  // the key names of 上書き保存 and 開く
        QTest::newRow("assigned") << QStringList{"Ctrl+S=上書き保存"} << QStringList{"Ctrl+S", ""};
        QTest::newRow("replaced: the old command loses its name")
            << QStringList{"Ctrl+S=上書き保存", "Ctrl+S=開く"} << QStringList{"", "Ctrl+S"};
        QTest::newRow("replaced: another key still runs the old command")
            << QStringList{"Ctrl+S=上書き保存", "Ctrl+W=上書き保存", "Ctrl+S=開く"}
            << QStringList{"Ctrl+W", "Ctrl+S"};
        QTest::newRow("removed") << QStringList{"Ctrl+S=上書き保存", "Ctrl+S=（なし）"}
                                 << QStringList{"", ""};
    }
    void menuNames()
    {
        QFETCH(QStringList, steps);
        QFETCH(QStringList, expected);
        TestEditor t;
        for (const QString& s : steps)
            RunKeyDialog(t, {{"Ctrl", "1"}, {"キー", s.section(u'=', 0, 0)}, {"メニュー", s.section(u'=', 1)}});
        QCOMPARE(t.App().MenuKeys().Name(cmd::FileSave), expected[0]);
        QCOMPARE(t.App().MenuKeys().Name(cmd::FileOpen), expected[1]);
    }

    void captionWithKeyName_data()
    {
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("result");
        QTest::newRow("appended") << "開く(&O)..." << "Ctrl+O" << "開く(&O)...\tCtrl+O";
        QTest::newRow("replaced") << "開く(&O)...\tF2" << "Ctrl+O" << "開く(&O)...\tCtrl+O";
        QTest::newRow("cut") << "開く(&O)...\tF2" << "" << "開く(&O)...";
        QTest::newRow("nothing to cut") << "開く(&O)..." << "" << "開く(&O)...";
    }
    void captionWithKeyName()
    {
        QFETCH(QString, caption);
        QFETCH(QString, name);
        QFETCH(QString, result);
        QCOMPARE(CaptionWithKeyName(caption, name), result);
    }

    // 保存 writes another file (which becomes the key file); 読込 of a
    // damaged file says so and keeps the table.
    void saveAndLoadButtons()
    {
        TestEditor t;
        t.App().KeyTable().Assign({vk::F2, false, false, false}, cmd::FileOpen);
        const QString saved = t.Path(u"mine.KEY"_qs);
        PressFileButton(t, "保存", saved);
        QCOMPARE(t.Ui().LastFileDialog().title, u"ｷｰ定義ﾌｧｲﾙ名の入力"_qs);
        QCOMPARE(ReadBytes(saved), KeyFileBytes(t.App().KeyTable().Assignments()));
        QCOMPARE(t.App().KeyTable().FileName(), saved);

        const QString bad = t.MakeFile(u"bad.KEY"_qs, QByteArray("\x05\x00junk", 6));
        PressFileButton(t, "読込", bad);
        QCOMPARE(t.Ui().Texts(u"message"_qs), QStringList{u"読み込めません"_qs});
        QCOMPARE(t.App().KeyTable().Lookup(vk::F2, false, false, false), cmd::FileOpen);

        t.App().KeyTable().Clear();
        PressFileButton(t, "読込", saved);
        QCOMPARE(t.App().KeyTable().Lookup(vk::F2, false, false, false), cmd::FileOpen);
        QCOMPARE(t.Settings().ReadString("System", "Keycust", QString()), saved);
        QCOMPARE(t.App().MenuKeys().Name(cmd::FileOpen), u"F2"_qs);
    }

    void okReportsAFailedSave()
    {
        TestEditor t;
        // A folder cannot be made where a file is.
        t.App().KeyTable().SetFileName(t.MakeFile(u"file.txt"_qs, "x") + u"/k.key"_qs);
        QVERIFY(t.Run(cmd::KeyCustomize));
        QCOMPARE(t.Ui().Texts(u"message"_qs), QStringList{u"保存できません"_qs});
    }

    // OK writes the table to the key file: into a folder made for it when a
    // new user has none yet, and never over something that is no key file
    // unless the user says so. A file that failed to load is not the key
    // file afterwards.
    void okWritesOnlyAKeyFile_data()
    {
        QTest::addColumn<QString>("keyFile");
        QTest::addColumn<QByteArray>("before");  // null: no file there
        QTest::addColumn<bool>("fifo");
        QTest::addColumn<QString>("loaded");     // a file 読込 is given first
        QTest::addColumn<int>("answer");         // to a question, -1 for none, -2 Enter
        QTest::addColumn<QStringList>("shown");
        QTest::addColumn<bool>("written");
        const QByteArray page("<P>page</P>\n");
        const QString question = u"%1 はキー定義ファイルではありません。\n上書きしますか？"_qs;
        QTest::newRow("a new user's folder is made")
            << "new/data/kelvo.key" << QByteArray() << false << "" << -1 << QStringList() << true;
        QTest::newRow("a failed load leaves the key file as it was")
            << "kelvo.key" << QByteArray() << false << "page.html" << -1
            << QStringList{u"読み込めません"_qs} << true;
        QTest::newRow("a page as key file: asked, kept")
            << "page.html" << page << false << "" << int(Ui::Answer::Cancel)
            << QStringList{question} << false;
        QTest::newRow("a page as key file: Enter keeps it")
            << "page.html" << page << false << "" << -2 << QStringList{question} << false;
        QTest::newRow("a page as key file: asked, written")
            << "page.html" << page << false << "" << int(Ui::Answer::Ok) << QStringList{question}
            << true;
        QTest::newRow("an empty file holds nothing")
            << "empty.key" << QByteArray("") << false << "" << -1 << QStringList() << true;
        QTest::newRow("a pipe is never replaced")
            << "pipe" << QByteArray() << true << "" << -1 << QStringList{u"保存できません"_qs} << false;
    }
    void okWritesOnlyAKeyFile()
    {
        QFETCH(QString, keyFile);
        QFETCH(QByteArray, before);
        QFETCH(bool, fifo);
        QFETCH(QString, loaded);
        QFETCH(int, answer);
        QFETCH(QStringList, shown);
        QFETCH(bool, written);
        TestEditor t;
        const QString path = t.Path(keyFile);
        if (!before.isNull())
            t.MakeFile(keyFile, before);
        if (fifo)
            QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        const QByteArray page("<HTML>not keys</HTML>\n");
        const QString loadedPath = loaded.isEmpty() ? QString() : t.MakeFile(loaded, page);
        t.App().KeyTable().SetFileName(path);
        t.App().KeyTable().Assign({vk::F2, false, false, false}, cmd::FileOpen);
        QList<std::pair<QString, QString>> fields;
        if (!loaded.isEmpty()) {
            t.Ui().QueueInput(loadedPath);
            fields.append({u"読込"_qs, QString()});
        }
        t.Ui().QueueAnswer(Ui::Answer::Ok);  // the dialog
        if (answer == -2)
            t.Ui().QueueEnter();
        else if (answer >= 0)
            t.Ui().QueueAnswer(Ui::Answer(answer));
        RunKeyDialog(t, fields);

        QStringList expected;
        for (const QString& text : shown)
            expected.append(text.contains(u"%1"_qs) ? text.arg(path) : text);
        QStringList texts = t.Ui().Texts(u"message"_qs) + t.Ui().Texts(u"question"_qs);
        QCOMPARE(texts, expected);
        QCOMPARE(t.App().KeyTable().FileName(), path);
        if (!loadedPath.isEmpty())
            QCOMPARE(ReadBytes(loadedPath), page);
        QCOMPARE(QFileInfo(path).isFile(), !fifo);
        if (!fifo)
            QCOMPARE(ReadBytes(path),
                     written ? KeyFileBytes(t.App().KeyTable().Assignments()) : before);
    }

    // Start-up reads "System"/"Keycust" (a missing file leaves no key bound
    // and typing as usual); exit writes the current file name back.
    void startupAndExit_data()
    {
        QTest::addColumn<bool>("fileExists");
        QTest::newRow("key file") << true;
        QTest::newRow("no key file") << false;
    }
    void startupAndExit()
    {
        QFETCH(bool, fileExists);
        TestEditor t;
        const QString path = t.Path(u"start.key"_qs);
        CKeycustTable keys;
        keys.Assign({'Q', false, false, true}, cmd::EditSelectAll);
        if (fileExists)
            QVERIFY(keys.Save(path));
        t.Settings().WriteString("System", "Keycust", path);
        QVERIFY(t.App().InitInstance({640, 480, QString()}));
        QCOMPARE(t.App().KeyTable().Count(), fileExists ? 1 : 0);
        QCOMPARE(t.App().MenuKeys().Name(cmd::EditSelectAll), QString(fileExists ? "Ctrl+Q" : ""));
        QCOMPARE(t.View().OnKeyDown('Q', false, false, true), fileExists);
        QCOMPARE(t.App().KeyTable().FileName(), path);
        t.Settings().WriteString("System", "Keycust", u"elsewhere"_qs);
        t.App().ExitInstance();
        QCOMPARE(t.Settings().ReadString("System", "Keycust", QString()), path);
    }
};
KELVO_TEST(TestKeyCustomize, "KeyCustomize");
#include "tst_KeyCustomize.moc"
