#include "core/app/CKelvoApp.h"

#include "core/app/CommandIds.h"
#include "core/app/Ui.h"
#include "core/doc/CKelvoDoc.h"
#include "core/edit/CKelvoView.h"
#include "platform/Folders.h"
#include "platform/SettingsStore.h"

#include <QDir>
#include <QFileInfo>

CKelvoApp::CKelvoApp(platform::SettingsStore& settings, Ui& ui)
    : m_settings(settings), m_ui(ui), m_initTemp(DefaultInitialTemplatePath())
{
    m_commands.Register(cmd::FileNew, [this] { NewDocument(); });
    m_commands.Register(cmd::FileOpen, [this] { OnFileOpen(); });
}

CKelvoApp::~CKelvoApp() = default;

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
}

bool CKelvoApp::NewDocument()
{
    if (!m_doc->SaveModified())
        return false;
    m_doc->OnNewDocument();
    m_view->OnInitialUpdate();
    return true;
}

bool CKelvoApp::OpenDocumentFile(const QString& path)
{
    if (!m_doc->SaveModified())
        return false;
    if (!m_doc->OnOpenDocument(path))
        return false;
    m_doc->SetPathName(path);
    m_view->OnInitialUpdate();
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
