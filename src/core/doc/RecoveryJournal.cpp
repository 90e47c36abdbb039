#include "core/doc/RecoveryJournal.h"

#include "platform/Folders.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>
#include <atomic>
#include <utility>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace {

const QByteArray kMagic = "KELVOPAD-JOURNAL 1";

QString LockOf(const QString& journal)
{
    return journal.chopped(QStringLiteral(".journal").size()) + QStringLiteral(".lock");
}

} // namespace

QString RecoveryJournal::Folder()
{
    return platform::Folders::UserData() + QStringLiteral("recovery/");
}

RecoveryJournal::RecoveryJournal()
{
    // One journal a document, also with several editors in one process.
    static std::atomic<int> counter{0};
    m_file = Folder() + QStringLiteral("%1-%2.journal").arg(::getpid()).arg(counter++);
}

RecoveryJournal::~RecoveryJournal()
{
    Remove();
    if (m_writer.joinable()) {
        {
            const std::lock_guard lock(m_mutex);
            m_stop = true;
        }
        m_changed.notify_all();
        m_writer.join();
    }
}

bool RecoveryJournal::Lock()
{
    if (m_lock >= 0)
        return true;
    // The texts are the user's own: no one else may read them.
    platform::MakeFolders(Folder());
    QFile::setPermissions(Folder(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    const int fd = ::open(platform::EncodePath(LockOf(m_file)).constData(),
                          O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0)
        return false;
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        return false;
    }
    m_lock = fd;
    return true;
}

namespace {

QByteArray JournalBytes(const JournalEntry& entry)
{
    QByteArray bytes = kMagic + '\n';
    bytes += "path=" + platform::EncodePath(entry.path).toPercentEncoding() + '\n';
    bytes += "code=" + CodeKindName(entry.code).toUtf8() + '\n';
    bytes += "lineEnd=" + LineEndKindName(entry.lineEnd).toUtf8() + '\n';
    bytes += "time=" + entry.time.toUTC().toString(Qt::ISODateWithMs).toUtf8() + '\n';
    bytes += "size=" + QByteArray::number(entry.original.size) + '\n';
    bytes += "digest=" + QByteArray::number(entry.original.digest, 16) + "\n\n";
    // The text as it is held, kept bytes included.
    bytes.append(reinterpret_cast<const char*>(entry.text.utf16()), entry.text.size() * 2);
    return bytes;
}

} // namespace

bool RecoveryJournal::Write(JournalEntry entry)
{
    std::unique_lock lock(m_mutex);
    // Without a lock no write is under way (Remove waited for it); one that
    // failed is tried again with the next entry.
    if (!Lock())
        return false;
    const bool failed = std::exchange(m_failed, false);
    m_queued = std::move(entry);
    if (!m_writer.joinable())
        m_writer = std::thread([this] { Run(); });
    lock.unlock();
    m_changed.notify_all();
    return !failed;
}

void RecoveryJournal::Run()
{
    std::unique_lock lock(m_mutex);
    for (;;) {
        m_changed.wait(lock, [this] { return m_stop || m_queued; });
        if (m_stop)
            return;
        const JournalEntry entry = std::move(*m_queued);
        m_queued.reset();
        m_writing = true;
        lock.unlock();
        const bool written =
            platform::WriteOwnFile(m_file, JournalBytes(entry), {.ownerOnly = true})
            == platform::FileError::None;
        lock.lock();
        m_writing = false;
        m_failed = m_failed || !written;
        m_changed.notify_all();
    }
}

void RecoveryJournal::WaitIdle(std::unique_lock<std::mutex>& lock)
{
    m_changed.wait(lock, [this] { return !m_writing && !m_queued; });
}

void RecoveryJournal::Flush()
{
    std::unique_lock lock(m_mutex);
    WaitIdle(lock);
}

void RecoveryJournal::Remove()
{
    std::unique_lock lock(m_mutex);
    m_queued.reset();
    WaitIdle(lock);
    if (m_lock < 0)
        return;
    QFile::remove(m_file);
    QFile::remove(LockOf(m_file));
    ::close(m_lock);
    m_lock = -1;
}

QStringList RecoveryJournal::Orphans()
{
    QDir dir(Folder());
    QStringList out;
    const QFileInfoList journals =
        dir.entryInfoList({QStringLiteral("*.journal")}, QDir::Files, QDir::Time | QDir::Reversed);
    for (const QFileInfo& info : journals) {
        const QString file = info.absoluteFilePath();
        const int fd = ::open(platform::EncodePath(LockOf(file)).constData(), O_RDWR | O_CLOEXEC);
        // Its program is alive while it holds the lock.
        const bool orphan = fd < 0 || ::flock(fd, LOCK_EX | LOCK_NB) == 0;
        if (fd >= 0)
            ::close(fd);
        if (orphan)
            out.append(file);
    }
    return out;
}

std::optional<JournalEntry> RecoveryJournal::Read(const QString& file)
{
    // A journal holds a document's text twice over at most.
    const platform::FileRead read = platform::ReadRegularFile(file, qint64(1) << 32);
    const QByteArray& bytes = read.bytes;
    const qsizetype end = bytes.indexOf("\n\n");
    if (read.error != platform::FileError::None || !bytes.startsWith(kMagic + '\n') || end < 0
        || (bytes.size() - end - 2) % 2 != 0)
        return std::nullopt;
    JournalEntry entry;
    bool codeOk = false, lineEndOk = false;
    for (const QByteArray& line : bytes.left(end).split('\n').mid(1)) {
        const qsizetype eq = line.indexOf('=');
        const QByteArray key = line.left(eq), value = line.mid(eq + 1);
        if (key == "path") {
            entry.path = platform::DecodePath(QByteArray::fromPercentEncoding(value));
        } else if (key == "code") {
            const std::optional<CodeKind> code = CodeKindFromName(QString::fromUtf8(value));
            codeOk = code.has_value();
            entry.code = code.value_or(CodeKind::ShiftJis);
        } else if (key == "lineEnd") {
            const std::optional<LineEndKind> lineEnd = LineEndKindFromName(QString::fromUtf8(value));
            lineEndOk = lineEnd.has_value();
            entry.lineEnd = lineEnd.value_or(LineEndKind::CrLf);
        } else if (key == "time") {
            entry.time = QDateTime::fromString(QString::fromUtf8(value), Qt::ISODateWithMs);
        } else if (key == "size") {
            entry.original.size = value.toLongLong();
        } else if (key == "digest") {
            entry.original.digest = value.toULongLong(nullptr, 16);
        }
    }
    if (!codeOk || !lineEndOk || !entry.time.isValid())
        return std::nullopt;
    entry.text = QString(reinterpret_cast<const QChar*>(bytes.constData() + end + 2),
                         (bytes.size() - end - 2) / 2);
    return entry;
}

void RecoveryJournal::Discard(const QString& file)
{
    QFile::remove(file);
    QFile::remove(LockOf(file));
}
