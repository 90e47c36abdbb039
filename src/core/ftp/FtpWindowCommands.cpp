#include "core/ftp/FtpWindowCommands.h"

#include "core/app/CKelvoApp.h"
#include "core/app/CommandTable.h"
#include "core/app/TaskRunner.h"
#include "core/app/Ui.h"
#include "core/app/UiText.h"
#include "core/doc/CKelvoDoc.h"
#include "core/ftp/CFtpSetList.h"
#include "core/ftp/CFtpWnd.h"
#include "core/ftp/CNorvaneFtp.h"
#include "core/ftp/FtpMessages.h"
#include "core/ftp/CFtpSetForm.h"

#include <QFileInfo>

#include <memory>

namespace {

QString Msg(const char16_t* text)
{
    return QString::fromUtf16(text);
}

// The client is made, used and ended on the runner's thread: its sockets
// belong to the thread that opened them.
class RunnerClient {
public:
    explicit RunnerClient(TaskRunner& runner) : m_runner(runner) {}
    ~RunnerClient()
    {
        m_runner.Run(QStringLiteral("ftp"), [this](TaskContext&) {
            m_client.reset();
            return true;
        });
    }
    TaskRunner& Runner() { return m_runner; }
    CNorvaneFtp& Client() { return *m_client; }
    bool Connect(const std::function<void(CNorvaneFtp&)>& fill, const QString& line1, const QString& line2,
                 int timeoutSeconds)
    {
        return m_runner.Run(QStringLiteral("ftp"), [&](TaskContext& context) {
            m_client = std::make_unique<CNorvaneFtp>();
            fill(*m_client);
            m_client->SetTimeoutSeconds(timeoutSeconds);
            m_client->SetCancelFlag(&context.CancelFlag());
            context.SetText(line1, line2);
            const bool ok = m_client->Connect();
            m_client->SetCancelFlag(nullptr);
            m_peer = m_client->Session() ? m_client->Session()->PeerIdentity() : RemotePeerIdentity();
            m_refusal = m_client->FailureText(u"");
            return ok;
        });
    }
    // What the last Connect found of the server's identity, and why this
    // side refused it (empty when it did not).
    RemotePeerIdentity Peer() const { return m_peer; }
    QString Refusal() const { return m_refusal; }

private:
    TaskRunner& m_runner;
    std::unique_ptr<CNorvaneFtp> m_client;
    RemotePeerIdentity m_peer;
    QString m_refusal;
};

// Connects to the site; a certificate or host key that does not verify is
// shown, and on the user's word trusted for this connection or for the
// site (its fingerprint saved with it). One that differs from the trusted
// one is refused with the warning, as is any other refusal; the general
// message covers the rest.
bool ConnectSite(CKelvoApp& app, RunnerClient& session, CFtpSet site, const QString& folder,
                 const char16_t* failure)
{
    Ui& ui = app.GetUi();
    const bool passive = CFtpSetList::PassiveSetting(app.Settings());
    QString once;
    for (;;) {
        const bool connected = session.Connect(
            [&](CNorvaneFtp& client) {
                client.Set(site, folder, passive);
                client.TrustOnce(once);
            },
            QStringLiteral("接続中"), site.host, CFtpSetList::TimeoutSetting(app.Settings()));
        if (connected)
            return true;
        const RemotePeerIdentity peer = session.Peer();
        if (peer.verdict != RemotePeerIdentity::Verdict::Unknown || !once.isEmpty()) {
            ui.Message(session.Refusal().isEmpty() ? Msg(failure) : session.Refusal());
            return false;
        }
        Ui::Question question;
        question.title = QStringLiteral("ftp");
        question.icon = Ui::Icon::Warning;
        question.text = UiText(QStringLiteral("サーバの証明書を確認できません。確かにそのサーバと分かっているときだけ信頼してください。\n%1"))
                            .arg(peer.details);
        question.buttons = {{Ui::Answer::Yes, QStringLiteral("今回だけ信頼(&O)")},
                            {Ui::Answer::All, QStringLiteral("常に信頼(&A)")},
                            {Ui::Answer::Cancel, QStringLiteral("キャンセル")}};
        const Ui::Answer answer = ui.Ask(question);
        if (answer == Ui::Answer::All) {
            site.trustedFingerprint = peer.fingerprint;
            CFtpSetList sets;
            sets.Load(app.Settings());
            if (const int index = sets.IndexOf(site.name); index >= 0) {
                sets.At(index).trustedFingerprint = peer.fingerprint;
                sets.Save(app.Settings());
            }
        } else if (answer == Ui::Answer::Yes) {
            once = peer.fingerprint;
        } else {
            return false;
        }
    }
}

void OnFtpWindow(CKelvoApp& app)
{
    Ui& ui = app.GetUi();
    CKelvoDoc& doc = app.Doc();
    if (doc.IsModified()
        && ui.Ask(QStringLiteral("ファイルを保存しますか？"), Ui::Buttons::YesNo) == Ui::Answer::Yes) {
        if (!doc.DoSave(doc.GetPathName()))
            return;
    }
    const std::optional<CFtpSet> site =
        CFtpSetForm(CFtpSetForm::Kind::Connect, ui, app.Settings()).Run(doc.GetPathName());
    if (!site)
        return;
    auto runner = ui.MakeTaskRunner();
    RunnerClient session(*runner);
    if (!ConnectSite(app, session, *site, site->remoteFolder, ftpmsg::ConnectFailed))
        return;
    CFtpWnd window(ui, app.Settings(), *runner, session.Client());
    window.SetPortrait(app.Layout() == MenuLayout::Portrait);
    window.Start();
    ui.RunFtpWindow(window);
    runner->Run(QStringLiteral("ftp"), [&session](TaskContext&) {
        session.Client().Disconnect();
        return true;
    });
}

void OnFtpUpload(CKelvoApp& app)
{
    Ui& ui = app.GetUi();
    CKelvoDoc& doc = app.Doc();
    const QString path = doc.GetPathName();
    if (path.isEmpty()) {
        ui.Message(Msg(ftpmsg::SaveFirst));
        return;
    }
    if (!doc.DoSave(path))
        return;
    const std::optional<CFtpSet> choice = CFtpSetForm(CFtpSetForm::Kind::Upload, ui, app.Settings()).Run();
    if (!choice)
        return;
    BusyScope busy(ui);
    QString folder = choice->uploadFolder;
    if (!folder.isEmpty() && !folder.endsWith(u'/'))
        folder += u'/';
    QString shown = folder;
    if (!shown.isEmpty() && !shown.startsWith(u'/'))
        shown.prepend(u'/');
    const CFtpSet& site = *choice;
    auto runner = ui.MakeTaskRunner();
    // The status window names the server and then where the file goes:
    // it is shown from the start, however quick the upload.
    runner->SetShowDelay(0);
    RunnerClient session(*runner);
    if (!ConnectSite(app, session, site, folder, ftpmsg::UploadConnectFailed))
        return;
    // The second line names the file as it will stand on the server, so the
    // user sees where it goes before it is written.
    const QString remote = site.host + (shown.isEmpty() ? QStringLiteral("/") : shown) + QFileInfo(path).fileName();
    const bool ascii = choice->ascii;
    bool cancelled = false;
    QString failure = Msg(ftpmsg::UploadFailed);
    const bool sent = runner->Run(QStringLiteral("ftp"), [&](TaskContext& context) {
        CNorvaneFtp& client = session.Client();
        context.SetText(path, remote);
        client.SetCancelFlag(&context.CancelFlag());
        client.SetProgress([&context](qint64 done, qint64 total) { context.SetProgress(done, total); });
        const bool ok = client.PutFile(path, ascii);
        client.SetProgress({});
        client.SetCancelFlag(nullptr);
        // The user stopped it: no error to report, and no half page left
        // on the server, as the FTP window does with a cancelled copy.
        if (!ok && context.Cancelled()) {
            cancelled = true;
            client.DeleteFile(QFileInfo(path).fileName());
        }
        if (!ok)
            failure = client.FailureText(ftpmsg::UploadFailed);
        return ok;
    });
    if (!sent && !cancelled)
        ui.Message(failure);
    ui.Message(Msg(ftpmsg::UploadDone), Ui::Icon::Information);
    runner->Run(QStringLiteral("ftp"), [&session](TaskContext&) {
        session.Client().Disconnect();
        return true;
    });
}

} // namespace

void RegisterFtpWindowCommands(CKelvoApp& app)
{
    app.Commands().Register(cmd::FtpWindow, [&app] { OnFtpWindow(app); });
    app.Commands().Register(cmd::FtpUpload, [&app] { OnFtpUpload(app); });
}
