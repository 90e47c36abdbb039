#include "core/style/CStylePositionPage.h"

CStylePositionPage::CStylePositionPage() : CStylePage(QStringLiteral("位置")) {}

const QStringList& CStylePositionPage::Positions()
{
    static const QStringList l{"static", "relative", "absolute", "inherit", "sticky"};
    return l;
}

const QStringList& CStylePositionPage::Displays()
{
    static const QStringList l{"",     "block", "inline",      "list-item",   "none",
                               "flex", "grid",  "inline-flex", "inline-block"};
    return l;
}

const QStringList& CStylePositionPage::Properties()
{
    static const QStringList l{"top", "bottom", "left", "right", "width", "height"};
    return l;
}

void CStylePositionPage::Read(const CStyleDeclList& d)
{
    position = ReadKeywordList(QStringLiteral("position"), d.Value(QStringLiteral("position")),
                               Positions());
    display =
        ReadKeywordList(QStringLiteral("display"), d.Value(QStringLiteral("display")), Displays());
    for (int i = 0; i < 6; ++i)
        ReadStyleNumber(d.Value(Properties()[i]), {}, numbers[i], units[i]);
}

QString CStylePositionPage::Text(const QString& property) const
{
    if (property == u"position")
        return KeywordListText(property, Positions(), position);
    if (property == u"display")
        return KeywordListText(property, Displays(), display);
    const int i = static_cast<int>(Properties().indexOf(property));
    return StyleLengthText(numbers[i], units[i]);
}

void CStylePositionPage::Write(CStyleDeclList& d) const
{
    const QStringList all = QStringList{"position", "display"} + Properties();
    for (const QString& p : all)
        d.Remove(p);
    for (const QString& p : all)
        d.Set(p, Text(p));
}

void CStylePositionPage::Update(CStyleDeclList& d, const QStringList& changed) const
{
    for (const QString& p : QStringList{"position", "display"} + Properties())
        if (changed.contains(p))
            d.SetEffective(p, Text(p));
}

void CStylePositionPage::AddFields(FormModel& form, const StylePageContext&)
{
    AddChoice(form, QStringLiteral("表示(&D):"), QStringLiteral("display"),
              {QStringLiteral("指定無し"), QStringLiteral("ブロック"), QStringLiteral("インライン"),
               QStringLiteral("リストアイテム"), QStringLiteral("表示しない"),
               QStringLiteral("フレックス"), QStringLiteral("グリッド"),
               QStringLiteral("インラインフレックス"), QStringLiteral("インラインブロック")},
              display);
    AddChoice(form, QStringLiteral("位置指定(&P):"), QStringLiteral("position"),
              {QStringLiteral("本来位置"), QStringLiteral("相対位置"), QStringLiteral("絶対位置"),
               QStringLiteral("継承"), QStringLiteral("スクロール追従")},
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
        numbers[i] = CStylePage::Text(form, Properties()[i]).trimmed();
        units[i] = Unit(form, Properties()[i]);
    }
}
