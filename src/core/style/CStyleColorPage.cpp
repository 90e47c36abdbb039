#include "core/style/CStyleColorPage.h"

CStyleColorPage::CStyleColorPage() : CStylePage(QStringLiteral("色・背景")) {}

const QStringList& CStyleColorPage::Repeats()
{
    static const QStringList l{"repeat-x", "repeat-y", "no-repeat"};
    return l;
}

const QStringList& CStyleColorPage::Horizontals()
{
    static const QStringList l{"left", "center", "right"};
    return l;
}

const QStringList& CStyleColorPage::Verticals()
{
    static const QStringList l{"top", "center", "bottom"};
    return l;
}

void CStyleColorPage::Read(const CStyleDeclList& d)
{
    color = d.GetColor(QStringLiteral("color"));
    background.clear();
    image.clear();
    repeat = horizontal = vertical = 0;
    fixed = false;
    if (!d.Has(QStringLiteral("background"))) {
        background = d.Get(QStringLiteral("background-color"));
        image = d.GetUrl(QStringLiteral("background-image"));
        fixed = d.Get(QStringLiteral("background-attachment")).compare(u"fixed", Qt::CaseInsensitive)
                == 0;
        repeat = StyleChoiceIndex(Repeats(), d.Get(QStringLiteral("background-repeat")));
        const QStringList t = StyleTokenize(d.Get(QStringLiteral("background-position")));
        if (t.size() == 1) {
            horizontal = StyleChoiceIndex(Horizontals(), t[0]);
            vertical = StyleChoiceIndex(Verticals(), t[0]);
        } else if (t.size() == 2) {
            horizontal = StyleChoiceIndex(Horizontals(), t[0]);
            vertical = StyleChoiceIndex(Verticals(), t[1]);
        }
        return;
    }
    // "center" is in both position lists: the first one is horizontal.
    for (const QString& t : StyleTokenize(d.Get(QStringLiteral("background")))) {
        if (t.compare(u"fixed", Qt::CaseInsensitive) == 0)
            fixed = true;
        else if (StyleChoiceIndex(Repeats(), t) > 0)
            repeat = StyleChoiceIndex(Repeats(), t);
        else if (StyleChoiceIndex(Horizontals(), t) > 0 && horizontal == 0)
            horizontal = StyleChoiceIndex(Horizontals(), t);
        else if (StyleChoiceIndex(Verticals(), t) > 0 && vertical == 0)
            vertical = StyleChoiceIndex(Verticals(), t);
        else if (IsStyleColorToken(t))
            background = ReadStyleColor(t);
        else if (t.startsWith(QStringLiteral("url(")))
            image = ReadShorthandUrl(t);
    }
}

void CStyleColorPage::Write(CStyleDeclList& d) const
{
    d.SetColor(QStringLiteral("color"), color);
    for (const char* name : {"background-color", "background-image", "background-attachment",
                             "background-repeat", "background-position"})
        d.Remove(QString::fromLatin1(name));
    QStringList parts;
    const QString back = StyleColorText(background);
    if (!back.isEmpty())
        parts << back;
    if (!image.isEmpty())
        parts << QStringLiteral("url(") + image + u')';
    if (repeat > 0)
        parts << StyleChoiceValue(Repeats(), repeat);
    if (fixed)
        parts << QStringLiteral("fixed");
    if (horizontal > 0)
        parts << StyleChoiceValue(Horizontals(), horizontal);
    if (vertical > 0)
        parts << StyleChoiceValue(Verticals(), vertical);
    d.Set(QStringLiteral("background"), parts.join(u' '));
}

void CStyleColorPage::AddFields(FormModel& form, const StylePageContext& context)
{
    Add(form, FieldKind::Color, QStringLiteral("色(&C):"), QStringLiteral("color")).text = color;
    Add(form, FieldKind::Color, QStringLiteral("背景色(&D):"), QStringLiteral("background-color"))
        .text = background;
    AddImage(form, QStringLiteral("背景画像(&U):"), QStringLiteral("background-image"), image,
             context);
    AddChoice(form, QStringLiteral("背景画像の繰り返し"), QStringLiteral("background-repeat"),
              {QStringLiteral("指定しない"), QStringLiteral("横方向"), QStringLiteral("縦方向"),
               QStringLiteral("繰り返しなし")},
              repeat);
    AddChoice(form, QStringLiteral("背景画像の横位置"), QStringLiteral("background-position-x"),
              {QStringLiteral("指定しない"), QStringLiteral("左端"), QStringLiteral("中央"),
               QStringLiteral("右端")},
              horizontal);
    AddChoice(form, QStringLiteral("背景画像の縦位置"), QStringLiteral("background-position-y"),
              {QStringLiteral("指定しない"), QStringLiteral("上端"), QStringLiteral("中央"),
               QStringLiteral("下端")},
              vertical);
    Add(form, FieldKind::Flag, QStringLiteral("背景画像固定(&F)"),
        QStringLiteral("background-attachment"))
        .checked = fixed;
}

void CStyleColorPage::StoreFields(const FormModel& form)
{
    color = Text(form, QStringLiteral("color"));
    background = Text(form, QStringLiteral("background-color"));
    image = Text(form, QStringLiteral("background-image")).trimmed();
    repeat = Index(form, QStringLiteral("background-repeat"));
    horizontal = Index(form, QStringLiteral("background-position-x"));
    vertical = Index(form, QStringLiteral("background-position-y"));
    fixed = Checked(form, QStringLiteral("background-attachment"));
}
