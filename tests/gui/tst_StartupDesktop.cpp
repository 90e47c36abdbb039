#include "TestFiles.h"
#include "TestRegistry.h"

#include "DesktopSession.h"

#include <QEventLoop>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <QTest>

// The program started as a user starts it, its own process under X: a
// message shown while the first document is being opened has the
// program's event loop and timers running behind it, which no scripted
// start can have.

namespace {

const QString kProgram = QStringLiteral(KELVO_BUILD_DIR "/src/kelvopad");

// xdotool waits for the program's window and acts on it; a program that
// ends meanwhile (a crash) ends the wait, and the limit only ends a run
// whose program never shows the window. A window that goes while xdotool
// looks at the windows (the message box closing) ends xdotool with an X
// error: it looks again.
bool XDo(QProcess& program, const QStringList& arguments)
{
    for (int attempt = 0; attempt < 10 && program.state() == QProcess::Running; ++attempt) {
        QProcess x;
        QEventLoop loop;
        QObject::connect(&x, &QProcess::finished, &loop, &QEventLoop::quit);
        QObject::connect(&program, &QProcess::finished, &loop, &QEventLoop::quit);
        QTimer::singleShot(StepScript::kGiveUpMs, &loop, &QEventLoop::quit);
        x.start(QStringLiteral("xdotool"), arguments);
        loop.exec();
        if (x.state() != QProcess::NotRunning) {
            qWarning() << "the program ended, or showed no such window:" << program.state()
                       << program.exitStatus() << program.exitCode();
            x.kill();
            x.waitForFinished();
            return false;
        }
        if (x.exitCode() == 0)
            return true;
        if (!x.readAllStandardError().contains("BadWindow"))
            return false;
    }
    return false;
}

// Waits until the program shows a window of that title, makes it the
// active one and presses the keys in it, through the keyboard as a user's
// keys come (the window manager sees them too).
bool PressInWindow(QProcess& program, const QString& title, const QString& keys)
{
    return XDo(program, {QStringLiteral("search"), QStringLiteral("--sync"), QStringLiteral("--onlyvisible"),
                         QStringLiteral("--pid"), QString::number(program.processId()),
                         QStringLiteral("--name"), QStringLiteral("^%1$").arg(QRegularExpression::escape(title)),
                         QStringLiteral("windowactivate"), QStringLiteral("--sync")})
           && (keys.isEmpty() || XKeys({keys}));
}

} // namespace

class TestStartupDesktop : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Each start shows a message before the main window; answered from the
    // keyboard, the program goes on to its window and ends normally.
    void messageDuringStart_data()
    {
        QTest::addColumn<QString>("argument");
        QTest::addColumn<QByteArray>("page");     // written to the argument's file
        QTest::addColumn<QByteArray>("keyFile");  // written as the user's key file
        QTest::addColumn<QByteArray>("settings"); // kelvo.ini; %1: the test's folder
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QString>("title");       // the main window's; empty: the program ends
        QTest::addColumn<int>("exitCode");
        QTest::newRow("page with one stray byte")
            << "stray.html" << QByteArray("<P>abc\xFF def</P>\n") << QByteArray() << QByteArray()
            << "Return" << "stray - Kelvopad" << 0;
        QTest::newRow("binary file")
            << "tool.bin" << QByteArray("\x7F" "ELF\x02\x01\x01\0\0\0\0\0\0\0\0\0\x03\0>\0\x01\0\0\0\x90\xFE\xFF\x81", 28)
            << QByteArray() << QByteArray() << "Return" << "tool - Kelvopad" << 0;
        QTest::newRow("name that does not exist, made")
            << "new.htm" << QByteArray() << QByteArray() << QByteArray() << "Return"
            << "new - Kelvopad" << 0;
        QTest::newRow("name that does not exist, declined")
            << "new.htm" << QByteArray() << QByteArray() << QByteArray() << "Escape" << "" << 1;
        QTest::newRow("last file moved away")
            << "" << QByteArray() << QByteArray()
            << QByteArray("[System]\nIniMode=1\nIniFile=%1/moved.html\n") << "Return"
            << "無題 - Kelvopad" << 0;
        QTest::newRow("damaged settings file")
            << "" << QByteArray() << QByteArray()
            << QByteArray("[View]\nTabNo=4\n\0\0\0\0\n[System]\nIniMode=0\n", 39) << "Return"
            << "無題 - Kelvopad" << 0;
        QTest::newRow("damaged key file")
            << "" << QByteArray() << QByteArray("\x05\0\xFF\xFF\x01\0\x08\0CKeyc", 13) << QByteArray()
            << "Return" << "無題 - Kelvopad" << 0;
    }
    void messageDuringStart()
    {
        QFETCH(QString, argument);
        QFETCH(QByteArray, page);
        QFETCH(QByteArray, keyFile);
        QFETCH(QByteArray, settings);
        QFETCH(QString, answer);
        QFETCH(QString, title);
        QFETCH(int, exitCode);
        QTemporaryDir home;
        const QString config = home.filePath(QStringLiteral("config"));
        const QString data = home.filePath(QStringLiteral("data"));
        QVERIFY(QDir().mkpath(config) && QDir().mkpath(data));
        if (!page.isEmpty())
            QVERIFY(WriteBytes(home.filePath(argument), page));
        if (!keyFile.isEmpty())
            QVERIFY(WriteBytes(data + QStringLiteral("/kelvo.key"), keyFile));
        if (!settings.isEmpty())
            QVERIFY(WriteBytes(config + QStringLiteral("/kelvo.ini"),
                               QByteArray(settings).replace("%1", QFile::encodeName(home.path()))));

        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("KELVO_CONFIG_DIR"), config);
        env.insert(QStringLiteral("KELVO_DATA_DIR"), data);
        QProcess editor;
        editor.setProcessEnvironment(env);
        // A name as typed in a terminal: relative to the current folder.
        editor.setWorkingDirectory(home.path());
        editor.start(kProgram, argument.isEmpty() ? QStringList() : QStringList{argument});
        QVERIFY(editor.waitForStarted());
        const auto stop = qScopeGuard([&] {
            editor.kill();
            editor.waitForFinished();
        });

        QVERIFY(PressInWindow(editor, QStringLiteral("Kelvopad"), answer));
        if (!title.isEmpty()) {
            QVERIFY(PressInWindow(editor, title, QString()));
            QCOMPARE(editor.state(), QProcess::Running);
            if (argument == u"new.htm") {
                // The new document is saved under the name it was started with.
                QVERIFY(PressInWindow(editor, title, QStringLiteral("ctrl+s")));
                QTRY_VERIFY_WITH_TIMEOUT(QFileInfo(home.filePath(argument)).isFile(), StepScript::kGiveUpMs);
            }
            QVERIFY(PressInWindow(editor, title, QStringLiteral("alt+F4")));
        }
        QVERIFY(editor.waitForFinished(StepScript::kGiveUpMs));
        QCOMPARE(editor.exitStatus(), QProcess::NormalExit);
        QCOMPARE(editor.exitCode(), exitCode);
        if (!page.isEmpty())
            QCOMPARE(ReadBytes(home.filePath(argument)), page);
        if (!keyFile.isEmpty())
            QCOMPARE(ReadBytes(data + QStringLiteral("/kelvo.key")), keyFile);
        // What the program cannot read in its settings stays for the user.
        if (settings.contains('\0'))
            QVERIFY(ReadBytes(config + QStringLiteral("/kelvo.ini")).contains(QByteArray(4, '\0')));
    }
};
KELVO_TEST(TestStartupDesktop, "StartupDesktop");
#include "tst_StartupDesktop.moc"
