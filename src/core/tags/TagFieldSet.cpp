#include "core/tags/TagFieldSet.h"

#include "core/app/Ui.h"
#include "core/links/RelativePath.h"
#include "core/tags/CTagObj.h"

#include <QRegularExpression>

#include <utility>

namespace {

// The number as a field shows it, or the raw text when it is no integer.
void LoadNumberText(TagFieldSet::Field& f, FormField& field, const QString& value)
{
    const QString v = value.trimmed();
    if (v.isEmpty() || !TagFieldSet::IsInteger(v)) {
        field.text = value;
        f.loadedRaw = !v.isEmpty();
    } else {
        field.text = QString::number(TagFieldSet::LeadingInt(v));
    }
    f.loaded = field.text;
}

bool KeptRaw(const TagFieldSet::Field& f, const FormField& field)
{
    return f.loadedRaw && field.text == f.loaded;
}

std::vector<std::tuple<QString, bool, int>> States(const FormModel& form, int first, int end)
{
    std::vector<std::tuple<QString, bool, int>> states;
    for (int i = first; i < end; ++i)
        states.emplace_back(form.fields[i].text, form.fields[i].checked, form.fields[i].index);
    return states;
}

bool LeftAsLoaded(const TagFieldSet::Field& f, const FormModel& form)
{
    if (f.kind == TagFieldSet::Kind::Custom)
        return !f.loadedStates.empty()
               && States(form, f.firstIndex, f.endIndex) == f.loadedStates;
    const FormField& field = form.fields[f.index];
    if (field.text != f.loaded || field.checked != f.loadedChecked || field.index != f.loadedIndex)
        return false;
    return f.checkIndex < 0 || form.fields[f.checkIndex].checked == f.loadedCheck;
}

} // namespace

TagFieldSet::Field& TagFieldSet::Add(Kind kind, const QString& label, const QString& attr)
{
    Field f;
    f.kind = kind;
    f.label = label;
    f.attr = attr;
    m_fields.push_back(std::move(f));
    return m_fields.back();
}

TagFieldSet::Field& TagFieldSet::Text(const QString& label, const QString& attr)
{
    return Add(Kind::Text, label, attr);
}

TagFieldSet::Field& TagFieldSet::Number(const QString& label, const QString& attr, int minWritten)
{
    Field& f = Add(Kind::Number, label, attr);
    f.minWritten = minWritten;
    return f;
}

TagFieldSet::Field& TagFieldSet::Flag(const QString& label, const QString& attr,
                                      const QString& flagValue)
{
    Field& f = Add(Kind::Flag, label, attr);
    f.flagValue = flagValue;
    return f;
}

TagFieldSet::Field& TagFieldSet::Choice(const QString& label, const QString& attr,
                                        const QStringList& shown, const QStringList& values)
{
    Field& f = Add(Kind::Choice, label, attr);
    f.shown = shown;
    f.values = QStringList{QString()} + (values.isEmpty() ? shown.mid(1) : values);
    return f;
}

TagFieldSet::Field& TagFieldSet::Color(const QString& label, const QString& attr)
{
    return Add(Kind::Color, label, attr);
}

TagFieldSet::Field& TagFieldSet::File(const QString& label, const QString& attr,
                                      const FileSpec& spec)
{
    Field& f = Add(Kind::File, label, attr);
    f.file = spec;
    return f;
}

TagFieldSet::Field& TagFieldSet::Target(const QString& label, const QString& attr)
{
    return Add(Kind::Target, label, attr);
}

TagFieldSet::Field& TagFieldSet::Percent(const QString& label, const QString& attr,
                                         const QString& percentLabel)
{
    Field& f = Add(Kind::Percent, label, attr);
    f.secondLabel = percentLabel;
    return f;
}

TagFieldSet::Field& TagFieldSet::CheckedNumber(const QString& checkLabel, const QString& label,
                                               const QString& attr)
{
    Field& f = Add(Kind::CheckedNumber, label, attr);
    f.secondLabel = checkLabel;
    f.keepZero = true;
    return f;
}

TagFieldSet::Field& TagFieldSet::Custom(std::function<void(FormModel&)> build,
                                        std::function<void(FormModel&, const CTagObj&)> load,
                                        std::function<void(const FormModel&, CTagObj&)> store)
{
    Field& f = Add(Kind::Custom, QString(), QString());
    f.build = std::move(build);
    f.load = std::move(load);
    f.store = std::move(store);
    return f;
}

void TagFieldSet::Build(FormModel& form, Ui& ui, const QString& documentPath,
                        const QString& siteRoot)
{
    auto add = [&form](FieldKind kind, const QString& label, const QString& name) {
        form.Add(kind, label, name);
        return static_cast<int>(form.fields.size()) - 1;
    };
    for (Field& f : m_fields) {
        switch (f.kind) {
        case Kind::Text:
        case Kind::Number:
            f.index = add(FieldKind::Text, f.label, f.attr);
            break;
        case Kind::Flag:
            f.index = add(FieldKind::Flag, f.label, f.attr);
            break;
        case Kind::Choice:
            f.index = add(FieldKind::Choice, f.label, f.attr);
            form.fields[f.index].choices = f.shown;
            break;
        case Kind::Color: {
            const int index = add(FieldKind::Color, f.label, f.attr);
            f.index = index;
            form.fields[index].browse = [&ui, index](FormModel& shown) {
                FormField& field = shown.fields[index];
                if (const std::optional<QString> chosen = ui.ChooseColor(ColorHex(field.text)))
                    field.text = *chosen;
            };
            break;
        }
        case Kind::File: {
            const int index = add(FieldKind::File, f.label, f.attr);
            f.index = index;
            form.fields[index].fileFilter = f.file.filter;
            const FileSpec spec = f.file;
            const auto after = f.afterBrowse;
            form.fields[index].browse = [&ui, index, spec, after, documentPath,
                                          siteRoot](FormModel& shown) {
                Ui::FileDialog d;
                d.title = spec.title;
                d.defaultExtension = spec.defaultExtension;
                d.initialName = spec.pattern;
                d.filter = spec.filter;
                d.fileMustExist = true;
                d.hideReadOnly = true;
                if (!documentPath.isEmpty())
                    d.initialFolder = documentPath.left(documentPath.lastIndexOf(u'/') + 1);
                const std::optional<QString> picked = ui.ChooseFile(d);
                if (!picked)
                    return;
                shown.fields[index].text =
                    ReferenceForPickedFile(ui, documentPath, *picked, siteRoot);
                if (after)
                    after(shown, *picked);
            };
            break;
        }
        case Kind::Target:
            f.index = add(FieldKind::Target, f.label, f.attr);
            form.fields[f.index].choices = TargetEntries();
            break;
        case Kind::Percent:
            f.index = add(FieldKind::Text, f.label, f.attr);
            f.checkIndex = add(FieldKind::Flag, f.secondLabel, QString());
            break;
        case Kind::CheckedNumber: {
            const int check = add(FieldKind::Flag, f.secondLabel, QString());
            const int number = add(FieldKind::Text, f.label, f.attr);
            f.checkIndex = check;
            f.index = number;
            form.fields[check].action = [check, number](FormModel& shown) {
                shown.fields[number].enabled = shown.fields[check].checked;
            };
            break;
        }
        case Kind::Custom:
            f.firstIndex = static_cast<int>(form.fields.size());
            if (f.build)
                f.build(form);
            f.endIndex = static_cast<int>(form.fields.size());
            break;
        }
    }
}

void TagFieldSet::Load(FormModel& form, const CTagObj& tag)
{
    for (Field& f : m_fields) {
        f.loadedRaw = false;
        if (f.kind == Kind::Custom) {
            if (f.load)
                f.load(form, tag);
            // A new tag's custom fields write their defaults ("JavaScript"
            // for a new script) even when left alone.
            f.loadedStates.clear();
            if (tag.IsParsed())
                f.loadedStates = States(form, f.firstIndex, f.endIndex);
            continue;
        }
        FormField& field = form.fields[f.index];
        const QString value = tag.GetAttr(f.attr);
        switch (f.kind) {
        case Kind::Text:
        case Kind::File:
            field.text = value;
            break;
        case Kind::Number:
            LoadNumberText(f, field, value);
            break;
        case Kind::Flag:
            field.checked = tag.HasAttr(f.attr);
            break;
        case Kind::Choice: {
            field.choices = f.shown;
            field.index = tag.GetChoiceAttr(f.attr, f.values);
            if (field.index == 0 && !value.isEmpty()) {
                field.choices.append(value);
                field.index = static_cast<int>(field.choices.size()) - 1;
                f.loadedRaw = true;
            }
            field.text = field.choices.value(field.index);
            break;
        }
        case Kind::Color: {
            static const QRegularExpression hex(QStringLiteral("^#?[0-9A-Fa-f]{6}$"));
            const QString v = value.trimmed();
            if (hex.match(v).hasMatch()) {
                field.text = ColorHex(v);
            } else {
                field.text = value;
                f.loadedRaw = !v.isEmpty();
            }
            break;
        }
        case Kind::Target:
            field.text = TargetShown(value);
            break;
        case Kind::Percent: {
            FormField& check = form.fields[f.checkIndex];
            const QString v = value.trimmed();
            const bool percent = v.endsWith(u'%');
            const QString number = percent ? v.chopped(1) : v;
            if (!v.isEmpty() && IsInteger(number)) {
                field.text = QString::number(LeadingInt(number));
                check.checked = percent;
            } else {
                field.text = value;
                check.checked = false;
                f.loadedRaw = !v.isEmpty();
            }
            break;
        }
        case Kind::CheckedNumber: {
            FormField& check = form.fields[f.checkIndex];
            check.checked = tag.HasAttr(f.attr);
            LoadNumberText(f, field, value);
            field.enabled = check.checked;
            break;
        }
        case Kind::Custom:
            break;
        }
        f.loaded = field.text;
        f.loadedIndex = field.index;
        f.loadedChecked = field.checked;
        f.loadedCheck = f.checkIndex >= 0 && form.fields[f.checkIndex].checked;
    }
}

void TagFieldSet::LoadShown(FormModel& form, const QString& attr, const QString& text)
{
    for (Field& f : m_fields) {
        if (f.kind != Kind::Custom && f.attr.compare(attr, Qt::CaseInsensitive) == 0) {
            form.fields[f.index].text = text;
            f.loaded = text;
        }
    }
}

void TagFieldSet::Store(const FormModel& form, CTagObj& tag) const
{
    for (const Field& f : m_fields) {
        if (LeftAsLoaded(f, form))
            continue;
        if (f.kind == Kind::Custom) {
            if (f.store)
                f.store(form, tag);
            continue;
        }
        const FormField& field = form.fields[f.index];
        switch (f.kind) {
        case Kind::Text:
        case Kind::File:
            tag.SetAttr(f.attr, field.text);
            break;
        case Kind::Number: {
            if (KeptRaw(f, field))
                break;
            const int n = LeadingInt(field.text);
            if (f.minWritten > 1 && n < f.minWritten)
                tag.RemoveAttr(f.attr);
            else
                tag.SetIntAttr(f.attr, n, false);
            break;
        }
        case Kind::Flag:
            if (f.flagValue.isEmpty())
                tag.SetFlagAttr(f.attr, field.checked);
            else if (field.checked)
                tag.SetAttr(f.attr, f.flagValue);
            else
                tag.RemoveAttr(f.attr);
            break;
        case Kind::Choice:
            if (f.loadedRaw && field.index == field.choices.size() - 1)
                break;
            tag.SetAttr(f.attr, f.values.value(field.index));
            break;
        case Kind::Color: {
            if (KeptRaw(f, field))
                break;
            const QString hex = ColorHex(field.text);
            tag.SetAttr(f.attr, hex.isEmpty() ? field.text.trimmed() : u'#' + hex);
            break;
        }
        case Kind::Target:
            tag.SetAttr(f.attr, TargetValue(field.text));
            break;
        case Kind::Percent: {
            const bool percent = form.fields[f.checkIndex].checked;
            if (KeptRaw(f, field) && !percent)
                break;
            tag.SetIntAttr(f.attr, LeadingInt(field.text), false);
            tag.SetPercentAttr(f.attr, percent);
            break;
        }
        case Kind::CheckedNumber:
            if (!form.fields[f.checkIndex].checked)
                tag.RemoveAttr(f.attr);
            else if (!KeptRaw(f, field))
                tag.SetIntAttr(f.attr, LeadingInt(field.text), true);
            break;
        case Kind::Custom:
            break;
        }
    }
}

QString TagFieldSet::Validate(const FormModel& form) const
{
    for (const Field& f : m_fields) {
        if (f.index < 0 || f.kind == Kind::Custom)
            continue;
        const FormField& field = form.fields[f.index];
        if (KeptRaw(f, field) || !field.enabled)
            continue;
        const QString t = field.text.trimmed();
        if (t.isEmpty())
            continue;
        const bool number =
            f.kind == Kind::Number || f.kind == Kind::Percent || f.kind == Kind::CheckedNumber;
        if (number && !IsInteger(t))
            return QString::fromUtf16(kInvalidNumberMessage);
        if (f.kind == Kind::Color && ColorHex(t).isEmpty())
            return QString::fromUtf16(kColorMessage);
    }
    return QString();
}

const QStringList& TagFieldSet::TargetEntries()
{
    static const QStringList entries{QStringLiteral("新規ウィンドウ"), QStringLiteral("同じウィンドウ"),
                                     QStringLiteral("親の階層"), QStringLiteral("全領域")};
    return entries;
}

const QStringList& TagFieldSet::TargetKeywords()
{
    static const QStringList keywords{QStringLiteral("_blank"), QStringLiteral("_self"),
                                      QStringLiteral("_parent"), QStringLiteral("_top")};
    return keywords;
}

QString TagFieldSet::TargetShown(const QString& value)
{
    const qsizetype i = TargetKeywords().indexOf(value, 0);
    if (i >= 0)
        return TargetEntries().at(i);
    for (qsizetype k = 0; k < TargetKeywords().size(); ++k)
        if (TargetKeywords().at(k).compare(value, Qt::CaseInsensitive) == 0)
            return TargetEntries().at(k);
    return value;
}

QString TagFieldSet::TargetValue(const QString& shown)
{
    const qsizetype i = TargetEntries().indexOf(shown.trimmed());
    return i >= 0 ? TargetKeywords().at(i) : shown;
}

QString TagFieldSet::ColorHex(const QString& text)
{
    static const QRegularExpression hex(QStringLiteral("^#?([0-9A-Fa-f]{6})$"));
    const QString t = text.trimmed();
    const QRegularExpressionMatch m = hex.match(t);
    if (m.hasMatch())
        return m.captured(1).toUpper();
    static const std::pair<const char*, const char*> names[] = {
        {"black", "000000"},  {"silver", "C0C0C0"}, {"gray", "808080"},   {"white", "FFFFFF"},
        {"maroon", "800000"}, {"red", "FF0000"},    {"purple", "800080"}, {"fuchsia", "FF00FF"},
        {"green", "008000"},  {"lime", "00FF00"},   {"olive", "808000"},  {"yellow", "FFFF00"},
        {"navy", "000080"},   {"blue", "0000FF"},   {"teal", "008080"},   {"aqua", "00FFFF"}};
    for (const auto& [name, value] : names)
        if (t.compare(QLatin1String(name), Qt::CaseInsensitive) == 0)
            return QLatin1String(value);
    return QString();
}

int TagFieldSet::LeadingInt(const QString& text)
{
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n && text.at(i).isSpace())
        ++i;
    bool negative = false;
    if (i < n && (text.at(i) == u'+' || text.at(i) == u'-')) {
        negative = text.at(i) == u'-';
        ++i;
    }
    long long value = 0;
    for (; i < n && text.at(i) >= u'0' && text.at(i) <= u'9'; ++i) {
        value = value * 10 + (text.at(i).unicode() - u'0');
        // A number past the int range is no size anyone means; keep it
        // from wrapping into a negative value.
        if (value > INT_MAX)
            value = INT_MAX;
    }
    return static_cast<int>(negative ? -value : value);
}

bool TagFieldSet::IsInteger(const QString& text)
{
    static const QRegularExpression integer(QStringLiteral("^[+-]?[0-9]{1,9}$"));
    return integer.match(text.trimmed()).hasMatch();
}
