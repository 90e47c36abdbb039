#include "core/style/CStyleSelectorDlg.h"

#include "core/app/CKelvoApp.h"
#include "core/app/FormModel.h"
#include "core/app/Ui.h"
#include "core/style/CStyleDlg.h"
#include "core/style/CStyleSelectorListDlg.h"

namespace {

struct Pseudo {
    const char16_t* label;
    const char16_t* value;
};

constexpr Pseudo kPseudos[] = {
    {u"最初の一文字", u"first-letter"}, {u"最初の一行", u"first-line"},
    {u"未クリックリンク", u"link"},     {u"クリック済みリンク", u"visited"},
    {u"選択中", u"active"},             {u"マウス通過時", u"hover"},
};
constexpr int kNonLinkPseudos = 2;

CStyleSimpleSelector& FirstSimple(CStyleRule& rule)
{
    if (rule.Selectors().empty())
        rule.Selectors().emplace_back();
    if (rule.Selectors()[0].parts.empty())
        rule.Selectors()[0].parts.emplace_back();
    return rule.Selectors()[0].parts[0];
}

} // namespace

CStyleSelectorDlg::CStyleSelectorDlg(CKelvoApp* app, const QString& documentPath)
    : m_app(app), m_documentPath(documentPath)
{
}

QStringList CStyleSelectorDlg::TagNames() const
{
    // The user's reference tables name the tags, in lower case when tags
    // are written so.
    return m_app ? m_app->TagTables().TagNames(m_app->TagLower()) : QStringList();
}

QStringList CStyleSelectorDlg::PseudoLabels(const QString& element)
{
    const bool link = element.trimmed().compare(u"A", Qt::CaseInsensitive) == 0;
    QStringList labels;
    for (int i = 0; i < (link ? int(std::size(kPseudos)) : kNonLinkPseudos); ++i)
        labels.append(QString::fromUtf16(kPseudos[i].label));
    return labels;
}

QString CStyleSelectorDlg::PseudoValue(const QString& text)
{
    for (const Pseudo& p : kPseudos)
        if (text == QStringView(p.label))
            return QString::fromUtf16(p.value);
    return text.trimmed();
}

QString CStyleSelectorDlg::PseudoLabel(const QString& value)
{
    for (const Pseudo& p : kPseudos)
        if (value == QStringView(p.value))
            return QString::fromUtf16(p.label);
    return value;
}

CStyleSimpleSelector CStyleSelectorDlg::FromForm(const FormModel& form) const
{
    CStyleSimpleSelector s;
    s.element = form.Find(QStringLiteral("element"))->text.trimmed();
    s.classOrId = form.Find(QStringLiteral("class"))->text.trimmed();
    s.isId = form.Find(QStringLiteral("id"))->checked;
    s.pseudo = PseudoValue(form.Find(QStringLiteral("pseudo"))->text);
    return s;
}

void CStyleSelectorDlg::Store(const FormModel& form)
{
    if (simpleOnly)
        simple = FromForm(form);
    else
        FirstSimple(rule) = FromForm(form);
}

void CStyleSelectorDlg::Load(FormModel& form) const
{
    CStyleSimpleSelector s = simple;
    if (!simpleOnly) {
        CStyleRule copy = rule;
        s = FirstSimple(copy);
    }
    form[QStringLiteral("element")].text = s.element;
    form[QStringLiteral("class")].text = s.classOrId;
    form[QStringLiteral("id")].checked = s.isId;
    form[QStringLiteral("pseudo")].choices = PseudoLabels(s.element);
    form[QStringLiteral("pseudo")].text = PseudoLabel(s.pseudo);
}

bool CStyleSelectorDlg::DoModal(Ui& ui)
{
    FormModel form;
    form.title = QStringLiteral("スタイル対象の設定");
    FormField& element =
        form.AddCombo(QStringLiteral("タグ名(&T):"), TagNames(), QString(), QStringLiteral("element"));
    element.action = [](FormModel& m) {
        m[QStringLiteral("pseudo")].choices = PseudoLabels(m[QStringLiteral("element")].text);
    };
    form.AddText(QStringLiteral("クラス名(&C):"), QString(), QStringLiteral("class"));
    form.AddFlag(QStringLiteral("ID指定(&I)"), false, QStringLiteral("id"));
    form.AddCombo(QStringLiteral("擬似クラス(&P):"), {}, QString(), QStringLiteral("pseudo"));
    bool handedOn = false;
    FormField& style =
        form.Add(FieldKind::Button, QStringLiteral("スタイルの設定(&S)..."), QStringLiteral("style"));
    style.action = [this, &ui](FormModel& m) {
        if (simpleOnly)
            return;
        Store(m);
        CStyleDlg dlg(m_app);
        dlg.rule = rule;
        dlg.documentPath = m_documentPath;
        if (dlg.DoModal(ui)) {
            rule = dlg.rule;
            Load(m);
        }
    };
    FormField& descendant =
        form.Add(FieldKind::Button, QStringLiteral("→子孫セレクタ"), QStringLiteral("descendant"));
    descendant.action = [this, &ui, &handedOn](FormModel& m) {
        if (simpleOnly)
            return;
        Store(m);
        CStyleSelectorListDlg dlg(m_app, m_documentPath, CStyleSelectorListDlg::Descendant);
        dlg.rule = rule;
        if (dlg.DoModal(ui)) {
            rule = dlg.rule;
            handedOn = m.acceptNow = true;
        }
    };
    FormField& multiple =
        form.Add(FieldKind::Button, QStringLiteral("→複数セレクタ"), QStringLiteral("multiple"));
    multiple.action = [this, &ui, &handedOn](FormModel& m) {
        if (simpleOnly)
            return;
        Store(m);
        CStyleSelectorListDlg dlg(m_app, m_documentPath, CStyleSelectorListDlg::Multiple);
        dlg.rule = rule;
        if (dlg.DoModal(ui)) {
            rule = dlg.rule;
            handedOn = m.acceptNow = true;
        }
    };
    style.enabled = descendant.enabled = multiple.enabled = !simpleOnly;
    Load(form);
    if (ui.RunForm(form) != Ui::Answer::Ok)
        return false;
    // A dialog that took the rule on has stored it already.
    if (!handedOn)
        Store(form);
    return true;
}
