#pragma once

#include "core/style/CStyleRule.h"

#include <QString>

class CKelvoApp;
class FormModel;
class Ui;

// The two list dialogs of selectors. "子孫セレクタ" lists the simple
// selectors of one selector of the rule (a descendant selector);
// "複数セレクタ" lists the rule's selectors. Both edit a copy: the caller
// takes `rule` back when DoModal gives true.
class CStyleSelectorListDlg {
public:
    enum Mode { Descendant, Multiple };

    CStyleSelectorListDlg(CKelvoApp* app, const QString& documentPath, Mode mode);

    CStyleRule rule;
    // Descendant: which selector of the rule (created when missing).
    int selectorIndex = 0;
    // Descendant: whether "→複数セレクタ設定" may hand the rule on.
    bool mayHandOn = true;

    bool DoModal(Ui& ui);

private:
    QStringList Entries() const;
    int Count() const;
    void Refresh(FormModel& form, int selected) const;
    void Add(FormModel& form, Ui& ui, bool descendant);
    void Edit(FormModel& form, Ui& ui, bool descendant);
    void Delete(FormModel& form, Ui& ui);
    void Move(FormModel& form, int by);

    CKelvoApp* m_app;
    QString m_documentPath;
    Mode m_mode;
};
