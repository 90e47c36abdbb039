#include "core/edit/PrintCommands.h"

#include "core/app/CKelvoApp.h"
#include "core/app/CommandIds.h"
#include "core/app/CommandTable.h"
#include "core/app/UiText.h"
#include "core/doc/CKelvoDoc.h"
#include "core/edit/CKelvoView.h"
#include "core/edit/EditBuffer.h"
#include "platform/FileAccess.h"

#include <QFileInfo>

Ui::PrintJob DocumentPrintJob(CKelvoApp& app)
{
    Ui::PrintJob job;
    const QString path = app.Doc().GetPathName();
    job.name = path.isEmpty() ? UiText(CKelvoDoc::UntitledTitle())
                              : platform::DisplayPath(QFileInfo(path).fileName());
    job.folder = path.isEmpty() ? app.InitialFolder() : QFileInfo(path).absolutePath();
    job.text = app.View().Buffer().GetText();
    const EditFont& font = app.View().Font();
    job.fontFamily = app.GetUi().InstalledFontFamily(font.face);
    job.pointSize = font.pointSize;
    job.weight = font.weight;
    job.italic = font.italic;
    return job;
}

void RegisterPrintCommands(CKelvoApp& app)
{
    CommandTable& commands = app.Commands();
    commands.Register(cmd::FilePrint, [&app] { app.GetUi().PrintText(DocumentPrintJob(app), false); });
    commands.Register(cmd::FilePrintPreview,
                      [&app] { app.GetUi().PrintText(DocumentPrintJob(app), true); });
}
