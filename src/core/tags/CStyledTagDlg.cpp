#include "core/tags/CStyledTagDlg.h"

#include "core/app/CKelvoApp.h"
#include "core/doc/CKelvoDoc.h"

CStyledTagDlg::CStyledTagDlg(CKelvoApp& app, const QString& title, const QString& styleCaption)
    : CAttrTagDlg(app, title),
      m_classLabel(QString::fromUtf16(kClassLabel)),
      m_styleCaption(styleCaption)
{
}

FormField& CStyledTagDlg::AddStyleButton(FormModel& form, CKelvoApp& app, const QString& caption,
                                         QString& style)
{
    FormField& button = form.Add(FieldKind::Button, caption, QStringLiteral("STYLE"));
    button.enabled = static_cast<bool>(app.StyleHooks().editInlineStyle);
    button.action = [&app, &style](FormModel&) {
        const auto& edit = app.StyleHooks().editInlineStyle;
        if (!edit)
            return;
        // The editor works on a copy, so that its cancel keeps the style.
        QString copy = style;
        if (edit(copy, app.Doc().GetPathName()))
            style = copy;
    };
    return button;
}

void CStyledTagDlg::BuildForm(FormModel& form)
{
    CAttrTagDlg::BuildForm(form);
    form.Add(FieldKind::Class, m_classLabel, QStringLiteral("CLASS"));
    AddStyleButton(form, App(), m_styleCaption, m_style);
}

void CStyledTagDlg::LoadFields(FormModel& form)
{
    CAttrTagDlg::LoadFields(form);
    FormField& cls = form[QStringLiteral("CLASS")];
    cls.choices = ClassList();
    cls.text = Tag().GetAttr(QStringLiteral("CLASS"));
    m_style = Tag().GetAttr(QStringLiteral("STYLE"));
}

void CStyledTagDlg::StoreFields(const FormModel& form)
{
    CAttrTagDlg::StoreFields(form);
    Tag().SetAttr(QStringLiteral("CLASS"), form.Find(QStringLiteral("CLASS"))->text);
    Tag().SetAttr(QStringLiteral("STYLE"), m_style);
}
