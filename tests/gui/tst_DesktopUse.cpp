#include "TestRegistry.h"

#include "DesktopSession.h"

#include "core/app/CommandIds.h"
#include "core/app/ShellCommandIds.h"
#include "core/custom/CustomCommandIds.h"
#include "core/custom/VirtualKeys.h"
#include "core/edit/EditBuffer.h"
#include "core/tags/TagCommandIds.h"

#include "GuiEditor.h"

#include <QAction>
#include <QAbstractButton>
#include <QCheckBox>
#include <QDialog>
#include <QLabel>
#include <QRegularExpression>
#include <QScrollArea>
#include <QScrollBar>
#include <QWindow>

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
    if (!screen.contains(dialog.frameGeometry()))
        problems << QStringLiteral("frame %1,%2 %3x%4")
                        .arg(dialog.frameGeometry().x())
                        .arg(dialog.frameGeometry().y())
                        .arg(dialog.frameGeometry().width())
                        .arg(dialog.frameGeometry().height());
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
        const bool wrapped = label->heightForWidth(label->width()) >= (lines.size() + 1) * m.lineSpacing();
        if (allFit && wrapped)
            problems << QStringLiteral("wraps: ") + label->text();
        // Qt alone breaks Japanese between any two characters ("区別をす|る").
        static const QRegularExpression kana(QStringLiteral("[\\x{3041}-\\x{309F}]"));
        if (wrapped && label->text().contains(kana) && !label->text().contains(QChar(0x2060)))
            problems << QStringLiteral("wraps inside a phrase: ") + label->text();
    }
    return problems;
}

} // namespace

// The program under a real X server and window manager, used with the
// keyboard as a user does; run on a laptop's and two phones' screens.
class TestDesktopUse : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase()
    {
        if (QGuiApplication::platformName() != QLatin1String("xcb"))
            QSKIP("needs an X server with a window manager (tests/support/run-under-x.sh)");
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
        QTRY_VERIFY_WITH_TIMEOUT(script.Ended(), 2 * StepScript::kGiveUpMs);
        QVERIFY2(script.Finished(), qPrintable(script.Waiting()));

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
        QTest::newRow("find") << cmd::EditFind;
        QTest::newRow("replace") << cmd::EditReplace;
        QTest::newRow("go to line") << cmd::GoToLine;
        QTest::newRow("keys") << cmd::KeyCustomize;
        QTest::newRow("settings") << cmd::GeneralSettings;
        QTest::newRow("font") << cmd::FontSettings;
    }
    void dialogsFitTheScreen()
    {
        QFETCH(int, command);
        DesktopSession s;
        QVERIFY(s.Start());
        QStringList problems;
        StepScript script;
        script.Add(QStringLiteral("a dialog"),
                   [] {
                       QWidget* w = QApplication::activeModalWidget();
                       return w && w->isActiveWindow() && w->windowHandle()
                              && w->windowHandle()->isExposed();
                   },
                   [&] {
                       QWidget* w = QApplication::activeModalWidget();
                       problems = Misfits(*w);
                       const QSize size = w->screen()->size();
                       w->screen()->grabWindow(0).save(
                           QStringLiteral("%1/x-%2x%3-%4.png")
                               .arg(ScreenshotFolder())
                               .arg(size.width())
                               .arg(size.height())
                               .arg(QString::fromLatin1(QTest::currentDataTag()).replace(u' ', u'-')));
                       qobject_cast<QDialog*>(w)->reject();
                   });
        script.Start();
        QTimer::singleShot(0, &s.Frame(), [&] { s.App().Commands().Run(command); });
        QTRY_VERIFY_WITH_TIMEOUT(script.Ended(), 2 * StepScript::kGiveUpMs);
        QVERIFY2(script.Finished(), qPrintable(script.Waiting()));
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join(u'\n')));
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

        QTest::newRow("Shift+3") << int('3') << true << false << "shift+3" << 0;
        QTest::newRow("Ctrl+Shift+1") << int('1') << true << true << "ctrl+shift+1" << 0;
        QTest::newRow("Ctrl+Shift+0") << int('0') << true << true << "ctrl+shift+0" << 0;
        QTest::newRow("Ctrl+F, the find key") << int('F') << false << true << "ctrl+f"
                                             << cmd::EditFind;
        QTest::newRow("F3, the find-next key") << int(vk::F3) << false << false << "F3"
                                              << cmd::EditRepeat;
        QTest::newRow("Ctrl+Z while there is an edit to undo")
            << int('Z') << false << true << "ctrl+z" << cmd::EditUndo;
    }
    void userKeys()
    {
        QFETCH(int, code);
        QFETCH(bool, shift);
        QFETCH(bool, ctrl);
        QFETCH(QString, pressed);
        QFETCH(int, programs);

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
        QTRY_VERIFY_WITH_TIMEOUT(script.Ended(), 2 * StepScript::kGiveUpMs);
        QVERIFY2(script.Finished(), qPrintable(script.Waiting()));
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
