#include "core/tables/TableWizard.h"

#include "core/app/UiText.h"

#include "core/app/Ui.h"

namespace {

const QString kTitle = QStringLiteral("ﾃｰﾌﾞﾙWizard");
const QString kCancel = QStringLiteral("ｷｬﾝｾﾙ");
const QString kRowsName = QStringLiteral("Rows");
const QString kColumnsName = QStringLiteral("Columns");

} // namespace

QString TableWizard::CellName(int row, int column)
{
    return QStringLiteral("R%1C%2").arg(row).arg(column);
}

FormModel TableWizard::SizePage() const
{
    FormModel page;
    page.title = kTitle;
    page.okCaption = QStringLiteral("次へ >>");
    page.cancelCaption = kCancel;
    page.Add(FieldKind::Label, QStringLiteral("テーブルを作成します。行列数を指定してください。"));
    const QString range = UiText(QStringLiteral("1 から %1 までの整数を入力してください。")).arg(kMaxCount);
    page.AddNumber(QStringLiteral("行数(&L)"), m_rows, 1, kMaxCount, kRowsName).rangeMessage = range;
    page.AddNumber(QStringLiteral("列数(&C)"), m_columns, 1, kMaxCount, kColumnsName).rangeMessage =
        range;
    return page;
}

void TableWizard::TakeSizePage(const FormModel& page)
{
    if (const FormField* f = page.Find(kRowsName))
        m_rows = f->NumberOr(m_rows);
    if (const FormField* f = page.Find(kColumnsName))
        m_columns = f->NumberOr(m_columns);
}

FormModel TableWizard::CellPage() const
{
    FormModel page;
    page.title = kTitle;
    page.hasBack = true;
    page.backCaption = QStringLiteral("<< 前へ");
    page.okCaption = QStringLiteral("終了");
    page.cancelCaption = kCancel;
    for (int r = 0; r < m_rows; ++r) {
        for (int c = 0; c < m_columns; ++c) {
            const auto it = m_cells.find({r, c});
            FormField& f = page.AddText(QString(), it != m_cells.end() ? it->second : QString(),
                                        CellName(r + 1, c + 1));
            f.gridRow = r;
            f.gridColumn = c;
        }
    }
    return page;
}

void TableWizard::TakeCellPage(const FormModel& page)
{
    for (const FormField& f : page.fields)
        if (f.gridRow >= 0 && f.gridColumn >= 0)
            m_cells[{f.gridRow, f.gridColumn}] = f.text;
}

bool TableWizard::Run(Ui& ui)
{
    for (;;) {
        FormModel size = SizePage();
        if (ui.RunForm(size) != Ui::Answer::Ok)
            return false;
        TakeSizePage(size);
        FormModel cells = CellPage();
        const Ui::Answer answer = ui.RunForm(cells);
        if (answer == Ui::Answer::Back) {
            TakeCellPage(cells);
            continue;
        }
        if (answer != Ui::Answer::Ok)
            return false;
        TakeCellPage(cells);
        return true;
    }
}

QStringList TableWizard::Cells() const
{
    QStringList out;
    for (int r = 0; r < m_rows; ++r) {
        for (int c = 0; c < m_columns; ++c) {
            const auto it = m_cells.find({r, c});
            out.append(it != m_cells.end() ? it->second : QString());
        }
    }
    return out;
}
