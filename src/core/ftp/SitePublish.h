#pragma once

class CKelvoApp;

namespace cmd {
inline constexpr int SitePublish = 33090;  // サイトの公開(&W)...
}

// Publishing the site of the document: its local folder mirrored to its
// server folder after the list of changes was shown and confirmed.
void RegisterSitePublishCommand(CKelvoApp& app);
