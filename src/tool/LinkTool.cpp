#include "tool/LinkTool.h"

#include "core/doc/DocumentCodec.h"
#include "core/doc/DocumentFile.h"
#include "core/links/ImageSize.h"
#include "core/links/PageLinks.h"

#include <QFile>
#include <QFileInfo>

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
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly)) {
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

int LinksCommand(const QStringList& args, QTextStream& out, QTextStream& err)
{
    if (args.size() != 1) {
        err << "kelvo-tool: links needs one file\n";
        return kUsage;
    }
    const QString path = QFileInfo(args.at(0)).absoluteFilePath();
    platform::FileRead file = platform::ReadRegularFile(path, kMaxDocumentSize);
    if (file.error != platform::FileError::None) {
        err << "kelvo-tool: cannot read " << args.at(0) << '\n';
        return kFailed;
    }
    const QString text = DecodeDocument(std::move(file.bytes), true).text;
    const QStringList missing = MissingLinkTargets(text, path);
    for (const QString& target : missing)
        out << "missing: " << target << '\n';
    return missing.isEmpty() ? kOk : kFailed;
}
