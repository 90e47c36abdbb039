#include "TestRegistry.h"

#include "core/app/ScriptedUi.h"
#include "core/links/RelativePath.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <QTest>

class TestRelativePath : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void makeRelative_data()
    {
        QTest::addColumn<QString>("document");
        QTest::addColumn<QString>("target");
        QTest::addColumn<QString>("link");

        const QString doc = u"/My Documents/site/index.htm"_qs;
        QTest::newRow("into a subfolder") << doc << "/My Documents/site/img/a.gif" << "img/a.gif";
        QTest::newRow("one folder up") << doc << "/My Documents/b.gif" << "../b.gif";
        QTest::newRow("same folder gives the name") << doc << "/My Documents/site/c.htm" << "c.htm";
        QTest::newRow("letter case makes folders differ")
            << doc << "/my documents/site/a.gif" << "../../my documents/site/a.gif";
        QTest::newRow("sibling folder") << doc << "/My Documents/other/x/a.gif"
                                        << "../other/x/a.gif";
        QTest::newRow("a folder name that is a prefix of another")
            << "/a/b/index.htm" << "/a/bc/x.gif" << "../bc/x.gif";
        QTest::newRow("nothing shared but the root") << doc << "/tmp/a.gif"
                                                     << "../../tmp/a.gif";
        QTest::newRow("document at the root") << "/index.htm" << "/img/a.gif" << "img/a.gif";
        QTest::newRow("no document path keeps the target") << "" << "/img/a.gif" << "/img/a.gif";
        QTest::newRow("backslash is part of a name")
            << "/d/index.htm" << "/d/a\\b.gif" << "a\\b.gif";
    }
    void makeRelative()
    {
        QFETCH(QString, document);
        QFETCH(QString, target);
        QFETCH(QString, link);
        QCOMPARE(MakeRelativePath(document, target), link);
    }

    void resolve_data()
    {
        QTest::addColumn<QString>("document");
        QTest::addColumn<QString>("link");
        QTest::addColumn<QString>("path");  // "!" for "climbs above the root"

        const QString doc = u"/My Documents/site/index.htm"_qs;
        QTest::newRow("one up") << doc << "../img/a.gif" << "/My Documents/img/a.gif";
        QTest::newRow("same folder") << doc << "a.gif" << "/My Documents/site/a.gif";
        QTest::newRow("up to the root") << doc << "../../a.gif" << "/a.gif";
        QTest::newRow("above the root") << doc << "../../../a.gif" << "!";
        QTest::newRow("climbing back in stays plain")
            << doc << "../site/../site/a.gif" << "/My Documents/site/a.gif";
        QTest::newRow(".. inside the link is resolved too") << doc << "img/../../b.gif"
                                                            << "/My Documents/b.gif";
        QTest::newRow(".. inside the link above the root") << doc << "img/../../../../b.gif"
                                                           << "!";
        QTest::newRow("dot and doubled slashes") << doc << "./img//a.gif"
                                                 << "/My Documents/site/img/a.gif";
        QTest::newRow("document at the root") << "/index.htm" << "a.gif" << "/a.gif";
        QTest::newRow("document at the root, one up") << "/index.htm" << "../a.gif" << "!";
        QTest::newRow("no document path stays relative") << "" << "img/../a.gif" << "a.gif";
    }
    void resolve()
    {
        QFETCH(QString, document);
        QFETCH(QString, link);
        QFETCH(QString, path);
        const std::optional<QString> resolved = ResolveRelativePath(document, link);
        QCOMPARE(resolved.value_or(u"!"_qs), path);
    }

    void linkTarget_data()
    {
        QTest::addColumn<QString>("link");
        QTest::addColumn<QString>("path");  // "-" for no local file

        QTest::newRow("fragment removed") << "pages/b.htm#top" << "/d/site/pages/b.htm";
        QTest::newRow("query removed") << "b.htm?x=1#y" << "/d/site/b.htm";
        QTest::newRow("fragment only is the page") << "#top" << "/d/site/index.htm";
        QTest::newRow("escapes decoded as UTF-8") << "my%20file%E3%81%82%ef%bd%a1.htm"
                                                  << "/d/site/my fileあ｡.htm";
        QTest::newRow("broken escape stays text") << "a%zz.htm" << "/d/site/a%zz.htm";
        QTest::newRow("escaped dots cannot climb out") << "%2E%2E/%2E%2E/%2E%2E/x" << "-";
        QTest::newRow("http") << "http://example.com/a.htm" << "-";
        QTest::newRow("https in capitals") << "HTTPS://example.com/" << "-";
        QTest::newRow("mailto") << "mailto:a@example.com" << "-";
        QTest::newRow("javascript") << "javascript:void(0)" << "-";
        QTest::newRow("data") << "data:image/gif;base64,R0lG" << "-";
        QTest::newRow("colon after a slash is a file") << "a/b:c.htm" << "/d/site/a/b:c.htm";
        QTest::newRow("blanks around the link") << " a.htm " << "/d/site/a.htm";
        QTest::newRow("escape at the very end") << "a%20" << "/d/site/a ";
        QTest::newRow("escape cut short at the end") << "a%2" << "/d/site/a%2";
    }
    void linkTarget()
    {
        QFETCH(QString, link);
        QFETCH(QString, path);
        const std::optional<QString> target = LinkTargetPath(u"/d/site/index.htm"_qs, link);
        QCOMPARE(target.value_or(u"-"_qs), path);
    }

    // Links as browsers resolve them, in a page /d/site/sub/page.htm of the
    // site /d/site: "ext" for a link to elsewhere, "noroot" for one that
    // needs the site root, "-" above the root.
    void resolveLink_data()
    {
        QTest::addColumn<QString>("link");
        QTest::addColumn<QString>("root");
        QTest::addColumn<QString>("base");
        QTest::addColumn<QString>("result");

        QTest::newRow("network path") << "//cdn.example.com/a.js" << "/d/site" << "" << "ext";
        QTest::newRow("root-relative against the site root")
            << "/css/a.css" << "/d/site" << "" << "/d/site/css/a.css";
        QTest::newRow("root-relative without a root") << "/css/a.css" << "" << "" << "noroot";
        QTest::newRow("backslashes read as slashes") << "..\\img\\a.gif" << "" << ""
                                                     << "/d/site/img/a.gif";
        QTest::newRow("base folder") << "a.htm" << "" << "../other/" << "/d/site/other/a.htm";
        QTest::newRow("base page names its folder") << "a.htm" << "" << "../x/index.htm"
                                                    << "/d/site/x/a.htm";
        QTest::newRow("root-relative base") << "a.htm" << "/d/site" << "/doc/" << "/d/site/doc/a.htm";
        QTest::newRow("base elsewhere makes every link elsewhere")
            << "a.htm" << "" << "http://example.com/" << "ext";
        QTest::newRow("fragment stays on the page whatever the base") << "#top" << "" << "../x/"
                                                                      << "/d/site/sub/page.htm";
        // A server's root is the top of every path: ".." stops there.
        QTest::newRow("above the site root stops at the root")
            << "../../../shared/x.css" << "/d/site/" << "" << "/d/site/shared/x.css";
        QTest::newRow("up to the site root exactly") << "../x.css" << "/d/site" << ""
                                                     << "/d/site/x.css";
        QTest::newRow("root-relative above the root") << "/../x.css" << "/d/site" << ""
                                                      << "/d/site/x.css";
        QTest::newRow("base above the site root") << "a.htm" << "/d/site" << "../../../doc/"
                                                  << "/d/site/doc/a.htm";
        QTest::newRow("a folder whose name starts like the root's")
            << "../../x.css" << "/d/si" << "" << "/d/x.css";
        // The URL parser removes tab and line ends, and blanks and control
        // characters at the ends.
        QTest::newRow("wrapped over lines") << "\r\n a\r\n\t.htm#x\n" << "" << ""
                                            << "/d/site/sub/a.htm";
        QTest::newRow("control characters at the ends") << "\x01 a.htm\x1f " << "" << ""
                                                        << "/d/site/sub/a.htm";
    }
    void resolveLink()
    {
        QFETCH(QString, link);
        QFETCH(QString, root);
        QFETCH(QString, base);
        QFETCH(QString, result);
        const LinkTarget target = ResolveLink(u"/d/site/sub/page.htm"_qs, link, root, base);
        const QString kinds[] = {target.path, u"ext"_qs, u"noroot"_qs, u"-"_qs};
        QCOMPARE(kinds[int(target.kind)], result);
    }

    void pickedFile_data()
    {
        QTest::addColumn<QString>("document");
        QTest::addColumn<QString>("picked");
        QTest::addColumn<QString>("reference");

        QTest::newRow("saved document gets a relative link")
            << "/d/site/index.htm" << "/d/site/img/a.gif" << "img/a.gif";
        QTest::newRow("unsaved document gets the bare name") << "" << "/d/site/img/a.gif" << "a.gif";
        QTest::newRow("#, %, ? and blanks escaped")
            << "/d/site/index.htm" << "/d/site/my img/photo#1 100%?.jpg"
            << "my%20img/photo%231%20100%25%3F.jpg";
        QTest::newRow("backslash and tab escaped") << "/d/site/index.htm"
                                                   << "/d/site/back\\slash\t.png"
                                                   << "back%5Cslash%09.png";
        QTest::newRow("a name that reads as a scheme") << "/d/site/index.htm"
                                                       << "/d/site/a:b.png" << "./a:b.png";
        QTest::newRow("a colon after a folder") << "/d/site/index.htm" << "/d/site/img/a:b.png"
                                                << "img/a:b.png";
        QTest::newRow("a colon after a non-ASCII letter") << "/d/site/index.htm"
                                                          << "/d/site/写真:1.png" << "写真:1.png";
    }
    void pickedFile()
    {
        QFETCH(QString, document);
        QFETCH(QString, picked);
        QFETCH(QString, reference);
        QCOMPARE(ReferenceForPickedFile(document, picked), reference);
        if (!document.isEmpty())
            QCOMPARE(LinkTargetPath(document, reference).value_or(QString()), picked);
    }

    // A page opened through a link to its folder, files picked by either
    // path: the link that a server has too. Outside the site (or, with no
    // site root known, reached only through the root of the file system),
    // a warning.
    void pickedThroughLinkedFolders_data()
    {
        QTest::addColumn<QString>("document");  // relative to a temporary folder
        QTest::addColumn<QString>("picked");    // the same (may climb out of it), or absolute
        QTest::addColumn<QString>("root");
        // "!" first: with the warning; "~": the picked path without its "/"
        QTest::addColumn<QString>("reference");

        QTest::newRow("page through the link, file by its real folder")
            << "www/index.htm" << "site/img/x.png" << "" << "img/x.png";
        QTest::newRow("page by its real folder, file through the link")
            << "site/index.htm" << "www/img/x.png" << "" << "img/x.png";
        QTest::newRow("in the site root through the link")
            << "site/index.htm" << "www/img/x.png" << "www" << "img/x.png";
        QTest::newRow("outside the site root")
            << "site/index.htm" << "pics/x.png" << "site" << "!../pics/x.png";
        QTest::newRow("no root, a folder shared") << "site/index.htm" << "pics/x.png" << ""
                                                  << "../pics/x.png";
        QTest::newRow("no root, the folder above shared") << "site/index.htm" << "../x.png" << ""
                                                          << "../../x.png";
        QTest::newRow("no root, only the file system's root shared")
            << "site/index.htm" << "/usr/share/pixmaps/x.png" << "" << "!~";
    }
    void pickedThroughLinkedFolders()
    {
        QFETCH(QString, document);
        QFETCH(QString, picked);
        QFETCH(QString, root);
        QFETCH(QString, reference);
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkpath(u"site/img"_qs) && QDir(dir.path()).mkpath(u"pics"_qs));
        QVERIFY(QFile::link(dir.filePath(u"site"_qs), dir.filePath(u"www"_qs)));
        const QString page = dir.filePath(document);
        const QString file = QDir::cleanPath(QDir(dir.path()).filePath(picked));
        const bool outside = reference.startsWith(u'!');
        reference.remove(0, outside ? 1 : 0)
            .replace(u"~"_qs, u"../"_qs.repeated(page.count(u'/') - 1) + file.mid(1));
        ScriptedUi ui;
        QCOMPARE(ReferenceForPickedFile(ui, page, file, root.isEmpty() ? root : dir.filePath(root)),
                 reference);
        QCOMPARE(ui.Texts(u"message"_qs),
                 outside ? QStringList{PickedFileOutsideSiteText()} : QStringList());
        QVERIFY(!IsOutsideSite(QString(), file, root));
    }
};

KELVO_TEST(TestRelativePath, "RelativePath");
#include "tst_RelativePath.moc"
