#include "ByteCorpus.h"
#include "TestRegistry.h"

#include "GuiEditor.h"

#include "core/app/CommandIds.h"
#include "core/doc/CKelvoDoc.h"
#include "gui/CMainFrame.h"
#include "gui/PlainTextEditBuffer.h"

#include <QLabel>
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
