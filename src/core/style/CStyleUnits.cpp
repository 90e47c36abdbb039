#include "core/style/CStyleUnits.h"

#include <array>

namespace {

struct Unit {
    const char16_t* label;
    const char16_t* code;
};

// The nine units of old pages first (their indexes are what callers keep),
// then the units of today's sheets.
constexpr std::array<Unit, 15> kUnits{{
    {u"ピクセル", u"px"},
    {u"ポイント", u"pt"},
    {u"インチ", u"in"},
    {u"センチ", u"cm"},
    {u"ミリ", u"mm"},
    {u"パーセント", u"%"},
    {u"文字", u"em"},
    {u"X高", u"ex"},
    {u"パイカ", u"pc"},
    {u"ルート文字", u"rem"},
    {u"画面幅%", u"vw"},
    {u"画面高%", u"vh"},
    {u"画面短辺%", u"vmin"},
    {u"画面長辺%", u"vmax"},
    {u"数字幅", u"ch"},
}};

} // namespace

int CStyleUnits::Count()
{
    return static_cast<int>(kUnits.size());
}

int CStyleUnits::Find(const QString& code)
{
    for (int i = 0; i < Count(); ++i)
        if (code == QStringView(kUnits[i].code))
            return i;
    return -1;
}

QString CStyleUnits::Code(int index)
{
    return index >= 0 && index < Count() ? QString::fromUtf16(kUnits[index].code) : QString();
}

const QStringList& CStyleUnits::Labels()
{
    static const QStringList labels = [] {
        QStringList l;
        for (const Unit& u : kUnits)
            l.append(QString::fromUtf16(u.label));
        return l;
    }();
    return labels;
}
