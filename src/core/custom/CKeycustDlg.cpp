#include "core/custom/CKeycustDlg.h"

#include "core/app/UiText.h"

#include "core/app/CKelvoApp.h"
#include "core/custom/KeyCommandList.h"

namespace {

const QString kKeys = QStringLiteral("keys");
const QString kCtrl = QStringLiteral("ctrl");
const QString kShift = QStringLiteral("shift");
const QString kAlt = QStringLiteral("alt");
const QString kCommands = QStringLiteral("commands");

} // namespace

const QString CKeycustDlg::kNone = QStringLiteral("（なし）");

CKeycustDlg::CKeycustDlg(CKelvoApp& app) : m_app(app)
{
    m_form.title = QStringLiteral("キーカスタマイズ");
    m_form.okCaption = QStringLiteral("OK");
    m_form.cancelCaption = QStringLiteral("ｷｬﾝｾﾙ");
    m_form.Add(FieldKind::List, QStringLiteral("キー(&K):"), kKeys).action = [this](FormModel&) {
        OnKeySelected();
    };
    for (const auto& [label, name] : {std::pair{QStringLiteral("Ctrl(&C)"), kCtrl},
                                      std::pair{QStringLiteral("Shift(&H)"), kShift},
                                      std::pair{QStringLiteral("Alt(&A)"), kAlt}})
        m_form.AddFlag(label, false, name).action = [this](FormModel&) { OnModifierChanged(); };
    FormField& commands = m_form.Add(FieldKind::List, QStringLiteral("メニュー(&M):"), kCommands);
    commands.choices.append(kNone);
    for (const KeyCommand& c : KeyCommandList())
        commands.choices.append(c.label);
    commands.action = [this](FormModel&) { OnCommandSelected(); };
    FormField& save = m_form.Add(FieldKind::Button, QStringLiteral("保存(&S)"));
    save.action = [this](FormModel&) { OnSave(); };
    FormField& load = m_form.Add(FieldKind::Button, QStringLiteral("読込(&R)"));
    load.action = [this](FormModel&) { OnLoad(); };
    FillKeys();
    SelectCommandOfKey();
}

void CKeycustDlg::Run()
{
    if (m_app.GetUi().RunForm(m_form) != Ui::Answer::Ok)
        return;
    const QString file = m_app.KeyTable().FileName();
    if (CKeycustTable::HoldsOtherData(file)) {
        const QString text =
            UiText(QStringLiteral("%1 はキー定義ファイルではありません。\n上書きしますか？")).arg(file);
        if (m_app.GetUi().Ask(text, Ui::Buttons::OkCancel, Ui::Icon::Warning, Ui::Answer::Cancel)
            != Ui::Answer::Ok)
            return;
    }
    if (!m_app.KeyTable().Save())
        m_app.GetUi().Message(QStringLiteral("保存できません"));
}

void CKeycustDlg::FillKeys()
{
    const bool ctrl = m_form[kCtrl].checked;
    const bool shift = m_form[kShift].checked;
    const bool alt = m_form[kAlt].checked;
    // Without a modifier only the function keys can be given a command;
    // every other key types.
    const auto& names = CKeycustTable::KeyNames();
    const int count = ctrl || shift || alt ? static_cast<int>(names.size())
                                           : CKeycustTable::kUnmodifiedKeyCount;
    FormField& keys = m_form[kKeys];
    keys.choices.clear();
    for (int i = 0; i < count; ++i)
        keys.choices.append(CKeycustTable::DisplayName(CKeycustTable::Key{names[i].code, alt, shift, ctrl}));
    keys.index = 0;
    keys.text = keys.SelectedChoice();
}

std::optional<CKeycustTable::Key> CKeycustDlg::SelectedKey() const
{
    const FormField& keys = *m_form.Find(kKeys);
    const auto& names = CKeycustTable::KeyNames();
    if (keys.index < 0 || keys.index >= keys.choices.size())
        return std::nullopt;
    return CKeycustTable::Key{names[keys.index].code, m_form.Find(kAlt)->checked,
                              m_form.Find(kShift)->checked, m_form.Find(kCtrl)->checked};
}

void CKeycustDlg::SelectCommandOfKey()
{
    FormField& commands = m_form[kCommands];
    commands.index = 0;
    if (const std::optional<CKeycustTable::Key> key = SelectedKey()) {
        const int command = m_app.KeyTable().Lookup(*key);
        const auto& list = KeyCommandList();
        for (int i = 0; i < static_cast<int>(list.size()); ++i)
            if (list[i].id == command) {
                commands.index = i + 1;
                break;
            }
    }
    commands.text = commands.SelectedChoice();
}

void CKeycustDlg::OnModifierChanged()
{
    FillKeys();
    SelectCommandOfKey();
}

void CKeycustDlg::OnKeySelected()
{
    SelectCommandOfKey();
}

void CKeycustDlg::OnCommandSelected()
{
    const std::optional<CKeycustTable::Key> key = SelectedKey();
    const int index = m_form[kCommands].index;
    if (!key || index < 0)
        return;
    const int command = index == 0 ? 0 : KeyCommandList()[index - 1].id;
    CKeycustTable& table = m_app.KeyTable();
    MenuKeyNames& menus = m_app.MenuKeys();
    const int old = table.Assign(*key, command);
    if (old != 0) {
        // The old command's caption names another of its keys, or none.
        if (const CKeycust* other = table.FirstWithCommand(old))
            menus.Set(old, CKeycustTable::DisplayName(*other));
        else
            menus.Cut(old);
    }
    if (command != 0)
        menus.Set(command, m_form[kKeys].SelectedChoice());
}

Ui::FileDialog CKeycustDlg::KeyFileDialog(bool save)
{
    Ui::FileDialog d;
    d.save = save;
    d.title = QStringLiteral("ｷｰ定義ﾌｧｲﾙ名の入力");
    d.filter = QStringLiteral("KEYﾌｧｲﾙ(*.KEY) |*.KEY| 全てのﾌｧｲﾙ(*.*) |*.*||");
    d.defaultExtension = QStringLiteral("KEY");
    d.initialName = QStringLiteral("*.KEY");
    d.overwritePrompt = save;
    d.hideReadOnly = !save;
    return d;
}

void CKeycustDlg::OnSave()
{
    const std::optional<QString> path = m_app.GetUi().ChooseFile(KeyFileDialog(true));
    if (path && !m_app.KeyTable().Save(*path))
        m_app.GetUi().Message(QStringLiteral("保存できません"));
}

void CKeycustDlg::OnLoad()
{
    const std::optional<QString> path = m_app.GetUi().ChooseFile(KeyFileDialog(false));
    if (!path)
        return;
    if (!m_app.LoadKeyFile(*path))
        m_app.GetUi().Message(QStringLiteral("読み込めません"));
    SelectCommandOfKey();
}
