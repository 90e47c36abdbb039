#include "TestRegistry.h"

#include "DesktopSession.h"

#include "core/edit/EditBuffer.h"

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
};

KELVO_TEST(TestDesktopUse, "DesktopUse");
#include "tst_DesktopUse.moc"
