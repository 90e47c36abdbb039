#include "DesktopSession.h"
#include "FtpServers.h"
#include "FtpWindowFixture.h"
#include "GuiEditor.h"
#include "TestFiles.h"
#include "TestRegistry.h"

#include "core/app/CommandIds.h"
#include "core/ftp/CFtpSetList.h"
#include "core/ftp/FtpWindowCommands.h"
#include "core/ftp/SitePublish.h"
#include "gui/FtpWindow.h"
#include "gui/ThreadedTaskRunner.h"

#include <QDir>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTreeWidget>

namespace {

FtpWindow* ActiveFtpWindow()
{
    auto* window = dynamic_cast<FtpWindow*>(QApplication::activeModalWidget());
    return window && window->isActiveWindow() && window->ServerList()->hasFocus()
                   && window->ServerList()->topLevelItemCount() > 0
               ? window
               : nullptr;
}

// The label of the active progress window that counts the files.
QLabel* ProgressCount()
{
    QWidget* w = QApplication::activeModalWidget();
    if (!w || !w->isActiveWindow() || !w->findChild<QProgressBar*>())
        return nullptr;
    for (QLabel* label : w->findChildren<QLabel*>())
        if (label->text().contains(QStringLiteral("ファイル")))
            return label;
    return nullptr;
}

// The whole screen as the user sees it, window manager's frames included.
void Picture(const QString& name)
{
    QGuiApplication::primaryScreen()->grabWindow(0).save(ScreenshotFolder() + u'/' + name
                                                         + QStringLiteral(".png"));
}

// The first site of the session's settings, on the test server.
void SetFirstSite(DesktopSession& s, const FtpTestServer& server, const QString& remoteFolder,
                  const QString& localFolder = QString())
{
    CFtpSetList sets;
    sets.Load(s.Settings());
    CFtpSet& site = sets.At(0);
    site.host = server.Host();
    site.user = server.User();
    site.password = server.Password();
    if (!localFolder.isEmpty())
        site.localFolder = localFolder;
    site.remoteFolder = remoteFolder;
    sets.Save(s.Settings());
}

} // namespace

// The FTP window under a real X server and window manager on a laptop's and
// two phones' screens, worked with the keyboard.
class TestFtpDesktop : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase()
    {
        if (QGuiApplication::platformName() != QLatin1String("xcb"))
            QSKIP("needs an X server with a window manager (tests/support/run-under-x.sh)");
    }

    // Opened from its command on a saved site: the window, its list's
    // scroll bar and the permissions dialog stay on the screen, the names
    // stay readable, no caption breaks inside a word, and select-all takes
    // every row but the way up.
    void windowOnTheScreen()
    {
        if (FtpWindowFixture::ServerMissing())
            QSKIP("pyftpdlib is not installed here");
        FtpTestServer server(FtpTestServer::Kind::Pyftpdlib);
        QCOMPARE(server.Start(), QString());
        const QString www = server.WritableLocal() + QStringLiteral("/www");
        QDir().mkpath(www + QStringLiteral("/css"));
        WriteBytes(www + QStringLiteral("/page.htm"), "<P>");
        for (int i = 0; i < 20; ++i)
            WriteBytes(www + QStringLiteral("/page%1.htm").arg(i, 2, 10, QChar(u'0')), "<P>");

        DesktopSession s;
        SetFirstSite(s, server, QStringLiteral("/www"));
        QVERIFY(s.Start());
        const QRect room = QGuiApplication::primaryScreen()->geometry();
        const QString name = QStringLiteral("ftp-desktop-%1x%2").arg(room.width()).arg(room.height());

        QStringList problems;
        QStringList selected;
        int rows = 0;
        StepScript script;
        script.Add(QStringLiteral("ftp接続"), [] { return ActiveDialog(QStringLiteral("ftp接続")) != nullptr; },
                   [] { QVERIFY(XKeys({QStringLiteral("Return")})); });
        script.Add(QStringLiteral("the FTP window"), [] { return ActiveFtpWindow() != nullptr; }, [&] {
            FtpWindow* w = ActiveFtpWindow();
            if (!room.contains(w->frameGeometry()))
                problems << QStringLiteral("the window reaches off the screen");
            QTreeWidget* list = w->ServerList();
            QScrollBar* bar = list->verticalScrollBar();
            if (bar->isVisible() && !room.contains(QRect(bar->mapToGlobal(QPoint(0, 0)), bar->size())))
                problems << QStringLiteral("the scroll bar reaches off the screen");
            int widest = 0;
            for (int r = 0; r < list->topLevelItemCount(); ++r)
                widest = std::max(widest, list->sizeHintForIndex(list->model()->index(r, 0)).width());
            if (list->columnWidth(0) < widest)
                problems << QStringLiteral("the names are cut");
            Picture(name + QStringLiteral("-window"));
            QVERIFY(XKeys({QStringLiteral("ctrl+a")}));
        });
        script.Add(QStringLiteral("select-all"), [] { return ActiveFtpWindow() && ActiveFtpWindow()->ServerList()->selectedItems().size() > 1; }, [&] {
            QTreeWidget* list = ActiveFtpWindow()->ServerList();
            rows = list->topLevelItemCount();
            for (QTreeWidgetItem* item : list->selectedItems())
                selected << item->data(0, Qt::UserRole).toString();
            list->setCurrentItem(list->findItems(QStringLiteral("page.htm"), Qt::MatchExactly).value(0));
            QPushButton* attributes = ActiveFtpWindow()->findChild<QPushButton*>(QStringLiteral("attributes"));
            QTimer::singleShot(0, attributes, &QPushButton::click);
        });
        script.Add(QStringLiteral("属性の変更"), [] { return ActiveDialog(QStringLiteral("属性の変更")) != nullptr; }, [&] {
            QWidget* dialog = QApplication::activeModalWidget();
            if (!room.contains(dialog->frameGeometry()))
                problems << QStringLiteral("属性の変更 reaches off the screen");
            for (QLabel* label : dialog->findChildren<QLabel*>()) {
                if (label->isVisible() && !label->text().isEmpty()
                    && label->height() >= 2 * label->fontMetrics().lineSpacing())
                    problems << label->text() + QStringLiteral(" is broken over lines");
            }
            Picture(name + QStringLiteral("-mode"));
            QVERIFY(XKeys({QStringLiteral("Escape")}));
        });
        script.Add(QStringLiteral("the FTP window again"), [] { return ActiveFtpWindow() != nullptr; },
                   [] { ActiveFtpWindow()->reject(); });
        script.Add(QStringLiteral("the window to close"), [] { return !QApplication::activeModalWidget(); }, [] {});
        script.Start();
        QVERIFY(s.App().Commands().Run(cmd::FtpWindow));
        QTRY_VERIFY_WITH_TIMEOUT(script.Ended(), 2 * StepScript::kGiveUpMs);
        QVERIFY2(script.Finished(), qPrintable(script.Waiting()));
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join(u'\n')));
        QCOMPARE(selected.size(), rows - 1);
        QVERIFY(!selected.contains(QStringLiteral("..")));
    }

    // Publishing from its command with the keyboard alone: the folders and
    // the plan stay on the screen with the focus in them, on the local
    // folder first, and Return goes on at each step.
    void publishOnTheScreen()
    {
        if (FtpWindowFixture::ServerMissing())
            QSKIP("pyftpdlib is not installed here");
        FtpTestServer server(FtpTestServer::Kind::Pyftpdlib);
        QCOMPARE(server.Start(), QString());
        QTemporaryDir local;
        QDir().mkpath(local.filePath(QStringLiteral("画像")));
        QVERIFY(WriteBytes(local.filePath(QStringLiteral("index.htm")), "<P>top</P>"));
        QVERIFY(WriteBytes(local.filePath(QStringLiteral("画像/表紙.png")), QByteArray(1000, 'p')));
        // A link back to the site: the plan says under its list that it is not followed.
        QVERIFY(QFile::link(QStringLiteral(".."), local.filePath(QStringLiteral("画像/up"))));

        DesktopSession s;
        SetFirstSite(s, server, QStringLiteral("site"), local.path());
        QVERIFY(s.Start());
        const QRect room = QGuiApplication::primaryScreen()->geometry();
        const QString name = QStringLiteral("publish-%1x%2").arg(room.width()).arg(room.height());
        const QString title = QStringLiteral("サイトの公開");
        QStringList problems;
        auto onScreen = [&](const QString& what) {
            QWidget* dialog = QApplication::activeModalWidget();
            if (!room.contains(dialog->frameGeometry()))
                problems << what + QStringLiteral(" reaches off the screen");
            Picture(name + u'-' + what);
        };
        auto plan = [&]() -> QListWidget* {
            QWidget* dialog = ActiveDialog(title);
            return dialog ? dialog->findChild<QListWidget*>() : nullptr;
        };
        StepScript script;
        script.Add(QStringLiteral("the folders"), [&] { return ActiveDialog(title) && !plan(); }, [&] {
            auto* field = qobject_cast<QLineEdit*>(QApplication::focusWidget());
            if (!field || field->text() != local.path())
                problems << QStringLiteral("the focus is not on the local folder");
            onScreen(QStringLiteral("folders"));
            QVERIFY(XKeys({QStringLiteral("Return")}));
        });
        script.Add(QStringLiteral("the plan"), [&] { return plan() != nullptr; }, [&] {
            if (plan()->count() != 4)
                problems << QStringLiteral("the plan has %1 rows").arg(plan()->count());
            onScreen(QStringLiteral("plan"));
            QVERIFY(XKeys({QStringLiteral("Return")}));
        });
        script.Add(QStringLiteral("the message"), [] {
            QWidget* box = QApplication::activeModalWidget();
            if (!box || !box->isActiveWindow())
                return false;
            for (QLabel* label : box->findChildren<QLabel*>())
                if (label->text().startsWith(QStringLiteral("公開しました")))
                    return true;
            return false;
        }, [&] {
            onScreen(QStringLiteral("done"));
            QVERIFY(XKeys({QStringLiteral("Return")}));
        });
        script.Add(QStringLiteral("the message to close"), [] { return !QApplication::activeModalWidget(); }, [] {});
        script.Start();
        QVERIFY(s.App().Commands().Run(cmd::SitePublish));
        QTRY_VERIFY_WITH_TIMEOUT(script.Ended(), 2 * StepScript::kGiveUpMs);
        QVERIFY2(script.Finished(), qPrintable(script.Waiting()));
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join(u'\n')));
        QCOMPARE(ReadBytes(server.WritableLocal() + QStringLiteral("/site/画像/表紙.png")), QByteArray(1000, 'p'));
    }

    // A copy of several files shows, within the screen, which file of how
    // many is on its way and its percentage.
    void copyProgress()
    {
        FtpWindowFixture fx;
        QTemporaryDir gates;
        const QString gate = gates.filePath(QStringLiteral("go"));
        // The first file waits on the server until its progress is seen.
        fx.server.SetUploadGate(gate);
        const QRect room = QGuiApplication::primaryScreen()->geometry();
        START_FTP_WINDOW(fx, std::make_unique<ThreadedTaskRunner>(nullptr), room.width() < room.height());
        fx.Runner().SetShowDelay(0);
        const QStringList names = {QStringLiteral("a.htm"), QStringLiteral("b.htm"), QStringLiteral("c.htm")};
        for (const QString& n : names)
            WriteBytes(fx.LocalPath(n), QByteArray(100 * 1024, 'p'));
        fx.wnd->Local().Refill();
        FtpWindow window(*fx.wnd, nullptr);
        window.resize(room.size());
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));

        QString shown;
        StepScript script;
        script.Add(QStringLiteral("the progress window"), [] { return ProgressCount() != nullptr; }, [&] {
            QWidget* progress = QApplication::activeModalWidget();
            shown = ProgressCount()->text().section(u'\n', 0, 0) + QStringLiteral(" | ")
                  + progress->findChild<QProgressBar*>()->text();
            if (!room.contains(progress->frameGeometry()))
                shown += QStringLiteral(" reaches off the screen");
            Picture(QStringLiteral("ftp-desktop-%1x%2-progress").arg(room.width()).arg(room.height()));
            WriteBytes(gate, QByteArray());
        });
        script.Start();
        std::vector<int> rows;
        for (const QString& n : names)
            rows.push_back(fx.wnd->Local().FindRow(n));
        fx.wnd->Upload(rows);
        QVERIFY2(script.Finished(), qPrintable(script.Waiting()));
        QCOMPARE(shown, QStringLiteral("1 / 3 ファイル | 0%"));
        for (const QString& n : names)
            QCOMPARE(ReadBytes(fx.ServerPath(n)).size(), 100 * 1024);
    }
};

KELVO_TEST(TestFtpDesktop, "FtpDesktop");
#include "tst_FtpDesktop.moc"
