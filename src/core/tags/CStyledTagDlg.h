#pragma once

#include "core/tags/CAttrTagDlg.h"

// Base of the tag dialogs with a CLASS combo box (the document's classes
// for the tag) and a style button that edits the STYLE attribute in the
// style sheet dialog. Both come after the member's own fields and are
// written last.
class CStyledTagDlg : public CAttrTagDlg {
public:
    CStyledTagDlg(CKelvoApp& app, const QString& title,
                  const QString& styleCaption = QStringLiteral("スタイル(&Y)..."));

    // The declarations of the STYLE attribute as the dialog holds them.
    const QString& StyleText() const { return m_style; }

    // The style button of any tag dialog: disabled while no style sheet
    // editor is there; a confirmed edit replaces style.
    static FormField& AddStyleButton(FormModel& form, CKelvoApp& app, const QString& caption,
                                     QString& style);

protected:
    // The CLASS field's caption, when the dialog words it otherwise.
    void SetClassLabel(const QString& label) { m_classLabel = label; }
    void BuildForm(FormModel& form) override;
    void LoadFields(FormModel& form) override;
    void StoreFields(const FormModel& form) override;

private:
    QString m_classLabel;
    QString m_styleCaption;
    QString m_style;
};

inline const char16_t* const kClassLabel = u"クラス(&C):";
