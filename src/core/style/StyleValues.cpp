#include "core/style/StyleValues.h"

#include "core/style/CStyleUnits.h"

namespace {

bool IsBlank(QChar c)
{
    return c == u' ' || c == u'\t';
}

bool IsHexDigit(QChar c)
{
    return (c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F');
}

} // namespace

QStringList StyleTokenize(const QString& value)
{
    QStringList tokens;
    const qsizetype n = value.size();
    qsizetype i = 0;
    while (i < n) {
        if (IsBlank(value[i])) {
            ++i;
            continue;
        }
        const QChar first = value[i];
        if (first == u'"' || first == u'\'') {
            const qsizetype close = value.indexOf(first, i + 1);
            if (close < 0) {
                tokens.append(value.mid(i));
                break;
            }
            tokens.append(value.mid(i, close - i + 1));
            i = close + 2;
            continue;
        }
        qsizetype end = i;
        int depth = 0;
        while (end < n && (depth > 0 || !IsBlank(value[end]))) {
            if (value[end] == u'(')
                ++depth;
            else if (value[end] == u')' && depth > 0)
                --depth;
            ++end;
        }
        tokens.append(value.mid(i, end - i));
        i = end;
    }
    return tokens;
}

std::vector<StyleToken> StyleValueTokens(const QString& value)
{
    std::vector<StyleToken> tokens;
    const qsizetype n = value.size();
    auto blank = [](QChar c) {
        return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n' || c == u'\f';
    };
    qsizetype i = 0;
    while (i < n) {
        if (blank(value[i])) {
            ++i;
            continue;
        }
        if (value[i] == u',') {
            tokens.push_back({i, i + 1});
            ++i;
            continue;
        }
        const qsizetype start = i;
        int depth = 0;
        while (i < n && (depth > 0 || (!blank(value[i]) && value[i] != u','))) {
            const QChar c = value[i];
            if (c == u'"' || c == u'\'') {
                ++i;
                while (i < n && value[i] != c) {
                    if (value[i] == u'\\')
                        ++i;
                    ++i;
                }
            } else if (c == u'(' || c == u'[') {
                ++depth;
            } else if ((c == u')' || c == u']') && depth > 0) {
                --depth;
            }
            ++i;
        }
        tokens.push_back({start, std::min(i, n)});
    }
    return tokens;
}

QString EditStyleToken(const QString& value,
                       const std::function<bool(QStringView)>& matches,
                       const QString& replacement,
                       bool* found,
                       bool add)
{
    for (const StyleToken& t : StyleValueTokens(value)) {
        if (!matches(t.Text(value)))
            continue;
        if (found)
            *found = true;
        QString out = value;
        if (!replacement.isEmpty()) {
            out.replace(t.start, t.end - t.start, replacement);
            return out;
        }
        qsizetype a = t.start, b = t.end;
        while (b < out.size() && IsBlank(out[b]))
            ++b;
        if (b == out.size())
            while (a > 0 && IsBlank(out[a - 1]))
                --a;
        out.remove(a, b - a);
        return out;
    }
    if (found)
        *found = false;
    if (replacement.isEmpty() || !add)
        return value;
    return value.isEmpty() ? replacement : value + u' ' + replacement;
}

bool IsStyleNumber(QStringView text)
{
    qsizetype i = 0;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-'))
        ++i;
    bool digits = false, point = false;
    for (; i < text.size(); ++i) {
        if (text[i] >= u'0' && text[i] <= u'9')
            digits = true;
        else if (text[i] == u'.' && !point)
            point = true;
        else
            return false;
    }
    return digits;
}

int StyleFourSides(const QStringList& t, std::array<QString, 4>& sides)
{
    switch (t.size()) {
    case 1:
        sides = {t[0], t[0], t[0], t[0]};
        break;
    case 2:
        sides = {t[0], t[1], t[0], t[1]};
        break;
    case 3:
        sides = {t[0], t[1], t[2], t[1]};
        break;
    case 4:
        sides = {t[0], t[1], t[2], t[3]};
        break;
    default:
        break;
    }
    return static_cast<int>(t.size());
}

void ReadStyleNumber(const QString& value, const StyleKeywords& keywords, QString& number,
                     int& unit)
{
    for (const StyleKeyword& k : keywords) {
        if (value == k.value) {
            number = k.label;
            unit = -1;
            return;
        }
    }
    qsizetype i = 0;
    while (i < value.size()
           && ((value[i].isDigit() && value[i].unicode() < 128) || value[i] == u'+'
               || value[i] == u'-' || value[i] == u'.'))
        ++i;
    number = value.left(i);
    const QString rest = value.mid(i);
    unit = rest.isEmpty() ? -1 : CStyleUnits::Find(rest);
    if (!IsStyleNumber(number) || (!rest.isEmpty() && unit < 0)) {
        number = value;
        unit = -1;
    }
}

QString StyleNumberText(const QString& number, int unit)
{
    if (unit < 0 || !IsStyleNumber(number))
        return number;
    return number + CStyleUnits::Code(unit);
}

QString StyleLengthText(const QString& number, int unit)
{
    if (unit < 0 && IsStyleNumber(number))
        return number + QStringLiteral("px");
    return StyleNumberText(number, unit);
}

QString ReadStyleColor(const QString& value)
{
    const QString v = value.trimmed();
    if (v.size() == 7 && v.startsWith(u'#'))
        return v.mid(1);
    return v;
}

QString StyleColorText(const QString& text)
{
    const QString t = text.trimmed();
    if (t.size() != 6)
        return t;
    for (QChar c : t)
        if (!IsHexDigit(c))
            return t;
    return u'#' + t;
}

bool IsStyleColorToken(const QString& token)
{
    if (token.startsWith(u'#'))
        return token.size() > 1;
    for (const char* function : {"rgb(", "rgba(", "hsl(", "hsla("})
        if (token.startsWith(QLatin1String(function), Qt::CaseInsensitive))
            return true;
    static const QStringList names = QStringLiteral(
        "aliceblue antiquewhite aqua aquamarine azure beige bisque black blanchedalmond blue "
        "blueviolet brown burlywood cadetblue chartreuse chocolate coral cornflowerblue "
        "cornsilk crimson cyan darkblue darkcyan darkgoldenrod darkgray darkgreen darkgrey "
        "darkkhaki darkmagenta darkolivegreen darkorange darkorchid darkred darksalmon "
        "darkseagreen darkslateblue darkslategray darkslategrey darkturquoise darkviolet "
        "deeppink deepskyblue dimgray dimgrey dodgerblue firebrick floralwhite forestgreen "
        "fuchsia gainsboro ghostwhite gold goldenrod gray green greenyellow grey honeydew "
        "hotpink indianred indigo ivory khaki lavender lavenderblush lawngreen lemonchiffon "
        "lightblue lightcoral lightcyan lightgoldenrodyellow lightgray lightgreen lightgrey "
        "lightpink lightsalmon lightseagreen lightskyblue lightslategray lightslategrey "
        "lightsteelblue lightyellow lime limegreen linen magenta maroon mediumaquamarine "
        "mediumblue mediumorchid mediumpurple mediumseagreen mediumslateblue "
        "mediumspringgreen mediumturquoise mediumvioletred midnightblue mintcream mistyrose "
        "moccasin navajowhite navy oldlace olive olivedrab orange orangered orchid "
        "palegoldenrod palegreen paleturquoise palevioletred papayawhip peachpuff peru pink "
        "plum powderblue purple rebeccapurple red rosybrown royalblue saddlebrown salmon "
        "sandybrown seagreen seashell sienna silver skyblue slateblue slategray slategrey snow "
        "springgreen steelblue tan teal thistle tomato turquoise violet wheat white "
        "whitesmoke yellow yellowgreen transparent currentcolor "
        "activeborder activecaption appworkspace background buttonface buttonhighlight "
        "buttonshadow buttontext captiontext graytext highlight highlighttext inactiveborder "
        "inactivecaption inactivecaptiontext infobackground infotext menu menutext scrollbar "
        "threeddarkshadow threedface threedhighlight threedlightshadow threedshadow window "
        "windowframe windowtext")
                                          .split(u' ');
    return StyleListIndex(names, token) >= 0;
}

QString ReadStyleUrl(const QString& value)
{
    // More than one url() token ("url(a), url(b)", "url(a) no-repeat") is
    // no single path: shown and kept as written.
    if (!value.startsWith(QStringLiteral("url")) || StyleValueTokens(value).size() != 1)
        return value;
    QString v = value.mid(3);
    qsizetype start = 0;
    while (start < v.size()
           && (v[start] == u' ' || v[start] == u'(' || v[start] == u'\'' || v[start] == u'"'))
        ++start;
    qsizetype end = v.size();
    while (end > start
           && (v[end - 1] == u' ' || v[end - 1] == u')' || v[end - 1] == u'\''
               || v[end - 1] == u'"'))
        --end;
    return v.mid(start, end - start);
}

QString ReadShorthandUrl(const QString& token)
{
    return ReadStyleUrl(token);
}

QString StyleUrlText(const QString& path, bool quoted)
{
    // A field may hold what is no path: "none", a gradient, url() itself.
    const qsizetype paren = path.indexOf(u'(');
    if (path.compare(u"none", Qt::CaseInsensitive) == 0
        || (paren > 0 && !path.left(paren).contains(u'/') && !path.left(paren).contains(u'.')
            && path.endsWith(u')')))
        return path;
    bool needs = quoted;
    for (QChar c : path)
        if (c.isSpace() || c == u'(' || c == u')' || c == u'"' || c == u'\'' || c == u'\\'
            || c.unicode() < 0x20)
            needs = true;
    if (!needs)
        return QStringLiteral("url(") + path + u')';
    const QChar quote = quoted && !path.contains(u'\'') ? u'\'' : u'"';
    QString escaped;
    for (QChar c : path) {
        if (c == quote || c == u'\\')
            escaped += u'\\';
        if (c == u'\n' || c == u'\r')
            escaped += c == u'\n' ? QStringLiteral("\\a ") : QStringLiteral("\\d ");
        else
            escaped += c;
    }
    return QStringLiteral("url(") + quote + escaped + quote + u')';
}

QString StyleFontFamilyList(const QString& family)
{
    // Names are trimmed first: the blank after a comma belongs to no name,
    // and quoting it would make " serif" a family of its own.
    QStringList names = family.split(u',');
    for (QString& name : names) {
        name = name.trimmed();
        if (name.contains(u' ') && !name.startsWith(u'\'') && !name.startsWith(u'"'))
            name = u'\'' + name + u'\'';
    }
    return names.join(u',');
}

int StyleListIndex(const QStringList& list, const QString& value)
{
    for (int i = 0; i < list.size(); ++i)
        if (list[i].compare(value, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}
