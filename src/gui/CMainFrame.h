#pragma once

#include "core/app/MenuData.h"

#include <QKeySequence>
#include <QMainWindow>

#include <functional>
#include <map>
#include <vector>

class CKelvoApp;
class DocumentWatch;
class EditWidget;
class QLabel;
class QToolButton;
class QMenu;
class QTimer;
class QToolBar;

// The main window: the menu bar and toolbar built from the core's menu data,
// the editor widget, and a status bar. Every menu item, button and
// accelerator runs its command through the application's command table; a
// command the table does not have, or does not enable now, shows disabled.
// Keys pressed in the editor go through the view's key assignments first.
class CMainFrame : public QMainWindow {
    Q_OBJECT
public:
    explicit CMainFrame(QWidget* parent = nullptr);
    ~CMainFrame() override;

    // The editor widget; it exists from construction, so the document and
    // the view can be built on its buffer.
    EditWidget& Edit() { return *m_edit; }

    // Connects the window to the application once its document and view
    // exist: key routing, drops, word wrap, the status bar.
    void Attach(CKelvoApp& app);
    // Builds the menu bar, the toolbar and the accelerators for the layout.
    void BuildMenus(MenuLayout layout);
    // Takes the size the window had when it was closed last.
    void RestoreWindowSize();

    // The actions that run a command (menu item, toolbar button,
    // accelerator); several when a command appears in more than one place.
    QList<QAction*> ActionsFor(int id) const;
    QToolBar* ToolBar() const { return m_toolBar; }
    // The menus of the menu bar, top-level menus first, each followed by its
    // submenus.
    QList<QMenu*> Menus() const;
    // Sets each action of the menu enabled as the command table says, and
    // fills its run-time entries (recent files, registered tags and tools).
    void PrepareMenu(QMenu* menu);
    // Puts the assigned keys' names behind a TAB in the menu's captions.
    void ShowKeyNames(QMenu* menu);
    // The toolbar and the accelerators enabled as the command table says.
    void UpdateCommandStates();
    // Status bar texts.
    QString PositionText() const;
    QString CodeText() const;
    // The mark of a file with undecodable bytes, and the offer to reopen a
    // page in the code it declares; empty when there is none.
    QString UndecodableText() const;
    QString ReopenText() const;

    // A key pressed in the editor: true when the view's key assignments
    // took it (the edit widget must not see it).
    bool RouteKey(const QKeyEvent& event);
    // The window title for the document; the frame adds "*" while there are
    // unsaved changes and the read-only mark.
    void SetDocumentCaption(const QString& caption);
    // Opens the first of the dropped files as the document.
    void OpenDroppedFiles(const QStringList& paths);

    static const QString kSettingsSection;

Q_SIGNALS:
    // A command ran from a menu, a button, an accelerator or the user's
    // keys: what follows a command's state looks again.
    void CommandRan();

protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    // A menu entry replaced at run time by a list the application builds.
    struct Placeholder {
        QMenu* menu = nullptr;
        QAction* marker = nullptr;  // the placeholder item itself
        std::function<std::vector<MenuItem>()> items;
        bool showMarkerWhenEmpty = false;
        QList<QAction*> entries;
    };

    void AddItems(QMenu* menu, const std::vector<MenuItem>& items);
    QAction* MakeAction(const QString& caption, int id);
    void FillPlaceholder(Placeholder& placeholder);
    void BuildToolBar();
    void AddAccelerators();
    // The accelerators' keys on their actions, less the keys the user has
    // assigned.
    void ApplyAccelerators();
    bool UserHasKey(const QKeySequence& keys) const;
    void RunCommand(int id);
    void ScheduleUpdate();
    void UpdateStatus();
    void UpdateTitle();
    void SaveWindowSize();
    static QIcon ToolIcon(const ToolbarButton& button);

    CKelvoApp* m_app = nullptr;
    EditWidget* m_edit = nullptr;
    QToolBar* m_toolBar = nullptr;
    std::multimap<int, QAction*> m_actions;
    std::vector<Placeholder> m_placeholders;
    QList<QAction*> m_shortcutActions;  // accelerators without a menu item
    QAction* m_menuBarKey = nullptr;     // F10 opens the menu bar
    std::vector<std::pair<QKeySequence, QAction*>> m_accelerators;
    QLabel* m_position = nullptr;
    QLabel* m_code = nullptr;
    QLabel* m_undecodable = nullptr;
    QToolButton* m_reopen = nullptr;
    QLabel* m_readOnly = nullptr;
    QString m_caption;
    bool m_shownReadOnly = false;
    QTimer* m_updateTimer = nullptr;
    DocumentWatch* m_watch = nullptr;
};
