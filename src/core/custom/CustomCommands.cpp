#include "core/custom/CustomCommands.h"

#include "core/app/CKelvoApp.h"
#include "core/app/ShellCommandIds.h"
#include "core/app/Ui.h"
#include "core/app/UiText.h"
#include "core/custom/CKeycustDlg.h"
#include "core/custom/CListEditDlg.h"
#include "core/custom/CNamedFileDlg.h"
#include "core/custom/CRegListDlg.h"
#include "core/custom/CRegToolList.h"
#include "core/custom/CustomCommandIds.h"
#include "core/custom/RegisteredLists.h"
#include "core/custom/TemplateText.h"
#include "core/doc/CKelvoDoc.h"
#include "core/doc/TextFileReader.h"
#include "core/edit/CKelvoView.h"
#include "core/tags/TagView.h"
#include "platform/Folders.h"

// The working folder of a started tool: the root, as the handheld's was.
static const QString kToolFolder = QStringLiteral("/");

void OnRegisteredTag(CKelvoApp& app, int index)
{
    const std::vector<RegisteredTag> tags = LoadRegisteredTags(app, cmd::RegisteredTagMenuMax);
    if (index < 0 || index >= static_cast<int>(tags.size()))
        return;
    CKelvoView& view = app.View();
    view.InsertTagText(tags[index].startText + TagView(view).GetSelectionText() + tags[index].endText,
                       true);
}

void OnRegisteredTool(CKelvoApp& app, int index)
{
    const std::vector<RegisteredTool> tools = LoadRegisteredTools(app, cmd::RegisteredToolMenuMax);
    if (index < 0 || index >= static_cast<int>(tools.size()))
        return;
    const ToolInvocation run = ToolInvocationFor(tools[index].file, app.Doc().GetPathName());
    if (!run.error.isEmpty()) {
        app.GetUi().Message(UiText(QStringLiteral("ツールを起動できません（%1）\n%2"))
                                .arg(UiText(run.error), tools[index].file));
        return;
    }
    if (!app.GetUi().StartProcess(run.program, run.arguments, kToolFolder))
        app.GetUi().Message(UiText(QStringLiteral("ツールを起動できません\n%1")).arg(run.program));
}

void OnInitialTemplate(CKelvoApp& app)
{
    Ui::FileDialog d;
    d.title = QStringLiteral("開く");
    d.filter = QStringLiteral("HTMLﾌｧｲﾙ(*.htm*) |*.htm*| 全てのﾌｧｲﾙ(*.*) |*.*||");
    d.defaultExtension = QStringLiteral("htm");
    d.initialName = app.InitialTemplatePath();
    d.initialFolder = platform::Folders::Program();
    d.fileMustExist = true;
    const std::optional<QString> path = app.GetUi().ChooseFile(d);
    if (!path)
        return;
    app.WriteProfileString(QStringLiteral("System"), QStringLiteral("InitTemp"), *path);
    app.SetInitialTemplatePath(*path);
}

void OnHtmlTemplate(CKelvoApp& app)
{
    const std::optional<QString> path = CNamedFileDlg(app, CNamedFileDlg::Kind::Templates).Run();
    if (!path)
        return;
    // The new document is filled from the template exactly as from the
    // initial template, which stays what it was.
    const QString initial = app.InitialTemplatePath();
    app.SetInitialTemplatePath(*path);
    app.NewDocument();
    app.SetInitialTemplatePath(initial);
}

void OnHtmlComponent(CKelvoApp& app)
{
    const std::optional<QString> path = CNamedFileDlg(app, CNamedFileDlg::Kind::Components).Run();
    if (!path)
        return;
    const std::optional<TemplateContent> content = ReadTemplateFile(*path, app.Doc().AutoConvert());
    if (!content) {
        app.GetUi().Message(QStringLiteral("ファイルが見つかりません"));
        return;
    }
    app.View().InsertTagText(content->text, false);
}

std::optional<CNamedFileList::Entry> RegistrationEntry(QString line, const QString& baseFolder)
{
    for (char16_t end : {u'\n', u'\r', u'\n'})
        if (line.endsWith(QChar(end)))
            line.chop(1);
    const qsizetype comma = line.indexOf(u',');
    if (comma < 0)
        return std::nullopt;
    return CNamedFileList::Entry{line.mid(comma + 1), baseFolder + line.left(comma)};
}

void OnBulkRegister(CKelvoApp& app, const QString& section)
{
    const bool components = section == CNamedFileList::kComponentSection;
    Ui::FileDialog d;
    d.title = components ? QStringLiteral("ｺﾝﾎﾟｰﾈﾝﾄ登録ファイル")
                         : QStringLiteral("ﾃﾝﾌﾟﾚｰﾄ登録ファイル");
    d.filter = QStringLiteral("ﾃｷｽﾄﾌｧｲﾙ(*.TXT) |*.TXT| 全てのﾌｧｲﾙ(*.*) |*.*||");
    d.defaultExtension = QStringLiteral("TXT");
    d.initialName = QStringLiteral("*.TXT");
    // Where the shipped lists are: the user's copy, else the installed one.
    d.initialFolder = platform::Folders::FindProgramFile(components ? QStringLiteral("components")
                                                                    : QStringLiteral("templates"));
    d.fileMustExist = true;
    const std::optional<QString> path = app.GetUi().ChooseFile(d);
    if (!path)
        return;
    TextFileReader reader;
    if (!reader.Open(*path, QStringLiteral("rt"))) {
        app.GetUi().Message(QStringLiteral("ファイルが開けません"));
        return;
    }
    const QString base = path->left(path->lastIndexOf(u'/') + 1);
    CNamedFileList list(section);
    list.Load(app);
    QString line;
    while (reader.ReadLine(line)) {
        const std::optional<CNamedFileList::Entry> entry = RegistrationEntry(line, base);
        if (!entry)
            continue;
        if (!list.Append(*entry)) {
            app.GetUi().Message(CListEditDlg::kFullMessage);
            break;
        }
    }
    list.Save(app);
    if (components)
        app.Doc().SetModifiedFlag(true);
}

void RegisterCustomCommands(CKelvoApp& app)
{
    CommandTable& commands = app.Commands();
    commands.Register(cmd::KeyCustomize, [&app] { CKeycustDlg(app).Run(); });
    commands.Register(cmd::RegisteredTagEdit,
                      [&app] { CRegListDlg(app, CRegListDlg::Mode::Tag).Run(); });
    commands.Register(cmd::RegisteredToolEdit,
                      [&app] { CRegListDlg(app, CRegListDlg::Mode::Tool).Run(); });
    for (int i = 0; i < cmd::RegisteredTagMenuMax; ++i)
        commands.Register(cmd::RegisteredTagFirst + i, [&app, i] { OnRegisteredTag(app, i); });
    for (int i = 0; i < cmd::RegisteredToolMenuMax; ++i)
        commands.Register(cmd::RegisteredToolFirst + i, [&app, i] { OnRegisteredTool(app, i); });
    commands.Register(cmd::InitialTemplate, [&app] { OnInitialTemplate(app); });
    commands.Register(cmd::HtmlTemplate, [&app] { OnHtmlTemplate(app); });
    commands.Register(cmd::HtmlComponent, [&app] { OnHtmlComponent(app); });
    commands.Register(cmd::RegisterTemplates,
                      [&app] { OnBulkRegister(app, CNamedFileList::kTemplateSection); });
    commands.Register(cmd::RegisterComponents,
                      [&app] { OnBulkRegister(app, CNamedFileList::kComponentSection); });
}
