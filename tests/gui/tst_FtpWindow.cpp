#include "FtpServers.h"
#include "GuiEditor.h"
#include "TestFiles.h"
#include "TestRegistry.h"

#include "core/app/ScriptedUi.h"
#include "core/ftp/CFtpWnd.h"
#include "core/ftp/CNorvaneFtp.h"
#include "gui/FtpWindow.h"
#include "gui/ThreadedTaskRunner.h"
#include "platform/SettingsStore.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include <memory>

namespace {

bool InCi()
{
    return qEnvironmentVariable("CI") == u"true";
}

// Counts the paint events a widget receives.
class PaintCounter : public QObject {
public:
    int paints = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            ++paints;
        return false;
    }
};

// The window on a real server, its client living on the runner's thread as
// in the desktop program.
struct Session {
    FtpTestServer server{FtpTestServer::Kind::Pyftpdlib};
    QTemporaryDir local;
    ScriptedUi ui;
    platform::SettingsStore settings{local.filePath(QStringLiteral("kelvo.ini"))};
    QWidget parent;
    std::unique_ptr<ThreadedTaskRunner> runner;
    std::unique_ptr<CNorvaneFtp> client;
    std::unique_ptr<CFtpWnd> model;

    QString Start(bool portrait)
    {
        if (QString why = server.Start(); !why.isEmpty())
            return why;
        runner = std::make_unique<ThreadedTaskRunner>(&parent);
        const bool ok = runner->Run(QStringLiteral("ftp"), [this](TaskContext&) {
            client = std::make_unique<CNorvaneFtp>();
            client->Set(server.Host(), server.User(), server.Password(), QString(), true);
            return client->Connect();
        });
        if (!ok)
            return QStringLiteral("no login");
        model = std::make_unique<CFtpWnd>(ui, settings, *runner, *client);
        model->SetPortrait(portrait);
        QDir().mkpath(local.filePath(QStringLiteral("site")));
        model->Local().Fill(local.filePath(QStringLiteral("site")));
        model->RefillServer();
        return QString();
    }
    ~Session()
    {
        if (runner)
            runner->Run(QString(), [this](TaskContext&) {
                client.reset();
                return true;
            });
    }
};

#define START_SESSION(s, portrait)                                             \
    if (FtpTestServer::Missing(FtpTestServer::Kind::Pyftpdlib) && !InCi())     \
        QSKIP("pyftpdlib is not installed here");                             \
    if (const QString why = s.Start(portrait); !why.isEmpty())                 \
        QFAIL(qPrintable(why));

} // namespace

class TestFtpWindow : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void layouts_data()
    {
        QTest::addColumn<bool>("portrait");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QString>("name");
        QTest::newRow("landscape") << false << QSize(860, 520) << "ftp-landscape";
        QTest::newRow("portrait") << true << QSize(360, 640) << "ftp-portrait";
    }
    // Both layouts fit their screen with every button inside it.
    void layouts()
    {
        QFETCH(bool, portrait);
        QFETCH(QSize, size);
        QFETCH(QString, name);
        Session s;
        START_SESSION(s, portrait);
        WriteBytes(s.server.WritableLocal() + QStringLiteral("/index.html"), "<HTML></HTML>");
        WriteBytes(s.server.WritableLocal() + QStringLiteral("/写真.jpg"), QByteArray(12345, 'j'));
        QDir().mkpath(s.server.WritableLocal() + QStringLiteral("/css"));
        WriteBytes(s.local.filePath(QStringLiteral("site/top.htm")), "<P>");
        s.model->Local().Refill();
        s.model->RefillServer();

        FtpWindow window(*s.model, nullptr);
        window.resize(size);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QVERIFY(window.width() <= size.width());
        const QRect inside = window.rect();
        for (QPushButton* b : window.findChildren<QPushButton*>()) {
            if (b->isVisible())
                QVERIFY2(inside.contains(QRect(b->mapTo(&window, QPoint(0, 0)), b->size())),
                         qPrintable(b->text()));
        }
        QCOMPARE(window.ServerList()->topLevelItemCount(), 3);
        const QImage picture = window.grab().toImage();
        QVERIFY(picture.save(ScreenshotFolder() + u'/' + name + QStringLiteral(".png")));
        QVERIFY(DistinctColors(picture) >= 8);
    }

    // A large download runs while the window keeps painting; Cancel ends it
    // at once, leaves no partial file and the connection goes on working.
    void cancelLargeDownload()
    {
        Session s;
        START_SESSION(s, false);
        constexpr qint64 kSize = 200LL * 1024 * 1024;
        {
            QFile big(s.server.WritableLocal() + QStringLiteral("/big.bin"));
            QVERIFY(big.open(QIODevice::WriteOnly));
            QVERIFY(big.resize(kSize));
        }
        s.runner->SetShowDelay(0);
        QVERIFY(s.model->RefillServer(QStringLiteral("big.bin")));
        FtpWindow window(*s.model, &s.parent);
        window.resize(860, 520);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));

        PaintCounter counter;
        window.installEventFilter(&counter);
        QTimer repaint;
        QObject::connect(&repaint, &QTimer::timeout, &window, [&] { window.update(); });
        repaint.start(20);

        QElapsedTimer sinceCancel;
        int paintsBeforeCancel = -1;
        QTimer clicker;
        QObject::connect(&clicker, &QTimer::timeout, &window, [&] {
            if (sinceCancel.isValid())
                return;
            for (QWidget* w : QApplication::topLevelWidgets()) {
                auto* cancel = w->findChild<QPushButton*>(QStringLiteral("cancel"));
                // Wait until the transfer has really begun and the window has
                // repainted meanwhile.
                if (cancel && cancel->isVisible() && counter.paints > 3) {
                    paintsBeforeCancel = counter.paints;
                    sinceCancel.start();
                    cancel->click();
                    return;
                }
            }
        });
        clicker.start(10);

        s.model->Download({s.model->FindServerRow(QStringLiteral("big.bin"))});
        const qint64 cancelMs = sinceCancel.isValid() ? sinceCancel.elapsed() : -1;
        repaint.stop();
        clicker.stop();

        QVERIFY2(cancelMs >= 0, "the transfer ended before Cancel could be pressed");
        qInfo("Cancel returned after %lld ms; %d paints before it", cancelMs, paintsBeforeCancel);
        // One second is the aim; the bound leaves room for a busy machine.
        QVERIFY2(cancelMs < 3000, qPrintable(QString::number(cancelMs)));
        QVERIFY(paintsBeforeCancel > 3);
        QCOMPARE(s.ui.Texts(QStringLiteral("message")), QStringList{});
        QCOMPARE(QDir(s.local.filePath(QStringLiteral("site"))).entryList(QDir::Files | QDir::Hidden),
                 QStringList{});
        QVERIFY(s.model->RefillServer());
        QVERIFY(s.model->FindServerRow(QStringLiteral("big.bin")) >= 0);
    }
};
KELVO_TEST(TestFtpWindow, "FtpWindow");
#include "tst_FtpWindow.moc"
