#pragma once

#include "platform/FileAccess.h"
#include "platform/IniText.h"

#include <QString>

#include <functional>
#include <vector>

namespace platform {

// The per-user settings store: sections of keys holding 32-bit integers or
// strings, kept in an INI file (IniText.h) that users may edit by hand.
// Every write reaches the disk before it returns, so a value written
// survives a crash right after it; the file is written the way documents
// are (WriteOwnFile): a link is followed, a FIFO or device is never
// replaced or waited on, and the file is readable by its owner only, as it
// holds the FTP passwords. Another program's changes to the file since it
// was read are kept: a write applies this store's changes to the file as
// it is now. When the file cannot be written, the settings live on in
// memory and the write-failure handler is told once (until a write
// succeeds again).
//
// The file is $KELVO_CONFIG_DIR/kelvo.ini when that variable is set (tests
// and the batch tool use it), else $XDG_CONFIG_HOME/Norvane/kelvo.ini.
class SettingsStore {
public:
    // Opens the store in the default location (see above).
    SettingsStore();
    // How writes reach the disk: at once, or (a batch run's throwaway store)
    // never: the settings live in memory only.
    enum class Persistence { Durable, Scratch };
    // Opens the store kept in the given file.
    explicit SettingsStore(const QString& iniPath, Persistence persistence = Persistence::Durable);
    ~SettingsStore();
    SettingsStore(const SettingsStore&) = delete;
    SettingsStore& operator=(const SettingsStore&) = delete;

    static QString DefaultPath();
    QString FilePath() const { return m_path; }

    int ReadInt(const QString& section, const QString& key, int defaultValue) const;
    QString ReadString(const QString& section, const QString& key,
                       const QString& defaultValue) const;
    // Writes store the value (a null string as the empty string); an empty
    // section or key name is refused. False when the value could not be
    // written to the file (it is kept in memory all the same).
    bool WriteInt(const QString& section, const QString& key, int value);
    bool WriteString(const QString& section, const QString& key, const QString& value);
    bool RemoveKey(const QString& section, const QString& key);
    bool RemoveSection(const QString& section);

    bool HasKey(const QString& section, const QString& key) const;

    // What opening found: the first line of the file that is no setting,
    // section or comment (0: none), and why a file that is there could not
    // be read (None when it was read or is missing).
    int FirstUnreadableLine() const { return m_doc.FirstUnreadableLine(); }
    FileError ReadError() const { return m_readError; }
    // Called with the reason when a write cannot reach the file, once until
    // a write succeeds again.
    void SetWriteFailureHandler(std::function<void(FileError)> handler)
    {
        m_onWriteFailure = std::move(handler);
    }

private:
    struct Change {
        enum class Kind { Set, Remove, RemoveSection } kind;
        QString section, key, value;
    };
    static bool ApplyTo(IniDocument& doc, const Change& change);
    bool Apply(const Change& change);
    bool Flush();

    QString m_path;
    Persistence m_persistence;
    IniDocument m_doc;
    FileError m_readError = FileError::None;
    // The file as this store read or wrote it last, to tell another
    // program's change.
    FileStamp m_stamp;
    // Changes not yet in the file.
    std::vector<Change> m_pending;
    std::function<void(FileError)> m_onWriteFailure;
    bool m_failureTold = false;
};

} // namespace platform
