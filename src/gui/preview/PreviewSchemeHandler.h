#pragma once

#include "core/preview/PreviewServer.h"

#include <QWebEngineUrlSchemeHandler>

#include <functional>

// The preview's URL scheme for the engine: each request is answered by the
// core (ServePreviewRequest) for the site and the document it is given.
class PreviewSchemeHandler : public QWebEngineUrlSchemeHandler {
    Q_OBJECT
public:
    using DocumentSource = std::function<PreviewDocument()>;
    PreviewSchemeHandler(DocumentSource document, QObject* parent);

    // Makes the scheme known to the engine; before the application object
    // exists, as the engine requires.
    static void RegisterScheme();

    void SetSite(const PreviewSite& site) { m_site = site; }
    const PreviewSite& Site() const { return m_site; }

    void requestStarted(QWebEngineUrlRequestJob* job) override;

private:
    DocumentSource m_document;
    PreviewSite m_site;
};
