#include "core/style/CStylePadPage.h"

#include "core/style/CStyleUnits.h"

namespace {

const QString kSides[4] = {QStringLiteral("top"), QStringLiteral("right"),
                           QStringLiteral("bottom"), QStringLiteral("left")};

QString Longhand(const QString& shorthand, int side)
{
    return shorthand + u'-' + kSides[side];
}

// The shorthand gives all four sides; a longhand after it overrides its
// side.
void ReadBox(const CStyleDeclList& d, const QString& shorthand, CStylePadPage::Box& box)
{
    box = CStylePadPage::Box();
    const int at = d.Effective({shorthand});
    if (at >= 0) {
        std::array<QString, 4> values;
        if (StyleFourSides(StyleTokenize(d.Items()[at].value), values) <= 4)
            for (int i = 0; i < 4; ++i)
                ReadStyleNumber(values[i], {}, box.numbers[i], box.units[i]);
    }
    for (int i = 0; i < 4; ++i)
        if (d.Effective({Longhand(shorthand, i)}) > at)
            ReadStyleNumber(d.Value(Longhand(shorthand, i)), {}, box.numbers[i], box.units[i]);
}

void WriteBox(CStyleDeclList& d, const QString& shorthand, const CStylePadPage::Box& box)
{
    d.Remove(shorthand);
    for (int i = 0; i < 4; ++i)
        d.Remove(Longhand(shorthand, i));
    bool full = true;
    for (const QString& n : box.numbers)
        full = full && !n.isEmpty();
    if (full) {
        QStringList parts;
        for (int i = 0; i < 4; ++i)
            parts << StyleLengthText(box.numbers[i], box.units[i]);
        d.Set(shorthand, parts.join(u' '));
        return;
    }
    for (int i : {3, 0, 1, 2})
        d.SetNumber(Longhand(shorthand, i), box.numbers[i], box.units[i]);
}

// The sides the user changed, each where it takes effect: its longhand, or
// its place in the shorthand (written out with all four values). A side
// left empty cannot stay in the shorthand: the shorthand's other sides
// become longhands in its place.
void UpdateBox(CStyleDeclList& d,
               const QString& shorthand,
               const CStylePadPage::Box& box,
               const QStringList& changed)
{
    bool any = false;
    for (int i = 0; i < 4; ++i)
        any = any || changed.contains(Longhand(shorthand, i));
    if (!any)
        return;
    if (!d.HasGroup(shorthand)) {
        WriteBox(d, shorthand, box);
        return;
    }
    for (int i = 0; i < 4; ++i) {
        if (!changed.contains(Longhand(shorthand, i)))
            continue;
        const QString text = StyleLengthText(box.numbers[i], box.units[i]);
        const int at = d.Effective({Longhand(shorthand, i), shorthand});
        std::array<QString, 4> sides;
        const int count = at >= 0 && d.Items()[at].name.compare(shorthand, Qt::CaseInsensitive) == 0
                              ? StyleFourSides(StyleTokenize(d.Items()[at].value), sides)
                              : 0;
        if (count < 1 || count > 4) {
            if (at >= 0 && count == 0)
                d.SetEffective(Longhand(shorthand, i), text);
            else if (!text.isEmpty())
                d.Override(Longhand(shorthand, i), text, at);
            continue;
        }
        if (!text.isEmpty()) {
            sides[i] = StyleLengthText(box.numbers[i], box.units[i]);
            d.At(at).value = QStringList(sides.begin(), sides.end()).join(u' ');
            continue;
        }
        const bool important = d.Items()[at].important;
        d.RemoveAt(at);
        int insert = at;
        for (int j = 0; j < 4; ++j)
            if (j != i)
                d.Insert(insert++, {Longhand(shorthand, j), sides[j], important, {}});
    }
}

} // namespace

CStylePadPage::CStylePadPage() : CStylePage(QStringLiteral("間隔")) {}

void CStylePadPage::Read(const CStyleDeclList& d)
{
    ReadStyleNumber(d.Value(QStringLiteral("letter-spacing")), {}, letterSpacing,
                    letterSpacingUnit);
    ReadBox(d, QStringLiteral("padding"), padding);
    ReadBox(d, QStringLiteral("margin"), margin);
}

void CStylePadPage::Write(CStyleDeclList& d) const
{
    d.Remove(QStringLiteral("letter-spacing"));
    d.SetNumber(QStringLiteral("letter-spacing"), letterSpacing, letterSpacingUnit);
    WriteBox(d, QStringLiteral("padding"), padding);
    WriteBox(d, QStringLiteral("margin"), margin);
}

void CStylePadPage::Update(CStyleDeclList& d, const QStringList& changed) const
{
    if (changed.contains(QStringLiteral("letter-spacing")))
        d.SetEffective(QStringLiteral("letter-spacing"),
                       StyleLengthText(letterSpacing, letterSpacingUnit));
    UpdateBox(d, QStringLiteral("padding"), padding, changed);
    UpdateBox(d, QStringLiteral("margin"), margin, changed);
}

void CStylePadPage::AddFields(FormModel& form, const StylePageContext&)
{
    AddNumber(form, 0, QStringLiteral("文字間隔(&S):"), QStringLiteral("letter-spacing"),
              letterSpacing, letterSpacingUnit);
    const QString labels[4] = {QStringLiteral("上"), QStringLiteral("右"), QStringLiteral("下"),
                               QStringLiteral("左")};
    const int order[4] = {3, 1, 0, 2};  // left, right, top, bottom
    auto box = [&](int firstRow, const QString& caption, const QString& shorthand,
                   const Box& values) {
        AddCaption(form, caption, firstRow);
        for (int row = 0; row < 4; ++row) {
            const int i = order[row];
            AddNumber(form, firstRow + 1 + row, labels[i], Longhand(shorthand, i),
                      values.numbers[i], values.units[i]);
        }
    };
    box(1, QStringLiteral("余白"), QStringLiteral("padding"), padding);
    box(6, QStringLiteral("マージン"), QStringLiteral("margin"), margin);
}

void CStylePadPage::StoreFields(const FormModel& form)
{
    letterSpacing = Text(form, QStringLiteral("letter-spacing")).trimmed();
    letterSpacingUnit = Unit(form, QStringLiteral("letter-spacing"));
    auto box = [&](const QString& shorthand, Box& values) {
        for (int i = 0; i < 4; ++i) {
            values.numbers[i] = Text(form, Longhand(shorthand, i)).trimmed();
            values.units[i] = Unit(form, Longhand(shorthand, i));
        }
    };
    box(QStringLiteral("padding"), padding);
    box(QStringLiteral("margin"), margin);
}
