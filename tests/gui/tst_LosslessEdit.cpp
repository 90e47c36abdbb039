#include "ByteCorpus.h"
#include "TestRegistry.h"

#include "GuiEditor.h"

#include "core/app/CommandIds.h"
#include "core/doc/CKelvoDoc.h"
#include "gui/CMainFrame.h"
#include "gui/PlainTextEditBuffer.h"
#include "platform/Cp932.h"

#include <QLabel>
#include <QTextBlock>
#include <QTest>
#include <QToolButton>

Q_DECLARE_METATYPE(CodeKind)

class TestLosslessEdit : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void corpusRoundTrip_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<CodeKind>("code");
        for (const CorpusFile& f : ByteCorpus())
            QTest::newRow(qPrintable(f.name)) << f.bytes << f.code;
    }
    // Through the edit widget, every file comes back byte for byte.
    void corpusRoundTrip()
    {
        QFETCH(QByteArray, file);
        QFETCH(CodeKind, code);
        GuiEditor g;
        QVERIFY(g.App().OpenDocumentFile(g.MakeFile("in.html", file)));
        QCOMPARE(g.Doc().GetCodeKind(), code);
        QVERIFY(g.Doc().OnSaveDocument(g.Path("out.html")));
        QVERIFY(ReadBytes(g.Path("out.html")) == file);
    }

    // Kept bytes are whole characters to the widget: the caret steps over
    // one at a time, copy and paste inside the editor and undo keep them.
    void keptBytesInTheWidget()
    {
        GuiEditor g;
        const QByteArray file("<P>\x80\xfd</P>\r\n");
        QVERIFY(g.App().OpenDocumentFile(g.MakeFile("k.html", file)));
        PlainTextEditBuffer& b = g.Edit().Buffer();
        const QString text = u"<P>"_qs + QChar(0xDC80) + QChar(0xDCFD) + u"</P>\r\n"_qs;
        QCOMPARE(b.GetText(), text);
        b.SetSel(3, 3);
        QTest::keyClick(&g.Edit(), Qt::Key_Right, Qt::ShiftModifier);
        int start = 0, end = 0;
        b.GetSel(start, end);
        QCOMPARE(end, 4);
        b.SetSel(3, 5);
        b.Copy();
        b.SetSel(0, 0);
        b.Paste();
        QCOMPARE(b.GetText(), text.mid(3, 2) + text);
        b.Undo();
        QCOMPARE(b.GetText(), text);
        QVERIFY(g.Doc().OnSaveDocument(g.Path("out.html")));
        QCOMPARE(ReadBytes(g.Path("out.html")), file);
    }

    // A minified page, one line of 2 MB held in many blocks, comes back
    // byte for byte: unchanged, and after typing, deleting and pasting at
    // and across the places where the line is cut, all undone and redone.
    void longLineSavedExactly_data()
    {
        QTest::addColumn<bool>("shiftJis");
        QTest::addColumn<bool>("edit");
        QTest::newRow("UTF-8, unchanged") << false << false;
        QTest::newRow("UTF-8, edited") << false << true;
        QTest::newRow("Shift-JIS, edited") << true << true;
    }
    void longLineSavedExactly()
    {
        QFETCH(bool, shiftJis);
        QFETCH(bool, edit);
        QString page = QStringLiteral("<html><head><meta charset=\"%1\"></head><body>")
                           .arg(shiftJis ? u"shift_jis"_qs : u"utf-8"_qs);
        for (int i = 0; page.size() < 2'000'000; ++i)
            page += QStringLiteral("<a href=\"/p/%1.html\">項目%1 &amp; 説明</a>").arg(i);
        page += QStringLiteral("</body></html>");
        auto encode = [shiftJis](const QString& text) {
            return shiftJis ? platform::UnicodeToCp932(text) : text.toUtf8();
        };
        GuiEditor g;
        QVERIFY(g.App().OpenDocumentFile(g.MakeFile("one.html", encode(page))));
        EditWidget& w = g.Edit();
        PlainTextEditBuffer& b = w.Buffer();
        QVERIFY(w.document()->blockCount() > 100);
        QCOMPARE(b.GetLineCount(), 1);
        QCOMPARE(b.GetTextLength(), int(page.size()));
        QString expected = page;
        if (edit) {
            // The editor offset where block n starts, and the caret there.
            auto seam = [&](int n, bool before) {
                const int p = w.document()->findBlockByNumber(n).position() - (before ? 1 : 0);
                QTextCursor c = w.textCursor();
                c.setPosition(p);
                w.setTextCursor(c);
                return b.ToOffset(p);
            };
            int o = seam(7, false);
            QTest::keyClicks(&w, QStringLiteral("ab"));
            QTest::keyClick(&w, Qt::Key_Backspace);
            expected.insert(o, u'a');
            QCOMPARE(b.GetText(), expected);
            o = seam(30, true);
            QTest::keyClick(&w, Qt::Key_Delete);
            expected.remove(o, 1);
            QCOMPARE(b.GetText(), expected);
            o = seam(60, false);
            b.SetSel(o - 3, o + 3);
            b.ReplaceSel(QString());
            expected.remove(o - 3, 6);
            QCOMPARE(b.GetText(), expected);
            const QString pasted = QStringLiteral("<b>長い</b>").repeated(3000);
            o = seam(200, true) - 10;
            b.SetSel(o, o);
            b.ReplaceSel(pasted);
            expected.insert(o, pasted);
            QCOMPARE(b.GetText(), expected);
            QCOMPARE(b.GetLineCount(), 1);
            while (b.CanUndo())
                b.Undo();
            QCOMPARE(b.GetText(), page);
            while (b.CanRedo())
                b.Redo();
            QCOMPARE(b.GetText(), expected);
            QCOMPARE(b.GetLineCount(), 1);
        }
        QVERIFY(g.Doc().OnSaveDocument(g.Path("out.html")));
        QVERIFY(ReadBytes(g.Path("out.html")) == encode(expected));
    }

    // The status bar marks a file with undecodable bytes and offers to
    // reopen a page in the code it declares.
    void statusBarMarks()
    {
        GuiEditor g;
        // EUC kana that, as bytes, are likelier Shift-JIS kanji.
        const QByteArray page("<meta charset=\"euc-jp\">\r\n\x8e\xb1\x8e\xb2\x80\r\n");
        QVERIFY(g.App().OpenDocumentFile(g.MakeFile("e.html", page)));
        g.Frame().UpdateCommandStates();
        auto* mark = g.Frame().findChild<QLabel*>(QStringLiteral("undecodable"));
        auto* reopen = g.Frame().findChild<QToolButton*>(QStringLiteral("reopenDeclared"));
        QVERIFY(mark && reopen);
        QCOMPARE(mark->text(), QStringLiteral("読めない 1"));
        QCOMPARE(reopen->text(), QStringLiteral("EUCで開く"));
        reopen->click();
        QCOMPARE(g.Doc().GetCodeKind(), CodeKind::Euc);
        g.Frame().UpdateCommandStates();
        QVERIFY(reopen->text().isEmpty());
        QCOMPARE(mark->text(), QStringLiteral("読めない 1"));
    }
};

KELVO_TEST(TestLosslessEdit, "LosslessEdit");
#include "tst_LosslessEdit.moc"
