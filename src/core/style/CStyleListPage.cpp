#include "core/style/CStyleListPage.h"

CStyleListPage::CStyleListPage() : CStylePage(QStringLiteral("リスト他")) {}

const QStringList& CStyleListPage::Types()
{
    static const QStringList l{"disc",        "circle",      "square",      "decimal",
                               "lower-roman", "upper-roman", "lower-alpha", "upper-alpha"};
    return l;
}

const QStringList& CStyleListPage::Positions()
{
    static const QStringList l{"inside", "outside"};
    return l;
}

const QStringList& CStyleListPage::Cursors()
{
    static const QStringList l{"auto",      "default",  "pointer",   "crosshair",
                               "move",      "text",     "wait",      "help",
                               "n-resize",  "s-resize", "w-resize",  "e-resize",
                               "ne-resize", "nw-resize", "se-resize", "sw-resize"};
    return l;
}

void CStyleListPage::Read(const CStyleDeclList& d)
{
    type = position = 0;
    image.clear();
    if (!d.Has(QStringLiteral("list-style"))) {
        type = StyleChoiceIndex(Types(), d.Get(QStringLiteral("list-style-type")));
        position = StyleChoiceIndex(Positions(), d.Get(QStringLiteral("list-style-position")));
        image = d.GetUrl(QStringLiteral("list-style-image"));
    } else {
        for (const QString& t : StyleTokenize(d.Get(QStringLiteral("list-style")))) {
            if (StyleChoiceIndex(Types(), t) > 0)
                type = StyleChoiceIndex(Types(), t);
            else if (StyleChoiceIndex(Positions(), t) > 0)
                position = StyleChoiceIndex(Positions(), t);
            else if (t.startsWith(QStringLiteral("url(")))
                image = ReadShorthandUrl(t);
        }
    }
    cursor = d.KeywordIndex(QStringLiteral("cursor"), Cursors());
}

void CStyleListPage::Write(CStyleDeclList& d) const
{
    for (const char* name :
         {"list-style", "list-style-type", "list-style-position", "list-style-image"})
        d.Remove(QString::fromLatin1(name));
    QStringList parts;
    if (type > 0)
        parts << StyleChoiceValue(Types(), type);
    if (position > 0)
        parts << StyleChoiceValue(Positions(), position);
    if (!image.isEmpty())
        parts << QStringLiteral("url(") + image + u')';
    d.Set(QStringLiteral("list-style"), parts.join(u' '));
    d.Set(QStringLiteral("cursor"), cursor > 0 ? Cursors().value(cursor) : QString());
}

void CStyleListPage::AddFields(FormModel& form, const StylePageContext& context)
{
    AddChoice(form, QStringLiteral("マークの種類(&S):"), QStringLiteral("list-style-type"),
              {QStringLiteral("指定しない"), QStringLiteral("●"), QStringLiteral("○"),
               QStringLiteral("□"), QStringLiteral("数字"),
               QStringLiteral("ローマ数字（小文字）"), QStringLiteral("ローマ数字（大文字）"),
               QStringLiteral("アルファベット（小文字）"),
               QStringLiteral("アルファベット（大文字）")},
              type);
    AddChoice(form, QStringLiteral("マークの位置(&P):"), QStringLiteral("list-style-position"),
              {QStringLiteral("指定しない"), QStringLiteral("内側"), QStringLiteral("外側")},
              position);
    AddImage(form, QStringLiteral("マーク画像(&I):"), QStringLiteral("list-style-image"), image,
             context);
    AddChoice(form, QStringLiteral("カーソルの種類(&C):"), QStringLiteral("cursor"),
              {QStringLiteral("指定しない"), QStringLiteral("標準"), QStringLiteral("リンク"),
               QStringLiteral("十字"), QStringLiteral("移動"), QStringLiteral("編集"),
               QStringLiteral("砂時計"), QStringLiteral("ヘルプ"), QStringLiteral("北"),
               QStringLiteral("南"), QStringLiteral("西"), QStringLiteral("東"),
               QStringLiteral("北東"), QStringLiteral("北西"), QStringLiteral("南東"),
               QStringLiteral("南西")},
              cursor);
}

void CStyleListPage::StoreFields(const FormModel& form)
{
    type = Index(form, QStringLiteral("list-style-type"));
    position = Index(form, QStringLiteral("list-style-position"));
    image = Text(form, QStringLiteral("list-style-image")).trimmed();
    cursor = Index(form, QStringLiteral("cursor"));
}
