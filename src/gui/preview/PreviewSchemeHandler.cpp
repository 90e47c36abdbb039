#include "gui/preview/PreviewSchemeHandler.h"

#include <QBuffer>
#include <QWebEngineUrlRequestJob>
#include <QWebEngineUrlScheme>

PreviewSchemeHandler::PreviewSchemeHandler(DocumentSource document, QObject* parent)
    : QWebEngineUrlSchemeHandler(parent), m_document(std::move(document))
{
}

void PreviewSchemeHandler::RegisterScheme()
{
    QWebEngineUrlScheme scheme(kPreviewScheme);
    // A host, so that the engine resolves "/" and ".." against the root as
    // it does for a web server. Not a local scheme: the engine would never
    // ask for remote content then, not even once the user allowed it.
    scheme.setSyntax(QWebEngineUrlScheme::Syntax::Host);
    // Fonts and fetch() of the page's own files need CORS.
    scheme.setFlags(QWebEngineUrlScheme::CorsEnabled);
    QWebEngineUrlScheme::registerScheme(scheme);
}

void PreviewSchemeHandler::requestStarted(QWebEngineUrlRequestJob* job)
{
    const QUrl url = job->requestUrl();
    const PreviewReply reply =
        ServePreviewRequest(m_site, url.path(QUrl::FullyEncoded), m_document);
    switch (reply.status) {
    case PreviewReply::Status::Ok: {
        auto* buffer = new QBuffer(job);
        buffer->setData(reply.bytes);
        job->reply(reply.contentType, buffer);
        break;
    }
    case PreviewReply::Status::Redirect: {
        QUrl to = url;
        to.setPath(reply.location, QUrl::StrictMode);
        job->redirect(to);
        break;
    }
    case PreviewReply::Status::NotFound:
        job->fail(QWebEngineUrlRequestJob::UrlNotFound);
        break;
    case PreviewReply::Status::Refused:
        job->fail(QWebEngineUrlRequestJob::RequestDenied);
        break;
    }
}
