#pragma once

#include "core/custom/CListEditDlg.h"

// The list dialog of the registered tags ("タグの編集") or tools ("ツールの
// 登録"): the list is read from the settings when the dialog opens and
// written back only on OK; it is exported to and imported from CSV files.
class CRegListDlg : public CListEditDlg {
public:
    enum class Mode { Tag, Tool };

    CRegListDlg(CKelvoApp& app, Mode mode);

    // Shows the dialog; on OK the list goes to the settings and true comes
    // back.
    bool Run();
    // Writes the list to the settings.
    void SaveList();

    void Export();
    void Import();
    // Fields of an entry: tags (name, front, back), tools (name, file).
    int FieldCount() const { return m_mode == Mode::Tag ? 3 : 2; }
    QStringList Header() const;

    // The tool entry dialog's "..." button: a program file, whose name
    // without extension becomes the tool's name.
    void BrowseTool(FormModel& entry);

protected:
    QString DisplayText(const QStringList& row) const override;
    QStringList NewRow() const override;
    std::optional<QStringList> EditRow(const QStringList& row) override;
    QString DeleteQuestion(const QStringList& row) const override;

private:
    // "System"/"Item" 0 (the default): CSV files have a header line.
    bool WithHeader() const;

    Mode m_mode;
};
