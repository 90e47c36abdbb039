#include "core/style/CssSave.h"

#include "core/doc/DocumentCodec.h"
#include "core/style/StyleRuleSelect.h"

#include <limits>
#include <vector>

QString WithCssEscapes(const QString& text, CodeKind code, bool cssDocument)
{
    const std::vector<Unencodable> found =
        FindUnencodable(text, code, std::numeric_limits<qsizetype>::max());
    if (found.empty())
        return text;
    const std::vector<StyleContents> sheets =
        cssDocument ? std::vector<StyleContents>{{0, static_cast<int>(text.size())}}
                    : AllStyleContents(text);
    QString out;
    qsizetype pos = 0;
    size_t sheet = 0;
    for (const Unencodable& u : found) {
        while (sheet < sheets.size() && sheets[sheet].end <= u.offset)
            ++sheet;
        if (sheet == sheets.size())
            break;
        if (u.offset < sheets[sheet].start)
            continue;
        out += QStringView(text).mid(pos, u.offset - pos);
        // The blank ends the escape, so that a hexadecimal digit after it
        // stays a character of its own.
        out += u'\\' + QString::number(static_cast<uint>(u.ch), 16).toUpper() + u' ';
        pos = u.offset + (u.ch > 0xFFFF ? 2 : 1);
    }
    if (pos == 0)
        return text;
    out += QStringView(text).mid(pos);
    return out;
}
