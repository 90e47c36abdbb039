#pragma once

#include "core/app/FormModel.h"
#include "core/app/Ui.h"

#include <QDialog>

#include <functional>
#include <vector>

class QCheckBox;
class QComboBox;
class QFormLayout;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QScrollArea;
class QTabWidget;
class QTreeWidget;
class QVBoxLayout;

// The dialog for any FormModel. Every change the user makes is written to the
// model at once, the field's action (if any) runs on the model, and then all
// widgets show the model again, so actions may change other fields, their
// lists, their visibility, or the field list itself. OK closes only when
// FormModel::Validate() finds nothing; its message is shown and the dialog
// stays open.
//
// Pages (FormField::page) become tabs; fields with a grid position are laid
// out in a table; every page scrolls, so the dialog fits a narrow portrait
// screen. MultiLine texts hold CR LF line ends in the model, as the editor's
// text does.
class FormDialog : public QDialog {
    Q_OBJECT
public:
    // Messages and the colour and file choosers go through the Ui.
    FormDialog(FormModel& form, Ui& ui, QWidget* parent = nullptr);
    ~FormDialog() override;

    // Runs the dialog modally: Ok, Cancel or Back.
    Ui::Answer Run();
    // The answer of a closed dialog.
    Ui::Answer Result() const { return m_answer; }

    // Keeps the dialog inside an area of that size: never wider, and no
    // taller; the pages scroll. Done for the dialog's screen when it is shown.
    void FitInto(const QSize& available);

    // The widget that edits a field (a line edit, combo box, check box, list,
    // text box or button); nullptr for a field without one. For tests and
    // screenshots.
    QWidget* FieldWidget(int index) const;
    // The "..." button of a Color or File field.
    QPushButton* BrowseButton(int index) const;
    QPushButton* OkButton() const { return m_ok; }
    QPushButton* CancelButton() const { return m_cancel; }
    QPushButton* BackButton() const { return m_back; }
    QTabWidget* Tabs() const { return m_tabs; }
    // The scroll area of a page (0 when there is one page).
    QScrollArea* PageScrollArea(int page) const;

    // Shows every field's value, list, state and visibility from the model.
    // Rebuilds the widgets when the field list has changed.
    void Refresh();

protected:
    void done(int result) override;
    void showEvent(QShowEvent* event) override;

private:
    struct Binding {
        QLabel* label = nullptr;
        QWidget* row = nullptr;  // the field's widget or its container
        QFormLayout* form = nullptr;  // the layout holding the row, if any
        QLineEdit* line = nullptr;
        QComboBox* combo = nullptr;
        QCheckBox* check = nullptr;
        QLabel* flagCaption = nullptr;  // the check box's caption on a narrow screen
        QListWidget* list = nullptr;
        QTreeWidget* table = nullptr;  // List with columns
        QPlainTextEdit* multi = nullptr;
        QPushButton* button = nullptr;
        QPushButton* browse = nullptr;  // Color and File: the "..." button
        QLabel* staticText = nullptr;
    };

    void Build();
    QWidget* BuildPage(const QString& page);
    void AddField(int index, QFormLayout* form, class QGridLayout* grid);
    Binding MakeEditor(int index, QWidget* parent);
    void Changed(int index);
    void RunAction(int index);
    void ActivateEntry(int index);
    void ShowField(int index);
    void ChooseColor(int index);
    void ChooseFile(int index);
    // A field's own chooser (FormField::browse).
    void RunBrowse(int index);
    // Tells the model that a page is shown (FormModel::pageShown).
    void ShowPage(int tab);
    // The field list changed shape since the widgets were made.
    bool ShapeChanged() const;
    // Field indexes in the order the page shows them.
    std::vector<int> LayoutOrder() const;
    void OrderTabs();
    // The caret goes into the first field the user can type or choose in.
    void FocusFirstField();

    FormModel& m_form;
    Ui& m_ui;
    Ui::Answer m_answer = Ui::Answer::Cancel;
    std::vector<Binding> m_bindings;
    // Kinds and pages of the fields the widgets were built for.
    std::vector<std::pair<FieldKind, QString>> m_shape;
    QVBoxLayout* m_outer = nullptr;
    QWidget* m_content = nullptr;
    QTabWidget* m_tabs = nullptr;
    std::vector<QScrollArea*> m_scrollAreas;
    QPushButton* m_ok = nullptr;
    QPushButton* m_cancel = nullptr;
    QPushButton* m_back = nullptr;
    // Widgets of an earlier build may still signal until they are deleted;
    // their signals carry the build they belong to and are ignored.
    int m_generation = 0;
    bool m_fitted = false;
    bool m_pageReported = false;
    bool m_focusPlaced = false;
    bool m_narrow = false;  // the dialog is on a screen narrower than a desktop's
    int m_comboCharacters = 16;  // the most characters a combo box asks room for
};
