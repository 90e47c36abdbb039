#include "TestRegistry.h"

#include "DesktopSession.h"
#include "GuiEditor.h"

#include "core/app/ShellCommandIds.h"
#include "gui/SyntaxHighlighter.h"

#include <QFile>
#include <QScreen>
#include <QWheelEvent>

namespace {

const char kPage[] =
    "<!DOCTYPE html>\n"
    "<html lang=\"ja\">\n"
    "<head>\n"
    "<title>色分けの見本 &amp; 行番号</title>\n"
    "<style>\n"
    "body { margin: 0; color: #333 }\n"
    "/* 見出し */\n"
    "h1.top { font-size: 120% !important }\n"
    "</style>\n"
    "<script>\n"
    "// 読み込んだら\n"
    "function hello(n) { return n > 1 ? 'こんにちは' : \"</p>\"; }\n"
    "</script>\n"
    "</head>\n"
    "<body>\n"
    "<!-- ここから本文 -->\n"
    "<div class=\"box\" style=\"padding: 4px\">\n"
    "<h1 class=top>見出し&nbsp;一</h1>\n"
    "<p>本文の段落です。<a href=\"next.html\" title='次へ'>次のページ</a>&#x263A;</p>\n"
    "</div>\n"
    "</body>\n"
    "</html>\n";

// A dark palette of the kind dark desktop themes give.
QPalette DarkPalette()
{
    QPalette p;
    p.setColor(QPalette::Window, QColor(0x2b, 0x2b, 0x2b));
    p.setColor(QPalette::WindowText, QColor(0xe0, 0xe0, 0xe0));
    p.setColor(QPalette::Base, QColor(0x1e, 0x1e, 0x1e));
    p.setColor(QPalette::AlternateBase, QColor(0x2b, 0x2b, 0x2b));
    p.setColor(QPalette::Text, QColor(0xdc, 0xdc, 0xdc));
    p.setColor(QPalette::Button, QColor(0x35, 0x35, 0x35));
    p.setColor(QPalette::ButtonText, QColor(0xe0, 0xe0, 0xe0));
    p.setColor(QPalette::Highlight, QColor(0x3d, 0x6a, 0xa8));
    p.setColor(QPalette::HighlightedText, Qt::white);
    return p;
}

// Pixels of the image in the tag colour's hue, strong enough to tell from
// the text's grey, and darker than the pale marks behind the text.
int TagHuedPixels(const QImage& image)
{
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (c.hslSaturation() > 90 && std::abs(c.hslHue() - 215) < 15 && c.lightness() > 40
                && c.lightness() < 200)
                ++n;
        }
    return n;
}

} // namespace

// The coloured page with line numbers under a real X server, in a light and
// a dark palette; the screenshots go to build/screenshots.
class TestEditorLook : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase()
    {
        if (QGuiApplication::platformName() != QLatin1String("xcb"))
            QSKIP("needs an X server with a window manager (tests/support/run-under-x.sh)");
    }

    void colouredPage_data()
    {
        QTest::addColumn<bool>("dark");
        QTest::newRow("light") << false;
        QTest::newRow("dark") << true;
    }

    void colouredPage()
    {
        QFETCH(bool, dark);
        const QPalette original = QApplication::palette();
        if (dark)
            QApplication::setPalette(DarkPalette());
        DesktopSession s;
        const QString path = s.Path(QStringLiteral("page.html"));
        {
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(kPage);
        }
        QVERIFY(s.Start());
        QVERIFY(s.App().OpenDocumentFile(path));
        EditWidget& edit = s.Frame().Edit();
        QTRY_VERIFY(edit.Highlighter().Done());
        QVERIFY(!s.Frame().windowTitle().startsWith(u'*'));

        // A key typed makes the title say there are unsaved changes; undo
        // takes the mark away again.
        const QString page = s.Buffer().GetText();
        const int inDiv = int(page.indexOf(QStringLiteral("<div")) + 2);
        s.Buffer().SetSel(inDiv, inDiv);
        QVERIFY(XType(QStringLiteral("v")));
        QTRY_VERIFY(s.Frame().windowTitle().startsWith(u'*'));
        QVERIFY(XKeys({QStringLiteral("ctrl+z")}));
        QTRY_VERIFY(!s.Frame().windowTitle().startsWith(u'*'));
        QCOMPARE(s.Buffer().GetText(), page);

        // The caret on <div> marks it and its end tag; the last search's
        // matches on screen are marked.
        s.App().View().SetSearchText(QStringLiteral("class"));
        edit.UpdateMarksNow();
        QCOMPARE(edit.TagMarks().size(), 2);
        QCOMPARE(edit.TagMarks().at(1).cursor.selectedText(), QStringLiteral("</div>"));
        QVERIFY(!edit.SearchMarks().isEmpty());
        for (const QTextEdit::ExtraSelection& mark : edit.SearchMarks())
            QCOMPARE(mark.cursor.selectedText(), QStringLiteral("class"));

        // Ctrl and the wheel zoom in; Ctrl+0 goes back.
        const int points = edit.font().pointSize();
        QWheelEvent wheel(QPointF(10, 10), edit.mapToGlobal(QPointF(10, 10)), QPoint(),
                          QPoint(0, 120), Qt::NoButton, Qt::ControlModifier, Qt::NoScrollPhase,
                          false);
        QApplication::sendEvent(edit.viewport(), &wheel);
        QCOMPARE(edit.font().pointSize(), points + 1);
        QVERIFY(XKeys({QStringLiteral("ctrl+0")}));
        QTRY_COMPARE(edit.font().pointSize(), points);

        QVERIFY(edit.LineNumberArea()->isVisible());
        QVERIFY(edit.LineNumberArea()->width() > 0);
        QVERIFY(edit.viewport()->geometry().left() >= edit.LineNumberArea()->geometry().right());
        QTRY_VERIFY(s.Frame().windowHandle() && s.Frame().windowHandle()->isExposed());
        // The colourer works in idle slices: wait until the tags show.
        int coloured = 0;
        QTRY_VERIFY2((coloured = TagHuedPixels(edit.viewport()->grab().toImage())) > 40,
                     "no tag coloured on screen");

        const QSize size = s.Frame().screen()->size();
        s.Frame().screen()->grabWindow(0).save(QStringLiteral("%1/x-%2x%3-coloured-%4.png")
                                                   .arg(ScreenshotFolder())
                                                   .arg(size.width())
                                                   .arg(size.height())
                                                   .arg(dark ? u"dark" : u"light"));
        // Colouring off takes the colours away (the marks' edges are left).
        QVERIFY(s.App().Commands().Run(cmd::ToggleHighlight));
        edit.viewport()->repaint();
        QVERIFY(TagHuedPixels(edit.viewport()->grab().toImage()) * 10 < coloured);
        QVERIFY(s.App().Commands().Run(cmd::ToggleHighlight));
        QApplication::setPalette(original);
    }
};
KELVO_TEST(TestEditorLook, "EditorLook");
#include "tst_EditorLook.moc"
