#pragma once

#include "core/preview/PreviewServer.h"

class CKelvoApp;

// The preview's command: TogglePreview shows or hides the preview, and the
// choice is kept ("Preview"/"Shown") for the next run. The window follows
// the command's toggle state.
void RegisterPreviewCommands(CKelvoApp& app);

// The page being edited as the preview serves it: its site (the local
// folder of its FTP site set, else its own folder) and its current text.
PreviewSite CurrentPreviewSite(CKelvoApp& app);
PreviewDocument CurrentPreviewDocument(CKelvoApp& app);

// Whether the user let the pages of the site load content from elsewhere
// (http, https); kept per site root. A page never saved has no site, so
// nothing is kept for it.
bool RemoteContentAllowed(CKelvoApp& app, const PreviewSite& site);
void AllowRemoteContent(CKelvoApp& app, const PreviewSite& site);
