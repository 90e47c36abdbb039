#pragma once

#include <QString>
#include <memory>

class QSettings;

namespace platform {

// The per-user settings store: sections of keys holding 32-bit integers or
// strings, kept in an INI file. Every write is flushed to disk before it
// returns, so a value written survives a crash right after it.
//
// The file is $KELVO_CONFIG_DIR/kelvo.ini when that variable is set (tests
// and the batch tool use it), else $XDG_CONFIG_HOME/Norvane/kelvo.ini.
class SettingsStore {
public:
    // Opens the store in the default location (see above).
    SettingsStore();
    // How writes reach the disk: at once, or (a batch run's throwaway store
    // in a temporary folder) when the store is closed, without syncing.
    enum class Persistence { Durable, Scratch };
    // Opens the store kept in the given file.
    explicit SettingsStore(const QString& iniPath, Persistence persistence = Persistence::Durable);
    ~SettingsStore();
    SettingsStore(const SettingsStore&) = delete;
    SettingsStore& operator=(const SettingsStore&) = delete;

    static QString DefaultPath();
    QString FilePath() const;

    int ReadInt(const QString& section, const QString& key, int defaultValue) const;
    QString ReadString(const QString& section, const QString& key,
                       const QString& defaultValue) const;
    // Writes store the value (a null string as the empty string); an empty
    // section or key name is refused.
    bool WriteInt(const QString& section, const QString& key, int value);
    bool WriteString(const QString& section, const QString& key, const QString& value);
    bool RemoveKey(const QString& section, const QString& key);
    bool RemoveSection(const QString& section);

    bool HasKey(const QString& section, const QString& key) const;

private:
    bool Flush();

    std::unique_ptr<QSettings> m_settings;
    Persistence m_persistence;
};

} // namespace platform
