#include "gui/Preview.h"

#include "core/app/CKelvoApp.h"
#include "gui/CMainFrame.h"
#include "gui/EditWidget.h"
#include "gui/preview/PreviewArea.h"
#include "gui/preview/PreviewPane.h"
#include "gui/preview/PreviewSchemeHandler.h"

#include <QCoreApplication>

#include <unistd.h>

void PreparePreview()
{
    PreviewSchemeHandler::RegisterScheme();
    // The engine draws in its own GL context, shared with the window's.
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    // The engine's sandbox refuses to start for root; the pages shown are
    // the user's own, and remote content waits for the user's leave.
    if (::geteuid() == 0)
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
}

void InstallPreview(CMainFrame& frame, CKelvoApp& app)
{
    EditWidget& editor = frame.Edit();
    frame.takeCentralWidget();
    auto* area = new PreviewArea(app, &editor, &frame);
    frame.setCentralWidget(area);
    PreviewPane& pane = area->Pane();
    QObject::connect(&frame, &CMainFrame::CommandRan, area, [area, &pane] {
        area->Follow();
        pane.DocumentMayHaveMoved();
    });
    QObject::connect(editor.document(), &QTextDocument::contentsChanged, &pane,
                     &PreviewPane::TextChanged);
    QObject::connect(&editor, &QPlainTextEdit::cursorPositionChanged, &pane,
                     &PreviewPane::CaretMoved);
}
