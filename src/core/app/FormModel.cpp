#include "core/app/FormModel.h"

#include <QRegularExpression>

#include <map>

QString FormField::SelectedChoice() const
{
    return index >= 0 && index < choices.size() ? choices[index] : QString();
}

QString FormField::Key() const
{
    QString k = label;
    static const QRegularExpression mnemonic(QStringLiteral("[\\(（]&.[\\)）]"));
    k.remove(mnemonic);
    k.replace(QStringLiteral("&&"), QStringLiteral("\x01"));
    k.remove(u'&');
    k.replace(u'\x01', u'&');
    k = k.trimmed();
    while (k.endsWith(u':') || k.endsWith(u'：') || k.endsWith(u'.'))
        k.chop(1);
    return k.trimmed();
}

bool FormField::NumberValue(int& value) const
{
    bool ok = false;
    const qlonglong n = text.trimmed().toLongLong(&ok);
    if (!ok || n < minimum || n > maximum)
        return false;
    value = static_cast<int>(n);
    return true;
}

int FormField::NumberOr(int fallback) const
{
    int v = 0;
    return NumberValue(v) ? v : fallback;
}

FormField& FormModel::Add(FieldKind kind, const QString& label, const QString& name)
{
    FormField f;
    f.kind = kind;
    f.label = label;
    f.name = name;
    fields.push_back(std::move(f));
    return fields.back();
}

FormField& FormModel::AddText(const QString& label, const QString& text, const QString& name)
{
    FormField& f = Add(FieldKind::Text, label, name);
    f.text = text;
    return f;
}

FormField& FormModel::AddNumber(const QString& label, int value, int minimum, int maximum,
                                const QString& name)
{
    FormField& f = Add(FieldKind::Number, label, name);
    f.text = QString::number(value);
    f.minimum = minimum;
    f.maximum = maximum;
    return f;
}

FormField& FormModel::AddFlag(const QString& label, bool checked, const QString& name)
{
    FormField& f = Add(FieldKind::Flag, label, name);
    f.checked = checked;
    return f;
}

FormField& FormModel::AddChoice(const QString& label, const QStringList& choices, int index,
                                const QString& name)
{
    FormField& f = Add(FieldKind::Choice, label, name);
    f.choices = choices;
    f.index = index;
    if (index >= 0 && index < choices.size())
        f.text = choices[index];
    return f;
}

FormField& FormModel::AddCombo(const QString& label, const QStringList& choices,
                               const QString& text, const QString& name)
{
    FormField& f = Add(FieldKind::Combo, label, name);
    f.choices = choices;
    f.text = text;
    return f;
}

FormField* FormModel::Find(const QString& keyOrName)
{
    for (FormField& f : fields)
        if (f.Key() == keyOrName)
            return &f;
    for (FormField& f : fields)
        if (!f.name.isEmpty() && f.name.compare(keyOrName, Qt::CaseInsensitive) == 0)
            return &f;
    return nullptr;
}

const FormField* FormModel::Find(const QString& keyOrName) const
{
    return const_cast<FormModel*>(this)->Find(keyOrName);
}

FormField& FormModel::operator[](const QString& keyOrName)
{
    FormField* f = Find(keyOrName);
    Q_ASSERT_X(f, "FormModel", qPrintable(keyOrName));
    return *f;
}

bool FormModel::SetFromText(const QString& keyOrName, const QString& value)
{
    FormField* f = Find(keyOrName);
    if (!f)
        return false;
    if (pageShown && !f->page.isEmpty()) {
        const QString page = f->page;
        pageShown(*this, page);
        f = Find(keyOrName);
        if (!f)
            return false;
    }
    if (f->browse && value == u"...") {
        auto browse = f->browse;
        browse(*this);
        return true;
    }
    switch (f->kind) {
    case FieldKind::Flag:
        f->checked = value.trimmed() != u"0" && !value.trimmed().isEmpty();
        break;
    case FieldKind::Choice:
    case FieldKind::List: {
        int i = f->choices.indexOf(value);
        // A row of a list of columns is named by its first cell.
        for (qsizetype r = 0; i < 0 && !f->columns.isEmpty() && r < f->choices.size(); ++r)
            if (f->choices[r].section(u'\t', 0, 0) == value)
                i = static_cast<int>(r);
        if (i < 0) {
            bool ok = false;
            i = value.toInt(&ok);
            if (!ok || i < -1 || i >= f->choices.size())
                return false;
        }
        f->index = i;
        f->text = i >= 0 ? f->choices[i] : QString();
        break;
    }
    case FieldKind::Button:
        if (f->action)
            f->action(*this);
        return true;
    case FieldKind::Label:
        return false;
    default:
        f->text = value;
        break;
    }
    if (f->action) {
        // Find again: the action may rebuild the field list.
        auto action = f->action;
        action(*this);
    }
    return true;
}

QString FormModel::Validate() const
{
    for (const FormField& f : fields) {
        if (f.kind != FieldKind::Number || !f.visible || !f.enabled)
            continue;
        int v = 0;
        if (!f.NumberValue(v))
            return f.rangeMessage.isEmpty() ? QString::fromUtf16(kInvalidNumberMessage)
                                            : f.rangeMessage;
    }
    return validate ? validate(*this) : QString();
}

QStringList FormModel::Rows() const
{
    QStringList rows;
    std::map<int, QStringList> grid;
    for (const FormField& f : fields) {
        if (f.kind == FieldKind::List) {
            rows += f.choices;
        } else if (f.kind == FieldKind::Label && f.gridRow >= 0 && f.gridColumn >= 0) {
            QStringList& cells = grid[f.gridRow];
            while (cells.size() <= f.gridColumn)
                cells.append(QString());
            cells[f.gridColumn] = f.text;
        }
    }
    for (const auto& [row, cells] : grid)
        rows.append(cells.join(u'\t'));
    return rows;
}

QStringList FormModel::Pages() const
{
    QStringList pages;
    for (const FormField& f : fields)
        if (!pages.contains(f.page))
            pages.append(f.page);
    return pages;
}
