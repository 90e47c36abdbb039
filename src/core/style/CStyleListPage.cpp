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
    const QString kType = QStringLiteral("list-style-type");
    const QString kPosition = QStringLiteral("list-style-position");
    const QString kImage = QStringLiteral("list-style-image");
    const int shorthand = d.Effective({QStringLiteral("list-style")});
    if (shorthand >= 0) {
        for (const QString& t : StyleTokenize(d.Items()[shorthand].value)) {
            if (StyleChoiceIndex(Positions(), t) > 0)
                position = StyleChoiceIndex(Positions(), t);
            else if (t.startsWith(QStringLiteral("url("), Qt::CaseInsensitive))
                image = ReadShorthandUrl(t);
            else if (type == 0 || StyleChoiceIndex(Types(), t) > 0)
                type = ReadValueList(kType, t, Types());
        }
    }
    // Longhands after the shorthand override it.
    auto later = [&](const QString& name) { return d.Effective({name}) > shorthand; };
    if (later(kType))
        type = ReadValueList(kType, d.Value(kType), Types());
    if (later(kPosition))
        position = ReadValueList(kPosition, d.Value(kPosition), Positions());
    if (later(kImage))
        image = ReadStyleUrl(d.Value(kImage));
    cursor =
        ReadKeywordList(QStringLiteral("cursor"), d.Value(QStringLiteral("cursor")), Cursors());
}

void CStyleListPage::Write(CStyleDeclList& d) const
{
    for (const char* name :
         {"list-style", "list-style-type", "list-style-position", "list-style-image"})
        d.Remove(QString::fromLatin1(name));
    QStringList parts;
    if (type > 0)
        parts << ValueListText(QStringLiteral("list-style-type"), Types(), type);
    if (position > 0)
        parts << ValueListText(QStringLiteral("list-style-position"), Positions(), position);
    if (!image.isEmpty())
        parts << StyleUrlText(image, false);
    d.Set(QStringLiteral("list-style"), parts.join(u' '));
    d.Set(QStringLiteral("cursor"), KeywordListText(QStringLiteral("cursor"), Cursors(), cursor));
}

void CStyleListPage::Update(CStyleDeclList& d, const QStringList& changed) const
{
    const QString kType = QStringLiteral("list-style-type");
    const QString kPosition = QStringLiteral("list-style-position");
    const QString kImage = QStringLiteral("list-style-image");
    const bool marker =
        changed.contains(kType) || changed.contains(kPosition) || changed.contains(kImage);
    if (marker && !d.HasGroup(QStringLiteral("list-style"))) {
        CStyleDeclList group;
        Write(group);
        d.SetEffective(QStringLiteral("list-style"), group.Get(QStringLiteral("list-style")));
    } else if (marker) {
        const QStringList shorthand{QStringLiteral("list-style")};
        const QString oldType = ValueListText(kType, Types(), static_cast<int>(Types().size()) + 1);
        if (changed.contains(kType)) {
            const QString t = ValueListText(kType, Types(), type);
            WriteStylePart(
                d, kType, shorthand,
                [&](QStringView token) {
                    return StyleListIndex(Types(), token.toString()) >= 0
                           || token.compare(oldType, Qt::CaseInsensitive) == 0;
                },
                t, t);
        }
        if (changed.contains(kPosition)) {
            const QString t = ValueListText(kPosition, Positions(), position);
            WriteStylePart(
                d, kPosition, shorthand,
                [](QStringView token) {
                    return StyleListIndex(Positions(), token.toString()) >= 0;
                },
                t, t);
        }
        if (changed.contains(kImage))
            WriteStylePart(
                d, kImage, shorthand,
                [](QStringView token) { return token.startsWith(u"url(", Qt::CaseInsensitive); },
                image.isEmpty() ? QString() : StyleUrlText(image, false),
                image.isEmpty() ? QString() : StyleUrlText(image, true));
    }
    if (changed.contains(QStringLiteral("cursor")))
        d.SetEffective(QStringLiteral("cursor"),
                       KeywordListText(QStringLiteral("cursor"), Cursors(), cursor));
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
