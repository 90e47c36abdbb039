#include "core/style/CStylePadPage.h"

#include "core/style/CStyleUnits.h"

namespace {

const QString kSides[4] = {QStringLiteral("top"), QStringLiteral("right"),
                           QStringLiteral("bottom"), QStringLiteral("left")};

QString Longhand(const QString& shorthand, int side)
{
    return shorthand + u'-' + kSides[side];
}

// The shorthand, when present, wins over the longhands.
void ReadBox(const CStyleDeclList& d, const QString& shorthand, CStylePadPage::Box& box)
{
    box = CStylePadPage::Box();
    if (d.Has(shorthand)) {
        std::array<QString, 4> values;
        if (StyleFourSides(StyleTokenize(d.Get(shorthand)), values) <= 4)
            for (int i = 0; i < 4; ++i)
                ReadStyleNumber(values[i], {}, box.numbers[i], box.units[i]);
        return;
    }
    for (int i = 0; i < 4; ++i)
        d.GetNumber(Longhand(shorthand, i), {}, box.numbers[i], box.units[i]);
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
            parts << box.numbers[i]
                         + (box.units[i] >= 0 ? CStyleUnits::Code(box.units[i])
                                              : QStringLiteral("px"));
        d.Set(shorthand, parts.join(u' '));
        return;
    }
    for (int i : {3, 0, 1, 2})
        d.SetNumber(Longhand(shorthand, i), box.numbers[i], box.units[i]);
}

} // namespace

CStylePadPage::CStylePadPage() : CStylePage(QStringLiteral("間隔")) {}

void CStylePadPage::Read(const CStyleDeclList& d)
{
    d.GetNumber(QStringLiteral("letter-spacing"), {}, letterSpacing, letterSpacingUnit);
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
