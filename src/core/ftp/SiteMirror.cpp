#include "core/ftp/SiteMirror.h"

#include "core/app/UiText.h"
#include "core/ftp/CFtpSet.h"
#include "core/ftp/RemoteSession.h"
#include "platform/FileAccess.h"
#include "platform/FolderListing.h"
#include "platform/SettingsStore.h"

#include <QDir>

#include <algorithm>
#include <map>

namespace {

QString Join(const QString& folder, const QString& name)
{
    if (folder.isEmpty())
        return name;
    return folder.endsWith(u'/') ? folder + name : folder + u'/' + name;
}

// How far a text listing's time, read as local time, can be from the
// file's: the server may list in any zone from UTC-12 to UTC+14 and this
// side reads it in its own (26 hours apart at most), and the listing of an
// older file gives the day only (24 more).
constexpr qint64 kUnknownZoneSpan = (26 + 24) * 3600;

} // namespace

QString MirrorAction::Line() const
{
    switch (kind) {
    case Kind::MakeFolder: return QStringLiteral("mkdir ") + (path.isEmpty() ? QStringLiteral(".") : path);
    case Kind::Put: return QStringLiteral("put ") + path;
    case Kind::Remove:
    case Kind::RemoveFolder: return QStringLiteral("rm ") + path;
    }
    return QString();
}

qint64 MirrorPlan::TotalBytes() const
{
    qint64 total = 0;
    for (const MirrorAction& a : actions) {
        if (a.kind == MirrorAction::Kind::Put)
            total += a.size;
    }
    return total;
}

SiteMirror::SiteMirror(RemoteSession& session) : m_session(session) {}

bool SiteMirror::Fail(const QString& text)
{
    m_error = text;
    return false;
}

bool SiteMirror::Cancelled()
{
    if (m_cancel && m_cancel->load())
        m_cancelled = true;
    return m_cancelled;
}

bool SiteMirror::Plan(const QString& localRoot, const QString& remoteRoot, bool removeGone, MirrorPlan& plan)
{
    m_error.clear();
    m_cancelled = false;
    plan = MirrorPlan();
    if (!platform::IsFolder(localRoot))
        return Fail(UiText(QStringLiteral("ローカルフォルダがありません: %1")).arg(platform::DisplayPath(localRoot)));
    plan.localRoot = m_localRoot = QDir::cleanPath(localRoot);
    m_canonicalRoot = platform::RealPath(localRoot);
    m_walked = {m_canonicalRoot};
    const QString start = m_session.CurrentFolder();
    bool exists = true;
    if (remoteRoot.isEmpty()) {
        m_remoteRoot = start;
    } else if (m_session.ChangeFolder(remoteRoot)) {
        m_remoteRoot = m_session.CurrentFolder();
    } else {
        // A first publication makes the server folder.
        m_remoteRoot = remoteRoot.startsWith(u'/') ? remoteRoot : Join(start, remoteRoot);
        plan.actions.push_back({MirrorAction::Kind::MakeFolder, QString(), 0, {}});
        exists = false;
    }
    plan.remoteRoot = m_remoteRoot;
    const bool ok = Compare(QString(), QString(), exists, removeGone, plan);
    // A relative server folder means the same on the next run.
    m_session.ChangeFolder(start);
    if (!ok)
        plan.actions.clear();
    return ok;
}

// The entries of a local folder in the order of their server names. The
// names are read by bytes: a CP932 name from a Windows archive goes to the
// server as the text it reads as, and one that reads as no text is left
// here with a note, never taken for missing (which would remove the
// server's copy).
std::vector<SiteMirror::LocalEntry> SiteMirror::LocalEntries(const QString& local, MirrorPlan& plan) const
{
    const QString folder = local.isEmpty() ? m_localRoot : Join(m_localRoot, local);
    std::vector<LocalEntry> entries;
    std::set<QString> names;
    for (const platform::FolderEntry& e : platform::ListFolder(folder)) {
        using K = platform::FolderEntry::Kind;
        if (e.kind == K::Other)
            continue;
        LocalEntry entry;
        entry.local = Join(local, e.name);
        const std::optional<QString> name = platform::NameAsText(e.name);
        if (!name || !names.insert(*name).second) {
            plan.notes.append(UiText(QStringLiteral("サーバのファイル名にできないので送りませんでした: %1"))
                                  .arg(platform::DisplayPath(entry.local)));
            continue;
        }
        entry.name = *name;
        entry.folder = e.kind == K::Folder || e.kind == K::FolderLink;
        entry.link = e.kind == K::FolderLink;
        if (!entry.folder) {
            const platform::FileStamp stamp = platform::StatFile(Join(folder, e.name));
            entry.size = stamp.size;
            entry.time = QDateTime::fromMSecsSinceEpoch(stamp.mtimeNs / 1000000);
        }
        entries.push_back(std::move(entry));
    }
    std::sort(entries.begin(), entries.end(), [](const LocalEntry& a, const LocalEntry& b) { return a.name < b.name; });
    return entries;
}

bool SiteMirror::Compare(const QString& relative, const QString& local, bool remoteExists, bool removeGone,
                         MirrorPlan& plan)
{
    if (Cancelled())
        return false;
    std::map<QString, CFtpEntry> remote;
    if (remoteExists && !ListFolder(relative, remote, plan))
        return false;
    using Kind = MirrorAction::Kind;
    for (const LocalEntry& info : LocalEntries(local, plan)) {
        const QString path = Join(relative, info.name);
        auto there = remote.find(info.name);
        if (there == remote.end() && remoteExists && info.name.startsWith(u'.'))
            there = FindHidden(path, info, remote);
        if (info.folder && !Follows(path, info, plan)) {
            // What the server holds under that name is left as it is.
            if (there != remote.end())
                remote.erase(there);
            continue;
        }
        if (there != remote.end() && there->second.isLink) {
            // A link on the server is replaced, never entered nor written
            // through: what it leads to is not part of the site.
            if (!removeGone)
                return Fail(UiText(QStringLiteral("サーバでは同じ名前がリンクです: %1")).arg(path));
            plan.actions.push_back({Kind::Remove, path, 0, {}});
            remote.erase(there);
            there = remote.end();
        }
        const bool onServer = there != remote.end();
        const bool folderOnServer = onServer && there->second.isFolder;
        if (info.folder) {
            if (onServer && !folderOnServer) {
                if (!removeGone)
                    return Fail(UiText(QStringLiteral("サーバでは同じ名前がファイルです: %1")).arg(path));
                plan.actions.push_back({Kind::Remove, path, 0, {}});
            }
            if (!folderOnServer)
                plan.actions.push_back({Kind::MakeFolder, path, 0, {}});
            if (!Compare(path, info.local, folderOnServer, removeGone, plan))
                return false;
        } else {
            if (folderOnServer) {
                if (!removeGone)
                    return Fail(UiText(QStringLiteral("サーバでは同じ名前がフォルダです: %1")).arg(path));
                if (!PlanRemoval(path, plan))
                    return false;
            }
            const CFtpEntry* server = onServer && !folderOnServer ? &there->second : nullptr;
            if (!server || server->size != info.size || Newer(path, info.time, *server)) {
                plan.actions.push_back({Kind::Put, path, info.size, info.time,
                                        server ? ResumeOffset(path, info, server->size) : 0,
                                        info.local == path ? QString() : info.local});
            }
        }
        if (onServer)
            remote.erase(there);
    }
    if (!removeGone)
        return true;
    for (const auto& [name, entry] : remote) {
        const QString path = Join(relative, name);
        if (entry.isFolder && !entry.isLink) {
            if (!PlanRemoval(path, plan))
                return false;
        } else {
            plan.actions.push_back({Kind::Remove, path, 0, {}});
        }
    }
    return true;
}

// Servers leave names that begin with "." out of their listings (vsftpd as
// it comes): such a file or folder is looked for by name, or it would be
// sent again, or made again, on every run.
std::map<QString, CFtpEntry>::iterator SiteMirror::FindHidden(const QString& relative, const LocalEntry& local,
                                                              std::map<QString, CFtpEntry>& remote)
{
    const QString path = Join(m_remoteRoot, relative);
    CFtpEntry entry;
    entry.name = local.name;
    if (local.folder) {
        if (!m_session.ChangeFolder(path))
            return remote.end();
        entry.isFolder = true;
    } else {
        entry.size = m_session.RemoteSize(path);
        if (entry.size < 0)
            return remote.end();
        entry.time = m_session.RemoteTime(path);
        entry.exactTime = entry.time.isValid();
    }
    return remote.emplace(entry.name, entry).first;
}

bool SiteMirror::Follows(const QString& relative, const LocalEntry& folder, MirrorPlan& plan)
{
    const QString target = platform::RealPath(Join(m_localRoot, folder.local));
    const bool inSite = target == m_canonicalRoot || target.startsWith(m_canonicalRoot + u'/');
    // A folder of the site is published under its own name, and a folder
    // elsewhere once: a link to either would repeat it, or loop for ever.
    if ((!folder.link || !inSite) && m_walked.insert(target).second)
        return true;
    plan.notes.append(UiText(QStringLiteral("リンク %1 はたどりませんでした: %2 はすでに公開の対象です"))
                          .arg(relative, platform::DisplayPath(target)));
    return false;
}

// Whether the local file is newer than the server's copy.
bool SiteMirror::Newer(const QString& relative, const QDateTime& local, const CFtpEntry& server)
{
    if (!local.isValid() || !server.time.isValid())
        return false;
    const qint64 l = local.toSecsSinceEpoch();
    const qint64 r = server.time.toSecsSinceEpoch();
    if (server.exactTime)
        return l > r;
    // A text listing gives minutes in the server's zone; only a difference
    // beyond any zone's decides by itself.
    if (std::abs(l - r) > kUnknownZoneSpan)
        return l > r;
    // Within it the server's own time of the file (UTC) decides. A server
    // that gives none has a copy of the same size: taken for the same, or
    // every run would send it again.
    const QDateTime exact = m_session.RemoteTime(Join(m_remoteRoot, relative));
    return exact.isValid() && l > exact.toSecsSinceEpoch();
}

// Where an upload the last run left unfinished can go on: only the file it
// was sending, still of the same size and time here, and a server copy no
// longer than what was sent. Anything else (the file changed since, the
// server's copy is another one) is sent whole.
qint64 SiteMirror::ResumeOffset(const QString& relative, const LocalEntry& local, qint64 serverSize) const
{
    if (!m_earlier || m_earlier->remotePath != Join(m_remoteRoot, relative))
        return 0;
    if (m_earlier->size != local.size || m_earlier->time != local.time)
        return 0;
    if (serverSize <= 0 || serverSize >= local.size || serverSize > m_earlier->sent)
        return 0;
    return serverSize;
}

// The server's entries by name, so that plans come out in the same order
// whatever order the server lists in.
bool SiteMirror::ListFolder(const QString& relative, std::map<QString, CFtpEntry>& entries, MirrorPlan& plan)
{
    std::vector<CFtpEntry> listed;
    const QString folder = relative.isEmpty() ? m_remoteRoot : Join(m_remoteRoot, relative);
    if (!m_session.ChangeFolder(folder) || !m_session.List(listed) || !m_session.FindLinks(listed))
        return Fail(UiText(QStringLiteral("サーバのフォルダを読めませんでした: %1\n%2"))
                        .arg(folder, m_session.ErrorText()));
    if (const int dropped = m_session.DroppedNames())
        plan.notes.append(UiText(QStringLiteral("サーバの %1 にあったファイル名として使えない名前 %2 件は無視しました"))
                              .arg(folder)
                              .arg(dropped));
    for (CFtpEntry& e : listed)
        entries.emplace(e.name, std::move(e));
    return true;
}

bool SiteMirror::PlanRemoval(const QString& relative, MirrorPlan& plan)
{
    std::map<QString, CFtpEntry> entries;
    if (!ListFolder(relative, entries, plan))
        return false;
    for (const auto& [name, e] : entries) {
        const QString path = Join(relative, name);
        if (e.isFolder && !e.isLink) {
            if (!PlanRemoval(path, plan))
                return false;
        } else {
            plan.actions.push_back({MirrorAction::Kind::Remove, path, 0, {}});
        }
    }
    plan.actions.push_back({MirrorAction::Kind::RemoveFolder, relative + u'/', 0, {}});
    return true;
}

bool SiteMirror::Apply(const MirrorPlan& plan)
{
    m_error.clear();
    m_cancelled = false;
    m_done = 0;
    m_interruption.reset();
    const qint64 total = plan.TotalBytes();
    qint64 done = 0;
    m_session.SetCancelFlag(m_cancel);
    bool ok = true;
    for (const MirrorAction& action : plan.actions) {
        if (Cancelled()) {
            ok = false;
            break;
        }
        if (m_progress)
            m_progress(action, done, total);
        QString remote = Join(plan.remoteRoot, action.path);
        using Kind = MirrorAction::Kind;
        switch (action.kind) {
        case Kind::MakeFolder:
            ok = m_session.MakeFolder(action.path.isEmpty() ? plan.remoteRoot : remote);
            break;
        case Kind::Put: {
            // Progress counts the whole file, the part already there included.
            qint64 sent = action.offset;
            m_session.SetProgress([&](qint64 moved, qint64) {
                sent = std::max(sent, moved);
                if (m_progress)
                    m_progress(action, done + moved, total);
            });
            ok = m_session.Store(Join(plan.localRoot, action.local.isEmpty() ? action.path : action.local), remote,
                                 false, action.offset);
            m_session.SetProgress({});
            // Once bytes went, the server's copy was cut to what this run
            // sent: the next run may continue it. Before that the server may
            // still hold an older file, which must be sent over whole.
            if (!ok && sent > 0)
                m_interruption = MirrorInterruption{remote, action.size, action.time, sent};
            // A server that cannot set times keeps the time of the upload,
            // which is newer than the file's: the next run is quiet as well.
            if (ok)
                m_session.SetRemoteTime(remote, action.time);
            done += action.size;
            break;
        }
        case Kind::Remove:
            ok = m_session.RemoveFile(remote);
            break;
        case Kind::RemoveFolder:
            remote.chop(1);
            ok = m_session.RemoveFolder(remote);
            break;
        }
        if (!ok) {
            if (m_session.WasCancelled())
                m_cancelled = true;
            else
                m_error = QStringLiteral("%1\n%2").arg(action.Line(), m_session.ErrorText());
            break;
        }
        ++m_done;
    }
    m_session.SetCancelFlag(nullptr);
    return ok;
}

namespace {

const QString kResumeSection = QStringLiteral("PublishResume");

// The server and login the record belongs to, whatever the site is called.
QString ServerKey(const CFtpSet& site)
{
    return QStringLiteral("%1://%2@%3").arg(RemoteProtocolName(site.protocol), site.user, site.host);
}

} // namespace

std::optional<MirrorInterruption> LoadMirrorInterruption(const platform::SettingsStore& settings,
                                                         const CFtpSet& site)
{
    if (settings.ReadString(kResumeSection, QStringLiteral("Server"), QString()) != ServerKey(site))
        return std::nullopt;
    MirrorInterruption record;
    bool sizeOk = false, sentOk = false, timeOk = false;
    record.remotePath = settings.ReadString(kResumeSection, QStringLiteral("Path"), QString());
    record.size = settings.ReadString(kResumeSection, QStringLiteral("Size"), QString()).toLongLong(&sizeOk);
    record.sent = settings.ReadString(kResumeSection, QStringLiteral("Sent"), QString()).toLongLong(&sentOk);
    const qint64 ms = settings.ReadString(kResumeSection, QStringLiteral("Time"), QString()).toLongLong(&timeOk);
    if (!sizeOk || !sentOk || !timeOk || record.remotePath.isEmpty())
        return std::nullopt;
    record.time = QDateTime::fromMSecsSinceEpoch(ms);
    return record;
}

void SaveMirrorInterruption(platform::SettingsStore& settings, const CFtpSet& site,
                            const std::optional<MirrorInterruption>& interruption)
{
    if (!interruption) {
        if (settings.ReadString(kResumeSection, QStringLiteral("Server"), QString()) == ServerKey(site))
            settings.RemoveSection(kResumeSection);
        return;
    }
    settings.WriteString(kResumeSection, QStringLiteral("Server"), ServerKey(site));
    settings.WriteString(kResumeSection, QStringLiteral("Path"), interruption->remotePath);
    settings.WriteString(kResumeSection, QStringLiteral("Size"), QString::number(interruption->size));
    settings.WriteString(kResumeSection, QStringLiteral("Sent"), QString::number(interruption->sent));
    settings.WriteString(kResumeSection, QStringLiteral("Time"),
                         QString::number(interruption->time.toMSecsSinceEpoch()));
}
