#pragma once

#include "core/app/FormModel.h"
#include "core/tags/CTagObj.h"

#include <QString>
#include <QStringList>

class CTagTables;
class Ui;

// The all-attributes editor "タグ属性": every attribute of one tag as a row
// of name and value, in the order the start tag writes them, with add, edit,
// delete and move up and down. It edits its own copy of the tag; the caller
// takes Tag() only after DoModal gave true, so a cancel anywhere changes
// nothing.
//
// Adding and editing use the small dialog "属性", whose name field offers
// the attributes the reference tables give the tag and whose value field
// offers the chosen attribute's words (its choices, the colour names, the
// document's classes).
class CTagAttrDlg {
public:
    CTagAttrDlg(const CTagObj& tag, const CTagTables* tables,
                const QStringList& classes = QStringList());

    bool DoModal(Ui& ui);
    const CTagObj& Tag() const { return m_tag; }

    // The row the buttons act on; -1 for none.
    int Selection() const { return m_sel; }
    void Select(int row);

    // What the buttons do; each gives true when it changed the rows.
    bool Add(Ui& ui);
    bool Edit(Ui& ui);
    bool Delete(Ui& ui);
    bool MoveUp();
    bool MoveDown();

    // The dialog "属性" on one attribute; false when it is cancelled, and the
    // attribute is then as it was.
    bool EditAttr(Ui& ui, CTagAttr& attr) const;
    // The words the value field offers for that attribute of the tag.
    QStringList ValueChoices(const QString& attrName) const;

    // A list row as the form holds it: name and value, tab between.
    static QString RowText(const CTagAttr& attr);

private:
    void BuildForm(FormModel& form);
    void Show(FormModel& form) const;
    // Puts the attribute into the rows; an attribute of the same name in
    // another row takes the value instead (a start tag holds each name once).
    void Put(const CTagAttr& attr, int row);

    CTagObj m_tag;
    const CTagTables* m_tables = nullptr;
    QStringList m_classes;
    int m_sel = -1;
    Ui* m_ui = nullptr;  // while DoModal runs
};
