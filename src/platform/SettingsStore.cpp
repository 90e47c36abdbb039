#include "platform/SettingsStore.h"

#include <QStandardPaths>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace platform {

namespace {

constexpr const char* kConfigDirVariable = "KELVO_CONFIG_DIR";
// Far beyond any settings file; a larger one is no settings file.
constexpr qint64 kMaxSettingsFile = 64 * 1024 * 1024;

// Section and key names were kept through a layer that read "/" and "\" as
// a group separator, and site names of the FTP settings are the user's own
// text. The escaping that kept every name one level deep stays, so that
// files written then read the same.
QString EscapeName(const QString& name)
{
    QString out;
    out.reserve(name.size());
    for (QChar c : name) {
        if (c == u'%')
            out += QStringLiteral("%25");
        else if (c == u'/')
            out += QStringLiteral("%2F");
        else if (c == u'\\')
            out += QStringLiteral("%5C");
        else
            out += c;
    }
    return out;
}

// Two programs writing at once each keep the other's change: the file is
// read again and written under this lock. A folder that takes no lock file
// is written without.
class FileLock {
public:
    explicit FileLock(const QString& path)
        : m_fd(::open(EncodePath(path + QStringLiteral(".lock")).constData(),
                      O_RDWR | O_CREAT | O_NOCTTY | O_CLOEXEC, 0600))
    {
        if (m_fd >= 0)
            while (::flock(m_fd, LOCK_EX) != 0 && errno == EINTR) {
            }
    }
    ~FileLock()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

private:
    int m_fd;
};

} // namespace

QString SettingsStore::DefaultPath()
{
    const QString dir = DecodePath(qgetenv(kConfigDirVariable));
    if (!dir.isEmpty())
        return dir + QStringLiteral("/kelvo.ini");
    QString base = DecodePath(qgetenv("XDG_CONFIG_HOME"));
    if (base.isEmpty())
        base = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    return base + QStringLiteral("/Norvane/kelvo.ini");
}

SettingsStore::SettingsStore() : SettingsStore(DefaultPath()) {}

SettingsStore::SettingsStore(const QString& iniPath, Persistence persistence)
    : m_path(iniPath), m_persistence(persistence)
{
    // Never opened unless it is a regular file: a FIFO would hold the
    // start for ever.
    const FileRead file = ReadRegularFile(m_path, kMaxSettingsFile);
    if (file.error == FileError::None) {
        m_doc = IniDocument::Parse(file.bytes);
        m_stamp.size = file.bytes.size();
        m_stamp.mtimeNs = file.mtimeNs;
    } else if (file.error != FileError::Missing) {
        m_readError = file.error;
    }
}

SettingsStore::~SettingsStore() = default;

int SettingsStore::ReadInt(const QString& section, const QString& key, int defaultValue) const
{
    const std::optional<QString> v = m_doc.Value(EscapeName(section), EscapeName(key));
    if (!v)
        return defaultValue;
    bool ok = false;
    // Stored as text in the file; anything that is not a 32-bit number is
    // treated like a missing value.
    const qlonglong n = v->trimmed().toLongLong(&ok);
    if (!ok || n < INT32_MIN || n > UINT32_MAX)
        return defaultValue;
    return static_cast<int>(static_cast<qint32>(n));
}

QString SettingsStore::ReadString(const QString& section, const QString& key,
                                  const QString& defaultValue) const
{
    return m_doc.Value(EscapeName(section), EscapeName(key)).value_or(defaultValue);
}

bool SettingsStore::WriteInt(const QString& section, const QString& key, int value)
{
    return WriteString(section, key, QString::number(value));
}

bool SettingsStore::WriteString(const QString& section, const QString& key, const QString& value)
{
    if (section.isEmpty() || key.isEmpty())
        return false;
    return Apply({Change::Kind::Set, EscapeName(section), EscapeName(key),
                  value.isNull() ? QStringLiteral("") : value});
}

bool SettingsStore::RemoveKey(const QString& section, const QString& key)
{
    // An empty key would name the whole section.
    if (section.isEmpty() || key.isEmpty())
        return false;
    return Apply({Change::Kind::Remove, EscapeName(section), EscapeName(key), QString()});
}

bool SettingsStore::RemoveSection(const QString& section)
{
    if (section.isEmpty())
        return false;
    return Apply({Change::Kind::RemoveSection, EscapeName(section), QString(), QString()});
}

bool SettingsStore::HasKey(const QString& section, const QString& key) const
{
    return m_doc.Value(EscapeName(section), EscapeName(key)).has_value();
}

bool SettingsStore::ApplyTo(IniDocument& doc, const Change& change)
{
    switch (change.kind) {
    case Change::Kind::Set:
        return doc.Set(change.section, change.key, change.value);
    case Change::Kind::Remove:
        return doc.Remove(change.section, change.key);
    case Change::Kind::RemoveSection:
        return doc.RemoveSection(change.section);
    }
    return false;
}

bool SettingsStore::Apply(const Change& change)
{
    const bool changed = ApplyTo(m_doc, change);
    if (m_persistence == Persistence::Scratch)
        return true;
    if (changed)
        m_pending.push_back(change);
    return m_pending.empty() || Flush();
}

bool SettingsStore::Flush()
{
    FileError error = FileError::None;
    // A file that is there but could not be read is never written over:
    // the values in it would be lost.
    if (m_readError == FileError::Unreadable || m_readError == FileError::TooLarge) {
        error = m_readError;
    } else {
        FileLock lock(m_path);
        const FileStamp now = StatFile(m_path);
        if (now.Exists() && !now.SameTimes(m_stamp)) {
            FileRead file = ReadRegularFile(m_path, kMaxSettingsFile);
            if (file.error == FileError::None) {
                IniDocument doc = IniDocument::Parse(file.bytes);
                for (const Change& c : m_pending)
                    ApplyTo(doc, c);
                m_doc = std::move(doc);
            }
        }
        error = WriteOwnFile(m_path, m_doc.Bytes(), {.ownerOnly = true});
        if (error == FileError::None)
            m_stamp = StatFile(m_path);
    }
    if (error == FileError::None) {
        m_pending.clear();
        m_failureTold = false;
        return true;
    }
    if (!m_failureTold && m_onWriteFailure) {
        m_failureTold = true;
        m_onWriteFailure(error);
    }
    return false;
}

} // namespace platform
