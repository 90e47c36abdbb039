#include "core/app/HeadlessEditor.h"

#include "core/check/PageCheckCommands.h"
#include "core/custom/CustomCommands.h"
#include "core/edit/FindCommands.h"
#include "core/edit/PrintCommands.h"
#include "core/edit/SettingsSheet.h"
#include "core/style/StyleCommands.h"
#include "core/links/LinkCommands.h"
#include "core/preview/PreviewCommands.h"
#include "core/search/FindInFilesCommands.h"
#include "core/ftp/FtpWindowCommands.h"
#include "core/ftp/SitePublish.h"
#include "core/migrate/MigrateCommands.h"
#include "core/tables/TableCommands.h"
#include "core/tags/TagConvertCommands.h"
#include "core/tags/TagDialogCommands.h"
#include "core/tags/TagInsertCommands.h"

HeadlessEditor::HeadlessEditor(platform::SettingsStore& settings, Ui& ui)
    : m_app(settings, ui), m_doc(m_app, m_buffer), m_view(m_app, m_buffer)
{
    m_app.Attach(m_doc, m_view);
    RegisterAllCommands(m_app);
}

HeadlessEditor::~HeadlessEditor() = default;

void RegisterAllCommands(CKelvoApp& app)
{
    app.RegisterCommands();
    app.Doc().RegisterCommands(app.Commands());
    app.View().RegisterCommands(app.Commands());
    RegisterFindCommands(app);
    RegisterSettingsCommands(app);
    RegisterFtpWindowCommands(app);
    RegisterSitePublishCommand(app);
    RegisterMigrateCommands(app);
    RegisterTableCommands(app);
    RegisterTagConvertCommands(app);
    RegisterTagInsertCommands(app);
    RegisterStyleCommands(app);
    RegisterCustomCommands(app);
    RegisterLinkCommands(app);
    RegisterTagDialogCommands(app);
    RegisterFindInFilesCommands(app);
    RegisterPageCheckCommands(app);
    RegisterPrintCommands(app);
    RegisterPreviewCommands(app);
}
