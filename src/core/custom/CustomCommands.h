#pragma once

#include "core/custom/CNamedFileList.h"

#include <QString>

#include <optional>

class CKelvoApp;

// The customization commands: key customization, the registered tags and
// tools and their list dialogs, the initial template, HTML templates and
// components, and the bulk registration of templates and components.
void RegisterCustomCommands(CKelvoApp& app);

void OnRegisteredTag(CKelvoApp& app, int index);
// Starts the tool as its own process, the document's path one argument
// however it is spelt; nothing happens for an entry that does not exist.
void OnRegisteredTool(CKelvoApp& app, int index);
void OnInitialTemplate(CKelvoApp& app);
void OnHtmlTemplate(CKelvoApp& app);
void OnHtmlComponent(CKelvoApp& app);
void OnBulkRegister(CKelvoApp& app, const QString& section);

// An entry of a registration file's line: the text before the first ","
// is a file name in the base folder (which ends in "/"), the rest the
// title. nullopt for a line without ",".
std::optional<CNamedFileList::Entry> RegistrationEntry(QString line, const QString& baseFolder);
