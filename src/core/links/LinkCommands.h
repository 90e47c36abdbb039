#pragma once

#include "core/app/FormModel.h"

#include <QString>
#include <QStringList>

class CKelvoApp;

namespace platform {
class SettingsStore;
}

// The local folder of the site the document belongs to, which root-relative
// links ("/css/a.css") start from: the local folder of the FTP site set
// chosen for the document, when the document lies inside it; empty when no
// set names a folder that holds it.
QString SiteRootFor(const platform::SettingsStore& store, const QString& documentPath);

// The commands that look at the links of the page and at their targets
// (identifiers in LinkCommandIds.h), and file insertion. Links are resolved
// as browsers resolve them (ResolveLink), root-relative ones against
// SiteRootFor.
class LinkCommands {
public:
    explicit LinkCommands(CKelvoApp& app);

    // Lists the HREF targets of the page's links, sorted, and opens the
    // chosen one (OpenLink).
    void OnLinkBrowser();
    // Lists the page's local links whose files are missing.
    void OnLinkCheck();
    // Opens the link written in the selection, or (with nothing selected)
    // the link of the tag at the caret.
    void OnOpenLinkTarget();
    // Inserts links to every named anchor of the page at the caret.
    void OnLinkList();
    // Shows the size of the page and of its images.
    void OnSizeInfo();
    // Inserts the text of a chosen file at the caret.
    void OnInsertFile();

    // Opens a link's target: an HTML, style, script or text file in the
    // editor (a missing one is reported by the normal opening), any other
    // file and web and mail addresses with the desktop's program.
    void OpenLink(const QString& link);

    // The forms the commands show, for the renderers and the tests.
    static FormModel LinkBrowserForm(const QStringList& links);
    static FormModel LinkCheckForm(const QStringList& missing);
    struct SizeInfo {
        qint64 bodyBytes = 0;
        int internalCount = 0;
        qint64 internalBytes = 0;
        int externalCount = 0;
    };
    static FormModel SizeInfoForm(const SizeInfo& info);

private:
    CKelvoApp& m_app;
};

void RegisterLinkCommands(CKelvoApp& app);
