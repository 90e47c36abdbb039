#include "core/style/CStyleFontPage.h"

#include "core/app/CKelvoApp.h"
#include "core/edit/CFontNameDlg.h"
#include "core/style/CStyleUnits.h"

#include <algorithm>

namespace {

constexpr int kPointUnit = 1;  // a font size without a unit means points

bool IsAsciiDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

} // namespace

CStyleFontPage::CStyleFontPage() : CStylePage(QStringLiteral("フォント")) {}

const QStringList& CStyleFontPage::SizeKeywords()
{
    static const QStringList l{"xx-small", "x-small", "small", "medium",
                               "large",    "x-large", "xx-large"};
    return l;
}

const QStringList& CStyleFontPage::Decorations()
{
    static const QStringList l{"underline", "overline", "line-through", "none"};
    return l;
}

const QStringList& CStyleFontPage::DecorationLabels()
{
    static const QStringList l{QStringLiteral("指定なし"), QStringLiteral("下線"),
                               QStringLiteral("上線"), QStringLiteral("取消線"),
                               QStringLiteral("装飾無し")};
    return l;
}

const QStringList& CStyleFontPage::SizeList()
{
    static const QStringList l{"8",  "9",  "10", "11", "12", "14", "16", "18",
                               "20", "22", "24", "28", "36", "48", "72"};
    return l;
}

namespace {

// Where the parts of a "font" shorthand stand in its value:
// [style/variant/weight] size[/line-height] family. Each range is -1 when
// the part is absent; the family runs to the end. The style holds the
// angle after "oblique".
struct FontParts {
    qsizetype italicStart = -1, italicEnd = -1;
    qsizetype weightStart = -1, weightEnd = -1;
    bool bold = false;
    qsizetype sizeStart = -1, sizeEnd = -1;
    qsizetype heightStart = -1, heightEnd = -1; // from the "/"
    qsizetype familyStart = -1;
};

bool IsSizeToken(QStringView t)
{
    if (CStyleFontPage::SizeKeywords().contains(t.toString(), Qt::CaseInsensitive)
        || t.compare(u"smaller", Qt::CaseInsensitive) == 0
        || t.compare(u"larger", Qt::CaseInsensitive) == 0)
        return true;
    qsizetype i = 0;
    if (i < t.size() && (t[i] == u'+' || t[i] == u'-'))
        ++i;
    if (i < t.size()
        && (IsAsciiDigit(t[i]) || (t[i] == u'.' && i + 1 < t.size() && IsAsciiDigit(t[i + 1]))))
        return true;
    for (const char16_t* f : {u"calc(", u"clamp(", u"min(", u"max("})
        if (t.startsWith(QStringView(f), Qt::CaseInsensitive))
            return true;
    return false;
}

// A weight before the size: a keyword or a number from 1 to 1000 (a size
// has a unit). Bold is "bold", "bolder" or a number from 700.
bool IsWeightToken(QStringView t, bool* bold)
{
    bool numeric = false;
    const double w = t.toString().toDouble(&numeric);
    numeric = numeric && IsStyleNumber(t);
    *bold = t.compare(u"bold", Qt::CaseInsensitive) == 0
            || t.compare(u"bolder", Qt::CaseInsensitive) == 0 || (numeric && w >= 700);
    return *bold || t.compare(u"lighter", Qt::CaseInsensitive) == 0
           || (numeric && w >= 1 && w <= 1000);
}

bool IsAngleToken(QStringView t)
{
    for (const char16_t* unit : {u"deg", u"grad", u"rad", u"turn"}) {
        const QStringView u(unit);
        if (t.size() > u.size() && t.endsWith(u, Qt::CaseInsensitive)
            && IsStyleNumber(t.chopped(u.size())))
            return true;
    }
    return false;
}

FontParts ParseFont(const QString& value)
{
    FontParts p;
    const std::vector<StyleToken> tokens = StyleValueTokens(value);
    for (size_t i = 0; i < tokens.size(); ++i) {
        const QStringView t = tokens[i].Text(value);
        if (t.compare(u"italic", Qt::CaseInsensitive) == 0
            || t.compare(u"oblique", Qt::CaseInsensitive) == 0) {
            p.italicStart = tokens[i].start;
            p.italicEnd = tokens[i].end;
            if (i + 1 < tokens.size() && IsAngleToken(tokens[i + 1].Text(value)))
                p.italicEnd = tokens[++i].end;
            continue;
        }
        // A number is a weight only before the size: "font: 12 serif" of
        // old pages means a size.
        bool bold = false;
        bool sizeLater = false;
        for (size_t k = i + 1; k < tokens.size() && !sizeLater; ++k)
            sizeLater = IsSizeToken(tokens[k].Text(value));
        if (IsWeightToken(t, &bold) && (sizeLater || (!IsStyleNumber(t) && i + 1 < tokens.size()))) {
            p.weightStart = tokens[i].start;
            p.weightEnd = tokens[i].end;
            p.bold = bold;
            continue;
        }
        if (!IsSizeToken(t))
            continue;
        p.sizeStart = tokens[i].start;
        const qsizetype slash = t.indexOf(u'/');
        size_t next = i + 1;
        if (slash > 0 && !t.left(slash).contains(u'(')) {
            p.sizeEnd = tokens[i].start + slash;
            p.heightStart = p.sizeEnd;
            p.heightEnd = tokens[i].end;
        } else {
            p.sizeEnd = tokens[i].end;
            if (next < tokens.size() && tokens[next].Text(value).startsWith(u'/')) {
                p.heightStart = tokens[next].start;
                p.heightEnd = tokens[next].end;
                // "/ 1.5": the slash alone, then the height.
                if (tokens[next].Text(value) == u"/" && next + 1 < tokens.size())
                    p.heightEnd = tokens[++next].end;
                ++next;
            }
        }
        if (next < tokens.size())
            p.familyStart = tokens[next].start;
        break;
    }
    return p;
}

} // namespace

void CStyleFontPage::Read(const CStyleDeclList& d)
{
    family.clear();
    size.clear();
    sizeUnit = -1;
    lineHeight.clear();
    lineHeightUnit = -1;
    bold = italic = false;
    const int shorthand = d.Effective({QStringLiteral("font")});
    if (shorthand >= 0) {
        const QString font = d.Items()[shorthand].value;
        const FontParts p = ParseFont(font);
        italic = p.italicStart >= 0;
        bold = p.bold;
        if (p.sizeStart >= 0) {
            const QString s = font.mid(p.sizeStart, p.sizeEnd - p.sizeStart);
            if (SizeKeywords().contains(s, Qt::CaseInsensitive))
                size = s;
            else
                ReadStyleNumber(s, {}, size, sizeUnit);
        }
        if (p.heightStart >= 0) {
            QString h = font.mid(p.heightStart + 1, p.heightEnd - p.heightStart - 1).trimmed();
            ReadStyleNumber(h, {}, lineHeight, lineHeightUnit);
        }
        if (p.familyStart >= 0)
            family = font.mid(p.familyStart).trimmed();
    }
    // Longhands after the shorthand (or without one) override it.
    auto later = [&](const char* name) {
        return d.Effective({QString::fromLatin1(name)}) > shorthand;
    };
    if (later("font-family"))
        family = d.Value(QStringLiteral("font-family"));
    if (later("font-size")) {
        const QString s = d.Value(QStringLiteral("font-size"));
        if (SizeKeywords().contains(s, Qt::CaseInsensitive)) {
            size = s;
            sizeUnit = -1;
        } else {
            ReadStyleNumber(s, {}, size, sizeUnit);
            if (sizeUnit < 0 && IsStyleNumber(size))
                sizeUnit = kPointUnit;
        }
    }
    if (later("font-style")) {
        const QString style = d.Value(QStringLiteral("font-style"));
        italic = style.compare(u"italic", Qt::CaseInsensitive) == 0
                 || style.compare(u"oblique", Qt::CaseInsensitive) == 0;
    }
    if (later("font-weight")) {
        const QString weight = d.Value(QStringLiteral("font-weight"));
        bool numeric = false;
        const int w = weight.toInt(&numeric);
        bold = weight.compare(u"bold", Qt::CaseInsensitive) == 0 || (numeric && w > 699);
    }
    if (later("line-height"))
        ReadStyleNumber(d.Value(QStringLiteral("line-height")), {}, lineHeight, lineHeightUnit);
    decoration = ReadValueList(QStringLiteral("text-decoration"),
                               d.Value(QStringLiteral("text-decoration")), Decorations());
}

QString CStyleFontPage::SizeText() const
{
    return SizeKeywords().contains(size, Qt::CaseInsensitive) ? size
                                                              : StyleLengthText(size, sizeUnit);
}

std::vector<CStyleDecl> CStyleFontPage::Longhands() const
{
    std::vector<CStyleDecl> out;
    auto add = [&out](const char* name, const QString& value) {
        if (!value.isEmpty())
            out.push_back({QString::fromLatin1(name), value, false, {}});
    };
    add("font-style", italic ? QStringLiteral("italic") : QString());
    add("font-weight", bold ? QStringLiteral("bold") : QString());
    add("font-size", SizeText());
    add("line-height", StyleNumberText(lineHeight, lineHeightUnit));
    add("font-family", StyleFontFamilyList(family));
    return out;
}

void CStyleFontPage::Write(CStyleDeclList& d) const
{
    for (const char* name :
         {"font", "font-style", "font-weight", "font-size", "font-family", "line-height"})
        d.Remove(QString::fromLatin1(name));
    if (!size.isEmpty() && !family.isEmpty()) {
        QString font;
        if (italic)
            font += QStringLiteral("italic ");
        if (bold)
            font += QStringLiteral("bold ");
        font += SizeText();
        if (!lineHeight.isEmpty())
            font += u'/' + StyleNumberText(lineHeight, lineHeightUnit);
        font += u' ' + StyleFontFamilyList(family);
        d.Set(QStringLiteral("font"), font);
    } else {
        for (const CStyleDecl& decl : Longhands())
            d.Append(decl);
    }
    d.Set(QStringLiteral("text-decoration"),
          ValueListText(QStringLiteral("text-decoration"), Decorations(), decoration));
}

void CStyleFontPage::Update(CStyleDeclList& d, const QStringList& changed) const
{
    if (changed.contains(QStringLiteral("text-decoration")))
        d.SetEffective(QStringLiteral("text-decoration"),
                       ValueListText(QStringLiteral("text-decoration"), Decorations(), decoration));
    // Field, longhand and value written for it.
    struct Part {
        const char* field;
        const char* longhand;
        QString value;
    };
    const Part parts[] = {
        {"font-family", "font-family", StyleFontFamilyList(family)},
        {"font-size", "font-size", SizeText()},
        {"line-height", "line-height", StyleNumberText(lineHeight, lineHeightUnit)},
        {"bold", "font-weight", bold ? QStringLiteral("bold") : QString()},
        {"italic", "font-style", italic ? QStringLiteral("italic") : QString()},
    };
    bool any = false;
    for (const Part& p : parts)
        any = any || changed.contains(QString::fromLatin1(p.field));
    if (!any)
        return;
    if (!d.HasGroup(QStringLiteral("font")) && !d.HasGroup(QStringLiteral("line-height"))) {
        CStyleDeclList group;
        Write(group);
        for (const CStyleDecl& decl : group.Items())
            if (decl.name != u"text-decoration")
                d.Append(decl);
        return;
    }
    const int shorthand = d.Effective({QStringLiteral("font")});
    const FontParts at = shorthand >= 0 ? ParseFont(d.Items()[shorthand].value) : FontParts();
    // Edits of the shorthand's value: start, end, replacement.
    struct Edit {
        qsizetype start, end;
        QString text;
    };
    std::vector<Edit> edits;
    bool invalid = false;
    for (const Part& p : parts) {
        const QString field = QString::fromLatin1(p.field);
        const QString longhand = QString::fromLatin1(p.longhand);
        if (!changed.contains(field))
            continue;
        const int supplier = d.Effective({longhand, QStringLiteral("font")});
        if (supplier < 0 || supplier != shorthand || at.sizeStart < 0) {
            if (supplier == shorthand && supplier >= 0 && !p.value.isEmpty())
                d.Override(longhand, p.value, shorthand);
            else
                d.SetEffective(longhand, p.value);
            continue;
        }
        if (field == u"font-family") {
            if (p.value.isEmpty() || at.familyStart < 0)
                invalid = true;
            else
                edits.push_back({at.familyStart, d.Items()[shorthand].value.size(), p.value});
        } else if (field == u"font-size") {
            if (p.value.isEmpty())
                invalid = true;
            else
                edits.push_back({at.sizeStart, at.sizeEnd, p.value});
        } else if (field == u"line-height") {
            const QString text = p.value.isEmpty() ? QString() : u'/' + p.value;
            if (at.heightStart >= 0)
                edits.push_back({at.heightStart, at.heightEnd, text});
            else
                edits.push_back({at.sizeEnd, at.sizeEnd, text});
        } else if (field == u"bold") {
            // A shorthand holds one weight: bold replaces the one there.
            if (at.weightStart >= 0 && at.bold != bold)
                edits.push_back({at.weightStart, at.weightEnd,
                                 bold ? QStringLiteral("bold") : QString()});
            else if (at.weightStart < 0 && bold)
                edits.push_back({at.sizeStart, at.sizeStart, QStringLiteral("bold ")});
        } else {
            if (at.italicStart >= 0 && !italic)
                edits.push_back({at.italicStart, at.italicEnd, QString()});
            else if (at.italicStart < 0 && italic)
                edits.push_back({0, 0, QStringLiteral("italic ")});
        }
    }
    if (invalid) {
        // Without a size or a family the shorthand is no longer valid: its
        // parts become longhands in its place.
        const bool important = d.Items()[shorthand].important;
        d.RemoveAt(shorthand);
        int insert = shorthand;
        for (CStyleDecl decl : Longhands()) {
            decl.important = important;
            d.Insert(insert++, decl);
        }
        return;
    }
    if (shorthand < 0 || edits.empty())
        return;
    // From the end, a replacement before an insertion at the same place.
    std::sort(edits.begin(), edits.end(), [](const Edit& a, const Edit& b) {
        return a.start != b.start ? a.start > b.start : a.end > b.end;
    });
    QString value = d.Items()[shorthand].value;
    for (const Edit& e : edits) {
        qsizetype end = e.end;
        // A removed keyword takes the blank after it along.
        if (e.text.isEmpty() && end > e.start && value[e.start] != u'/')
            while (end < value.size() && value[end] == u' ')
                ++end;
        value.replace(e.start, end - e.start, e.text);
    }
    d.At(shorthand).value = TrimBlanks(value);
}

void CStyleFontPage::AddFields(FormModel& form, const StylePageContext& context)
{
    Add(form, FieldKind::Text, QStringLiteral("フォント名(&N):"), QStringLiteral("font-family"))
        .text = family;
    FormField& browse =
        Add(form, FieldKind::Button, QStringLiteral("参照(&R)..."), QStringLiteral("font-browse"));
    CKelvoApp* app = context.app;
    browse.action = [app](FormModel& m) {
        if (!app)
            return;
        if (auto name = CFontNameDlg(*app).Run(m[QStringLiteral("font-family")].text))
            m[QStringLiteral("font-family")].text = *name;
    };
    Add(form, FieldKind::Flag, QStringLiteral("太字(&B)"), QStringLiteral("bold")).checked = bold;
    Add(form, FieldKind::Flag, QStringLiteral("斜体(&I)"), QStringLiteral("italic")).checked = italic;
    AddChoice(form, QStringLiteral("装飾(&D):"), QStringLiteral("text-decoration"),
              DecorationLabels(), decoration);
    AddNumber(form, 0, QStringLiteral("行送り(&L):"), QStringLiteral("line-height"), lineHeight,
              lineHeightUnit);
    AddNumber(form, 1, QStringLiteral("サイズ(&S)"), QStringLiteral("font-size"), size, sizeUnit,
              FieldKind::Combo, SizeKeywords());
    FormField& list = Add(form, FieldKind::List, QStringLiteral("サイズ一覧"),
                          QStringLiteral("font-size-list"));
    list.choices = SizeList();
    list.index = std::max<int>(0, static_cast<int>(SizeList().indexOf(size)));
    list.text = list.choices[list.index];
    list.action = [](FormModel& m) {
        const FormField& l = m[QStringLiteral("font-size-list")];
        if (l.index >= 0)
            m[QStringLiteral("font-size")].text = l.SelectedChoice();
    };
}

void CStyleFontPage::StoreFields(const FormModel& form)
{
    family = Text(form, QStringLiteral("font-family"));
    bold = Checked(form, QStringLiteral("bold"));
    italic = Checked(form, QStringLiteral("italic"));
    decoration = Index(form, QStringLiteral("text-decoration"));
    lineHeight = Text(form, QStringLiteral("line-height")).trimmed();
    lineHeightUnit = Unit(form, QStringLiteral("line-height"));
    size = Text(form, QStringLiteral("font-size")).trimmed();
    sizeUnit = Unit(form, QStringLiteral("font-size"));
}
