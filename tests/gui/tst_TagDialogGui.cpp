#include "TestRegistry.h"

#include "GuiEditor.h"

#include "core/app/CKelvoApp.h"
#include "core/tags/TagDialogCommandIds.h"
#include "core/tags/TagDialogCommands.h"
#include "gui/FormDialog.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>

namespace {

constexpr QSize kPhone(360, 640);

// Shows every form in a phone-sized dialog, pictures it, notes whatever
// does not fit, and cancels it.
class NarrowUi : public ScriptedUi {
public:
    QString name;
    QStringList problems;
    QStringList titles;

    Answer RunForm(FormModel& form) override
    {
        titles.append(form.title);
        FormDialog dialog(form, *this);
        dialog.FitInto(kPhone);
        dialog.show();
        QApplication::processEvents();
        const QImage picture = dialog.grab().toImage();
        picture.save(ScreenshotFolder() + QStringLiteral("/tagdlg-%1.png").arg(name));
        auto problem = [&](const QString& what) { problems.append(name + QStringLiteral(": ") + what); };
        if (dialog.width() > kPhone.width())
            problem(QStringLiteral("dialog %1 wide").arg(dialog.width()));
        if (DistinctColors(picture) < 8)
            problem(QStringLiteral("blank picture"));
        for (int page = 0; dialog.PageScrollArea(page); ++page)
            if (dialog.PageScrollArea(page)->horizontalScrollBar()->maximum() > 0)
                problem(QStringLiteral("page %1 scrolls sideways").arg(page));
        // Captions are cut when a widget is narrower than its text wants.
        for (QAbstractButton* b : dialog.findChildren<QAbstractButton*>())
            if (b->isVisible() && b->sizeHint().width() > b->width())
                problem(QStringLiteral("button cut: ") + b->text());
        for (QLabel* l : dialog.findChildren<QLabel*>())
            if (l->isVisible() && !l->wordWrap() && l->sizeHint().width() > l->width())
                problem(QStringLiteral("label cut: ") + l->text());
        return Answer::Cancel;
    }
};

} // namespace

class TestTagDialogGui : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Every tag dialog on a portrait phone screen, each pictured as
    // build/screenshots/tagdlg-ID.png.
    void everyDialogFitsAPhone()
    {
        using namespace cmd::tagdlg;
        const int ids[] = {Link, Heading, Image, Form, TextBox, Radio, ImageButton, Hidden, Submit,
                           Reset, Background, AnchorLink, Keyword, TextArea, Rule, Refresh, Mail,
                           Table, Row, Cell, HeaderCell, Caption, Frameset, Frame, TargetFrame,
                           ListBox, Option, Param, Applet, Script, Bgm, Marquee, Video, Plugin,
                           CheckBox, Font, LinkTarget};
        BasicGuiEditor<NarrowUi> g(MenuLayout::Portrait);
        g.App().StyleHooks().editInlineStyle = [](QString&, const QString&) { return false; };
        for (int id : ids) {
            g.Ui().name = QString::number(id);
            g.Edit().Buffer().SetText(QStringLiteral("<P>text</P>"));
            g.Edit().Buffer().SetSel(3, 7);
            const qsizetype before = g.Ui().titles.size();
            QVERIFY(g.App().Commands().Run(id));
            QCOMPARE(g.Ui().titles.size(), before + 1);
            QCOMPARE(g.Edit().Buffer().GetText(), QStringLiteral("<P>text</P>"));
        }
        // The class-and-style dialog of the double-click.
        g.Ui().name = QStringLiteral("tag-style");
        g.Edit().Buffer().SetText(QStringLiteral("<EM>x</EM>"));
        DoubleClickAt(g.App(), 1);
        QCOMPARE(g.Ui().titles.last(), QStringLiteral("タグの修正"));
        QVERIFY2(g.Ui().problems.isEmpty(), qPrintable(g.Ui().problems.join(u'\n')));
    }

    // The editor's double-click: a tag opens its dialog, a word is selected
    // by the widget as usual.
    void doubleClickInTheEditor_data()
    {
        QTest::addColumn<int>("offset");
        QTest::addColumn<QStringList>("titles");
        QTest::addColumn<int>("selStart");
        QTest::addColumn<int>("selEnd");
        QTest::newRow("in a tag") << 2 << QStringList{"ﾃｰﾌﾞﾙのﾃﾞｰﾀ"} << 0 << 4;
        QTest::newRow("on a word") << 6 << QStringList() << 4 << 9;
    }
    void doubleClickInTheEditor()
    {
        QFETCH(int, offset);
        QFETCH(QStringList, titles);
        QFETCH(int, selStart);
        QFETCH(int, selEnd);
        BasicGuiEditor<NarrowUi> g;
        g.Ui().name = QStringLiteral("double-click");
        g.Frame().resize(640, 480);
        g.Frame().show();
        QVERIFY(QTest::qWaitForWindowExposed(&g.Frame()));
        g.Edit().Buffer().SetText(QStringLiteral("<td>words</td>"));
        g.Edit().Buffer().SetSel(offset, offset);
        const QPoint at = g.Edit().cursorRect().center() + QPoint(1, 0);
        QTest::mouseClick(g.Edit().viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(g.Edit().viewport(), Qt::LeftButton, {}, at);
        QCOMPARE(g.Ui().titles, titles);
        int start = 0, end = 0;
        g.Edit().Buffer().GetSel(start, end);
        QCOMPARE(start, selStart);
        QCOMPARE(end, selEnd);
    }
};
KELVO_TEST(TestTagDialogGui, "TagDialogGui");
#include "tst_TagDialogGui.moc"
