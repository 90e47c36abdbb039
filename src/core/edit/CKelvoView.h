#pragma once

#include <QString>

class CKelvoApp;
class EditBuffer;

// The one view of the document: the edit buffer and the state the editing
// commands keep between calls. Command groups (find, tags, tables, ...) work
// on it and register their handlers in the application's command table.
class CKelvoView {
public:
    CKelvoView(CKelvoApp& app, EditBuffer& buffer);

    CKelvoApp& App() { return m_app; }
    EditBuffer& Buffer() { return m_buffer; }

    // After every new or opened document: the window title follows it.
    void OnInitialUpdate();

    // The one path by which generated text enters the buffer. Replaces the
    // selection by the text (tags lower-cased when the application says so)
    // as one undoable edit. With "System"/"TagSelectContinue" set and a
    // selection replaced, the inserted text stays selected. With remember
    // set, the text's start tag and end tag are kept for re-insertion.
    void InsertTagText(const QString& text, bool remember);
    QString LastStartTag() const { return m_lastStartTag; }
    QString LastEndTag() const { return m_lastEndTag; }
    void SetLastTags(const QString& start, const QString& end);

private:
    CKelvoApp& m_app;
    EditBuffer& m_buffer;
    QString m_lastStartTag;
    QString m_lastEndTag;
};
