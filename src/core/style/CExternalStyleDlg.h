#pragma once

#include "core/tags/CAttrTagDlg.h"

// "外部スタイルシート": the HREF of a LINK to a style sheet, with a file
// chooser, the all-attributes editor, and "開く" that confirms the dialog
// and asks for the linked sheet to be opened.
class CExternalStyleDlg : public CAttrTagDlg {
public:
    explicit CExternalStyleDlg(CKelvoApp& app);

    // Set when the dialog was closed with "開く".
    bool OpenRequested() const { return m_open; }

    // The folder the file chooser starts in for the HREF: the folder of the
    // file it names (a relative link of a document that has a path),
    // otherwise the chooser folder of the settings.
    static QString ChooserFolder(CKelvoApp& app, const QString& href, const QString& documentPath);

protected:
    void BuildForm(FormModel& form) override;

private:
    bool m_open = false;
};
