#include "core/style/CStyleTextPage.h"

CStyleTextPage::CStyleTextPage() : CStylePage(QStringLiteral("テキスト")) {}

const QStringList& CStyleTextPage::Aligns()
{
    static const QStringList l{"left", "center", "right"};
    return l;
}

const QStringList& CStyleTextPage::VerticalAligns()
{
    static const QStringList l{"baseline", "super",  "sub",      "top",
                               "middle",   "bottom", "text-top", "text-bottom"};
    return l;
}

const QStringList& CStyleTextPage::Floats()
{
    static const QStringList l{"none", "left", "right", "inherit"};
    return l;
}

const QStringList& CStyleTextPage::Clears()
{
    static const QStringList l{"none", "left", "right", "both", "inherit"};
    return l;
}

void CStyleTextPage::Read(const CStyleDeclList& d)
{
    d.GetNumber(QStringLiteral("text-indent"), {}, indent, indentUnit);
    align = d.KeywordIndex(QStringLiteral("text-align"), Aligns());
    verticalAlign = d.KeywordIndex(QStringLiteral("vertical-align"), VerticalAligns());
    floating = d.KeywordIndex(QStringLiteral("float"), Floats());
    clear = d.KeywordIndex(QStringLiteral("clear"), Clears());
}

void CStyleTextPage::Write(CStyleDeclList& d) const
{
    for (const char* name : {"text-indent", "text-align", "vertical-align", "float", "clear"})
        d.Remove(QString::fromLatin1(name));
    d.SetNumber(QStringLiteral("text-indent"), indent, indentUnit);
    auto choice = [&d](const char* name, const QStringList& list, int index) {
        d.Set(QString::fromLatin1(name), index > 0 ? list.value(index) : QString());
    };
    choice("text-align", Aligns(), align);
    choice("vertical-align", VerticalAligns(), verticalAlign);
    choice("float", Floats(), floating);
    choice("clear", Clears(), clear);
}

void CStyleTextPage::AddFields(FormModel& form, const StylePageContext&)
{
    AddChoice(form, QStringLiteral("行揃え-横(&A):"), QStringLiteral("text-align"),
              {QStringLiteral("左寄せ"), QStringLiteral("中央"), QStringLiteral("右寄せ")}, align);
    AddChoice(form, QStringLiteral("行揃え-縦(&V):"), QStringLiteral("vertical-align"),
              {QStringLiteral("ベースライン"), QStringLiteral("上付け"), QStringLiteral("下付け"),
               QStringLiteral("上端"), QStringLiteral("中央"), QStringLiteral("下端"),
               QStringLiteral("テキスト上端"), QStringLiteral("テキスト下端")},
              verticalAlign);
    AddChoice(form, QStringLiteral("回り込み(&F):"), QStringLiteral("float"),
              {QStringLiteral("指定しない"), QStringLiteral("左"), QStringLiteral("右"),
               QStringLiteral("継承")},
              floating);
    AddChoice(form, QStringLiteral("回り込み解除(&C)"), QStringLiteral("clear"),
              {QStringLiteral("指定しない"), QStringLiteral("左"), QStringLiteral("右"),
               QStringLiteral("左右"), QStringLiteral("継承")},
              clear);
    AddNumber(form, 0, QStringLiteral("インデント(&I):"), QStringLiteral("text-indent"), indent,
              indentUnit);
}

void CStyleTextPage::StoreFields(const FormModel& form)
{
    indent = Text(form, QStringLiteral("text-indent")).trimmed();
    indentUnit = Unit(form, QStringLiteral("text-indent"));
    align = Index(form, QStringLiteral("text-align"));
    verticalAlign = Index(form, QStringLiteral("vertical-align"));
    floating = Index(form, QStringLiteral("float"));
    clear = Index(form, QStringLiteral("clear"));
}
