#include "core/links/RelativePath.h"

#include "core/app/Ui.h"
#include "core/app/UiText.h"
#include "platform/FileAccess.h"
#include "platform/FolderListing.h"

#include <QByteArray>
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

// %XX escapes are bytes: of UTF-8, or of a name that is not UTF-8 (a CP932
// file name on the server), which the path keeps as the file system's own
// bytes. A "%" without two hexadecimal digits is text.
QString DecodePercentEscapes(const QString& link)
{
    if (!link.contains(u'%'))
        return link;
    // "%" and the digits are ASCII, so they stand alone in the UTF-8 form.
    const QByteArray text = platform::EncodePath(link);
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
    return platform::DecodePath(bytes);
}

// The path a link names from the folders below the root that it starts
// in; ".." at the root stays there, as a server's root is the top of every
// URL path.
QString JoinBelowRoot(const QString& root, QStringList parts, const QString& link)
{
    const QStringList linkParts = link.split(u'/');
    for (qsizetype i = 0; i < linkParts.size(); ++i) {
        const QString& part = linkParts.at(i);
        if (part == QStringLiteral("..")) {
            if (!parts.isEmpty())
                parts.removeLast();
        } else if (part != QStringLiteral(".") && (!part.isEmpty() || i == linkParts.size() - 1)) {
            parts.append(part);
        }
    }
    return root + parts.join(u'/');
}

// A path (its folder ending in "/") relative to the root; nullopt when it
// is not below it.
std::optional<QStringList> FoldersBelow(const QString& root, const QString& path)
{
    if (!path.startsWith(root))
        return std::nullopt;
    QStringList folders = path.mid(root.size()).split(u'/');
    folders.removeLast();
    folders.removeAll(QString());
    return folders;
}

// The folder a path's links start from, as the system finds it: links to
// folders followed. The path itself where its folder cannot be found.
QString WithRealFolder(const QString& path)
{
    const qsizetype slash = path.lastIndexOf(u'/');
    const QString real = platform::RealPath(path.left(slash + 1));
    if (slash < 0 || real.isEmpty())
        return path;
    return (real.endsWith(u'/') ? real : real + u'/') + path.mid(slash + 1);
}

int LeadingUps(const QString& link)
{
    int ups = 0;
    while (link.mid(ups * 3, 3) == QStringLiteral("../"))
        ++ups;
    return ups;
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
    QString reference = pickedPath.mid(pickedPath.lastIndexOf(u'/') + 1);
    if (!documentPath.isEmpty()) {
        // Through a link to a folder the same file has two paths; the one
        // that climbs less is the one a server has too.
        reference = MakeRelativePath(documentPath, pickedPath);
        const QString real = MakeRelativePath(WithRealFolder(documentPath), WithRealFolder(pickedPath));
        if (LeadingUps(real) < LeadingUps(reference))
            reference = real;
    }
    QString out;
    out.reserve(reference.size());
    for (const QChar c : reference) {
        // A backslash is a "/" to browsers, and tab and line ends vanish.
        if (c == u'%' || c == u'#' || c == u'?' || c == u' ' || c == u'\\' || c.unicode() < 0x20
            || c.unicode() == 0x7F)
            out += QStringLiteral("%%1").arg(c.unicode(), 2, 16, QLatin1Char('0')).toUpper();
        else
            out += c;
    }
    // "a:b.png" would be read as an address with the scheme "a".
    if (IsSchemeLink(out))
        out.prepend(QStringLiteral("./"));
    return out;
}

bool IsOutsideSite(const QString& documentPath, const QString& pickedPath, const QString& siteRoot)
{
    if (documentPath.isEmpty())
        return false;
    if (!siteRoot.isEmpty()) {
        const QString root = siteRoot.endsWith(u'/') ? siteRoot : siteRoot + u'/';
        // Either path of each may be the one the site is known by.
        const QString roots[] = {root, WithRealFolder(root)};
        for (const QString& path : {pickedPath, WithRealFolder(pickedPath)})
            for (const QString& r : roots)
                if (path.startsWith(r))
                    return false;
        return true;
    }
    // Without a known site: a link that has to climb to the root of the
    // file system to reach the file leaves any site the page is part of.
    const QString reference = ReferenceForPickedFile(documentPath, pickedPath);
    const int ups = LeadingUps(reference);
    return ups > 0 && ups >= documentPath.count(u'/') - 1;
}

QString PickedFileOutsideSiteText()
{
    return QStringLiteral("選んだファイルはサイトのフォルダの外にあります。"
                          "サーバーでは、このリンクの先は見つかりません");
}

QString ReferenceForPickedFile(Ui& ui, const QString& documentPath, const QString& pickedPath,
                               const QString& siteRoot)
{
    if (IsOutsideSite(documentPath, pickedPath, siteRoot))
        ui.Message(UiText(PickedFileOutsideSiteText()));
    return ReferenceForPickedFile(documentPath, pickedPath);
}

QString CleanLinkText(const QString& link)
{
    QString clean = link;
    clean.removeIf([](QChar c) { return c == u'\t' || c == u'\n' || c == u'\r'; });
    qsizetype from = 0, to = clean.size();
    while (from < to && clean.at(from).unicode() <= 0x20)
        ++from;
    while (to > from && clean.at(to - 1).unicode() <= 0x20)
        --to;
    return clean.mid(from, to - from);
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
    QString path = CleanLinkText(link);
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
    QString root = siteRoot;
    root.replace(u'\\', u'/');
    if (!root.isEmpty() && !root.endsWith(u'/'))
        root += u'/';
    if (path.startsWith(u'/')) {
        if (root.isEmpty())
            return {Kind::NoSiteRoot, QString()};
        return {Kind::File, JoinBelowRoot(root, {}, path.mid(1))};
    }
    // In a site, a link resolves as the server resolves its URL: ".." never
    // leaves the site's root, however many folders the disk has above it.
    if (!root.isEmpty()) {
        if (const std::optional<QStringList> folders = FoldersBelow(root, from))
            return {Kind::File, JoinBelowRoot(root, *folders, path)};
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

bool IsMissingTarget(const LinkTarget& target)
{
    switch (target.kind) {
    case LinkTarget::Kind::External:
    case LinkTarget::Kind::NoSiteRoot:
        return false;
    case LinkTarget::Kind::AboveRoot:
        return true;
    case LinkTarget::Kind::File:
        break;
    }
    return !platform::IsFolder(target.path) && !platform::CanRead(target.path);
}
