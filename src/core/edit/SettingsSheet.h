#pragma once

class CKelvoApp;
class CKelvoView;
class FormModel;

// The settings sheet "各種設定" (command 33009): its pages as one form with
// page titles, applied page by page on OK.
FormModel SettingsSheetForm(CKelvoView& view);
void ApplySettingsSheet(CKelvoView& view, const FormModel& sheet);
void OnGeneralSettings(CKelvoView& view);

void RegisterSettingsCommands(CKelvoApp& app);
