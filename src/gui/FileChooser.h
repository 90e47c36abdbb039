#pragma once

#include "core/app/FileChooserModel.h"

#include <QDialog>

class QLineEdit;
class QTreeView;
class EntryListModel;

// The open and save chooser: the folder, its entries (folders first), the
// name field and the file type, over a FileChooserModel. It lists names by
// their bytes, so a file whose name is not UTF-8 is shown (as CP932 text
// when it is that) and can be chosen. Keys: Enter opens the folder or
// chooses the file typed or selected; Backspace in the list and Alt+Up go
// to the parent folder; typing a name selects the first entry that starts
// with it, and in an open chooser completes it.
class FileChooser : public QDialog {
    Q_OBJECT
public:
    FileChooser(const Ui::FileDialog& dialog, QWidget* parent = nullptr);
    ~FileChooser() override;

    // The chosen path once the chooser is accepted (a name's bytes kept as
    // platform::DecodePath keeps them).
    const QString& Path() const { return m_path; }

    const FileChooserModel& Model() const { return m_model; }
    QLineEdit* NameField() const { return m_name; }

    // Shows another folder; says so and stays when it cannot be read.
    bool GoTo(const QString& folder);
    // What Enter does: in the folder field, go there; in the list, or after
    // choosing in it, open the entry; otherwise resolve the typed name.
    void Confirm();

    // The question asked before a save replaces a file (No unless the
    // user says Yes).
    static Ui::Question OverwriteQuestion(const QString& path);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ShowFolder();
    void Choose(const FileChooserModel::Choice& choice, bool fromList);
    void GoUp();
    void CreateFolder();
    void NameEdited(const QString& text);
    void CurrentChanged();
    int CurrentRow() const;
    // Makes the row current (none for -1) without taking its name into the
    // field.
    void SelectRow(int row);
    void Say(const QString& text);

    FileChooserModel m_model;
    EntryListModel* m_entries = nullptr;
    QLineEdit* m_folderField = nullptr;
    QTreeView* m_list = nullptr;
    QLineEdit* m_name = nullptr;
    QString m_path;
    // The name a save goes back to after a folder was typed into the field.
    QString m_fileName;
    // The text typed, without what completion added.
    QString m_typed;
    // Whether the list was used after the name was typed: Enter then opens
    // the entry.
    bool m_listChoseLast = false;
    bool m_selecting = false;
};
