#include "core/style/CBlockStyleDlg.h"

CBlockStyleDlg::CBlockStyleDlg(CKelvoApp& app, const QString& description)
    : CStyledTagDlg(app, QStringLiteral("属性"), QStringLiteral("スタイル"))
{
    SetClassLabel(QStringLiteral("クラス名(&C)"));
    Fields().Custom(
        [description](FormModel& form) {
            form.Add(FieldKind::Label, QString(), QStringLiteral("description")).text = description;
        },
        nullptr, nullptr);
    Fields().Choice(QStringLiteral("行揃え(&L)"), QStringLiteral("ALIGN"),
                    {QStringLiteral("指定なし"), QStringLiteral("左寄せ"), QStringLiteral("中央寄せ"),
                     QStringLiteral("右寄せ"), QStringLiteral("両端揃え")},
                    {QStringLiteral("left"), QStringLiteral("center"), QStringLiteral("right"),
                     QStringLiteral("justify")});
}
