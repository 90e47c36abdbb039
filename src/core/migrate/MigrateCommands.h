#pragma once

class CKelvoApp;

// cmd::SiteMigrate, moving the site of the document to UTF-8: its folder
// and options in a form, the plan as a list to confirm (where the user may
// name the code of a file left alone), then the run with progress and
// Cancel.
void RegisterMigrateCommands(CKelvoApp& app);
