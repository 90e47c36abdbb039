#pragma once

#include <QWebEnginePage>

// The preview's page: it stays on the site. A link to a page of the site
// opens in the preview; a link elsewhere, and a page of the site asked for
// with Ctrl+click (or the middle button), are handed on. Windows a page
// opens by itself (pop-ups) are refused.
class PreviewPage : public QWebEnginePage {
    Q_OBJECT
public:
    PreviewPage(QWebEngineProfile* profile, QObject* parent);

Q_SIGNALS:
    // A link to go elsewhere: the editor for a file of the site when
    // inEditor, the desktop's browser otherwise.
    void OpenOutside(const QUrl& url, bool inEditor);

protected:
    bool acceptNavigationRequest(const QUrl& url, NavigationType type, bool isMainFrame) override;
    void javaScriptConsoleMessage(JavaScriptConsoleMessageLevel, const QString&, int,
                                  const QString&) override
    {
        // The page's own messages are not the program's.
    }
};
