#pragma once

#include "core/custom/CListEditDlg.h"
#include "core/custom/CNamedFileList.h"

// The dialog of the HTML templates ("テンプレート", default button
// "開く(&O)") or the HTML components ("HTMLコンポーネント", "挿入(&I)") on
// a named file list. Every way out writes the list to the settings; the
// default button (or a double click) also gives the chosen entry's path.
class CNamedFileDlg : public CListEditDlg {
public:
    enum class Kind { Templates, Components };

    CNamedFileDlg(CKelvoApp& app, Kind kind);

    // The chosen file's path; nullopt when the dialog was closed or nothing
    // was chosen.
    std::optional<QString> Run();
    // Writes the list to the settings.
    void SaveList();

    // The entry dialog's "..." button.
    void BrowseFile(FormModel& entry);

protected:
    QString DisplayText(const QStringList& row) const override { return row.value(0); }
    QStringList NewRow() const override { return {QString(), QString()}; }
    std::optional<QStringList> EditRow(const QStringList& row) override;
    QString DeleteQuestion(const QStringList& row) const override;

private:
    CNamedFileList m_list;
};
