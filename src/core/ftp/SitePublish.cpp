#include "core/ftp/SitePublish.h"

#include "core/app/UiText.h"
#include "core/app/CKelvoApp.h"
#include "core/app/CommandTable.h"
#include "core/app/FormModel.h"
#include "core/app/TaskRunner.h"
#include "core/app/Ui.h"
#include "core/doc/CKelvoDoc.h"
#include "core/ftp/CFtpSetList.h"
#include "core/ftp/CNorvaneFtp.h"
#include "core/ftp/FtpMessages.h"
#include "core/ftp/SiteConnect.h"
#include "core/ftp/SiteMirror.h"

#include <memory>

namespace {

const QString kLocal = QStringLiteral("Local");
const QString kRemote = QStringLiteral("Remote");
const QString kRemoveGone = QStringLiteral("RemoveGone");

struct PublishChoice {
    QString local;
    QString remote;
    bool removeGone = false;
};

// The folders of the site, confirmed or changed by the user.
std::optional<PublishChoice> AskFolders(Ui& ui, const CFtpSet& site)
{
    FormModel form;
    form.title = QStringLiteral("サイトの公開");
    form.okCaption = QStringLiteral("比較");
    form.Add(FieldKind::Label, QStringLiteral("サーバ:")).text = site.host;
    FormField& local = form.Add(FieldKind::File, QStringLiteral("ローカルフォルダ(&L):"), kLocal);
    local.text = site.localFolder;
    local.browse = [&ui](FormModel& f) {
        if (const std::optional<QString> chosen = ui.ChooseFolder(f[kLocal].text))
            f[kLocal].text = *chosen;
    };
    form.AddText(QStringLiteral("サーバのフォルダ(&D):"), site.remoteFolder, kRemote);
    form.AddFlag(QStringLiteral("ローカルにないサーバのファイルを削除する(&R)"), false, kRemoveGone);
    if (ui.RunForm(form) != Ui::Answer::Ok)
        return std::nullopt;
    return PublishChoice{form[kLocal].text, form[kRemote].text, form[kRemoveGone].checked};
}

// Shows what publishing will do; true when the user goes on.
bool ConfirmPlan(Ui& ui, const MirrorPlan& plan)
{
    FormModel form;
    form.title = QStringLiteral("サイトの公開");
    form.okCaption = QStringLiteral("公開");
    form.Add(FieldKind::Label, QString()).text =
        UiText(QStringLiteral("公開先：%1\n次の %2 件の処理を行います。\nよろしいですか？"))
            .arg(plan.remoteRoot)
            .arg(plan.actions.size());
    FormField& list = form.Add(FieldKind::List, QString(), QStringLiteral("Actions"));
    for (const MirrorAction& a : plan.actions)
        list.choices.append(a.offset > 0 ? UiText(QStringLiteral("%1 (続きから)")).arg(a.Line()) : a.Line());
    if (!plan.notes.isEmpty())
        form.Add(FieldKind::Label, QString(), QStringLiteral("Notes")).text = plan.notes.join(u'\n');
    return ui.RunForm(form) == Ui::Answer::Ok;
}

void OnSitePublish(CKelvoApp& app)
{
    Ui& ui = app.GetUi();
    CKelvoDoc& doc = app.Doc();
    if (doc.IsModified() && !doc.GetPathName().isEmpty()
        && ui.Ask(QStringLiteral("ファイルを保存しますか？"), Ui::Buttons::YesNo) == Ui::Answer::Yes) {
        if (!doc.DoSave(doc.GetPathName()))
            return;
    }
    CFtpSetList sites;
    sites.Load(app.Settings());
    const CFtpSet site = sites.At(sites.ChooseForDocument(doc.GetPathName()));
    const std::optional<PublishChoice> choice = AskFolders(ui, site);
    if (!choice)
        return;

    auto runner = ui.MakeTaskRunner();
    RunnerClient session(*runner);
    if (!ConnectSite(app, session, site, QString(), ftpmsg::ConnectFailed))
        return;
    MirrorPlan plan;
    QString failure;
    const std::optional<MirrorInterruption> earlier = LoadMirrorInterruption(app.Settings(), site);
    const bool planned = runner->Run(QStringLiteral("ftp"), [&](TaskContext& context) {
        context.SetText(QStringLiteral("比較中"), choice->local);
        SiteMirror mirror(*session.Client().Session());
        mirror.SetCancelFlag(&context.CancelFlag());
        mirror.SetInterruption(earlier);
        if (!mirror.Plan(choice->local, choice->remote, choice->removeGone, plan)) {
            failure = mirror.ErrorText();
            return false;
        }
        return true;
    });
    if (!planned) {
        if (!failure.isEmpty())
            ui.Message(failure);
        return;
    }
    if (plan.actions.empty()) {
        ui.Message((QStringList{UiText(QStringLiteral("サーバはすでにローカルフォルダと同じです"))} + plan.notes).join(u'\n'),
                   Ui::Icon::Information);
        return;
    }
    if (!ConfirmPlan(ui, plan))
        return;
    bool cancelled = false;
    int done = 0;
    std::optional<MirrorInterruption> interruption;
    const bool applied = runner->Run(QStringLiteral("ftp"), [&](TaskContext& context) {
        SiteMirror mirror(*session.Client().Session());
        mirror.SetCancelFlag(&context.CancelFlag());
        mirror.SetProgress([&](const MirrorAction& action, qint64 bytes, qint64 total) {
            context.SetText(action.Line(), site.host + plan.remoteRoot);
            context.SetProgress(bytes, total);
        });
        const bool ok = mirror.Apply(plan);
        cancelled = mirror.WasCancelled();
        done = mirror.Done();
        failure = mirror.ErrorText();
        interruption = mirror.Interruption();
        return ok;
    });
    SaveMirrorInterruption(app.Settings(), site, interruption);
    if (applied)
        ui.Message(UiText(QStringLiteral("公開しました (%1 件)")).arg(done), Ui::Icon::Information);
    else if (cancelled)
        ui.Message(UiText(QStringLiteral("公開を中止しました (%1 件済み)。もう一度実行すると続きから公開します")).arg(done),
                   Ui::Icon::Information);
    else
        ui.Message(UiText(QStringLiteral("公開できませんでした (%1 件済み)\n%2")).arg(done).arg(failure));
}

} // namespace

void RegisterSitePublishCommand(CKelvoApp& app)
{
    app.Commands().Register(cmd::SitePublish, [&app] { OnSitePublish(app); });
}
