#include "TestFiles.h"
#include "TestRegistry.h"

#include "core/preview/PreviewServer.h"
#include "platform/FileAccess.h"

#include <QTest>

#include <cstdio>

#include <sys/stat.h>
#include <unistd.h>

namespace {

// CP932 for 日本, a folder name as a Windows archive leaves it.
const QByteArray kCp932Folder("\x93\xFA\x96\x7B");

bool MakeFolder(const QString& path)
{
    return ::mkdir(platform::EncodePath(path).constData(), 0755) == 0;
}

} // namespace

class TestPreviewServer : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;
    QString m_root;

    // By the name's bytes: QFile would not keep those of a CP932 folder.
    void Put(const QString& name, const QByteArray& bytes)
    {
        std::FILE* f = std::fopen(platform::EncodePath(m_root + name).constData(), "wb");
        QVERIFY(f && std::fwrite(bytes.constData(), 1, bytes.size(), f) == size_t(bytes.size()));
        std::fclose(f);
    }

private Q_SLOTS:
    void initTestCase()
    {
        // site/ is the site's root; outside/ lies beside it.
        const QString base = m_dir.path() + u'/';
        m_root = base + u"site/"_qs;
        QVERIFY(MakeFolder(m_root) && MakeFolder(base + u"outside"_qs));
        WriteBytes(base + u"outside/secret.txt"_qs, "secret");
        for (const char* folder : {"css", "img", "sub"})
            QVERIFY(MakeFolder(m_root + QString::fromLatin1(folder)));
        QVERIFY(MakeFolder(m_root + platform::DecodePath(kCp932Folder)));
        Put(u"css/site.css"_qs, "p { color: red }");
        Put(u"sjis.css"_qs, "p:after { content: \"\x93\xFA\x96\x7B\" }");
        Put(u"euc.txt"_qs, "\xC6\xFC\xCB\xDC\xB8\xEC");
        Put(u"img/a.png"_qs, QByteArray("\x89PNG\r\n\x1A\n\0\0", 10));
        Put(u"sub/index.htm"_qs, "<p>sub");
        Put(platform::DecodePath(kCp932Folder + "/p.htm"), "<p>cp932");
        QCOMPARE(::symlink("../outside", platform::EncodePath(m_root + u"out"_qs).constData()), 0);
        QCOMPARE(::symlink("css/site.css", platform::EncodePath(m_root + u"in.css"_qs).constData()), 0);
        QCOMPARE(::mkfifo(platform::EncodePath(m_root + u"pipe.html"_qs).constData(), 0600), 0);
    }

    void serve_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<int>("status");
        QTest::addColumn<QByteArray>("type");  // or the redirect's location
        QTest::addColumn<QByteArray>("bytes");

        const int ok = int(PreviewReply::Status::Ok);
        const int notFound = int(PreviewReply::Status::NotFound);
        const int refused = int(PreviewReply::Status::Refused);
        const QByteArray page = "<p>\xC6\xFC";  // the editor's text, in EUC-JP
        const QByteArray css = "p { color: red }";
        QTest::newRow("the page is the editor's text in its code")
            << "/index.html" << ok << QByteArray("text/html; charset=EUC-JP") << page;
        QTest::newRow("the root's index is the page") << "/" << ok << QByteArray("text/html; charset=EUC-JP") << page;
        QTest::newRow("root-relative style sheet") << "/css/site.css" << ok << QByteArray("text/css") << css;
        QTest::newRow("dot segments stop at the root") << "/../../css/site.css" << ok << QByteArray("text/css") << css;
        QTest::newRow("escaped dots and slash stop there too")
            << "/%2e%2E%2F..%2Foutside/secret.txt" << notFound << QByteArray() << QByteArray();
        QTest::newRow("Shift-JIS file with its charset")
            << "/sjis.css" << ok << QByteArray("text/css; charset=Shift_JIS") << QByteArray();
        QTest::newRow("EUC-JP file with its charset")
            << "/euc.txt" << ok << QByteArray("text/plain; charset=EUC-JP") << QByteArray("\xC6\xFC\xCB\xDC\xB8\xEC");
        QTest::newRow("picture bytes as they are")
            << "/img/a.png" << ok << QByteArray("image/png") << QByteArray("\x89PNG\r\n\x1A\n\0\0", 10);
        QTest::newRow("CP932 folder by its bytes")
            << "/%93%FA%96%7B/p.htm" << ok << QByteArray("text/html") << QByteArray("<p>cp932");
        // A page names it in kanji, which the engine sends as UTF-8.
        QTest::newRow("CP932 folder by its name")
            << "/%E6%97%A5%E6%9C%AC/p.htm" << ok << QByteArray("text/html") << QByteArray("<p>cp932");
        QTest::newRow("folder without its slash") << "/sub" << int(PreviewReply::Status::Redirect)
                                                  << QByteArray("/sub/") << QByteArray();
        QTest::newRow("folder gives its index") << "/sub/" << ok << QByteArray("text/html") << QByteArray("<p>sub");
        QTest::newRow("link inside the site") << "/in.css" << ok << QByteArray("text/css") << css;
        QTest::newRow("link out of the site") << "/out/secret.txt" << refused << QByteArray() << QByteArray();
        QTest::newRow("missing file") << "/none.html" << notFound << QByteArray() << QByteArray();
        QTest::newRow("a pipe is never read") << "/pipe.html" << refused << QByteArray() << QByteArray();
        QTest::newRow("NUL would cut the name") << "/css/site.css%00.png" << refused << QByteArray() << QByteArray();
        QTest::newRow("network path") << "//host/a.css" << refused << QByteArray() << QByteArray();
    }
    void serve()
    {
        QFETCH(QString, path);
        QFETCH(int, status);
        QFETCH(QByteArray, type);
        QFETCH(QByteArray, bytes);
        const PreviewSite site = PreviewSiteFor(m_root + u"index.html"_qs, m_root);
        const PreviewReply reply = ServePreviewRequest(site, path, [] {
            return EncodePreviewDocument(u"<p>日", CodeKind::Euc);
        });
        QCOMPARE(int(reply.status), status);
        if (reply.status == PreviewReply::Status::Redirect)
            QCOMPARE(reply.location.toLatin1(), type);
        else
            QCOMPARE(reply.contentType, type);
        if (!bytes.isEmpty())
            QCOMPARE(reply.bytes, bytes);
    }

    // Without a site the page's folder is the root; the page's own URL
    // gives its text back however its folder is named.
    void pageInCp932FolderWithoutSite()
    {
        const QString doc = m_root + platform::DecodePath(kCp932Folder + "/p.htm");
        const PreviewSite site = PreviewSiteFor(doc, QString());
        QCOMPARE(site.root, doc.left(doc.size() - 5));
        const QUrl url = PreviewDocumentUrl(site);
        QCOMPARE(url.toString(QUrl::FullyEncoded), u"kelvo-preview://site/p.htm"_qs);
        const auto text = [] { return EncodePreviewDocument(u"<p>new", CodeKind::ShiftJis); };
        QCOMPARE(ServePreviewRequest(site, url.path(QUrl::FullyEncoded), text).bytes, "<p>new");
        QCOMPARE(int(ServePreviewRequest(site, u"/../css/site.css"_qs, text).status),
                 int(PreviewReply::Status::NotFound));
        // In the site the folder is part of the URL, byte for byte.
        const PreviewSite inSite = PreviewSiteFor(doc, m_root);
        QCOMPARE(PreviewDocumentUrl(inSite).path(QUrl::FullyEncoded), u"/%93%FA%96%7B/p.htm"_qs);
        QCOMPARE(*PreviewFilePath(inSite, PreviewDocumentUrl(inSite)), doc);
    }

    void elementAt_data()
    {
        QTest::addColumn<QString>("text");  // "|" marks the caret
        QTest::addColumn<QString>("element");

        QTest::newRow("before any tag") << "a|b<p>" << "";
        QTest::newRow("second of its name") << "<p>a</p><P>b|</P>" << "p 1";
        QTest::newRow("at the tag's \"<\"") << "<p>a|<p>b" << "p 1";
        QTest::newRow("one before it") << "<p>|a<p>b" << "p 0";
        QTest::newRow("markup in comments and scripts is no element")
            << "<!-- <p> --><script>'<p>'</script><p>x|" << "p 0";
    }
    void elementAt()
    {
        QFETCH(QString, text);
        QFETCH(QString, element);
        const qsizetype caret = text.indexOf(u'|');
        text.remove(caret, 1);
        const std::optional<PreviewElement> found = PreviewElementAt(text, caret);
        QCOMPARE(found ? found->name + u' ' + QString::number(found->index) : QString(), element);
    }

    void requestKinds()
    {
        const std::pair<const char*, PreviewRequestKind> cases[] = {
            {"kelvo-preview://site/a.css", PreviewRequestKind::Local},
            {"data:image/png;base64,AA==", PreviewRequestKind::Inline},
            {"HTTPS://example.com/a.js", PreviewRequestKind::Remote},
            {"wss://example.com/", PreviewRequestKind::Remote},
            {"file:///etc/passwd", PreviewRequestKind::Other},
            {"javascript:alert(1)", PreviewRequestKind::Other},
        };
        for (const auto& [url, kind] : cases)
            QVERIFY2(ClassifyPreviewRequest(QUrl(QString::fromLatin1(url))) == kind, url);
    }
};

KELVO_TEST(TestPreviewServer, "PreviewServer");
#include "tst_PreviewServer.moc"
