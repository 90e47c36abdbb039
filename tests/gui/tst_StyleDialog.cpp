#include "TestRegistry.h"

#include "GuiEditor.h"

#include "core/app/ScriptedUi.h"
#include "core/style/CStyleBoxPage.h"
#include "core/style/CStyleDlg.h"
#include "gui/FormDialog.h"

#include <QScrollArea>
#include <QScrollBar>
#include <QTabWidget>
#include <QTest>

namespace {

constexpr int kMinimumColors = 8;
const QSize kPortrait(360, 640);

// Shows a form as the desktop program would, in a portrait screen's width,
// and checks that every page fits that width without sideways scrolling.
void ShowAndCheck(FormModel& form, Ui& ui, const QString& name)
{
    FormDialog dialog(form, ui);
    dialog.FitInto(kPortrait);
    dialog.show();
    QApplication::processEvents();
    const int pages = dialog.Tabs() ? dialog.Tabs()->count() : 1;
    for (int i = 0; i < pages; ++i) {
        if (dialog.Tabs())
            dialog.Tabs()->setCurrentIndex(i);
        QApplication::processEvents();
        const QImage picture = dialog.grab().toImage();
        const QString path = ScreenshotFolder() + u'/' + name
                             + (pages > 1 ? u"-%1"_qs.arg(i + 1) : QString())
                             + u".png"_qs;
        picture.save(path);
        QVERIFY2(dialog.width() <= kPortrait.width(), qPrintable(path));
        QVERIFY2(DistinctColors(picture) >= kMinimumColors, qPrintable(path));
        QScrollArea* area = dialog.PageScrollArea(i);
        QVERIFY(area);
        QVERIFY2(area->horizontalScrollBar()->maximum() == 0, qPrintable(path));
    }
}

} // namespace

class TestStyleDialog : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void everyPageFitsAPortraitScreen()
    {
        ScriptedUi ui;
        CStyleDlg dlg;
        dlg.rule.ParseRule(QStringLiteral(
            "P.note {font: bold 12pt 'MS Gothic'; background: #ffeecc url(back.gif) no-repeat; "
            "border: solid #000000 1px; margin: 1px 2px; list-style: square; cursor: help}"));
        dlg.Start();
        FormModel form = dlg.BuildForm(ui);
        ShowAndCheck(form, ui, u"style"_qs);
        // Showing a page is what lets it write its group.
        for (int i = 0; i < CStyleDlg::kPageCount; ++i)
            QVERIFY2(dlg.Page(i).initialised, qPrintable(dlg.Page(i).Caption()));
        // Filling the widgets is no edit: pages only looked at write nothing.
        const QString before = dlg.rule.Declarations().ToText();
        dlg.Apply(form);
        QCOMPARE(dlg.rule.Declarations().ToText(), before);
    }

    void unshownPagesStayClosed()
    {
        ScriptedUi ui;
        CStyleDlg dlg;
        dlg.Start();
        FormModel form = dlg.BuildForm(ui);
        FormDialog dialog(form, ui);
        dialog.show();
        QApplication::processEvents();
        QVERIFY(dlg.Page(0).initialised);
        for (int i = 1; i < CStyleDlg::kPageCount; ++i)
            QVERIFY(!dlg.Page(i).initialised);
    }

    void sideDialogFits()
    {
        ScriptedUi ui;
        CStyleBoxPage::Side side;
        side.style = 2;
        side.color = u"FF0000"_qs;
        side.width = u"細い"_qs;
        FormModel form = CStyleBoxPage::SideForm(side);
        ShowAndCheck(form, ui, u"style-side"_qs);
    }
};
KELVO_TEST(TestStyleDialog, "StyleDialog");
#include "tst_StyleDialog.moc"
