#pragma once

class CKelvoApp;
class CMainFrame;

// Before the application object is made: the preview's URL scheme must be
// known to the engine before it starts, and run as root the engine's
// sandbox cannot start.
void PreparePreview();

// Puts the preview beside the window's editor, following the preview
// command; the engine starts only once the preview is first shown.
void InstallPreview(CMainFrame& frame, CKelvoApp& app);
