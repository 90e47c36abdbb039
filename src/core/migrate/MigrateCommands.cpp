#include "core/migrate/MigrateCommands.h"

#include "core/app/CKelvoApp.h"
#include "core/app/CommandIds.h"
#include "core/app/CommandTable.h"
#include "core/app/FormModel.h"
#include "core/app/TaskRunner.h"
#include "core/app/Ui.h"
#include "core/app/UiText.h"
#include "core/doc/CKelvoDoc.h"
#include "core/links/LinkCommands.h"
#include "core/migrate/SiteMigration.h"
#include "core/search/FolderSearch.h"
#include "platform/FileAccess.h"
#include "platform/FolderListing.h"

#include <QFileInfo>

#include <memory>

namespace {

const QString kTitle = QStringLiteral("サイトの文字コード変換");
const QString kFolder = QStringLiteral("Folder");
const QString kInclude = QStringLiteral("Include");
const QString kServer = QStringLiteral("Htaccess");
const QString kBackup = QStringLiteral("Backup");
const QString kPlan = QStringLiteral("Plan");

// The folder, the files beyond the usual ones, .htaccess, the backup.
std::optional<MigrationOptions> AskOptions(CKelvoApp& app)
{
    Ui& ui = app.GetUi();
    const QString document = app.Doc().GetPathName();
    QString folder = SiteRootFor(app.Settings(), document);
    if (folder.isEmpty() && !document.isEmpty())
        folder = QFileInfo(document).absolutePath();
    FormModel form;
    form.title = kTitle;
    form.okCaption = QStringLiteral("調べる");
    const auto chooser = [&ui](const QString& field) {
        return [&ui, field](FormModel& f) {
            if (const std::optional<QString> chosen = ui.ChooseFolder(f[field].text))
                f[field].text = *chosen;
        };
    };
    FormField& site = form.Add(FieldKind::File, QStringLiteral("サイトのフォルダ(&F):"), kFolder);
    site.text = folder;
    site.browse = chooser(kFolder);
    form.Add(FieldKind::Label, QString()).text =
        UiText(QStringLiteral("対象: %1")).arg(DefaultMigrationPatterns().join(u' '));
    form.AddText(QStringLiteral("ほかに変換するファイル(&I):"), QString(), kInclude);
    form.AddFlag(QStringLiteral(".htaccess の文字コードの指定も書き換える(&H)"), false, kServer);
    FormField& backup = form.Add(FieldKind::File, QStringLiteral("元のファイルの保存先(&B):"), kBackup);
    backup.text = folder.isEmpty() ? QString() : folder + QStringLiteral("-backup");
    backup.browse = chooser(kBackup);
    form.validate = [](const FormModel& f) {
        return platform::IsFolder(f.Find(kFolder)->text) ? QString()
                                                   : UiText(QStringLiteral("サイトのフォルダを選んでください"));
    };
    if (ui.RunForm(form) != Ui::Answer::Ok)
        return std::nullopt;
    MigrationOptions options;
    options.root = form[kFolder].text;
    options.include = ParseFilePatterns(form[kInclude].text);
    options.serverConfig = form[kServer].checked;
    options.backup = form[kBackup].text.trimmed();
    CKelvoDoc& doc = app.Doc();
    if (doc.IsModified() && !document.isEmpty()) {
        options.keep.append(document);
        options.keepReason = UiText(QStringLiteral("編集中の文書に保存していない変更があります"));
    }
    return options;
}

std::optional<MigrationPlan> Plan(TaskRunner& runner, const MigrationOptions& options)
{
    MigrationPlan plan;
    bool cancelled = false;
    runner.Run(kTitle, [&](TaskContext& context) {
        plan = PlanMigration(
            options,
            [&](int done, int total, const QString& path) {
                context.SetText(UiText(QStringLiteral("調べています... (%1 / %2)")).arg(done + 1).arg(total),
                                platform::DisplayPath(path));
                context.SetProgress(done, total);
                return !context.Cancelled();
            },
            &cancelled);
        return !cancelled;
    });
    if (cancelled)
        return std::nullopt;
    return plan;
}

QString Summary(const MigrationPlan& plan)
{
    using Action = MigrationFile::Action;
    return UiText(QStringLiteral("フォルダ: %1\n変換 %2 件、宣言修正 %3 件\n対象外 %4 件"))
        .arg(platform::DisplayPath(plan.root))
        .arg(plan.Count(Action::Convert))
        .arg(plan.Count(Action::Declare))
        .arg(plan.Count(Action::Skip));
}

// The plan as a list. A file left alone may be given its code, which plans
// again; true when the user goes on with the run.
bool ConfirmPlan(CKelvoApp& app, TaskRunner& runner, MigrationOptions& options, MigrationPlan& plan)
{
    Ui& ui = app.GetUi();
    FormModel form;
    form.title = kTitle;
    form.okCaption = QStringLiteral("変換");
    FormField& summary = form.Add(FieldKind::Label, QString(), QStringLiteral("Summary"));
    FormField& list = form.Add(FieldKind::List, QString(), kPlan);
    list.columns = {QStringLiteral("処理"), QStringLiteral("ファイル"), QStringLiteral("内容")};
    list.columnChars = {10, 24};
    std::vector<int> fileOfLine;
    const auto fill = [&] {
        summary.text = Summary(plan);
        list.choices.clear();
        fileOfLine.clear();
        for (size_t i = 0; i < plan.files.size(); ++i) {
            // "convert PATH: DETAIL" as cells.
            const QString path = platform::DisplayPath(plan.files[i].path);
            for (const QString& line : plan.files[i].Lines()) {
                const QString action = line.section(u' ', 0, 0);
                list.choices.append(action + u'\t' + path + u'\t' + line.mid(action.size() + path.size() + 3));
                fileOfLine.push_back(int(i));
            }
        }
        list.index = list.choices.isEmpty() ? -1 : 0;
    };
    fill();
    FormField& name = form.Add(FieldKind::Button, QStringLiteral("文字コードを指定(&C)..."));
    name.action = [&](FormModel&) {
        if (list.index < 0 || list.index >= int(fileOfLine.size()))
            return;
        const MigrationFile& file = plan.files[size_t(fileOfLine[size_t(list.index)])];
        if (file.action != MigrationFile::Action::Skip
            || DeclarationSyntaxFor(file.path) == DeclarationSyntax::Server) {
            ui.Message(UiText(QStringLiteral("そのまま残すファイル（skip の行）を選んでください")), Ui::Icon::Information);
            return;
        }
        FormModel choice;
        choice.title = QStringLiteral("文字コードの指定");
        choice.Add(FieldKind::Label, QString()).text = platform::DisplayPath(file.path);
        choice.AddChoice(QStringLiteral("文字コード(&C):"), CodeKindCaptions().mid(0, 4), 0, QStringLiteral("Code"));
        if (ui.RunForm(choice) != Ui::Answer::Ok)
            return;
        options.codes[file.path] = static_cast<CodeKind>(choice[QStringLiteral("Code")].index);
        if (std::optional<MigrationPlan> again = Plan(runner, options)) {
            plan = std::move(*again);
            fill();
        }
    };
    return ui.RunForm(form) == Ui::Answer::Ok;
}

void OnSiteMigrate(CKelvoApp& app)
{
    Ui& ui = app.GetUi();
    std::optional<MigrationOptions> options = AskOptions(app);
    if (!options)
        return;
    std::unique_ptr<TaskRunner> runner = ui.MakeTaskRunner();
    std::optional<MigrationPlan> plan = Plan(*runner, *options);
    if (!plan)
        return;
    if (!plan->error.isEmpty()) {
        ui.Message(plan->error);
        return;
    }
    if (plan->files.empty()) {
        ui.Message(UiText(QStringLiteral("変換するファイルはありません。サイトはすでに UTF-8 です")),
                   Ui::Icon::Information);
        return;
    }
    if (!ConfirmPlan(app, *runner, *options, *plan))
        return;
    MigrationResult result;
    runner->Run(kTitle, [&](TaskContext& context) {
        result = ApplyMigration(*plan, *options, [&](int done, int total, const QString& path) {
            context.SetText(UiText(QStringLiteral("変換しています... (%1 / %2)")).arg(done + 1).arg(total),
                            platform::DisplayPath(path));
            context.SetItem(done + 1, total);
            context.SetProgress(done, total);
            return !context.Cancelled();
        });
        return !result.cancelled;
    });
    // The open document, unchanged, is read again in its new code.
    CKelvoDoc& doc = app.Doc();
    const QString document = doc.GetPathName();
    for (const QString& written : result.written)
        if (plan->root + u'/' + written == document && !doc.IsModified())
            doc.OnOpenDocument(document);
    QString text = UiText(QStringLiteral("%1 個のファイルを書き換えました。")).arg(result.written.size());
    if (!options->backup.isEmpty() && !result.written.isEmpty())
        text += u'\n' + UiText(QStringLiteral("元のファイルは「%1」にあります。")).arg(platform::DisplayPath(options->backup));
    if (result.cancelled)
        text += u'\n' + UiText(QStringLiteral("中止しました。もう一度実行すると続きから変換します。"));
    for (const MigrationFile& f : result.failed)
        text += u'\n' + platform::DisplayPath(f.path) + QStringLiteral(": ") + f.reason;
    ui.Message(text, result.failed.empty() ? Ui::Icon::Information : Ui::Icon::Warning);
}

} // namespace

void RegisterMigrateCommands(CKelvoApp& app)
{
    app.Commands().Register(cmd::SiteMigrate, [&app] { OnSiteMigrate(app); });
}
