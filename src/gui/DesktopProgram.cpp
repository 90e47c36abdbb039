#include "gui/DesktopProgram.h"

#include "core/app/HeadlessEditor.h"
#include "gui/EditWidget.h"
#include "gui/Preview.h"
#include "platform/RecentlyUsed.h"

#include <QCoreApplication>
#include <QMimeDatabase>

DesktopProgram::DesktopProgram(platform::SettingsStore& settings, Ui& ui)
    : m_app(settings, ui),
      m_doc(m_app, m_frame.Edit().Buffer()),
      m_view(m_app, m_frame.Edit().Buffer())
{
    m_app.Attach(m_doc, m_view);
    m_app.SetFileUsedHandler([](const QString& path) {
        // The desktop's list is a convenience: a list that cannot be
        // written is no reason to trouble the user.
        platform::AddRecentUse({path,
                                QMimeDatabase().mimeTypeForFile(path, QMimeDatabase::MatchExtension).name(),
                                QCoreApplication::applicationName(), QStringLiteral("'kelvopad %f'"),
                                QDateTime::currentDateTimeUtc()});
    });
    RegisterAllCommands(m_app);
    m_frame.Attach(m_app);
    InstallPreview(m_frame, m_app);
}

bool DesktopProgram::Start(const StartupOptions& options)
{
    if (!m_app.InitInstance(options))
        return false;
    m_frame.BuildMenus(m_app.Layout());
    return true;
}
