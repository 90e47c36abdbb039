#pragma once

#include "core/app/CKelvoApp.h"
#include "core/doc/CKelvoDoc.h"
#include "core/edit/CKelvoView.h"
#include "gui/CMainFrame.h"

class Ui;
namespace platform {
class SettingsStore;
}

// The desktop program's objects wired together: the main window with its
// edit widget, and the application, document and view on that widget's
// buffer, every command registered. They end in the reverse order, so the
// view, which writes its settings when it goes, goes before the window that
// holds its buffer.
class DesktopProgram {
public:
    DesktopProgram(platform::SettingsStore& settings, Ui& ui);

    // Starts the application (settings, layout, the file to open) and builds
    // the menus of its layout; false when the program is to end at once.
    bool Start(const StartupOptions& options);

    CMainFrame& Frame() { return m_frame; }
    CKelvoApp& App() { return m_app; }
    CKelvoDoc& Doc() { return m_doc; }
    CKelvoView& View() { return m_view; }

private:
    CMainFrame m_frame;
    CKelvoApp m_app;
    CKelvoDoc m_doc;
    CKelvoView m_view;
};
