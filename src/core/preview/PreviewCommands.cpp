#include "core/preview/PreviewCommands.h"

#include "core/app/CKelvoApp.h"
#include "core/app/CommandIds.h"
#include "core/doc/CKelvoDoc.h"
#include "core/edit/CKelvoView.h"
#include "core/links/LinkCommands.h"

#include <memory>

namespace {

const QString kSection = QStringLiteral("Preview");
const QString kShownKey = QStringLiteral("Shown");
const QString kRemoteSection = QStringLiteral("PreviewRemote");

} // namespace

void RegisterPreviewCommands(CKelvoApp& app)
{
    auto shown = std::make_shared<bool>(app.GetProfileInt(kSection, kShownKey, 0) != 0);
    CommandTable& commands = app.Commands();
    commands.Register(cmd::TogglePreview, [&app, shown] {
        *shown = !*shown;
        app.WriteProfileInt(kSection, kShownKey, *shown ? 1 : 0);
    });
    commands.SetToggle(cmd::TogglePreview, [shown] { return *shown; });
}

PreviewSite CurrentPreviewSite(CKelvoApp& app)
{
    const QString path = app.Doc().GetPathName();
    return PreviewSiteFor(path, SiteRootFor(app.Settings(), path));
}

PreviewDocument CurrentPreviewDocument(CKelvoApp& app)
{
    return EncodePreviewDocument(app.View().Buffer().GetText(), app.Doc().GetCodeKind());
}

bool RemoteContentAllowed(CKelvoApp& app, const PreviewSite& site)
{
    return !site.root.isEmpty() && app.GetProfileInt(kRemoteSection, site.root, 0) != 0;
}

void AllowRemoteContent(CKelvoApp& app, const PreviewSite& site)
{
    if (!site.root.isEmpty())
        app.WriteProfileInt(kRemoteSection, site.root, 1);
}
