#include "core/preview/PreviewServer.h"

#include "core/doc/CodeDetect.h"
#include "core/doc/DocumentCodec.h"
#include "core/links/RelativePath.h"
#include "core/tags/HtmlScanner.h"
#include "platform/FileAccess.h"

#include <QHash>

namespace {

// Files larger than this are not handed to the engine: a preview has no use
// for them, and they would be held in memory whole.
constexpr qint64 kMaxServedBytes = 256LL * 1024 * 1024;

const char* const kIndexNames[] = {"index.html", "index.htm"};

struct TypeEntry {
    const char* suffix;
    const char* type;
    bool text;  // served with the charset its bytes are detected in
};

// The types a page of a site refers to; the engine sniffs nothing for a
// custom scheme, so a style sheet must be text/css to apply.
constexpr TypeEntry kTypes[] = {
    {"html", "text/html", true},        {"htm", "text/html", true},
    {"shtml", "text/html", true},       {"xhtml", "application/xhtml+xml", true},
    {"css", "text/css", true},          {"js", "text/javascript", true},
    {"mjs", "text/javascript", true},   {"json", "application/json", true},
    {"txt", "text/plain", true},        {"xml", "text/xml", true},
    {"svg", "image/svg+xml", true},     {"png", "image/png", false},
    {"gif", "image/gif", false},        {"jpg", "image/jpeg", false},
    {"jpeg", "image/jpeg", false},      {"webp", "image/webp", false},
    {"avif", "image/avif", false},      {"bmp", "image/bmp", false},
    {"ico", "image/x-icon", false},     {"woff", "font/woff", false},
    {"woff2", "font/woff2", false},     {"ttf", "font/ttf", false},
    {"otf", "font/otf", false},         {"mp3", "audio/mpeg", false},
    {"ogg", "audio/ogg", false},        {"wav", "audio/wav", false},
    {"mp4", "video/mp4", false},        {"webm", "video/webm", false},
    {"pdf", "application/pdf", false},
};

const TypeEntry* TypeOf(const QString& fileName)
{
    const qsizetype dot = fileName.lastIndexOf(u'.');
    if (dot < 0 || fileName.indexOf(u'/', dot) >= 0)
        return nullptr;
    const QString suffix = fileName.mid(dot + 1).toLower();
    for (const TypeEntry& e : kTypes)
        if (suffix == QLatin1StringView(e.suffix))
            return &e;
    return nullptr;
}

bool IsBelow(const QString& path, const QString& root)
{
    return path.startsWith(root.endsWith(u'/') ? root : root + u'/');
}

// The file's bytes, typed; a text file with the charset of its code when
// the bytes tell it (7-bit text and an EUC/Shift-JIS tie are left to the
// engine, which reads the file's own declaration).
PreviewReply FileReply(const QString& path)
{
    const platform::FileRead read = platform::ReadRegularFile(path, kMaxServedBytes);
    if (read.error == platform::FileError::Missing)
        return {PreviewReply::Status::NotFound, {}, {}, {}};
    if (read.error != platform::FileError::None)
        return {PreviewReply::Status::Refused, {}, {}, {}};
    PreviewReply reply{PreviewReply::Status::Ok, "application/octet-stream", read.bytes, {}};
    if (const TypeEntry* type = TypeOf(path)) {
        reply.contentType = type->type;
        const CodeKind code = DetectDocumentCode(reply.bytes);
        if (type->text && code != CodeKind::Ascii && code != CodeKind::Unknown)
            reply.contentType += "; charset=" + PreviewCharset(code);
    }
    return reply;
}

QByteArray EncodeUrlPath(const QString& path)
{
    // Bytes, so that a kept byte of a CP932 name is escaped as itself.
    return platform::EncodePath(path).toPercentEncoding("/");
}

std::optional<QString> ResolveRequestPath(const PreviewSite& site, const QString& urlPath)
{
    // A "\0" would end the name the system is given early.
    if (site.root.isEmpty() || !urlPath.startsWith(u'/') || urlPath.contains(QStringLiteral("%00")))
        return std::nullopt;
    const LinkTarget target = ResolveLink(site.documentPath, urlPath, site.root);
    if (target.kind != LinkTarget::Kind::File)
        return std::nullopt;
    return platform::DiskSpelling(target.path);
}

} // namespace

PreviewSite PreviewSiteFor(const QString& documentPath, const QString& siteRoot)
{
    if (documentPath.isEmpty())
        return {};
    QString root = siteRoot;
    if (!root.isEmpty() && !root.endsWith(u'/'))
        root += u'/';
    // The site's folder as the page's path spells it (the site may have been
    // set up with other letter case), so the page's URL path is the rest.
    if (root.isEmpty() || !documentPath.startsWith(root, Qt::CaseInsensitive))
        root = documentPath.left(documentPath.lastIndexOf(u'/') + 1);
    else
        root = documentPath.left(root.size());
    return {root, documentPath};
}

QUrl PreviewDocumentUrl(const PreviewSite& site)
{
    const QByteArray path = "/" + EncodeUrlPath(site.documentPath.mid(site.root.size()));
    return QUrl(QString::fromLatin1(QByteArray(kPreviewScheme) + "://site" + path),
                QUrl::StrictMode);
}

QByteArray PreviewCharset(CodeKind code)
{
    switch (code) {
    case CodeKind::Euc:
        return "EUC-JP";
    case CodeKind::Jis:
        return "ISO-2022-JP";
    case CodeKind::Utf8:
        return "UTF-8";
    default:
        return "Shift_JIS";
    }
}

PreviewDocument EncodePreviewDocument(QStringView text, CodeKind code)
{
    // CR LF as the editor holds it: the engine reads any line end alike.
    return {EncodeDocument(text, code, LineEndKind::CrLf), PreviewCharset(code)};
}

QByteArray PreviewContentType(const QString& fileName)
{
    const TypeEntry* type = TypeOf(fileName);
    return type ? QByteArray(type->type) : QByteArrayLiteral("application/octet-stream");
}

PreviewReply ServePreviewRequest(const PreviewSite& site, const QString& urlPath,
                                 const std::function<PreviewDocument()>& document)
{
    using Status = PreviewReply::Status;
    const auto documentReply = [&] {
        const PreviewDocument page = document();
        // A style sheet or script being edited shows as what it is.
        const TypeEntry* type = TypeOf(site.documentPath);
        const QByteArray mime = type && type->text ? type->type : "text/html";
        return PreviewReply{Status::Ok, mime + "; charset=" + page.charset, page.bytes, {}};
    };
    if (site.root.isEmpty()) {
        // A page never saved has no folder: the page alone.
        if (urlPath == PreviewDocumentUrl(site).path(QUrl::FullyEncoded))
            return documentReply();
        return {Status::NotFound, {}, {}, {}};
    }
    const std::optional<QString> resolved = ResolveRequestPath(site, urlPath);
    if (!resolved)
        return {Status::Refused, {}, {}, {}};
    const QString& path = *resolved;
    if (path == site.documentPath)
        return documentReply();

    // A link in the site may lead anywhere on the disk; what it leads to
    // outside the site is not the site's to show.
    const QString realRoot = platform::RealPath(site.root);
    if (realRoot.isEmpty())
        return {Status::NotFound, {}, {}, {}};
    const auto inSite = [&realRoot](const QString& file) {
        const QString real = platform::RealPath(file);
        return real == realRoot || IsBelow(real, realRoot);
    };
    if (platform::IsRegularFile(path))
        return inSite(path) ? FileReply(path) : PreviewReply{Status::Refused, {}, {}, {}};
    if (platform::RealPath(path + u'/').isEmpty())  // no folder either
        return {platform::PathExists(path) ? Status::Refused : Status::NotFound, {}, {}, {}};
    if (!path.endsWith(u'/'))  // the links of its index page need the "/"
        return {Status::Redirect, {}, {}, QString(urlPath + u'/')};
    for (const char* name : kIndexNames) {
        const QString index = path + QLatin1StringView(name);
        if (index == site.documentPath)
            return documentReply();
        if (platform::IsRegularFile(index))
            return inSite(index) ? FileReply(index) : PreviewReply{Status::Refused, {}, {}, {}};
    }
    return {Status::NotFound, {}, {}, {}};
}

std::optional<QString> PreviewFilePath(const PreviewSite& site, const QUrl& url)
{
    if (ClassifyPreviewRequest(url) != PreviewRequestKind::Local)
        return std::nullopt;
    return ResolveRequestPath(site, url.path(QUrl::FullyEncoded));
}

PreviewRequestKind ClassifyPreviewRequest(const QUrl& url)
{
    const QString scheme = url.scheme().toLower();
    if (scheme == QLatin1StringView(kPreviewScheme))
        return PreviewRequestKind::Local;
    if (scheme == u"data" || scheme == u"blob" || scheme == u"about")
        return PreviewRequestKind::Inline;
    if (scheme == u"http" || scheme == u"https" || scheme == u"ws" || scheme == u"wss"
        || scheme == u"ftp")
        return PreviewRequestKind::Remote;
    return PreviewRequestKind::Other;
}

std::optional<PreviewElement> PreviewElementAt(QStringView text, qsizetype offset)
{
    QHash<QString, int> counts;
    std::optional<PreviewElement> found;
    HtmlScanner scanner(text);
    HtmlToken token;
    while (scanner.Next(token) && token.start <= offset) {
        if (token.kind != HtmlToken::Kind::StartTag)
            continue;
        const QString name = token.Name(text).toString().toLower();
        found = PreviewElement{name, counts[name]++};
    }
    return found;
}
