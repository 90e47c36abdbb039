#include "SnapCases.h"
#include "TestRegistry.h"

#include "core/edit/MemoryEditBuffer.h"

#include <QTest>

class TestMemoryEditBuffer : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void lines_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QList<int>>("starts");
        QTest::newRow("empty") << QString() << QList<int>{0};
        QTest::newRow("one line") << QStringLiteral("abc") << QList<int>{0};
        QTest::newRow("crlf") << QStringLiteral("ab\r\ncd") << QList<int>{0, 4};
        QTest::newRow("trailing crlf") << QStringLiteral("ab\r\n") << QList<int>{0, 4};
        QTest::newRow("lone lf is a character") << QStringLiteral("a\nb") << QList<int>{0};
        QTest::newRow("lone cr is a character") << QStringLiteral("a\rb") << QList<int>{0};
        QTest::newRow("cr cr lf") << QStringLiteral("a\r\r\nb") << QList<int>{0, 4};
        QTest::newRow("empty lines") << QStringLiteral("\r\n\r\n") << QList<int>{0, 2, 4};
    }
    void lines()
    {
        QFETCH(QString, text);
        QFETCH(QList<int>, starts);
        MemoryEditBuffer b(text);
        QCOMPARE(b.GetLineCount(), starts.size());
        for (int i = 0; i < starts.size(); ++i) {
            QCOMPARE(b.LineIndex(i), starts[i]);
            QCOMPARE(b.LineFromChar(starts[i]), i);
            const int end = i + 1 < starts.size() ? starts[i + 1] - 2 : int(text.size());
            QCOMPARE(b.LineLength(starts[i]), end - starts[i]);
            QCOMPARE(b.GetLine(i), text.mid(starts[i], end - starts[i]));
        }
        QCOMPARE(b.LineIndex(int(starts.size())), -1);
        QCOMPARE(b.GetLine(int(starts.size())), QString());
    }

    void caretLineDefaults()
    {
        MemoryEditBuffer b(QStringLiteral("ab\r\ncdef\r\ng"));
        b.SetSel(6, 6);
        QCOMPARE(b.LineIndex(-1), 4);
        QCOMPARE(b.LineFromChar(-1), 1);
        // Characters of the selected lines outside the selection.
        b.SetSel(1, 6);
        QCOMPARE(b.LineLength(-1), 1 + 2);
    }

    void selectionSnapsToCharacters_data() { AddSnapRows(); }
    void selectionSnapsToCharacters()
    {
        MemoryEditBuffer b;
        CheckSnap(b);
    }

    void selectionIsClampedOutOfLineEnds()
    {
        MemoryEditBuffer b(QStringLiteral("ab\r\ncd"));
        b.SetSel(3, 3);  // between CR and LF
        int s = 0, e = 0;
        b.GetSel(s, e);
        QCOMPARE(s, 2);
        b.SetSel(100, 2);
        b.GetSel(s, e);
        QCOMPARE(s, 2);
        QCOMPARE(e, 6);
        b.SetSel(0, -1);  // all
        b.GetSel(s, e);
        QCOMPARE(s, 0);
        QCOMPARE(e, 6);
        b.SetSel(5, 1);  // selected backwards: the caret is at 1
        b.SetSel(-1, 0);  // deselect keeps the caret
        b.GetSel(s, e);
        QCOMPARE(s, 1);
        QCOMPARE(e, 1);
        // A CR inserted before an LF makes a line end; the caret is not
        // left inside it.
        b.SetText(QStringLiteral("a\nb"));
        b.SetSel(1, 1);
        b.ReplaceSel(QStringLiteral("\r"));
        b.GetSel(s, e);
        QCOMPARE(s, 1);
        QCOMPARE(b.GetLineCount(), 2);
    }

    void editsKeepLinesRightAndUndo()
    {
        MemoryEditBuffer b(QStringLiteral("a\r\nb\r\nc"));
        QCOMPARE(b.GetLineCount(), 3);
        b.SetSel(1, 1);
        b.ReplaceSel(QStringLiteral("\r"));  // joins nothing: CR CR LF
        QCOMPARE(b.GetLineCount(), 3);
        b.SetSel(4, 4);  // after the first CR LF
        b.ReplaceSel(QStringLiteral("x\r\ny"));
        QCOMPARE(b.GetText(), QStringLiteral("a\r\r\nx\r\nyb\r\nc"));
        QCOMPARE(b.GetLineCount(), 4);
        QCOMPARE(b.GetLine(2), QStringLiteral("yb"));
        // Two lone LFs end no line.
        b.SetText(QStringLiteral("a\r\nb"));
        b.SetSel(1, 3);
        b.ReplaceSel(QStringLiteral("\n\n"));
        QCOMPARE(b.GetText(), QStringLiteral("a\n\nb"));
        QCOMPARE(b.GetLineCount(), 1);
        QVERIFY(b.IsModified());
        b.Undo();
        QCOMPARE(b.GetText(), QStringLiteral("a\r\nb"));
        QCOMPARE(b.GetLineCount(), 2);
        int s = 0, e = 0;
        b.GetSel(s, e);
        QCOMPARE(s, 1);
        QCOMPARE(e, 3);
        QVERIFY(!b.CanUndo());
    }

    // An edit far from the start before any line was asked for: the line
    // ends before it are still found.
    void editBeforeAnyLineQuery()
    {
        MemoryEditBuffer b(QStringLiteral("ab\r\ncd\r\nefghij"));
        b.SetSel(10, 11);
        b.ReplaceSel(QString());
        QCOMPARE(b.GetLineCount(), 3);
        QCOMPARE(b.LineIndex(2), 8);
        b.SetSel(0, 0);
        b.ReplaceSel(QStringLiteral("x"));
        b.SetSel(12, 12);
        b.ReplaceSel(QStringLiteral("\r\n"));
        QCOMPARE(b.GetLineCount(), 4);
        QCOMPARE(b.GetLine(3), QStringLiteral("ij"));
    }

    void undoableSetText()
    {
        MemoryEditBuffer b(QStringLiteral("old"));
        QVERIFY(!b.CanUndo());
        b.SetText(QStringLiteral("new\r\nlines"), true);
        QCOMPARE(b.GetLineCount(), 2);
        b.Undo();
        QCOMPARE(b.GetText(), QStringLiteral("old"));
        QCOMPARE(b.GetLineCount(), 1);
    }

    void clipboard()
    {
        MemoryEditBuffer b(QStringLiteral("hello world"));
        b.SetSel(0, 5);
        b.Cut();
        QCOMPARE(b.GetText(), QStringLiteral(" world"));
        b.SetSel(6, 6);
        b.Paste();
        QCOMPARE(b.GetText(), QStringLiteral(" worldhello"));
    }
};

KELVO_TEST(TestMemoryEditBuffer, "MemoryEditBuffer");
#include "tst_MemoryEditBuffer.moc"
