#include "core/migrate/SiteMigration.h"

#include "core/app/UiText.h"
#include "core/doc/CodeDetect.h"
#include "core/doc/DocumentCodec.h"
#include "core/doc/DocumentFile.h"
#include "core/links/PageLinks.h"
#include "core/links/RelativePath.h"
#include "core/search/FolderSearch.h"
#include "core/tags/CharRefs.h"
#include "platform/FileAccess.h"
#include "platform/FolderListing.h"


#include <algorithm>
#include <set>

namespace {

using Action = MigrationFile::Action;

QString Absolute(const QString& path)
{
    return platform::AbsolutePath(path);
}

// The real path of a folder that may not be there yet: that of the nearest
// folder above it that is, with the names below.
QString RealFolder(QString path)
{
    QStringList below;
    QString real = platform::RealPath(path);
    while (real.isEmpty() && path.lastIndexOf(u'/') > 0) {
        below.prepend(platform::NameOfPath(path));
        path = platform::FolderOfPath(path);
        real = platform::RealPath(path);
    }
    if (real.isEmpty())
        return path + u'/' + below.join(u'/');
    for (const QString& name : below)
        real += (real.endsWith(u'/') ? QString() : QStringLiteral("/")) + name;
    return real;
}

bool Under(const QString& path, const QString& folder)
{
    return path.startsWith(folder) && path.size() > folder.size() && path[folder.size()] == u'/';
}

QString ReadProblem(platform::FileError error)
{
    switch (error) {
    case platform::FileError::Folder:
    case platform::FileError::NotRegular:
    case platform::FileError::NoReader:
        return UiText(QStringLiteral("通常のファイルではありません"));
    case platform::FileError::TooLarge:
        return UiText(QStringLiteral("大きすぎるファイルです"));
    default:
        return UiText(QStringLiteral("読み込めません"));
    }
}

MigrationChange Change(QStringView text, const CodeDeclaration& d)
{
    const QString head = text.mid(d.markupStart, d.start - d.markupStart).toString();
    const QString tail = text.mid(d.end, d.markupEnd - d.end).toString();
    return MigrationChange{d, (head + d.value + tail).simplified(),
                           (head + DeclaredValueFor(d, CodeKind::Utf8) + tail).simplified()};
}

// Whether the text has kanji but not one hiragana or katakana.
bool KanjiWithoutKana(QStringView text)
{
    bool kanji = false;
    for (const QChar c : text) {
        if (c.unicode() >= 0x3040 && c.unicode() <= 0x30FF)
            return false;
        kanji = kanji || (c.unicode() >= 0x4E00 && c.unicode() <= 0x9FFF);
    }
    return kanji;
}

// Whether every declaration of the text's own code names this code.
bool SaysOnly(QStringView text, const QString& path, CodeKind code)
{
    const std::vector<CodeDeclaration> found = FindCodeDeclarations(text, DeclarationSyntaxFor(path));
    return std::all_of(found.begin(), found.end(),
                       [&](const CodeDeclaration& d) { return !d.OfOwnText() || d.code == code; });
}

// A text file as the plan reads it: what becomes of it, and the files its
// SCRIPT and LINK elements declare the code of (absolute paths, one for
// each of those declarations).
struct Reading {
    MigrationFile file;
    std::vector<MigrationChange> linked;
    QStringList linkedPaths;
};

class Planner {
public:
    Planner(const MigrationOptions& options, MigrationPlan& plan)
        : m_options(options), m_plan(plan), m_realRoot(platform::RealPath(plan.root))
    {
    }

    Reading Read(const QString& relative);
    void Finish(std::vector<Reading>& readings);

private:
    void ReadText(Reading& r, const QByteArray& bytes, std::optional<CodeKind> named);
    void ReadServerConfig(Reading& r, const QByteArray& bytes);
    void CheckBackup(MigrationFile& file);
    std::optional<CodeKind> NamedCode(const QString& relative) const;

    const MigrationOptions& m_options;
    MigrationPlan& m_plan;
    const QString m_realRoot;
    std::map<platform::FileIdentity, QString> m_seen;
};

std::optional<CodeKind> Planner::NamedCode(const QString& relative) const
{
    for (const auto& [path, code] : m_options.codes)
        if (path == relative || path == platform::DisplayPath(relative))
            return code;
    return std::nullopt;
}

Reading Planner::Read(const QString& relative)
{
    Reading r;
    MigrationFile& f = r.file;
    f.path = relative;
    const QString path = m_plan.root + u'/' + relative;
    if (m_options.keep.contains(path)) {
        f.reason = m_options.keepReason;
        return r;
    }
    const platform::FileRead read = platform::ReadRegularFile(path, kMaxDocumentSize);
    if (read.error != platform::FileError::None) {
        f.reason = ReadProblem(read.error);
        return r;
    }
    f.size = read.bytes.size();
    f.digest = platform::ContentDigest(read.bytes);
    // A link that leads out of the site would have the run write a file
    // the user did not choose.
    if (!Under(platform::RealPath(path), m_realRoot)) {
        f.reason = UiText(QStringLiteral("サイトの外のファイルへのリンクです"));
        return r;
    }
    // Another name of a file read already (a hard link, a link inside the
    // site): written once, under its first name, or the second write would
    // find the file changed since the plan.
    const auto [seen, first] = m_seen.emplace(platform::IdentityOf(path), relative);
    if (!first) {
        f.reason = UiText(QStringLiteral("%1 と同じファイルです")).arg(platform::DisplayPath(seen->second));
        return r;
    }
    if (DeclarationSyntaxFor(relative) == DeclarationSyntax::Server)
        ReadServerConfig(r, read.bytes);
    else
        ReadText(r, read.bytes, NamedCode(relative));
    return r;
}

void Planner::ReadText(Reading& r, const QByteArray& bytes, std::optional<CodeKind> named)
{
    MigrationFile& f = r.file;
    if (IsUtf16File(bytes)) {
        f.reason = UiText(QStringLiteral("UTF-16 のファイルです"));
        return;
    }
    if (bytes.contains('\0')) {
        f.reason = UiText(QStringLiteral("バイナリファイルです"));
        return;
    }
    DecodedDocument doc = DecodeDocument(bytes, true);
    // A file an earlier run converted reads as UTF-8 and says so: the code
    // the user named for it then must not convert it a second time.
    const bool readsAsUtf8 = doc.code == CodeKind::Utf8 || doc.code == CodeKind::Ascii;
    if (named && !(readsAsUtf8 && doc.undecodable == 0 && SaysOnly(doc.text, f.path, CodeKind::Utf8)))
        doc = DecodeDocumentAs(bytes, *named, true);
    else
        named.reset();
    f.from = doc.code;
    if (doc.undecodable > 0) {
        const QStringView before = QStringView(doc.text).first(doc.firstUndecodable);
        f.reason = UiText(QStringLiteral("%1 として読めないバイトが %2 個あります（最初は %3 行目）"))
                       .arg(CodeKindName(doc.code))
                       .arg(doc.undecodable)
                       .arg(before.count(u'\n') + 1);
        return;
    }
    if (doc.code == CodeKind::Unknown) {
        f.reason = UiText(QStringLiteral("文字コードを判定できません"));
        return;
    }
    const std::vector<CodeDeclaration> found = FindCodeDeclarations(doc.text, DeclarationSyntaxFor(f.path));
    // What the user named is read so, whatever the page says.
    for (size_t i = 0; !named && i < found.size(); ++i) {
        const CodeDeclaration& d = found[i];
        if (d.kind == CodeDeclaration::Kind::ServerCode && d.code != CodeKind::Utf8) {
            f.reason = UiText(QStringLiteral("%1 行目でサーバ側のコードが charset=%2 を指定しています"))
                           .arg(d.line)
                           .arg(d.value);
            return;
        }
        if (d.kind == CodeDeclaration::Kind::ServerName && d.code != CodeKind::Utf8) {
            f.reason = UiText(QStringLiteral("%1 行目でサーバ側のコードが文字コード %2 を使っています"))
                           .arg(d.line)
                           .arg(d.value);
            return;
        }
        // Plain ASCII reads the same in every code a page may declare.
        if (d.OfOwnText() && doc.code != CodeKind::Ascii && d.code != doc.code) {
            f.reason = UiText(QStringLiteral("%1 行目で %2 と宣言していますが、%3 と判定しました"))
                           .arg(d.line)
                           .arg(d.value, CodeKindName(doc.code));
            return;
        }
    }
    // Half-width katakana in Shift-JIS read as EUC kanji, and the detector
    // takes kanji for the likelier text. Japanese in EUC without a single
    // kana is not, though: with no declaration, the user must say which.
    const bool declared = std::any_of(found.begin(), found.end(), [](const CodeDeclaration& d) { return d.OfOwnText(); });
    if (!named && !declared && doc.code == CodeKind::Euc && KanjiWithoutKana(doc.text)
        && DecodeDocumentAs(bytes, CodeKind::ShiftJis, true).undecodable == 0) {
        f.reason = UiText(QStringLiteral("%1 としても %2 としても読めます"))
                       .arg(CodeKindName(CodeKind::Euc), CodeKindName(CodeKind::ShiftJis));
        return;
    }
    const QString base = PageBase(doc.text);
    const QString path = m_plan.root + u'/' + f.path;
    for (const CodeDeclaration& d : found) {
        if (d.OfOwnText()) {
            if (d.code != CodeKind::Utf8)
                f.changes.push_back(Change(doc.text, d));
        } else if ((d.kind == CodeDeclaration::Kind::ScriptCharset || d.kind == CodeDeclaration::Kind::LinkCharset)
                   && d.code != CodeKind::Utf8) {
            // Whether the file it names is UTF-8 after the run is known
            // once every file is read.
            const LinkTarget target = ResolveLink(path, DecodeAttrCharRefs(d.target), m_plan.root, base);
            if (target.kind == LinkTarget::Kind::File && Under(target.path, m_plan.root)) {
                r.linked.push_back(Change(doc.text, d));
                r.linkedPaths.append(target.path);
            }
        }
    }
    f.action = doc.code == CodeKind::Utf8 || doc.code == CodeKind::Ascii ? Action::Declare : Action::Convert;
}

void Planner::ReadServerConfig(Reading& r, const QByteArray& bytes)
{
    MigrationFile& f = r.file;
    // The directives are ASCII; read as Latin-1, every byte keeps its place.
    const QString text = QString::fromLatin1(bytes);
    const QStringList patterns = DefaultMigrationPatterns() + m_options.include;
    for (const CodeDeclaration& d : FindCodeDeclarations(text, DeclarationSyntax::Server)) {
        if (d.code == CodeKind::Utf8)
            continue;
        // AddType and AddCharset name extensions; one the run converts no
        // file of is none of its business.
        if (d.kind == CodeDeclaration::Kind::ServerType) {
            const QStringList extensions = d.target.split(u' ', Qt::SkipEmptyParts);
            if (std::none_of(extensions.begin(), extensions.end(), [&](const QString& e) {
                    return patterns.contains(u'*' + (e.startsWith(u'.') ? e : u'.' + e), Qt::CaseInsensitive);
                }))
                continue;
        }
        f.changes.push_back(Change(text, d));
    }
    if (f.changes.empty())
        return;
    if (m_options.serverConfig) {
        f.action = Action::Declare;
    } else {
        f.reason = UiText(QStringLiteral("サーバの設定は、書き換えを選んだときだけ書き換えます"));
    }
}

void Planner::CheckBackup(MigrationFile& file)
{
    if (m_options.backup.isEmpty())
        return;
    const QString copy = Absolute(m_options.backup) + u'/' + file.path;
    const platform::FileRead kept = platform::ReadRegularFile(copy, kMaxDocumentSize);
    if (kept.error == platform::FileError::Missing)
        return;
    // An earlier run's copy is the original of a file that run wrote, which
    // is UTF-8 by now; any other copy of another content is not ours.
    const platform::FileRead now = platform::ReadRegularFile(m_plan.root + u'/' + file.path, kMaxDocumentSize);
    if (kept.error == platform::FileError::None
        && (kept.bytes == now.bytes || file.from == CodeKind::Utf8 || file.from == CodeKind::Ascii))
        return;
    file.action = Action::Skip;
    file.changes.clear();
    file.reason = UiText(QStringLiteral("バックアップ先に同じ名前の別のファイルがあります"));
}

void Planner::Finish(std::vector<Reading>& readings)
{
    // The files that are UTF-8 (or plain ASCII) once the run is over.
    std::set<QString> utf8;
    for (const Reading& r : readings)
        if (r.file.action != Action::Skip && DeclarationSyntaxFor(r.file.path) != DeclarationSyntax::Server)
            utf8.insert(m_plan.root + u'/' + r.file.path);
    for (Reading& r : readings) {
        MigrationFile& f = r.file;
        if (f.action != Action::Skip) {
            for (size_t i = 0; i < r.linked.size(); ++i)
                if (utf8.count(r.linkedPaths[qsizetype(i)]))
                    f.changes.push_back(r.linked[i]);
            std::sort(f.changes.begin(), f.changes.end(), [](const MigrationChange& a, const MigrationChange& b) {
                return a.declaration.start < b.declaration.start;
            });
            if (f.action == Action::Declare && f.changes.empty()) {
                ++m_plan.unchanged;
                continue;
            }
            CheckBackup(f);
        } else if (f.reason.isEmpty()) {
            ++m_plan.unchanged;
            continue;
        }
        m_plan.files.push_back(std::move(f));
    }
}

QString DeclareLine(const QString& path, const MigrationChange& c)
{
    return QStringLiteral("declare %1: %2: %3").arg(path).arg(c.declaration.line).arg(c.after);
}

} // namespace

QStringList DefaultMigrationPatterns()
{
    return {QStringLiteral("*.htm"), QStringLiteral("*.html"), QStringLiteral("*.shtml"),
            QStringLiteral("*.php"), QStringLiteral("*.css"),  QStringLiteral("*.js"),
            QStringLiteral("*.txt")};
}

QStringList MigrationFile::Lines() const
{
    const QString shown = platform::DisplayPath(path);
    QStringList lines;
    switch (action) {
    case Action::Convert:
        lines.append(QStringLiteral("convert %1: %2 -> %3")
                         .arg(shown, CodeKindName(from), CodeKindName(CodeKind::Utf8)));
        [[fallthrough]];
    case Action::Declare:
        for (const MigrationChange& c : changes)
            lines.append(DeclareLine(shown, c));
        break;
    case Action::Skip:
        if (changes.empty())
            lines.append(QStringLiteral("skip %1: %2").arg(shown, reason));
        for (const MigrationChange& c : changes)
            lines.append(QStringLiteral("skip %1: %2: %3: %4")
                             .arg(shown)
                             .arg(c.declaration.line)
                             .arg(c.before, reason));
        break;
    }
    return lines;
}

int MigrationPlan::Count(MigrationFile::Action action) const
{
    return int(std::count_if(files.begin(), files.end(),
                             [&](const MigrationFile& f) { return f.action == action; }));
}

QStringList MigrationPlan::Lines() const
{
    QStringList lines;
    for (const MigrationFile& f : files)
        lines += f.Lines();
    return lines;
}

MigrationPlan PlanMigration(const MigrationOptions& options, const MigrationProgress& progress, bool* cancelled)
{
    MigrationPlan plan;
    plan.root = Absolute(options.root);
    if (cancelled)
        *cancelled = false;
    const QString backup = options.backup.isEmpty() ? QString() : Absolute(options.backup);
    // Compared as the folders they are: a link may name either, and a
    // backup in the site itself would keep no original.
    const QString realRoot = RealFolder(plan.root);
    const QString realBackup = backup.isEmpty() ? QString() : RealFolder(backup);
    if (!backup.isEmpty() && (realBackup == realRoot || Under(realRoot, realBackup))) {
        plan.error = UiText(QStringLiteral("バックアップ先には、サイトのフォルダの外のフォルダを選んでください"));
        return plan;
    }
    if (!platform::IsFolder(plan.root)) {
        plan.error = UiText(QStringLiteral("フォルダがありません - %1")).arg(platform::DisplayPath(plan.root));
        return plan;
    }
    FolderSearchOptions search;
    search.folder = plan.root;
    search.patterns = DefaultMigrationPatterns() + options.include + QStringList{QStringLiteral(".htaccess")};
    QStringList files = ListSearchFiles(search);
    // A backup folder inside the site holds copies, not the site.
    // Folder links are not followed: below the root, the names are those of
    // the real folders.
    if (!backup.isEmpty())
        files.removeIf([&](const QString& f) { return Under(realRoot + f.mid(plan.root.size()), realBackup); });

    Planner planner(options, plan);
    std::vector<Reading> readings;
    readings.reserve(size_t(files.size()));
    for (qsizetype i = 0; i < files.size(); ++i) {
        const QString relative = files[i].mid(plan.root.size() + 1);
        if (progress && !progress(int(i), int(files.size()), relative)) {
            if (cancelled)
                *cancelled = true;
            return plan;
        }
        readings.push_back(planner.Read(relative));
    }
    planner.Finish(readings);
    return plan;
}

MigrationResult ApplyMigration(const MigrationPlan& plan, const MigrationOptions& options,
                               const MigrationProgress& progress)
{
    MigrationResult result;
    std::vector<const MigrationFile*> planned;
    for (const MigrationFile& f : plan.files)
        if (f.action != Action::Skip)
            planned.push_back(&f);
    const QString backup = options.backup.isEmpty() ? QString() : Absolute(options.backup);
    const QString realRoot = platform::RealPath(plan.root);
    for (size_t i = 0; i < planned.size(); ++i) {
        const MigrationFile& want = *planned[i];
        if (progress && !progress(int(i), int(planned.size()), want.path)) {
            result.cancelled = true;
            break;
        }
        MigrationFile failed = want;
        failed.action = Action::Skip;
        failed.changes.clear();
        const auto fail = [&](const QString& reason) {
            failed.reason = reason;
            result.failed.push_back(failed);
        };
        const QString path = plan.root + u'/' + want.path;
        if (options.keep.contains(path)) {
            fail(options.keepReason);
            continue;
        }
        // A name made a link out of the site since the plan would have the
        // write land there.
        if (!Under(platform::RealPath(path), realRoot)) {
            fail(UiText(QStringLiteral("サイトの外のファイルへのリンクです")));
            continue;
        }
        const platform::FileRead read = platform::ReadRegularFile(path, kMaxDocumentSize);
        if (read.error != platform::FileError::None || read.bytes.size() != want.size
            || platform::ContentDigest(read.bytes) != want.digest) {
            fail(UiText(QStringLiteral("調べた後で変更されています")));
            continue;
        }
        std::vector<CodeDeclaration> declarations;
        for (const MigrationChange& c : want.changes)
            declarations.push_back(c.declaration);
        QByteArray bytes;
        if (DeclarationSyntaxFor(want.path) == DeclarationSyntax::Server) {
            bytes = RewriteDeclarations(QString::fromLatin1(read.bytes), declarations, CodeKind::Utf8).toLatin1();
        } else {
            // The same bytes read in the same code give the text the plan
            // found the declarations in.
            const DecodedDocument doc = DecodeDocumentAs(read.bytes, want.from, true);
            bytes = EncodeDocument(RewriteDeclarations(doc.text, declarations, CodeKind::Utf8), CodeKind::Utf8,
                                   doc.lineEnd, &doc.forms);
        }
        if (!backup.isEmpty()) {
            const QString copy = backup + u'/' + want.path;
            if (!platform::PathExists(copy)) {
                if (!platform::MakeFolders(copy.left(copy.lastIndexOf(u'/')))
                    || platform::WriteFileSafely(copy, read.bytes) != platform::FileError::None) {
                    fail(UiText(QStringLiteral("バックアップを書き込めません - %1")).arg(platform::DisplayPath(copy)));
                    continue;
                }
                platform::CopyTimeAndMode(path, copy);
            }
        }
        const platform::FileError error = platform::WriteFileSafely(path, bytes);
        if (error != platform::FileError::None) {
            fail(SaveFailureMessage(error, path));
            continue;
        }
        result.written.append(want.path);
    }
    return result;
}
