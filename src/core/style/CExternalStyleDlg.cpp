#include "core/style/CExternalStyleDlg.h"

#include "core/app/CKelvoApp.h"
#include "core/app/Ui.h"
#include "core/links/LinkCommands.h"
#include "core/links/RelativePath.h"
#include "platform/FileAccess.h"


namespace {

const QString kHref = QStringLiteral("HREF");

} // namespace

CExternalStyleDlg::CExternalStyleDlg(CKelvoApp& app)
    : CAttrTagDlg(app, QStringLiteral("外部スタイルシート"))
{
    Fields().Text(QStringLiteral("ファイル名(&F):"), kHref);
    Fields().Custom(
        [this](FormModel& form) {
            form.Add(FieldKind::Button, QStringLiteral("参照(&R)..."), QStringLiteral("browse"))
                .action = [this](FormModel& m) {
                const QString documentPath = DocumentPath();
                Ui::FileDialog d;
                d.title = QStringLiteral("ﾌｧｲﾙ名の入力");
                d.filter = QStringLiteral("ｽﾀｲﾙｼｰﾄ(*.css) |*.css|全てのﾌｧｲﾙ(*.*) |*.*||");
                d.defaultExtension = QStringLiteral("css");
                d.initialName = QStringLiteral("*.css");
                d.hideReadOnly = true;
                d.fileMustExist = true;
                d.initialFolder = ChooserFolder(App(), m[kHref].text.trimmed(), documentPath);
                if (const std::optional<QString> path = App().GetUi().ChooseFile(d))
                    m[kHref].text = ReferenceForPickedFile(App().GetUi(), documentPath, *path,
                                                          SiteRootFor(App().Settings(), documentPath));
            };
        },
        nullptr, nullptr);
    OfferAllAttributes();
}

void CExternalStyleDlg::BuildForm(FormModel& form)
{
    m_open = false;
    CAttrTagDlg::BuildForm(form);
    form.Add(FieldKind::Button, QStringLiteral("開く(&O)"), QStringLiteral("open")).action =
        [this](FormModel& m) {
            m_open = true;
            m.acceptNow = true;
        };
}

QString CExternalStyleDlg::ChooserFolder(CKelvoApp& app, const QString& href,
                                         const QString& documentPath)
{
    const QString documentFolder = platform::FolderOfPath(platform::AbsolutePath(documentPath));
    if (!href.isEmpty() && !documentPath.isEmpty() && !href.contains(QStringLiteral("://"))
        && !href.startsWith(u'/'))
        return platform::FolderOfPath(platform::AbsolutePath(documentFolder + u'/' + href));
    if (app.GetProfileInt(QStringLiteral("System"), QStringLiteral("OpenDirCurrent"), 1) != 0
        && !documentPath.isEmpty())
        return documentFolder;
    const QString folder =
        app.GetProfileString(QStringLiteral("System"), QStringLiteral("OpenDir"), QString());
    return folder.isEmpty() ? CKelvoApp::DefaultDocumentsFolder() : folder;
}
