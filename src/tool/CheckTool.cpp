#include "tool/CheckTool.h"

#include "tool/LinkTool.h"

#include "core/check/PageCheck.h"
#include "core/doc/CodeDetect.h"
#include "core/doc/DocumentCodec.h"
#include "core/doc/DocumentFile.h"
#include "platform/FileAccess.h"
#include "platform/FolderListing.h"


namespace {

constexpr int kOk = 0;
constexpr int kFailed = 1;
constexpr int kUsage = 2;

// A message on one line, whatever a page's text put into it.
QString OneLine(QString text)
{
    text.replace(u'\r', u' ');
    text.replace(u'\n', u' ');
    return text;
}

} // namespace

int CheckCommand(const QStringList& args, QTextStream& out, QTextStream& err)
{
    SitePagesOptions options;
    if (!ParseSitePages("check", args, options, err))
        return kUsage;
    int status = kOk;
    const QStringList pages = SitePages(options.inputs, err, status);
    const SiteRoots roots(options);
    for (const QString& page : pages) {
        const QString shown = platform::DisplayPath(page);
        const QString path = platform::AbsolutePath(page);
        if (!IsCheckablePage(path)) {
            err << "kelvo-tool: check: no HTML page, skipped: " << shown << '\n';
            continue;
        }
        platform::FileRead file = platform::ReadRegularFile(path, kMaxDocumentSize);
        if (file.error != platform::FileError::None || IsUtf16File(file.bytes)) {
            err << "kelvo-tool: cannot read " << shown << '\n';
            status = kFailed;
            continue;
        }
        const DecodedDocument decoded = DecodeDocument(std::move(file.bytes), true);
        CheckedPage checked;
        checked.text = decoded.text;
        checked.path = path;
        checked.siteRoot = roots.For(path);
        checked.saveCode = decoded.code;
        for (const PageProblem& p : CheckPage(checked)) {
            out << shown << ':' << p.line << ':' << p.column << ": " << ProblemLevelKeyword(p.level)
                << ": " << OneLine(p.message) << '\n';
            if (p.level == ProblemLevel::Error)
                status = kFailed;
        }
    }
    return status;
}
