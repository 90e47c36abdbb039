#include "core/links/RelativePath.h"

#include <QByteArray>
#include <QStringDecoder>
#include <QStringList>

#include <algorithm>

namespace {

// Folder part up to and including the last "/", and the file part after
// it. A path without "/" is all folder.
void SplitAtLastSlash(const QString& path, QString& folder, QString& file)
{
    const qsizetype slash = path.lastIndexOf(u'/');
    if (slash < 0) {
        folder = path;
        file.clear();
        return;
    }
    folder = path.left(slash + 1);
    file = path.mid(slash + 1);
}

int HexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// Removes the text before the first "/" and that "/" (all of it when there
// is no "/") and gives the removed component.
QString TakeFirstComponent(QString& folder)
{
    const qsizetype slash = folder.indexOf(u'/');
    if (slash < 0) {
        QString all = folder;
        folder.clear();
        return all;
    }
    QString head = folder.left(slash);
    folder.remove(0, slash + 1);
    return head;
}

// %XX escapes are bytes of UTF-8. A "%" without two hexadecimal digits is
// text, and a link whose escapes do not make UTF-8 is left as written.
QString DecodePercentEscapes(const QString& link)
{
    if (!link.contains(u'%'))
        return link;
    // "%" and the digits are ASCII, so they stand alone in the UTF-8 form.
    const QByteArray text = link.toUtf8();
    QByteArray bytes;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const int high = i + 2 < text.size() ? HexValue(text.at(i + 1)) : -1;
        const int low = high >= 0 ? HexValue(text.at(i + 2)) : -1;
        if (text.at(i) == '%' && low >= 0) {
            bytes.append(char(high * 16 + low));
            i += 2;
        } else {
            bytes.append(text.at(i));
        }
    }
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString decoded = utf8.decode(bytes);
    return utf8.hasError() ? link : decoded;
}

} // namespace

QString MakeRelativePath(const QString& documentPath, const QString& targetPath)
{
    QString docFolder, docFile, targetFolder, targetFile;
    SplitAtLastSlash(documentPath, docFolder, docFile);
    SplitAtLastSlash(targetPath, targetFolder, targetFile);
    if (docFolder == targetFolder)
        return targetFile;

    while (!docFolder.isEmpty() && !targetFolder.isEmpty()) {
        QString docRest = docFolder, targetRest = targetFolder;
        if (TakeFirstComponent(docRest) != TakeFirstComponent(targetRest))
            break;
        docFolder = docRest;
        targetFolder = targetRest;
    }
    return QStringLiteral("../").repeated(docFolder.count(u'/')) + targetFolder + targetFile;
}

std::optional<QString> ResolveRelativePath(const QString& documentPath,
                                           const QString& relativePath)
{
    const qsizetype slash = documentPath.lastIndexOf(u'/');
    const QString base = slash < 0 ? documentPath : documentPath.left(slash);

    // Components of base and link on one stack; ".." pops. An absolute base
    // starts with an empty component standing for the root, which no ".."
    // may remove: a link above the root names nothing, rather than quietly
    // landing at the root or somewhere relative to the working folder.
    QStringList parts = base.isEmpty() ? QStringList() : base.split(u'/');
    const bool absolute = base.startsWith(u'/') || slash == 0;
    if (absolute && !parts.isEmpty())
        parts.removeFirst();
    const QStringList linkParts = relativePath.split(u'/');
    for (qsizetype i = 0; i < linkParts.size(); ++i) {
        const QString& part = linkParts.at(i);
        const bool last = i == linkParts.size() - 1;
        if (part == QStringLiteral("..")) {
            if (parts.isEmpty())
                return std::nullopt;
            parts.removeLast();
        } else if (part == QStringLiteral(".") || (part.isEmpty() && !last)) {
            continue;
        } else {
            parts.append(part);
        }
    }
    const QString joined = parts.join(u'/');
    return absolute ? u'/' + joined : joined;
}

QString RelativePathErrorText()
{
    return QStringLiteral("相対パスが誤っています");
}

QString ReferenceForPickedFile(const QString& documentPath, const QString& pickedPath)
{
    const QString reference = documentPath.isEmpty()
                                  ? pickedPath.mid(pickedPath.lastIndexOf(u'/') + 1)
                                  : MakeRelativePath(documentPath, pickedPath);
    QString out;
    out.reserve(reference.size());
    for (const QChar c : reference) {
        if (c == u'%' || c == u'#' || c == u'?' || c == u' ')
            out += QStringLiteral("%%1").arg(c.unicode(), 2, 16, QLatin1Char('0')).toUpper();
        else
            out += c;
    }
    return out;
}

bool IsSchemeLink(const QString& link)
{
    // RFC 3986: ALPHA *( ALPHA / DIGIT / "+" / "-" / "." ) ":"
    if (link.isEmpty() || !(link.at(0).isLetter() && link.at(0).unicode() < 0x80))
        return false;
    for (qsizetype i = 1; i < link.size(); ++i) {
        const char16_t c = link.at(i).unicode();
        if (c == u':')
            return true;
        const bool schemeChar = (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z')
                                || (c >= u'0' && c <= u'9') || c == u'+' || c == u'-'
                                || c == u'.';
        if (!schemeChar)
            return false;
    }
    return false;
}

LinkTarget ResolveLink(const QString& documentPath, const QString& link,
                       const QString& siteRoot, const QString& base)
{
    using Kind = LinkTarget::Kind;
    QString path = link.trimmed();
    path.replace(u'\\', u'/');
    if (IsSchemeLink(path) || path.startsWith(QStringLiteral("//")))
        return {Kind::External, QString()};
    QString from = documentPath;
    if (!base.isEmpty()) {
        const LinkTarget baseTarget = ResolveLink(documentPath, base, siteRoot);
        if (baseTarget.kind != Kind::File)
            return baseTarget;
        // The base's last "/" ends the folder its links start from
        // ("sub/" resolves to ".../sub/").
        from = baseTarget.path;
    }
    const auto cut = std::find_if(path.cbegin(), path.cend(),
                                  [](QChar c) { return c == u'#' || c == u'?'; });
    path.truncate(cut - path.cbegin());
    if (path.isEmpty())
        return {Kind::File, documentPath};
    path = DecodePercentEscapes(path);
    if (path.startsWith(u'/')) {
        if (siteRoot.isEmpty())
            return {Kind::NoSiteRoot, QString()};
        QString root = siteRoot;
        root.replace(u'\\', u'/');
        if (!root.endsWith(u'/'))
            root += u'/';
        from = root;
        path.remove(0, 1);
    }
    const std::optional<QString> resolved = ResolveRelativePath(from, path);
    if (!resolved)
        return {Kind::AboveRoot, QString()};
    return {Kind::File, *resolved};
}

std::optional<QString> LinkTargetPath(const QString& documentPath, const QString& link,
                                      const QString& siteRoot)
{
    if (documentPath.isEmpty())
        return std::nullopt;
    const LinkTarget target = ResolveLink(documentPath, link, siteRoot);
    if (target.kind != LinkTarget::Kind::File)
        return std::nullopt;
    return target.path;
}
