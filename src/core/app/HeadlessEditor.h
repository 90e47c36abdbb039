#pragma once

#include "core/app/CKelvoApp.h"
#include "core/doc/CKelvoDoc.h"
#include "core/edit/CKelvoView.h"
#include "core/edit/MemoryEditBuffer.h"

#include <memory>

namespace platform {
class SettingsStore;
}
class Ui;

// The whole editor without a window: application, document and view on a
// MemoryEditBuffer, talking to the user through the given Ui. Every command
// runs by identifier, exactly as the desktop program runs it.
class HeadlessEditor {
public:
    HeadlessEditor(platform::SettingsStore& settings, Ui& ui);
    ~HeadlessEditor();

    CKelvoApp& App() { return m_app; }
    CKelvoDoc& Doc() { return m_doc; }
    CKelvoView& View() { return m_view; }
    MemoryEditBuffer& Buffer() { return m_buffer; }

    // Runs a command; false when it is unknown or disabled.
    bool Run(int id) { return m_app.Commands().Run(id); }

private:
    CKelvoApp m_app;
    MemoryEditBuffer m_buffer;
    CKelvoDoc m_doc;
    CKelvoView m_view;
};

// Builds the command table of an editor: every command group registers its
// handlers. The desktop program and the headless editor share it.
void RegisterAllCommands(CKelvoApp& app);
