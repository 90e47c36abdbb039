#pragma once

#include "core/app/CommandTable.h"
#include "core/app/MenuData.h"
#include "core/app/RecentFileList.h"
#include "core/custom/CKeycustTable.h"
#include "core/custom/MenuKeyNames.h"
#include "core/tags/CTagTables.h"
#include "core/tags/StyleEditHooks.h"

#include <QString>

#include <vector>

namespace platform {
class SettingsStore;
}
class Ui;
class CKelvoDoc;
class CKelvoView;

// What the program is started with: the screen it shows on (its shape picks
// the menu layout and the length of the recent-file list) and the file
// named on the command line (empty for none).
struct StartupOptions {
    int screenWidth = 0;
    int screenHeight = 0;
    QString file;
};

// The application: the settings operations every part uses, the values that
// live as long as the program (initial template, tag case, recent files, key
// assignments, menu layout), the command table, and the framework steps
// that replace the document (new, open) around the one document and its
// view.
class CKelvoApp {
public:
    CKelvoApp(platform::SettingsStore& settings, Ui& ui);
    ~CKelvoApp();
    CKelvoApp(const CKelvoApp&) = delete;
    CKelvoApp& operator=(const CKelvoApp&) = delete;

    // Settings by section and key. A read gives the default when the key is
    // missing or holds no usable value. A string written is always stored,
    // an empty or null one as the empty string: a dialog field left empty
    // must not delete the setting behind it. Deleting is explicit.
    int GetProfileInt(const QString& section, const QString& key, int defaultValue) const;
    QString GetProfileString(const QString& section, const QString& key,
                             const QString& defaultValue = QString()) const;
    bool WriteProfileInt(const QString& section, const QString& key, int value);
    bool WriteProfileString(const QString& section, const QString& key, const QString& value);
    bool DeleteProfileValue(const QString& section, const QString& key);
    bool DeleteProfileSection(const QString& section);

    platform::SettingsStore& Settings() { return m_settings; }
    Ui& GetUi() { return m_ui; }
    CommandTable& Commands() { return m_commands; }

    // The document and view this application drives; set once by whoever
    // builds them.
    void Attach(CKelvoDoc& doc, CKelvoView& view);
    CKelvoDoc& Doc() { return *m_doc; }
    CKelvoView& View() { return *m_view; }

    // Start-up, after Attach and RegisterAllCommands: picks the menu layout
    // and the recent-file list's length from the screen's shape, reads the
    // application's settings, and opens the file named in the options, the
    // file opened last ("System"/"IniMode" not 0), or a new document. False
    // when the named file cannot be opened (after the load's message): the
    // program ends. The caller shows the main window afterwards.
    bool InitInstance(const StartupOptions& options);
    // The menu layout chosen at start-up (landscape until then).
    MenuLayout Layout() const { return m_layout; }
    static int RecentFileCountFor(MenuLayout layout);

    // The application's own commands: new, open, recent files, exit, about,
    // help.
    void RegisterCommands();

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
    // Opens the recent file at the index; a file that cannot be loaded
    // leaves the list.
    void OnOpenRecentFile(int index);

    // The exit command: asks about unsaved changes, then has the Ui close
    // the main window.
    void OnAppExit();
    // The main window is about to close (by the exit command or by the
    // window's own close button): true when it may. Asks about unsaved
    // changes, unless the exit command has just asked.
    bool CanCloseMainWindow();
    // The last step before the program ends, after the main window has
    // closed: saves the recent-file list and remembers the key file.
    void ExitInstance();
    void OnAppAbout();
    // Opens the help page the program ships; nothing happens without it.
    void OnHelp();
    static QString HelpFilePath();

    RecentFileList& RecentFiles() { return m_recent; }
    // Menu entries of the recent files ("&1 " and the path shortened to 30
    // characters), with the commands from cmd::FileMru1 on.
    std::vector<MenuItem> RecentFileMenu() const;
    static constexpr int kRecentCaptionLength = 30;

    // Menu entries of the registered tools (at most ten) and registered tags
    // (at most fifty), read from the settings sections "Tool" and "TagMenu":
    // "&0: " and the name, with the commands from cmd::RegisteredToolFirst
    // and cmd::RegisteredTagFirst on. A tag without a name is listed under
    // its start text followed by its end text.
    std::vector<MenuItem> RegisteredToolMenu() const;
    std::vector<MenuItem> RegisteredTagMenu() const;

    // The key-assignment table the view looks keys up in.
    CKeycustTable& KeyTable() { return m_keys; }
    const CKeycustTable& KeyTable() const { return m_keys; }
    // The key names the menu captions show.
    MenuKeyNames& MenuKeys() { return m_menuKeys; }
    const MenuKeyNames& MenuKeys() const { return m_menuKeys; }
    // Loads the key file at the path into the table (the path becomes the
    // table's file name in any case); on success the path is remembered in
    // "System"/"Keycust" and the menus show the new keys.
    bool LoadKeyFile(const QString& path);
    // The key file the settings name ("System"/"Keycust", else the default
    // one) becomes the table's, loaded when it can be read: what the editor
    // does at start-up. False when a file is there but is no key file.
    bool LoadUsersKeyFile();
    // The key file used when the settings name none.
    static QString DefaultKeyFilePath();

    // The tag reference tables, read at start-up (LoadTagTables).
    CTagTables& TagTables() { return m_tagTables; }
    const CTagTables& TagTables() const { return m_tagTables; }
    void LoadTagTables();
    // How tag dialogs and the double-click reach the style sheet editor;
    // filled in by the style commands.
    StyleEditHooks& StyleHooks() { return m_styleHooks; }

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
    // Loads the file as the document without asking about the current one.
    bool LoadDocumentFile(const QString& path);
    // A file named on the command line that does not exist: asks whether to
    // create it and starts a new document that saves to it.
    bool OfferNewDocumentAt(const QString& path);

    platform::SettingsStore& m_settings;
    Ui& m_ui;
    CommandTable m_commands;
    CKelvoDoc* m_doc = nullptr;
    CKelvoView* m_view = nullptr;
    RecentFileList m_recent;
    CKeycustTable m_keys;
    MenuKeyNames m_menuKeys;
    CTagTables m_tagTables;
    MenuLayout m_layout = MenuLayout::Landscape;
    QString m_initTemp;
    bool m_tagLower = false;
    bool m_exitConfirmed = false;
    StyleEditHooks m_styleHooks;
};

// Section and key names of the application shell's settings.
namespace settings {
inline const QString System = QStringLiteral("System");
inline const QString View = QStringLiteral("View");
inline const QString Font = QStringLiteral("Font");
inline const QString Find = QStringLiteral("Find");
}
