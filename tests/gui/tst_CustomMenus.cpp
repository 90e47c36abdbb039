#include "TestRegistry.h"

#include "GuiEditor.h"

#include "core/app/CommandIds.h"
#include "core/app/ShellCommandIds.h"

#include <QAction>
#include <QMenu>
#include <QTest>

namespace {

QMenu* MenuHolding(CMainFrame& frame, QAction* action)
{
    for (QMenu* m : frame.Menus())
        if (m->actions().contains(action))
            return m;
    return nullptr;
}

} // namespace

// The menus show the keys of the key file read at start-up behind a TAB,
// and follow later changes when they open.
class TestCustomMenus : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void keyNamesInCaptions()
    {
        GuiEditor g(MenuLayout::Landscape, false);
        CKeycustTable keys;
        keys.Assign({'Q', false, false, true}, cmd::EditSelectAll);
        keys.Assign({'W', true, false, false}, cmd::RegisteredTagFirst);
        const QString path = g.Path(QStringLiteral("start.key"));
        QVERIFY(keys.Save(path));
        g.Settings().WriteString("System", "Keycust", path);
        g.Settings().WriteInt("TagMenu", "TagNo", 1);
        g.Settings().WriteString("TagMenu", "Tag100", "<B>");
        g.Build(MenuLayout::Landscape);

        QAction* selectAll = g.Frame().ActionsFor(cmd::EditSelectAll).value(0);
        QVERIFY(selectAll);
        QCOMPARE(selectAll->text(), QStringLiteral("すべての範囲を選択(&A)\tCtrl+Q"));
        // The first entry, not the hidden placeholder of the same command.
        QAction* tag = nullptr;
        for (QAction* a : g.Frame().ActionsFor(cmd::RegisteredTagFirst))
            if (a->isVisible())
                tag = a;
        QVERIFY(tag);
        QCOMPARE(tag->text(), QStringLiteral("&0: <B>\tAlt+W"));

        g.App().MenuKeys().Cut(cmd::EditSelectAll);
        g.App().MenuKeys().Set(cmd::EditCopy, QStringLiteral("F7"));
        QMenu* edit = MenuHolding(g.Frame(), selectAll);
        QVERIFY(edit);
        g.Frame().PrepareMenu(edit);
        QCOMPARE(selectAll->text(), QStringLiteral("すべての範囲を選択(&A)"));
        QCOMPARE(g.Frame().ActionsFor(cmd::EditCopy).value(0)->text(), QStringLiteral("コピー(&C)\tF7"));
    }
};
KELVO_TEST(TestCustomMenus, "CustomMenus");
#include "tst_CustomMenus.moc"
