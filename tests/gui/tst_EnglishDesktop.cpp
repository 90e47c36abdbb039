#include "TestRegistry.h"

#include "GuiEditor.h"

#include <QGuiApplication>
#include <QProcess>
#include <QProcessEnvironment>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>

// The editor as installed programs are started: its own process, under an
// English locale. The window and a dialog come up in English, and the
// pictures of them are kept.

namespace {

const QString kProgram = QStringLiteral(KELVO_BUILD_DIR "/src/kelvopad");

// Waits until a window of that title is shown (xdotool waits for it; the
// limit only ends a run whose program never shows it).
bool WindowShown(const QString& title)
{
    QProcess search;
    search.start(QStringLiteral("xdotool"),
                 {QStringLiteral("search"), QStringLiteral("--sync"), QStringLiteral("--onlyvisible"),
                  QStringLiteral("--name"), QStringLiteral("^%1$").arg(title)});
    return search.waitForFinished(60000) && search.exitCode() == 0;
}

bool Screenshot(const QString& name)
{
    const QSize size = QGuiApplication::primaryScreen()->size();
    const QString path = ScreenshotFolder()
                         + QStringLiteral("/%1-%2x%3.png").arg(name).arg(size.width()).arg(size.height());
    return QProcess::execute(QStringLiteral("import"),
                             {QStringLiteral("-window"), QStringLiteral("root"), path})
        == 0;
}

} // namespace

class TestEnglishDesktop : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void english()
    {
        QTemporaryDir home;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"LANGUAGE", "LC_ALL", "LC_MESSAGES"})
            env.remove(QString::fromLatin1(name));
        env.insert(QStringLiteral("LANG"), QStringLiteral("en_US.UTF-8"));
        env.insert(QStringLiteral("KELVO_CONFIG_DIR"), home.filePath(QStringLiteral("config")));
        env.insert(QStringLiteral("KELVO_DATA_DIR"), home.filePath(QStringLiteral("data")));
        QProcess editor;
        editor.setProcessEnvironment(env);
        editor.start(kProgram, {});
        QVERIFY(editor.waitForStarted());
        const auto stop = qScopeGuard([&] {
            editor.kill();
            editor.waitForFinished();
        });

        // The document's title and the dialog's are the program's texts.
        QVERIFY(WindowShown(QStringLiteral("Untitled - Kelvopad")));
        QVERIFY(Screenshot(QStringLiteral("english-main")));
        QProcess::execute(QStringLiteral("xdotool"), {QStringLiteral("key"), QStringLiteral("ctrl+f")});
        QVERIFY(WindowShown(QStringLiteral("Find")));
        QVERIFY(Screenshot(QStringLiteral("english-find")));
    }
};
KELVO_TEST(TestEnglishDesktop, "EnglishDesktop");
#include "tst_EnglishDesktop.moc"
