#pragma once

class CKelvoApp;
class CMainFrame;

// The live preview, when the program is built with it (Qt WebEngine).

// Before the application object is made: the preview's URL scheme must be
// known to the engine before it starts, and run as root the engine's
// sandbox cannot start.
void PreparePreview();

// Puts the preview beside the window's editor, following the preview
// command. Without the preview built, the command is taken out, so that
// it shows disabled.
void InstallPreview(CMainFrame& frame, CKelvoApp& app);
