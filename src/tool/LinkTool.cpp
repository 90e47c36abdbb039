#include "tool/LinkTool.h"

#include "core/doc/DocumentCodec.h"
#include "core/doc/DocumentFile.h"
#include "core/links/ImageSize.h"
#include "core/links/LinkCommands.h"
#include "core/links/PageLinks.h"
#include "platform/FileAccess.h"
#include "platform/FolderListing.h"
#include "platform/SettingsStore.h"

#include <QFile>
#include <QDir>

#include <algorithm>
#include <memory>

namespace {

constexpr int kOk = 0;
constexpr int kFailed = 1;
constexpr int kUsage = 2;

} // namespace

int ImageSizeCommand(const QStringList& files, QTextStream& out, QTextStream& err)
{
    if (files.isEmpty()) {
        err << "kelvo-tool: image-size needs at least one file\n";
        return kUsage;
    }
    int status = kOk;
    for (const QString& path : files) {
        QFile file;
        if (!OpenImageFile(file, path)) {
            out << path << ": " << ImageNotFoundText() << '\n';
            status = kFailed;
            continue;
        }
        const std::optional<QSize> size = ReadImageSize(file);
        if (!size) {
            out << path << ": " << ImageTypeErrorText() << '\n';
            status = kFailed;
            continue;
        }
        out << path << ": " << size->width() << ' ' << size->height() << '\n';
    }
    return status;
}

namespace {

// The pages of a folder and its subfolders, in name order.
QStringList PagesUnder(const QString& folder, QTextStream& err, int& status)
{
    static const QStringList kSuffixes = {QStringLiteral(".htm"), QStringLiteral(".html"),
                                          QStringLiteral(".shtml"), QStringLiteral(".php")};
    QStringList pages;
    bool readable = true;
    for (const platform::FolderEntry& entry : platform::ListFolder(folder, &readable)) {
        const QString path = (folder.endsWith(u'/') ? folder : folder + u'/') + entry.name;
        if (entry.kind == platform::FolderEntry::Kind::Folder)
            pages += PagesUnder(path, err, status);
        else if (entry.kind == platform::FolderEntry::Kind::File
                 && std::any_of(kSuffixes.begin(), kSuffixes.end(), [&](const QString& suffix) {
                        return entry.name.endsWith(suffix, Qt::CaseInsensitive);
                    }))
            pages.append(path);
    }
    if (!readable) {
        err << "kelvo-tool: cannot read " << platform::DisplayPath(folder) << '\n';
        status = kFailed;
    }
    pages.sort();
    return pages;
}

} // namespace

bool ParseSitePages(const char* command, const QStringList& args, SitePagesOptions& options,
                    QTextStream& err)
{
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& a = args.at(i);
        if ((a == u"--root" || a == u"--config") && i + 1 < args.size())
            (a == u"--root" ? options.root : options.config) = args.at(++i);
        else if (a.startsWith(u"--")) {
            err << "kelvo-tool: " << command << ": unknown option " << a << '\n';
            return false;
        } else
            options.inputs.append(a);
    }
    if (options.inputs.isEmpty()) {
        err << "kelvo-tool: " << command << " needs a file or a folder\n";
        return false;
    }
    if (!options.root.isEmpty())
        options.root = platform::AbsolutePath(options.root);
    return true;
}

QStringList SitePages(const QStringList& inputs, QTextStream& err, int& status)
{
    QStringList pages;
    for (const QString& input : inputs) {
        QString folder = input;
        while (folder.size() > 1 && folder.endsWith(u'/'))
            folder.chop(1);
        pages += platform::IsFolder(input) ? PagesUnder(folder, err, status) : QStringList{input};
    }
    return pages;
}

SiteRoots::SiteRoots(const SitePagesOptions& options) : m_root(options.root)
{
    if (!options.config.isEmpty())
        m_store = std::make_unique<platform::SettingsStore>(
            QDir(options.config).filePath(QStringLiteral("kelvo.ini")));
}

SiteRoots::~SiteRoots() = default;

QString SiteRoots::For(const QString& absolutePath) const
{
    return !m_root.isEmpty() ? m_root : m_store ? SiteRootFor(*m_store, absolutePath) : QString();
}

int LinksCommand(const QStringList& args, QTextStream& out, QTextStream& err)
{
    SitePagesOptions options;
    if (!ParseSitePages("links", args, options, err))
        return kUsage;
    int status = kOk;
    const QStringList pages = SitePages(options.inputs, err, status);
    const bool single = options.inputs.size() == 1 && pages.size() == 1
                        && !platform::IsFolder(options.inputs.at(0));
    const SiteRoots roots(options);

    int skipped = 0;
    for (const QString& page : pages) {
        const QString path = platform::AbsolutePath(page);
        platform::FileRead file = platform::ReadRegularFile(path, kMaxDocumentSize);
        if (file.error != platform::FileError::None) {
            err << "kelvo-tool: cannot read " << platform::DisplayPath(page) << '\n';
            status = kFailed;
            continue;
        }
        const QString text = DecodeDocument(std::move(file.bytes), true).text;
        const PageLinkCheck check = CheckPageLinks(text, path, roots.For(path));
        for (const QString& target : check.missing) {
            if (!single)
                out << platform::DisplayPath(page) << ": ";
            out << "missing: " << target << '\n';
        }
        if (!check.missing.isEmpty())
            status = kFailed;
        skipped += check.skipped;
    }
    if (skipped > 0)
        out << "skipped=" << skipped << '\n';
    return status;
}
