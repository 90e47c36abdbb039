#pragma once

#include <QString>

#include <optional>

class Ui;

// Link text between a document and the files it names. Paths are absolute
// file paths with "/" separators; link texts use "/" too. Neither function
// touches the file system.

// The link text that leads from the document to the target: the target's
// file name when both are in the same folder, otherwise "../" once for
// every folder of the document's path below the first one they do not
// share, then the rest of the target's folders and its file name. Folder
// names compare exactly (letter case counts).
//   MakeRelativePath("/d/site/index.htm", "/d/site/img/a.gif") == "img/a.gif"
//   MakeRelativePath("/d/site/index.htm", "/d/b.gif")          == "../b.gif"
// With an empty document path the target path comes back whole.
QString MakeRelativePath(const QString& documentPath, const QString& targetPath);

// The file path a link text names, relative to the folder of the document.
// "." and ".." are taken out of the result wherever they stand, so the
// result is a plain path; nullopt when the link climbs above the file
// system root (callers show RelativePathErrorText and open nothing).
// Without a document path the link is cleaned the same way but stays
// relative.
//   ResolveRelativePath("/d/site/index.htm", "../img/a.gif") == "/d/img/a.gif"
//   ResolveRelativePath("/d/site/index.htm", "a.gif")        == "/d/site/a.gif"
// The link text is taken as a path: "#" and "?" parts and %XX escapes are
// left as they are (LinkTargetPath strips and decodes them).
std::optional<QString> ResolveRelativePath(const QString& documentPath,
                                           const QString& relativePath);

// The message for a relative path that climbs above the first folder.
QString RelativePathErrorText();

// What a file field holds after the user picked a file with its browse
// button: the link text from the document to the file, or the bare file
// name while the document has no path. "%", "#", "?", blanks, "\" and
// control characters of the names are written as %XX escapes, so that
// browsers (and LinkTargetPath) find the file instead of reading a
// fragment, a query or a folder; a first name with a ":" gets "./", or it
// would be an address. Where a folder of either path is reached through a
// link, the path with the fewest "../" is taken (this looks at the file
// system).
QString ReferenceForPickedFile(const QString& documentPath, const QString& pickedPath);

// Whether a picked file lies outside the site of the document: not below
// siteRoot (either path may go through links to folders); without a site
// root, when the link to it climbs to the root of the file system.
bool IsOutsideSite(const QString& documentPath, const QString& pickedPath,
                   const QString& siteRoot);
QString PickedFileOutsideSiteText();

// ReferenceForPickedFile, after telling the user when the file is outside
// the site: published, the page would link to nothing.
QString ReferenceForPickedFile(Ui& ui, const QString& documentPath, const QString& pickedPath,
                               const QString& siteRoot);

// A link as the URL parser takes it: tab, CR and LF removed wherever they
// stand (a link wrapped over lines is one link), blanks and control
// characters removed at both ends.
QString CleanLinkText(const QString& link);

// True for a link with a URL scheme ("http:", "mailto:", "javascript:",
// "data:" ...): it names no file beside the document.
bool IsSchemeLink(const QString& link);

// What a link of a page names, read as browsers read it.
struct LinkTarget {
    enum class Kind {
        File,        // a local file or folder: path
        External,    // a scheme link or a network path ("//host/a.gif")
        NoSiteRoot,  // root-relative ("/css/a.css") while no site root is known
        AboveRoot,   // climbs above the root of the file system
    };
    Kind kind = Kind::File;
    QString path;
};

// The file a link of the page at documentPath names: the link is cleaned
// (CleanLinkText), "\" is read as "/", the "#fragment" and "?query" parts
// are dropped and %XX escapes decoded (bytes that are not UTF-8 as the
// file system's own); a link that is only a fragment or query names the
// page itself. A relative link resolves against the base (the page's <BASE
// HREF>, itself resolved like a link) or else the page's folder; a
// root-relative link against siteRoot, the local folder of the site, never
// against the page's folder. Inside the site, ".." stops at siteRoot as it
// stops at a server's root.
LinkTarget ResolveLink(const QString& documentPath, const QString& link,
                       const QString& siteRoot = QString(), const QString& base = QString());

// The path of ResolveLink for a file link; nullopt for every other kind and
// without a document path.
std::optional<QString> LinkTargetPath(const QString& documentPath, const QString& link,
                                      const QString& siteRoot = QString());

// Whether the link check counts a resolved local link as missing: it climbs
// above the root, or its file neither is a folder (a server answers for a
// folder with its index page) nor can be read. External links and
// root-relative ones without a root are not missing.
bool IsMissingTarget(const LinkTarget& target);
