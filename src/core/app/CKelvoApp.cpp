#include "core/app/CKelvoApp.h"

#include "core/app/UiText.h"

#include "core/app/CommandIds.h"
#include "core/app/ShellCommandIds.h"
#include "core/app/Ui.h"
#include "core/custom/RegisteredLists.h"
#include "core/doc/CKelvoDoc.h"
#include "core/edit/CKelvoView.h"
#include "platform/FileAccess.h"
#include "platform/Folders.h"
#include "platform/SettingsStore.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QThread>

namespace {

// The caption of a run-time menu entry: "&0: " and the text.
QString NumberedCaption(int index, const QString& text)
{
    return QStringLiteral("&%1: ").arg(index) + EscapeMnemonic(text);
}

} // namespace

CKelvoApp::CKelvoApp(platform::SettingsStore& settings, Ui& ui)
    : m_settings(settings), m_ui(ui), m_initTemp(DefaultInitialTemplatePath())
{
    m_settings.SetWriteFailureHandler([this](platform::FileError) {
        const QString text =
            UiText(QStringLiteral("設定を保存できません。変えた設定は、このプログラムを終えるまで有効です - "))
            + platform::DisplayPath(m_settings.FilePath());
        // A write made by work on another thread is told by the main one.
        QCoreApplication* app = QCoreApplication::instance();
        if (!app || QThread::currentThread() == app->thread())
            m_ui.Message(text);
        else
            QMetaObject::invokeMethod(app, [this, text] { m_ui.Message(text); }, Qt::QueuedConnection);
    });
}

void CKelvoApp::RegisterCommands()
{
    m_commands.Register(cmd::FileNew, [this] { NewDocument(); });
    m_commands.Register(cmd::FileOpen, [this] { OnFileOpen(); });
    for (int id = cmd::FileMru1; id <= cmd::FileMruLast; ++id) {
        const int index = id - cmd::FileMru1;
        m_commands.Register(
            id, [this, index] { OnOpenRecentFile(index); },
            [this, index] { return index < m_recent.Files().size(); });
    }
    m_commands.Register(cmd::AppExit, [this] { OnAppExit(); });
    m_commands.Register(cmd::AppAbout, [this] { OnAppAbout(); });
    m_commands.Register(cmd::Help, [this] { OnHelp(); });
}

CKelvoApp::~CKelvoApp()
{
    m_settings.SetWriteFailureHandler(nullptr);
}

int CKelvoApp::GetProfileInt(const QString& section, const QString& key, int defaultValue) const
{
    return m_settings.ReadInt(section, key, defaultValue);
}

QString CKelvoApp::GetProfileString(const QString& section, const QString& key,
                                    const QString& defaultValue) const
{
    return m_settings.ReadString(section, key, defaultValue);
}

bool CKelvoApp::WriteProfileInt(const QString& section, const QString& key, int value)
{
    return m_settings.WriteInt(section, key, value);
}

bool CKelvoApp::WriteProfileString(const QString& section, const QString& key,
                                   const QString& value)
{
    return m_settings.WriteString(section, key, value);
}

bool CKelvoApp::DeleteProfileValue(const QString& section, const QString& key)
{
    return m_settings.RemoveKey(section, key);
}

bool CKelvoApp::DeleteProfileSection(const QString& section)
{
    return m_settings.RemoveSection(section);
}

void CKelvoApp::Attach(CKelvoDoc& doc, CKelvoView& view)
{
    m_doc = &doc;
    m_view = &view;
}

QString CKelvoApp::DefaultInitialTemplatePath()
{
    return platform::Folders::FindProgramFile(QStringLiteral("inittemp.htm"));
}

QString CKelvoApp::DefaultDocumentsFolder()
{
    return platform::Folders::Documents();
}

QString CKelvoApp::InitialFolder() const
{
    return GetProfileString(settings::System, QStringLiteral("InitDir"), DefaultDocumentsFolder());
}

void CKelvoApp::LoadSettings(int recentFileCount)
{
    m_initTemp = GetProfileString(settings::System, QStringLiteral("InitTemp"),
                                  DefaultInitialTemplatePath());
    m_tagLower = GetProfileInt(settings::System, QStringLiteral("TagLower"), 0) != 0;
    m_recent.SetSize(recentFileCount);
    m_recent.Load(*this);
    // Only a list read from the settings is written back, or an editor that
    // never read it would wipe it.
    m_recent.SetChangeHandler([this] { m_recent.Save(*this); });
}

void CKelvoApp::LoadTagTables()
{
    // Missing files leave the tables empty: the dialogs then offer no
    // names, and nothing else depends on them.
    m_tagTables.LoadProgramFiles();
}

int CKelvoApp::RecentFileCountFor(MenuLayout layout)
{
    return layout == MenuLayout::Portrait ? 5 : 10;
}

QString CKelvoApp::DefaultKeyFilePath()
{
    return platform::Folders::UserData() + QStringLiteral("kelvo.key");
}

bool CKelvoApp::LoadKeyFile(const QString& path)
{
    if (!m_keys.Load(path))
        return false;
    WriteProfileString(settings::System, QStringLiteral("Keycust"), m_keys.FileName());
    m_menuKeys.Clear();
    m_keys.ShowInMenus(m_menuKeys);
    return true;
}

bool CKelvoApp::LoadUsersKeyFile()
{
    // The file is the table's even when it cannot be read yet, so that the
    // first assignments a new user saves go there.
    const QString path =
        GetProfileString(settings::System, QStringLiteral("Keycust"), DefaultKeyFilePath());
    m_keys.SetFileName(path);
    // Without a key file no key is assigned and typing is as usual.
    return LoadKeyFile(path) || !platform::PathExists(path);
}

bool CKelvoApp::InitInstance(const StartupOptions& options)
{
    m_layout = LayoutForScreen(options.screenWidth, options.screenHeight);
    if (const int line = m_settings.FirstUnreadableLine())
        m_ui.Message(UiText(QStringLiteral("設定ファイルの %1 行目は読めないため使いません（行はそのまま残します） - "))
                             .arg(line)
                         + platform::DisplayPath(m_settings.FilePath()),
                     Ui::Icon::Warning);
    if (!LoadUsersKeyFile())
        m_ui.Message(UiText(QStringLiteral("キー定義ファイルが読み込めないため、キーの割り当てなしで起動します - "))
                         + platform::DisplayPath(m_keys.FileName()),
                     Ui::Icon::Warning);
    LoadSettings(RecentFileCountFor(m_layout));
    LoadTagTables();

    if (!options.file.isEmpty()) {
        if (!platform::PathExists(options.file))
            return OfferNewDocumentAt(options.file);
        return OpenDocumentFile(options.file);
    }

    if (GetProfileInt(settings::System, QStringLiteral("IniMode"), 0) == 0)
        return NewDocument();
    const QString last = GetProfileString(settings::System, QStringLiteral("IniFile"), QString());
    if (last.isEmpty())
        return NewDocument();
    if (!platform::IsRegularFile(last)) {
        m_ui.Message(QStringLiteral("前回開いたファイルが見つかりません"));
        return NewDocument();
    }
    // The file was there a moment ago; should it fail to load after all,
    // the program still starts, with a new document after the load's
    // message.
    if (!LoadDocumentFile(last))
        return NewDocument();
    return true;
}

bool CKelvoApp::NewDocument()
{
    if (!m_doc->SaveModified())
        return false;
    m_doc->OnNewDocument();
    m_view->OnInitialUpdate();
    return true;
}

bool CKelvoApp::OfferNewDocumentAt(const QString& path)
{
    const QString absolute = platform::AbsolutePath(path);
    const QString question =
        UiText(QStringLiteral("ファイルが見つかりません\n%1\n\n新しく作成しますか？")).arg(platform::DisplayPath(absolute));
    if (m_ui.Ask(question, Ui::Buttons::YesNo, Ui::Icon::Question) != Ui::Answer::Yes)
        return false;
    if (!NewDocument())
        return false;
    // Not a recent file until it has been saved.
    m_doc->SetPathName(absolute, false);
    m_view->OnInitialUpdate();
    return true;
}

bool CKelvoApp::OpenDocumentFile(const QString& path)
{
    if (!m_doc->SaveModified())
        return false;
    return LoadDocumentFile(path);
}

bool CKelvoApp::LoadDocumentFile(const QString& path)
{
    if (!m_doc->OnOpenDocument(path))
        return false;
    m_doc->SetPathName(path);
    m_view->OnInitialUpdate();
    NoteFileUsed(m_doc->GetPathName());
    return true;
}

void CKelvoApp::OnFileOpen()
{
    Ui::FileDialog d;
    d.title = QStringLiteral("開く");
    d.defaultExtension = QStringLiteral("html");
    d.initialName = QStringLiteral("*.htm;*.html;*.shtml");
    d.fileMustExist = true;
    d.hideReadOnly = true;
    d.filter = QStringLiteral(
        "HTMLﾌｧｲﾙ(*.htm*) |*.htm;*.html;*.shtml|Perlﾌｧｲﾙ(*.pl) |*.pl|CGIﾌｧｲﾙ(*.cgi) |*.cgi|"
        "Textﾌｧｲﾙ(*.txt) |*.txt|ｽﾀｲﾙｼｰﾄ(*.css) |*.css|全てのﾌｧｲﾙ(*.*) |*.*||");
    d.initialFolder = InitialFolder();
    const std::optional<QString> path = m_ui.ChooseFile(d);
    if (!path)
        return;
    const int slash = static_cast<int>(path->lastIndexOf(u'/'));
    WriteProfileString(settings::System, QStringLiteral("InitDir"),
                       slash > 0 ? path->left(slash) : QStringLiteral("/"));
    OpenDocumentFile(*path);
}

void CKelvoApp::OnOpenRecentFile(int index)
{
    if (index < 0 || index >= m_recent.Files().size())
        return;
    const QString path = m_recent.Files().at(index);
    if (!m_doc->SaveModified())
        return;
    // Saving under a new name above may have reordered the list, so the
    // entry goes by its path.
    if (!LoadDocumentFile(path))
        m_recent.RemovePath(path);
}

void CKelvoApp::OnAppExit()
{
    if (!m_doc->SaveModified())
        return;
    m_exitConfirmed = true;
    m_ui.CloseMainWindow();
}

bool CKelvoApp::CanCloseMainWindow()
{
    if (m_exitConfirmed) {
        m_exitConfirmed = false;
        return true;
    }
    return m_doc->SaveModified();
}

void CKelvoApp::ExitInstance()
{
    m_recent.Save(*this);
    // The file the table came from or was last saved to; the table itself
    // is saved only when the user asks.
    WriteProfileString(settings::System, QStringLiteral("Keycust"), m_keys.FileName());
}

void CKelvoApp::OnAppAbout()
{
    m_ui.ShowAbout();
}

QString CKelvoApp::HelpFilePath()
{
    // The manual in the interface's language: its file name is translated.
    return platform::Folders::FindProgramFile(UiText(QStringLiteral("help/index.html")));
}

void CKelvoApp::OnHelp()
{
    const QString path = HelpFilePath();
    if (!platform::IsRegularFile(path)) {
        m_ui.Message(QStringLiteral("ヘルプファイルが見つかりません - help/index.html"));
        return;
    }
    m_ui.OpenExternal(path);
}

std::vector<MenuItem> CKelvoApp::RecentFileMenu() const
{
    std::vector<MenuItem> items;
    const int count = std::min<int>(static_cast<int>(m_recent.Files().size()),
                                    cmd::FileMruLast - cmd::FileMru1 + 1);
    for (int i = 0; i < count; ++i)
        items.push_back(MenuItem::Command(m_recent.Caption(i, kRecentCaptionLength), cmd::FileMru1 + i));
    return items;
}

std::vector<MenuItem> CKelvoApp::RegisteredToolMenu() const
{
    const std::vector<RegisteredTool> tools = LoadRegisteredTools(*this, cmd::RegisteredToolMenuMax);
    std::vector<MenuItem> items;
    for (int i = 0; i < static_cast<int>(tools.size()); ++i)
        items.push_back(MenuItem::Command(NumberedCaption(i, tools[i].name), cmd::RegisteredToolFirst + i));
    return items;
}

std::vector<MenuItem> CKelvoApp::RegisteredTagMenu() const
{
    const std::vector<RegisteredTag> tags = LoadRegisteredTags(*this, cmd::RegisteredTagMenuMax);
    std::vector<MenuItem> items;
    for (int i = 0; i < static_cast<int>(tags.size()); ++i)
        items.push_back(MenuItem::Command(NumberedCaption(i, tags[i].Caption()), cmd::RegisteredTagFirst + i));
    return items;
}
