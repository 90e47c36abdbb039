#pragma once

#include "core/app/FormModel.h"
#include "core/app/Ui.h"
#include "core/custom/CKeycustTable.h"

class CKelvoApp;

// The dialog "キーカスタマイズ". It works on the application's key table
// directly, so every change takes effect at once: choosing a command for
// the selected key (with the Ctrl, Shift and Alt boxes) assigns it, "（なし）"
// removes the assignment, and the menus' key names follow. OK saves the
// table to its key file; Cancel keeps the changes without saving them.
class CKeycustDlg {
public:
    explicit CKeycustDlg(CKelvoApp& app);

    void Run();
    FormModel& Form() { return m_form; }

    // What the controls do.
    void OnModifierChanged();
    void OnKeySelected();
    void OnCommandSelected();
    void OnSave();
    void OnLoad();

    // The combination the key list and the boxes name now; nullopt when no
    // key is selected.
    std::optional<CKeycustTable::Key> SelectedKey() const;

    static const QString kNone;

private:
    void FillKeys();
    void SelectCommandOfKey();
    static Ui::FileDialog KeyFileDialog(bool save);

    CKelvoApp& m_app;
    FormModel m_form;
};
