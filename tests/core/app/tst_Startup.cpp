#include "TestFiles.h"
#include "TestRegistry.h"

#include "core/app/CommandIds.h"
#include "core/app/ShellCommandIds.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

Q_DECLARE_METATYPE(MenuLayout)

namespace {

const QString kSystem = QStringLiteral("System");
const QString kLastMissing = QStringLiteral("前回開いたファイルが見つかりません");

StartupOptions Landscape(const QString& file = QString())
{
    return StartupOptions{640, 480, file};
}

// Points the initial template at a file of our own, so a new document is
// recognisable.
void UseTemplate(TestEditor& t)
{
    const QString path = t.MakeFile(QStringLiteral("inittemp.htm"), "<HTML>\r\nTEMPLATE\r\n</HTML>\r\n");
    t.Settings().WriteString(kSystem, QStringLiteral("InitTemp"), path);
}

// Sets an environment variable for a scope.
class EnvScope {
public:
    EnvScope(const char* name, const QByteArray& value) : m_name(name), m_old(qgetenv(name)),
                                                          m_had(qEnvironmentVariableIsSet(name))
    {
        qputenv(name, value);
    }
    ~EnvScope()
    {
        if (m_had)
            qputenv(m_name, m_old);
        else
            qunsetenv(m_name);
    }

private:
    const char* m_name;
    QByteArray m_old;
    bool m_had;
};

} // namespace

class TestStartup : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void screenShapePicksLayoutAndRecentList_data()
    {
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("height");
        QTest::addColumn<MenuLayout>("layout");
        QTest::addColumn<int>("recent");
        QTest::newRow("240x320") << 240 << 320 << MenuLayout::Portrait << 5;
        QTest::newRow("640x240") << 640 << 240 << MenuLayout::Landscape << 10;
        QTest::newRow("square") << 600 << 600 << MenuLayout::Landscape << 10;
    }
    void screenShapePicksLayoutAndRecentList()
    {
        QFETCH(int, width);
        QFETCH(int, height);
        QFETCH(MenuLayout, layout);
        QFETCH(int, recent);
        TestEditor t;
        // A list written by an earlier run on a wider screen.
        for (int i = 1; i <= 10; ++i)
            t.Settings().WriteString(QStringLiteral("Recent File List"), QStringLiteral("File%1").arg(i),
                                     QStringLiteral("/docs/f%1.htm").arg(i));
        QVERIFY(t.App().InitInstance(StartupOptions{width, height, QString()}));
        QCOMPARE(t.App().Layout(), layout);
        QCOMPARE(t.App().RecentFiles().Size(), recent);
        QCOMPARE(t.App().RecentFiles().Files().size(), recent);
        QCOMPARE(t.App().RecentFiles().Files().first(), QStringLiteral("/docs/f1.htm"));
    }

    void newDocumentWhenIniModeIsZero()
    {
        TestEditor t;
        UseTemplate(t);
        const QString last = t.MakeFile(QStringLiteral("last.htm"), "LAST\r\n");
        t.Settings().WriteString(kSystem, QStringLiteral("IniFile"), last);
        QVERIFY(t.App().InitInstance(Landscape()));
        QVERIFY(t.Text().contains(QStringLiteral("TEMPLATE")));
        QVERIFY(t.Doc().GetPathName().isEmpty());
        QCOMPARE(t.Ui().WindowTitle(), QStringLiteral("無題 - Kelvopad"));
        QVERIFY(t.Ui().Texts(QStringLiteral("message")).isEmpty());
    }

    void lastFileOpensWithIniMode()
    {
        TestEditor t;
        UseTemplate(t);
        const QString last = t.MakeFile(QStringLiteral("last.htm"), "LAST\r\n");
        t.Settings().WriteInt(kSystem, QStringLiteral("IniMode"), 1);
        t.Settings().WriteString(kSystem, QStringLiteral("IniFile"), last);
        QVERIFY(t.App().InitInstance(Landscape()));
        QCOMPARE(t.Text(), QStringLiteral("LAST\r\n"));
        QCOMPARE(t.Doc().GetPathName(), last);
        QCOMPARE(t.Ui().WindowTitle(), QStringLiteral("last - Kelvopad"));
        QVERIFY(t.Ui().Texts(QStringLiteral("message")).isEmpty());
    }

    // A folder now stands where the last file was: the message, then a new
    // document from the initial template. (A deleted last file is started
    // for real in StartupDesktop.)
    void lastFileIsNowAFolder()
    {
        TestEditor t;
        UseTemplate(t);
        const QString last = t.Path(QStringLiteral("adir"));
        QVERIFY(QDir().mkpath(last));
        t.Settings().WriteInt(kSystem, QStringLiteral("IniMode"), 1);
        t.Settings().WriteString(kSystem, QStringLiteral("IniFile"), last);
        QVERIFY(t.App().InitInstance(Landscape()));
        QCOMPARE(t.Ui().Texts(QStringLiteral("message")), QStringList{kLastMissing});
        QVERIFY(t.Text().contains(QStringLiteral("TEMPLATE")));
        QVERIFY(t.Doc().GetPathName().isEmpty());
    }

    void emptyLastFileGivesNewDocumentSilently()
    {
        TestEditor t;
        UseTemplate(t);
        t.Settings().WriteInt(kSystem, QStringLiteral("IniMode"), 1);
        // The value written by an earlier load, then deleted.
        t.Settings().WriteString(kSystem, QStringLiteral("IniFile"), t.MakeFile(QStringLiteral("was.htm"), "x"));
        t.Settings().RemoveKey(kSystem, QStringLiteral("IniFile"));
        QVERIFY(t.App().InitInstance(Landscape()));
        QVERIFY(t.Text().contains(QStringLiteral("TEMPLATE")));
        QVERIFY(t.Ui().Texts(QStringLiteral("message")).isEmpty());
    }

    void commandLineFileWinsOverLastFile()
    {
        TestEditor t;
        UseTemplate(t);
        const QString named = t.MakeFile(QStringLiteral("named.html"), "NAMED\r\n");
        t.Settings().WriteInt(kSystem, QStringLiteral("IniMode"), 1);
        t.Settings().WriteString(kSystem, QStringLiteral("IniFile"), t.Path(QStringLiteral("gone.htm")));
        QVERIFY(t.App().InitInstance(Landscape(named)));
        QCOMPARE(t.Text(), QStringLiteral("NAMED\r\n"));
        QCOMPARE(t.Ui().WindowTitle(), QStringLiteral("named - Kelvopad"));
        // The missing last file was never looked at.
        QVERIFY(t.Ui().Texts(QStringLiteral("message")).isEmpty());
    }

    void unreadableCommandLineFileEndsTheProgram()
    {
        TestEditor t;
        const QString folder = t.Path(QStringLiteral("adir"));
        QVERIFY(QDir().mkpath(folder));
        QVERIFY(!t.App().InitInstance(Landscape(folder)));
        // Only the load's own message, which names a folder as one.
        QCOMPARE(t.Ui().Texts(QStringLiteral("message")),
                 QStringList{QStringLiteral("フォルダーは開けません - ") + folder});
    }

    // A command-line file that does not exist: the question names it, and
    // No ends the program. (Yes, and saving the new document under that
    // name, is started for real in StartupDesktop.)
    void missingCommandLineFileDeclined()
    {
        TestEditor t;
        const QString path = t.Path(QStringLiteral("new page.html"));
        t.Ui().QueueAnswer(Ui::Answer::No);
        QVERIFY(!t.App().InitInstance(Landscape(path)));
        QCOMPARE(t.Ui().Texts(QStringLiteral("question")),
                 QStringList{QStringLiteral("ファイルが見つかりません\n%1\n\n新しく作成しますか？").arg(path)});
        QVERIFY(t.Ui().Texts(QStringLiteral("message")).isEmpty());
        QVERIFY(!QFileInfo::exists(path));
    }

    void recentFileCommands()
    {
        TestEditor t;
        const QString a = t.MakeFile(QStringLiteral("a.htm"), "A\r\n");
        const QString b = t.MakeFile(QStringLiteral("b.htm"), "B\r\n");
        QVERIFY(t.App().InitInstance(Landscape()));
        QVERIFY(!t.App().Commands().IsEnabled(cmd::FileMru1));
        QVERIFY(t.App().OpenDocumentFile(a));
        QVERIFY(t.App().OpenDocumentFile(b));
        QCOMPARE(t.App().RecentFiles().Files(), QStringList({b, a}));
        QVERIFY(t.App().Commands().IsEnabled(cmd::FileMru1 + 1));
        QVERIFY(!t.App().Commands().IsEnabled(cmd::FileMru1 + 2));

        QVERIFY(t.Run(cmd::FileMru1 + 1));
        QCOMPARE(t.Text(), QStringLiteral("A\r\n"));
        QCOMPARE(t.App().RecentFiles().Files(), QStringList({a, b}));

        const std::vector<MenuItem> menu = t.App().RecentFileMenu();
        QCOMPARE(menu.size(), size_t(2));
        QCOMPARE(menu[0].id, cmd::FileMru1);
        QCOMPARE(menu[1].id, cmd::FileMru1 + 1);
        QVERIFY(menu[0].caption.startsWith(QStringLiteral("&1 ")));
        QVERIFY(menu[0].caption.size() <= 3 + CKelvoApp::kRecentCaptionLength);
        QVERIFY(menu[0].caption.endsWith(QStringLiteral("a.htm")));
    }

    // A recent file that can no longer be read leaves the list; one the
    // user does not open (cancelling the save question) stays.
    void recentFileThatIsGoneLeavesTheList()
    {
        TestEditor t;
        const QString a = t.MakeFile(QStringLiteral("a.htm"), "A\r\n");
        const QString b = t.MakeFile(QStringLiteral("b.htm"), "B\r\n");
        QVERIFY(t.App().InitInstance(Landscape()));
        QVERIFY(t.App().OpenDocumentFile(a));
        QVERIFY(t.App().OpenDocumentFile(b));

        t.Buffer().ReplaceSel(QStringLiteral("x"));
        t.Ui().QueueAnswer(Ui::Answer::Cancel);
        QVERIFY(t.Run(cmd::FileMru1 + 1));
        QCOMPARE(t.App().RecentFiles().Files(), QStringList({b, a}));
        t.Buffer().SetModified(false);

        QVERIFY(QFile::remove(a));
        QVERIFY(t.Run(cmd::FileMru1 + 1));
        QCOMPARE(t.App().RecentFiles().Files(), QStringList({b}));
        QCOMPARE(t.Ui().Texts(QStringLiteral("message")), QStringList{QStringLiteral("ファイルが見つかりません")});
    }

    // The list is kept as soon as it changes: a program that is killed
    // still leaves it.
    void recentListIsSavedWhenItChanges()
    {
        TestEditor t;
        t.Settings().WriteString(QStringLiteral("Recent File List"), QStringLiteral("File5"),
                                 QStringLiteral("/stale.htm"));
        const QString a = t.MakeFile(QStringLiteral("a.htm"), "A\r\n");
        QVERIFY(t.App().InitInstance(StartupOptions{240, 320, QString()}));
        QVERIFY(t.App().OpenDocumentFile(a));
        const QString section = QStringLiteral("Recent File List");
        QCOMPARE(t.Settings().ReadString(section, QStringLiteral("File1"), QString()), a);
        QCOMPARE(t.Settings().ReadString(section, QStringLiteral("File2"), QString()),
                 QStringLiteral("/stale.htm"));
        QVERIFY(!t.Settings().HasKey(section, QStringLiteral("File5")));
        QVERIFY(!t.Settings().HasKey(section, QStringLiteral("File3")));

        QVERIFY(QFile::remove(a));
        QVERIFY(t.Run(cmd::FileMru1));
        QCOMPARE(t.Settings().ReadString(section, QStringLiteral("File1"), QString()),
                 QStringLiteral("/stale.htm"));
        QVERIFY(!t.Settings().HasKey(section, QStringLiteral("File2")));
    }

    void registeredToolMenu_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("entries");
        QTest::newRow("none") << 0 << 0;
        QTest::newRow("negative count") << -3 << 0;
        QTest::newRow("three") << 3 << 3;
        QTest::newRow("twelve shows ten") << 12 << 10;
        QTest::newRow("a wild count is not read to its end") << INT_MAX << 10;
    }
    void registeredToolMenu()
    {
        QFETCH(int, count);
        QFETCH(int, entries);
        TestEditor t;
        t.Settings().WriteInt(QStringLiteral("Tool"), QStringLiteral("Count"), count);
        for (int i = 0; i < 12; ++i) {
            const QString suffix = QStringLiteral("%1").arg(i, 2, 10, QChar(u'0'));
            t.Settings().WriteString(QStringLiteral("Tool"), QStringLiteral("Name") + suffix,
                                     QStringLiteral("tool%1").arg(i));
            t.Settings().WriteString(QStringLiteral("Tool"), QStringLiteral("File") + suffix,
                                     QStringLiteral("/bin/true"));
        }
        const std::vector<MenuItem> menu = t.App().RegisteredToolMenu();
        QCOMPARE(int(menu.size()), entries);
        for (int i = 0; i < entries; ++i) {
            QCOMPARE(menu[i].caption, QStringLiteral("&%1: tool%1").arg(i));
            QCOMPARE(menu[i].id, cmd::RegisteredToolFirst + i);
        }
    }

    void registeredTagMenu()
    {
        TestEditor t;
        const QString s = QStringLiteral("TagMenu");
        t.Settings().WriteInt(s, QStringLiteral("TagNo"), 3);
        t.Settings().WriteString(s, QStringLiteral("Name00"), QStringLiteral("bold"));
        t.Settings().WriteString(s, QStringLiteral("Tag100"), QStringLiteral("<B>"));
        t.Settings().WriteString(s, QStringLiteral("Tag200"), QStringLiteral("</B>"));
        // No name: listed under its start and end text.
        t.Settings().WriteString(s, QStringLiteral("Tag101"), QStringLiteral("<I>"));
        t.Settings().WriteString(s, QStringLiteral("Tag201"), QStringLiteral("</I>"));
        // An ampersand shows as itself, not as a mnemonic mark.
        t.Settings().WriteString(s, QStringLiteral("Name02"), QStringLiteral("&nbsp;"));
        const std::vector<MenuItem> menu = t.App().RegisteredTagMenu();
        QCOMPARE(menu.size(), size_t(3));
        QCOMPARE(menu[0].caption, QStringLiteral("&0: bold"));
        QCOMPARE(menu[1].caption, QStringLiteral("&1: <I></I>"));
        QCOMPARE(menu[2].caption, QStringLiteral("&2: &&nbsp;"));
        QCOMPARE(menu[2].id, cmd::RegisteredTagFirst + 2);
    }

    void registeredTagMenuStopsAtFifty()
    {
        TestEditor t;
        t.Settings().WriteInt(QStringLiteral("TagMenu"), QStringLiteral("TagNo"), 60);
        const std::vector<MenuItem> menu = t.App().RegisteredTagMenu();
        QCOMPARE(menu.size(), size_t(50));
        QCOMPARE(menu.back().id, 32887);
        QCOMPARE(menu.back().caption, QStringLiteral("&49: "));
    }

    // Exit asks once: the window's own close check that follows does not
    // ask again.
    void exitCommand_data()
    {
        QTest::addColumn<bool>("modified");
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("closes");
        QTest::addColumn<int>("questions");
        QTest::newRow("unmodified") << false << int(Ui::Answer::Cancel) << true << 0;
        QTest::newRow("modified, no") << true << int(Ui::Answer::No) << true << 1;
        QTest::newRow("modified, cancel") << true << int(Ui::Answer::Cancel) << false << 1;
    }
    void exitCommand()
    {
        QFETCH(bool, modified);
        QFETCH(int, answer);
        QFETCH(bool, closes);
        QFETCH(int, questions);
        TestEditor t;
        QVERIFY(t.App().InitInstance(Landscape()));
        t.Buffer().SetModified(modified);
        t.Ui().QueueAnswer(Ui::Answer(answer));
        QVERIFY(t.Run(cmd::AppExit));
        QCOMPARE(t.Ui().Texts(QStringLiteral("exit")).size(), closes ? 1 : 0);
        if (closes)
            QVERIFY(t.App().CanCloseMainWindow());
        QCOMPARE(t.Ui().Texts(QStringLiteral("question")).size(), questions);
    }

    void closingTheWindowAsks()
    {
        TestEditor t;
        QVERIFY(t.App().InitInstance(Landscape()));
        t.Buffer().ReplaceSel(QStringLiteral("x"));
        t.Ui().QueueAnswer(Ui::Answer::Cancel);
        QVERIFY(!t.App().CanCloseMainWindow());
        t.Ui().QueueAnswer(Ui::Answer::No);
        QVERIFY(t.App().CanCloseMainWindow());
        QCOMPARE(t.Ui().Texts(QStringLiteral("question")).size(), 2);
    }

    void aboutCommand()
    {
        TestEditor t;
        QVERIFY(t.Run(cmd::AppAbout));
        QCOMPARE(t.Ui().Texts(QStringLiteral("about")).size(), 1);
    }

    void helpOpensTheShippedPage()
    {
        QTemporaryDir data;
        EnvScope env("KELVO_DATA_DIR", data.path().toLocal8Bit());
        TestEditor t;
        QVERIFY(t.Run(cmd::Help));
        // Without the page nothing opens, and the user is told why.
        QVERIFY(t.Ui().Texts(QStringLiteral("open")).isEmpty());
        QCOMPARE(t.Ui().Texts(QStringLiteral("message")).size(), 1);
        QVERIFY(QDir(data.path()).mkpath(QStringLiteral("help")));
        QVERIFY(WriteBytes(data.filePath(QStringLiteral("help/index.html")), "<html></html>"));
        QVERIFY(t.Run(cmd::Help));
        QCOMPARE(t.Ui().Texts(QStringLiteral("open")),
                 QStringList{QDir(data.path()).filePath(QStringLiteral("help/index.html"))});
    }
};
KELVO_TEST(TestStartup, "Startup");
#include "tst_Startup.moc"
