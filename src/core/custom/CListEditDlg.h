#pragma once

#include "core/app/FormModel.h"

#include <QStringList>

#include <optional>
#include <vector>

class CKelvoApp;

// What the list dialogs of the registered tags and tools, the templates and
// the components share: a list box of entries (each a row of texts) and the
// buttons that add, change, remove and move them. The dialogs add their own
// buttons and decide what an entry looks like.
class CListEditDlg {
public:
    virtual ~CListEditDlg() = default;
    CListEditDlg(const CListEditDlg&) = delete;
    CListEditDlg& operator=(const CListEditDlg&) = delete;

    // The lists hold this many entries.
    static constexpr int kMaxEntries = 30;

    FormModel& Form() { return m_form; }
    const std::vector<QStringList>& Rows() const { return m_rows; }
    // The selected entry; -1 for none.
    int Selection() const;
    void Select(int index);

    // What the buttons do. Add opens the entry dialog with NewRow() and
    // appends and selects the entry; Modify opens it on the selected entry;
    // Remove asks first; Move swaps the selected entry with its neighbour
    // (step -1 up, +1 down) and the selection follows.
    void Add();
    void Modify();
    void Remove();
    void Move(int step);
    // Appends the rows in order as long as there is room; when some do not
    // fit, says so and gives false.
    bool AppendRows(const std::vector<QStringList>& rows);

    static const QString kListName;
    static const QString kFullMessage;

protected:
    CListEditDlg(CKelvoApp& app, const QString& title);

    virtual QString DisplayText(const QStringList& row) const = 0;
    virtual QStringList NewRow() const = 0;
    // The entry dialog; nullopt when it is cancelled.
    virtual std::optional<QStringList> EditRow(const QStringList& row) = 0;
    // The question before an entry is removed.
    virtual QString DeleteQuestion(const QStringList& row) const = 0;

    // Fills the list box from the rows and selects the entry (clamped).
    void ShowRows(int selection);
    FormField& AddButton(const QString& caption, std::function<void()> press);

    CKelvoApp& m_app;
    FormModel m_form;
    std::vector<QStringList> m_rows;
};
