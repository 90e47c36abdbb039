#include "core/style/CStyleTextPage.h"

CStyleTextPage::CStyleTextPage() : CStylePage(QStringLiteral("テキスト")) {}

const QStringList& CStyleTextPage::Aligns()
{
    static const QStringList l{"left", "center", "right", "justify"};
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
    ReadStyleNumber(d.Value(QStringLiteral("text-indent")), {}, indent, indentUnit);
    auto read = [&](const char* name, const QStringList& list) {
        const QString property = QString::fromLatin1(name);
        return ReadKeywordList(property, d.Value(property), list);
    };
    align = read("text-align", Aligns());
    verticalAlign = read("vertical-align", VerticalAligns());
    floating = read("float", Floats());
    clear = read("clear", Clears());
}

QString CStyleTextPage::Text(const QString& property) const
{
    if (property == u"text-indent")
        return StyleLengthText(indent, indentUnit);
    if (property == u"text-align")
        return KeywordListText(property, Aligns(), align);
    if (property == u"vertical-align")
        return KeywordListText(property, VerticalAligns(), verticalAlign);
    if (property == u"float")
        return KeywordListText(property, Floats(), floating);
    return KeywordListText(property, Clears(), clear);
}

void CStyleTextPage::Write(CStyleDeclList& d) const
{
    for (const QString& name : Properties())
        d.Remove(name);
    for (const QString& name : Properties())
        d.Set(name, Text(name));
}

void CStyleTextPage::Update(CStyleDeclList& d, const QStringList& changed) const
{
    for (const QString& name : Properties())
        if (changed.contains(name))
            d.SetEffective(name, Text(name));
}

const QStringList& CStyleTextPage::Properties()
{
    static const QStringList l{"text-indent", "text-align", "vertical-align", "float", "clear"};
    return l;
}

void CStyleTextPage::AddFields(FormModel& form, const StylePageContext&)
{
    AddChoice(form, QStringLiteral("行揃え-横(&A):"), QStringLiteral("text-align"),
              {QStringLiteral("左寄せ"), QStringLiteral("中央"), QStringLiteral("右寄せ"),
               QStringLiteral("両端揃え")},
              align);
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
    indent = CStylePage::Text(form, QStringLiteral("text-indent")).trimmed();
    indentUnit = Unit(form, QStringLiteral("text-indent"));
    align = Index(form, QStringLiteral("text-align"));
    verticalAlign = Index(form, QStringLiteral("vertical-align"));
    floating = Index(form, QStringLiteral("float"));
    clear = Index(form, QStringLiteral("clear"));
}
