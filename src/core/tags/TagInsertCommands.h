#pragma once

class CKelvoApp;

// Registers the HTML menu's commands that insert a fixed tag, wrap the
// selection in a tag pair or insert a fixed text (identifiers in
// TagCommandIds.h). Every one of them ends in CKelvoView::InsertTagText with
// the remember flag, so each becomes the tag the re-insert command repeats.
void RegisterTagInsertCommands(CKelvoApp& app);
