#pragma once

class CFtpPage;
class CKelvoApp;
class CKelvoView;
class FormModel;

// The settings sheet "各種設定" (command 33009): its pages as one form with
// page titles, applied page by page on OK. The FTP page keeps its set list
// in the page object, which must outlive the form.
FormModel SettingsSheetForm(CKelvoView& view, CFtpPage& ftpPage);
void ApplySettingsSheet(CKelvoView& view, const FormModel& sheet, CFtpPage& ftpPage);
void OnGeneralSettings(CKelvoView& view);

void RegisterSettingsCommands(CKelvoApp& app);
