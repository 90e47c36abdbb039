#include "core/edit/CFontNameDlg.h"

#include "core/app/CKelvoApp.h"
#include "core/app/FormModel.h"
#include "core/app/Ui.h"

namespace {

const QString kSection = QStringLiteral("FontFace");
const QString kInitKey = QStringLiteral("Init");
const QString kDefaultName = QStringLiteral("ＭＳ ゴシック");

// Field names; the list and the result field show no label.
const QString kList = QStringLiteral("Names");
const QString kResult = QStringLiteral("Result");

QString SelectedName(const FormModel& form)
{
    const FormField* list = form.Find(kList);
    return list ? list->SelectedChoice() : QString();
}

// Puts the selected name into the result field, after what it holds when
// adding, and remembers it as the next start.
void TakeSelectedName(CKelvoApp& app, FormModel& form, bool add)
{
    const QString name = SelectedName(form);
    FormField* result = form.Find(kResult);
    if (name.isEmpty() || !result)
        return;
    result->text = add && !result->text.isEmpty() ? result->text + u',' + name : name;
    app.WriteProfileString(kSection, kInitKey, name);
}

} // namespace

CFontNameDlg::CFontNameDlg(CKelvoApp& app) : m_app(app) {}

const QStringList& CFontNameDlg::FontNames()
{
    static const QStringList names = {
        QStringLiteral("Arial"),           QStringLiteral("Arial Black"),
        QStringLiteral("Impact"),          QStringLiteral("Trebuchet MS"),
        QStringLiteral("Georgia"),         QStringLiteral("Times New Roman"),
        QStringLiteral("Verdana"),         QStringLiteral("Cosmin Sans MS"),
        QStringLiteral("Andale Mono"),     QStringLiteral("Courier New"),
        QStringLiteral("Symbol"),          QStringLiteral("Webdings"),
        QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("ＭＳ Ｐ明朝"),
        QStringLiteral("ＭＳ ゴシック"),   QStringLiteral("ＭＳ 明朝"),
    };
    return names;
}

FormModel CFontNameDlg::Form(const QString& initialResult) const
{
    FormModel form;
    form.title = QStringLiteral("フォント名");
    FormField& list = form.Add(FieldKind::List, QString(), kList);
    list.choices = FontNames();
    list.index = static_cast<int>(
        list.choices.indexOf(m_app.GetProfileString(kSection, kInitKey, kDefaultName)));
    if (list.index >= 0)
        list.text = list.choices[list.index];
    form.AddText(QString(), initialResult, kResult);

    CKelvoApp& app = m_app;
    form.Add(FieldKind::Button, QStringLiteral("追加(&A)")).action = [&app](FormModel& f) {
        TakeSelectedName(app, f, true);
    };
    auto choose = [&app](FormModel& f) { TakeSelectedName(app, f, false); };
    form.Add(FieldKind::Button, QStringLiteral("選択(&S)")).action = choose;
    // A double-click on a name chooses it, as the button does.
    form.Find(kList)->activate = [choose](FormModel& f) {
        choose(f);
        return false;
    };
    return form;
}

QString CFontNameDlg::Result(const FormModel& form)
{
    const FormField* result = form.Find(kResult);
    const QString text = result ? result->text : QString();
    return text.isEmpty() ? SelectedName(form) : text;
}

std::optional<QString> CFontNameDlg::Run(const QString& initialResult)
{
    FormModel form = Form(initialResult);
    if (m_app.GetUi().RunForm(form) != Ui::Answer::Ok)
        return std::nullopt;
    return Result(form);
}
