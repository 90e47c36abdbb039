#include "core/style/CStyleBoxPage.h"

#include "core/app/Ui.h"
#include "core/style/CStyleUnits.h"

namespace {

enum Part { StylePart, ColorPart, WidthPart };
const char* const kParts[] = {"style", "color", "width"};

bool StartsWithDigit(const QString& t)
{
    return !t.isEmpty() && t[0] >= u'0' && t[0] <= u'9';
}

// The style, colour and width tokens of "border" or "border-SIDE".
void ReadBorderTokens(const QString& value, CStyleBoxPage::Side& side, bool widthAsLabel)
{
    for (const QString& t : StyleTokenize(value)) {
        const int style = StyleChoiceIndex(CStyleBoxPage::Styles(), t);
        bool keyword = false;
        for (const StyleKeyword& k : CStyleBoxPage::WidthKeywords()) {
            if (t == k.value) {
                side.width = widthAsLabel ? k.label : t;
                side.unit = -1;
                keyword = true;
            }
        }
        if (keyword)
            continue;
        if (style > 0)
            side.style = style;
        else if (IsStyleColorToken(t))
            side.color = ReadStyleColor(t);
        else if (StartsWithDigit(t))
            ReadStyleNumber(t, {}, side.width, side.unit);
    }
}

QString WidthText(const CStyleBoxPage::Side& s)
{
    for (const StyleKeyword& k : CStyleBoxPage::WidthKeywords())
        if (s.width == k.label)
            return k.value;
    return StyleLengthText(s.width, s.unit);
}

QString PartText(const CStyleBoxPage::Side& s, int part)
{
    switch (part) {
    case StylePart:
        return StyleChoiceValue(CStyleBoxPage::Styles(), s.style);
    case ColorPart:
        return StyleColorText(s.color);
    default:
        return WidthText(s);
    }
}

QString Prop(const QString& side, int part)
{
    QString name = QStringLiteral("border");
    if (!side.isEmpty())
        name += u'-' + side;
    if (part >= 0)
        name += u'-' + QString::fromLatin1(kParts[part]);
    return name;
}

} // namespace

CStyleBoxPage::CStyleBoxPage() : CStylePage(QStringLiteral("ボックス")) {}

const QStringList& CStyleBoxPage::Styles()
{
    static const QStringList l{"solid", "double", "groove", "ridge",
                               "inset", "outset", "dashed", "dotted"};
    return l;
}

const QStringList& CStyleBoxPage::StyleLabels()
{
    static const QStringList l{QStringLiteral("指定しない"), QStringLiteral("塗りつぶし"),
                               QStringLiteral("二重"),       QStringLiteral("グルーブ"),
                               QStringLiteral("リッジ"),     QStringLiteral("へこみ"),
                               QStringLiteral("浮きだし"),   QStringLiteral("破線"),
                               QStringLiteral("点線")};
    return l;
}

const StyleKeywords& CStyleBoxPage::WidthKeywords()
{
    static const StyleKeywords k{{QStringLiteral("細い"), QStringLiteral("thin")},
                                 {QStringLiteral("普通"), QStringLiteral("medium")},
                                 {QStringLiteral("太い"), QStringLiteral("thick")}};
    return k;
}

const QStringList& CStyleBoxPage::SideNames()
{
    static const QStringList l{"top", "right", "bottom", "left"};
    return l;
}

void CStyleBoxPage::Read(const CStyleDeclList& d)
{
    all = Side();
    sides = {};
    ReadBorderTokens(d.Get(QStringLiteral("border")), all, false);
    // "border: none" is a style the list does not offer; it shows as it is.
    for (const QString& t : StyleTokenize(d.Get(QStringLiteral("border"))))
        if (all.style == 0
            && (t.compare(u"none", Qt::CaseInsensitive) == 0
                || t.compare(u"hidden", Qt::CaseInsensitive) == 0))
            all.style = ReadValueList(QStringLiteral("border-style"), t, Styles());
    for (int i = 0; i < 4; ++i)
        ReadBorderTokens(d.Get(Prop(SideNames()[i], -1)), sides[i], true);

    const QStringList styles = StyleTokenize(d.Get(QStringLiteral("border-style")));
    if (styles.size() == 1) {
        all.style = ReadValueList(QStringLiteral("border-style"), styles[0], Styles());
    } else {
        std::array<QString, 4> v;
        if (StyleFourSides(styles, v) > 1 && styles.size() <= 4)
            for (int i = 0; i < 4; ++i)
                sides[i].style = StyleChoiceIndex(Styles(), v[i]);
    }
    const QStringList colors = StyleTokenize(d.Get(QStringLiteral("border-color")));
    if (colors.size() == 1) {
        all.color = ReadStyleColor(colors[0]);
    } else {
        std::array<QString, 4> v;
        if (StyleFourSides(colors, v) > 1 && colors.size() <= 4)
            for (int i = 0; i < 4; ++i)
                sides[i].color = ReadStyleColor(v[i]);
    }
    const QStringList widths = StyleTokenize(d.Get(QStringLiteral("border-width")));
    if (widths.size() == 1) {
        ReadStyleNumber(widths[0], WidthKeywords(), all.width, all.unit);
    } else {
        std::array<QString, 4> v;
        if (StyleFourSides(widths, v) > 1 && widths.size() <= 4)
            for (int i = 0; i < 4; ++i)
                ReadStyleNumber(v[i], WidthKeywords(), sides[i].width, sides[i].unit);
    }
    for (int i = 0; i < 4; ++i) {
        const QString side = SideNames()[i];
        if (d.Has(Prop(side, StylePart)))
            sides[i].style = StyleChoiceIndex(Styles(), d.Get(Prop(side, StylePart)));
        if (d.Has(Prop(side, ColorPart)))
            sides[i].color = d.GetColor(Prop(side, ColorPart));
        if (d.Has(Prop(side, WidthPart)))
            d.GetNumber(Prop(side, WidthPart), WidthKeywords(), sides[i].width, sides[i].unit);
    }
}

void CStyleBoxPage::Write(CStyleDeclList& d) const
{
    for (int part = -1; part < 3; ++part) {
        d.Remove(Prop(QString(), part));
        for (const QString& side : SideNames())
            d.Remove(Prop(side, part));
    }
    const QString allParts[3] = {AllText(StylePart), AllText(ColorPart), AllText(WidthPart)};
    if (!allParts[0].isEmpty() && !allParts[1].isEmpty() && !allParts[2].isEmpty()) {
        d.Set(QStringLiteral("border"), allParts[0] + u' ' + allParts[1] + u' ' + allParts[2]);
    } else {
        for (int part = 0; part < 3; ++part)
            d.Set(Prop(QString(), part), allParts[part]);
    }

    QString text[4][3];
    bool written[4][3] = {};
    for (int i = 0; i < 4; ++i)
        for (int part = 0; part < 3; ++part)
            text[i][part] = PartText(sides[i], part);
    for (int i = 0; i < 4; ++i) {
        if (text[i][0].isEmpty() || text[i][1].isEmpty() || text[i][2].isEmpty())
            continue;
        d.Set(Prop(SideNames()[i], -1), text[i][0] + u' ' + text[i][1] + u' ' + text[i][2]);
        written[i][0] = written[i][1] = written[i][2] = true;
    }
    for (int part = 0; part < 3; ++part) {
        bool allFour = true;
        for (int i = 0; i < 4; ++i)
            allFour = allFour && !text[i][part].isEmpty() && !written[i][part];
        if (!allFour)
            continue;
        d.Set(Prop(QString(), part), text[0][part] + u' ' + text[1][part] + u' ' + text[2][part]
                                         + u' ' + text[3][part]);
        for (int i = 0; i < 4; ++i)
            written[i][part] = true;
    }
    for (int i = 0; i < 4; ++i)
        for (int part = 0; part < 3; ++part)
            if (!written[i][part] && !text[i][part].isEmpty())
                d.Set(Prop(SideNames()[i], part), text[i][part]);
}

QString CStyleBoxPage::AllText(int part) const
{
    return part == StylePart ? ValueListText(QStringLiteral("border-style"), Styles(), all.style)
                             : PartText(all, part);
}

namespace {

bool IsPartToken(int part, QStringView token)
{
    const QString t = token.toString();
    switch (part) {
        case StylePart:
            return StyleListIndex(CStyleBoxPage::Styles(), t) >= 0
                   || StyleListIndex({"none", "hidden"}, t) >= 0;
        case ColorPart:
            return IsStyleColorToken(t);
        default:
            for (const StyleKeyword& k : CStyleBoxPage::WidthKeywords())
                if (t.compare(k.value, Qt::CaseInsensitive) == 0)
                    return true;
            return !t.isEmpty() && (StartsWithDigit(t) || t.startsWith(u'.'));
    }
}

} // namespace

void CStyleBoxPage::Update(CStyleDeclList& d, const QStringList& changed) const
{
    if (changed.isEmpty())
        return;
    if (!d.HasGroup(QStringLiteral("border"))) {
        Write(d);
        return;
    }
    const QString border = QStringLiteral("border");
    for (int part = 0; part < 3; ++part) {
        if (!changed.contains(Prop(QString(), part)))
            continue;
        const QString text = AllText(part);
        const int at = d.Effective({border, Prop(QString(), part)});
        if (at >= 0 && d.Items()[at].name.compare(border, Qt::CaseInsensitive) == 0) {
            WriteStylePart(
                d, Prop(QString(), part), {border},
                [part](QStringView t) { return IsPartToken(part, t); }, text, text);
        } else if (at >= 0 || text.isEmpty()) {
            d.SetEffective(Prop(QString(), part), text);
        } else {
            // A new all-sides declaration goes before the sides' own, which
            // it would otherwise override.
            int before = d.Count();
            for (int k = 0; k < d.Count() && before == d.Count(); ++k)
                for (const QString& side : SideNames())
                    if (d.Items()[k].name.startsWith(Prop(side, -1), Qt::CaseInsensitive))
                        before = k;
            d.Insert(before, {Prop(QString(), part), text, false, {}});
        }
    }
    // The sides' values follow the form's fields, four each.
    for (int i = 0; i < 4; ++i) {
        for (int part = 0; part < 3; ++part) {
            const QString extra = QStringLiteral("extra%1");
            if (!changed.contains(extra.arg(i * 4 + part))
                && !(part == WidthPart && changed.contains(extra.arg(i * 4 + 3))))
                continue;
            const QString side = SideNames()[i];
            const QString longhand = Prop(side, part);
            const QString text = PartText(sides[i], part);
            const int at = d.Effective({longhand, Prop(side, -1), Prop(QString(), part), border});
            const QString name = at >= 0 ? d.Items()[at].name.toLower() : QString();
            if (at < 0 || name == longhand) {
                d.SetEffective(longhand, text);
            } else if (name == Prop(side, -1)) {
                WriteStylePart(
                    d, longhand, {name}, [part](QStringView t) { return IsPartToken(part, t); },
                    text, text);
            } else if (name == Prop(QString(), part)) {
                std::array<QString, 4> values;
                const int count = StyleFourSides(StyleTokenize(d.Items()[at].value), values);
                if (count >= 1 && count <= 4 && !text.isEmpty()) {
                    values[i] = text;
                    d.At(at).value = QStringList(values.begin(), values.end()).join(u' ');
                } else if (!text.isEmpty()) {
                    d.Override(longhand, text, at);
                }
            } else if (!text.isEmpty()) {
                // "border" sets every side; the side's longhand after it
                // sets this one.
                d.Override(longhand, text, at);
            }
        }
    }
}

namespace {

QStringList WidthLabels()
{
    QStringList l;
    for (const StyleKeyword& k : CStyleBoxPage::WidthKeywords())
        l.append(k.label);
    return l;
}

} // namespace

FormModel CStyleBoxPage::SideForm(const Side& side)
{
    FormModel form;
    form.title = QStringLiteral("枠線");
    FormField& style = form.AddChoice(QStringLiteral("枠線の種類"), StyleLabels(), side.style,
                                      QStringLiteral("style"));
    (void)style;
    form.Add(FieldKind::Color, QStringLiteral("色"), QStringLiteral("color")).text = side.color;
    form.AddCombo(QStringLiteral("枠線の太さ"), WidthLabels(), side.width, QStringLiteral("width"));
    FormField& unit = form.AddChoice(QStringLiteral("単位"), CStyleUnits::Labels(), side.unit,
                                     QStringLiteral("unit"));
    unit.index = side.unit;
    return form;
}

CStyleBoxPage::Side CStyleBoxPage::SideFromForm(const FormModel& form)
{
    Side s;
    s.style = std::max(0, form.Find(QStringLiteral("style"))->index);
    s.color = form.Find(QStringLiteral("color"))->text.trimmed();
    s.width = form.Find(QStringLiteral("width"))->text.trimmed();
    s.unit = form.Find(QStringLiteral("unit"))->index;
    return s;
}

void CStyleBoxPage::AddFields(FormModel& form, const StylePageContext& context)
{
    AddChoice(form, QStringLiteral("枠線の種類"), QStringLiteral("border-style"), StyleLabels(),
              all.style);
    Add(form, FieldKind::Color, QStringLiteral("色"), QStringLiteral("border-color")).text =
        all.color;
    AddCaption(form, QStringLiteral("枠線の太さ"));
    AddNumber(form, 0, QStringLiteral("全体"), QStringLiteral("border-width"), all.width, all.unit,
              FieldKind::Combo, WidthLabels());
    // The four sides live in the page between the side dialogs and the
    // form; the buttons edit them there.
    const QString labels[4] = {QStringLiteral("上"), QStringLiteral("右"), QStringLiteral("下"),
                               QStringLiteral("左")};
    const int order[4] = {0, 2, 3, 1};  // buttons in the order top, bottom, left, right
    Ui* ui = context.ui;
    for (int column = 0; column < 4; ++column) {
        const int i = order[column];
        FormField& b = Add(form, FieldKind::Button, labels[i],
                           QStringLiteral("border-") + SideNames()[i]);
        // Two by two beside the width row's caption column.
        b.gridRow = 1 + column / 2;
        b.gridColumn = 1 + column % 2;
        b.action = [this, ui, i](FormModel&) {
            if (!ui)
                return;
            FormModel side = SideForm(sides[i]);
            if (ui->RunForm(side) == Ui::Answer::Ok)
                sides[i] = SideFromForm(side);
        };
    }
}

void CStyleBoxPage::StoreFields(const FormModel& form)
{
    all.style = Index(form, QStringLiteral("border-style"));
    all.color = Text(form, QStringLiteral("border-color")).trimmed();
    all.width = Text(form, QStringLiteral("border-width")).trimmed();
    all.unit = Unit(form, QStringLiteral("border-width"));
}

QStringList CStyleBoxPage::FieldValues(const FormModel& form) const
{
    QStringList values = CStylePage::FieldValues(form);
    for (const Side& s : sides)
        values << QString::number(s.style) << s.color << s.width << QString::number(s.unit);
    return values;
}
