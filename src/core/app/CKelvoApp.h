#pragma once

#include "core/app/CommandTable.h"
#include "core/app/RecentFileList.h"

#include <QString>

namespace platform {
class SettingsStore;
}
class Ui;
class CKelvoDoc;
class CKelvoView;

// The application: the settings operations every part uses, the values that
// live as long as the program (initial template, tag case, recent files),
// the command table, and the framework steps that replace the document
// (new, open) around the one document and its view.
class CKelvoApp {
public:
    CKelvoApp(platform::SettingsStore& settings, Ui& ui);
    ~CKelvoApp();
    CKelvoApp(const CKelvoApp&) = delete;
    CKelvoApp& operator=(const CKelvoApp&) = delete;

    // Settings by section and key. A read gives the default when the key is
    // missing or holds no usable value. WriteProfileString with a null value
    // deletes the key, with a null key the whole section.
    int GetProfileInt(const QString& section, const QString& key, int defaultValue) const;
    QString GetProfileString(const QString& section, const QString& key,
                             const QString& defaultValue = QString()) const;
    bool WriteProfileInt(const QString& section, const QString& key, int value);
    bool WriteProfileString(const QString& section, const QString& key, const QString& value);

    platform::SettingsStore& Settings() { return m_settings; }
    Ui& GetUi() { return m_ui; }
    CommandTable& Commands() { return m_commands; }

    // The document and view this application drives; set once by whoever
    // builds them.
    void Attach(CKelvoDoc& doc, CKelvoView& view);
    CKelvoDoc& Doc() { return *m_doc; }
    CKelvoView& View() { return *m_view; }

    // Reads the values the application holds from the settings (initial
    // template path, tag case, recent files of the given size).
    void LoadSettings(int recentFileCount);

    // Framework steps. Each asks about unsaved changes first and gives false
    // when the user cancels or the file cannot be loaded.
    bool NewDocument();
    bool OpenDocumentFile(const QString& path);
    // The open command: file chooser starting in "System"/"InitDir", which
    // takes the chosen folder.
    void OnFileOpen();

    RecentFileList& RecentFiles() { return m_recent; }
    // Path of the file a new document is filled from.
    QString InitialTemplatePath() const { return m_initTemp; }
    void SetInitialTemplatePath(const QString& path) { m_initTemp = path; }
    static QString DefaultInitialTemplatePath();
    // Inserted tags are written in lower case.
    bool TagLower() const { return m_tagLower; }
    void SetTagLower(bool lower) { m_tagLower = lower; }

    // The documents folder written in settings as "\My Documents".
    static QString DefaultDocumentsFolder();
    // The folder the open and save dialogs start in.
    QString InitialFolder() const;

private:
    platform::SettingsStore& m_settings;
    Ui& m_ui;
    CommandTable m_commands;
    CKelvoDoc* m_doc = nullptr;
    CKelvoView* m_view = nullptr;
    RecentFileList m_recent;
    QString m_initTemp;
    bool m_tagLower = false;
};

// Section and key names of the application shell's settings.
namespace settings {
inline const QString System = QStringLiteral("System");
inline const QString View = QStringLiteral("View");
inline const QString Font = QStringLiteral("Font");
inline const QString Find = QStringLiteral("Find");
}
