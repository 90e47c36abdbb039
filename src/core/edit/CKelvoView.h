#pragma once

#include "core/edit/EditBuffer.h"

#include <QList>
#include <QString>

#include <cstdint>

class CKelvoApp;
class CommandTable;
class FormModel;

// The one view of the document: the edit buffer and the state the editing
// commands keep between calls. Command groups (find, tags, tables, ...) work
// on it and register their handlers in the application's command table.
//
// Created with its edit buffer: it reads its settings then (word wrap, tag
// editing, font, margin, colours) and puts the font and the margin on the
// buffer. It writes the tag-editing flag back when it is destroyed.
class CKelvoView {
public:
    // A colour as the settings keep it: red in the low byte, blue in the
    // third.
    using ColorRef = std::uint32_t;

    CKelvoView(CKelvoApp& app, EditBuffer& buffer);
    ~CKelvoView();
    CKelvoView(const CKelvoView&) = delete;
    CKelvoView& operator=(const CKelvoView&) = delete;

    CKelvoApp& App() { return m_app; }
    EditBuffer& Buffer() { return m_buffer; }

    // The view's own commands: font, word wrap, tag editing, deselect,
    // preview, and the edit control's undo, cut, copy, paste, clear and
    // select all.
    void RegisterCommands(CommandTable& commands);

    // After every new or opened document: tab stops from the settings, and
    // the window title follows the document.
    void OnInitialUpdate();
    // Sets the buffer's tab width from "View"/"TabNo".
    void ApplyTabStops();
    // "View"/"TabNo", or the default when it holds no usable count.
    int TabWidth() const;

    // Long lines wrap. Read once when the view is created; the command that
    // changes the setting takes effect in the next window.
    bool WordWrap() const { return m_wrap; }
    // Tag editing by double-click is on (the BODY command edits the
    // document's own BODY tag when it is).
    bool TagEditing() const { return m_tagEdit; }
    const EditFont& Font() const { return m_font; }
    int Margin() const { return m_margin; }
    void SetMargin(int pixels);
    ColorRef TextColor() const { return m_textColor; }
    ColorRef BackColor() const { return m_backColor; }
    void SetColors(ColorRef text, ColorRef back);

    // What find next and find previous look for.
    QString SearchText() const { return m_searchText; }
    void SetSearchText(const QString& text);
    bool MatchCase() const { return m_matchCase; }
    void SetMatchCase(bool matchCase);

    // Colouring, line numbers, marks and zoom, read from the settings when
    // the view is made; the language follows the document's file name.
    const EditDisplay& Display() const { return m_display; }

    // Keyboard routing through the application's key-assignment table. Key
    // codes are those of core/custom/VirtualKeys.h.
    // A key pressed without Alt: looked up when Alt, Shift or Ctrl is down or
    // the key is a function key or above. True when the key runs a command:
    // the command has run (if enabled) and the key must not reach the edit
    // control.
    bool OnKeyDown(int vk, bool alt, bool shift, bool ctrl);
    // True when a key down would run an assigned command (OnKeyDown's rule),
    // so the window lets the view have the key before its own shortcuts.
    bool TakesKey(int vk, bool alt, bool shift, bool ctrl) const;
    // A key pressed with Alt: always looked up; true as above.
    bool OnSysKeyDown(int vk, bool shift, bool ctrl);
    // The character that follows a key: true when it must be dropped
    // because its key ran a command.
    bool OnChar() const { return m_keyHandled; }

    // The font dialog. FontForm gives the form filled from the current font;
    // ApplyFontForm puts the confirmed form's font on the buffer and into
    // the settings.
    FormModel FontForm() const;
    void ApplyFontForm(const FormModel& form);
    void OnFontSettings();
    void OnWordWrap();
    void OnTagEditing();
    void OnDeselect();
    void OnPreview();

    // The one path by which generated text enters the buffer. Replaces the
    // selection by the text (tags lower-cased when the application says so)
    // as one undoable edit. With "System"/"TagSelectContinue" set and a
    // selection replaced, the inserted text stays selected. With remember
    // set, the text's start tag and end tag are kept for re-insertion.
    // Without tagCase the text is written as it is: a command that keeps
    // the user's own text applies the tag case to what it adds itself.
    void InsertTagText(const QString& text, bool remember, bool tagCase = true);
    // InsertTagText, without remembering, for a long text given in pieces
    // (see EditBuffer::ReplaceSelPieces) that each hold whole tags.
    void InsertTagPieces(const EditBuffer::PieceSource& next);
    // Remembers the start and end tag of a text as InsertTagText(text, true)
    // would, for an insertion whose text holds more than the tags' element.
    void RememberTagsOf(const QString& text);
    QString LastStartTag() const { return m_lastStartTag; }
    QString LastEndTag() const { return m_lastEndTag; }
    void SetLastTags(const QString& start, const QString& end);

    // Font sizes the font dialog offers.
    static const QList<int>& FontSizes();
    static constexpr int kMaxFontSize = 999;

private:
    // Runs a replacement of the selection and applies the
    // "TagSelectContinue" rule to what it inserted.
    void ReplaceWithTagText(const std::function<void()>& replace);
    bool RunAssignedCommand(int vk, bool alt, bool shift, bool ctrl);
    bool HasSelection() const;
    void RegisterDisplayCommands(CommandTable& commands);
    // Turns one of the display's flags over and remembers it.
    void ToggleDisplay(bool EditDisplay::*flag, const QString& key);
    void SetZoom(int zoom);

    CKelvoApp& m_app;
    EditBuffer& m_buffer;
    EditFont m_font;
    bool m_keyHandled = false;
    bool m_wrap = true;
    bool m_tagEdit = true;
    int m_margin = 5;
    ColorRef m_textColor = 0;
    ColorRef m_backColor = 0xFFFFFF;
    QString m_searchText;
    bool m_matchCase = false;
    QString m_lastStartTag;
    QString m_lastEndTag;
    EditDisplay m_display;
};
