#include "core/ftp/SftpSession.h"

#include "core/app/UiText.h"
#include "core/ftp/DownloadTarget.h"
#include "platform/FileAccess.h"
#include "platform/Writeback.h"

#include <QDir>
#include <QFile>

#include <libssh/libssh.h>
#include <libssh/sftp.h>

#include <fcntl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/time.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>

namespace {

// Reads kept in flight at once: one request at a time waits a round trip per
// block and runs at a fraction of the link.
constexpr int kReadsInFlight = 16;
constexpr uint32_t kReadBlock = 64 * 1024;
// OpenSSH's server takes writes of up to 256 KiB less its header; libssh
// splits larger ones itself.
constexpr qint64 kWriteBlock = 255 * 1024;

QString Text(const char* utf8)
{
    return QString::fromUtf8(utf8 ? utf8 : "");
}

// "drwxr-xr-x" from the type and permission bits, as a UNIX listing shows it.
QString ModeText(const sftp_attributes_struct& a)
{
    if (!(a.flags & SSH_FILEXFER_ATTR_PERMISSIONS))
        return QString();
    QString text;
    switch (a.type) {
    case SSH_FILEXFER_TYPE_DIRECTORY: text += u'd'; break;
    case SSH_FILEXFER_TYPE_SYMLINK: text += u'l'; break;
    case SSH_FILEXFER_TYPE_REGULAR: text += u'-'; break;
    default: text += u'?'; break;
    }
    const char* letters = "rwxrwxrwx";
    for (int bit = 8; bit >= 0; --bit)
        text += (a.permissions & (1u << bit)) ? QChar(letters[8 - bit]) : QChar(u'-');
    return text;
}

bool IsFolder(const sftp_attributes_struct& a)
{
    if (a.type == SSH_FILEXFER_TYPE_DIRECTORY)
        return true;
    return (a.flags & SSH_FILEXFER_ATTR_PERMISSIONS) && S_ISDIR(a.permissions);
}

QString StatusText(int status)
{
    switch (status) {
    case SSH_FX_NO_SUCH_FILE:
    case SSH_FX_NO_SUCH_PATH:
        return QStringLiteral("ファイルまたはフォルダが見つかりません");
    case SSH_FX_PERMISSION_DENIED:
    case SSH_FX_WRITE_PROTECT:
        return QStringLiteral("サーバに許可されていません");
    case SSH_FX_FILE_ALREADY_EXISTS:
        return QStringLiteral("同じ名前がすでにあります");
    case SSH_FX_NO_CONNECTION:
    case SSH_FX_CONNECTION_LOST:
        return QStringLiteral("サーバとの接続が切れました");
    case SSH_FX_OP_UNSUPPORTED:
        return QStringLiteral("このサーバではできない操作です");
    default:
        return QStringLiteral("サーバで処理できませんでした");
    }
}

struct AttributesDeleter {
    void operator()(sftp_attributes a) const { sftp_attributes_free(a); }
};
using Attributes = std::unique_ptr<sftp_attributes_struct, AttributesDeleter>;

struct FileCloser {
    void operator()(sftp_file f) const { sftp_close(f); }
};
using RemoteFile = std::unique_ptr<sftp_file_struct, FileCloser>;

qint64 NowMs()
{
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

} // namespace

class SftpSession::Watch {
public:
    Watch(int socket, int timeoutMs) : m_socket(socket), m_timeoutMs(timeoutMs), m_thread([this] { Run(); }) {}
    ~Watch()
    {
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_stop = true;
        }
        m_wake.notify_all();
        m_thread.join();
    }
    void SetTimeout(int ms) { m_timeoutMs = ms; }
    void Touch() { m_lastMs = NowMs(); }
    void Enter()
    {
        Touch();
        ++m_busy;
    }
    void Leave() { --m_busy; }
    bool Fired() const { return m_fired; }

private:
    void Run()
    {
        std::unique_lock<std::mutex> lock(m_mutex);
        while (!m_stop) {
            m_wake.wait_for(lock, std::chrono::milliseconds(200));
            if (m_busy > 0 && !m_fired && NowMs() - m_lastMs > m_timeoutMs) {
                // Shut down, not closed: the descriptor stays libssh's, and
                // its wait wakes up to an ended connection.
                m_fired = true;
                ::shutdown(m_socket, SHUT_RDWR);
            }
        }
    }

    const int m_socket;
    std::atomic<int> m_timeoutMs;
    std::atomic<qint64> m_lastMs{0};
    std::atomic<int> m_busy{0};
    std::atomic<bool> m_fired{false};
    std::mutex m_mutex;
    std::condition_variable m_wake;
    bool m_stop = false;
    std::thread m_thread;
};

// Marks a call that waits for the server.
class SftpSession::Busy {
public:
    explicit Busy(Watch* watch) : m_watch(watch)
    {
        if (m_watch)
            m_watch->Enter();
    }
    ~Busy()
    {
        if (m_watch)
            m_watch->Leave();
    }
    Busy(const Busy&) = delete;
    Busy& operator=(const Busy&) = delete;

private:
    Watch* m_watch;
};

SftpSession::SftpSession(const QString& sshFolder)
    : m_sshFolder(sshFolder.isEmpty() ? DefaultSshFolder() : sshFolder)
{
}

SftpSession::~SftpSession()
{
    Close();
}

void SftpSession::SetTimeout(int milliseconds)
{
    m_timeoutMs = milliseconds > 0 ? milliseconds : kFtpDefaultTimeoutSeconds * 1000;
    if (m_watch)
        m_watch->SetTimeout(m_timeoutMs);
}

bool SftpSession::IsConnected() const
{
    return m_sftp && ssh_is_connected(m_ssh);
}

QString SftpSession::DefaultSshFolder()
{
    return QDir::homePath() + QStringLiteral("/.ssh");
}

bool SftpSession::Fail(const QString& text)
{
    m_error = text;
    m_refused = false;
    return false;
}

void SftpSession::ClearError()
{
    m_error.clear();
    m_refused = false;
}

bool SftpSession::Refuse(const QString& text)
{
    m_error = text;
    m_refused = true;
    return false;
}

bool SftpSession::FailSftp()
{
    if (!m_sftp)
        return Fail(QStringLiteral("サーバに接続していません"));
    if (m_watch && m_watch->Fired())
        return Fail(QStringLiteral("サーバから応答がないため接続を切りました"));
    // A session error (time-out, dropped connection) says more than the
    // SFTP status it leaves behind.
    if (ssh_get_error_code(m_ssh) != SSH_NO_ERROR && !ssh_is_connected(m_ssh))
        return Fail(UiText(QStringLiteral("サーバとの接続が切れました: %1")).arg(Text(ssh_get_error(m_ssh))));
    return Fail(StatusText(sftp_get_error(m_sftp)));
}

bool SftpSession::Cancelled()
{
    if (m_cancel && m_cancel->load())
        m_cancelled = true;
    return m_cancelled;
}

QByteArray SftpSession::Path(const QString& path) const
{
    if (path.startsWith(u'/'))
        return platform::EncodePath(path);
    QString joined = m_folder;
    if (!joined.endsWith(u'/'))
        joined += u'/';
    return platform::EncodePath(joined + path);
}

bool SftpSession::Open(const RemoteEndpoint& endpoint)
{
    Close();
    ClearError();
    m_identity = RemotePeerIdentity();
    m_ssh = ssh_new();
    if (!m_ssh)
        return Fail(QStringLiteral("接続できませんでした"));
    const QByteArray host = endpoint.host.toUtf8();
    const unsigned int port = endpoint.port > 0 ? unsigned(endpoint.port) : 22u;
    const long seconds = std::max(1L, long(m_timeoutMs / 1000));
    const long micros = long(m_timeoutMs % 1000) * 1000;
    const QByteArray folder = QFile::encodeName(m_sshFolder);
    const QByteArray knownHosts = QFile::encodeName(m_sshFolder + QStringLiteral("/known_hosts"));
    const int off = 0, on = 1;
    ssh_options_set(m_ssh, SSH_OPTIONS_HOST, host.constData());
    ssh_options_set(m_ssh, SSH_OPTIONS_PORT, &port);
    if (!endpoint.user.isEmpty())
        ssh_options_set(m_ssh, SSH_OPTIONS_USER, endpoint.user.toUtf8().constData());
    ssh_options_set(m_ssh, SSH_OPTIONS_TIMEOUT, &seconds);
    ssh_options_set(m_ssh, SSH_OPTIONS_TIMEOUT_USEC, &micros);
    ssh_options_set(m_ssh, SSH_OPTIONS_SSH_DIR, folder.constData());
    ssh_options_set(m_ssh, SSH_OPTIONS_KNOWNHOSTS, knownHosts.constData());
    // The site says where to go and who logs in; the user's ssh_config
    // would quietly change that.
    ssh_options_set(m_ssh, SSH_OPTIONS_PROCESS_CONFIG, &off);
    ssh_options_set(m_ssh, SSH_OPTIONS_NODELAY, &on);
    if (ssh_connect(m_ssh) != SSH_OK) {
        const QString why = Text(ssh_get_error(m_ssh));
        Close();
        return Fail(UiText(QStringLiteral("接続できませんでした: %1")).arg(why));
    }
    m_watch = std::make_unique<Watch>(ssh_get_fd(m_ssh), m_timeoutMs);
    const Busy busy(m_watch.get());
    if (!CheckHostKey(endpoint) || !Authenticate(endpoint) || !Start()) {
        const QString why = m_error;
        const bool refused = m_refused;
        Close();
        m_error = why;
        m_refused = refused;
        return false;
    }
    return true;
}

bool SftpSession::CheckHostKey(const RemoteEndpoint& endpoint)
{
    ssh_key key = nullptr;
    if (ssh_get_server_publickey(m_ssh, &key) != SSH_OK)
        return Fail(QStringLiteral("サーバのホスト鍵を読めませんでした"));
    unsigned char* hash = nullptr;
    size_t length = 0;
    const int hashed = ssh_get_publickey_hash(key, SSH_PUBLICKEY_HASH_SHA256, &hash, &length);
    const QString type = Text(ssh_key_type_to_char(ssh_key_type(key)));
    ssh_key_free(key);
    if (hashed != SSH_OK)
        return Fail(QStringLiteral("サーバのホスト鍵を読めませんでした"));
    char* fingerprint = ssh_get_fingerprint_hash(SSH_PUBLICKEY_HASH_SHA256, hash, length);
    ssh_clean_pubkey_hash(&hash);
    m_identity.fingerprint = Text(fingerprint);
    ssh_string_free_char(fingerprint);

    using Verdict = RemotePeerIdentity::Verdict;
    const QString what = UiText(QStringLiteral("ホスト鍵 (%1) %2")).arg(type, m_identity.fingerprint);
    switch (ssh_session_is_known_server(m_ssh)) {
    case SSH_KNOWN_HOSTS_OK:
        m_identity.verdict = Verdict::Verified;
        m_identity.details = what;
        return true;
    case SSH_KNOWN_HOSTS_CHANGED:
    case SSH_KNOWN_HOSTS_OTHER:
        // Trusting by fingerprint is for hosts known_hosts does not know; a
        // key that differs from the recorded one is what an attacker shows.
        m_identity.verdict = Verdict::Changed;
        m_identity.details =
            what + u'\n' + UiText(QStringLiteral("known_hostsに記録されている鍵と違います。なりすましのおそれがあります。"));
        return Refuse(QStringLiteral("サーバのホスト鍵が変わっています。接続を中止しました"));
    default:
        break;
    }
    if (endpoint.trustedFingerprint.isEmpty()) {
        m_identity.verdict = Verdict::Unknown;
        m_identity.details = what + u'\n' + UiText(QStringLiteral("known_hostsにない鍵です。"));
        return Refuse(UiText(QStringLiteral("サーバのホスト鍵を確認できません: %1")).arg(m_identity.fingerprint));
    }
    if (endpoint.trustedFingerprint == m_identity.fingerprint) {
        m_identity.verdict = Verdict::Trusted;
        m_identity.details = what;
        return true;
    }
    m_identity.verdict = Verdict::Changed;
    m_identity.details = what + u'\n' + UiText(QStringLiteral("信頼した鍵 %1 と違います。なりすましのおそれがあります。"))
                                    .arg(endpoint.trustedFingerprint);
    return Refuse(QStringLiteral("サーバのホスト鍵が変わっています。接続を中止しました"));
}

bool SftpSession::Authenticate(const RemoteEndpoint& endpoint)
{
    int result = ssh_userauth_none(m_ssh, nullptr);
    if (result == SSH_AUTH_SUCCESS)
        return true;
    if (result == SSH_AUTH_ERROR)
        return Fail(UiText(QStringLiteral("ログインできませんでした: %1")).arg(Text(ssh_get_error(m_ssh))));
    const int methods = ssh_userauth_list(m_ssh, nullptr);
    const QByteArray password = endpoint.password.toUtf8();
    const char* passphrase = password.isEmpty() ? nullptr : password.constData();

    if (!endpoint.keyFile.isEmpty()) {
        ssh_key key = nullptr;
        if (ssh_pki_import_privkey_file(QFile::encodeName(endpoint.keyFile).constData(), passphrase,
                                        nullptr, nullptr, &key) != SSH_OK)
            return Refuse(UiText(QStringLiteral("鍵ファイルを読めませんでした: %1")).arg(endpoint.keyFile));
        result = ssh_userauth_publickey(m_ssh, nullptr, key);
        ssh_key_free(key);
        if (result == SSH_AUTH_SUCCESS)
            return true;
    } else if (methods & SSH_AUTH_METHOD_PUBLICKEY) {
        result = ssh_userauth_publickey_auto(m_ssh, nullptr, passphrase);
        if (result == SSH_AUTH_SUCCESS)
            return true;
    }
    if (result == SSH_AUTH_ERROR && !ssh_is_connected(m_ssh))
        return Fail(UiText(QStringLiteral("ログインできませんでした: %1")).arg(Text(ssh_get_error(m_ssh))));
    if (!password.isEmpty() && (methods & SSH_AUTH_METHOD_PASSWORD)) {
        result = ssh_userauth_password(m_ssh, nullptr, password.constData());
        if (result == SSH_AUTH_SUCCESS)
            return true;
    }
    if (!password.isEmpty() && (methods & SSH_AUTH_METHOD_INTERACTIVE)) {
        // Servers that ask for the password through PAM do it this way; any
        // question but the first gets no answer that could be right.
        for (int round = 0; round < 4; ++round) {
            result = ssh_userauth_kbdint(m_ssh, nullptr, nullptr);
            if (result != SSH_AUTH_INFO)
                break;
            const int prompts = ssh_userauth_kbdint_getnprompts(m_ssh);
            if (prompts > 1)
                break;
            if (prompts == 1)
                ssh_userauth_kbdint_setanswer(m_ssh, 0, password.constData());
        }
        if (result == SSH_AUTH_SUCCESS)
            return true;
    }
    return Fail(QStringLiteral("ログインできませんでした。ユーザ名、パスワードまたは鍵を確かめてください"));
}

bool SftpSession::Start()
{
    m_sftp = sftp_new(m_ssh);
    if (!m_sftp || sftp_init(m_sftp) != SSH_OK) {
        if (m_sftp) {
            sftp_free(m_sftp);
            m_sftp = nullptr;
        }
        return Fail(UiText(QStringLiteral("サーバがSFTPを受け付けませんでした: %1")).arg(Text(ssh_get_error(m_ssh))));
    }
    char* home = sftp_canonicalize_path(m_sftp, ".");
    m_folder = home ? platform::DecodePath(home) : QStringLiteral("/");
    ssh_string_free_char(home);
    return true;
}

void SftpSession::Close()
{
    if (m_sftp) {
        const Busy busy(m_watch.get());
        sftp_free(m_sftp);
        m_sftp = nullptr;
    }
    if (m_ssh) {
        if (ssh_is_connected(m_ssh)) {
            const Busy busy(m_watch.get());
            ssh_disconnect(m_ssh);
        }
        ssh_free(m_ssh);
        m_ssh = nullptr;
    }
    m_watch.reset();
    m_folder.clear();
}

bool SftpSession::ChangeFolder(const QString& folder)
{
    ClearError();
    const Busy busy(m_watch.get());
    if (!m_sftp)
        return FailSftp();
    char* resolved = sftp_canonicalize_path(m_sftp, Path(folder).constData());
    if (!resolved)
        return FailSftp();
    const QByteArray path(resolved);
    ssh_string_free_char(resolved);
    Attributes a(sftp_stat(m_sftp, path.constData()));
    if (!a)
        return FailSftp();
    if (!IsFolder(*a))
        return Fail(QStringLiteral("フォルダではありません"));
    m_folder = platform::DecodePath(path);
    return true;
}

bool SftpSession::List(std::vector<CFtpEntry>& entries)
{
    ClearError();
    const Busy busy(m_watch.get());
    entries.clear();
    m_droppedNames = 0;
    if (!m_sftp)
        return FailSftp();
    const QByteArray folder = Path(QString());
    sftp_dir dir = sftp_opendir(m_sftp, folder.constData());
    if (!dir)
        return FailSftp();
    bool ok = true;
    while (sftp_attributes raw = sftp_readdir(m_sftp, dir)) {
        Attributes a(raw);
        const QByteArray name(a->name ? a->name : "");
        CFtpEntry e;
        e.name = platform::DecodePath(name);
        // Nothing is asked about a name that is no entry of this folder.
        if (!IsEntryName(e.name)) {
            entries.push_back(std::move(e));
            continue;
        }
        e.size = qint64(a->size);
        e.mode = ModeText(*a);
        e.isFolder = IsFolder(*a);
        if (a->type == SSH_FILEXFER_TYPE_SYMLINK) {
            // A link is shown as what it leads to, so that a linked folder
            // opens like one; it stays a link for removing.
            e.isLink = true;
            Attributes target(sftp_stat(m_sftp, (folder + '/' + name).constData()));
            if (target) {
                e.isFolder = IsFolder(*target);
                e.size = qint64(target->size);
            }
        }
        if (e.isFolder)
            e.size = 0;
        if (a->flags & SSH_FILEXFER_ATTR_ACMODTIME) {
            e.time = QDateTime::fromSecsSinceEpoch(qint64(a->mtime), Qt::UTC).toLocalTime();
            e.exactTime = true;
        }
        entries.push_back(std::move(e));
    }
    KeepFolderEntries(entries);
    if (!sftp_dir_eof(dir))
        ok = FailSftp();
    sftp_closedir(dir);
    if (!ok)
        entries.clear();
    return ok;
}

bool SftpSession::MakeFolder(const QString& path)
{
    ClearError();
    const Busy busy(m_watch.get());
    return (m_sftp && sftp_mkdir(m_sftp, Path(path).constData(), 0755) == SSH_OK) || FailSftp();
}

bool SftpSession::RemoveFolder(const QString& path)
{
    ClearError();
    const Busy busy(m_watch.get());
    return (m_sftp && sftp_rmdir(m_sftp, Path(path).constData()) == SSH_OK) || FailSftp();
}

bool SftpSession::RemoveFile(const QString& path)
{
    ClearError();
    const Busy busy(m_watch.get());
    return (m_sftp && sftp_unlink(m_sftp, Path(path).constData()) == SSH_OK) || FailSftp();
}

bool SftpSession::Rename(const QString& from, const QString& to)
{
    ClearError();
    const Busy busy(m_watch.get());
    return (m_sftp && sftp_rename(m_sftp, Path(from).constData(), Path(to).constData()) == SSH_OK)
        || FailSftp();
}

bool SftpSession::ChangeMode(const QString& path, int mode)
{
    ClearError();
    const Busy busy(m_watch.get());
    return (m_sftp && sftp_chmod(m_sftp, Path(path).constData(), mode_t(mode & 07777)) == SSH_OK)
        || FailSftp();
}

qint64 SftpSession::RemoteSize(const QString& path)
{
    ClearError();
    const Busy busy(m_watch.get());
    if (!m_sftp)
        return -1;
    Attributes a(sftp_stat(m_sftp, Path(path).constData()));
    if (!a) {
        FailSftp();
        return -1;
    }
    if (a->type != SSH_FILEXFER_TYPE_REGULAR || !(a->flags & SSH_FILEXFER_ATTR_SIZE))
        return -1;
    return qint64(a->size);
}

bool SftpSession::SetRemoteTime(const QString& path, const QDateTime& time)
{
    ClearError();
    const Busy busy(m_watch.get());
    if (!m_sftp || !time.isValid())
        return FailSftp();
    timeval times[2] = {};
    times[0].tv_sec = time_t(time.toSecsSinceEpoch());
    times[1].tv_sec = times[0].tv_sec;
    return sftp_utimes(m_sftp, Path(path).constData(), times) == SSH_OK || FailSftp();
}

QDateTime SftpSession::RemoteTime(const QString& path)
{
    ClearError();
    const Busy busy(m_watch.get());
    Attributes a(m_sftp ? sftp_stat(m_sftp, Path(path).constData()) : nullptr);
    if (!a) {
        FailSftp();
        return QDateTime();
    }
    if (!(a->flags & SSH_FILEXFER_ATTR_ACMODTIME))
        return QDateTime();
    return QDateTime::fromSecsSinceEpoch(qint64(a->mtime), Qt::UTC);
}

bool SftpSession::ReceiveInto(sftp_file file, QIODevice& sink, qint64 offset, qint64 total)
{
    struct Request {
        int id;
        qint64 at;
        uint32_t length;
    };
    std::deque<Request> inFlight;
    QByteArray block(kReadBlock, Qt::Uninitialized);
    qint64 next = offset;  // where the next request starts
    qint64 done = offset;  // bytes in the sink
    bool atEnd = false;
    bool ok = true;
    platform::WritebackPacer writeback(sink);
    // Asks ahead as far as the file goes, plus one block that finds the end
    // of a file that grew since it was measured.
    auto request = [&]() {
        while (ok && !atEnd && int(inFlight.size()) < kReadsInFlight && next <= total) {
            const int id = sftp_async_read_begin(file, kReadBlock);
            if (id < 0) {
                ok = false;
                break;
            }
            inFlight.push_back({id, next, kReadBlock});
            next += kReadBlock;
        }
    };
    request();
    while (!inFlight.empty()) {
        const Request r = inFlight.front();
        inFlight.pop_front();
        const int got = sftp_async_read(file, block.data(), r.length, uint32_t(r.id));
        if (!ok || atEnd || Cancelled())
            continue;  // every answer is collected, or libssh keeps it for ever
        if (got < 0) {
            ok = false;
            continue;
        }
        if (got == 0) {
            atEnd = true;
            continue;
        }
        if (sink.write(block.constData(), got) != got) {
            m_error = QStringLiteral("ファイルを書き込めませんでした");
            ok = false;
            continue;
        }
        writeback.Wrote(got);
        done += got;
        m_watch->Touch();
        if (uint32_t(got) < r.length) {
            // A short answer before the end: the requests behind it are for
            // the wrong places. They are drained, and reading goes on right
            // after what arrived.
            for (const Request& later : inFlight)
                sftp_async_read(file, block.data(), later.length, uint32_t(later.id));
            inFlight.clear();
            if (sftp_seek64(file, uint64_t(done)) != SSH_OK) {
                ok = false;
                continue;
            }
            next = done;
        }
        if (m_progress)
            m_progress(done, total);
        request();
    }
    if (m_cancelled)
        return false;
    return ok || (m_error.isEmpty() ? FailSftp() : false);
}

bool SftpSession::Retrieve(const QString& remotePath, const QString& localPath, bool, qint64 offset)
{
    ClearError();
    const Busy busy(m_watch.get());
    m_cancelled = false;
    if (!m_sftp)
        return FailSftp();
    const QByteArray path = Path(remotePath);
    RemoteFile file(sftp_open(m_sftp, path.constData(), O_RDONLY, 0));
    if (!file)
        return FailSftp();
    Attributes a(sftp_fstat(file.get()));
    const qint64 total = a && (a->flags & SSH_FILEXFER_ATTR_SIZE) ? qint64(a->size) : -1;
    QDateTime time;
    if (a && (a->flags & SSH_FILEXFER_ATTR_ACMODTIME))
        time = QDateTime::fromSecsSinceEpoch(qint64(a->mtime), Qt::UTC);
    if (offset > 0 && sftp_seek64(file.get(), uint64_t(offset)) != SSH_OK)
        return FailSftp();

    DownloadTarget local(localPath);
    if (!local.Open(offset))
        return Fail(local.ErrorText());
    if (!ReceiveInto(file.get(), local.File(), offset, std::max(total, offset))) {
        // What arrived is kept for the next download to go on from; a
        // cancel of a new one wants nothing left.
        local.Abandon(offset > 0 || !m_cancelled);
        return false;
    }
    if (!local.Commit())
        return Fail(local.ErrorText());
    if (time.isValid())
        platform::SetModificationTime(localPath, time.toMSecsSinceEpoch());
    return true;
}

bool SftpSession::SendFrom(QIODevice& source, sftp_file file, qint64 offset, qint64 total)
{
    QByteArray block(kWriteBlock, Qt::Uninitialized);
    qint64 done = offset;
    while (true) {
        if (Cancelled())
            return false;
        const qint64 got = source.read(block.data(), block.size());
        if (got < 0)
            return Fail(QStringLiteral("ファイルを読めませんでした"));
        if (got == 0)
            return true;
        qint64 written = 0;
        while (written < got) {
            const ssize_t n = sftp_write(file, block.constData() + written, size_t(got - written));
            if (n <= 0)
                return FailSftp();
            written += n;
            m_watch->Touch();
        }
        done += got;
        if (m_progress)
            m_progress(done, total);
    }
}

bool SftpSession::Store(const QString& localPath, const QString& remotePath, bool, qint64 offset)
{
    ClearError();
    const Busy busy(m_watch.get());
    m_cancelled = false;
    if (!m_sftp)
        return FailSftp();
    QFile local;
    if (!platform::OpenFile(local, localPath, QIODevice::ReadOnly))
        return Fail(QStringLiteral("ファイルを読めませんでした"));
    if (offset > local.size() || !local.seek(offset))
        return Fail(QStringLiteral("続きから送る位置がファイルの外です"));
    const int flags = offset > 0 ? O_WRONLY : (O_WRONLY | O_CREAT | O_TRUNC);
    RemoteFile file(sftp_open(m_sftp, Path(remotePath).constData(), flags, 0644));
    if (!file)
        return FailSftp();
    if (offset > 0 && sftp_seek64(file.get(), uint64_t(offset)) != SSH_OK)
        return FailSftp();
    if (!SendFrom(local, file.get(), offset, local.size()))
        return false;
    // The server's answer to closing is where a full disk shows.
    sftp_file raw = file.release();
    return sftp_close(raw) == SSH_NO_ERROR || FailSftp();
}
