#include "core/edit/SettingsSheet.h"

#include "core/app/CKelvoApp.h"
#include "core/app/FormModel.h"
#include "core/app/ShellCommandIds.h"
#include "core/app/Ui.h"
#include "core/edit/CSetPage.h"
#include "core/ftp/CFtpSetForm.h"

FormModel SettingsSheetForm(CKelvoView& view, CFtpPage& ftpPage)
{
    FormModel sheet;
    sheet.title = QStringLiteral("各種設定");
    CSetPage(view).AddTo(sheet);
    ftpPage.Open();
    ftpPage.AddTo(sheet, CFtpPage::PageTitle());
    return sheet;
}

void ApplySettingsSheet(CKelvoView& view, const FormModel& sheet, CFtpPage& ftpPage)
{
    CSetPage(view).Apply(sheet);
    ftpPage.Ok(sheet);
}

void OnGeneralSettings(CKelvoView& view)
{
    CKelvoApp& app = view.App();
    CFtpPage ftpPage(app.GetUi(), app.Settings());
    FormModel sheet = SettingsSheetForm(view, ftpPage);
    if (app.GetUi().RunForm(sheet) == Ui::Answer::Ok)
        ApplySettingsSheet(view, sheet, ftpPage);
    else
        ftpPage.Cancel(sheet);  // sets added or changed on the page are kept
}

void RegisterSettingsCommands(CKelvoApp& app)
{
    CKelvoView& view = app.View();
    app.Commands().Register(cmd::GeneralSettings, [&view] { OnGeneralSettings(view); });
}
