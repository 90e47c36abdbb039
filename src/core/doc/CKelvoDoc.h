#pragma once

#include "core/doc/CodeKinds.h"
#include "core/doc/FileForms.h"
#include "core/doc/RecoveryJournal.h"
#include "platform/FileAccess.h"

#include <QString>

#include <optional>

class CKelvoApp;
class CommandTable;
class EditBuffer;
class FormModel;

// The one document: where its text comes from and goes back to. The text
// lives in the view's edit buffer; the document keeps the file's path, its
// character code and line end (so it is written back as it was read), and
// asks before unsaved changes are lost.
class CKelvoDoc {
public:
    CKelvoDoc(CKelvoApp& app, EditBuffer& buffer);

    // Loads the file into the edit buffer; false (after the message) when it
    // cannot be read. Stores the path as "System"/"IniFile".
    bool OnOpenDocument(const QString& path);
    // Writes the text in the document's code and line end. The file is
    // replaced only when all of it has been written; on failure the old file
    // stays as it was and the message names the path.
    bool OnSaveDocument(const QString& path);
    // Empties the buffer and fills it from the initial template.
    bool OnNewDocument();
    // True when the caller may go on (nothing to save, saved, or changes
    // dropped); false to cancel.
    bool SaveModified();
    // Saves to the path; with an empty path the save chooser asks for one
    // first (cancel gives false) and it becomes the document's path.
    bool DoSave(const QString& path);
    // Save As: chooser, save, new path name.
    bool OnFileSaveAs();
    void OnFileSave();
    // The character-code dialog: both kinds, applied at the next save.
    void OnCharCode();
    FormModel CharCodeForm() const;
    void ApplyCharCodeForm(const FormModel& form);

    bool IsModified() const;
    void SetModifiedFlag(bool modified = true);

    QString GetPathName() const { return m_path; }
    // Sets the path and the title (the file name) and enters the file in the
    // recent-file list.
    void SetPathName(const QString& path, bool addToRecent = true);
    QString GetTitle() const { return m_title; }
    void SetTitle(const QString& title) { m_title = title; }

    CodeKind GetCodeKind() const { return m_code; }
    void SetCodeKind(CodeKind kind) { m_code = kind; }
    LineEndKind GetLineEndKind() const { return m_lineEnd; }
    // What the file held beyond its text (byte-order mark, escape style).
    const FileForms& GetForms() const { return m_forms; }
    void SetLineEndKind(LineEndKind kind) { m_lineEnd = kind; }
    bool AutoConvert() const { return m_autoCode; }

    // Bytes of the file that did not decode (they are written back as they
    // were); 0 for a new document.
    qsizetype UndecodableCount() const { return m_undecodable; }
    // The code the page declares when it differs from the code it was read
    // in; the reopen command reads it in that code.
    std::optional<CodeKind> DisagreeingDeclaredCode() const;
    bool ReopenInDeclaredCode();
    // Asks what to do when the code cannot hold some characters of the
    // text: false to cancel; may change the code to UTF-8.
    // *references is set when the user chose numeric references.
    bool ConfirmEncodable(QStringView text, CodeKind& code, bool* references = nullptr);
    // The question's text for the characters the code cannot hold; empty
    // when it can hold them all.
    static QString UnencodableText(QStringView text, CodeKind code);

    // The file on disk against the one loaded or last saved.
    enum class DiskState { Same, Changed, Deleted };
    DiskState CompareWithDisk();
    // For when another program may have changed the file (the watcher saw
    // it, the window came back to the front): an unchanged document offers
    // to read the file again, a changed one is warned; a file that is gone
    // is reported and the text counts as unsaved. Each change of the file
    // is reported once.
    void CheckDiskChange();

    // Journals the text while it has unsaved changes (the window calls it a
    // few seconds after a change); without them, there is no journal.
    void WriteJournal();
    // At start: offers back what an editor that was killed or crashed had
    // not saved. A text whose file is as it was loaded goes back into that
    // file's document; one whose file changed or went since is opened as a
    // new document. True when one was restored.
    bool OfferRecovery();

    void RegisterCommands(CommandTable& commands);

    // The caption of the main window for a document title: the title up to
    // its last "." and " - Kelvopad".
    static QString WindowTitleFor(const QString& title);
    static QString UntitledTitle();
    // The caption with the document's state: "*" in front while it has
    // unsaved changes, the read-only mark (empty for none) after the name.
    static QString MarkedWindowTitle(const QString& caption, bool modified,
                                     const QString& readOnlyMark);
    static QString ReadOnlyMark() { return QStringLiteral(" (読み取り専用)"); }
    // The file cannot be written (or, not there yet, cannot be made in its
    // folder); false for a document never saved.
    bool IsReadOnlyFile() const;

private:
    std::optional<QString> AskSavePath();
    // Saving over the document's file that another program changed since
    // it was loaded or saved asks first; false to cancel.
    bool ConfirmOverwriteChanged(const QString& path);
    // Saving in a code other than the one the page declares asks, and may
    // rewrite the declarations' values in the buffer (one undo step) and
    // the bytes; false to cancel. An answer to keep them holds for the
    // document until the code or the declarations change.
    bool OfferDeclarationUpdate(const QString& path, QString& text, QByteArray& bytes);
    QString ShownFileName() const;
    void Restore(const JournalEntry& entry);
    // Reads the file into the buffer; a given code overrides detection.
    bool Load(const QString& path, std::optional<CodeKind> code);
    // Fills the buffer with the initial template, or the fallback text,
    // and takes the code and line end the new document is saved in.
    void FillFromTemplate();

    CKelvoApp& m_app;
    EditBuffer& m_buffer;
    LineEndKind m_lineEnd = LineEndKind::CrLf;
    CodeKind m_code = CodeKind::ShiftJis;
    bool m_autoCode = true;
    // An EUC or UTF-8 file read without conversion ("AutoCode" 0), and the
    // code it was read in.
    bool m_readUnconverted = false;
    CodeKind m_readCode = CodeKind::ShiftJis;
    FileForms m_forms;
    qsizetype m_undecodable = 0;
    std::optional<CodeKind> m_declared;
    // The code and the declarations the user chose to keep at a save.
    QString m_declarationKept;
    // The user chose numeric references for what the code cannot hold.
    bool m_referencesAccepted = false;
    QString m_path;
    QString m_title;
    // The file as it was loaded or last saved (the path it was read from or
    // written to), and as the user last heard of it.
    platform::FileStamp m_stamp;
    QString m_stampPath;
    platform::FileStamp m_reported;
    bool m_checkingDisk = false;
    RecoveryJournal m_journal;
    bool m_journalFailureTold = false;
};
