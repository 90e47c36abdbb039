#pragma once

#include "core/doc/CodeKinds.h"

#include <QByteArray>
#include <QString>
#include <QUrl>

#include <functional>
#include <optional>

// The preview shows a page through a URL scheme of its own. Its URLs mirror
// the folder the page is served from: "kelvo-preview://site/" is that
// folder, so the engine itself resolves relative links, root-relative links
// ("/css/a.css") and ".." (which stops at the root, as on a server).

inline constexpr char kPreviewScheme[] = "kelvo-preview";

// What the preview serves: the folder every URL path starts from, and the
// page being edited, whose path gives the editor's text instead of the file.
struct PreviewSite {
    QString root;          // ends in "/"; empty for a page never saved
    QString documentPath;  // empty for a page never saved
};

// The site's root (the local folder of the page's site) when there is one,
// else the page's own folder: nothing above it is served.
PreviewSite PreviewSiteFor(const QString& documentPath, const QString& siteRoot);

// The URL of the page itself. Bytes of names that are not UTF-8 (CP932
// folders) travel as %XX escapes and come back as the same bytes.
QUrl PreviewDocumentUrl(const PreviewSite& site);

// The page's text as the engine gets it: in the code it will be saved in,
// with that code's name for the charset.
struct PreviewDocument {
    QByteArray bytes;
    QByteArray charset;
};
PreviewDocument EncodePreviewDocument(QStringView text, CodeKind code);
// The name browsers know the code by; Ascii and Unknown are saved as
// Shift-JIS, so they are shown as it.
QByteArray PreviewCharset(CodeKind code);

struct PreviewReply {
    enum class Status {
        Ok,
        Redirect,  // a folder without its "/": location is the URL path to go to
        NotFound,
        Refused,   // outside the site, or not a file to read
    };
    Status status = Status::NotFound;
    QByteArray contentType;  // "text/css; charset=EUC-JP"
    QByteArray bytes;
    QString location;
};

// Answers a request of the preview: urlPath is the path of the request's
// URL as sent (%XX escapes as they are). The page's own path gives the
// document (called only then); every other path the file's bytes as they
// are, typed by the name's suffix, with the charset its bytes are detected
// in for text. Paths are resolved as the link check resolves links (%XX
// decoded, ".." stopping at the root); a file reached through a link that
// leads out of the root is refused, as is anything that is no regular file.
PreviewReply ServePreviewRequest(const PreviewSite& site, const QString& urlPath,
                                 const std::function<PreviewDocument()>& document);

// The file a URL of the preview names, resolved as requests are; nullopt
// for another scheme, or a path outside the site.
std::optional<QString> PreviewFilePath(const PreviewSite& site, const QUrl& url);

// The content type of a file by the suffix of its name, without a charset;
// "application/octet-stream" for an unknown one.
QByteArray PreviewContentType(const QString& fileName);

// What a request from the preview reaches.
enum class PreviewRequestKind {
    Local,   // the preview's own scheme
    Inline,  // data:, blob:, about: (nothing leaves the program)
    Remote,  // http, https, ws, wss, ftp: leaves the site
    Other,   // file: and the rest: never loaded
};
PreviewRequestKind ClassifyPreviewRequest(const QUrl& url);

// The element at the caret, as the engine's document finds it: the
// index-th element of that name (lower case) in document order.
struct PreviewElement {
    QString name;
    int index = 0;
    bool operator==(const PreviewElement&) const = default;
};
// The innermost start tag at or before the offset, read with the HTML
// reader (nothing in comments, scripts or styles counts); nullopt before
// the first one.
std::optional<PreviewElement> PreviewElementAt(QStringView text, qsizetype offset);
