#pragma once

#include <QStringList>
#include <QTextStream>

#include <memory>

// kelvo-tool image-size FILE...: one line per file, in order: "FILE: WIDTH
// HEIGHT", or "FILE: " and the image dialog's message when the file cannot
// be read or holds no image it knows. Status 1 when any failed.
int ImageSizeCommand(const QStringList& files, QTextStream& out, QTextStream& err);

// kelvo-tool links [--root DIR] [--config DIR] FILE...: the link check of
// the editor. One FILE gives one "missing: TARGET" line per missing target;
// several, or a folder (walked for .htm, .html, .shtml and .php pages),
// "FILE: missing: TARGET" lines. Root-relative links start from --root,
// else from the local folder of the FTP site set (in the settings of
// --config) that holds the page; without either they are counted in a last
// "skipped=N" line. Status 1 when any target is missing.
int LinksCommand(const QStringList& args, QTextStream& out, QTextStream& err);

namespace platform {
class SettingsStore;
}

// What the commands that read the pages of a site take: FILE|FOLDER
// inputs, --root DIR and --config DIR.
struct SitePagesOptions {
    QStringList inputs;
    QString root;    // absolute, or empty
    QString config;
};
// Parses the arguments; false after a usage message for an unknown option
// or no input.
bool ParseSitePages(const char* command, const QStringList& args, SitePagesOptions& options,
                    QTextStream& err);
// The pages the inputs name: files as given, folders walked for .htm,
// .html, .shtml and .php pages in name order (names read as bytes, links to
// folders not followed). A folder that cannot be read is reported and makes
// the status 1.
QStringList SitePages(const QStringList& inputs, QTextStream& err, int& status);

// Where the root-relative links of a page start: --root, else the local
// folder of the FTP site set in the --config settings that holds the page.
class SiteRoots {
public:
    explicit SiteRoots(const SitePagesOptions& options);
    ~SiteRoots();
    QString For(const QString& absolutePath) const;

private:
    QString m_root;
    std::unique_ptr<platform::SettingsStore> m_store;
};
