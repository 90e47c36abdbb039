#pragma once

#include "core/app/Ui.h"

class QPrinter;
class QWidget;

// Prints a source text as the editor shows it: in the editor's font, long
// lines wrapped (nothing is cut off at the paper's edge), and on each page
// a header with the file name and "page / pages".
class SourcePrinter {
public:
    explicit SourcePrinter(const Ui::PrintJob& job) : m_job(job) {}

    // Paints the pages (those of the printer's page range, when one was
    // chosen) and gives how many were printed; 0 when the printer could not
    // be started.
    int Print(QPrinter& printer) const;
    // The print dialog, then the printing; a failure is told through the
    // Ui.
    void PrintWithDialog(QWidget* parent, Ui& ui) const;
    void Preview(QWidget* parent) const;

private:
    Ui::PrintJob m_job;
};
