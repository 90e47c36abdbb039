#include "TestRegistry.h"

#include "core/tags/TagCase.h"

#include <QTest>

class TestTagCase : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void convert_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("lower");
        QTest::addColumn<QString>("converted");

        QTest::newRow("quoted value kept") << "<A HREF=\"Index.HTM\">" << true
                                           << "<a href=\"Index.HTM\">";
        QTest::newRow("unquoted value converted") << "<TD ALIGN=Center>" << true
                                                  << "<td align=center>";
        QTest::newRow("comment kept") << "<!-- X --><B>" << true << "<!-- X --><b>";
        QTest::newRow("declaration kept") << "<!DOCTYPE HTML>" << true << "<!DOCTYPE HTML>";
        QTest::newRow("text between tags kept") << "<B>Text</B>" << true << "<b>Text</b>";
        QTest::newRow("upper case") << "<a href=\"x.htm\">link</a>" << false
                                    << "<A HREF=\"x.htm\">link</A>";
        QTest::newRow("quotes end with the tag") << "<A B=\"x>Y<C D>" << true
                                                 << "<a b=\"x>Y<c d>";
        QTest::newRow("apostrophes do not quote") << "<A B='X'>" << true << "<a b='x'>";
        QTest::newRow("unterminated tag") << "x <IMG SRC=A" << true << "x <img src=a";
        QTest::newRow("< at the very end") << "X<" << true << "X<";
        QTest::newRow("empty") << "" << true << "";
    }
    void convert()
    {
        QFETCH(QString, text);
        QFETCH(bool, lower);
        QFETCH(QString, converted);
        ConvertTagCase(text, lower);
        QCOMPARE(text, converted);
    }
};
KELVO_TEST(TestTagCase, "TagCase");
#include "tst_TagCase.moc"
