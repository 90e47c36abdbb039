#pragma once

#include "core/app/FormModel.h"

#include <QString>
#include <QStringList>

#include <map>
#include <utility>

class Ui;

// The two pages of the table wizard: the size of the table, then a grid of
// one text field per cell. Going back to the size page keeps what was typed
// into cells that still exist.
class TableWizard {
public:
    static constexpr int kMaxCount = 100;

    // The size page; a row or column count outside 1..100 keeps it open.
    FormModel SizePage() const;
    void TakeSizePage(const FormModel& page);
    // The cell page for the current size, with back, finish and cancel.
    FormModel CellPage() const;
    void TakeCellPage(const FormModel& page);

    // Runs the pages until finish (true) or cancel (false).
    bool Run(Ui& ui);

    int Rows() const { return m_rows; }
    int Columns() const { return m_columns; }
    // The cell texts in row order.
    QStringList Cells() const;

    // The name by which scripts address a cell (row and column from 1).
    static QString CellName(int row, int column);

private:
    int m_rows = 1;
    int m_columns = 1;
    std::map<std::pair<int, int>, QString> m_cells;
};
