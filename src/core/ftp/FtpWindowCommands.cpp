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
#include "core/ftp/SiteConnect.h"

#include <QFileInfo>

#include <memory>

namespace {

QString Msg(const char16_t* text)
{
    return QString::fromUtf16(text);
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
            failure = client.FailureDetail(ftpmsg::UploadFailed);
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
