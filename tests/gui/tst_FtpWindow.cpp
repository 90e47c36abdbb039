#include "FtpServers.h"
#include "FtpWindowFixture.h"
#include "GuiEditor.h"
#include "TestFiles.h"
#include "TestRegistry.h"

#include "core/app/CommandIds.h"
#include "core/app/FormModel.h"
#include "core/app/ShellCommandIds.h"
#include "core/doc/CKelvoDoc.h"
#include "core/ftp/CFtpWnd.h"
#include "core/ftp/CNorvaneFtp.h"
#include "core/ftp/FtpWindowCommands.h"
#include "gui/FormDialog.h"
#include "gui/FtpWindow.h"
#include "gui/QtUi.h"
#include "gui/QuestionBox.h"
#include "gui/ThreadedTaskRunner.h"

#include <QAbstractEventDispatcher>
#include <QAbstractItemModel>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPointer>
#include <QPushButton>
#include <QRandomGenerator>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <QUrl>

#include <memory>

namespace {

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

// Until the event queue is empty: whatever input set off has run by then (a
// drop starts its copy by a posted call, and a copy ends before its call
// returns).
void RunPendingEvents()
{
    QCoreApplication::sendPostedEvents();
    for (int round = 0; round < 1000 && QCoreApplication::eventDispatcher()->processEvents(QEventLoop::AllEvents);
         ++round) {
    }
}

// The window on a real server, its client living on the runner's thread as
// in the desktop program.
struct Session {
    QWidget parent;
    FtpWindowFixture fx;

    QString Start(bool portrait) { return fx.Start(std::make_unique<ThreadedTaskRunner>(&parent), portrait); }
    ThreadedTaskRunner& Runner() { return static_cast<ThreadedTaskRunner&>(fx.Runner()); }
};

// The desktop program with its real dialogs, its window filling a screen.
bool ShowOn(BasicGuiEditor<QtUi>& g, QScreen* display)
{
    g.Ui().SetMainWindow(&g.Frame());
    g.Frame().setScreen(display);
    g.Frame().move(display->availableGeometry().topLeft());
    g.Frame().resize(display->availableGeometry().size());
    g.Frame().show();
    return QTest::qWaitForWindowExposed(&g.Frame());
}

// The editor of the form field whose caption begins with `caption`.
QWidget* FieldEditor(QWidget* dialog, const QString& caption)
{
    for (QLabel* label : dialog->findChildren<QLabel*>())
        if (label->buddy() && QtUi::WithoutMnemonic(label->text()).startsWith(caption))
            return label->buddy();
    for (QCheckBox* box : dialog->findChildren<QCheckBox*>())
        if (QtUi::WithoutMnemonic(box->text()).startsWith(caption))
            return box;
    return nullptr;
}

// What a dialog shows beyond its screen: wider than the screen, or a page
// that scrolls sideways.
QString DoesNotFit(QWidget* dialog, const QSize& screen)
{
    if (dialog->frameGeometry().width() > screen.width())
        return QStringLiteral("%1 px wide").arg(dialog->frameGeometry().width());
    for (const QScrollArea* area : dialog->findChildren<QScrollArea*>())
        if (area->isVisible() && area->horizontalScrollBar()->maximum() > 0)
            return QStringLiteral("a page scrolls sideways");
    return QString();
}

void Save(const QImage& picture, const QString& name)
{
    QVERIFY(picture.save(ScreenshotFolder() + u'/' + name + QStringLiteral(".png")));
    QVERIFY2(DistinctColors(picture) >= 8, qPrintable(name));
}

// Works the dialogs of an FTP command as a user does: types the site into
// the command's form and confirms it, pictures the status window while a
// file is on its way, pictures and closes the FTP window, and confirms each
// message. Every dialog is pictured under `name` and checked against the
// screen.
class CommandDriver : public QObject {
public:
    CommandDriver(const QString& name, const QSize& screen, std::vector<std::pair<QString, QString>> typed)
        : m_name(name), m_screen(screen), m_typed(std::move(typed))
    {
        connect(&m_timer, &QTimer::timeout, this, [this] { Poll(); });
        m_timer.start(10);
    }

    // Created once the status window names a file on its way (a server
    // holds the upload until then).
    QString gate;
    QStringList messages;      // the message boxes' texts, in order
    QStringList statusLines;   // each pair of status lines shown, "line1 | line2"
    QStringList problems;      // what did not fit the screen
    QStringList pictures;      // names of the pictures saved

private:
    void Poll()
    {
        QWidget* w = QApplication::activeModalWidget();
        if (!w || !w->isVisible())
            return;
        if (auto* form = qobject_cast<FormDialog*>(w)) {
            if (!w->property("driven").toBool()) {
                w->setProperty("driven", true);
                Fill(*form);
            }
        } else if (auto* window = dynamic_cast<FtpWindow*>(w)) {
            if (window->ServerList()->topLevelItemCount() > 0) {
                // The columns of the list shown are all in view.
                if (window->ServerList()->horizontalScrollBar()->maximum() > 0)
                    problems << m_name + QStringLiteral("-window: the server list scrolls sideways");
                Keep(*window, QStringLiteral("-window"));
                window->reject();
            }
        } else if (auto* box = qobject_cast<QuestionBox*>(w)) {
            messages << box->TextLabel()->text();
            Keep(*box, QStringLiteral("-message"));
            box->Buttons().first()->click();
        } else if (w->findChild<QPushButton*>(QStringLiteral("cancel"))) {
            // A line too long for the screen is shortened; its tooltip
            // holds it whole.
            QStringList lines;
            for (QLabel* label : w->findChildren<QLabel*>())
                lines << (label->toolTip().isEmpty() ? label->text() : label->toolTip());
            const QString pair = lines.mid(0, 2).join(QStringLiteral(" | "));
            if (statusLines.isEmpty() || statusLines.last() != pair) {
                statusLines << pair;
                // The window as it names the file on its way.
                if (pair.contains(u'/') && !w->property("pictured").toBool()) {
                    w->setProperty("pictured", true);
                    Keep(*w, QStringLiteral("-status"));
                    if (!gate.isEmpty())
                        WriteBytes(gate, QByteArray());
                }
            }
        }
    }

    void Fill(FormDialog& form)
    {
        for (const auto& [caption, value] : m_typed) {
            QWidget* editor = FieldEditor(&form, caption);
            if (!editor) {
                problems << QStringLiteral("no field ") + caption;
                continue;
            }
            if (auto* box = qobject_cast<QCheckBox*>(editor)) {
                if (box->isChecked() != (value == u"1"))
                    box->click();
            } else if (auto* line = qobject_cast<QLineEdit*>(editor)) {
                line->selectAll();
                QTest::keyClicks(line, value);
            }
        }
        QApplication::processEvents();
        Keep(form, QString());
        form.OkButton()->click();
    }

    void Keep(QWidget& w, const QString& kind)
    {
        QApplication::processEvents();
        if (const QString why = DoesNotFit(&w, m_screen); !why.isEmpty())
            problems << m_name + kind + QStringLiteral(": ") + why;
        const QString name = m_name + kind;
        w.grab().toImage().save(ScreenshotFolder() + u'/' + name + QStringLiteral(".png"));
        pictures << name;
    }

    QString m_name;
    QSize m_screen;
    std::vector<std::pair<QString, QString>> m_typed;
    QTimer m_timer;
};

// A drag as the platform delivers it: enter, move, and (when the enter was
// taken) the drop, all at the middle of the widget. True when the drop was
// taken as a copy.
bool DragAndDrop(QWidget* target, const QMimeData& data, bool* entered = nullptr)
{
    const QPoint at = target->rect().center();
    QDragEnterEvent enter(at, Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &enter);
    if (entered)
        *entered = enter.isAccepted();
    if (!enter.isAccepted())
        return false;
    QDragMoveEvent move(at, Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &move);
    QDropEvent drop(QPointF(at), Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &drop);
    return drop.isAccepted() && drop.dropAction() == Qt::CopyAction;
}

// The rows of a list with these names, selected, as the list hands them to
// a drag.
std::unique_ptr<QMimeData> DragRows(QTreeWidget* list, const QStringList& names)
{
    list->clearSelection();
    for (int i = 0; i < list->topLevelItemCount(); ++i) {
        QTreeWidgetItem* item = list->topLevelItem(i);
        if (names.contains(item->data(0, Qt::UserRole).toString()))
            item->setSelected(true);
    }
    return std::unique_ptr<QMimeData>(list->model()->mimeData(list->selectionModel()->selectedIndexes()));
}

QByteArray SomeBytes(int size, quint32 seed)
{
    QByteArray bytes(size, Qt::Uninitialized);
    QRandomGenerator random(seed);
    for (char& c : bytes)
        c = char(random.bounded(256));
    return bytes;
}

// A desktop program on a laptop's screen and on a phone's, its pictures
// named after the layout.
void AddScreenRows(const char* picture)
{
    QTest::addColumn<MenuLayout>("layout");
    QTest::addColumn<QSize>("screen");
    QTest::addColumn<QString>("name");
    const QString name = QLatin1String(picture);
    QTest::newRow("landscape") << MenuLayout::Landscape << QSize(1280, 800)
                               << name + QStringLiteral("-landscape");
    QTest::newRow("portrait") << MenuLayout::Portrait << QSize(360, 640)
                              << name + QStringLiteral("-portrait");
}

} // namespace

class TestFtpWindow : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void layouts_data()
    {
        QTest::addColumn<bool>("portrait");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QString>("name");
        QTest::newRow("landscape") << false << QSize(1280, 800) << "ftp-landscape";
        QTest::newRow("portrait") << true << QSize(360, 640) << "ftp-portrait";
    }
    // Each layout fits its screen with every button and the list's scroll
    // bar inside it; the names are shown whole and take the room the other
    // columns leave, so that a wide list never scrolls sideways.
    void layouts()
    {
        QFETCH(bool, portrait);
        QFETCH(QSize, size);
        QFETCH(QString, name);
        Session s;
        START_FTP_WINDOW(s, portrait);
        FtpWindowFixture& fx = s.fx;
        WriteBytes(fx.ServerPath(QStringLiteral("index.html")), "<HTML></HTML>");
        WriteBytes(fx.ServerPath(QStringLiteral("写真.jpg")), QByteArray(12345, 'j'));
        for (int i = 0; i < 20; ++i)
            WriteBytes(fx.ServerPath(QStringLiteral("page%1.htm").arg(i, 2, 10, QChar(u'0'))), "<P>");
        QDir().mkpath(fx.ServerPath(QStringLiteral("css")));
        WriteBytes(fx.LocalPath(QStringLiteral("top.htm")), "<P>");
        fx.wnd->Local().Refill();
        fx.wnd->RefillServer();

        FtpWindow window(*fx.wnd, nullptr);
        window.resize(size);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QVERIFY2(window.width() <= size.width() && window.height() <= size.height(),
                 qPrintable(QStringLiteral("%1x%2").arg(window.width()).arg(window.height())));
        const QRect inside = window.rect();
        QTreeWidget* list = window.ServerList();
        QList<QWidget*> parts = {list->verticalScrollBar()};
        for (QPushButton* b : window.findChildren<QPushButton*>())
            parts << b;
        for (QWidget* part : parts) {
            if (part->isVisible())
                QVERIFY2(inside.contains(QRect(part->mapTo(&window, QPoint(0, 0)), part->size())),
                         qPrintable(part->objectName()));
        }
        QCOMPARE(list->topLevelItemCount(), 23);
        int columns = 0;
        for (int c = 0; c < list->columnCount(); ++c)
            columns += list->columnWidth(c);
        if (!portrait) {
            QCOMPARE(columns, list->viewport()->width());
            QCOMPARE(list->horizontalScrollBar()->maximum(), 0);
        }
        int widest = 0;
        for (int r = 0; r < list->topLevelItemCount(); ++r)
            widest = std::max(widest, list->sizeHintForIndex(list->model()->index(r, 0)).width());
        QVERIFY2(list->columnWidth(0) >= widest, qPrintable(QString::number(list->columnWidth(0))));
        Save(window.grab().toImage(), name);
    }

    // The keys of a file manager work in the server list: Enter opens a
    // folder, Backspace goes up, Delete asks before deleting, F2 renames,
    // Ctrl+A selects every row but the way up.
    void keys_data()
    {
        QTest::addColumn<QString>("focus");
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("folder");   // server folder afterwards
        QTest::addColumn<QString>("asked");    // the question or prompt shown
        QTest::addColumn<QStringList>("selected");  // afterwards, where it matters
        QTest::newRow("Enter on a folder") << "css" << int(Qt::Key_Return) << "/css" << "" << QStringList{};
        QTest::newRow("Backspace goes up") << "" << int(Qt::Key_Backspace) << "/" << "" << QStringList{};
        QTest::newRow("Delete asks first") << "index.html" << int(Qt::Key_Delete) << "/css"
                                           << "サーバのファイルを削除しますか？" << QStringList{};
        QTest::newRow("F2 renames") << "index.html" << int(Qt::Key_F2) << "/css"
                                    << "新しいファイル名を入力してください" << QStringList{};
        QTest::newRow("Ctrl+A leaves out [..]") << "" << int(Qt::ControlModifier | Qt::Key_A) << "/css" << ""
                                                << QStringList{"a.css", "index.html"};
    }
    void keys()
    {
        QFETCH(QString, focus);
        QFETCH(int, key);
        QFETCH(QString, folder);
        QFETCH(QString, asked);
        QFETCH(QStringList, selected);
        Session s;
        START_FTP_WINDOW(s, false);
        FtpWindowFixture& fx = s.fx;
        QDir().mkpath(fx.ServerPath(QStringLiteral("css")));
        WriteBytes(fx.ServerPath(QStringLiteral("index.html")), "<HTML></HTML>");
        WriteBytes(fx.ServerPath(QStringLiteral("css/index.html")), "<HTML></HTML>");
        WriteBytes(fx.ServerPath(QStringLiteral("css/a.css")), "P {}");
        // Start inside "css" unless the row to act on is that folder.
        QVERIFY(fx.wnd->RefillServer());
        if (focus != u"css")
            fx.wnd->OpenServerRow(fx.wnd->FindServerRow(QStringLiteral("css")));
        QVERIFY(fx.wnd->ServerFolderText() == (focus == u"css" ? u"/" : u"/css"));
        QVERIFY(fx.wnd->RefillServer(focus));
        FtpWindow window(*fx.wnd, &s.parent);
        window.resize(1280, 800);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        window.activateWindow();
        window.ServerList()->setFocus();
        const QKeyCombination combination = QKeyCombination::fromCombined(key);
        QTest::keyClick(window.ServerList(), combination.key(), combination.keyboardModifiers());
        QTRY_COMPARE(fx.wnd->ServerFolderText(), folder);
        const QStringList shown = fx.ui.Texts(QStringLiteral("question")) + fx.ui.Texts(QStringLiteral("input"));
        QCOMPARE(shown, asked.isEmpty() ? QStringList{} : QStringList{asked});
        if (!selected.isEmpty()) {
            QStringList names;
            for (QTreeWidgetItem* item : window.ServerList()->selectedItems())
                names << item->data(0, Qt::UserRole).toString();
            names.sort();
            QCOMPARE(names, selected);
        }
        // Nothing was answered: the file is still there.
        QVERIFY(QFileInfo::exists(fx.ServerPath(QStringLiteral("css/index.html"))));
    }

    // While a copy runs, clicks, keys and the close box do not reach the
    // window: no second copy, no question, the window stays open.
    void inputWaitsForWork()
    {
        Session s;
        s.fx.server.SetRateLimit(64 * 1024);
        START_FTP_WINDOW(s, false);
        FtpWindowFixture& fx = s.fx;
        const QByteArray bytes = SomeBytes(160 * 1024, 7);
        WriteBytes(fx.ServerPath(QStringLiteral("slow.bin")), bytes);
        QVERIFY(fx.wnd->RefillServer(QStringLiteral("slow.bin")));
        FtpWindow window(*fx.wnd, &s.parent);
        window.resize(1280, 800);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        bool poked = false;
        QTimer::singleShot(50, &window, [&] {
            QTest::mouseClick(window.findChild<QPushButton*>(QStringLiteral("download")), Qt::LeftButton);
            QTest::keyClick(window.ServerList(), Qt::Key_Delete);
            window.close();
            poked = true;
        });
        fx.wnd->Download({fx.wnd->FindServerRow(QStringLiteral("slow.bin"))});
        QVERIFY(poked);
        QVERIFY(window.isVisible());
        QCOMPARE(fx.ui.Texts(QStringLiteral("question")), QStringList{});
        QCOMPARE(ReadBytes(fx.LocalPath(QStringLiteral("slow.bin"))), bytes);
        RunPendingEvents();
        QCOMPARE(fx.ui.Texts(QStringLiteral("question")), QStringList{});
    }

    // Rows dragged onto the other list, and files from the desktop dropped
    // onto the server list, arrive byte for byte; in portrait the hidden
    // list's switch takes the drop.
    void dragAndDrop_data()
    {
        QTest::addColumn<bool>("portrait");
        QTest::addColumn<QString>("from");    // "local", "server" or "desktop"
        QTest::addColumn<QString>("onto");    // object name of the widget dropped on
        QTest::addColumn<bool>("taken");
        QTest::newRow("local rows onto the server list") << false << "local" << "server" << true;
        QTest::newRow("server rows onto the local list") << false << "server" << "local" << true;
        QTest::newRow("desktop files onto the server list") << false << "desktop" << "server" << true;
        QTest::newRow("portrait: local rows onto the server switch") << true << "local" << "showServer" << true;
        QTest::newRow("portrait: server rows onto the local switch") << true << "server" << "showLocal" << true;
        QTest::newRow("portrait: desktop files onto the server list") << true << "desktop" << "server" << true;
        QTest::newRow("rows back onto their own list") << false << "local" << "local" << false;
        QTest::newRow("desktop files onto the local list") << false << "desktop" << "local" << false;
    }
    void dragAndDrop()
    {
        QFETCH(bool, portrait);
        QFETCH(QString, from);
        QFETCH(QString, onto);
        QFETCH(bool, taken);
        Session s;
        START_FTP_WINDOW(s, portrait);
        FtpWindowFixture& fx = s.fx;
        const QStringList names = {QStringLiteral("a.htm"), QStringLiteral("写真.jpg")};
        const QByteArray contents[] = {QByteArray("<P>日本語</P>\r\n"), SomeBytes(300 * 1024 + 7, 13)};
        QTemporaryDir desktop;
        QString sourceFolder = from == u"local" ? fx.LocalPath(QString())
            : from == u"server"                 ? fx.server.WritableLocal()
                                                : desktop.path();
        for (int i = 0; i < names.size(); ++i)
            WriteBytes(sourceFolder + u'/' + names[i], contents[i]);
        fx.wnd->Local().Refill();
        QVERIFY(fx.wnd->RefillServer());

        FtpWindow window(*fx.wnd, &s.parent);
        window.resize(portrait ? QSize(360, 640) : QSize(1280, 800));
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        std::unique_ptr<QMimeData> data;
        if (from == u"desktop") {
            data = std::make_unique<QMimeData>();
            QList<QUrl> urls;
            for (const QString& name : names)
                urls << QUrl::fromLocalFile(desktop.filePath(name));
            data->setUrls(urls);
        } else {
            const bool server = from == u"server";
            if (portrait)
                window.ShowServerSide(server);
            data = DragRows(server ? window.ServerList() : window.LocalList(), names);
        }
        QWidget* target = window.findChild<QWidget*>(onto);
        QVERIFY(target);
        if (auto* list = qobject_cast<QTreeWidget*>(target))
            target = list->viewport();
        QCOMPARE(DragAndDrop(target, *data), taken);

        const QString targetFolder = from == u"server" ? fx.LocalPath(QString()) : fx.server.WritableLocal();
        if (taken) {
            for (int i = 0; i < names.size(); ++i) {
                const QString path = targetFolder + u'/' + names[i];
                QTRY_VERIFY2_WITH_TIMEOUT(ReadBytes(path) == contents[i], qPrintable(path), 30000);
            }
            // The list that received the files shows them once the copy has ended.
            QTreeWidget* shown = from == u"server" ? window.LocalList() : window.ServerList();
            QTRY_VERIFY_WITH_TIMEOUT(!shown->findItems(names.last(), Qt::MatchExactly).isEmpty(), 30000);
        } else {
            RunPendingEvents();
            const QStringList sources = {fx.LocalPath(QString()), fx.server.WritableLocal()};
            for (const QString& name : names)
                for (const QString& folder : sources)
                    if (folder != sourceFolder)
                        QVERIFY2(!QFileInfo::exists(folder + u'/' + name), qPrintable(folder + name));
        }
        QCOMPARE(fx.ui.Texts(QStringLiteral("message")), QStringList{});
    }

    // The one-step upload on the desktop program, its dialogs worked as a
    // user works them, on a laptop's and a phone's screen.
    void uploadDocument_data()
    {
        QTest::addColumn<MenuLayout>("layout");
        QTest::addColumn<QSize>("screen");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("folder");  // of the document
        QTest::newRow("landscape") << MenuLayout::Landscape << QSize(1280, 800) << "ftp-upload-landscape" << "";
        QTest::newRow("portrait, a path wider than the screen")
            << MenuLayout::Portrait << QSize(360, 640) << "ftp-upload-portrait"
            << "ホームページの原稿/二〇二六年の記事/とても長い名前のフォルダ";
    }
    void uploadDocument()
    {
        QFETCH(MenuLayout, layout);
        QFETCH(QSize, screen);
        QFETCH(QString, name);
        QFETCH(QString, folder);
        QScreen* display = ScreenOfSize(screen);
        if (!display)
            QSKIP("the platform has no screen of that size");
        if (FtpWindowFixture::ServerMissing())
            QSKIP("pyftpdlib is not installed here");
        FtpTestServer server(FtpTestServer::Kind::Pyftpdlib);
        // The page waits on the server until the status window has been
        // seen naming it.
        QTemporaryDir gates;
        server.SetUploadGate(gates.filePath(QStringLiteral("go")));
        QCOMPARE(server.Start(), QString());
        QDir().mkpath(server.WritableLocal() + QStringLiteral("/www"));

        BasicGuiEditor<QtUi> g(layout);
        QVERIFY(ShowOn(g, display));
        QString page = QStringLiteral("<HTML>\r\n<BODY>\r\n");
        while (page.size() < 100 * 1024)
            page += QStringLiteral("<P>日本語の段落です。ftp で送ります。</P>\r\n");
        page += QStringLiteral("</BODY>\r\n</HTML>\r\n");
        QDir().mkpath(g.Path(folder));
        const QString path = g.MakeFile(folder.isEmpty() ? QStringLiteral("page.htm") : folder + QStringLiteral("/page.htm"), "<P>old</P>\r\n");
        QVERIFY(g.App().OpenDocumentFile(path));
        g.Edit().Buffer().SetText(page);
        g.Edit().Buffer().SetModified(true);

        CommandDriver driver(name, screen,
                            {{QStringLiteral("サーバ"), server.Host()},
                             {QStringLiteral("ユーザ"), server.User()},
                             {QStringLiteral("パスワード"), server.Password()},
                             {QStringLiteral("ディレクトリ"), QStringLiteral("www")},
                             // Binary, so the page arrives byte for byte.
                             {QStringLiteral("ASCIIモード"), QStringLiteral("0")}});
        driver.gate = gates.filePath(QStringLiteral("go"));
        QVERIFY(g.App().Commands().Run(cmd::FtpUpload));

        QCOMPARE(driver.messages, QStringList{QStringLiteral("ftpを終了しました")});
        QVERIFY(!g.Doc().IsModified());
        const QByteArray saved = ReadBytes(path);
        QVERIFY(saved.size() > 100 * 1024);
        QCOMPARE(ReadBytes(server.WritableLocal() + QStringLiteral("/www/page.htm")), saved);
        // Before the page is written, the status names where it goes.
        QVERIFY2(driver.statusLines.contains(path + QStringLiteral(" | ") + server.Host()
                                             + QStringLiteral("/www/page.htm")),
                 qPrintable(driver.statusLines.join(u'\n')));
        QVERIFY2(driver.problems.isEmpty(), qPrintable(driver.problems.join(u'\n')));
        QCOMPARE(driver.pictures,
                 (QStringList{name, name + QStringLiteral("-status"), name + QStringLiteral("-message")}));
        for (const QString& picture : driver.pictures)
            QVERIFY2(DistinctColors(QImage(ScreenshotFolder() + u'/' + picture + QStringLiteral(".png"))) >= 8,
                     qPrintable(picture));
    }

    // The FTP window command on the desktop program: the connect form, then
    // the window in the layout of the screen, within it.
    void openWindow_data() { AddScreenRows("ftp-connect"); }
    void openWindow()
    {
        QFETCH(MenuLayout, layout);
        QFETCH(QSize, screen);
        QFETCH(QString, name);
        QScreen* display = ScreenOfSize(screen);
        if (!display)
            QSKIP("the platform has no screen of that size");
        if (FtpWindowFixture::ServerMissing())
            QSKIP("pyftpdlib is not installed here");
        FtpTestServer server(FtpTestServer::Kind::Pyftpdlib);
        QCOMPARE(server.Start(), QString());
        WriteBytes(server.WritableLocal() + QStringLiteral("/index.html"), "<HTML></HTML>");
        QDir().mkpath(server.WritableLocal() + QStringLiteral("/画像"));

        BasicGuiEditor<QtUi> g(layout);
        QVERIFY(ShowOn(g, display));
        CommandDriver driver(name, screen,
                             {{QStringLiteral("サーバ"), server.Host()},
                              {QStringLiteral("ユーザ"), server.User()},
                              {QStringLiteral("パスワード"), server.Password()}});
        QVERIFY(g.App().Commands().Run(cmd::FtpWindow));
        QCOMPARE(driver.messages, QStringList{});
        QVERIFY2(driver.problems.isEmpty(), qPrintable(driver.problems.join(u'\n')));
        QVERIFY(driver.pictures.contains(name));
        QVERIFY(driver.pictures.contains(name + QStringLiteral("-window")));
        QVERIFY(DistinctColors(QImage(ScreenshotFolder() + u'/' + name + QStringLiteral("-window.png"))) >= 8);
    }

    // The FTP page of the settings sheet on a laptop and a phone: nothing
    // wider than the screen, nothing to scroll sideways.
    void settingsPage_data() { AddScreenRows("settings-ftp"); }
    void settingsPage()
    {
        QFETCH(MenuLayout, layout);
        QFETCH(QSize, screen);
        QFETCH(QString, name);
        QScreen* display = ScreenOfSize(screen);
        if (!display)
            QSKIP("the platform has no screen of that size");
        BasicGuiEditor<QtUi> g(layout);
        QVERIFY(ShowOn(g, display));

        QString problem = QStringLiteral("the sheet did not open");
        QTimer::singleShot(0, &g.Frame(), [&] {
            auto* sheet = qobject_cast<FormDialog*>(QApplication::activeModalWidget());
            if (!sheet || !sheet->Tabs())
                return;
            for (int i = 0; i < sheet->Tabs()->count(); ++i)
                if (sheet->Tabs()->tabText(i) == u"FTP")
                    sheet->Tabs()->setCurrentIndex(i);
            QApplication::processEvents();
            problem = sheet->Tabs()->tabText(sheet->Tabs()->currentIndex()) == u"FTP"
                ? DoesNotFit(sheet, screen) : QStringLiteral("no FTP page");
            sheet->grab().toImage().save(ScreenshotFolder() + u'/' + name + QStringLiteral(".png"));
            sheet->CancelButton()->click();
        });
        QVERIFY(g.App().Commands().Run(cmd::GeneralSettings));
        QVERIFY2(problem.isEmpty(), qPrintable(problem));
        QVERIFY(DistinctColors(QImage(ScreenshotFolder() + u'/' + name + QStringLiteral(".png"))) >= 8);
    }

    // The permissions form "属性の変更" on a laptop and a phone: three rows
    // of a digit and three boxes, all in view.
    void modeForm_data()
    {
        QTest::addColumn<QSize>("screen");
        QTest::addColumn<QString>("name");
        QTest::newRow("landscape") << QSize(1280, 800) << "ftp-mode-landscape";
        QTest::newRow("portrait") << QSize(360, 640) << "ftp-mode-portrait";
    }
    void modeForm()
    {
        QFETCH(QSize, screen);
        QFETCH(QString, name);
        ScriptedUi ui;
        FormModel form;
        CFtpWnd::BuildModeForm(form, 7, 5, 5);
        FormDialog dialog(form, ui);
        dialog.FitInto(screen);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QCOMPARE(DoesNotFit(&dialog, screen), QString());
        // Each row says whose permissions it holds.
        QStringList captions;
        for (QLabel* label : dialog.findChildren<QLabel*>())
            if (label->isVisible())
                captions << label->text();
        for (const char* caption : {"所有者", "グループ", "ユーザ"})
            QVERIFY2(captions.contains(QString::fromUtf8(caption)), caption);
        // Ticking a box on the screen changes its row's digit.
        QList<QCheckBox*> boxes = dialog.findChildren<QCheckBox*>();
        QCOMPARE(boxes.size(), 9);
        boxes[5]->click();  // group: execute
        QCOMPARE(CFtpWnd::ModeDigitsText(form), QStringLiteral("745"));
        Save(dialog.grab().toImage(), name);
    }

    // A large download runs while the window keeps painting; Cancel ends it
    // at once, leaves no partial file and the connection goes on working.
    void cancelLargeDownload()
    {
        Session s;
        START_FTP_WINDOW(s, false);
        FtpWindowFixture& fx = s.fx;
        constexpr qint64 kSize = 200LL * 1024 * 1024;
        {
            QFile big(fx.ServerPath(QStringLiteral("big.bin")));
            QVERIFY(big.open(QIODevice::WriteOnly));
            QVERIFY(big.resize(kSize));
        }
        s.Runner().SetShowDelay(0);
        QVERIFY(fx.wnd->RefillServer(QStringLiteral("big.bin")));
        FtpWindow window(*fx.wnd, &s.parent);
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

        fx.wnd->Download({fx.wnd->FindServerRow(QStringLiteral("big.bin"))});
        const qint64 cancelMs = sinceCancel.isValid() ? sinceCancel.elapsed() : -1;
        repaint.stop();
        clicker.stop();

        QVERIFY2(cancelMs >= 0, "the transfer ended before Cancel could be pressed");
        qInfo("Cancel returned after %lld ms; %d paints before it", cancelMs, paintsBeforeCancel);
        // One second is the aim; the bound leaves room for a busy machine.
        QVERIFY2(cancelMs < 3000, qPrintable(QString::number(cancelMs)));
        QVERIFY(paintsBeforeCancel > 3);
        QCOMPARE(fx.ui.Texts(QStringLiteral("message")), QStringList{});
        QCOMPARE(QDir(fx.LocalPath(QString())).entryList(QDir::Files | QDir::Hidden), QStringList{});
        QVERIFY(fx.wnd->RefillServer());
        QVERIFY(fx.wnd->FindServerRow(QStringLiteral("big.bin")) >= 0);
    }
};
KELVO_TEST(TestFtpWindow, "FtpWindow");
#include "tst_FtpWindow.moc"
