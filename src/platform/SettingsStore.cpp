#include "platform/SettingsStore.h"

#include "platform/IniText.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

namespace platform {

namespace {

constexpr const char* kConfigDirVariable = "KELVO_CONFIG_DIR";

// QSettings reads "/" and "\" in a name as a group separator, and site names
// of the FTP settings are the user's own text. Escaping keeps every name one
// level deep and unambiguous.
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

QString FullKey(const QString& section, const QString& key)
{
    return EscapeName(section) + u'/' + EscapeName(key);
}

// QSettings keeps the file's caching, locking and atomic writing; the file
// text itself follows the program's own rules (IniText.h), which read a
// value the way a user wrote it.
bool ReadSettingsFile(QIODevice& device, QSettings::SettingsMap& map)
{
    map = ParseIniText(device.readAll());
    return true;
}

bool WriteSettingsFile(QIODevice& device, const QSettings::SettingsMap& map)
{
    const QByteArray text = IniText(map);
    return device.write(text) == text.size();
}

QSettings::Format SettingsFormat()
{
    static const QSettings::Format format =
        QSettings::registerFormat(QStringLiteral("ini"), ReadSettingsFile, WriteSettingsFile);
    return format;
}

} // namespace

QString SettingsStore::DefaultPath()
{
    const QString dir = qEnvironmentVariable(kConfigDirVariable);
    if (!dir.isEmpty())
        return QDir(dir).filePath(QStringLiteral("kelvo.ini"));
    QString base = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (base.isEmpty())
        base = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    return QDir(base).filePath(QStringLiteral("Norvane/kelvo.ini"));
}

SettingsStore::SettingsStore() : SettingsStore(DefaultPath()) {}

SettingsStore::SettingsStore(const QString& iniPath, Persistence persistence)
    : m_settings(std::make_unique<QSettings>(iniPath, SettingsFormat())), m_persistence(persistence)
{
    QDir().mkpath(QFileInfo(iniPath).absolutePath());
    if (persistence == Persistence::Scratch)
        m_settings->setAtomicSyncRequired(false);
}

SettingsStore::~SettingsStore() = default;

QString SettingsStore::FilePath() const
{
    return m_settings->fileName();
}

int SettingsStore::ReadInt(const QString& section, const QString& key, int defaultValue) const
{
    const QVariant v = m_settings->value(FullKey(section, key));
    if (!v.isValid())
        return defaultValue;
    bool ok = false;
    // Stored as text in the file; anything that is not a 32-bit number is
    // treated like a missing value.
    const qlonglong n = v.toString().trimmed().toLongLong(&ok);
    if (!ok || n < INT32_MIN || n > UINT32_MAX)
        return defaultValue;
    return static_cast<int>(static_cast<qint32>(n));
}

QString SettingsStore::ReadString(const QString& section, const QString& key,
                                  const QString& defaultValue) const
{
    const QVariant v = m_settings->value(FullKey(section, key));
    if (!v.isValid())
        return defaultValue;
    return v.toString();
}

bool SettingsStore::WriteInt(const QString& section, const QString& key, int value)
{
    return WriteString(section, key, QString::number(value));
}

bool SettingsStore::WriteString(const QString& section, const QString& key, const QString& value)
{
    if (section.isEmpty() || key.isEmpty())
        return false;
    m_settings->setValue(FullKey(section, key), value.isNull() ? QStringLiteral("") : value);
    return Flush();
}

bool SettingsStore::RemoveKey(const QString& section, const QString& key)
{
    // An empty key would name the whole section.
    if (section.isEmpty() || key.isEmpty())
        return false;
    m_settings->remove(FullKey(section, key));
    return Flush();
}

bool SettingsStore::RemoveSection(const QString& section)
{
    if (section.isEmpty())
        return false;
    m_settings->remove(EscapeName(section));
    return Flush();
}

bool SettingsStore::HasKey(const QString& section, const QString& key) const
{
    return m_settings->contains(FullKey(section, key));
}

bool SettingsStore::Flush()
{
    if (m_persistence == Persistence::Scratch)
        return m_settings->status() == QSettings::NoError;
    m_settings->sync();
    // The file holds the FTP passwords: only its owner may read it. Later
    // writes replace the file with one that keeps these permissions.
    const QString path = m_settings->fileName();
    constexpr QFile::Permissions ownerOnly = QFile::ReadOwner | QFile::WriteOwner;
    if (QFile::exists(path) && QFile::permissions(path) != ownerOnly)
        QFile::setPermissions(path, ownerOnly);
    return m_settings->status() == QSettings::NoError;
}

} // namespace platform
