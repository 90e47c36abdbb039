#include "TestFiles.h"
#include "TestRegistry.h"

#include "core/doc/TextFileReader.h"

#include <QTest>

class TestTextFileReader : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void lines_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("mode");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("crlf and lf") << QByteArray("a\r\nb\nc") << "rt" << QStringList{"a", "b", "c"};
        QTest::newRow("trailing line end gives no extra line") << QByteArray("a\r\n") << "rt"
                                                               << QStringList{"a"};
        QTest::newRow("empty lines kept") << QByteArray("a\n\nb\n") << "rt"
                                          << QStringList{"a", "", "b"};
        QTest::newRow("lone cr stays inside") << QByteArray("a\rb\nc") << "rt"
                                              << QStringList{"a\rb", "c"};
        QTest::newRow("cr before crlf: one cr stripped") << QByteArray("a\r\r\nb") << "rt"
                                                          << QStringList{"a\r", "b"};
        QTest::newRow("0x1A ends the line and the file in text mode")
            << QByteArray("ab\x1a" "cd\nef") << "rt" << QStringList{"ab"};
        QTest::newRow("0x1A first ends at once") << QByteArray("\x1a" "ab") << "rt" << QStringList{};
        QTest::newRow("0x1A first skipped in binary mode") << QByteArray("\x1a" "ab") << "rb" << QStringList{"ab"};
        QTest::newRow("0x1A skipped in binary mode") << QByteArray("ab\x1a" "cd\nef") << "rb"
                                                     << QStringList{"abcd", "ef"};
        QTest::newRow("utf-8") << QByteArray("\xe4\xba\x9c\n") << "rt" << QStringList{"亜"};
        // The mark is not part of the first line's text: a table whose first
        // entry began with it would never match that entry's name.
        QTest::newRow("utf-8 with bom") << QByteArray("\xef\xbb\xbfx\n") << "rt" << QStringList{"x"};
        QTest::newRow("shift-jis") << QByteArray("\x88\x9f,\x8a\xbf\n") << "rt"
                                   << QStringList{"亜,漢"};
        QTest::newRow("empty file") << QByteArray() << "rt" << QStringList{};
    }
    void lines()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, mode);
        QFETCH(QStringList, lines);
        TestEditor t;
        TextFileReader r(t.MakeFile("f.txt", file), mode);
        QVERIFY(r.IsOpen());
        QStringList got;
        QString line;
        while (r.ReadLine(line))
            got.append(line);
        QCOMPARE(got, lines);
        QVERIFY(!r.ReadLine(line));
    }

    void missingFile()
    {
        TextFileReader r(QStringLiteral("/nonexistent/file.txt"), QStringLiteral("rt"));
        QVERIFY(!r.IsOpen());
        QString line;
        QVERIFY(!r.ReadLine(line));
    }

    void writeModes()
    {
        TestEditor t;
        {
            TextFileReader w(t.Path("w.txt"), QStringLiteral("wt"));
            QVERIFY(w.WriteLine(QStringLiteral("亜")));
            QVERIFY(w.WriteLine(QString()));
        }
        QCOMPARE(ReadBytes(t.Path("w.txt")), QByteArray("\xe4\xba\x9c\r\n\r\n"));
        {
            TextFileReader w(t.Path("w.txt"), QStringLiteral("wb"));
            QVERIFY(w.WriteLine(QStringLiteral("a")));
        }
        QCOMPARE(ReadBytes(t.Path("w.txt")), QByteArray("a\n"));
    }
};

KELVO_TEST(TestTextFileReader, "TextFileReader");
#include "tst_TextFileReader.moc"
