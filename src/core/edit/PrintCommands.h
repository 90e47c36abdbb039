#pragma once

#include "core/app/Ui.h"

class CKelvoApp;

// The print job of the open document: its file name (or the untitled
// name), its text and the editor's font.
Ui::PrintJob DocumentPrintJob(CKelvoApp& app);

// Registers print (57607) and print preview (57609); both hand the job to
// the Ui, which owns the printer.
void RegisterPrintCommands(CKelvoApp& app);
