#pragma once

#include <QWebEngineUrlRequestInterceptor>

// Lets the preview's requests through as the user allowed: the site's own
// files and inline data always, remote content only once allowed, and
// nothing else (file:, other programs' schemes).
class PreviewGuard : public QWebEngineUrlRequestInterceptor {
    Q_OBJECT
public:
    using QWebEngineUrlRequestInterceptor::QWebEngineUrlRequestInterceptor;

    void SetRemoteAllowed(bool allowed) { m_remoteAllowed = allowed; }
    bool RemoteAllowed() const { return m_remoteAllowed; }

    void interceptRequest(QWebEngineUrlRequestInfo& info) override;

Q_SIGNALS:
    // A request for remote content was stopped.
    void RemoteBlocked(const QUrl& url);

private:
    bool m_remoteAllowed = false;
};
