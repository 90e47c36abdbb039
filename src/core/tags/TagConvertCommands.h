#pragma once

#include <QString>

class CKelvoApp;

// Commands that take tags out of text, capture the tags around a selection
// to apply them again, change the case of all tags, and turn plain text
// into HTML (line breaks into paragraph and break tags, angle brackets into
// entities).
class TagConvertCommands {
public:
    explicit TagConvertCommands(CKelvoApp& app);

    void OnRemoveOutermost();
    void OnStripSelection();
    void OnStripAll();
    void OnCapture();
    void OnReinsert();
    // Converts every tag of the document after a confirmation and makes
    // later insertions follow the same case.
    void OnAllTagsCase(bool lower);
    // Replaces the selection by the converted text through the insertion
    // primitive.
    void ConvertSelection(QString (*convert)(const QString&));
    void OnEscapeBrackets();

private:
    CKelvoApp& m_app;
};

void RegisterTagConvertCommands(CKelvoApp& app);
