#include "core/ftp/CFtpSetForm.h"

#include "core/app/FormModel.h"
#include "core/app/Ui.h"
#include "core/ftp/FtpMessages.h"
#include "core/ftp/SftpSession.h"
#include "platform/SecretStore.h"
#include "platform/SettingsStore.h"

#include <QFileInfo>

#include <climits>

namespace {

// Field names.
const QString kSetName = QStringLiteral("SetName");
const QString kHost = QStringLiteral("Host");
const QString kProtocol = QStringLiteral("Protocol");
const QString kNameCode = QStringLiteral("NameCode");
const QString kUser = QStringLiteral("User");
const QString kPass = QStringLiteral("Pass");
const QString kFolder = QStringLiteral("Dir");
const QString kLocalFolder = QStringLiteral("LocalDir");
const QString kKeyFile = QStringLiteral("KeyFile");
const QString kPassNote = QStringLiteral("PassNote");
const QString kAscii = QStringLiteral("Text");
const QString kNew = QStringLiteral("NewSet");
const QString kDelete = QStringLiteral("DeleteSet");
const QString kRename = QStringLiteral("RenameSet");
const QString kPasv = QStringLiteral("ftppasv");
const QString kTimeout = QStringLiteral("ftptimeout");
const QString kSystem = QStringLiteral("System");

// The choices in the order of the enumerations.
const QStringList kProtocols = {QStringLiteral("FTP"), QStringLiteral("FTPS"), QStringLiteral("SFTP")};
const QStringList kNameCodes = {QStringLiteral("自動"), QStringLiteral("UTF-8"), QStringLiteral("Shift-JIS")};

QStringList Names(const CFtpSetList& list)
{
    QStringList names;
    for (int i = 0; i < list.Count(); ++i)
        names.append(list.At(i).name);
    return names;
}

} // namespace

CFtpSetForm::CFtpSetForm(Kind kind, Ui& ui, platform::SettingsStore& store)
    : m_ui(ui), m_store(store), m_kind(kind)
{
}

void CFtpSetForm::Open(const QString& documentPath)
{
    m_list.Load(m_store);
    if (m_kind == Kind::Connect)
        m_shown = m_list.ChooseForDocument(documentPath);
    else
        m_shown = m_list.Selected();
    if (m_shown < 0 || m_shown >= m_list.Count())
        m_shown = 0;
}

void CFtpSetForm::AddTo(FormModel& form, const QString& page)
{
    auto onPage = [&page](FormField& f) -> FormField& {
        f.page = page;
        return f;
    };
    FormField& sets = onPage(form.AddChoice(QStringLiteral("設定(&E):"), Names(m_list), m_shown, kSetName));
    sets.action = [this](FormModel& f) {
        const FormField* choice = f.Find(kSetName);
        if (!choice || choice->index < 0 || choice->index >= m_list.Count() || choice->index == m_shown)
            return;
        StoreFields(f);
        m_shown = choice->index;
        ShowSet(f);
    };
    onPage(form.AddText(QStringLiteral("サーバ(&H):"), QString(), kHost));
    onPage(form.AddChoice(QStringLiteral("プロトコル(&O):"), kProtocols, 0, kProtocol));
    onPage(form.AddText(QStringLiteral("ユーザ(&U):"), QString(), kUser));
    onPage(form.AddText(QStringLiteral("パスワード(&P):"), QString(), kPass)).secret = true;
    if (!platform::Secrets().Available()) {
        onPage(form.Add(FieldKind::Label, QString(), kPassNote)).text =
            QStringLiteral("パスワードは暗号化されずに設定ファイルに保存されます");
    }
    if (m_kind != Kind::Connect) {
        onPage(form.AddText(QStringLiteral("ディレクトリ(&D):"), QString(), kFolder));
        onPage(form.AddFlag(QStringLiteral("ASCIIモード(&A)"), true, kAscii));
    }
    if (m_kind == Kind::Page) {
        onPage(form.AddChoice(QStringLiteral("文字コード(&J):"), kNameCodes, 0, kNameCode));
        // The folder whose pages belong to the site: the connect dialog
        // picks the set by it, and root-relative links start there.
        FormField& local =
            onPage(form.Add(FieldKind::File, QStringLiteral("ローカルフォルダ(&L):"), kLocalFolder));
        local.browse = [this](FormModel& f) {
            FormField* folder = f.Find(kLocalFolder);
            if (!folder)
                return;
            if (const std::optional<QString> chosen = m_ui.ChooseFolder(folder->text))
                folder->text = *chosen;
        };
        // SFTP logs in with this key; empty tries the agent and ~/.ssh.
        FormField& key = onPage(form.Add(FieldKind::File, QStringLiteral("鍵ファイル(&K):"), kKeyFile));
        key.browse = [this](FormModel& f) {
            FormField* file = f.Find(kKeyFile);
            if (!file)
                return;
            Ui::FileDialog dialog;
            dialog.title = QStringLiteral("鍵ファイル");
            dialog.initialFolder = file->text.isEmpty() ? SftpSession::DefaultSshFolder()
                                                        : QFileInfo(file->text).path();
            dialog.fileMustExist = true;
            if (const std::optional<QString> chosen = m_ui.ChooseFile(dialog))
                file->text = *chosen;
        };
    }
    onPage(form.Add(FieldKind::Button, QStringLiteral("新規設定(&N)"), kNew)).action =
        [this](FormModel& f) { NewSet(f); };
    onPage(form.Add(FieldKind::Button, QStringLiteral("削除(&R)"), kDelete)).action =
        [this](FormModel& f) { DeleteSet(f); };
    onPage(form.Add(FieldKind::Button, QStringLiteral("変更(&C)"), kRename)).action =
        [this](FormModel& f) { RenameSet(f); };
    ShowSet(form);
}

void CFtpSetForm::StoreFields(const FormModel& form)
{
    if (m_shown < 0 || m_shown >= m_list.Count())
        return;
    CFtpSet& set = m_list.At(m_shown);
    auto text = [&form](const QString& name, QString& into) {
        if (const FormField* f = form.Find(name))
            into = f->text;
    };
    text(kHost, set.host);
    text(kUser, set.user);
    text(kPass, set.password);
    if (m_kind == Kind::Page) {
        text(kFolder, set.remoteFolder);
        text(kLocalFolder, set.localFolder);
        text(kKeyFile, set.keyFile);
    }
    else if (m_kind == Kind::Upload)
        text(kFolder, set.uploadFolder);
    if (const FormField* f = form.Find(kAscii))
        set.ascii = f->checked;
    if (const FormField* f = form.Find(kProtocol); f && f->index >= 0 && f->index < kProtocols.size())
        set.protocol = RemoteProtocol(f->index);
    if (const FormField* f = form.Find(kNameCode); f && f->index >= 0 && f->index < kNameCodes.size())
        set.nameCode = RemoteNameCode(f->index);
}

void CFtpSetForm::ShowSet(FormModel& form) const
{
    const CFtpSet& set = m_list.At(m_shown);
    if (FormField* f = form.Find(kSetName)) {
        f->choices = Names(m_list);
        f->index = m_shown;
        f->text = set.name;
    }
    auto text = [&form](const QString& name, const QString& value) {
        if (FormField* f = form.Find(name))
            f->text = value;
    };
    text(kHost, set.host);
    text(kUser, set.user);
    text(kPass, set.password);
    text(kFolder, m_kind == Kind::Upload ? set.uploadFolder : set.remoteFolder);
    text(kLocalFolder, set.localFolder);
    text(kKeyFile, set.keyFile);
    if (FormField* f = form.Find(kAscii))
        f->checked = set.ascii;
    auto choose = [&form](const QString& name, int index) {
        if (FormField* f = form.Find(name)) {
            f->index = index;
            f->text = f->choices.value(index);
        }
    };
    choose(kProtocol, int(set.protocol));
    choose(kNameCode, int(set.nameCode));
}

void CFtpSetForm::NewSet(FormModel& form)
{
    StoreFields(form);
    const std::optional<QString> name =
        m_ui.Input(QString(), QString::fromUtf16(ftpmsg::NewSetPrompt), QString());
    if (!name)
        return;
    CFtpSet set;
    set.name = *name;
    m_shown = m_list.Add(set);
    ShowSet(form);
}

void CFtpSetForm::DeleteSet(FormModel& form)
{
    if (m_list.Count() <= 1) {
        m_ui.Message(QString::fromUtf16(ftpmsg::LastSetNotDeleted));
        return;
    }
    if (m_ui.Ask(QString::fromUtf16(ftpmsg::DeleteSetQuestion), Ui::Buttons::OkCancel,
                 Ui::Icon::Question, Ui::Answer::Cancel)
        != Ui::Answer::Ok)
        return;
    m_list.RemoveAt(m_shown);
    if (m_shown >= m_list.Count())
        m_shown = m_list.Count() - 1;
    // The selected index follows the set it named, so that a later Cancel
    // does not leave it on another site or past the end.
    if (m_list.Selected() > m_shown || m_list.Selected() >= m_list.Count())
        m_list.SetSelected(std::max(0, m_list.Selected() - 1));
    ShowSet(form);
}

void CFtpSetForm::RenameSet(FormModel& form)
{
    const std::optional<QString> name = m_ui.Input(
        QString(), QString::fromUtf16(ftpmsg::RenameSetPrompt), m_list.At(m_shown).name);
    if (!name)
        return;
    StoreFields(form);
    m_list.At(m_shown).name = *name;
    ShowSet(form);
}

void CFtpSetForm::Ok(const FormModel& form)
{
    StoreFields(form);
    m_list.SetSelected(m_shown);
    m_list.Save(m_store);
}

void CFtpSetForm::Cancel(const FormModel& form)
{
    StoreFields(form);
    m_list.Save(m_store);
}

std::optional<CFtpSet> CFtpSetForm::Run(const QString& documentPath)
{
    Open(documentPath);
    FormModel form;
    if (m_kind == Kind::Upload) {
        form.title = QStringLiteral("ftp転送");
        form.okCaption = QStringLiteral("転送開始");
        form.cancelCaption = QStringLiteral("閉じる");
    } else {
        form.title = QStringLiteral("ftp接続");
        form.okCaption = QStringLiteral("接続");
    }
    AddTo(form);
    if (m_ui.RunForm(form) != Ui::Answer::Ok) {
        Cancel(form);
        return std::nullopt;
    }
    Ok(form);
    return Shown();
}

CFtpPage::CFtpPage(Ui& ui, platform::SettingsStore& store) : CFtpSetForm(Kind::Page, ui, store) {}

QString CFtpPage::PageTitle()
{
    return QStringLiteral("FTP");
}

void CFtpPage::AddTo(FormModel& form, const QString& page)
{
    CFtpSetForm::AddTo(form, page);
    form.AddFlag(QStringLiteral("PASVモード(&V)"), CFtpSetList::PassiveSetting(m_store), kPasv).page = page;
    form.AddNumber(QStringLiteral("タイムアウト(秒)(&T):"), CFtpSetList::TimeoutSetting(m_store), 1,
                   3600, kTimeout).page = page;
}

void CFtpPage::Ok(const FormModel& form)
{
    CFtpSetForm::Ok(form);
    if (const FormField* f = form.Find(kPasv))
        m_store.WriteInt(kSystem, kPasv, f->checked ? 1 : 0);
    int seconds = 0;
    if (const FormField* f = form.Find(kTimeout); f && f->NumberValue(seconds))
        m_store.WriteInt(kSystem, kTimeout, seconds);
}
