#include "core/ftp/SiteMirror.h"

#include "core/app/UiText.h"
#include "core/ftp/CFtpSet.h"
#include "core/ftp/RemoteSession.h"
#include "platform/SettingsStore.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>
#include <map>

namespace {

QString Join(const QString& folder, const QString& name)
{
    if (folder.isEmpty())
        return name;
    return folder.endsWith(u'/') ? folder + name : folder + u'/' + name;
}

// Whether the local copy is newer than the server's. A listing without
// seconds (LIST) gives whole minutes: the local time is cut to the minute
// too, or every file written in the middle of a minute would look newer.
bool Newer(const QDateTime& local, const QDateTime& remote)
{
    if (!local.isValid() || !remote.isValid())
        return false;
    const qint64 l = local.toSecsSinceEpoch();
    const qint64 r = remote.toSecsSinceEpoch();
    if (r % 60 == 0)
        return l / 60 * 60 > r;
    return l > r;
}

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
    if (!QFileInfo(localRoot).isDir())
        return Fail(UiText(QStringLiteral("ローカルフォルダがありません: %1")).arg(localRoot));
    plan.localRoot = m_localRoot = QDir::cleanPath(localRoot);
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
    const bool ok = Compare(QString(), exists, removeGone, plan);
    // A relative server folder means the same on the next run.
    m_session.ChangeFolder(start);
    if (!ok)
        plan.actions.clear();
    return ok;
}

bool SiteMirror::Compare(const QString& relative, bool remoteExists, bool removeGone, MirrorPlan& plan)
{
    if (Cancelled())
        return false;
    std::map<QString, CFtpEntry> remote;
    if (remoteExists && !ListFolder(relative, remote))
        return false;
    using Kind = MirrorAction::Kind;
    const QFileInfoList local = QDir(Join(m_localRoot, relative))
                                    .entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden,
                                                   QDir::Name);
    for (const QFileInfo& info : local) {
        const QString path = Join(relative, info.fileName());
        const auto there = remote.find(info.fileName());
        const bool onServer = there != remote.end();
        const bool folderOnServer = onServer && there->second.isFolder;
        if (info.isDir()) {
            if (onServer && !folderOnServer) {
                if (!removeGone)
                    return Fail(UiText(QStringLiteral("サーバでは同じ名前がファイルです: %1")).arg(path));
                plan.actions.push_back({Kind::Remove, path, 0, {}});
            }
            if (!folderOnServer)
                plan.actions.push_back({Kind::MakeFolder, path, 0, {}});
            if (!Compare(path, folderOnServer, removeGone, plan))
                return false;
        } else if (info.isFile()) {
            if (folderOnServer) {
                if (!removeGone)
                    return Fail(UiText(QStringLiteral("サーバでは同じ名前がフォルダです: %1")).arg(path));
                if (!PlanRemoval(path, plan))
                    return false;
            }
            const CFtpEntry* server = onServer && !folderOnServer ? &there->second : nullptr;
            if (!server || server->size != info.size() || Newer(info.lastModified(), server->time))
                plan.actions.push_back({Kind::Put, path, info.size(), info.lastModified(),
                                        server ? ResumeOffset(path, info, server->size) : 0});
        }
        if (onServer)
            remote.erase(there);
    }
    if (!removeGone)
        return true;
    for (const auto& [name, entry] : remote) {
        const QString path = Join(relative, name);
        if (entry.isFolder) {
            if (!PlanRemoval(path, plan))
                return false;
        } else {
            plan.actions.push_back({Kind::Remove, path, 0, {}});
        }
    }
    return true;
}

// Where an upload the last run left unfinished can go on: only the file it
// was sending, still of the same size and time here, and a server copy no
// longer than what was sent. Anything else (the file changed since, the
// server's copy is another one) is sent whole.
qint64 SiteMirror::ResumeOffset(const QString& relative, const QFileInfo& local, qint64 serverSize) const
{
    if (!m_earlier || m_earlier->remotePath != Join(m_remoteRoot, relative))
        return 0;
    if (m_earlier->size != local.size() || m_earlier->time != local.lastModified())
        return 0;
    if (serverSize <= 0 || serverSize >= local.size() || serverSize > m_earlier->sent)
        return 0;
    return serverSize;
}

// The server's entries by name, so that plans come out in the same order
// whatever order the server lists in.
bool SiteMirror::ListFolder(const QString& relative, std::map<QString, CFtpEntry>& entries)
{
    std::vector<CFtpEntry> listed;
    if (!m_session.ChangeFolder(Join(m_remoteRoot, relative)) || !m_session.List(listed))
        return Fail(UiText(QStringLiteral("サーバのフォルダを読めませんでした: %1\n%2"))
                        .arg(Join(m_remoteRoot, relative), m_session.ErrorText()));
    for (CFtpEntry& e : listed)
        entries.emplace(e.name, std::move(e));
    return true;
}

bool SiteMirror::PlanRemoval(const QString& relative, MirrorPlan& plan)
{
    std::map<QString, CFtpEntry> entries;
    if (!ListFolder(relative, entries))
        return false;
    for (const auto& [name, e] : entries) {
        const QString path = Join(relative, name);
        if (e.isFolder) {
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
            ok = m_session.Store(Join(plan.localRoot, action.path), remote, false, action.offset);
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
