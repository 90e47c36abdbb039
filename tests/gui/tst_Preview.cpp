#include "TestRegistry.h"

#include "GuiEditor.h"

#include "core/app/CommandIds.h"
#include "core/ftp/CFtpSetList.h"
#include "gui/preview/PreviewPage.h"
#include "gui/preview/PreviewPane.h"

#include <QAction>
#include <QBuffer>
#include <QDir>
#include <QPushButton>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>
#include <QWebEngineView>

namespace {

// The first value a script gives in the page.
QVariant Js(QWebEnginePage* page, const QString& script)
{
    QVariant result;
    bool done = false;
    page->runJavaScript(script, [&](const QVariant& v) {
        result = v;
        done = true;
    });
    if (!QTest::qWaitFor([&] { return done; }, 30000))
        qWarning("the page gave no answer to %s", qPrintable(script));
    return result;
}

// "Remote" content: an HTTP server on 127.0.0.1 that answers every request
// with a picture of 1x1 pixel, and counts them.
class RemoteServer : public QTcpServer {
public:
    int requests = 0;
    RemoteServer()
    {
        listen(QHostAddress::LocalHost);
        connect(this, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket* s = nextPendingConnection()) {
                connect(s, &QTcpSocket::readyRead, s, [this, s] {
                    if (!s->readAll().contains("\r\n\r\n"))
                        return;
                    ++requests;
                    QByteArray png;
                    QBuffer buffer(&png);
                    QImage(1, 1, QImage::Format_RGB32).save(&buffer, "PNG");
                    s->write("HTTP/1.1 200 OK\r\nContent-Type: image/png\r\nConnection: close\r\n"
                             "Content-Length: " + QByteArray::number(png.size()) + "\r\n\r\n" + png);
                    s->disconnectFromHost();
                });
            }
        });
    }
};

} // namespace

class TestPreview : public QObject {
    Q_OBJECT

    // The site: site/ is the FTP set's local folder, the page is in
    // site/sub/ in Shift-JIS with a picture beside it and a root-relative
    // style sheet.
    std::unique_ptr<GuiEditor> m_g;
    PreviewPane* m_pane = nullptr;

    void Toggle()
    {
        m_g->Frame().ActionsFor(cmd::TogglePreview).first()->trigger();
    }
    // Waits for the editor's text to have reached the page.
    bool WaitUpdated(QSignalSpy& spy) { return spy.wait(30000); }

private Q_SLOTS:
    void init()
    {
        m_g = std::make_unique<GuiEditor>(MenuLayout::Landscape, false);
        const QString site = m_g->Path(u"site"_qs);
        QDir().mkpath(site + u"/css"_qs);
        QDir().mkpath(site + u"/sub"_qs);
        CFtpSetList sets;
        sets.Load(m_g->Settings());
        sets.At(0).localFolder = site;
        sets.Save(m_g->Settings());
        m_g->Build(MenuLayout::Landscape);
        m_g->MakeFile(u"site/css/site.css"_qs, "p { color: rgb(1, 2, 3) }");
        QImage(3, 2, QImage::Format_RGB32).save(m_g->Path(u"site/sub/a.png"_qs));
        // 日本語の段落 in Shift-JIS; the rest of the page is ASCII.
        m_g->MakeFile(u"site/sub/page.html"_qs,
                      "<html><head><link rel=\"stylesheet\" href=\"/css/site.css\"></head><body>\r\n"
                      "<h1 id=\"top\">top</h1><div style=\"height:3000px\"></div>\r\n"
                      "<p id=\"t\">\x93\xfa\x96\x7b\x8c\xea\x82\xcc\x92\x69\x97\x8e</p>"
                      "<img id=\"i\" src=\"a.png\"><img id=\"r\" src=\"http://127.0.0.1:PORT/r.png\">\r\n"
                      "</body></html>\r\n");
    }
    void cleanup() { m_g.reset(); }

    void showsThePageAndFollowsTyping()
    {
        QVERIFY(m_g->App().OpenDocumentFile(m_g->Path(u"site/sub/page.html"_qs)));
        const QString text = m_g->Edit().Buffer().GetText();
        const int para = int(text.indexOf(u"日本語"));
        m_g->Edit().Buffer().SetSel(para, para);
        m_g->Frame().resize(1280, 800);
        m_g->Frame().show();
        m_pane = m_g->Frame().findChild<PreviewPane*>();
        QVERIFY(m_pane && !m_pane->isVisible());
        QSignalSpy updated(m_pane, &PreviewPane::Updated);
        Toggle();
        QVERIFY(m_pane->isVisible() && m_g->Edit().isVisible());
        QVERIFY(WaitUpdated(updated));
        QWebEnginePage* page = m_pane->Page();

        // The root-relative style sheet, the page's code and its picture.
        QCOMPARE(Js(page, u"getComputedStyle(document.getElementById('t')).color"_qs).toString(),
                 u"rgb(1, 2, 3)"_qs);
        QCOMPARE(Js(page, u"document.characterSet"_qs).toString(), u"Shift_JIS"_qs);
        QCOMPARE(Js(page, u"document.getElementById('t').textContent"_qs).toString(), u"日本語の段落"_qs);
        QCOMPARE(Js(page, u"document.getElementById('i').naturalWidth"_qs).toInt(), 3);

        // The caret's paragraph was scrolled into view; an edit inside it
        // shows, unsaved, and the page stays where it was.
        const int y = Js(page, u"window.scrollY"_qs).toInt();
        QVERIFY(y > 1000);
        m_g->Edit().Buffer().SetSel(para, para);
        m_g->Edit().Buffer().ReplaceSel(u"新しい"_qs);
        QVERIFY(WaitUpdated(updated));
        QCOMPARE(Js(page, u"document.getElementById('t').textContent"_qs).toString(), u"新しい日本語の段落"_qs);
        QVERIFY(m_g->Doc().IsModified());
        QCOMPARE(Js(page, u"window.scrollY"_qs).toInt(), y);

        // The caret in another element takes the page there.
        m_g->Edit().Buffer().SetSel(int(text.indexOf(u">top<")), int(text.indexOf(u">top<")));
        QTRY_COMPARE_WITH_TIMEOUT(Js(page, u"window.scrollY"_qs).toInt(), 0, 30000);

        // A narrow window has room for one of them: the same command
        // switches between the page and the text.
        m_g->Frame().resize(360, 640);
        QTRY_VERIFY(!m_g->Edit().isVisible());
        QVERIFY(m_pane->isVisible());
        Toggle();
        QVERIFY(m_g->Edit().isVisible() && !m_pane->isVisible());
    }

    // Clicks as the user makes them: Ctrl+click opens a page of the site in
    // another editor, a link out of the site goes to the desktop, a plain
    // click on a page of the site stays in the preview.
    void linksClickedInThePreview()
    {
        const QString path = m_g->MakeFile(u"site/sub/links.html"_qs,
            "<a id='p' href='page.html' style='display:block'>page</a>"
            "<a id='x' href='https://example.invalid/' style='display:block'>out</a>");
        QVERIFY(m_g->App().OpenDocumentFile(path));
        m_g->Frame().show();
        m_pane = m_g->Frame().findChild<PreviewPane*>();
        QSignalSpy updated(m_pane, &PreviewPane::Updated);
        Toggle();
        QVERIFY(WaitUpdated(updated));
        const auto click = [this](const char* id, Qt::KeyboardModifiers keys) {
            const QVariantList at = Js(m_pane->Page(), u"(function(){var r=document.getElementById('%1')"
                ".getBoundingClientRect();return [r.left+5,r.top+5];})()"_qs.arg(QLatin1String(id))).toList();
            QTest::mouseClick(m_pane->View()->focusProxy(), Qt::LeftButton, keys,
                              QPoint(at.value(0).toInt(), at.value(1).toInt()));
        };
        click("p", Qt::ControlModifier);
        QTRY_COMPARE_WITH_TIMEOUT(m_g->Ui().Processes().size(), size_t(1), 30000);
        QCOMPARE(m_g->Ui().Processes().front().arguments,
                 QStringList({u"--"_qs, m_g->Path(u"site/sub/page.html"_qs)}));
        click("x", Qt::NoModifier);
        QTRY_VERIFY_WITH_TIMEOUT(m_g->Ui().Texts(u"open"_qs).contains(u"https://example.invalid/"_qs), 30000);
        click("p", Qt::NoModifier);
        QTRY_VERIFY_WITH_TIMEOUT(m_pane->Page()->url().path() == u"/sub/page.html"_qs, 30000);
        QCOMPARE(m_g->Ui().Processes().size(), size_t(1));
    }

    void remoteContentWaitsForLeave()
    {
        RemoteServer server;
        QVERIFY(server.isListening());
        const QString path = m_g->Path(u"site/sub/page.html"_qs);
        QByteArray bytes = ReadBytes(path);
        bytes.replace("PORT", QByteArray::number(server.serverPort()));
        QVERIFY(WriteBytes(path, bytes));
        QVERIFY(m_g->App().OpenDocumentFile(path));
        m_pane = m_g->Frame().findChild<PreviewPane*>();
        QSignalSpy updated(m_pane, &PreviewPane::Updated);
        // The engine waits for the window to be on the screen.
        Toggle();
        QVERIFY(!m_pane->Page());
        m_g->Frame().show();
        QVERIFY(WaitUpdated(updated));
        QTRY_VERIFY_WITH_TIMEOUT(m_pane->RemoteBarShown(), 30000);
        // The bar takes its lines, the page the rest.
        const auto* bar = m_pane->findChild<QWidget*>(u"previewRemoteBar"_qs);
        QTRY_VERIFY(bar->height() > 0 && bar->height() < m_pane->View()->height() / 2);
        QCOMPARE(server.requests, 0);
        QCOMPARE(Js(m_pane->Page(), u"document.getElementById('r').naturalWidth"_qs).toInt(), 0);

        m_g->Frame().findChild<QPushButton*>(u"previewAllowRemote"_qs)->click();
        QTRY_COMPARE_WITH_TIMEOUT(Js(m_pane->Page(), u"document.getElementById('r').naturalWidth"_qs).toInt(), 1, 30000);
        QVERIFY(server.requests > 0);
        QVERIFY(!m_pane->RemoteBarShown());
    }
};

KELVO_TEST(TestPreview, "Preview");
#include "tst_Preview.moc"
