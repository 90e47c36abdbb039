#include "TestRegistry.h"

#include "GuiEditor.h"

#include "core/app/CommandIds.h"
#include "core/tables/TableCommandIds.h"
#include "core/custom/VirtualKeys.h"
#include "gui/KeyMapping.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QTest>
#include <QToolBar>
#include <QUrl>

namespace {

// A command no menu has, for the key tests.
constexpr int kTestCommand = 60001;

// Compares a menu as shown with its data; gives the first difference.
QString CompareMenu(const QList<QAction*>& actions, const std::vector<MenuItem>& items,
                    const QString& where)
{
    if (actions.size() != static_cast<qsizetype>(items.size()))
        return QStringLiteral("%1: %2 entries, expected %3")
            .arg(where)
            .arg(actions.size())
            .arg(items.size());
    for (size_t i = 0; i < items.size(); ++i) {
        const MenuItem& item = items[i];
        QAction* a = actions[qsizetype(i)];
        const QString here = where + u'/' + item.caption;
        switch (item.kind) {
        case MenuItem::Kind::Separator:
            if (!a->isSeparator())
                return here + QStringLiteral(": separator expected");
            break;
        case MenuItem::Kind::Submenu: {
            if (!a->menu() || a->text() != item.caption)
                return here + QStringLiteral(": submenu expected, found ") + a->text();
            const QString diff = CompareMenu(a->menu()->actions(), item.children, here);
            if (!diff.isEmpty())
                return diff;
            break;
        }
        case MenuItem::Kind::Command:
            if (a->text() != item.caption || a->property("kelvoCommand").toInt() != item.id)
                return here + QStringLiteral(": found ") + a->text();
            break;
        }
    }
    return QString();
}

QMenu* MenuHolding(CMainFrame& frame, int id)
{
    for (QMenu* m : frame.Menus())
        for (QAction* a : m->actions())
            if (a->property("kelvoCommand").toInt() == id)
                return m;
    return nullptr;
}

} // namespace

class TestMainFrame : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // A new program starts with an unchanged document: nothing the window
    // does while it is set up counts as an edit.
    void startsUnmodified()
    {
        GuiEditor g;
        QVERIFY(!g.Doc().IsModified());
        QVERIFY(g.Ui().Texts(QStringLiteral("question")).isEmpty());
    }

    void menusShowEveryCaption_data()
    {
        QTest::addColumn<MenuLayout>("layout");
        QTest::newRow("landscape") << MenuLayout::Landscape;
        QTest::newRow("portrait") << MenuLayout::Portrait;
    }
    void menusShowEveryCaption()
    {
        QFETCH(MenuLayout, layout);
        GuiEditor g(layout);
        QCOMPARE(g.App().Layout(), layout);
        QList<QAction*> top = g.Frame().menuBar()->actions();
        std::vector<MenuItem> expected = MainMenu(layout);
        QCOMPARE(top.size(), qsizetype(expected.size()));
        for (size_t i = 0; i < expected.size(); ++i) {
            QCOMPARE(top[qsizetype(i)]->text(), expected[i].caption);
            const QString diff = CompareMenu(top[qsizetype(i)]->menu()->actions(),
                                             expected[i].children, expected[i].caption);
            QVERIFY2(diff.isEmpty(), qPrintable(diff));
        }
    }

    // Every menu item is enabled exactly when the command table has its
    // command and enables it now.
    void menuFollowsCommandTable()
    {
        GuiEditor g;
        CommandTable& table = g.App().Commands();
        int registered = 0, unregistered = 0;
        for (QMenu* menu : g.Frame().Menus()) {
            g.Frame().PrepareMenu(menu);
            for (QAction* a : menu->actions()) {
                const int id = a->property("kelvoCommand").toInt();
                if (!id || !a->isVisible())
                    continue;
                QVERIFY2(a->isEnabled() == table.IsEnabled(id), qPrintable(a->text()));
                (table.Has(id) ? registered : unregistered)++;
            }
        }
        QVERIFY(registered > 10);

        // Taking a command away, or disabling it, greys its item out.
        QMenu* fileMenu = MenuHolding(g.Frame(), cmd::FileSave);
        QVERIFY(fileMenu);
        int saves = 0;
        table.Register(cmd::FileSave, [&] { ++saves; }, [] { return false; });
        g.Frame().PrepareMenu(fileMenu);
        QVERIFY(!g.Frame().ActionsFor(cmd::FileSave).first()->isEnabled());
        table.Register(cmd::FileSave, [&] { ++saves; });
        g.Frame().PrepareMenu(fileMenu);
        QVERIFY(g.Frame().ActionsFor(cmd::FileSave).first()->isEnabled());
        g.Frame().ActionsFor(cmd::FileSave).first()->trigger();
        QCOMPARE(saves, 1);
        table.Unregister(cmd::FileSave);
        g.Frame().PrepareMenu(fileMenu);
        QVERIFY(!g.Frame().ActionsFor(cmd::FileSave).first()->isEnabled());
    }

    void toolbarHasIconsAndTooltips()
    {
        GuiEditor g;
        QList<int> ids;
        for (QAction* a : g.Frame().ToolBar()->actions()) {
            if (a->isSeparator())
                continue;
            const int id = a->property("kelvoCommand").toInt();
            ids.append(id);
            QCOMPARE(a->toolTip(), CommandShortName(id));
            QVERIFY(!a->toolTip().isEmpty());
            const QImage icon = a->icon().pixmap(16, 16).toImage();
            QVERIFY2(DistinctColors(icon) > 4, qPrintable(a->toolTip()));
        }
        QCOMPARE(ids, (QList<int>{cmd::FileNew, cmd::FileOpen, cmd::FileSave, cmd::EditCut,
                                   cmd::EditCopy, cmd::EditPaste, cmd::AppAbout}));
    }

    void acceleratorsOnTheirCommands()
    {
        GuiEditor g;
        for (const Accelerator& a : Accelerators()) {
            const QKeySequence keys(a.keys, QKeySequence::PortableText);
            bool found = false;
            for (QAction* action : g.Frame().ActionsFor(a.id))
                found = found || action->shortcuts().contains(keys);
            QVERIFY2(found, qPrintable(a.keys));
        }
    }

    void recentFilesReplacePlaceholder()
    {
        GuiEditor g;
        const QString a = g.MakeFile(QStringLiteral("a.html"), "<P>a</P>\r\n");
        const QString b = g.MakeFile(QStringLiteral("b.html"), "<P>b</P>\r\n");
        QMenu* recent = MenuHolding(g.Frame(), cmd::FileMru1);
        QVERIFY(recent);
        // With no recent file the placeholder shows, greyed out.
        g.Frame().PrepareMenu(recent);
        QAction* marker = g.Frame().ActionsFor(cmd::FileMru1).first();
        QVERIFY(marker->isVisible());
        QVERIFY(!marker->isEnabled());

        QVERIFY(g.App().OpenDocumentFile(a));
        QVERIFY(g.App().OpenDocumentFile(b));
        g.Frame().PrepareMenu(recent);
        const std::vector<MenuItem> entries = g.App().RecentFileMenu();
        QCOMPARE(entries.size(), size_t(2));
        QStringList shown;
        for (QAction* action : recent->actions())
            if (action->isVisible())
                shown.append(action->text());
        QCOMPARE(shown, (QStringList{entries[0].caption, entries[1].caption}));
        // The second entry (the older file) opens it.
        for (QAction* action : recent->actions())
            if (action->isVisible() && action->text() == entries[1].caption)
                action->trigger();
        QCOMPARE(QFileInfo(g.Doc().GetPathName()).fileName(), QStringLiteral("a.html"));
    }

    void keyMapping_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<int>("code");
        QTest::newRow("F1") << int(Qt::Key_F1) << 0 << 112;
        QTest::newRow("F5") << int(Qt::Key_F5) << 0 << 0x74;
        QTest::newRow("F12") << int(Qt::Key_F12) << 0 << 123;
        QTest::newRow("letter") << int(Qt::Key_B) << int(Qt::ControlModifier) << int('B');
        QTest::newRow("digit") << int(Qt::Key_7) << 0 << int('7');
        QTest::newRow("keypad digit") << int(Qt::Key_7) << int(Qt::KeypadModifier) << 0x67;
        QTest::newRow("insert") << int(Qt::Key_Insert) << 0 << vk::Insert;
        QTest::newRow("delete") << int(Qt::Key_Delete) << 0 << vk::Delete;
        QTest::newRow("left") << int(Qt::Key_Left) << 0 << vk::Left;
        QTest::newRow("up") << int(Qt::Key_Up) << 0 << vk::Up;
        QTest::newRow("right") << int(Qt::Key_Right) << 0 << vk::Right;
        QTest::newRow("down") << int(Qt::Key_Down) << 0 << vk::Down;
        QTest::newRow("home") << int(Qt::Key_Home) << 0 << vk::Home;
        QTest::newRow("end") << int(Qt::Key_End) << 0 << vk::End;
        QTest::newRow("page up") << int(Qt::Key_PageUp) << 0 << vk::Prior;
        QTest::newRow("page down") << int(Qt::Key_PageDown) << 0 << vk::Next;
        QTest::newRow("backspace") << int(Qt::Key_Backspace) << 0 << vk::Back;
        QTest::newRow("tab") << int(Qt::Key_Tab) << 0 << vk::Tab;
        QTest::newRow("shift tab") << int(Qt::Key_Backtab) << int(Qt::ShiftModifier) << vk::Tab;
        QTest::newRow("enter") << int(Qt::Key_Return) << 0 << vk::Return;
        QTest::newRow("keypad enter") << int(Qt::Key_Enter) << int(Qt::KeypadModifier)
                                      << vk::Return;
        QTest::newRow("escape") << int(Qt::Key_Escape) << 0 << vk::Escape;
        QTest::newRow("space") << int(Qt::Key_Space) << 0 << vk::Space;
        QTest::newRow("comma") << int(Qt::Key_Comma) << 0 << vk::OemComma;
        QTest::newRow("keypad plus") << int(Qt::Key_Plus) << int(Qt::KeypadModifier) << vk::Add;
        QTest::newRow("no code") << int(Qt::Key_VolumeUp) << 0 << 0;
    }
    void keyMapping()
    {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(int, code);
        QCOMPARE(VirtualKeyFromQt(key, Qt::KeyboardModifiers(modifiers)), code);
    }

    // Keys pressed in the editor go through the key assignments: an
    // assigned key runs its command and types nothing; any other key is the
    // edit widget's.
    void keyRouting_data()
    {
        QTest::addColumn<int>("assignedCode");
        QTest::addColumn<int>("assignedMods");  // bit 0 alt, 1 shift, 2 ctrl
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("runs");
        QTest::newRow("Ctrl+B unassigned is the widget's")
            << 0 << 0 << int(Qt::Key_B) << int(Qt::ControlModifier) << "" << 0;
        QTest::newRow("F5 assigned runs without modifiers")
            << int(vk::F5) << 0 << int(Qt::Key_F5) << 0 << "" << 1;
        QTest::newRow("Ctrl+Q assigned types nothing")
            << int('Q') << 4 << int(Qt::Key_Q) << int(Qt::ControlModifier) << "" << 1;
        QTest::newRow("Shift+K assigned types nothing")
            << int('K') << 2 << int(Qt::Key_K) << int(Qt::ShiftModifier) << "" << 1;
        QTest::newRow("a plain letter is never looked up")
            << int('A') << 0 << int(Qt::Key_A) << 0 << "a" << 0;
        QTest::newRow("Alt+X assigned") << int('X') << 1 << int(Qt::Key_X)
                                        << int(Qt::AltModifier) << "" << 1;
        // Alt and a letter no menu has (as on narrow screens, where menus have no letters).
        QTest::newRow("Alt+J unassigned types nothing")
            << 0 << 0 << int(Qt::Key_J) << int(Qt::AltModifier) << "" << 0;
        QTest::newRow("Shift+F5 assigned, F5 pressed")
            << int(vk::F5) << 2 << int(Qt::Key_F5) << 0 << "" << 0;
        QTest::newRow("assigned Ctrl+Home") << int(vk::Home) << 4 << int(Qt::Key_Home)
                                            << int(Qt::ControlModifier) << "" << 1;
    }
    void keyRouting()
    {
        QFETCH(int, assignedCode);
        QFETCH(int, assignedMods);
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(QString, typed);
        QFETCH(int, runs);
        GuiEditor g;
        int count = 0;
        g.App().Commands().Register(kTestCommand, [&] { ++count; });
        if (assignedCode)
            g.App().KeyTable().Assign(
                CKeycustTable::Key{assignedCode, bool(assignedMods & 1), bool(assignedMods & 2),
                               bool(assignedMods & 4)},
                kTestCommand);
        g.Frame().show();
        QVERIFY(QTest::qWaitForWindowActive(&g.Frame()));
        g.Edit().setFocus();
        g.Edit().Buffer().SetText(QStringLiteral("xy\r\nz"));
        g.Edit().Buffer().SetSel(2, 2);
        QTest::keyClick(&g.Edit(), Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        QCOMPARE(count, runs);
        QCOMPARE(g.Edit().Buffer().GetText(), QStringLiteral("xy%1\r\nz").arg(typed));
    }

    // The menu's keys come before keys the edit widget has uses of its
    // own, but the user's assignments come before both; the menu then
    // shows the key with the user's command only.
    void userKeysComeFirst()
    {
        GuiEditor g;
        int copies = 0, saves = 0, other = 0;
        g.App().Commands().Register(cmd::EditCopy, [&] { ++copies; });
        g.App().Commands().Register(cmd::FileSave, [&] { ++saves; });
        g.App().Commands().Register(kTestCommand, [&] { ++other; });
        g.App().KeyTable().Assign(CKeycustTable::Key{int('S'), false, false, true}, kTestCommand);
        g.Frame().show();
        QVERIFY(QTest::qWaitForWindowActive(&g.Frame()));
        g.Edit().setFocus();
        QTest::keyClick(&g.Edit(), Qt::Key_C, Qt::ControlModifier);
        QTest::keyClick(&g.Edit(), Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(copies, 1);
        QCOMPARE(saves, 0);
        QCOMPARE(other, 1);
        g.Frame().UpdateCommandStates();
        for (QAction* a : g.Frame().ActionsFor(cmd::FileSave))
            QVERIFY(!a->shortcuts().contains(QKeySequence(QStringLiteral("Ctrl+S"))));
    }

    // F10 opens the first menu in both layouts (the narrow one has no
    // mnemonics), unless the user gave F10 to a command.
    void menuBarKey_data()
    {
        QTest::addColumn<MenuLayout>("layout");
        QTest::addColumn<bool>("assigned");
        QTest::newRow("landscape") << MenuLayout::Landscape << false;
        QTest::newRow("portrait") << MenuLayout::Portrait << false;
        QTest::newRow("portrait, F10 the user's") << MenuLayout::Portrait << true;
    }
    void menuBarKey()
    {
        QFETCH(MenuLayout, layout);
        QFETCH(bool, assigned);
        GuiEditor g(layout);
        int runs = 0;
        g.App().Commands().Register(kTestCommand, [&] { ++runs; });
        if (assigned)
            g.App().KeyTable().Assign(CKeycustTable::Key{int(vk::F10), false, false, false},
                                      kTestCommand);
        g.Frame().UpdateCommandStates();
        g.Frame().show();
        QVERIFY(QTest::qWaitForWindowActive(&g.Frame()));
        g.Edit().setFocus();
        QTest::keyClick(&g.Edit(), Qt::Key_F10);
        QMenu* first = g.Frame().menuBar()->actions().first()->menu();
        if (assigned) {
            QCOMPARE(runs, 1);
            QVERIFY(!first->isVisible());
        } else {
            QTRY_VERIFY(first->isVisible());
            QTest::keyClick(first, Qt::Key_Escape);
            QCOMPARE(runs, 0);
        }
    }

    // The search keys of desktop editors, on "ab ab ab" with the search
    // text "ab" and the middle "ab" selected.
    void searchKeys_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<QString>("form");
        QTest::addColumn<int>("selStart");
        QTest::newRow("Ctrl+F asks for the text") << int(Qt::Key_F) << int(Qt::ControlModifier) << "検索"
                                                 << 3;
        QTest::newRow("F3 finds the next") << int(Qt::Key_F3) << 0 << "" << 6;
        QTest::newRow("Shift+F3 finds the previous")
            << int(Qt::Key_F3) << int(Qt::ShiftModifier) << "" << 0;
        QTest::newRow("Ctrl+H replaces") << int(Qt::Key_H) << int(Qt::ControlModifier) << "置換"
                                         << 3;
        QTest::newRow("Ctrl+G goes to a line")
            << int(Qt::Key_G) << int(Qt::ControlModifier) << "指定行へ移動" << 3;
    }
    void searchKeys()
    {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(QString, form);
        QFETCH(int, selStart);
        GuiEditor g;
        g.Frame().show();
        QVERIFY(QTest::qWaitForWindowActive(&g.Frame()));
        g.Edit().setFocus();
        g.Edit().Buffer().SetText(QStringLiteral("ab ab ab"));
        g.Edit().Buffer().SetSel(3, 5);
        g.View().SetSearchText(QStringLiteral("ab"));
        // Forms are cancelled, so only the find dialog's own search moves.
        g.Ui().QueueAnswer(Ui::Answer::Cancel);
        QTest::keyClick(&g.Edit(), Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        QCOMPARE(g.Ui().Texts(QStringLiteral("form")),
                 form.isEmpty() ? QStringList{} : QStringList{form});
        int s = 0, e = 0;
        g.Edit().Buffer().GetSel(s, e);
        QCOMPARE(s, selStart);
        QCOMPARE(g.Edit().Buffer().GetText(), QStringLiteral("ab ab ab"));
    }

    void droppedFileOpens_data()
    {
        QTest::addColumn<bool>("onEditor");
        QTest::newRow("on the window") << false;
        QTest::newRow("on the editor") << true;
    }
    void droppedFileOpens()
    {
        QFETCH(bool, onEditor);
        GuiEditor g;
        const QString path = g.MakeFile(QStringLiteral("drop.html"), "<P>dropped</P>\r\n");
        g.Frame().show();
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(path)});
        QWidget* target = onEditor ? g.Edit().viewport() : static_cast<QWidget*>(&g.Frame());
        QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(target, &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(target, &drop);
        QCOMPARE(g.Doc().GetPathName(), QFileInfo(path).absoluteFilePath());
        QCOMPARE(g.Edit().Buffer().GetText(), QStringLiteral("<P>dropped</P>\r\n"));
    }

    void closeAsksAndRemembers()
    {
        GuiEditor g;
        const QString path = g.MakeFile(QStringLiteral("c.html"), "abc\r\n");
        QVERIFY(g.App().OpenDocumentFile(path));
        g.Frame().resize(500, 400);
        g.Frame().show();
        g.Edit().Buffer().ReplaceSel(QStringLiteral("changed"));

        g.Ui().QueueAnswer(Ui::Answer::Cancel);
        QVERIFY(!g.Frame().close());
        QVERIFY(g.Frame().isVisible());
        QCOMPARE(g.Ui().Texts(QStringLiteral("question")),
                 QStringList{QStringLiteral("ファイルを閉じます。保存しますか？")});

        g.Ui().QueueAnswer(Ui::Answer::No);
        QVERIFY(g.Frame().close());
        QCOMPARE(g.Settings().ReadInt(CMainFrame::kSettingsSection, QStringLiteral("Width"), 0), 500);
        QCOMPARE(g.Settings().ReadString(QStringLiteral("Recent File List"), QStringLiteral("File1"),
                                         QString()),
                 QFileInfo(path).absoluteFilePath());

        // The next start takes the size.
        g.Destroy();
        g.Build(MenuLayout::Landscape);
        g.Frame().RestoreWindowSize();
        QCOMPARE(g.Frame().size(), QSize(500, 400));
    }

    void statusBarShowsPositionAndCode()
    {
        GuiEditor g;
        // "日本語の文章です。" in EUC-JP with LF line ends.
        const QString path = g.MakeFile(
            QStringLiteral("e.txt"),
            "\xC6\xFC\xCB\xDC\xB8\xEC\xA4\xCE\xCA\xB8\xBE\xCF\xA4\xC7\xA4\xB9\xA1\xA3\nabc\n");
        QVERIFY(g.App().OpenDocumentFile(path));
        g.Edit().Buffer().SetSel(13, 13);
        QCOMPARE(g.Frame().PositionText(), QStringLiteral("2 行  3 桁"));
        QCOMPARE(g.Frame().CodeText(), QStringLiteral("EUC  LF"));
    }

    // The status bar shows the document's own line-end kind; a file that
    // holds none shows no kind at all.
    void statusBarShowsLineEndOfFile_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("shown");
        QTest::newRow("CR") << QByteArray("a\rb\r") << "ASCII  CR";
        QTest::newRow("CR LF") << QByteArray("a\r\nb") << "ASCII  CR+LF";
        QTest::newRow("no line end") << QByteArray("abc") << "ASCII";
        QTest::newRow("empty file") << QByteArray() << "ASCII";
    }
    void statusBarShowsLineEndOfFile()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, shown);
        GuiEditor g;
        QVERIFY(g.App().OpenDocumentFile(g.MakeFile(QStringLiteral("t.txt"), bytes)));
        QCOMPARE(g.Frame().CodeText(), shown);
    }

    void wordWrapFollowsSetting_data()
    {
        QTest::addColumn<int>("wrap");
        QTest::newRow("wrap") << 1;
        QTest::newRow("no wrap") << 0;
    }
    void wordWrapFollowsSetting()
    {
        QFETCH(int, wrap);
        GuiEditor g(MenuLayout::Landscape, false);
        g.Settings().WriteInt(QStringLiteral("System"), QStringLiteral("Wrap"), wrap);
        g.Build(MenuLayout::Landscape);
        QCOMPARE(g.Edit().lineWrapMode(),
                 wrap ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
    }

    // Lines made into a table on the widget (which inserts the rows while
    // they are made) give what they give in memory: the same text, caret or
    // selection, and one undo step back to the lines.
    void tableConversionOnTheWidget_data()
    {
        QTest::addColumn<QString>("system");  // "Key=Value" of section System
        QTest::addColumn<int>("lines");
        QTest::newRow("many pieces") << "" << 1201;
        QTest::newRow("lower-case tags") << "TagLower=1" << 1201;
        QTest::newRow("table stays selected") << "TagSelectContinue=1" << 3;
    }
    void tableConversionOnTheWidget()
    {
        QFETCH(QString, system);
        QFETCH(int, lines);
        QString text = QStringLiteral("before\r\n");
        for (int i = 0; i < lines; ++i)
            text += QStringLiteral("a%1\tB\t\r\u3042\t\x2029\r\n").arg(i);
        text += QStringLiteral("after");
        const int start = 8;
        const int end = static_cast<int>(text.size()) - 7;
        const QStringList setting = system.split(u'=');

        TestEditor memory;
        GuiEditor g(MenuLayout::Landscape, false);
        if (setting.size() == 2) {
            memory.Settings().WriteString(QStringLiteral("System"), setting[0], setting[1]);
            g.Settings().WriteString(QStringLiteral("System"), setting[0], setting[1]);
        }
        g.Build(MenuLayout::Landscape);
        memory.SetText(text, start, end);
        QVERIFY(memory.Run(cmd::TabToTable));
        EditBuffer& buffer = g.Edit().Buffer();
        buffer.SetText(text);
        buffer.SetSel(start, end);
        QVERIFY(g.App().Commands().Run(cmd::TabToTable));

        QCOMPARE(buffer.GetText(), memory.Text());
        int gs = 0, ge = 0, ms = 0, me = 0;
        buffer.GetSel(gs, ge);
        memory.Buffer().GetSel(ms, me);
        QCOMPARE(QPair(gs, ge), QPair(ms, me));
        QCOMPARE(g.Edit().blockCount(), memory.Buffer().GetLineCount());
        buffer.Undo();
        QCOMPARE(buffer.GetText(), text);
        QVERIFY(!buffer.CanUndo());
    }
};
KELVO_TEST(TestMainFrame, "MainFrame");
#include "tst_MainFrame.moc"
