#include "tool/FtpTool.h"

#include "core/ftp/CFtpSetList.h"
#include "core/ftp/CNorvaneFtp.h"
#include "core/ftp/FtpListParser.h"
#include "core/ftp/FtpMessages.h"
#include "core/ftp/SiteMirror.h"
#include "platform/Cp932.h"
#include "platform/FileAccess.h"
#include "platform/SettingsStore.h"

#include <QDir>
#include <QFile>

#include <memory>
#include <optional>

namespace {

constexpr int kOk = 0;
constexpr int kFailed = 1;
constexpr int kUsage = 2;

int Usage(QTextStream& err, const QString& text)
{
    err << "kelvo-tool: " << text << '\n' << "usage:\n" KELVO_FTP_USAGE;
    return kUsage;
}

// One "message:" line for each line of the text: the general message
// first, then what caused it.
int Message(QTextStream& out, const QString& text)
{
    for (const QString& line : text.split(u'\n'))
        out << "message: " << line << '\n';
    return kFailed;
}

// A refusal of this side is told by its first line (the details of a
// certificate are for the desktop's question); anything else with its cause.
QString Failure(CNorvaneFtp& ftp, const char16_t* general)
{
    const QString text = ftp.FailureDetail(general);
    return ftp.Session() && ftp.Session()->Refused() ? text.section(u'\n', 0, 0) : text;
}

void PrintEntries(const std::vector<CFtpEntry>& entries, QTextStream& out)
{
    for (const CFtpEntry& e : entries) {
        out << (e.isFolder ? 'd' : '-') << ' ' << e.size << ' ' << CNorvaneFtp::GetDateText(e) << ' '
            << (e.mode.isEmpty() ? QStringLiteral("-") : e.mode) << ' ' << e.name << '\n';
    }
}

// "644" as three digits 0..7.
bool ParseMode(const QString& text, int digits[3])
{
    if (text.size() != 3)
        return false;
    for (int i = 0; i < 3; ++i) {
        if (text[i] < u'0' || text[i] > u'7')
            return false;
        digits[i] = text[i].unicode() - u'0';
    }
    return true;
}

struct Options {
    QString host, user, password, root, site, config;
    std::optional<QString> passwordGiven, rootGiven;
    std::optional<bool> ascii;
    bool active = false;
    std::optional<int> timeout;
    std::optional<RemoteProtocol> protocol;
    std::optional<RemoteNameCode> nameCode;
    QString trust;
    std::optional<QString> keyFile;
    QStringList operation;
};

} // namespace

int RunFtpTool(const QStringList& args, QTextStream& out, QTextStream& err)
{
    Options o;
    bool asciiFlag = false;
    bool hostGiven = false, userGiven = false;
    int i = 0;
    for (; i < args.size() && args[i].startsWith(u"--"); ++i) {
        const QString& a = args[i];
        auto value = [&](QString& into) {
            if (i + 1 >= args.size())
                return false;
            into = args[++i];
            return true;
        };
        QString v;
        if (a == u"--active") {
            o.active = true;
        } else if (a == u"--ascii") {
            asciiFlag = true;
        } else if (!value(v)) {
            return Usage(err, QStringLiteral("%1 needs a value").arg(a));
        } else if (a == u"--host") {
            o.host = v;
            hostGiven = true;
        } else if (a == u"--user") {
            o.user = v;
            userGiven = true;
        } else if (a == u"--password") {
            o.passwordGiven = v;
        } else if (a == u"--password-file") {
            const platform::FileRead file = platform::ReadRegularFile(v, 1 << 20);
            if (file.error != platform::FileError::None) {
                err << "kelvo-tool: cannot read " << platform::DisplayPath(v) << '\n';
                return kFailed;
            }
            const qsizetype end = file.bytes.indexOf('\n');
            QString line = QString::fromUtf8(end < 0 ? file.bytes : file.bytes.left(end + 1));
            while (line.endsWith(u'\n') || line.endsWith(u'\r'))
                line.chop(1);
            o.passwordGiven = line;
        } else if (a == u"--root") {
            o.rootGiven = v;
        } else if (a == u"--timeout") {
            bool ok = false;
            const int seconds = v.toInt(&ok);
            if (!ok || seconds <= 0)
                return Usage(err, QStringLiteral("--timeout needs a number of seconds"));
            o.timeout = seconds;
        } else if (a == u"--protocol") {
            RemoteProtocol protocol;
            if (!ParseRemoteProtocol(v, protocol))
                return Usage(err, QStringLiteral("--protocol is ftp, ftps or sftp"));
            o.protocol = protocol;
        } else if (a == u"--encoding") {
            RemoteNameCode code;
            if (!ParseRemoteNameCode(v, code))
                return Usage(err, QStringLiteral("--encoding is auto, utf8 or sjis"));
            o.nameCode = code;
        } else if (a == u"--trust") {
            o.trust = v;
        } else if (a == u"--key") {
            o.keyFile = platform::AbsolutePath(v);
        } else if (a == u"--site") {
            o.site = v;
        } else if (a == u"--config") {
            o.config = v;
        } else {
            return Usage(err, QStringLiteral("unknown option: %1").arg(a));
        }
    }
    o.operation = args.mid(i);
    if (o.operation.isEmpty())
        return Usage(err, QStringLiteral("ftp needs an operation"));
    const QString op = o.operation[0];
    static const QMap<QString, int> arity = {
        {"ls", 0}, {"pwd", 0}, {"put", 1}, {"get", 2}, {"mkdir", 1},
        {"rmdir", 1}, {"rm", 1}, {"mv", 2}, {"chmod", 2}, {"mirror", 1}};
    if (!arity.contains(op))
        return Usage(err, QStringLiteral("unknown ftp operation: %1").arg(op));
    bool removeGone = false, dryRun = false;
    if (op == u"mirror") {
        // mirror LOCALDIR [--delete] [--dry-run]
        for (const QString& flag : o.operation.mid(2)) {
            if (flag == u"--delete")
                removeGone = true;
            else if (flag == u"--dry-run")
                dryRun = true;
            else
                return Usage(err, QStringLiteral("unknown mirror option: %1").arg(flag));
        }
        o.operation = o.operation.mid(0, 2);
    }
    if (o.operation.size() != arity[op] + 1)
        return Usage(err, QStringLiteral("ftp %1 takes %2 argument(s)").arg(op).arg(arity[op]));
    int mode[3] = {0, 0, 0};
    if (op == u"chmod" && !ParseMode(o.operation[2], mode))
        return Usage(err, QStringLiteral("chmod needs a mode of three digits 0-7"));

    // A saved site gives what the options leave out; passive mode and the
    // time-out come from the same settings.
    bool passive = !o.active;
    bool ascii = asciiFlag;
    int timeout = o.timeout.value_or(kFtpDefaultTimeoutSeconds);
    CFtpSet site;
    // The saved sites' store; a mirror keeps in it what it left unfinished.
    std::unique_ptr<platform::SettingsStore> store;
    if (!o.site.isEmpty()) {
        store =
            o.config.isEmpty() ? std::make_unique<platform::SettingsStore>()
                               : std::make_unique<platform::SettingsStore>(
                                     QDir(o.config).filePath(QStringLiteral("kelvo.ini")));
        CFtpSetList sets;
        sets.Load(*store);
        const int index = sets.IndexOf(o.site);
        if (index < 0) {
            err << "kelvo-tool: no saved site named " << o.site << '\n';
            return kUsage;
        }
        site = sets.At(index);
        if (!o.rootGiven)
            o.rootGiven = site.remoteFolder;
        if (!asciiFlag)
            ascii = site.ascii;
        if (!o.active)
            passive = CFtpSetList::PassiveSetting(*store);
        if (!o.timeout)
            timeout = CFtpSetList::TimeoutSetting(*store);
    }
    if (hostGiven)
        site.host = o.host;
    if (userGiven)
        site.user = o.user;
    if (o.passwordGiven)
        site.password = *o.passwordGiven;
    site.protocol = o.protocol.value_or(site.protocol);
    site.nameCode = o.nameCode.value_or(site.nameCode);
    site.keyFile = o.keyFile.value_or(site.keyFile);
    if (site.host.isEmpty())
        return Usage(err, QStringLiteral("ftp needs --host or --site"));

    CNorvaneFtp ftp;
    // A mirror makes its server folder when it is missing: it is not
    // changed to at login.
    const QString root = o.rootGiven.value_or(QString());
    ftp.Set(site, op == u"mirror" ? QString() : root, passive);
    ftp.TrustOnce(o.trust);
    ftp.SetTimeoutSeconds(timeout);
    if (!ftp.Connect()) {
        // A certificate or host key not trusted: the fingerprint to pass
        // with --trust once the user has checked it.
        const RemotePeerIdentity peer = ftp.Session() ? ftp.Session()->PeerIdentity() : RemotePeerIdentity();
        if (peer.verdict == RemotePeerIdentity::Verdict::Unknown) {
            err << peer.details << '\n';
            return Message(out, peer.fingerprint);
        }
        return Message(out, Failure(ftp, ftpmsg::ConnectFailed));
    }

    const QStringList& a = o.operation;
    bool done = false;
    if (op == u"ls") {
        if (!ftp.GetList())
            return Message(out, Failure(ftp, ftpmsg::ListFailed));
        PrintEntries(ftp.Entries(), out);
        if (const int dropped = ftp.Session()->DroppedNames())
            err << "kelvo-tool: " << dropped << " name(s) the server listed cannot be file names and were left out\n";
        done = true;
    } else if (op == u"pwd") {
        out << ftp.CurrentFolder() << '\n';
        done = true;
    } else if (op == u"put") {
        done = ftp.PutFile(platform::AbsolutePath(a[1]), ascii);
    } else if (op == u"get") {
        done = ftp.GetFile(a[1], a[2], ascii);
    } else if (op == u"mkdir") {
        done = ftp.MakeDir(a[1]);
    } else if (op == u"rmdir") {
        done = ftp.RemoveDir(a[1]);
    } else if (op == u"rm") {
        done = ftp.DeleteFile(a[1]);
    } else if (op == u"mv") {
        done = ftp.Rename(a[1], a[2]);
    } else if (op == u"chmod") {
        done = ftp.ChangeMode(a[1], mode[0], mode[1], mode[2]);
    } else if (op == u"mirror") {
        SiteMirror mirror(*ftp.Session());
        MirrorPlan plan;
        if (store)
            mirror.SetInterruption(LoadMirrorInterruption(*store, site));
        if (!mirror.Plan(a[1], root, removeGone, plan)) {
            ftp.Disconnect();
            return Message(out, mirror.ErrorText());
        }
        for (const QString& note : plan.notes)
            err << "kelvo-tool: " << note << '\n';
        done = dryRun || mirror.Apply(plan);
        if (store && !dryRun)
            SaveMirrorInterruption(*store, site, mirror.Interruption());
        const size_t shown = dryRun ? plan.actions.size() : size_t(mirror.Done());
        for (size_t n = 0; n < shown; ++n)
            out << plan.actions[n].Line() << '\n';
        if (!done) {
            ftp.Disconnect();
            return Message(out, mirror.ErrorText());
        }
    }
    const QString failure = Failure(ftp, ftpmsg::TransferFailed);
    ftp.Disconnect();
    return done ? kOk : Message(out, failure);
}

int RunFtpParseTool(const QStringList& args, QTextStream& out, QTextStream& err)
{
    if (args.size() != 1)
        return Usage(err, QStringLiteral("ftp-parse needs one file"));
    const platform::FileRead file = platform::ReadRegularFile(args[0], qint64(1) << 30);
    if (file.error != platform::FileError::None) {
        err << "kelvo-tool: cannot read " << platform::DisplayPath(args[0]) << '\n';
        return kFailed;
    }
    PrintEntries(ParseFtpListing(platform::Cp932ToUnicode(file.bytes)), out);
    return kOk;
}
