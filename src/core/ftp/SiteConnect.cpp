#include "core/ftp/SiteConnect.h"

#include "core/app/CKelvoApp.h"
#include "core/app/TaskRunner.h"
#include "core/app/Ui.h"
#include "core/app/UiText.h"
#include "core/ftp/CFtpSetList.h"
#include "core/ftp/CNorvaneFtp.h"

RunnerClient::RunnerClient(TaskRunner& runner) : m_runner(runner) {}

RunnerClient::~RunnerClient()
{
    m_runner.Run(QStringLiteral("ftp"), [this](TaskContext&) {
        m_client.reset();
        return true;
    });
}

bool RunnerClient::Connect(const std::function<void(CNorvaneFtp&)>& fill, const QString& line1,
                           const QString& line2, int timeoutSeconds)
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
        m_cause = m_client->Session() ? m_client->Session()->ErrorText() : QString();
        return ok;
    });
}

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
            ui.Message(session.Refusal().isEmpty() ? CNorvaneFtp::WithCause(failure, session.Cause()) : session.Refusal());
            return false;
        }
        // What cannot be verified is a host key over SSH, a certificate
        // over TLS. The fingerprint comes before the advice, so that a
        // small screen that cuts the question off still shows it.
        const QString text = site.protocol == RemoteProtocol::Sftp
            ? QStringLiteral("サーバのホスト鍵を確認できません。\n%1\n確かにそのサーバと分かっているときだけ信頼してください。")
            : QStringLiteral("サーバの証明書を確認できません。\n%1\n確かにそのサーバと分かっているときだけ信頼してください。");
        Ui::Question question;
        question.title = QStringLiteral("ftp");
        question.icon = Ui::Icon::Warning;
        question.text = UiText(text).arg(peer.details);
        question.buttons = {{Ui::Answer::Yes, QStringLiteral("今回だけ信頼(&O)")},
                            {Ui::Answer::All, QStringLiteral("常に信頼(&A)")},
                            {Ui::Answer::Cancel, QStringLiteral("キャンセル")}};
        // Enter pressed by reflex must not trust a server nobody looked at.
        question.preferred = Ui::Answer::Cancel;
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
