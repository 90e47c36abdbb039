#pragma once

#include "core/app/FormModel.h"
#include "core/tables/TableOptions.h"

#include <QString>

class CKelvoApp;
class CommandTable;

// Delimited text to tables, the table options and colours, and the
// generated blocks (table wizard, framed box, side margins, today's date).
// Owns the table options for as long as its commands are registered.
class TableCommands {
public:
    explicit TableCommands(CKelvoApp& app);

    // Turns the selected lines into a table, splitting at any of the
    // separator characters. One undoable edit replaces the converted text.
    void ConvertToTable(const QString& separators);
    // Every selected line (or the caret's whole line) becomes a row of one
    // cell, with the options and colours of the other conversions.
    void LinesToTable();
    void OnTableOptions();
    void OnTableColors();
    void OnTableWizard();
    void OnFrameBox();
    void OnSideMargins();
    void OnInsertDate();

    // The dialogs as models, filled from the options and settings, and what
    // OK does with them.
    FormModel OptionsForm() const;
    void ApplyOptionsForm(const FormModel& form);
    FormModel ColorsForm();
    void ApplyColorsForm(const FormModel& form);
    FormModel FrameBoxForm() const;
    FormModel SideMarginsForm() const;

    TableOptions& Options() { return m_options; }

private:
    CKelvoApp& m_app;
    TableOptions m_options;
};

// Registers the table commands; they share one TableCommands.
void RegisterTableCommands(CKelvoApp& app);
