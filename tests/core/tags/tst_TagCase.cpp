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
        QTest::newRow("unquoted value kept") << "<TD ALIGN=Center>" << true
                                             << "<td align=Center>";
        QTest::newRow("comment kept") << "<!-- X --><B>" << true << "<!-- X --><b>";
        QTest::newRow("declaration kept") << "<!DOCTYPE HTML>" << true << "<!DOCTYPE HTML>";
        QTest::newRow("text between tags kept") << "<B>Text</B>" << true << "<b>Text</b>";
        QTest::newRow("upper case") << "<a href=\"x.htm\">link</a>" << false
                                    << "<A HREF=\"x.htm\">link</A>";
        QTest::newRow("a quote never closed leaves the rest alone")
            << "<A B=\"x>Y<C D>" << true << "<A B=\"x>Y<C D>";
        QTest::newRow("apostrophes quote, > inside them")
            << "<A B='X > Y' C=\"it's\">" << true << "<a b='X > Y' c=\"it's\">";
        QTest::newRow("names over lines and tabs")
            << "<IMG\r\n\tSRC=a.gif\r\n\tALT=X>" << true << "<img\r\n\tsrc=a.gif\r\n\talt=X>";
        QTest::newRow("script and style text kept")
            << "<SCRIPT>if (A<B) X='<B>';</SCRIPT><STYLE>P { X: Y }</STYLE>" << true
            << "<script>if (A<B) X='<B>';</script><style>P { X: Y }</style>";
        QTest::newRow("server code kept")
            << "<?PHP ECHO '<B>' ?><% RESPONSE.WRITE(\"<I>\") %><B>" << true
            << "<?PHP ECHO '<B>' ?><% RESPONSE.WRITE(\"<I>\") %><b>";
        QTest::newRow("server code inside tags kept")
            << "<TD <?php if ($Wide) ?> ALIGN=Left><IMG SRC=\"<?php echo \"img/A.gif\"; ?>\" "
               "DATA-<?=$K?>=1>" << true
            << "<td <?php if ($Wide) ?> align=Left><img src=\"<?php echo \"img/A.gif\"; ?>\" "
               "DATA-<?=$K?>=1>";
        QTest::newRow("text that merely holds < kept")
            << "<P>IF X<Y AND Z>W</P>" << true << "<p>IF X<Y AND Z>W</p>";
        QTest::newRow("unterminated tag") << "x <IMG SRC=A" << true << "x <IMG SRC=A";
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
