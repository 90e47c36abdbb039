#include "core/style/CStylePositionPage.h"

CStylePositionPage::CStylePositionPage() : CStylePage(QStringLiteral("位置")) {}

const QStringList& CStylePositionPage::Positions()
{
    static const QStringList l{"static", "relative", "absolute", "inherit"};
    return l;
}

const QStringList& CStylePositionPage::Displays()
{
    static const QStringList l{"", "block", "inline", "list-item", "none"};
    return l;
}

const QStringList& CStylePositionPage::Properties()
{
    static const QStringList l{"top", "bottom", "left", "right", "width", "height"};
    return l;
}

void CStylePositionPage::Read(const CStyleDeclList& d)
{
    position = d.KeywordIndex(QStringLiteral("position"), Positions());
    display = d.KeywordIndex(QStringLiteral("display"), Displays());
    for (int i = 0; i < 6; ++i)
        d.GetNumber(Properties()[i], {}, numbers[i], units[i]);
}

void CStylePositionPage::Write(CStyleDeclList& d) const
{
    d.Remove(QStringLiteral("position"));
    d.Remove(QStringLiteral("display"));
    for (const QString& p : Properties())
        d.Remove(p);
    d.Set(QStringLiteral("position"), position > 0 ? Positions().value(position) : QString());
    d.Set(QStringLiteral("display"), Displays().value(display));
    for (int i = 0; i < 6; ++i)
        d.SetNumber(Properties()[i], numbers[i], units[i]);
}

void CStylePositionPage::AddFields(FormModel& form, const StylePageContext&)
{
    AddChoice(form, QStringLiteral("表示(&D):"), QStringLiteral("display"),
              {QStringLiteral("指定無し"), QStringLiteral("ブロック"), QStringLiteral("インライン"),
               QStringLiteral("リストアイテム"), QStringLiteral("表示しない")},
              display);
    AddChoice(form, QStringLiteral("位置指定(&P):"), QStringLiteral("position"),
              {QStringLiteral("本来位置"), QStringLiteral("相対位置"), QStringLiteral("絶対位置"),
               QStringLiteral("継承")},
              position);
    const QString labels[6] = {QStringLiteral("上:"), QStringLiteral("下:"),
                               QStringLiteral("左:"), QStringLiteral("右:"),
                               QStringLiteral("幅:"), QStringLiteral("高さ:")};
    // Shown in the order left, right, top, bottom, width, height.
    const int order[6] = {2, 3, 0, 1, 4, 5};
    for (int row = 0; row < 6; ++row) {
        const int i = order[row];
        AddNumber(form, row, labels[i], Properties()[i], numbers[i], units[i]);
    }
}

void CStylePositionPage::StoreFields(const FormModel& form)
{
    position = Index(form, QStringLiteral("position"));
    display = Index(form, QStringLiteral("display"));
    for (int i = 0; i < 6; ++i) {
        numbers[i] = Text(form, Properties()[i]).trimmed();
        units[i] = Unit(form, Properties()[i]);
    }
}
