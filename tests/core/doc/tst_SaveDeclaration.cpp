#include "TestFiles.h"
#include "TestRegistry.h"

#include "core/app/CommandIds.h"
#include "core/doc/CKelvoDoc.h"

#include <QTest>

Q_DECLARE_METATYPE(Ui::Answer)

// Saving in another code than the page declares: the question, the
// declarations rewritten in the same step (one undo takes them back),
// kept, or the save cancelled.
class TestSaveDeclaration : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void saveInAnotherCode_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("text");  // the page, written as UTF-8
        QTest::addColumn<QString>("code");  // chosen in the character-code dialog
        QTest::addColumn<Ui::Answer>("answer");
        QTest::addColumn<QString>("saved");  // the text of the file after the save
        QTest::addColumn<QByteArray>("iconvCode");
        const QString meta = QStringLiteral("<head><meta charset=\"UTF-8\"></head>\r\n日本語");
        QTest::newRow("rewrite") << "a.html" << meta << "シフトJIS" << Ui::Answer::Yes
                                 << QStringLiteral("<head><meta charset=\"Shift_JIS\"></head>\r\n日本語")
                                 << QByteArray("CP932");
        QTest::newRow("xml and http-equiv, one undo step")
            << "x.html"
            << QStringLiteral("<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n<html><head>\r\n"
                              "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=utf-8\">\r\n</head>漢字")
            << "EUC" << Ui::Answer::Yes
            << QStringLiteral("<?xml version=\"1.0\" encoding=\"euc-jp\"?>\r\n<html><head>\r\n"
                              "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=euc-jp\">\r\n</head>漢字")
            << QByteArray("EUC-JP-MS");
        QTest::newRow("style sheet") << "s.css" << QStringLiteral("@charset \"UTF-8\";\r\nb:after{content:\"字\"}")
                                     << "EUC" << Ui::Answer::Yes
                                     << QStringLiteral("@charset \"EUC-JP\";\r\nb:after{content:\"字\"}")
                                     << QByteArray("EUC-JP-MS");
        QTest::newRow("a script's code is its own file's")
            << "a.html" << QStringLiteral("<head><meta charset=\"UTF-8\"><script src=a.js charset=UTF-8></script></head>")
            << "シフトJIS" << Ui::Answer::Yes
            << QStringLiteral("<head><meta charset=\"Shift_JIS\"><script src=a.js charset=UTF-8></script></head>")
            << QByteArray("CP932");
        QTest::newRow("keep") << "a.html" << meta << "シフトJIS" << Ui::Answer::No << meta << QByteArray("CP932");
        QTest::newRow("cancel") << "a.html" << meta << "シフトJIS" << Ui::Answer::Cancel << meta
                                << QByteArray("UTF-8");
    }
    void saveInAnotherCode()
    {
        QFETCH(QString, name);
        QFETCH(QString, text);
        QFETCH(QString, code);
        QFETCH(Ui::Answer, answer);
        QFETCH(QString, saved);
        QFETCH(QByteArray, iconvCode);
        TestEditor t;
        const QString path = t.MakeFile(name, text.toUtf8());
        QVERIFY(t.App().OpenDocumentFile(path));
        t.Ui().QueueField(QStringLiteral("日本語コード"), code);
        t.Ui().QueueAnswer(Ui::Answer::Ok);
        QVERIFY(t.Run(cmd::CharCode));
        t.Buffer().SetSel(3, 3);
        t.Ui().QueueAnswer(answer);
        QVERIFY(t.Run(cmd::FileSave));
        QCOMPARE(t.Ui().Texts("question").size(), 1);
        QCOMPARE(ReadBytes(path), Iconv("UTF-8", iconvCode, saved.toUtf8()));
        QCOMPARE(t.Text(), answer == Ui::Answer::Yes ? saved : text);
        if (answer == Ui::Answer::Cancel)
            return;
        int start = -1, end = -1;
        t.Buffer().GetSel(start, end);
        QCOMPARE(start, 3);
        QVERIFY(!t.Doc().IsModified());
        // Asked once: a second save, kept or rewritten, asks nothing.
        QVERIFY(t.Run(cmd::FileSave));
        QCOMPARE(t.Ui().Texts("question").size(), 1);
        if (answer == Ui::Answer::Yes) {
            QVERIFY(t.Run(cmd::EditUndo));
            QCOMPARE(t.Text(), text);
        }
    }
};

KELVO_TEST(TestSaveDeclaration, "SaveDeclaration");
#include "tst_SaveDeclaration.moc"
