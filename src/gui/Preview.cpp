#include "gui/Preview.h"

#include "core/app/CKelvoApp.h"
#include "core/app/CommandIds.h"
#include "gui/CMainFrame.h"
#include "gui/EditWidget.h"

#if KELVO_HAVE_PREVIEW
#include "gui/preview/PreviewArea.h"
#include "gui/preview/PreviewPane.h"
#include "gui/preview/PreviewSchemeHandler.h"

#include <QCoreApplication>

#include <unistd.h>
#endif

void PreparePreview()
{
#if KELVO_HAVE_PREVIEW
    PreviewSchemeHandler::RegisterScheme();
    // The engine draws in its own GL context, shared with the window's.
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    // The engine's sandbox refuses to start for root; the pages shown are
    // the user's own, and remote content waits for the user's leave.
    if (::geteuid() == 0)
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
#endif
}

void InstallPreview(CMainFrame& frame, CKelvoApp& app)
{
#if KELVO_HAVE_PREVIEW
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
#else
    app.Commands().Unregister(cmd::TogglePreview);
#endif
}
