#include "core/edit/SettingsSheet.h"

#include "core/app/CKelvoApp.h"
#include "core/app/FormModel.h"
#include "core/app/ShellCommandIds.h"
#include "core/app/Ui.h"
#include "core/edit/CSetPage.h"

FormModel SettingsSheetForm(CKelvoView& view)
{
    FormModel sheet;
    sheet.title = QStringLiteral("各種設定");
    CSetPage(view).AddTo(sheet);
    return sheet;
}

void ApplySettingsSheet(CKelvoView& view, const FormModel& sheet)
{
    CSetPage(view).Apply(sheet);
}

void OnGeneralSettings(CKelvoView& view)
{
    FormModel sheet = SettingsSheetForm(view);
    if (view.App().GetUi().RunForm(sheet) == Ui::Answer::Ok)
        ApplySettingsSheet(view, sheet);
}

void RegisterSettingsCommands(CKelvoApp& app)
{
    CKelvoView& view = app.View();
    app.Commands().Register(cmd::GeneralSettings, [&view] { OnGeneralSettings(view); });
}
