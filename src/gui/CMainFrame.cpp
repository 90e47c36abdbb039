#include "gui/CMainFrame.h"

#include "core/app/UiText.h"

#include "core/app/CKelvoApp.h"
#include "core/app/CommandIds.h"
#include "core/app/ShellCommandIds.h"
#include "core/doc/CKelvoDoc.h"
#include "core/edit/CKelvoView.h"
#include "core/tags/TagDialogCommands.h"
#include "gui/DocumentWatch.h"
#include "gui/EditWidget.h"
#include "gui/KeyMapping.h"

#include <QAction>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QScreen>
#include <QStatusBar>
#include <QToolButton>
#include <QTextBlock>
#include <QTimer>
#include <QToolBar>

const QString CMainFrame::kSettingsSection = QStringLiteral("MainFrame");

namespace {

constexpr int kDefaultWidth = 640;
constexpr int kDefaultHeight = 480;
// Toolbar and status bar follow the editor after this pause, so that typing
// in a large document does not ask every command whether it is enabled.
constexpr int kUpdateDelayMs = 150;

const char* const kIdProperty = "kelvoCommand";

int CommandOf(const QAction* action)
{
    const QVariant v = action->property(kIdProperty);
    return v.isValid() ? v.toInt() : 0;
}

} // namespace

CMainFrame::CMainFrame(QWidget* parent) : QMainWindow(parent)
{
    // The icons live in this static library; without a reference the
    // linker would leave them out.
    Q_INIT_RESOURCE(icons);
    m_edit = new EditWidget(this);
    m_edit->setObjectName(QStringLiteral("editor"));
    setCentralWidget(m_edit);
    setAcceptDrops(true);
    setWindowIcon(QIcon(QStringLiteral(":/icons/kelvopad-48.png")));

    m_position = new QLabel(this);
    m_code = new QLabel(this);
    m_undecodable = new QLabel(this);
    m_undecodable->setObjectName(QStringLiteral("undecodable"));
    m_undecodable->hide();
    m_reopen = new QToolButton(this);
    m_reopen->setObjectName(QStringLiteral("reopenDeclared"));
    m_reopen->setAutoRaise(true);
    m_reopen->hide();
    m_readOnly = new QLabel(UiText(QStringLiteral("読み取り専用")), this);
    m_readOnly->setObjectName(QStringLiteral("readOnly"));
    m_readOnly->setToolTip(UiText(QStringLiteral("このファイルには書き込めません")));
    m_readOnly->hide();
    connect(m_reopen, &QToolButton::clicked, this, [this] { RunCommand(cmd::ReopenDeclaredCode); });
    statusBar()->addPermanentWidget(m_readOnly);
    statusBar()->addPermanentWidget(m_undecodable);
    statusBar()->addPermanentWidget(m_reopen);
    statusBar()->addPermanentWidget(m_position);
    statusBar()->addPermanentWidget(m_code);

    m_updateTimer = new QTimer(this);
    m_updateTimer->setSingleShot(true);
    m_updateTimer->setInterval(kUpdateDelayMs);
    connect(m_updateTimer, &QTimer::timeout, this, &CMainFrame::UpdateCommandStates);
    connect(m_edit, &QPlainTextEdit::cursorPositionChanged, this, &CMainFrame::UpdateStatus);
    connect(m_edit, &QPlainTextEdit::selectionChanged, this, &CMainFrame::ScheduleUpdate);
    connect(m_edit, &QPlainTextEdit::modificationChanged, this, &CMainFrame::ScheduleUpdate);
    connect(m_edit, &QPlainTextEdit::modificationChanged, this, &CMainFrame::UpdateTitle);
    connect(m_edit, &EditWidget::ZoomRequested, this,
            [this](int steps) { RunCommand(steps > 0 ? cmd::ZoomIn : cmd::ZoomOut); });
    connect(m_edit, &EditWidget::FilesDropped, this, &CMainFrame::OpenDroppedFiles);
    m_watch = new DocumentWatch(*this, *m_edit);

    // The narrow layout's menu titles carry no mnemonic, so Alt and a
    // letter cannot reach them; F10 opens the menu bar in every layout, as
    // desktop programs do. Made here, with everything else the timers and
    // events reach: a message shown while the first document loads runs
    // them before the menus exist.
    m_menuBarKey = new QAction(this);
    addAction(m_menuBarKey);
    connect(m_menuBarKey, &QAction::triggered, this, [this] {
        if (!menuBar()->actions().isEmpty())
            menuBar()->setActiveAction(menuBar()->actions().first());
    });
}

CMainFrame::~CMainFrame() = default;

void CMainFrame::Attach(CKelvoApp& app)
{
    m_app = &app;
    m_edit->Buffer().SetWordWrap(app.View().WordWrap());
    // Japanese text has no spaces to break at.
    m_edit->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    m_edit->SetKeyHandler([this](QKeyEvent& event) { return RouteKey(event); });
    m_watch->Attach(app.Doc());
    m_edit->SetDoubleClickHandler([this] { return OnTagDoubleClick(*m_app); });
    m_edit->SetShortcutHandler([this](QKeyEvent& event) {
        // The user's own keys come first, before the program's accelerators,
        // a menu's mnemonic or a standard key of the edit widget.
        const int code = VirtualKeyOf(event);
        const Qt::KeyboardModifiers m = event.modifiers();
        if (code
            && m_app->View().TakesKey(code, m & Qt::AltModifier, m & Qt::ShiftModifier,
                                      m & Qt::ControlModifier))
            return EditWidget::ShortcutChoice::TakeKey;
        // Then the accelerators, before the editor's own keys, as the
        // menu's keys do.
        const QKeySequence pressed(event.keyCombination());
        for (auto it = m_actions.begin(); it != m_actions.end(); ++it)
            for (const QKeySequence& s : it->second->shortcuts())
                if (s == pressed) {
                    const bool enabled = m_app->Commands().IsEnabled(it->first);
                    it->second->setEnabled(enabled);
                    if (enabled)
                        return EditWidget::ShortcutChoice::LetShortcutRun;
                }
        return EditWidget::ShortcutChoice::Default;
    });
    UpdateStatus();
}

// ---- menus -----------------------------------------------------------------

QAction* CMainFrame::MakeAction(const QString& caption, int id)
{
    auto* action = new QAction(caption, this);
    action->setProperty(kIdProperty, id);
    action->setStatusTip(CommandDescription(id));
    connect(action, &QAction::triggered, this, [this, id] { RunCommand(id); });
    m_actions.emplace(id, action);
    return action;
}

void CMainFrame::AddItems(QMenu* menu, const std::vector<MenuItem>& items)
{
    for (const MenuItem& item : items) {
        switch (item.kind) {
        case MenuItem::Kind::Separator:
            menu->addSeparator();
            break;
        case MenuItem::Kind::Submenu: {
            QMenu* sub = menu->addMenu(item.caption);
            connect(sub, &QMenu::aboutToShow, this, [this, sub] { PrepareMenu(sub); });
            AddItems(sub, item.children);
            break;
        }
        case MenuItem::Kind::Command: {
            QAction* action = MakeAction(item.caption, item.id);
            menu->addAction(action);
            if (!m_app)
                break;
            Placeholder p;
            p.menu = menu;
            p.marker = action;
            if (item.id == cmd::FileMru1) {
                p.items = [this] { return m_app->RecentFileMenu(); };
                p.showMarkerWhenEmpty = true;
            } else if (item.id == cmd::RegisteredTagFirst) {
                p.items = [this] { return m_app->RegisteredTagMenu(); };
            } else if (item.id == cmd::RegisteredToolFirst) {
                p.items = [this] { return m_app->RegisteredToolMenu(); };
            } else {
                break;
            }
            m_placeholders.push_back(std::move(p));
            break;
        }
        }
    }
}

void CMainFrame::BuildMenus(MenuLayout layout)
{
    menuBar()->clear();
    for (auto& [id, action] : m_actions)
        action->deleteLater();
    m_actions.clear();
    m_placeholders.clear();
    qDeleteAll(m_shortcutActions);
    m_shortcutActions.clear();
    m_accelerators.clear();

    for (const MenuItem& top : MainMenu(layout)) {
        QMenu* menu = menuBar()->addMenu(top.caption);
        connect(menu, &QMenu::aboutToShow, this, [this, menu] { PrepareMenu(menu); });
        AddItems(menu, top.children);
    }
    AddAccelerators();
    BuildToolBar();
    for (Placeholder& p : m_placeholders)
        FillPlaceholder(p);
    for (QMenu* menu : Menus())
        ShowKeyNames(menu);
    UpdateCommandStates();
}

void CMainFrame::ShowKeyNames(QMenu* menu)
{
    if (!m_app)
        return;
    for (QAction* action : menu->actions()) {
        const int id = CommandOf(action);
        if (!id || action->text().isEmpty())
            continue;
        const QString text = CaptionWithKeyName(action->text(), m_app->MenuKeys().Name(id));
        if (text != action->text())
            action->setText(text);
    }
}

void CMainFrame::AddAccelerators()
{
    for (const Accelerator& a : Accelerators()) {
        const QKeySequence keys(a.keys, QKeySequence::PortableText);
        const auto it = m_actions.find(a.id);
        QAction* action = nullptr;
        if (it != m_actions.end()) {
            action = it->second;
        } else {
            // A command with keys but no menu item (next pane, previous
            // pane) still gets its keys.
            action = MakeAction(QString(), a.id);
            addAction(action);
            m_shortcutActions.append(action);
        }
        m_accelerators.emplace_back(keys, action);
    }
    ApplyAccelerators();
}

bool CMainFrame::UserHasKey(const QKeySequence& keys) const
{
    if (!m_app || keys.isEmpty())
        return false;
    const QKeyCombination c = keys[0];
    const Qt::KeyboardModifiers m = c.keyboardModifiers();
    const int code = VirtualKeyFromQt(c.key(), m);
    return code
           && m_app->KeyTable().Lookup(code, m & Qt::AltModifier, m & Qt::ShiftModifier,
                                       m & Qt::ControlModifier)
                  != 0;
}

void CMainFrame::ApplyAccelerators()
{
    // An accelerator whose key the user gave another command is left out,
    // so that neither the shortcut nor the menu caption claims the key.
    std::map<QAction*, QList<QKeySequence>> keys;
    for (const auto& [sequence, action] : m_accelerators) {
        QList<QKeySequence>& list = keys[action];
        if (!UserHasKey(sequence))
            list.append(sequence);
    }
    for (const auto& [action, list] : keys)
        if (action->shortcuts() != list)
            action->setShortcuts(list);
    const QKeySequence menuBarKey(Qt::Key_F10);
    m_menuBarKey->setShortcut(UserHasKey(menuBarKey) ? QKeySequence() : menuBarKey);
}

QIcon CMainFrame::ToolIcon(const ToolbarButton& button)
{
    QIcon own;
    for (int size : {16, 24}) {
        const QString path = QStringLiteral(":/icons/%1-%2.png").arg(button.iconName).arg(size);
        own.addFile(path, QSize(size, size));
    }
    // The desktop's icon theme when it has one; a plain X session has none.
    return QIcon::fromTheme(button.iconName, own);
}

void CMainFrame::BuildToolBar()
{
    if (!m_toolBar) {
        m_toolBar = addToolBar(UiText(QStringLiteral("ツールバー")));
        m_toolBar->setObjectName(QStringLiteral("toolbar"));
        m_toolBar->setMovable(false);
        m_toolBar->setIconSize(QSize(16, 16));
    }
    m_toolBar->clear();
    std::vector<ToolbarButton> buttons = ToolbarButtons();
    // The separators at the ends divided the menu from the buttons on the
    // handheld's single bar; here the menu has a bar of its own.
    while (!buttons.empty() && buttons.front().separator)
        buttons.erase(buttons.begin());
    while (!buttons.empty() && buttons.back().separator)
        buttons.pop_back();
    for (const ToolbarButton& b : buttons) {
        if (b.separator) {
            m_toolBar->addSeparator();
            continue;
        }
        const auto it = m_actions.find(b.id);
        QAction* action = it != m_actions.end() ? it->second : MakeAction(QString(), b.id);
        action->setIcon(ToolIcon(b));
        action->setToolTip(CommandShortName(b.id));
        // The icon speaks for the button; the menu keeps its caption.
        action->setIconVisibleInMenu(false);
        m_toolBar->addAction(action);
    }
}

void CMainFrame::FillPlaceholder(Placeholder& p)
{
    for (QAction* a : std::as_const(p.entries)) {
        p.menu->removeAction(a);
        const auto it = std::find_if(m_actions.begin(), m_actions.end(),
                                     [a](const auto& e) { return e.second == a; });
        if (it != m_actions.end())
            m_actions.erase(it);
        a->deleteLater();
    }
    p.entries.clear();
    const std::vector<MenuItem> items = p.items();
    for (const MenuItem& item : items) {
        QAction* action = MakeAction(item.caption, item.id);
        p.menu->insertAction(p.marker, action);
        p.entries.append(action);
    }
    p.marker->setVisible(items.empty() && p.showMarkerWhenEmpty);
    p.marker->setEnabled(false);
}

void CMainFrame::PrepareMenu(QMenu* menu)
{
    if (!m_app)
        return;
    for (Placeholder& p : m_placeholders)
        if (p.menu == menu)
            FillPlaceholder(p);
    // The key dialog may have changed the keys since the menu was shown.
    ApplyAccelerators();
    ShowKeyNames(menu);
    for (QAction* action : menu->actions()) {
        const int id = CommandOf(action);
        if (!id)
            continue;
        const bool isMarker =
            std::any_of(m_placeholders.begin(), m_placeholders.end(),
                        [action](const Placeholder& p) { return p.marker == action; });
        action->setEnabled(!isMarker && m_app->Commands().IsEnabled(id));
        const std::optional<bool> on = m_app->Commands().IsOn(id);
        action->setCheckable(on.has_value());
        action->setChecked(on.value_or(false));
    }
}

QList<QAction*> CMainFrame::ActionsFor(int id) const
{
    QList<QAction*> list;
    const auto [first, last] = m_actions.equal_range(id);
    for (auto it = first; it != last; ++it)
        list.append(it->second);
    return list;
}

QList<QMenu*> CMainFrame::Menus() const
{
    QList<QMenu*> menus;
    std::function<void(QMenu*)> add = [&](QMenu* m) {
        menus.append(m);
        for (QAction* a : m->actions())
            if (a->menu())
                add(a->menu());
    };
    for (QAction* a : menuBar()->actions())
        if (a->menu())
            add(a->menu());
    return menus;
}

void CMainFrame::UpdateCommandStates()
{
    if (!m_app)
        return;
    ApplyAccelerators();
    QList<QAction*> live = m_shortcutActions;
    if (m_toolBar)
        live += m_toolBar->actions();
    for (const auto& [id, action] : m_actions)
        if (!action->shortcuts().isEmpty())
            live.append(action);
    for (QAction* action : std::as_const(live))
        if (const int id = CommandOf(action))
            action->setEnabled(m_app->Commands().IsEnabled(id));
    if (m_app->Doc().IsReadOnlyFile() != m_shownReadOnly)
        UpdateTitle();
    // After an open or a save under another name.
    m_watch->Follow();
    UpdateStatus();
}

void CMainFrame::ScheduleUpdate()
{
    m_updateTimer->start();
}

void CMainFrame::RunCommand(int id)
{
    if (!m_app)
        return;
    m_app->Commands().Run(id);
    ScheduleUpdate();
    Q_EMIT CommandRan();
}

// ---- status bar ------------------------------------------------------------

QString CMainFrame::PositionText() const
{
    const PlainTextEditBuffer& buffer = m_edit->Buffer();
    const int offset = buffer.ToOffset(m_edit->textCursor().position());
    const int line = buffer.LineFromChar(offset);
    return UiText(QStringLiteral("%1 行  %2 桁")).arg(line + 1).arg(offset - buffer.LineIndex(line) + 1);
}

QString CMainFrame::CodeText() const
{
    if (!m_app)
        return QString();
    const QStringList codes = CodeKindCaptions();
    const QStringList lineEnds = LineEndKindCaptions();
    const QString code = UiText(codes.value(static_cast<int>(m_app->Doc().GetCodeKind())));
    // A file that holds no line end has no kind to show.
    const LineEndKind end = m_app->Doc().GetLineEndKind();
    if (end == LineEndKind::None)
        return code;
    return QStringLiteral("%1  %2").arg(code, UiText(lineEnds.value(static_cast<int>(end))));
}

QString CMainFrame::UndecodableText() const
{
    if (!m_app || m_app->Doc().UndecodableCount() == 0)
        return QString();
    return UiText(QStringLiteral("読めない %1")).arg(m_app->Doc().UndecodableCount());
}

QString CMainFrame::ReopenText() const
{
    if (!m_app)
        return QString();
    const std::optional<CodeKind> declared = m_app->Doc().DisagreeingDeclaredCode();
    if (!declared || !m_app->Commands().IsEnabled(cmd::ReopenDeclaredCode))
        return QString();
    return UiText(QStringLiteral("%1で開く"))
        .arg(UiText(CodeKindCaptions().value(static_cast<int>(*declared))));
}

void CMainFrame::UpdateStatus()
{
    m_position->setText(PositionText());
    m_code->setText(CodeText());
    const QString undecodable = UndecodableText();
    // Short texts, so that the bar fits a narrow screen; the tips say more.
    m_undecodable->setText(undecodable);
    m_undecodable->setToolTip(
        undecodable.isEmpty()
            ? QString()
            : UiText(QStringLiteral("文字として読めないバイトが %1 個あります。保存するときは元のバイトのまま書き戻します。"))
                  .arg(m_app->Doc().UndecodableCount()));
    m_undecodable->setVisible(!undecodable.isEmpty());
    const QString reopen = ReopenText();
    m_reopen->setText(reopen);
    m_reopen->setToolTip(reopen.isEmpty()
                             ? QString()
                             : UiText(QStringLiteral("ページが宣言する文字コードで開き直します")));
    m_reopen->setVisible(!reopen.isEmpty());
    ScheduleUpdate();
}

void CMainFrame::SetDocumentCaption(const QString& caption)
{
    m_caption = caption;
    UpdateTitle();
}

void CMainFrame::UpdateTitle()
{
    m_shownReadOnly = m_app && m_app->Doc().IsReadOnlyFile();
    m_readOnly->setVisible(m_shownReadOnly);
    setWindowTitle(CKelvoDoc::MarkedWindowTitle(
        m_caption, m_edit->document()->isModified(),
        m_shownReadOnly ? UiText(CKelvoDoc::ReadOnlyMark()) : QString()));
}

// ---- keys ------------------------------------------------------------------

bool CMainFrame::RouteKey(const QKeyEvent& event)
{
    if (!m_app)
        return false;
    const int code = VirtualKeyOf(event);
    if (!code)
        return false;
    const Qt::KeyboardModifiers m = event.modifiers();
    const bool alt = m & Qt::AltModifier;
    const bool shift = m & Qt::ShiftModifier;
    const bool ctrl = m & Qt::ControlModifier;
    CKelvoView& view = m_app->View();
    // A Qt key event carries its character, so a key the view did not take
    // is typed by the widget; there is no separate character to drop.
    const bool taken =
        alt ? view.OnSysKeyDown(code, shift, ctrl) : view.OnKeyDown(code, false, shift, ctrl);
    if (taken) {
        ScheduleUpdate();
        Q_EMIT CommandRan();
    }
    return taken;
}

// ---- files and closing -----------------------------------------------------

void CMainFrame::OpenDroppedFiles(const QStringList& paths)
{
    if (!m_app || paths.isEmpty())
        return;
    activateWindow();
    m_app->OpenDocumentFile(paths.first());
    ScheduleUpdate();
}

void CMainFrame::dragEnterEvent(QDragEnterEvent* event)
{
    if (!EditWidget::LocalFiles(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void CMainFrame::dropEvent(QDropEvent* event)
{
    const QStringList files = EditWidget::LocalFiles(event->mimeData());
    if (files.isEmpty())
        return;
    event->acceptProposedAction();
    OpenDroppedFiles(files);
}

void CMainFrame::RestoreWindowSize()
{
    int width = kDefaultWidth;
    int height = kDefaultHeight;
    bool maximized = false;
    if (m_app) {
        width = m_app->GetProfileInt(kSettingsSection, QStringLiteral("Width"), width);
        height = m_app->GetProfileInt(kSettingsSection, QStringLiteral("Height"), height);
        maximized = m_app->GetProfileInt(kSettingsSection, QStringLiteral("Maximized"), 0) != 0;
    }
    QSize size(std::max(width, 1), std::max(height, 1));
    if (const QScreen* s = screen()) {
        const QSize room = s->availableGeometry().size();
        size = size.boundedTo(room);
        // A phone's screen has no room for a window beside others: the
        // window fills it.
        if (room.width() < kDefaultWidth || room.height() < kDefaultHeight) {
            size = room;
            maximized = true;
        }
    }
    resize(size);
    if (maximized)
        setWindowState(windowState() | Qt::WindowMaximized);
}

void CMainFrame::SaveWindowSize()
{
    if (!m_app)
        return;
    // On a phone the window took the screen's size, not one the user chose.
    if (const QScreen* s = screen()) {
        const QSize room = s->availableGeometry().size();
        if (room.width() < kDefaultWidth || room.height() < kDefaultHeight)
            return;
    }
    const QSize size = isMaximized() ? normalGeometry().size() : this->size();
    if (size.isValid()) {
        m_app->WriteProfileInt(kSettingsSection, QStringLiteral("Width"), size.width());
        m_app->WriteProfileInt(kSettingsSection, QStringLiteral("Height"), size.height());
    }
    m_app->WriteProfileInt(kSettingsSection, QStringLiteral("Maximized"), isMaximized() ? 1 : 0);
}

void CMainFrame::closeEvent(QCloseEvent* event)
{
    if (m_app && !m_app->CanCloseMainWindow()) {
        event->ignore();
        return;
    }
    SaveWindowSize();
    if (m_app)
        m_app->ExitInstance();
    event->accept();
}
