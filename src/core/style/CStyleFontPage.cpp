#include "core/style/CStyleFontPage.h"

#include "core/app/CKelvoApp.h"
#include "core/edit/CFontNameDlg.h"
#include "core/style/CStyleUnits.h"

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

void CStyleFontPage::Read(const CStyleDeclList& d)
{
    family.clear();
    size.clear();
    sizeUnit = -1;
    lineHeight.clear();
    lineHeightUnit = -1;
    bold = italic = false;
    if (!d.Has(QStringLiteral("font"))) {
        family = d.Get(QStringLiteral("font-family"));
        const QString s = d.Get(QStringLiteral("font-size"));
        if (SizeKeywords().contains(s, Qt::CaseInsensitive)) {
            size = s;
        } else {
            ReadStyleNumber(s, {}, size, sizeUnit);
            if (sizeUnit < 0)
                sizeUnit = kPointUnit;
        }
    } else {
        const QString font = d.Get(QStringLiteral("font"));
        // Where each token starts in the value: the tokens are its pieces in
        // order, so each is found after the one before.
        qsizetype at = 0;
        qsizetype familyStart = -1;  // the first family token after the size
        for (const QString& t : StyleTokenize(font)) {
            at = font.indexOf(t, at);
            const qsizetype tokenStart = at;
            at += t.size();
            const bool sizeRead = !size.isEmpty();
            if (t.compare(u"bold", Qt::CaseInsensitive) == 0) {
                bold = true;
            } else if (t.compare(u"italic", Qt::CaseInsensitive) == 0) {
                italic = true;
            } else if (SizeKeywords().contains(t, Qt::CaseInsensitive)) {
                size = t;
                sizeUnit = -1;
            } else if (t.startsWith(u'/')) {
                ReadStyleNumber(t.mid(1), {}, lineHeight, lineHeightUnit);
            } else if (IsAsciiDigit(t[0]) && t.contains(u'/')) {
                const qsizetype slash = t.indexOf(u'/');
                ReadStyleNumber(t.left(slash), {}, size, sizeUnit);
                ReadStyleNumber(t.mid(slash + 1), {}, lineHeight, lineHeightUnit);
            } else if (IsAsciiDigit(t[0])) {
                ReadStyleNumber(t, {}, size, sizeUnit);
            } else {
                family = t;
                if (sizeRead && familyStart < 0)
                    familyStart = tokenStart;
            }
        }
        // A list of families is one field: "Arial, sans-serif" would
        // otherwise keep its last name alone and lose the others when the
        // page writes the group back.
        if (familyStart >= 0) {
            const QString rest = font.mid(familyStart).trimmed();
            if (rest.contains(u','))
                family = rest;
        }
    }
    const QString style = d.Get(QStringLiteral("font-style"));
    if (style.compare(u"italic", Qt::CaseInsensitive) == 0
        || style.compare(u"oblique", Qt::CaseInsensitive) == 0)
        italic = true;
    const QString weight = d.Get(QStringLiteral("font-weight"));
    bool numeric = false;
    const int w = weight.toInt(&numeric);
    if (weight.compare(u"bold", Qt::CaseInsensitive) == 0 || (numeric && w > 699))
        bold = true;
    const QString lh = d.Get(QStringLiteral("line-height"));
    if (!lh.isEmpty())
        ReadStyleNumber(lh, {}, lineHeight, lineHeightUnit);
    decoration = StyleChoiceIndex(Decorations(), d.Get(QStringLiteral("text-decoration")));
}

void CStyleFontPage::Write(CStyleDeclList& d) const
{
    for (const char* name :
         {"font", "font-style", "font-weight", "font-size", "font-family", "line-height"})
        d.Remove(QString::fromLatin1(name));
    const QString sizeText = SizeKeywords().contains(size, Qt::CaseInsensitive)
                                 ? size
                                 : StyleNumberText(size, sizeUnit);
    if (!size.isEmpty() && !family.isEmpty()) {
        QString font;
        if (italic)
            font += QStringLiteral("italic ");
        if (bold)
            font += QStringLiteral("bold ");
        font += sizeText;
        if (!lineHeight.isEmpty())
            font += u'/' + StyleNumberText(lineHeight, lineHeightUnit);
        font += u' ' + StyleFontFamilyList(family);
        d.Set(QStringLiteral("font"), font);
    } else {
        if (italic)
            d.Set(QStringLiteral("font-style"), QStringLiteral("italic"));
        if (bold)
            d.Set(QStringLiteral("font-weight"), QStringLiteral("bold"));
        d.Set(QStringLiteral("font-size"), sizeText);
        d.SetNumber(QStringLiteral("line-height"), lineHeight, lineHeightUnit);
        d.Set(QStringLiteral("font-family"), StyleFontFamilyList(family));
    }
    d.Set(QStringLiteral("text-decoration"), StyleChoiceValue(Decorations(), decoration));
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
