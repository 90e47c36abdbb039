#include "TestRegistry.h"

#include "DesktopSession.h"
#include "FtpServers.h"

#include "core/app/CommandIds.h"
#include "core/app/ShellCommandIds.h"
#include "core/custom/CustomCommandIds.h"
#include "core/custom/VirtualKeys.h"
#include "core/ftp/FtpWindowCommands.h"
#include "core/tables/TableCommandIds.h"
#include "core/edit/EditBuffer.h"
#include "core/tags/TagCommandIds.h"

#include "GuiEditor.h"
#include "TestFiles.h"
#include "core/doc/CKelvoDoc.h"
#include "core/doc/RecoveryJournal.h"
#include "gui/FileChooser.h"
#include "gui/OtherWindows.h"
#include "gui/QuestionBox.h"
#include "platform/FileAccess.h"
#include "platform/FolderListing.h"

#include <QComboBox>
#include <QLineEdit>
#include <fcntl.h>
#include <unistd.h>

#include <QAction>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QProcessEnvironment>
#include <QUrl>
#include <QMenuBar>
#include <QMenu>
#include <QAbstractButton>
#include <QTreeWidget>
#include <QCheckBox>
#include <QDialog>
#include <QLabel>
#include <QRegularExpression>
#include <QScrollArea>
#include <QScrollBar>
#include <QDir>
#include <QScopeGuard>
#include <QWindow>

#include <csignal>

#include <QGuiApplication>
#include <QScreen>

namespace {

// Twenty numbered lines with a link on the fifth.
QString NumberedLines()
{
    QStringList lines;
    for (int i = 1; i <= 20; ++i)
        lines.append(i == 5 ? QStringLiteral("<A href=\"a.html\">five</A>")
                            : QStringLiteral("line %1").arg(i));
    return lines.join(QStringLiteral("\r\n"));
}

// What does not fit the screen in a dialog as the window manager shows it:
// the frame, every button outside a scrolled page, a page that scrolls
// sideways, and a caption the dialog has room for that still wraps.
QStringList Misfits(QWidget& dialog)
{
    QStringList problems;
    const QRect screen = dialog.screen()->geometry();
    // The window system's frame, as the window manager has put it around
    // the window (the widget's own idea of it can lag behind).
    const QRect frame = dialog.windowHandle()->frameGeometry();
    if (!screen.contains(frame))
        problems << QStringLiteral("frame %1,%2 %3x%4").arg(frame.x()).arg(frame.y()).arg(frame.width()).arg(frame.height());
    auto scrolled = [](const QWidget* w) {
        for (const QWidget* p = w->parentWidget(); p; p = p->parentWidget())
            if (qobject_cast<const QScrollArea*>(p))
                return true;
        return false;
    };
    for (QAbstractButton* b : dialog.findChildren<QAbstractButton*>())
        if (b->isVisible() && !scrolled(b)
            && !screen.contains(QRect(b->mapToGlobal(QPoint(0, 0)), b->size())))
            problems << QStringLiteral("button off the screen: ") + b->text();
    for (QScrollArea* area : dialog.findChildren<QScrollArea*>())
        if (area->isVisible() && area->horizontalScrollBar()->isVisible())
            problems << QStringLiteral("a page scrolls sideways");
    const int room = dialog.contentsRect().width() - 40;
    for (QLabel* label : dialog.findChildren<QLabel*>()) {
        if (!label->isVisible() || !label->wordWrap())
            continue;
        const QFontMetrics m(label->font());
        // Lines that all fit the label, shown on more lines than they are.
        const QStringList lines = label->text().split(u'\n');
        const bool allFit = std::all_of(lines.begin(), lines.end(), [&](const QString& line) {
            return m.horizontalAdvance(line) < std::min(room, label->width());
        });
        // Against the text's own height unwrapped: a line of Japanese in a
        // fallback font is taller than the label font's line spacing.
        const bool wrapped = label->heightForWidth(label->width()) > label->heightForWidth(QWIDGETSIZE_MAX);
        if (allFit && wrapped)
            problems << QStringLiteral("wraps: ") + label->text();
        // Qt alone breaks Japanese between any two characters ("区別をす|る").
        static const QRegularExpression kana(QStringLiteral("[\\x{3041}-\\x{309F}]"));
        if (wrapped && label->text().contains(kana) && !label->text().contains(QChar(0x2060)))
            problems << QStringLiteral("wraps inside a phrase: ") + label->text();
    }
    return problems;
}

const QString kEditor = QStringLiteral(KELVO_BUILD_DIR "/src/kelvopad");

// The window of that title once it is shown (xdotool waits for it), or
// empty.
QString XWindow(const QString& title)
{
    QProcess search;
    search.start(QStringLiteral("xdotool"), {QStringLiteral("search"), QStringLiteral("--sync"),
                                             QStringLiteral("--onlyvisible"), QStringLiteral("--name"),
                                             QStringLiteral("^%1$").arg(QRegularExpression::escape(title))});
    if (!search.waitForFinished(2 * StepScript::kGiveUpMs) || search.exitCode() != 0)
        return QString();
    return QString::fromLatin1(search.readAllStandardOutput()).split(u'\n').value(0).trimmed();
}

// Makes the window the active one, once the window manager has done so.
bool XActivate(const QString& window)
{
    return QProcess::execute(QStringLiteral("xdotool"), {QStringLiteral("windowactivate"), QStringLiteral("--sync"), window}) == 0;
}

// What xdotool tells of a window: "pid" or "geometry" (x y width height).
QList<int> XWindowFacts(const QString& window, const QString& what)
{
    QProcess tool;
    tool.start(QStringLiteral("xdotool"), what == u"pid" ? QStringList{QStringLiteral("getwindowpid"), window}
                                                         : QStringList{QStringLiteral("getwindowgeometry"),
                                                                       QStringLiteral("--shell"), window});
    tool.waitForFinished(StepScript::kGiveUpMs);
    QList<int> facts;
    for (const QString& line : QString::fromLatin1(tool.readAllStandardOutput()).split(u'\n'))
        if (!line.isEmpty() && !line.startsWith(QStringLiteral("SCREEN")) && !line.startsWith(QStringLiteral("WINDOW")))
            facts << line.section(u'=', -1).toInt();
    return facts;
}

// The program's own run with its settings and data in the folder.
QProcessEnvironment EditorEnvironment(const QTemporaryDir& home)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("KELVO_DATA_DIR"), home.filePath(QStringLiteral("data")));
    env.insert(QStringLiteral("KELVO_CONFIG_DIR"), home.filePath(QStringLiteral("config")));
    env.insert(QStringLiteral("XDG_DATA_HOME"), home.filePath(QStringLiteral("share")));
    return env;
}

// What does not fit the screen in a menu as it is shown: the menu itself,
// and a second column (Qt's way with a menu taller than the screen).
QStringList MenuMisfits(QMenu& menu)
{
    QStringList problems;
    const QRect screen = menu.screen()->geometry();
    if (!screen.contains(menu.geometry()))
        problems << QStringLiteral("menu %1 at %2,%3 %4x%5")
                        .arg(menu.title())
                        .arg(menu.x())
                        .arg(menu.y())
                        .arg(menu.width())
                        .arg(menu.height());
    std::optional<int> column;
    for (QAction* a : menu.actions()) {
        const QRect r = menu.actionGeometry(a);
        if (!a->isVisible() || r.isEmpty())
            continue;
        if (column && r.x() != *column)
            problems << QStringLiteral("menu %1 has a second column at %2").arg(menu.title(), a->text());
        column = r.x();
    }
    return problems;
}

// Waits for the script to end: true when it went through every step (a
// script that gave up says in Waiting() which state never came).
bool Played(const StepScript& script)
{
    return QTest::qWaitFor([&] { return script.Ended(); }, 2 * StepScript::kGiveUpMs) && script.Finished();
}

// The whole screen as the user sees it, saved as build/screenshots/x-WxH-name.png.
void SaveScreen(const QWidget& w, const QString& name)
{
    const QSize size = w.screen()->size();
    w.screen()->grabWindow(0).save(
        QStringLiteral("%1/x-%2x%3-%4.png").arg(ScreenshotFolder()).arg(size.width()).arg(size.height()).arg(name));
}

} // namespace

// The program under a real X server and window manager, used with the
// keyboard as a user does; run on a laptop's and two phones' screens.
class TestDesktopUse : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase()
    {
        // CI runs this only under run-under-x.sh: no X there is a fault.
        if (QGuiApplication::platformName() != QLatin1String("xcb")) {
            if (InCi())
                QFAIL("no X server with a window manager");
            QSKIP("needs an X server with a window manager (tests/support/run-under-x.sh)");
        }
    }

    // A dialog opened from the keyboard takes what is typed into its first
    // field, and Enter confirms it.
    void typingIntoDialog_data()
    {
        QTest::addColumn<QString>("opener");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("selected");  // the text selected afterwards
        QTest::addColumn<int>("line");          // or the line the caret is on

        QTest::newRow("find") << "ctrl+f" << "検索" << "href" << "href" << 4;
        QTest::newRow("go to line") << "ctrl+g" << "指定行へ移動" << "17" << QString() << 16;
    }
    void typingIntoDialog()
    {
        QFETCH(QString, opener);
        QFETCH(QString, title);
        QFETCH(QString, typed);
        QFETCH(QString, selected);
        QFETCH(int, line);

        DesktopSession s;
        QVERIFY(s.Start());
        s.Buffer().SetText(NumberedLines());
        s.Buffer().SetSel(0, 0);

        StepScript script;
        script.Add(title, [&] { return ActiveDialog(title) != nullptr; },
                   [&] { QVERIFY(XType(typed)); QVERIFY(XKeys({QStringLiteral("Return")})); });
        script.Add(QStringLiteral("the dialog to close"),
                   [] { return !QApplication::activeModalWidget(); }, [] {});
        script.Start();
        QVERIFY(XKeys({opener}));
        QVERIFY2(Played(script), qPrintable(script.Waiting()));

        int start = -1, end = -1;
        QTRY_VERIFY_WITH_TIMEOUT((s.Buffer().GetSel(start, end), start > 0), 60000);
        QCOMPARE(s.Buffer().LineFromChar(start), line);
        const QString text = s.Buffer().GetText();
        if (selected.isEmpty())
            QCOMPARE(start, s.Buffer().LineIndex(line));
        QCOMPARE(text.mid(start, end - start), selected);
    }

    // Every dialog fits its screen with the window manager's frame, and a
    // caption with room to spare stays on one line. The screenshots go to
    // build/screenshots/x-WxH-name.png.
    void dialogsFitTheScreen_data()
    {
        QTest::addColumn<int>("command");
        QTest::newRow("about") << cmd::AppAbout;
        QTest::newRow("open") << cmd::FileOpen;
        QTest::newRow("find") << cmd::EditFind;
        QTest::newRow("replace") << cmd::EditReplace;
        QTest::newRow("go to line") << cmd::GoToLine;
        QTest::newRow("keys") << cmd::KeyCustomize;
        QTest::newRow("settings") << cmd::GeneralSettings;
        QTest::newRow("font") << cmd::FontSettings;
        QTest::newRow("save as") << cmd::FileSaveAs;
        QTest::newRow("character code") << cmd::CharCode;
        QTest::newRow("print") << cmd::FilePrint;
        QTest::newRow("print preview") << cmd::FilePrintPreview;
        QTest::newRow("find in files") << cmd::FindInFiles;
        QTest::newRow("registered tools") << cmd::RegisteredToolEdit;
        QTest::newRow("templates") << cmd::HtmlTemplate;
        QTest::newRow("table wizard") << cmd::TableWizard;
        QTest::newRow("FTP connection") << cmd::FtpWindow;
        QTest::newRow("site migration") << cmd::SiteMigrate;
    }
    void dialogsFitTheScreen()
    {
        QFETCH(int, command);
        DesktopSession s;
        QVERIFY(s.Start());
        QStringList problems;
        StepScript script;
        // Placed: shown, in front, and framed by the window manager (until
        // then its frame is the bare window and its place Qt's guess).
        script.Add(QStringLiteral("a dialog the window manager has placed"),
                   [] {
                       QWidget* w = QApplication::activeModalWidget();
                       return w && w->isActiveWindow() && w->windowHandle()
                              && w->windowHandle()->isExposed()
                              && !w->windowHandle()->frameMargins().isNull();
                   },
                   [&] {
                       QWidget* w = QApplication::activeModalWidget();
                       problems = Misfits(*w);
                       const QSize size = w->screen()->size();
                       // Where there is room, a path shows whole.
                       for (QLineEdit* field : w->findChildren<QLineEdit*>())
                           if (size.width() >= 1280 && field->isVisible() && field->text().contains(u'/')
                               && field->width() < field->fontMetrics().averageCharWidth() * 40)
                               problems << QStringLiteral("a path field %1 px wide").arg(field->width());
                       // A page is read in the preview: it takes most of the screen.
                       if (qobject_cast<QPrintPreviewDialog*>(w) && w->height() < size.height() / 2)
                           problems << QStringLiteral("a preview %1 px high").arg(w->height());
                       // On a tall screen, at the width of the page.
                       if (auto* pages = w->findChild<QPrintPreviewWidget*>();
                           pages && size.width() < size.height() && pages->zoomMode() != QPrintPreviewWidget::FitToWidth)
                           problems << QStringLiteral("a preview at %1 %").arg(pages->zoomFactor() * 100);
                       SaveScreen(*w, QString::fromLatin1(QTest::currentDataTag()).replace(u' ', u'-'));
                       qobject_cast<QDialog*>(w)->reject();
                   });
        script.Start();
        QTimer::singleShot(0, &s.Frame(), [&] { s.App().Commands().Run(command); });
        QVERIFY2(Played(script), qPrintable(script.Waiting()));
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join(u'\n')));
    }

    // The main window and every menu of its layout, opened as a user opens
    // them, lie on the screen, each menu in one column, also with the
    // larger font some users choose.
    void menusFitTheScreen()
    {
        const QFont font = QApplication::font();
        QFont larger = font;
        larger.setPointSizeF(font.pointSizeF() * 1.5);
        QApplication::setFont(larger);
        const auto restore = qScopeGuard([&] { QApplication::setFont(font); });
        DesktopSession s;
        QVERIFY(s.Start());
        QTRY_VERIFY(!s.Frame().windowHandle()->frameMargins().isNull());
        QStringList problems;
        const QRect frame = s.Frame().windowHandle()->frameGeometry();
        if (!s.Frame().screen()->geometry().contains(frame))
            problems << QStringLiteral("main window %1,%2 %3x%4").arg(frame.x()).arg(frame.y()).arg(frame.width()).arg(frame.height());
        std::function<void(QMenu*)> walk = [&](QMenu* menu) {
            QTRY_VERIFY(menu->isVisible() && menu->windowHandle()->isExposed());
            problems << MenuMisfits(*menu);
            // The tall ones, to be looked at.
            if (menu->height() > menu->screen()->size().height() / 2)
                SaveScreen(*menu, QStringLiteral("menu-") + QtUi::WithoutMnemonic(menu->title()));
            for (QAction* a : menu->actions()) {
                if (!a->menu() || !a->isVisible())
                    continue;
                menu->setActiveAction(a);
                QTest::keyClick(menu, Qt::Key_Right);
                walk(a->menu());
                QTest::keyClick(a->menu(), Qt::Key_Escape);
                QTRY_VERIFY(!a->menu()->isVisible());
            }
        };
        for (QAction* top : s.Frame().menuBar()->actions()) {
            s.Frame().menuBar()->setActiveAction(top);
            walk(top->menu());
            top->menu()->close();
            QTRY_VERIFY(!top->menu()->isVisible());
        }
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join(u'\n')));
    }

    // Files named on the command line: each opens in a window of its own
    // with the caret on the line asked for, and each is on the desktop's
    // list of recent files once saved.
    void severalFilesOnTheCommandLine()
    {
        QTemporaryDir home;
        const QString a = home.filePath(QStringLiteral("a.htm"));
        const QString b = home.filePath(QStringLiteral("b c.htm"));
        QVERIFY(WriteBytes(a, "1\r\n2\r\n3\r\n"));
        QVERIFY(WriteBytes(b, "1\r\n2\r\n3\r\n"));
        QProcess editor;
        editor.setProcessEnvironment(EditorEnvironment(home));
        editor.start(kEditor, {QStringLiteral("+2"), a, b});
        QVERIFY(editor.waitForStarted());
        QList<qint64> started{editor.processId()};
        const auto stop = qScopeGuard([&] {
            for (qint64 pid : started)
                ::kill(pid_t(pid), SIGTERM);
            editor.waitForFinished();
        });
        // Both shown before either is typed into: a window that comes up
        // takes the focus.
        QStringList windows;
        for (const QString& title : {QStringLiteral("a - Kelvopad"), QStringLiteral("b c - Kelvopad")}) {
            windows << XWindow(title);
            QVERIFY2(!windows.last().isEmpty(), qPrintable(title));
            const qint64 pid = XWindowFacts(windows.last(), QStringLiteral("pid")).value(0);
            if (!started.contains(pid))
                started << pid;
        }
        for (const QString& window : windows) {
            QVERIFY(XActivate(window));
            QVERIFY(XType(QStringLiteral("X")));
            QVERIFY(XKeys({QStringLiteral("ctrl+s")}));
        }
        QCOMPARE(started.size(), 2);
        QTRY_COMPARE_WITH_TIMEOUT(ReadBytes(a), QByteArray("1\r\nX2\r\n3\r\n"), 2 * StepScript::kGiveUpMs);
        QTRY_COMPARE_WITH_TIMEOUT(ReadBytes(b), QByteArray("1\r\nX2\r\n3\r\n"), 2 * StepScript::kGiveUpMs);
        const QByteArray recent = ReadBytes(home.filePath(QStringLiteral("share/recently-used.xbel")));
        QVERIFY2(recent.contains("href=\"file://" + QUrl::toPercentEncoding(a, "/") + '"')
                     && recent.contains("href=\"file://" + QUrl::toPercentEncoding(b, "/") + '"'),
                 recent.constData());
    }

    // Files dropped together: the first opens here, each other one in a
    // window of its own.
    void severalFilesDropped()
    {
        DesktopSession s;
        QVERIFY(s.Start());
        SetEditorProgram(kEditor);
        const auto ownProgram = qScopeGuard([] { SetEditorProgram(QString()); });
        QVERIFY(WriteBytes(s.Path(QStringLiteral("first.htm")), "1"));
        QVERIFY(WriteBytes(s.Path(QStringLiteral("second.htm")), "2"));
        s.Frame().OpenDroppedFiles({s.Path(QStringLiteral("first.htm")), s.Path(QStringLiteral("second.htm"))});
        QCOMPARE(s.Buffer().GetText(), QStringLiteral("1"));
        const QString other = XWindow(QStringLiteral("second - Kelvopad"));
        QVERIFY(!other.isEmpty());
        const qint64 pid = XWindowFacts(other, QStringLiteral("pid")).value(0);
        QVERIFY(pid > 0 && pid != QCoreApplication::applicationPid());
        QCOMPARE(::kill(pid_t(pid), SIGTERM), 0);
    }

    // Printing to a file proposes the page's name in the page's folder,
    // whose name need not be UTF-8, and saves the PDF there as a document
    // is saved: an existing file is replaced only after a Yes.
    void printToFileInThePagesFolder_data()
    {
        QTest::addColumn<QByteArray>("folder");
        QTest::addColumn<QString>("answer");  // to the question about an existing file
        QTest::addColumn<bool>("replaced");
        QTest::newRow("plain folder") << QByteArray("site") << QString() << true;
        QTest::newRow("CP932 folder") << QByteArray("\x93\xfa\x96\x7b") << QString() << true;
        QTest::newRow("existing file, No") << QByteArray("\x95\x5c") << QStringLiteral("Return") << false;
        QTest::newRow("existing file, Yes") << QByteArray("\x95\x5c") << QStringLiteral("y") << true;
    }
    void printToFileInThePagesFolder()
    {
        QFETCH(QByteArray, folder);
        QFETCH(QString, answer);
        QFETCH(bool, replaced);
        DesktopSession s;
        QVERIFY(s.Start());
        const QString site = platform::DecodePath(platform::EncodePath(s.Path(QStringLiteral("x")).chopped(1)) + folder);
        QVERIFY(platform::MakeFolders(site));
        const QString pdf = site + QStringLiteral("/page.pdf");
        QVERIFY(platform::WriteFileSafely(site + QStringLiteral("/page.htm"), "<P>") == platform::FileError::None);
        if (!answer.isEmpty())
            QVERIFY(platform::WriteFileSafely(pdf, "old") == platform::FileError::None);
        QVERIFY(s.App().OpenDocumentFile(site + QStringLiteral("/page.htm")));
        QString proposed;
        StepScript script;
        auto printDialog = [] { return qobject_cast<QDialog*>(ActiveDialog(QStringLiteral("印刷"))); };
        script.Add(QStringLiteral("the print dialog"), [&] { return printDialog() != nullptr; },
                   [&] {
                       proposed = printDialog()->findChild<QLineEdit*>(QStringLiteral("filename"))->text();
                       auto* printers = printDialog()->findChild<QComboBox*>(QStringLiteral("printers"));
                       printers->setCurrentIndex(printers->count() - 1);
                       QVERIFY(XKeys({QStringLiteral("Return")}));
                   });
        if (!answer.isEmpty())
            script.Add(QStringLiteral("the question"),
                       [] {
                           auto* box = qobject_cast<QuestionBox*>(QApplication::activeModalWidget());
                           return box && box->isActiveWindow();
                       },
                       [&] { QVERIFY(XKeys({answer})); });
        if (!replaced)
            script.Add(QStringLiteral("the print dialog again"), [&] { return printDialog() && printDialog()->isActiveWindow(); },
                       [&] { QVERIFY(XKeys({QStringLiteral("Escape")})); });
        script.Add(QStringLiteral("the dialog to close"), [] { return !QApplication::activeModalWidget(); }, [] {});
        script.Start();
        QTimer::singleShot(0, &s.Frame(), [&] { s.App().Commands().Run(cmd::FilePrint); });
        QVERIFY2(Played(script), qPrintable(script.Waiting()));
        QCOMPARE(proposed, platform::DisplayPath(pdf));
        QTRY_VERIFY_WITH_TIMEOUT(platform::ReadRegularFile(pdf, 1 << 20).bytes.startsWith(replaced ? "%PDF" : "old"), 2 * StepScript::kGiveUpMs);
        QCOMPARE(platform::ListFolder(site).size(), size_t(2));  // the page and its PDF, nothing beside them
    }

    // A question longer than the screen: its buttons stay on the screen,
    // Page Down brings the last line into view, Enter presses the preferred
    // button and Escape gives the escape answer.
    void longQuestionStaysReadable_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<int>("answer");
        QTest::newRow("Enter") << "Return" << int(Ui::Answer::No);
        QTest::newRow("Escape") << "Escape" << int(Ui::Answer::Cancel);
        QTest::newRow("a button's letter") << "o" << int(Ui::Answer::Yes);
    }
    void longQuestionStaysReadable()
    {
        QFETCH(QString, key);
        QFETCH(int, answer);
        DesktopSession s;
        QVERIFY(s.Start());
        QString fingerprint = QStringLiteral("SHA256:");
        for (int i = 0; i < 32; ++i)
            fingerprint += QStringLiteral("%1:").arg((i * 37 + 11) % 256, 2, 16, QChar(u'0')).toUpper();
        fingerprint.chop(1);
        Ui::Question q;
        q.icon = Ui::Icon::Warning;
        q.text = QStringLiteral("サーバの証明書を確認できません。確かにそのサーバと分かっているときだけ信頼してください。\n"
                                "発行先：www.example.test\n発行者：Example Test Authority\n指紋：%1\n"
                                "理由：証明書の発行者を信頼できません。証明書の名前がホスト名と一致しません。\n"
                                "最後の行です。")
                     .arg(fingerprint);
        q.buttons = {{Ui::Answer::Yes, QStringLiteral("今回だけ信頼(&O)")},
                     {Ui::Answer::No, QStringLiteral("常に信頼(&A)")},
                     {Ui::Answer::Cancel, QStringLiteral("キャンセル")}};
        q.preferred = Ui::Answer::No;
        QStringList problems;
        QuestionBox* box = nullptr;
        StepScript script;
        script.Add(QStringLiteral("the question placed"),
                   [&] {
                       box = qobject_cast<QuestionBox*>(QApplication::activeModalWidget());
                       return box && box->isActiveWindow() && box->windowHandle()->isExposed()
                              && !box->windowHandle()->frameMargins().isNull();
                   },
                   [&] {
                       problems = Misfits(*box);
                       QVERIFY(XKeys({QStringLiteral("Next"), QStringLiteral("Next"), QStringLiteral("Next"),
                                      QStringLiteral("Next"), QStringLiteral("Next")}));
                   });
        script.Add(QStringLiteral("the last line in view"),
                   [&] {
                       const QScrollBar* bar = box->TextArea()->verticalScrollBar();
                       const QLabel* label = box->TextLabel();
                       const QWidget* view = box->TextArea()->viewport();
                       // The fingerprint's longest piece fits the line too.
                       return bar->value() == bar->maximum()
                              && label->minimumSizeHint().width() <= view->width()
                              && label->height() >= label->heightForWidth(label->width())
                              && label->mapTo(view, QPoint(0, label->height())).y() <= view->height();
                   },
                   [&] {
                       SaveScreen(*box, QStringLiteral("long-question"));
                       QVERIFY(XKeys({key}));
                   });
        script.Start();
        std::optional<Ui::Answer> given;
        QTimer::singleShot(0, &s.Frame(), [&] { given = s.App().GetUi().Ask(q); });
        QTRY_VERIFY_WITH_TIMEOUT(script.Ended() && given, 2 * StepScript::kGiveUpMs);
        QVERIFY2(script.Finished(), qPrintable(script.Waiting()));
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join(u'\n')));
        QCOMPARE(int(*given), answer);
    }

    // A page whose name is CP932 bytes (from a Windows archive) is listed by
    // its Japanese name and opened from the keyboard: the focus starts in
    // the name field, the arrows pick the entry, Enter opens it.
    void openNameThatIsNotUtf8()
    {
        QTemporaryDir dir;
        const QByteArray native = QFile::encodeName(dir.path()) + "/\x95\x5c\x8e\xa6.html";  // 表示.html
        QVERIFY(WriteBytes(dir.filePath(QStringLiteral("a.html")), "a"));
        {
            QFile f;
            const int fd = ::open(native.constData(), O_WRONLY | O_CREAT, 0644);
            QVERIFY(fd >= 0);
            QVERIFY(f.open(fd, QIODevice::WriteOnly, QFileDevice::AutoCloseHandle));
            QCOMPARE(f.write("<P>\x95\x5c\x8e\xa6</P>"), qint64(11));
        }
        auto removeIt = qScopeGuard([&] { ::unlink(native.constData()); });
        DesktopSession s;
        QVERIFY(s.Start());
        s.App().WriteProfileString(QStringLiteral("System"), QStringLiteral("InitDir"), dir.path());
        bool nameFieldFocused = false;
        QString listed;
        StepScript script;
        script.Add(QStringLiteral("the open chooser"),
                   [] { return ActiveDialog(QStringLiteral("開く")) != nullptr; },
                   [&] {
                       auto* chooser = qobject_cast<FileChooser*>(ActiveDialog(QStringLiteral("開く")));
                       nameFieldFocused = chooser->NameField()->hasFocus();
                       for (const FileChooserModel::Entry& e : chooser->Model().Visible())
                           listed += e.shown + u' ';
                       QVERIFY(XKeys({QStringLiteral("Down"), QStringLiteral("Down"), QStringLiteral("Return")}));
                   });
        script.Add(QStringLiteral("the page loaded"),
                   [&] { return s.Buffer().GetText() == QStringLiteral("<P>表示</P>"); }, [] {});
        script.Start();
        QVERIFY(XKeys({QStringLiteral("ctrl+o")}));
        QVERIFY2(Played(script), qPrintable(script.Waiting() + u' ' + listed));
        QVERIFY(nameFieldFocused);
        QCOMPARE(platform::EncodePath(s.App().Doc().GetPathName()), native);
    }

    // Another program writes the open file: the watcher notices (a name
    // that is not UTF-8, which the watcher cannot name, is looked at on a
    // timer), the program asks once also for a save in two steps, and
    // Enter reads the file again.
    void fileChangedBehindTheEditor_data()
    {
        QTest::addColumn<QByteArray>("name");
        QTest::addColumn<bool>("inTwoSteps");  // emptied, then written
        QTest::newRow("written at once") << QByteArray("page.html") << false;
        QTest::newRow("emptied, then written") << QByteArray("page.html") << true;
        QTest::newRow("a CP932 name") << QByteArray("\x83\x79\x81\x5b\x83\x57.html") << false;
    }
    void fileChangedBehindTheEditor()
    {
        QFETCH(QByteArray, name);
        QFETCH(bool, inTwoSteps);
        DesktopSession s;
        QVERIFY(s.Start());
        const QString path = platform::DecodePath(platform::EncodePath(s.Path(QStringLiteral("x")).chopped(1)) + name);
        auto write = [&](const QByteArray& bytes) {
            const int fd = ::open(platform::EncodePath(path).constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
            const bool written = fd >= 0 && ::write(fd, bytes.constData(), size_t(bytes.size())) == bytes.size();
            return ::close(fd) == 0 && written;
        };
        QVERIFY(write("mine"));
        QVERIFY(s.App().OpenDocumentFile(path));
        QStringList asked;
        StepScript script;
        script.Add(QStringLiteral("the question"),
                   [] {
                       auto* box = qobject_cast<QuestionBox*>(QApplication::activeModalWidget());
                       return box && box->isActiveWindow();
                   },
                   [&] {
                       auto* box = qobject_cast<QuestionBox*>(QApplication::activeModalWidget());
                       asked.append(box->TextLabel()->text().remove(QChar(0x2060)));
                       QVERIFY(XKeys({QStringLiteral("Return")}));
                   });
        script.Add(QStringLiteral("the file read again"),
                   [&] { return s.Buffer().GetText() == QStringLiteral("theirs!"); }, [] {});
        script.Start();
        if (inTwoSteps)
            QVERIFY(write(""));
        QVERIFY(write("theirs!"));
        QVERIFY2(Played(script), qPrintable(script.Waiting()));
        QCOMPARE(asked, QStringList{QStringLiteral("「%1」は、ほかのプログラムによって変更されました。\n読み込み直しますか？")
                                        .arg(platform::DisplayPath(platform::DecodePath(name)))});
        QVERIFY(!s.App().Doc().IsModified());
    }

    // Moving a site to UTF-8 from the keyboard: the options, the plan
    // (pictured, fitting the screen), Escape leaves every file alone.
    void siteMigrationPlan()
    {
        DesktopSession s;
        QVERIFY(s.Start());
        const QString root = s.Path(QStringLiteral("site"));
        QVERIFY(QDir().mkpath(root + QStringLiteral("/css")));
        const QByteArray page = Iconv("UTF-8", "CP932",
                                      "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=Shift_JIS\">\n"
                                      "<link rel=\"stylesheet\" href=\"css/site.css\" charset=\"Shift_JIS\">\n日本語\n");
        QVERIFY(WriteBytes(root + QStringLiteral("/index.html"), page));
        QVERIFY(WriteBytes(root + QStringLiteral("/css/site.css"), Iconv("UTF-8", "CP932", "@charset \"Shift_JIS\";\nh1:before{content:\"見出し\"}\n")));
        QVERIFY(WriteBytes(root + QStringLiteral("/old.html"), Iconv("UTF-8", "CP932", "<meta charset=\"EUC-JP\">\n日本語\n")));
        QVERIFY(WriteBytes(root + QStringLiteral("/.htaccess"), "AddDefaultCharset Shift_JIS\n"));
        QStringList problems;
        QStringList rows;
        StepScript script;
        script.Add(QStringLiteral("the options"), [] { return ActiveDialog(QStringLiteral("サイトの文字コード変換")) != nullptr; },
                   [&] {
                       QVERIFY(XType(root));
                       QVERIFY(XKeys({QStringLiteral("Return")}));
                   });
        script.Add(QStringLiteral("the plan, placed"),
                   [] {
                       QWidget* w = ActiveDialog(QStringLiteral("サイトの文字コード変換"));
                       return w && w->findChild<QTreeWidget*>() && w->windowHandle()
                              && !w->windowHandle()->frameMargins().isNull();
                   },
                   [&] {
                       QWidget* w = QApplication::activeModalWidget();
                       problems = Misfits(*w);
                       // From a phone's width on, the whole plan shows without scrolling.
                       if (w->screen()->size().width() >= 360)
                           for (QAbstractButton* b : w->findChildren<QAbstractButton*>())
                               if (!b->isVisible() || b->visibleRegion().isEmpty())
                                   problems << QStringLiteral("button hidden: ") + b->text();
                       const auto* tree = w->findChild<QTreeWidget*>();
                       for (int i = 0; i < tree->topLevelItemCount(); ++i)
                           rows << tree->topLevelItem(i)->text(0) + u' ' + tree->topLevelItem(i)->text(1);
                       SaveScreen(*w, QStringLiteral("migration-plan"));
                       QVERIFY(XKeys({QStringLiteral("Escape")}));
                   });
        script.Add(QStringLiteral("the dialog to close"), [] { return !QApplication::activeModalWidget(); }, [] {});
        script.Start();
        QTimer::singleShot(0, &s.Frame(), [&] { s.App().Commands().Run(cmd::SiteMigrate); });
        QVERIFY2(Played(script), qPrintable(script.Waiting()));
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join(u'\n')));
        QCOMPARE(rows, (QStringList{"skip .htaccess", "convert index.html", "declare index.html", "declare index.html",
                                    "skip old.html", "convert css/site.css", "declare css/site.css"}));
        QCOMPARE(ReadBytes(root + QStringLiteral("/index.html")), page);
    }

    // Saved in another code than the page declares: the question, Enter
    // rewrites the declaration in the same step, one undo takes it back.
    void saveInAnotherCode()
    {
        DesktopSession s;
        QVERIFY(s.Start());
        const QString path = s.Path(QStringLiteral("page.html"));
        QVERIFY(WriteBytes(path, "<head><meta charset=\"UTF-8\"></head>\n日本語\n"));
        QVERIFY(s.App().OpenDocumentFile(path));
        const QString loaded = s.Buffer().GetText();
        s.App().Doc().SetCodeKind(CodeKind::ShiftJis);
        QString asked;
        StepScript script;
        script.Add(QStringLiteral("the question"),
                   [] {
                       auto* box = qobject_cast<QuestionBox*>(QApplication::activeModalWidget());
                       // Placed by the window manager, so that its frame counts.
                       return box && box->isActiveWindow() && box->windowHandle()
                              && !box->windowHandle()->frameMargins().isNull();
                   },
                   [&] {
                       auto* box = qobject_cast<QuestionBox*>(QApplication::activeModalWidget());
                       asked = box->TextLabel()->text().remove(QChar(0x2060));
                       SaveScreen(*box, QStringLiteral("declaration"));
                       QVERIFY(Misfits(*box).isEmpty());
                       QVERIFY(XKeys({QStringLiteral("Return")}));
                   });
        script.Add(QStringLiteral("the page saved"), [&] { return !s.App().Doc().IsModified(); }, [] {});
        script.Start();
        QVERIFY(XKeys({QStringLiteral("ctrl+s")}));
        QVERIFY2(Played(script), qPrintable(script.Waiting()));
        QVERIFY(asked.startsWith(QStringLiteral("このページの文字コードの宣言が、保存する シフトJIS と違います。")));
        QCOMPARE(ReadBytes(path), Iconv("UTF-8", "CP932", "<head><meta charset=\"Shift_JIS\"></head>\n日本語\n"));
        QVERIFY(XKeys({QStringLiteral("ctrl+z")}));
        QTRY_COMPARE_WITH_TIMEOUT(s.Buffer().GetText(), loaded, 60000);
    }

    // The program killed while a change is unsaved: the next start offers
    // the text back, into its file while the file is as it was loaded,
    // else as a new document. A running program's journal is never offered.
    void recoveryAfterKill_data()
    {
        QTest::addColumn<bool>("changedMeanwhile");
        QTest::addColumn<bool>("restarted");  // the program itself asks, over its window
        QTest::newRow("file as loaded") << false << false;
        QTest::newRow("file changed meanwhile") << true << false;
        QTest::newRow("the program started again") << false << true;
    }
    void recoveryAfterKill()
    {
        QFETCH(bool, changedMeanwhile);
        QFETCH(bool, restarted);
        QTemporaryDir home;
        const QString page = home.filePath(QStringLiteral("page.html"));
        QVERIFY(WriteBytes(page, "mine"));
        const QProcessEnvironment env = EditorEnvironment(home);
        const QByteArray oldData = qgetenv("KELVO_DATA_DIR");
        qputenv("KELVO_DATA_DIR", QFile::encodeName(home.filePath(QStringLiteral("data"))));
        auto restore = qScopeGuard([&] { qputenv("KELVO_DATA_DIR", oldData); });

        QProcess editor;
        editor.setProcessEnvironment(env);
        editor.start(QStringLiteral(KELVO_BUILD_DIR "/src/kelvopad"), {page});
        QVERIFY(editor.waitForStarted());
        QCOMPARE(QProcess::execute(QStringLiteral("xdotool"),
                                   {QStringLiteral("search"), QStringLiteral("--sync"), QStringLiteral("--pid"),
                                    QString::number(editor.processId()), QStringLiteral("--name"),
                                    QStringLiteral("page - Kelvopad"), QStringLiteral("windowactivate"),
                                    QStringLiteral("--sync")}),
                 0);
        // Typing on and on, a minute, twenty times as long as the journal
        // waits (timers lag on a loaded machine): the text is journaled
        // while the typing goes on, and the typing ends there.
        QProcess typist;
        typist.start(QStringLiteral("xdotool"), {QStringLiteral("type"), QStringLiteral("--clearmodifiers"),
                                                 QStringLiteral("--delay"), QStringLiteral("150"), QString(400, u'x')});
        QString journaledText;
        auto journaled = [&] {
            const QStringList files = QDir(RecoveryJournal::Folder()).entryList({QStringLiteral("*.journal")});
            const std::optional<JournalEntry> entry =
                files.size() == 1 ? RecoveryJournal::Read(RecoveryJournal::Folder() + files[0]) : std::nullopt;
            if (!entry || !entry->text.startsWith(u'x') || !entry->text.endsWith(QStringLiteral("mine")))
                return false;
            journaledText = entry->text;
            return true;
        };
        QTRY_VERIFY_WITH_TIMEOUT(journaled() || typist.state() == QProcess::NotRunning, 2 * StepScript::kGiveUpMs);
        QVERIFY2(typist.state() == QProcess::Running, "no journal before the typing stopped");
        typist.kill();
        typist.waitForFinished();
        QVERIFY(RecoveryJournal::Orphans().isEmpty());
        QCOMPARE(::kill(pid_t(editor.processId()), SIGKILL), 0);
        QVERIFY(editor.waitForFinished());
        QVERIFY(journaled());  // the last one written
        if (changedMeanwhile)
            QVERIFY(WriteBytes(page, "theirs"));

        if (restarted) {
            editor.start(kEditor, {});
            QVERIFY(editor.waitForStarted());
            const auto stop = qScopeGuard([&] {
                editor.kill();
                editor.waitForFinished();
            });
            const QString question = XWindow(QStringLiteral("編集の復元"));
            const QList<int> box = XWindowFacts(question, QStringLiteral("geometry"));
            const QList<int> main = XWindowFacts(XWindow(QStringLiteral("無題 - Kelvopad")), QStringLiteral("geometry"));
            QCOMPARE(box.size(), 4);
            QCOMPARE(main.size(), 4);
            // Centred over the window, not over where Qt guessed it would be.
            const QPoint offset = QRect(box[0], box[1], box[2], box[3]).center() - QRect(main[0], main[1], main[2], main[3]).center();
            QVERIFY2(std::abs(offset.x()) <= main[2] / 4 && std::abs(offset.y()) <= main[3] / 4,
                     qPrintable(QStringLiteral("%1,%2 off the window's centre").arg(offset.x()).arg(offset.y())));
            // Its letter restores the text into its file's document.
            QVERIFY(XActivate(question));
            QVERIFY(XKeys({QStringLiteral("r")}));
            const QString restored = XWindow(QStringLiteral("*page - Kelvopad"));
            QVERIFY(!restored.isEmpty());
            QVERIFY(XActivate(restored));
            QVERIFY(XKeys({QStringLiteral("ctrl+s")}));
            QTRY_COMPARE_WITH_TIMEOUT(ReadBytes(page), journaledText.toUtf8(), 2 * StepScript::kGiveUpMs);
            return;
        }
        {
            TestEditor next;
            next.Ui().QueueAnswer(Ui::Answer::Yes);
            QVERIFY(next.Doc().OfferRecovery());
            QCOMPARE(next.Text(), journaledText);
            QVERIFY(next.Doc().IsModified());
            QCOMPARE(next.Doc().GetPathName(), changedMeanwhile ? QString() : page);
            QCOMPARE(next.Ui().Texts("message").size(), changedMeanwhile ? 1 : 0);
            QVERIFY(next.Ui().Texts("question").value(0).contains(page));
        }
        QCOMPARE(ReadBytes(page), changedMeanwhile ? QByteArray("theirs") : QByteArray("mine"));
        QVERIFY(QDir(RecoveryJournal::Folder()).entryList({QStringLiteral("*.journal")}).isEmpty());
    }

    // A key the user gave a command runs it, whatever the program's own use
    // of the key and with Shift on the digit row (where the key event
    // carries the shifted symbol); the menus name the user's key.
    void userKeys_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<bool>("shift");
        QTest::addColumn<bool>("ctrl");
        QTest::addColumn<QString>("pressed");  // as xdotool names it
        QTest::addColumn<int>("programs");    // the command the program gives the key
        QTest::addColumn<QString>("layout");  // the keyboard's, when not the server's own

        QTest::newRow("Shift+3") << int('3') << true << false << "shift+3" << 0 << "";
        QTest::newRow("Ctrl+Shift+1") << int('1') << true << true << "ctrl+shift+1" << 0 << "";
        QTest::newRow("Ctrl+Shift+0") << int('0') << true << true << "ctrl+shift+0" << 0 << "";
        QTest::newRow("Ctrl+F, the find key") << int('F') << false << true << "ctrl+f"
                                             << cmd::EditFind << "";
        QTest::newRow("F3, the find-next key") << int(vk::F3) << false << false << "F3"
                                              << cmd::EditRepeat << "";
        QTest::newRow("Ctrl+Z while there is an edit to undo")
            << int('Z') << false << true << "ctrl+z" << cmd::EditUndo << "";
        // The key table's "@" is the key that makes it: its own key on a
        // Japanese keyboard, Shift+2 on a US one.
        QTest::newRow("Ctrl+@, Japanese keyboard") << int(vk::At) << false << true << "ctrl+at" << 0 << "jp";
        QTest::newRow("Ctrl+@, US keyboard") << int(vk::At) << false << true << "ctrl+at" << 0 << "us";
        QTest::newRow("Ctrl+- of the main keys") << int(vk::Subtract) << false << true << "ctrl+minus" << 0 << "us";
    }
    void userKeys()
    {
        QFETCH(int, code);
        QFETCH(bool, shift);
        QFETCH(bool, ctrl);
        QFETCH(QString, pressed);
        QFETCH(int, programs);
        QFETCH(QString, layout);
        if (!layout.isEmpty())
            QCOMPARE(QProcess::execute(QStringLiteral("setxkbmap"), {layout}), 0);
        const auto usLayout = qScopeGuard([&] {
            if (!layout.isEmpty())
                QProcess::execute(QStringLiteral("setxkbmap"), {QStringLiteral("us")});
        });

        DesktopSession s;
        QVERIFY(s.Start());
        s.App().KeyTable().Assign({code, false, shift, ctrl}, cmd::tag::LineBreak);
        s.App().KeyTable().ShowInMenus(s.App().MenuKeys());
        s.Buffer().SetText(QStringLiteral("find find"));
        s.Buffer().SetSel(0, 0);
        s.App().View().SetSearchText(QStringLiteral("find"));
        s.Buffer().ReplaceSel(QStringLiteral("x"));  // something to undo

        QString dialog;
        StepScript script;
        script.Add(QStringLiteral("the key's command"),
                   [&] {
                       return s.Buffer().GetText().contains(QStringLiteral("<BR>"))
                              || QApplication::activeModalWidget();
                   },
                   [&] {
                       if (auto* d = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
                           dialog = d->windowTitle();
                           d->reject();
                       }
                   });
        script.Start();
        QVERIFY(XKeys({pressed}));
        QVERIFY2(Played(script), qPrintable(script.Waiting()));
        QCOMPARE(dialog, QString());
        QCOMPARE(s.Buffer().GetText(), QStringLiteral("x<BR>\r\nfind find"));

        const QString name = CKeycustTable::DisplayName(CKeycustTable::Key{code, false, shift, ctrl});
        for (QMenu* menu : s.Frame().Menus())
            s.Frame().PrepareMenu(menu);
        for (QAction* a : s.Frame().ActionsFor(cmd::tag::LineBreak))
            QVERIFY2(a->text().endsWith(u'\t' + name), qPrintable(a->text()));
        for (QAction* a : s.Frame().ActionsFor(programs))
            QVERIFY2(!a->shortcuts().contains(QKeySequence(pressed, QKeySequence::PortableText)),
                     qPrintable(a->shortcut().toString()));
    }
};

KELVO_TEST(TestDesktopUse, "DesktopUse");
#include "tst_DesktopUse.moc"
