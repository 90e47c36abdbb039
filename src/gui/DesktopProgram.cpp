#include "gui/DesktopProgram.h"

#include "core/app/HeadlessEditor.h"
#include "gui/EditWidget.h"
#include "gui/Preview.h"

DesktopProgram::DesktopProgram(platform::SettingsStore& settings, Ui& ui)
    : m_app(settings, ui),
      m_doc(m_app, m_frame.Edit().Buffer()),
      m_view(m_app, m_frame.Edit().Buffer())
{
    m_app.Attach(m_doc, m_view);
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
