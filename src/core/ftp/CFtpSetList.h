#pragma once

#include "core/ftp/CFtpSet.h"
#include "core/ftp/FtpTransfer.h"

#include <QString>

#include <vector>

namespace platform {
class SecretStore;
class SettingsStore;
}

// The named FTP site settings, kept in the section "ftp", with the selected
// index. Loading never leaves the list empty. Passwords go to the secret
// service when one answers, under the user and host; otherwise they are
// scrambled in the settings file.
class CFtpSetList {
public:
    static const QString kSection;      // "ftp"
    static const QString kDefaultName;  // "標準の設定"

    void Load(const platform::SettingsStore& store, const QString& section = kSection);
    void Save(platform::SettingsStore& store, const QString& section = kSection) const;
    void Load(const platform::SettingsStore& store, platform::SecretStore& secrets,
              const QString& section = kSection);
    void Save(platform::SettingsStore& store, platform::SecretStore& secrets,
              const QString& section = kSection) const;
    int Add(const CFtpSet& set);
    void RemoveAt(int index);

    // The set whose local folder starts the document's folder (without
    // regard to case), else the selected index.
    int ChooseForDocument(const QString& documentPath);

    int Count() const { return int(m_sets.size()); }
    CFtpSet& At(int index) { return m_sets.at(index); }
    const CFtpSet& At(int index) const { return m_sets.at(index); }
    // The set with this name, or -1.
    int IndexOf(const QString& name) const;
    int Selected() const { return m_selected; }
    void SetSelected(int index) { m_selected = index; }

    // The stored form of a password and back (letters and digits shifted
    // position by position; other characters unchanged).
    static QString Scramble(const QString& plain);
    static QString Unscramble(const QString& stored);

    // "System" settings the FTP commands read.
    static bool PassiveSetting(const platform::SettingsStore& store);      // "ftppasv", 1
    static int TimeoutSetting(const platform::SettingsStore& store);       // "ftptimeout", 30 s

private:
    std::vector<CFtpSet> m_sets;
    int m_selected = 0;
};
