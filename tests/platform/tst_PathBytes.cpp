#include "TestRegistry.h"

#include "platform/FileAccess.h"

#include <QTest>

class TestPathBytes : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // A name's bytes come back from its text whatever they are, and it is
    // shown as UTF-8 or CP932 text, or with its stray bytes as escapes.
    void namesKeepTheirBytes_data()
    {
        QTest::addColumn<QByteArray>("native");
        QTest::addColumn<QString>("shown");
        QTest::newRow("utf-8") << QByteArray("/a/\xe6\x97\xa5.html") << u"/a/日.html"_qs;
        QTest::newRow("cp932 in a utf-8 folder") << QByteArray("/\xe6\x97\xa5/\x93\xfa.html") << u"/日/日.html"_qs;
        // 🃏 is D83C DCCF: a low surrogate where kept bytes are.
        QTest::newRow("🃏") << QByteArray("/\xf0\x9f\x83\x8f") << u"/🃏"_qs;
        QTest::newRow("last of each length") << QByteArray("\x7f\xdf\xbf\xef\xbf\xbf\xf4\x8f\xbf\xbf")
                                             << QString::fromUcs4(U"\x7f\u07ff\uffff\U0010FFFF");
        QTest::newRow("overlong by one, surrogate, past U+10FFFF, cut")
            << QByteArray("\xff\xc1\xbf\xe0\x9f\xbf\xf0\x8f\xbf\xbf\xed\xa0\x80\xf4\x90\x80\x80\xe3\x81")
            << u"\\xFF\\xC1\\xBF\\xE0\\x9F\\xBF\\xF0\\x8F\\xBF\\xBF\\xED\\xA0\\x80\\xF4\\x90\\x80\\x80\\xE3\\x81"_qs;
    }
    void namesKeepTheirBytes()
    {
        QFETCH(QByteArray, native);
        QFETCH(QString, shown);
        const QString path = platform::DecodePath(native);
        QCOMPARE(platform::EncodePath(path), native);
        QCOMPARE(platform::DisplayPath(path), shown);
    }
};

KELVO_TEST(TestPathBytes, "PathBytes");
#include "tst_PathBytes.moc"
