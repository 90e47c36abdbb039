#pragma once

class CKelvoApp;
class EditBuffer;

// The tag attribute dialogs (every command that opens one), and tag editing
// by double-click with its menu command "タグの修正".
void RegisterTagDialogCommands(CKelvoApp& app);

// Runs the dialog of the tag in the selection (the tag's name decides
// which); true when a dialog or editor ran. A name without one, an end tag
// or no tag at all does nothing.
bool DispatchTagEdit(CKelvoApp& app);

// A double-click at the caret: a style rule there goes to the style
// editor, a tag there is selected and its dialog runs. False when neither
// took it; the edit control then makes its own word selection.
bool OnTagDoubleClick(CKelvoApp& app);

// The whole double-click as the batch tool runs it: the caret goes to the
// offset, and when no tag or rule takes the click the word there is
// selected.
void DoubleClickAt(CKelvoApp& app, int offset);

// Selects the word around the offset (letters, digits and "_"); on any
// other character just that character, on a blank or a line end nothing.
void SelectWordAt(EditBuffer& buffer, int offset);
