#include "core/tags/CTagAttrDlg.h"

#include "core/app/UiText.h"

#include "core/app/Ui.h"
#include "core/tags/CTagTables.h"

#include <algorithm>
#include <utility>

namespace {

const QString kListName = QStringLiteral("属性");
const QString kNameLabel = QStringLiteral("名前(&E):");
const QString kValueLabel = QStringLiteral("内容(&V):");
// The fields by their keys.
const QString kNameField = QStringLiteral("名前");
const QString kValueField = QStringLiteral("内容");

// The sixteen colour names every browser knows.
const QStringList& ColorNames()
{
    static const QStringList names{
        QStringLiteral("black"),  QStringLiteral("silver"), QStringLiteral("gray"),
        QStringLiteral("white"),  QStringLiteral("maroon"), QStringLiteral("red"),
        QStringLiteral("purple"), QStringLiteral("fuchsia"), QStringLiteral("green"),
        QStringLiteral("lime"),   QStringLiteral("olive"),  QStringLiteral("yellow"),
        QStringLiteral("navy"),   QStringLiteral("blue"),   QStringLiteral("teal"),
        QStringLiteral("aqua")};
    return names;
}

// An attribute name ends at a blank, "=", "/" or ">", and quotes or "<" in
// it would break the start tag around it.
bool IsValidAttrName(const QString& name)
{
    for (const QChar c : name)
        if (c.isSpace() || QStringView(u"\"'=<>/").contains(c))
            return false;
    return true;
}

} // namespace

CTagAttrDlg::CTagAttrDlg(const CTagObj& tag, const CTagTables* tables, const QStringList& classes)
    : m_tag(tag), m_tables(tables), m_classes(classes)
{
    m_sel = m_tag.Attrs().empty() ? -1 : 0;
}

QString CTagAttrDlg::RowText(const CTagAttr& attr)
{
    return attr.name + u'\t' + attr.value;
}

void CTagAttrDlg::Select(int row)
{
    const int count = static_cast<int>(m_tag.Attrs().size());
    m_sel = row >= 0 && row < count ? row : -1;
}

bool CTagAttrDlg::DoModal(Ui& ui)
{
    FormModel form;
    BuildForm(form);
    Show(form);
    m_ui = &ui;
    const Ui::Answer answer = ui.RunForm(form);
    m_ui = nullptr;
    return answer == Ui::Answer::Ok;
}

void CTagAttrDlg::BuildForm(FormModel& form)
{
    form.title = QStringLiteral("タグ属性");
    FormField& name = form.Add(FieldKind::Label, QStringLiteral("タグ:"));
    name.text = m_tag.Name();

    FormField& list = form.Add(FieldKind::List, QString(), kListName);
    list.columns = {QStringLiteral("要素名"), QStringLiteral("内容")};
    // The form's list selection is the one the buttons act on.
    list.action = [this](FormModel& f) {
        Select(f[kListName].index);
        Show(f);
    };
    list.activate = [this](FormModel& f) {
        if (m_ui && Edit(*m_ui))
            Show(f);
        return false;
    };

    auto button = [this, &form](const QString& caption, auto run) {
        FormField& b = form.Add(FieldKind::Button, caption);
        b.action = [this, run](FormModel& f) {
            Select(f[kListName].index);
            run(*this);
            Show(f);
        };
    };
    button(QStringLiteral("追加(&A)..."), [](CTagAttrDlg& d) { if (d.m_ui) d.Add(*d.m_ui); });
    button(QStringLiteral("編集(&E)..."), [](CTagAttrDlg& d) { if (d.m_ui) d.Edit(*d.m_ui); });
    button(QStringLiteral("削除(&D)..."), [](CTagAttrDlg& d) { if (d.m_ui) d.Delete(*d.m_ui); });
    button(QStringLiteral("上へ(&U)"), [](CTagAttrDlg& d) { d.MoveUp(); });
    button(QStringLiteral("下へ(&W)"), [](CTagAttrDlg& d) { d.MoveDown(); });
}

void CTagAttrDlg::Show(FormModel& form) const
{
    FormField& list = form[kListName];
    list.choices.clear();
    for (const CTagAttr& a : m_tag.Attrs())
        list.choices.append(RowText(a));
    list.index = m_sel;
    list.text = list.SelectedChoice();
    const int last = static_cast<int>(m_tag.Attrs().size()) - 1;
    form[QStringLiteral("編集")].enabled = m_sel >= 0;
    form[QStringLiteral("削除")].enabled = m_sel >= 0;
    form[QStringLiteral("上へ")].enabled = m_sel > 0;
    form[QStringLiteral("下へ")].enabled = m_sel >= 0 && m_sel < last;
}

void CTagAttrDlg::Put(const CTagAttr& attr, int row)
{
    auto& attrs = m_tag.Attrs();
    for (int i = 0; i < static_cast<int>(attrs.size()); ++i) {
        if (i != row && attrs[i].name.compare(attr.name, Qt::CaseInsensitive) == 0) {
            attrs[i].value = attr.value;
            if (row >= 0) {
                attrs.erase(attrs.begin() + row);
                if (row < i)
                    --i;
            }
            m_sel = i;
            return;
        }
    }
    if (row >= 0) {
        attrs[row] = attr;
        m_sel = row;
    } else {
        attrs.push_back(attr);
        m_sel = static_cast<int>(attrs.size()) - 1;
    }
}

bool CTagAttrDlg::Add(Ui& ui)
{
    CTagAttr attr;
    if (!EditAttr(ui, attr))
        return false;
    Put(attr, -1);
    return true;
}

bool CTagAttrDlg::Edit(Ui& ui)
{
    if (m_sel < 0)
        return false;
    CTagAttr attr = m_tag.Attrs()[m_sel];
    if (!EditAttr(ui, attr))
        return false;
    Put(attr, m_sel);
    return true;
}

bool CTagAttrDlg::Delete(Ui& ui)
{
    if (m_sel < 0)
        return false;
    auto& attrs = m_tag.Attrs();
    const QString question = UiText(QStringLiteral("%1を削除しますか？")).arg(attrs[m_sel].name);
    if (ui.Ask(question, Ui::Buttons::OkCancel) != Ui::Answer::Ok)
        return false;
    attrs.erase(attrs.begin() + m_sel);
    m_sel = std::min(m_sel, static_cast<int>(attrs.size()) - 1);
    return true;
}

bool CTagAttrDlg::MoveUp()
{
    if (m_sel <= 0)
        return false;
    auto& attrs = m_tag.Attrs();
    std::swap(attrs[m_sel - 1], attrs[m_sel]);
    --m_sel;
    return true;
}

bool CTagAttrDlg::MoveDown()
{
    auto& attrs = m_tag.Attrs();
    if (m_sel < 0 || m_sel + 1 >= static_cast<int>(attrs.size()))
        return false;
    std::swap(attrs[m_sel], attrs[m_sel + 1]);
    ++m_sel;
    return true;
}

QStringList CTagAttrDlg::ValueChoices(const QString& attrName) const
{
    const CAttrDef* def = m_tables ? m_tables->FindAttr(attrName.trimmed(), m_tag.Name()) : nullptr;
    if (!def)
        return {};
    switch (def->kind) {
    case AttrKind::Choice: {
        QStringList words = def->choices;
        words.removeAll(QString());
        return words;
    }
    case AttrKind::Color:
        return ColorNames();
    case AttrKind::Class:
        return m_classes;
    default:
        return {};
    }
}

bool CTagAttrDlg::EditAttr(Ui& ui, CTagAttr& attr) const
{
    FormModel form;
    form.title = QStringLiteral("属性");
    const QStringList names = m_tables ? m_tables->AttrNamesOf(m_tag.Name()) : QStringList();
    FormField& name = form.AddCombo(kNameLabel, names, attr.name);
    form.AddCombo(kValueLabel, ValueChoices(attr.name), attr.value);
    // The value's words follow the name as it is typed or chosen.
    name.action = [this](FormModel& f) {
        f[kValueField].choices = ValueChoices(f[kNameField].text);
    };
    form.validate = [](const FormModel& f) {
        const QString n = f.Find(kNameField)->text.trimmed();
        if (n.isEmpty())
            return QStringLiteral("名前を入力してください");
        if (!IsValidAttrName(n))
            return QStringLiteral("名前に空白と \" ' = < > / は使えません");
        return QString();
    };
    if (ui.RunForm(form) != Ui::Answer::Ok)
        return false;
    attr.name = form[kNameField].text.trimmed();
    // The start tag chooses the quotes, so the value is kept as typed.
    attr.value = form[kValueField].text;
    return true;
}
