#include "TestRegistry.h"

#include "core/app/CommandIds.h"
#include "core/app/MenuData.h"
#include "core/app/ShellCommandIds.h"

#include <QTest>

#include <functional>
#include <set>

Q_DECLARE_METATYPE(MenuLayout)

namespace {

const MenuItem* FindById(const std::vector<MenuItem>& items, int id)
{
    for (const MenuItem& m : items) {
        if (m.kind == MenuItem::Kind::Command && m.id == id)
            return &m;
        if (m.kind == MenuItem::Kind::Submenu)
            if (const MenuItem* found = FindById(m.children, id))
                return found;
    }
    return nullptr;
}

const MenuItem* FindSubmenu(const std::vector<MenuItem>& items, const QString& caption)
{
    for (const MenuItem& m : items) {
        if (m.kind != MenuItem::Kind::Submenu)
            continue;
        if (m.caption == caption)
            return &m;
        if (const MenuItem* found = FindSubmenu(m.children, caption))
            return found;
    }
    return nullptr;
}

QStringList Captions(const std::vector<MenuItem>& items)
{
    QStringList out;
    for (const MenuItem& m : items)
        out.append(m.kind == MenuItem::Kind::Separator ? QStringLiteral("-") : m.caption);
    return out;
}

int IndexOf(const std::vector<MenuItem>& items, const QString& caption)
{
    for (size_t i = 0; i < items.size(); ++i)
        if (items[i].caption == caption)
            return static_cast<int>(i);
    return -1;
}

} // namespace

class TestMenuData : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void screenShape_data()
    {
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("height");
        QTest::addColumn<MenuLayout>("layout");
        QTest::newRow("240x320 portrait") << 240 << 320 << MenuLayout::Portrait;
        QTest::newRow("640x240 landscape") << 640 << 240 << MenuLayout::Landscape;
        QTest::newRow("square is landscape") << 480 << 480 << MenuLayout::Landscape;
        QTest::newRow("phone 360x720") << 360 << 720 << MenuLayout::Portrait;
    }
    void screenShape()
    {
        QFETCH(int, width);
        QFETCH(int, height);
        QFETCH(MenuLayout, layout);
        QCOMPARE(LayoutForScreen(width, height), layout);
    }

    void topLevelMenus()
    {
        QCOMPARE(Captions(MainMenu(MenuLayout::Landscape)),
                 QStringList({"ﾌｧｲﾙ(&F)", "編集(&E)", "HTML(&H)", "ﾂｰﾙ(&T)", "表示(&V)"}));
        const std::vector<MenuItem> portrait = MainMenu(MenuLayout::Portrait);
        QCOMPARE(Captions(portrait), QStringList({"ﾌｧｲﾙ", "メニュー"}));
        QCOMPARE(Captions(portrait[1].children),
                 QStringList({"編集(&E)", "HTML(&H)", "ﾂｰﾙ(&T)", "表示(&V)"}));
        // The portrait file menu holds the same items as the landscape one.
        QCOMPARE(Captions(portrait[0].children),
                 Captions(MainMenu(MenuLayout::Landscape)[0].children));
    }

    // The registered-tag and registered-tool submenus sit where the menu
    // rebuilding expects them, in both layouts.
    void placeholderSubmenuPositions_data()
    {
        QTest::addColumn<MenuLayout>("layout");
        QTest::newRow("landscape") << MenuLayout::Landscape;
        QTest::newRow("portrait") << MenuLayout::Portrait;
    }
    void placeholderSubmenuPositions()
    {
        QFETCH(MenuLayout, layout);
        const std::vector<MenuItem> menu = MainMenu(layout);
        const MenuItem* html = FindSubmenu(menu, QStringLiteral("HTML(&H)"));
        const MenuItem* tools = FindSubmenu(menu, QStringLiteral("ﾂｰﾙ(&T)"));
        QVERIFY(html && tools);
        QCOMPARE(IndexOf(html->children, QStringLiteral("登録タグ(&A)")), 12);
        QCOMPARE(IndexOf(tools->children, QStringLiteral("登録ツール(&E)")), 10);
        const MenuItem* recent = FindSubmenu(menu, QStringLiteral("最近使ったファイル(&0)"));
        QVERIFY(recent);
        QVERIFY(FindById(recent->children, cmd::FileMru1));
        QVERIFY(FindById(html->children, cmd::RegisteredTagFirst));
        QVERIFY(FindById(tools->children, cmd::RegisteredToolFirst));
    }

    void portraitDifferences()
    {
        const std::vector<MenuItem> landscape = MainMenu(MenuLayout::Landscape);
        const std::vector<MenuItem> portrait = MainMenu(MenuLayout::Portrait);

        QVERIFY(FindSubmenu(landscape, QStringLiteral("選択ボタン(&B)")));
        QVERIFY(!FindSubmenu(landscape, QStringLiteral("選択(&S)")));
        QVERIFY(FindSubmenu(portrait, QStringLiteral("選択(&S)")));
        QVERIFY(!FindSubmenu(portrait, QStringLiteral("選択ボタン(&B)")));

        QVERIFY(FindSubmenu(landscape, QStringLiteral("FTP(&F)")));
        QVERIFY(!FindSubmenu(portrait, QStringLiteral("FTP(&F)")));
        const MenuItem* tools = FindSubmenu(portrait, QStringLiteral("ﾂｰﾙ(&T)"));
        QVERIFY(tools);
        const size_t n = tools->children.size();
        QCOMPARE(tools->children[n - 2].id, 32963);
        QCOMPARE(tools->children[n - 2].caption, QStringLiteral("ftp転送(&F)..."));
        QCOMPARE(tools->children[n - 1].id, 32980);
        QCOMPARE(tools->children[n - 1].caption, QStringLiteral("ftp(&V)..."));

        QVERIFY(FindById(landscape, cmd::TagEditing));
        QVERIFY(!FindById(portrait, cmd::TagEditing));
        const MenuItem* view = FindSubmenu(portrait, QStringLiteral("表示(&V)"));
        QVERIFY(view);
        QCOMPARE(view->children.back().caption, QStringLiteral("ﾊﾞｰｼﾞｮﾝ情報(&A)..."));
        QCOMPARE(view->children.back().id, cmd::AppAbout);
        QCOMPARE(FindById(landscape, cmd::AppAbout)->caption, QStringLiteral("バージョン情報(&A)..."));
    }

    // Both layouts offer the same commands, except the tag-editing switch
    // that the portrait layout leaves out; no command appears twice.
    void sameCommandsInBothLayouts()
    {
        const std::vector<int> land = MenuCommandIds(MenuLayout::Landscape);
        const std::vector<int> port = MenuCommandIds(MenuLayout::Portrait);
        std::set<int> landSet(land.begin(), land.end());
        std::set<int> portSet(port.begin(), port.end());
        QCOMPARE(landSet.size(), land.size());
        QCOMPARE(portSet.size(), port.size());
        landSet.erase(cmd::TagEditing);
        QVERIFY(landSet == portSet);
        // Commands new to the program lie from 34200 on.
        for (int id : land)
            QVERIFY2((id >= 32772 && id <= 33201) || (id >= 34200 && id < 35000) || id >= 57600,
                     qPrintable(QString::number(id)));
    }

    // Captions that are easy to get wrong: doubled ampersands, full-width
    // characters, a mnemonic without "&", two dots instead of three.
    void exactCaptions_data()
    {
        QTest::addColumn<int>("id");
        QTest::addColumn<QString>("caption");
        QTest::newRow("ampersand entity") << 32809 << "&&";
        QTest::newRow("right double quote") << 32812 << "”";
        QTest::newRow("lt gt conversion") << 32928 << "< >の&&lt; &&gt変換(&L)";
        QTest::newRow("no mnemonic ampersand") << 32964 << "ファイルの挿入(I)...";
        QTest::newRow("two dots tag edit") << 32837 << "登録タグの編集(&A)..";
        QTest::newRow("two dots link check") << 32967 << "リンクチェック(&K)..";
        QTest::newRow("half-width katakana") << 32793 << "ﾌｫﾝﾄの設定(&F)...";
        QTest::newRow("arrow with blanks") << 32953 << "TAB区切り → ﾃｰﾌﾞﾙ(&T)";
        QTest::newRow("arrow without blanks") << 32900 << "改行→<P>(&P)";
        QTest::newRow("recent placeholder") << 57616 << "最新のファイル";
        QTest::newRow("tag placeholder") << 32838 << "TAG";
        QTest::newRow("tool placeholder") << 32889 << "TOOL";
        QTest::newRow("style list") << 33201 << "スタイル一覧(&A)...";
        QTest::newRow("exit") << 57665 << "アプリケーションの終了(&X)";
    }
    void exactCaptions()
    {
        QFETCH(int, id);
        QFETCH(QString, caption);
        for (MenuLayout layout : {MenuLayout::Landscape, MenuLayout::Portrait}) {
            const std::vector<MenuItem> menu = MainMenu(layout);
            const MenuItem* item = FindById(menu, id);
            QVERIFY(item);
            QCOMPARE(item->caption, caption);
        }
    }

    void formSubmenuUsesFullWidthParenthesis()
    {
        QVERIFY(FindSubmenu(MainMenu(MenuLayout::Landscape), QStringLiteral("フォーム（&M)")));
    }

    // An accelerator shown beside a menu item is one the table really has.
    void shownShortcutsExist()
    {
        const std::vector<Accelerator> accels = Accelerators();
        int shown = 0;
        std::function<void(const std::vector<MenuItem>&)> walk = [&](const std::vector<MenuItem>& items) {
            for (const MenuItem& m : items) {
                if (m.kind == MenuItem::Kind::Submenu)
                    walk(m.children);
                if (m.shortcut.isEmpty())
                    continue;
                ++shown;
                bool found = false;
                for (const Accelerator& a : accels)
                    found = found || (a.keys == m.shortcut && a.id == m.id);
                QVERIFY2(found, qPrintable(m.caption));
            }
        };
        walk(MainMenu(MenuLayout::Landscape));
        QCOMPARE(shown, 12);
    }

    void accelerators_data()
    {
        QTest::addColumn<QString>("keys");
        QTest::addColumn<int>("id");
        QTest::newRow("undo alt") << "Alt+Backspace" << cmd::EditUndo;
        QTest::newRow("cut shift") << "Shift+Del" << cmd::EditCut;
        QTest::newRow("copy ctrl insert") << "Ctrl+Ins" << cmd::EditCopy;
        QTest::newRow("paste shift insert") << "Shift+Ins" << cmd::EditPaste;
        QTest::newRow("next pane") << "F6" << cmd::NextPane;
        QTest::newRow("previous pane") << "Shift+F6" << cmd::PrevPane;
        QTest::newRow("help") << "F1" << cmd::Help;
        QTest::newRow("save") << "Ctrl+S" << cmd::FileSave;
    }
    void accelerators()
    {
        QFETCH(QString, keys);
        QFETCH(int, id);
        int matches = 0;
        for (const Accelerator& a : Accelerators())
            if (a.keys == keys) {
                ++matches;
                QCOMPARE(a.id, id);
            }
        QCOMPARE(matches, 1);
    }

    void toolbar()
    {
        const std::vector<ToolbarButton> buttons = ToolbarButtons();
        QCOMPARE(buttons.size(), size_t(11));
        QStringList layout;
        for (const ToolbarButton& b : buttons)
            layout.append(b.separator ? QStringLiteral("|")
                                      : QStringLiteral("%1:%2:%3").arg(b.id).arg(b.image).arg(b.iconName));
        QCOMPARE(layout, QStringList({"|", "57600:0:document-new", "57601:1:document-open",
                                      "57603:2:document-save", "|", "57635:3:edit-cut",
                                      "57634:4:edit-copy", "57637:5:edit-paste", "|",
                                      "57664:6:help-about", "|"}));
        for (const ToolbarButton& b : buttons)
            if (!b.separator)
                QVERIFY2(!CommandShortName(b.id).isEmpty(), qPrintable(QString::number(b.id)));
    }

    void givenPrompts_data()
    {
        QTest::addColumn<int>("id");
        QTest::addColumn<QString>("prompt");
        QTest::addColumn<QString>("shortName");
        QTest::newRow("bold") << 32776 << "<B>:強調表示します\nﾎﾞｰﾙﾄﾞ" << "ﾎﾞｰﾙﾄﾞ";
        QTest::newRow("ftp upload") << 32963 << "ftpによりファイルを転送します\nftp転送" << "ftp転送";
        QTest::newRow("save") << 57603 << "作業中のﾌｧｲﾙを保存\n保存" << "保存";
    }
    void givenPrompts()
    {
        QFETCH(int, id);
        QFETCH(QString, prompt);
        QFETCH(QString, shortName);
        QCOMPARE(CommandPrompt(id), prompt);
        QCOMPARE(CommandShortName(id), shortName);
    }

    // Every command of the menus has a description and a short name.
    void everyMenuCommandHasAPrompt()
    {
        for (int id : MenuCommandIds(MenuLayout::Landscape)) {
            const QString prompt = CommandPrompt(id);
            QVERIFY2(prompt.count(u'\n') == 1, qPrintable(QString::number(id)));
            QVERIFY2(!CommandShortName(id).isEmpty(), qPrintable(QString::number(id)));
            QVERIFY2(!CommandDescription(id).isEmpty(), qPrintable(QString::number(id)));
        }
        QVERIFY(CommandPrompt(12345).isEmpty());
        QVERIFY(CommandShortName(12345).isEmpty());
        // Run-time entries share their range's prompt.
        QCOMPARE(CommandShortName(cmd::RegisteredTagFirst + 49), CommandShortName(cmd::RegisteredTagFirst));
        QVERIFY(CommandPrompt(cmd::RegisteredTagFirst + 50) != CommandPrompt(cmd::RegisteredTagFirst));
    }
};
KELVO_TEST(TestMenuData, "MenuData");
#include "tst_MenuData.moc"
