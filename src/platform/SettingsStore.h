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
    // Opens the store kept in the given file.
    explicit SettingsStore(const QString& iniPath);
    ~SettingsStore();
    SettingsStore(const SettingsStore&) = delete;
    SettingsStore& operator=(const SettingsStore&) = delete;

    static QString DefaultPath();
    QString FilePath() const;

    int ReadInt(const QString& section, const QString& key, int defaultValue) const;
    QString ReadString(const QString& section, const QString& key,
                       const QString& defaultValue) const;
    bool WriteInt(const QString& section, const QString& key, int value);
    // A null value deletes the key; a null key deletes the whole section.
    bool WriteString(const QString& section, const QString& key, const QString& value);

    bool HasKey(const QString& section, const QString& key) const;

private:
    bool Flush();

    std::unique_ptr<QSettings> m_settings;
};

} // namespace platform
