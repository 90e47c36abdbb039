#include "gui/preview/PreviewPage.h"

#include "core/preview/PreviewServer.h"

#include <QWebEngineNewWindowRequest>

PreviewPage::PreviewPage(QWebEngineProfile* profile, QObject* parent)
    : QWebEnginePage(profile, parent)
{
    connect(this, &QWebEnginePage::newWindowRequested, this,
            [this](QWebEngineNewWindowRequest& request) {
                if (!request.isUserInitiated())
                    return;
                const QUrl url = request.requestedUrl();
                const bool local = ClassifyPreviewRequest(url) == PreviewRequestKind::Local;
                switch (request.destination()) {
                case QWebEngineNewWindowRequest::InNewBackgroundTab:  // Ctrl+click
                    Q_EMIT OpenOutside(url, local);
                    break;
                case QWebEngineNewWindowRequest::InNewTab:  // TARGET="_blank"
                    if (local)
                        load(url);
                    else
                        Q_EMIT OpenOutside(url, false);
                    break;
                default:
                    break;
                }
            });
}

bool PreviewPage::acceptNavigationRequest(const QUrl& url, NavigationType type, bool isMainFrame)
{
    const PreviewRequestKind kind = ClassifyPreviewRequest(url);
    // Frames of the page load what the guard lets through.
    if (!isMainFrame)
        return kind != PreviewRequestKind::Other;
    if (kind == PreviewRequestKind::Local || kind == PreviewRequestKind::Inline)
        return true;
    if (type == NavigationTypeLinkClicked)
        Q_EMIT OpenOutside(url, false);
    return false;
}
