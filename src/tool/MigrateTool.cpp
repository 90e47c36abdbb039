#include "tool/MigrateTool.h"

#include "core/migrate/SiteMigration.h"
#include "platform/FileAccess.h"
#include "platform/FolderListing.h"

#include <algorithm>


namespace {

constexpr int kOk = 0;
constexpr int kFailed = 1;
constexpr int kUsage = 2;

int Usage(QTextStream& err, const QString& text)
{
    err << "kelvo-tool: migrate: " << text << '\n';
    return kUsage;
}

// A file of the site named as the plan shows it, CP932 names as text: its
// path with the names' own bytes, or empty.
QString FileShownAs(const QString& root, const QString& shown)
{
    QString path;
    for (const QString& part : shown.split(u'/', Qt::SkipEmptyParts)) {
        const std::vector<platform::FolderEntry> entries = platform::ListFolder(root + path);
        const auto e = std::find_if(entries.begin(), entries.end(),
                                    [&](const platform::FolderEntry& e) { return platform::DisplayPath(e.name) == part; });
        if (e == entries.end())
            return QString();
        path += u'/' + e->name;
    }
    return path.mid(1);
}

} // namespace

int MigrateCommand(const QStringList& args, QTextStream& out, QTextStream& err)
{
    MigrationOptions options;
    bool dryRun = false;
    QStringList named;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        const bool hasValue = i + 1 < args.size();
        if (a == u"--dry-run") {
            dryRun = true;
        } else if (a == u"--htaccess") {
            options.serverConfig = true;
        } else if (a == u"--to" && hasValue) {
            const QString to = args[++i];
            if (to.compare(u"utf8", Qt::CaseInsensitive) != 0 && to.compare(u"utf-8", Qt::CaseInsensitive) != 0)
                return Usage(err, QStringLiteral("only --to utf8 is supported"));
        } else if (a == u"--backup" && hasValue) {
            options.backup = args[++i];
        } else if (a == u"--include" && hasValue) {
            options.include.append(args[++i]);
        } else if (a == u"--code" && hasValue) {
            named.append(args[++i]);
        } else if (a.startsWith(u'-') && a.size() > 1) {
            return Usage(err, QStringLiteral("unknown option or missing value: %1").arg(a));
        } else if (options.root.isEmpty()) {
            options.root = a;
        } else {
            return Usage(err, QStringLiteral("one SITE only: %1").arg(a));
        }
    }
    if (options.root.isEmpty())
        return Usage(err, QStringLiteral("a SITE folder is needed"));
    const QString root = platform::AbsolutePath(options.root);
    for (const QString& n : named) {
        const qsizetype eq = n.lastIndexOf(u'=');
        const std::optional<CodeKind> code = eq > 0 ? CodeKindFromName(n.mid(eq + 1)) : std::nullopt;
        if (!code || *code == CodeKind::Ascii || *code == CodeKind::Unknown)
            return Usage(err, QStringLiteral("--code needs FILE=ShiftJis, Jis, Euc or Utf8: %1").arg(n));
        // As the plan shows it (relative to SITE), or a path to a file in SITE.
        QString file = n.left(eq);
        const QString absolute = platform::AbsolutePath(file);
        if (absolute.startsWith(root + u'/') && platform::IsRegularFile(absolute))
            file = absolute.mid(root.size() + 1);
        if (!platform::IsRegularFile(root + u'/' + file))
            file = FileShownAs(root, file);
        if (file.isEmpty() || !platform::IsRegularFile(root + u'/' + file))
            return Usage(err, QStringLiteral("--code names no file of the site: %1").arg(n.left(eq)));
        options.codes[file] = *code;
    }

    const MigrationPlan plan = PlanMigration(options);
    if (!plan.error.isEmpty()) {
        err << "kelvo-tool: migrate: " << plan.error << '\n';
        return kFailed;
    }
    for (const QString& line : plan.Lines())
        out << line << '\n';
    out.flush();
    int skipped = 0, servers = 0;
    for (const MigrationFile& f : plan.files)
        if (f.action == MigrationFile::Action::Skip)
            ++(DeclarationSyntaxFor(f.path) == DeclarationSyntax::Server ? servers : skipped);
    if (skipped > 0)
        err << "kelvo-tool: migrate: " << skipped << " file(s) left alone; --code FILE=CODE reads one in its code\n";
    if (servers > 0)
        err << "kelvo-tool: migrate: --htaccess rewrites the .htaccess lines listed\n";
    if (dryRun)
        return kOk;
    const MigrationResult result = ApplyMigration(plan, options);
    for (const MigrationFile& f : result.failed)
        err << "kelvo-tool: migrate: " << platform::DisplayPath(f.path) << ": " << f.reason << '\n';
    return result.failed.empty() ? kOk : kFailed;
}
