#pragma once

#include "core/ftp/FtpTransfer.h"

#include <QDateTime>
#include <QString>
#include <QStringList>

#include <functional>
#include <map>
#include <optional>
#include <set>
#include <vector>

class RemoteSession;
struct CFtpSet;
namespace platform {
class SettingsStore;
}

// An upload a run left unfinished: the server's file holds the first bytes
// of the local file as it then was, and nothing else. Only when the local
// file is still that size and time may the next run continue it.
struct MirrorInterruption {
    QString remotePath;  // absolute, as Apply named it
    qint64 size = 0;     // the local file's size and time at the run
    QDateTime time;
    qint64 sent = 0;     // bytes handed to the server at most
    bool operator==(const MirrorInterruption&) const = default;
};

// One step of publishing a local folder to a server folder.
struct MirrorAction {
    enum class Kind { MakeFolder, Put, Remove, RemoveFolder };
    Kind kind = Kind::Put;
    // Relative to both roots, "/"-separated; a folder to remove ends in "/";
    // empty for the server root itself, shown as ".".
    QString path;
    qint64 size = 0;     // Put: the local file's size
    QDateTime time;      // Put: the local file's modification time
    qint64 offset = 0;   // Put: bytes already on the server, continued from
    // Put: the file under the local root where its name there is not the
    // server's (a CP932 name, its bytes kept); empty when it is `path`.
    QString local;

    // "put PATH", "mkdir PATH", "rm PATH" (a folder as "rm PATH/").
    QString Line() const;
    bool operator==(const MirrorAction&) const = default;
};

// What publishing would do, in the order it does it: folders before what
// they hold, removals of files before their folders.
struct MirrorPlan {
    QString localRoot;
    QString remoteRoot;  // absolute, as the server names it
    std::vector<MirrorAction> actions;
    // What the comparison left alone and why (a local link not followed,
    // names the server listed that no file can have), for the user.
    QStringList notes;
    qint64 TotalBytes() const;
};

// Makes a server folder the copy of a local one over any RemoteSession: a
// file is sent when the server has none, one of another size, or an older
// one; what the server has that the folder does not is removed only when
// asked. Files move as they are (no text mode), so that the sizes compare,
// and each sent file takes its local time on the server where it can, so
// that the next run finds nothing to do. A run stopped half-way is resumed
// by running again; given the interruption the stopped run left, the file
// it was sending is continued where the server's copy ends.
class SiteMirror {
public:
    // Called before each action and after each block: bytes of the whole
    // plan done and in all.
    using Progress = std::function<void(const MirrorAction& action, qint64 done, qint64 total)>;

    explicit SiteMirror(RemoteSession& session);

    void SetCancelFlag(const FtpCancelFlag* cancel) { m_cancel = cancel; }
    void SetProgress(Progress progress) { m_progress = std::move(progress); }

    // The unfinished upload of an earlier run, for Plan.
    void SetInterruption(std::optional<MirrorInterruption> earlier) { m_earlier = std::move(earlier); }
    // Compares the folders (remoteRoot empty or relative: from the current
    // folder, where the session is left).
    bool Plan(const QString& localRoot, const QString& remoteRoot, bool removeGone, MirrorPlan& plan);
    // Runs the plan; stops at the first failure or when cancelled.
    bool Apply(const MirrorPlan& plan);

    // Why Plan or Apply failed, for the user; empty when cancelled.
    QString ErrorText() const { return m_error; }
    bool WasCancelled() const { return m_cancelled; }
    // The actions Apply completed.
    int Done() const { return m_done; }
    // The upload Apply left unfinished, if it stopped during one.
    std::optional<MirrorInterruption> Interruption() const { return m_interruption; }

private:
    // A local entry as the comparison needs it.
    struct LocalEntry {
        QString name;  // as the server names it
        QString local;  // the path under the local root, its bytes kept
        bool folder = false;
        bool link = false;  // a link to a folder
        qint64 size = 0;
        QDateTime time;
    };
    // `relative` as the server names it, `local` as the local folder does.
    bool Compare(const QString& relative, const QString& local, bool remoteExists, bool removeGone, MirrorPlan& plan);
    std::vector<LocalEntry> LocalEntries(const QString& local, MirrorPlan& plan) const;
    bool ListFolder(const QString& relative, std::map<QString, struct CFtpEntry>& entries, MirrorPlan& plan);
    // False, with a note, for a local link to a folder that is published
    // anyway: the site itself or a part of it, or one already walked.
    bool Follows(const QString& relative, const LocalEntry& folder, MirrorPlan& plan);
    std::map<QString, struct CFtpEntry>::iterator FindHidden(const QString& relative, const LocalEntry& local,
                                                             std::map<QString, struct CFtpEntry>& remote);
    bool Newer(const QString& relative, const QDateTime& local, const struct CFtpEntry& server);
    bool PlanRemoval(const QString& relative, MirrorPlan& plan);
    qint64 ResumeOffset(const QString& relative, const LocalEntry& local, qint64 serverSize) const;
    bool Fail(const QString& text);
    bool Cancelled();

    RemoteSession& m_session;
    const FtpCancelFlag* m_cancel = nullptr;
    Progress m_progress;
    QString m_error;
    QString m_localRoot;
    QString m_remoteRoot;
    QString m_canonicalRoot;
    std::set<QString> m_walked;  // local folders (canonical) planned so far
    bool m_cancelled = false;
    int m_done = 0;
    std::optional<MirrorInterruption> m_earlier;
    std::optional<MirrorInterruption> m_interruption;
};

// The last unfinished upload to a site's server, kept in the settings
// between runs. Saving records what a run left (nothing: it finished),
// replacing what an earlier run to the same server left.
std::optional<MirrorInterruption> LoadMirrorInterruption(const platform::SettingsStore& settings,
                                                         const CFtpSet& site);
void SaveMirrorInterruption(platform::SettingsStore& settings, const CFtpSet& site,
                            const std::optional<MirrorInterruption>& interruption);
