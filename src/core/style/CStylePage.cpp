#include "core/style/CStylePage.h"

#include "core/app/UiText.h"

#include "core/app/Ui.h"
#include "core/app/CKelvoApp.h"
#include "core/links/LinkCommands.h"
#include "core/links/RelativePath.h"
#include "core/style/CStyleUnits.h"
#include "platform/FileAccess.h"


FormField& CStylePage::Add(FormModel& form, FieldKind kind, const QString& label,
                           const QString& name)
{
    FormField& f = form.Add(kind, label, name);
    f.page = m_caption;
    return f;
}

FormField& CStylePage::AddChoice(FormModel& form, const QString& label, const QString& name,
                                 const QStringList& items, int index)
{
    FormField& f = Add(form, FieldKind::Choice, label, name);
    f.choices = items;
    if (m_others.contains(name))
        f.choices.append(m_others.value(name));
    f.index = index >= 0 && index < f.choices.size() ? index : 0;
    f.text = f.choices.value(f.index);
    return f;
}

void CStylePage::AddNumber(FormModel& form, int row, const QString& label, const QString& name,
                           const QString& number, int unit, FieldKind kind,
                           const QStringList& suggestions)
{
    // The caption is a label of its own: in a grid cell a field's label is
    // only a hint. The caption has no label text, so scripts address the
    // number by its label and never reach the caption.
    FormField& caption = Add(form, FieldKind::Label, QString(), QString());
    FormField named;
    named.label = UiText(label);  // the caption shows the label as it is shown
    caption.text = named.Key() + u':';
    caption.gridRow = row;
    caption.gridColumn = 0;
    FormField& f = Add(form, kind, label, name);
    f.text = number;
    f.choices = suggestions;
    f.gridRow = row;
    f.gridColumn = 1;
    FormField& u = Add(form, FieldKind::Choice, QString(), name + QStringLiteral("-unit"));
    u.choices = CStyleUnits::Labels();
    u.index = unit;
    u.text = u.choices.value(unit);
    u.gridRow = row;
    u.gridColumn = 2;
}

void CStylePage::AddCaption(FormModel& form, const QString& text, int gridRow)
{
    FormField& f = Add(form, FieldKind::Label, QString(), QString());
    f.text = text;
    if (gridRow >= 0) {
        f.gridRow = gridRow;
        f.gridColumn = 0;
    }
}

FormField& CStylePage::AddImage(FormModel& form, const QString& label, const QString& name,
                                const QString& path, const StylePageContext& context)
{
    FormField& f = Add(form, FieldKind::File, label, name);
    f.text = path;
    Ui* ui = context.ui;
    const QString documentPath = context.documentPath;
    const QString siteRoot = context.app ? SiteRootFor(context.app->Settings(), documentPath) : QString();
    f.browse = [ui, documentPath, siteRoot, name](FormModel& m) {
        if (!ui)
            return;
        if (auto chosen = ChooseStyleImage(*ui, m[name].text, documentPath, siteRoot))
            m[name].text = *chosen;
    };
    return f;
}

void CStylePage::RememberShown(const FormModel& form, qsizetype first)
{
    m_fieldNames.clear();
    for (qsizetype i = first; i < qsizetype(form.fields.size()); ++i) {
        const FormField& f = form.fields[i];
        // A list only fills another field (the font sizes): choosing in it
        // is no change of its own.
        if (!f.name.isEmpty() && f.kind != FieldKind::Label && f.kind != FieldKind::Button
            && f.kind != FieldKind::List)
            m_fieldNames.append(f.name);
    }
    m_shown = FieldValues(form);
}

bool CStylePage::Changed(const FormModel& form) const
{
    return FieldValues(form) != m_shown;
}

QStringList CStylePage::ChangedFields(const FormModel& form) const
{
    const QStringList now = FieldValues(form);
    QStringList changed;
    for (qsizetype i = 0; i < now.size() && i < m_shown.size(); ++i) {
        if (now[i] == m_shown[i])
            continue;
        QString name = i < m_fieldNames.size()
                           ? m_fieldNames[i]
                           : QStringLiteral("extra%1").arg(i - m_fieldNames.size());
        if (name.endsWith(u"-unit"))
            name.chop(5);
        if (!changed.contains(name))
            changed.append(name);
    }
    return changed;
}

int CStylePage::ReadKeywordList(const QString& field, const QString& value, const QStringList& list)
{
    if (value.isEmpty())
        return 0;
    const int i = StyleListIndex(list, value);
    if (i >= 0)
        return i;
    m_others.insert(field, value);
    return static_cast<int>(list.size());
}

QString CStylePage::KeywordListText(const QString& field, const QStringList& list, int index) const
{
    if (index <= 0)
        return QString();
    return index < list.size() ? list[index] : m_others.value(field);
}

int CStylePage::ReadValueList(const QString& field, const QString& value, const QStringList& values)
{
    if (value.isEmpty())
        return 0;
    const int i = StyleListIndex(values, value);
    if (i >= 0)
        return i + 1;
    m_others.insert(field, value);
    return static_cast<int>(values.size()) + 1;
}

QString CStylePage::ValueListText(const QString& field, const QStringList& values, int index) const
{
    if (index <= 0)
        return QString();
    return index <= values.size() ? values[index - 1] : m_others.value(field);
}

void WriteStylePart(CStyleDeclList& d,
                    const QString& longhand,
                    const QStringList& shorthands,
                    const std::function<bool(QStringView)>& isToken,
                    const QString& token,
                    const QString& longhandValue)
{
    const int at = d.Effective(QStringList{longhand} + shorthands);
    if (at >= 0 && StyleListIndex(shorthands, d.Items()[at].name) >= 0) {
        bool found = false;
        const QString value = EditStyleToken(d.Items()[at].value, isToken, token, &found, false);
        if (found) {
            if (value.trimmed().isEmpty())
                d.RemoveAt(at);
            else
                d.At(at).value = value;
            return;
        }
        // The shorthand resets the part; a longhand after it sets it alone.
        if (!longhandValue.isEmpty())
            d.Override(longhand, longhandValue, at);
        return;
    }
    d.SetEffective(longhand, longhandValue);
}

QStringList CStylePage::FieldValues(const FormModel& form) const
{
    QStringList values;
    for (const QString& name : m_fieldNames) {
        const FormField* f = form.Find(name);
        if (!f) {
            values.append(QString());
            continue;
        }
        switch (f->kind) {
        case FieldKind::Choice:
            values.append(QString::number(f->index));
            break;
        case FieldKind::Flag:
            values.append(f->checked ? QStringLiteral("1") : QStringLiteral("0"));
            break;
        default:
            values.append(f->text);
            break;
        }
    }
    return values;
}

QString CStylePage::Text(const FormModel& form, const QString& name)
{
    const FormField* f = form.Find(name);
    return f ? f->text : QString();
}

int CStylePage::Index(const FormModel& form, const QString& name)
{
    const FormField* f = form.Find(name);
    return f ? std::max(f->index, 0) : 0;
}

bool CStylePage::Checked(const FormModel& form, const QString& name)
{
    const FormField* f = form.Find(name);
    return f && f->checked;
}

int CStylePage::Unit(const FormModel& form, const QString& name)
{
    const FormField* f = form.Find(name + QStringLiteral("-unit"));
    return f ? f->index : -1;
}

QString StyleChoiceValue(const QStringList& values, int index)
{
    return index >= 1 && index <= values.size() ? values[index - 1] : QString();
}

int StyleChoiceIndex(const QStringList& values, const QString& value)
{
    return StyleListIndex(values, value) + 1;
}

std::optional<QString> ChooseStyleImage(Ui& ui, const QString&, const QString& documentPath,
                                        const QString& siteRoot)
{
    Ui::FileDialog d;
    d.title = QStringLiteral("画像ﾌｧｲﾙ名の入力");
    d.defaultExtension = QStringLiteral("gif");
    d.initialName = QStringLiteral("*.gif;*.jpg;*.png");
    d.filter = QStringLiteral(
        "画像ﾌｧｲﾙ(*.gif;*.jpg;*.png)|*.gif;*.jpg;*.png|GIFﾌｧｲﾙ(*.gif)|*.gif|"
        "JPEGﾌｧｲﾙ(*.jpg)|*.jpg|PNGﾌｧｲﾙ(*.png)|*.png|全てのﾌｧｲﾙ(*.*)|*.*||");
    d.hideReadOnly = true;
    d.fileMustExist = true;
    if (!documentPath.isEmpty())
        d.initialFolder = platform::FolderOfPath(platform::AbsolutePath(documentPath));
    const std::optional<QString> path = ui.ChooseFile(d);
    if (!path)
        return std::nullopt;
    return ReferenceForPickedFile(ui, documentPath, *path, siteRoot);
}
