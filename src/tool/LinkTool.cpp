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
#include <QFileInfo>

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

// The pages of a folder and its subfolders, in name order. Names are read
// as bytes, so a page whose name is not UTF-8 (CP932 from a Windows
// archive) is checked like any other; links to folders are not followed.
// A folder that cannot be read is reported and makes the status 1.
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

int LinksCommand(const QStringList& args, QTextStream& out, QTextStream& err)
{
    QString root;
    QString config;
    QStringList inputs;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& a = args.at(i);
        if ((a == u"--root" || a == u"--config") && i + 1 < args.size())
            (a == u"--root" ? root : config) = args.at(++i);
        else if (a.startsWith(u"--")) {
            err << "kelvo-tool: links: unknown option " << a << '\n';
            return kUsage;
        } else
            inputs.append(a);
    }
    if (inputs.isEmpty()) {
        err << "kelvo-tool: links needs a file or a folder\n";
        return kUsage;
    }
    int status = kOk;
    QStringList pages;
    for (const QString& input : inputs) {
        QString folder = input;
        while (folder.size() > 1 && folder.endsWith(u'/'))
            folder.chop(1);
        pages += platform::IsFolder(input) ? PagesUnder(folder, err, status) : QStringList{input};
    }
    const bool single = inputs.size() == 1 && pages.size() == 1 && !platform::IsFolder(inputs.at(0));
    if (!root.isEmpty())
        root = QFileInfo(root).absoluteFilePath();
    std::unique_ptr<platform::SettingsStore> store;
    if (!config.isEmpty())
        store = std::make_unique<platform::SettingsStore>(
            QDir(config).filePath(QStringLiteral("kelvo.ini")));

    int skipped = 0;
    for (const QString& page : pages) {
        const QString path = QFileInfo(page).absoluteFilePath();
        platform::FileRead file = platform::ReadRegularFile(path, kMaxDocumentSize);
        if (file.error != platform::FileError::None) {
            err << "kelvo-tool: cannot read " << platform::DisplayPath(page) << '\n';
            status = kFailed;
            continue;
        }
        const QString text = DecodeDocument(std::move(file.bytes), true).text;
        const QString siteRoot = !root.isEmpty() ? root
                                 : store       ? SiteRootFor(*store, path)
                                               : QString();
        const PageLinkCheck check = CheckPageLinks(text, path, siteRoot);
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
