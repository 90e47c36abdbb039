#include "platform/FileAccess.h"

#include "platform/Cp932.h"
#include "platform/LargeBuffers.h"

#include <QFile>
#include <QStringList>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

namespace platform {

namespace {

// A byte of a name that is no UTF-8, kept as U+DC00 + byte; the low half
// of a surrogate pair (U+1F0CF is D83C DCCF) is none.
bool IsKeptByte(QStringView s, qsizetype i)
{
    return s[i].unicode() >= 0xDC80 && s[i].unicode() <= 0xDCFF && (i == 0 || !s[i - 1].isHighSurrogate());
}

// The length of the well-formed UTF-8 sequence at p, 0 when there is none.
int Utf8Length(const unsigned char* p, const unsigned char* end)
{
    const unsigned b = *p;
    const qsizetype left = end - p;
    auto cont = [&](int i, unsigned lo = 0x80, unsigned hi = 0xBF) {
        return i < left && p[i] >= lo && p[i] <= hi;
    };
    if (b < 0x80)
        return 1;
    if (b >= 0xC2 && b <= 0xDF)
        return cont(1) ? 2 : 0;
    if (b >= 0xE0 && b <= 0xEF)
        return cont(1, b == 0xE0 ? 0xA0 : 0x80, b == 0xED ? 0x9F : 0xBF) && cont(2) ? 3 : 0;
    if (b >= 0xF0 && b <= 0xF4)
        return cont(1, b == 0xF0 ? 0x90 : 0x80, b == 0xF4 ? 0x8F : 0xBF) && cont(2) && cont(3) ? 4
                                                                                              : 0;
    return 0;
}

// Strict CP932: the name's bytes as text, or nothing when any byte is no
// character.
bool StrictCp932(QByteArrayView bytes, QString& out)
{
    const MultiByteTables& t = Cp932Tables();
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const auto* const end = p + bytes.size();
    out.clear();
    while (p < end) {
        if (t.single[*p] != MultiByteTables::kNone) {
            out += QChar(t.single[*p++]);
            continue;
        }
        if (end - p < 2)
            return false;
        const char16_t c = t.pair[(unsigned(p[0]) << 8) | p[1]];
        if (c == MultiByteTables::kNone)
            return false;
        out += QChar(c);
        p += 2;
    }
    return true;
}

FileError OpenError(int error)
{
    switch (error) {
    case ENOENT:
    case ENOTDIR:
    case ELOOP:
    case ENAMETOOLONG:
        return FileError::Missing;
    case EISDIR:
        return FileError::Folder;
    case ENXIO:
        return FileError::NoReader;
    default:
        return FileError::Unreadable;
    }
}

// A write beyond the file-size limit must fail like a full disk instead of
// ending the program.
void IgnoreFileSizeSignal()
{
    static std::atomic<bool> done{false};
    if (!done.exchange(true))
        std::signal(SIGXFSZ, SIG_IGN);
}

class Fd {
public:
    explicit Fd(int fd = -1) : m_fd(fd) {}
    ~Fd() { Close(); }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    int get() const { return m_fd; }
    void Reset(int fd)
    {
        Close();
        m_fd = fd;
    }
    bool Close()
    {
        const int fd = m_fd;
        m_fd = -1;
        return fd < 0 || ::close(fd) == 0;
    }

private:
    int m_fd;
};

bool WriteAll(int fd, const char* data, qint64 size, qint64 offset = -1)
{
    qint64 done = 0;
    while (done < size) {
        const ssize_t n = offset < 0 ? ::write(fd, data + done, size_t(size - done))
                                     : ::pwrite(fd, data + done, size_t(size - done), offset + done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        done += n;
    }
    return done == size;
}

// Space for the file's new size, so that writing cannot run out of it half
// way. A file system that cannot reserve is written without.
bool Reserve(int fd, qint64 from, qint64 size)
{
    if (size <= from)
        return true;
    int r;
    do {
        r = ::posix_fallocate(fd, from, size - from);
    } while (r == EINTR);
    return r == 0 || r == EOPNOTSUPP || r == EINVAL;
}

// Extended attributes, ACLs among them (system.posix_acl_access), from the
// old file to its replacement. Attributes the saver may not set (another
// namespace's) are left; the text is what matters.
void CopyAttributes(const QByteArray& from, int to)
{
    ssize_t size = ::listxattr(from.constData(), nullptr, 0);
    if (size <= 0)
        return;
    std::vector<char> names(size_t(size) + 1);
    size = ::listxattr(from.constData(), names.data(), names.size());
    if (size <= 0)
        return;
    std::vector<char> value;
    for (const char* name = names.data(); name < names.data() + size; name += strlen(name) + 1) {
        const ssize_t length = ::getxattr(from.constData(), name, nullptr, 0);
        if (length < 0)
            continue;
        value.resize(size_t(length) + 1);
        const ssize_t got = ::getxattr(from.constData(), name, value.data(), value.size());
        if (got >= 0)
            ::fsetxattr(to, name, value.data(), size_t(got), 0);
    }
}

bool InGroup(gid_t gid)
{
    if (getegid() == gid)
        return true;
    const int n = getgroups(0, nullptr);
    if (n <= 0)
        return false;
    std::vector<gid_t> groups(static_cast<size_t>(n));
    const int got = getgroups(n, groups.data());
    for (int i = 0; i < got; ++i)
        if (groups[static_cast<size_t>(i)] == gid)
            return true;
    return false;
}

QByteArray FolderOf(const QByteArray& path)
{
    const qsizetype slash = path.lastIndexOf('/');
    if (slash < 0)
        return ".";
    return slash == 0 ? QByteArray("/") : path.left(slash);
}

// Follows symbolic links to the file that gets the text; a dangling link
// gives the path of the file to create.
QByteArray LinkTarget(QByteArray path)
{
    for (int hops = 0; hops < 40; ++hops) {
        struct stat st {};
        if (::lstat(path.constData(), &st) != 0 || !S_ISLNK(st.st_mode))
            return path;
        QByteArray target(st.st_size > 0 ? st.st_size + 1 : 4096, Qt::Uninitialized);
        const ssize_t n = ::readlink(path.constData(), target.data(), target.size());
        if (n <= 0)
            return path;
        target.truncate(n);
        path = target.startsWith('/') ? target : FolderOf(path) + '/' + target;
    }
    return path;
}

// Into a FIFO or device: opened without waiting (a FIFO nobody reads would
// block for ever), then written like any stream, or, for neverBlock, as far
// as it takes the bytes at once.
FileError WriteIntoNode(const QByteArray& path, QByteArrayView bytes, bool neverBlock)
{
    Fd fd(::open(path.constData(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (fd.get() < 0)
        return errno == ENXIO ? FileError::NoReader : FileError::CannotCreate;
    if (!neverBlock)
        ::fcntl(fd.get(), F_SETFL, ::fcntl(fd.get(), F_GETFL) & ~O_NONBLOCK);
    const bool ok = WriteAll(fd.get(), bytes.data(), bytes.size());
    return fd.Close() && ok ? FileError::None : FileError::WriteFailed;
}

// In place: the old content is kept in memory until the new one is on the
// disk, and put back when writing fails.
FileError WriteInPlace(const QByteArray& path, QByteArrayView bytes, bool ownerOnly)
{
    Fd fd(::open(path.constData(), O_RDWR | O_NOCTTY | O_CLOEXEC));
    const bool readable = fd.get() >= 0;
    if (!readable) {
        // A file the saver may write but not read: with its space
        // reserved, only an I/O error can stop the write.
        fd.Reset(::open(path.constData(), O_WRONLY | O_NOCTTY | O_CLOEXEC));
        if (fd.get() < 0)
            return FileError::CannotCreate;
    }
    struct stat st {};
    if (::fstat(fd.get(), &st) != 0)
        return FileError::WriteFailed;
    if (ownerOnly && st.st_uid == geteuid())
        ::fchmod(fd.get(), 0600);
    const qint64 oldSize = st.st_size;
    QByteArray old;
    if (readable) {
        old.resize(oldSize);
        qint64 got = 0;
        while (got < oldSize) {
            const ssize_t n = ::pread(fd.get(), old.data() + got, size_t(oldSize - got), got);
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0)
                return FileError::WriteFailed;
            got += n;
        }
    }
    if (!Reserve(fd.get(), oldSize, bytes.size())) {
        // Only the space past the old end was touched.
        [[maybe_unused]] const int r = ::ftruncate(fd.get(), oldSize);
        return FileError::WriteFailed;
    }
    bool ok = WriteAll(fd.get(), bytes.data(), bytes.size(), 0);
    if (ok && bytes.size() < oldSize)
        ok = ::ftruncate(fd.get(), bytes.size()) == 0;
    if (ok)
        ok = ::fsync(fd.get()) == 0;
    if (!ok && readable) {
        WriteAll(fd.get(), old.constData(), oldSize, 0);
        [[maybe_unused]] const int r = ::ftruncate(fd.get(), oldSize);
        ::fsync(fd.get());
    }
    return fd.Close() && ok ? FileError::None : FileError::WriteFailed;
}

// A new file beside the old one, complete and synced before it takes the
// old one's name. `old` is the old file's status, or null for a new file.
// CannotCreate when the folder takes no new file.
FileError Replace(const QByteArray& path, QByteArrayView bytes, const struct stat* old, bool ownerOnly)
{
    const QByteArray folder = FolderOf(path);
    const QByteArray name = path.mid(path.lastIndexOf('/') + 1);
    QByteArray temp;
    Fd fd;
    static std::atomic<unsigned> counter{0};
    for (int attempt = 0; attempt < 100 && fd.get() < 0; ++attempt) {
        temp = folder + "/." + name + '.' + QByteArray::number(::getpid()) + '-'
               + QByteArray::number(counter++) + ".tmp";
        // A new file gets the mode the saver's mask gives; an old file's
        // mode is put back below.
        fd.Reset(::open(temp.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC,
                        old || ownerOnly ? 0600 : 0666));
        if (fd.get() < 0 && errno != EEXIST)
            return FileError::CannotCreate;
    }
    if (fd.get() < 0)
        return FileError::CannotCreate;
    bool ok = Reserve(fd.get(), 0, bytes.size()) && WriteAll(fd.get(), bytes.data(), bytes.size());
    if (ok && old) {
        // Owner and group as they were (allowed by the caller's checks),
        // then the mode, then the attributes, whose ACL has the last word
        // on the permission bits.
        [[maybe_unused]] const int owner = ::fchown(fd.get(), geteuid() == 0 ? old->st_uid : uid_t(-1),
                                                    old->st_gid);
        ::fchmod(fd.get(), ownerOnly ? 0600 : old->st_mode & 07777);
        if (!ownerOnly)
            CopyAttributes(path, fd.get());
    }
    if (ok)
        ok = ::fsync(fd.get()) == 0;
    ok = fd.Close() && ok;
    if (ok)
        ok = ::rename(temp.constData(), path.constData()) == 0;
    if (!ok) {
        ::unlink(temp.constData());
        return FileError::WriteFailed;
    }
    // The new name is on the disk too.
    Fd dir(::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.get() >= 0)
        ::fsync(dir.get());
    return FileError::None;
}

} // namespace

QByteArray EncodePath(const QString& path)
{
    QByteArray out;
    out.reserve(path.size() * 3);
    const char16_t* const start = reinterpret_cast<const char16_t*>(path.utf16());
    const char16_t* p = start;
    const char16_t* const end = p + path.size();
    while (p < end) {
        const char16_t* run = p;
        while (p < end && !IsKeptByte(path, p - start))
            ++p;
        out += QStringView(run, p).toUtf8();
        if (p < end)
            out += char(*p++ & 0xFF);
    }
    return out;
}

QString DecodePath(QByteArrayView native)
{
    QString out;
    out.reserve(native.size());
    const auto* p = reinterpret_cast<const unsigned char*>(native.data());
    const auto* const end = p + native.size();
    while (p < end) {
        const unsigned char* run = p;
        int n;
        while (p < end && (n = Utf8Length(p, end)) > 0)
            p += n;
        out += QString::fromUtf8(reinterpret_cast<const char*>(run), p - run);
        if (p < end)
            out += QChar(char16_t(0xDC00 | *p++));
    }
    return out;
}

QString DisplayPath(const QString& path)
{
    auto hasKeptByte = [](QStringView s) {
        for (qsizetype i = 0; i < s.size(); ++i)
            if (IsKeptByte(s, i))
                return true;
        return false;
    };
    if (!hasKeptByte(path))
        return path;
    QStringList parts = path.split(u'/');
    for (QString& part : parts) {
        // A part in UTF-8 (a folder above, say) is shown as it is.
        if (!hasKeptByte(part))
            continue;
        QString shown;
        if (StrictCp932(EncodePath(part), shown)) {
            part = shown;
            continue;
        }
        // Neither UTF-8 nor CP932: each stray byte as an escape, which a
        // font can show (a lone surrogate it cannot).
        for (qsizetype i = part.size() - 1; i >= 0; --i)
            if (IsKeptByte(part, i))
                part.replace(i, 1, QString::asprintf("\\x%02X", part.at(i).unicode() & 0xFF));
    }
    return parts.join(u'/');
}

std::optional<QString> NameAsText(const QString& name)
{
    bool kept = false;
    for (qsizetype i = 0; i < name.size() && !kept; ++i)
        kept = IsKeptByte(name, i);
    if (!kept)
        return name;
    QString text;
    if (StrictCp932(EncodePath(name), text))
        return text;
    return std::nullopt;
}

quint64 ContentDigest(QByteArrayView bytes)
{
    // Four independent lanes of multiply-and-fold over 32-byte blocks, so
    // that a large file costs little more than reading it from memory.
    constexpr quint64 kPrime = 0x9E3779B97F4A7C15ULL;
    constexpr quint64 kMix = 0xFF51AFD7ED558CCDULL;
    quint64 lanes[4] = {kPrime, kPrime ^ 1, kPrime ^ 2, kPrime ^ 3};
    const char* p = bytes.data();
    const char* const end = p + bytes.size();
    for (; end - p >= 32; p += 32)
        for (int i = 0; i < 4; ++i) {
            quint64 w;
            memcpy(&w, p + 8 * i, 8);
            lanes[i] = (lanes[i] ^ w) * kMix;
            lanes[i] ^= lanes[i] >> 29;
        }
    quint64 h = static_cast<quint64>(bytes.size()) * kPrime;
    for (quint64 lane : lanes)
        h = (h ^ lane) * kMix;
    for (; p < end; ++p)
        h = (h ^ static_cast<unsigned char>(*p)) * kPrime;
    return h ^ (h >> 32);
}

FileStamp StatFile(const QString& path)
{
    FileStamp stamp;
    struct stat st {};
    if (::stat(EncodePath(path).constData(), &st) == 0) {
        stamp.size = st.st_size;
        stamp.mtimeNs = qint64(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
    }
    return stamp;
}

bool PathExists(const QString& path)
{
    struct stat st {};
    return ::stat(EncodePath(path).constData(), &st) == 0;
}

QString DiskSpelling(const QString& path)
{
    const auto ascii = [](QStringView s) {
        return std::all_of(s.begin(), s.end(), [](QChar c) { return c.unicode() < 0x80; });
    };
    if (!path.startsWith(u'/') || ascii(path) || PathExists(path))
        return path;
    const QStringList names = path.split(u'/');
    QString found;
    for (qsizetype i = 1; i < names.size(); ++i) {
        const QString& name = names[i];
        const QString as = found + u'/' + name;
        if (PathExists(as)) {
            found = as;
            continue;
        }
        if (ascii(name))
            return path;
        // Only a name CP932 holds exactly: a '?' written for a character
        // it lacks would find another file.
        const QByteArray bytes = UnicodeToCp932(name);
        const QString other = found + u'/' + DecodePath(bytes);
        if (Cp932ToUnicode(bytes) != name || !PathExists(other))
            return path;
        found = other;
    }
    return found;
}

bool IsRegularFile(const QString& path)
{
    struct stat st {};
    return ::stat(EncodePath(path).constData(), &st) == 0 && S_ISREG(st.st_mode);
}

bool IsWritable(const QString& path)
{
    const QByteArray native = EncodePath(path);
    if (::faccessat(AT_FDCWD, native.constData(), F_OK, AT_EACCESS) == 0)
        return ::faccessat(AT_FDCWD, native.constData(), W_OK, AT_EACCESS) == 0;
    return ::faccessat(AT_FDCWD, EncodePath(FolderOfPath(path)).constData(), W_OK | X_OK, AT_EACCESS) == 0;
}

bool CanRead(const QString& path)
{
    return ::access(EncodePath(path).constData(), R_OK) == 0;
}

FileRead ReadRegularFile(const QString& path, qint64 limit)
{
    FileRead r;
    const QByteArray native = EncodePath(path);
    // Looked at before it is opened: opening a device can have effects of
    // its own.
    struct stat st {};
    if (::stat(native.constData(), &st) != 0) {
        r.error = OpenError(errno);
        return r;
    }
    if (S_ISDIR(st.st_mode) || !S_ISREG(st.st_mode)) {
        r.error = S_ISDIR(st.st_mode) ? FileError::Folder : FileError::NotRegular;
        return r;
    }
    // Without waiting, should it have become a FIFO in the meantime.
    Fd fd(::open(native.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (fd.get() < 0) {
        r.error = OpenError(errno);
        return r;
    }
    if (::fstat(fd.get(), &st) != 0 || !S_ISREG(st.st_mode)) {
        r.error = S_ISDIR(st.st_mode) ? FileError::Folder : FileError::NotRegular;
        return r;
    }
    if (st.st_size > limit) {
        r.error = FileError::TooLarge;
        return r;
    }
    r.mtimeNs = qint64(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
    // One buffer of the file's size; a file that grows meanwhile is read
    // on up to the limit.
    qint64 capacity = std::max<qint64>(st.st_size, 0) + 1;
    r.bytes.resize(capacity);
    AdviseLargeBuffer(r.bytes.data(), r.bytes.size());
    qint64 got = 0;
    for (;;) {
        if (got == capacity) {
            if (capacity > limit) {
                r.bytes.clear();
                r.error = FileError::TooLarge;
                return r;
            }
            capacity = std::min(limit + 1, capacity * 2);
            r.bytes.resize(capacity);
        }
        const ssize_t n = ::read(fd.get(), r.bytes.data() + got, size_t(capacity - got));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            r.bytes.clear();
            r.error = FileError::Unreadable;
            return r;
        }
        if (n == 0)
            break;
        got += n;
    }
    r.bytes.truncate(got);
    return r;
}

FileError WriteFileSafely(const QString& requested, QByteArrayView bytes, WriteOptions options)
{
    IgnoreFileSizeSignal();
    const QByteArray path = LinkTarget(EncodePath(requested));
    struct stat st {};
    if (::stat(path.constData(), &st) != 0) {
        if (errno != ENOENT)
            return OpenError(errno) == FileError::Missing ? FileError::CannotCreate
                                                           : OpenError(errno);
        return Replace(path, bytes, nullptr, options.ownerOnly);
    }
    if (S_ISDIR(st.st_mode))
        return FileError::Folder;
    if (S_ISFIFO(st.st_mode) || S_ISCHR(st.st_mode) || S_ISBLK(st.st_mode))
        return WriteIntoNode(path, bytes, options.neverBlock);
    if (!S_ISREG(st.st_mode))
        return FileError::NotRegular;
    // A file its mode keeps from the saver stays as it is, although a
    // writable folder would take a new one in its place. Opening it is the
    // test the system itself makes (its mode, ACL, a read-only mount).
    {
        Fd probe(::open(path.constData(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
        if (probe.get() < 0 && (errno == EACCES || errno == EPERM || errno == EROFS))
            return FileError::CannotCreate;
    }
    // A new file in its place would lose the other names, or an owner the
    // saver cannot give back.
    const bool keepsOwner = geteuid() == 0 || (st.st_uid == geteuid() && InGroup(st.st_gid));
    if (st.st_nlink > 1 || !keepsOwner)
        return WriteInPlace(path, bytes, options.ownerOnly);
    const FileError replaced = Replace(path, bytes, &st, options.ownerOnly);
    // A folder that takes no new file: the file itself may still be
    // writable.
    return replaced == FileError::CannotCreate ? WriteInPlace(path, bytes, options.ownerOnly) : replaced;
}

FileError WriteOwnFile(const QString& path, QByteArrayView bytes, WriteOptions options)
{
    // A link is followed, and the target's folder may be missing as well.
    const QString target = DecodePath(LinkTarget(EncodePath(path)));
    MakeFolders(FolderOfPath(target));
    options.neverBlock = true;
    return WriteFileSafely(path, bytes, options);
}

QString FolderOfPath(const QString& path)
{
    const qsizetype slash = path.lastIndexOf(u'/');
    if (slash < 0)
        return QStringLiteral(".");
    return slash == 0 ? QStringLiteral("/") : path.left(slash);
}

QString NameOfPath(const QString& path)
{
    return path.mid(path.lastIndexOf(u'/') + 1);
}

QString AbsolutePath(const QString& path)
{
    // No name is no file, as for QFileInfo.
    if (path.isEmpty())
        return QString();
    QString full = path;
    if (!path.startsWith(u'/')) {
        // getcwd, for the current folder's own bytes.
        std::vector<char> buffer(4096);
        while (!::getcwd(buffer.data(), buffer.size()) && errno == ERANGE)
            buffer.resize(buffer.size() * 2);
        full = DecodePath(QByteArrayView(buffer.data())) + u'/' + path;
    }
    QStringList parts;
    for (const QString& part : full.split(u'/', Qt::SkipEmptyParts)) {
        if (part == u".")
            continue;
        if (part == u"..") {
            if (!parts.isEmpty())
                parts.removeLast();
            continue;
        }
        parts.append(part);
    }
    return u'/' + parts.join(u'/');
}

bool MakeFolders(const QString& path)
{
    const QByteArray native = EncodePath(AbsolutePath(path));
    struct stat st {};
    if (::stat(native.constData(), &st) == 0)
        return S_ISDIR(st.st_mode);
    for (qsizetype slash = native.indexOf('/', 1); ; slash = native.indexOf('/', slash + 1)) {
        const QByteArray part = slash < 0 ? native : native.left(slash);
        if (::mkdir(part.constData(), 0777) != 0 && errno != EEXIST)
            return false;
        if (slash < 0)
            break;
    }
    return ::stat(native.constData(), &st) == 0 && S_ISDIR(st.st_mode);
}

QString RealPath(const QString& path)
{
    char* resolved = ::realpath(EncodePath(path).constData(), nullptr);
    if (!resolved)
        return QString();
    const QString out = DecodePath(resolved);
    ::free(resolved);
    return out;
}

FileIdentity IdentityOf(const QString& path)
{
    struct stat st {};
    if (::stat(EncodePath(path).constData(), &st) != 0)
        return {};
    return {quint64(st.st_dev), quint64(st.st_ino)};
}

bool OpenFile(QFile& file, const QString& path, QIODevice::OpenMode mode)
{
    const bool reads = mode & QIODevice::ReadOnly;
    const bool writes = mode & QIODevice::WriteOnly;
    int flags = O_CLOEXEC | (reads && writes ? O_RDWR : writes ? O_WRONLY : O_RDONLY);
    if (writes) {
        flags |= O_CREAT;
        if (mode & QIODevice::Append)
            flags |= O_APPEND;
        else if ((mode & QIODevice::Truncate) || !reads)
            flags |= O_TRUNC;
    }
    // Not waiting for a FIFO's writer: it is refused below.
    const int fd = ::open(EncodePath(path).constData(), flags | (writes ? 0 : O_NONBLOCK), 0666);
    if (fd < 0)
        return false;
    struct stat st {};
    if (::fstat(fd, &st) != 0 || (!writes && !S_ISREG(st.st_mode))
        || (!writes && ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK) != 0)) {
        ::close(fd);
        return false;
    }
    if (!file.open(fd, mode, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return false;
    }
    return true;
}

bool RemoveFile(const QString& path)
{
    return ::unlink(EncodePath(path).constData()) == 0;
}

bool RemoveFolder(const QString& path)
{
    return ::rmdir(EncodePath(path).constData()) == 0;
}

bool RenamePath(const QString& from, const QString& to, bool replace)
{
    return ::renameat2(AT_FDCWD, EncodePath(from).constData(), AT_FDCWD, EncodePath(to).constData(),
                       replace ? 0 : RENAME_NOREPLACE)
           == 0;
}

bool CopyMode(const QString& from, const QString& to)
{
    struct stat st {};
    return ::stat(EncodePath(from).constData(), &st) == 0
           && ::chmod(EncodePath(to).constData(), st.st_mode & 07777) == 0;
}

bool SetModificationTime(const QString& path, qint64 msecsSinceEpoch)
{
    struct timespec times[2] = {{0, UTIME_OMIT}, {}};
    times[1].tv_sec = time_t(msecsSinceEpoch / 1000);
    times[1].tv_nsec = long(msecsSinceEpoch % 1000) * 1000000;
    if (times[1].tv_nsec < 0) {
        times[1].tv_sec -= 1;
        times[1].tv_nsec += 1000000000;
    }
    return ::utimensat(AT_FDCWD, EncodePath(path).constData(), times, 0) == 0;
}

bool CopyTimeAndMode(const QString& from, const QString& to)
{
    struct stat st {};
    const QByteArray target = EncodePath(to);
    if (::stat(EncodePath(from).constData(), &st) != 0)
        return false;
    const struct timespec times[2] = {st.st_atim, st.st_mtim};
    return ::chmod(target.constData(), st.st_mode & 07777) == 0
           && ::utimensat(AT_FDCWD, target.constData(), times, 0) == 0;
}

} // namespace platform
