#include "core/tags/CAttrDef.h"

#include <array>
#include <utility>

namespace {

// Searched in this order: a value part naming two markers takes the first.
const std::array<std::pair<const char16_t*, AttrKind>, 9> kMarkers{{
    {u"#URL", AttrKind::Url},
    {u"#COLOR", AttrKind::Color},
    {u"#NONE", AttrKind::NoValue},
    {u"#IMAGE", AttrKind::Image},
    {u"#FILE", AttrKind::File},
    {u"#CLASS", AttrKind::Class},
    {u"#STYLE", AttrKind::Style},
    {u"#FONT", AttrKind::Font},
    {u"#LEN", AttrKind::Length},
}};

qsizetype FirstBlank(const QString& text)
{
    for (qsizetype i = 0; i < text.size(); ++i)
        if (IsTableBlank(text[i]))
            return i;
    return -1;
}

} // namespace

bool CAttrDef::Matches(const QString& attrName, const QString& tagName) const
{
    return name.compare(attrName, Qt::CaseInsensitive) == 0
           && (ownerTag.isEmpty() || ownerTag.compare(tagName, Qt::CaseInsensitive) == 0);
}

CAttrDef ParseAttrDef(const QString& line)
{
    CAttrDef def;
    const qsizetype blank = FirstBlank(line);
    const QString head = blank < 0 ? line : line.left(blank);
    const qsizetype slash = head.indexOf(u'/');
    def.name = slash < 0 ? head : head.left(slash);
    if (slash >= 0)
        def.ownerTag = head.mid(slash + 1);
    if (blank < 0)
        return def;

    const QString value = line.mid(blank + 1);
    for (const auto& [marker, kind] : kMarkers) {
        if (value.contains(QString::fromUtf16(marker))) {
            def.kind = kind;
            return def;
        }
    }
    if (FirstBlank(value) >= 0) {
        def.kind = AttrKind::Choice;
        QString word;
        for (const QChar c : value) {
            if (IsTableBlank(c)) {
                def.choices.append(word);
                word.clear();
            } else {
                word += c;
            }
        }
        def.choices.append(word);
    }
    return def;
}
